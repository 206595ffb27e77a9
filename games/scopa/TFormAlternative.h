#pragma once
// The Scopa table's capture-choice dialog: shows the card being played and one way of
// capturing with it at a time, "Altra" moves to the next (from the last back to the first),
// "Prendi" takes the one shown. It cannot be left without taking an alternative.
#include <functional>
#include <vector>

#include "components/Finestra.h"
#include "components/VelImage.h"
#include "components/VelmoBottone.h"

class QLabel;

class TFormAlternative : public TFinestra {
    Q_OBJECT
public:
    explicit TFormAlternative(QWidget* parent = nullptr);

    VelImage* Image[6] = {};  // Image[1]..Image[5]
    VelImage* ImageGiocata = nullptr;  // the card being played, beside the choices
    VelmoBottone* VelmoBottone1 = nullptr;  // take the alternative shown
    VelmoBottone* VelmoBottone2 = nullptr;  // next alternative

    // The table cards of each alternative, in the order of the capture list.
    std::vector<std::vector<int>> Alternative;
    int AlternativaScelta = 0;
    // The live label each capture shown is announced through, for screen readers.
    QLabel* Annuncio = nullptr;
    int CartaGiocata = 0;  // 0: none shown

    // Shows the dialog modally on the first alternative and returns the index taken. The
    // played card (when not 0) shows beside the choices; `zona` (screen coordinates) is where
    // the dialog may stand without hiding what the player needs, the screen's centre if empty.
    int Scegli(const std::vector<std::vector<int>>& alternative, int cartaGiocata = 0, const QRect& zona = QRect());

    void FormShow();
    void VelmoBottone1Click();
    void VelmoBottone2Click();

    // Tests drive the dialog through this instead of waiting for real clicks: it runs
    // while the dialog is open and must end by taking an alternative.
    static std::function<void(TFormAlternative*)>& Automazione();
    // Runs with the index of each alternative as it is shown (the table lights its cards),
    // and with -1 when the dialog closes. Cleared when Scegli returns.
    std::function<void(int alternativa)> AlMostrare;

protected:
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool presa_ = false;
    class QEventLoop* ciclo_ = nullptr;
};

// Which of Image1..Image5 show an alternative of n cards (1..5), laid out symmetrically.
std::vector<int> PostiAlternativa(int n);

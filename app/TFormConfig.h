#pragma once
// The configuration window: deck style, card back, sounds, the computer's open cards and the
// player's name. It also holds the deck components every table draws with.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QPoint>
#include <optional>

#include "components/Finestra.h"
#include "components/VelCarte.h"
#include "components/VelImage.h"
#include "components/VelmoBottone.h"

// Deck style (1-6) and card back (1-9) chosen; the tables read them.
extern int Mazzo;
extern int Retro;
constexpr int MazzoPredefinito = 2;
constexpr int RetroPredefinito = 2;

// The windows' size: the setting ("Automatica" = 0, or a percentage) and the one the program
// started with; a new choice takes effect at the next start.
extern int Dimensione;
extern int DimensioneAvvio;
// Reads the size setting and sets the program's drawing scale for the primary screen; called
// once, after the application object exists and before the first window.
void ApplicaDimensioneAllAvvio();

// Loads the settings and applies them to the configuration and Scopa windows.
void CaricaConfigurazione();
// Stores the settings (at shut-down).
void SalvaConfigurazione();
// Where the chooser was left at the end of the last run (screen pixels), when the settings say.
extern std::optional<QPoint> PosizioneChooser;

class TFormConfig : public TFinestra {
    Q_OBJECT
public:
    explicit TFormConfig(QWidget* parent = nullptr);

    // The card numbers shown in the preview: ace, two, three and the figures of each suit.
    static constexpr int CarteAnteprima[24] = {1, 2, 3, 7, 8, 9, 11, 12, 13, 17, 18, 19,
                                               21, 22, 23, 27, 28, 29, 31, 32, 33, 37, 38, 39};

    QScrollBar* ScrollBar1 = nullptr;  // deck style 1-6
    QScrollBar* ScrollBar2 = nullptr;  // card back 1-9
    QLabel* EtichettaMazzo = nullptr;
    QLabel* EtichettaRetro = nullptr;
    VelCarte* RetroCarte = nullptr;        // visible: the chosen back
    VelCarte* VelCarte1 = nullptr;         // hidden: the shared playing deck, card fronts
    VelCarte* VelCartePunteggi = nullptr;  // hidden: score digits
    VelImage* Carta[41] = {};              // preview pictures, Carta[n] shows card n
    QLineEdit* NomeGiocat = nullptr;
    QCheckBox* CBSuoni = nullptr;
    QCheckBox* CBComputer = nullptr;
    QCheckBox* CBMessaggi = nullptr;     // "Rivedi la mia mossa": Scopa shows the move again
    QCheckBox* CBRisoluzione = nullptr;  // hidden, no effect
    QCheckBox* CBProgrammi = nullptr;    // hidden, no effect
    QComboBox* CBLivello = nullptr;      // the computer's level: "Normale" (the rule player) or "Esperto"
    QComboBox* CBVelocita = nullptr;     // the pace: "Normale", "Veloce" (half the pauses), "Rapida" (a quarter)
    QComboBox* CBDimensione = nullptr;   // window size: "Automatica", 100 %, 125 %, 150 %, 200 %
    QLabel* AvvisoDimensione = nullptr;  // shown while the chosen size waits for a restart
    VelmoBottone* VelmoBottone1 = nullptr;  // hidden, no action
    VelmoBottone* VelmoBottone2 = nullptr;  // close

    void FormShow();
    void ScrollBar1Change();
    // Names the deck bar by its style ("Mazzo: Piacentine") and the back bar by its number.
    void NominaBarre();
    void ScrollBar2Change();
    void NomeGiocatChange();
    void CBLivelloChange();
    void CBVelocitaChange();
    void CBDimensioneChange();
    void VelmoBottone2Click();
    void AnteprimaMazzo();
    // Puts NomeGiocatore in the name box and on the four tables (the box's change handler
    // is not run: the name is not being typed).
    void MostraNome();
    // Puts the size setting in its box (and the restart notice when it waits for one).
    void MostraDimensione();

protected:
    // Enter or Esc close the window as its close button does.
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QWidget* pannoAnteprima_ = nullptr;
    QWidget* pannoRetro_ = nullptr;
};

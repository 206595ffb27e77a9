#pragma once
// The scores window: on the left the figures of the match just played in one game (one
// page per game, filled by that game's table), on the right the ranking of that game's
// players read from its score file each time the window becomes active.
#include <QImage>
#include <QLabel>
#include <QStackedWidget>
#include <string>

class QTimer;

#include "components/Finestra.h"

class VelmoBottone;

class TFormPunteggi : public TFinestra {
    Q_OBJECT
public:
    explicit TFormPunteggi(QWidget* parent = nullptr);

    // Page controls with hidden tabs: a table picks its page by code before opening the
    // window, and the active match page also says whose ranking is shown.
    QStackedWidget* PunteggiPartita = nullptr;
    QStackedWidget* PunteggiStorico = nullptr;

    QWidget* PunteggiScopa = nullptr;
    QWidget* PunteggiBriscola = nullptr;
    QWidget* PunteggiRubaMazzo = nullptr;
    QWidget* PunteggiSettemezzo = nullptr;
    QWidget* TabSheet3 = nullptr;

    // Scopa page. Rows Scope, Carte, Denari, (Denari held), Settebello, Napoli, Primiera,
    // (primiera cards): player Label1, 4, 7, 25, 10, 13, 16, 27; computer Label2, 5, 8, 26,
    // 11, 14, 17, 28; hidden winners Label3, 6, 9, 12, 15, 18. Then the hand points
    // Label29, Label30 and the game totals Label37, Label38.
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr,
           *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr,
           *Label16 = nullptr, *Label17 = nullptr, *Label18 = nullptr;
    QLabel *Label25 = nullptr, *Label26 = nullptr, *Label27 = nullptr, *Label28 = nullptr, *Label29 = nullptr,
           *Label30 = nullptr, *Label37 = nullptr, *Label38 = nullptr;
    QLabel *LGiocatore = nullptr, *LComputer = nullptr;

    // Briscola and Rubamazzo pages.
    QLabel *PuntiBriscolaGiocatore = nullptr, *PuntiBriscolaComputer = nullptr;
    QLabel *PuntiRubaMazzoG = nullptr, *PuntiRubaMazzoC = nullptr;
    // Sette e mezzo page: the match scores, the last deal and how the match ended.
    QLabel *PuntiSettemezzoG = nullptr, *PuntiSettemezzoC = nullptr;
    QLabel* UltimaManoSettemezzo = nullptr;
    QLabel* EsitoSettemezzo = nullptr;

    // Ranking page: column captions, and rows 1 to 10 (entry 0 unused). The rows lie on
    // Classifica, which a screen reader sees as a table of ten rows by four columns headed by
    // the captions; it holds the keyboard's focus, one row at a time (Up and Down move it).
    QLabel *LNome = nullptr, *LGiocate = nullptr, *LVinte = nullptr;
    QLabel* Parita = nullptr;
    QWidget* Classifica = nullptr;
    QLabel* Giocatore[11] = {};
    QLabel* Giocate[11] = {};
    QLabel* Vinte[11] = {};
    QLabel* Pari[11] = {};

    VelmoBottone* Chiudi = nullptr;

    // Reloads the ranking of the game whose match page is active.
    void FormActivate();
    // Rebuilds the ten rows from the score file `nomeFile` ("\PunteggiScopa.txt") of the
    // working folder: best share of wins first, ties in file order.
    void CaricaPunteggi(const std::string& nomeFile);
    // Puts the ten rows back to "Giocatore"k and zeros.
    void AzzeraTabella();
    // Back to the window below (the table that opened this one).
    void ChiudiClick();
    // The ranking row in the keyboard's focus (Up and Down move it), 0 while the table has
    // no focus; and the column of its cell in focus (Left and Right move it), 0 for the name.
    // A reader says the whole row when the row changes, one cell with its column's caption
    // when only the column does.
    int RigaInFocus() const;
    int ColonnaInFocus() const { return colonna_; }
    // Moves the table's current cell to row `riga` (1 to 10) and column `colonna` (0 to 3),
    // and tells a screen reader when the table has the focus.
    void VaiACella(int riga, int colonna);
    // Tells a screen reader which cell of the table has the focus (the handler of TimerRiga,
    // which runs once the table has taken the focus).
    void AnnunciaRiga();
    QTimer* TimerRiga = nullptr;

    // The score file of the game of the active match page.
    std::string FileDellaPagina() const;

protected:
    // Enter or Esc close the window as its close button does.
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void changeEvent(QEvent*) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void CreaPaginaScopa();
    QWidget* CreaPaginaDuePunteggi(const char* nome, QLabel*& giocatore, const char* nomeG, QLabel*& computer,
                                   const char* nomeC);
    void CreaClassifica();

    QColor testo_, valore_;  // ink that reads on the background in use
    int riga_ = 1;           // the table's current row
    int colonna_ = 0;        // and column
};

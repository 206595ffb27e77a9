#pragma once
// The Briscola table: both hands, the trick, the trump card under the stock, both won piles,
// the two scores and the cards left. The player plays by double-clicking a card; Timer1
// shows whose turn it is and makes the computer's move, Timer2 resolves a complete trick.
// Every rule is asked of RegoleBriscola; this window only animates and draws.
#include <QLabel>
#include <QTimer>
#include <memory>

#include "core/StatoMazzo.h"
#include "games/briscola/RegoleBriscola.h"
#include "games/briscola/GiocatoriBriscola.h"
#include "games/briscola/TracciaBriscola.h"
#include "games/comune/AvversarioRete.h"
#include "games/comune/TFormTavolo.h"

using AvversarioBriscola = AvversarioRete<RegoleBriscola, VistaBriscola, MossaBriscola>;

class TFormBriscola : public TFormTavolo {
    Q_OBJECT
public:
    explicit TFormBriscola(QWidget* parent = nullptr);

private:
    // Fallback deck for a table built without the configuration window (it normally plays
    // with the shared deck). Declared before Regole, which keeps a reference to the deck.
    StatoMazzo mazzoProprio_;

public:
    RegoleBriscola Regole;
    TracciatoreBriscola Traccia;  // CARTOVIA_TRACE: every trick and result of this table

    // ---- controls (inside Panel1) ----
    VelImage* Image1 = nullptr;  // computer's hand, slots 1-3
    VelImage* Image2 = nullptr;
    VelImage* Image3 = nullptr;
    VelImage* Image4 = nullptr;  // player's hand, slots 1-3; a double-click plays
    VelImage* Image5 = nullptr;
    VelImage* Image6 = nullptr;
    VelImage* Image7 = nullptr;   // the computer's card in the trick
    VelImage* Image8 = nullptr;   // the player's card in the trick
    VelImage* Image39 = nullptr;  // the stock: a back lying sideways
    VelImage* Image40 = nullptr;  // the face-up trump card
    VelImage* Image41 = nullptr;  // the computer's won pile
    VelImage* Image42 = nullptr;  // the player's won pile
    QLabel* Label1 = nullptr;     // "Computer", beside its points
    QLabel* Label2 = nullptr;     // "Carte Rimanenti"
    QLabel* EtichettaBriscola = nullptr;  // "Briscola: Spade", beside the stock, for the whole game
    VelImage* PG1 = nullptr;      // tens and units of the player's points
    VelImage* PG2 = nullptr;
    VelImage* PC1 = nullptr;      // tens and units of the computer's points
    VelImage* PC2 = nullptr;
    // Hundreds of each side's points, shown only from 100 points on (a side can win up to
    // 120, and the tens picture holds only one digit).
    VelImage* PG0 = nullptr;
    VelImage* PC0 = nullptr;
    VelImage* CR1 = nullptr;  // tens and units of the cards left in the stock
    VelImage* CR2 = nullptr;
    QTimer* Timer1 = nullptr;  // turn timer, 1500 ms
    QTimer* Timer2 = nullptr;  // trick timer, 1500 ms

    // Slots by side and number (1-3), the same controls as Image1-Image6.
    VelImage* ManoComputerImg(int i) const;
    VelImage* ManoGiocatoreImg(int i) const;

    // ---- window state ----
    // A game has been dealt since start-up (before that the table takes no input).
    bool PartitaIniziata = false;
    // The dealt game is still being played (false once all 40 cards are won).
    bool PartitaInCorso = false;
    // The finished game's result has been recorded (each game is recorded once).
    bool RisultatoRegistrato = false;

    // ---- handlers ----
    void Image4DblClick() { GiocaSlotGiocatore(1); }
    void Image5DblClick() { GiocaSlotGiocatore(2); }
    void Image6DblClick() { GiocaSlotGiocatore(3); }
    void Timer1Timer();
    void Timer2Timer();
    void NuovaPartitaClick() override;
    void BtnPunteggiClick() override;
    void FormShow() override;

    // Recounts both piles and shows the points and the cards left.
    void AggiornaPunteggio();
    // Redraws every slot from the game state.
    void RidisegnaTavolo();
    void Ridisegna() override { RidisegnaTavolo(); }

    // ---- a network game ----
    // The other player, while a network game is on this table.
    std::unique_ptr<AvversarioBriscola> Avversario;
    // Plays a network game against `a` from its first state on.
    void GiocaInRete(std::unique_ptr<AvversarioBriscola> a);
    void FinePartitaRete() override;

    // Result lines: who took a trick and its points; how the game ended.
    static QString TestoPresa(int vincitore, int punti, const QString& altro = QString());
    static QString TestoFinePartita(int esito, int puntiGiocatore, int puntiComputer);
    // The trump suit's badge: "Briscola: Spade".
    static QString TestoBriscola(int seme);

    // The player plays hand slot k (1-3).
    void GiocaSlotGiocatore(int k);

    // Positions of the table's places.
    static QPoint PosizioneManoComputer(int i) { return {24 + 104 * (i - 1), 8}; }
    static QPoint PosizioneManoGiocatore(int i) { return {24 + 104 * (i - 1), 384}; }
    static constexpr QPoint PosizionePresaComputer{64, 136};
    static constexpr QPoint PosizionePresaGiocatore{136, 256};

protected:
    void MostraNomeAltro() override;

private:
    // Shows the points, the cards left and the scores window's labels (after every recount).
    void MostraPunteggio();
    void Faccia(int handle, VelImage* img);
    void Dorso(VelImage* img);
    void DorsoDiTraverso(VelImage* img);
    void Cifra(int d, VelImage* img);
    void Vola(VelImage* img, int x, int y);
    void Vola(VelImage* img, QPoint p) { Vola(img, p.x(), p.y()); }
    // One computer slot: empty, face up or a back as the face-up setting says.
    void DisegnaCartaComputer(int i);
    void DisegnaCartaGiocatore(int i);
    void FinePartita();
    void MostraSemeBriscola();
};

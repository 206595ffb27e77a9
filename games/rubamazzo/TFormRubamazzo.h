#pragma once
// The Rubamazzo table: both hands, the table places, both won piles (only their top card
// shows), the counters and the OK button. The player double-clicks a hand card to select
// it, sees the capture it would make highlighted and confirms with OK, or steals the
// computer's pile by double-clicking it; the computer answers at once, inside the same
// handler. Timer3 deals the next cards and ends the game. Every rule is asked of
// RegoleRubamazzo; this window only animates and draws.
#include <QLabel>
#include <QTimer>
#include <memory>
#include <vector>

#include "core/StatoMazzo.h"
#include "games/comune/AvversarioRete.h"
#include "games/comune/TFormTavolo.h"
#include "games/rubamazzo/GiocatoriRubamazzo.h"
#include "games/rubamazzo/RegoleRubamazzo.h"
#include "games/rubamazzo/TracciaRubamazzo.h"

using AvversarioRubamazzo = AvversarioRete<RegoleRubamazzo, VistaRubamazzo, MossaRubamazzo>;

class TFormRubamazzo : public TFormTavolo {
    Q_OBJECT

    // Deck for the rules when the configuration window (owner of the shared deck) is
    // missing, as in a window built on its own; declared first so it exists before Regole.
    StatoMazzo mazzoRiserva_;

public:
    explicit TFormRubamazzo(QWidget* parent = nullptr);

    RegoleRubamazzo Regole;
    TracciatoreRubamazzo Traccia;  // CARTOVIA_TRACE: every move and result of this table

    // ---- controls (inside Panel1) ----
    // Places 1-3 the computer's hand, 4-6 the player's, 7-13 the table. Places 14 up are
    // added when the rules grow the table, so that no table card is ever invisible.
    std::vector<VelImage*> ImagePos;  // index 1.., entry 0 unused
    VelImage* CarteComputer = nullptr;   // top card of the computer's pile; double-click steals
    VelImage* CarteGiocatore = nullptr;  // top card of the player's pile
    VelImage* PC1 = nullptr;  // tens and units of the computer's pile size
    VelImage* PC2 = nullptr;
    VelImage* PG1 = nullptr;  // tens and units of the player's pile size
    VelImage* PG2 = nullptr;
    QLabel* Label1 = nullptr;  // "Computer"
    QLabel* Label2 = nullptr;  // "Carte Rimanenti"
    VelImage* CarteRimanenti1 = nullptr;  // tens and units of the cards left to deal
    VelImage* CarteRimanenti2 = nullptr;
    VelmoBottone* BtnOk = nullptr;  // confirms the selected card
    QTimer* Timer3 = nullptr;       // deal and end of the game, 1000 ms

    // ---- window state ----
    // Whether a game has been dealt since start-up: before that no click does anything.
    bool PartitaIniziata = false;
    // Whether the current game's result has been written to the score file.
    bool RisultatoRegistrato = false;

    // ---- handlers ----
    void ImagePos4DblClick() { ImagePosDblClick(4); }
    void ImagePos5DblClick() { ImagePosDblClick(5); }
    void ImagePos6DblClick() { ImagePosDblClick(6); }
    void ImagePosDblClick(int k);
    void BtnOkClick();
    void CarteComputerDblClick();
    void Timer3Timer();
    void NuovaPartitaClick() override;
    void BtnPunteggiClick() override;
    void FormShow() override;
    // New settings (deck, back, the computer's cards face up) show at once.
    void Ridisegna() override;

    // ---- steps of the turn flow ----
    void MostraContatori();
    // Every place drawn plainly from the rules: the computer's hand face up or as backs by
    // the face-up setting, the player's hand and the table face up, empty places cleared.
    void RidisegnaPosti();
    // The computer's move with its flights, then the turn back to the player.
    // The computer's move after the table's wait of `attesa` ms, made while it searches.
    void MossaComputer(unsigned attesa = 0);

    // Home of place k when places up to n are in use: the fixed row while the table fits its
    // seven places, a closer fan of the same row when it holds more cards.
    static QPoint PosizionePosto(int k, int n);

    // Result line at the end of a game: who won, by the cards in each pile.
    static QString TestoFinePartita(int risultato, int carteGiocatore, int carteComputer);

    // ---- a network game ----
    std::unique_ptr<AvversarioRubamazzo> Avversario;
    // Plays a network game against `a` from its first state on.
    void GiocaInRete(std::unique_ptr<AvversarioRubamazzo> a);
    void FinePartitaRete() override;
    // Result line of a refused steal, by the number (1-10) on top of the computer's pile;
    // 0 when that pile is empty.
    static QString TestoFurtoRifiutato(int numeroInCima);

    // Highest table place in use, at least the last of the seven-place row (13).
    int PostiInUso() const;
    // A game is running: dealt and not yet ended.
    bool InGioco() const { return PartitaIniziata && !Regole.PartitaFinita(); }

protected:
    void MostraNomeAltro() override;

private:

    void Faccia(int h, VelImage* img);  // the face of handle h, or nothing for 0
    void Dorso(VelImage* img);
    void DisegnaPosto(int k);
    void Evidenzia(int k);
    void Vola(VelImage* img, QPoint verso);
    void AssicuraPosti(int n);
    void DisponiPosti();
    void TornaACasa(int k);  // a hand card that has flown: cleared and back at its place
    void MostraPila(int lato);
    void CifreIn(int n, VelImage* decine, VelImage* unita);
    // Flights of a move from the rules' record: a capture, a lay-down or a steal, either side.
    void AnimaMossa(const RegoleRubamazzo::Mossa& m);
    void DopoMossaGiocatore();
    void FinePartita();
    // The piles' sizes on the scores window's page.
    void ScriviPunteggi();
};

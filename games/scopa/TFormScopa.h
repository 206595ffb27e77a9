#pragma once
// The Scopa table: both hands, the table, the deck with its counter, both piles and the
// latest sweep of each side. The player plays by double-clicking a card; the computer
// answers from Timer1; every rule is asked of MotoreScopa, every move is animated, every
// hand is counted into the scores window and the game runs to 21.
#include <QTimer>
#include <vector>

#include "games/comune/TFormTavolo.h"
#include "games/scopa/MotoreScopa.h"
#include "games/scopa/TracciaScopa.h"

class TFormScopa : public TFormTavolo {
    Q_OBJECT
public:
    explicit TFormScopa(QWidget* parent = nullptr);

    MotoreScopa Motore;
    TracciatoreScopa Traccia;  // CARTOVIA_TRACE: every move and count of this table

    // ---- controls (inside Panel1) ----
    VelImage* CartaComputer[4] = {};   // 1..3
    VelImage* CartaGiocatore[4] = {};  // 1..3
    // Table places: 1..7 are the designed slots; more are added when the engine holds
    // more cards, so that no table card is ever invisible.
    std::vector<VelImage*> CartaTerra;  // index 1.., entry 0 unused
    VelImage* CartaCopertaComputer = nullptr;
    VelImage* CartaCopertaGiocatore = nullptr;
    VelImage* ScopaComputer = nullptr;
    VelImage* ScopaGiocatore = nullptr;
    VelImage* Carte = nullptr;
    VelImage* CarteRimanenti1 = nullptr;
    VelImage* CarteRimanenti2 = nullptr;
    VelImage* Necessaria = nullptr;
    TWave* Mescola = nullptr;
    TWave* GiocaCarta = nullptr;
    TWave* Scopa = nullptr;
    TWave* Vittoria = nullptr;
    TWave* Perdita = nullptr;
    QTimer* Timer1 = nullptr;             // the computer's move, 1000 ms
    QTimer* Timer2 = nullptr;             // the turn pictures, 100 ms
    QTimer* TimerNuovaPartita = nullptr;  // next hand after a counted one, 1000 ms

    // ---- window state ----
    int PrimoDiMano = 2;  // leader of the current hand; the first hand is the player's
    bool ManoFinita = false;
    bool PartitaFinita = true;
    int PuntiPartitaGiocatore = 0;
    int PuntiPartitaComputer = 0;
    int CartaScelta = 0;
    std::vector<int> TavoloPrima;  // table places before the current move (index 1..)
    int AlternativaScelta = 0;
    int NumeroAlternative = 0;
    int SchedaMano[52] = {};
    int TurnoMostrato = 0;
    // Whether the current game's result has been recorded already.
    bool RisultatoRegistrato = false;
    // Whether a hand has been dealt since start-up (before that only the deck shows).
    bool ManoIniziata = false;

    // ---- handlers ----
    void CartaGiocatoreDblClick(int s);
    void Timer1Timer();
    void Timer2Timer();
    void TimerNuovaPartitaTimer();
    void NuovaPartitaClick() override;
    void BtnPunteggiClick() override;
    void FormShow() override;
    void Ridisegna() override;

    // ---- steps of the turn flow ----
    void FineMossa(bool daComputer);
    void MostraManoEAggiornaPartita();
    void AnimaDistribuzione(bool nuovaMano);
    void AnimaMossa(bool computer);
    // Where table place k stands when n places are in use: the designed row while n <= 7,
    // a closer fan when more cards lie on the table.
    static QPoint PosizioneTerra(int k, int n);

    // Result lines: a counted hand, and the end of the game.
    static QString TestoFineMano(int puntiGiocatore, int puntiComputer);
    static QString TestoFinePartita(bool vinceGiocatore, int puntiGiocatore, int puntiComputer);

    void RipetiMossaGiocatore();
    void RidisegnaMazzoEScope();

private:
    int cartaGiocata_ = 0;  // the card of the player's latest move
    void Faccia(int carta, VelImage* img);
    void Dorso(VelImage* img);
    void Vola(VelImage* img, int x, int y);
    void AssicuraPostiTerra(int n);
    int PostiTerraInUso() const;
    void ScriviSchedaNeiPunteggi();
    void RegistraVittoriaUnaVolta();
};

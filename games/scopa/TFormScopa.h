#pragma once
// The Scopa table: both hands, the table, the deck with its counter, both piles and the
// latest sweep of each side. The player plays by double-clicking a card; the computer
// answers from Timer1; every rule is asked of MotoreScopa, every move is animated, every
// hand is counted into the scores window and the game runs to 21.
#include <QTimer>
#include <memory>
#include <vector>

#include "games/comune/AvversarioRete.h"
#include "games/comune/TFormTavolo.h"
#include "games/scopa/GiocatoriScopa.h"
#include "games/scopa/MotoreScopa.h"
#include "games/scopa/TracciaScopa.h"

using AvversarioScopa = AvversarioRete<MotoreScopa, VistaScopa, MossaScopa>;

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
    // The game on the felt: "Partita: Anna 11 – Computer 7, si vince a 21".
    QLabel* EtichettaPartita = nullptr;
    // Each side's sweeps of this hand beside its sweep card: "Scope: 2".
    QLabel* ContaScopeGiocatore = nullptr;
    QLabel* ContaScopeComputer = nullptr;
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
    int UltimaSchedaMano[52] = {};  // the last counted hand, what the scores window shows
    int TurnoMostrato = 0;
    // Whether the current game's result has been recorded already.
    bool RisultatoRegistrato = false;
    // Whether the player won the finished game.
    bool RisultatoVinto = false;
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
    static QString TestoFineMano(int puntiGiocatore, int puntiComputer, const QString& altro = QString());
    static QString TestoFinePartita(bool vinceGiocatore, int puntiGiocatore, int puntiComputer);
    // The game's totals and its target, as the felt shows them.
    static QString TestoPartita(const QString& nome, int puntiGiocatore, int puntiComputer,
                                const QString& altro = QStringLiteral("Computer"));

    // ---- a network game ----
    std::unique_ptr<AvversarioScopa> Avversario;
    // Plays a network match against `a` from its first state on.
    void GiocaInRete(std::unique_ptr<AvversarioScopa> a);
    void FinePartitaRete() override;
    // Retries the end of a move once the referee's state for it has come.
    QTimer* TimerRete = nullptr;
    static QString TestoScope(int scope);
    // Shows the game's totals under the table row (after every counted hand and new game).
    void MostraPartita();

    // Table places lit for the capture the choice dialog shows.
    std::vector<int> PostiIlluminati;
    // Lights the table places of capture k of the engine's list (-1: none).
    void IlluminaPresa(int k);

    // With "Rivedi la mia mossa" on: the player's move shown again over the new table.
    void RipetiMossaGiocatore();
    VelImage* CopiaMossa = nullptr;        // the see-through copy of the played card
    QLabel* DidascaliaMossa = nullptr;     // "La tua mossa"
    bool InRipetizione() const { return inRipetizione_; }
    void RidisegnaMazzoEScope();

protected:
    void MostraNomeAltro() override;

private:
    bool fineDalComputer_ = false;  // the end of move TimerRete retries
    int cartaGiocata_ = 0;  // the card of the player's latest move
    bool inRipetizione_ = false;
    void Faccia(int carta, VelImage* img);
    void Dorso(VelImage* img);
    void Vola(VelImage* img, int x, int y);
    void AssicuraPostiTerra(int n);
    int PostiTerraInUso() const;
    void ScriviSchedaNeiPunteggi();
    void RegistraVittoriaUnaVolta();
    // Keeps the latest move of side `lato` to be seen again, when it captured.
    void RicordaMossa(int lato);
};

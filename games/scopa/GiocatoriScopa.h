#pragma once
// Scopa players behind the shared player interface: what a seat sees (VistaScopa), a move
// (MossaScopa), the rule player of MossaComputer, a random player and the search player.
#include <cstdint>
#include <memory>
#include <vector>

#include "games/comune/Giocatore.h"
#include "games/scopa/MotoreScopa.h"

// What one seat sees: its own hand, the table, both piles (every capture is made face up),
// the sweeps, who captured last and how many cards the other hand and the deck hold.
// The other hand and the deck order are not in it.
struct VistaScopa {
    int Lato = 2;                                        // 1 the player's seat, 2 the computer's
    int Mano[4] = {};                                    // own hand slots 1..3
    int CarteAvversario = 0;                             // cards in the other hand
    int Tavolo[MotoreScopa::MassimoPostiTavolo + 1] = {};  // table places 1..39
    int Prese[41] = {}, NumeroPrese = 0;                 // own pile in the order taken
    int PreseAvversario[41] = {}, NumeroPreseAvversario = 0;
    int Scope = 0, ScopeAvversario = 0;
    int UltimaPresa = 0;                                 // 0 nobody, 1 player, 2 computer
    int CarteNelMazzo = 0;                               // cards not dealt yet
    bool operator==(const VistaScopa&) const = default;
};

// A hand slot and the table places it takes (increasing); no places: the card is laid down.
struct MossaScopa {
    int Slot = 0;
    int Posti[MotoreScopa::MassimaPresa] = {};
    int NumeroPosti = 0;
    bool operator==(const MossaScopa&) const = default;
};

using GiocatoreScopa = Giocatore<VistaScopa, MossaScopa>;

// The Vista of seat `lato` (1 or 2).
VistaScopa OsservaScopa(const MotoreScopa& m, int lato);
// Every legal move of the seat: each held card with each capture the rules allow it, or
// laid down when it captures nothing.
std::vector<MossaScopa> MosseLegaliScopa(const VistaScopa& v);
// Plays the move for seat `lato`; 1 done, 0 refused (not its turn or not legal).
int ApplicaMossaScopa(MotoreScopa& m, int lato, const MossaScopa& mossa);

// The design's rule player (MossaComputer), for either seat.
class NormaleScopa : public GiocatoreScopa {
public:
    MossaScopa Scegli(const VistaScopa& v) override;
};

// Any card, any of its legal captures.
class CasualeScopa : public GiocatoreScopa {
public:
    explicit CasualeScopa(std::uint64_t seme) : caso_(seme) {}
    MossaScopa Scegli(const VistaScopa& v) override;

private:
    CasualeRapido caso_;
};

// The first search player: deals the unseen cards at random many times (consistently with
// what the seat has seen), plays every candidate move out to the end of the hand with a
// quick greedy policy for both sides, and keeps the move with the best average hand result.
// Kept for comparison in the simulator ("esperto1").
class EspertoScopa1 : public GiocatoreScopa {
public:
    explicit EspertoScopa1(std::uint64_t seme, int giocate = GiocatePredefinite) : caso_(seme), giocate_(giocate) {}
    MossaScopa Scegli(const VistaScopa& v) override;
    static constexpr int GiocatePredefinite = 1600;

private:
    CasualeRapido caso_;
    int giocate_;
};

// Search player. Once the deck is spent every card is known and the rest of the hand is
// solved exactly (alpha-beta on the hand's count, the last taker's table included). Before
// that it samples the unseen cards; on each sample every candidate is played on with the
// greedy policy until the last deal is out, and that deal is then solved exactly. The
// budget is fixed in playouts (an exact search covers one deal at most), so a decision
// depends only on its seed.
class EspertoScopa : public GiocatoreScopa, public LimiteTempo {
public:
    // `giocate`: playouts per decision (shared among the candidate moves).
    explicit EspertoScopa(std::uint64_t seme, int giocate = GiocatePredefinite) : caso_(seme), giocate_(giocate) {}
    MossaScopa Scegli(const VistaScopa& v) override;
    static constexpr int GiocatePredefinite = 1600;
    // Nodes of the exact searches of the last decision.
    long NodiUltimaScelta() const { return nodi_; }

private:
    CasualeRapido caso_;
    int giocate_;
    long nodi_ = 0;
};

// The computer's move on a table at the chosen level: Normale is MossaComputer itself.
void MossaComputerLivello(MotoreScopa& m, Livello livello);

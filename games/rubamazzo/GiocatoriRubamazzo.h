#pragma once
// Rubamazzo players behind the shared player interface: what a seat sees (VistaRubamazzo),
// a move (a hand card, played or stealing), the rule player of MossaComputer, a random
// player and the search player.
#include <cstdint>
#include <vector>

#include "games/comune/Giocatore.h"
#include "games/rubamazzo/RegoleRubamazzo.h"

// What one seat sees, in card numbers: its own hand, the table places, the size and top
// card of both piles, every card that has gone into a pile (each was played face up), who
// captured last and how many cards the other hand and the deck hold.
struct VistaRubamazzo {
    int Lato = 2;                                           // 1 the player's seat, 2 the computer's
    int Mano[4] = {};                                       // own hand slots 1..3
    int Tavolo[RegoleRubamazzo::UltimoPostoTavolo + 1] = {};  // places 7..19
    int Pila = 0, PilaAvversario = 0;
    int Cima = 0, CimaAvversario = 0;                       // top cards, 0 none
    bool NellePile[41] = {};                                // cards gone into either pile
    int UltimaPresa = 0;                                    // 0 nobody, 1 player, 2 computer
    int CarteNelMazzo = 0;
    int CarteAvversario = 0;
    bool operator==(const VistaRubamazzo&) const = default;
};

// Hand slot 1..3 (the seat's own places) and whether it steals the other pile.
struct MossaRubamazzo {
    int Slot = 0;
    bool Ruba = false;
    bool operator==(const MossaRubamazzo&) const = default;
};

using GiocatoreRubamazzo = Giocatore<VistaRubamazzo, MossaRubamazzo>;

VistaRubamazzo OsservaRubamazzo(const RegoleRubamazzo& r, int lato);
std::vector<MossaRubamazzo> MosseLegaliRubamazzo(const VistaRubamazzo& v);
// Plays the move for seat `lato`; returns the move kind, 0 when refused.
int ApplicaMossaRubamazzo(RegoleRubamazzo& r, int lato, const MossaRubamazzo& mossa);

// The design's rule player (MossaComputer), for either seat.
class NormaleRubamazzo : public GiocatoreRubamazzo {
public:
    MossaRubamazzo Scegli(const VistaRubamazzo& v) override;
};

class CasualeRubamazzo : public GiocatoreRubamazzo {
public:
    explicit CasualeRubamazzo(std::uint64_t seme) : caso_(seme) {}
    MossaRubamazzo Scegli(const VistaRubamazzo& v) override;

private:
    CasualeRapido caso_;
};

// The first search player: samples the unseen cards, plays each candidate move out to the
// end of the game with the rule player's policy for both sides, keeps the best average card
// margin. Kept for comparison in the simulator ("esperto1").
class EspertoRubamazzo1 : public GiocatoreRubamazzo {
public:
    explicit EspertoRubamazzo1(std::uint64_t seme, int giocate = GiocatePredefinite) : caso_(seme), giocate_(giocate) {}
    MossaRubamazzo Scegli(const VistaRubamazzo& v) override;
    static constexpr int GiocatePredefinite = 2000;

private:
    CasualeRapido caso_;
    int giocate_;
};

// Search player. Once the deck is spent every card is known and the rest of the game is
// solved exactly (alpha-beta on the card margin, the last table cards included). Before
// that it samples the unseen cards and plays each candidate on with the rule player's
// policy until the last deal is out, which is then solved exactly. Budget fixed in
// playouts (an exact search covers one deal at most).
class EspertoRubamazzo : public GiocatoreRubamazzo, public LimiteTempo {
public:
    explicit EspertoRubamazzo(std::uint64_t seme, int giocate = GiocatePredefinite) : caso_(seme), giocate_(giocate) {}
    MossaRubamazzo Scegli(const VistaRubamazzo& v) override;
    static constexpr int GiocatePredefinite = 2000;
    // Nodes of the exact searches of the last decision.
    long NodiUltimaScelta() const { return nodi_; }

private:
    CasualeRapido caso_;
    int giocate_;
    long nodi_ = 0;
};

// The computer's move on a table at the chosen level: Normale is MossaComputer itself.
// `attesaMs`: the table's wait before the move (a Pausa), made while the search runs.
int MossaComputerLivello(RegoleRubamazzo& r, Livello livello, unsigned attesaMs = 0);

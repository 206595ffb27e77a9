#pragma once
// Briscola players behind the shared player interface: what a seat sees (VistaBriscola), a
// move (the hand slot), the rule player of SceltaComputer, a random player and the search
// player.
#include <cstdint>

#include "games/briscola/RegoleBriscola.h"
#include "games/comune/Giocatore.h"

// What one seat sees, in card numbers: its own hand, the face-up trump, the card the other
// side has put into the trick, both won piles in the order won (every trick is played face
// up), how many cards the stock and the other hand hold. The other hand and the stock order
// are not in it.
struct VistaBriscola {
    int Lato = 2;                   // 1 the player's seat, 2 the computer's
    int Mano[4] = {};               // own hand slots 1..3, card numbers
    int CartaBriscola = 0;          // the face-up trump card
    int CartaAvversario = 0;        // the other side's card in the trick, 0 when this seat leads
    int Prese[41] = {}, NumeroPrese = 0;  // own pile, entries 1 up
    int PreseAvversario[41] = {}, NumeroPreseAvversario = 0;
    int CarteNelMazzo = 0;          // stock left, the face-up trump included
    int CarteAvversario = 0;        // cards in the other hand
    // The tricks played so far, oldest first: whether this seat led it, its card and the
    // other side's. Public, since every trick is played face up. Each table keeps its own
    // record; the network does not carry it.
    int Storia = 0;
    int StoriaGuida[21] = {}, StoriaMia[21] = {}, StoriaAltra[21] = {};
    bool operator==(const VistaBriscola&) const = default;
};

struct MossaBriscola {
    int Slot = 0;
    bool operator==(const MossaBriscola&) const = default;
};

using GiocatoreBriscola = Giocatore<VistaBriscola, MossaBriscola>;

VistaBriscola OsservaBriscola(const RegoleBriscola& r, int lato);
// Plays the slot for seat `lato`; 1 done, 0 refused.
int ApplicaMossaBriscola(RegoleBriscola& r, int lato, const MossaBriscola& mossa);

// The design's rule player (SceltaComputer), for either seat; its memory of the other
// pile (RicordoGiocatore, 0..2 tricks) is drawn from its own generator at each decision.
class NormaleBriscola : public GiocatoreBriscola {
public:
    explicit NormaleBriscola(std::uint64_t seme) : caso_(seme) {}
    MossaBriscola Scegli(const VistaBriscola& v) override;

private:
    CasualeRapido caso_;
};

class CasualeBriscola : public GiocatoreBriscola {
public:
    explicit CasualeBriscola(std::uint64_t seme) : caso_(seme) {}
    MossaBriscola Scegli(const VistaBriscola& v) override;

private:
    CasualeRapido caso_;
};

// The first search player: samples the unseen cards (the other hand and the stock, with the
// face-up trump wherever it is known to be), plays each candidate card out to the end of the
// game (a greedy policy while the stock lasts, exact play once it is spent) and keeps the
// card with the best average point difference. Kept for comparison in the simulator
// ("esperto1").
class EspertoBriscola1 : public GiocatoreBriscola {
public:
    explicit EspertoBriscola1(std::uint64_t seme, int giocate = GiocatePredefinite) : caso_(seme), giocate_(giocate) {}
    MossaBriscola Scegli(const VistaBriscola& v) override;
    static constexpr int GiocatePredefinite = 3000;

private:
    CasualeRapido caso_;
    int giocate_;
};

// Search player. Samples the unseen cards as the first one does, and weighs each sample by how
// likely the other side's plays (its card on the table and its last three tricks) were with
// that hand, under a model of how a strong player picks its card. Near the end of the stock
// (few cards left to draw) each sample is solved exactly from the decision on, draws
// included; earlier each candidate is played on, for both sides, with the model's likeliest
// card until the stock is spent, and the last tricks are then solved exactly. Budget fixed in
// playouts and nodes.
class EspertoBriscola : public GiocatoreBriscola, public LimiteTempo {
public:
    explicit EspertoBriscola(std::uint64_t seme, int giocate = GiocatePredefinite) : caso_(seme), giocate_(giocate) {}
    MossaBriscola Scegli(const VistaBriscola& v) override;
    static constexpr int GiocatePredefinite = 3000;
    // Nodes of the exact searches of the last decision.
    long NodiUltimaScelta() const { return nodi_; }

private:
    CasualeRapido caso_;
    int giocate_;
    long nodi_ = 0;
};

// The search player's reading of the other hand: how likely the other side's plays (its card
// on the table, then its last three tricks) are if its hand now is `altra` (card numbers,
// 0 for an empty slot). Only ratios between hands mean anything.
double VerosimiglianzaBriscola(const VistaBriscola& v, const int altra[3]);
// The card the search player's model of a strong player picks from `mano` (card numbers, 0
// for an empty slot) with `guidata` on the table (0 on a lead).
int CartaModelloBriscola(const int mano[3], int guidata, int cartaBriscola, int carteNelMazzo);

// The computer's chosen slot on a table at the chosen level: Normale is SceltaComputer itself.
// `attesaMs`: the table's wait before the move (a Pausa), made while the search runs.
int SceltaComputerLivello(RegoleBriscola& r, Livello livello, unsigned attesaMs = 0);

#pragma once
// The trace lines of a Scopa hand (JSON Lines), written alike by cartovia-sim and the table.
#include <string>

class MotoreScopa;

// The hand's state: hands, table, piles, sweeps, last capture, turn, cards dealt.
std::string StatoTracciaScopa(const MotoreScopa& m);
// One move of side `lato` (1 the player, 2 the computer), the `mossa`-th of hand `mano`,
// from the state `prima` (StatoTracciaScopa before the move) to the motor's state now.
std::string RigaMossaScopa(long long mano, int mossa, int lato, const std::string& prima, const MotoreScopa& m);
// The count of hand `mano`: its score sheet (52 entries), its result and the game's totals.
std::string RigaContoScopa(long long mano, const int* scheda, int esito, int totaleGiocatore, int totaleComputer);

// The table's trace (CARTOVIA_TRACE): the same lines, numbered as the simulator numbers them
// (hands over the run, moves within the hand). Does nothing while no trace file is set.
class TracciatoreScopa {
public:
    void NuovaMano() { ++mano_; mossa_ = 0; }
    // Before a move is tried: keeps the state it starts from.
    void PrimaDellaMossa(const MotoreScopa& m);
    // The move of side `lato` has been made.
    void Mossa(const MotoreScopa& m, int lato);
    void Conto(const int* scheda, int esito, int totaleGiocatore, int totaleComputer) const;

private:
    long long mano_ = 0;
    int mossa_ = 0;
    std::string prima_;
};

#pragma once
// The trace lines of a Rubamazzo game (JSON Lines), written alike by cartovia-sim and the table.
#include <string>

class RegoleRubamazzo;

// The table's places, both piles and their top cards (card numbers), the last capture and
// the next card of the deck.
std::string StatoTracciaRubamazzo(const RegoleRubamazzo& r);
// The `mossa`-th move of the game, by side `lato`, from `prima` to the rules' state now.
std::string RigaMossaRubamazzo(int mossa, int lato, const std::string& prima, const RegoleRubamazzo& r);
// The game's result: both piles and Risultato.
std::string RigaRisultatoRubamazzo(const RegoleRubamazzo& r);

// The table's trace (CARTOVIA_TRACE): the same lines, moves numbered within the game. Does
// nothing while no trace file is set.
class TracciatoreRubamazzo {
public:
    void NuovaPartita() { mossa_ = 0; }
    // Before a move is tried: keeps the state it starts from.
    void PrimaDellaMossa(const RegoleRubamazzo& r);
    // The move of side `lato` has been made.
    void Mossa(const RegoleRubamazzo& r, int lato);
    void Risultato(const RegoleRubamazzo& r) const;

private:
    int mossa_ = 0;
    std::string prima_;
};

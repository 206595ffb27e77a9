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

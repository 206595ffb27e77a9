#pragma once
// The trace lines of a Sette e mezzo match (JSON Lines), written alike by cartovia-sim and
// the table.
#include <string>

class RegoleSettemezzo;

// Deal `mano` once decided: both hands (card numbers), their values in tenths and the
// match scores.
std::string RigaSmazzataSettemezzo(int mano, const RegoleSettemezzo& r);
// The match's end: the winner (1 the player, 2 the computer), the deals played and the scores.
std::string RigaRisultatoSettemezzo(int vincitore, int mani, const RegoleSettemezzo& r);

// The table's trace (CARTOVIA_TRACE): the same lines, deals numbered within the match. Does
// nothing while no trace file is set.
class TracciatoreSettemezzo {
public:
    void NuovaPartita() { mani_ = 0; }
    // The dealer has stood: the deal is decided.
    void ManoDecisa(const RegoleSettemezzo& r);
    // The match is over.
    void Risultato(const RegoleSettemezzo& r) const;

private:
    int mani_ = 0;
};

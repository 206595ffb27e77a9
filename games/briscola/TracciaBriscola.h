#pragma once
// The trace lines of a Briscola game (JSON Lines), written alike by cartovia-sim and the table.
#include <cstdint>
#include <string>
#include <vector>

class RegoleBriscola;

// What a trick line tells of the state before the trick's first card: the leader, both
// hands (card numbers) and the computer's memory.
struct PrimaDellaPresa {
    int iniziatore = 0;
    std::vector<int> manoGiocatore, manoComputer, viste;
};
PrimaDellaPresa StatoPrimaDellaPresa(const RegoleBriscola& r);
// The card numbers in a hand's three slots (0 for an empty slot).
std::vector<int> CarteManoBriscola(const RegoleBriscola& r, const std::int32_t* mano);
// Trick `presa` of the game: the state before it, the two cards played (card numbers), the
// winner and the state after the trick was taken. `viste` is the computer's memory as it
// played (the before state's when the computer had nothing to recall).
std::string RigaPresaBriscola(int presa, const PrimaDellaPresa& prima, const std::vector<int>& viste, int cartaGiocatore,
                              int cartaComputer, int vincitore, const RegoleBriscola& r);
// The game's result: Esito and both point totals.
std::string RigaRisultatoBriscola(const RegoleBriscola& r);

// The table's trace (CARTOVIA_TRACE): the same lines, tricks numbered within the game. Does
// nothing while no trace file is set.
class TracciatoreBriscola {
public:
    void NuovaPartita() { presa_ = 0; }
    // Before a card is played (before the computer chooses): the trick's first card keeps the
    // state the trick starts from.
    void PrimaDellaCarta(const RegoleBriscola& r);
    // The computer has chosen its card: its memory as it plays.
    void SceltaComputer(const RegoleBriscola& r);
    // The trick has been taken and the hands refilled; cards as card numbers.
    void Presa(const RegoleBriscola& r, int cartaGiocatore, int cartaComputer, int vincitore);
    void Risultato(const RegoleBriscola& r) const;

private:
    int presa_ = 0;
    PrimaDellaPresa prima_;
    std::vector<int> viste_;
};

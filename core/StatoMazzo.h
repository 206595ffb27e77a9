#pragma once
// Deck state behind the VelCarte component: the deck order, the per-card states and the
// shuffle. Plain C++ so the rules of Briscola, Rubamazzo and Sette e mezzo can take it.
//
// OrdineCarte[i] is the card number at deck position i (entry 0 is always 0). The card that
// belongs to deck position i is OrdineCarte[OrdineCarte[i]] (the entry is used twice as an
// index): RitornaCarta(i). The state operations address StatiCarte[OrdineCarte[i]].
#include <array>
#include <cstdint>

#include "core/Casuale.h"

class StatoMazzo {
public:
    static constexpr int Dimensione = 200;  // entries 0..199, so at most 199 cards

    // Columns x rows of the picture sheet = number of cards N (10 x 4 = 40 for the deck).
    void ImpostaGriglia(int colonne, int righe);
    int Colonne() const { return colonne_; }
    int Righe() const { return righe_; }
    int N() const;  // colonne x righe, limited to 199

    // Rejection shuffle: draws r = random mod (N + 1) until every 1..N stands once.
    // Reseeds from the run's seed source for `gioco` (see Casuale) unless a seed was fixed.
    // Clears all states.
    void Mischia(const char* gioco = nullptr);
    Casuale& Generatore() { return casuale_; }

    int RitornaCartaImmediata(int i) const { return ordine(i); }
    void ImpostaCartaImmediata(int i, int v) { if (valido(i)) OrdineCarte[i] = v; }
    int RitornaCarta(int i) const { return ordine(ordine(i)); }
    void ImpostaCarta(int i, int v) { const int j = ordine(i); if (valido(j)) OrdineCarte[j] = v; }
    int RitornaStato(int i) const { const int j = ordine(i); return valido(j) ? StatiCarte[j] : 0; }
    void ImpostaStato(int i, int v) { const int j = ordine(i); if (valido(j)) StatiCarte[j] = v; }
    // Toggles the state of position i (0 becomes 1, anything else 0); returns the new state.
    int CambiaStato(int i);
    // State entry of card number c itself (what the drawing consults).
    int StatoDellaCarta(int c) const { return valido(c) ? StatiCarte[c] : 0; }

    // Suit and number of the card stored at index j, with `colonne` cards per suit.
    struct SemeNumero { int seme; int numero; };
    SemeNumero SistemaDati(int j) const;

    std::array<std::int32_t, Dimensione> OrdineCarte{};
    std::array<std::int32_t, Dimensione> StatiCarte{};

private:
    // Callers pass positions and card numbers straight from game state; out-of-range reads
    // yield 0 and out-of-range writes are dropped so a bad index can never corrupt memory.
    static bool valido(int i) { return i >= 0 && i < Dimensione; }
    int ordine(int i) const { return valido(i) ? OrdineCarte[i] : 0; }

    int colonne_ = 10;
    int righe_ = 4;
    Casuale casuale_;
};

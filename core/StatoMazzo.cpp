#include "core/StatoMazzo.h"

#include <algorithm>

void StatoMazzo::ImpostaGriglia(int colonne, int righe)
{
    colonne_ = colonne;
    righe_ = righe;
}

int StatoMazzo::N() const
{
    const long n = static_cast<long>(colonne_) * righe_;
    return static_cast<int>(std::clamp(n, 0L, static_cast<long>(Dimensione - 1)));
}

void StatoMazzo::Mischia(const char* gioco)
{
    const int n = N();
    for (int k = 0; k <= n; ++k) {
        OrdineCarte[k] = 0;
        StatiCarte[k] = 0;
    }
    casuale_.SemeDallOrologio(gioco);
    // Membership flags make the duplicate check O(1); the draws and their order are
    // exactly those of the linear search over the positions already filled.
    std::array<bool, Dimensione> presente{};
    int conta = 1;
    while (conta < n + 1) {
        const int r = casuale_.Modulo(n + 1);
        if (r != 0 && !presente[r]) {
            presente[r] = true;
            OrdineCarte[conta++] = r;
        }
    }
}

int StatoMazzo::CambiaStato(int i)
{
    const int j = ordine(i);
    if (!valido(j)) return 0;
    StatiCarte[j] = StatiCarte[j] == 0 ? 1 : 0;
    return StatiCarte[j];
}

StatoMazzo::SemeNumero StatoMazzo::SistemaDati(int j) const
{
    const int c = ordine(j);
    const int col = colonne_ > 0 ? colonne_ : 10;
    // Integer division truncates toward zero, so an empty entry (c = 0) gives suit 1, number 0.
    const int seme = (c - 1) / col + 1;
    const int numero = c - (seme - 1) * col;
    return {seme, numero};
}

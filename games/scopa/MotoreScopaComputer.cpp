// The computer's Scopa move: six fixed strategies tried in order, the first that finds a
// move makes it. Hand slots are always tried 1, 2, 3 and table places in increasing order.
#include "games/scopa/MotoreScopa.h"

bool CartaPregiata(int carta)
{
    if (carta >= 1 && carta <= 10) return true;  // every Denari
    const int v = MotoreScopa::Valore(carta);
    return carta > 10 && (v == 6 || v == 7);
}

namespace {
bool DiNapoli(int carta) { return carta >= 1 && carta <= 3; }
bool DiDenari(int carta) { return carta >= 1 && carta <= 10; }
bool DaPrimiera(int carta)
{
    const int v = MotoreScopa::Valore(carta);
    return v == 1 || v == 6 || v == 7;
}
}  // namespace

void MotoreScopa::PresaComputer(int h, const int* posti, int n)
{
    const int c = ManoComputer[h];
    SegnaMossa(c);
    PreseComputer[++ContaPreseComputer] = c;
    for (int j = 0; j < n; ++j) {
        int& posto = Tavolo[posti[j]];
        SegnaMossa(posto);
        PreseComputer[++ContaPreseComputer] = posto;
        posto = 0;
    }
    ControllaScopa(2, c);
    ManoComputer[h] = 0;
    UltimaPresa = 2;
    CartaGiocataComputer = h;
    AggiornaValoriTavolo();
}

void MotoreScopa::PresaComputerDaElenco(int h, int k)
{
    int posti[MassimaPresa];
    const int n = Prese[k][0];
    for (int j = 0; j < n; ++j) posti[j] = Prese[k][j + 1];
    PresaComputer(h, posti, n);
}

void MotoreScopa::PosaComputer(int h)
{
    const int c = ManoComputer[h];
    SegnaMossa(c);
    Tavolo[PrimoPostoLibero()] = c;
    ManoComputer[h] = 0;
    CartaGiocataComputer = h;
    AggiornaValoriTavolo();
}

void MotoreScopa::MossaComputer()
{
    if (Turno != 2) return;
    for (auto& c : CarteMossa) c = 0;
    conteggioMossa_ = 0;
    AggiornaValoriTavolo();
    StrategiaScopa() || StrategiaSettebello() || StrategiaNapoli() || StrategiaDenari() ||
        StrategiaPrimiera() || StrategiaUltima();
    Turno = 1;
}

// 1. A card worth the whole table takes it all. Every capture that empties the table sums
// to the table total, so every sweep the computer has is found here first.
bool MotoreScopa::StrategiaScopa()
{
    const int totale = TotaleTavolo();
    for (int h = 1; h <= 3; ++h) {
        if (!ManoComputer[h] || Valore(ManoComputer[h]) != totale) continue;
        int posti[MassimoPostiTavolo];
        int n = 0;
        for (int p = 1; p <= MassimoPostiTavolo; ++p)
            if (Tavolo[p]) posti[n++] = p;
        PresaComputer(h, posti, n);
        return true;
    }
    return false;
}

// 2. The seven of Denari: take it from the table, or use it to take another seven.
bool MotoreScopa::StrategiaSettebello()
{
    int postoSettebello = 0;
    for (int p = 1; p <= MassimoPostiTavolo && !postoSettebello; ++p)
        if (Tavolo[p] == 7) postoSettebello = p;

    if (postoSettebello) {
        for (int h = 1; h <= 3; ++h)
            if (Valore(ManoComputer[h]) == 7) {
                PresaComputer(h, &postoSettebello, 1);
                return true;
            }
        // A figure can take it within a sum, when no equal card forces a single capture.
        for (int h = 1; h <= 3; ++h) {
            const int c = ManoComputer[h];
            if (Valore(c) < 8 || ContaUguali(c) > 0) continue;
            const int n = ElencaPrese(c);
            for (int k = 0; k < n; ++k)
                for (int j = 1; j <= Prese[k][0]; ++j)
                    if (Prese[k][j] == postoSettebello) {
                        PresaComputerDaElenco(h, k);
                        return true;
                    }
        }
        return false;
    }

    for (int h = 1; h <= 3; ++h) {
        if (ManoComputer[h] != 7) continue;
        for (int p = 1; p <= MassimoPostiTavolo; ++p)
            if (Tavolo[p] && Tavolo[p] % 10 == 7) {
                PresaComputer(h, &p, 1);
                return true;
            }
        return false;
    }
    return false;
}

// The capture with the most special cards, preferring larger ones: an entry replaces the
// best so far when it has at least as many special cards and at least as many cards, so
// ties go to the later entry and an entry with none qualifies while nothing better was seen.
// Sum captures are only allowed when no table card has the played card's value.
bool MotoreScopa::MiglioreConConteggio(bool soloSicure, bool (*speciale)(int carta))
{
    int migliorMisura = 0, migliorConto = 0, migliorH = 0, migliorK = -1;
    for (int h = 1; h <= 3; ++h) {
        const int c = ManoComputer[h];
        if (!c) continue;
        const bool ammessa = ContaUguali(c) == 0;
        const int n = EnumeraPrese(c, soloSicure);
        for (int k = 0; k < n; ++k) {
            int m = 0;
            for (int j = 1; j <= Prese[k][0]; ++j)
                if (speciale(Tavolo[Prese[k][j]])) ++m;
            if (ammessa && m >= migliorConto && Prese[k][0] >= migliorMisura) {
                migliorConto = m;
                migliorMisura = Prese[k][0];
                migliorH = h;
                migliorK = k;
            }
        }
    }
    if (!migliorH) return false;
    EnumeraPrese(ManoComputer[migliorH], soloSicure);
    PresaComputerDaElenco(migliorH, migliorK);
    return true;
}

// 3. Ace, two and three of Denari, while the player has none of them yet.
bool MotoreScopa::StrategiaNapoli()
{
    for (int k = 1; k <= ContaPreseGiocatore; ++k)
        if (DiNapoli(PreseGiocatore[k])) return false;
    bool sulTavolo = false;
    for (int p = 1; p <= MassimoPostiTavolo; ++p)
        if (DiNapoli(Tavolo[p])) sulTavolo = true;
    if (!sulTavolo) return false;
    return MiglioreConConteggio(false, DiNapoli);
}

// 4. Denari, with safe captures only.
bool MotoreScopa::StrategiaDenari()
{
    bool sulTavolo = false;
    for (int p = 1; p <= MassimoPostiTavolo; ++p)
        if (DiDenari(Tavolo[p])) sulTavolo = true;
    if (!sulTavolo) return false;
    return MiglioreConConteggio(true, DiDenari);
}

// 5. Sevens, sixes and aces, the cards that make primiera.
bool MotoreScopa::StrategiaPrimiera()
{
    bool sulTavolo = false;
    for (int p = 1; p <= MassimoPostiTavolo; ++p)
        if (DaPrimiera(Tavolo[p])) sulTavolo = true;
    if (!sulTavolo) return false;

    const int totale = TotaleTavolo();
    for (int p = 1; p <= MassimoPostiTavolo; ++p) {
        const int v = ValoriTavolo[p];
        if (!(v == 7 || v == 6 || v == 1) || totale - v <= 10) continue;
        for (int h = 1; h <= 3; ++h)
            if (Valore(ManoComputer[h]) == v) {
                PresaComputer(h, &p, 1);
                return true;
            }
    }
    for (int h = 1; h <= 3; ++h) {
        const int c = ManoComputer[h];
        if (!c || ContaUguali(c) > 0) continue;
        const int n = ElencaPreseSicure(c);
        for (int k = 0; k < n; ++k)
            for (int j = 1; j <= Prese[k][0]; ++j)
                if (DaPrimiera(Tavolo[Prese[k][j]])) {
                    PresaComputerDaElenco(h, k);
                    return true;
                }
    }
    return false;
}

// 6. Fallback: safe single, largest safe capture, safe discard, any capture, cheap discard,
// any card. Only a card that cannot capture reaches a discard step.
bool MotoreScopa::StrategiaUltima()
{
    const int totale = TotaleTavolo();
    for (int h = 1; h <= 3; ++h) {
        const int v = Valore(ManoComputer[h]);
        if (!v) continue;
        for (int p = 1; p <= MassimoPostiTavolo; ++p)
            if (ValoriTavolo[p] == v && totale - v > 10) {
                PresaComputer(h, &p, 1);
                return true;
            }
    }

    // Largest safe capture. A card with an equal card on the table has no safe entry here
    // (what any entry leaves is the same as what the single leaves, and that single was
    // just found unsafe), so no sum is ever taken past a forced single.
    int migliorMisura = 0, migliorH = 0, migliorK = -1;
    for (int h = 1; h <= 3; ++h) {
        if (!ManoComputer[h]) continue;
        const int n = ElencaPreseSicure(ManoComputer[h]);
        for (int k = 0; k < n; ++k)
            if (Prese[k][0] >= migliorMisura) {
                migliorMisura = Prese[k][0];
                migliorH = h;
                migliorK = k;
            }
    }
    if (migliorH) {
        ElencaPreseSicure(ManoComputer[migliorH]);
        PresaComputerDaElenco(migliorH, migliorK);
        return true;
    }

    for (int h = 1; h <= 3; ++h) {
        const int c = ManoComputer[h];
        if (c && Valore(c) + totale > 10 && ElencaPrese(c) == 0 && !CartaPregiata(c)) {
            PosaComputer(h);
            return true;
        }
    }
    // Single equal cards come first in the list, so a forced single is respected.
    for (int h = 1; h <= 3; ++h)
        if (ManoComputer[h] && ElencaPrese(ManoComputer[h]) > 0) {
            PresaComputerDaElenco(h, 0);
            return true;
        }
    for (int h = 1; h <= 3; ++h)
        if (ManoComputer[h] && !CartaPregiata(ManoComputer[h])) {
            PosaComputer(h);
            return true;
        }
    for (int h = 1; h <= 3; ++h)
        if (ManoComputer[h]) {
            PosaComputer(h);
            return true;
        }
    return false;
}

int MotoreScopa::GiocaComputer(int h, const int* posti, int n)
{
    if (Turno != 2 || h < 1 || h > 3 || !ManoComputer[h] || n < 0 || n > MassimaPresa) return 0;
    const int c = ManoComputer[h];
    if (n == 0) {
        if (ElencaPrese(c) != 0) return 0;
    } else {
        int somma = 0;
        for (int j = 0; j < n; ++j) {
            const int p = posti[j];
            if (p < 1 || p > MassimoPostiTavolo || !Tavolo[p]) return 0;
            for (int i = 0; i < j; ++i)
                if (posti[i] == p) return 0;
            somma += Valore(Tavolo[p]);
        }
        if (somma != Valore(c)) return 0;
        if (ContaUguali(c) == 1 && (n != 1 || Valore(Tavolo[posti[0]]) != Valore(c))) return 0;
    }
    for (auto& m : CarteMossa) m = 0;
    conteggioMossa_ = 0;
    AggiornaValoriTavolo();
    if (n == 0)
        PosaComputer(h);
    else
        PresaComputer(h, posti, n);
    Turno = 1;
    return 1;
}

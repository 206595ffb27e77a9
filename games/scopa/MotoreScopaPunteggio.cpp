// Count of a finished Scopa hand and the end-of-game rule.
#include "games/scopa/MotoreScopa.h"

int PuntiPrimiera(int carta)
{
    //                             ace  2   3   4   5   6   7  fig fig fig
    static const int punti[11] = {0, 16, 12, 13, 14, 15, 18, 21, 10, 10, 10};
    return punti[MotoreScopa::Valore(carta)];
}

bool PartitaFinita(int totaleGiocatore, int totaleComputer, bool* vinceGiocatore)
{
    const bool finita = totaleGiocatore > 20 || (totaleComputer > 20 && totaleGiocatore != totaleComputer);
    if (vinceGiocatore) *vinceGiocatore = finita && totaleGiocatore >= totaleComputer;
    return finita;
}

namespace {

// Best primiera card of each suit of one pile: the highest points, and among cards worth the
// same the first taken (the figures share 10 points, so the first figure taken stands).
struct Primiera {
    int totale = 0;
    int migliore[5] = {};  // value 1..10 of the best card of suits 1..4, 0 = no card of that suit
};

Primiera ContaPrimiera(const std::int32_t* pila, int conta)
{
    Primiera r;
    int punti[5] = {};
    for (int k = 1; k <= conta && k <= 40; ++k) {
        const int c = pila[k];
        if (c < 1 || c > 40) continue;
        const int seme = (c - 1) / 10 + 1;
        if (PuntiPrimiera(c) > punti[seme]) {
            punti[seme] = PuntiPrimiera(c);
            r.migliore[seme] = MotoreScopa::Valore(c);
        }
    }
    for (int s = 1; s <= 4; ++s) r.totale += punti[s];
    return r;
}

// The Denari run from the ace: 3 for ace, two and three, one more for each following card.
int Napoli(const bool* tiene)
{
    if (!(tiene[1] && tiene[2] && tiene[3])) return 0;
    int n = 3;
    for (int k = 4; k <= 10 && tiene[k]; ++k) ++n;
    return n;
}

}  // namespace

int MotoreScopa::Punteggio(int SchedaMano[52])
{
    for (int i = 0; i < 52; ++i) SchedaMano[i] = 0;
    bool delGiocatore[41] = {}, delComputer[41] = {};
    int carteGiocatore = 0;
    for (int k = 1; k <= ContaPreseGiocatore && k <= 40; ++k)
        if (PreseGiocatore[k] >= 1 && PreseGiocatore[k] <= 40) {
            delGiocatore[PreseGiocatore[k]] = true;
            ++carteGiocatore;
        }
    for (int k = 1; k <= ContaPreseComputer && k <= 40; ++k)
        if (PreseComputer[k] >= 1 && PreseComputer[k] <= 40) delComputer[PreseComputer[k]] = true;

    int puntiG = ScopeGiocatore, puntiC = ScopeComputer;
    SchedaMano[0] = ScopeGiocatore;
    SchedaMano[1] = ScopeComputer;

    // A tie in cards or Denari gives the point to nobody; the winner entry then reads 0.
    SchedaMano[3] = carteGiocatore;
    SchedaMano[4] = 40 - carteGiocatore;
    VincitoreCarte = carteGiocatore > 20 ? 1 : carteGiocatore < 20 ? 2 : 0;
    SchedaMano[5] = VincitoreCarte;

    int denari = 0;
    for (int n = 1; n <= 10; ++n) {
        denari += delGiocatore[n];
        SchedaMano[10 + n] = delGiocatore[n];
        SchedaMano[20 + n] = delComputer[n];
    }
    SchedaMano[6] = denari;
    SchedaMano[7] = 10 - denari;
    VincitoreDenari = denari > 5 ? 1 : denari < 5 ? 2 : 0;
    SchedaMano[8] = VincitoreDenari;

    SchedaMano[31] = delGiocatore[7];
    SchedaMano[32] = 1 - SchedaMano[31];
    VincitoreSettebello = delGiocatore[7] ? 1 : 2;
    SchedaMano[33] = VincitoreSettebello;

    // One or two of ace, two and three in the player's pile: nobody has the run.
    const int napoliG = Napoli(delGiocatore);
    const int napoliC = (!delGiocatore[1] && !delGiocatore[2] && !delGiocatore[3]) ? Napoli(delComputer) : 0;
    SchedaMano[34] = napoliG;
    SchedaMano[35] = napoliC;
    VincitoreNapoli = napoliG ? 1 : napoliC ? 2 : 0;
    SchedaMano[36] = VincitoreNapoli;
    puntiG += napoliG;
    puntiC += napoliC;

    const Primiera primG = ContaPrimiera(PreseGiocatore, ContaPreseGiocatore);
    const Primiera primC = ContaPrimiera(PreseComputer, ContaPreseComputer);
    VincitorePrimiera = primG.totale > primC.totale ? 1 : primG.totale < primC.totale ? 2 : 0;
    if (VincitorePrimiera) {
        SchedaMano[37] = primG.totale;
        SchedaMano[38] = primC.totale;
        SchedaMano[39] = VincitorePrimiera;
    }
    for (int s = 1; s <= 4; ++s) {
        SchedaMano[40 + s] = primG.migliore[s];
        SchedaMano[44 + s] = primC.migliore[s];
    }

    for (int v : {VincitoreCarte, VincitoreDenari, VincitoreSettebello, VincitorePrimiera}) {
        if (v == 1) ++puntiG;
        if (v == 2) ++puntiC;
    }
    PuntiManoGiocatore = puntiG;
    PuntiManoComputer = puntiC;
    SchedaMano[50] = puntiG;
    SchedaMano[51] = puntiC;
    return puntiG > puntiC ? 1 : puntiG < puntiC ? 2 : 3;
}

// Timings of the Briscola, Rubamazzo and Sette e mezzo rules: the worst capture search,
// the computer's choices and whole self-played games.
#include <benchmark/benchmark.h>

#include "core/Casuale.h"
#include "core/StatoMazzo.h"
#include "games/briscola/RegoleBriscola.h"
#include "games/rubamazzo/RegoleRubamazzo.h"
#include "games/settemezzo/RegoleSettemezzo.h"

namespace {

void BriscolaPartitaIntera(benchmark::State& state)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(1);
    RegoleBriscola r(mazzo);
    Casuale giocatore(2);
    for (auto _ : state) {
        r.NuovaPartita();
        while (!r.PartitaFinita()) {
            if (r.CarteGiocate == 2) {
                r.RisolviPresa();
            } else if (r.Turno == 2) {
                r.EstraiRicordo();
                r.GiocaComputer(r.SceltaComputer());
            } else {
                int k = 1 + giocatore.Modulo(3);
                while (r.ManoGiocatore[k] == 0) k = k % 3 + 1;
                r.GiocaGiocatore(k);
            }
        }
        benchmark::DoNotOptimize(r.Esito);
    }
}
BENCHMARK(BriscolaPartitaIntera);

// Thirteen table cards that nothing adds up to: every group of one to four is tried.
void RubamazzoRicercaSenzaPresa(benchmark::State& state)
{
    StatoMazzo mazzo;
    RegoleRubamazzo r(mazzo);
    for (int i = 1; i <= 40; ++i) r.CarteMazzo[i] = i;
    const int terra[13] = {9, 19, 29, 39, 10, 20, 30, 40, 8, 18, 28, 38, 0};
    for (int j = 0; j < 13; ++j) r.Posti[7 + j] = terra[j];
    r.Posti[4] = 7;
    for (auto _ : state) benchmark::DoNotOptimize(r.ValutaPresa(4));
}
BENCHMARK(RubamazzoRicercaSenzaPresa);

void RubamazzoPartitaIntera(benchmark::State& state)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(1);
    RegoleRubamazzo r(mazzo);
    Casuale giocatore(2);
    for (auto _ : state) {
        r.NuovaPartita();
        while (r.PassoTimer() != 2) {
            int k = 4 + giocatore.Modulo(3);
            while (r.Posti[k] == 0) k = k == 6 ? 4 : k + 1;
            r.SelezionaCarta(k);
            r.ConfermaGiocatore();
            r.MossaComputer();
        }
        benchmark::DoNotOptimize(r.Risultato);
    }
}
BENCHMARK(RubamazzoPartitaIntera);

void SettemezzoPartitaIntera(benchmark::State& state)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(1);
    RegoleSettemezzo r(mazzo);
    Casuale giocatore(2);
    for (auto _ : state) {
        r.NuovaPartita();
        for (;;) {
            while (r.FaseTavolo == RegoleSettemezzo::TurnoGiocatore)
                if (r.CarteGiocatore[1] && giocatore.Modulo(2)) r.Stop(); else r.NuovaCarta();
            while (r.FaseTavolo == RegoleSettemezzo::TurnoComputer) r.PassoTimer();
            if (r.PassoTimer() >= RegoleSettemezzo::VinceGiocatore) break;
            r.NuovoTurno();
        }
        benchmark::DoNotOptimize(r.VincitorePartita);
    }
}
BENCHMARK(SettemezzoPartitaIntera);

}  // namespace

// Decision time of the search players at their default budget, on the first move of a
// deal (the longest playouts): one decision per iteration.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/StatoMazzo.h"
#include "games/briscola/GiocatoriBriscola.h"
#include "games/rubamazzo/GiocatoriRubamazzo.h"
#include "games/scopa/GiocatoriScopa.h"

namespace {

void EspertoScopaPrimaMossa(benchmark::State& state)
{
    auto m = std::make_unique<MotoreScopa>(7u);
    m->NuovaMano(2);
    const VistaScopa v = OsservaScopa(*m, 2);
    EspertoScopa esperto(1);
    for (auto _ : state) benchmark::DoNotOptimize(esperto.Scegli(v));
}
BENCHMARK(EspertoScopaPrimaMossa)->Unit(benchmark::kMillisecond);

void EspertoBriscolaPrimaMossa(benchmark::State& state)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(7);
    RegoleBriscola r(mazzo);
    r.IniziatorePartita = 1;  // the computer leads
    r.NuovaPartita();
    const VistaBriscola v = OsservaBriscola(r, 2);
    EspertoBriscola esperto(1);
    for (auto _ : state) benchmark::DoNotOptimize(esperto.Scegli(v));
}
BENCHMARK(EspertoBriscolaPrimaMossa)->Unit(benchmark::kMillisecond);

void EspertoRubamazzoPrimaMossa(benchmark::State& state)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(7);
    RegoleRubamazzo r(mazzo);
    r.NuovaPartita();
    r.Turno = 2;  // the computer's view of the opening deal
    const VistaRubamazzo v = OsservaRubamazzo(r, 2);
    EspertoRubamazzo esperto(1);
    for (auto _ : state) benchmark::DoNotOptimize(esperto.Scegli(v));
}
BENCHMARK(EspertoRubamazzoPrimaMossa)->Unit(benchmark::kMillisecond);

}  // namespace

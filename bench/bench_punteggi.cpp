// Timings of the scores ranking: a long score file read and ranked as the scores window
// does each time it opens, and the sort alone.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "scores/PunteggiFile.h"

namespace {

constexpr int Giocatori = 20000;

// Players with few distinct ratios, so most entries tie and the order of ties matters.
std::string FileLungo()
{
    std::string byte;
    for (int i = 0; i < Giocatori; ++i)
        byte += RecordPunteggi(ChiavePunteggi("Giocatore " + std::to_string(i)), 1 + i % 97, i % 41, i % 7);
    return byte;
}

struct CartellaProva {
    std::string p;
    CartellaProva()
    {
        char modello[] = "/tmp/cartovia-bench-XXXXXX";
        p = mkdtemp(modello);
        std::ofstream(p + "/PunteggiScopa.txt", std::ios::binary) << FileLungo();
    }
    ~CartellaProva() { std::filesystem::remove_all(p); }
};

void ClassificaFileDiVentimilaGiocatori(benchmark::State& state)
{
    CartellaProva c;
    for (auto _ : state) {
        auto voci = LeggiPunteggi(c.p, FileScopa.corrente);
        OrdinaPerRapporto(voci);
        benchmark::DoNotOptimize(voci.data());
    }
    state.SetItemsProcessed(state.iterations() * Giocatori);
}
BENCHMARK(ClassificaFileDiVentimilaGiocatori)->Unit(benchmark::kMillisecond);

void OrdinaVentimilaVoci(benchmark::State& state)
{
    CartellaProva c;
    const auto voci = LeggiPunteggi(c.p, FileScopa.corrente);
    for (auto _ : state) {
        auto copia = voci;
        OrdinaPerRapporto(copia);
        benchmark::DoNotOptimize(copia.data());
    }
    state.SetItemsProcessed(state.iterations() * Giocatori);
}
BENCHMARK(OrdinaVentimilaVoci)->Unit(benchmark::kMillisecond);

}  // namespace

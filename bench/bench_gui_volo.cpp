// One step of a card flight on a real table: the slot moves and the table repaints the old and
// the new place at once (what MuoviCarta does 11 times per flight, with 20 ms pauses between).
// Run with QT_QPA_PLATFORM=offscreen: build/bench/cartovia_bench_gui
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/Finestre.h"
#include "components/VelImage.h"
#include "core/Pausa.h"
#include "games/scopa/TFormScopa.h"

namespace {

void VoloUnPasso(benchmark::State& state)
{
    CreaFinestre();
    ApriFinestra(FinestraScopa);
    QApplication::processEvents();
    VelImage* carta = FormScopa->Carte;
    const QPoint casa = carta->pos();
    bool andata = true;
    for (auto _ : state) {
        // One step each way in turn: 10 pixels across the felt, repainted synchronously.
        const QPoint dove = andata ? casa + QPoint(10, 10) : casa;
        carta->MuoviCarta(dove.x(), dove.y(), 1, 0, FormScopa);
        andata = !andata;
    }
    // MuoviCarta visits two positions for one step (the start and the end).
    state.counters["steps/s"] = benchmark::Counter(2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    TornaIndietro();
    DistruggiFinestre();
}
BENCHMARK(VoloUnPasso)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ImpostaScalaTempo(0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Timings of the Scopa engine: the capture search on crowded tables, the computer's move
// and a whole self-played hand.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/Casuale.h"
#include "core/Pausa.h"
#include "games/scopa/MotoreScopa.h"

namespace {

void Tavolo(MotoreScopa& m, const std::vector<int>& carte)
{
    for (auto& t : m.Tavolo) t = 0;
    for (size_t i = 0; i < carte.size(); ++i) m.Tavolo[i + 1] = carte[i];
}

// Eight small cards and a ten: a long list on an eight-place table.
void ScopaElencaPreseTavoloPieno(benchmark::State& state)
{
    auto m = std::make_unique<MotoreScopa>(1u);
    Tavolo(*m, {1, 11, 2, 12, 3, 13, 4, 5});
    for (auto _ : state) benchmark::DoNotOptimize(m->ElencaPrese(10));
    state.counters["entries"] = m->NumeroPrese;
}
BENCHMARK(ScopaElencaPreseTavoloPieno);

// The most crowded table play can reach: four 3s dealt, then six cards laid.
void ScopaElencaPreseTavoloAffollato(benchmark::State& state)
{
    auto m = std::make_unique<MotoreScopa>(1u);
    Tavolo(*m, {3, 13, 23, 33, 17, 18, 15, 14, 11, 12});
    for (auto _ : state) benchmark::DoNotOptimize(m->ElencaPrese(10));
    state.counters["entries"] = m->NumeroPrese;
}
BENCHMARK(ScopaElencaPreseTavoloAffollato);

// Every other card on the table: the largest list there is.
void ScopaElencaPreseCasoPeggiore(benchmark::State& state)
{
    auto m = std::make_unique<MotoreScopa>(1u);
    std::vector<int> tutte;
    for (int c = 1; c <= 39; ++c) tutte.push_back(c);
    Tavolo(*m, tutte);
    for (auto _ : state) benchmark::DoNotOptimize(m->ElencaPrese(40));
    state.counters["entries"] = m->NumeroPrese;
}
BENCHMARK(ScopaElencaPreseCasoPeggiore);

// What the computer's move reads and writes, to replay one position many times.
struct Posizione {
    int manoComputer[4];
    int tavolo[MotoreScopa::MassimoPostiTavolo + 1];
    int preseGiocatore[41];
    int contaG, contaC, scopeC, ultimaPresa;
};

Posizione Salva(const MotoreScopa& m)
{
    Posizione p{};
    std::copy(m.ManoComputer, m.ManoComputer + 4, p.manoComputer);
    std::copy(m.Tavolo, m.Tavolo + MotoreScopa::MassimoPostiTavolo + 1, p.tavolo);
    std::copy(m.PreseGiocatore, m.PreseGiocatore + 41, p.preseGiocatore);
    p.contaG = m.ContaPreseGiocatore;
    p.contaC = m.ContaPreseComputer;
    p.scopeC = m.ScopeComputer;
    p.ultimaPresa = m.UltimaPresa;
    return p;
}

void Ripristina(MotoreScopa& m, const Posizione& p)
{
    std::copy(p.manoComputer, p.manoComputer + 4, m.ManoComputer);
    std::copy(p.tavolo, p.tavolo + MotoreScopa::MassimoPostiTavolo + 1, m.Tavolo);
    std::copy(p.preseGiocatore, p.preseGiocatore + 41, m.PreseGiocatore);
    m.ContaPreseGiocatore = p.contaG;
    m.ContaPreseComputer = p.contaC;
    m.ScopeComputer = p.scopeC;
    m.UltimaPresa = p.ultimaPresa;
    m.Turno = 2;
}

// The random player's move: any card, any of its captures.
void MossaCasuale(MotoreScopa& m, Casuale& caso)
{
    int s = 1 + caso.Modulo(3);
    while (!m.ManoGiocatore[s]) s = s % 3 + 1;
    const int r = m.GiocaCarta(s);
    if (r >= 2) m.EseguiPresa(s, caso.Modulo(r));
}

// Plays one hand; calls `primaDelComputer` before each computer move.
template <typename F>
int ManoIntera(MotoreScopa& m, Casuale& caso, int primo, F primaDelComputer)
{
    int scheda[52];
    m.NuovaMano(primo);
    for (;;) {
        if (m.Turno == 1) {
            MossaCasuale(m, caso);
        } else {
            primaDelComputer(m);
            m.MossaComputer();
        }
        const int f = m.FineGiro();
        if (f == 1) m.Distribuisci(primo);
        if (f == 2) {
            m.ChiudiMano();
            return m.Punteggio(scheda);
        }
    }
}

// The computer's move averaged over positions met in self-play.
void ScopaMossaComputer(benchmark::State& state)
{
    ImpostaScalaTempo(0);
    auto m = std::make_unique<MotoreScopa>(3u);
    Casuale caso(4);
    std::vector<Posizione> posizioni;
    for (int mano = 0; posizioni.size() < 2000; ++mano)
        ManoIntera(*m, caso, mano % 2 + 1, [&](const MotoreScopa& x) { posizioni.push_back(Salva(x)); });
    size_t i = 0;
    for (auto _ : state) {
        Ripristina(*m, posizioni[i]);
        m->MossaComputer();
        benchmark::DoNotOptimize(m->CarteMossa[0]);
        i = (i + 1) % posizioni.size();
    }
}
BENCHMARK(ScopaMossaComputer);

// One whole hand: shuffle, 36 moves, refills, end of hand and count.
void ScopaManoIntera(benchmark::State& state)
{
    ImpostaScalaTempo(0);
    auto m = std::make_unique<MotoreScopa>(5u);
    Casuale caso(6);
    int primo = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ManoIntera(*m, caso, primo, [](const MotoreScopa&) {}));
        primo = 3 - primo;
    }
}
BENCHMARK(ScopaManoIntera);

}  // namespace

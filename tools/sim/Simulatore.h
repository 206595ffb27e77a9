#pragma once
// Shared pieces of cartovia-sim: command-line options, game registry, JSON Lines output.
#include <cstdint>
#include <functional>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Traccia.h"  // OggettoJson

struct OpzioniSim {
    std::string gioco;
    long partite = 1;         // --games N
    std::uint32_t seme = 1;   // --seed S
    std::string traccia;      // --trace FILE (empty: no trace)
    bool silenzioso = false;  // --quiet: only the final summary
    // --player A --computer B (random, normale, esperto, esperto1): the duplicate match of two
    // players instead of the computer against the random player. Empty: not asked.
    std::string giocatoreA, giocatoreB;
    long ogni = 500;          // --progress N: a progress line every N duplicate deals
    int giocate = 0;          // --playouts N: the search player's budget (0: its default)
    long primaSmazzata = 1;   // --first-deal N: a duplicate match plays deals N .. N + games - 1
    std::string decisioni;    // --decisions FILE: Briscola duplicate match, every decision as a line
};

// A game's simulation: plays o.partite games, prints one line per game and a summary to
// `out`, writes JSON Lines to `traccia` when it is not null. Returns the process exit
// code: 0, or non-zero at the first card-conservation violation (after printing it).
using FunzioneSim = std::function<int(const OpzioniSim& o, std::ostream& out, std::ostream* traccia)>;

std::map<std::string, FunzioneSim>& RegistroSim();
// Games that can pit two players (--player/--computer).
std::map<std::string, FunzioneSim>& RegistroDuplicato();

struct RegistraSim {
    RegistraSim(const std::string& nome, FunzioneSim f) { RegistroSim()[nome] = std::move(f); }
};
struct RegistraDuplicato {
    RegistraDuplicato(const std::string& nome, FunzioneSim f) { RegistroDuplicato()[nome] = std::move(f); }
};

// Results of a duplicate match: one figure per deal (A's result minus B's, averaged over
// the two seatings) and the time of every decision of each player.
class StatisticheDuplicato {
public:
    void Smazzata(double differenza) { d_.push_back(differenza); }
    // Wall-clock and this thread's processor time of one decision, in milliseconds.
    void Decisione(int chi, double ms, double cpu)
    {
        auto& t = tempi_[chi];
        t.somma += ms;
        t.peggiore = ms > t.peggiore ? ms : t.peggiore;
        t.sommaCpu += cpu;
        t.peggioreCpu = cpu > t.peggioreCpu ? cpu : t.peggioreCpu;
        ++t.n;
    }
    // "<mean> +- <half width of the 95% confidence interval>" of the per-deal figures.
    std::string Media(const char* formato = "%+.3f +- %.3f") const;
    // "A esperto: mean X ms, worst Y ms over N decisions; B ...".
    std::string Tempi(const std::string& a, const std::string& b) const;
    double MediaValore() const;

private:
    struct Tempo { double somma = 0, peggiore = 0, sommaCpu = 0, peggioreCpu = 0; long n = 0; };
    std::vector<double> d_;
    Tempo tempi_[2];
};

// Times one decision: starts at construction, Fine() records it.
class CronometroDecisione {
public:
    CronometroDecisione();
    void Fine(StatisticheDuplicato& st, int chi) const;

private:
    double muro_, cpu_;
};

// One game of a duplicate deal: the deck's seed, the seat that leads (1 or 2) and who sits
// where (chi[lato]: 0 for player A, 1 for player B).
struct GiroDuplicato {
    std::uint32_t seme;
    int primo;
    int chi[3];
};
// What one game of a deal gave: A's and B's figures, or the error that stopped it.
struct EsitoGiro {
    int a = 0, b = 0;
    std::string errore;
};
// How a game's duplicate match is told: its name, what one game of a deal is ("hand",
// "game") and the figure compared ("points per hand").
struct DescrizioneDuplicato {
    const char* gioco;
    const char* unita;
    const char* figura;
};
// Plays o.partite duplicate deals: each deal twice with the same seed, A in the player's seat
// the first time and in the computer's the second, the leading seat alternating from deal to
// deal; prints the progress and the summary. Returns 1 at the first game that reports an
// error (after printing it), else 0.
int GiocaDuplicato(const DescrizioneDuplicato& d, const OpzioniSim& o, std::ostream& out, StatisticheDuplicato& st,
                   const std::function<EsitoGiro(const GiroDuplicato&)>& gioca);

// Whether a name is one of random, normale, esperto, esperto1.
bool NomeGiocatoreValido(const std::string& nome);

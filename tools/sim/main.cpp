// cartovia-sim: plays whole games between the computer and a seeded random player, with no
// delays, checking after every move that each card is in exactly one place.
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "core/Pausa.h"
#include "tools/sim/Simulatore.h"

std::map<std::string, FunzioneSim>& RegistroSim()
{
    static std::map<std::string, FunzioneSim> registro;
    return registro;
}

namespace {
int uso(const char* prog)
{
    std::cerr << "usage: " << prog << " GAME [--games N] [--seed S] [--trace FILE] [--quiet]\n  GAME:";
    for (const auto& [nome, f] : RegistroSim()) std::cerr << ' ' << nome;
    std::cerr << "\n       " << prog
              << " GAME --player A --computer B [--games N] [--seed S] [--first-deal N] [--playouts N] [--progress N] [--quiet]\n"
                 "       [--decisions FILE] (briscola: every decision, \"trump-suit card card card led chosen stock\")\n"
                 "  duplicate match, each deal played twice with the seats swapped; A, B: random normale esperto esperto1\n"
                 "  (--first-deal: start at that deal of the seed's sequence, so a long match can be split into\n"
                 "  runs on separate cores: the deals are those of the single run, the players' own generators\n"
                 "  start afresh in each run)\n"
                 "  (esperto1: the first search player, kept for comparison; --playouts sets esperto's budget)\n"
                 "  GAME:";
    for (const auto& [nome, f] : RegistroDuplicato()) std::cerr << ' ' << nome;
    std::cerr << '\n';
    return 2;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return uso(argv[0]);
    OpzioniSim o;
    o.gioco = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        auto valore = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (a == "--games") {
            const char* v = valore();
            if (!v || (o.partite = std::atol(v)) <= 0) return uso(argv[0]);
        } else if (a == "--seed") {
            const char* v = valore();
            if (!v) return uso(argv[0]);
            o.seme = static_cast<std::uint32_t>(std::strtoul(v, nullptr, 10));
        } else if (a == "--trace") {
            const char* v = valore();
            if (!v) return uso(argv[0]);
            o.traccia = v;
        } else if (a == "--quiet") {
            o.silenzioso = true;
        } else if (a == "--player" || a == "--computer") {
            const char* v = valore();
            if (!v || !NomeGiocatoreValido(v)) return uso(argv[0]);
            (a == "--player" ? o.giocatoreA : o.giocatoreB) = v;
        } else if (a == "--progress") {
            const char* v = valore();
            if (!v || (o.ogni = std::atol(v)) <= 0) return uso(argv[0]);
        } else if (a == "--first-deal") {
            const char* v = valore();
            if (!v || (o.primaSmazzata = std::atol(v)) <= 0) return uso(argv[0]);
        } else if (a == "--decisions") {
            const char* v = valore();
            if (!v) return uso(argv[0]);
            o.decisioni = v;
        } else if (a == "--playouts") {
            const char* v = valore();
            if (!v || (o.giocate = std::atoi(v)) <= 0) return uso(argv[0]);
        } else {
            return uso(argv[0]);
        }
    }
    const bool duplicato = !o.giocatoreA.empty() || !o.giocatoreB.empty();
    if (duplicato) {
        // Either one alone pits it against the design's rule player.
        if (o.giocatoreA.empty()) o.giocatoreA = "normale";
        if (o.giocatoreB.empty()) o.giocatoreB = "normale";
        if (!o.traccia.empty()) return uso(argv[0]);
    }
    if (!o.decisioni.empty() && (!duplicato || o.gioco != "briscola")) return uso(argv[0]);
    auto& registro = duplicato ? RegistroDuplicato() : RegistroSim();
    auto it = registro.find(o.gioco);
    if (it == registro.end()) return uso(argv[0]);

    ImpostaScalaTempo(0);
    std::ofstream traccia;
    if (!o.traccia.empty()) {
        traccia.open(o.traccia, std::ios::binary | std::ios::trunc);
        if (!traccia) {
            std::cerr << "cannot write trace file " << o.traccia << '\n';
            return 2;
        }
    }
    return it->second(o, std::cout, o.traccia.empty() ? nullptr : &traccia);
}

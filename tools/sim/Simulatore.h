#pragma once
// Shared pieces of cartovia-sim: command-line options, game registry, JSON Lines output.
#include <cstdint>
#include <functional>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

struct OpzioniSim {
    std::string gioco;
    long partite = 1;         // --games N
    std::uint32_t seme = 1;   // --seed S
    std::string traccia;      // --trace FILE (empty: no trace)
    bool silenzioso = false;  // --quiet: only the final summary
};

// A game's simulation: plays o.partite games, prints one line per game and a summary to
// `out`, writes JSON Lines to `traccia` when it is not null. Returns the process exit
// code: 0, or non-zero at the first card-conservation violation (after printing it).
using FunzioneSim = std::function<int(const OpzioniSim& o, std::ostream& out, std::ostream* traccia)>;

std::map<std::string, FunzioneSim>& RegistroSim();

struct RegistraSim {
    RegistraSim(const std::string& nome, FunzioneSim f) { RegistroSim()[nome] = std::move(f); }
};

// Minimal JSON writer for one object per line.
class OggettoJson {
public:
    OggettoJson& campo(const std::string& k, long long v) { chiave(k); s_ << v; return *this; }
    OggettoJson& campo(const std::string& k, int v) { return campo(k, static_cast<long long>(v)); }
    OggettoJson& campo(const std::string& k, const std::string& v) { chiave(k); s_ << '"' << v << '"'; return *this; }
    OggettoJson& campo(const std::string& k, const char* v) { return campo(k, std::string(v)); }
    template <typename It>
    OggettoJson& lista(const std::string& k, It da, It a)
    {
        chiave(k);
        s_ << '[';
        for (It i = da; i != a; ++i) s_ << (i == da ? "" : ",") << *i;
        s_ << ']';
        return *this;
    }
    template <typename C>
    OggettoJson& lista(const std::string& k, const C& c) { return lista(k, std::begin(c), std::end(c)); }
    // A nested object or any ready-made JSON value.
    OggettoJson& grezzo(const std::string& k, const std::string& json) { chiave(k); s_ << json; return *this; }
    std::string str() const { return s_.str() + "}"; }

private:
    void chiave(const std::string& k) { s_ << (primo_ ? "{" : ",") << '"' << k << "\":"; primo_ = false; }
    std::ostringstream s_;
    bool primo_ = true;
};

#include "core/Casuale.h"

#include <chrono>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>

namespace {

std::int64_t orologioReale()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Everything below is shared by all generators of the run (the tables, the advertisement
// panel, a search on another thread): one lock guards it.
struct Sorgente {
    std::mutex m;
    OrologioFine orologio = &orologioReale;
    bool letto = false;  // CARTOVIA_SEED has been read (or a seed set)
    std::optional<std::uint32_t> seme;
    std::map<std::string, std::uint32_t> prossimo;  // per game: index of its next seed
    std::uint64_t chiamate = 0;                      // high-resolution seeds drawn so far
};

Sorgente& sorgente()
{
    static Sorgente s;
    return s;
}

void leggiAmbiente(Sorgente& s)
{
    if (s.letto) return;
    s.letto = true;
    s.seme = LeggiSeme(std::getenv("CARTOVIA_SEED"));
}

// FNV-1a: a game name as a number that is the same on every platform and run.
std::uint32_t numeroDelNome(const std::string& nome)
{
    std::uint32_t h = 2166136261u;
    for (unsigned char c : nome) h = (h ^ c) * 16777619u;
    return h;
}

}  // namespace

std::optional<std::uint32_t> LeggiSeme(const char* testo)
{
    if (!testo || !*testo) return std::nullopt;
    std::uint64_t v = 0;
    for (const char* p = testo; *p; ++p) {
        if (*p < '0' || *p > '9') return std::nullopt;
        v = v * 10 + static_cast<unsigned>(*p - '0');
        if (v > 0xffffffffull) return std::nullopt;
    }
    return static_cast<std::uint32_t>(v);
}

std::optional<std::uint32_t> SemeDellaCorsa()
{
    Sorgente& s = sorgente();
    std::lock_guard<std::mutex> l(s.m);
    leggiAmbiente(s);
    return s.seme;
}

void ImpostaSemeDellaCorsa(std::optional<std::uint32_t> seme)
{
    Sorgente& s = sorgente();
    std::lock_guard<std::mutex> l(s.m);
    s.letto = true;
    s.seme = seme;
    s.prossimo.clear();
}

void ImpostaOrologio(OrologioFine f)
{
    Sorgente& s = sorgente();
    std::lock_guard<std::mutex> l(s.m);
    s.orologio = f ? f : &orologioReale;
}

void Casuale::SemeDallOrologio(const char* gioco)
{
    if (fisso_) return;
    Sorgente& s = sorgente();
    std::unique_lock<std::mutex> l(s.m);
    leggiAmbiente(s);
    if (s.seme) {
        // A reseed that decides no game's cards keeps the sequence the last one started.
        if (!gioco) return;
        const std::uint32_t n = *s.seme, k = s.prossimo[gioco]++;
        l.unlock();
        std::seed_seq seq{n, numeroDelNome(gioco), k};
        gen_.seed(seq);
        return;
    }
    const auto t = static_cast<std::uint64_t>(s.orologio());
    const std::uint64_t n = ++s.chiamate;
    l.unlock();
    std::uint32_t caso[2] = {0, 0};
    try {
        std::random_device rd;
        caso[0] = rd();
        caso[1] = rd();
    } catch (...) {
        // No random device: the clock and the counter still make every seed different.
    }
    std::seed_seq seq{caso[0], caso[1], static_cast<std::uint32_t>(t), static_cast<std::uint32_t>(t >> 32),
                      static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(n >> 32)};
    gen_.seed(seq);
}

#pragma once
// The one small interface every computer player of Scopa, Briscola and Rubamazzo follows,
// shared by the tables and cartovia-sim: a player sees a Vista (what its seat can see, and
// nothing else) and answers with a Mossa. Each game defines its own Vista, Mossa, the
// function that builds the Vista of a seat from the rules state, and the function that
// applies a Mossa. A player cannot read hidden cards because it never receives them.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <system_error>

#include "core/Pausa.h"

// Strength of the computer: the rule player of each game, or the search player.
enum class Livello { Normale = 0, Esperto = 1 };

inline const char* NomeLivello(Livello l) { return l == Livello::Esperto ? "Esperto" : "Normale"; }
// "Normale" or "Esperto" as stored; anything else is not a level.
inline std::optional<Livello> LivelloDaNome(const std::string& nome)
{
    if (nome == "Normale") return Livello::Normale;
    if (nome == "Esperto") return Livello::Esperto;
    return std::nullopt;
}

// The level the tables use for the computer's moves (set by the configuration).
extern Livello LivelloComputer;

template <typename VistaT, typename MossaT>
class Giocatore {
public:
    using Vista = VistaT;
    using Mossa = MossaT;
    virtual ~Giocatore() = default;
    // The move of the seat whose Vista this is. Only called when that seat is to move.
    virtual Mossa Scegli(const Vista& v) = 0;
};

// Small fast generator for the search players' samples (xorshift64*): reproducible from a seed.
class CasualeRapido {
public:
    explicit CasualeRapido(std::uint64_t seme = 1) { Fissa(seme); }
    void Fissa(std::uint64_t seme) { s_ = seme * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull; if (!s_) s_ = 1; }
    std::uint64_t Prossimo()
    {
        s_ ^= s_ >> 12;
        s_ ^= s_ << 25;
        s_ ^= s_ >> 27;
        return s_ * 0x2545F4914F6CDD1Dull;
    }
    // 0..n-1
    int Modulo(int n) { return n > 0 ? static_cast<int>((Prossimo() >> 32) % static_cast<std::uint64_t>(n)) : 0; }
    // Fisher-Yates shuffle of a[0..n-1].
    template <typename T>
    void Mescola(T* a, int n)
    {
        for (int i = n - 1; i > 0; --i) {
            const int j = Modulo(i + 1);
            T t = a[i];
            a[i] = a[j];
            a[j] = t;
        }
    }

private:
    std::uint64_t s_ = 1;
};

// Stable insertion sort of a few moves (the search players order at most a dozen at a node).
template <typename T, typename F>
void OrdinaPoche(T* a, int n, F prima)
{
    for (int i = 1; i < n; ++i) {
        T x = a[i];
        int j = i;
        for (; j > 0 && prima(x, a[j - 1]); --j) a[j] = a[j - 1];
        a[j] = x;
    }
}

// One alpha-beta node of the exact endgame solvers: side 0 maximises, side 1 minimises.
// `valore(k, alfa, beta)` plays the k-th of `n` moves (best first) and returns its value;
// `fuori` is the value no move can reach (returned as is when there is no move).
template <typename V, typename F>
V NodoAlfaBeta(int lato, int n, V alfa, V beta, V fuori, F valore)
{
    V meglio = lato == 0 ? -fuori : fuori;
    for (int k = 0; k < n; ++k) {
        const V v = valore(k, alfa, beta);
        if (lato == 0) {
            meglio = std::max(meglio, v);
            alfa = std::max(alfa, v);
        } else {
            meglio = std::min(meglio, v);
            beta = std::min(beta, v);
        }
        if (alfa >= beta) break;
    }
    return meglio;
}

// The wall-clock cap of a search player: a safety for slow machines only. The budget in
// playouts and nodes is what fixes a decision; when the cap cuts a search short the
// decision is no longer reproducible, so the table logs it. 0 (the default): no cap.
class LimiteTempo {
public:
    void ImpostaLimite(unsigned ms) { ms_ = ms; }
    bool LimiteRaggiunto() const { return raggiunto_; }

protected:
    void AvviaLimite()
    {
        raggiunto_ = false;
        if (ms_) fine_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms_);
    }
    // Checked between samples.
    bool Scaduto()
    {
        if (ms_ && !raggiunto_ && std::chrono::steady_clock::now() >= fine_) raggiunto_ = true;
        return raggiunto_;
    }

private:
    unsigned ms_ = 0;
    bool raggiunto_ = false;
    std::chrono::steady_clock::time_point fine_{};
};

// The cap the tables give the search (the budget needs a few milliseconds to a few tens).
constexpr unsigned LimiteRicercaMs = 2000;
// Logs that a table's search hit its cap (`gioco`: the game's name).
void SegnalaLimite(const char* gioco);

// Called on the worker thread just before each search of PensaInDisparte; empty by default.
// Tests hold a search with it while they watch the window.
std::function<void()>& OsservatoreRicerca();

// Runs the computer's search `lavoro` (which must only use its own copies of the game) on
// a worker thread. The calling thread meanwhile makes the table's own wait of `attesaMs`
// through the pause service, then waits for the search through AttendiLavoro: the window
// keeps painting and the move comes after max(attesaMs, search) instead of their sum.
// Should no thread be available, the search runs here.
template <typename F>
auto PensaInDisparte(F lavoro, unsigned attesaMs = 0) -> decltype(lavoro())
{
    auto compito = [lavoro]() mutable {
        if (const auto& osserva = OsservatoreRicerca()) osserva();
        return lavoro();
    };
    std::future<decltype(lavoro())> futuro;
    try {
        futuro = std::async(std::launch::async, compito);
    } catch (const std::system_error&) {
        if (attesaMs) Pausa(attesaMs);
        return compito();
    }
    if (attesaMs) Pausa(attesaMs);
    AttendiLavoro([&] { return futuro.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    return futuro.get();
}

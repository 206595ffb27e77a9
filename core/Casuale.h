#pragma once
// Pseudo-random numbers for shuffles and computer choices.
// Every shuffle reseeds from the run's one seed source (SemeDallOrologio):
//  - by default a high-resolution source (the system's random device mixed with a steady
//    clock and a counter), so two shuffles never repeat, however close together;
//  - with a run seed (CARTOVIA_SEED=N) the k-th seed drawn for a game is a fixed function
//    of N, the game and k, so every deal of the run can be played again from N, and each
//    table's deals do not depend on what was played at the other tables.
// Tests and the simulator fix a seed instead; the generator then continues its own sequence,
// so repeated shuffles differ but are reproducible.
#include <cstdint>
#include <optional>
#include <random>

class Casuale {
public:
    Casuale() = default;
    explicit Casuale(std::uint32_t seme) { Fissa(seme); }

    // Fixes the seed: from now on the sequence is reproducible.
    void Fissa(std::uint32_t seme) { fisso_ = true; gen_.seed(seme); }
    // Back to the run's seed source.
    void Libera() { fisso_ = false; }
    bool Fisso() const { return fisso_; }

    // Called where the program reseeds ("from the clock"); a no-op when the seed is fixed.
    // `gioco` names the game whose deal this seed decides ("scopa", "briscola"...): with a
    // run seed, each game draws its own sequence of seeds, and a reseed that names no game
    // continues the generator's current sequence.
    void SemeDallOrologio(const char* gioco = nullptr);
    // Next number, 0 .. 2^31-1 (the range of the C library's rand on this platform).
    std::uint32_t Prossimo() { return gen_() & 0x7fffffffu; }
    // Uniform-ish integer 0..n-1 as "rand() mod n".
    int Modulo(int n) { return n > 0 ? static_cast<int>(Prossimo() % static_cast<std::uint32_t>(n)) : 0; }

private:
    bool fisso_ = false;
    std::mt19937 gen_{0};
};

// ---- the run's seed ----
// The run seed: CARTOVIA_SEED read at the first use (a decimal 0..4294967295; anything else
// counts as unset), or what ImpostaSemeDellaCorsa set.
std::optional<std::uint32_t> SemeDellaCorsa();
// Sets or clears the run seed and starts every game's sequence of seeds again, as at the
// start of a run.
void ImpostaSemeDellaCorsa(std::optional<std::uint32_t> seme);
// "7" -> 7; empty, signed, non-digits or beyond 32 bits -> nullopt.
std::optional<std::uint32_t> LeggiSeme(const char* testo);

// Nanoseconds of the steady clock, mixed into every high-resolution seed. Tests may stop it.
using OrologioFine = std::int64_t (*)();
void ImpostaOrologio(OrologioFine f);  // nullptr restores the real clock

#pragma once
// Pseudo-random numbers for shuffles and computer choices.
// By default every shuffle seeds from the clock in whole seconds, as the program always has
// (two shuffles within one second give the same order). Tests and the simulator fix a seed
// instead; the generator then continues its own sequence, so repeated shuffles differ but
// are reproducible.
#include <cstdint>
#include <optional>
#include <random>

class Casuale {
public:
    Casuale() = default;
    explicit Casuale(std::uint32_t seme) { Fissa(seme); }

    // Fixes the seed: from now on the sequence is reproducible.
    void Fissa(std::uint32_t seme) { fisso_ = true; gen_.seed(seme); }
    // Back to clock seeding.
    void Libera() { fisso_ = false; }
    bool Fisso() const { return fisso_; }

    // Called where the program reseeds from the clock; a no-op when the seed is fixed.
    void SemeDallOrologio();
    // Next number, 0 .. 2^31-1 (the range of the C library's rand on this platform).
    std::uint32_t Prossimo() { return gen_() & 0x7fffffffu; }
    // Uniform-ish integer 0..n-1 as "rand() mod n".
    int Modulo(int n) { return n > 0 ? static_cast<int>(Prossimo() % static_cast<std::uint32_t>(n)) : 0; }

private:
    bool fisso_ = false;
    std::mt19937 gen_{0};
};

// Seconds of the calendar clock; the source of every clock seed. Tests may replace it.
using OrologioSecondi = std::int64_t (*)();
void ImpostaOrologio(OrologioSecondi f);  // nullptr restores the real clock
std::int64_t SecondiOrologio();

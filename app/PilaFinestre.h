#pragma once
// The window stack of the chooser: codes of the windows opened on top of it.
// Entry 0 is always 0 (no window); ProfonditaPila is the index of the top entry.
#include <array>
#include <cstdint>
#include <functional>

class PilaFinestre {
public:
    static constexpr int Capienza = 256;

    std::function<void(int codice)> Mostra;    // show and bring to the front
    std::function<void(int codice)> Nascondi;  // hide

    // Hides the window on top (if any), pushes `codice` and shows it. A push beyond the
    // last entry is refused (nothing changes) so the stack can never be overrun.
    bool ApriFinestra(int codice);
    // Hides the window on top and shows the one below (nothing on an empty stack).
    void TornaIndietro();

    int Profondita() const { return ProfonditaPila; }
    int Cima() const { return PilaFinestre_[ProfonditaPila]; }
    int Voce(int i) const { return i >= 0 && i < Capienza ? PilaFinestre_[i] : 0; }

private:
    std::array<std::int32_t, Capienza> PilaFinestre_{};
    std::int32_t ProfonditaPila = 0;
};

#include "core/Pausa.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace {
double scalaTempo = 1.0;
Dormiente dormiente;
unsigned long long conteggio = 0;
unsigned long long totaleMs = 0;
}  // namespace

void ImpostaScalaTempo(double scala) { scalaTempo = scala > 0 ? scala : 0.0; }
double ScalaTempo() { return scalaTempo; }
void ImpostaDormiente(Dormiente d) { dormiente = std::move(d); }
unsigned long long PauseRichieste() { return conteggio; }
unsigned long long MillisecondiRichiesti() { return totaleMs; }

void Pausa(unsigned ms)
{
    ++conteggio;
    totaleMs += ms;
    const auto scalati = static_cast<unsigned>(std::lround(ms * scalaTempo));
    if (scalati == 0) return;
    if (dormiente)
        dormiente(scalati);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(scalati));
}

void AttendiLavoro(const std::function<bool()>& finito)
{
    while (!finito()) {
        if (dormiente)
            dormiente(1);
        else
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

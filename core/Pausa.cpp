#include "core/Pausa.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

namespace {
double scalaTempo = 1.0;
Velocita velocita = Velocita::Normale;
Dormiente dormiente;
unsigned long long conteggio = 0;
unsigned long long totaleMs = 0;
}  // namespace

void ImpostaScalaTempo(double scala) { scalaTempo = scala > 0 ? scala : 0.0; }
double ScalaTempo() { return scalaTempo; }
double FattoreVelocita(Velocita v)
{
    switch (v) {
    case Velocita::Veloce: return 0.5;
    case Velocita::Rapida: return 0.25;
    default: return 1.0;
    }
}

const char* NomeVelocita(Velocita v)
{
    switch (v) {
    case Velocita::Veloce: return "Veloce";
    case Velocita::Rapida: return "Rapida";
    default: return "Normale";
    }
}

Velocita VelocitaDaNome(const char* nome, bool* riconosciuto)
{
    for (Velocita v : {Velocita::Normale, Velocita::Veloce, Velocita::Rapida})
        if (nome && std::strcmp(nome, NomeVelocita(v)) == 0) {
            if (riconosciuto) *riconosciuto = true;
            return v;
        }
    if (riconosciuto) *riconosciuto = false;
    return Velocita::Normale;
}

void ImpostaVelocita(Velocita v)
{
    velocita = (v == Velocita::Veloce || v == Velocita::Rapida) ? v : Velocita::Normale;
}
Velocita VelocitaCorrente() { return velocita; }
void ImpostaDormiente(Dormiente d) { dormiente = std::move(d); }
unsigned long long PauseRichieste() { return conteggio; }
unsigned long long MillisecondiRichiesti() { return totaleMs; }

void Pausa(unsigned ms)
{
    ++conteggio;
    totaleMs += ms;
    // At Normale the factor is exactly 1: the designed pauses, unchanged.
    const auto scalati = static_cast<unsigned>(std::lround(ms * scalaTempo * FattoreVelocita(velocita)));
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

#pragma once
// The one pause service. Every blocking wait of the program (the engine's 500 ms, the
// tables' 100-1200 ms waits, the steps of a card flight) goes through Pausa, scaled by one
// time factor: 1 in the program, 0 in tests and the simulator (no waiting at all).
#include <functional>

void Pausa(unsigned ms);
void ImpostaScalaTempo(double scala);  // negative values count as 0
double ScalaTempo();

// The player's pace of play ("Velocità"): it shortens every pause and flight on top of the
// time scale, and nothing else (the timers between moves keep their intervals).
enum class Velocita { Normale = 0, Veloce = 1, Rapida = 2 };
// 1 for Normale (the designed pauses), 1/2 for Veloce, 1/4 for Rapida.
double FattoreVelocita(Velocita v);
const char* NomeVelocita(Velocita v);
// The pace named `nome` ("Normale", "Veloce", "Rapida"); Normale for any other text, and
// `riconosciuto` (when given) says whether the name was one of those.
Velocita VelocitaDaNome(const char* nome, bool* riconosciuto = nullptr);
void ImpostaVelocita(Velocita v);
Velocita VelocitaCorrente();

// The GUI installs a sleeper that keeps the screen painted while it waits; the default
// sleeps the thread. The sleeper receives the already scaled milliseconds (never 0).
using Dormiente = std::function<void(unsigned ms)>;
void ImpostaDormiente(Dormiente d);  // empty restores the thread sleep

// Waits, however long it takes, until `finito` is true: the computer's search on a worker
// thread. Through the installed sleeper in short steps, so the window keeps painting; not
// scaled and not counted as a pause (it is the time the work takes, not a designed wait).
void AttendiLavoro(const std::function<bool()>& finito);

// Counts pauses requested since start (scaled or not): lets tests check that a step waited.
unsigned long long PauseRichieste();
unsigned long long MillisecondiRichiesti();

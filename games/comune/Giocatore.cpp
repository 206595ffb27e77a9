#include "games/comune/Giocatore.h"

#include <cstdio>

Livello LivelloComputer = Livello::Normale;

void SegnalaLimite(const char* gioco)
{
    std::fprintf(stderr, "cartovia: %s: the computer's search hit its %u ms cap; its move used a smaller budget\n",
                 gioco, LimiteRicercaMs);
}

std::function<void()>& OsservatoreRicerca()
{
    static std::function<void()> osservatore;
    return osservatore;
}

#include "games/comune/Giocatore.h"

Livello LivelloComputer = Livello::Normale;

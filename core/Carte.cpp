#include "core/Carte.h"

#include <cstdio>

const char* NomeSeme(int seme)
{
    static const char* const nomi[] = {"", "Denari", "Spade", "Bastoni", "Coppe"};
    return (seme >= 1 && seme <= 4) ? nomi[seme] : "";
}

std::string NomeCarta(int c)
{
    if (c < 1 || c > CarteNelMazzo) return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d %s", NumeroCarta(c), NomeSeme(SemeCarta(c)));
    return buf;
}

#include "core/Globali.h"

std::string CartellaLavoro;
std::string NomeGiocatore = NomeGiocatorePredefinito;

std::function<std::string()>& FonteNomeGiocatore()
{
    static std::function<std::string()> fonte = [] { return NomeGiocatore; };
    return fonte;
}

std::string NomeGiocatoreCorrente()
{
    auto& f = FonteNomeGiocatore();
    return f ? f() : NomeGiocatore;
}

std::string PercorsoInCartella(const std::string& cartella, const std::string& nome)
{
    // Only the name is written the Windows way. The folder is a path of this system, where a
    // backslash is an ordinary character of a name ("/x/a\b" is one folder, not two).
    std::string n = nome;
    for (char& ch : n)
        if (ch == '\\') ch = '/';
    // One separator at the join, also for a folder at the root ("/" + "/Punteggi...").
    std::size_t inizio = 0;
    if (!cartella.empty() && cartella.back() == '/')
        while (inizio < n.size() && n[inizio] == '/') ++inizio;
    return cartella + n.substr(inizio);
}

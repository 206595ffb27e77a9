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
    std::string p = cartella + nome;
    for (char& ch : p)
        if (ch == '\\') ch = '/';
    std::string out;
    out.reserve(p.size());
    for (char ch : p)
        if (!(ch == '/' && !out.empty() && out.back() == '/')) out += ch;
    return out;
}

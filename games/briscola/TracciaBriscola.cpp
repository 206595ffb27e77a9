#include "games/briscola/TracciaBriscola.h"

#include <iterator>

#include "core/Traccia.h"
#include "games/briscola/RegoleBriscola.h"

std::vector<int> CarteManoBriscola(const RegoleBriscola& r, const std::int32_t* mano)
{
    return {r.Carta(mano[1]), r.Carta(mano[2]), r.Carta(mano[3])};
}

PrimaDellaPresa StatoPrimaDellaPresa(const RegoleBriscola& r)
{
    return {r.Turno, CarteManoBriscola(r, r.ManoGiocatore), CarteManoBriscola(r, r.ManoComputer),
            std::vector<int>(std::begin(r.Viste), std::end(r.Viste))};
}

std::string RigaPresaBriscola(int presa, const PrimaDellaPresa& prima, const std::vector<int>& viste, int cartaGiocatore,
                              int cartaComputer, int vincitore, const RegoleBriscola& r)
{
    return OggettoJson()
        .campo("game", "briscola")
        .campo("trick", presa)
        .campo("Iniziatore", prima.iniziatore)
        .campo("CartaBriscola", r.Carta(r.CartaBriscola))
        .lista("ManoGiocatore", prima.manoGiocatore)
        .lista("ManoComputer", prima.manoComputer)
        .campo("GiocataGiocatore", cartaGiocatore)
        .campo("GiocataComputer", cartaComputer)
        .campo("VincitorePresa", vincitore)
        .campo("PuntiGiocatore", r.PuntiGiocatore)
        .campo("PuntiComputer", r.PuntiComputer)
        .campo("CartePescate", r.CartePescate)
        .lista("Viste", viste)
        .str();
}

std::string RigaRisultatoBriscola(const RegoleBriscola& r)
{
    return OggettoJson()
        .campo("game", "briscola")
        .campo("event", "result")
        .campo("Esito", r.Esito)
        .campo("PuntiGiocatore", r.PuntiGiocatore)
        .campo("PuntiComputer", r.PuntiComputer)
        .str();
}

void TracciatoreBriscola::PrimaDellaCarta(const RegoleBriscola& r)
{
    if (!TracciaAttiva() || r.CarteGiocate != 0) return;
    prima_ = StatoPrimaDellaPresa(r);
    viste_ = prima_.viste;
}

void TracciatoreBriscola::SceltaComputer(const RegoleBriscola& r)
{
    if (TracciaAttiva()) viste_.assign(std::begin(r.Viste), std::end(r.Viste));
}

void TracciatoreBriscola::Presa(const RegoleBriscola& r, int cartaGiocatore, int cartaComputer, int vincitore)
{
    ++presa_;
    if (TracciaAttiva())
        ScriviTraccia(RigaPresaBriscola(presa_, prima_, viste_, cartaGiocatore, cartaComputer, vincitore, r));
}

void TracciatoreBriscola::Risultato(const RegoleBriscola& r) const
{
    if (TracciaAttiva()) ScriviTraccia(RigaRisultatoBriscola(r));
}

#include "games/rubamazzo/TracciaRubamazzo.h"

#include <vector>

#include "core/Traccia.h"
#include "games/rubamazzo/RegoleRubamazzo.h"

std::string StatoTracciaRubamazzo(const RegoleRubamazzo& r)
{
    std::vector<int> posti, g, c;
    for (int j = 1; j <= r.NumeroPosti(); ++j) posti.push_back(r.Carta(r.Posti[j]));
    for (int k = 1; k < r.IndicePreseGiocatore; ++k) g.push_back(r.Carta(r.PreseGiocatore[k]));
    for (int k = 1; k < r.IndicePreseComputer; ++k) c.push_back(r.Carta(r.PreseComputer[k]));
    return OggettoJson()
        .lista("Posti", posti)
        .lista("PreseGiocatore", g)
        .lista("PreseComputer", c)
        .campo("CimaGiocatore", r.Carta(r.CimaGiocatore))
        .campo("CimaComputer", r.Carta(r.CimaComputer))
        .campo("UltimaPresa", r.UltimaPresa)
        .campo("ProssimaCarta", r.ProssimaCarta)
        .str();
}

std::string RigaMossaRubamazzo(int mossa, int lato, const std::string& prima, const RegoleRubamazzo& r)
{
    return OggettoJson()
        .campo("game", "rubamazzo")
        .campo("move", mossa)
        .campo("side", lato)
        .grezzo("before", prima)
        .grezzo("after", StatoTracciaRubamazzo(r))
        .str();
}

std::string RigaRisultatoRubamazzo(const RegoleRubamazzo& r)
{
    return OggettoJson()
        .campo("game", "rubamazzo")
        .campo("event", "result")
        .campo("PileGiocatore", r.PilaGiocatore())
        .campo("PileComputer", r.PilaComputer())
        .campo("result", r.Risultato)
        .str();
}

void TracciatoreRubamazzo::PrimaDellaMossa(const RegoleRubamazzo& r)
{
    if (TracciaAttiva()) prima_ = StatoTracciaRubamazzo(r);
}

void TracciatoreRubamazzo::Mossa(const RegoleRubamazzo& r, int lato)
{
    ++mossa_;
    if (TracciaAttiva()) ScriviTraccia(RigaMossaRubamazzo(mossa_, lato, prima_, r));
}

void TracciatoreRubamazzo::Risultato(const RegoleRubamazzo& r) const
{
    if (TracciaAttiva()) ScriviTraccia(RigaRisultatoRubamazzo(r));
}

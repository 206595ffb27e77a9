#include "games/settemezzo/TracciaSettemezzo.h"

#include <vector>

#include "core/Traccia.h"
#include "games/settemezzo/RegoleSettemezzo.h"

namespace {

std::vector<int> Carte(const RegoleSettemezzo& r, const std::int32_t* mano)
{
    std::vector<int> v;
    for (int i = 1; i <= 7; ++i)
        if (mano[i]) v.push_back(r.Carta(mano[i]));
    return v;
}

}  // namespace

std::string RigaSmazzataSettemezzo(int mano, const RegoleSettemezzo& r)
{
    return OggettoJson()
        .campo("game", "settemezzo")
        .campo("deal", mano)
        .lista("player", Carte(r, r.CarteGiocatore))
        .lista("computer", Carte(r, r.CarteComputer))
        .campo("PuntiManoGiocatore", r.PuntiManoGiocatore)
        .campo("PuntiManoComputer", r.PuntiManoComputer)
        .lista("scores", std::vector<int>{r.PunteggioGiocatore, r.PunteggioComputer})
        .str();
}

std::string RigaRisultatoSettemezzo(int vincitore, int mani, const RegoleSettemezzo& r)
{
    return OggettoJson()
        .campo("game", "settemezzo")
        .campo("event", "result")
        .campo("winner", vincitore)
        .campo("deals", mani)
        .lista("scores", std::vector<int>{r.PunteggioGiocatore, r.PunteggioComputer})
        .str();
}

void TracciatoreSettemezzo::ManoDecisa(const RegoleSettemezzo& r)
{
    ++mani_;
    if (TracciaAttiva()) ScriviTraccia(RigaSmazzataSettemezzo(mani_, r));
}

void TracciatoreSettemezzo::Risultato(const RegoleSettemezzo& r) const
{
    if (TracciaAttiva()) ScriviTraccia(RigaRisultatoSettemezzo(r.VincitorePartita, mani_, r));
}

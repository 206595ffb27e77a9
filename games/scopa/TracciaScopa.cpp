#include "games/scopa/TracciaScopa.h"

#include "core/Traccia.h"
#include "games/scopa/MotoreScopa.h"

std::string StatoTracciaScopa(const MotoreScopa& m)
{
    return OggettoJson()
        .lista("ManoGiocatore", m.ManoGiocatore + 1, m.ManoGiocatore + 4)
        .lista("ManoComputer", m.ManoComputer + 1, m.ManoComputer + 4)
        .lista("Tavolo", m.Tavolo + 1, m.Tavolo + 1 + m.NumeroPostiTavolo())
        .lista("PreseGiocatore", m.PreseGiocatore + 1, m.PreseGiocatore + 1 + m.ContaPreseGiocatore)
        .lista("PreseComputer", m.PreseComputer + 1, m.PreseComputer + 1 + m.ContaPreseComputer)
        .campo("ScopeGiocatore", m.ScopeGiocatore)
        .campo("ScopeComputer", m.ScopeComputer)
        .campo("UltimaPresa", m.UltimaPresa)
        .campo("Turno", m.Turno)
        .campo("CarteDistribuite", m.CarteDistribuite)
        .str();
}

std::string RigaMossaScopa(long long mano, int mossa, int lato, const std::string& prima, const MotoreScopa& m)
{
    return OggettoJson()
        .campo("game", "scopa")
        .campo("hand", mano)
        .campo("move", mossa)
        .campo("side", lato)
        .grezzo("before", prima)
        .grezzo("after", StatoTracciaScopa(m))
        .lista("CarteMossa", m.CarteMossa)
        .str();
}

std::string RigaContoScopa(long long mano, const int* scheda, int esito, int totaleGiocatore, int totaleComputer)
{
    const int totali[2] = {totaleGiocatore, totaleComputer};
    return OggettoJson()
        .campo("game", "scopa")
        .campo("hand", mano)
        .campo("event", "count")
        .lista("SchedaMano", scheda, scheda + 52)
        .campo("result", esito)
        .lista("totals", totali)
        .str();
}

void TracciatoreScopa::PrimaDellaMossa(const MotoreScopa& m)
{
    if (TracciaAttiva()) prima_ = StatoTracciaScopa(m);
}

void TracciatoreScopa::Mossa(const MotoreScopa& m, int lato)
{
    ++mossa_;
    if (TracciaAttiva()) ScriviTraccia(RigaMossaScopa(mano_, mossa_, lato, prima_, m));
}

void TracciatoreScopa::Conto(const int* scheda, int esito, int totaleGiocatore, int totaleComputer) const
{
    if (TracciaAttiva()) ScriviTraccia(RigaContoScopa(mano_, scheda, esito, totaleGiocatore, totaleComputer));
}

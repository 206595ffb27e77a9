#include "games/settemezzo/RegoleSettemezzo.h"

#include <algorithm>

RegoleSettemezzo::RegoleSettemezzo(StatoMazzo& mazzo) : mazzo_(mazzo) {}

int RegoleSettemezzo::ValoreMezzo(int c)
{
    if (c < 1 || c > 40) return 0;
    const int n = c % 10 == 0 ? 10 : c % 10;
    return n <= 7 ? 10 * n : 5;
}

int RegoleSettemezzo::ValoreCarte(const std::int32_t* carte, int quante)
{
    int somma = 0, mezzi = 0;
    bool matta = false;
    for (int i = 0; i < quante; ++i) {
        const int v = ValoreMezzo(carte[i]);
        somma += v;
        if (v == 5) ++mezzi;  // the wild card counts as a half here too
        if (carte[i] == CartaMatta) matta = true;
    }
    if (!matta || somma >= 80) return somma;
    // The wild card takes whatever value brings the hand closest to seven and a half:
    // with an odd number of other halves it completes 7.5; otherwise it makes 7, unless the
    // other cards already make exactly 7, when counting it as a half gives 7.5.
    if (mezzi % 2 == 0 || somma == SetteEMezzo) return SetteEMezzo;
    return 70;
}

bool RegoleSettemezzo::SiFerma(int punti, int carte)
{
    return (punti > 50 && carte <= 2) || punti > 55 || carte >= 7;
}

int RegoleSettemezzo::VincitoreMano(int g, int c)
{
    // Values are multiples of 5, so "below 80" means "not bust". At most one test holds.
    if (c < 80 && c > g) return 2;
    if (g < 80 && c < g) return 1;
    if (c > 75 && g < 80) return 1;
    if (c < 80 && g > 75) return 2;
    return 0;
}

int RegoleSettemezzo::CarteInMano(const std::int32_t mano[8])
{
    int n = 0;
    for (int i = 1; i <= 7; ++i)
        if (mano[i] != 0) ++n;
    return n;
}

int RegoleSettemezzo::ValoreMano(const std::int32_t mano[8]) const
{
    std::int32_t carte[7];
    for (int i = 1; i <= 7; ++i) carte[i - 1] = Carta(mano[i]);
    return ValoreCarte(carte, 7);
}

int RegoleSettemezzo::PrimoSlotLibero(const std::int32_t mano[8]) const
{
    for (int i = 1; i <= 7; ++i)
        if (mano[i] == 0) return i;
    return 0;
}

void RegoleSettemezzo::AggiornaTavolo()
{
    PuntiManoGiocatore = ValoreMano(CarteGiocatore);
    PuntiManoComputer = ValoreMano(CarteComputer);
    if (MostraTavolo) MostraTavolo();
}

void RegoleSettemezzo::NuovaDistribuzione()
{
    TurnoAperto = true;
    mazzo_.Mischia("settemezzo");
    std::fill(std::begin(TabellaCarte), std::end(TabellaCarte), 0);
    for (int i = 1; i <= 40; ++i) TabellaCarte[i] = mazzo_.RitornaCarta(i);
    CarteEstratte = 0;
    std::fill(std::begin(CarteGiocatore), std::end(CarteGiocatore), 0);
    std::fill(std::begin(CarteComputer), std::end(CarteComputer), 0);
    PuntiManoGiocatore = PuntiManoComputer = 0;
    EsitoMano = 0;
}

void RegoleSettemezzo::NuovaPartita()
{
    NuovaDistribuzione();
    PunteggioGiocatore = PunteggioComputer = PunteggioIniziale;
    VincitorePartita = 0;
    AggiornaTavolo();
    NuovaCartaAttivo = true;
    StopAttivo = false;
    FaseTavolo = TurnoGiocatore;
}

int RegoleSettemezzo::NuovoTurno()
{
    if (FaseTavolo != ManoDecisa || PunteggioGiocatore >= PunteggioVittoria ||
        PunteggioComputer >= PunteggioVittoria)
        return 0;
    NuovaDistribuzione();
    AggiornaTavolo();
    NuovaCartaAttivo = true;
    StopAttivo = false;
    FaseTavolo = TurnoGiocatore;
    return 1;
}

int RegoleSettemezzo::NuovaCarta()
{
    if (!TurnoAperto || FaseTavolo != TurnoGiocatore) return 0;
    const int slot = PrimoSlotLibero(CarteGiocatore);
    if (slot == 0) return 0;  // no slot: the card stays in the deck rather than vanish
    ++CarteEstratte;
    // The deal's own copy of the order: another table may reshuffle the shared deck
    // meanwhile, and reading it live could hand out a card already held.
    CarteGiocatore[slot] = TabellaCarte[CarteEstratte];
    AggiornaTavolo();
    if (PuntiManoGiocatore > SetteEMezzo || CarteGiocatore[7] != 0) {
        FaseTavolo = TurnoComputer;
        NuovaCartaAttivo = StopAttivo = false;
    }
    return slot;
}

int RegoleSettemezzo::Stop()
{
    // Standing needs a running match and at least one card: before the first match there is
    // nothing to stand on, and a dealer's turn must never start without a deal.
    if (!TurnoAperto || FaseTavolo != TurnoGiocatore || CarteGiocatore[1] == 0) return 0;
    NuovaCartaAttivo = StopAttivo = false;
    FaseTavolo = TurnoComputer;
    return 1;
}

int RegoleSettemezzo::PassoTimer()
{
    if (FaseTavolo == TurnoGiocatore) StopAttivo = CarteGiocatore[1] != 0;

    if (FaseTavolo == ManoDecisa) {
        if (PunteggioGiocatore >= PunteggioVittoria || PunteggioComputer >= PunteggioVittoria) {
            VincitorePartita = PunteggioGiocatore >= PunteggioVittoria ? 1 : 2;
            FaseTavolo = PartitaFinita;
            NuovoTurnoAttivo = false;
            return VincitorePartita == 1 ? VinceGiocatore : VinceComputer;
        }
        NuovoTurnoAttivo = true;
    } else {
        NuovoTurnoAttivo = false;
    }

    if (FaseTavolo != TurnoComputer) return NienteDaFare;
    const int slot = PrimoSlotLibero(CarteComputer);
    if (slot != 0) {
        ++CarteEstratte;
        CarteComputer[slot] = TabellaCarte[CarteEstratte];
        AggiornaTavolo();
    }
    if (!SiFerma(PuntiManoComputer, CarteInMano(CarteComputer))) return ComputerPesca;

    FaseTavolo = ManoDecisa;
    EsitoMano = VincitoreMano(PuntiManoGiocatore, PuntiManoComputer);
    if (EsitoMano == 1) {
        ++PunteggioGiocatore;
        --PunteggioComputer;
    } else if (EsitoMano == 2) {
        ++PunteggioComputer;
        --PunteggioGiocatore;
    }
    AggiornaTavolo();
    return ComputerSiFerma;
}

void RegoleSettemezzo::AggiornaAttivi()
{
    if (FaseTavolo == TurnoGiocatore) StopAttivo = CarteGiocatore[1] != 0;
    const bool finita = PunteggioGiocatore >= PunteggioVittoria || PunteggioComputer >= PunteggioVittoria;
    // A decided deal that ends the match leaves the button to the timer, which ends it.
    if (FaseTavolo == ManoDecisa)
        NuovoTurnoAttivo = !finita;
    else
        NuovoTurnoAttivo = false;
}

#include "games/briscola/RegoleBriscola.h"

#include <algorithm>

int ForzaNumero(int numero)
{
    // Index = number 0..10: no card, Ace, Two, Three ... King.
    static constexpr int forza[11] = {0, 10, 1, 9, 2, 3, 4, 5, 6, 7, 8};
    return numero >= 0 && numero <= 10 ? forza[numero] : 0;
}

int PuntiForza(int forza)
{
    switch (forza) {
    case 10: return 11;
    case 9: return 10;
    case 8: return 4;
    case 7: return 3;
    case 6: return 2;
    default: return 0;
    }
}

RegoleBriscola::RegoleBriscola(StatoMazzo& mazzo) : mazzo_(mazzo) {}

int RegoleBriscola::Carta(int h) const { return h >= 1 && h <= 40 ? CarteMazzo[h] : 0; }

int RegoleBriscola::Seme(int h) const
{
    const int c = Carta(h);
    if (c < 11) return 1;
    if (c < 21) return 2;
    if (c < 31) return 3;
    return 4;
}

int RegoleBriscola::Numero(int h) const
{
    const int c = Carta(h);
    return c == 0 ? 0 : c - 10 * (Seme(h) - 1);
}

int RegoleBriscola::Forza(int h) const { return ForzaNumero(Numero(h)); }

void RegoleBriscola::NuovaPartita()
{
    for (int i = 1; i <= 3; ++i) ManoComputer[i] = ManoGiocatore[i] = 0;
    GiocataComputer = GiocataGiocatore = 0;
    mazzo_.Mischia("briscola");

    // The first game of a run is led by the player; afterwards the sides alternate,
    // whoever won.
    Turno = IniziatorePartita == 1 ? 2 : 1;
    IniziatorePartita = Turno;

    CarteGiocate = 0;
    CartePescate = 6;
    VincitorePresa = 0;
    StoriaPrese = 0;
    Iniziatore = Turno;

    std::fill(std::begin(CarteMazzo), std::end(CarteMazzo), 0);
    std::fill(std::begin(PreseGiocatore), std::end(PreseGiocatore), 0);
    std::fill(std::begin(PreseComputer), std::end(PreseComputer), 0);
    std::fill(std::begin(Viste), std::end(Viste), 0);
    for (int i = 1; i <= 40; ++i) CarteMazzo[i] = mazzo_.RitornaCarta(i);

    for (int i = 1; i <= 3; ++i) {
        ManoComputer[i] = CarteMazzo[i];
        ManoGiocatore[i] = CarteMazzo[i + 3];
    }
    CartaBriscola = CarteMazzo[40];
    AggiornaPunteggio();
}

int RegoleBriscola::GiocaGiocatore(int k)
{
    if (k < 1 || k > 3 || Turno != 1 || CarteGiocate >= 2 || ManoGiocatore[k] == 0) return 0;
    GiocataGiocatore = ManoGiocatore[k];
    ManoGiocatore[k] = 0;
    Turno = 2;
    ++CarteGiocate;
    return 1;
}

void RegoleBriscola::EstraiRicordo()
{
    Casuale& g = mazzo_.Generatore();
    g.SemeDallOrologio("briscola");
    RicordoGiocatore = g.Modulo(3);
}

int RegoleBriscola::SceltaComputer()
{
    if (Turno != 2 || CarteGiocate >= 2) return 0;
    return CarteGiocate == 0 ? CartaDiApertura() : CartaDiRisposta();
}

int RegoleBriscola::GiocaComputer(int i)
{
    if (i < 1 || i > 3 || Turno != 2 || CarteGiocate >= 2 || ManoComputer[i] == 0) return 0;
    GiocataComputer = ManoComputer[i];
    ManoComputer[i] = 0;
    Turno = 1;
    ++CarteGiocate;
    return 1;
}

int RegoleBriscola::Vincitore(int p, int q, int leader) const
{
    const int t = SemeBriscola();
    const int sp = Seme(p), sq = Seme(q);
    if (sp == t && sq != t) return 1;
    if (sq == t && sp != t) return 2;
    if (sp == sq) return Forza(p) > Forza(q) ? 1 : 2;  // both trumps, or the same plain suit
    return leader;                                     // two plain suits: the leader keeps it
}

int RegoleBriscola::DecidiPresa()
{
    if (CarteGiocate < 2) return 0;
    CarteGiocate = 0;
    ++CartePescate;
    if (StoriaPrese >= 0 && StoriaPrese < 20) {
        ++StoriaPrese;
        StoriaIniziatore[StoriaPrese] = Iniziatore;
        StoriaGiocatore[StoriaPrese] = GiocataGiocatore;
        StoriaComputer[StoriaPrese] = GiocataComputer;
    }
    VincitorePresa = Vincitore(GiocataGiocatore, GiocataComputer, Iniziatore);
    Iniziatore = VincitorePresa;
    return VincitorePresa;
}

void RegoleBriscola::AggiungiPresa(std::int32_t* pila, int h)
{
    if (pila[0] < 100) pila[++pila[0]] = h;
}

void RegoleBriscola::RaccogliPresa()
{
    // Runs once per decided trick: both cards are still on the table.
    if (CarteGiocate != 0 || VincitorePresa == 0 || GiocataComputer == 0 || GiocataGiocatore == 0) return;
    const int vincitore = VincitorePresa;
    std::int32_t* pila = vincitore == 1 ? PreseGiocatore : PreseComputer;
    AggiungiPresa(pila, GiocataComputer);
    AggiungiPresa(pila, GiocataGiocatore);
    Turno = vincitore;

    if (40 - CartePescate > 0) {
        std::int32_t* manoVincitore = vincitore == 1 ? ManoGiocatore : ManoComputer;
        std::int32_t* manoPerdente = vincitore == 1 ? ManoComputer : ManoGiocatore;
        // Each side has exactly one empty slot here; only the first empty slot is filled,
        // so a card can never be dealt into two slots at once.
        auto pesca = [](std::int32_t* mano, int h) {
            for (int i = 1; i <= 3; ++i)
                if (mano[i] == 0) { mano[i] = h; return; }
        };
        pesca(manoVincitore, CarteMazzo[CartePescate]);
        ++CartePescate;
        // With one covered card left, this is position 40: the loser takes the face-up trump.
        pesca(manoPerdente, CarteMazzo[CartePescate]);
    }
    GiocataComputer = GiocataGiocatore = 0;
    AggiornaPunteggio();
}

int RegoleBriscola::RisolviPresa()
{
    const int v = DecidiPresa();
    if (v != 0) RaccogliPresa();
    return v;
}

void RegoleBriscola::AggiornaPunteggio()
{
    auto conta = [this](const std::int32_t* pila) {
        int punti = 0;
        for (int k = 1; k <= pila[0] && k <= 100; ++k) punti += Punti(pila[k]);
        return punti;
    };
    PuntiGiocatore = conta(PreseGiocatore);
    PuntiComputer = conta(PreseComputer);
    Esito = PuntiGiocatore == PuntiComputer ? 0 : (PuntiGiocatore > PuntiComputer ? 1 : 2);
    if (MostraPunteggio) MostraPunteggio();
}

void RegoleBriscola::MarcaViste(int h)
{
    const int f = Forza(h);
    if (f > 0) Viste[(Seme(h) - 1) * 10 + f] = 1;
}

int RegoleBriscola::SlotApertura(const std::int32_t punteggi[4], const std::int32_t mano[4])
{
    for (int i = 1; i <= 3; ++i) {
        const int a = i % 3 + 1, b = (i + 1) % 3 + 1;
        if (punteggi[i] < punteggi[a] && punteggi[i] < punteggi[b]) return i;
    }
    for (int i = 1; i <= 3; ++i)
        if (mano[i] != 0) return i;
    return 0;
}

int RegoleBriscola::CartaDiApertura()
{
    // Memory: everything in its own pile, and the cards of the player's latest
    // RicordoGiocatore tricks (two cards each). A short, varying memory of the opponent's
    // pile keeps the lead from being perfectly informed without making it blind.
    std::fill(std::begin(Viste), std::end(Viste), 0);
    for (int k = 1; k <= PreseComputer[0]; ++k) MarcaViste(PreseComputer[k]);
    const int n = PreseGiocatore[0];
    const int ricordo = std::clamp<int>(RicordoGiocatore, 0, 2);
    for (int k = std::max(1, n - 2 * ricordo + 1); k <= n; ++k) MarcaViste(PreseGiocatore[k]);

    // Lower score = cheaper to give away: low cards of suits whose Ace and Three are gone.
    const int t = SemeBriscola();
    PunteggiApertura[0] = 0;
    for (int i = 1; i <= 3; ++i) {
        const int h = ManoComputer[i];
        if (h == 0) {
            PunteggiApertura[i] = 99;
            continue;
        }
        const int s = Seme(h);
        int punteggio = Forza(h);
        if (Viste[s * 10] == 0) punteggio += 10;      // that suit's Ace is still out
        if (Viste[s * 10 - 1] == 0) punteggio += 10;  // that suit's Three is still out
        if (s == t) punteggio += 30;
        PunteggiApertura[i] = punteggio;
    }
    return SlotApertura(PunteggiApertura, ManoComputer);
}

int RegoleBriscola::CartaDiRisposta()
{
    int tenute = 0, unica = 0;
    for (int i = 1; i <= 3; ++i)
        if (ManoComputer[i] != 0) { ++tenute; unica = i; }
    if (tenute == 0) return 0;
    if (tenute == 1) return unica;

    const int p = GiocataGiocatore;
    const int ls = Seme(p), lv = Forza(p), t = SemeBriscola();
    auto forza = [this](int i) { return Forza(ManoComputer[i]); };
    auto briscola = [&](int i) { return Seme(ManoComputer[i]) == t; };
    auto diSeme = [&](int i) { return Seme(ManoComputer[i]) == ls; };

    // Highest and lowest among held cards; equal taking order goes to the later slot.
    auto piuAlta = [&](auto condizione) {
        int scelta = 0;
        for (int i = 1; i <= 3; ++i)
            if (ManoComputer[i] != 0 && condizione(i) && (scelta == 0 || forza(i) >= forza(scelta))) scelta = i;
        return scelta;
    };
    auto piuBassa = [&](auto condizione) {
        int scelta = 0;
        for (int i = 1; i <= 3; ++i)
            if (ManoComputer[i] != 0 && condizione(i) && (scelta == 0 || forza(i) <= forza(scelta))) scelta = i;
        return scelta;
    };
    auto prima = [&](auto condizione) {
        for (int i = 1; i <= 3; ++i)
            if (ManoComputer[i] != 0 && condizione(i)) return i;
        return 0;
    };
    auto liscia = [&](int i) { return !briscola(i) && forza(i) < 6; };
    auto nonBriscola = [&](int i) { return !briscola(i); };
    int i = 0;

    if (ls != t && lv < 6) {
        // A low plain card was led.
        if ((i = piuAlta(diSeme)) && forza(i) > 5) return i;
        AggiornaPunteggio();
        if ((i = piuAlta(briscola)) && forza(i) + PuntiComputer >= 60) return i;
        if ((i = prima(liscia))) return i;
        AggiornaPunteggio();
        if ((i = piuBassa(nonBriscola)) && forza(i) + PuntiGiocatore < 40 && 40 - CartePescate > 4) return i;
        if ((i = piuBassa(briscola))) return i;
    } else if (ls != t) {
        // A figure, Three or Ace of a plain suit was led.
        if ((i = prima([&](int j) { return diSeme(j) && forza(j) == 10; }))) return i;
        if ((i = prima([&](int j) { return diSeme(j) && forza(j) == 9; }))) return i;
        if ((i = piuAlta(diSeme)) && forza(i) > lv) return i;
        AggiornaPunteggio();
        if ((i = piuAlta(briscola)) && forza(i) + PuntiComputer >= 60) return i;
        if ((i = piuBassa(briscola))) return i;
    } else {
        // A trump was led.
        if (lv < 6 && (i = prima(liscia))) return i;
        AggiornaPunteggio();
        if ((i = piuBassa(briscola)) && forza(i) + PuntiGiocatore <= 60) return i;
        AggiornaPunteggio();
        if ((i = prima([&](int j) { return (briscola(j) ? forza(j) : 0) + PuntiComputer >= 60; }))) return i;
        if ((i = piuBassa(briscola))) return i;
    }
    return prima([](int) { return true; });
}

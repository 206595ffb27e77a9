#include "games/rubamazzo/RegoleRubamazzo.h"

#include <algorithm>

RegoleRubamazzo::RegoleRubamazzo(StatoMazzo& mazzo) : mazzo_(mazzo) {}

int RegoleRubamazzo::Numero(int h) const
{
    const int c = Carta(h);
    if (c <= 0) return 0;
    const int seme = c < 11 ? 1 : c < 21 ? 2 : c < 31 ? 3 : 4;
    return c - 10 * (seme - 1);
}

void RegoleRubamazzo::NuovaPartita()
{
    mazzo_.Mischia("rubamazzo");
    std::fill(std::begin(Posti), std::end(Posti), 0);
    UltimaPresa = 0;
    CimaComputer = CimaGiocatore = 0;
    std::fill(std::begin(CarteMazzo), std::end(CarteMazzo), 0);
    for (int i = 1; i <= 40; ++i) CarteMazzo[i] = mazzo_.RitornaCarta(i);
    for (int i = 1; i <= 10; ++i) Posti[i] = CarteMazzo[i];
    ProssimaCarta = 11;
    std::fill(std::begin(PreseGiocatore), std::end(PreseGiocatore), 0);
    std::fill(std::begin(PreseComputer), std::end(PreseComputer), 0);
    IndicePreseGiocatore = IndicePreseComputer = 1;
    std::fill(std::begin(Evidenziati), std::end(Evidenziati), 0);
    // A selection left over from the last game must not confirm a card of this one.
    Selezionato = 0;
    Risultato = -1;
    UltimaMossa = Mossa{};
    Turno = 1;  // the player moves first in every deal
}

int RegoleRubamazzo::CercaPresa(int v, int trovati[4]) const
{
    if (v <= 0) return 0;
    constexpr int alto = UltimoPostoTavolo, basso = PrimoPostoTavolo;
    int n[UltimoPostoTavolo + 1] = {};
    for (int j = basso; j <= alto; ++j) n[j] = Numero(Posti[j]);

    // Smaller groups first, every index downwards, the outer one slowest. Empty places
    // count 0 and can never complete a group: a group with one would have been found
    // as a smaller group before.
    for (int a = alto; a >= basso; --a)
        if (n[a] == v) { trovati[0] = a; return 1; }
    for (int a = alto; a >= basso; --a)
        for (int b = a - 1; b >= basso; --b)
            if (n[a] + n[b] == v) { trovati[0] = a; trovati[1] = b; return 2; }
    for (int a = alto; a >= basso; --a)
        for (int b = a - 1; b >= basso; --b)
            for (int c = b - 1; c >= basso; --c)
                if (n[a] + n[b] + n[c] == v) { trovati[0] = a; trovati[1] = b; trovati[2] = c; return 3; }
    for (int a = alto; a >= basso; --a)
        for (int b = a - 1; b >= basso; --b)
            for (int c = b - 1; c >= basso; --c)
                for (int d = c - 1; d >= basso; --d)
                    if (n[a] + n[b] + n[c] + n[d] == v) {
                        trovati[0] = a; trovati[1] = b; trovati[2] = c; trovati[3] = d;
                        return 4;
                    }
    return 0;
}

void RegoleRubamazzo::PulisciStati()
{
    for (int i = 1; i <= 40; ++i) mazzo_.ImpostaStato(i, 0);
}

int RegoleRubamazzo::SelezionaCarta(int k)
{
    if (k < 1 || k > 6 || Posti[k] == 0) return -1;
    PulisciStati();
    if (RidisegnaPosti) RidisegnaPosti();
    mazzo_.CambiaStato(Posti[k]);
    if (EvidenziaPosto) EvidenziaPosto(k);

    std::fill(std::begin(Evidenziati), std::end(Evidenziati), 0);
    Selezionato = k;
    int trovati[4] = {};
    const int n = CercaPresa(Numero(Posti[k]), trovati);
    for (int i = 0; i < n; ++i) {
        const int j = trovati[i];
        Evidenziati[j] = 1;
        mazzo_.CambiaStato(Posti[j]);
        if (EvidenziaPosto) EvidenziaPosto(j);
    }
    return n;
}

int RegoleRubamazzo::ValutaPresa(int k)
{
    if (k < 1 || k > 6 || Posti[k] == 0) return 0;
    Selezionato = k;
    std::fill(std::begin(Evidenziati), std::end(Evidenziati), 0);
    int trovati[4] = {};
    return CercaPresa(Numero(Posti[k]), trovati);
}

void RegoleRubamazzo::AggiungiPila(int lato, int h)
{
    std::int32_t* pila = lato == 1 ? PreseGiocatore : PreseComputer;
    std::int32_t& indice = lato == 1 ? IndicePreseGiocatore : IndicePreseComputer;
    // 40 entries hold the whole deck, so the check only guards against a corrupted state.
    if (h != 0 && indice >= 1 && indice <= 40) pila[indice++] = h;
}

void RegoleRubamazzo::SvuotaPila(int lato)
{
    std::int32_t* pila = lato == 1 ? PreseGiocatore : PreseComputer;
    std::fill(pila, pila + 41, 0);
    (lato == 1 ? IndicePreseGiocatore : IndicePreseComputer) = 1;
}

int RegoleRubamazzo::PrimoPostoLibero() const
{
    for (int j = PrimoPostoTavolo; j <= UltimoPostoTavolo; ++j)
        if (Posti[j] == 0) return j;
    return 0;
}

void RegoleRubamazzo::EseguiPresa(int lato, int k)
{
    const int h = Posti[k];
    UltimaMossa = Mossa{};
    UltimaMossa.Lato = lato;
    UltimaMossa.Tipo = Presa;
    UltimaMossa.Posto = k;
    UltimaMossa.Carta = h;
    AggiungiPila(lato, h);
    for (int j = PrimoPostoTavolo; j <= UltimoPostoTavolo; ++j) {
        if (Evidenziati[j] != 1) continue;
        Evidenziati[j] = 0;
        if (Posti[j] == 0) continue;  // a mark on an emptied place would append "no card"
        UltimaMossa.PostiPresi[UltimaMossa.NumeroPresi] = j;
        UltimaMossa.CartePresi[UltimaMossa.NumeroPresi++] = Posti[j];
        AggiungiPila(lato, Posti[j]);
        Posti[j] = 0;
    }
    (lato == 1 ? CimaGiocatore : CimaComputer) = h;
    UltimaPresa = lato;
    Posti[k] = 0;
}

void RegoleRubamazzo::PosaCarta(int lato, int k)
{
    const int dove = PrimoPostoLibero();
    UltimaMossa = Mossa{};
    UltimaMossa.Lato = lato;
    UltimaMossa.Tipo = Posa;
    UltimaMossa.Posto = k;
    UltimaMossa.Carta = Posti[k];
    UltimaMossa.Destinazione = dove;
    if (dove == 0) return;  // cannot happen (see UltimoPostoTavolo); the card stays in hand
    Posti[dove] = Posti[k];
    Posti[k] = 0;
}

void RegoleRubamazzo::Ruba(int lato, int k)
{
    const int h = Posti[k];
    const int vittima = lato == 1 ? 2 : 1;
    const std::int32_t* pila = vittima == 1 ? PreseGiocatore : PreseComputer;
    const int quante = vittima == 1 ? PilaGiocatore() : PilaComputer();
    UltimaMossa = Mossa{};
    UltimaMossa.Lato = lato;
    UltimaMossa.Tipo = Furto;
    UltimaMossa.Posto = k;
    UltimaMossa.Carta = h;
    UltimaMossa.CartePrese = quante;
    for (int i = 1; i <= quante; ++i) AggiungiPila(lato, pila[i]);
    SvuotaPila(vittima);
    AggiungiPila(lato, h);
    (lato == 1 ? CimaGiocatore : CimaComputer) = h;
    (vittima == 1 ? CimaGiocatore : CimaComputer) = 0;
    Posti[k] = 0;
    // A steal is not a capture: UltimaPresa stays as it was.
}

int RegoleRubamazzo::ConfermaGiocatore()
{
    if (Turno != 1) return Nessuna;
    const int k = Selezionato;
    if (k < 4 || k > 6 || Posti[k] == 0) return Nessuna;
    bool presa = false;
    for (int j = PrimoPostoTavolo; j <= UltimoPostoTavolo; ++j)
        if (Evidenziati[j] == 1 && Posti[j] != 0) presa = true;
    if (presa)
        EseguiPresa(1, k);
    else
        PosaCarta(1, k);
    Turno = 2;
    return UltimaMossa.Tipo;
}

bool RegoleRubamazzo::FurtoPossibile() const
{
    const int k = Selezionato;
    if (Turno != 1 || k < 4 || k > 6 || Posti[k] == 0) return false;
    return CimaComputer != 0 && PilaComputer() > 0 && Numero(Posti[k]) == Numero(CimaComputer);
}

int RegoleRubamazzo::RubaGiocatore()
{
    if (!FurtoPossibile()) return Nessuna;
    Ruba(1, Selezionato);
    Turno = 2;
    return Furto;
}

int RegoleRubamazzo::MossaComputer()
{
    if (Turno != 2) return Nessuna;

    const int cima = Numero(CimaGiocatore);
    if (cima > 0 && PilaGiocatore() > 0) {
        for (int k = 1; k <= 3; ++k)
            if (Posti[k] != 0 && Numero(Posti[k]) == cima) {
                Ruba(2, k);
                Turno = 1;
                return Furto;
            }
    }

    // Largest capture; on equal sizes the lower place keeps it.
    int scelto = 0, migliore = 0;
    for (int k = 1; k <= 3; ++k) {
        const int s = ValutaPresa(k);
        if (s > migliore) { migliore = s; scelto = k; }
    }
    if (scelto != 0) {
        SelezionaCarta(scelto);
        EseguiPresa(2, scelto);
        Turno = 1;
        return Presa;
    }

    // Nothing captures: the last place looked at (the highest non-empty one) is laid down.
    const int k = Selezionato;
    int tipo = Nessuna;
    if (k >= 1 && k <= 3 && Posti[k] != 0) {
        PosaCarta(2, k);
        tipo = Posa;
    }
    Turno = 1;
    return tipo;
}

bool RegoleRubamazzo::DistribuzioneDovuta() const
{
    if (Turno == 0 || PartitaFinita()) return false;
    for (int k = 1; k <= 6; ++k)
        if (Posti[k] != 0) return false;
    return ProssimaCarta < 36;
}

bool RegoleRubamazzo::FineDovuta() const
{
    if (Turno == 0 || PartitaFinita()) return false;
    for (int k = 1; k <= 6; ++k)
        if (Posti[k] != 0) return false;
    return ProssimaCarta >= 40;
}

int RegoleRubamazzo::Distribuisci()
{
    if (!DistribuzioneDovuta()) return 0;
    // The computer's three first, then the player's.
    for (int k = 1; k <= 6; ++k) Posti[k] = CarteMazzo[ProssimaCarta + k - 1];
    ProssimaCarta += 6;
    return 1;
}

int RegoleRubamazzo::ChiudiPartita()
{
    if (PartitaFinita() || !FineDovuta()) return Risultato;
    const int lato = UltimaPresa == 1 ? 1 : 2;
    UltimaMossa = Mossa{};
    UltimaMossa.Lato = lato;
    UltimaMossa.Tipo = FineTavolo;
    for (int j = PrimoPostoTavolo; j <= UltimoPostoTavolo; ++j) {
        if (Posti[j] == 0) continue;
        UltimaMossa.PostiPresi[UltimaMossa.NumeroPresi] = j;
        UltimaMossa.CartePresi[UltimaMossa.NumeroPresi++] = Posti[j];
        AggiungiPila(lato, Posti[j]);
        Posti[j] = 0;
    }
    const int g = PilaGiocatore(), c = PilaComputer();
    Risultato = g == c ? 0 : (g > c ? 1 : 2);
    return Risultato;
}

int RegoleRubamazzo::PassoTimer()
{
    PulisciStati();
    if (Distribuisci()) return 1;
    if (FineDovuta()) {
        ChiudiPartita();
        return 2;
    }
    return 0;
}

int RegoleRubamazzo::NumeroPosti() const
{
    int ultimo = PrimoPostoTavolo + PostiSulTavolo - 1;
    for (int j = ultimo + 1; j <= UltimoPostoTavolo; ++j)
        if (Posti[j] != 0) ultimo = j;
    return ultimo;
}

int RegoleRubamazzo::GiocaComputer(int k, bool ruba)
{
    if (Turno != 2 || k < 1 || k > 3 || Posti[k] == 0) return Nessuna;
    if (ruba) {
        if (CimaGiocatore == 0 || PilaGiocatore() <= 0 || Numero(Posti[k]) != Numero(CimaGiocatore)) return Nessuna;
        Ruba(2, k);
        Turno = 1;
        return Furto;
    }
    int tipo = Posa;
    if (ValutaPresa(k) > 0) {
        SelezionaCarta(k);
        EseguiPresa(2, k);
        tipo = Presa;
    } else {
        PosaCarta(2, k);
    }
    Turno = 1;
    return tipo;
}

// Scopa hand: shuffle and deals, the player's plays, capture enumeration, sweeps, end of hand.
#include "games/scopa/MotoreScopa.h"

#include "core/Carte.h"
#include "core/Pausa.h"

MotoreScopa::MotoreScopa() { NuovaMano(1); }

MotoreScopa::MotoreScopa(std::uint32_t seme)
{
    casuale_.Fissa(seme);
    NuovaMano(1);
}

void MotoreScopa::ValoreCarta(int carta, int& valore, int& seme)
{
    valore = Valore(carta);
    seme = valore ? (carta - 1) / 10 + 1 : 0;
}

void MotoreScopa::NuovaMano(int primo)
{
    // Rejection shuffle: draw until every card stands once, each in the first free position.
    for (auto& c : CarteMazzo) c = 0;
    casuale_.SemeDallOrologio("scopa");
    bool presente[41] = {};
    for (int posto = 1; posto <= 40;) {
        const int c = casuale_.Modulo(40) + 1;
        if (presente[c]) continue;
        presente[c] = true;
        CarteMazzo[posto++] = c;
    }

    for (int i = 1; i <= 3; ++i) {
        ManoGiocatore[i] = CarteMazzo[i];
        ManoComputer[i] = CarteMazzo[3 + i];
    }
    for (auto& t : Tavolo) t = 0;
    for (int p = 1; p <= 4; ++p) Tavolo[p] = CarteMazzo[6 + p];
    AggiornaValoriTavolo();
    CarteDistribuite = 10;

    for (auto& c : PreseGiocatore) c = 0;
    for (auto& c : PreseComputer) c = 0;
    ContaPreseGiocatore = ContaPreseComputer = 0;
    ScopeGiocatore = ScopeComputer = 0;
    UltimaScopaGiocatore = UltimaScopaComputer = 0;
    PuntiManoGiocatore = PuntiManoComputer = 0;
    VincitoreCarte = VincitoreDenari = VincitoreSettebello = VincitoreNapoli = VincitorePrimiera = 0;
    CartaGiocataComputer = 0;
    UltimaPresa = 0;
    // Any other leader code would leave nobody able to move.
    Turno = primo == 2 ? 2 : 1;
    NumeroPrese = 0;
}

void MotoreScopa::AggiornaValoriTavolo()
{
    for (int p = 0; p <= MassimoPostiTavolo; ++p) ValoriTavolo[p] = p ? Valore(Tavolo[p]) : 0;
}

int MotoreScopa::TotaleTavolo() const
{
    int totale = 0;
    for (int p = 1; p <= MassimoPostiTavolo; ++p) totale += Valore(Tavolo[p]);
    return totale;
}

int MotoreScopa::NumeroPostiTavolo() const
{
    int ultimo = PostiTavoloVisibili;
    for (int p = PostiTavoloVisibili + 1; p <= MassimoPostiTavolo; ++p)
        if (Tavolo[p]) ultimo = p;
    return ultimo;
}

int MotoreScopa::PrimoPostoLibero() const
{
    for (int p = 1; p <= MassimoPostiTavolo; ++p)
        if (!Tavolo[p]) return p;
    return 0;  // unreachable: the table has room for every card but the one in play
}

int MotoreScopa::ContaUguali(int carta) const
{
    const int v = Valore(carta);
    if (!v) return 0;
    int n = 0;
    for (int p = 1; p <= MassimoPostiTavolo; ++p)
        if (Tavolo[p] && Valore(Tavolo[p]) == v) ++n;
    return n;
}

int MotoreScopa::ElencaPrese(int carta) { return EnumeraPrese(carta, false); }
int MotoreScopa::ElencaPreseSicure(int carta) { return EnumeraPrese(carta, true); }

int MotoreScopa::EnumeraPrese(int carta, bool soloSicure)
{
    AggiornaValoriTavolo();
    NumeroPrese = 0;
    const int v = Valore(carta);
    if (!v) return 0;

    // Empty places never take part, so the walk runs over the occupied ones in place order;
    // that yields the same lexicographic order as a walk over all places.
    int posti[MassimoPostiTavolo];
    int n = 0;
    for (int p = 1; p <= MassimoPostiTavolo; ++p)
        if (Tavolo[p]) posti[n++] = p;

    // Every entry sums to v, so what an entry leaves on the table is always total - v:
    // either all entries are safe or none is.
    if (soloSicure && TotaleTavolo() - v <= 10) return 0;

    int scelti[MassimaPresa];
    for (int misura = 1; misura <= MassimaPresa && misura <= n; ++misura) {
        // Depth-first walk over increasing index tuples: lexicographic order of the places.
        // Values are positive, so a partial sum above v can be cut.
        struct Passo {
            MotoreScopa* m;
            const int* posti;
            int n, v, misura;
            int* scelti;
            void Cammina(int da, int livello, int somma)
            {
                if (livello == misura) {
                    if (somma != v || m->NumeroPrese >= MassimoPrese) return;
                    auto& voce = m->Prese[m->NumeroPrese++];
                    voce[0] = misura;
                    for (int j = 0; j < misura; ++j) voce[j + 1] = scelti[j];
                    for (int j = misura + 1; j <= MassimaPresa; ++j) voce[j] = 0;
                    return;
                }
                for (int i = da; i <= n - (misura - livello); ++i) {
                    const int s = somma + m->ValoriTavolo[posti[i]];
                    if (s > v) continue;
                    scelti[livello] = posti[i];
                    Cammina(i + 1, livello + 1, s);
                }
            }
        } passo{this, posti, n, v, misura, scelti};
        passo.Cammina(0, 0, 0);
    }
    return NumeroPrese;
}

int MotoreScopa::CarteDellaPresa(int k, int carte[MassimaPresa]) const
{
    if (k < 0 || k >= NumeroPrese) return 0;
    const int n = Prese[k][0];
    for (int j = 1; j <= n; ++j) carte[j - 1] = Tavolo[Prese[k][j]];
    return n;
}

void MotoreScopa::SegnaMossa(int carta)
{
    if (conteggioMossa_ < static_cast<int>(sizeof CarteMossa / sizeof CarteMossa[0]))
        CarteMossa[conteggioMossa_++] = carta;
}

void MotoreScopa::ControllaScopa(int lato, int carta)
{
    for (int p = 1; p <= MassimoPostiTavolo; ++p)
        if (Tavolo[p]) return;
    if (lato == 1) {
        ++ScopeGiocatore;
        UltimaScopaGiocatore = carta;
    } else {
        ++ScopeComputer;
        UltimaScopaComputer = carta;
    }
    ScopaFatta = 1;
}

// An entry is a legal capture for the card unless exactly one table card has its value and
// the entry is not that card alone.
bool MotoreScopa::PresaLegale(int carta, int k) const
{
    if (k < 0 || k >= NumeroPrese) return false;
    if (ContaUguali(carta) != 1) return true;
    return Prese[k][0] == 1 && Valore(Tavolo[Prese[k][1]]) == Valore(carta);
}

void MotoreScopa::PresaGiocatore(int s, int k)
{
    const int c = ManoGiocatore[s];
    SegnaMossa(c);
    const int n = Prese[k][0];
    for (int j = 1; j <= n; ++j) {
        int& posto = Tavolo[Prese[k][j]];
        SegnaMossa(posto);
        PreseGiocatore[++ContaPreseGiocatore] = posto;
        posto = 0;
    }
    ControllaScopa(1, c);
    PreseGiocatore[++ContaPreseGiocatore] = c;
    ManoGiocatore[s] = 0;
    Turno = 2;
    UltimaPresa = 1;
    AggiornaValoriTavolo();
}

int MotoreScopa::GiocaCarta(int s)
{
    // Not the player's turn, or a slot without a card: playing it would pass the turn
    // without a card leaving the hand.
    if (Turno != 1 || s < 1 || s > 3 || ManoGiocatore[s] == 0) return 0;
    for (auto& c : CarteMossa) c = 0;
    conteggioMossa_ = 0;
    const int c = ManoGiocatore[s];

    if (ContaUguali(c) == 1) {
        // The one equal card must be taken, even where other cards also add up to it.
        int posto = 0;
        for (int p = 1; p <= MassimoPostiTavolo && !posto; ++p)
            if (Tavolo[p] && Valore(Tavolo[p]) == Valore(c)) posto = p;
        SegnaMossa(c);
        SegnaMossa(Tavolo[posto]);
        PreseGiocatore[++ContaPreseGiocatore] = c;
        PreseGiocatore[++ContaPreseGiocatore] = Tavolo[posto];
        Tavolo[posto] = 0;
        ControllaScopa(1, c);
        ManoGiocatore[s] = 0;
        Turno = 2;
        UltimaPresa = 1;
        AggiornaValoriTavolo();
        return 1;
    }

    const int n = ElencaPrese(c);
    if (n == 0) {
        ManoGiocatore[s] = 0;
        Turno = 2;
        Tavolo[PrimoPostoLibero()] = c;
        AggiornaValoriTavolo();
        return 1;
    }
    if (n == 1) {
        PresaGiocatore(s, 0);
        return 1;
    }
    return n;
}

int MotoreScopa::EseguiPresa(int s, int k)
{
    if (Turno != 1 || s < 1 || s > 3 || ManoGiocatore[s] == 0) return 0;
    // The list is rebuilt for this card so the capture made always belongs to it, whatever
    // was enumerated in between; the entries are the ones GiocaCarta returned.
    const int c = ManoGiocatore[s];
    ElencaPrese(c);
    if (!PresaLegale(c, k)) return 0;
    for (auto& m : CarteMossa) m = 0;
    conteggioMossa_ = 0;
    PresaGiocatore(s, k);
    return 1;
}

int MotoreScopa::FineGiro()
{
    Pausa(500);
    for (int i = 1; i <= 3; ++i)
        if (ManoGiocatore[i] || ManoComputer[i]) return 0;
    return CarteDistribuite >= 40 ? 2 : 1;
}

int MotoreScopa::Distribuisci(int primo)
{
    for (int i = 1; i <= 3; ++i)
        if (ManoGiocatore[i] || ManoComputer[i]) return 0;
    if (CarteDistribuite < 0 || CarteDistribuite > 40 - 6) return 0;
    for (int i = 1; i <= 3; ++i) {
        ManoGiocatore[i] = CarteMazzo[CarteDistribuite + i];
        ManoComputer[i] = CarteMazzo[CarteDistribuite + 3 + i];
    }
    CarteDistribuite += 6;
    Turno = primo == 2 ? 2 : 1;
    return 1;
}

void MotoreScopa::ChiudiMano()
{
    for (int p = 1; p <= MassimoPostiTavolo; ++p) {
        if (!Tavolo[p]) continue;
        if (UltimaPresa == 1)
            PreseGiocatore[++ContaPreseGiocatore] = Tavolo[p];
        else
            PreseComputer[++ContaPreseComputer] = Tavolo[p];
        Tavolo[p] = 0;
    }
    AggiornaValoriTavolo();
}

void MotoreScopa::StatoTavolo(int Stato[21]) const
{
    for (int i = 0; i < 3; ++i) {
        Stato[i] = ManoGiocatore[i + 1];
        Stato[3 + i] = ManoComputer[i + 1];
    }
    for (int p = 1; p <= PostiTavoloVisibili; ++p) Stato[5 + p] = Tavolo[p];
    Stato[14] = ScopeGiocatore;
    Stato[15] = ScopeComputer;
    Stato[16] = ContaPreseGiocatore;
    Stato[17] = ContaPreseComputer;
    Stato[18] = UltimaScopaGiocatore;
    Stato[19] = UltimaScopaComputer;
    Stato[20] = 40 - CarteDistribuite;
}

int MotoreScopa::LeggiScopa()
{
    if (!ScopaFatta) return 0;
    ScopaFatta = 0;
    return 1;
}

std::string MotoreScopa::ControllaCarte() const
{
    int volte[41] = {};
    std::string errore;
    auto conta = [&](int c, const char* dove) {
        if (c < 0 || c > 40) {
            if (errore.empty()) errore = "invalid card number " + std::to_string(c) + " in " + dove;
            return;
        }
        if (c) ++volte[c];
    };
    if (CarteDistribuite < 0 || CarteDistribuite > 40) return "dealt count " + std::to_string(CarteDistribuite);
    for (int k = CarteDistribuite + 1; k <= 40; ++k) conta(CarteMazzo[k], "the deck");
    for (int i = 1; i <= 3; ++i) {
        conta(ManoGiocatore[i], "the player's hand");
        conta(ManoComputer[i], "the computer's hand");
    }
    for (int p = 1; p <= MassimoPostiTavolo; ++p) conta(Tavolo[p], "the table");
    if (ContaPreseGiocatore < 0 || ContaPreseGiocatore > 40 || ContaPreseComputer < 0 || ContaPreseComputer > 40)
        return "pile count out of range";
    for (int k = 1; k <= 40; ++k) {
        if (k <= ContaPreseGiocatore)
            conta(PreseGiocatore[k], "the player's pile");
        else if (PreseGiocatore[k])
            return "card " + std::to_string(PreseGiocatore[k]) + " beyond the end of the player's pile";
        if (k <= ContaPreseComputer)
            conta(PreseComputer[k], "the computer's pile");
        else if (PreseComputer[k])
            return "card " + std::to_string(PreseComputer[k]) + " beyond the end of the computer's pile";
    }
    if (!errore.empty()) return errore;
    for (int c = 1; c <= 40; ++c)
        if (volte[c] != 1)
            return "card " + std::to_string(c) + " (" + NomeCarta(c) + ") is in " + std::to_string(volte[c]) + " places";
    return {};
}

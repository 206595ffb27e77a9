// Briscola players: the seat's view, the rule player for either seat, a random player, and
// the search player with its quick playout state.
#include "games/briscola/GiocatoriBriscola.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

int SemeDi(int c) { return c <= 0 ? 0 : (c - 1) / 10 + 1; }

// Strength and points of every card number, looked up in the playouts' inner loops.
struct TabellaCarte {
    std::int8_t forza[41] = {}, punti[41] = {};
    TabellaCarte()
    {
        for (int c = 1; c <= 40; ++c) {
            forza[c] = static_cast<std::int8_t>(ForzaNumero(c - 10 * (SemeDi(c) - 1)));
            punti[c] = static_cast<std::int8_t>(PuntiForza(forza[c]));
        }
    }
};
const TabellaCarte tabella;

int ForzaDi(int c) { return c >= 0 && c <= 40 ? tabella.forza[c] : 0; }
int PuntiDi(int c) { return c >= 0 && c <= 40 ? tabella.punti[c] : 0; }

// Search budget of the exact solutions near the end of the stock.
constexpr int StockEsatto = 4;        // cards left to draw (the face-up trump included)
constexpr int CampioniEsatti = 400;   // samples at most
constexpr long NodiEsatti = 400000;   // no new sample is started past this many nodes

}  // namespace

VistaBriscola OsservaBriscola(const RegoleBriscola& r, int lato)
{
    VistaBriscola v;
    v.Lato = lato == 1 ? 1 : 2;
    const std::int32_t* mia = v.Lato == 1 ? r.ManoGiocatore : r.ManoComputer;
    const std::int32_t* altra = v.Lato == 1 ? r.ManoComputer : r.ManoGiocatore;
    for (int i = 1; i <= 3; ++i) {
        v.Mano[i] = r.Carta(mia[i]);
        if (altra[i]) ++v.CarteAvversario;
    }
    v.CartaBriscola = r.Carta(r.CartaBriscola);
    v.CartaAvversario = r.Carta(v.Lato == 1 ? r.GiocataComputer : r.GiocataGiocatore);
    const std::int32_t* pila = v.Lato == 1 ? r.PreseGiocatore : r.PreseComputer;
    const std::int32_t* pilaAltra = v.Lato == 1 ? r.PreseComputer : r.PreseGiocatore;
    v.NumeroPrese = std::clamp<int>(pila[0], 0, 40);
    v.NumeroPreseAvversario = std::clamp<int>(pilaAltra[0], 0, 40);
    for (int k = 1; k <= v.NumeroPrese; ++k) v.Prese[k] = r.Carta(pila[k]);
    for (int k = 1; k <= v.NumeroPreseAvversario; ++k) v.PreseAvversario[k] = r.Carta(pilaAltra[k]);
    v.CarteNelMazzo = std::clamp<int>(40 - r.CartePescate, 0, 40);
    v.Storia = std::clamp<int>(r.StoriaPrese, 0, 20);
    for (int t = 1; t <= v.Storia; ++t) {
        v.StoriaGuida[t] = r.StoriaIniziatore[t] == v.Lato ? 1 : 0;
        v.StoriaMia[t] = r.Carta(v.Lato == 1 ? r.StoriaGiocatore[t] : r.StoriaComputer[t]);
        v.StoriaAltra[t] = r.Carta(v.Lato == 1 ? r.StoriaComputer[t] : r.StoriaGiocatore[t]);
    }
    return v;
}

int ApplicaMossaBriscola(RegoleBriscola& r, int lato, const MossaBriscola& mossa)
{
    return lato == 2 ? r.GiocaComputer(mossa.Slot) : r.GiocaGiocatore(mossa.Slot);
}

// ---- the rule player ----

MossaBriscola NormaleBriscola::Scegli(const VistaBriscola& v)
{
    // SceltaComputer on a scratch table whose handles are the card numbers themselves, with
    // this seat in the computer's chair.
    StatoMazzo mazzo;
    RegoleBriscola r(mazzo);
    for (int h = 0; h <= 40; ++h) r.CarteMazzo[h] = h;
    for (int i = 1; i <= 3; ++i) {
        r.ManoComputer[i] = v.Mano[i];
        r.ManoGiocatore[i] = 0;
    }
    r.CartaBriscola = v.CartaBriscola;
    r.PreseComputer[0] = v.NumeroPrese;
    r.PreseGiocatore[0] = v.NumeroPreseAvversario;
    for (int k = 1; k <= 40; ++k) {
        r.PreseComputer[k] = k <= v.NumeroPrese ? v.Prese[k] : 0;
        r.PreseGiocatore[k] = k <= v.NumeroPreseAvversario ? v.PreseAvversario[k] : 0;
    }
    r.CartePescate = 40 - v.CarteNelMazzo;
    r.GiocataGiocatore = v.CartaAvversario;
    r.CarteGiocate = v.CartaAvversario ? 1 : 0;
    r.Iniziatore = v.CartaAvversario ? 1 : 2;
    r.Turno = 2;
    r.RicordoGiocatore = caso_.Modulo(3);
    return {r.SceltaComputer()};
}

MossaBriscola CasualeBriscola::Scegli(const VistaBriscola& v)
{
    int tenute[3], n = 0;
    for (int s = 1; s <= 3; ++s)
        if (v.Mano[s]) tenute[n++] = s;
    return {n ? tenute[caso_.Modulo(n)] : 0};
}

// ---- the search player ----

namespace {

// A game with every card known (one sample). Sides 0 (the searching seat) and 1.
struct PartitaRapida {
    std::int8_t mano[2][3];
    std::int8_t mazzo[40];
    std::int8_t nm, pm;     // stock size and next card to draw
    std::int8_t sulTavolo;  // the leader's card in the trick, 0 = none
    std::int8_t primo;      // who leads the trick
    std::int8_t turno;
    std::int8_t briscola;   // trump suit
    std::int16_t punti[2];

    bool Finita() const
    {
        for (int s = 0; s < 2; ++s)
            for (int i = 0; i < 3; ++i)
                if (mano[s][i]) return false;
        return true;
    }
    // Whether b, played on the led card a, takes the trick.
    bool Batte(int a, int b) const
    {
        if (SemeDi(b) == SemeDi(a)) return ForzaDi(b) > ForzaDi(a);
        return SemeDi(b) == briscola;
    }
    void Gioca(int i)
    {
        const int lato = turno;
        const int c = mano[lato][i];
        mano[lato][i] = 0;
        if (!sulTavolo) {
            sulTavolo = static_cast<std::int8_t>(c);
            turno = static_cast<std::int8_t>(1 - lato);
            return;
        }
        const int vince = Batte(sulTavolo, c) ? lato : 1 - lato;
        punti[vince] = static_cast<std::int16_t>(punti[vince] + PuntiDi(sulTavolo) + PuntiDi(c));
        sulTavolo = 0;
        if (pm < nm) {
            // The winner draws first; each side refills the slot it just played from.
            for (int s : {vince, 1 - vince})
                for (int k = 0; k < 3; ++k)
                    if (!mano[s][k] && pm < nm) {
                        mano[s][k] = mazzo[pm++];
                        break;
                    }
        }
        primo = turno = static_cast<std::int8_t>(vince);
    }
};

// Exact value (side 0's points minus side 1's from here) once nothing is left to draw.
int Esatto(PartitaRapida& p)
{
    if (p.Finita()) return 0;
    const int lato = p.turno;
    int meglio = lato == 0 ? -1000 : 1000;
    for (int i = 0; i < 3; ++i) {
        if (!p.mano[lato][i]) continue;
        PartitaRapida q = p;
        const int prima = q.punti[0] - q.punti[1];
        q.Gioca(i);
        const int v = q.punti[0] - q.punti[1] - prima + Esatto(q);
        meglio = lato == 0 ? std::max(meglio, v) : std::min(meglio, v);
    }
    return meglio;
}

// Cost of giving a card away: points first, then trumps, then strength.
int Costo(const PartitaRapida& p, int c)
{
    return PuntiDi(c) * 10 + (SemeDi(c) == p.briscola ? 60 + ForzaDi(c) * 3 : 0) + ForzaDi(c);
}

// The greedy policy while the stock lasts: lead the cheapest card; when following, take a
// trick worth taking with the cheapest card that takes it, otherwise give the cheapest card.
void MossaGolosa(PartitaRapida& p)
{
    const int lato = p.turno;
    const auto& mano = p.mano[lato];
    int economica = -1;
    for (int i = 0; i < 3; ++i)
        if (mano[i] && (economica < 0 || Costo(p, mano[i]) < Costo(p, mano[economica]))) economica = i;
    if (!p.sulTavolo) {
        p.Gioca(economica);
        return;
    }
    const int a = p.sulTavolo;
    // The same suit over it, taking the most points; else the cheapest card that takes it.
    int stesso = -1, vincente = -1;
    for (int i = 0; i < 3; ++i) {
        const int c = mano[i];
        if (!c || !p.Batte(a, c)) continue;
        if (SemeDi(c) == SemeDi(a) && SemeDi(c) != p.briscola &&
            (stesso < 0 || PuntiDi(c) > PuntiDi(mano[stesso])))
            stesso = i;
        if (vincente < 0 || Costo(p, c) < Costo(p, mano[vincente])) vincente = i;
    }
    if (stesso >= 0) {
        p.Gioca(stesso);
        return;
    }
    const int inGioco = PuntiDi(a) + PuntiDi(mano[economica]);
    if (vincente >= 0 && (inGioco >= 10 || (inGioco >= 4 && Costo(p, mano[vincente]) < 70))) {
        p.Gioca(vincente);
        return;
    }
    p.Gioca(economica);
}

}  // namespace

namespace {

// The known part of the game seen from the view (side 0 is the seat) and the cards the seat
// has not seen, with where the face-up trump is.
struct Partenza {
    PartitaRapida base{};
    int candidati[3] = {}, nc = 0;
    int ignote[40] = {}, ni = 0;
    int briscolaScoperta = 0;
    bool briscolaNelMazzo = false, briscolaAllAvversario = false;
    int inManoAvversario = 0, coperte = 0;
};

void Prepara(const VistaBriscola& v, Partenza& p)
{
    for (int s = 1; s <= 3; ++s)
        if (v.Mano[s]) p.candidati[p.nc++] = s;
    PartitaRapida& base = p.base;
    bool visto[41] = {};
    for (int i = 0; i < 3; ++i) {
        base.mano[0][i] = static_cast<std::int8_t>(v.Mano[i + 1]);
        visto[v.Mano[i + 1]] = true;
    }
    for (int k = 1; k <= v.NumeroPrese; ++k) {
        base.punti[0] = static_cast<std::int16_t>(base.punti[0] + PuntiDi(v.Prese[k]));
        visto[v.Prese[k]] = true;
    }
    for (int k = 1; k <= v.NumeroPreseAvversario; ++k) {
        base.punti[1] = static_cast<std::int16_t>(base.punti[1] + PuntiDi(v.PreseAvversario[k]));
        visto[v.PreseAvversario[k]] = true;
    }
    visto[v.CartaAvversario] = true;
    base.sulTavolo = static_cast<std::int8_t>(v.CartaAvversario);
    base.primo = static_cast<std::int8_t>(v.CartaAvversario ? 1 : 0);
    base.turno = 0;
    base.briscola = static_cast<std::int8_t>(SemeDi(v.CartaBriscola));
    // The face-up trump is the last card of the stock while there is one; once drawn, it is
    // in the hand of whoever drew it until it is played.
    p.briscolaScoperta = v.CartaBriscola;
    p.briscolaNelMazzo = v.CarteNelMazzo > 0;
    p.briscolaAllAvversario = !p.briscolaNelMazzo && p.briscolaScoperta && !visto[p.briscolaScoperta];
    visto[0] = true;
    if (p.briscolaScoperta) visto[p.briscolaScoperta] = true;

    for (int c = 1; c <= 40; ++c)
        if (!visto[c]) p.ignote[p.ni++] = c;
    p.inManoAvversario = std::clamp(v.CarteAvversario - (p.briscolaAllAvversario ? 1 : 0), 0, p.ni);
    p.coperte = std::clamp(v.CarteNelMazzo - (p.briscolaNelMazzo ? 1 : 0), 0, p.ni - p.inManoAvversario);
}

// One sample: the other hand and the stock from the unseen cards as they lie in `ignote`.
void Distribuisci(const Partenza& p, PartitaRapida& c)
{
    c = p.base;
    int k = 0;
    for (int i = 0; i < 3; ++i) c.mano[1][i] = 0;
    int slot = 0;
    if (p.briscolaAllAvversario) c.mano[1][slot++] = static_cast<std::int8_t>(p.briscolaScoperta);
    for (int i = 0; i < p.inManoAvversario && slot < 3; ++i) c.mano[1][slot++] = static_cast<std::int8_t>(p.ignote[k++]);
    c.nm = 0;
    for (int i = 0; i < p.coperte; ++i) c.mazzo[c.nm++] = static_cast<std::int8_t>(p.ignote[k++]);
    if (p.briscolaNelMazzo) c.mazzo[c.nm++] = static_cast<std::int8_t>(p.briscolaScoperta);
    c.pm = 0;
}

// Exact final point difference (side 0 minus side 1) of a game with every card known,
// draws included: alpha-beta, the cards worth the most tried first.
int EsattoAB(const PartitaRapida& p, int alfa, int beta, long& nodi)
{
    ++nodi;
    if (p.Finita()) return p.punti[0] - p.punti[1];
    const int lato = p.turno;
    int ordine[3], n = 0;
    for (int i = 0; i < 3; ++i)
        if (p.mano[lato][i]) ordine[n++] = i;
    OrdinaPoche(ordine, n, [&](int a, int b) { return Costo(p, p.mano[lato][a]) > Costo(p, p.mano[lato][b]); });
    return NodoAlfaBeta(lato, n, alfa, beta, 1000, [&](int k, int a, int b) {
        PartitaRapida q = p;
        q.Gioca(ordine[k]);
        return EsattoAB(q, a, b, nodi);
    });
}

int Migliore(const double* somma, int nc)
{
    int migliore = 0;
    for (int j = 1; j < nc; ++j)
        if (somma[j] > somma[migliore]) migliore = j;
    return migliore;
}

}  // namespace

namespace {

// A model of how a strong player picks its card: a score per card of the hand, the card
// played with probability proportional to exp(score). Fitted (conditional logit) to the
// decisions of the first search player in self-play (tools/modello_briscola.py); on those
// decisions its likeliest card is the one chosen on 56% of leads and 74% of answers, where the
// greedy policy's card is on 36% and 66%.
// Categories: 0 zero-point card, 1 figure (2 to 4 points), 2 Ace or Three; 3 to 5 the same
// in trumps.
constexpr double PesoApertura[14] = {
    0.018, 1.576, -1.472, -0.368, 0.750, -0.503,  // category
    -0.116, 0.221,                                 // strength, plain suit and trump
    0.033, -0.166, 2.005, 0.044, -0.911, -1.005,   // category, 14 cards or fewer left to draw
};
constexpr double PesoRisposta[13] = {
    0.313, 2.587, -1.388, 2.046,                   // takes; times the led points, trump, own points
    0.586, 0.220, 0.381, 0.277, 0.109, -1.573,     // category
    0.009, -3.277, 1.823,  // strength; points given away; trump taking the led points
};

int Categoria(int c, int briscola)
{
    const int p = PuntiDi(c);
    return (SemeDi(c) == briscola ? 3 : 0) + (p == 0 ? 0 : (p < 10 ? 1 : 2));
}

// The model's score of playing x, with `guidata` on the table (0 on a lead).
double Punteggio(int x, int guidata, int briscola, int stock)
{
    double f = 0;
    if (!guidata) {
        const int k = Categoria(x, briscola);
        f += PesoApertura[k];
        f += (SemeDi(x) == briscola ? PesoApertura[7] : PesoApertura[6]) * ForzaDi(x) / 10.0;
        if (stock <= 14) f += PesoApertura[8 + k];
        return f;
    }
    const bool prende = SemeDi(x) == SemeDi(guidata) ? ForzaDi(x) > ForzaDi(guidata) : SemeDi(x) == briscola;
    const double tr = SemeDi(x) == briscola ? 1.0 : 0.0, pl = PuntiDi(guidata) / 11.0, px = PuntiDi(x) / 11.0;
    if (prende) f += PesoRisposta[0] + PesoRisposta[1] * pl + PesoRisposta[2] * tr + PesoRisposta[3] * px + PesoRisposta[12] * tr * pl;
    else f += PesoRisposta[11] * px;
    f += PesoRisposta[4 + Categoria(x, briscola)] + PesoRisposta[10] * ForzaDi(x) / 10.0;
    return f;
}

// The playout policy of the search player: the model's likeliest card, for either side.
void MossaModello(PartitaRapida& p)
{
    const int lato = p.turno;
    int meglio = -1;
    double mv = -1e9;
    for (int i = 0; i < 3; ++i) {
        const int c = p.mano[lato][i];
        if (!c) continue;
        const double f = Punteggio(c, p.sulTavolo, p.briscola, p.nm - p.pm);
        if (f > mv) {
            mv = f;
            meglio = i;
        }
    }
    p.Gioca(meglio);
}

// Probability under the model that `giocata` is played from `mano` (0 = empty slot).
double ProbabilitaModello(const int* mano, int giocata, int guidata, int briscola, int stock)
{
    double z = 0, mia = 0;
    int n = 0;
    for (int i = 0; i < 3; ++i) {
        if (!mano[i]) continue;
        ++n;
        const double e = std::exp(Punteggio(mano[i], guidata, briscola, stock));
        z += e;
        if (mano[i] == giocata) mia = e;
    }
    return n <= 1 ? 1.0 : mia / z;
}

constexpr int PreseLette = 3;  // how many past tricks of the other side are read

// Likelihood of the other side's cards in tricks t, t-1, ... (`prof` of them), its hand after
// trick t's draw being `mano`. Before that draw it held the card it played in trick t
// instead of one of these (the one it drew, any of them alike). Only tricks followed by an
// ordinary draw are read: the sixth card dealt is drawn after trick 1, the last covered card
// after trick 17.
double Verosimile(const VistaBriscola& v, const int* mano, int t, int prof, int briscola)
{
    if (prof == 0 || t < 1 || t >= 17) return 1.0;
    const int x = v.StoriaAltra[t];
    const int guidata = v.StoriaGuida[t] ? v.StoriaMia[t] : 0;
    double somma = 0;
    int n = 0;
    for (int i = 0; i < 3; ++i) {
        if (!mano[i]) continue;
        int prima[3] = {mano[0], mano[1], mano[2]};
        prima[i] = x;
        const double p = ProbabilitaModello(prima, x, guidata, briscola, 34 - 2 * (t - 1));
        somma += p * Verosimile(v, prima, t - 1, prof - 1, briscola);
        ++n;
    }
    return n ? somma / n : 1.0;
}

// Weight of a sample whose other hand is `altra`: how likely the other side was to play what
// it played (its card on the table, then its last tricks) holding these cards.
double PesoCampione(const VistaBriscola& v, const int* altra, int briscola)
{
    int mano[3] = {altra[0], altra[1], altra[2]};
    double w = 1.0;
    if (v.CartaAvversario) {
        // It led the card on the table from its hand and that card.
        for (int i = 0; i < 3; ++i)
            if (!mano[i]) {
                mano[i] = v.CartaAvversario;
                break;
            }
        w *= ProbabilitaModello(mano, v.CartaAvversario, 0, briscola, v.CarteNelMazzo);
    }
    return w * Verosimile(v, mano, v.Storia, PreseLette, briscola);
}

}  // namespace

double VerosimiglianzaBriscola(const VistaBriscola& v, const int altra[3])
{
    return PesoCampione(v, altra, SemeDi(v.CartaBriscola));
}

int CartaModelloBriscola(const int mano[3], int guidata, int cartaBriscola, int carteNelMazzo)
{
    PartitaRapida p{};
    for (int i = 0; i < 3; ++i) p.mano[0][i] = static_cast<std::int8_t>(mano[i]);
    p.mano[1][0] = 1;  // the other hand does not matter to the model
    p.sulTavolo = static_cast<std::int8_t>(guidata);
    p.briscola = static_cast<std::int8_t>(SemeDi(cartaBriscola));
    p.nm = static_cast<std::int8_t>(std::clamp(carteNelMazzo, 0, 40));
    p.pm = 0;
    MossaModello(p);
    for (int i = 0; i < 3; ++i)
        if (mano[i] && !p.mano[0][i]) return mano[i];
    return 0;
}

MossaBriscola EspertoBriscola1::Scegli(const VistaBriscola& v)
{
    Partenza p;
    Prepara(v, p);
    if (p.nc <= 1) return {p.nc ? p.candidati[0] : 0};
    double somma[3] = {};
    const int campioni = std::max(8, giocate_ / p.nc);
    PartitaRapida c;
    for (int d = 0; d < campioni; ++d) {
        caso_.Mescola(p.ignote, p.ni);
        Distribuisci(p, c);
        for (int j = 0; j < p.nc; ++j) {
            PartitaRapida g = c;
            g.Gioca(p.candidati[j] - 1);
            while (!g.Finita() && g.pm < g.nm) MossaGolosa(g);
            const int finale = g.Finita() ? 0 : Esatto(g);
            somma[j] += g.punti[0] - g.punti[1] + finale;
        }
    }
    return {p.candidati[Migliore(somma, p.nc)]};
}

MossaBriscola EspertoBriscola::Scegli(const VistaBriscola& v)
{
    nodi_ = 0;
    AvviaLimite();
    Partenza p;
    Prepara(v, p);
    if (p.nc <= 1) return {p.nc ? p.candidati[0] : 0};
    double somma[3] = {};
    PartitaRapida c;
    // Each sample counts as much as the other side's plays make its hand likely.
    auto peso = [&] {
        const int altra[3] = {c.mano[1][0], c.mano[1][1], c.mano[1][2]};
        return PesoCampione(v, altra, c.briscola);
    };
    if (v.CarteNelMazzo <= StockEsatto) {
        // Few cards left to draw: every sample is solved exactly from here on.
        const int campioni = std::max(1, std::min(CampioniEsatti, giocate_ / p.nc));
        for (int d = 0; d < campioni && nodi_ < NodiEsatti && !(d > 0 && Scaduto()); ++d) {
            caso_.Mescola(p.ignote, p.ni);
            Distribuisci(p, c);
            const double w = peso();
            for (int j = 0; j < p.nc; ++j) {
                PartitaRapida g = c;
                g.Gioca(p.candidati[j] - 1);
                somma[j] += w * EsattoAB(g, -1000, 1000, nodi_);
            }
        }
        return {p.candidati[Migliore(somma, p.nc)]};
    }
    const int campioni = std::max(8, giocate_ / p.nc);
    for (int d = 0; d < campioni && !(d > 0 && Scaduto()); ++d) {
        caso_.Mescola(p.ignote, p.ni);
        Distribuisci(p, c);
        const double w = peso();
        for (int j = 0; j < p.nc; ++j) {
            PartitaRapida g = c;
            g.Gioca(p.candidati[j] - 1);
            while (!g.Finita() && g.pm < g.nm) MossaModello(g);
            somma[j] += w * (g.Finita() ? g.punti[0] - g.punti[1] : EsattoAB(g, -1000, 1000, nodi_));
        }
    }
    return {p.candidati[Migliore(somma, p.nc)]};
}

int SceltaComputerLivello(RegoleBriscola& r, Livello livello, unsigned attesaMs)
{
    if (livello != Livello::Esperto || r.Turno != 2 || r.CarteGiocate >= 2) {
        if (attesaMs) Pausa(attesaMs);
        return r.SceltaComputer();
    }
    // Seeded from the table's own generator: a table whose seed is fixed replays its games.
    // The search works on its own copy of the view, on a worker thread, during the wait.
    const std::uint64_t seme = r.Mazzo().Generatore().Prossimo();
    const VistaBriscola vista = OsservaBriscola(r, 2);
    const int slot = PensaInDisparte(
        [seme, vista] {
            EspertoBriscola esperto(seme);
            esperto.ImpostaLimite(LimiteRicercaMs);
            const int scelta = esperto.Scegli(vista).Slot;
            if (esperto.LimiteRaggiunto()) SegnalaLimite("Briscola");
            return scelta;
        },
        attesaMs);
    return slot >= 1 && slot <= 3 && r.ManoComputer[slot] ? slot : r.SceltaComputer();
}

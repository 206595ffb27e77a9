// Rubamazzo players: the seat's view, legal moves, the rule player for either seat, a random
// player, and the search player with its quick playout state.
#include "games/rubamazzo/GiocatoriRubamazzo.h"

#include <algorithm>

namespace {

using R = RegoleRubamazzo;
constexpr int Primo = R::PrimoPostoTavolo, Ultimo = R::UltimoPostoTavolo;
constexpr int NumeroPosti = Ultimo - Primo + 1;

int NumeroDi(int c) { return c <= 0 ? 0 : c - 10 * ((c - 1) / 10); }

}  // namespace

VistaRubamazzo OsservaRubamazzo(const RegoleRubamazzo& r, int lato)
{
    VistaRubamazzo v;
    v.Lato = lato == 1 ? 1 : 2;
    const int mia = v.Lato == 1 ? 3 : 0, altra = v.Lato == 1 ? 0 : 3;
    for (int i = 1; i <= 3; ++i) {
        v.Mano[i] = r.Carta(r.Posti[mia + i]);
        if (r.Posti[altra + i]) ++v.CarteAvversario;
    }
    for (int j = Primo; j <= Ultimo; ++j) v.Tavolo[j] = r.Carta(r.Posti[j]);
    v.Pila = v.Lato == 1 ? r.PilaGiocatore() : r.PilaComputer();
    v.PilaAvversario = v.Lato == 1 ? r.PilaComputer() : r.PilaGiocatore();
    v.Cima = r.Carta(v.Lato == 1 ? r.CimaGiocatore : r.CimaComputer);
    v.CimaAvversario = r.Carta(v.Lato == 1 ? r.CimaComputer : r.CimaGiocatore);
    for (int k = 1; k < r.IndicePreseGiocatore && k <= 40; ++k) v.NellePile[std::clamp(r.Carta(r.PreseGiocatore[k]), 0, 40)] = true;
    for (int k = 1; k < r.IndicePreseComputer && k <= 40; ++k) v.NellePile[std::clamp(r.Carta(r.PreseComputer[k]), 0, 40)] = true;
    v.NellePile[0] = false;
    v.UltimaPresa = r.UltimaPresa;
    v.CarteNelMazzo = std::clamp(r.CarteDaDistribuire(), 0, 40);
    return v;
}

std::vector<MossaRubamazzo> MosseLegaliRubamazzo(const VistaRubamazzo& v)
{
    std::vector<MossaRubamazzo> mosse;
    for (int s = 1; s <= 3; ++s) {
        if (!v.Mano[s]) continue;
        mosse.push_back({s, false});
        if (v.CimaAvversario && v.PilaAvversario > 0 && NumeroDi(v.Mano[s]) == NumeroDi(v.CimaAvversario))
            mosse.push_back({s, true});
    }
    return mosse;
}

int ApplicaMossaRubamazzo(RegoleRubamazzo& r, int lato, const MossaRubamazzo& mossa)
{
    if (lato == 2) return r.GiocaComputer(mossa.Slot, mossa.Ruba);
    if (r.Turno != 1 || mossa.Slot < 1 || mossa.Slot > 3) return R::Nessuna;
    if (r.SelezionaCarta(mossa.Slot + 3) < 0) return R::Nessuna;
    return mossa.Ruba ? r.RubaGiocatore() : r.ConfermaGiocatore();
}

// ---- the rule player ----

MossaRubamazzo NormaleRubamazzo::Scegli(const VistaRubamazzo& v)
{
    // MossaComputer on a scratch table whose handles are the card numbers, with this seat in
    // the computer's chair. Only the other pile's size and top matter to it.
    StatoMazzo mazzo;
    R r(mazzo);
    for (int h = 1; h <= 40; ++h) r.CarteMazzo[h] = h;
    for (int i = 1; i <= 3; ++i) {
        r.Posti[i] = v.Mano[i];
        r.Posti[i + 3] = 0;
    }
    for (int j = Primo; j <= Ultimo; ++j) r.Posti[j] = v.Tavolo[j];
    for (int k = 1; k <= v.PilaAvversario && k <= 40; ++k) r.PreseGiocatore[k] = v.CimaAvversario;
    r.IndicePreseGiocatore = std::clamp(v.PilaAvversario, 0, 40) + 1;
    r.CimaGiocatore = v.CimaAvversario;
    r.Turno = 2;
    const int tipo = r.MossaComputer();
    return {r.UltimaMossa.Posto, tipo == R::Furto};
}

MossaRubamazzo CasualeRubamazzo::Scegli(const VistaRubamazzo& v)
{
    const auto mosse = MosseLegaliRubamazzo(v);
    return mosse.empty() ? MossaRubamazzo{} : mosse[caso_.Modulo(static_cast<int>(mosse.size()))];
}

// ---- the search player ----

namespace {

// A game with every card known (one sample), in card numbers 1..10. Sides 0 (the searching
// seat) and 1; `giocatore` is the side in the player's seat, who opens every deal and gets
// the last table cards only when it captured last.
struct PartitaRapida {
    std::int8_t mano[2][3];
    std::int8_t tavolo[NumeroPosti];  // places 7..19
    std::int8_t mazzo[40];
    std::int8_t nm, pm;
    std::int8_t pila[2], cima[2];
    std::int8_t ultima;  // side that captured last, -1 nobody
    std::int8_t turno, giocatore;

    bool ManiVuote() const
    {
        for (int s = 0; s < 2; ++s)
            for (int i = 0; i < 3; ++i)
                if (mano[s][i]) return false;
        return true;
    }
    // The table's capture search: the first single, pair, triple or four adding up to v,
    // every index from the highest place down. Returns the mask of places, 0 none.
    unsigned Cerca(int v, int* misura) const
    {
        const auto& n = tavolo;
        constexpr int a0 = NumeroPosti - 1;
        for (int a = a0; a >= 0; --a)
            if (n[a] == v) { *misura = 1; return 1u << a; }
        for (int a = a0; a >= 0; --a)
            if (n[a] && n[a] < v)
                for (int b = a - 1; b >= 0; --b)
                    if (n[a] + n[b] == v) { *misura = 2; return 1u << a | 1u << b; }
        for (int a = a0; a >= 0; --a)
            if (n[a] && n[a] < v)
                for (int b = a - 1; b >= 0; --b)
                    if (n[b] && n[a] + n[b] < v)
                        for (int c = b - 1; c >= 0; --c)
                            if (n[a] + n[b] + n[c] == v) { *misura = 3; return 1u << a | 1u << b | 1u << c; }
        for (int a = a0; a >= 0; --a)
            if (n[a] && n[a] < v)
                for (int b = a - 1; b >= 0; --b)
                    if (n[b] && n[a] + n[b] < v)
                        for (int c = b - 1; c >= 0; --c)
                            if (n[c] && n[a] + n[b] + n[c] < v)
                                for (int d = c - 1; d >= 0; --d)
                                    if (n[a] + n[b] + n[c] + n[d] == v) {
                                        *misura = 4;
                                        return 1u << a | 1u << b | 1u << c | 1u << d;
                                    }
        *misura = 0;
        return 0;
    }
    void Gioca(int i, bool ruba)
    {
        const int lato = turno;
        const int c = mano[lato][i];
        mano[lato][i] = 0;
        if (ruba) {
            pila[lato] = static_cast<std::int8_t>(pila[lato] + pila[1 - lato] + 1);
            pila[1 - lato] = 0;
            cima[1 - lato] = 0;
            cima[lato] = static_cast<std::int8_t>(c);
        } else {
            int misura = 0;
            const unsigned presa = Cerca(c, &misura);
            if (presa) {
                for (int j = 0; j < NumeroPosti; ++j)
                    if (presa >> j & 1) tavolo[j] = 0;
                pila[lato] = static_cast<std::int8_t>(pila[lato] + misura + 1);
                cima[lato] = static_cast<std::int8_t>(c);
                ultima = static_cast<std::int8_t>(lato);
            } else {
                for (int j = 0; j < NumeroPosti; ++j)
                    if (!tavolo[j]) {
                        tavolo[j] = static_cast<std::int8_t>(c);
                        break;
                    }
            }
        }
        turno = static_cast<std::int8_t>(1 - lato);
        if (ManiVuote() && pm + 6 <= nm) {
            for (int s : {1 - static_cast<int>(giocatore), static_cast<int>(giocatore)})
                for (int k = 0; k < 3; ++k) mano[s][k] = mazzo[pm++];
            turno = giocatore;
        }
    }
    // Card margin of side 0 once the last table cards have gone to their side.
    int Risultato() const
    {
        int p[2] = {pila[0], pila[1]};
        const int chi = ultima == giocatore ? giocatore : 1 - giocatore;
        for (int j = 0; j < NumeroPosti; ++j)
            if (tavolo[j]) ++p[chi];
        return p[0] - p[1];
    }
};

// The rule player's policy: steal, else the largest capture (the lower slot on ties), else
// lay down the last card held.
void MossaRegola(PartitaRapida& p)
{
    const int lato = p.turno;
    const auto& mano = p.mano[lato];
    if (p.cima[1 - lato] && p.pila[1 - lato] > 0)
        for (int i = 0; i < 3; ++i)
            if (mano[i] == p.cima[1 - lato]) {
                p.Gioca(i, true);
                return;
            }
    int scelta = -1, migliore = 0, ultima = -1;
    for (int i = 0; i < 3; ++i) {
        if (!mano[i]) continue;
        ultima = i;
        int misura = 0;
        p.Cerca(mano[i], &misura);
        if (misura > migliore) {
            migliore = misura;
            scelta = i;
        }
    }
    p.Gioca(scelta >= 0 ? scelta : ultima, false);
}

}  // namespace

namespace {

// The known part of the game seen from the view (side 0 is the seat) and the numbers of the
// cards the seat has not seen.
struct Partenza {
    PartitaRapida base{};
    int ignote[40] = {}, ni = 0;
    int nAvversario = 0;
};

void Prepara(const VistaRubamazzo& v, Partenza& p)
{
    PartitaRapida& base = p.base;
    int restano[11];  // copies of each number not seen yet
    for (int n = 1; n <= 10; ++n) restano[n] = 4;
    auto vedi = [&](int c) {
        if (c >= 1 && c <= 40) --restano[NumeroDi(c)];
    };
    for (int i = 0; i < 3; ++i) {
        base.mano[0][i] = static_cast<std::int8_t>(NumeroDi(v.Mano[i + 1]));
        vedi(v.Mano[i + 1]);
    }
    for (int j = Primo; j <= Ultimo; ++j) {
        base.tavolo[j - Primo] = static_cast<std::int8_t>(NumeroDi(v.Tavolo[j]));
        vedi(v.Tavolo[j]);
    }
    for (int c = 1; c <= 40; ++c)
        if (v.NellePile[c]) vedi(c);
    base.pila[0] = static_cast<std::int8_t>(v.Pila);
    base.pila[1] = static_cast<std::int8_t>(v.PilaAvversario);
    base.cima[0] = static_cast<std::int8_t>(NumeroDi(v.Cima));
    base.cima[1] = static_cast<std::int8_t>(NumeroDi(v.CimaAvversario));
    base.giocatore = static_cast<std::int8_t>(v.Lato == 1 ? 0 : 1);
    base.ultima = static_cast<std::int8_t>(v.UltimaPresa == 0 ? -1 : (v.UltimaPresa == v.Lato ? 0 : 1));
    base.turno = 0;
    for (int n = 1; n <= 10; ++n)
        for (int k = 0; k < restano[n]; ++k) p.ignote[p.ni++] = n;
    p.nAvversario = std::min(v.CarteAvversario, p.ni);
}

void Distribuisci(const Partenza& p, PartitaRapida& c)
{
    c = p.base;
    for (int i = 0; i < 3; ++i) c.mano[1][i] = 0;
    for (int i = 0; i < p.nAvversario; ++i) c.mano[1][i] = static_cast<std::int8_t>(p.ignote[i]);
    c.nm = 0;
    for (int i = p.nAvversario; i < p.ni; ++i) c.mazzo[c.nm++] = static_cast<std::int8_t>(p.ignote[i]);
    c.pm = 0;
}

// Whether no further deal can come: the rules deal six cards at a time while six are left.
bool UltimoGiro(const PartitaRapida& p) { return p.pm + 6 > p.nm; }

// Exact card margin of side 0 once nothing is left to deal: alpha-beta over every card,
// played or stealing. Steals first, then the largest captures.
int EsattoAB(const PartitaRapida& p, int alfa, int beta, long& nodi)
{
    ++nodi;
    if (p.ManiVuote()) return p.Risultato();
    const int lato = p.turno;
    struct Mossa { int i; bool ruba; int ordine; };
    Mossa mosse[6];
    int n = 0;
    for (int i = 0; i < 3; ++i) {
        const int c = p.mano[lato][i];
        if (!c) continue;
        // Two cards of one number in a hand play the same.
        bool doppia = false;
        for (int k = 0; k < i; ++k) doppia = doppia || p.mano[lato][k] == c;
        if (doppia) continue;
        if (p.cima[1 - lato] == c && p.pila[1 - lato] > 0) mosse[n++] = {i, true, 100 + p.pila[1 - lato]};
        int misura = 0;
        p.Cerca(c, &misura);
        mosse[n++] = {i, false, misura};
    }
    OrdinaPoche(mosse, n, [](const Mossa& a, const Mossa& b) { return a.ordine > b.ordine; });
    return NodoAlfaBeta(lato, n, alfa, beta, 1000, [&](int k, int a, int b) {
        PartitaRapida q = p;
        q.Gioca(mosse[k].i, mosse[k].ruba);
        return EsattoAB(q, a, b, nodi);
    });
}

std::size_t Migliore(const std::vector<double>& somma)
{
    std::size_t migliore = 0;
    for (std::size_t k = 1; k < somma.size(); ++k)
        if (somma[k] > somma[migliore]) migliore = k;
    return migliore;
}

}  // namespace

MossaRubamazzo EspertoRubamazzo1::Scegli(const VistaRubamazzo& v)
{
    const auto mosse = MosseLegaliRubamazzo(v);
    if (mosse.size() <= 1) return mosse.empty() ? MossaRubamazzo{} : mosse[0];
    Partenza p;
    Prepara(v, p);
    std::vector<double> somma(mosse.size(), 0.0);
    const int campioni = std::max(8, giocate_ / static_cast<int>(mosse.size()));
    PartitaRapida c;
    for (int d = 0; d < campioni; ++d) {
        caso_.Mescola(p.ignote, p.ni);
        Distribuisci(p, c);
        for (std::size_t k = 0; k < mosse.size(); ++k) {
            PartitaRapida g = c;
            g.Gioca(mosse[k].Slot - 1, mosse[k].Ruba);
            while (!g.ManiVuote()) MossaRegola(g);
            somma[k] += g.Risultato();
        }
    }
    return mosse[Migliore(somma)];
}

MossaRubamazzo EspertoRubamazzo::Scegli(const VistaRubamazzo& v)
{
    nodi_ = 0;
    AvviaLimite();
    const auto mosse = MosseLegaliRubamazzo(v);
    if (mosse.size() <= 1) return mosse.empty() ? MossaRubamazzo{} : mosse[0];
    Partenza p;
    Prepara(v, p);
    std::vector<double> somma(mosse.size(), 0.0);
    PartitaRapida c;
    if (v.CarteNelMazzo < 6) {
        // Nothing more will be dealt: the unseen cards are the other hand, solved exactly.
        Distribuisci(p, c);
        for (std::size_t k = 0; k < mosse.size(); ++k) {
            PartitaRapida g = c;
            g.Gioca(mosse[k].Slot - 1, mosse[k].Ruba);
            somma[k] = EsattoAB(g, -1000, 1000, nodi_);
        }
        return mosse[Migliore(somma)];
    }
    const int campioni = std::max(8, giocate_ / static_cast<int>(mosse.size()));
    for (int d = 0; d < campioni && !(d > 0 && Scaduto()); ++d) {
        caso_.Mescola(p.ignote, p.ni);
        Distribuisci(p, c);
        for (std::size_t k = 0; k < mosse.size(); ++k) {
            PartitaRapida g = c;
            g.Gioca(mosse[k].Slot - 1, mosse[k].Ruba);
            while (!g.ManiVuote() && !UltimoGiro(g)) MossaRegola(g);
            somma[k] += EsattoAB(g, -1000, 1000, nodi_);
        }
    }
    return mosse[Migliore(somma)];
}

int MossaComputerLivello(RegoleRubamazzo& r, Livello livello, unsigned attesaMs)
{
    if (livello != Livello::Esperto || r.Turno != 2) {
        if (attesaMs) Pausa(attesaMs);
        return r.MossaComputer();
    }
    // Seeded from the table's own generator: a table whose seed is fixed replays its games.
    // The search works on its own copy of the view, on a worker thread.
    const std::uint64_t seme = r.Mazzo().Generatore().Prossimo();
    const VistaRubamazzo vista = OsservaRubamazzo(r, 2);
    const MossaRubamazzo m = PensaInDisparte([seme, vista] {
        EspertoRubamazzo esperto(seme);
        esperto.ImpostaLimite(LimiteRicercaMs);
        const MossaRubamazzo scelta = esperto.Scegli(vista);
        if (esperto.LimiteRaggiunto()) SegnalaLimite("Rubamazzo");
        return scelta;
    }, attesaMs);
    const int tipo = r.GiocaComputer(m.Slot, m.Ruba);
    return tipo != R::Nessuna ? tipo : r.MossaComputer();
}

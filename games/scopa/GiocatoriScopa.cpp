// Scopa players: the seat's view, legal moves, the rule player for either seat, a random
// player, and the search player with its quick playout state.
#include "games/scopa/GiocatoriScopa.h"

#include <algorithm>

namespace {

constexpr int Posti = MotoreScopa::MassimoPostiTavolo;

int Valore(int c) { return MotoreScopa::Valore(c); }

// Every subset of `valori[0..n-1]` of at most five cards summing to v, as index lists, in
// the engine's order (smaller sets first, each size lexicographic).
template <typename F>
void Combinazioni(const int* valori, int n, int v, F&& aggiungi)
{
    int scelti[MotoreScopa::MassimaPresa];
    for (int misura = 1; misura <= MotoreScopa::MassimaPresa && misura <= n; ++misura) {
        auto cammina = [&](auto&& self, int da, int livello, int somma) -> void {
            if (livello == misura) {
                if (somma == v) aggiungi(scelti, misura);
                return;
            }
            for (int i = da; i <= n - (misura - livello); ++i) {
                const int s = somma + valori[i];
                if (s > v) continue;
                scelti[livello] = i;
                self(self, i + 1, livello + 1, s);
            }
        };
        cammina(cammina, 0, 0, 0);
    }
}

}  // namespace

VistaScopa OsservaScopa(const MotoreScopa& m, int lato)
{
    VistaScopa v;
    v.Lato = lato == 1 ? 1 : 2;
    const std::int32_t* mia = v.Lato == 1 ? m.ManoGiocatore : m.ManoComputer;
    const std::int32_t* altra = v.Lato == 1 ? m.ManoComputer : m.ManoGiocatore;
    for (int i = 1; i <= 3; ++i) {
        v.Mano[i] = mia[i];
        if (altra[i]) ++v.CarteAvversario;
    }
    for (int p = 1; p <= Posti; ++p) v.Tavolo[p] = m.Tavolo[p];
    const std::int32_t* pila = v.Lato == 1 ? m.PreseGiocatore : m.PreseComputer;
    const std::int32_t* pilaAltra = v.Lato == 1 ? m.PreseComputer : m.PreseGiocatore;
    v.NumeroPrese = std::clamp<int>(v.Lato == 1 ? m.ContaPreseGiocatore : m.ContaPreseComputer, 0, 40);
    v.NumeroPreseAvversario = std::clamp<int>(v.Lato == 1 ? m.ContaPreseComputer : m.ContaPreseGiocatore, 0, 40);
    for (int k = 1; k <= v.NumeroPrese; ++k) v.Prese[k] = pila[k];
    for (int k = 1; k <= v.NumeroPreseAvversario; ++k) v.PreseAvversario[k] = pilaAltra[k];
    v.Scope = v.Lato == 1 ? m.ScopeGiocatore : m.ScopeComputer;
    v.ScopeAvversario = v.Lato == 1 ? m.ScopeComputer : m.ScopeGiocatore;
    v.UltimaPresa = m.UltimaPresa;
    v.CarteNelMazzo = std::clamp<int>(40 - m.CarteDistribuite, 0, 40);
    return v;
}

std::vector<MossaScopa> MosseLegaliScopa(const VistaScopa& v)
{
    std::vector<MossaScopa> mosse;
    int posti[Posti], valori[Posti], n = 0;
    for (int p = 1; p <= Posti; ++p)
        if (v.Tavolo[p]) {
            posti[n] = p;
            valori[n++] = Valore(v.Tavolo[p]);
        }
    for (int s = 1; s <= 3; ++s) {
        const int c = v.Mano[s];
        if (!c) continue;
        const int val = Valore(c);
        int uguali = 0, postoUguale = 0;
        for (int i = 0; i < n; ++i)
            if (valori[i] == val) {
                ++uguali;
                postoUguale = posti[i];
            }
        if (uguali == 1) {
            // One equal card: it must be taken, whatever sums there are.
            MossaScopa m;
            m.Slot = s;
            m.Posti[0] = postoUguale;
            m.NumeroPosti = 1;
            mosse.push_back(m);
            continue;
        }
        const std::size_t prima = mosse.size();
        Combinazioni(valori, n, val, [&](const int* scelti, int misura) {
            MossaScopa m;
            m.Slot = s;
            m.NumeroPosti = misura;
            for (int j = 0; j < misura; ++j) m.Posti[j] = posti[scelti[j]];
            mosse.push_back(m);
        });
        if (mosse.size() == prima) {
            MossaScopa m;
            m.Slot = s;
            mosse.push_back(m);
        }
    }
    return mosse;
}

int ApplicaMossaScopa(MotoreScopa& m, int lato, const MossaScopa& mossa)
{
    if (m.Turno != lato) return 0;
    if (lato == 2) return m.GiocaComputer(mossa.Slot, mossa.Posti, mossa.NumeroPosti);
    const int r = m.GiocaCarta(mossa.Slot);
    if (r < 2) return r;
    for (int k = 0; k < r; ++k) {
        if (m.Prese[k][0] != mossa.NumeroPosti) continue;
        bool uguale = true;
        for (int j = 0; j < mossa.NumeroPosti; ++j) uguale = uguale && m.Prese[k][j + 1] == mossa.Posti[j];
        if (uguale) return m.EseguiPresa(mossa.Slot, k);
    }
    return 0;
}

// ---- the rule player ----

MossaScopa NormaleScopa::Scegli(const VistaScopa& v)
{
    // The rules of MossaComputer read the own hand, the table and the other pile; they run on
    // a scratch engine set up from the view, with this seat in the computer's chair.
    auto m = std::make_unique<MotoreScopa>(1u);
    for (int i = 1; i <= 3; ++i) {
        m->ManoComputer[i] = v.Mano[i];
        m->ManoGiocatore[i] = 0;
    }
    for (int p = 1; p <= Posti; ++p) m->Tavolo[p] = v.Tavolo[p];
    for (int k = 0; k <= 40; ++k) {
        m->PreseComputer[k] = k <= v.NumeroPrese ? v.Prese[k] : 0;
        m->PreseGiocatore[k] = k <= v.NumeroPreseAvversario ? v.PreseAvversario[k] : 0;
    }
    m->PreseComputer[0] = m->PreseGiocatore[0] = 0;
    m->ContaPreseComputer = v.NumeroPrese;
    m->ContaPreseGiocatore = v.NumeroPreseAvversario;
    m->ScopeComputer = v.Scope;
    m->ScopeGiocatore = v.ScopeAvversario;
    m->UltimaPresa = v.UltimaPresa == 0 ? 0 : (v.UltimaPresa == v.Lato ? 2 : 1);
    m->CarteDistribuite = 40 - v.CarteNelMazzo;
    m->Turno = 2;
    m->AggiornaValoriTavolo();
    m->MossaComputer();

    MossaScopa mossa;
    mossa.Slot = m->CartaGiocataComputer;
    for (int p = 1; p <= Posti && mossa.NumeroPosti < MotoreScopa::MassimaPresa; ++p)
        if (v.Tavolo[p] && !m->Tavolo[p]) mossa.Posti[mossa.NumeroPosti++] = p;
    return mossa;
}

MossaScopa CasualeScopa::Scegli(const VistaScopa& v)
{
    int tenute[3], n = 0;
    for (int s = 1; s <= 3; ++s)
        if (v.Mano[s]) tenute[n++] = s;
    if (n == 0) return {};
    const int s = tenute[caso_.Modulo(n)];
    std::vector<MossaScopa> sue;
    for (const MossaScopa& m : MosseLegaliScopa(v))
        if (m.Slot == s) sue.push_back(m);
    return sue[caso_.Modulo(static_cast<int>(sue.size()))];
}

// ---- the search player ----

namespace {

// A whole hand with every card known (one sample of the unseen cards), kept small so it is
// copied for every playout. Sides are indexed 0 (the searching seat) and 1 (the other).
struct ManoRapida {
    std::int8_t mano[2][3];
    std::int8_t tavolo[40];
    std::int8_t nt;
    std::int8_t mazzo[40];
    std::int8_t nm, pm;  // deck size and next card
    std::int8_t turno, primo;
    std::int8_t ultima;  // side that takes the last table cards: the last taker, else the computer's seat
    std::int8_t carte[2], denari[2], scope[2], settebello[2];
    std::int8_t primiera[2][4];
    std::uint16_t napoli[2];  // Denari bits 1..10

    bool ManiVuote() const
    {
        for (int s = 0; s < 2; ++s)
            for (int i = 0; i < 3; ++i)
                if (mano[s][i]) return false;
        return true;
    }
    int TotaleTavolo() const
    {
        int t = 0;
        for (int i = 0; i < nt; ++i) t += Valore(tavolo[i]);
        return t;
    }
    void Prendi(int lato, int c)
    {
        ++carte[lato];
        if (c <= 10) {
            ++denari[lato];
            napoli[lato] |= static_cast<std::uint16_t>(1u << c);
            if (c == 7) settebello[lato] = 1;
        }
        const int s = (c - 1) / 10;
        const int p = PuntiPrimiera(c);
        if (p > primiera[lato][s]) primiera[lato][s] = static_cast<std::int8_t>(p);
    }
    // Plays hand slot i of the side to move, taking the table cards of bit mask `presa`.
    void Gioca(int i, std::uint64_t presa)
    {
        const int lato = turno;
        const int c = mano[lato][i];
        mano[lato][i] = 0;
        if (presa) {
            Prendi(lato, c);
            int k = 0;
            for (int j = 0; j < nt; ++j) {
                if (presa >> j & 1)
                    Prendi(lato, tavolo[j]);
                else
                    tavolo[k++] = tavolo[j];
            }
            nt = static_cast<std::int8_t>(k);
            ultima = static_cast<std::int8_t>(lato);
            if (nt == 0) ++scope[lato];
        } else {
            tavolo[nt++] = static_cast<std::int8_t>(c);
        }
        turno = static_cast<std::int8_t>(1 - lato);
        if (ManiVuote() && pm < nm) {
            // Three each, the leader's side first, and the leader opens again.
            for (int s : {static_cast<int>(primo), 1 - primo})
                for (int k = 0; k < 3; ++k) mano[s][k] = mazzo[pm++];
            turno = primo;
        }
    }
    // Hand points of side 0 minus side 1, after the last table cards went to the last taker.
    double Risultato()
    {
        for (int j = 0; j < nt; ++j) Prendi(ultima, tavolo[j]);
        nt = 0;
        int punti[2] = {scope[0], scope[1]};
        if (carte[0] != carte[1]) ++punti[carte[0] > carte[1] ? 0 : 1];
        if (denari[0] != denari[1]) ++punti[denari[0] > denari[1] ? 0 : 1];
        ++punti[settebello[0] ? 0 : 1];
        int pr[2] = {0, 0};
        for (int s = 0; s < 2; ++s)
            for (int k = 0; k < 4; ++k) pr[s] += primiera[s][k];
        if (pr[0] != pr[1]) ++punti[pr[0] > pr[1] ? 0 : 1];
        for (int s = 0; s < 2; ++s)
            if ((napoli[s] & 0xE) == 0xE) {
                int n = 3;
                for (int k = 4; k <= 10 && (napoli[s] >> k & 1); ++k) ++n;
                punti[s] += n;
            }
        // A small share of the card and Denari counts breaks ties between equal hands.
        return punti[0] - punti[1] + 0.02 * (carte[0] - carte[1]) + 0.03 * (denari[0] - denari[1]);
    }
};

// Legal captures of card c on the table as bit masks; none means the card is laid down.
int PreseRapide(const ManoRapida& m, int c, std::uint64_t* prese, int massimo)
{
    const int v = Valore(c);
    int valori[40];
    int uguali = 0, unico = -1;
    for (int j = 0; j < m.nt; ++j) {
        valori[j] = Valore(m.tavolo[j]);
        if (valori[j] == v) {
            ++uguali;
            unico = j;
        }
    }
    if (uguali == 1) {
        prese[0] = 1ull << unico;
        return 1;
    }
    int n = 0;
    Combinazioni(valori, m.nt, v, [&](const int* scelti, int misura) {
        if (n >= massimo) return;
        std::uint64_t b = 0;
        for (int j = 0; j < misura; ++j) b |= 1ull << scelti[j];
        prese[n++] = b;
    });
    return n;
}

double PesoCarta(int c)
{
    double w = 1.0;
    if (c <= 10) w += 1.0;
    if (c == 7) w += 5.0;
    const int v = Valore(c);
    if (v == 7) w += 1.6;
    else if (v == 6) w += 0.9;
    else if (v == 1) w += 0.5;
    if (c >= 1 && c <= 3) w += 0.8;
    return w;
}

// The greedy playout policy: the capture worth the most (sweeps above all), minus the risk
// of leaving a table the other side can sweep with one card; otherwise the cheapest card
// to lay down.
void MossaGolosa(ManoRapida& m)
{
    const int lato = m.turno;
    const int totale = m.TotaleTavolo();
    const bool ultimoGiro = m.pm >= m.nm;
    int altre = 0;
    for (int i = 0; i < 3; ++i) altre += m.mano[1 - lato][i] != 0;
    double meglio = -1e9;
    int sceltaI = -1;
    std::uint64_t sceltaP = 0;
    std::uint64_t prese[64];
    for (int i = 0; i < 3; ++i) {
        const int c = m.mano[lato][i];
        if (!c) continue;
        const int n = PreseRapide(m, c, prese, 64);
        if (n == 0) {
            const int resta = totale + Valore(c);
            double p = -PesoCarta(c) * 0.6;
            if (resta <= 10 && altre > 0) p -= 2.5;
            if (p > meglio) { meglio = p; sceltaI = i; sceltaP = 0; }
            continue;
        }
        for (int k = 0; k < n; ++k) {
            double p = PesoCarta(c);
            int preso = 0;
            for (int j = 0; j < m.nt; ++j)
                if (prese[k] >> j & 1) {
                    p += PesoCarta(m.tavolo[j]);
                    preso += Valore(m.tavolo[j]);
                }
            const int resta = totale - preso;
            if (resta == 0 && !(ultimoGiro && altre == 0)) p += 12.0;
            else if (resta <= 10 && altre > 0) p -= 2.5;
            if (p > meglio) { meglio = p; sceltaI = i; sceltaP = prese[k]; }
        }
    }
    m.Gioca(sceltaI, sceltaP);
}

}  // namespace

namespace {

// The known part of the hand seen from the view (side 0 is the seat), the table places in
// the order of the quick state's table, and the cards the seat has not seen.
struct Partenza {
    ManoRapida base{};
    int postoDi[40] = {};
    int ignote[40] = {}, ni = 0;
    int nAvversario = 0;
};

void Prepara(const VistaScopa& v, Partenza& p)
{
    ManoRapida& base = p.base;
    bool visto[41] = {};
    for (int i = 0; i < 3; ++i) {
        base.mano[0][i] = static_cast<std::int8_t>(v.Mano[i + 1]);
        visto[v.Mano[i + 1]] = true;
    }
    for (int q = 1; q <= Posti; ++q)
        if (v.Tavolo[q]) {
            p.postoDi[base.nt] = q;
            base.tavolo[base.nt++] = static_cast<std::int8_t>(v.Tavolo[q]);
            visto[v.Tavolo[q]] = true;
        }
    for (int k = 1; k <= v.NumeroPrese; ++k) {
        base.Prendi(0, v.Prese[k]);
        visto[v.Prese[k]] = true;
    }
    for (int k = 1; k <= v.NumeroPreseAvversario; ++k) {
        base.Prendi(1, v.PreseAvversario[k]);
        visto[v.PreseAvversario[k]] = true;
    }
    base.scope[0] = static_cast<std::int8_t>(v.Scope);
    base.scope[1] = static_cast<std::int8_t>(v.ScopeAvversario);
    // With nobody having captured, the last table cards go to the computer's seat.
    const int ultima = v.UltimaPresa == 0 ? 2 : v.UltimaPresa;
    base.ultima = static_cast<std::int8_t>(ultima == v.Lato ? 0 : 1);
    base.turno = 0;
    // The leader opens every deal, so it has played as many cards as the other side or one
    // more: with equal hands this seat leads, otherwise the other seat does.
    int mie = 0;
    for (int i = 1; i <= 3; ++i) mie += v.Mano[i] != 0;
    base.primo = static_cast<std::int8_t>(mie == v.CarteAvversario ? 0 : 1);

    p.ni = 0;
    for (int c = 1; c <= 40; ++c)
        if (!visto[c]) p.ignote[p.ni++] = c;
    p.nAvversario = std::min(v.CarteAvversario, p.ni);
}

// One sample: the other hand and the deck from the unseen cards as they lie in `ignote`.
void Distribuisci(const Partenza& p, ManoRapida& campione)
{
    campione = p.base;
    for (int i = 0; i < 3; ++i) campione.mano[1][i] = 0;
    for (int i = 0; i < p.nAvversario; ++i) campione.mano[1][i] = static_cast<std::int8_t>(p.ignote[i]);
    campione.nm = 0;
    for (int i = p.nAvversario; i < p.ni; ++i) campione.mazzo[campione.nm++] = static_cast<std::int8_t>(p.ignote[i]);
    campione.pm = 0;
}

struct Candidato { int i; std::uint64_t presa; double somma = 0; };

std::vector<Candidato> Candidati(const std::vector<MossaScopa>& mosse, const Partenza& p)
{
    std::vector<Candidato> candidati;
    for (const MossaScopa& m : mosse) {
        Candidato k{m.Slot - 1, 0};
        for (int j = 0; j < m.NumeroPosti; ++j)
            for (int t = 0; t < p.base.nt; ++t)
                if (p.postoDi[t] == m.Posti[j]) k.presa |= 1ull << t;
        candidati.push_back(k);
    }
    return candidati;
}

// Exact value (side 0's hand result) of a hand whose deck is spent: alpha-beta over every
// card and every legal capture. Captures are tried first, as they are the moves that
// usually decide, so the window closes early.
double Esatto(const ManoRapida& m, double alfa, double beta, long& nodi)
{
    ++nodi;
    if (m.ManiVuote()) {
        ManoRapida f = m;
        return f.Risultato();
    }
    const int lato = m.turno;
    struct Mossa { int i; std::uint64_t p; int ordine; };
    Mossa mosse[3 * 32];
    int n = 0;
    std::uint64_t prese[32];
    for (int i = 0; i < 3; ++i) {
        const int c = m.mano[lato][i];
        if (!c) continue;
        const int np = PreseRapide(m, c, prese, 32);
        if (np == 0) mosse[n++] = {i, 0, 0};
        for (int k = 0; k < np; ++k) {
            const int presi = __builtin_popcountll(prese[k]);
            mosse[n++] = {i, prese[k], presi == m.nt ? 100 : 10 + presi};
        }
    }
    OrdinaPoche(mosse, n, [](const Mossa& a, const Mossa& b) { return a.ordine > b.ordine; });
    return NodoAlfaBeta(lato, n, alfa, beta, 1e9, [&](int k, double a, double b) {
        ManoRapida q = m;
        q.Gioca(mosse[k].i, mosse[k].p);
        return Esatto(q, a, b, nodi);
    });
}

std::size_t Migliore(const std::vector<Candidato>& candidati)
{
    std::size_t migliore = 0;
    for (std::size_t k = 1; k < candidati.size(); ++k)
        if (candidati[k].somma > candidati[migliore].somma) migliore = k;
    return migliore;
}

}  // namespace

MossaScopa EspertoScopa1::Scegli(const VistaScopa& v)
{
    const std::vector<MossaScopa> mosse = MosseLegaliScopa(v);
    if (mosse.size() <= 1) return mosse.empty() ? MossaScopa{} : mosse[0];
    Partenza p;
    Prepara(v, p);
    std::vector<Candidato> candidati = Candidati(mosse, p);
    const int campioni = std::max(8, giocate_ / static_cast<int>(candidati.size()));
    ManoRapida campione;
    for (int d = 0; d < campioni; ++d) {
        caso_.Mescola(p.ignote, p.ni);
        Distribuisci(p, campione);
        for (Candidato& k : candidati) {
            ManoRapida g = campione;
            g.Gioca(k.i, k.presa);
            while (!g.ManiVuote()) MossaGolosa(g);
            k.somma += g.Risultato();
        }
    }
    return mosse[Migliore(candidati)];
}

MossaScopa EspertoScopa::Scegli(const VistaScopa& v)
{
    nodi_ = 0;
    AvviaLimite();
    const std::vector<MossaScopa> mosse = MosseLegaliScopa(v);
    if (mosse.size() <= 1) return mosse.empty() ? MossaScopa{} : mosse[0];
    Partenza p;
    Prepara(v, p);
    std::vector<Candidato> candidati = Candidati(mosse, p);
    ManoRapida campione;
    if (v.CarteNelMazzo == 0) {
        // Every unseen card is in the other hand: one exact search.
        Distribuisci(p, campione);
        for (Candidato& k : candidati) {
            ManoRapida g = campione;
            g.Gioca(k.i, k.presa);
            k.somma = Esatto(g, -1e9, 1e9, nodi_);
        }
        return mosse[Migliore(candidati)];
    }
    const int campioni = std::max(8, giocate_ / static_cast<int>(candidati.size()));
    for (int d = 0; d < campioni && !(d > 0 && Scaduto()); ++d) {
        caso_.Mescola(p.ignote, p.ni);
        Distribuisci(p, campione);
        for (Candidato& k : candidati) {
            ManoRapida g = campione;
            g.Gioca(k.i, k.presa);
            while (!g.ManiVuote() && g.pm < g.nm) MossaGolosa(g);
            k.somma += g.ManiVuote() ? g.Risultato() : Esatto(g, -1e9, 1e9, nodi_);
        }
    }
    return mosse[Migliore(candidati)];
}

void MossaComputerLivello(MotoreScopa& m, Livello livello)
{
    if (livello != Livello::Esperto || m.Turno != 2) {
        m.MossaComputer();
        return;
    }
    // Seeded from the table's own generator: a table whose seed is fixed replays its games.
    // The search works on its own copy of the view, on a worker thread.
    const std::uint64_t seme = m.Generatore().Prossimo();
    const VistaScopa vista = OsservaScopa(m, 2);
    const MossaScopa mossa = PensaInDisparte([seme, vista] {
        EspertoScopa esperto(seme);
        esperto.ImpostaLimite(LimiteRicercaMs);
        const MossaScopa scelta = esperto.Scegli(vista);
        if (esperto.LimiteRaggiunto()) SegnalaLimite("Scopa");
        return scelta;
    });
    // The search only proposes legal moves; should the engine refuse one all the same, the
    // rule player moves so the turn always passes.
    if (!ApplicaMossaScopa(m, 2, mossa)) m.MossaComputer();
}

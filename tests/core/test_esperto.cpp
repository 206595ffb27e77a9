// The search players' exact endgames, checked against a brute-force search on the rules
// engines themselves; the wall-clock cap; the search on a worker thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "core/Pausa.h"
#include "core/StatoMazzo.h"
#include "games/briscola/GiocatoriBriscola.h"
#include "games/rubamazzo/GiocatoriRubamazzo.h"
#include "games/scopa/GiocatoriScopa.h"

namespace {

class Esperto : public ::testing::Test {
protected:
    void SetUp() override { ImpostaScalaTempo(0); }
    void TearDown() override
    {
        ImpostaDormiente({});
        OsservatoreRicerca() = nullptr;
    }
};

// ---- Scopa: once the deck is spent ----

bool ManiVuote(const MotoreScopa& m)
{
    for (int i = 1; i <= 3; ++i)
        if (m.ManoGiocatore[i] || m.ManoComputer[i]) return false;
    return true;
}

// Hand points of `lato` minus the other's with both sides playing perfectly from here.
int ValoreScopa(const MotoreScopa& m, int lato)
{
    if (ManiVuote(m)) {
        auto f = std::make_unique<MotoreScopa>(m);
        f->ChiudiMano();
        int scheda[52] = {};
        f->Punteggio(scheda);
        return lato == 1 ? scheda[50] - scheda[51] : scheda[51] - scheda[50];
    }
    const int turno = m.Turno;
    int meglio = turno == lato ? -100 : 100;
    for (const MossaScopa& x : MosseLegaliScopa(OsservaScopa(m, turno))) {
        auto q = std::make_unique<MotoreScopa>(m);
        EXPECT_EQ(ApplicaMossaScopa(*q, turno, x), 1);
        const int v = ValoreScopa(*q, lato);
        meglio = turno == lato ? std::max(meglio, v) : std::min(meglio, v);
    }
    return meglio;
}

TEST_F(Esperto, ScopaLastDealIsPlayedPerfectlyLastTakerIncluded)
{
    int posizioni = 0, conScelta = 0;
    for (std::uint32_t seme = 1; seme <= 12; ++seme) {
        auto m = std::make_unique<MotoreScopa>(seme);
        m->NuovaMano(seme % 2 + 1);
        CasualeScopa casuale(seme);
        EspertoScopa esperto(seme, 64);
        for (int mossa = 1; mossa <= 36 && !ManiVuote(*m); ++mossa) {
            const int lato = m->Turno;
            const VistaScopa v = OsservaScopa(*m, lato);
            const std::vector<MossaScopa> legali = MosseLegaliScopa(v);
            MossaScopa scelta = casuale.Scegli(v);
            if (v.CarteNelMazzo == 0 && legali.size() >= 2) {
                scelta = esperto.Scegli(v);
                EXPECT_GT(esperto.NodiUltimaScelta(), 0) << "the exact search decided";
                int migliore = -100, peggiore = 100, dellaScelta = 0;
                for (const MossaScopa& x : legali) {
                    auto q = std::make_unique<MotoreScopa>(*m);
                    ASSERT_EQ(ApplicaMossaScopa(*q, lato, x), 1);
                    const int val = ValoreScopa(*q, lato);
                    migliore = std::max(migliore, val);
                    peggiore = std::min(peggiore, val);
                    if (x == scelta) dellaScelta = val;
                }
                EXPECT_EQ(dellaScelta, migliore) << "seed " << seme << ", move " << mossa << ": a better move was missed";
                ++posizioni;
                conScelta += migliore != peggiore;
            }
            ASSERT_EQ(ApplicaMossaScopa(*m, lato, scelta), 1);
            if (m->FineGiro() == 1) m->Distribuisci(seme % 2 + 1);
        }
    }
    EXPECT_GE(posizioni, 30);
    EXPECT_GE(conScelta, 8) << "enough positions where the move mattered";
}

// ---- Briscola: once the stock is spent ----

struct TavoloBriscola {
    StatoMazzo mazzo;
    RegoleBriscola r{mazzo};
};

int ValoreBriscola(const RegoleBriscola& r, int lato)
{
    if (r.PartitaFinita()) return lato == 1 ? r.PuntiGiocatore - r.PuntiComputer : r.PuntiComputer - r.PuntiGiocatore;
    const int turno = r.Turno;
    const std::int32_t* mano = turno == 1 ? r.ManoGiocatore : r.ManoComputer;
    int meglio = turno == lato ? -200 : 200;
    for (int s = 1; s <= 3; ++s) {
        if (!mano[s]) continue;
        RegoleBriscola q = r;
        EXPECT_EQ(ApplicaMossaBriscola(q, turno, {s}), 1);
        if (q.CarteGiocate == 2) q.RisolviPresa();
        const int v = ValoreBriscola(q, lato);
        meglio = turno == lato ? std::max(meglio, v) : std::min(meglio, v);
    }
    return meglio;
}

TEST_F(Esperto, BriscolaLastTricksArePlayedPerfectly)
{
    int posizioni = 0, conScelta = 0;
    for (std::uint32_t seme = 1; seme <= 16; ++seme) {
        TavoloBriscola t;
        t.mazzo.Generatore().Fissa(seme);
        t.r.NuovaPartita();
        CasualeBriscola casuale(seme);
        EspertoBriscola esperto(seme, 64);
        while (!t.r.PartitaFinita()) {
            const int lato = t.r.Turno;
            const VistaBriscola v = OsservaBriscola(t.r, lato);
            MossaBriscola scelta = casuale.Scegli(v);
            if (v.CarteNelMazzo == 0 && (v.Mano[1] != 0) + (v.Mano[2] != 0) + (v.Mano[3] != 0) >= 2) {
                scelta = esperto.Scegli(v);
                int migliore = -200, peggiore = 200, dellaScelta = 0;
                for (int s = 1; s <= 3; ++s) {
                    if (!v.Mano[s]) continue;
                    RegoleBriscola q = t.r;
                    ASSERT_EQ(ApplicaMossaBriscola(q, lato, {s}), 1);
                    if (q.CarteGiocate == 2) q.RisolviPresa();
                    const int val = ValoreBriscola(q, lato);
                    migliore = std::max(migliore, val);
                    peggiore = std::min(peggiore, val);
                    if (s == scelta.Slot) dellaScelta = val;
                }
                EXPECT_EQ(dellaScelta, migliore) << "seed " << seme << ": a better card was missed";
                ++posizioni;
                conScelta += migliore != peggiore;
            }
            ASSERT_EQ(ApplicaMossaBriscola(t.r, lato, scelta), 1);
            if (t.r.CarteGiocate == 2) t.r.RisolviPresa();
        }
    }
    EXPECT_GE(posizioni, 40);
    EXPECT_GE(conScelta, 10);
}

TEST_F(Esperto, BriscolaTricksAreRecordedAsPlayedAndSeenFromEitherSeat)
{
    for (std::uint32_t seme = 1; seme <= 3; ++seme) {
        TavoloBriscola t;
        t.mazzo.Generatore().Fissa(seme);
        CasualeBriscola a(seme), b(seme + 10);
        for (int partita = 0; partita < 2; ++partita) {
            t.r.NuovaPartita();
            EXPECT_EQ(OsservaBriscola(t.r, 1).Storia, 0) << "a new game starts with no tricks";
            int prese = 0;
            while (!t.r.PartitaFinita()) {
                const int lato = t.r.Turno;
                GiocatoreBriscola& g = lato == 1 ? static_cast<GiocatoreBriscola&>(a) : b;
                ASSERT_EQ(ApplicaMossaBriscola(t.r, lato, g.Scegli(OsservaBriscola(t.r, lato))), 1);
                if (t.r.CarteGiocate < 2) continue;
                const int guida = t.r.Iniziatore;
                const int delGiocatore = t.r.Carta(t.r.GiocataGiocatore), delComputer = t.r.Carta(t.r.GiocataComputer);
                t.r.RisolviPresa();
                ++prese;
                const VistaBriscola v1 = OsservaBriscola(t.r, 1), v2 = OsservaBriscola(t.r, 2);
                ASSERT_EQ(v1.Storia, prese);
                ASSERT_EQ(v2.Storia, prese);
                EXPECT_EQ(v1.StoriaGuida[prese], guida == 1 ? 1 : 0);
                EXPECT_EQ(v2.StoriaGuida[prese], guida == 2 ? 1 : 0);
                EXPECT_EQ(v1.StoriaMia[prese], delGiocatore);
                EXPECT_EQ(v1.StoriaAltra[prese], delComputer);
                EXPECT_EQ(v2.StoriaMia[prese], delComputer);
                EXPECT_EQ(v2.StoriaAltra[prese], delGiocatore);
            }
            EXPECT_EQ(prese, 20);
        }
    }
}

TEST_F(Esperto, BriscolaReadsTheOtherHandFromWhatItPlayed)
{
    // Trumps are the third suit (cards 21 to 30: Ace 21, Two 22, Three 23); the Five is face up.
    VistaBriscola v;
    v.Lato = 2;
    v.CartaBriscola = 25;
    v.Mano[1] = 36, v.Mano[2] = 18, v.Mano[3] = 29;
    v.CarteNelMazzo = 32;
    v.CarteAvversario = 3;
    // This seat led the Ace of the first suit; the other side let it go with a Four.
    v.Storia = 1;
    v.StoriaGuida[1] = 1, v.StoriaMia[1] = 1, v.StoriaAltra[1] = 14;
    v.NumeroPrese = 2, v.Prese[1] = 1, v.Prese[2] = 14;
    const int conBriscola[3] = {22, 16, 37}, senza[3] = {12, 16, 37};
    EXPECT_GT(VerosimiglianzaBriscola(v, senza), 2 * VerosimiglianzaBriscola(v, conBriscola))
        << "a side that keeps its Two of trumps under an Ace is unlikely";

    // Now the other side leads a Three: it would rather have led a card worth nothing.
    v.CartaAvversario = 3;
    v.CarteAvversario = 2;
    const int lisce[3] = {2, 17, 0}, cariche[3] = {11, 33, 0};
    EXPECT_GT(VerosimiglianzaBriscola(v, cariche), 2 * VerosimiglianzaBriscola(v, lisce));

    // With nothing played yet, every hand is as likely as any other.
    VistaBriscola nuova;
    nuova.Lato = 1, nuova.CartaBriscola = 25, nuova.CarteNelMazzo = 34, nuova.CarteAvversario = 3;
    EXPECT_DOUBLE_EQ(VerosimiglianzaBriscola(nuova, senza), VerosimiglianzaBriscola(nuova, conBriscola));
}

TEST_F(Esperto, BriscolaPlayoutModelTrumpsAnAceAndLeadsCheaply)
{
    const int mano[3] = {22, 16, 37};
    EXPECT_EQ(CartaModelloBriscola(mano, 1, 25, 30), 22) << "a led Ace is worth a low trump";
    EXPECT_NE(CartaModelloBriscola(mano, 2, 25, 30), 22) << "a led Two is not";
    const int conAsso[3] = {11, 16, 37};
    EXPECT_NE(CartaModelloBriscola(conAsso, 0, 25, 30), 11) << "no Ace led while a card worth nothing is in hand";
    const int soloUno[3] = {0, 16, 0};
    EXPECT_EQ(CartaModelloBriscola(soloUno, 0, 25, 0), 16);
}

// ---- Rubamazzo: once nothing is left to deal ----

struct TavoloRubamazzo {
    StatoMazzo mazzo;
    RegoleRubamazzo r{mazzo};
};

bool ManiVuote(const RegoleRubamazzo& r)
{
    for (int k = 1; k <= 6; ++k)
        if (r.Posti[k]) return false;
    return true;
}

int ValoreRubamazzo(const RegoleRubamazzo& r, int lato)
{
    if (ManiVuote(r)) {
        RegoleRubamazzo f = r;
        f.ChiudiPartita();
        return lato == 1 ? f.PilaGiocatore() - f.PilaComputer() : f.PilaComputer() - f.PilaGiocatore();
    }
    const int turno = r.Turno;
    int meglio = turno == lato ? -100 : 100;
    for (const MossaRubamazzo& x : MosseLegaliRubamazzo(OsservaRubamazzo(r, turno))) {
        RegoleRubamazzo q = r;
        EXPECT_NE(ApplicaMossaRubamazzo(q, turno, x), RegoleRubamazzo::Nessuna);
        const int v = ValoreRubamazzo(q, lato);
        meglio = turno == lato ? std::max(meglio, v) : std::min(meglio, v);
    }
    return meglio;
}

TEST_F(Esperto, RubamazzoLastDealIsPlayedPerfectly)
{
    int posizioni = 0, conScelta = 0;
    for (std::uint32_t seme = 1; seme <= 16; ++seme) {
        TavoloRubamazzo t;
        t.mazzo.Generatore().Fissa(seme);
        t.r.NuovaPartita();
        CasualeRubamazzo casuale(seme);
        EspertoRubamazzo esperto(seme, 64);
        for (int giri = 0; giri < 100 && t.r.PassoTimer() != 2; ++giri) {
            while (!ManiVuote(t.r)) {
                const int lato = t.r.Turno;
                const VistaRubamazzo v = OsservaRubamazzo(t.r, lato);
                const auto legali = MosseLegaliRubamazzo(v);
                MossaRubamazzo scelta = casuale.Scegli(v);
                if (v.CarteNelMazzo < 6 && legali.size() >= 2) {
                    scelta = esperto.Scegli(v);
                    EXPECT_GT(esperto.NodiUltimaScelta(), 0) << "the exact search decided";
                    int migliore = -100, peggiore = 100, dellaScelta = 0;
                    for (const MossaRubamazzo& x : legali) {
                        RegoleRubamazzo q = t.r;
                        ASSERT_NE(ApplicaMossaRubamazzo(q, lato, x), RegoleRubamazzo::Nessuna);
                        const int val = ValoreRubamazzo(q, lato);
                        migliore = std::max(migliore, val);
                        peggiore = std::min(peggiore, val);
                        if (x == scelta) dellaScelta = val;
                    }
                    EXPECT_EQ(dellaScelta, migliore) << "seed " << seme << ": a better move was missed";
                    ++posizioni;
                    conScelta += migliore != peggiore;
                }
                ASSERT_NE(ApplicaMossaRubamazzo(t.r, lato, scelta), RegoleRubamazzo::Nessuna);
            }
        }
        ASSERT_TRUE(t.r.PartitaFinita());
    }
    EXPECT_GE(posizioni, 40);
    EXPECT_GE(conScelta, 10);
}

// ---- budget and cap ----

TEST_F(Esperto, WallClockCapCutsAHugeBudgetShortAndIsReported)
{
    auto m = std::make_unique<MotoreScopa>(3u);
    m->NuovaMano(1);
    const VistaScopa v = OsservaScopa(*m, 1);
    const auto legali = MosseLegaliScopa(v);
    ASSERT_GE(legali.size(), 2u);

    EspertoScopa limitato(1, 50'000'000);
    limitato.ImpostaLimite(1);
    const MossaScopa scelta = limitato.Scegli(v);
    EXPECT_TRUE(limitato.LimiteRaggiunto());
    EXPECT_NE(std::find(legali.begin(), legali.end(), scelta), legali.end()) << "a cut search still moves legally";

    EspertoScopa libero(1, 64);
    libero.Scegli(v);
    EXPECT_FALSE(libero.LimiteRaggiunto()) << "without a cap the budget alone ends the search";
}

// ---- the worker thread ----

TEST_F(Esperto, SearchRunsOnAWorkerWhileTheCallerKeepsWaitingThroughTheSleeper)
{
    std::atomic<int> attese{0};
    ImpostaDormiente([&](unsigned) { ++attese; });
    const auto chiamante = std::this_thread::get_id();
    const unsigned long long pausePrima = PauseRichieste(), msPrima = MillisecondiRichiesti();
    std::thread::id lavoratore;
    bool osservato = false;
    OsservatoreRicerca() = [&] { osservato = true; };
    const int risultato = PensaInDisparte(
        [&] {
            lavoratore = std::this_thread::get_id();
            // Holds the search until the caller has waited through the sleeper at least
            // once: a caller blocked on the search would never get there (safety: 20 s).
            const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (attese.load() == 0 && std::chrono::steady_clock::now() < fine) std::this_thread::yield();
            return attese.load() > 0 ? 42 : -1;
        },
        800);
    EXPECT_EQ(risultato, 42) << "the caller waited through the sleeper while the search ran";
    EXPECT_NE(lavoratore, chiamante);
    EXPECT_TRUE(osservato);
    EXPECT_EQ(PauseRichieste() - pausePrima, 1u) << "the table's own wait is one pause";
    EXPECT_EQ(MillisecondiRichiesti() - msPrima, 800u);
}

TEST_F(Esperto, TableMovesThroughTheWorkerAreTheSameAsADirectSearch)
{
    // The level functions search a copy of the view seeded from the table's generator: the
    // same move a search player given that seed finds directly.
    for (std::uint32_t seme = 1; seme <= 4; ++seme) {
        auto m = std::make_unique<MotoreScopa>(seme);
        m->NuovaMano(2);
        ASSERT_EQ(m->Turno, 2);
        auto copia = std::make_unique<MotoreScopa>(*m);
        EspertoScopa diretto(copia->Generatore().Prossimo());
        const MossaScopa attesa = diretto.Scegli(OsservaScopa(*copia, 2));
        ASSERT_EQ(ApplicaMossaScopa(*copia, 2, attesa), 1);
        MossaComputerLivello(*m, Livello::Esperto);
        EXPECT_TRUE(std::equal(std::begin(m->Tavolo), std::end(m->Tavolo), std::begin(copia->Tavolo))) << "seed " << seme;
        EXPECT_TRUE(std::equal(std::begin(m->ManoComputer), std::end(m->ManoComputer), std::begin(copia->ManoComputer)));
    }
}

}  // namespace

// The players behind the shared interface: the search players decide only from what their
// seat sees, always answer with a legal move, and the rule players behind the interface
// make exactly the design's moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "core/Pausa.h"
#include "core/StatoMazzo.h"
#include "games/briscola/GiocatoriBriscola.h"
#include "games/rubamazzo/GiocatoriRubamazzo.h"
#include "games/scopa/GiocatoriScopa.h"

namespace {

constexpr int GiocateProva = 96;  // a small search budget keeps the tests quick

class Giocatori : public ::testing::Test {
protected:
    void SetUp() override { ImpostaScalaTempo(0); }
};

// ---- Scopa ----

// Plays one hand to the end with a player per seat; `prima` sees every position before a
// decision. Fails the test at the first refused move or lost card.
void ManoScopa(MotoreScopa& m, int primo, GiocatoreScopa* seggi[3],
               const std::function<void(const MotoreScopa&, int lato)>& prima = {})
{
    m.NuovaMano(primo);
    for (int mossa = 1; mossa <= 36; ++mossa) {
        const int lato = m.Turno;
        if (prima) prima(m, lato);
        const MossaScopa scelta = seggi[lato]->Scegli(OsservaScopa(m, lato));
        ASSERT_EQ(ApplicaMossaScopa(m, lato, scelta), 1) << "move " << mossa << " of side " << lato << " refused";
        ASSERT_EQ(m.ControllaCarte(), "") << "after move " << mossa;
        const int fine = m.FineGiro();
        if (fine == 1) {
            ASSERT_EQ(m.Distribuisci(primo), 1);
        }
        if (fine == 2) {
            m.ChiudiMano();
            EXPECT_EQ(m.ContaPreseGiocatore + m.ContaPreseComputer, 40);
            return;
        }
    }
    FAIL() << "the hand did not end";
}

// The same position with the cards the seat cannot see (the other hand and the undealt
// deck) dealt again at random among those places.
std::unique_ptr<MotoreScopa> AltreCarteNascosteScopa(const MotoreScopa& m, int lato, CasualeRapido& caso)
{
    auto copia = std::make_unique<MotoreScopa>(m);
    std::int32_t* altra = lato == 1 ? copia->ManoComputer : copia->ManoGiocatore;
    std::vector<std::int32_t*> posti;
    for (int i = 1; i <= 3; ++i)
        if (altra[i]) posti.push_back(&altra[i]);
    for (int k = copia->CarteDistribuite + 1; k <= 40; ++k) posti.push_back(&copia->CarteMazzo[k]);
    std::vector<int> carte;
    for (auto* p : posti) carte.push_back(*p);
    caso.Mescola(carte.data(), static_cast<int>(carte.size()));
    for (size_t i = 0; i < posti.size(); ++i) *posti[i] = carte[i];
    return copia;
}

TEST_F(Giocatori, ScopaSearchIgnoresHowTheHiddenCardsLie)
{
    auto m = std::make_unique<MotoreScopa>(5u);
    CasualeScopa casuale1(1), casuale2(2);
    GiocatoreScopa* seggi[3] = {nullptr, &casuale1, &casuale2};
    CasualeRapido caso(9);
    int confronti = 0, diverse = 0;
    for (int mano = 1; mano <= 6; ++mano) {
        ManoScopa(*m, mano % 2 + 1, seggi, [&](const MotoreScopa& pos, int lato) {
            auto altra = AltreCarteNascosteScopa(pos, lato, caso);
            ASSERT_EQ(altra->ControllaCarte(), "");
            const VistaScopa v1 = OsservaScopa(pos, lato), v2 = OsservaScopa(*altra, lato);
            ASSERT_TRUE(v1 == v2) << "the seat's view holds a hidden card";
            EspertoScopa a(123, GiocateProva), b(123, GiocateProva);
            EXPECT_EQ(a.Scegli(v1), b.Scegli(v2)) << "hand " << mano << ", side " << lato;
            ++confronti;
            const std::int32_t* h1 = lato == 1 ? pos.ManoComputer : pos.ManoGiocatore;
            const std::int32_t* h2 = lato == 1 ? altra->ManoComputer : altra->ManoGiocatore;
            diverse += !std::equal(h1 + 1, h1 + 4, h2 + 1);
        });
    }
    EXPECT_GE(confronti, 200);
    EXPECT_GE(diverse, confronti / 2) << "most positions were compared with another hidden hand";
}

TEST_F(Giocatori, ScopaSearchAlwaysMovesLegallyInEitherSeatToTheLastCard)
{
    auto m = std::make_unique<MotoreScopa>(11u);
    EspertoScopa esperto(3, GiocateProva);
    CasualeScopa casuale(4);
    int scelte = 0;
    for (int mano = 1; mano <= 12; ++mano) {
        GiocatoreScopa* seggi[3] = {nullptr, mano % 2 ? &esperto : static_cast<GiocatoreScopa*>(&casuale),
                                     mano % 2 ? static_cast<GiocatoreScopa*>(&casuale) : &esperto};
        ManoScopa(*m, (mano / 2) % 2 + 1, seggi, [&](const MotoreScopa& pos, int lato) {
            if (seggi[lato] != &esperto) return;
            int presePossibili = 0;
            for (const MossaScopa& x : MosseLegaliScopa(OsservaScopa(pos, lato))) presePossibili += x.NumeroPosti > 0;
            scelte += presePossibili >= 2;
        });
    }
    EXPECT_GT(scelte, 10) << "positions with a choice of captures were met";
}

TEST_F(Giocatori, ScopaCaptureChoiceAndForcedSingle)
{
    // Cards: 5 Denari 5, 5 Spade 15, 3 Bastoni 23, 2 Coppe 32; 7 Spade 17.
    struct Caso {
        const char* regola;
        std::vector<int> tavolo;
        int carta;
        std::vector<std::vector<int>> legali;  // table places each legal move takes
    };
    const Caso casi[] = {
        {"two equal cards and a sum: each is a choice", {5, 15, 23, 32}, 25, {{1}, {2}, {3, 4}}},
        {"one equal card must be taken alone", {17, 23, 34}, 27, {{1}}},
        {"nothing to take: the card is laid down", {12, 13}, 29, {{}}},
        {"a sweep with the only card", {23, 34}, 37, {{1, 2}}},
    };
    for (const Caso& k : casi) {
        for (int lato : {1, 2}) {
            auto m = std::make_unique<MotoreScopa>(1u);
            std::fill(std::begin(m->Tavolo), std::end(m->Tavolo), 0);
            for (size_t i = 0; i < k.tavolo.size(); ++i) m->Tavolo[i + 1] = k.tavolo[i];
            for (int i = 1; i <= 3; ++i) m->ManoGiocatore[i] = m->ManoComputer[i] = 0;
            (lato == 1 ? m->ManoGiocatore : m->ManoComputer)[2] = k.carta;
            (lato == 1 ? m->ManoComputer : m->ManoGiocatore)[1] = 1;  // the other side still holds a card
            m->Turno = lato;
            m->AggiornaValoriTavolo();
            const VistaScopa v = OsservaScopa(*m, lato);
            std::vector<std::vector<int>> legali;
            for (const MossaScopa& x : MosseLegaliScopa(v)) legali.emplace_back(x.Posti, x.Posti + x.NumeroPosti);
            EXPECT_EQ(legali, k.legali) << k.regola;
            EspertoScopa esperto(7, GiocateProva);
            const MossaScopa scelta = esperto.Scegli(v);
            EXPECT_EQ(scelta.Slot, 2) << k.regola;
            EXPECT_NE(std::find(legali.begin(), legali.end(), std::vector<int>(scelta.Posti, scelta.Posti + scelta.NumeroPosti)),
                      legali.end())
                << k.regola;
            EXPECT_EQ(ApplicaMossaScopa(*m, lato, scelta), 1) << k.regola << ", side " << lato;
            EXPECT_EQ(m->Turno, 3 - lato) << k.regola;
        }
    }
}

TEST_F(Giocatori, ScopaChosenComputerMovesObeyTheCaptureRules)
{
    struct Caso { const char* regola; std::vector<int> posti; };
    // Table: 7 Spade 17, 3 Bastoni 23, 4 Coppe 34, 5 Denari 5; the computer plays the 7 of Coppe 37.
    const Caso rifiutati[] = {
        {"a sum past the one equal card", {2, 3}},
        {"a capture that does not add up to the card", {2, 4}},
        {"an empty place", {9}},
        {"the same place twice", {1, 1}},
        {"laying down a card that can capture", {}},
    };
    auto prepara = [](MotoreScopa& m) {
        std::fill(std::begin(m.Tavolo), std::end(m.Tavolo), 0);
        const int t[] = {17, 23, 34, 5};
        for (int i = 0; i < 4; ++i) m.Tavolo[i + 1] = t[i];
        m.ManoComputer[1] = 37;
        m.Turno = 2;
        m.AggiornaValoriTavolo();
    };
    for (const Caso& k : rifiutati) {
        auto m = std::make_unique<MotoreScopa>(1u);
        prepara(*m);
        auto prima = std::make_unique<MotoreScopa>(*m);
        EXPECT_EQ(m->GiocaComputer(1, k.posti.data(), static_cast<int>(k.posti.size())), 0) << k.regola;
        EXPECT_TRUE(std::equal(std::begin(m->Tavolo), std::end(m->Tavolo), std::begin(prima->Tavolo)) &&
                    m->ManoComputer[1] == 37 && m->Turno == 2)
            << k.regola << ": nothing changes";
    }
    auto m = std::make_unique<MotoreScopa>(1u);
    prepara(*m);
    const int uno[] = {1};
    EXPECT_EQ(m->GiocaComputer(1, uno, 1), 1);
    EXPECT_EQ(m->CarteMossa[0], 37);
    EXPECT_EQ(m->CarteMossa[1], 17);
    EXPECT_EQ(m->UltimaPresa, 2);
    EXPECT_EQ(m->Turno, 1);
}

TEST_F(Giocatori, ScopaRulePlayerBehindTheInterfaceMakesTheDesignsMoves)
{
    auto m = std::make_unique<MotoreScopa>(21u);
    CasualeScopa casuale1(1), casuale2(2);
    GiocatoreScopa* seggi[3] = {nullptr, &casuale1, &casuale2};
    NormaleScopa normale;
    int confronti = 0;
    for (int mano = 1; mano <= 8; ++mano) {
        ManoScopa(*m, mano % 2 + 1, seggi, [&](const MotoreScopa& pos, int lato) {
            if (lato != 2) return;
            auto a = std::make_unique<MotoreScopa>(pos), b = std::make_unique<MotoreScopa>(pos);
            a->MossaComputer();
            ASSERT_EQ(ApplicaMossaScopa(*b, 2, normale.Scegli(OsservaScopa(pos, 2))), 1);
            EXPECT_TRUE(std::equal(std::begin(a->Tavolo), std::end(a->Tavolo), std::begin(b->Tavolo)));
            EXPECT_TRUE(std::equal(std::begin(a->PreseComputer), std::end(a->PreseComputer), std::begin(b->PreseComputer)));
            EXPECT_TRUE(std::equal(std::begin(a->CarteMossa), std::end(a->CarteMossa), std::begin(b->CarteMossa)));
            EXPECT_EQ(a->CartaGiocataComputer, b->CartaGiocataComputer);
            EXPECT_EQ(a->ScopeComputer, b->ScopeComputer);
            ++confronti;
        });
    }
    EXPECT_GT(confronti, 100);

    // MossaComputerLivello: Normale is MossaComputer itself; Esperto moves legally too.
    m->NuovaMano(2);
    auto a = std::make_unique<MotoreScopa>(*m);
    MossaComputerLivello(*m, Livello::Normale);
    a->MossaComputer();
    EXPECT_TRUE(std::equal(std::begin(a->Tavolo), std::end(a->Tavolo), std::begin(m->Tavolo)));
    m->NuovaMano(2);
    MossaComputerLivello(*m, Livello::Esperto);
    EXPECT_EQ(m->Turno, 1);
    EXPECT_EQ(m->ControllaCarte(), "");
}

// ---- Briscola ----

struct TavoloBriscola {
    StatoMazzo mazzo;
    RegoleBriscola r{mazzo};
};

// Plays one game with a player per seat; `prima` sees every position before a decision.
void PartitaBriscola(TavoloBriscola& t, std::uint32_t seme, GiocatoreBriscola* seggi[3],
                     const std::function<void(const RegoleBriscola&, int lato)>& prima = {})
{
    t.mazzo.Generatore().Fissa(seme);
    t.r.NuovaPartita();
    for (int presa = 1; presa <= 20; ++presa) {
        for (int giocata = 0; giocata < 2; ++giocata) {
            const int lato = t.r.Turno;
            if (prima) prima(t.r, lato);
            const MossaBriscola m = seggi[lato]->Scegli(OsservaBriscola(t.r, lato));
            ASSERT_EQ(ApplicaMossaBriscola(t.r, lato, m), 1) << "trick " << presa << ", side " << lato;
        }
        t.r.RisolviPresa();
    }
    ASSERT_TRUE(t.r.PartitaFinita());
    EXPECT_EQ(t.r.PuntiGiocatore + t.r.PuntiComputer, 120);
}

TEST_F(Giocatori, BriscolaSearchIgnoresHowTheHiddenCardsLie)
{
    TavoloBriscola t;
    CasualeBriscola casuale1(1), casuale2(2);
    GiocatoreBriscola* seggi[3] = {nullptr, &casuale1, &casuale2};
    CasualeRapido caso(5);
    int confronti = 0, diverse = 0;
    for (std::uint32_t partita = 1; partita <= 6; ++partita) {
        PartitaBriscola(t, partita, seggi, [&](const RegoleBriscola& pos, int lato) {
            // Swap card numbers among the handles the seat cannot see (the other hand and the
            // covered stock), choosing handles that are not also undrawn deck positions so
            // the rest of the deal stays a deal.
            TavoloBriscola altro;
            RegoleBriscola& r = altro.r;
            std::copy(std::begin(pos.CarteMazzo), std::end(pos.CarteMazzo), std::begin(r.CarteMazzo));
            std::copy(std::begin(pos.ManoGiocatore), std::end(pos.ManoGiocatore), std::begin(r.ManoGiocatore));
            std::copy(std::begin(pos.ManoComputer), std::end(pos.ManoComputer), std::begin(r.ManoComputer));
            std::copy(std::begin(pos.PreseGiocatore), std::end(pos.PreseGiocatore), std::begin(r.PreseGiocatore));
            std::copy(std::begin(pos.PreseComputer), std::end(pos.PreseComputer), std::begin(r.PreseComputer));
            r.GiocataGiocatore = pos.GiocataGiocatore;
            r.GiocataComputer = pos.GiocataComputer;
            r.CartaBriscola = pos.CartaBriscola;
            r.CartePescate = pos.CartePescate;
            r.CarteGiocate = pos.CarteGiocate;
            r.Turno = pos.Turno;
            // The tricks so far were played face up: the seat saw them.
            r.StoriaPrese = pos.StoriaPrese;
            std::copy(std::begin(pos.StoriaIniziatore), std::end(pos.StoriaIniziatore), std::begin(r.StoriaIniziatore));
            std::copy(std::begin(pos.StoriaGiocatore), std::end(pos.StoriaGiocatore), std::begin(r.StoriaGiocatore));
            std::copy(std::begin(pos.StoriaComputer), std::end(pos.StoriaComputer), std::begin(r.StoriaComputer));
            std::vector<int> nascoste;
            const std::int32_t* altra = lato == 1 ? pos.ManoComputer : pos.ManoGiocatore;
            for (int i = 1; i <= 3; ++i)
                if (altra[i]) nascoste.push_back(altra[i]);
            for (int k = pos.CartePescate + 1; k < 40; ++k) nascoste.push_back(pos.CarteMazzo[k]);
            std::vector<int> libere;
            for (int h : nascoste)
                if (h <= pos.CartePescate && h != pos.CartaBriscola) libere.push_back(h);
            std::vector<int> carte;
            for (int h : libere) carte.push_back(pos.CarteMazzo[h]);
            caso.Mescola(carte.data(), static_cast<int>(carte.size()));
            for (size_t i = 0; i < libere.size(); ++i) r.CarteMazzo[libere[i]] = carte[i];
            bool cambiato = false;
            for (int i = 1; i <= 3; ++i) cambiato |= r.Carta(altra[i]) != pos.Carta(altra[i]);

            const VistaBriscola v1 = OsservaBriscola(pos, lato), v2 = OsservaBriscola(r, lato);
            ASSERT_TRUE(v1 == v2) << "the seat's view holds a hidden card";
            EspertoBriscola a(77, GiocateProva), b(77, GiocateProva);
            EXPECT_EQ(a.Scegli(v1), b.Scegli(v2));
            ++confronti;
            diverse += cambiato;
        });
    }
    EXPECT_GE(confronti, 200);
    EXPECT_GE(diverse, confronti / 4) << "many positions were compared with another hidden hand";
}

TEST_F(Giocatori, BriscolaSearchAlwaysPlaysAHeldCardToTheLastTrick)
{
    TavoloBriscola t;
    EspertoBriscola esperto(3, GiocateProva);
    CasualeBriscola casuale(4);
    NormaleBriscola normale(5);
    int ultime = 0;
    for (std::uint32_t partita = 1; partita <= 8; ++partita) {
        GiocatoreBriscola* altro = partita % 4 < 2 ? static_cast<GiocatoreBriscola*>(&casuale) : &normale;
        GiocatoreBriscola* seggi[3] = {nullptr, partita % 2 ? &esperto : altro, partita % 2 ? altro : &esperto};
        PartitaBriscola(t, 100 + partita, seggi, [&](const RegoleBriscola& pos, int lato) {
            if (seggi[lato] != &esperto) return;
            const VistaBriscola v = OsservaBriscola(pos, lato);
            const int slot = esperto.Scegli(v).Slot;
            ASSERT_TRUE(slot >= 1 && slot <= 3 && v.Mano[slot]) << "slot " << slot;
            ultime += v.CarteNelMazzo == 0;
        });
    }
    EXPECT_EQ(ultime, 8 * 3) << "the last three tricks, with the stock spent, were played";
}

TEST_F(Giocatori, BriscolaRulePlayerBehindTheInterfaceAnswersAsTheDesign)
{
    TavoloBriscola t;
    CasualeBriscola casuale1(1), casuale2(2);
    GiocatoreBriscola* seggi[3] = {nullptr, &casuale1, &casuale2};
    NormaleBriscola normale(9);
    int confronti = 0;
    for (std::uint32_t partita = 1; partita <= 10; ++partita) {
        PartitaBriscola(t, 300 + partita, seggi, [&](const RegoleBriscola& pos, int lato) {
            // The answer to the player's card does not depend on the memory draw.
            if (lato != 2 || pos.CarteGiocate != 1) return;
            RegoleBriscola& r = const_cast<RegoleBriscola&>(pos);
            EXPECT_EQ(normale.Scegli(OsservaBriscola(pos, 2)).Slot, r.SceltaComputer());
            ++confronti;
        });
    }
    EXPECT_GT(confronti, 50);
}

// ---- Rubamazzo ----

struct TavoloRubamazzo {
    StatoMazzo mazzo;
    RegoleRubamazzo r{mazzo};
};

void PartitaRubamazzo(TavoloRubamazzo& t, std::uint32_t seme, GiocatoreRubamazzo* seggi[3],
                      const std::function<void(const RegoleRubamazzo&, int lato)>& prima = {})
{
    t.mazzo.Generatore().Fissa(seme);
    t.r.NuovaPartita();
    for (int giri = 0; giri < 100; ++giri) {
        if (t.r.PassoTimer() == 2) {
            EXPECT_EQ(t.r.PilaGiocatore() + t.r.PilaComputer(), 40);
            return;
        }
        for (int lato = 1; lato <= 2; ++lato) {
            if (t.r.Turno != lato) continue;
            if (prima) prima(t.r, lato);
            const MossaRubamazzo m = seggi[lato]->Scegli(OsservaRubamazzo(t.r, lato));
            ASSERT_NE(ApplicaMossaRubamazzo(t.r, lato, m), RegoleRubamazzo::Nessuna) << "side " << lato;
        }
    }
    FAIL() << "the game did not end";
}

TEST_F(Giocatori, RubamazzoSearchIgnoresHowTheHiddenCardsLie)
{
    TavoloRubamazzo t;
    CasualeRubamazzo casuale1(1), casuale2(2);
    GiocatoreRubamazzo* seggi[3] = {nullptr, &casuale1, &casuale2};
    CasualeRapido caso(5);
    int confronti = 0, diverse = 0;
    for (std::uint32_t partita = 1; partita <= 8; ++partita) {
        PartitaRubamazzo(t, partita, seggi, [&](const RegoleRubamazzo& pos, int lato) {
            // Card numbers swapped among hidden handles that are not undealt deck positions.
            TavoloRubamazzo altro;
            RegoleRubamazzo& r = altro.r;
            std::copy(std::begin(pos.CarteMazzo), std::end(pos.CarteMazzo), std::begin(r.CarteMazzo));
            std::copy(std::begin(pos.Posti), std::end(pos.Posti), std::begin(r.Posti));
            std::copy(std::begin(pos.PreseGiocatore), std::end(pos.PreseGiocatore), std::begin(r.PreseGiocatore));
            std::copy(std::begin(pos.PreseComputer), std::end(pos.PreseComputer), std::begin(r.PreseComputer));
            r.IndicePreseGiocatore = pos.IndicePreseGiocatore;
            r.IndicePreseComputer = pos.IndicePreseComputer;
            r.CimaGiocatore = pos.CimaGiocatore;
            r.CimaComputer = pos.CimaComputer;
            r.UltimaPresa = pos.UltimaPresa;
            r.ProssimaCarta = pos.ProssimaCarta;
            r.Turno = pos.Turno;
            const int altra = lato == 1 ? 0 : 3;
            std::vector<int> nascoste;
            for (int i = 1; i <= 3; ++i)
                if (pos.Posti[altra + i]) nascoste.push_back(pos.Posti[altra + i]);
            for (int k = pos.ProssimaCarta; k <= 40; ++k) nascoste.push_back(pos.CarteMazzo[k]);
            std::vector<int> libere, carte;
            for (int h : nascoste)
                if (h < pos.ProssimaCarta) libere.push_back(h);
            for (int h : libere) carte.push_back(pos.CarteMazzo[h]);
            caso.Mescola(carte.data(), static_cast<int>(carte.size()));
            for (size_t i = 0; i < libere.size(); ++i) r.CarteMazzo[libere[i]] = carte[i];
            bool cambiato = false;
            for (int i = 1; i <= 3; ++i) cambiato |= r.Numero(pos.Posti[altra + i]) != pos.Numero(pos.Posti[altra + i]);

            const VistaRubamazzo v1 = OsservaRubamazzo(pos, lato), v2 = OsservaRubamazzo(r, lato);
            ASSERT_TRUE(v1 == v2) << "the seat's view holds a hidden card";
            EspertoRubamazzo a(55, GiocateProva), b(55, GiocateProva);
            EXPECT_EQ(a.Scegli(v1), b.Scegli(v2));
            ++confronti;
            diverse += cambiato;
        });
    }
    EXPECT_GE(confronti, 200);
    EXPECT_GE(diverse, confronti / 4) << "many positions were compared with another hidden hand";
}

TEST_F(Giocatori, RubamazzoSearchMovesLegallyAndTheRulePlayerMatchesTheDesign)
{
    TavoloRubamazzo t;
    EspertoRubamazzo esperto(3, GiocateProva);
    CasualeRubamazzo casuale(4);
    NormaleRubamazzo normale;
    int furti = 0, confronti = 0;
    for (std::uint32_t partita = 1; partita <= 10; ++partita) {
        GiocatoreRubamazzo* seggi[3] = {nullptr, partita % 2 ? &esperto : static_cast<GiocatoreRubamazzo*>(&casuale),
                                         partita % 2 ? static_cast<GiocatoreRubamazzo*>(&casuale) : &esperto};
        PartitaRubamazzo(t, 500 + partita, seggi, [&](const RegoleRubamazzo& pos, int lato) {
            const VistaRubamazzo v = OsservaRubamazzo(pos, lato);
            for (const MossaRubamazzo& m : MosseLegaliRubamazzo(v)) furti += m.Ruba;
            if (lato != 2) return;
            // The design's move and the interface's rule player give the same result.
            TavoloRubamazzo a, b;
            for (auto* x : {&a.r, &b.r}) {
                std::copy(std::begin(pos.CarteMazzo), std::end(pos.CarteMazzo), std::begin(x->CarteMazzo));
                std::copy(std::begin(pos.Posti), std::end(pos.Posti), std::begin(x->Posti));
                std::copy(std::begin(pos.PreseGiocatore), std::end(pos.PreseGiocatore), std::begin(x->PreseGiocatore));
                std::copy(std::begin(pos.PreseComputer), std::end(pos.PreseComputer), std::begin(x->PreseComputer));
                x->IndicePreseGiocatore = pos.IndicePreseGiocatore;
                x->IndicePreseComputer = pos.IndicePreseComputer;
                x->CimaGiocatore = pos.CimaGiocatore;
                x->CimaComputer = pos.CimaComputer;
                x->UltimaPresa = pos.UltimaPresa;
                x->Turno = 2;
            }
            const int tipo = a.r.MossaComputer();
            EXPECT_EQ(ApplicaMossaRubamazzo(b.r, 2, normale.Scegli(v)), tipo);
            EXPECT_TRUE(std::equal(std::begin(a.r.Posti), std::end(a.r.Posti), std::begin(b.r.Posti)));
            EXPECT_EQ(a.r.PilaComputer(), b.r.PilaComputer());
            EXPECT_EQ(a.r.CimaComputer, b.r.CimaComputer);
            ++confronti;
        });
    }
    EXPECT_GT(furti, 0) << "positions with a steal were met";
    EXPECT_GT(confronti, 50);
}

TEST_F(Giocatori, RubamazzoChosenComputerMovesAreChecked)
{
    TavoloRubamazzo t;
    RegoleRubamazzo& r = t.r;
    for (int h = 1; h <= 40; ++h) r.CarteMazzo[h] = h;
    r.Posti[1] = 5;   // 5 Denari
    r.Posti[2] = 13;  // 3 Spade
    r.Posti[7] = 22;  // 2 Bastoni
    r.PreseGiocatore[1] = 35;  // the player's pile: 5 Coppe on top
    r.IndicePreseGiocatore = 2;
    r.CimaGiocatore = 35;
    r.Turno = 2;
    EXPECT_EQ(r.GiocaComputer(2, true), RegoleRubamazzo::Nessuna) << "a 3 cannot steal under a 5";
    EXPECT_EQ(r.GiocaComputer(3, false), RegoleRubamazzo::Nessuna) << "an empty place";
    EXPECT_EQ(r.Turno, 2);
    EXPECT_EQ(r.GiocaComputer(1, true), RegoleRubamazzo::Furto);
    EXPECT_EQ(r.PilaComputer(), 2);
    EXPECT_EQ(r.PilaGiocatore(), 0);
    r.Turno = 2;
    EXPECT_EQ(r.GiocaComputer(2, false), RegoleRubamazzo::Posa) << "a 3 finds nothing to take on a 2";
    EXPECT_EQ(r.GiocaComputer(2, false), RegoleRubamazzo::Nessuna) << "not its turn";
}

}  // namespace

// Scopa hand count and the end of a game.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Carte.h"
#include "games/scopa/MotoreScopa.h"

namespace {

constexpr int Den(int n) { return CartaDa(Denari, n); }
constexpr int Spa(int n) { return CartaDa(Spade, n); }
constexpr int Bas(int n) { return CartaDa(Bastoni, n); }
constexpr int Cop(int n) { return CartaDa(Coppe, n); }

using Carte = std::vector<int>;

// A finished hand: the player's pile in the order taken, the computer's pile holds the other
// cards, in `primeC` order first and then in card order.
void Chiudi(MotoreScopa& m, const Carte& preseG, int scopeG = 0, int scopeC = 0, const Carte& primeC = {})
{
    bool data[41] = {};
    m.ContaPreseGiocatore = m.ContaPreseComputer = 0;
    for (int c : preseG) m.PreseGiocatore[++m.ContaPreseGiocatore] = c, data[c] = true;
    for (int c : primeC) m.PreseComputer[++m.ContaPreseComputer] = c, data[c] = true;
    for (int c = 1; c <= 40; ++c)
        if (!data[c]) m.PreseComputer[++m.ContaPreseComputer] = c;
    for (int i = 1; i <= 3; ++i) m.ManoGiocatore[i] = m.ManoComputer[i] = 0;
    for (auto& t : m.Tavolo) t = 0;
    m.CarteDistribuite = 40;
    m.ScopeGiocatore = scopeG;
    m.ScopeComputer = scopeC;
}

// Player's pile from explicit cards plus `altre` low non-Denari cards, to reach a pile size.
Carte ConAltre(Carte carte, int quante)
{
    for (int seme = Spade; seme <= Coppe && quante > 0; ++seme)
        for (int n = 2; n <= 5 && quante > 0; ++n) {
            const int c = CartaDa(seme, n);
            bool gia = false;
            for (int x : carte) gia |= x == c;
            if (!gia) carte.push_back(c), --quante;
        }
    return carte;
}

struct Conta {
    std::unique_ptr<MotoreScopa> m = std::make_unique<MotoreScopa>(5u);
    int scheda[52] = {};
    int esito = 0;
    Conta(const Carte& preseG, int scopeG = 0, int scopeC = 0, const Carte& primeC = {})
    {
        Chiudi(*m, preseG, scopeG, scopeC, primeC);
        EXPECT_EQ(m->ControllaCarte(), "");
        esito = m->Punteggio(scheda);
    }
};

}  // namespace

TEST(ScopaConta, TiedCardsOrDenariGiveNoPoint)
{
    // 20 cards with 5 Denari (not the settebello), so cards and Denari are level.
    const Carte preseG = ConAltre({Den(1), Den(2), Den(4), Den(5), Den(6), Spa(10), Bas(10), Cop(10), Spa(9), Bas(9),
                                   Cop(9), Spa(8), Bas(8)},
                                  7);
    ASSERT_EQ(preseG.size(), 20u);
    Conta k(preseG);
    EXPECT_EQ(k.scheda[3], 20);
    EXPECT_EQ(k.scheda[4], 20);
    EXPECT_EQ(k.scheda[5], 0) << "20 cards each: nobody takes the cards point";
    EXPECT_EQ(k.scheda[6], 5);
    EXPECT_EQ(k.scheda[7], 5);
    EXPECT_EQ(k.scheda[8], 0) << "5 Denari each: nobody takes the Denari point";
    EXPECT_EQ(k.m->VincitoreCarte, 0);
    EXPECT_EQ(k.m->VincitoreDenari, 0);
}

TEST(ScopaConta, NapoliRunsFromTheAceOfDenariInOnePile)
{
    struct Caso { const char* come; Carte preseG; int napoliG, napoliC, vincitore; };
    const Caso casi[] = {
        {"ace, 2, 3, 4 and 6 of Denari: the run stops at the missing 5", {Den(1), Den(2), Den(3), Den(4), Den(6)}, 4, 0, 1},
        {"only the 2 of Denari: nobody", {Den(2)}, 0, 0, 0},
        {"ace and 3 of Denari: nobody", {Den(3), Den(1)}, 0, 0, 0},
        {"no Denari at all: the computer runs all ten", {Spa(1)}, 0, 10, 2},
        {"4 to 10 of Denari but no ace: the computer scores 3", {Den(4), Den(5), Den(6), Den(7), Den(8), Den(9), Den(10)}, 0, 3, 2},
        {"all ten Denari", {Den(1), Den(2), Den(3), Den(4), Den(5), Den(6), Den(7), Den(8), Den(9), Den(10)}, 10, 0, 1},
    };
    for (const auto& c : casi) {
        Conta k(c.preseG);
        EXPECT_EQ(k.scheda[34], c.napoliG) << c.come << ": player's napoli";
        EXPECT_EQ(k.scheda[35], c.napoliC) << c.come << ": computer's napoli";
        EXPECT_EQ(k.scheda[36], c.vincitore) << c.come;
    }
    // The computer with every Denari: napoli 10 plus Denari and settebello.
    Conta k({Spa(1)});
    EXPECT_EQ(k.scheda[7], 10);
    EXPECT_EQ(k.scheda[8], 2);
    EXPECT_EQ(k.scheda[33], 2);
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(k.scheda[20 + n], 1) << "the computer holds the " << n << " of Denari";
}

TEST(ScopaConta, PrimieraAddsTheBestCardOfEachSuit)
{
    // Player: sevens of Denari, Spade, Bastoni and no Coppe (63). Computer: sixes of Denari,
    // Spade, Bastoni and the seven of Coppe (75).
    Conta k({Den(7), Spa(7), Bas(7)});
    EXPECT_EQ(k.scheda[37], 63);
    EXPECT_EQ(k.scheda[38], 75);
    EXPECT_EQ(k.scheda[39], 2) << "75 beats 63 although the player holds three sevens";
    EXPECT_EQ((Carte{k.scheda[41], k.scheda[42], k.scheda[43], k.scheda[44]}), (Carte{7, 7, 7, 0}));
    EXPECT_EQ((Carte{k.scheda[45], k.scheda[46], k.scheda[47], k.scheda[48]}), (Carte{6, 6, 6, 7}));

    // Figures share 10 points: the first one taken is the one shown.
    Conta figure({Spa(10), Spa(8), Spa(9), Bas(2), Bas(9), Bas(8)});
    EXPECT_EQ(figure.scheda[42], 10) << "the king of Spade was taken first";
    EXPECT_EQ(figure.scheda[43], 2) << "the 2 of Bastoni (12) beats the figures (10)";
}

TEST(ScopaConta, LevelPrimieraShowsNoTotals)
{
    // Both sides' best cards add up to 78: seven, seven, six, six.
    Conta k({Den(1), Den(6), Spa(7), Bas(7), Cop(6)}, 3);
    EXPECT_EQ(k.scheda[37], 0);
    EXPECT_EQ(k.scheda[38], 0);
    EXPECT_EQ(k.scheda[39], 0);
    EXPECT_EQ(k.m->VincitorePrimiera, 0);
    // Three sweeps against cards, Denari and settebello, napoli and primiera to nobody.
    EXPECT_EQ(k.scheda[0], 3);
    EXPECT_EQ(k.scheda[34] + k.scheda[35], 0);
    EXPECT_EQ(k.scheda[50], 3);
    EXPECT_EQ(k.scheda[51], 3);
    EXPECT_EQ(k.esito, 3) << "3 to 3 is a level hand";
}

TEST(ScopaConta, HandPointsAndResult)
{
    struct Caso { const char* come; Carte preseG; int scopeG, scopeC, puntiG, puntiC, esito; };
    const Caso casi[] = {
        // settebello, Denari (6), cards (21), primiera (four sevens), napoli 3, one sweep
        {"a full hand for the player", ConAltre({Den(1), Den(2), Den(3), Den(7), Den(8), Den(9), Spa(7), Bas(7), Cop(7)}, 12),
         1, 0, 8, 0, 1},
        {"an empty pile for the player", {}, 0, 2, 0, 2 + 1 + 1 + 1 + 10 + 1, 2},
    };
    for (const auto& c : casi) {
        Conta k(c.preseG, c.scopeG, c.scopeC);
        EXPECT_EQ(k.scheda[50], c.puntiG) << c.come;
        EXPECT_EQ(k.scheda[51], c.puntiC) << c.come;
        EXPECT_EQ(k.m->PuntiManoGiocatore, c.puntiG) << c.come;
        EXPECT_EQ(k.esito, c.esito) << c.come;
        EXPECT_EQ(k.scheda[2], 0);
    }
}

TEST(ScopaConta, GameEndsPastTwentyAndATieGoesToThePlayer)
{
    struct Caso { int g, c; bool finita, vinceG; };
    const Caso casi[] = {
        {19, 22, true, false}, {22, 22, true, true}, {20, 20, false, false}, {21, 15, true, true},
        {15, 21, true, false}, {21, 23, true, false}, {20, 21, true, false}, {21, 21, true, true},
        {0, 0, false, false},  {20, 19, false, false},
    };
    for (const auto& k : casi) {
        bool vince = !k.vinceG;
        EXPECT_EQ(PartitaFinita(k.g, k.c, &vince), k.finita) << "player " << k.g << ", computer " << k.c;
        if (k.finita) {
            EXPECT_EQ(vince, k.vinceG) << "player " << k.g << ", computer " << k.c;
        }
    }
}

// Scopa rules: deal, the player's plays and capture choice, the table limits, end of deal
// and hand, and the computer's strategies.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/Carte.h"
#include "core/Casuale.h"
#include "core/Pausa.h"
#include "games/scopa/MotoreScopa.h"

namespace {

constexpr int Den(int n) { return CartaDa(Denari, n); }
constexpr int Spa(int n) { return CartaDa(Spade, n); }
constexpr int Bas(int n) { return CartaDa(Bastoni, n); }
constexpr int Cop(int n) { return CartaDa(Coppe, n); }

using Carte = std::vector<int>;

std::string Nomi(const Carte& carte)
{
    std::string s;
    for (int c : carte) s += (s.empty() ? "" : ", ") + (c ? NomeCarta(c) : std::string("-"));
    return "[" + s + "]";
}

// Sets up a position: the given hand slots, table places and player's pile; every other card
// stays in the undealt deck, so the one-place-per-card check still holds.
void Posiziona(MotoreScopa& m, const Carte& manoG, const Carte& manoC, const Carte& tavolo, int turno,
               const Carte& preseG = {})
{
    for (int i = 1; i <= 3; ++i) m.ManoGiocatore[i] = m.ManoComputer[i] = 0;
    for (auto& t : m.Tavolo) t = 0;
    for (auto& c : m.PreseGiocatore) c = 0;
    for (auto& c : m.PreseComputer) c = 0;
    for (auto& c : m.CarteMossa) c = 0;
    m.ContaPreseGiocatore = m.ContaPreseComputer = 0;
    m.ScopeGiocatore = m.ScopeComputer = m.UltimaScopaGiocatore = m.UltimaScopaComputer = 0;
    m.ScopaFatta = m.UltimaPresa = m.CartaGiocataComputer = 0;
    for (size_t i = 0; i < manoG.size(); ++i) m.ManoGiocatore[i + 1] = manoG[i];
    for (size_t i = 0; i < manoC.size(); ++i) m.ManoComputer[i + 1] = manoC[i];
    for (size_t i = 0; i < tavolo.size(); ++i) m.Tavolo[i + 1] = tavolo[i];
    for (size_t i = 0; i < preseG.size(); ++i) m.PreseGiocatore[i + 1] = preseG[i];
    m.ContaPreseGiocatore = static_cast<int>(preseG.size());

    bool usata[41] = {};
    int n = 0;
    for (const Carte* l : {&manoG, &manoC, &tavolo, &preseG})
        for (int c : *l)
            if (c) usata[c] = true, m.CarteMazzo[++n] = c;
    m.CarteDistribuite = n;
    for (int c = 1; c <= 40; ++c)
        if (!usata[c]) m.CarteMazzo[++n] = c;
    m.Turno = turno;
    m.AggiornaValoriTavolo();
}

Carte TavoloDi(const MotoreScopa& m)
{
    return Carte(m.Tavolo + 1, m.Tavolo + 1 + m.NumeroPostiTavolo());
}

Carte Mossa(const MotoreScopa& m)
{
    Carte r;
    for (int c : m.CarteMossa)
        if (c) r.push_back(c);
    return r;
}

Carte Voce(const MotoreScopa& m, int k)
{
    return Carte(m.Prese[k] + 1, m.Prese[k] + 1 + m.Prese[k][0]);
}

class Scopa : public ::testing::Test {
protected:
    void SetUp() override { ImpostaScalaTempo(0); }
    // The engine holds a large capture list; keep it off the stack.
    std::unique_ptr<MotoreScopa> motore = std::make_unique<MotoreScopa>(11u);
    MotoreScopa& m = *motore;
};

}  // namespace

TEST_F(Scopa, NewHandDealsThreeThreeAndFourFromAReproducibleShuffle)
{
    auto altro = std::make_unique<MotoreScopa>(11u);
    for (int primo : {1, 2}) {
        m.NuovaMano(primo);
        altro->NuovaMano(primo);
        EXPECT_TRUE(std::equal(m.CarteMazzo, m.CarteMazzo + 41, altro->CarteMazzo)) << "the same seed must deal the same cards";
        Carte ordinate(m.CarteMazzo + 1, m.CarteMazzo + 41);
        std::sort(ordinate.begin(), ordinate.end());
        for (int c = 1; c <= 40; ++c) ASSERT_EQ(ordinate[c - 1], c) << "the deck must hold every card once";
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(m.ManoGiocatore[i], m.CarteMazzo[i]);
            EXPECT_EQ(m.ManoComputer[i], m.CarteMazzo[3 + i]);
        }
        EXPECT_EQ(TavoloDi(m), (Carte{m.CarteMazzo[7], m.CarteMazzo[8], m.CarteMazzo[9], m.CarteMazzo[10], 0, 0, 0, 0}));
        EXPECT_EQ(m.CarteDistribuite, 10);
        EXPECT_EQ(m.Turno, primo) << "the hand's leader moves first";
        EXPECT_EQ(m.ControllaCarte(), "");
    }
    m.NuovaMano(1);
    const Carte primo(m.CarteMazzo + 1, m.CarteMazzo + 41);
    m.NuovaMano(1);
    EXPECT_NE(primo, Carte(m.CarteMazzo + 1, m.CarteMazzo + 41)) << "a seeded engine must not deal the same hand twice";
}

TEST_F(Scopa, ForcedSingleCaptureBeatsSum)
{
    struct Caso { const char* come; Carte tavolo; int gioca; Carte presa; Carte resta; };
    const Caso casi[] = {
        {"7 on a table of 7, 3 and 4", {Spa(7), Bas(3), Cop(4)}, Cop(7), {Spa(7)}, {0, Bas(3), Cop(4)}},
        {"5 on a table of 2, 3 and 5", {Bas(2), Spa(3), Spa(5)}, Cop(5), {Spa(5)}, {Bas(2), Spa(3), 0}},
        {"10 on a table of 4, 6 and 10", {Cop(4), Bas(6), Spa(10)}, Den(10), {Spa(10)}, {Cop(4), Bas(6), 0}},
    };
    for (const auto& k : casi) {
        Posiziona(m, {Den(9), k.gioca}, {Cop(9)}, k.tavolo, 1);
        EXPECT_EQ(m.GiocaCarta(2), 1) << k.come << ": no choice may be offered";
        EXPECT_EQ(Mossa(m), (Carte{k.gioca, k.presa[0]})) << k.come << ": must take the equal card alone";
        EXPECT_EQ(Carte(m.Tavolo + 1, m.Tavolo + 4), k.resta) << k.come;
        EXPECT_EQ(Carte(m.PreseGiocatore + 1, m.PreseGiocatore + 3), (Carte{k.gioca, k.presa[0]})) << k.come;
        EXPECT_EQ(m.Turno, 2);
        EXPECT_EQ(m.UltimaPresa, 1);
        EXPECT_EQ(m.ManoGiocatore[2], 0);
        EXPECT_EQ(m.ControllaCarte(), "") << k.come;
    }
}

TEST_F(Scopa, CaptureAlternativesListSinglesFirstThenEachSizeInPlaceOrder)
{
    struct Caso { const char* come; Carte tavolo; int gioca; std::vector<Carte> voci; };
    const Caso casi[] = {
        {"a 5 on two 5s, a 3 and a 2", {Den(5), Spa(5), Bas(3), Cop(2)}, Cop(5), {{1}, {2}, {3, 4}}},
        {"a 7 on 1 to 6", {Spa(1), Spa(2), Spa(3), Spa(4), Spa(5), Spa(6)}, Bas(7),
         {{1, 6}, {2, 5}, {3, 4}, {1, 2, 4}}},
        {"a 9 on two 9s and 4, 5 with a gap", {Den(9), 0, Spa(4), Bas(9), Cop(5)}, Cop(9), {{1}, {4}, {3, 5}}},
    };
    for (const auto& k : casi) {
        Posiziona(m, {k.gioca}, {Cop(10)}, k.tavolo, 1);
        const int n = m.GiocaCarta(1);
        ASSERT_EQ(n, static_cast<int>(k.voci.size())) << k.come << ": wrong number of ways to capture";
        for (int i = 0; i < n; ++i) EXPECT_EQ(Voce(m, i), k.voci[i]) << k.come << ": alternative " << i;
        EXPECT_EQ(m.ManoGiocatore[1], k.gioca) << k.come << ": nothing moves before the choice";
        EXPECT_EQ(m.Turno, 1) << k.come;
    }
}

TEST_F(Scopa, ChosenCaptureTakesThatAlternativeAndKeepsTheRest)
{
    Posiziona(m, {Cop(5)}, {Cop(10)}, {Den(5), Spa(5), Bas(3), Cop(2)}, 1);
    ASSERT_EQ(m.GiocaCarta(1), 3);
    EXPECT_EQ(m.EseguiPresa(1, 3), 0) << "there is no fourth alternative";
    EXPECT_EQ(m.EseguiPresa(1, 2), 1);
    EXPECT_EQ(Mossa(m), (Carte{Cop(5), Bas(3), Cop(2)}));
    EXPECT_EQ(Carte(m.PreseGiocatore + 1, m.PreseGiocatore + 4), (Carte{Bas(3), Cop(2), Cop(5)}))
        << "the taken cards go to the pile before the card that took them";
    EXPECT_EQ(Carte(m.Tavolo + 1, m.Tavolo + 5), (Carte{Den(5), Spa(5), 0, 0}));
    EXPECT_EQ(m.Turno, 2);
    EXPECT_EQ(m.UltimaPresa, 1);
    EXPECT_EQ(m.ControllaCarte(), "");

    // With exactly one equal card only that card may be chosen.
    Posiziona(m, {Cop(7)}, {Cop(10)}, {Spa(7), Bas(3), Cop(4)}, 1);
    m.ElencaPrese(Cop(7));
    EXPECT_EQ(m.EseguiPresa(1, 1), 0) << "3 + 4 may not be taken while a single 7 lies on the table";
    EXPECT_EQ(m.EseguiPresa(1, 0), 1);
}

TEST_F(Scopa, SweepCountsForTheCapturingSideAndIsReadOnce)
{
    Posiziona(m, {Den(7)}, {Cop(10)}, {Bas(2), Cop(5)}, 1);
    EXPECT_EQ(m.GiocaCarta(1), 1) << "2 + 5 is the only way, taken at once";
    EXPECT_EQ(Mossa(m), (Carte{Den(7), Bas(2), Cop(5)}));
    EXPECT_EQ(m.ScopeGiocatore, 1);
    EXPECT_EQ(m.UltimaScopaGiocatore, Den(7));
    EXPECT_EQ(m.LeggiScopa(), 1);
    EXPECT_EQ(m.LeggiScopa(), 0) << "a sweep is reported once";

    // A card laid on an empty table is no sweep.
    Posiziona(m, {Den(4)}, {Cop(10)}, {}, 1);
    EXPECT_EQ(m.GiocaCarta(1), 1);
    EXPECT_EQ(m.Tavolo[1], Den(4));
    EXPECT_EQ(m.ScopeGiocatore, 0);
    EXPECT_EQ(m.LeggiScopa(), 0);
}

TEST_F(Scopa, CardThatCannotCaptureGoesToTheLowestEmptyPlace)
{
    struct Caso { const char* come; Carte tavolo; int posto; };
    const Caso casi[] = {
        {"a gap left by a capture", {Spa(9), 0, Bas(10)}, 2},
        {"no gap", {Spa(9), Bas(10)}, 3},
        {"first place free", {0, Spa(9), 0, Bas(10)}, 1},
    };
    for (const auto& k : casi) {
        Posiziona(m, {Cop(6)}, {Cop(10)}, k.tavolo, 1);
        m.UltimaPresa = 2;
        EXPECT_EQ(m.GiocaCarta(1), 1) << k.come;
        EXPECT_EQ(m.Tavolo[k.posto], Cop(6)) << k.come << ": the 6 must lie in place " << k.posto;
        EXPECT_EQ(Mossa(m), Carte{}) << k.come << ": a card laid by the player is not recorded";
        EXPECT_EQ(m.UltimaPresa, 2) << k.come << ": laying a card is not a capture";
        EXPECT_EQ(m.Turno, 2);
        EXPECT_EQ(m.ControllaCarte(), "") << k.come;
    }
}

TEST_F(Scopa, PlayerMoveRefusedOutOfTurnOrWithoutACard)
{
    Posiziona(m, {Den(3), 0}, {Cop(10)}, {Spa(3)}, 2);
    EXPECT_EQ(m.GiocaCarta(1), 0) << "it is the computer's turn";
    EXPECT_EQ(m.ManoGiocatore[1], Den(3));
    EXPECT_EQ(m.Tavolo[1], Spa(3));
    m.Turno = 1;
    for (int s : {0, 2, 3, 4}) {
        EXPECT_EQ(m.GiocaCarta(s), 0) << "slot " << s << " holds no card";
        EXPECT_EQ(m.Turno, 1) << "an empty slot must not pass the turn";
    }
}

TEST_F(Scopa, FineGiroWaitsHalfASecondThenSaysContinueDealOrCount)
{
    struct Caso { const char* come; Carte manoG, manoC; int distribuite, codice; };
    const Caso casi[] = {
        {"a card left in the computer's hand", {}, {0, 0, Cop(1)}, 40, 0},
        {"a card left in the player's hand", {Den(1)}, {}, 16, 0},
        {"empty hands, cards left in the deck", {}, {}, 34, 1},
        {"empty hands, deck used up", {}, {}, 40, 2},
    };
    for (const auto& k : casi) {
        Posiziona(m, k.manoG, k.manoC, {}, 1);
        m.CarteDistribuite = k.distribuite;
        const auto pause = PauseRichieste();
        const auto ms = MillisecondiRichiesti();
        EXPECT_EQ(m.FineGiro(), k.codice) << k.come;
        EXPECT_EQ(PauseRichieste() - pause, 1u) << k.come;
        EXPECT_EQ(MillisecondiRichiesti() - ms, 500u) << k.come << ": must pause 500 ms";
    }
}

TEST_F(Scopa, DealRefillsEmptyHandsOnlyWhileTheDeckLasts)
{
    m.NuovaMano(2);
    for (int i = 1; i <= 3; ++i) {
        m.PreseGiocatore[++m.ContaPreseGiocatore] = m.ManoGiocatore[i];
        m.PreseComputer[++m.ContaPreseComputer] = m.ManoComputer[i];
        m.ManoGiocatore[i] = m.ManoComputer[i] = 0;
    }
    EXPECT_EQ(m.Distribuisci(2), 1);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(m.ManoGiocatore[i], m.CarteMazzo[10 + i]);
        EXPECT_EQ(m.ManoComputer[i], m.CarteMazzo[13 + i]);
    }
    EXPECT_EQ(m.CarteDistribuite, 16);
    EXPECT_EQ(m.Turno, 2);
    EXPECT_EQ(m.Distribuisci(2), 0) << "dealing onto full hands would lose their cards";
    EXPECT_EQ(m.CarteDistribuite, 16);
    EXPECT_EQ(m.ControllaCarte(), "");

    Posiziona(m, {}, {}, {}, 1);
    m.CarteDistribuite = 40;
    EXPECT_EQ(m.Distribuisci(1), 0) << "no cards are left to deal";
}

TEST_F(Scopa, TableGoesToTheLastTakerOrToTheComputerWhenNobodyCaptured)
{
    struct Caso { int ultima; bool alGiocatore; };
    for (const Caso& k : {Caso{0, false}, Caso{1, true}, Caso{2, false}}) {
        Posiziona(m, {}, {}, {Den(1), 0, Spa(5), Cop(9)}, 1);
        m.UltimaPresa = k.ultima;
        m.ChiudiMano();
        const Carte pila = k.alGiocatore ? Carte(m.PreseGiocatore + 1, m.PreseGiocatore + 1 + m.ContaPreseGiocatore)
                                         : Carte(m.PreseComputer + 1, m.PreseComputer + 1 + m.ContaPreseComputer);
        EXPECT_EQ(pila, (Carte{Den(1), Spa(5), Cop(9)})) << "last taker " << k.ultima;
        EXPECT_EQ(TavoloDi(m), Carte(8, 0));
        EXPECT_EQ(m.ScopeGiocatore + m.ScopeComputer, 0) << "the last cards are never a sweep";
        EXPECT_EQ(m.ControllaCarte(), "");
    }
}

TEST_F(Scopa, SafeCapturesNeverEmptyTheTable)
{
    struct Caso { const char* come; Carte tavolo; int carta; int sicure; };
    const Caso casi[] = {
        {"a 7 on 7, 3, 4: only 7 stays beside", {Spa(7), Bas(3), Cop(4)}, Den(7), 0},
        {"a 7 on 7, 5, 6: 11 stays beside", {Spa(7), Bas(5), Cop(6)}, Den(7), 1},
        {"a 5 on 2, 3: it would sweep", {Spa(2), Bas(3)}, Den(5), 0},
        {"a 5 on 2, 3, 10: exactly 10 stays", {Spa(2), Bas(3), Cop(10)}, Den(5), 0},
        {"a 5 on 2, 3, 10, 1: 11 stays", {Spa(2), Bas(3), Cop(10), Cop(1)}, Den(5), 1},
    };
    for (const auto& k : casi) {
        Posiziona(m, {}, {}, k.tavolo, 1);
        const int n = m.ElencaPreseSicure(k.carta);
        EXPECT_EQ(n, k.sicure) << k.come;
        for (int i = 0; i < n; ++i) {
            int resto = 0;
            for (int p = 1; p <= MotoreScopa::MassimoPostiTavolo; ++p) resto += m.ValoriTavolo[p];
            for (int j = 1; j <= m.Prese[i][0]; ++j) resto -= m.ValoriTavolo[m.Prese[i][j]];
            EXPECT_GT(resto, 10) << k.come << ": a safe capture left " << resto;
        }
    }
}

TEST_F(Scopa, TableGrowsBeyondEightPlacesWithoutLosingCards)
{
    // Twelve figures cannot be taken by a 2 or a 3, so each new low card needs a new place.
    Carte figure;
    for (int seme = Denari; seme <= Coppe; ++seme)
        for (int n = 8; n <= 10; ++n) figure.push_back(CartaDa(seme, n));

    Posiziona(m, {Spa(2)}, {Cop(5)}, figure, 1);
    EXPECT_EQ(m.GiocaCarta(1), 1);
    EXPECT_EQ(m.Tavolo[13], Spa(2)) << "the player's 2 must lie in a thirteenth place, not vanish";
    EXPECT_EQ(m.NumeroPostiTavolo(), 13);
    EXPECT_EQ(m.ControllaCarte(), "");
    int stato[21];
    m.StatoTavolo(stato);
    for (int p = 1; p <= 8; ++p) EXPECT_EQ(stato[5 + p], figure[p - 1]) << "snapshot place " << p;

    Posiziona(m, {}, {Cop(2)}, figure, 2);
    m.MossaComputer();
    EXPECT_EQ(m.Tavolo[13], Cop(2)) << "the computer's 2 must lie in a thirteenth place, not vanish";
    EXPECT_EQ(m.ControllaCarte(), "");

    // Places beyond the eighth take part in captures like any other.
    Carte tavolo = figure;
    tavolo.push_back(Spa(1));
    tavolo.push_back(Bas(2));
    Posiziona(m, {Cop(3)}, {Cop(4)}, tavolo, 1);
    EXPECT_EQ(m.GiocaCarta(1), 1);
    EXPECT_EQ(Mossa(m), (Carte{Cop(3), Spa(1), Bas(2)})) << "ace and 2 in places 13 and 14 make 3";
    EXPECT_EQ(m.NumeroPostiTavolo(), 12);
    EXPECT_EQ(m.ControllaCarte(), "");
}

namespace {
// Independent reference: every set of at most five table places adding up to the value,
// ordered by size and then by place numbers.
std::vector<Carte> PreseAttese(const MotoreScopa& m, int valore)
{
    Carte posti;
    for (int p = 1; p <= MotoreScopa::MassimoPostiTavolo; ++p)
        if (m.Tavolo[p]) posti.push_back(p);
    std::vector<Carte> r;
    for (unsigned maschera = 1; maschera < (1u << posti.size()); ++maschera) {
        Carte voce;
        int somma = 0;
        for (size_t i = 0; i < posti.size(); ++i)
            if (maschera & (1u << i)) voce.push_back(posti[i]), somma += MotoreScopa::Valore(m.Tavolo[posti[i]]);
        if (somma == valore && voce.size() <= 5) r.push_back(voce);
    }
    std::sort(r.begin(), r.end(), [](const Carte& a, const Carte& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return r;
}
}  // namespace

TEST_F(Scopa, CaptureListHoldsEveryCombinationBeyondTwenty)
{
    // Four 3s dealt to the table, then 7, 8, 5, 4, ace and 2 laid one by one (none of them
    // could capture when laid): a 10 now captures in 25 ways.
    Posiziona(m, {Den(10)}, {Cop(10)}, {Den(3), Spa(3), Bas(3), Cop(3), Spa(7), Spa(8), Spa(5), Spa(4), Spa(1), Spa(2)}, 1);
    const auto attese = PreseAttese(m, 10);
    ASSERT_EQ(attese.size(), 25u);
    ASSERT_EQ(m.GiocaCarta(1), 25) << "the player must be offered all 25 ways";
    for (int i = 0; i < 25; ++i) EXPECT_EQ(Voce(m, i), attese[i]) << "alternative " << i;
    EXPECT_EQ(m.EseguiPresa(1, 24), 1) << "the last alternative must be playable";
    EXPECT_EQ(Mossa(m).size(), 1 + attese[24].size());
    EXPECT_EQ(m.ControllaCarte(), "");
}

TEST_F(Scopa, CaptureListWorstCaseFillsItExactly)
{
    // The largest list any table can give: every other card on the table, a ten played.
    Carte tavolo;
    for (int c = 1; c <= 39; ++c) tavolo.push_back(c);
    Posiziona(m, {Cop(10)}, {}, tavolo, 1);
    ASSERT_EQ(m.GiocaCarta(1), MotoreScopa::MassimoPrese);
    int misura = 1;
    Carte precedente;
    for (int k = 0; k < m.NumeroPrese; ++k) {
        const Carte voce = Voce(m, k);
        int somma = 0;
        for (size_t j = 0; j < voce.size(); ++j) {
            somma += MotoreScopa::Valore(m.Tavolo[voce[j]]);
            if (j) {
                ASSERT_LT(voce[j - 1], voce[j]) << "entry " << k << " must list places in increasing order";
            }
        }
        ASSERT_EQ(somma, 10) << "entry " << k << " must add up to the ten";
        ASSERT_GE(static_cast<int>(voce.size()), misura) << "entry " << k << ": smaller captures come first";
        if (static_cast<int>(voce.size()) == misura) {
            ASSERT_LT(precedente, voce) << "entry " << k << " out of order";
        }
        misura = static_cast<int>(voce.size());
        precedente = voce;
    }
    EXPECT_EQ(m.EseguiPresa(1, MotoreScopa::MassimoPrese - 1), 1);
    EXPECT_EQ(m.ControllaCarte(), "");
}

TEST_F(Scopa, ComputerStrategiesPickTheirMoveInOrder)
{
    struct Caso { const char* come; Carte manoC, tavolo, preseG, mossa, dopo; int scope; };
    const Caso casi[] = {
        {"the 7 of Coppe sweeps 3 and 4", {Cop(7)}, {Spa(3), Bas(4)}, {}, {Cop(7), Spa(3), Bas(4)}, {0, 0}, 1},
        {"the 7 of Spade takes the settebello alone", {Spa(7)}, {Den(7), Bas(5), Cop(2)}, {},
         {Spa(7), Den(7)}, {0, Bas(5), Cop(2)}, 0},
        {"a 9 sweeps settebello and 2 before anything else", {Bas(9)}, {Den(7), Spa(2)}, {},
         {Bas(9), Den(7), Spa(2)}, {0, 0}, 1},
        {"a sweep comes before the settebello", {Spa(7), Cop(10)}, {Den(7), Bas(3)}, {},
         {Cop(10), Den(7), Bas(3)}, {0, 0}, 1},
        {"the 8 of Bastoni takes settebello and ace", {Bas(8), Cop(4)}, {Den(7), Cop(1), Spa(6)}, {},
         {Bas(8), Den(7), Cop(1)}, {0, 0, Spa(6)}, 0},
        {"a 5 takes the ace of Denari with a 4 for napoli", {Spa(9), Bas(5)}, {Den(1), Spa(4), Cop(9)}, {},
         {Bas(5), Den(1), Spa(4)}, {0, 0, Cop(9)}, 0},
        {"napoli is given up once the player has the three of Denari", {Spa(9), Bas(5)},
         {Den(1), Spa(4), Cop(9)}, {Den(3)}, {Spa(9), Cop(9)}, {Den(1), Spa(4), 0}, 0},
        {"napoli ties go to the later capture", {Bas(3)}, {Den(1), Spa(2), Cop(2), Spa(1)}, {},
         {Bas(3), Den(1), Cop(2)}, {0, Spa(2), 0, Spa(1)}, 0},
        {"napoli prefers the larger capture with as many napoli cards", {Spa(6), Bas(5)},
         {Den(1), Spa(2), Cop(3), Bas(4)}, {}, {Spa(6), Den(1), Spa(2), Cop(3)}, {0, 0, 0, Bas(4)}, 0},
        {"the 9 of Coppe takes the 4 of Denari safely before an 8 takes its pair", {Bas(8), Cop(9)},
         {Den(4), Cop(5), Bas(10), Spa(8)}, {}, {Cop(9), Den(4), Cop(5)}, {0, 0, Bas(10), Spa(8)}, 0},
        {"of two safe captures of three cards the later one is taken", {Cop(9), Bas(10)},
         {Spa(2), Cop(3), Bas(4), Spa(5), Cop(8)}, {}, {Bas(10), Spa(2), Cop(3), Spa(5)}, {0, 0, Bas(4), 0, Cop(8)}, 0},
        {"a six takes the 6 of Coppe before a 9 takes its pair", {Spa(9), Spa(6)}, {Cop(6), Bas(9), Spa(4), Cop(5)}, {},
         {Spa(6), Cop(6)}, {0, Bas(9), Spa(4), Cop(5)}, 0},
        {"the 6 of Coppe is left when only 4 would stay", {Spa(6), Spa(9)}, {Cop(6), Spa(4)}, {}, {Spa(9)},
         {Cop(6), Spa(4), Spa(9)}, 0},
        {"a 4 takes ace and 3 for primiera, 17 stays", {Spa(9), Bas(4)}, {Spa(1), Cop(3), Bas(9), Cop(8)}, {},
         {Bas(4), Spa(1), Cop(3)}, {0, 0, Bas(9), Cop(8)}, 0},
        {"the 5 of Bastoni takes the 5 of Spade, 18 stays", {Bas(5)}, {Spa(5), Cop(3), Bas(9), Cop(6)}, {},
         {Bas(5), Spa(5)}, {0, Cop(3), Bas(9), Cop(6)}, 0},
        {"the 4 of Spade is laid down safely", {Spa(4), Cop(8)}, {Cop(2), Spa(5)}, {}, {Spa(4)},
         {Cop(2), Spa(5), Spa(4)}, 0},
        {"the 3 would leave exactly 10, so the 4 is laid down", {Spa(3), Spa(4)}, {Cop(2), Spa(5)}, {}, {Spa(4)},
         {Cop(2), Spa(5), Spa(4)}, 0},
        {"with only Denari the first slot is laid down", {Den(2), Den(3), Den(4)}, {Spa(10), Cop(9)}, {},
         {Den(2)}, {Spa(10), Cop(9), Den(2)}, 0},
        {"with only Denari and slot 1 empty, slot 2 is laid down", {0, Den(3), Den(4)}, {Spa(10), Cop(9)}, {},
         {Den(3)}, {Spa(10), Cop(9), Den(3)}, 0},
    };
    for (const auto& k : casi) {
        Posiziona(m, {Den(10)}, k.manoC, k.tavolo, 2, k.preseG);
        m.MossaComputer();
        EXPECT_EQ(Mossa(m), k.mossa) << k.come << ": the computer moved " << Nomi(Mossa(m));
        EXPECT_EQ(Carte(m.Tavolo + 1, m.Tavolo + 1 + k.dopo.size()), k.dopo) << k.come;
        EXPECT_EQ(m.ScopeComputer, k.scope) << k.come;
        const int slot = static_cast<int>(std::find(k.manoC.begin(), k.manoC.end(), k.mossa[0]) - k.manoC.begin()) + 1;
        EXPECT_EQ(m.CartaGiocataComputer, slot) << k.come;
        EXPECT_EQ(m.ManoComputer[slot], 0) << k.come;
        EXPECT_EQ(m.UltimaPresa, k.mossa.size() > 1 ? 2 : 0) << k.come;
        EXPECT_EQ(m.Turno, 1) << k.come;
        EXPECT_EQ(m.ControllaCarte(), "") << k.come;
    }

    Posiziona(m, {Den(10)}, {Cop(7)}, {Spa(3), Bas(4)}, 1);
    m.MossaComputer();
    EXPECT_EQ(m.ManoComputer[1], Cop(7)) << "the computer must not move on the player's turn";
    EXPECT_EQ(m.Turno, 1);
}

// Whole hands between the computer and a random player: after every move each card is in
// one place, every capture is legal and every emptied table is a sweep.
TEST_F(Scopa, SelfPlayedHandsKeepEveryCardAndEveryRule)
{
    auto prova = std::make_unique<MotoreScopa>(1u);
    Casuale caso(2024);
    int primo = 2, mani = 0, scope = 0;
    for (; mani < 300; ++mani) {
        primo = primo == 1 ? 2 : 1;
        m.NuovaMano(primo);
        int scheda[52] = {}, esito = 0;
        for (int mossa = 1; !esito; ++mossa) {
            ASSERT_LE(mossa, 36) << "hand " << mani << " does not end";
            Carte prima(m.Tavolo, m.Tavolo + MotoreScopa::MassimoPostiTavolo + 1);
            const int scopePrima = m.ScopeGiocatore + m.ScopeComputer;
            const int lato = m.Turno;
            int giocata = 0;
            if (lato == 1) {
                int s;
                do s = 1 + caso.Modulo(3); while (!m.ManoGiocatore[s]);
                giocata = m.ManoGiocatore[s];
                const int r = m.GiocaCarta(s);
                ASSERT_GE(r, 1);
                if (r >= 2) {
                    ASSERT_EQ(m.EseguiPresa(s, caso.Modulo(r)), 1);
                }
            } else {
                m.MossaComputer();
                giocata = m.CarteMossa[0];
                ASSERT_NE(giocata, 0) << "the computer must play a card";
            }
            const std::string dove = "hand " + std::to_string(mani) + " move " + std::to_string(mossa);
            ASSERT_EQ(m.ControllaCarte(), "") << dove;

            const Carte mossaFatta = Mossa(m);
            const bool presa = mossaFatta.size() >= 2;
            int uguali = 0;
            for (int c : prima) uguali += c && MotoreScopa::Valore(c) == MotoreScopa::Valore(giocata);
            if (presa) {
                int somma = 0;
                for (size_t j = 1; j < mossaFatta.size(); ++j) {
                    somma += MotoreScopa::Valore(mossaFatta[j]);
                    EXPECT_NE(std::find(prima.begin(), prima.end(), mossaFatta[j]), prima.end()) << dove;
                }
                EXPECT_EQ(somma, MotoreScopa::Valore(giocata)) << dove << ": " << Nomi(mossaFatta) << " is no capture";
                if (uguali == 1) {
                    EXPECT_EQ(mossaFatta.size(), 2u) << dove << ": " << Nomi(mossaFatta) << " skips a forced single";
                }
                const bool vuoto = std::all_of(m.Tavolo + 1, m.Tavolo + MotoreScopa::MassimoPostiTavolo + 1,
                                               [](int c) { return c == 0; });
                EXPECT_EQ(m.ScopeGiocatore + m.ScopeComputer, scopePrima + (vuoto ? 1 : 0)) << dove;
            } else {
                std::copy(prima.begin(), prima.end(), prova->Tavolo);
                EXPECT_EQ(prova->ElencaPrese(giocata), 0) << dove << ": " << NomeCarta(giocata) << " was laid but could capture";
                EXPECT_LE(m.NumeroPostiTavolo(), 13) << dove;
            }
            const int f = m.FineGiro();
            if (f == 1) {
                ASSERT_EQ(m.Distribuisci(primo), 1);
            }
            if (f == 2) {
                m.ChiudiMano();
                esito = m.Punteggio(scheda);
            }
        }
        ASSERT_EQ(m.ContaPreseGiocatore + m.ContaPreseComputer, 40);
        ASSERT_EQ(m.ControllaCarte(), "");
        EXPECT_EQ(esito, scheda[50] > scheda[51] ? 1 : scheda[50] < scheda[51] ? 2 : 3);
        scope += scheda[0] + scheda[1];
    }
    EXPECT_GT(scope, 0) << "300 hands without a single sweep means sweeps are not counted";
}

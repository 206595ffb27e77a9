// Rubamazzo: the capture search, steals both ways, the computer's choice, deals and the end.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "core/Casuale.h"
#include "core/StatoMazzo.h"
#include "games/rubamazzo/RegoleRubamazzo.h"

namespace {

using R = RegoleRubamazzo;

// Card numbers: Denari 1-10, Spade 11-20, Bastoni 21-30, Coppe 31-40.
enum : int { Denari = 0, Spade = 10, Bastoni = 20, Coppe = 30 };

// A table whose handles are the card numbers, with a shuffled deck behind it so the
// highlight states have somewhere to go.
struct Tavolo {
    StatoMazzo mazzo;
    R r{mazzo};
    Tavolo()
    {
        mazzo.Generatore().Fissa(1);
        mazzo.Mischia();
        for (int i = 1; i <= 40; ++i) r.CarteMazzo[i] = i;
        r.Turno = 1;
        r.ProssimaCarta = 41;
    }
    // Table places 7 up, in order; 0 leaves a place empty.
    void Terra(std::vector<int> carte)
    {
        for (size_t i = 0; i < carte.size(); ++i) r.Posti[R::PrimoPostoTavolo + i] = carte[i];
    }
    void Pila(int lato, std::vector<int> carte)
    {
        for (int c : carte) {
            if (lato == 1) r.PreseGiocatore[r.IndicePreseGiocatore++] = c;
            else r.PreseComputer[r.IndicePreseComputer++] = c;
        }
        if (!carte.empty()) (lato == 1 ? r.CimaGiocatore : r.CimaComputer) = carte.back();
    }
    std::vector<int> Pila(int lato) const
    {
        const auto* p = lato == 1 ? r.PreseGiocatore : r.PreseComputer;
        const int n = lato == 1 ? r.PilaGiocatore() : r.PilaComputer();
        return std::vector<int>(p + 1, p + 1 + n);
    }
    std::set<int> Evidenziati() const
    {
        std::set<int> s;
        for (int j = R::PrimoPostoTavolo; j <= R::UltimoPostoTavolo; ++j)
            if (r.Evidenziati[j]) s.insert(j);
        return s;
    }
};

std::string Elenco(const std::set<int>& s)
{
    std::string t;
    for (int j : s) t += (t.empty() ? "" : ",") + std::to_string(j);
    return "{" + t + "}";
}

// Each handle in exactly one place: a place, a pile or the undealt deck.
std::string CarteAlPostoGiusto(const R& r)
{
    std::multiset<int> tutte;
    for (int j = 1; j <= R::UltimoPostoTavolo; ++j)
        if (r.Posti[j]) tutte.insert(r.Posti[j]);
    for (int k = 1; k < r.IndicePreseGiocatore; ++k) tutte.insert(r.PreseGiocatore[k]);
    for (int k = 1; k < r.IndicePreseComputer; ++k) tutte.insert(r.PreseComputer[k]);
    for (int k = r.ProssimaCarta; k <= 40; ++k) tutte.insert(r.CarteMazzo[k]);
    for (int h = 1; h <= 40; ++h)
        if (tutte.count(h) != 1) return "card handle " + std::to_string(h) + " is in " + std::to_string(tutte.count(h)) + " places";
    return tutte.size() == 40 ? "" : std::to_string(tutte.size()) + " cards in play";
}

}  // namespace

TEST(Rubamazzo, CaptureSearchTakesSinglesFirstThenGroupsDownward)
{
    struct Caso { const char* nome; std::vector<int> terra; int giocata; std::set<int> presi; int dimensione; };
    const Caso casi[] = {
        {"a single 7 beats 3 + 4", {Denari + 3, Denari + 4, Denari + 7}, Spade + 7, {9}, 1},
        {"a single 7 in the first place still beats 3 + 4", {Denari + 7, Spade + 3, Spade + 4}, Coppe + 7, {7}, 1},
        {"5 in place 7, 2 in place 8, 6 in place 9: 7 takes 5 + 2", {Denari + 5, Denari + 2, Denari + 6}, Spade + 7, {7, 8}, 2},
        {"the highest places are tried first", {Denari + 1, Denari + 6, Denari + 2, Denari + 5}, Spade + 7, {9, 10}, 2},
        {"a 10 takes 1, 2, 3 and 4 together", {Denari + 1, Denari + 2, Denari + 3, Denari + 4}, Spade + 10, {7, 8, 9, 10}, 4},
        {"three cards when no pair adds up", {Denari + 1, Denari + 2, Denari + 4}, Spade + 7, {7, 8, 9}, 3},
        {"empty places in between are skipped", {0, Denari + 3, 0, Denari + 4}, Spade + 7, {8, 10}, 2},
        {"a figure counts its number", {Denari + 8, Denari + 2}, Spade + 10, {7, 8}, 2},
        {"no capture: nothing adds up", {Denari + 2, Denari + 9}, Spade + 5, {}, 0},
        {"no capture on an empty table", {}, Spade + 5, {}, 0},
    };
    for (const auto& k : casi) {
        Tavolo t;
        t.Terra(k.terra);
        t.r.Posti[4] = k.giocata;
        EXPECT_EQ(t.r.ValutaPresa(4), k.dimensione) << k.nome;
        EXPECT_TRUE(t.Evidenziati().empty()) << k.nome << ": evaluating must not mark anything";
        EXPECT_EQ(t.r.SelezionaCarta(4), k.dimensione) << k.nome;
        EXPECT_EQ(t.Evidenziati(), k.presi) << k.nome << ": marked " << Elenco(t.Evidenziati());
    }
}

TEST(Rubamazzo, SelectionHighlightsTheCardAndItsCaptureAndForgetsTheLastOne)
{
    Tavolo t;
    t.Terra({Denari + 3, Denari + 4, Denari + 9});
    t.r.Posti[4] = Spade + 7;
    t.r.Posti[5] = Spade + 9;
    std::vector<int> evidenziati;
    int ridisegni = 0;
    t.r.EvidenziaPosto = [&](int posto) { evidenziati.push_back(posto); };
    t.r.RidisegnaPosti = [&] { ++ridisegni; };

    EXPECT_EQ(t.r.SelezionaCarta(4), 2);
    EXPECT_EQ(evidenziati, (std::vector<int>{4, 8, 7})) << "the card, then its capture from the highest place";
    EXPECT_EQ(t.mazzo.RitornaStato(Spade + 7), 1);
    EXPECT_EQ(t.mazzo.RitornaStato(Denari + 3), 1);

    evidenziati.clear();
    EXPECT_EQ(t.r.SelezionaCarta(5), 1);
    EXPECT_EQ(ridisegni, 2) << "every selection first redraws the places plainly";
    EXPECT_EQ(evidenziati, (std::vector<int>{5, 9}));
    EXPECT_EQ(t.mazzo.RitornaStato(Spade + 7), 0) << "the first card's highlight must be cleared";
    EXPECT_EQ(t.mazzo.RitornaStato(Denari + 3), 0);
    EXPECT_EQ(t.Evidenziati(), (std::set<int>{9}));
    EXPECT_EQ(t.r.Selezionato, 5);

    EXPECT_EQ(t.r.SelezionaCarta(6), -1) << "an empty place cannot be selected";
    EXPECT_EQ(t.r.Selezionato, 5);
}

TEST(Rubamazzo, PlayerConfirmCapturesOrLaysDownOnTheFirstFreePlace)
{
    struct Caso { const char* nome; std::vector<int> terra; int giocata; std::vector<int> pila; std::vector<int> dopo; int tipo; };
    const Caso casi[] = {
        {"capture: card first, then the places 7 up", {Denari + 5, Denari + 2, Denari + 6}, Spade + 7,
         {Spade + 7, Denari + 5, Denari + 2}, {0, 0, Denari + 6}, R::Presa},
        {"no match: laid on the first free place", {Denari + 5, 0, Denari + 6}, Spade + 9,
         {}, {Denari + 5, Spade + 9, Denari + 6}, R::Posa},
    };
    for (const auto& k : casi) {
        Tavolo t;
        t.Terra(k.terra);
        t.r.Posti[4] = k.giocata;
        t.r.SelezionaCarta(4);
        EXPECT_EQ(t.r.ConfermaGiocatore(), k.tipo) << k.nome;
        EXPECT_EQ(t.Pila(1), k.pila) << k.nome;
        for (size_t i = 0; i < k.dopo.size(); ++i)
            EXPECT_EQ(t.r.Posti[R::PrimoPostoTavolo + i], k.dopo[i]) << k.nome << ", place " << R::PrimoPostoTavolo + i;
        EXPECT_EQ(t.r.Posti[4], 0) << k.nome << ": the card left the hand";
        EXPECT_EQ(t.r.Turno, 2) << k.nome << ": the computer moves next";
        EXPECT_EQ(t.r.UltimaPresa, k.tipo == R::Presa ? 1 : 0) << k.nome;
        EXPECT_EQ(t.r.CimaGiocatore, k.tipo == R::Presa ? k.giocata : 0) << k.nome;
    }
}

TEST(Rubamazzo, ConfirmAndStealAreIgnoredOutOfTurnOrWithoutACard)
{
    Tavolo t;
    t.Terra({Denari + 5});
    t.Pila(2, {Denari + 1, Denari + 7});
    t.r.Posti[4] = Spade + 7;
    EXPECT_EQ(t.r.ConfermaGiocatore(), R::Nessuna) << "nothing selected yet";
    EXPECT_EQ(t.r.RubaGiocatore(), R::Nessuna) << "nothing selected yet";
    t.r.SelezionaCarta(4);
    t.r.Turno = 2;
    EXPECT_EQ(t.r.ConfermaGiocatore(), R::Nessuna) << "not the player's turn";
    EXPECT_EQ(t.r.RubaGiocatore(), R::Nessuna) << "not the player's turn";
    t.r.Turno = 1;
    t.r.Posti[1] = Coppe + 2;
    t.r.Selezionato = 1;
    EXPECT_EQ(t.r.ConfermaGiocatore(), R::Nessuna) << "the computer's card cannot be confirmed by the player";
    EXPECT_EQ(t.r.Posti[1], Coppe + 2);
    EXPECT_EQ(t.r.Posti[7], Denari + 5);

    Tavolo vuoto;
    vuoto.r.Turno = 0;
    EXPECT_EQ(vuoto.r.PassoTimer(), 0) << "before the first game the timer does nothing";
}

TEST(Rubamazzo, StealTakesTheWholePileBothWays)
{
    // The player steals with a 7 on the computer's 7.
    {
        Tavolo t;
        t.Pila(1, {Denari + 2, Denari + 3});
        t.Pila(2, {Denari + 5, Denari + 6, Bastoni + 7});
        t.r.UltimaPresa = 2;
        t.r.Posti[4] = Coppe + 7;
        t.r.SelezionaCarta(4);
        EXPECT_TRUE(t.r.FurtoPossibile());
        EXPECT_EQ(t.r.RubaGiocatore(), R::Furto);
        EXPECT_EQ(t.Pila(1), (std::vector<int>{Denari + 2, Denari + 3, Denari + 5, Denari + 6, Bastoni + 7, Coppe + 7}))
            << "the stolen pile goes under the stealing card";
        EXPECT_TRUE(t.Pila(2).empty()) << "the computer's pile must be empty after the steal";
        EXPECT_EQ(t.r.CimaComputer, 0) << "an empty pile has no top card";
        EXPECT_EQ(t.r.CimaGiocatore, Coppe + 7);
        EXPECT_EQ(t.r.Posti[4], 0);
        EXPECT_EQ(t.r.Turno, 2);
        EXPECT_EQ(t.r.UltimaPresa, 2) << "a steal is not a capture";
    }
    // A different number steals nothing.
    {
        Tavolo t;
        t.Pila(2, {Bastoni + 7});
        t.r.Posti[4] = Coppe + 6;
        t.r.SelezionaCarta(4);
        EXPECT_FALSE(t.r.FurtoPossibile());
        EXPECT_EQ(t.r.RubaGiocatore(), R::Nessuna);
        EXPECT_EQ(t.Pila(2).size(), 1u);
        EXPECT_EQ(t.r.Turno, 1);
    }
    // The computer steals before it looks at any capture, with its first matching card.
    {
        Tavolo t;
        t.Terra({Denari + 1, Denari + 2, Denari + 3, Denari + 4});
        t.Pila(1, {Spade + 9, Bastoni + 6});
        t.r.Turno = 2;
        t.r.Posti[1] = Spade + 10;  // would take all four table cards
        t.r.Posti[2] = Coppe + 6;
        t.r.Posti[3] = Denari + 6;
        EXPECT_EQ(t.r.MossaComputer(), R::Furto);
        EXPECT_EQ(t.r.Posti[2], 0) << "the first card with the top's number steals";
        EXPECT_EQ(t.r.Posti[3], Denari + 6);
        EXPECT_EQ(t.Pila(2), (std::vector<int>{Spade + 9, Bastoni + 6, Coppe + 6}));
        EXPECT_TRUE(t.Pila(1).empty());
        EXPECT_EQ(t.r.CimaGiocatore, 0);
        EXPECT_EQ(t.r.CimaComputer, Coppe + 6);
        EXPECT_EQ(t.r.UltimaPresa, 0) << "a steal is not a capture";
        EXPECT_EQ(t.r.Turno, 1);
        EXPECT_EQ(t.r.UltimaMossa.Tipo, R::Furto);
        EXPECT_EQ(t.r.UltimaMossa.CartePrese, 2);
    }
}

TEST(Rubamazzo, ComputerTakesTheLargestCaptureWithTheLowerPlaceOnTies)
{
    // Table 1, 2, 4: a 4 takes one card, a 3 takes 1 + 2, a 5 takes 1 + 4, a 7 takes three.
    struct Caso { const char* nome; std::array<int, 3> mano; int posto; int dimensione; };
    const Caso casi[] = {
        {"sizes 1, 2, 2: place 2", {Spade + 4, Spade + 3, Spade + 5}, 2, 2},
        {"sizes 2, 2, 1: place 1", {Spade + 3, Spade + 5, Spade + 4}, 1, 2},
        {"sizes 1, 2, 3: place 3", {Spade + 4, Spade + 3, Spade + 7}, 3, 3},
        {"sizes 0, 0, 1: place 3", {Spade + 9, Spade + 10, Spade + 4}, 3, 1},
    };
    for (const auto& k : casi) {
        Tavolo t;
        t.Terra({Denari + 1, Denari + 2, Denari + 4});
        t.r.Turno = 2;
        for (int i = 0; i < 3; ++i) t.r.Posti[i + 1] = k.mano[i];
        EXPECT_EQ(t.r.MossaComputer(), R::Presa) << k.nome;
        EXPECT_EQ(t.r.Posti[k.posto], 0) << k.nome << ": place " << k.posto << " should have captured";
        EXPECT_EQ(t.r.UltimaMossa.Posto, k.posto) << k.nome;
        EXPECT_EQ(t.r.UltimaMossa.NumeroPresi, k.dimensione) << k.nome;
        EXPECT_EQ(t.r.CimaComputer, k.mano[k.posto - 1]) << k.nome;
        EXPECT_EQ(t.r.UltimaPresa, 2) << k.nome;
        EXPECT_EQ(t.Pila(2).front(), k.mano[k.posto - 1]) << k.nome << ": the capturing card goes in first";
        EXPECT_EQ(t.r.Turno, 1) << k.nome;
    }
}

TEST(Rubamazzo, ComputerLaysDownItsHighestPlaceWhenNothingCaptures)
{
    struct Caso { const char* nome; std::array<int, 3> mano; int posto; };
    const Caso casi[] = {
        {"three cards: place 3", {Spade + 9, Spade + 10, Spade + 8}, 3},
        {"place 3 empty: place 2", {Spade + 9, Spade + 10, 0}, 2},
        {"only place 1 holds a card", {Spade + 9, 0, 0}, 1},
    };
    for (const auto& k : casi) {
        Tavolo t;
        t.Terra({Denari + 1, 0, Denari + 2});
        t.r.Turno = 2;
        for (int i = 0; i < 3; ++i) t.r.Posti[i + 1] = k.mano[i];
        EXPECT_EQ(t.r.MossaComputer(), R::Posa) << k.nome;
        EXPECT_EQ(t.r.Posti[k.posto], 0) << k.nome;
        EXPECT_EQ(t.r.Posti[8], k.mano[k.posto - 1]) << k.nome << ": laid on the first free place";
        EXPECT_EQ(t.r.UltimaPresa, 0) << k.nome;
    }
}

TEST(Rubamazzo, CardLaidOnAFullTableIsKeptAndCanBeTaken)
{
    Tavolo t;
    // Seven cards that no 8 can take: no 8 among them and every pair is above 8.
    t.Terra({Denari + 9, Spade + 9, Bastoni + 9, Coppe + 9, Denari + 10, Spade + 10, Bastoni + 10});
    t.r.Posti[4] = Denari + 8;
    t.r.SelezionaCarta(4);
    EXPECT_EQ(t.r.ConfermaGiocatore(), R::Posa);
    EXPECT_EQ(t.r.Posti[14], Denari + 8) << "a card laid on a full table must not be lost";
    EXPECT_EQ(t.r.NumeroPosti(), 14) << "the window must be told to show the eighth table card";
    EXPECT_EQ(t.r.UltimaMossa.Destinazione, 14);

    t.r.Posti[1] = Spade + 8;
    EXPECT_EQ(t.r.MossaComputer(), R::Presa) << "a card beyond the seventh place can be captured";
    EXPECT_EQ(t.r.Posti[14], 0);
    EXPECT_EQ(t.Pila(2), (std::vector<int>{Spade + 8, Denari + 8}));
    EXPECT_EQ(t.r.NumeroPosti(), 13);

    // The largest table the rules allow: twelve cards down, the thirteenth goes to place 19.
    Tavolo pieno;
    pieno.Terra({Denari + 8, Spade + 8, Bastoni + 8, Coppe + 8, Denari + 9, Spade + 9, Bastoni + 9, Coppe + 9,
                 Denari + 10, Spade + 10, Bastoni + 10, Coppe + 10});
    pieno.r.Posti[5] = Denari + 7;
    pieno.r.SelezionaCarta(5);
    EXPECT_EQ(pieno.r.ConfermaGiocatore(), R::Posa);
    EXPECT_EQ(pieno.r.Posti[R::UltimoPostoTavolo], Denari + 7) << "the thirteenth table card needs the last place";
    EXPECT_EQ(pieno.r.NumeroPosti(), R::UltimoPostoTavolo);
}

TEST(Rubamazzo, DealsGiveSixCardsComputerFirstUntilTheDeckIsSpent)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(3);
    R r(mazzo);
    r.NuovaPartita();
    EXPECT_EQ(r.Turno, 1);
    EXPECT_EQ(r.ProssimaCarta, 11);
    EXPECT_EQ(r.CarteDaDistribuire(), 30);
    EXPECT_EQ(r.PassoTimer(), 0) << "no deal while hands hold cards";
    const int attese[] = {11, 17, 23, 29, 35};
    for (int prossima : attese) {
        for (int k = 1; k <= 6; ++k) r.Posti[k] = 0;  // both hands played out
        EXPECT_EQ(r.PassoTimer(), 1) << "a deal is due at deck position " << prossima;
        for (int k = 1; k <= 6; ++k) EXPECT_EQ(r.Posti[k], r.CarteMazzo[prossima + k - 1]) << "place " << k;
        EXPECT_EQ(r.ProssimaCarta, prossima + 6);
    }
    EXPECT_EQ(r.CarteDaDistribuire(), 0);
    EXPECT_FALSE(r.PartitaFinita());
    for (int k = 1; k <= 6; ++k) r.Posti[k] = 0;
    EXPECT_EQ(r.PassoTimer(), 2) << "with the deck spent and the hands empty the game ends";
    EXPECT_TRUE(r.PartitaFinita());
}

TEST(Rubamazzo, LeftoverTableGoesToTheLastCaptureNotTheLastSteal)
{
    // The player captures, then the computer steals the player's pile: the table still
    // goes to the player, since a steal is no capture.
    Tavolo t;
    t.Terra({Denari + 5, Denari + 9});
    t.r.Posti[4] = Spade + 5;
    t.r.Posti[1] = Coppe + 5;
    t.r.SelezionaCarta(4);
    ASSERT_EQ(t.r.ConfermaGiocatore(), R::Presa);
    ASSERT_EQ(t.r.MossaComputer(), R::Furto);
    EXPECT_EQ(t.r.UltimaPresa, 1);
    t.r.Turno = 1;
    EXPECT_EQ(t.r.PassoTimer(), 2);
    EXPECT_EQ(t.r.Posti[8], 0);
    EXPECT_EQ(t.Pila(1), (std::vector<int>{Denari + 9})) << "the leftover 9 belongs to the last side that captured";
    EXPECT_EQ(t.r.UltimaMossa.Tipo, R::FineTavolo);
    EXPECT_EQ(t.r.UltimaMossa.Lato, 1);

    // Nobody ever captured: the computer takes the table.
    Tavolo n;
    n.Terra({Denari + 5, Denari + 9});
    EXPECT_EQ(n.r.PassoTimer(), 2);
    EXPECT_EQ(n.Pila(2).size(), 2u);
}

TEST(Rubamazzo, PileSizesDecideTheGame)
{
    struct Caso { int giocatore, computer, risultato; const char* nome; };
    for (const Caso& k : {Caso{20, 20, 0, "20 each is a draw"}, Caso{21, 19, 1, "21 to 19 is the player's"},
                          Caso{19, 21, 2, "19 to 21 is the computer's"}}) {
        Tavolo t;
        for (int i = 1; i <= k.giocatore; ++i) t.Pila(1, {i});
        for (int i = 1; i <= k.computer; ++i) t.Pila(2, {k.giocatore + i});
        EXPECT_EQ(t.r.ChiudiPartita(), k.risultato) << k.nome;
        EXPECT_EQ(t.r.Risultato, k.risultato) << k.nome;
    }
}

TEST(Rubamazzo, SeededGamesKeepEveryCard)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(77);
    R r(mazzo);
    Casuale giocatore(78);
    int furti = 0;
    for (int partita = 1; partita <= 300; ++partita) {
        r.NuovaPartita();
        for (int giri = 0;; ++giri) {
            ASSERT_LT(giri, 100) << "game " << partita << " did not end";
            const int passo = r.PassoTimer();
            ASSERT_EQ(CarteAlPostoGiusto(r), "") << "game " << partita;
            if (passo == 2) break;
            ASSERT_EQ(r.Turno, 1);
            std::vector<int> tenute;
            for (int k = 4; k <= 6; ++k)
                if (r.Posti[k]) tenute.push_back(k);
            ASSERT_FALSE(tenute.empty()) << "the player must hold a card on the player's turn";
            r.SelezionaCarta(tenute[giocatore.Modulo(static_cast<int>(tenute.size()))]);
            int tipo = r.FurtoPossibile() && giocatore.Modulo(2) ? r.RubaGiocatore() : r.ConfermaGiocatore();
            ASSERT_NE(tipo, R::Nessuna);
            ASSERT_EQ(CarteAlPostoGiusto(r), "") << "game " << partita << " after the player's move";
            tipo = r.MossaComputer();
            ASSERT_NE(tipo, R::Nessuna);
            if (tipo == R::Furto) ++furti;
            ASSERT_EQ(CarteAlPostoGiusto(r), "") << "game " << partita << " after the computer's move";
        }
        EXPECT_EQ(r.PilaGiocatore() + r.PilaComputer(), 40);
        EXPECT_EQ(r.Risultato, r.PilaGiocatore() == 20 ? 0 : r.PilaGiocatore() > 20 ? 1 : 2);
    }
    EXPECT_GT(furti, 0) << "300 games without a single steal means the steal rule never fires";
}

// Sette e mezzo: hand values with the wild card, the dealer's rule, deal decisions and the match.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/Casuale.h"
#include "core/StatoMazzo.h"
#include "games/settemezzo/RegoleSettemezzo.h"

namespace {

using R = RegoleSettemezzo;

// Card numbers: Denari 1-10 (10 is the wild card), Spade 11-20, Bastoni 21-30, Coppe 31-40.
enum : int { Denari = 0, Spade = 10, Bastoni = 20, Coppe = 30 };

struct Tavolo {
    StatoMazzo mazzo;
    R r{mazzo};
    Tavolo() { mazzo.Generatore().Fissa(4); }
    // Arranges this deal's draws: the k-th card drawn is carte[k-1]. The k-th handle is
    // 41 - k, whose entry holds the card, so handles stay within the deck's 40.
    void Ordine(const std::vector<int>& carte)
    {
        for (size_t i = 0; i < carte.size(); ++i) {
            const int k = static_cast<int>(i) + 1;
            r.TabellaCarte[k] = 41 - k;
            r.TabellaCarte[41 - k] = carte[i];
        }
    }
    // The player draws `quante` cards (stopping early if the turn passes), stands if still
    // on turn, and the timer runs the dealer until the deal is decided.
    void Gioca(int quante)
    {
        for (int i = 0; i < quante && r.FaseTavolo == R::TurnoGiocatore; ++i) r.NuovaCarta();
        if (r.FaseTavolo == R::TurnoGiocatore) r.Stop();
        for (int passi = 0; r.FaseTavolo == R::TurnoComputer && passi < 10; ++passi) r.PassoTimer();
    }
};

int Valore(std::vector<int> carte)
{
    std::vector<std::int32_t> c(carte.begin(), carte.end());
    return R::ValoreCarte(c.data(), static_cast<int>(c.size()));
}

std::string Testo(const std::vector<int>& carte)
{
    std::string t;
    for (int c : carte) t += (t.empty() ? "" : ", ") + std::to_string(c);
    return "cards {" + t + "}";
}

}  // namespace

TEST(Settemezzo, HandValueCountsFiguresAsHalvesAndTheWildCardAsTheBestValue)
{
    struct Caso { const char* nome; std::vector<int> carte; int valore; };
    const Caso casi[] = {
        {"no cards", {}, 0},
        {"two figures make one point", {Spade + 8, Spade + 9}, 10},
        {"Ace, Two, Three", {Denari + 1, Spade + 2, Bastoni + 3}, 60},
        {"a seven and a figure is seven and a half", {Denari + 7, Spade + 8}, 75},
        {"seven and Ace is bust at 8", {Denari + 7, Denari + 1}, 80},
        {"a King other than Denari is a plain figure", {Spade + 10, Spade + 7}, 75},
        {"the wild card alone is 7", {Denari + 10}, 70},
        {"wild card and a figure: seven and a half", {Denari + 10, Spade + 8}, 75},
        {"wild card, 3 and 2: 7", {Denari + 10, Spade + 3, Spade + 2}, 70},
        {"wild card, 6 and 2: bust at 8.5", {Denari + 10, Spade + 6, Spade + 2}, 85},
        {"wild card and two figures: 7", {Denari + 10, Spade + 8, Spade + 9}, 70},
        {"wild card and three figures: seven and a half", {Denari + 10, Spade + 8, Spade + 9, Spade + 10}, 75},
        {"wild card, 7 and Ace: bust", {Denari + 10, Denari + 7, Denari + 1}, 85},
        {"wild card on a seven stays seven and a half", {Denari + 10, Spade + 7}, 75},
        {"wild card on 5 + 2 stays seven and a half", {Denari + 10, Spade + 5, Spade + 2}, 75},
        {"wild card with four Aces: 7", {Denari + 10, Denari + 1, Spade + 1, Bastoni + 1, Coppe + 1}, 70},
    };
    for (const auto& k : casi)
        EXPECT_EQ(Valore(k.carte), k.valore) << k.nome << " (" << Testo(k.carte) << ")";
}

TEST(Settemezzo, DealerStandsAbove55OrAbove50WithTwoCardsOrWithSeven)
{
    struct Caso { int punti, carte; bool siFerma; };
    const Caso casi[] = {
        {40, 1, false}, {50, 1, false}, {55, 1, true}, {55, 2, true}, {55, 3, false},
        {50, 2, false}, {60, 3, true}, {85, 2, true}, {35, 7, true}, {50, 6, false},
    };
    for (const auto& k : casi)
        EXPECT_EQ(R::SiFerma(k.punti, k.carte), k.siFerma)
            << "dealer with " << k.punti / 10.0 << " points in " << k.carte << " cards should "
            << (k.siFerma ? "stand" : "draw");
}

TEST(Settemezzo, HigherHandNotBustWinsTheDeal)
{
    struct Caso { int giocatore, computer, vincitore; const char* nome; };
    const Caso casi[] = {
        {75, 60, 1, "7.5 beats 6"},       {60, 75, 2, "6 loses to 7.5"},
        {65, 65, 0, "equal hands"},       {85, 85, 0, "both bust"},
        {85, 40, 2, "player bust"},       {40, 85, 1, "dealer bust"},
        {75, 80, 1, "7.5 against a bust 8"}, {80, 75, 2, "bust 8 against 7.5"},
        {5, 0, 1, "half a point beats nothing"},
    };
    for (const auto& k : casi)
        EXPECT_EQ(R::VincitoreMano(k.giocatore, k.computer), k.vincitore) << k.nome;
}

TEST(Settemezzo, DealsPlayedOutMoveOneMatchPoint)
{
    struct Caso {
        const char* nome;
        int carteGiocatore;     // how many the player draws before standing
        std::vector<int> ordine;
        int manoG, manoC, carteComputer, punteggioG;
    };
    const Caso casi[] = {
        {"player at 7.5, dealer stands at 6: player gains", 2, {Denari + 7, Spade + 8, Spade + 6}, 75, 60, 1, 11},
        {"both bust: no change", 2, {Denari + 7, Spade + 5, Bastoni + 4, Coppe + 6}, 120, 100, 2, 10},
        {"player bust, dealer at 4 draws on and wins", 2, {Denari + 7, Spade + 5, Bastoni + 4, Bastoni + 2}, 120, 60, 2, 9},
        {"dealer with two cards worth 5.5 stands", 1, {Denari + 3, Bastoni + 5, Bastoni + 8}, 30, 55, 2, 9},
        {"dealer with three cards worth 5.5 draws again", 1,
         {Denari + 3, Bastoni + 2, Bastoni + 3, Bastoni + 8, Bastoni + 1}, 30, 65, 4, 9},
        {"equal hands: no change", 2, {Denari + 6, Denari + 8, Coppe + 2, Coppe + 3, Coppe + 8, Coppe + 1}, 65, 65, 4, 10},
        {"wild card and a seven win with seven and a half", 2, {Denari + 10, Spade + 7, Coppe + 7}, 75, 70, 1, 11},
    };
    for (const auto& k : casi) {
        Tavolo t;
        t.r.NuovaPartita();
        t.Ordine(k.ordine);
        t.Gioca(k.carteGiocatore);
        EXPECT_EQ(t.r.FaseTavolo, R::ManoDecisa) << k.nome;
        EXPECT_EQ(t.r.PuntiManoGiocatore, k.manoG) << k.nome;
        EXPECT_EQ(t.r.PuntiManoComputer, k.manoC) << k.nome;
        EXPECT_EQ(R::CarteInMano(t.r.CarteComputer), k.carteComputer) << k.nome << ": cards the dealer drew";
        EXPECT_EQ(t.r.PunteggioGiocatore, k.punteggioG) << k.nome;
        EXPECT_EQ(t.r.PunteggioGiocatore + t.r.PunteggioComputer, 20) << k.nome << ": the match scores add up to 20";
    }
}

TEST(Settemezzo, SeventhCardEndsThePlayersTurn)
{
    Tavolo t;
    t.r.NuovaPartita();
    t.Ordine({Denari + 8, Denari + 9, Spade + 8, Spade + 9, Bastoni + 8, Bastoni + 9, Coppe + 8, Coppe + 9});
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(t.r.NuovaCarta(), i);
        EXPECT_EQ(t.r.FaseTavolo, R::TurnoGiocatore) << "after " << i << " figures the player is still on turn";
    }
    EXPECT_EQ(t.r.NuovaCarta(), 7);
    EXPECT_EQ(t.r.PuntiManoGiocatore, 35);
    EXPECT_EQ(t.r.FaseTavolo, R::TurnoComputer) << "the seventh card must end the player's turn";
    EXPECT_FALSE(t.r.NuovaCartaAttivo);
    EXPECT_FALSE(t.r.StopAttivo);
    EXPECT_EQ(t.r.NuovaCarta(), 0) << "no eighth card";
    EXPECT_EQ(t.r.CarteEstratte, 7) << "a refused draw must not use up a card";
}

TEST(Settemezzo, StopDoesNothingBeforeAMatchOrBeforeTheFirstCard)
{
    Tavolo t;
    EXPECT_EQ(t.r.FaseTavolo, R::PartitaFinita);
    EXPECT_EQ(t.r.Stop(), 0) << "standing before any match must not start the dealer's turn";
    EXPECT_EQ(t.r.NuovaCarta(), 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(t.r.PassoTimer(), R::NienteDaFare);
    EXPECT_EQ(t.r.CarteEstratte, 0);
    EXPECT_EQ(R::CarteInMano(t.r.CarteComputer), 0) << "the dealer must not draw without a match";
    EXPECT_EQ(t.r.NuovoTurno(), 0);

    t.r.NuovaPartita();
    EXPECT_EQ(t.r.Stop(), 0) << "the player stands only after one card";
    EXPECT_EQ(t.r.FaseTavolo, R::TurnoGiocatore);
}

TEST(Settemezzo, ButtonsFollowTheTable)
{
    Tavolo t;
    t.r.NuovaPartita();
    t.Ordine({Denari + 4, Spade + 7});
    EXPECT_TRUE(t.r.NuovaCartaAttivo);
    EXPECT_FALSE(t.r.StopAttivo);
    t.r.PassoTimer();
    EXPECT_FALSE(t.r.StopAttivo) << "no card yet";
    EXPECT_FALSE(t.r.NuovoTurnoAttivo);
    t.r.NuovaCarta();
    EXPECT_FALSE(t.r.StopAttivo) << "the button wakes at the next timer step";
    t.r.PassoTimer();
    EXPECT_TRUE(t.r.StopAttivo);
    EXPECT_EQ(t.r.Stop(), 1);
    EXPECT_FALSE(t.r.NuovaCartaAttivo);
    EXPECT_FALSE(t.r.StopAttivo);
    EXPECT_EQ(t.r.PassoTimer(), R::ComputerSiFerma);  // the dealer's 7 stands at once
    EXPECT_FALSE(t.r.NuovoTurnoAttivo) << "the result shows one step later";
    EXPECT_EQ(t.r.PassoTimer(), R::NienteDaFare);
    EXPECT_TRUE(t.r.NuovoTurnoAttivo);
    EXPECT_EQ(t.r.NuovoTurno(), 1);
    EXPECT_EQ(t.r.FaseTavolo, R::TurnoGiocatore);
    EXPECT_EQ(t.r.CarteEstratte, 0);
    EXPECT_EQ(t.r.PunteggioComputer, 11) << "scores carry over to the next deal";
    t.r.PassoTimer();
    EXPECT_FALSE(t.r.NuovoTurnoAttivo);
}

TEST(Settemezzo, MatchEndsWhenASideReachesTwenty)
{
    struct Caso { const char* nome; std::vector<int> ordine; int carteGiocatore, punteggioG, esito, vincitore; };
    const Caso casi[] = {
        {"the player's 20th point", {Denari + 7, Spade + 8, Spade + 6}, 2, 19, R::VinceGiocatore, 1},
        {"the dealer's 20th point", {Denari + 3, Spade + 6}, 1, 1, R::VinceComputer, 2},
    };
    for (const auto& k : casi) {
        Tavolo t;
        t.r.NuovaPartita();
        t.r.PunteggioGiocatore = k.punteggioG;
        t.r.PunteggioComputer = 20 - k.punteggioG;
        t.Ordine(k.ordine);
        t.Gioca(k.carteGiocatore);
        ASSERT_EQ(t.r.FaseTavolo, R::ManoDecisa) << k.nome;
        EXPECT_EQ(t.r.PassoTimer(), k.esito) << k.nome;
        EXPECT_EQ(t.r.FaseTavolo, R::PartitaFinita) << k.nome;
        EXPECT_EQ(t.r.VincitorePartita, k.vincitore) << k.nome;
        EXPECT_EQ(t.r.NuovoTurno(), 0) << k.nome << ": no further deal after the match";
        EXPECT_FALSE(t.r.NuovoTurnoAttivo) << k.nome;
    }
}

TEST(Settemezzo, SeededMatchesDealEachCardOnceAndEnd)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(31);
    R r(mazzo);
    Casuale giocatore(32);
    for (int partita = 1; partita <= 100; ++partita) {
        r.NuovaPartita();
        for (int mano = 1;; ++mano) {
            ASSERT_LT(mano, 5000) << "match " << partita << " did not end";
            while (r.FaseTavolo == R::TurnoGiocatore) {
                if (r.CarteGiocatore[1] && giocatore.Modulo(2)) r.Stop();
                else ASSERT_GT(r.NuovaCarta(), 0);
            }
            while (r.FaseTavolo == R::TurnoComputer) r.PassoTimer();
            std::set<int> tenute;
            for (int i = 1; i <= 7; ++i) {
                if (r.CarteGiocatore[i]) tenute.insert(r.Carta(r.CarteGiocatore[i]));
                if (r.CarteComputer[i]) tenute.insert(r.Carta(r.CarteComputer[i]));
            }
            ASSERT_EQ(static_cast<int>(tenute.size()), r.CarteEstratte) << "match " << partita << ", deal " << mano
                                                                         << ": a card was dealt twice or lost";
            ASSERT_EQ(r.PunteggioGiocatore + r.PunteggioComputer, 20);
            const int passo = r.PassoTimer();
            if (passo == R::VinceGiocatore || passo == R::VinceComputer) break;
            ASSERT_EQ(r.NuovoTurno(), 1);
        }
        EXPECT_TRUE(r.PunteggioGiocatore == 20 || r.PunteggioComputer == 20);
    }
}

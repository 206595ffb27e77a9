// Briscola: trick winner, drawing, counting and the computer's lead and answer.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "core/Casuale.h"
#include "core/Pausa.h"
#include "core/StatoMazzo.h"
#include "games/briscola/RegoleBriscola.h"

namespace {

// Card numbers: Denari 1-10, Spade 11-20, Bastoni 21-30, Coppe 31-40; 1 Ace, 3 Three,
// 8 Jack, 9 Horse, 10 King.
enum : int { Denari = 0, Spade = 10, Bastoni = 20, Coppe = 30 };

// A table whose handles are the card numbers themselves, so positions read naturally.
struct Tavolo {
    StatoMazzo mazzo;
    RegoleBriscola r{mazzo};
    Tavolo(int briscola)
    {
        for (int i = 1; i <= 40; ++i) r.CarteMazzo[i] = i;
        r.CartaBriscola = briscola;
    }
    // Fills a pile with cards worth exactly `punti` (repeats are fine: only the count matters).
    static void Punti(std::int32_t* pila, int punti)
    {
        pila[0] = 0;
        int assi = 0;
        while (punti > 12) { punti -= 11; ++assi; }
        if (punti == 1 && assi > 0) { punti += 11; --assi; }
        auto metti = [&](int carta) { pila[++pila[0]] = carta; };
        for (int i = 0; i < assi; ++i) metti(Coppe + 1);
        static const std::array<std::array<int, 3>, 13> resti = {{
            {0, 0, 0}, {0, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {3, 2, 0}, {4, 2, 0},
            {4, 3, 0}, {4, 4, 0}, {4, 3, 2}, {10, 0, 0}, {11, 0, 0}, {10, 2, 0}}};
        const int carta[12] = {0, 0, Coppe + 8, Coppe + 9, Coppe + 10, 0, 0, 0, 0, 0, Coppe + 3, Coppe + 1};
        for (int p : resti[punti])
            if (p) metti(carta[p]);
    }
};

const char* nomeLato(int lato) { return lato == 1 ? "the player" : lato == 2 ? "the computer" : "nobody"; }

// Each of the 40 handles is in exactly one place: a hand, the trick, a pile or the stock.
std::string CarteAlPostoGiusto(const RegoleBriscola& r)
{
    std::multiset<int> tutte;
    for (int i = 1; i <= 3; ++i) {
        if (r.ManoGiocatore[i]) tutte.insert(r.ManoGiocatore[i]);
        if (r.ManoComputer[i]) tutte.insert(r.ManoComputer[i]);
    }
    if (r.GiocataGiocatore) tutte.insert(r.GiocataGiocatore);
    if (r.GiocataComputer) tutte.insert(r.GiocataComputer);
    for (int k = 1; k <= r.PreseGiocatore[0]; ++k) tutte.insert(r.PreseGiocatore[k]);
    for (int k = 1; k <= r.PreseComputer[0]; ++k) tutte.insert(r.PreseComputer[k]);
    for (int k = r.CartePescate + 1; k <= 40; ++k) tutte.insert(r.CarteMazzo[k]);
    for (int h = 1; h <= 40; ++h)
        if (tutte.count(h) != 1) return "card handle " + std::to_string(h) + " is in " + std::to_string(tutte.count(h)) + " places";
    return tutte.size() == 40 ? "" : "there are " + std::to_string(tutte.size()) + " cards in play, not 40";
}

}  // namespace

TEST(Briscola, TakingOrderAndPointsMakeA120PointDeck)
{
    struct Caso { int numero, forza, punti; };
    const Caso casi[] = {{1, 10, 11}, {3, 9, 10}, {10, 8, 4}, {9, 7, 3}, {8, 6, 2},
                         {7, 5, 0},   {6, 4, 0},  {5, 3, 0},  {4, 2, 0}, {2, 1, 0}};
    for (const auto& k : casi) {
        EXPECT_EQ(ForzaNumero(k.numero), k.forza) << "card number " << k.numero;
        EXPECT_EQ(PuntiForza(ForzaNumero(k.numero)), k.punti) << "card number " << k.numero;
    }
    Tavolo t(1);
    int totale = 0;
    for (int h = 1; h <= 40; ++h) totale += t.r.Punti(h);
    EXPECT_EQ(totale, 120) << "the deck must hold 120 card points";
    EXPECT_EQ(t.r.Seme(0), 1) << "no card reads as suit 1";
    EXPECT_EQ(t.r.Forza(0), 0);
}

TEST(Briscola, TrickGoesToTrumpThenHigherCardOfLedSuitThenLeader)
{
    struct Caso { const char* nome; int briscola, giocatore, computer, iniziatore, vincitore; };
    const Caso casi[] = {
        {"trump Three beats trump King", Denari + 5, Denari + 3, Denari + 10, 2, 1},
        {"trump King loses to trump Three", Denari + 5, Denari + 10, Denari + 3, 1, 2},
        {"a trump Two beats a plain Ace", Denari + 5, Denari + 2, Spade + 1, 2, 1},
        {"a plain Ace loses to a trump Two", Denari + 5, Spade + 1, Denari + 2, 1, 2},
        {"Ace beats Three of the same plain suit", Coppe + 5, Spade + 1, Spade + 3, 2, 1},
        {"Horse beats Jack of the same plain suit", Coppe + 5, Spade + 8, Spade + 9, 1, 2},
        {"leading player keeps an off-suit trick", Coppe + 5, Spade + 5, Bastoni + 1, 1, 1},
        {"leading computer keeps an off-suit trick", Coppe + 5, Spade + 1, Bastoni + 5, 2, 2},
    };
    for (const auto& k : casi) {
        Tavolo t(k.briscola);
        EXPECT_EQ(t.r.Vincitore(k.giocatore, k.computer, k.iniziatore), k.vincitore)
            << k.nome << ": the trick should go to " << nomeLato(k.vincitore);
    }
}

TEST(Briscola, ComputerAnswerFollowsItsRulesInOrder)
{
    struct Caso {
        const char* regola;
        int briscola;
        int guidata;                  // the player's card
        std::array<int, 3> mano;      // the computer's slots
        int puntiComputer, puntiGiocatore, cartePescate;
        int slot;
    };
    const int B = Coppe + 5;  // trumps are Coppe
    const Caso casi[] = {
        {"A1 a King takes a led Five of its suit", B, Denari + 5, {Denari + 10, Spade + 2, Bastoni + 4}, 0, 0, 6, 1},
        {"A2 the highest trump when it reaches 60", B, Denari + 5, {Spade + 2, Coppe + 3, Coppe + 10}, 51, 0, 6, 2},
        {"A3 a low plain card when the trump falls short of 60", B, Denari + 5, {Coppe + 3, Spade + 2, Coppe + 10}, 50, 0, 6, 2},
        {"A4 the lowest plain card while the stock lasts", B, Spade + 5, {Denari + 1, Bastoni + 8, Coppe + 4}, 0, 0, 6, 2},
        {"A4 equal low cards: the later slot", B, Spade + 5, {Bastoni + 8, Denari + 8, Coppe + 4}, 0, 0, 6, 2},
        {"A5 the lowest trump when four cards remain", B, Spade + 5, {Denari + 1, Bastoni + 8, Coppe + 4}, 0, 0, 36, 3},
        {"A5 the lowest trump when the player nears 40", B, Spade + 5, {Denari + 1, Bastoni + 8, Coppe + 4}, 0, 34, 6, 3},
        {"B1 the Ace on a led Three of its suit", B, Spade + 3, {Bastoni + 4, Spade + 1, Spade + 2}, 0, 0, 6, 2},
        {"B2 the Three on a led Ace of its suit", B, Spade + 1, {Bastoni + 4, Spade + 3, Spade + 2}, 0, 0, 6, 2},
        {"B3 a Horse takes a led Jack", B, Spade + 8, {Spade + 9, Spade + 2, Bastoni + 4}, 0, 0, 6, 1},
        {"B5 the lowest trump when nothing of the suit is higher", B, Spade + 8, {Spade + 7, Coppe + 1, Coppe + 4}, 0, 0, 6, 3},
        {"fallback: the first card when no rule names one", B, Spade + 8, {Spade + 7, Spade + 2, Bastoni + 4}, 0, 0, 6, 1},
        {"C1 a low plain card on a low trump", B, Coppe + 4, {Coppe + 8, Bastoni + 1, Bastoni + 5}, 0, 0, 6, 3},
        {"C2 the lowest trump on a high trump", B, Coppe + 9, {Coppe + 10, Bastoni + 1, Coppe + 2}, 0, 0, 6, 3},
        {"C3 with 60 points the first card", B, Coppe + 9, {Bastoni + 5, Coppe + 10, Coppe + 2}, 60, 60, 6, 1},
        {"C3 a trump King that makes 60", B, Coppe + 9, {Bastoni + 5, Coppe + 10, Coppe + 2}, 52, 60, 6, 2},
        {"C3 a plain card's rank adds nothing", B, Coppe + 9, {Bastoni + 1, Coppe + 10, Coppe + 2}, 55, 60, 6, 2},
        {"C4 the lowest trump when nothing reaches 60", B, Coppe + 9, {Bastoni + 5, Coppe + 10, Coppe + 2}, 50, 60, 6, 3},
        {"one card left is played whatever the rules say", B, Spade + 1, {0, 0, Bastoni + 2}, 0, 0, 43, 3},
    };
    for (const auto& k : casi) {
        Tavolo t(k.briscola);
        t.r.Turno = 1;
        t.r.ManoGiocatore[1] = k.guidata;
        ASSERT_EQ(t.r.GiocaGiocatore(1), 1);
        for (int i = 0; i < 3; ++i) t.r.ManoComputer[i + 1] = k.mano[i];
        Tavolo::Punti(t.r.PreseComputer, k.puntiComputer);
        Tavolo::Punti(t.r.PreseGiocatore, k.puntiGiocatore);
        t.r.CartePescate = k.cartePescate;
        EXPECT_EQ(t.r.SceltaComputer(), k.slot) << k.regola;
    }
}

TEST(Briscola, AnswersDecideTheTrickAsPlayersExpect)
{
    // A King on a led Five wins for the computer; a Three on a led Ace gives the player 21.
    struct Caso { const char* nome; int guidata; std::array<int, 3> mano; int vincitore, puntiG, puntiC; };
    const Caso casi[] = {
        {"King on a led Five", Denari + 5, {Denari + 10, Spade + 2, Bastoni + 4}, 2, 0, 4},
        {"Three on a led Ace", Spade + 1, {Bastoni + 4, Spade + 3, Spade + 2}, 1, 21, 0},
    };
    for (const auto& k : casi) {
        Tavolo t(Coppe + 5);
        t.r.CartePescate = 6;
        t.r.Turno = t.r.Iniziatore = 1;
        t.r.ManoGiocatore[1] = k.guidata;
        for (int i = 0; i < 3; ++i) t.r.ManoComputer[i + 1] = k.mano[i];
        ASSERT_EQ(t.r.GiocaGiocatore(1), 1);
        ASSERT_EQ(t.r.GiocaComputer(t.r.SceltaComputer()), 1);
        EXPECT_EQ(t.r.RisolviPresa(), k.vincitore) << k.nome;
        EXPECT_EQ(t.r.PuntiGiocatore, k.puntiG) << k.nome;
        EXPECT_EQ(t.r.PuntiComputer, k.puntiC) << k.nome;
        EXPECT_EQ(t.r.Turno, k.vincitore) << k.nome << ": the winner leads next";
    }
}

TEST(Briscola, ComputerLeadsItsCheapestCard)
{
    struct Caso { const char* nome; std::array<int, 4> punteggi; std::array<int, 4> mano; int slot; };
    const Caso casi[] = {
        {"three equal scores: slot 1", {0, 5, 5, 5}, {0, 1, 2, 3}, 1},
        {"40, 12, 12: the lowest is shared, slot 1", {0, 40, 12, 12}, {0, 1, 2, 3}, 1},
        {"a strictly lowest score wins", {0, 30, 12, 40}, {0, 1, 2, 3}, 2},
        {"the lowest in the last slot", {0, 30, 31, 7}, {0, 1, 2, 3}, 3},
        {"shared lowest with slot 1 empty: slot 2", {0, 99, 20, 20}, {0, 0, 2, 3}, 2},
        {"one card left", {0, 99, 99, 7}, {0, 0, 0, 3}, 3},
    };
    for (const auto& k : casi) {
        std::int32_t p[4], m[4];
        for (int i = 0; i < 4; ++i) { p[i] = k.punteggi[i]; m[i] = k.mano[i]; }
        EXPECT_EQ(RegoleBriscola::SlotApertura(p, m), k.slot) << k.nome;
    }
}

TEST(Briscola, LeadScoresRememberTakenAcesAndThrees)
{
    struct Caso {
        const char* nome;
        std::array<int, 3> mano;
        std::array<int, 2> preseComputer;     // cards in the computer's pile
        std::array<int, 4> preseGiocatore;    // two tricks of the player, oldest first
        int ricordo;                           // how many of the player's tricks it remembers
        std::array<int, 3> punteggi;
        int slot;
    };
    const Caso casi[] = {
        {"plain Ace, trump Five, plain Six", {Bastoni + 1, Coppe + 5, Spade + 6}, {0, 0}, {0, 0, 0, 0}, 0, {30, 53, 24}, 3},
        {"nothing known: two Sixes tie, slot 1", {Spade + 6, Bastoni + 6, 0}, {0, 0}, {0, 0, 0, 0}, 0, {24, 24, 99}, 1},
        {"its own Bastoni Ace is remembered", {Spade + 6, Bastoni + 6, 0}, {Bastoni + 1, 0}, {0, 0, 0, 0}, 0, {24, 14, 99}, 2},
        {"the player's last trick remembered", {Spade + 6, Bastoni + 6, 0}, {0, 0}, {Denari + 2, Denari + 4, Bastoni + 1, Bastoni + 3}, 1, {24, 4, 99}, 2},
        {"the player's older trick forgotten", {Spade + 6, Bastoni + 6, 0}, {0, 0}, {Bastoni + 1, Bastoni + 3, Denari + 2, Denari + 4}, 1, {24, 24, 99}, 1},
        {"no memory of the player's pile", {Spade + 6, Bastoni + 6, 0}, {0, 0}, {Denari + 2, Denari + 4, Bastoni + 1, Bastoni + 3}, 0, {24, 24, 99}, 1},
    };
    for (const auto& k : casi) {
        Tavolo t(Coppe + 9);
        t.r.Turno = 2;
        for (int i = 0; i < 3; ++i) t.r.ManoComputer[i + 1] = k.mano[i];
        for (int c : k.preseComputer)
            if (c) t.r.PreseComputer[++t.r.PreseComputer[0]] = c;
        for (int c : k.preseGiocatore)
            if (c) t.r.PreseGiocatore[++t.r.PreseGiocatore[0]] = c;
        t.r.RicordoGiocatore = k.ricordo;
        EXPECT_EQ(t.r.SceltaComputer(), k.slot) << k.nome;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(t.r.PunteggiApertura[i + 1], k.punteggi[i]) << k.nome << ", slot " << i + 1;
    }
}

TEST(Briscola, PointsDecideTheGame)
{
    struct Caso { int giocatore, computer, esito; };
    for (const Caso& k : {Caso{60, 60, 0}, Caso{61, 59, 1}, Caso{59, 61, 2}, Caso{0, 120, 2}}) {
        Tavolo t(1);
        Tavolo::Punti(t.r.PreseGiocatore, k.giocatore);
        Tavolo::Punti(t.r.PreseComputer, k.computer);
        t.r.AggiornaPunteggio();
        EXPECT_EQ(t.r.PuntiGiocatore, k.giocatore);
        EXPECT_EQ(t.r.Esito, k.esito) << k.giocatore << " to " << k.computer;
    }
}

TEST(Briscola, PlayIsRefusedOutOfTurnOnEmptySlotsAndOnACompleteTrick)
{
    StatoMazzo mazzo;
    RegoleBriscola r(mazzo);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(r.GiocaGiocatore(k), 0) << "no game yet: slot " << k;

    mazzo.Generatore().Fissa(11);
    r.NuovaPartita();
    ASSERT_EQ(r.Turno, 1);
    EXPECT_EQ(r.GiocaComputer(1), 0) << "the computer may not play on the player's turn";
    EXPECT_EQ(r.GiocaGiocatore(0), 0);
    EXPECT_EQ(r.GiocaGiocatore(4), 0);
    ASSERT_EQ(r.GiocaGiocatore(2), 1);
    EXPECT_EQ(r.GiocaGiocatore(1), 0) << "the player may not play twice in a trick";
    ASSERT_EQ(r.GiocaComputer(r.SceltaComputer()), 1);
    EXPECT_EQ(r.CarteGiocate, 2);
    r.Turno = 1;  // even with the turn back, a complete trick takes no third card
    EXPECT_EQ(r.GiocaGiocatore(1), 0);
    r.Turno = 2;
    EXPECT_EQ(r.SceltaComputer(), 0);
    r.ManoGiocatore[1] = 0;
    r.Turno = 1;
    r.CarteGiocate = 0;
    EXPECT_EQ(r.GiocaGiocatore(1), 0) << "an empty slot cannot be played";
}

TEST(Briscola, StartingSideAlternatesFromGameToGame)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(5);
    RegoleBriscola r(mazzo);
    const int attesi[] = {1, 2, 1, 2};
    for (int partita = 0; partita < 4; ++partita) {
        r.NuovaPartita();
        EXPECT_EQ(r.Turno, attesi[partita]) << "game " << partita + 1 << " should be led by " << nomeLato(attesi[partita]);
        EXPECT_EQ(r.IniziatorePartita, attesi[partita]);
        EXPECT_EQ(r.Iniziatore, attesi[partita]);
        EXPECT_EQ(r.CartePescate, 6);
        EXPECT_EQ(r.CartaBriscola, r.CarteMazzo[40]);
        EXPECT_EQ(r.ManoComputer[1], r.CarteMazzo[1]);
        EXPECT_EQ(r.ManoGiocatore[3], r.CarteMazzo[6]);
    }
}

TEST(Briscola, WinnerDrawsFirstAndTheLastLoserTakesTheFaceUpTrump)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(2024);
    RegoleBriscola r(mazzo);
    Casuale giocatore(99);
    r.NuovaPartita();
    for (int presa = 1; presa <= 20; ++presa) {
        std::array<int, 4> primaG{}, primaC{};
        while (r.CarteGiocate < 2) {
            if (r.Turno == 2) {
                r.EstraiRicordo();
                ASSERT_EQ(r.GiocaComputer(r.SceltaComputer()), 1) << "trick " << presa;
            } else {
                int k = 1 + giocatore.Modulo(3);
                while (r.ManoGiocatore[k] == 0) k = k % 3 + 1;
                ASSERT_EQ(r.GiocaGiocatore(k), 1);
            }
        }
        for (int i = 1; i <= 3; ++i) { primaG[i] = r.ManoGiocatore[i]; primaC[i] = r.ManoComputer[i]; }
        const int pescata = r.CartePescate;
        const int vincitore = r.RisolviPresa();
        ASSERT_EQ(CarteAlPostoGiusto(r), "") << "after trick " << presa;
        const auto* manoV = vincitore == 1 ? r.ManoGiocatore : r.ManoComputer;
        const auto* manoP = vincitore == 1 ? r.ManoComputer : r.ManoGiocatore;
        const auto& primaV = vincitore == 1 ? primaG : primaC;
        const auto& primaP = vincitore == 1 ? primaC : primaG;
        auto nuova = [](const std::int32_t* dopo, const std::array<int, 4>& prima) {
            for (int i = 1; i <= 3; ++i)
                if (dopo[i] != prima[i]) return static_cast<int>(dopo[i]);
            return 0;
        };
        if (presa <= 17) {
            EXPECT_EQ(nuova(manoV, primaV), r.CarteMazzo[pescata + 1]) << "trick " << presa << ": the winner draws first";
            EXPECT_EQ(nuova(manoP, primaP), r.CarteMazzo[pescata + 2]) << "trick " << presa << ": the loser draws second";
        } else {
            EXPECT_EQ(nuova(manoV, primaV), 0) << "trick " << presa << ": nothing left to draw";
            EXPECT_EQ(nuova(manoP, primaP), 0);
        }
        if (presa == 17) {
            EXPECT_EQ(nuova(manoP, primaP), r.CartaBriscola) << "the loser of the 17th trick takes the face-up trump";
            EXPECT_EQ(r.CarteRimanenti(), 0);
        }
        EXPECT_EQ(r.PartitaFinita(), presa == 20);
    }
    EXPECT_EQ(r.PuntiGiocatore + r.PuntiComputer, 120);
    EXPECT_EQ(r.PreseGiocatore[0] + r.PreseComputer[0], 40);
}

TEST(Briscola, SeededGamesKeepEveryCardAndReproduce)
{
    auto gioca = [](std::uint32_t seme, int partite, std::string& errore) {
        StatoMazzo mazzo;
        mazzo.Generatore().Fissa(seme);
        RegoleBriscola r(mazzo);
        Casuale giocatore(seme + 1);
        std::string firma;
        for (int p = 0; p < partite && errore.empty(); ++p) {
            r.NuovaPartita();
            int giocate = 0;
            while (!r.PartitaFinita() && errore.empty()) {
                if (++giocate > 60) { errore = "game did not end"; break; }
                if (r.CarteGiocate == 2) {
                    r.RisolviPresa();
                } else if (r.Turno == 2) {
                    r.EstraiRicordo();
                    if (!r.GiocaComputer(r.SceltaComputer())) errore = "computer chose an empty slot";
                } else {
                    int k = 1 + giocatore.Modulo(3);
                    while (r.ManoGiocatore[k] == 0) k = k % 3 + 1;
                    r.GiocaGiocatore(k);
                }
                if (errore.empty()) errore = CarteAlPostoGiusto(r);
            }
            if (errore.empty() && r.PuntiGiocatore + r.PuntiComputer != 120) errore = "points do not add up to 120";
            firma += std::to_string(r.PuntiGiocatore) + ",";
        }
        return firma;
    };
    std::string errore;
    const std::string a = gioca(7, 200, errore);
    ASSERT_EQ(errore, "") << "a card went missing or was duplicated";
    EXPECT_EQ(gioca(7, 200, errore), a) << "the same seed must replay the same games";
    EXPECT_NE(gioca(8, 200, errore), a);
}

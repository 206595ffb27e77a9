#pragma once
// Sette e mezzo against the computer dealer: the table state, the hand value with the wild
// card, the player's draw and stand, the dealer's step and the match of 20 points.
// Plain C++: the table window drives these from its buttons and its one-second timer,
// draws the cards and digits, plays the sounds and writes the score file.
//
// The k-th card drawn in a deal is the handle TabellaCarte[k] (= RitornaCarta(k) of the
// deal's shuffle); the card it stands for is TabellaCarte[h]. Values are in tenths of a
// point: seven and a half is 75, above 75 is bust.
//
// Table flow: NuovaPartita / NuovoTurno start a match or a deal, NuovaCarta and Stop are the
// player's buttons, PassoTimer is the one-second step that enables Stop, runs the dealer
// one card at a time and ends the match. The window copies the *Attivo flags to its buttons.
#include <cstdint>
#include <functional>

#include "core/StatoMazzo.h"

class RegoleSettemezzo {
public:
    static constexpr int CartaMatta = 10;   // the 10 of Denari, the wild card
    static constexpr int SetteEMezzo = 75;
    static constexpr int PunteggioIniziale = 10;
    static constexpr int PunteggioVittoria = 20;

    enum Fase { TurnoGiocatore = 1, TurnoComputer = 2, ManoDecisa = 3, PartitaFinita = 4 };
    // Results of PassoTimer.
    enum Passo {
        NienteDaFare = 0,
        ComputerPesca = 1,    // the dealer drew and goes on
        ComputerSiFerma = 2,  // the dealer drew and stood: the deal is decided
        VinceGiocatore = 3,   // the match ended with the player at 20
        VinceComputer = 4,    // the match ended with the computer at 20
    };

    explicit RegoleSettemezzo(StatoMazzo& mazzo);

    // ---- table state ----
    std::int32_t FaseTavolo = PartitaFinita;  // 1 player's turn, 2 computer's, 3 decided, 4 none
    bool TurnoAperto = false;                 // set by the first match or deal, never cleared
    std::int32_t CarteEstratte = 0;           // deck positions drawn in this deal
    std::int32_t TabellaCarte[100] = {};      // entry i (1..40) = RitornaCarta(i) after the shuffle
    std::int32_t CarteGiocatore[8] = {};      // slots 1..7, handles or 0
    std::int32_t CarteComputer[8] = {};
    std::int32_t PuntiManoGiocatore = 0;
    std::int32_t PuntiManoComputer = 0;
    std::int32_t PunteggioGiocatore = PunteggioIniziale;
    std::int32_t PunteggioComputer = PunteggioIniziale;
    std::int32_t EsitoMano = 0;               // last decided deal: 0 no change, 1 player, 2 computer
    std::int32_t VincitorePartita = 0;        // 0 while the match runs, 1 or 2 at its end

    // Enabled state of the three play buttons (the window copies them into the buttons).
    bool NuovaCartaAttivo = true;
    bool StopAttivo = true;
    bool NuovoTurnoAttivo = true;

    // Called after every change of hands or scores, once the values are recomputed.
    std::function<void()> MostraTavolo;

    // ---- values ----
    // Tenths of a point of card number c (1..40): 10 x number up to 7, 5 for a figure.
    static int ValoreMezzo(int c);
    // Hand value of card numbers (0 = empty slot).
    static int ValoreCarte(const std::int32_t* carte, int quante);
    // Whether the dealer stands with this value and this many cards.
    static bool SiFerma(int punti, int carte);
    // Winner of a deal: 0 nobody (equal or both bust), 1 player, 2 computer.
    static int VincitoreMano(int giocatore, int computer);

    int Carta(int h) const { return h >= 1 && h < 100 ? TabellaCarte[h] : 0; }
    int ValoreMano(const std::int32_t mano[8]) const;
    static int CarteInMano(const std::int32_t mano[8]);

    // ---- operations ----
    void NuovaPartita();
    // The next deal, once the last one is decided and the match goes on: 1 started, 0 ignored.
    int NuovoTurno();
    // The player draws: the slot that received the card, 0 when nothing happened.
    int NuovaCarta();
    // The player stands: 1 accepted, 0 ignored (no match running, not the player's turn,
    // or no card yet).
    int Stop();
    // One step of the table timer (see Passo).
    int PassoTimer();
    // The button checks of the timer step, without its dealer step or the match's end: run
    // right after each action, so a button lights the moment the game allows it rather than
    // on the next tick.
    void AggiornaAttivi();
    // Recomputes both hand values and shows the table.
    void AggiornaTavolo();

    StatoMazzo& Mazzo() { return mazzo_; }

private:
    void NuovaDistribuzione();
    int PrimoSlotLibero(const std::int32_t mano[8]) const;
    StatoMazzo& mazzo_;
};

#pragma once
// Two-handed Briscola: the table state, the rules of a trick and the computer player.
// Plain C++: the table window calls these operations, does the pictures and sounds between
// them, and redraws from the public state. Arrays are indexed from 1 as the table is.
//
// Cards in play are handles h (1..40): the k-th card taken from the deck is CarteMazzo[k],
// the card number of handle h is CarteMazzo[h], and the deck component draws exactly that
// card for h (it shows RitornaCarta(h)). 0 means no card. Carta(h) gives the card number,
// which stays right even if another table reshuffles the shared deck meanwhile.
//
// Turn flow: the player's double-click calls GiocaGiocatore; each turn tick calls
// EstraiRicordo, then, on the computer's move, SceltaComputer, the flight, GiocaComputer;
// a complete trick is resolved with DecidiPresa, the flights, RaccogliPresa, PartitaFinita.
// Randomness comes from the shared deck's generator, so fixing its seed fixes a whole game.
#include <cstdint>
#include <functional>

#include "core/StatoMazzo.h"

// Taking order within a suit (Ace 10, Three 9, King 8 ... Two 1); 0 for no card.
int ForzaNumero(int numero);
// Card points of a taking order: 11, 10, 4, 3, 2, else 0. The deck holds 120.
int PuntiForza(int forza);

class RegoleBriscola {
public:
    explicit RegoleBriscola(StatoMazzo& mazzo);

    // ---- table state ----
    std::int32_t CarteMazzo[41] = {};      // entry 0 = 0; entry i = RitornaCarta(i) after the shuffle
    std::int32_t ManoComputer[4] = {};     // slots 1..3, handles or 0
    std::int32_t ManoGiocatore[4] = {};
    std::int32_t GiocataComputer = 0;      // handle in the current trick, or 0
    std::int32_t GiocataGiocatore = 0;
    std::int32_t CartaBriscola = 0;        // the face-up trump card (deck position 40)
    std::int32_t Turno = 1;                // who is to play: 1 player, 2 computer
    std::int32_t CarteGiocate = 0;         // cards in the current trick, 0..2
    std::int32_t CartePescate = 0;         // deck position of the last card taken
    std::int32_t Iniziatore = 0;           // who led the current trick
    std::int32_t IniziatorePartita = 0;    // who started the last game: 0 none yet, 1, 2
    std::int32_t VincitorePresa = 0;       // winner of the trick being resolved
    std::int32_t PreseGiocatore[101] = {}; // entry 0 = count, then the handles in the order won
    std::int32_t PreseComputer[101] = {};
    std::int32_t PuntiGiocatore = 0;
    std::int32_t PuntiComputer = 0;
    std::int32_t Esito = 0;                // 0 equal, 1 player ahead, 2 computer ahead
    std::int32_t Viste[100] = {};          // computer's memory: [(Seme-1)*10 + Forza] = 1 when taken
    // How many of the player's latest tricks the computer remembers when it leads (0..2),
    // drawn at each turn tick by EstraiRicordo.
    std::int32_t RicordoGiocatore = 0;
    // The tricks of this game in order, as they were played face up: who led (1, 2) and each
    // side's handle. Read by the search player; the rules themselves never look at it.
    std::int32_t StoriaPrese = 0;
    std::int32_t StoriaIniziatore[21] = {}, StoriaGiocatore[21] = {}, StoriaComputer[21] = {};
    // Scores of the last lead decision, slots 1..3 (99 = empty slot).
    std::int32_t PunteggiApertura[4] = {};

    // ---- hooks the window fills (all optional) ----
    std::function<void()> MostraPunteggio;  // after every recount: show the points and cards left

    // ---- derived values ----
    int Carta(int h) const;                 // card number of handle h (0 for 0 or out of range)
    int Seme(int h) const;                  // 1..4; the handle 0 gives suit 1
    int Numero(int h) const;                // 1..10, 0 for no card
    int Forza(int h) const;
    int Punti(int h) const { return PuntiForza(Forza(h)); }
    int SemeBriscola() const { return Seme(CartaBriscola); }
    int CarteRimanenti() const { return 40 - CartePescate; }  // negative once the stock is spent

    // ---- game flow ----
    // Shuffles the shared deck, picks the starting side (alternating from game to game), deals.
    void NuovaPartita();
    // The player's double-click on hand slot k: 1 when the card was played, 0 when ignored.
    int GiocaGiocatore(int k);
    // The window's turn tick draws how much of the player's pile the computer remembers.
    void EstraiRicordo();
    // The computer's chosen slot (lead or answer), or 0 when it is not its move.
    int SceltaComputer();
    // Plays the computer's slot i: 1 done, 0 ignored (not its move or an empty slot).
    int GiocaComputer(int i);
    // First half of a trick's resolution: decides the winner (1 or 2), 0 if the trick is not complete.
    int DecidiPresa();
    // Second half: both cards to the winner's pile, the winner leads, both draw, recount.
    void RaccogliPresa();
    // Both halves; returns the winner or 0.
    int RisolviPresa();
    // All 40 cards have been won.
    bool PartitaFinita() const { return PreseGiocatore[0] + PreseComputer[0] >= 40; }
    // Recounts both piles, sets Esito and shows the counts.
    void AggiornaPunteggio();

    // ---- the computer player (exposed for the table's tests) ----
    int CartaDiApertura();   // slot to lead with; fills Viste and PunteggiApertura
    int CartaDiRisposta();   // slot to answer the player's card with
    // The lead rule on given scores: the slot strictly below both others, else the first held slot.
    static int SlotApertura(const std::int32_t punteggi[4], const std::int32_t mano[4]);

    // Winner of p (player's card) against q (computer's card) with trump suit T and leader.
    int Vincitore(int p, int q, int leader) const;

    StatoMazzo& Mazzo() { return mazzo_; }

private:
    void MarcaViste(int h);
    void AggiungiPresa(std::int32_t* pila, int h);
    StatoMazzo& mazzo_;
};

#pragma once
// Rubamazzo: captures by number or by sums of two to four table cards, and stealing the
// opponent's whole pile with a card of the number on its top. Plain C++: the table window
// calls these operations, animates from the move record and redraws from the public state.
//
// Cards are handles h (1..40) as in Briscola: CarteMazzo[h] is the card number the deck
// component draws for h. Places: 1-3 the computer's hand, 4-6 the player's, 7 up the table.
//
// Turn flow: a double-click on the player's hand calls SelezionaCarta; the OK button calls
// ConfermaGiocatore and a double-click on the computer's pile RubaGiocatore; either is
// followed by MossaComputer. The table timer calls PassoTimer. After each of these the
// window flies the cards from UltimaMossa and redraws places 1..NumeroPosti().
#include <cstdint>
#include <functional>

#include "core/StatoMazzo.h"

class RegoleRubamazzo {
public:
    // The table has seven places on screen but may need more. A card is laid down only when
    // its number matches no table card (a single match is always taken), so every lay-down
    // brings a number not yet on the table; the only repeated numbers can come from the
    // four cards dealt face up (at most three repeats). Hence at most 10 + 3 = 13 table cards,
    // and since a card goes to the first free place, places 7..19 always suffice.
    static constexpr int PrimoPostoTavolo = 7;
    static constexpr int PostiSulTavolo = 7;    // places 7..13 drawn by the window's layout
    static constexpr int UltimoPostoTavolo = 19;

    // Move kinds of the move record.
    enum TipoMossa { Nessuna = 0, Presa = 1, Posa = 2, Furto = 3, FineTavolo = 4 };

    // What the last move did, for the window's card flights (the state is already updated).
    struct Mossa {
        int Lato = 0;          // 1 player, 2 computer (for FineTavolo: the side that receives)
        int Tipo = Nessuna;
        int Posto = 0;         // hand place the card came from (1..6)
        int Carta = 0;         // handle played
        int Destinazione = 0;  // table place a laid-down card went to
        int NumeroPresi = 0;   // table places taken, in the order 7 up
        int PostiPresi[UltimoPostoTavolo + 1] = {};
        int CartePresi[UltimoPostoTavolo + 1] = {};  // their handles
        int CartePrese = 0;    // for a steal: how many cards the stolen pile held
    };

    explicit RegoleRubamazzo(StatoMazzo& mazzo);

    // ---- game state ----
    std::int32_t CarteMazzo[100] = {};   // entry i (1..40) = RitornaCarta(i) after the shuffle
    std::int32_t Posti[UltimoPostoTavolo + 1] = {};  // places 1..19, handles or 0
    std::int32_t ProssimaCarta = 11;     // deck position of the next card to deal
    std::int32_t Turno = 0;              // 1 player, 2 computer; 0 before the first game
    std::int32_t Selezionato = 0;        // place of the card last selected (1-6); 0 none
    std::int32_t Evidenziati[UltimoPostoTavolo + 1] = {};  // 1 = table place in the found capture
    std::int32_t PreseGiocatore[41] = {};  // handles in the order added, entries 1 up
    std::int32_t PreseComputer[41] = {};
    std::int32_t IndicePreseGiocatore = 1;  // next free entry; the pile holds index - 1 cards
    std::int32_t IndicePreseComputer = 1;
    std::int32_t CimaGiocatore = 0;      // top card of each pile (the last capture or steal), 0 none
    std::int32_t CimaComputer = 0;
    std::int32_t UltimaPresa = 0;        // side that captured last: 0 nobody yet, 1, 2
    std::int32_t Risultato = -1;         // after the end: 0 draw, 1 player wins, 2 computer wins
    Mossa UltimaMossa;

    // ---- hooks the window fills (all optional) ----
    std::function<void()> RidisegnaPosti;          // redraw every place plainly
    // Draw this place's card highlighted. Its deck state is already toggled on here, so the
    // hook only draws (a toggling draw would switch it off again).
    std::function<void(int posto)> EvidenziaPosto;

    // ---- operations ----
    void NuovaPartita();
    int Numero(int h) const;  // 1..10, 0 for no card
    int Carta(int h) const { return h >= 1 && h < 100 ? CarteMazzo[h] : 0; }

    // Selects hand place k (1..6), highlights it and the capture it would make. Returns the
    // capture's size 0..4, or -1 when the place is empty (nothing happens).
    int SelezionaCarta(int k);
    // Size 0..4 of the capture place k would make; marks nothing visible.
    int ValutaPresa(int k);
    // The player's confirmation (OK button): captures the marked cards or lays the card
    // down. Returns the move kind, 0 when nothing happened.
    int ConfermaGiocatore();
    // The player's double-click on the computer's pile: steals it with the selected card
    // when the numbers match. Returns Furto or 0.
    int RubaGiocatore();
    // Whether the selected card could steal the computer's pile now.
    bool FurtoPossibile() const;
    // The computer's move: steal, else the largest capture, else lay down. Returns the kind.
    int MossaComputer();
    // A chosen computer move (a search player's): hand place k (1..3) steals the player's
    // pile when `ruba` (the numbers must match), otherwise captures what it finds or is laid
    // down, as the player's confirmation does. Returns the kind, 0 when refused.
    int GiocaComputer(int k, bool ruba);

    // The table timer's step: clears the highlights, deals when both hands are empty, ends the
    // game when nothing is left to deal. Returns 0 nothing, 1 dealt, 2 game over (see Risultato).
    int PassoTimer();
    bool DistribuzioneDovuta() const;
    bool FineDovuta() const;
    int Distribuisci();   // 1 when six cards were dealt
    int ChiudiPartita();  // table to the last taker; returns Risultato

    int PilaGiocatore() const { return IndicePreseGiocatore - 1; }
    int PilaComputer() const { return IndicePreseComputer - 1; }
    int CarteDaDistribuire() const { return 41 - ProssimaCarta; }
    // Highest table place the window has to show: 13, or more when the table has grown.
    int NumeroPosti() const;
    bool PartitaFinita() const { return Risultato >= 0; }

    StatoMazzo& Mazzo() { return mazzo_; }

private:
    // Capture search for number v in the table; fills `trovati` (places, outer index first)
    // and returns the size of the first match, 0 when none.
    int CercaPresa(int v, int trovati[4]) const;
    void AggiungiPila(int lato, int h);
    void SvuotaPila(int lato);
    int PrimoPostoLibero() const;
    // Moves hand place k and the marked table places to the side's pile.
    void EseguiPresa(int lato, int k);
    void PosaCarta(int lato, int k);
    void Ruba(int lato, int k);
    void PulisciStati();
    StatoMazzo& mazzo_;
};

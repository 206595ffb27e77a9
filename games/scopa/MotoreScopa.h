#pragma once
// MotoreScopa: one hand of two-handed Scopa between the player (side 1) and the computer
// (side 2). It shuffles and deals, applies the capture rules to the player's plays, makes
// the computer's moves, hands the last table cards to the last side that captured and
// counts the finished hand. It draws nothing and plays no sound; its only wait is the
// 500 ms pause of FineGiro, taken through Pausa.
//
// All state is public plain integers so the table window can draw it and tests can set up
// positions. Arrays are indexed from 1 (entry 0 unused) unless a comment says otherwise.
// A card is 1..40 (0 = none): suit (c - 1) / 10 + 1, value c mod 10 with 0 read as 10.
#include <cstdint>
#include <string>

#include "core/Casuale.h"

class MotoreScopa {
public:
    // Places the table window lays out (slots 1..8 of the snapshot).
    static constexpr int PostiTavoloVisibili = 8;
    // The table can hold every card but the one being played, so a card laid down always
    // finds a free place whatever the position. In play it never holds more than 13: a card
    // is laid only when nothing on the table has its value, so repeated values come only
    // from the four opening cards (at most 10 values + 3 repeats).
    static constexpr int MassimoPostiTavolo = 39;
    // Capture list capacity: the largest number of combinations of at most five cards that
    // sum to one value over any table at all (the 39 other cards on the table, a ten
    // played, gives 1573). Tables that play can reach give at most 26, so the list is never
    // cut short; EnumeraPrese still stops at the end rather than write past it.
    static constexpr int MassimoPrese = 1573;
    // Largest capture in the list.
    static constexpr int MassimaPresa = 5;

    // Deals the first hand, led by the player, with a clock-seeded shuffle.
    MotoreScopa();
    // Same with a fixed seed: every shuffle after it is reproducible.
    explicit MotoreScopa(std::uint32_t seme);

    // ---- state ----
    std::int32_t CarteMazzo[41] = {};      // shuffled deck, positions 1..40
    std::int32_t CarteDistribuite = 0;     // deck positions dealt so far
    std::int32_t ManoGiocatore[4] = {};    // player's hand slots 1..3
    std::int32_t ManoComputer[4] = {};     // computer's hand slots 1..3
    std::int32_t Tavolo[MassimoPostiTavolo + 1] = {};       // table places 1..39
    std::int32_t ValoriTavolo[MassimoPostiTavolo + 1] = {};  // values of the places, 0 = empty
    // Capture list of the last enumeration, entries 0..NumeroPrese-1: Prese[k][0] is the
    // number of cards n (1..5), Prese[k][1..n] the table places in increasing order.
    std::int32_t Prese[MassimoPrese][MassimaPresa + 1] = {};
    std::int32_t NumeroPrese = 0;
    std::int32_t PreseGiocatore[41] = {};  // player's pile in the order taken
    std::int32_t ContaPreseGiocatore = 0;
    std::int32_t PreseComputer[41] = {};
    std::int32_t ContaPreseComputer = 0;
    std::int32_t ScopeGiocatore = 0, ScopeComputer = 0;
    std::int32_t UltimaScopaGiocatore = 0, UltimaScopaComputer = 0;  // card of the latest sweep
    std::int32_t ScopaFatta = 0;           // set by a sweep, cleared by LeggiScopa
    std::int32_t Turno = 1;                // 1 the player moves, 2 the computer
    std::int32_t UltimaPresa = 0;          // last side that captured, 0 = nobody yet
    // Cards moved by the latest move, entries 0..9: the played card, then the captured
    // ones in the order taken (a player's card laid on the table is not recorded). A move
    // takes at most 7 cards (values adding up to at most 10, with four aces), so 10 is room.
    std::int32_t CarteMossa[10] = {};
    std::int32_t CartaGiocataComputer = 0;  // hand slot the computer's latest move emptied
    // Results of the latest count.
    std::int32_t PuntiManoGiocatore = 0, PuntiManoComputer = 0;
    std::int32_t VincitoreCarte = 0, VincitoreDenari = 0, VincitoreSettebello = 0;
    std::int32_t VincitoreNapoli = 0, VincitorePrimiera = 0;

    // ---- the hand ----
    // Shuffles, deals 3 + 3 + 4 on the table and resets the hand; the leader moves first.
    void NuovaMano(int primo);
    // The player plays hand slot s: 0 refused (not the player's turn, or no card there),
    // 1 move done, n >= 2 the card can capture in n ways (listed in Prese) and the player
    // must choose one with EseguiPresa.
    int GiocaCarta(int s);
    // Performs alternative k (0..n-1) of GiocaCarta's list for slot s. 1 done, 0 refused.
    int EseguiPresa(int s, int k);
    // The computer's move when it is its turn; afterwards it is the player's turn.
    void MossaComputer();
    // A chosen computer move (a search player's): hand slot h takes the table places
    // posti[0..n-1], or is laid down when n is 0. The rules are checked as for the player
    // (a card that can capture is never laid down, a single equal card must be taken).
    // 1 done and the turn passes, 0 refused and nothing changes.
    int GiocaComputer(int h, const int* posti, int n);
    // Waits 500 ms, then: 0 a hand slot still holds a card, 2 the deck is used up, 1 deal.
    int FineGiro();
    // Three cards to the player, then three to the computer. 1 done; 0 refused when a hand
    // slot is still occupied or fewer than six cards are left, so no card is overwritten.
    int Distribuisci(int primo);
    // The cards left on the table go to the last side that captured (the computer when
    // nobody did). Not a sweep.
    void ChiudiMano();
    // Counts the finished hand into SchedaMano[0..51]; 1 player ahead, 2 computer, 3 equal.
    int Punteggio(int SchedaMano[52]);
    // Window snapshot, entries 0..20: hands (0-2 player, 3-5 computer), table places 1..8
    // (6-13), sweeps (14, 15), pile sizes (16, 17), latest sweep cards (18, 19), cards
    // left in the deck (20). Places beyond 8 are read from Tavolo up to NumeroPostiTavolo.
    void StatoTavolo(int Stato[21]) const;
    // 1 (and clears the flag) when a sweep happened since the last call, else 0.
    int LeggiScopa();

    // ---- queries ----
    // Every capture of `carta`: singles, pairs, ... fives, each size in lexicographic order
    // of the places. Returns NumeroPrese.
    int ElencaPrese(int carta);
    // Only the captures that leave more than 10 on the table, so no single card sweeps it.
    int ElencaPreseSicure(int carta);
    // How many table cards have the value of `carta`.
    int ContaUguali(int carta) const;
    // Value 1..10 and suit 1..4 of a card; 0 and 0 for no card.
    static void ValoreCarta(int carta, int& valore, int& seme);
    static int Valore(int carta) { return carta >= 1 && carta <= 40 ? (carta % 10 == 0 ? 10 : carta % 10) : 0; }
    // Recomputes ValoriTavolo from Tavolo.
    void AggiornaValoriTavolo();
    // Highest table place the window must show: at least 8, more while cards lie beyond.
    int NumeroPostiTavolo() const;
    // Table cards of capture-list entry k, in the entry's order; returns their number.
    int CarteDellaPresa(int k, int carte[MassimaPresa]) const;
    // Each of the 40 cards must be in exactly one place (undealt deck, a hand, the table,
    // a pile). Returns an empty string, or a description of the first violation.
    std::string ControllaCarte() const;

    Casuale& Generatore() { return casuale_; }

private:
    int EnumeraPrese(int carta, bool soloSicure);
    int TotaleTavolo() const;
    int PrimoPostoLibero() const;
    void SegnaMossa(int carta);
    void ControllaScopa(int lato, int carta);
    bool PresaLegale(int carta, int k) const;
    // The player captures entry k of the list with the card of slot s.
    void PresaGiocatore(int s, int k);
    // The computer captures the places listed with the card of hand slot h.
    void PresaComputer(int h, const int* posti, int n);
    void PresaComputerDaElenco(int h, int k);
    void PosaComputer(int h);
    // The six strategies of the computer, in order; each returns true when it moved.
    bool StrategiaScopa();
    bool StrategiaSettebello();
    bool StrategiaNapoli();
    bool StrategiaDenari();
    bool StrategiaPrimiera();
    bool StrategiaUltima();
    bool MiglioreConConteggio(bool soloSicure, bool (*conta)(int carta));

    int conteggioMossa_ = 0;
    Casuale casuale_;
};

// The computer avoids laying these down: all Denari and the other sixes and sevens.
bool CartaPregiata(int carta);
// Primiera points of a card by its value: 7 21, 6 18, ace 16, 5 15, 4 14, 3 13, 2 12, figures 10.
int PuntiPrimiera(int carta);

// The game ends when the player passes 20, or when the computer passes 20 with different
// totals; the player wins when at least level at that moment (so a tie above 20 is the
// player's). Call it qualified (::PartitaFinita) inside a window that has a member of the
// same name.
bool PartitaFinita(int totaleGiocatore, int totaleComputer, bool* vinceGiocatore);

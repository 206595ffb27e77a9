#pragma once
// Brings a table's rules engine to the state the referee sent, in the table's own seats
// (seat 1 the local player). The engine of a network table holds the real cards of what this
// seat can see and stand-ins for the rest (the other hand, the undealt cards), drawn from the
// cards not seen, so it stays a whole deck the table can play and draw as usual.
//
// Briscola and Rubamazzo tables address cards by handles; on a network table every handle
// is its own card number (and the shared deck's order is plain), so a card can be put
// anywhere by writing its number.
#include "games/briscola/GiocatoriBriscola.h"
#include "games/rubamazzo/GiocatoriRubamazzo.h"
#include "games/scopa/GiocatoriScopa.h"

namespace Rete {

// Writes what `v` shows into the engine (own hand, table, piles, counts, the turn) and
// stand-ins into the other hand's occupied slots and the undealt deck. False, leaving the
// engine as it was, when the engine's shape does not fit the view (the other hand or own
// hand holds another number of cards, or the cards do not make one deck).
bool ImpostaScopa(MotoreScopa& m, const VistaScopa& v, int turno);
bool ImpostaBriscola(RegoleBriscola& r, const VistaBriscola& v, int turno);
bool ImpostaRubamazzo(RegoleRubamazzo& r, const VistaRubamazzo& v, int turno);

// Puts `carta` into slot `slot` of the other hand (seat 2), where a stand-in lies; the
// stand-in takes the card's old hidden place. False when the slot is empty or the card is
// one this seat has seen elsewhere.
bool MettiInManoScopa(MotoreScopa& m, int slot, int carta);
bool MettiInManoBriscola(RegoleBriscola& r, int slot, int carta);
bool MettiInManoRubamazzo(RegoleRubamazzo& r, int slot, int carta);

}  // namespace Rete

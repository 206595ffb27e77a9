#pragma once
// `cartovia --autoplay settemezzo`: plays one whole Sette e mezzo match at once, with no waits,
// through the table's own buttons and timer step, so its result is recorded in the score file
// exactly as a match played by hand is. It checks an installation end to end: the window set,
// the working folder and the score files (see the install test).
#include <QString>

// The games it can play; the others are refused.
bool PartitaAutomaticaDisponibile(const QString& gioco);

// Opens the game's table from the chooser and plays a match to its end for the player with a
// fixed rule (draw below five, then stand). Returns false when the match did not end.
bool GiocaPartitaAutomatica(const QString& gioco);

#pragma once
// A network game's result in this machine's score files, under this machine's player, in
// the same files as the games against the computer. Only a finished game counts: a game
// given up, abandoned or out of time records nothing, not even as played.
#include <string>

#include "net/Protocollo.h"

// esito as in Rete::Quadro (0 unfinished, 1 seat 1 won, 2 seat 2 won, 3 draw); `lato` is
// this machine's seat (the host 1, the guest 2). Returns whether anything was recorded.
bool RegistraPartitaRete(Rete::Gioco g, int esito, int lato, const std::string& cartella, const std::string& nome);
// The same in the working folder under the current player (what the tables use).
bool RegistraPartitaRete(Rete::Gioco g, int esito, int lato);

#pragma once
// Program-wide values that plain C++ code (the score files) and the windows share.
#include <functional>
#include <string>

// Folder that holds the score files. The score-file names begin with a backslash and are
// appended to it (see PercorsoInCartella). Filled at start-up from the current directory,
// or from CARTOVIA_DATA_DIR when that is set.
extern std::string CartellaLavoro;

// The player's name: at most 255 characters, default "Giocatore1".
extern std::string NomeGiocatore;
constexpr const char* NomeGiocatorePredefinito = "Giocatore1";
constexpr std::size_t LunghezzaMassimaNome = 255;

// Where the score files read the current player's name from. The configuration window
// points it at its name box; by default it returns NomeGiocatore.
std::function<std::string()>& FonteNomeGiocatore();
std::string NomeGiocatoreCorrente();

// Joins the working folder and a file name written the Windows way ("\PunteggiScopa.txt"):
// the name's backslashes become '/', the folder is taken as it is, and a folder ending in
// '/' (the root) gets no second separator.
std::string PercorsoInCartella(const std::string& cartella, const std::string& nome);

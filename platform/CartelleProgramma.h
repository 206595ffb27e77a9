#pragma once
// Where the program finds its own run-time files and where it keeps the player's score files.
// Run from its build folder the program behaves as it always has (score files in the current
// folder); installed (by `cmake --install` or the Debian package) it keeps them in the
// player's data folder, whatever folder a menu or a terminal starts it from.
#include <QString>

// The folder of the program's own run-time files ("pubblicita.swf"): <prefix>/share/cartovia
// when that folder stands where an installation puts it relative to the program's binary,
// else the binary's own folder (the build folder).
QString CartellaFileProgramma();
// The same for a binary in `cartellaBinari`.
QString CartellaFileProgrammaDa(const QString& cartellaBinari);
// The way from the binaries' folder to the program's data folder, as the build set it.
QString DatiDaBinari();

// Whether the program runs from its build folder: CMake's CMakeCache.txt sits beside the
// binary there and nowhere an installation puts it.
bool ProgrammaNellaCartellaBuild();
bool CartellaDiBuild(const QString& cartellaBinari);

// The player's data folder, QStandardPaths::AppDataLocation (~/.local/share/Cartovia).
QString CartellaDatiUtente();

// The rule that picks the working folder of the score files, without touching the disk:
// `variabile` (CARTOVIA_DATA_DIR) when not empty; else the current folder when the program runs
// from its build folder; else the player's data folder.
QString ScegliCartellaLavoro(const QString& variabile, bool nellaCartellaBuild,
                             const QString& corrente, const QString& datiUtente);

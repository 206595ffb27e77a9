#include "platform/CartelleProgramma.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// Set by CMake from GNUInstallDirs: the way from the binaries' folder to the program's data
// folder ("../share/cartovia" for the usual layout), so any prefix and DESTDIR work.
#ifndef CARTOVIA_DATI_DA_BINARI
#define CARTOVIA_DATI_DA_BINARI "../share/cartovia"
#endif

QString DatiDaBinari() { return QStringLiteral(CARTOVIA_DATI_DA_BINARI); }

QString CartellaFileProgrammaDa(const QString& cartellaBinari)
{
    const QDir installata(QDir(cartellaBinari).filePath(DatiDaBinari()));
    return installata.exists() ? installata.absolutePath() : cartellaBinari;
}

QString CartellaFileProgramma() { return CartellaFileProgrammaDa(QCoreApplication::applicationDirPath()); }

bool CartellaDiBuild(const QString& cartellaBinari)
{
    return QFileInfo::exists(cartellaBinari + "/CMakeCache.txt");
}

bool ProgrammaNellaCartellaBuild() { return CartellaDiBuild(QCoreApplication::applicationDirPath()); }

QString CartellaDatiUtente()
{
    QString dati = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dati.isEmpty()) dati = QDir::homePath() + "/.local/share/Cartovia";
    return dati;
}

QString ScegliCartellaLavoro(const QString& variabile, bool nellaCartellaBuild,
                             const QString& corrente, const QString& datiUtente)
{
    if (!variabile.isEmpty()) return variabile;
    return nellaCartellaBuild ? corrente : datiUtente;
}

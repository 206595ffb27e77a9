// Fuzz target: any bytes as the settings file, loaded and saved as the program does. Beyond
// crashes it checks that a damaged file is kept whole as ".damaged" before it is rewritten.
#include <unistd.h>

#include <QFile>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Impostazioni.h"

namespace fs = std::filesystem;

namespace {

QByteArray Leggi(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const std::string& Cartella()
{
    static const std::string c = [] {
        char modello[] = "/tmp/cartovia-fuzz-impostazioni-XXXXXX";
        return std::string(mkdtemp(modello));
    }();
    return c;
}

const char* const Nomi[] = {"CambioRisoluzione", "Barra", "Mazzo", "Retro", "Suoni", "Messaggi", "Nome", "Livello"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_LOGGING_RULES", "*.warning=false");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    // A fresh name each time: Qt parses a file only once per process while it seems unchanged.
    static unsigned volta = 0;
    const std::string& c = Cartella();
    for (const auto& e : fs::directory_iterator(c)) fs::remove_all(e.path());
    const std::string file = c + "/Cartovia" + std::to_string(++volta) + ".ini";
    const QByteArray vecchio(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(n));
    {
        QFile f(QString::fromStdString(file));
        if (!f.open(QIODevice::WriteOnly)) std::abort();
        f.write(vecchio);
    }

    auto a = CreaArchivioIni(file);
    std::string valori[std::size(Nomi)];
    if (a->Apri(false)) {
        for (std::size_t i = 0; i < std::size(Nomi); ++i) valori[i] = a->Leggi(Nomi[i]).value_or("");
        a->Chiudi();
    }
    const QByteArray dopoLettura = Leggi(QString::fromStdString(file));
    if (dopoLettura != vecchio && Leggi(QString::fromStdString(file + ".damaged")) != vecchio) std::abort();
    if (a->Apri(true)) {
        for (std::size_t i = 0; i < std::size(Nomi); ++i) a->Scrivi(Nomi[i], valori[i]);
        a->Chiudi();
    }
    return 0;
}

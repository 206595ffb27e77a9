// Entry point of the GUI tests: headless Qt, no delays, no real sound output.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "core/Pausa.h"
#include "platform/Messaggi.h"
#include "platform/UscitaAudio.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing tests at build time needs no display and no application object.
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind("--gtest_list_tests", 0) == 0) return RUN_ALL_TESTS();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Private configuration and data folders for the run: no test touches the user's own.
    QTemporaryDir casa;
    for (const char* v : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        setenv(v, (casa.path() + "/" + v).toLocal8Bit().constData(), 1);
    setenv("CARTOVIA_AD_DIR", (casa.path() + "/radice").toLocal8Bit().constData(), 1);
    setenv("CARTOVIA_SETTINGS", (casa.path() + "/impostazioni.ini").toLocal8Bit().constData(), 1);
    unsetenv("CARTOVIA_UPDATE_SERVER");
    // Neither the caller's run seed nor its trace file reach the tests.
    unsetenv("CARTOVIA_SEED");
    unsetenv("CARTOVIA_TRACE");
    if (!std::getenv("XDG_RUNTIME_DIR")) setenv("XDG_RUNTIME_DIR", "/tmp", 0);
    qputenv("QT_LOGGING_RULES", "qt.multimedia.*=false;qt.qpa.*=false");
    QApplication app(argc, argv);
    ImpostaScalaTempo(0);
    // Table tests play many sounds: record them instead of opening the sound server.
    UscitaAudioRegistrata registrata;
    UscitaAudioTemporanea silenzio(registrata);
    // A modal message box would wait for a click that never comes: record the texts instead.
    MessaggiRegistrati messaggi;
    MessaggiTemporanei senzaFinestre(messaggi);
    return RUN_ALL_TESTS();
}

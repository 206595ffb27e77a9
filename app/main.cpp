// Cartovia: four Italian card games against the computer.
#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <thread>
#include <QMessageBox>

#include "app/Finestre.h"
#include "app/Misure.h"
#include "app/PartitaAutomatica.h"
#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "platform/SegnaliUscita.h"
#include "components/AttesaGui.h"
#include "core/Casuale.h"
#include "resources/Risorse.h"
#include "scores/PunteggiFile.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Cartovia");
    QApplication::setApplicationDisplayName("Cartovia");
    // Score-file failures stay off the player's screen but go to the log.
    AvvisoPunteggi() = [](const std::string& testo) { qWarning("%s", testo.c_str()); };
    QApplication::setWindowIcon(QIcon(Risorse::Icona));
#ifdef CARTOVIA_ID_APP
    // The desktop entry's name: the desktop shows the menu icon on the program's windows.
    QGuiApplication::setDesktopFileName(CARTOVIA_ID_APP);
#endif
    // Pauses and card flights keep the windows painted and drop the clicks made meanwhile.
    InstallaAttesaGui();

    // CARTOVIA_SEED=N: every deal of the run follows from N, so a game can be played again.
    if (const char* seme = std::getenv("CARTOVIA_SEED"); seme && *seme) {
        if (const auto n = SemeDellaCorsa())
            qInfo("cartovia: every deal follows from CARTOVIA_SEED=%u", static_cast<unsigned>(*n));
        else
            qWarning("cartovia: CARTOVIA_SEED=%s is not a whole number from 0 to 4294967295; deals are random", seme);
    }

    // --quit-after MS: start, show the chooser and quit after MS milliseconds (smoke test).
    int esciDopo = -1;
    // --autoplay GAME: play one whole match of GAME at once once the chooser is up (checks an
    // installation: the result lands in the score file of the working folder).
    QString automatica;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--quit-after") == 0) esciDopo = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--autoplay") == 0) automatica = QString::fromLocal8Bit(argv[i + 1]);
    }
    if (!automatica.isEmpty() && !PartitaAutomaticaDisponibile(automatica)) {
        std::fprintf(stderr, "cartovia: --autoplay knows only settemezzo\n");
        return 2;
    }

    // The font database is filled on a second thread while the windows are created: the
    // chooser shows no text, and the first control that measures some finds it ready (or
    // waits for it) instead of reading the whole font configuration on the way to the first
    // paint. Every QFontDatabase function is thread-safe.
    std::thread fonti([] { QFontDatabase::families(); });

    // The drawing scale is one factor for the whole program, fixed before the first window.
    ApplicaDimensioneAllAvvio();

    int esito = 0;  // 0 as always; 1 only when an --autoplay match did not end
    try {
        CreaFinestre();
        // SIGTERM, SIGHUP, SIGINT and the end of the session close the chooser as its quit
        // button does: the settings are saved on the way out.
        InstallaSegnaliUscita([] {
            if (FormSplashScreen) FormSplashScreen->close();
        });
        AvviaMisura(QCoreApplication::arguments());  // bench/ hooks; nothing without their flags
        FormSplashScreen->show();
        if (!automatica.isEmpty())
            QTimer::singleShot(0, FormSplashScreen, [automatica, &esito] {
                if (!GiocaPartitaAutomatica(automatica)) {
                    std::fprintf(stderr, "cartovia: the %s match did not end\n", qPrintable(automatica));
                    esito = 1;
                }
            });
        if (esciDopo >= 0) QTimer::singleShot(esciDopo, FormSplashScreen, [] { FormSplashScreen->close(); });
        // A signal during the start's download strip closes the chooser before the loop runs:
        // the program then ends here, its settings saved.
        if (!FormSplashScreen->isHidden()) app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Cartovia", QString::fromLocal8Bit(e.what()));
    }
    fonti.join();
    DistruggiFinestre();
    return esito;
}

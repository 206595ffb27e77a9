// Cartovia: four Italian card games against the computer.
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <QMessageBox>

#include "app/Finestre.h"
#include "app/TFormSplashScreen.h"
#include "scores/PunteggiFile.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Cartovia");
    QApplication::setApplicationDisplayName("Cartovia");
    // Score-file failures stay off the player's screen but go to the log.
    AvvisoPunteggi() = [](const std::string& testo) { qWarning("%s", testo.c_str()); };

    // --quit-after MS: start, show the chooser and quit after MS milliseconds (smoke test).
    int esciDopo = -1;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--quit-after") == 0) esciDopo = std::atoi(argv[i + 1]);

    try {
        CreaFinestre();
        FormSplashScreen->show();
        if (esciDopo >= 0) QTimer::singleShot(esciDopo, FormSplashScreen, [] { FormSplashScreen->close(); });
        app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Cartovia", QString::fromLocal8Bit(e.what()));
    }
    DistruggiFinestre();
    return 0;
}

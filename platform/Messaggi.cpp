#include "platform/Messaggi.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace {
FinestraMessaggi* installata = nullptr;
}

FinestraMessaggi::~FinestraMessaggi() = default;

void MostraMessaggio(const QString& testo)
{
    if (installata) {
        installata->Mostra(testo);
        return;
    }
    FinestraMessaggiQt reale;
    reale.Mostra(testo);
}

FinestraMessaggi* ImpostaFinestraMessaggi(FinestraMessaggi* finestra) { return std::exchange(installata, finestra); }

void FinestraMessaggiQt::Mostra(const QString& testo)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), testo, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

#include "platform/SegnaliUscita.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QtDebug>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int tubo[2] = {-1, -1};
std::function<void()> chiusura;
int ricevuti = 0;

extern "C" void SuSegnale(int numero)
{
    // Only async-signal-safe work here: one byte into the pipe wakes the event loop.
    const unsigned char b = static_cast<unsigned char>(numero);
    const int errnoPrima = errno;
    [[maybe_unused]] const ssize_t n = ::write(tubo[1], &b, 1);
    errno = errnoPrima;
}

void Chiudi()
{
    if (chiusura) chiusura();
}

}  // namespace

int SegnaliUscitaRicevuti() { return ricevuti; }

void InstallaSegnaliUscita(std::function<void()> chiudi)
{
    chiusura = std::move(chiudi);
    if (tubo[0] >= 0) return;
    if (::pipe(tubo) != 0) {
        qWarning("cannot create the signal pipe: the program ends on SIGTERM without saving");
        return;
    }
    for (int fd : tubo) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    auto* notifica = new QSocketNotifier(tubo[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifica, &QSocketNotifier::activated, notifica, [] {
        unsigned char b[16];
        bool letto = false;
        while (::read(tubo[0], b, sizeof b) > 0) letto = true;
        if (!letto) return;
        ++ricevuti;
        qDebug("end signal received: closing");
        Chiudi();
    });
    struct sigaction sa = {};
    sa.sa_handler = SuSegnale;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(s, &sa, nullptr);

    // The desktop session is ending: the session manager asks the program to quit.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QObject::connect(app, &QGuiApplication::commitDataRequest, app, [](QSessionManager&) { Chiudi(); },
                         Qt::DirectConnection);
    }
}

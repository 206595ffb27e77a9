#include "components/AttesaGui.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <algorithm>
#include <chrono>
#include <thread>

#include "core/Pausa.h"

namespace {

int profondita = 0;
// The last press that reached a window was dropped in a pause: the double-click Qt builds
// from it and the next press must not count either.
bool premutoScartato = false;
bool scartaDoppio = false;

bool InputUtente(QEvent::Type t)
{
    switch (t) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::NativeGesture:
        return true;
    default:
        return false;  // paint, expose, resize, hover and mouse moves go through
    }
}

class FiltroInput : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        const QEvent::Type t = e->type();
        if (profondita > 0) {
            if (!InputUtente(t)) return false;
            if (t == QEvent::MouseButtonPress && o->isWindowType()) premutoScartato = true;
            return true;
        }
        // Events from the window system reach the window before its widgets: only there is
        // each press seen once.
        if (o->isWindowType()) {
            if (t == QEvent::MouseButtonPress) {
                scartaDoppio = premutoScartato;
                premutoScartato = false;
            } else if (t == QEvent::MouseButtonDblClick && scartaDoppio) {
                scartaDoppio = false;
                return true;
            }
        }
        return false;
    }
};

void AssicuraFiltro()
{
    static QPointer<FiltroInput> filtro;
    if (filtro || !QCoreApplication::instance()) return;
    filtro = new FiltroInput(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filtro);
}

}  // namespace

bool InAttesaGui() { return profondita > 0; }

void AttesaGui(unsigned ms)
{
    if (!QCoreApplication::instance()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    AssicuraFiltro();
    ++profondita;
    // No timers and no sockets: a table's timer or a download must not run game code in
    // the middle of a move. Input is let through to the filter, which drops it.
    const QEventLoop::ProcessEventsFlags flag =
        QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers | QEventLoop::ExcludeSocketNotifiers;
    QElapsedTimer orologio;
    orologio.start();
    for (;;) {
        QCoreApplication::processEvents(flag);
        const qint64 resto = static_cast<qint64>(ms) - orologio.elapsed();
        if (resto <= 0) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<qint64>(resto, 4)));
    }
    // What arrived during the last step is dropped too, not left for the event loop.
    QCoreApplication::processEvents(flag);
    --profondita;
}

void InstallaAttesaGui() { ImpostaDormiente(AttesaGui); }

#include "components/Finestra.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>

#include "components/Immagini.h"

TFinestra::TFinestra(int larghezza, int altezza, QWidget* parent) : QWidget(parent)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(larghezza, altezza);
    Centra();
}

void TFinestra::Centra()
{
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect r = s->availableGeometry();
    move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
}

bool TFinestra::event(QEvent* e)
{
    if (TabAiTasti && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QWidget::event(e);
}

void TFinestra::MostraDavanti()
{
    show();
    raise();
    activateWindow();
}

namespace {
// A widget's repaint leaves its opaque children out (they paint themselves): repaint each of
// them under the rectangle too, at any depth.
void RidipingiOpachi(QWidget* w, const QRect& r)
{
    for (QObject* o : w->children()) {
        auto* c = qobject_cast<QWidget*>(o);
        if (!c || c->isWindow() || !c->isVisible()) continue;
        const QRect rc = r.intersected(c->geometry()).translated(-c->pos());
        if (rc.isEmpty()) continue;
        if (c->autoFillBackground() || c->testAttribute(Qt::WA_OpaquePaintEvent)) c->repaint(rc);
        RidipingiOpachi(c, rc);
    }
}
}  // namespace

void TFinestra::RidipingiSotto(const QRect& schermo, const QWidget* tranne)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == tranne || !w->isVisible()) continue;
        const QRect r = QRect(w->mapFromGlobal(schermo.topLeft()), schermo.size()).intersected(w->rect());
        if (r.isEmpty()) continue;
        w->repaint(r);
        RidipingiOpachi(w, r);
    }
}

void TFinestra::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    // Released once the hiding is over; a window shown again meanwhile keeps its surface.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) return;
        if (testAttribute(Qt::WA_WState_Created)) destroy();
        if (!sfondo_.isNull()) {
            sfondo_ = QImage();
            Immagini::Libera();
        }
    });
}

const QImage& TFinestra::Sfondo()
{
    if (sfondo_.isNull() && !risorsaSfondo_.isEmpty()) sfondo_ = Immagini::Condivisa(risorsaSfondo_);
    return sfondo_;
}

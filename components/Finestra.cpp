#include "components/Finestra.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>

#include "components/Immagini.h"
#include "components/Scala.h"
#include "components/VelImage.h"
#include "components/VelmoBottone.h"

namespace {

QPointer<TFinestra> principale_;

// Presses on frame and felt of every window: a drag past the platform's drag distance moves
// the window, a double-click on the frame toggles full screen. Controls keep their presses.
class Trascinamento : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        const QEvent::Type t = e->type();
        if (t != QEvent::MouseButtonPress && t != QEvent::MouseMove && t != QEvent::MouseButtonRelease &&
            t != QEvent::MouseButtonDblClick)
            return false;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w) return false;
        auto* f = qobject_cast<TFinestra*>(w->window());
        auto* m = static_cast<QMouseEvent*>(e);
        if (t == QEvent::MouseButtonRelease) {
            finestra_ = nullptr;
            return false;
        }
        if (!f) return false;
        // An event a child has refused comes to its parent too: judge by what lies under the
        // pointer, not by who is being offered the event.
        QWidget* sotto = w->childAt(m->position().toPoint());
        if (!sotto) sotto = w;
        if (t == QEvent::MouseButtonPress) {
            finestra_ = nullptr;
            if (m->button() != Qt::LeftButton || f->SchermoIntero() || f->SuControllo(sotto)) return false;
            finestra_ = f;
            inizio_ = m->globalPosition().toPoint();
            posizioneIniziale_ = f->pos();
            sistema_ = false;
            manuale_ = false;
            return false;
        }
        if (t == QEvent::MouseButtonDblClick) {
            if (m->button() == Qt::LeftButton && f->SuCornice(sotto) && f->PuoSchermoIntero()) {
                finestra_ = nullptr;
                f->CommutaSchermoIntero();
                return true;
            }
            return false;
        }
        // A move with the button held.
        if (finestra_ != f || !(m->buttons() & Qt::LeftButton) || sistema_) return false;
        const QPoint ora = m->globalPosition().toPoint();
        if (!manuale_) {
            if ((ora - inizio_).manhattanLength() < QGuiApplication::styleHints()->startDragDistance()) return false;
            // The platform's own move (window managers, Wayland); where it has none, follow the
            // pointer by hand.
            if (f->windowHandle() && f->windowHandle()->startSystemMove()) {
                sistema_ = true;
                return true;
            }
            manuale_ = true;
        }
        f->move(posizioneIniziale_ + (ora - inizio_));
        return true;
    }

private:
    QPointer<TFinestra> finestra_;
    QPoint inizio_, posizioneIniziale_;
    bool sistema_ = false, manuale_ = false;
};

void InstallaTrascinamento()
{
    static Trascinamento* filtro = nullptr;
    if (filtro || !qApp) return;
    filtro = new Trascinamento;
    filtro->setParent(qApp);
    qApp->installEventFilter(filtro);
}

}  // namespace

TFinestra::TFinestra(int larghezza, int altezza, QWidget* parent) : QWidget(parent), base_(larghezza, altezza)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(larghezza, altezza);
    Centra();
    InstallaTrascinamento();
}

void TFinestra::ImpostaPrincipale(TFinestra* f) { principale_ = f; }
TFinestra* TFinestra::Principale() { return principale_; }

void TFinestra::Centra()
{
    if (schermoIntero_) return;
    const TFinestra* sopra = principale_;
    if (sopra && sopra != this && sopra->isVisible() && !sopra->SchermoIntero()) {
        const QRect g = sopra->frameGeometry();
        QPoint p(g.center().x() - width() / 2, g.center().y() - height() / 2);
        // Keep the window on the screen the main window is on, as far as it fits.
        if (QScreen* s = sopra->screen()) {
            const QRect r = s->availableGeometry();
            p.setX(std::max(r.left(), std::min(p.x(), r.right() + 1 - width())));
            p.setY(std::max(r.top(), std::min(p.y(), r.bottom() + 1 - height())));
        }
        move(p);
        return;
    }
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect r = s->availableGeometry();
    move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
}

bool TFinestra::SuControllo(const QWidget* w) const
{
    for (; w && w != this; w = w->parentWidget()) {
        if (qobject_cast<const VelmoBottone*>(w) || qobject_cast<const QAbstractButton*>(w) ||
            qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QLineEdit*>(w) ||
            qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
            qobject_cast<const QAbstractScrollArea*>(w))
            return true;
        // A picture is a control when something listens to it (the cards one plays).
        if (auto* img = qobject_cast<const VelImage*>(w); img && img->Cliccabile()) return true;
    }
    return false;
}

bool TFinestra::SuCornice(const QWidget* w) const
{
    if (w == this) return true;
    // The chooser is one picture from edge to edge: its frame is drawn in it.
    return w && w->parentWidget() == this && qobject_cast<const VelImage*>(w) && !SuControllo(w) &&
           w->geometry() == QRect(origine_, base_);
}

bool TFinestra::PuoSchermoIntero() const { return base_.width() >= 800 && base_.height() >= 599; }

void TFinestra::EntraSchermoIntero()
{
    if (schermoIntero_ || !PuoSchermoIntero()) return;
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    // The largest factor at which the window's own area fits the whole screen.
    const QSize schermo = s->geometry().size() * Scala::Fattore();
    const double f = std::min(double(schermo.width()) / base_.width(), double(schermo.height()) / base_.height());
    schermoIntero_ = true;
    Scala::ImpostaFattore(f);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showFullScreen();
}

void TFinestra::EsciSchermoIntero()
{
    if (!schermoIntero_) return;
    schermoIntero_ = false;
    Scala::ImpostaFattore(Scala::FattoreAvvio());
    SpostaOrigine(QPoint(0, 0));
    showNormal();
    setFixedSize(base_);
    Centra();
}

void TFinestra::CommutaSchermoIntero()
{
    if (schermoIntero_)
        EsciSchermoIntero();
    else
        EntraSchermoIntero();
}

void TFinestra::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    SpostaOrigine(schermoIntero_ ? QPoint((width() - base_.width()) / 2, (height() - base_.height()) / 2)
                                 : QPoint(0, 0));
}

void TFinestra::SpostaOrigine(QPoint nuova)
{
    if (nuova.x() < 0 || nuova.y() < 0) nuova = QPoint(0, 0);
    const QPoint d = nuova - origine_;
    if (d.isNull()) return;
    origine_ = nuova;
    // The window's own area moves as one piece: every control keeps its place inside it.
    for (QObject* o : children()) {
        auto* c = qobject_cast<QWidget*>(o);
        if (c && !c->isWindow()) c->move(c->pos() + d);
    }
    update();
}

bool TFinestra::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_F11 && PuoSchermoIntero()) {
            CommutaSchermoIntero();
            return true;
        }
        // Esc leaves full screen before it does anything else.
        if (k->key() == Qt::Key_Escape && schermoIntero_) {
            EsciSchermoIntero();
            return true;
        }
        if (TabAiTasti && (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab)) {
            keyPressEvent(k);
            return true;
        }
    }
    if (e->type() == QEvent::Paint && schermoIntero_) DisegnaContorno();
    return QWidget::event(e);
}

void TFinestra::DisegnaContorno()
{
    const QRect proprio(origine_, base_);
    if (proprio.contains(rect())) return;
    QPainter p(this);
    const QImage& sf = Sfondo();
    p.fillRect(rect(), QColor(92, 52, 26));
    if (!sf.isNull() && sf.width() > 20 && sf.height() > 20) {
        // A strip of the frame's own wood (inside its bevel, outside any brass line), drawn
        // out to fill each margin: the grain runs on along the planks instead of repeating.
        const int w = sf.width(), h = sf.height();
        const QRect lato(2, 0, 6, h), fondo(0, h - 8, w, 6);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (proprio.left() > 0) {
            p.drawImage(QRect(0, proprio.top(), proprio.left(), proprio.height()), sf, lato);
            p.drawImage(QRect(proprio.right() + 1, proprio.top(), width() - proprio.right() - 1, proprio.height()), sf,
                        lato);
        }
        if (proprio.top() > 0) {
            p.drawImage(QRect(0, 0, width(), proprio.top()), sf, fondo);
            p.drawImage(QRect(0, proprio.bottom() + 1, width(), height() - proprio.bottom() - 1), sf, fondo);
        }
    }
    // A thin dark line where the window's own frame begins.
    p.setPen(QPen(QColor(30, 16, 8), 2));
    p.drawRect(proprio.adjusted(-1, -1, 0, 0));
}

void TFinestra::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    // Every window opens centred over the main window.
    if (!e->spontaneous() && this != principale_ && !schermoIntero_) Centra();
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
    // A window leaves full screen when it goes (the next one opens at the usual size).
    if (schermoIntero_ && !e->spontaneous()) {
        schermoIntero_ = false;
        Scala::ImpostaFattore(Scala::FattoreAvvio());
        SpostaOrigine(QPoint(0, 0));
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        setFixedSize(base_);
    }
    QWidget::hideEvent(e);
    // Released once the hiding is over; a window shown again meanwhile keeps its surface.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) return;
        if (testAttribute(Qt::WA_WState_Created)) destroy();
        if (!sfondo_.isNull() || !sfondo2x_.isNull()) {
            sfondo_ = QImage();
            sfondo2x_ = QImage();
            Immagini::Libera();
        }
    });
}

const QImage& TFinestra::Sfondo()
{
    if (sfondo_.isNull() && !risorsaSfondo_.isEmpty()) sfondo_ = Immagini::Condivisa(risorsaSfondo_);
    return sfondo_;
}

void TFinestra::DisegnaSfondo(QPainter& p)
{
    if (Scala::Nitida(p) && !risorsaSfondo_.isEmpty()) {
        if (sfondo2x_.isNull()) sfondo2x_ = Immagini::Doppia(risorsaSfondo_);
        if (!sfondo2x_.isNull()) {
            p.drawImage(0, 0, sfondo2x_);
            return;
        }
    }
    if (!Sfondo().isNull()) p.drawImage(0, 0, Sfondo());
}

#include "games/comune/FocusTastiera.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "components/VelImage.h"
#include "games/comune/Accessibilita.h"
#include "components/VelmoBottone.h"

// The gold frame: a transparent control over the focused place that lets every mouse event
// through to the controls below.
class CorniceFocus : public QWidget {
public:
    explicit CorniceFocus(QWidget* parent) : QWidget(parent)
    {
        setObjectName("CorniceFocus");
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }
    static constexpr int Margine = 5;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
        // A dark outline under the gold keeps the frame visible on light cards and felt.
        p.setPen(QPen(QColor(60, 36, 10), 5));
        p.drawRoundedRect(r, 7, 7);
        p.setPen(QPen(QColor(240, 196, 64), 3));
        p.drawRoundedRect(r, 7, 7);
    }
};

namespace {
// The part of a slot's picture the card covers: the pixels that are not transparent and not
// the colour of the picture's bottom-right corner (a card smaller than its slot leaves the
// rest empty there).
QRect AreaDellaCarta(const QImage& img)
{
    if (img.isNull()) return {};
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb fondo = a.pixel(a.width() - 1, a.height() - 1);
    int x0 = a.width(), y0 = a.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < a.height(); ++y) {
        const auto* riga = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (qAlpha(riga[x]) == 0 || riga[x] == fondo) continue;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    }
    return x1 < 0 ? QRect(QPoint(0, 0), a.size()) : QRect(QPoint(x0, y0), QPoint(x1, y1));
}
}  // namespace

FocusTastiera::FocusTastiera(QObject* parent) : QObject(parent)
{
    TimerAttivazione = new QTimer(this);
    TimerAttivazione->setSingleShot(true);
    TimerAttivazione->setInterval(0);
    connect(TimerAttivazione, &QTimer::timeout, this, &FocusTastiera::RipetiFocus);
}

void FocusTastiera::RipetiFocus()
{
    TimerAttivazione->stop();
    QWidget* w = Corrente();
    if (!w || w != segnato_ || !w->window()->isActiveWindow()) return;
    QAccessibleEvent e(w, QAccessible::Focus);
    InviaEventoAccessibile(&e);
}

void FocusTastiera::Aggiungi(QWidget* w, int numero)
{
    if (!w) return;
    posti_.push_back({w, numero});
    w->installEventFilter(this);
    SegnaFocusAccessibile(w, false);
}

bool FocusTastiera::PuoAvereFocus(const QWidget* w)
{
    if (!w || !w->isVisibleTo(w->window()) || w->width() <= 0 || w->height() <= 0) return false;
    if (const auto* img = qobject_cast<const VelImage*>(w)) return img->HaPicture();
    if (const auto* b = qobject_cast<const VelmoBottone*>(w)) return b->isEnabled() && b->Stato() != 0;
    return w->isEnabled();
}

int FocusTastiera::IndiceEffettivo() const
{
    const int n = static_cast<int>(posti_.size());
    // Before any choice, once the window has been shown: the first place that can take it.
    const int base = indice_ >= 0 ? indice_ : (iniziato_ ? 0 : -1);
    if (base < 0 || base >= n) return -1;
    // The chosen place, or while it cannot take the focus the next one that can.
    for (int passi = 0; passi < n; ++passi) {
        const int i = (base + passi) % n;
        if (PuoAvereFocus(posti_[i].w)) return i;
    }
    return -1;
}

QWidget* FocusTastiera::Corrente() const
{
    const int i = IndiceEffettivo();
    return i < 0 ? nullptr : posti_[i].w.data();
}

QWidget* FocusTastiera::Scelto() const
{
    if (indice_ < 0 || indice_ >= static_cast<int>(posti_.size())) return nullptr;
    return posti_[indice_].w;
}

void FocusTastiera::Inizia()
{
    if (!iniziato_)
        if (auto* finestra = qobject_cast<QWidget*>(parent())) finestra->window()->installEventFilter(this);
    iniziato_ = true;
    // Screen readers hear where the focus is; the frame waits for a key.
    segnato_ = nullptr;
    Annuncia();
    Aggiorna();
}

void FocusTastiera::Sposta(int verso)
{
    const int n = static_cast<int>(posti_.size());
    if (n == 0) return;
    const bool primaVolta = !visibile_ || indice_ < 0;
    visibile_ = true;
    // The first key shows where the focus is (the first place that can take it) rather
    // than moving at once. Moves start from where the focus is shown.
    int i = indice_ < 0 ? (verso > 0 ? -1 : n) : IndiceEffettivo();
    if (i < 0) i = indice_;
    if (primaVolta && Corrente()) {
        indice_ = IndiceEffettivo();
        Aggiorna();
        Annuncia();
        return;
    }
    for (int passi = 0; passi < n; ++passi) {
        i = ((i + verso) % n + n) % n;
        if (PuoAvereFocus(posti_[i].w)) {
            indice_ = i;
            Aggiorna();
            Annuncia();
            return;
        }
    }
    Aggiorna();
}

bool FocusTastiera::VaiANumero(int n)
{
    for (const auto& p : posti_)
        if (p.numero == n && PuoAvereFocus(p.w)) return VaiA(p.w);
    return false;
}

bool FocusTastiera::VaiA(QWidget* w)
{
    for (std::size_t i = 0; i < posti_.size(); ++i) {
        if (posti_[i].w == w && PuoAvereFocus(w)) {
            indice_ = static_cast<int>(i);
            visibile_ = true;
            Aggiorna();
            Annuncia();
            return true;
        }
    }
    return false;
}

void FocusTastiera::AttivaControllo(QWidget* w)
{
    if (!w || !w->isVisibleTo(w->window())) return;
    if (auto* img = qobject_cast<VelImage*>(w)) {
        emit img->DoppioClic();
    } else if (auto* b = qobject_cast<VelmoBottone*>(w)) {
        // A disabled picture button takes no mouse click either.
        if (b->isEnabled() && b->Stato() != 0) emit b->Click();
    }
}

void FocusTastiera::Attiva()
{
    QWidget* w = Corrente();
    if (!w || !visibile_) {
        // The first key of all shows where the focus is (a screen reader has heard it, a
        // sighted player has not seen it yet): it presses nothing.
        if (indice_ < 0 || !visibile_) Sposta(1);
        return;
    }
    visibile_ = true;
    AttivaControllo(w);
    Aggiorna();
}

void FocusTastiera::Mostra()
{
    visibile_ = true;
    Aggiorna();
}

void FocusTastiera::Nascondi()
{
    visibile_ = false;
    Aggiorna();
}

void FocusTastiera::Aggiorna()
{
    QWidget* w = Corrente();
    if (!visibile_ || !w || !w->parentWidget()) {
        if (cornice_) cornice_->hide();
        return;
    }
    if (!cornice_ || cornice_->parentWidget() != w->parentWidget()) {
        delete cornice_;
        cornice_ = new CorniceFocus(w->parentWidget());
    }
    // Around what shows: a card is drawn from the slot's corner at its picture's size.
    QRect r = w->geometry();
    int m = margine_;
    if (const auto* img = qobject_cast<const VelImage*>(w)) {
        r = AreaDellaCarta(img->Picture()).translated(r.topLeft()).intersected(r);
        m = CorniceFocus::Margine;
    }
    r.adjust(-m, -m, m, m);
    if (cornice_->isVisible() && cornice_->geometry() == r) return;
    cornice_->setGeometry(r);
    cornice_->show();
    cornice_->raise();
}

void FocusTastiera::Annuncia()
{
    // Screen readers follow the focus event of the place the keys moved to.
    QWidget* w = Corrente();
    if (segnato_ && segnato_ != w) SegnaFocusAccessibile(segnato_, false);
    segnato_ = w;
    if (!w) return;
    SegnaFocusAccessibile(w, true);
    QAccessibleEvent e(w, QAccessible::Focus);
    QAccessible::updateAccessibility(&e);
}

bool FocusTastiera::eventFilter(QObject* o, QEvent* e)
{
    switch (e->type()) {
    case QEvent::WindowActivate:
        // A screen reader follows the focus of the active window only: it hears it again
        // when the window becomes active (opened, or back from the window above it).
        if (o->isWidgetType() && static_cast<QWidget*>(o)->isWindow()) {
            segnato_ = nullptr;
            Annuncia();
            TimerAttivazione->start();
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // A mouse player never sees the keyboard's frame.
        if (visibile_) Nascondi();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Paint:
    case QEvent::EnabledChange: {
        // A slot repaints when its card changes, a button when it is greyed: the focus
        // leaves a place emptied, hidden or greyed for the next one that can take it, and
        // comes back when the place can again. Screen readers follow it.
        if (indice_ < 0 && !iniziato_) break;
        QWidget* ora = Corrente();
        if (ora != segnato_ && segnato_) {
            Annuncia();
            Aggiorna();
        } else if (visibile_ && (o == ora || o == Scelto())) {
            Aggiorna();
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(o, e);
}

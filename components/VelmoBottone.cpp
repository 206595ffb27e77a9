#include "components/VelmoBottone.h"

#include "components/Scala.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "components/Immagini.h"
#include "resources/Risorse.h"

namespace {

// Colours of the frames and of the style-6 highlight (RGB).
const QColor Bianco(255, 255, 255);
const QColor Grigio(128, 128, 128);
const QColor Nero(0, 0, 0);
const QColor PennaEvidenza(0, 0, 128);        // navy outline
const QColor PennelloEvidenza(173, 173, 214);  // lavender fill

bool Presente(const QImage& img) { return !img.isNull() && img.width() > 0 && img.height() > 0; }

// A frame in one colour: all four edges.
void Cornice(QPainter& p, int w, int h, const QColor& c)
{
    p.fillRect(0, 0, w, 1, c);
    p.fillRect(0, h - 1, w, 1, c);
    p.fillRect(0, 0, 1, h, c);
    p.fillRect(w - 1, 0, 1, h, c);
}

// Two-tone frame as a line pen draws it: the first colour goes up the left edge and along
// the top (its last pixel left to the second), the second down the right edge and back
// along the bottom (stopping short of the bottom-left pixel the first already drew).
void Rilievo(QPainter& p, int w, int h, const QColor& primo, const QColor& secondo)
{
    p.fillRect(0, 0, 1, h, primo);
    p.fillRect(0, 0, w - 1, 1, primo);
    p.fillRect(w - 1, 0, 1, h, secondo);
    p.fillRect(1, h - 1, w - 1, 1, secondo);
}

// The highlight of style 6: outline and fill of the rectangle (0, 0)-(w - 1, h - 1), right
// and bottom edges exclusive.
void Evidenza(QPainter& p, int w, int h)
{
    if (w < 2 || h < 2) return;
    p.fillRect(0, 0, w - 1, h - 1, PennaEvidenza);
    if (w > 3 && h > 3) p.fillRect(1, 1, w - 3, h - 3, PennelloEvidenza);
}

// Fits the built-in background to w x h: cropped when larger, extended with white (the
// colour a resized bitmap gains) when smaller.
QImage Adatta(const QImage& sorgente, int w, int h)
{
    QImage out(qMax(w, 0), qMax(h, 0), QImage::Format_RGB32);
    out.fill(Bianco);
    QPainter p(&out);
    p.drawImage(0, 0, sorgente);
    return out;
}

}  // namespace

VelmoBottone::VelmoBottone(QWidget* parent) : QWidget(parent) { resize(100, 100); }

void VelmoBottone::setBordo(int v)
{
    if (v == bordo_) return;
    bordo_ = v;
    Disegna();
}

void VelmoBottone::setDistanzaOmbra(int v)
{
    if (v == distanzaOmbra_) return;
    distanzaOmbra_ = v;
    Disegna();
}

void VelmoBottone::setTipoBordo(int v)
{
    if (v == tipoBordo_) return;
    tipoBordo_ = v;
    Disegna();
}

void VelmoBottone::setCaption(const QString& s)
{
    caption_ = s;
    Disegna();
}

void VelmoBottone::setStato(int v)
{
    if (v == stato_) return;
    stato_ = v;
    Disegna();
}

void VelmoBottone::setNormale(const QImage& img)
{
    normale_ = img;  // shared until either side draws into it
    Disegna();
}

void VelmoBottone::setAttivo(const QImage& img)
{
    attivo_ = img;
    Disegna();
}

void VelmoBottone::setDisabilitato(const QImage& img)
{
    disabilitato_ = img;
    Disegna();
}

void VelmoBottone::setPremuto(const QImage& img)
{
    premuto_ = img;
    Disegna();
}

void VelmoBottone::setNormaleDaRisorsa(const QString& nome, QSize dimensione)
{
    normale_ = Immagini::Differita::DaRisorsa(nome, dimensione);
    Disegna();
}

void VelmoBottone::setAttivoDaRisorsa(const QString& nome, QSize dimensione)
{
    attivo_ = Immagini::Differita::DaRisorsa(nome, dimensione);
    Disegna();
}

void VelmoBottone::setDisabilitatoDaRisorsa(const QString& nome, QSize dimensione)
{
    disabilitato_ = Immagini::Differita::DaRisorsa(nome, dimensione);
    Disegna();
}

const QImage& VelmoBottone::ImmagineCorrente() const
{
    static const QImage nessuna;
    if (tipoBordo_ == 6) return nessuna;  // style 6 shows its background, never a bitmap
    if (stato_ == 0) return Disabilitato();
    if (!mouseDentro_) return Normale();
    if (!premendo_) return Attivo();
    return Presente(Premuto()) ? Premuto() : Attivo();
}

const Immagini::Differita* VelmoBottone::DifferitaCorrente() const
{
    if (tipoBordo_ == 6) return nullptr;
    if (stato_ == 0) return &disabilitato_;
    if (!mouseDentro_) return &normale_;
    if (!premendo_) return &attivo_;
    return Presente(Premuto()) ? &premuto_ : &attivo_;
}

QImage VelmoBottone::Render() const
{
    // Where nothing is drawn the window behind shows through, as for any graphic control.
    QImage out(qMax(width(), 1), qMax(height(), 1), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (width() <= 0 || height() <= 0) return out;
    QPainter p(&out);
    Dipingi(p);
    return out;
}

void VelmoBottone::Dipingi(QPainter& p) const
{
    const int w = width();
    const int h = height();

    // 1. Built-in background of styles 5 and 6, fitted once to the button. A missing
    // resource just leaves the background out; it is tried again on the next drawing.
    if (tipoBordo_ == 5 || tipoBordo_ == 6) {
        if (!sfondoCaricato_ || sfondo_.size() != QSize(w, h)) {
            const QImage originale = Immagini::Condivisa(QString::fromLatin1(Risorse::SfondoBottone));
            if (Presente(originale)) {
                sfondo_ = Adatta(originale, w, h);
                sfondoCaricato_ = true;
            }
        }
        if (sfondoCaricato_) p.drawImage(QPoint(0, 0), sfondo_, QRect(0, 0, w, h));
    }

    // 3. A hidden button draws nothing more.
    if (testAttribute(Qt::WA_WState_ExplicitShowHide) && isHidden()) return;

    // 4. The picture of the current state.
    if (tipoBordo_ == 6) {
        if (mouseDentro_) Evidenza(p, w, h);
    } else {
        const QImage& img = ImmagineCorrente();
        QImage doppia;
        if (Presente(img) && Scala::Nitida(p))
            if (const Immagini::Differita* d = DifferitaCorrente()) doppia = d->Doppia();
        if (!doppia.isNull() && doppia.size() == img.size() * 2)
            p.drawImage(0, 0, doppia);
        else if (Presente(img))
            p.drawImage(0, 0, img);
    }

    // 5. Caption, centred, clipped 3 pixels from the left and 6 from the right. An empty
    // caption draws nothing, so the picture buttons never need a font.
    if (!caption_.isEmpty()) {
        p.save();
        p.setFont(font());
        const QFontMetrics fm(font());
        const int th = fm.height();
        const int tw = fm.horizontalAdvance(caption_);
        const int y = h / 2 - th / 2;
        const int x = w / 2 - tw / 2;
        p.setClipRect(QRect(3, y, qMax(0, w - 9), th));
        if (distanzaOmbra_ != 0) {
            p.setPen(Bianco);
            p.drawText(x + distanzaOmbra_, y + distanzaOmbra_ + fm.ascent(), caption_);
        }
        p.setPen(palette().color(QPalette::Active, QPalette::WindowText));
        p.drawText(x, y + fm.ascent(), caption_);
        p.restore();
    }

    // 6. Border of the chosen style.
    if (bordo_ != 0 && (stato_ == 0 || stato_ == 1)) {
        const bool disabilitato = stato_ == 0;
        const bool dentro = mouseDentro_ && !disabilitato;
        const bool tenuto = dentro && premendo_;
        switch (tipoBordo_) {
        case 1:
            Cornice(p, w, h, dentro ? Bianco : Nero);
            break;
        case 2:
            Rilievo(p, w, h, Bianco, Grigio);
            break;
        case 3:
            if (dentro)
                Rilievo(p, w, h, Grigio, Bianco);
            else
                Rilievo(p, w, h, Bianco, Grigio);
            break;
        case 4:
        case 5:
            if (tenuto)
                Rilievo(p, w, h, Grigio, Bianco);
            else if (dentro)
                Rilievo(p, w, h, Bianco, Grigio);
            break;
        case 6:
            if (disabilitato) Evidenza(p, w, h);
            break;
        default:
            break;
        }
    }
}

void VelmoBottone::Disegna()
{
    setEnabled(stato_ != 0);
    if (isVisible()) repaint();
}

void VelmoBottone::paintEvent(QPaintEvent*)
{
    // Straight onto the window surface: no intermediate picture to fill and blend.
    QPainter p(this);
    Dipingi(p);
}

void VelmoBottone::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return;
    premendo_ = true;
    cliccato_ = true;
    Disegna();
}

void VelmoBottone::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return;
    premendo_ = false;
    Disegna();
    // A click is a press and a release both on the button.
    const bool eraCliccato = cliccato_;
    cliccato_ = false;
    if (eraCliccato && rect().contains(e->position().toPoint())) emit Click();
}

void VelmoBottone::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return;
    // The second press of a double click holds the button again but its release is not a
    // further click.
    premendo_ = true;
    cliccato_ = false;
    Disegna();
    emit DoppioClic();
}

void VelmoBottone::enterEvent(QEnterEvent*)
{
    mouseDentro_ = true;
    Disegna();
}

void VelmoBottone::leaveEvent(QEvent*)
{
    mouseDentro_ = false;
    Disegna();
}

void VelmoBottone::hideEvent(QHideEvent* e)
{
    // No leave event follows once the button (or its window) is hidden under the mouse.
    mouseDentro_ = false;
    premendo_ = false;
    cliccato_ = false;
    QWidget::hideEvent(e);
}

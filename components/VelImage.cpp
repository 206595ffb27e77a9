#include "components/VelImage.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <cmath>

#include "components/Scala.h"
#include "core/Pausa.h"

VelImage::VelImage(QWidget* parent) : QWidget(parent) { resize(80, 120); }

bool VelImage::Cliccabile() const
{
    static const QMetaMethod click = QMetaMethod::fromSignal(&VelImage::Click);
    static const QMetaMethod doppio = QMetaMethod::fromSignal(&VelImage::DoppioClic);
    return isSignalConnected(click) || isSignalConnected(doppio);
}

void VelImage::Risolvi() const
{
    if (!inAttesa_.InAttesa()) return;
    const QImage img = inAttesa_.Immagine();
    inAttesa_ = Immagini::Differita();
    picture_ = img.convertToFormat(QImage::Format_RGB32);
}

void VelImage::DimenticaDoppia()
{
    doppia_ = QImage();
    risorsaDoppia_.clear();
    sagomaDoppia_ = SagomaCarta();
}

void VelImage::ImpostaDoppia(const QImage& doppia, const SagomaCarta& sagoma)
{
    doppia_ = doppia;
    if (!doppia_.isNull()) doppia_.setDevicePixelRatio(2.0);
    risorsaDoppia_.clear();
    sagomaDoppia_ = sagoma;
}

void VelImage::ImpostaDoppiaDaRisorsa(const QString& nome)
{
    DimenticaDoppia();
    risorsaDoppia_ = nome;
}

QImage VelImage::Doppia() const
{
    if (!risorsaDoppia_.isEmpty()) {
        doppia_ = Immagini::Doppia(risorsaDoppia_);
        risorsaDoppia_.clear();
    }
    // Only a form that matches the picture: anything else is some other picture.
    Risolvi();
    if (doppia_.isNull() || picture_.isNull() || doppia_.size() != picture_.size() * 2) return QImage();
    return doppia_;
}

QImage VelImage::MostrataDoppia() const
{
    QImage d = Doppia();
    if (d.isNull() || sagomaDoppia_.Vuota()) return d;
    QImage m = sagomaDoppia_.Applica(d);
    m.setDevicePixelRatio(2.0);
    return m;
}

QImage& VelImage::Canvas()
{
    // Drawing into the picture at 1x leaves any 2x form behind.
    DimenticaDoppia();
    Risolvi();
    if (picture_.isNull() || picture_.size() != size()) {
        picture_ = QImage(size(), QImage::Format_RGB32);
        picture_.fill(Qt::black);
    }
    return picture_;
}

void VelImage::ImpostaPicture(const QImage& img)
{
    DimenticaDoppia();
    inAttesa_ = Immagini::Differita();
    picture_ = img.convertToFormat(QImage::Format_RGB32);
    sagoma_ = SagomaCarta();
    Ridisegna();
}

void VelImage::ImpostaPictureDaRisorsa(const QString& nome)
{
    DimenticaDoppia();
    risorsaDoppia_ = nome;
    inAttesa_ = Immagini::Differita::DaRisorsa(nome);
    picture_ = QImage();
    sagoma_ = SagomaCarta();
    Ridisegna();
}

void VelImage::Svuota()
{
    DimenticaDoppia();
    inAttesa_ = Immagini::Differita();
    picture_ = QImage();
    sagoma_ = SagomaCarta();
    Ridisegna();
}

void VelImage::ImpostaSagoma(const SagomaCarta& sagoma) { sagoma_ = sagoma; }

QImage VelImage::Mostrata() const
{
    Risolvi();
    if (picture_.isNull()) return QImage();
    return sagoma_.Applica(picture_);
}

void VelImage::setVisible(bool visibile)
{
    const bool prima = isVisible();
    QWidget::setVisible(visibile);
    if (isVisible() != prima) RidipingiPosto();
}

void VelImage::RidipingiPosto()
{
    // The parent repaints the slot's place with everything in it, in stacking order.
    QWidget* genitore = parentWidget();
    if (!genitore || !genitore->isVisible()) return;
    genitore->repaint(geometry());
}

void VelImage::Ridisegna()
{
    if (isVisible()) repaint();
}

void VelImage::paintEvent(QPaintEvent*)
{
    Risolvi();
    if (picture_.isNull()) return;
    QPainter p(this);
    if (Scala::Nitida(p)) {
        const QImage d = MostrataDoppia();
        if (!d.isNull()) {
            p.drawImage(0, 0, d);
            return;
        }
    }
    if (sagoma_.Vuota())
        p.drawImage(0, 0, picture_);
    else
        p.drawImage(0, 0, sagoma_.Applica(picture_));
}

void VelImage::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    if (inVolo_ || !isVisible()) return;
    QWidget* genitore = parentWidget();
    if (!genitore || !genitore->isVisible()) return;
    genitore->repaint(QRect(e->oldPos(), size()).united(geometry()));
}

void VelImage::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) emit Click();
    QWidget::mousePressEvent(e);
}

void VelImage::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) emit DoppioClic();
    QWidget::mouseDoubleClickEvent(e);
}

std::vector<QPoint> VelImage::Percorso(int x0, int y0, int x1, int y1, int passi, bool finoAllaMeta)
{
    std::vector<QPoint> out;
    if (passi <= 0) {
        // A flight needs a positive step count; the full variant still lands on the target.
        if (finoAllaMeta) out.emplace_back(x1, y1);
        return out;
    }
    const float dx = static_cast<float>(std::abs(x1 - x0)) / static_cast<float>(passi);
    const float dy = static_cast<float>(std::abs(y1 - y0)) / static_cast<float>(passi);
    const int sx = x1 < x0 ? -1 : 1;
    const int sy = y1 < y0 ? -1 : 1;
    const int ultimo = finoAllaMeta ? passi : passi - 1;
    for (int i = 0; i <= ultimo; ++i) {
        // Computed in extended precision, stored as single precision, then truncated.
        const float fx = static_cast<float>(static_cast<long double>(x0) + sx * static_cast<long double>(i) * dx);
        const float fy = static_cast<float>(static_cast<long double>(y0) + sy * static_cast<long double>(i) * dy);
        out.emplace_back(static_cast<int>(std::trunc(fx)), static_cast<int>(std::trunc(fy)));
    }
    return out;
}

void VelImage::Vola(const std::vector<QPoint>& percorso, unsigned ritardo, QWidget* finestra)
{
    for (const QPoint& p : percorso) {
        const QRect prima = geometry();
        inVolo_ = true;
        move(p);
        inVolo_ = false;
        // Repaint the old and the new place together so the card leaves no trail.
        if (finestra && finestra->isVisible()) {
            const QRect dopo = geometry();
            QWidget* genitore = parentWidget() ? parentWidget() : finestra;
            genitore->repaint(prima.united(dopo).adjusted(-10, 0, 0, 0));
        }
        Pausa(ritardo);
    }
}

void VelImage::MuoviCarta(int left, int top, int passi, unsigned ritardo, QWidget* finestra)
{
    Vola(Percorso(x(), y(), left, top, passi, true), ritardo, finestra);
}

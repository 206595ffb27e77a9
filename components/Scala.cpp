#include "components/Scala.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QScreen>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <cmath>

namespace Scala {

namespace {
double fattore_ = 1.0;
double fattoreAvvio_ = 1.0;
}  // namespace

int DimensioneAutomatica(int righeDisponibili)
{
    int scelta = Dimensioni[0];
    for (int d : Dimensioni)
        if (AltezzaFinestra * d <= righeDisponibili * 83) scelta = d;  // both sides in hundredths
    return scelta;
}

int DimensioneEffettiva(int impostata, int righeDisponibili)
{
    for (int d : Dimensioni)
        if (d == impostata) return d;
    return DimensioneAutomatica(righeDisponibili);
}

double Fattore() { return fattore_; }

void ImpostaFattore(double fattore)
{
    if (!(fattore > 0.0)) fattore = 1.0;
    fattore_ = fattore;
    // Qt's own factor; a QT_SCALE_FACTOR of the user's multiplies ours.
    double esterno = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
    if (!(esterno > 0.0)) esterno = 1.0;
    QHighDpiScaling::setGlobalFactor(fattore * esterno);
}

bool Sopra100()
{
    if (fattore_ > 1.0) return true;
    // Each screen's own ratio (the application's is the highest one ever seen, never lowered).
    for (QScreen* s : QGuiApplication::screens())
        if (s->devicePixelRatio() > 1.0) return true;
    return false;
}

double FattoreAvvio() { return fattoreAvvio_; }
void ImpostaFattoreAvvio(double fattore) { fattoreAvvio_ = fattore > 0.0 ? fattore : 1.0; }

int RigheDisponibili(QScreen* schermo)
{
    if (!schermo) schermo = QGuiApplication::primaryScreen();
    if (!schermo) return 0;
    return static_cast<int>(std::lround(schermo->availableGeometry().height() * fattore_));
}

QString Nome2x(const QString& nome)
{
    const qsizetype barra = nome.lastIndexOf(QLatin1Char('/'));
    return nome.left(barra + 1) + QStringLiteral("2x/") + nome.mid(barra + 1);
}

bool Nitida(const QPainter& p)
{
    const QPaintDevice* d = p.device();
    return d && d->devicePixelRatio() > 1.0;
}

}  // namespace Scala

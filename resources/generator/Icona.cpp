#include "Icona.h"

#include <QPainter>
#include <QTransform>
#include <cmath>

namespace Artgen {

namespace {

QPainterPath Ruotato(const QPainterPath& p, QPointF centro, double gradi) {
  QTransform t;
  t.translate(centro.x(), centro.y());
  t.rotate(gradi);
  t.translate(-centro.x(), -centro.y());
  return t.map(p);
}

QPainterPath Rettangolo(QRectF r, double raggio) {
  QPainterPath p;
  p.addRoundedRect(r, raggio, raggio);
  return p;
}

QPainterPath Cerchio(QPointF c, double r) {
  QPainterPath p;
  p.addEllipse(c, r, r);
  return p;
}

// A ring: the odd-even fill leaves the inner disc empty.
QPainterPath Anello(QPointF c, double esterno, double interno) {
  QPainterPath p = Cerchio(c, esterno);
  p.addEllipse(c, interno, interno);
  return p;
}

// Eight-petal flower in the middle of the coin.
QPainterPath Fiore(QPointF c, double r) {
  QPainterPath p;
  p.setFillRule(Qt::WindingFill);
  for (int i = 0; i < 8; ++i) {
    QPainterPath petalo;
    petalo.addEllipse(QRectF(-r * 0.22, -r, r * 0.44, r));
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(45.0 * i);
    p.addPath(t.map(petalo));
  }
  return p.simplified();
}

QString Colore(QColor c) { return c.name(QColor::HexRgb); }

QString Numero(double v) {
  QString s = QString::number(v, 'f', 2);
  while (s.endsWith('0')) s.chop(1);
  if (s.endsWith('.')) s.chop(1);
  return s == "-0" ? "0" : s;
}

QString DatiPercorso(const QPainterPath& p) {
  QString d;
  for (int i = 0; i < p.elementCount(); ++i) {
    const QPainterPath::Element e = p.elementAt(i);
    if (e.isMoveTo()) {
      if (i > 0) d += "Z";
      d += "M" + Numero(e.x) + " " + Numero(e.y);
    } else if (e.isLineTo()) {
      d += "L" + Numero(e.x) + " " + Numero(e.y);
    } else if (e.isCurveTo() && i + 2 < p.elementCount()) {
      const QPainterPath::Element c2 = p.elementAt(i + 1), fine = p.elementAt(i + 2);
      d += "C" + Numero(e.x) + " " + Numero(e.y) + " " + Numero(c2.x) + " " + Numero(c2.y) + " " +
           Numero(fine.x) + " " + Numero(fine.y);
      i += 2;
    }
  }
  return d + "Z";
}

}  // namespace

std::vector<FormaIcona> FormeIcona() {
  const QColor feltro(28, 112, 62), bordoFeltro(14, 66, 36), carta(252, 246, 230), tratto(70, 52, 40);
  const QColor retro(156, 30, 36), oro(232, 180, 48), oroScuro(176, 112, 24), rosso(178, 38, 34);
  std::vector<FormaIcona> forme;
  forme.push_back({Rettangolo(QRectF(12, 12, 232, 232), 44), feltro, bordoFeltro, 8});

  // The card behind, face down, tilted to the left.
  const QRectF rCarta(0, 0, 116, 176);
  const QPointF dietro(98, 124);
  QPainterPath cartaDietro = Rettangolo(rCarta.translated(dietro - rCarta.center()), 12);
  forme.push_back({Ruotato(cartaDietro, dietro, -16), carta, tratto, 4});
  QPainterPath disegnoRetro = Rettangolo(QRectF(0, 0, 94, 154).translated(dietro - QPointF(47, 77)), 7);
  forme.push_back({Ruotato(disegnoRetro, dietro, -16), retro, QColor(0, 0, 0, 0), 0});
  QPainterPath rombo;
  rombo.moveTo(dietro + QPointF(0, -52));
  rombo.lineTo(dietro + QPointF(32, 0));
  rombo.lineTo(dietro + QPointF(0, 52));
  rombo.lineTo(dietro + QPointF(-32, 0));
  rombo.closeSubpath();
  forme.push_back({Ruotato(rombo, dietro, -16), QColor(0, 0, 0, 0), carta, 5});

  // The card in front, face up, tilted to the right: the ace of Denari.
  const QPointF davanti(154, 134);
  QPainterPath cartaDavanti = Rettangolo(rCarta.translated(davanti - rCarta.center()), 12);
  forme.push_back({Ruotato(cartaDavanti, davanti, 10), carta, tratto, 4});
  forme.push_back({Cerchio(davanti, 44), oro, oroScuro, 4});
  forme.push_back({Anello(davanti, 34, 27), rosso, QColor(0, 0, 0, 0), 0});
  forme.push_back({Fiore(davanti, 22), rosso, QColor(0, 0, 0, 0), 0});
  forme.push_back({Cerchio(davanti, 6), oro, oroScuro, 2});
  return forme;
}

QImage IconaPng(int lato) {
  QImage img(lato, lato, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(double(lato) / LatoIcona, double(lato) / LatoIcona);
  for (const FormaIcona& f : FormeIcona()) {
    QPainterPath forma = f.forma;
    forma.setFillRule(Qt::OddEvenFill);
    p.setBrush(f.riempimento.alpha() ? QBrush(f.riempimento) : Qt::NoBrush);
    p.setPen(f.contorno.alpha() ? QPen(f.contorno, f.spessore, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                                : QPen(Qt::NoPen));
    p.drawPath(forma);
  }
  p.end();
  return img.convertToFormat(QImage::Format_ARGB32);
}

QByteArray IconaSvg() {
  QString s = QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n")
                  .arg(LatoIcona);
  for (const FormaIcona& f : FormeIcona()) {
    s += "  <path fill-rule=\"evenodd\" stroke-linejoin=\"round\" stroke-linecap=\"round\"";
    s += " fill=\"" + (f.riempimento.alpha() ? Colore(f.riempimento) : QString("none")) + "\"";
    if (f.contorno.alpha()) s += " stroke=\"" + Colore(f.contorno) + "\" stroke-width=\"" + Numero(f.spessore) + "\"";
    s += " d=\"" + DatiPercorso(f.forma) + "\"/>\n";
  }
  s += "</svg>\n";
  return s.toUtf8();
}

}  // namespace Artgen

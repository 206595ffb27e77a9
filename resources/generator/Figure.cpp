// The three figures: Fante (a standing page), Cavallo (a rider on a horse), Re (a crowned king).
// At 60 x 94 they are told apart by silhouette: a slim figure on two legs, a wide horse, a
// crowned figure in a long robe before a throne.
#include <QLinearGradient>
#include <cmath>

#include "Carte.h"
#include "Pittura.h"

namespace Artgen {
namespace {

struct Vesti {
  QColor principale, secondo;
};

// Each style dresses the figures of each suit in its own colours.
Vesti VestiDelSeme(const StileMazzo& s, int seme) { return {s.vesti[seme - 1][0], s.vesti[seme - 1][1]}; }

QColor ColoreCavallo(const StileMazzo& s, int seme) {
  const Tavolozza& c = s.c;
  switch (seme) {
    case Denari: return c.bianco;
    case Spade: return Misto(c.legno, c.bianco, 0.15);
    case Bastoni: return Misto(c.bianco, c.acciaioScuro, 0.35);
    default: return Misto(c.bianco, c.oro, 0.4);
  }
}

QPen Penna(const StileMazzo& s, double fattore = 1.0) {
  if (s.tratto <= 0) return Qt::NoPen;
  return QPen(s.c.inchiostro, s.tratto * fattore, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QBrush Stoffa(const StileMazzo& s, QColor base, double sinistra, double destra) {
  if (!s.sfumature) return base;
  QLinearGradient g(sinistra, 0, destra, 0);
  g.setColorAt(0, Chiaro(base, 0.25));
  g.setColorAt(0.55, base);
  g.setColorAt(1, Scuro(base, 0.25));
  return g;
}

// A limb or any round-ended thick line, outlined.
void Arto(QPainter& p, const StileMazzo& s, std::initializer_list<QPointF> punti, double w, QColor col) {
  QPainterPath linea;
  bool primo = true;
  for (const QPointF& q : punti) {
    if (primo) linea.moveTo(q); else linea.lineTo(q);
    primo = false;
  }
  p.save();
  p.setBrush(Qt::NoBrush);
  if (s.tratto > 0) {
    p.setPen(QPen(s.c.inchiostro, w + 2 * s.tratto, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(linea);
  }
  p.setPen(QPen(col, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(linea);
  p.restore();
}

void Mano(QPainter& p, const StileMazzo& s, QPointF q, double r = 1.9) {
  p.setPen(Penna(s, 0.7));
  p.setBrush(s.c.pelle);
  p.drawEllipse(q, r, r);
}

void Terreno(QPainter& p, const StileMazzo& s) {
  if (s.pavimento) {
    // A chequered floor in perspective.
    const double y0 = 82.5, y1 = 91.5;
    for (int riga = 0; riga < 3; ++riga) {
      const double ya = y0 + (y1 - y0) * riga / 3.0, yb = y0 + (y1 - y0) * (riga + 1) / 3.0;
      const double la = 16 - 8 * (riga / 3.0), lb = 16 - 8 * ((riga + 1) / 3.0);
      for (int col = 0; col < 8; ++col) {
        QPainterPath t;
        const double xa0 = la + (60 - 2 * la) * col / 8.0, xa1 = la + (60 - 2 * la) * (col + 1) / 8.0;
        const double xb0 = lb + (60 - 2 * lb) * col / 8.0, xb1 = lb + (60 - 2 * lb) * (col + 1) / 8.0;
        t.moveTo(xa0, ya);
        t.lineTo(xa1, ya);
        t.lineTo(xb1, yb);
        t.lineTo(xb0, yb);
        t.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush((riga + col) % 2 == 0 ? Misto(s.c.rosso, s.c.carta, 0.35) : Misto(s.c.oro, s.c.carta, 0.5));
        p.drawPath(t);
      }
    }
    return;
  }
  if (!s.terreno) return;
  p.setPen(Qt::NoPen);
  p.setBrush(Misto(s.c.verde, s.c.carta, 0.45));
  p.drawEllipse(QPointF(30, 87.5), 22, 4.2);
  p.setBrush(Misto(s.c.verde, s.c.carta, 0.2));
  p.drawEllipse(QPointF(30, 87.8), 15, 2.6);
}

// A face with eyes, a mouth and rosy cheeks; `barba` adds a beard and moustache.
void Volto(QPainter& p, const StileMazzo& s, QPointF c, double rx, double ry, bool barba, QColor capelli) {
  p.setPen(Penna(s, 0.7));
  p.setBrush(s.c.pelle);
  p.drawEllipse(c, rx, ry);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 90, 80, 70));
  p.drawEllipse(c + QPointF(-rx * 0.5, ry * 0.3), rx * 0.25, ry * 0.16);
  p.drawEllipse(c + QPointF(rx * 0.5, ry * 0.3), rx * 0.25, ry * 0.16);
  p.setBrush(s.c.inchiostro);
  p.drawEllipse(c + QPointF(-rx * 0.38, -ry * 0.05), 0.5, 0.55);
  p.drawEllipse(c + QPointF(rx * 0.38, -ry * 0.05), 0.5, 0.55);
  if (barba) {
    QPainterPath b;
    b.moveTo(c + QPointF(-rx * 1.0, ry * 0.05));
    b.quadTo(c + QPointF(-rx * 0.9, ry * 1.6), c + QPointF(0, ry * 2.0));
    b.quadTo(c + QPointF(rx * 0.9, ry * 1.6), c + QPointF(rx * 1.0, ry * 0.05));
    b.quadTo(c + QPointF(rx * 0.6, ry * 0.75), c + QPointF(0, ry * 0.55));
    b.quadTo(c + QPointF(-rx * 0.6, ry * 0.75), c + QPointF(-rx * 1.0, ry * 0.05));
    b.closeSubpath();
    p.setPen(Penna(s, 0.6));
    p.setBrush(capelli);
    p.drawPath(b);
    // Moustache.
    p.setPen(QPen(Scuro(capelli, 0.25), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-rx * 0.45, ry * 0.5), c + QPointF(0, ry * 0.38));
    p.drawLine(c + QPointF(rx * 0.45, ry * 0.5), c + QPointF(0, ry * 0.38));
  } else {
    p.setPen(QPen(Scuro(s.c.rosso, 0.1), 0.55, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-rx * 0.22, ry * 0.52), c + QPointF(rx * 0.22, ry * 0.52));
  }
}

// The suit symbol held up in a hand at `mano`; swords and batons are held by the grip.
void SimboloInMano(QPainter& p, const StileMazzo& s, int seme, QPointF mano, double dim, double inclinazione) {
  switch (seme) {
    case Denari:
      Denaro(p, s, mano + QPointF(-0.5, -dim * 0.48), dim * 0.5);
      Mano(p, s, mano);
      break;
    case Coppe:
      Coppa(p, s, mano + QPointF(-0.3, -dim * 0.5), dim);
      Mano(p, s, mano);
      break;
    case Spade: {
      const QPointF dir(std::sin(inclinazione), -std::cos(inclinazione));
      Spada(p, s, mano - dir * (dim * 0.2), mano + dir * (dim * 2.2), dim * 0.21);
      Mano(p, s, mano);
      break;
    }
    default: {
      const QPointF dir(std::sin(inclinazione), -std::cos(inclinazione));
      Bastone(p, s, mano - dir * (dim * 0.3), mano + dir * (dim * 2.1), dim * 0.36);
      Mano(p, s, mano);
      break;
    }
  }
}

}  // namespace

void Fante(QPainter& p, const StileMazzo& s, int seme) {
  const Tavolozza& c = s.c;
  const Vesti v = VestiDelSeme(s, seme);
  Terreno(p, s);

  // Cape hanging behind.
  QPainterPath mantello;
  mantello.moveTo(22, 26);
  mantello.lineTo(38, 26);
  mantello.quadTo(43, 45, 43.5, 62);
  mantello.quadTo(30, 66, 16.5, 62);
  mantello.quadTo(17, 45, 22, 26);
  p.setPen(Penna(s));
  p.setBrush(Stoffa(s, v.secondo, 16, 44));
  p.drawPath(mantello);

  // Legs in hose of two colours, and shoes.
  Arto(p, s, {QPointF(26.5, 54), QPointF(25.6, 69), QPointF(25.2, 83)}, 4.6, v.secondo);
  Arto(p, s, {QPointF(33.5, 54), QPointF(34.4, 69), QPointF(35.2, 83)}, 4.6, Scuro(v.principale, 0.15));
  p.setPen(Penna(s));
  p.setBrush(Scuro(c.legnoScuro, 0.2));
  p.drawEllipse(QPointF(24.0, 85), 3.8, 1.9);
  p.drawEllipse(QPointF(36.4, 85), 3.8, 1.9);

  // Doublet with a flared skirt.
  QPainterPath tunica;
  tunica.moveTo(23, 26.5);
  tunica.quadTo(30, 24.5, 37, 26.5);
  tunica.lineTo(35.5, 44);
  tunica.lineTo(39.8, 57.5);
  tunica.quadTo(30, 59.5, 20.2, 57.5);
  tunica.lineTo(24.5, 44);
  tunica.closeSubpath();
  p.setPen(Penna(s));
  p.setBrush(Stoffa(s, v.principale, 20, 40));
  p.drawPath(tunica);
  p.save();
  p.setClipPath(tunica, Qt::IntersectClip);
  p.setPen(Qt::NoPen);
  p.setBrush(c.oro);
  p.drawRect(QRectF(18, 54.8, 24, 3.2));
  p.drawRect(QRectF(29.2, 26, 1.6, 30));
  p.setBrush(Scuro(c.legnoScuro, 0.1));
  p.drawRect(QRectF(18, 43, 24, 2.4));
  p.setBrush(c.oro);
  p.drawRect(QRectF(28.6, 42.8, 2.8, 2.8));
  p.restore();
  // Ruff collar.
  p.setPen(Penna(s, 0.7));
  p.setBrush(c.bianco);
  p.drawEllipse(QPointF(30, 25.6), 5.2, 1.9);

  // Arm resting on the hip.
  Arto(p, s, {QPointF(36.5, 28.5), QPointF(42.5, 36.5), QPointF(37.5, 43.5)}, 3.8, v.principale);
  Mano(p, s, QPointF(37.2, 43.6), 1.8);

  // Head: page-boy hair, face, beret with a feather.
  p.setPen(Penna(s));
  p.setBrush(c.capelli);
  p.drawRoundedRect(QRectF(24.0, 10.5, 12.0, 13.0), 4.5, 4.5);
  Volto(p, s, QPointF(30, 17.2), 4.3, 5.0, false, c.capelli);
  QPainterPath piuma;
  piuma.moveTo(33.5, 10.5);
  piuma.cubicTo(37, 4, 42, 3, 45, 5.5);
  piuma.cubicTo(41, 5.5, 38, 8, 35.5, 11.5);
  piuma.closeSubpath();
  p.setPen(Penna(s, 0.6));
  p.setBrush(c.bianco);
  p.drawPath(piuma);
  p.save();
  p.translate(30.2, 11.2);
  p.rotate(-7);
  p.setPen(Penna(s));
  p.setBrush(v.secondo);
  p.drawEllipse(QPointF(0, 0), 7.2, 2.7);
  p.setBrush(c.oro);
  p.drawEllipse(QPointF(3.3, 0.1), 1.1, 1.1);
  p.restore();

  // Raised arm holding the suit symbol.
  const bool lungo = seme == Spade || seme == Bastoni;
  const QPointF mano = lungo ? QPointF(15.6, 36.5) : QPointF(15.2, 26.5);
  const QPointF gomito = lungo ? QPointF(18.5, 37.5) : QPointF(17.2, 35.5);
  Arto(p, s, {QPointF(23.5, 28.5), gomito, mano}, 3.8, v.principale);
  SimboloInMano(p, s, seme, mano, lungo ? 15.5 : 15.0, -0.12);
}

void Cavallo(QPainter& p, const StileMazzo& s, int seme) {
  const Tavolozza& c = s.c;
  const Vesti v = VestiDelSeme(s, seme);
  const QColor manto = ColoreCavallo(s, seme);
  const QColor criniera = seme == Spade ? Scuro(c.legnoScuro, 0.3) : Misto(c.capelli, c.bianco, seme == Denari ? 0.6 : 0.1);
  const QColor zoccolo = Scuro(c.legnoScuro, 0.35);
  Terreno(p, s);

  // Tail.
  QPainterPath coda;
  coda.moveTo(15.5, 56);
  coda.cubicTo(9, 58, 10, 70, 6.5, 78);
  p.setBrush(Qt::NoBrush);
  if (s.tratto > 0) {
    p.setPen(QPen(c.inchiostro, 3.6 + 2 * s.tratto, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(coda);
  }
  p.setPen(QPen(criniera, 3.6, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(coda);

  // Far legs first, then the body, then the near legs.
  Arto(p, s, {QPointF(23.5, 63), QPointF(24.5, 74), QPointF(23.5, 84)}, 3.4, Scuro(manto, 0.12));
  Arto(p, s, {QPointF(38.5, 63), QPointF(39.5, 74), QPointF(38.8, 84)}, 3.4, Scuro(manto, 0.12));
  p.setPen(Penna(s));
  p.setBrush(zoccolo);
  p.drawRoundedRect(QRectF(21.6, 83.5, 4.2, 2.4), 0.8, 0.8);
  p.drawRoundedRect(QRectF(37.0, 83.5, 4.2, 2.4), 0.8, 0.8);

  // Neck and head.
  QPainterPath collo;
  collo.moveTo(33.5, 53);
  collo.lineTo(42.0, 36.5);
  collo.lineTo(47.6, 39.5);
  collo.lineTo(44.5, 62);
  collo.closeSubpath();
  p.setPen(Penna(s));
  p.setBrush(manto);
  p.drawPath(collo);
  p.drawEllipse(QPointF(29, 59), 14.5, 8.2);
  p.save();
  p.translate(48.0, 43.0);
  p.rotate(-40);
  p.setBrush(manto);
  p.drawEllipse(QPointF(0, 0), 3.6, 7.2);
  p.setPen(Qt::NoPen);
  p.setBrush(Scuro(manto, 0.3));
  p.drawEllipse(QPointF(0.2, 5.6), 1.6, 1.3);
  p.restore();
  p.setBrush(c.inchiostro);
  p.drawEllipse(QPointF(46.4, 40.3), 0.65, 0.65);
  // Ears.
  QPainterPath orecchie;
  orecchie.moveTo(43.3, 37.3);
  orecchie.lineTo(43.4, 32.6);
  orecchie.lineTo(45.8, 36.0);
  orecchie.closeSubpath();
  p.setPen(Penna(s, 0.7));
  p.setBrush(manto);
  p.drawPath(orecchie);
  // Mane along the neck.
  QPainterPath crine;
  crine.moveTo(43.0, 36.5);
  crine.lineTo(39.0, 40.5);
  crine.lineTo(40.6, 41.3);
  crine.lineTo(37.2, 45.0);
  crine.lineTo(38.8, 45.6);
  crine.lineTo(35.4, 49.4);
  crine.lineTo(37.0, 50.0);
  crine.lineTo(34.2, 53.0);
  crine.lineTo(36.5, 52.2);
  crine.lineTo(44.0, 37.8);
  crine.closeSubpath();
  p.setBrush(criniera);
  p.drawPath(crine);

  // Near legs: one hind leg planted, one foreleg raised in a prance.
  Arto(p, s, {QPointF(19.5, 62), QPointF(17.0, 73), QPointF(18.2, 84)}, 3.6, manto);
  Arto(p, s, {QPointF(41.5, 61.5), QPointF(47.2, 68.5), QPointF(44.4, 75.5)}, 3.6, manto);
  p.setPen(Penna(s));
  p.setBrush(zoccolo);
  p.drawRoundedRect(QRectF(16.2, 83.5, 4.2, 2.4), 0.8, 0.8);
  p.save();
  p.translate(44.0, 76.0);
  p.rotate(25);
  p.drawRoundedRect(QRectF(-2.1, -0.8, 4.2, 2.4), 0.8, 0.8);
  p.restore();

  // Saddle cloth with a scalloped, gold-edged hem.
  QPainterPath gualdrappa;
  gualdrappa.moveTo(19, 52.5);
  gualdrappa.lineTo(38, 52.5);
  gualdrappa.lineTo(38.5, 65);
  for (int i = 0; i < 5; ++i) {
    const double x0 = 38.5 - i * 4.0;
    gualdrappa.quadTo(x0 - 2.0, 68.5, x0 - 4.0, 65);
  }
  gualdrappa.closeSubpath();
  p.setPen(Penna(s));
  p.setBrush(Stoffa(s, v.principale, 18, 39));
  p.drawPath(gualdrappa);
  p.save();
  p.setClipPath(gualdrappa, Qt::IntersectClip);
  p.setPen(QPen(c.oro, 1.3));
  p.setBrush(Qt::NoBrush);
  QPainterPath orlo;
  orlo.moveTo(38.5, 64.4);
  for (int i = 0; i < 5; ++i) {
    const double x0 = 38.5 - i * 4.0;
    orlo.quadTo(x0 - 2.0, 67.9, x0 - 4.0, 64.4);
  }
  p.drawPath(orlo);
  p.restore();
  // Reins from the muzzle to the rider's hand.
  p.setPen(QPen(Scuro(c.rossoScuro, 0.1), 0.7));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(50.5, 46.5), QPointF(36.5, 45.5));

  // Rider: leg hanging down the horse's side, torso, rein arm.
  Arto(p, s, {QPointF(28.5, 50), QPointF(32.0, 58.5), QPointF(30.8, 66)}, 4.2, v.secondo);
  p.setPen(Penna(s));
  p.setBrush(zoccolo);
  p.drawRoundedRect(QRectF(28.6, 64.4, 5.0, 3.4), 1.2, 1.2);
  QPainterPath busto;
  busto.moveTo(23.5, 34.5);
  busto.quadTo(28, 32.8, 32.5, 34.5);
  busto.lineTo(33.8, 51.5);
  busto.lineTo(22.6, 51.5);
  busto.closeSubpath();
  p.setPen(Penna(s));
  p.setBrush(Stoffa(s, v.secondo, 22, 34));
  p.drawPath(busto);
  p.setPen(Qt::NoPen);
  p.setBrush(c.oro);
  p.drawRect(QRectF(23.1, 46.0, 10.3, 1.8));
  Arto(p, s, {QPointF(31.5, 36.5), QPointF(34.5, 42.5), QPointF(36.8, 45.2)}, 3.5, v.secondo);
  Mano(p, s, QPointF(36.8, 45.2), 1.7);

  // Head under a broad plumed hat.
  p.setPen(Penna(s));
  p.setBrush(c.capelli);
  p.drawRoundedRect(QRectF(23.5, 23.5, 9.5, 9.5), 3.5, 3.5);
  Volto(p, s, QPointF(28.4, 28.8), 3.7, 4.2, false, c.capelli);
  QPainterPath pennacchio;
  pennacchio.moveTo(31.0, 21.5);
  pennacchio.cubicTo(34, 15, 39, 15, 41, 17);
  pennacchio.cubicTo(37, 17.5, 35, 19.5, 33.0, 22.5);
  pennacchio.closeSubpath();
  p.setPen(Penna(s, 0.6));
  p.setBrush(seme == Spade ? c.rosso : c.bianco);
  p.drawPath(pennacchio);
  p.setPen(Penna(s));
  p.setBrush(v.principale);
  p.drawRoundedRect(QRectF(24.6, 19.2, 7.6, 5.2), 2.0, 2.0);
  p.drawEllipse(QPointF(28.4, 24.4), 7.0, 1.6);

  // Arm raised with the suit symbol.
  const bool lungo = seme == Spade || seme == Bastoni;
  const QPointF mano = lungo ? QPointF(17.2, 30.5) : QPointF(16.5, 25.0);
  Arto(p, s, {QPointF(24.5, 36.5), QPointF(19.6, 34.0), mano}, 3.5, v.secondo);
  SimboloInMano(p, s, seme, mano, lungo ? 13.0 : 13.5, -0.3);
}

void Re(QPainter& p, const StileMazzo& s, int seme) {
  const Tavolozza& c = s.c;
  const Vesti v = VestiDelSeme(s, seme);
  const QColor barba = seme == Spade || seme == Coppe ? Misto(c.capelli, c.bianco, 0.55) : c.capelli;
  Terreno(p, s);

  // Throne back with gold finials.
  QPainterPath trono;
  trono.moveTo(15.5, 70);
  trono.lineTo(15.5, 22);
  trono.quadTo(15.5, 8.5, 30, 8.5);
  trono.quadTo(44.5, 8.5, 44.5, 22);
  trono.lineTo(44.5, 70);
  trono.closeSubpath();
  p.setPen(Penna(s));
  p.setBrush(Misto(v.secondo, c.carta, 0.45));
  p.drawPath(trono);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(c.oro, 1.2));
  p.drawPath(trono);
  p.setPen(Penna(s));
  p.setBrush(c.oro);
  p.drawEllipse(QPointF(15.5, 21), 2.0, 2.0);
  p.drawEllipse(QPointF(44.5, 21), 2.0, 2.0);

  // Mantle, then the robe in front of it.
  QPainterPath manto;
  manto.moveTo(20.5, 27.5);
  manto.lineTo(39.5, 27.5);
  manto.lineTo(47.5, 84.5);
  manto.quadTo(30, 86.5, 12.5, 84.5);
  manto.closeSubpath();
  p.setBrush(Stoffa(s, v.secondo, 12, 48));
  p.drawPath(manto);
  QPainterPath veste;
  veste.moveTo(23.5, 27.5);
  veste.lineTo(36.5, 27.5);
  veste.lineTo(42.5, 85.5);
  veste.quadTo(30, 87.0, 17.5, 85.5);
  veste.closeSubpath();
  p.setBrush(Stoffa(s, v.principale, 17, 43));
  p.drawPath(veste);
  // Ermine: down the front and along the hem, white with black tails.
  p.save();
  p.setClipPath(veste, Qt::IntersectClip);
  p.setPen(Qt::NoPen);
  p.setBrush(c.bianco);
  QPainterPath ermellino;
  ermellino.addRect(QRectF(10, 80.5, 40, 8));
  ermellino.moveTo(28.2, 28);
  ermellino.lineTo(31.8, 28);
  ermellino.lineTo(33.0, 81);
  ermellino.lineTo(27.0, 81);
  ermellino.closeSubpath();
  p.drawPath(ermellino.simplified());
  p.setBrush(c.inchiostro);
  for (double x = 19.5; x < 42; x += 3.2) p.drawEllipse(QPointF(x, 83.0 + (int(x) % 2) * 0.8), 0.45, 0.8);
  for (double y = 33; y < 80; y += 5.5) p.drawEllipse(QPointF(30, y), 0.45, 0.8);
  p.setBrush(c.oro);
  p.drawRect(QRectF(10, 49.5, 40, 2.2));
  p.restore();

  // Ermine tippet over the shoulders.
  p.setPen(Penna(s, 0.8));
  p.setBrush(c.bianco);
  p.drawEllipse(QPointF(30, 28.2), 10.0, 3.4);
  p.setPen(Qt::NoPen);
  p.setBrush(c.inchiostro);
  for (double x : {23.0, 27.0, 33.0, 37.0}) p.drawEllipse(QPointF(x, 28.6), 0.45, 0.75);

  // Sceptre in one hand.
  Arto(p, s, {QPointF(23.0, 30.5), QPointF(19.8, 40.5), QPointF(21.0, 49.0)}, 4.2, v.principale);
  Arto(p, s, {QPointF(20.6, 64.0), QPointF(17.8, 27.0)}, 1.4, c.oroScuro);
  p.setPen(Penna(s, 0.7));
  p.setBrush(c.oro);
  p.drawEllipse(QPointF(17.6, 25.2), 2.3, 2.3);
  p.setPen(QPen(c.oroScuro, 0.8));
  p.drawLine(QPointF(17.5, 22.9), QPointF(17.4, 20.3));
  p.drawLine(QPointF(16.2, 21.4), QPointF(18.7, 21.4));
  Mano(p, s, QPointF(20.9, 49.0), 1.9);

  // Head: face with a beard, crown with gems.
  p.setPen(Penna(s));
  p.setBrush(barba);
  p.drawRoundedRect(QRectF(24.6, 11.5, 10.8, 12.5), 4.0, 4.0);
  Volto(p, s, QPointF(30, 18.0), 4.2, 4.7, true, barba);
  QPainterPath corona;
  corona.moveTo(24.4, 13.6);
  corona.lineTo(24.0, 6.0);
  corona.lineTo(27.0, 9.6);
  corona.lineTo(30.0, 4.6);
  corona.lineTo(33.0, 9.6);
  corona.lineTo(36.0, 6.0);
  corona.lineTo(35.6, 13.6);
  corona.closeSubpath();
  p.setPen(Penna(s));
  p.setBrush(c.oro);
  p.drawPath(corona);
  p.setBrush(c.oroScuro);
  p.drawRect(QRectF(24.3, 11.4, 11.4, 2.4));
  p.setPen(Qt::NoPen);
  p.setBrush(c.rosso);
  p.drawEllipse(QPointF(30, 12.6), 0.95, 0.95);
  p.setBrush(c.blu);
  p.drawEllipse(QPointF(26.6, 12.6), 0.75, 0.75);
  p.drawEllipse(QPointF(33.4, 12.6), 0.75, 0.75);
  p.setBrush(c.oro);
  for (const QPointF& q : {QPointF(24.0, 6.0), QPointF(30.0, 4.6), QPointF(36.0, 6.0)}) p.drawEllipse(q, 0.9, 0.9);

  // The other hand holds the suit symbol.
  const bool lungo = seme == Spade || seme == Bastoni;
  const QPointF mano = lungo ? QPointF(40.8, 50.5) : QPointF(41.0, 47.5);
  Arto(p, s, {QPointF(37.0, 30.5), QPointF(41.5, 40.0), mano}, 4.2, v.principale);
  SimboloInMano(p, s, seme, mano, lungo ? 16.5 : 13.5, 0.08);
}

}  // namespace Artgen

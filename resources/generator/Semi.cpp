// The four suit symbols: coin, cup, sword and baton, plus the hand and ribbon of the aces.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "Carte.h"
#include "Pittura.h"

namespace Artgen {
namespace {

constexpr double Pi = 3.14159265358979323846;

QPen Penna(const StileMazzo& s, double fattore = 1.0) {
  if (s.tratto <= 0) return Qt::NoPen;
  return QPen(s.c.inchiostro, s.tratto * fattore, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Metal or wood lit from the upper left: a radial gradient, or the flat colour when the style is flat.
QBrush Lucido(const StileMazzo& s, QColor base, QPointF centro, double raggio) {
  if (!s.sfumature) return base;
  QRadialGradient g(centro + QPointF(-0.35 * raggio, -0.35 * raggio), raggio * 1.3);
  g.setColorAt(0, Chiaro(base, 0.55));
  g.setColorAt(0.45, base);
  g.setColorAt(1, Scuro(base, 0.18));
  return g;
}

// A cylinder seen from the side: lighter band left of centre, darker edges.
QBrush Cilindro(const StileMazzo& s, QColor base, double sinistra, double destra) {
  if (!s.sfumature) return base;
  QLinearGradient g(sinistra, 0, destra, 0);
  g.setColorAt(0, Scuro(base, 0.12));
  g.setColorAt(0.3, Chiaro(base, 0.45));
  g.setColorAt(0.6, base);
  g.setColorAt(1, Scuro(base, 0.25));
  return g;
}

QPointF Bezier2(QPointF a, QPointF b, QPointF c, double t) {
  const double u = 1 - t;
  return u * u * a + 2 * u * t * b + t * t * c;
}

}  // namespace

void Denaro(QPainter& p, const StileMazzo& s, QPointF centro, double r, bool asso) {
  const Tavolozza& c = s.c;
  p.save();
  p.translate(centro);
  const QPen pen = Penna(s);

  if (asso) {
    // A crown of leaves and a beaded halo make the ace the richest card of the deck.
    p.setPen(Penna(s, 0.7));
    for (int i = 0; i < 16; ++i) {
      p.save();
      p.rotate(i * 22.5);
      p.setBrush(i % 2 == 0 ? c.verde : c.rosso);
      QPainterPath foglia;
      foglia.moveTo(0, -r * 0.98);
      foglia.quadTo(r * 0.16, -r * 1.2, 0, -r * 1.42);
      foglia.quadTo(-r * 0.16, -r * 1.2, 0, -r * 0.98);
      p.drawPath(foglia);
      p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(c.oroScuro);
    for (int i = 0; i < 16; ++i) {
      const double a = (i + 0.5) * Pi / 8;
      p.drawEllipse(QPointF(std::cos(a), std::sin(a)) * r * 1.12, r * 0.055, r * 0.055);
    }
  }

  // Rim.
  p.setPen(pen);
  p.setBrush(c.rossoScuro);
  p.drawEllipse(QPointF(0, 0), r, r);
  // Beads on the rim of the larger coins.
  if (r >= 8.5) {
    p.setPen(Qt::NoPen);
    p.setBrush(Chiaro(c.oro, 0.2));
    const int perle = r >= 14 ? 24 : 14;
    for (int i = 0; i < perle; ++i) {
      const double a = i * 2 * Pi / perle;
      p.drawEllipse(QPointF(std::cos(a), std::sin(a)) * r * 0.905, r * 0.045, r * 0.045);
    }
  }
  // Gold field.
  p.setPen(s.tratto > 0 ? QPen(Scuro(c.oroScuro, 0.2), s.tratto * 0.6) : QPen(Qt::NoPen));
  p.setBrush(Lucido(s, c.oro, QPointF(0, 0), r * 0.8));
  p.drawEllipse(QPointF(0, 0), r * 0.8, r * 0.8);
  // Inner ring.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(c.oroScuro, std::max(0.35, r * 0.05)));
  p.drawEllipse(QPointF(0, 0), r * 0.62, r * 0.62);

  // Centre ornament.
  p.setPen(Penna(s, 0.6));
  switch (s.ornamentoDenaro) {
    case 0: {  // eight-petal flower
      p.setBrush(c.rosso);
      for (int i = 0; i < 8; ++i) {
        p.save();
        p.rotate(i * 45);
        p.drawEllipse(QPointF(0, -r * 0.3), r * 0.12, r * 0.22);
        p.restore();
      }
      p.setBrush(c.verde);
      for (int i = 0; i < 8; ++i) {
        p.save();
        p.rotate(i * 45 + 22.5);
        p.drawEllipse(QPointF(0, -r * 0.44), r * 0.045, r * 0.09);
        p.restore();
      }
      p.setBrush(Chiaro(c.oro, 0.3));
      p.drawEllipse(QPointF(0, 0), r * 0.13, r * 0.13);
      break;
    }
    case 1: {  // eight-point star
      QPainterPath stella;
      for (int i = 0; i < 16; ++i) {
        const double a = i * Pi / 8 - Pi / 2;
        const double rr = (i % 2 == 0) ? r * 0.52 : r * 0.22;
        const QPointF q(std::cos(a) * rr, std::sin(a) * rr);
        if (i == 0) stella.moveTo(q); else stella.lineTo(q);
      }
      stella.closeSubpath();
      p.setBrush(c.rosso);
      p.drawPath(stella);
      p.setBrush(c.blu);
      p.drawEllipse(QPointF(0, 0), r * 0.12, r * 0.12);
      break;
    }
    case 2: {  // rings
      p.setBrush(c.verde);
      p.drawEllipse(QPointF(0, 0), r * 0.4, r * 0.4);
      p.setBrush(Chiaro(c.oro, 0.2));
      p.drawEllipse(QPointF(0, 0), r * 0.26, r * 0.26);
      p.setBrush(c.rosso);
      p.drawEllipse(QPointF(0, 0), r * 0.12, r * 0.12);
      break;
    }
    default: {  // sun with twelve rays
      p.setBrush(c.rossoScuro);
      QPainterPath raggi;
      for (int i = 0; i < 12; ++i) {
        const double a = i * Pi / 6;
        const QPointF dir(std::cos(a), std::sin(a)), per(-std::sin(a), std::cos(a));
        raggi.moveTo(dir * r * 0.2 + per * r * 0.07);
        raggi.lineTo(dir * r * 0.52);
        raggi.lineTo(dir * r * 0.2 - per * r * 0.07);
        raggi.closeSubpath();
      }
      p.drawPath(raggi);
      p.setBrush(c.rosso);
      p.drawEllipse(QPointF(0, 0), r * 0.2, r * 0.2);
      break;
    }
  }
  if (asso) {
    p.setPen(Qt::NoPen);
    p.setBrush(c.oroScuro);
    for (int i = 0; i < 12; ++i) {
      const double a = i * Pi / 6 + Pi / 12;
      p.drawEllipse(QPointF(std::cos(a), std::sin(a)) * r * 0.71, r * 0.035, r * 0.035);
    }
  }
  p.restore();
}

void Coppa(QPainter& p, const StileMazzo& s, QPointF centro, double h, bool asso) {
  const Tavolozza& c = s.c;
  p.save();
  p.translate(centro);
  const QPen pen = Penna(s);
  const double w = 0.64 * h;
  const double alto = -0.5 * h;
  const double orlo = alto + 0.1 * h;  // lip height
  const double fondo = 0.08 * h;       // bottom of the bowl

  if (asso) {
    // Curled handles either side of the bowl.
    p.setBrush(Qt::NoBrush);
    for (int lato : {-1, 1}) {
      QPainterPath ansa;
      ansa.moveTo(lato * w * 0.42, orlo + 0.08 * h);
      ansa.cubicTo(lato * w * 0.85, orlo - 0.02 * h, lato * w * 0.82, orlo + 0.3 * h, lato * w * 0.3, fondo - 0.05 * h);
      if (s.tratto > 0) {
        p.setPen(QPen(c.inchiostro, 0.09 * h + s.tratto, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(ansa);
      }
      p.setPen(QPen(c.oroScuro, 0.09 * h, Qt::SolidLine, Qt::RoundCap));
      p.drawPath(ansa);
    }
  }

  // Foot.
  QPainterPath piede;
  piede.moveTo(-0.3 * h, 0.5 * h);
  piede.lineTo(0.3 * h, 0.5 * h);
  piede.quadTo(0.29 * h, 0.39 * h, 0.06 * h, 0.36 * h);
  piede.lineTo(-0.06 * h, 0.36 * h);
  piede.quadTo(-0.29 * h, 0.39 * h, -0.3 * h, 0.5 * h);
  p.setPen(pen);
  p.setBrush(Cilindro(s, c.oro, -0.3 * h, 0.3 * h));
  p.drawPath(piede);
  // Stem and knot.
  p.setBrush(Cilindro(s, c.oroScuro, -0.05 * h, 0.05 * h));
  p.drawRect(QRectF(-0.045 * h, fondo - 0.02 * h, 0.09 * h, 0.38 * h - fondo + 0.02 * h));
  p.setBrush(asso ? c.rosso : Cilindro(s, c.oro, -0.11 * h, 0.11 * h));
  p.drawEllipse(QPointF(0, 0.22 * h), 0.11 * h, 0.055 * h);

  // Bowl.
  QPainterPath coppa;
  coppa.moveTo(-w / 2, orlo);
  coppa.cubicTo(-w / 2, orlo + 0.36 * h, -0.2 * h, fondo, 0, fondo);
  coppa.cubicTo(0.2 * h, fondo, w / 2, orlo + 0.36 * h, w / 2, orlo);
  coppa.closeSubpath();
  p.setBrush(Cilindro(s, c.oro, -w / 2, w / 2));
  p.drawPath(coppa);
  // Decorative band, clipped to the bowl.
  p.save();
  p.setClipPath(coppa, Qt::IntersectClip);
  p.setPen(Qt::NoPen);
  p.setBrush(c.rosso);
  p.drawRect(QRectF(-w, orlo + 0.1 * h, 2 * w, 0.08 * h));
  p.setBrush(c.blu);
  for (double x : {-0.16, 0.0, 0.16}) p.drawEllipse(QPointF(x * h, orlo + 0.14 * h), 0.028 * h, 0.028 * h);
  if (asso) {
    p.setBrush(c.verde);
    p.drawRect(QRectF(-w, orlo + 0.27 * h, 2 * w, 0.035 * h));
  }
  p.restore();
  if (s.tratto > 0) {  // redraw the outline the band covered
    p.setBrush(Qt::NoBrush);
    p.setPen(pen);
    p.drawPath(coppa);
  }
  // Lip and the wine inside.
  p.setPen(pen);
  p.setBrush(c.oroScuro);
  p.drawEllipse(QPointF(0, orlo), w / 2, 0.065 * h);
  p.setPen(Qt::NoPen);
  p.setBrush(c.rossoScuro);
  p.drawEllipse(QPointF(0, orlo + 0.008 * h), w / 2 - 0.04 * h, 0.04 * h);

  if (asso) {
    // A small flame of gems rising from the cup.
    p.setPen(Penna(s, 0.6));
    p.setBrush(c.rosso);
    p.drawEllipse(QPointF(0, orlo - 0.1 * h), 0.05 * h, 0.07 * h);
    p.setBrush(c.blu);
    p.drawEllipse(QPointF(-0.12 * h, orlo - 0.06 * h), 0.035 * h, 0.035 * h);
    p.drawEllipse(QPointF(0.12 * h, orlo - 0.06 * h), 0.035 * h, 0.035 * h);
    p.setBrush(c.verde);
    p.drawEllipse(QPointF(0, 0.44 * h), 0.04 * h, 0.03 * h);
  }
  p.restore();
}

void Spada(QPainter& p, const StileMazzo& s, QPointF da, QPointF a, double w, double curva) {
  const Tavolozza& c = s.c;
  const QPointF d = a - da;
  const double L = std::hypot(d.x(), d.y());
  p.save();
  p.translate(da);
  p.rotate(std::atan2(d.x(), -d.y()) * 180 / Pi);  // local -y points from pommel to tip
  const QPen pen = Penna(s, 0.8);

  const double rp = 0.55 * w;          // pommel radius
  const double g = std::max(0.19 * L, 3.2 * rp);  // pommel to guard
  const QPointF p0(0, -g), p1(curva * 2, -(g + L) / 2), p2(0, -L);

  // Blade: sampled outline that narrows to the point.
  QPainterPath lama;
  const int n = 28;
  QVector<QPointF> sinistra, destra;
  for (int i = 0; i <= n; ++i) {
    const double t = static_cast<double>(i) / n;
    const QPointF q = Bezier2(p0, p1, p2, t);
    const QPointF tang = 2 * (1 - t) * (p1 - p0) + 2 * t * (p2 - p1);
    const double lt = std::hypot(tang.x(), tang.y());
    const QPointF nor(-tang.y() / lt, tang.x() / lt);
    const double mezzo = (t < 0.82 ? (1 - 0.22 * t) : (1 - 0.22 * 0.82) * (1 - t) / 0.18) * w / 2;
    sinistra.push_back(q + nor * mezzo);
    destra.push_back(q - nor * mezzo);
  }
  lama.moveTo(sinistra[0]);
  for (int i = 1; i <= n; ++i) lama.lineTo(sinistra[i]);
  for (int i = n; i >= 0; --i) lama.lineTo(destra[i]);
  lama.closeSubpath();
  p.setPen(pen);
  p.setBrush(c.acciaio);
  p.drawPath(lama);
  // Fuller down the middle of the blade and a highlight on one edge.
  QPainterPath sguscio;
  sguscio.moveTo(Bezier2(p0, p1, p2, 0.04));
  for (int i = 1; i <= 12; ++i) sguscio.lineTo(Bezier2(p0, p1, p2, 0.04 + 0.7 * i / 12));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(c.acciaioScuro, std::max(0.3, w * 0.16), Qt::SolidLine, Qt::RoundCap));
  p.drawPath(sguscio);
  if (s.sfumature) {
    QPainterPath luce;
    luce.moveTo(sinistra[1] * 0.75 + Bezier2(p0, p1, p2, 1.0 / n) * 0.25);
    for (int i = 2; i < n - 4; ++i) luce.lineTo(sinistra[i] * 0.7 + Bezier2(p0, p1, p2, double(i) / n) * 0.3);
    p.setPen(QPen(QColor(255, 255, 255, 170), std::max(0.25, w * 0.1), Qt::SolidLine, Qt::RoundCap));
    p.drawPath(luce);
  }

  // Grip with its wrapping.
  p.setPen(pen);
  p.setBrush(c.rosso);
  const QRectF impugnatura(-0.36 * w, -g, 0.72 * w, g - 1.4 * rp);
  p.drawRect(impugnatura);
  p.setPen(QPen(c.rossoScuro, std::max(0.25, 0.12 * w)));
  for (double y = impugnatura.top() + 0.45 * w; y < impugnatura.bottom() - 0.1 * w; y += 0.5 * w)
    p.drawLine(QPointF(-0.36 * w, y + 0.18 * w), QPointF(0.36 * w, y - 0.18 * w));
  // Cross-guard with curled ends.
  QPainterPath guardia;
  const double gw = 1.7 * w, gh = 0.32 * w;
  guardia.moveTo(-gw, -g - gh);
  guardia.lineTo(gw, -g - gh);
  guardia.quadTo(gw + 0.5 * w, -g - gh - 0.1 * w, gw + 0.4 * w, -g - gh - 0.6 * w);
  guardia.quadTo(gw + 0.9 * w, -g - 0.1 * w, gw, -g + gh);
  guardia.lineTo(-gw, -g + gh);
  guardia.quadTo(-gw - 0.9 * w, -g - 0.1 * w, -gw - 0.4 * w, -g - gh - 0.6 * w);
  guardia.quadTo(-gw - 0.5 * w, -g - gh - 0.1 * w, -gw, -g - gh);
  guardia.closeSubpath();
  p.setPen(pen);
  p.setBrush(Cilindro(s, c.oro, -gw, gw));
  p.drawPath(guardia);
  // Pommel.
  p.setBrush(Lucido(s, c.oro, QPointF(0, -rp), rp));
  p.drawEllipse(QPointF(0, -rp), rp, rp);
  p.restore();
}

void Bastone(QPainter& p, const StileMazzo& s, QPointF da, QPointF a, double sp) {
  const Tavolozza& c = s.c;
  const QPointF d = a - da;
  const double L = std::hypot(d.x(), d.y());
  p.save();
  p.translate(da);
  p.rotate(std::atan2(d.x(), -d.y()) * 180 / Pi);
  const QPen pen = Penna(s, 0.8);

  if (s.bastoniNodosi) {
    const QColor legno = s.bastone;
    const double r0 = 0.3 * sp, r1 = 0.5 * sp;
    // Short stubs of cut branches, drawn first so the club covers their roots.
    struct Nodo { double t; int lato; };
    const Nodo nodi[] = {{0.34, -1}, {0.6, 1}};
    for (const auto& k : nodi) {
      const double y = -k.t * L;
      const double r = r0 + (r1 - r0) * k.t;
      QPainterPath ramo;
      ramo.moveTo(k.lato * r * 0.5, y + 0.3 * sp);
      ramo.lineTo(k.lato * (r + 0.26 * sp), y - 0.02 * sp);
      ramo.lineTo(k.lato * (r + 0.16 * sp), y - 0.26 * sp);
      ramo.lineTo(k.lato * r * 0.5, y - 0.14 * sp);
      ramo.closeSubpath();
      p.setPen(pen);
      p.setBrush(legno);
      p.drawPath(ramo);
      p.setBrush(Chiaro(legno, 0.45));
      p.drawEllipse(QPointF(k.lato * (r + 0.21 * sp), y - 0.14 * sp), 0.07 * sp, 0.13 * sp);
    }
    // The club: thin grip, swelling head.
    QPainterPath corpo;
    corpo.moveTo(-r0, 0);
    corpo.cubicTo(-r0 * 0.95, -0.45 * L, -r1 * 1.1, -0.72 * L, -r1, -L + r1);
    corpo.arcTo(QRectF(-r1, -L, 2 * r1, 2 * r1), 180, -180);
    corpo.cubicTo(r1 * 1.1, -0.72 * L, r0 * 0.95, -0.45 * L, r0, 0);
    corpo.arcTo(QRectF(-r0, -r0 * 0.8, 2 * r0, 1.6 * r0), 0, -180);
    corpo.closeSubpath();
    p.setPen(pen);
    p.setBrush(Cilindro(s, legno, -r1, r1));
    p.drawPath(corpo);
    // Knots along the shaft and bark marks.
    p.setPen(Qt::NoPen);
    p.setBrush(Scuro(legno, 0.3));
    for (double t : {0.22, 0.48, 0.76}) {
      const double r = r0 + (r1 - r0) * t;
      p.drawEllipse(QPointF((t < 0.5 ? -0.25 : 0.3) * r, -t * L), 0.16 * sp, 0.1 * sp);
    }
    p.setPen(QPen(Scuro(legno, 0.35), std::max(0.3, 0.06 * sp), Qt::SolidLine, Qt::RoundCap));
    for (double t : {0.12, 0.36, 0.62, 0.88}) {
      const double r = r0 + (r1 - r0) * t;
      p.drawLine(QPointF(-0.35 * r, -t * L + 0.05 * sp), QPointF(0.4 * r, -t * L - 0.2 * sp));
    }
    // A band of colour under the head, as painted clubs have.
    const double tb = 0.8, rb = r0 + (r1 - r0) * tb;
    p.setPen(Penna(s, 0.5));
    p.setBrush(c.rosso);
    p.drawRect(QRectF(-rb * 1.02, -tb * L - 0.09 * sp, 2.04 * rb, 0.18 * sp));
    // Cut face at the thick end.
    p.setPen(Penna(s, 0.6));
    p.setBrush(Chiaro(legno, 0.4));
    p.drawEllipse(QPointF(0, -L + 0.28 * r1), r1 * 0.62, r1 * 0.3);
  } else {
    // Turned baton: even width, coloured bands and ball ends.
    const double r = 0.36 * sp;
    p.setPen(pen);
    p.setBrush(Cilindro(s, c.legno, -r, r));
    p.drawRoundedRect(QRectF(-r, -L + r * 0.8, 2 * r, L - 1.6 * r), r, r);
    for (double t : {0.1, 0.5, 0.9}) {
      const double y = -t * L;
      p.setBrush(Cilindro(s, c.rosso, -r, r));
      p.drawRect(QRectF(-r * 1.08, y - 0.16 * sp, 2.16 * r, 0.32 * sp));
      p.setBrush(c.oro);
      p.drawRect(QRectF(-r * 1.08, y - 0.24 * sp, 2.16 * r, 0.08 * sp));
      p.drawRect(QRectF(-r * 1.08, y + 0.16 * sp, 2.16 * r, 0.08 * sp));
    }
    p.setBrush(Lucido(s, c.oro, QPointF(0, 0), r));
    p.drawEllipse(QPointF(0, -L + r), r * 1.2, r * 1.2);
    p.drawEllipse(QPointF(0, -r * 0.3), r * 1.05, r * 1.05);
  }
  p.restore();
}

void SimboloSeme(QPainter& p, const StileMazzo& s, int seme, QPointF centro, double dim) {
  switch (seme) {
    case Denari:
      Denaro(p, s, centro, dim * 0.5);
      break;
    case Coppe:
      Coppa(p, s, centro, dim);
      break;
    case Spade:  // small symbols get a broader blade so they do not shrink to a line
      Spada(p, s, centro + QPointF(0, dim * 0.5), centro - QPointF(0, dim * 0.5), dim * (dim < 14 ? 0.24 : 0.16));
      break;
    default:
      Bastone(p, s, centro + QPointF(0, dim * 0.5), centro - QPointF(0, dim * 0.5), dim * (dim < 14 ? 0.42 : 0.3));
      break;
  }
}

void Pugno(QPainter& p, const StileMazzo& s, QPointF centro, double dim) {
  const Tavolozza& c = s.c;
  p.save();
  p.translate(centro);
  const QPen pen = Penna(s, 0.7);
  // Sleeve coming in from the lower left.
  QPainterPath manica;
  manica.moveTo(-0.3 * dim, 0.25 * dim);
  manica.lineTo(0.25 * dim, 0.3 * dim);
  manica.lineTo(-0.25 * dim, 1.2 * dim);
  manica.lineTo(-0.9 * dim, 1.0 * dim);
  manica.closeSubpath();
  p.setPen(pen);
  p.setBrush(c.blu);
  p.drawPath(manica);
  p.setBrush(c.bianco);
  QPainterPath polsino;
  polsino.moveTo(-0.36 * dim, 0.2 * dim);
  polsino.lineTo(0.3 * dim, 0.26 * dim);
  polsino.lineTo(0.18 * dim, 0.5 * dim);
  polsino.lineTo(-0.5 * dim, 0.46 * dim);
  polsino.closeSubpath();
  p.drawPath(polsino);
  // Fist wrapped round the grip, fingers towards the viewer.
  p.setBrush(c.pelle);
  p.drawRoundedRect(QRectF(-0.42 * dim, -0.36 * dim, 0.84 * dim, 0.62 * dim), 0.2 * dim, 0.2 * dim);
  p.setPen(QPen(Scuro(c.pelle, 0.35), std::max(0.25, 0.04 * dim)));
  for (int i = 1; i < 4; ++i) {
    const double y = -0.36 * dim + i * 0.155 * dim;
    p.drawLine(QPointF(-0.05 * dim, y), QPointF(0.4 * dim, y));
  }
  // Thumb across the front.
  p.setPen(pen);
  p.setBrush(Chiaro(c.pelle, 0.1));
  p.drawRoundedRect(QRectF(-0.46 * dim, -0.4 * dim, 0.5 * dim, 0.24 * dim), 0.12 * dim, 0.12 * dim);
  p.restore();
}

void Nastro(QPainter& p, const StileMazzo& s, QPointF centro, double w, double h) {
  const Tavolozza& c = s.c;
  p.save();
  p.translate(centro);
  const QPen pen = Penna(s, 0.6);
  p.setPen(pen);
  p.setBrush(c.rosso);
  // Two tails with notched ends.
  for (int lato : {-1, 1}) {
    QPainterPath coda;
    coda.moveTo(lato * 0.05 * w, 0);
    coda.cubicTo(lato * 0.45 * w, 0.2 * h, lato * 0.1 * w, 0.6 * h, lato * 0.42 * w, h);
    coda.lineTo(lato * 0.3 * w, 0.9 * h);
    coda.lineTo(lato * 0.22 * w, h * 1.02);
    coda.cubicTo(lato * -0.05 * w, 0.6 * h, lato * 0.3 * w, 0.25 * h, lato * -0.05 * w, 0.05 * h);
    coda.closeSubpath();
    p.drawPath(coda);
  }
  // Bow loops and knot.
  for (int lato : {-1, 1}) {
    p.save();
    p.rotate(lato * -18);
    p.drawEllipse(QPointF(lato * 0.27 * w, -0.05 * h), 0.26 * w, 0.13 * w);
    p.restore();
  }
  p.setBrush(c.rossoScuro);
  p.drawEllipse(QPointF(0, 0), 0.09 * w, 0.09 * w);
  p.restore();
}

}  // namespace Artgen

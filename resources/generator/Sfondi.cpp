// Backgrounds. Wood and felt are made of layered sine waves and seeded noise, so they look
// natural yet come out identical on every build.
#include "Sfondi.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "Bottoni.h"
#include "Carte.h"
#include "Pittura.h"
#include "RetroBordi.h"

namespace Artgen {
namespace {

constexpr double Pi = 3.14159265358979323846;

QColor H(const char* esadecimale) { return QColor(QString::fromLatin1(esadecimale)); }

// Smooth value noise on a lattice, deterministic for a seed.
class Rumore {
 public:
  explicit Rumore(uint32_t seme) {
    Dado d(seme);
    for (auto& v : valori_) v = d.Reale();
  }
  double operator()(double x, double y) const {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = v(x0, y0), b = v(x0 + 1, y0), c = v(x0, y0 + 1), d = v(x0 + 1, y0 + 1);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
  }
  double Frattale(double x, double y, int ottave) const {
    double somma = 0, ampiezza = 0.5, f = 1;
    for (int i = 0; i < ottave; ++i) {
      somma += ampiezza * (*this)(x * f, y * f);
      f *= 2;
      ampiezza *= 0.5;
    }
    return somma;
  }

 private:
  double v(int x, int y) const { return valori_[((x * 73856093) ^ (y * 19349663)) & 1023]; }
  double valori_[1024];
};

// Wood planks running horizontally: grain lines bent by noise, darker seams between planks.
QImage Legno(int w, int h, uint32_t seme, QColor chiaro, QColor scuro, double altezzaAsse) {
  QImage img = Tela(w, h);
  const double D = Densita();
  const Rumore r(seme);
  for (int yp = 0; yp < img.height(); ++yp) {
    auto* riga = reinterpret_cast<QRgb*>(img.scanLine(yp));
    const double y = yp / D;
    const int asse = static_cast<int>(y / altezzaAsse);
    const double spostamento = asse * 137.0;
    for (int xp = 0; xp < img.width(); ++xp) {
      const double x = xp / D;
      const double n = r.Frattale((x + spostamento) / 90.0, y / 14.0, 4);
      const double venatura = 0.5 + 0.5 * std::sin((y + n * 38.0) * 0.55 + asse * 1.7);
      double t = 0.35 + 0.45 * std::pow(venatura, 2.5) + 0.25 * (r.Frattale(x / 7.0 + asse * 11, y / 2.0, 2) - 0.5);
      const double dentro = std::fmod(y, altezzaAsse);
      if (dentro < 1.0 || dentro > altezzaAsse - 1.0) t = 1.1;  // seam
      const QColor c = Misto(chiaro, scuro, std::clamp(t, 0.0, 1.0));
      riga[xp] = c.rgb();
    }
  }
  return img;
}

// Felt: a base colour with fine fibre noise and a darker edge.
QImage Panno(int w, int h, uint32_t seme, QColor base) {
  QImage img = Tela(w, h);
  const double D = Densita();
  const Rumore r(seme);
  Dado d(seme * 7 + 1);
  for (int yp = 0; yp < img.height(); ++yp) {
    auto* riga = reinterpret_cast<QRgb*>(img.scanLine(yp));
    const double y = yp / D;
    for (int xp = 0; xp < img.width(); ++xp) {
      const double x = xp / D;
      const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
      const double vignetta = std::clamp(1.0 - 0.35 * (dx * dx + dy * dy), 0.0, 1.0);
      const double fibra = (r.Frattale(x / 3.0, y / 3.0, 3) - 0.5) * 0.18 + (d.Reale() - 0.5) * 0.06;
      const double k = vignetta * (1.0 + fibra);
      riga[xp] = qRgb(std::clamp(int(base.red() * k), 0, 255), std::clamp(int(base.green() * k), 0, 255),
                     std::clamp(int(base.blue() * k), 0, 255));
    }
  }
  return img;
}

// Parchment: warm light paper with soft blotches and a darker rim.
QImage Pergamena(int w, int h, uint32_t seme) {
  QImage img = Tela(w, h);
  const double D = Densita();
  const Rumore r(seme);
  const QColor chiaro = H("#FBF4E2"), scuro = H("#E6D3AA");
  for (int yp = 0; yp < img.height(); ++yp) {
    auto* riga = reinterpret_cast<QRgb*>(img.scanLine(yp));
    const double y = yp / D;
    for (int xp = 0; xp < img.width(); ++xp) {
      const double x = xp / D;
      const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
      const double bordo = std::pow(std::max(std::abs(dx), std::abs(dy)), 6.0);
      const double macchie = r.Frattale(x / 60.0, y / 60.0, 5);
      const double t = std::clamp(0.15 + 0.45 * (macchie - 0.4) + 0.55 * bordo, 0.0, 1.0);
      riga[xp] = Misto(chiaro, scuro, t).rgb();
    }
  }
  return img;
}

// Gold double frame with suit emblems in the corners.
void CorniceDecorata(QPainter& p, QRectF r) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(H("#7A1E22"), 3));
  p.drawRect(r);
  p.setPen(QPen(H("#C9A04A"), 1.2));
  p.drawRect(r.adjusted(6, 6, -6, -6));
  p.drawRect(r.adjusted(-5, -5, 5, 5));
  const StileMazzo& s = StiliMazzo()[0];
  const QPointF angoli[4] = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
  const int semi[4] = {Denari, Coppe, Spade, Bastoni};
  for (int i = 0; i < 4; ++i) {
    p.setPen(QPen(H("#C9A04A"), 1.2));
    p.setBrush(H("#FBF4E2"));
    p.drawEllipse(angoli[i], 16, 16);
    SimboloSeme(p, s, semi[i], angoli[i], 22);
  }
}

// Faint suit symbols scattered over a background as a watermark.
void Filigrana(QPainter& p, int w, int h, uint32_t seme, int alfa) {
  Dado d(seme);
  const StileMazzo& s = StiliMazzo()[4];
  QImage livello = Tela(w, h, QImage::Format_ARGB32_Premultiplied);
  livello.fill(Qt::transparent);
  {
    QPainter q(&livello);
    q.setRenderHint(QPainter::Antialiasing);
    for (double y = 40; y < h; y += 110)
      for (double x = 50 + (int(y / 110) % 2) * 70; x < w; x += 140) {
        q.save();
        q.translate(x + d.Tra(-12, 12), y + d.Tra(-12, 12));
        q.rotate(d.Tra(-25, 25));
        SimboloSeme(q, s, 1 + static_cast<int>(d.Prossimo() % 4), QPointF(0, 0), 34);
        q.restore();
      }
  }
  p.save();
  p.setOpacity(alfa / 255.0);
  p.drawImage(0, 0, livello);
  p.restore();
}

void Titolo(QPainter& p, const QString& testo, QPointF centro, double pixel, QColor colore, QColor contorno) {
  const QFont f = Carattere("DejaVu Serif", pixel, QFont::Bold, true);
  const QPainterPath t = TestoCentrato(testo, f, centro);
  DisegnaTesto(p, t, colore, contorno, pixel * 0.08, QColor(0, 0, 0, 150), QPointF(pixel * 0.05, pixel * 0.06));
}

}  // namespace

QImage SfondoSplash() {
  const int w = 800, h = 599;
  QImage img = Panno(w, h, 11, H("#1F6B3A"));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  // Wooden rim round the window.
  const QImage legno = Legno(w, h, 5, H("#9A5B2A"), H("#4A2410"), 23);
  QPainterPath rim;
  rim.addRect(0, 0, w, h);
  rim.addRoundedRect(QRectF(12, 12, w - 24, h - 24), 14, 14);
  p.save();
  p.setClipPath(rim);
  p.drawImage(0, 0, legno);
  p.restore();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(H("#D9B25A"), 1.5));
  p.drawRoundedRect(QRectF(12.5, 12.5, w - 25, h - 25), 14, 14);
  p.setPen(QPen(QColor(0, 0, 0, 90), 3));
  p.drawRoundedRect(QRectF(15, 15, w - 30, h - 30), 12, 12);

  // Cards scattered down the left margin, backs down the right one.
  struct Posata { int numero; QPointF posto; double angolo; };
  const Posata sinistra[] = {{1, {64, 112}, -12}, {40, {58, 268}, 9}, {7, {66, 424}, -7}};
  for (const auto& c : sinistra) {
    const int seme = (c.numero - 1) / 10 + 1, n = (c.numero - 1) % 10 + 1;
    p.save();
    p.translate(c.posto);
    p.rotate(c.angolo);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(QRectF(-31 + 3, -49 + 4, 62, 98), 4, 4);
    p.setBrush(H("#2A1E18"));
    p.drawRoundedRect(QRectF(-31, -49, 62, 98), 3.5, 3.5);
    p.drawImage(QRectF(-30, -47, 60, 94), Faccia(1, seme, n));
    p.restore();
  }
  const QImage retro = Retro(8);
  for (int i = 0; i < 3; ++i) {
    p.save();
    p.translate(759, 150 + i * 150);
    p.rotate(i % 2 ? 7 : -5);
    p.scale(0.78, 0.78);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(QRectF(-31 + 3, -49 + 4, 62, 98), 4, 4);
    p.setBrush(H("#2A1E18"));
    p.drawRoundedRect(QRectF(-31, -49, 62, 98), 3.5, 3.5);
    p.drawImage(QRectF(-30, -47, 60, 94), retro);
    p.restore();
  }

  // The name, in the band under the buttons.
  Titolo(p, "Cartovia", QPointF(w / 2.0, 566), 40, H("#F4D27A"), H("#3A1A06"));
  // The tagline sits on a small felt plaque over the top rim, where the wood would swallow it.
  const QRectF targa(w / 2.0 - 124, 2, 248, 25);
  p.setPen(QPen(H("#D9B25A"), 1.5));
  p.setBrush(H("#174F2C"));
  p.drawRoundedRect(targa, 8, 8);
  const QFont piccolo = Carattere("DejaVu Serif", 14, QFont::Normal, true);
  DisegnaTesto(p, TestoCentrato(QString::fromUtf8("carte italiane · quattro giochi"), piccolo, targa.center()),
               H("#F6E7C6"), QColor(0, 0, 0, 0), 0, QColor(0, 0, 0, 160));
  return img;
}

QImage SfondoConfigurazione() {
  const int w = 800, h = 600;
  QImage img = Pergamena(w, h, 21);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Filigrana(p, w, h, 22, 18);
  CorniceDecorata(p, QRectF(18, 18, w - 36, h - 36));
  return img;
}

QImage SfondoPunteggi() {
  const int w = 800, h = 600;
  QImage img = Pergamena(w, h, 31);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Filigrana(p, w, h, 32, 14);
  // Two panels: the match on the left, the ranking on the right.
  p.setPen(QPen(QColor(122, 30, 34, 120), 1));
  p.setBrush(QColor(255, 255, 255, 70));
  p.drawRoundedRect(QRectF(36, 36, 352, 528), 10, 10);
  p.drawRoundedRect(QRectF(412, 36, 352, 528), 10, 10);
  CorniceDecorata(p, QRectF(18, 18, w - 36, h - 36));
  return img;
}

QImage SfondoRete() {
  const int w = 720, h = 500;
  QImage img = Pergamena(w, h, 41);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Filigrana(p, w, h, 42, 14);
  // Two panels: hosting on the left, joining on the right.
  p.setPen(QPen(QColor(122, 30, 34, 120), 1));
  p.setBrush(QColor(255, 255, 255, 70));
  p.drawRoundedRect(QRectF(36, 66, 316, 360), 10, 10);
  p.drawRoundedRect(QRectF(368, 66, 316, 360), 10, 10);
  CorniceDecorata(p, QRectF(18, 18, w - 36, h - 36));
  return img;
}

QImage SfondoTavolo() {
  const int w = 800, h = 600;
  QImage img = Legno(w, h, 41, H("#8C4F22"), H("#3E1C0A"), 29);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // Where the felt panel lies: a groove and a brass line frame it.
  const QRectF pannello(22, 15, 763, 518);
  p.drawImage(pannello.topLeft(), Panno(763, 518, 42, QColor(159, 223, 175)));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 0, 0, 140), 4));
  p.drawRect(pannello.adjusted(-2, -2, 2, 2));
  p.setPen(QPen(H("#D9B25A"), 1.2));
  p.drawRect(pannello.adjusted(-5.5, -5.5, 5.5, 5.5));
  // Outer bevel of the table edge.
  p.setPen(QPen(QColor(255, 220, 170, 60), 2));
  p.drawLine(QPointF(0, 1), QPointF(w, 1));
  p.drawLine(QPointF(1, 0), QPointF(1, h));
  p.setPen(QPen(QColor(0, 0, 0, 120), 2));
  p.drawLine(QPointF(0, h - 1), QPointF(w, h - 1));
  p.drawLine(QPointF(w - 1, 0), QPointF(w - 1, h));
  // A small brass plate with the name, bottom right.
  const QRectF targa(w - 190, h - 48, 160, 30);
  p.setPen(QPen(H("#5A3A10"), 1));
  p.setBrush(Gradiente(targa, H("#F2D27A"), H("#B9892E")));
  p.drawRoundedRect(targa, 5, 5);
  const QFont f = Carattere("DejaVu Serif", 18, QFont::Bold, true);
  DisegnaTesto(p, TestoCentrato("Cartovia", f, targa.center()), H("#4A2A08"), QColor(0, 0, 0, 0), 0,
               QColor(255, 255, 255, 120), QPointF(0.8, 0.8));
  return img;
}

}  // namespace Artgen

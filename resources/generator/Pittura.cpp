#include "Pittura.h"

#include <QLinearGradient>
#include <algorithm>
#include <cmath>

namespace Artgen {

namespace {
int densita_ = 1;
}  // namespace

int Densita() { return densita_; }
DensitaTemporanea::DensitaTemporanea(int densita) : prima_(densita_) { densita_ = densita; }
DensitaTemporanea::~DensitaTemporanea() { densita_ = prima_; }

QImage Tela(int w, int h, QImage::Format formato) {
  QImage img(w * densita_, h * densita_, formato);
  img.setDevicePixelRatio(densita_);
  return img;
}

QImage Sovracampiona(int w, int h, int scala, const std::function<void(QPainter&)>& disegno,
                     QColor fondo) {
  // At a higher density the same big drawing is averaged over fewer pixels.
  const int d = densita_, blocco = std::max(1, scala / d);
  QImage grande(w * d * blocco, h * d * blocco, QImage::Format_ARGB32_Premultiplied);
  grande.fill(fondo);
  {
    QPainter p(&grande);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.scale(d * blocco, d * blocco);
    disegno(p);
  }
  QImage out = RiduciBlocchi(grande, blocco);
  out.setDevicePixelRatio(d);
  return out;
}

QImage RiduciBlocchi(const QImage& grande, int scala) {
  const QImage src = grande.convertToFormat(QImage::Format_ARGB32);
  const int w = src.width() / scala, h = src.height() / scala;
  QImage out(w, h, QImage::Format_RGB32);
  const int n = scala * scala;
  for (int y = 0; y < h; ++y) {
    auto* riga = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) {
      int r = 0, g = 0, b = 0;
      for (int dy = 0; dy < scala; ++dy) {
        const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y * scala + dy)) + x * scala;
        for (int dx = 0; dx < scala; ++dx) {
          r += qRed(s[dx]);
          g += qGreen(s[dx]);
          b += qBlue(s[dx]);
        }
      }
      riga[x] = qRgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n);
    }
  }
  return out;
}

QColor Misto(QColor a, QColor b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QColor Scuro(QColor c, double quanto) { return Misto(c, QColor(0, 0, 0, c.alpha()), quanto); }
QColor Chiaro(QColor c, double quanto) { return Misto(c, QColor(255, 255, 255, c.alpha()), quanto); }

QFont Carattere(const QString& famiglia, double pixel, int peso, bool corsivo, int stiramento) {
  QFont f(famiglia);
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixel))));
  f.setWeight(static_cast<QFont::Weight>(peso));
  f.setItalic(corsivo);
  f.setStretch(stiramento);
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setStyleStrategy(QFont::PreferOutline);
  f.setKerning(true);
  return f;
}

QPainterPath TestoCentrato(const QString& testo, const QFont& font, QPointF centro) {
  QPainterPath t;
  t.addText(QPointF(0, 0), font, testo);
  const QRectF r = t.boundingRect();
  t.translate(centro - r.center());
  return t;
}

QPainterPath TestoInRiquadro(const QString& testo, const QFont& font, const QRectF& riquadro, bool stringi) {
  QPainterPath t;
  t.addText(QPointF(0, 0), font, testo);
  const QRectF r = t.boundingRect();
  if (r.isEmpty()) return t;
  const double k = std::min(riquadro.width() / r.width(), riquadro.height() / r.height());
  const double ky = stringi ? riquadro.height() / r.height() : k;
  const double kx = stringi ? std::min(ky, riquadro.width() / r.width()) : k;
  QTransform m;
  m.translate(riquadro.center().x(), riquadro.center().y());
  m.scale(kx, ky);
  m.translate(-r.center().x(), -r.center().y());
  return m.map(t);
}

void DisegnaTesto(QPainter& p, const QPainterPath& testo, QColor riempimento, QColor contorno,
                  double spessore, QColor ombra, QPointF scarto) {
  p.save();
  if (ombra.alpha() > 0) {
    p.setPen(Qt::NoPen);
    p.setBrush(ombra);
    p.drawPath(testo.translated(scarto));
  }
  if (spessore > 0) {
    p.setPen(QPen(contorno, spessore, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(testo);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(riempimento);
  p.drawPath(testo);
  p.restore();
}

QBrush Gradiente(QRectF r, QColor alto, QColor basso) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, alto);
  g.setColorAt(1, basso);
  return QBrush(g);
}

void Grana(QImage& img, uint32_t seme, int ampiezza) {
  Dado d(seme);
  for (int y = 0; y < img.height(); ++y) {
    auto* riga = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const int n = static_cast<int>(d.Prossimo() % (2 * ampiezza + 1)) - ampiezza;
      const QRgb c = riga[x];
      riga[x] = qRgba(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                      std::clamp(qBlue(c) + n, 0, 255), qAlpha(c));
    }
  }
}

}  // namespace Artgen

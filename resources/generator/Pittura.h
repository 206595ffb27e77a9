#pragma once
// Drawing helpers shared by every picture family of the generator.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdint>
#include <functional>

namespace Artgen {

// Small xorshift generator: a fixed seed gives the same pictures and sounds on every build.
class Dado {
 public:
  explicit Dado(uint32_t seme) : s_(seme != 0 ? seme : 0x9E3779B9u) {}
  uint32_t Prossimo() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
  }
  double Reale() { return (Prossimo() >> 8) / 16777216.0; }  // [0, 1)
  double Tra(double a, double b) { return a + (b - a) * Reale(); }

 private:
  uint32_t s_;
};

// Pixel density of the pictures being drawn: 1 for the program's pictures, 2 for their
// twice-as-large forms. Drawing code always works in 1x units; a picture made at density 2 has
// twice the pixels each way and a device pixel ratio of 2, so painting it into another picture
// of the same density puts it at its 1x place and size.
int Densita();
class DensitaTemporanea {
 public:
  explicit DensitaTemporanea(int densita);
  ~DensitaTemporanea();
  DensitaTemporanea(const DensitaTemporanea&) = delete;
  DensitaTemporanea& operator=(const DensitaTemporanea&) = delete;

 private:
  int prima_;
};
// An empty w x h picture (in 1x units) at the current density.
QImage Tela(int w, int h, QImage::Format formato = QImage::Format_RGB32);

// Draws a w x h picture at `scala` times its size and averages each scala x scala block:
// clean anti-aliased edges, and drawing code can work in the picture's own pixel units.
QImage Sovracampiona(int w, int h, int scala, const std::function<void(QPainter&)>& disegno,
                     QColor fondo = QColor(255, 255, 255));
QImage RiduciBlocchi(const QImage& grande, int scala);

QColor Misto(QColor a, QColor b, double t);  // t = 0 gives a, 1 gives b
QColor Scuro(QColor c, double quanto);       // towards black
QColor Chiaro(QColor c, double quanto);      // towards white

// Fonts: the DejaVu families ship with fontconfig on every Debian system.
QFont Carattere(const QString& famiglia, double pixel, int peso = QFont::Normal,
                bool corsivo = false, int stiramento = QFont::Unstretched);

// Text turned into an outline centred on `centro` (its ink box, not its line box): exact at
// every scale and independent of hinting, so digits sit where they are meant to.
QPainterPath TestoCentrato(const QString& testo, const QFont& font, QPointF centro);
// Scales the text outline so its ink fits `riquadro`, keeping the aspect, centred. With
// `stringi` the height always fills the box and only the width is narrowed when needed, so a
// two-digit number stands as tall as a one-digit one.
QPainterPath TestoInRiquadro(const QString& testo, const QFont& font, const QRectF& riquadro, bool stringi = false);

// Filled text with an outline stroke and an optional drop shadow.
void DisegnaTesto(QPainter& p, const QPainterPath& testo, QColor riempimento, QColor contorno,
                  double spessore, QColor ombra = QColor(0, 0, 0, 0), QPointF scarto = QPointF(1, 1));

// Vertical gradient brush.
QBrush Gradiente(QRectF r, QColor alto, QColor basso);

// Fine noise added to a picture (wood grain, felt, paper), deterministic.
void Grana(QImage& img, uint32_t seme, int ampiezza);

}  // namespace Artgen

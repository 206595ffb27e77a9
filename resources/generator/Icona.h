#pragma once
// The application icon: two cards on a round felt tile, the front one the ace of Denari.
// One list of shapes in a 256 x 256 box gives both the PNG sizes and the scalable SVG, so
// every size shows the same drawing.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <vector>

namespace Artgen {

struct FormaIcona {
  QPainterPath forma;    // in the 256 x 256 box, odd-even filled
  QColor riempimento;    // alpha 0: not filled
  QColor contorno;       // alpha 0: no outline
  double spessore = 0;   // outline width in box units
};

constexpr int LatoIcona = 256;
std::vector<FormaIcona> FormeIcona();

// The icon drawn at `lato` x `lato` pixels, transparent around the tile.
QImage IconaPng(int lato);
// The same shapes as an SVG document (paths only: no fonts, no external files).
QByteArray IconaSvg();

}  // namespace Artgen

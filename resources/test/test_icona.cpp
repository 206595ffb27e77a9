// The application icon: the SVG the desktop scales must show the same drawing as the PNG sizes.
#include <gtest/gtest.h>

#include <QPainter>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cstdlib>

#include "Icona.h"

using namespace Artgen;

namespace {

// Reads back the path data the SVG writer emits: absolute M, L, C and Z only.
QPainterPath PercorsoDa(const QString& d) {
  QPainterPath p;
  p.setFillRule(Qt::OddEvenFill);
  const QRegularExpression voce("([MLCZ])([^MLCZ]*)");
  for (auto it = voce.globalMatch(d); it.hasNext();) {
    const auto m = it.next();
    QList<double> n;
    for (const QString& t : m.captured(2).split(' ', Qt::SkipEmptyParts)) n.append(t.toDouble());
    const QChar c = m.captured(1)[0];
    if (c == 'M' && n.size() == 2) p.moveTo(n[0], n[1]);
    else if (c == 'L' && n.size() == 2) p.lineTo(n[0], n[1]);
    else if (c == 'C' && n.size() == 6) p.cubicTo(n[0], n[1], n[2], n[3], n[4], n[5]);
    else if (c == 'Z') p.closeSubpath();
    else ADD_FAILURE() << "unexpected path element " << qPrintable(m.captured(0));
  }
  return p;
}

QImage DisegnaSvg(const QByteArray& svg, int lato) {
  QImage img(lato, lato, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(double(lato) / LatoIcona, double(lato) / LatoIcona);
  QXmlStreamReader xml(svg);
  while (xml.readNextStartElement()) {
    if (xml.name() == QLatin1String("svg")) continue;
    const auto a = xml.attributes();
    const QString fill = a.value("fill").toString(), stroke = a.value("stroke").toString();
    p.setBrush(fill == "none" ? QBrush(Qt::NoBrush) : QBrush(QColor(fill)));
    p.setPen(stroke.isEmpty() ? QPen(Qt::NoPen)
                              : QPen(QColor(stroke), a.value("stroke-width").toDouble(), Qt::SolidLine,
                                     Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(PercorsoDa(a.value("d").toString()));
    xml.skipCurrentElement();
  }
  EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
  return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

TEST(Icona, ScalableIconShowsTheSameDrawingAsThePng) {
  const QImage png = IconaPng(LatoIcona), svg = DisegnaSvg(IconaSvg(), LatoIcona);
  int diversi = 0;
  for (int y = 0; y < LatoIcona; ++y)
    for (int x = 0; x < LatoIcona; ++x) {
      const QRgb a = png.pixel(x, y), b = svg.pixel(x, y);
      if (std::abs(qRed(a) - qRed(b)) > 24 || std::abs(qGreen(a) - qGreen(b)) > 24 ||
          std::abs(qBlue(a) - qBlue(b)) > 24 || std::abs(qAlpha(a) - qAlpha(b)) > 24)
        ++diversi;
    }
  EXPECT_LT(diversi, LatoIcona * LatoIcona / 200) << "pixels that differ between the SVG and the PNG";
}

TEST(Icona, EverySizeIsARoundedTileOnATransparentGround) {
  for (int lato : {48, 64, 128, 256}) {
    const QImage img = IconaPng(lato);
    EXPECT_EQ(img.size(), QSize(lato, lato));
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0) << lato << " px: the corner outside the rounded tile is clear";
    EXPECT_EQ(qAlpha(img.pixel(lato / 2, lato / 2)), 255) << lato << " px: the middle is opaque";
    EXPECT_EQ(qAlpha(img.pixel(lato / 2, lato / 20)), 255) << lato << " px: the tile reaches the top edge";
  }
}

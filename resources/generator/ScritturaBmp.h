#pragma once
// Windows BMP files as the program stores them: 14-byte file header, 40-byte info header,
// palette for 4- and 8-bit pictures, rows bottom-up padded to four bytes.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace Artgen {

struct ImmagineIndicizzata {
  int larghezza = 0;
  int altezza = 0;
  std::vector<QRgb> tavolozza;   // at most 256 entries (16 for 4-bit files)
  std::vector<uint8_t> indici;   // row-major, top row first
};

// Reduces a picture to at most `colori` colours (median cut refined by a few k-means rounds,
// weighted by how often each colour occurs) and maps every pixel to its nearest entry.
ImmagineIndicizzata Quantizza(const QImage& img, int colori);

// Maps every pixel to the nearest entry of a fixed palette.
ImmagineIndicizzata Indicizza(const QImage& img, const std::vector<QRgb>& tavolozza);

QByteArray Bmp24(const QImage& img);
// bit is 4 or 8; the palette is padded with black up to 2^bit entries.
QByteArray BmpIndicizzato(const ImmagineIndicizzata& img, int bit);

bool ScriviFile(const QString& percorso, const QByteArray& dati);

}  // namespace Artgen

#include "ScritturaBmp.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace Artgen {
namespace {

void Scrivi16(QByteArray& b, uint16_t v) {
  b.append(static_cast<char>(v & 0xFF));
  b.append(static_cast<char>(v >> 8));
}
void Scrivi32(QByteArray& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// File header + 40-byte info header.
void Intestazioni(QByteArray& b, int w, int h, int bit, int voci, uint32_t bytesPixel) {
  const uint32_t inizio = 14 + 40 + 4 * voci;
  b.append("BM", 2);
  Scrivi32(b, inizio + bytesPixel);
  Scrivi16(b, 0);
  Scrivi16(b, 0);
  Scrivi32(b, inizio);
  Scrivi32(b, 40);
  Scrivi32(b, static_cast<uint32_t>(w));
  Scrivi32(b, static_cast<uint32_t>(h));  // positive: rows stored bottom-up
  Scrivi16(b, 1);
  Scrivi16(b, static_cast<uint16_t>(bit));
  Scrivi32(b, 0);  // BI_RGB
  Scrivi32(b, bytesPixel);
  Scrivi32(b, 2835);  // 72 dpi
  Scrivi32(b, 2835);
  Scrivi32(b, static_cast<uint32_t>(voci));
  Scrivi32(b, 0);
}

int BytesRiga(int w, int bit) { return ((w * bit + 31) / 32) * 4; }

// Distance with the eye's weights: green differences show most, blue least.
inline int Distanza(int r1, int g1, int b1, int r2, int g2, int b2) {
  const int dr = r1 - r2, dg = g1 - g2, db = b1 - b2;
  return 3 * dr * dr + 6 * dg * dg + 2 * db * db;
}

struct Voce {
  QRgb colore;
  int conteggio;
};

struct Scatola {
  int da, a;  // range in the entry list
};

int Vicino(const std::vector<QRgb>& tav, QRgb c) {
  int migliore = 0, dmin = INT32_MAX;
  for (size_t i = 0; i < tav.size(); ++i) {
    const int d = Distanza(qRed(c), qGreen(c), qBlue(c), qRed(tav[i]), qGreen(tav[i]), qBlue(tav[i]));
    if (d < dmin) {
      dmin = d;
      migliore = static_cast<int>(i);
      if (d == 0) break;
    }
  }
  return migliore;
}

}  // namespace

ImmagineIndicizzata Indicizza(const QImage& img, const std::vector<QRgb>& tavolozza) {
  const QImage src = img.convertToFormat(QImage::Format_RGB32);
  ImmagineIndicizzata out;
  out.larghezza = src.width();
  out.altezza = src.height();
  out.tavolozza = tavolozza;
  out.indici.resize(static_cast<size_t>(out.larghezza) * out.altezza);
  std::unordered_map<QRgb, uint8_t> memo;
  for (int y = 0; y < out.altezza; ++y) {
    const auto* riga = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    for (int x = 0; x < out.larghezza; ++x) {
      const QRgb c = riga[x] | 0xFF000000u;
      auto it = memo.find(c);
      if (it == memo.end()) it = memo.emplace(c, static_cast<uint8_t>(Vicino(tavolozza, c))).first;
      out.indici[static_cast<size_t>(y) * out.larghezza + x] = it->second;
    }
  }
  return out;
}

ImmagineIndicizzata Quantizza(const QImage& img, int colori) {
  const QImage src = img.convertToFormat(QImage::Format_RGB32);
  std::unordered_map<QRgb, int> conta;
  for (int y = 0; y < src.height(); ++y) {
    const auto* riga = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    for (int x = 0; x < src.width(); ++x) ++conta[riga[x] | 0xFF000000u];
  }
  std::vector<Voce> voci;
  voci.reserve(conta.size());
  for (const auto& [c, n] : conta) voci.push_back({c, n});
  // Hash order is not portable: sort so the result never depends on it.
  std::sort(voci.begin(), voci.end(), [](const Voce& a, const Voce& b) { return a.colore < b.colore; });

  std::vector<QRgb> tav;
  if (static_cast<int>(voci.size()) <= colori) {
    for (const auto& v : voci) tav.push_back(v.colore);
    return Indicizza(src, tav);
  }

  // Median cut: split the box with the largest weighted spread at its weighted median.
  std::vector<Scatola> scatole{{0, static_cast<int>(voci.size())}};
  auto canale = [](QRgb c, int k) { return k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c); };
  const std::array<int, 3> pesi{3, 6, 2};
  while (static_cast<int>(scatole.size()) < colori) {
    int scelta = -1, asse = 0;
    double miglior = -1;
    for (size_t i = 0; i < scatole.size(); ++i) {
      const auto& s = scatole[i];
      if (s.a - s.da < 2) continue;
      double peso = 0;
      for (int j = s.da; j < s.a; ++j) peso += voci[j].conteggio;
      for (int k = 0; k < 3; ++k) {
        int lo = 255, hi = 0;
        for (int j = s.da; j < s.a; ++j) {
          lo = std::min(lo, canale(voci[j].colore, k));
          hi = std::max(hi, canale(voci[j].colore, k));
        }
        const double punteggio = (hi - lo) * pesi[k] * std::sqrt(peso);
        if (punteggio > miglior) {
          miglior = punteggio;
          scelta = static_cast<int>(i);
          asse = k;
        }
      }
    }
    if (scelta < 0 || miglior <= 0) break;
    Scatola s = scatole[scelta];
    std::sort(voci.begin() + s.da, voci.begin() + s.a, [&](const Voce& x, const Voce& y) {
      const int cx = canale(x.colore, asse), cy = canale(y.colore, asse);
      return cx != cy ? cx < cy : x.colore < y.colore;
    });
    long long totale = 0;
    for (int j = s.da; j < s.a; ++j) totale += voci[j].conteggio;
    long long parziale = 0;
    int taglio = s.da + 1;
    for (int j = s.da; j < s.a - 1; ++j) {
      parziale += voci[j].conteggio;
      taglio = j + 1;
      if (2 * parziale >= totale) break;
    }
    scatole[scelta] = {s.da, taglio};
    scatole.push_back({taglio, s.a});
  }

  for (const auto& s : scatole) {
    double r = 0, g = 0, b = 0, n = 0;
    for (int j = s.da; j < s.a; ++j) {
      r += qRed(voci[j].colore) * double(voci[j].conteggio);
      g += qGreen(voci[j].colore) * double(voci[j].conteggio);
      b += qBlue(voci[j].colore) * double(voci[j].conteggio);
      n += voci[j].conteggio;
    }
    tav.push_back(qRgb(int(r / n + 0.5), int(g / n + 0.5), int(b / n + 0.5)));
  }

  // A few k-means rounds pull each entry to the centre of the colours it serves.
  std::vector<int> vicino(voci.size());
  for (int giro = 0; giro < 4; ++giro) {
    std::vector<double> sr(tav.size()), sg(tav.size()), sb(tav.size()), sn(tav.size());
    for (size_t j = 0; j < voci.size(); ++j) {
      const int k = Vicino(tav, voci[j].colore);
      vicino[j] = k;
      sr[k] += qRed(voci[j].colore) * double(voci[j].conteggio);
      sg[k] += qGreen(voci[j].colore) * double(voci[j].conteggio);
      sb[k] += qBlue(voci[j].colore) * double(voci[j].conteggio);
      sn[k] += voci[j].conteggio;
    }
    for (size_t k = 0; k < tav.size(); ++k)
      if (sn[k] > 0) tav[k] = qRgb(int(sr[k] / sn[k] + 0.5), int(sg[k] / sn[k] + 0.5), int(sb[k] / sn[k] + 0.5));
  }
  // The most frequent colours (paper, ink, flat suit colours) keep their exact value.
  std::vector<size_t> ordine(voci.size());
  for (size_t j = 0; j < ordine.size(); ++j) ordine[j] = j;
  std::sort(ordine.begin(), ordine.end(), [&](size_t a, size_t b) {
    return voci[a].conteggio != voci[b].conteggio ? voci[a].conteggio > voci[b].conteggio
                                                  : voci[a].colore < voci[b].colore;
  });
  std::vector<bool> fissata(tav.size(), false);
  for (size_t i = 0; i < std::min<size_t>(ordine.size(), tav.size()); ++i) {
    const auto& v = voci[ordine[i]];
    const int k = Vicino(tav, v.colore);
    if (!fissata[k]) {
      tav[k] = v.colore;
      fissata[k] = true;
    }
  }
  return Indicizza(src, tav);
}

QByteArray Bmp24(const QImage& img) {
  const QImage src = img.convertToFormat(QImage::Format_RGB32);
  const int w = src.width(), h = src.height();
  const int riga = BytesRiga(w, 24);
  QByteArray b;
  b.reserve(54 + riga * h);
  Intestazioni(b, w, h, 24, 0, static_cast<uint32_t>(riga * h));
  QByteArray linea(riga, '\0');
  for (int y = h - 1; y >= 0; --y) {
    const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      linea[3 * x] = static_cast<char>(qBlue(s[x]));
      linea[3 * x + 1] = static_cast<char>(qGreen(s[x]));
      linea[3 * x + 2] = static_cast<char>(qRed(s[x]));
    }
    b.append(linea);
  }
  return b;
}

QByteArray BmpIndicizzato(const ImmagineIndicizzata& img, int bit) {
  const int voci = 1 << bit;
  const int w = img.larghezza, h = img.altezza;
  const int riga = BytesRiga(w, bit);
  QByteArray b;
  Intestazioni(b, w, h, bit, voci, static_cast<uint32_t>(riga * h));
  for (int i = 0; i < voci; ++i) {
    const QRgb c = i < static_cast<int>(img.tavolozza.size()) ? img.tavolozza[i] : qRgb(0, 0, 0);
    b.append(static_cast<char>(qBlue(c)));
    b.append(static_cast<char>(qGreen(c)));
    b.append(static_cast<char>(qRed(c)));
    b.append('\0');
  }
  QByteArray linea(riga, '\0');
  for (int y = h - 1; y >= 0; --y) {
    linea.fill('\0');
    const uint8_t* s = img.indici.data() + static_cast<size_t>(y) * w;
    for (int x = 0; x < w; ++x) {
      if (bit == 8) {
        linea[x] = static_cast<char>(s[x]);
      } else {
        const int v = s[x] & 0x0F;
        auto& byte = linea[x / 2];
        byte = static_cast<char>((x % 2 == 0) ? (static_cast<uint8_t>(byte) | (v << 4))
                                             : (static_cast<uint8_t>(byte) | v));
      }
    }
    b.append(linea);
  }
  return b;
}

bool ScriviFile(const QString& percorso, const QByteArray& dati) {
  QFile f(percorso);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return f.write(dati) == dati.size();
}

}  // namespace Artgen

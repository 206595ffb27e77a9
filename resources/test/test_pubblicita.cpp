// The advertisement's art: the movie must be a well-formed SWF a player can read, and the
// poster and lights must be the pictures the program expects.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <map>
#include <set>

#include "Pubblicita.h"

using namespace Artgen;

namespace {

// Reads bits most significant first, as SWF packs them.
class Lettore {
 public:
  Lettore(const QByteArray& d, int inizio, int fine) : d_(d), pos_(inizio * 8), fine_(fine * 8) {}
  uint32_t U(int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) {
      if (pos_ >= fine_) throw std::runtime_error("read past the end of the record");
      v = (v << 1) | ((uint8_t(d_[pos_ / 8]) >> (7 - pos_ % 8)) & 1u);
      ++pos_;
    }
    return v;
  }
  int32_t S(int n) {
    const uint32_t v = U(n);
    return n > 0 && (v >> (n - 1)) ? int32_t(v | ~((1u << n) - 1)) : int32_t(v);
  }
  void Allinea() { pos_ = (pos_ + 7) / 8 * 8; }
  uint32_t U8() { Allinea(); return U(8); }
  uint32_t U16() { const uint32_t a = U8(); return a | U8() << 8; }
  int Byte() const { return pos_ / 8; }

 private:
  const QByteArray& d_;
  int pos_, fine_;
};

struct Rett { int32_t x0, x1, y0, y1; };

Rett LeggiRett(Lettore& l) {
  const int n = int(l.U(5));
  Rett r{l.S(n), l.S(n), l.S(n), l.S(n)};
  l.Allinea();
  return r;
}

// Decodes a DefineShape body completely; returns the number of contours, checking that each
// one closes and lies inside the declared bounds.
int ControllaForma(const QByteArray& d, int inizio, int fine) {
  Lettore l(d, inizio, fine);
  l.U16();  // id
  const Rett b = LeggiRett(l);
  const int riempimenti = int(l.U8());
  for (int i = 0; i < riempimenti; ++i) {
    EXPECT_EQ(l.U8(), 0u) << "solid fills only";
    l.U8(), l.U8(), l.U8();
  }
  EXPECT_EQ(l.U8(), 0u) << "no line styles";
  const int bitRiempimento = int(l.U(4)), bitLinea = int(l.U(4));
  int contorni = 0, x = 0, y = 0, x0 = 0, y0 = 0;
  auto chiudi = [&] {
    if (contorni > 0) {
      EXPECT_TRUE(x == x0 && y == y0) << "contour " << contorni << " is open";
    }
  };
  for (;;) {
    if (l.U(1) == 0) {
      const uint32_t flag = l.U(5);
      if (flag == 0) break;  // end of shape
      EXPECT_FALSE(flag & 0x10) << "no new styles";
      if (flag & 0x01) {
        chiudi();
        const int n = int(l.U(5));
        x = x0 = l.S(n);
        y = y0 = l.S(n);
        ++contorni;
      }
      if (flag & 0x02) {
        EXPECT_GE(int(l.U(bitRiempimento)), 1);
      }
      if (flag & 0x04) l.U(bitRiempimento);
      if (flag & 0x08) l.U(bitLinea);
    } else {
      EXPECT_EQ(l.U(1), 1u) << "straight edges only";
      const int n = int(l.U(4)) + 2;
      if (l.U(1)) {
        x += l.S(n);
        y += l.S(n);
      } else if (l.U(1)) {
        y += l.S(n);
      } else {
        x += l.S(n);
      }
      EXPECT_TRUE(x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1) << "edge leaves the bounds";
    }
  }
  chiudi();
  l.Allinea();
  EXPECT_EQ(l.Byte(), fine) << "the shape record ends where its tag ends";
  return contorni;
}

}  // namespace

TEST(FilmatoSwf, IsAWellFormedMovieOfOurOwn) {
  const QByteArray d = FilmatoSwf();
  ASSERT_GT(d.size(), 30);
  EXPECT_EQ(d.left(3), "FWS") << "uncompressed SWF";
  EXPECT_EQ(int(d[3]), 6);
  Lettore testa(d, 4, d.size());
  const uint32_t lunghezza = testa.U8() | testa.U8() << 8 | testa.U8() << 16 | testa.U8() << 24;
  EXPECT_EQ(lunghezza, uint32_t(d.size())) << "the header states the file's own length";
  const Rett quadro = LeggiRett(testa);
  EXPECT_EQ(quadro.x0, 0);
  EXPECT_EQ(quadro.y0, 0);
  EXPECT_EQ(quadro.x1, 700 * 20) << "700 x 480 pixels, in twips";
  EXPECT_EQ(quadro.y1, 480 * 20);
  EXPECT_EQ(testa.U16(), 12u << 8) << "12 frames a second";
  const uint32_t fotogrammi = testa.U16();

  int pos = testa.Byte(), mostrati = 0, sfondo = 0;
  std::set<uint32_t> definite;
  std::map<int, int> contorni;
  bool fine = false;
  while (pos + 2 <= d.size() && !fine) {
    Lettore t(d, pos, d.size());
    const uint32_t h = t.U16();
    const int codice = int(h >> 6);
    uint32_t n = h & 0x3f;
    if (n == 0x3f) n = t.U16() | t.U16() << 16;
    const int corpo = t.Byte();
    ASSERT_LE(corpo + int(n), d.size()) << "tag " << codice << " runs past the end";
    switch (codice) {
      case 0: fine = true; break;
      case 1: ++mostrati; break;
      case 9: ++sfondo; EXPECT_EQ(n, 3u); break;
      case 2: {
        Lettore id(d, corpo, corpo + int(n));
        const uint32_t forma = id.U16();
        EXPECT_TRUE(definite.insert(forma).second) << "shape " << forma << " defined twice";
        contorni[int(forma)] = ControllaForma(d, corpo, corpo + int(n));
        break;
      }
      case 26: {
        Lettore p(d, corpo, corpo + int(n));
        const uint32_t flag = p.U8();
        p.U16();  // depth
        if (flag & 0x02) {
          EXPECT_TRUE(definite.count(p.U16())) << "placing a shape not yet defined";
        }
        break;
      }
      default: ADD_FAILURE() << "unexpected tag " << codice;
    }
    pos = corpo + int(n);
  }
  EXPECT_TRUE(fine) << "the movie ends with an End tag";
  EXPECT_EQ(pos, d.size()) << "nothing after the End tag";
  EXPECT_EQ(uint32_t(mostrati), fotogrammi) << "one ShowFrame per frame";
  EXPECT_EQ(sfondo, 1);
  EXPECT_EQ(contorni[1], 1) << "the panel";
  EXPECT_GE(contorni[2], 8) << "the title's letters, holes included";
  EXPECT_EQ(d, FilmatoSwf()) << "the same bytes on every build";
}

TEST(Locandina, PosterAndLightsHaveTheirSizesAndColours) {
  const QImage poster = LocandinaPubblicita();
  EXPECT_EQ(poster.size(), QSize(760, 518)) << "the poster fills the panel";
  std::set<QRgb> colori;
  for (int y = 0; y < poster.height(); y += 7)
    for (int x = 0; x < poster.width(); x += 7) colori.insert(poster.pixel(x, y));
  EXPECT_GT(colori.size(), 500u) << "a picture, not a blank panel";

  const QColor rossa = Luce(false).pixelColor(10, 11);
  const QColor verde = Luce(true).pixelColor(10, 11);
  EXPECT_EQ(Luce(false).size(), QSize(20, 20));
  EXPECT_GT(rossa.red(), 2 * rossa.green());
  EXPECT_GT(verde.green(), 2 * verde.red());
}

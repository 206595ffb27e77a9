// Tests of the art generator's own parts: the BMP writer and palette reduction that every
// picture goes through, the text fitting of the corner numbers, and the sound writer.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

#include "Bottoni.h"
#include "Carte.h"
#include "Pittura.h"
#include "RetroBordi.h"
#include "ScritturaBmp.h"
#include "Suoni.h"

using namespace Artgen;

namespace {

uint32_t U32(const QByteArray& b, int i) {
  return uint32_t(uint8_t(b[i])) | uint32_t(uint8_t(b[i + 1])) << 8 | uint32_t(uint8_t(b[i + 2])) << 16 |
         uint32_t(uint8_t(b[i + 3])) << 24;
}
uint16_t U16(const QByteArray& b, int i) { return uint16_t(uint8_t(b[i]) | uint8_t(b[i + 1]) << 8); }

// A small picture whose every pixel is different, so a swapped row or column shows.
QImage Campione(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 40 % 256, y * 50 % 256, (x * 7 + y * 13) % 256));
  return img;
}

QImage Carica(const QByteArray& bmp) {
  QImage img;
  img.loadFromData(bmp, "BMP");
  return img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(ScritturaBmp, RowsArePaddedToFourBytesAndStoredBottomUp) {
  // Widths whose rows need 0, 1, 2 and 3 bytes of padding at each depth.
  for (int w : {1, 2, 3, 4, 5, 6, 7, 9}) {
    const QImage img = Campione(w, 3);
    const QByteArray b24 = Bmp24(img);
    const int riga24 = ((w * 24 + 31) / 32) * 4;
    EXPECT_EQ(b24.size(), 54 + riga24 * 3) << "24-bit picture " << w << " wide has rows of the wrong length";
    EXPECT_EQ(U32(b24, 2), uint32_t(b24.size())) << "the header states the wrong file size";
    EXPECT_EQ(U32(b24, 10), 54u) << "24-bit pixels must follow the headers directly";
    // The first stored row is the picture's bottom row, in blue-green-red order.
    const QRgb basso = img.pixel(0, 2);
    EXPECT_EQ(uint8_t(b24[54]), qBlue(basso));
    EXPECT_EQ(uint8_t(b24[55]), qGreen(basso));
    EXPECT_EQ(uint8_t(b24[56]), qRed(basso));
    EXPECT_EQ(Carica(b24), img) << "a 24-bit picture " << w << " wide does not read back unchanged";

    const ImmagineIndicizzata ind = Quantizza(img, 256);
    const QByteArray b8 = BmpIndicizzato(ind, 8);
    const int riga8 = ((w * 8 + 31) / 32) * 4;
    EXPECT_EQ(b8.size(), 14 + 40 + 1024 + riga8 * 3) << "8-bit picture " << w << " wide has rows of the wrong length";
    EXPECT_EQ(Carica(b8), img) << "an 8-bit picture of few colours " << w << " wide does not read back unchanged";
  }
}

TEST(ScritturaBmp, FourBitPixelsPackTwoToAByteHighNibbleFirst) {
  ImmagineIndicizzata img;
  img.larghezza = 5;
  img.altezza = 2;
  for (int i = 0; i < 16; ++i) img.tavolozza.push_back(qRgb(i * 16, 255 - i * 16, i * 8));
  img.indici = {1, 2, 3, 4, 5,    // top row
                10, 11, 12, 13, 14};  // bottom row, stored first
  const QByteArray b = BmpIndicizzato(img, 4);
  const int inizio = 14 + 40 + 16 * 4;
  EXPECT_EQ(U16(b, 28), 4);
  EXPECT_EQ(U32(b, 10), uint32_t(inizio));
  EXPECT_EQ(b.size(), inizio + 2 * 4) << "five 4-bit pixels take three bytes, padded to four";
  EXPECT_EQ(uint8_t(b[inizio]), 0xAB);
  EXPECT_EQ(uint8_t(b[inizio + 1]), 0xCD);
  EXPECT_EQ(uint8_t(b[inizio + 2]), 0xE0) << "an odd last pixel sits in the high nibble";
  EXPECT_EQ(uint8_t(b[inizio + 4]), 0x12);
  const QImage letta = Carica(b);
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(letta.pixel(x, 0), img.tavolozza[img.indici[x]]) << "top row, pixel " << x;
    EXPECT_EQ(letta.pixel(x, 1), img.tavolozza[img.indici[5 + x]]) << "bottom row, pixel " << x;
  }
}

TEST(ScritturaBmp, ButtonBackgroundIsSixteenColoursIn12406Bytes) {
  const ImmagineIndicizzata sfondo = SfondoBottone();
  EXPECT_EQ(sfondo.larghezza, 192);
  EXPECT_EQ(sfondo.altezza, 128);
  EXPECT_LE(sfondo.tavolozza.size(), 16u);
  std::set<int> usati(sfondo.indici.begin(), sfondo.indici.end());
  EXPECT_LT(*usati.rbegin(), 16) << "an index points past the 16-colour palette";
  EXPECT_GT(usati.size(), 6u) << "the background should be a soft gradient, not a flat fill";
  EXPECT_EQ(BmpIndicizzato(sfondo, 4).size(), 12406);
}

TEST(Quantizzazione, PicturesOfFewColoursStayExact) {
  QImage img(40, 30, QImage::Format_RGB32);
  img.fill(qRgb(251, 243, 223));
  for (int i = 0; i < 200; ++i) img.setPixel(i % 40, i / 40, qRgb(i, 255 - i, (i * 3) % 256));
  const ImmagineIndicizzata ind = Quantizza(img, 256);
  EXPECT_LE(ind.tavolozza.size(), 256u);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      ASSERT_EQ(ind.tavolozza[ind.indici[y * 40 + x]], img.pixel(x, y)) << "pixel (" << x << ", " << y << ") changed";
}

TEST(Quantizzazione, ManyColoursKeepTheMainOnesExactAndTheRestClose) {
  // A paper-coloured card with a smooth three-way gradient across half of it.
  QImage img(256, 128, QImage::Format_RGB32);
  const QRgb carta = qRgb(251, 243, 223), inchiostro = qRgb(42, 30, 24);
  img.fill(carta);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x) img.setPixel(x, y, qRgb(x, (x + y * 4) % 256, 255 - y * 4));
  for (int x = 0; x < 256; ++x) img.setPixel(x, 100, inchiostro);
  const ImmagineIndicizzata ind = Quantizza(img, 256);
  ASSERT_EQ(ind.tavolozza.size(), 256u);
  EXPECT_EQ(ind.tavolozza[ind.indici[127 * 256 + 5]], carta) << "the paper colour must survive exactly";
  EXPECT_EQ(ind.tavolozza[ind.indici[100 * 256 + 5]], inchiostro) << "the outline colour must survive exactly";
  int peggiore = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x) {
      const QRgb a = img.pixel(x, y), b = ind.tavolozza[ind.indici[y * 256 + x]];
      peggiore = std::max({peggiore, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                           std::abs(qBlue(a) - qBlue(b))});
    }
  EXPECT_LT(peggiore, 48) << "gradients should not band into visibly wrong colours";
}

TEST(Quantizzazione, FaceSheetFitsItsPaletteWithoutLosingAnyDeck) {
  // The real sheet: six styles reduced together must still keep each style's paper exact.
  const QImage fronti = FogliFronti();
  const ImmagineIndicizzata ind = Quantizza(fronti, 256);
  ASSERT_EQ(ind.tavolozza.size(), 256u);
  for (int stile = 1; stile <= NumeroStili; ++stile) {
    const int y = ((stile - 1) * 4) * AltezzaFaccia + 1;
    const QRgb carta = StiliMazzo()[stile - 1].c.carta.rgb();
    EXPECT_EQ(ind.tavolozza[ind.indici[y * fronti.width() + 1]], carta)
        << "deck style " << stile << " lost its paper colour in the palette";
  }
}

TEST(Testo, NumbersFitTheirCornerBoxes) {
  const QFont f = Carattere("DejaVu Sans", 40, QFont::Bold, false, QFont::Condensed);
  struct Caso {
    const char* testo;
    QRectF riquadro;
    bool stringi;
  };
  const Caso casi[] = {
      {"1", QRectF(1.2, 1.8, 11, 17), true},   {"7", QRectF(1.2, 1.8, 11, 17), true},
      {"10", QRectF(1.2, 1.8, 13, 17), true},  {"10", QRectF(1.5, 2.2, 10, 10.5), true},
      {"10", QRectF(1.5, 2.2, 10, 10.5), false}, {"Configurazione", QRectF(8, 8, 129, 22), false},
  };
  for (const auto& c : casi) {
    const QRectF r = TestoInRiquadro(c.testo, f, c.riquadro, c.stringi).boundingRect();
    EXPECT_GE(r.left(), c.riquadro.left() - 0.01) << c.testo << " spills out on the left";
    EXPECT_LE(r.right(), c.riquadro.right() + 0.01) << c.testo << " spills out on the right";
    EXPECT_GE(r.top(), c.riquadro.top() - 0.01) << c.testo << " spills out at the top";
    EXPECT_LE(r.bottom(), c.riquadro.bottom() + 0.01) << c.testo << " spills out at the bottom";
    if (c.stringi) {
      EXPECT_NEAR(r.height(), c.riquadro.height(), 0.01) << c.testo << " should stand as tall as its box";
    }
  }
}

TEST(Carte, CardsAreTheFrameWithTheFaceLaidAtOneTwo) {
  const QImage faccia = Faccia(1, Denari, 1);
  ASSERT_EQ(faccia.size(), QSize(LarghezzaFaccia, AltezzaFaccia));
  for (int k = 1; k <= NumeroBordi; ++k) {
    const QImage bordo = Bordo(k);
    ASSERT_EQ(bordo.size(), QSize(LarghezzaCarta, AltezzaCarta));
    const QImage carta = Componi(bordo, faccia);
    EXPECT_EQ(carta.pixel(1, 2), faccia.pixel(0, 0)) << "frame " << k << ": the face's corner is not at (1, 2)";
    EXPECT_EQ(carta.pixel(60, 95), faccia.pixel(59, 93)) << "frame " << k << ": the face's far corner moved";
    EXPECT_EQ(carta.pixel(0, 40), bordo.pixel(0, 40)) << "frame " << k << ": the face covers the card's left edge";
    EXPECT_EQ(carta.pixel(70, 110), bordo.pixel(70, 110)) << "frame " << k << ": the margin changed";
  }
}

TEST(Carte, FacesKeepAPaperMarginForTheFrameRim) {
  // The frame shows only a one- or two-pixel rim round the face, so nothing may touch the
  // face's outermost ring of pixels: it must be the style's paper.
  for (int stile = 1; stile <= NumeroStili; ++stile) {
    const QColor carta = StiliMazzo()[stile - 1].c.carta;
    for (int seme = 1; seme <= 4; ++seme)
      for (int numero = 1; numero <= 10; ++numero) {
        const QImage f = Faccia(stile, seme, numero);
        int macchie = 0;
        for (int x = 0; x < LarghezzaFaccia; ++x)
          for (int y : {0, AltezzaFaccia - 1})
            if (QColor(f.pixel(x, y)) != carta) ++macchie;
        for (int y = 0; y < AltezzaFaccia; ++y)
          for (int x : {0, LarghezzaFaccia - 1})
            if (QColor(f.pixel(x, y)) != carta) ++macchie;
        EXPECT_EQ(macchie, 0) << "style " << stile << ", suit " << seme << ", card " << numero
                              << " draws over its paper margin";
      }
  }
}

TEST(Carte, BacksKeepAPaperMarginForTheFrameRim) {
  for (int k = 1; k <= NumeroRetri; ++k) {
    const QImage r = Retro(k);
    const QRgb carta = r.pixel(0, 0);
    for (int x = 0; x < LarghezzaFaccia; ++x) {
      EXPECT_EQ(r.pixel(x, 1), carta) << "back " << k << " touches its top margin";
      EXPECT_EQ(r.pixel(x, AltezzaFaccia - 2), carta) << "back " << k << " touches its bottom margin";
    }
  }
}

TEST(Generatore, SamePicturesAndSoundsOnEveryRun) {
  EXPECT_EQ(Faccia(3, Spade, 7), Faccia(3, Spade, 7));
  EXPECT_EQ(FoglioRetro(), FoglioRetro());
  const auto a = Suoni(), b = Suoni();
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i)
    EXPECT_EQ(a[i].campioni, b[i].campioni) << a[i].nome.toStdString() << " changes from one build to the next";
}

TEST(Suoni, SynthesisStaysBelowFullScaleAndEndsInSilence) {
  for (const auto& s : Suoni()) {
    float picco = 0;
    for (float v : s.campioni) {
      ASSERT_TRUE(std::isfinite(v)) << s.nome.toStdString() << " contains an invalid sample";
      picco = std::max(picco, std::abs(v));
    }
    EXPECT_LE(picco, 0.801f) << s.nome.toStdString() << " is louder than its headroom allows";
    EXPECT_GT(picco, 0.5f) << s.nome.toStdString() << " is too quiet";
    for (int c = 0; c < s.canali; ++c)
      EXPECT_NEAR(s.campioni[s.campioni.size() - s.canali + c], 0.0f, 0.01f)
          << s.nome.toStdString() << " stops abruptly and would click";
    EXPECT_NEAR(s.campioni[0], 0.0f, 0.05f) << s.nome.toStdString() << " starts with a click";
  }
}

TEST(Suoni, FilesReadBackWithTheirFormatAndLength) {
  QTemporaryDir cartella;
  ASSERT_TRUE(cartella.isValid());
  struct Caso {
    Codifica codifica;
    int formatoFile;  // libsndfile subtype
    int tag;          // WAVE format tag
  };
  const Caso casi[] = {{Codifica::Pcm8, SF_FORMAT_PCM_U8, 1}, {Codifica::Pcm16, SF_FORMAT_PCM_16, 1},
                       {Codifica::ImaAdpcm, SF_FORMAT_IMA_ADPCM, 17}};
  for (const auto& c : casi) {
    for (int canali : {1, 2}) {
      Suono s{"prova", 22050, canali, c.codifica, {}};
      for (int i = 0; i < 4000 * canali; ++i) s.campioni.push_back(0.5f * std::sin(i * 0.05f));
      const QString percorso = cartella.filePath(QString("prova_%1_%2.wav").arg(int(c.codifica)).arg(canali));
      ASSERT_TRUE(ScriviSuono(percorso, s));
      QFile f(percorso);
      ASSERT_TRUE(f.open(QIODevice::ReadOnly));
      const QByteArray b = f.readAll();
      ASSERT_TRUE(b.startsWith("RIFF") && b.mid(8, 8) == "WAVEfmt ") << "not a RIFF WAVE file";
      EXPECT_EQ(U16(b, 20), c.tag) << "wrong format tag for a " << canali << "-channel file";
      EXPECT_EQ(U16(b, 22), canali);
      EXPECT_EQ(U32(b, 24), 22050u);
      SF_INFO info{};
      SNDFILE* letto = sf_open(percorso.toLocal8Bit().constData(), SFM_READ, &info);
      ASSERT_NE(letto, nullptr) << sf_strerror(nullptr);
      EXPECT_EQ(info.format & SF_FORMAT_SUBMASK, c.formatoFile);
      if (c.codifica == Codifica::ImaAdpcm) {
        // ADPCM stores whole blocks: the last one is padded with silence.
        EXPECT_GE(info.frames, 4000) << "the compressed file lost samples";
        EXPECT_LT(info.frames, 4000 + 2048) << "the compressed file gained more than one block";
      } else {
        EXPECT_EQ(info.frames, 4000) << "the file does not hold every sample written";
      }
      sf_close(letto);
    }
  }
}

TEST(Fogli, EachCardSitsInItsCell) {
  // Card c of deck style m is read from column (c - 1) mod 10 and row (suit - 1) + 4 (m - 1).
  const QImage fronti = FogliFronti();
  ASSERT_EQ(fronti.size(), QSize(600, 2256));
  struct Caso {
    int stile, carta, riga, colonna;
  };
  const Caso casi[] = {{1, 1, 0, 0}, {1, 11, 1, 0}, {3, 1, 8, 0}, {3, 40, 11, 9}, {6, 30, 22, 9}, {4, 28, 14, 7}};
  for (const auto& c : casi) {
    const int seme = (c.carta - 1) / 10 + 1, numero = (c.carta - 1) % 10 + 1;
    const QImage cella = fronti.copy(c.colonna * LarghezzaFaccia, c.riga * AltezzaFaccia, LarghezzaFaccia, AltezzaFaccia);
    EXPECT_EQ(cella, Faccia(c.stile, seme, numero))
        << "card " << c.carta << " of style " << c.stile << " is not in row " << c.riga << ", column " << c.colonna;
  }
  const QImage retro = FoglioRetro(), bordi = FoglioBordi();
  for (int k : {1, 9, 23})
    EXPECT_EQ(retro.copy((k - 1) * LarghezzaFaccia, 0, LarghezzaFaccia, AltezzaFaccia), Retro(k))
        << "back " << k << " is not in column " << k - 1;
  for (int k : {1, 6})
    EXPECT_EQ(bordi.copy((k - 1) * LarghezzaCarta, 0, LarghezzaCarta, AltezzaCarta), Bordo(k))
        << "frame " << k << " is not in column " << k - 1;
}

TEST(Quantizzazione, PaletteSizeFollowsTheColoursUsed) {
  struct Caso {
    int colori;
    size_t voci;
    bool esatta;
  };
  const Caso casi[] = {{1, 1, true}, {255, 255, true}, {256, 256, true}, {257, 256, false}, {3000, 256, false}};
  for (const auto& c : casi) {
    QImage img(100, 40, QImage::Format_RGB32);
    for (int i = 0; i < 4000; ++i) {
      const int k = i % c.colori;
      img.setPixel(i % 100, i / 100, qRgb(k % 16 * 16, k / 16 % 16 * 16, k / 256 * 20));
    }
    const ImmagineIndicizzata ind = Quantizza(img, 256);
    EXPECT_EQ(ind.tavolozza.size(), c.voci) << c.colori << " colours";
    int cambiati = 0;
    for (int i = 0; i < 4000; ++i)
      if (ind.tavolozza[ind.indici[i]] != img.pixel(i % 100, i / 100)) ++cambiati;
    if (c.esatta) {
      EXPECT_EQ(cambiati, 0) << c.colori << " colours fit a palette and must stay exact";
    } else {
      EXPECT_GT(cambiati, 0) << c.colori << " colours cannot all fit";
    }
  }
}

TEST(Pittura, SupersamplingGivesSmoothEdges) {
  // A shape covering part of a pixel leaves that pixel in between, in proportion.
  const QImage img = Sovracampiona(4, 1, 4, [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0));
    p.drawRect(QRectF(0, 0, 1.5, 1));   // pixel 1 half covered
    p.drawRect(QRectF(2, 0, 0.25, 1));  // pixel 2 a quarter covered
  });
  EXPECT_EQ(qRed(img.pixel(0, 0)), 0);
  EXPECT_NEAR(qRed(img.pixel(1, 0)), 128, 1);
  EXPECT_NEAR(qRed(img.pixel(2, 0)), 191, 1);
  EXPECT_EQ(qRed(img.pixel(3, 0)), 255);
}

TEST(Suoni, StereoChannelsKeepTheirSides) {
  QTemporaryDir cartella;
  ASSERT_TRUE(cartella.isValid());
  for (Codifica codifica : {Codifica::Pcm8, Codifica::Pcm16}) {
    Suono s{"lati", 22050, 2, codifica, {}};
    for (int i = 0; i < 1000; ++i) {
      s.campioni.push_back(0.5f);   // left
      s.campioni.push_back(-0.5f);  // right
    }
    const QString percorso = cartella.filePath(QString("lati_%1.wav").arg(int(codifica)));
    ASSERT_TRUE(ScriviSuono(percorso, s));
    SF_INFO info{};
    SNDFILE* f = sf_open(percorso.toLocal8Bit().constData(), SFM_READ, &info);
    ASSERT_NE(f, nullptr);
    std::vector<float> letti(2000);
    ASSERT_EQ(sf_readf_float(f, letti.data(), 1000), 1000);
    sf_close(f);
    EXPECT_NEAR(letti[500], 0.5f, 0.02f) << "the left channel moved";
    EXPECT_NEAR(letti[501], -0.5f, 0.02f) << "the right channel moved";
  }
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // text outlines need the font database
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

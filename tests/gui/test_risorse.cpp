// The generated pictures and sounds: every name the program loads exists with the size, depth
// and format the components expect, and the card art is really six decks and 23 backs.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Risorse.h"

namespace {

QByteArray Leggi(const QString& nome) {
  QFile f(nome);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

uint32_t U32(const QByteArray& b, int i) {
  return uint32_t(uint8_t(b[i])) | uint32_t(uint8_t(b[i + 1])) << 8 | uint32_t(uint8_t(b[i + 2])) << 16 |
         uint32_t(uint8_t(b[i + 3])) << 24;
}
uint16_t U16(const QByteArray& b, int i) { return uint16_t(uint8_t(b[i]) | uint8_t(b[i + 1]) << 8); }

struct Intestazione {
  bool valida = false;
  int larghezza = 0, altezza = 0, bit = 0;
  uint32_t colori = 0, inizioPixel = 0, dimensioneFile = 0;
};

// Reads the BMP file and info headers the way the program's bitmap loader does.
Intestazione LeggiBmp(const QByteArray& b) {
  Intestazione h;
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || U32(b, 14) != 40) return h;
  h.valida = true;
  h.dimensioneFile = U32(b, 2);
  h.inizioPixel = U32(b, 10);
  h.larghezza = int(U32(b, 18));
  h.altezza = int(U32(b, 22));
  h.bit = U16(b, 28);
  h.colori = U32(b, 46);
  return h;
}

struct AttesaImmagine {
  QString nome;
  int larghezza, altezza;
  int bit;  // 0: 8 or 24 accepted
};

std::vector<AttesaImmagine> TutteLeImmagini() {
  std::vector<AttesaImmagine> v{
      {Risorse::Fronti, 600, 2256, 8},         {Risorse::Bordi, 480, 120, 0},
      {Risorse::Retro, 1380, 94, 0},           {Risorse::CifrePunteggi, 321, 24, 0},
      {Risorse::CifrePunteggiSel, 640, 396, 0}, {Risorse::CifrePiccole, 241, 18, 0},
      {Risorse::SfondoBottone, 192, 128, 4},   {Risorse::SfondoSplash, 800, 599, 0},
      {Risorse::SfondoConfig, 800, 600, 0},    {Risorse::SfondoPunteggi, 800, 600, 0},
      {Risorse::SfondoRete, 720, 500, 0},
      {Risorse::SfondoTavolo, 800, 600, 0},    {Risorse::TurnoComputer, 145, 201, 0},
      {Risorse::TurnoGiocatore, 145, 201, 0},
  };
  for (const char* n : {"briscola", "scopa", "rubamazzo", "settemezzo", "rete", "chiudi"})
    for (const char* s : {"normale", "attivo"})
      v.push_back({QString(":/img/splash_%1_%2.bmp").arg(n, s), 600, 86, 0});
  for (const char* n : {"nuovapartita", "configurazione", "punteggi", "chiudi", "ok", "nuovacarta", "stop",
                        "nuovoturno", "prendi", "altra"})
    for (const char* s : {"normale", "attivo", "disabilitato"})
      v.push_back({QString(":/img/btn_%1_%2.bmp").arg(n, s), 145, 38, 0});
  for (const char* s : {"normale", "attivo"})
    v.push_back({QString(":/img/chiudipubblicita_%1.bmp").arg(s), 145, 16, 0});
  return v;
}

QImage Immagine(const QString& nome) { return QImage(nome).convertToFormat(QImage::Format_RGB32); }

// Share of pixels whose colour differs clearly between two pictures of the same size.
double Differenza(const QImage& a, const QImage& b) {
  int diversi = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 48)
        ++diversi;
    }
  return double(diversi) / (a.width() * a.height());
}

int Luminanza(QRgb c) { return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100; }

}  // namespace

TEST(Risorse, EveryPictureExistsWithItsSizeAndDepth) {
  for (const auto& att : TutteLeImmagini()) {
    const QByteArray dati = Leggi(att.nome);
    ASSERT_FALSE(dati.isEmpty()) << "The picture " << att.nome.toStdString() << " is missing from the program";
    const Intestazione h = LeggiBmp(dati);
    ASSERT_TRUE(h.valida) << att.nome.toStdString() << " is not a Windows BMP with a 40-byte info header";
    EXPECT_EQ(h.dimensioneFile, uint32_t(dati.size())) << att.nome.toStdString() << ": the header's file size is wrong";
    EXPECT_EQ(h.larghezza, att.larghezza) << att.nome.toStdString() << " has the wrong width";
    EXPECT_EQ(h.altezza, att.altezza) << att.nome.toStdString() << " has the wrong height (or is stored top-down)";
    if (att.bit != 0)
      EXPECT_EQ(h.bit, att.bit) << att.nome.toStdString() << " has the wrong colour depth";
    else
      EXPECT_TRUE(h.bit == 8 || h.bit == 24) << att.nome.toStdString() << " should be an 8- or 24-bit picture";
    const QImage img(att.nome);
    EXPECT_EQ(img.size(), QSize(att.larghezza, att.altezza)) << att.nome.toStdString() << " does not load as a picture";
  }
}

TEST(Risorse, PaletteSheetsCarryTheirPalettes) {
  struct Caso {
    const char* nome;
    int bit;
    uint32_t colori;
    qint64 byte;  // exact file size, 0 when not fixed
  };
  const Caso casi[] = {
      {Risorse::Fronti, 8, 256, 14 + 40 + 256 * 4 + 600 * 2256},
      {Risorse::SfondoBottone, 4, 16, 12406},
  };
  for (const auto& c : casi) {
    const QByteArray dati = Leggi(c.nome);
    const Intestazione h = LeggiBmp(dati);
    EXPECT_EQ(h.bit, c.bit) << c.nome << " must keep its palette depth";
    EXPECT_EQ(h.colori, c.colori) << c.nome << " declares the wrong number of palette entries";
    EXPECT_EQ(h.inizioPixel, 14u + 40u + 4u * c.colori) << c.nome << ": pixels must follow the palette directly";
    EXPECT_EQ(dati.size(), c.byte) << c.nome << " has the wrong file size";
  }
}

TEST(Risorse, SixDeckStylesLookDifferent) {
  const QImage fronti = Immagine(Risorse::Fronti);
  ASSERT_EQ(fronti.size(), QSize(600, 2256));
  std::vector<QImage> stili;
  for (int k = 0; k < 6; ++k) stili.push_back(fronti.copy(0, k * 376, 600, 376));
  for (int a = 0; a < 6; ++a)
    for (int b = a + 1; b < 6; ++b)
      EXPECT_GT(Differenza(stili[a], stili[b]), 0.08)
          << "Deck style " << a + 1 << " looks almost the same as deck style " << b + 1;
}

TEST(Risorse, EveryCardOfEveryStyleIsDistinct) {
  const QImage fronti = Immagine(Risorse::Fronti);
  for (int stile = 0; stile < 6; ++stile) {
    std::vector<QImage> carte;
    for (int riga = 0; riga < 4; ++riga)
      for (int col = 0; col < 10; ++col) carte.push_back(fronti.copy(col * 60, (stile * 4 + riga) * 94, 60, 94));
    for (size_t a = 0; a < carte.size(); ++a)
      for (size_t b = a + 1; b < carte.size(); ++b)
        EXPECT_GT(Differenza(carte[a], carte[b]), 0.02)
            << "In deck style " << stile + 1 << " card " << a + 1 << " and card " << b + 1 << " look the same";
  }
}

TEST(Risorse, TwentyThreeBacksAreDistinct) {
  const QImage retro = Immagine(Risorse::Retro);
  ASSERT_EQ(retro.size(), QSize(1380, 94));
  for (int a = 0; a < 23; ++a)
    for (int b = a + 1; b < 23; ++b)
      EXPECT_GT(Differenza(retro.copy(a * 60, 0, 60, 94), retro.copy(b * 60, 0, 60, 94)), 0.15)
          << "Card back " << a + 1 << " looks almost the same as card back " << b + 1;
}

TEST(Risorse, FramesShowTheFeltOfTheirTableAroundACardEdge) {
  // Frame k lies on the felt the Scopa table paints for frame k, so the margin round the card
  // must be that felt, and the card's edge must stand out from it.
  const QRgb tappeto[6] = {qRgb(159, 223, 175), qRgb(158, 212, 224), qRgb(224, 158, 158),
                           qRgb(223, 224, 158), qRgb(158, 164, 224), qRgb(224, 158, 224)};
  const QImage bordi = Immagine(Risorse::Bordi);
  for (int k = 0; k < 6; ++k) {
    for (const QPoint& margine : {QPoint(78, 2), QPoint(70, 60), QPoint(30, 112), QPoint(78, 118)})
      EXPECT_EQ(bordi.pixel(k * 80 + margine.x(), margine.y()), tappeto[k])
          << "Frame " << k + 1 << " does not show its table's felt at (" << margine.x() << ", " << margine.y() << ")";
    const int bordo = Luminanza(bordi.pixel(k * 80 + 0, 50)), feltro = Luminanza(tappeto[k]);
    EXPECT_GT(feltro - bordo, 60) << "Frame " << k + 1 << ": the card's left edge does not stand out from the felt";
  }
}

TEST(Risorse, DigitsAreReadableAndDistinct) {
  struct Caso {
    const char* nome;
    int passo, larghezza, altezza;
  };
  const Caso casi[] = {{Risorse::CifrePunteggi, 32, 24, 24}, {Risorse::CifrePiccole, 24, 24, 18}};
  for (const auto& c : casi) {
    const QImage foglio = Immagine(c.nome);
    std::vector<QImage> cifre;
    for (int d = 0; d <= 9; ++d) {
      const QImage cifra = foglio.copy(d * c.passo, 0, c.larghezza, c.altezza);
      int minimo = 255, massimo = 0;
      for (int y = 0; y < cifra.height(); ++y)
        for (int x = 0; x < cifra.width(); ++x) {
          minimo = std::min(minimo, Luminanza(cifra.pixel(x, y)));
          massimo = std::max(massimo, Luminanza(cifra.pixel(x, y)));
        }
      EXPECT_GT(massimo - minimo, 150) << c.nome << ": digit " << d << " has too little contrast to read";
      cifre.push_back(cifra);
    }
    for (int a = 0; a <= 9; ++a)
      for (int b = a + 1; b <= 9; ++b)
        EXPECT_GT(Differenza(cifre[a], cifre[b]), 0.03) << c.nome << ": digits " << a << " and " << b << " look alike";
  }
}

namespace {

struct Wave {
  bool valida = false;
  int formato = 0, canali = 0, frequenza = 0, bit = 0, blocco = 0;
  QByteArray dati;
  uint32_t campioniFact = 0;
};

// Walks the RIFF chunks: "fmt " gives the format, "data" the samples, "fact" the length of
// compressed sound.
Wave LeggiWave(const QByteArray& b) {
  Wave w;
  if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE" || U32(b, 4) != uint32_t(b.size() - 8))
    return w;
  bool fmt = false, data = false;
  for (int i = 12; i + 8 <= b.size();) {
    const QByteArray id = b.mid(i, 4);
    const int n = int(U32(b, i + 4));
    if (i + 8 + n > b.size()) return w;
    if (id == "fmt ") {
      w.formato = U16(b, i + 8);
      w.canali = U16(b, i + 10);
      w.frequenza = int(U32(b, i + 12));
      w.blocco = U16(b, i + 20);
      w.bit = U16(b, i + 22);
      fmt = true;
    } else if (id == "data") {
      w.dati = b.mid(i + 8, n);
      data = true;
    } else if (id == "fact") {
      w.campioniFact = U32(b, i + 8);
    }
    i += 8 + n + (n & 1);
  }
  w.valida = fmt && data;
  return w;
}

}  // namespace

TEST(Risorse, SoundsHaveTheirWaveFormats) {
  struct Caso {
    const char* nome;
    int formato, canali, frequenza, bit;
  };
  const Caso casi[] = {
      {":/snd/wellcome.wav", 17, 1, 22050, 4}, {":/snd/mescola.wav", 1, 1, 11025, 8},
      {":/snd/giocacarta.wav", 1, 1, 22050, 8}, {":/snd/scopa.wav", 1, 1, 22050, 16},
      {":/snd/vittoria.wav", 1, 2, 22050, 8},  {":/snd/perdita.wav", 1, 1, 11025, 8},
  };
  for (const auto& c : casi) {
    const Wave w = LeggiWave(Leggi(c.nome));
    ASSERT_TRUE(w.valida) << "The sound " << c.nome << " is missing or is not a RIFF WAVE file";
    EXPECT_EQ(w.formato, c.formato) << c.nome << " has the wrong format tag (1 = PCM, 17 = IMA ADPCM)";
    EXPECT_EQ(w.canali, c.canali) << c.nome << " has the wrong number of channels";
    EXPECT_EQ(w.frequenza, c.frequenza) << c.nome << " has the wrong sample rate";
    EXPECT_EQ(w.bit, c.bit) << c.nome << " has the wrong sample size";
  }
}

TEST(Risorse, SoundsAreShortAndNeverClip) {
  struct Caso {
    const char* nome;
    double minimo, massimo;  // seconds
  };
  const Caso casi[] = {
      {":/snd/wellcome.wav", 1.0, 2.0}, {":/snd/mescola.wav", 0.6, 1.0}, {":/snd/giocacarta.wav", 0.1, 0.25},
      {":/snd/scopa.wav", 0.4, 1.5},    {":/snd/vittoria.wav", 0.8, 2.0}, {":/snd/perdita.wav", 0.8, 2.0},
  };
  for (const auto& c : casi) {
    const Wave w = LeggiWave(Leggi(c.nome));
    ASSERT_TRUE(w.valida) << c.nome << " cannot be read";
    double secondi = 0;
    if (w.formato == 17) {
      ASSERT_GT(w.campioniFact, 0u) << c.nome << ": a compressed sound needs its length in a fact chunk";
      secondi = double(w.campioniFact) / w.frequenza;
    } else {
      secondi = double(w.dati.size()) / w.blocco / w.frequenza;
      // Samples at the very end of the range mean the sound was clipped.
      int picco = 0;
      for (int i = 0; i + w.bit / 8 <= w.dati.size(); i += w.bit / 8) {
        const int v = w.bit == 8 ? std::abs(int(uint8_t(w.dati[i])) - 128) : std::abs(int(int16_t(U16(w.dati, i))));
        picco = std::max(picco, v);
      }
      const int fondoScala = w.bit == 8 ? 127 : 32767;
      EXPECT_LT(picco, fondoScala) << c.nome << " reaches full scale: it would crackle";
      EXPECT_GT(picco, fondoScala / 4) << c.nome << " is too quiet to hear";
    }
    EXPECT_GE(secondi, c.minimo) << c.nome << " is too short";
    EXPECT_LE(secondi, c.massimo) << c.nome << " is too long";
  }
}

TEST(Risorse, ScoreDigitsFitTheTwentyFourPixelPictures) {
  // The Briscola table shows each score digit in a 24 x 24 picture although the sheet's cells
  // are 32 wide: the numeral and its tile must lie within the first 24 columns of the cell.
  const QImage foglio = Immagine(Risorse::CifrePunteggi);
  const QRgb feltro = foglio.pixel(320, 12);
  for (int d = 0; d <= 9; ++d)
    for (int x = 24; x < 32; ++x)
      for (int y = 0; y < 24; ++y)
        ASSERT_EQ(foglio.pixel(d * 32 + x, y), feltro)
            << "digit " << d << " reaches column " << x << " of its cell and would be cut off";
}

TEST(Risorse, HoverPicturesStandOutFromRestingOnes) {
  struct Coppia {
    QString normale, attivo;
  };
  std::vector<Coppia> coppie;
  for (const char* n : {"nuovapartita", "configurazione", "punteggi", "chiudi", "ok", "nuovacarta", "stop",
                        "nuovoturno", "prendi", "altra"})
    coppie.push_back({QString(":/img/btn_%1_normale.bmp").arg(n), QString(":/img/btn_%1_attivo.bmp").arg(n)});
  for (const char* n : {"briscola", "scopa", "rubamazzo", "settemezzo", "rete", "chiudi"})
    coppie.push_back({QString(":/img/splash_%1_normale.bmp").arg(n), QString(":/img/splash_%1_attivo.bmp").arg(n)});
  coppie.push_back({":/img/chiudipubblicita_normale.bmp", ":/img/chiudipubblicita_attivo.bmp"});
  for (const auto& c : coppie) {
    const QImage a = Immagine(c.normale), b = Immagine(c.attivo);
    ASSERT_EQ(a.size(), b.size()) << c.normale.toStdString();
    EXPECT_GT(Differenza(a, b), 0.3) << c.attivo.toStdString() << " is hard to tell from the resting picture";
  }
}

TEST(Risorse, DisabledButtonsLookGreyedOut) {
  auto saturazione = [](const QImage& img) {
    double somma = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) somma += QColor(img.pixel(x, y)).hsvSaturationF();
    return somma / (img.width() * img.height());
  };
  for (const char* n : {"nuovapartita", "configurazione", "punteggi", "chiudi", "ok", "nuovacarta", "stop",
                        "nuovoturno", "prendi", "altra"}) {
    const double attivo = saturazione(Immagine(QString(":/img/btn_%1_normale.bmp").arg(n)));
    const double spento = saturazione(Immagine(QString(":/img/btn_%1_disabilitato.bmp").arg(n)));
    EXPECT_LT(spento, attivo * 0.5) << "the disabled '" << n << "' button still looks usable";
  }
}

TEST(Risorse, ChooserButtonsBlendIntoTheBackground) {
  // Each button picture is drawn over the part of the chooser's background it covers, so its
  // corners match the background exactly where the button sits.
  const QImage sfondo = Immagine(Risorse::SfondoSplash);
  const struct {
    const char* nome;
    int y;
  } bottoni[] = {{"briscola", 28}, {"scopa", 114}, {"rubamazzo", 200}, {"settemezzo", 286}, {"rete", 372}, {"chiudi", 458}};
  for (const auto& b : bottoni)
    for (const char* stato : {"normale", "attivo"}) {
      const QImage img = Immagine(QString(":/img/splash_%1_%2.bmp").arg(b.nome, stato));
      for (const QPoint& q : {QPoint(0, 0), QPoint(599, 0), QPoint(0, 85), QPoint(599, 85)})
        EXPECT_EQ(img.pixel(q), sfondo.pixel(130 + q.x(), b.y + q.y()))
            << "the " << b.nome << " button (" << stato << ") shows a seam at corner (" << q.x() << ", " << q.y() << ")";
    }
}

TEST(Risorse, TurnPicturesTellTheTwoSidesApart) {
  EXPECT_GT(Differenza(Immagine(Risorse::TurnoComputer), Immagine(Risorse::TurnoGiocatore)), 0.3)
      << "the computer's and the player's turn pictures look alike";
}

TEST(Risorse, CompressedGreetingHasAConsistentAdpcmHeader) {
  // A player that trusts the header must find whole blocks of the size it announces.
  const QByteArray b = Leggi(":/snd/wellcome.wav");
  const Wave w = LeggiWave(b);
  ASSERT_TRUE(w.valida);
  ASSERT_EQ(w.formato, 17);
  const int fmt = b.indexOf("fmt ");
  ASSERT_GE(U32(b, fmt + 4), 20u) << "an IMA ADPCM format chunk carries the samples per block";
  const int extra = U16(b, fmt + 24), campioniBlocco = U16(b, fmt + 26);
  const uint32_t byteAlSecondo = U32(b, fmt + 16);
  EXPECT_EQ(extra, 2);
  EXPECT_EQ(campioniBlocco, (w.blocco - 4 * w.canali) * 8 / (4 * w.canali) + 1)
      << "samples per block do not match the block size";
  EXPECT_EQ(w.dati.size() % w.blocco, 0) << "the sound data is not made of whole blocks";
  EXPECT_NEAR(double(byteAlSecondo), double(w.frequenza) * w.blocco / campioniBlocco, 1.0)
      << "the byte rate does not match the block layout";
  EXPECT_LE(w.campioniFact, uint32_t(w.dati.size() / w.blocco * campioniBlocco));
}

TEST(Risorse, PcmSoundsFadeToSilence) {
  for (const char* nome : {":/snd/mescola.wav", ":/snd/giocacarta.wav", ":/snd/scopa.wav", ":/snd/vittoria.wav",
                           ":/snd/perdita.wav"}) {
    const Wave w = LeggiWave(Leggi(nome));
    ASSERT_TRUE(w.valida) << nome;
    const int n = w.bit / 8;
    for (int c = 0; c < w.canali; ++c) {
      const int i = w.dati.size() - (w.canali - c) * n;
      const int ultimo = n == 1 ? int(uint8_t(w.dati[i])) - 128 : int(int16_t(U16(w.dati, i))) / 256;
      EXPECT_LE(std::abs(ultimo), 2) << nome << " stops on a loud sample and would click";
    }
  }
}

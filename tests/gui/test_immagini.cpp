// The shared picture cache: the fast BMP reader gives exactly Qt's pixels for every picture
// the program embeds and for the odd forms a BMP can take, pictures are decoded once and
// shared, and the windows decode nothing big until they are drawn.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDirIterator>
#include <QImage>
#include <QImageReader>
#include <QResource>
#include <cstring>

#include "app/Finestre.h"
#include "app/TFormConfig.h"
#include "components/Immagini.h"
#include "components/VelCarte.h"
#include "components/VelImage.h"
#include "components/VelmoBottone.h"
#include "resources/Risorse.h"
#include "tests/gui/FinestreDiProva.h"

namespace {

QImage ConQt(const QByteArray& bmp)
{
    QBuffer b;
    b.setData(bmp);
    b.open(QIODevice::ReadOnly);
    return QImageReader(&b).read().convertToFormat(QImage::Format_RGB32);
}

QByteArray Bmp(const QImage& img)
{
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "BMP");
    return out;
}

// Pixels compared as 24-bit colours: the reader and Qt may differ only in the unused alpha.
::testing::AssertionResult StessiPixel(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "sizes " << a.width() << "x" << a.height() << " and " << b.width() << "x"
                                             << b.height();
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " differs";
    return ::testing::AssertionSuccess();
}

}  // namespace

// Every embedded picture, BMP or not (what is not a BMP goes through Qt's reader).
TEST(ImmaginiCondivise, EveryEmbeddedPictureReadsAsQtReadsIt)
{
    int viste = 0;
    QDirIterator it(":/img", QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString nome = it.next();
        QFile f(nome);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(nome);
        const QByteArray dati = f.readAll();
        const QImage nostra = Immagini::DecodificaBmp(dati);
        if (nome.endsWith(".bmp")) {
            EXPECT_EQ(nostra.format(), QImage::Format_RGB32) << qPrintable(nome);
            EXPECT_TRUE(StessiPixel(nostra, ConQt(dati))) << qPrintable(nome);
        } else {
            // Qt reads the rest; a picture with transparency keeps it.
            EXPECT_EQ(nostra.size(), ConQt(dati).size()) << qPrintable(nome);
            EXPECT_EQ(nostra.hasAlphaChannel(), QImage(nome).hasAlphaChannel()) << qPrintable(nome);
        }
        ++viste;
    }
    EXPECT_GT(viste, 50) << "the embedded pictures were not found";
}

TEST(ImmaginiCondivise, OddBmpFormsReadAsQtReadsThem)
{
    // Widths that leave 1, 2 and 3 pixels after the four-at-a-time groups, and padded rows.
    QImage colori(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) colori.setPixel(x, y, qRgb(x * 30, y * 50, (x * y * 13) % 256));
    struct Caso { const char* nome; QImage img; };
    const Caso casi[] = {
        {"24 bit, 7 wide", colori.convertToFormat(QImage::Format_RGB888)},
        {"24 bit, 5 wide", colori.copy(0, 0, 5, 5).convertToFormat(QImage::Format_RGB888)},
        {"24 bit, 6 wide", colori.copy(0, 0, 6, 5).convertToFormat(QImage::Format_RGB888)},
        {"32 bit", colori},
    };
    for (const Caso& k : casi) {
        const QByteArray bmp = Bmp(k.img);
        EXPECT_TRUE(StessiPixel(Immagini::DecodificaBmp(bmp), ConQt(bmp))) << k.nome;
    }
    // The 8-bit card sheet kept 8-bit on request: same colours, a quarter of the bytes.
    QFile f(Risorse::Fronti);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray fronti = f.readAll();
    const QImage foglio = Immagini::DecodificaBmp(fronti, true);
    EXPECT_EQ(foglio.format(), QImage::Format_Indexed8);
    EXPECT_TRUE(StessiPixel(foglio.convertToFormat(QImage::Format_RGB32), ConQt(fronti)));
}

TEST(ImmaginiCondivise, DamagedFilesNeverCrashOrGrow)
{
    QImage img(9, 4, QImage::Format_RGB888);
    img.fill(Qt::red);
    const QByteArray buona = Bmp(img);
    struct Caso { const char* nome; QByteArray dati; };
    QByteArray altaEnorme = buona;
    const qint32 altezza = 1 << 30;
    std::memcpy(altaEnorme.data() + 22, &altezza, 4);
    QByteArray inizioOltre = buona;
    const quint32 oltre = 0x7FFFFFF0u;
    std::memcpy(inizioOltre.data() + 10, &oltre, 4);
    const Caso nulle[] = {
        {"empty", QByteArray()},
        {"not a BMP", QByteArray("GIF89a and some bytes that are not a picture at all, padded out")},
        {"height beyond the data", altaEnorme},
    };
    for (const Caso& k : nulle) EXPECT_TRUE(Immagini::DecodificaBmp(k.dati).isNull()) << k.nome;
    // Qt's reader, which takes over for these, may keep what it could read: never more.
    for (const QByteArray& dati : {buona.left(buona.size() - 20), inizioOltre}) {
        const QImage letta = Immagini::DecodificaBmp(dati);
        EXPECT_TRUE(letta.isNull() || letta.size() == img.size());
    }
}

TEST(ImmaginiCondivise, APictureIsDecodedOnceAndSharedUntilSomeoneDrawsOnIt)
{
    Immagini::Dimentica();
    const int prima = Immagini::Decodificate();
    const QImage a = Immagini::Condivisa(Risorse::TurnoComputer);
    const QImage b = Immagini::Condivisa(Risorse::TurnoComputer);
    EXPECT_EQ(Immagini::Decodificate(), prima + 1);
    EXPECT_EQ(a.constBits(), b.constBits()) << "two windows asking for one picture share its pixels";

    VelImage slot;
    slot.resize(145, 201);
    slot.ImpostaPicture(a);
    EXPECT_EQ(slot.Picture().constBits(), a.constBits());
    slot.Canvas().setPixel(0, 0, qRgb(1, 2, 3));  // drawing into the slot copies it first
    EXPECT_NE(slot.Picture().constBits(), a.constBits());
    EXPECT_NE(a.pixel(0, 0), qRgb(1, 2, 3));

    EXPECT_TRUE(Immagini::Condivisa(":/img/non_esiste.bmp").isNull());
    EXPECT_FALSE(Immagini::Disponibile(":/img/non_esiste.bmp"));
    EXPECT_EQ(Immagini::Scalata(Risorse::TurnoComputer, QSize(20, 30)).size(), QSize(20, 30));
}

TEST(ImmaginiCondivise, NamedPicturesWaitUntilTheyAreNeeded)
{
    Immagini::Dimentica();
    VelmoBottone b;
    b.setNormaleDaRisorsa(":/img/btn_ok_normale.bmp", QSize(145, 32));
    VelCarte v;
    v.setTipo(2);
    v.setDimX(80);
    v.setDimY(120);
    v.setDimXCarte(60);
    v.setDimYCarte(94);
    v.setBufferImmaginiDaRisorsa(Risorse::Fronti);
    v.setBordiCartaDaRisorsa(Risorse::Bordi);
    const int prima = Immagini::Decodificate();
    EXPECT_EQ(Immagini::Decodificate(), prima) << "nothing is decoded before it is drawn";

    EXPECT_EQ(b.Normale().size(), QSize(145, 32));
    VelImage slot;
    v.CartaDalNumero(1, &slot);
    EXPECT_EQ(Immagini::Decodificate(), prima + 3);
    EXPECT_EQ(v.BufferImmagini().format(), QImage::Format_Indexed8) << "the face sheet stays 8-bit";
    // The card drawn from the 8-bit sheet has the sheet's colours at its face.
    const QImage fronti = QImage(Risorse::Fronti).convertToFormat(QImage::Format_RGB32);
    const int riga = 4 * (v.Mazzo() - 1);
    EXPECT_EQ(slot.Picture().pixel(1 + 30, 2 + 40) & 0xFFFFFF, fronti.pixel(30, riga * 94 + 40) & 0xFFFFFF);
}

using AvvioLeggero = FinestreDiProva;

TEST_F(AvvioLeggero, CreatingTheWindowsDecodesNoBigPicture)
{
    // The fixture has created the nine windows; they are made again on an empty cache.
    DistruggiFinestre();
    Immagini::Dimentica();
    CreaFinestre();
    EXPECT_TRUE(Immagini::Decodificata(Risorse::SfondoSplash)) << "the chooser is drawn first";
    for (const char* grande : {Risorse::SfondoConfig, Risorse::SfondoPunteggi, Risorse::SfondoTavolo, Risorse::Fronti,
                               Risorse::CifrePunteggiSel, ":/img/splash_scopa_attivo.bmp"})
        EXPECT_FALSE(Immagini::Decodificata(grande)) << grande << " is decoded before its window is drawn";
    EXPECT_FALSE(FormConfig->VelCarte1->BufferImmagini().isNull()) << "asked for, the sheet is there";
    EXPECT_TRUE(Immagini::Decodificata(Risorse::Fronti));
}

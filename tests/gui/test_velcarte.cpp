// The deck component's pictures: which cell of which sheet a card comes from, how the new
// system lays the face into its frame, and the derived pictures (highlighted, half size,
// sideways). Synthetic sheets with known pixels stand in for the card art.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>

#include "components/VelCarte.h"
#include "components/VelImage.h"
#include "core/Pausa.h"

namespace {

constexpr QRgb Angolo = 0xFFFF00FFu;  // marks the top-left pixel of every cell

// Colour of the cell in column `col`, row `riga` of a synthetic sheet (blue 200).
QRgb ColoreCella(int col, int riga) { return qRgb(10 + col * 8, 10 + riga * 9, 200); }
// Colour of frame k (blue 0, so never mistaken for a face).
QRgb ColoreCornice(int k) { return qRgb(40 * k, 40, 0); }

QImage Foglio(int w, int h, int colonne, int righe)
{
    QImage img(w * colonne, h * righe, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, (x % w == 0 && y % h == 0) ? Angolo : ColoreCella(x / w, y / h));
    return img;
}

QImage Cornici(int w, int h, int quante)
{
    QImage img(w * quante, h, QImage::Format_RGB32);
    for (int k = 1; k <= quante; ++k)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.setPixel((k - 1) * w + x, y, ColoreCornice(k));
    return img;
}

QImage Tinta(int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

QString Rgb(QRgb c)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// Compares pixels without the alpha byte.
#define EXPECT_PIXEL(img, x, y, atteso, cosa)                                              \
    EXPECT_EQ(Rgb((img).pixel((x), (y))).toStdString(), Rgb(atteso).toStdString())         \
        << cosa << " at (" << (x) << ", " << (y) << ")"

// The fronts as the configuration window carries them: new system, 80 x 120 cards built from
// a frame and a 60 x 94 face, six deck styles of four rows.
void ComeFronti(VelCarte& v)
{
    v.setTipo(2);
    v.setDimX(80);
    v.setDimY(120);
    v.setDimXCarte(60);
    v.setDimYCarte(94);
    v.setBufferImmagini(Foglio(60, 94, 10, 24));
    v.setBordiCarta(Cornici(80, 120, 6));
}

// The small old-system instance: whole pictures from one sheet.
void ComeVecchio(VelCarte& v, int w = 24, int h = 20)
{
    v.setTipo(1);
    v.setDimX(w);
    v.setDimY(h);
    v.setBufferImmagini(Foglio(w, h, 10, 4));
}

VelImage* NuovoSlot(QWidget* padre, int w = 80, int h = 120)
{
    auto* s = new VelImage(padre);
    s->resize(w, h);
    s->Canvas().fill(Qt::black);
    return s;
}

// Counts the paint events a widget receives.
class ContaPitture : public QObject {
public:
    explicit ContaPitture(QWidget* w) { w->installEventFilter(this); }
    int conteggio = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) ++conteggio;
        return false;
    }
};

}  // namespace

TEST(ImmaginiMazzo, CardIsReadFromItsCellOfTheChosenDeckStyle)
{
    struct Caso { int mazzo, carta, colonna, riga; };
    const Caso casi[] = {
        {3, 1, 0, 8},    // Denari 1 of the third style
        {3, 40, 9, 11},  // Coppe 10 of the third style
        {1, 23, 2, 2},   // Bastoni 3 of the first style
        {6, 11, 0, 21},  // Spade 1 of the last style
    };
    QWidget tavolo;
    for (int tipo : {1, 2}) {
        VelCarte v(&tavolo);
        if (tipo == 2) ComeFronti(v);
        else {
            ComeVecchio(v, 60, 94);
            v.setBufferImmagini(Foglio(60, 94, 10, 24));
        }
        VelImage* slot = NuovoSlot(&tavolo);
        for (const Caso& k : casi) {
            v.setMazzo(k.mazzo);
            v.CartaDalNumero(k.carta, slot);
            const int dx = tipo == 2 ? 1 : 0, dy = tipo == 2 ? 2 : 0;
            EXPECT_PIXEL(slot->Canvas(), dx + 30, dy + 40, ColoreCella(k.colonna, k.riga),
                         "system " << tipo << ", style " << k.mazzo << ", card " << k.carta
                                   << " should come from column " << k.colonna << " row " << k.riga);
            EXPECT_PIXEL(slot->Canvas(), dx, dy, Angolo, "the cell's first pixel of card " << k.carta);
        }
    }
}

TEST(ImmaginiMazzo, NewSystemLaysTheFaceIntoTheFrameAtOneTwo)
{
    QWidget tavolo;
    VelCarte v(&tavolo);
    ComeFronti(v);
    v.setBordoCartaNumero(4);
    VelImage* slot = NuovoSlot(&tavolo);
    v.CartaDalNumero(1, slot);
    const QImage& c = slot->Canvas();
    struct Punto { int x, y; bool faccia; const char* dove; };
    const Punto punti[] = {
        {0, 0, false, "top-left corner of the frame"},
        {0, 50, false, "left edge of the frame"},
        {1, 1, false, "frame row above the face"},
        {1, 2, true, "first pixel of the face"},
        {60, 95, true, "last pixel of the face"},
        {61, 50, false, "frame right of the face"},
        {30, 96, false, "frame below the face"},
        {79, 119, false, "bottom-right corner of the frame"},
    };
    for (const Punto& p : punti) {
        const QRgb atteso = p.faccia ? (p.x == 1 && p.y == 2 ? Angolo : ColoreCella(0, 0)) : ColoreCornice(4);
        EXPECT_PIXEL(c, p.x, p.y, atteso, p.dove);
    }
}

TEST(ImmaginiMazzo, HighlightTintsOnlyTheFaceInterior)
{
    struct Caso { QRgb prima, dopo; const char* cosa; };
    const Caso casi[] = {
        {qRgb(100, 100, 100), qRgb(80, 120, 80), "a pure grey"},
        {qRgb(10, 250, 10), qRgb(8, 255, 8), "a green of 250 (capped, not 300)"},
        {qRgb(255, 213, 7), qRgb(204, 255, 5), "a bright yellow"},
        {qRgb(1, 1, 1), qRgb(0, 1, 0), "near black (truncated toward zero)"},
        {qRgb(0, 0, 0), qRgb(0, 0, 0), "black"},
    };
    QWidget tavolo;
    for (const Caso& k : casi) {
        VelCarte v(&tavolo);
        ComeFronti(v);
        v.setBufferImmagini(Tinta(600, 2256, k.prima));
        VelImage* slot = NuovoSlot(&tavolo);
        v.SelezionaImmagine(7, slot);
        v.Disegna();  // the own painting refreshes ImmagineSele the same way
        for (const QImage* img : {static_cast<const QImage*>(&slot->Canvas()), &v.ImmagineSele()}) {
            const char* quale = img == &slot->Canvas() ? "highlighted slot" : "ImmagineSele";
            EXPECT_PIXEL(*img, 2, 2, k.dopo, quale << ": " << k.cosa << " tinted");
            EXPECT_PIXEL(*img, 59, 93, k.dopo, quale << ": " << k.cosa << " tinted");
            EXPECT_PIXEL(*img, 1, 50, k.prima, quale << ": the face's first column keeps its colour");
            EXPECT_PIXEL(*img, 60, 50, k.prima, quale << ": the face's last column keeps its colour");
            EXPECT_PIXEL(*img, 30, 94, k.prima, quale << ": the face's second-last row keeps its colour");
            EXPECT_PIXEL(*img, 30, 95, k.prima, quale << ": the face's last row keeps its colour");
            EXPECT_PIXEL(*img, 70, 50, ColoreCornice(1), quale << ": the frame keeps its colour");
        }
        EXPECT_PIXEL(v.ImmagineNorm(), 2, 2, k.prima, "ImmagineNorm stays untinted");
    }
}

TEST(ImmaginiMazzo, HalfSizeKeepsTheEvenPixels)
{
    QWidget tavolo;
    VelCarte v(&tavolo);
    v.setDimX(80);
    v.setDimY(120);
    QImage norm(80, 120, QImage::Format_RGB32);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 80; ++x)
            norm.setPixel(x, y, (x % 2 || y % 2) ? qRgb(0, 0, 255) : qRgb(x, y, 0));
    v.setImmagineNorm(norm);
    v.RiduciImmagine();
    ASSERT_EQ(v.ImmagineMini().size(), QSize(40, 60));
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(v.ImmagineMini().pixel(x, y) & 0xFFFFFF, qRgb(2 * x, 2 * y, 0) & 0xFFFFFF)
                << "half-size pixel (" << x << ", " << y << ") should be full-size pixel ("
                << 2 * x << ", " << 2 * y << "), not an odd or averaged one";
}

TEST(ImmaginiMazzo, SidewaysPictureIsTheUprightOneMirroredAboutItsDiagonal)
{
    QWidget tavolo;
    VelCarte v(&tavolo);
    v.setDimX(80);
    v.setDimY(120);
    QImage norm(80, 120, QImage::Format_RGB32);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 80; ++x) norm.setPixel(x, y, qRgb(x, y, 7));
    v.setImmagineNorm(norm);
    v.RuotaImmagine();
    ASSERT_EQ(v.ImmagineRove().size(), QSize(120, 80));
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(v.ImmagineRove().pixel(y, x) & 0xFFFFFF, qRgb(x, y, 7) & 0xFFFFFF)
                << "sideways pixel (" << y << ", " << x << ")";

    VelImage* slot = NuovoSlot(&tavolo, 120, 80);
    v.setBufferImmagini(Foglio(60, 94, 10, 4));  // drawing needs a face sheet present
    v.RuotaImmagineCompleta(slot);
    EXPECT_EQ(slot->Canvas(), v.ImmagineRove().convertToFormat(QImage::Format_RGB32))
        << "the whole card turned into the slot should match the sideways picture";
}

TEST(ImmaginiMazzo, SidewaysCardLiesWholeInItsSlot)
{
    QWidget tavolo;
    VelCarte v(&tavolo);
    ComeFronti(v);
    v.setBordoCartaNumero(2);
    VelImage* dritta = NuovoSlot(&tavolo, 80, 120);
    v.CartaDalNumero(27, dritta);
    VelImage* distesa = NuovoSlot(&tavolo, 120, 80);
    const QImage roveDiPrima = v.ImmagineRove().copy();
    v.RuotaImmagine(27, distesa);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(distesa->Canvas().pixel(y, x), dritta->Canvas().pixel(x, y))
                << "the sideways card in the 120 x 80 slot is missing its upright pixel (" << x << ", "
                << y << "): the card must lie there whole";
    EXPECT_PIXEL(distesa->Canvas(), 119, 79, ColoreCornice(2), "the far corner of the sideways frame");
    EXPECT_EQ(v.ImmagineRove(), roveDiPrima) << "the sideways picture must return to the component's own card";
}

TEST(ImmaginiMazzo, PositionShowsTheCardOfTheEntryOfTheEntry)
{
    QWidget tavolo;
    VelCarte v(&tavolo);
    ComeFronti(v);
    VelImage* slot = NuovoSlot(&tavolo);
    // Position 1 holds 5 and entry 5 holds 23: the card of position 1 is 23 (Bastoni 3).
    v.ImpostaCartaImmediata(1, 5);
    v.ImpostaCartaImmediata(5, 23);
    ASSERT_EQ(v.RitornaCarta(1), 23);
    v.CartaNuovoSistema(1, slot);
    EXPECT_EQ(v.SemeCarta(), 3);
    EXPECT_EQ(v.NumeroCarta(), 3);
    EXPECT_PIXEL(slot->Canvas(), 30, 40, ColoreCella(2, 2), "position 1 should show card 23, not card 5");

    VelCarte vecchio(&tavolo);
    ComeVecchio(vecchio);
    vecchio.ImpostaCartaImmediata(1, 5);
    vecchio.ImpostaCartaImmediata(5, 40);
    VelImage* piccolo = NuovoSlot(&tavolo, 24, 20);
    vecchio.Carta(1, piccolo);
    EXPECT_PIXEL(piccolo->Canvas(), 5, 5, ColoreCella(9, 3), "old-system position 1 should show card 40");
}

TEST(ImmaginiMazzo, CardNumberCountsTenCardsPerSuit)
{
    struct Caso { int carta, seme, numero; };
    const Caso casi[] = {{1, 1, 1}, {10, 1, 10}, {11, 2, 1}, {23, 3, 3}, {30, 3, 10}, {40, 4, 10}, {0, 0, 10}};
    QWidget tavolo;
    VelCarte v(&tavolo);
    ComeFronti(v);
    v.setImmaginiCarteColonne(23);  // even on a sheet with 23 columns
    v.setImmaginiCarteRighe(1);
    VelImage* slot = NuovoSlot(&tavolo);
    for (const Caso& k : casi) {
        v.CartaDalNumero(k.carta, slot);
        EXPECT_EQ(v.SemeCarta(), k.seme) << "suit of card " << k.carta;
        EXPECT_EQ(v.NumeroCarta(), k.numero) << "number of card " << k.carta;
    }
}

TEST(ImmaginiMazzo, BackSheetReachesOnlyItsFirstTenDesigns)
{
    QWidget tavolo;
    VelCarte retro(&tavolo);
    ComeFronti(retro);
    retro.setBufferImmagini(Foglio(60, 94, 23, 1));
    VelImage* slot = NuovoSlot(&tavolo);
    retro.CartaDalNumero(7, slot);
    EXPECT_PIXEL(slot->Canvas(), 30, 40, ColoreCella(6, 0), "back design 7");
    slot->Canvas().fill(Qt::black);
    retro.CartaDalNumero(12, slot);
    EXPECT_PIXEL(slot->Canvas(), 30, 40, ColoreCornice(1), "design 12 addresses a row the sheet lacks: no face over the frame");
    EXPECT_PIXEL(slot->Canvas(), 70, 40, ColoreCornice(1), "the frame is still drawn");
}

TEST(ImmaginiMazzo, MissingFaceSheetDrawsNothingButStillRepaints)
{
    QWidget tavolo;
    tavolo.resize(400, 400);
    VelCarte v(&tavolo);
    v.setTipo(2);
    v.setDimX(80);
    v.setDimY(120);
    v.setDimXCarte(60);
    v.setDimYCarte(94);
    v.setBordiCarta(Cornici(80, 120, 6));
    v.setBufferImmagini(QImage(0, 0, QImage::Format_RGB32));  // present but empty counts as absent
    VelImage* slot = NuovoSlot(&tavolo);
    VelImage* distesa = NuovoSlot(&tavolo, 120, 80);
    tavolo.show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(slot->isVisible());
    const QImage nero = slot->Canvas().copy();
    const QImage neroDisteso = distesa->Canvas().copy();
    struct Caso { const char* operazione; std::function<void()> f; VelImage* dove; };
    const Caso casi[] = {
        {"CartaDalNumero", [&] { v.CartaDalNumero(5, slot); }, slot},
        {"CartaNuovoSistema", [&] { v.CartaNuovoSistema(1, slot); }, slot},
        {"Carta by suit", [&] { v.Carta(1, 5, slot); }, slot},
        {"Carta by position", [&] { v.Carta(1, slot); }, slot},
        {"CambiaStato", [&] { v.CambiaStato(1, slot); }, slot},
        {"CambiaStatoNuovoSistema", [&] { v.CambiaStatoNuovoSistema(1, slot); }, slot},
        {"SelezionaImmagine", [&] { v.SelezionaImmagine(5, slot); }, slot},
        {"RuotaImmagine", [&] { v.RuotaImmagine(5, distesa); }, distesa},
        {"RuotaImmagineCompleta", [&] { v.RuotaImmagineCompleta(distesa); }, distesa},
    };
    for (const Caso& k : casi) {
        ContaPitture pitture(k.dove);
        k.f();
        EXPECT_EQ(k.dove->Canvas(), k.dove == slot ? nero : neroDisteso)
            << k.operazione << " drew something although there is no face sheet";
        EXPECT_GE(pitture.conteggio, 1) << k.operazione << " did not repaint the slot";
    }
}

TEST(ImmaginiMazzo, MarkedCardUsesTheHighlightedSheetOnlyWhenAllowed)
{
    QWidget tavolo;
    VelCarte v(&tavolo);
    ComeVecchio(v);
    v.setBufferImmaginiSelezionate(Tinta(240, 80, qRgb(0, 255, 0)));
    v.ImpostaCartaImmediata(3, 3);  // position 3 holds card 3, and entry 3 is itself
    v.ImpostaStato(3, 1);           // card 3 is marked
    VelImage* slot = NuovoSlot(&tavolo, 24, 20);
    struct Caso { bool seleziona; int carta; QRgb atteso; const char* cosa; };
    const Caso casi[] = {
        {true, 3, qRgb(0, 255, 0), "a marked card with highlighting allowed shows the highlighted sheet"},
        {false, 3, ColoreCella(2, 0), "a marked card with highlighting off shows the normal sheet"},
        {true, 4, ColoreCella(3, 0), "an unmarked card shows the normal sheet"},
    };
    for (const Caso& k : casi) {
        v.setSeleziona(k.seleziona);
        v.Carta(1, k.carta, slot);
        EXPECT_PIXEL(slot->Canvas(), 5, 5, k.atteso, k.cosa);
    }
    // The component's own painting consults the card's state alone.
    v.setSeleziona(false);
    v.setSemeCarta(1);
    v.setNumeroCarta(3);
    v.Disegna();
    EXPECT_PIXEL(v.Superficie(), 5, 5, qRgb(0, 255, 0), "own painting of a marked card ignores Seleziona");
    EXPECT_PIXEL(v.ImmagineNorm(), 5, 5, qRgb(0, 255, 0), "ImmagineNorm follows the own painting");
}

TEST(ImmaginiMazzo, StateToggleFlipsTheStateAndShowsTheCard)
{
    QWidget tavolo;
    VelCarte v(&tavolo);
    ComeFronti(v);
    v.setBufferImmagini(Tinta(600, 2256, qRgb(100, 100, 100)));
    v.ImpostaCartaImmediata(2, 9);
    v.ImpostaCartaImmediata(9, 9);
    VelImage* slot = NuovoSlot(&tavolo);
    v.ImpostaStato(2, 5);
    for (int atteso : {0, 1, 0}) {
        v.CambiaStatoNuovoSistema(2, slot);
        EXPECT_EQ(v.RitornaStato(2), atteso) << "state after a toggle";
        // Highlighted whatever the new state.
        EXPECT_PIXEL(slot->Canvas(), 10, 10, qRgb(80, 120, 80), "the toggled card is drawn highlighted");
        EXPECT_PIXEL(v.ImmagineSele(), 10, 10, qRgb(80, 120, 80), "ImmagineSele holds the highlighted card");
    }
}

TEST(ImmaginiMazzo, OwnPaintingRefreshesEveryDerivedPicture)
{
    QWidget tavolo;
    VelCarte v(&tavolo);
    ComeFronti(v);
    v.setBordoCartaNumero(3);
    v.setSemeCarta(2);
    v.setNumeroCarta(4);
    v.Disegna();
    EXPECT_EQ(v.size(), QSize(80, 120)) << "the control takes the card's size";
    const QImage& n = v.ImmagineNorm();
    EXPECT_PIXEL(n, 0, 0, ColoreCornice(3), "frame in ImmagineNorm");
    EXPECT_PIXEL(n, 1, 2, Angolo, "face placed at (1, 2)");
    EXPECT_PIXEL(n, 30, 40, ColoreCella(3, 1), "Spade 4 in ImmagineNorm");
    EXPECT_PIXEL(v.Superficie(), 30, 40, ColoreCella(3, 1), "Spade 4 painted on the control");
    EXPECT_PIXEL(v.ImmagineRove(), 40, 30, ColoreCella(3, 1), "sideways picture refreshed");
    EXPECT_PIXEL(v.ImmagineMini(), 15, 20, ColoreCella(3, 1), "half-size picture refreshed");
    EXPECT_EQ(v.ImmagineSele().pixel(70, 60), n.pixel(70, 60)) << "highlighted picture keeps the frame";
    EXPECT_NE(v.ImmagineSele().pixel(30, 40), n.pixel(30, 40)) << "highlighted picture tints the face";
}

TEST(ImmaginiMazzo, PaintingDuringAFlightShowsTheCachedCard)
{
    QWidget tavolo;
    VelCarte v(&tavolo);
    ComeFronti(v);
    v.CartaDalNumero(1, nullptr);
    v.Disegna();
    const QImage cached = v.ImmagineNorm().copy();
    bool controllato = false;
    ImpostaScalaTempo(1);
    ImpostaDormiente([&](unsigned) {
        if (controllato) return;
        controllato = true;
        v.setNumeroCarta(9);  // another card is current now
        v.Disegna();
        EXPECT_PIXEL(v.Superficie(), 30, 40, ColoreCella(0, 0), "a card in flight is repainted from its cache");
        EXPECT_EQ(v.ImmagineNorm(), cached) << "a card in flight must not be recomposed";
    });
    v.MuoviCarta(300, 0, 4, 1, &tavolo);
    ImpostaDormiente({});
    ImpostaScalaTempo(0);
    EXPECT_TRUE(controllato);
    v.Disegna();
    EXPECT_PIXEL(v.Superficie(), 30, 40, ColoreCella(8, 0), "after the flight the current card is composed again");
}

TEST(ImmaginiMazzo, SettersCopyPicturesAndResizeTheControl)
{
    QWidget tavolo;
    VelCarte v(&tavolo);
    EXPECT_EQ(v.size(), QSize(100, 200)) << "a new deck control keeps its creation size until it draws";
    v.setDimX(32);
    v.setDimY(24);
    EXPECT_EQ(v.size(), QSize(32, 24));

    QImage foglio = Foglio(24, 20, 10, 4);
    v.setBufferImmagini(foglio);
    foglio.fill(Qt::red);
    EXPECT_EQ(v.BufferImmagini().pixel(30, 5), ColoreCella(1, 0)) << "the sheet must be copied, not shared";

    // An 8-bit sheet is read through its palette.
    QImage indicizzato(20, 10, QImage::Format_Indexed8);
    indicizzato.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50)});
    indicizzato.fill(1);
    v.setBordiCarta(indicizzato);
    EXPECT_EQ(v.BordiCarta().format(), QImage::Format_RGB32);
    EXPECT_EQ(v.BordiCarta().pixel(3, 3) & 0xFFFFFF, qRgb(200, 100, 50) & 0xFFFFFF);
}

// Clean flights: a slot shows only its card, so a card flying over the table covers nothing
// but its own shape, and every frame on screen shows what lies beneath it.
#include <gtest/gtest.h>

#include <QBackingStore>
#include <QCoreApplication>
#include <QPainter>
#include <QWidget>
#include <functional>
#include <vector>

#include "components/SagomaCarta.h"
#include "components/VelCarte.h"
#include "components/VelImage.h"
#include "core/Pausa.h"
#include "resources/Risorse.h"

namespace {

// A felt panel in a window, with the generated card sheets drawn through a new-system deck.
class TavoloDiProva {
public:
    TavoloDiProva()
    {
        finestra.resize(640, 400);
        panel = new QWidget(&finestra);
        panel->setGeometry(0, 0, 640, 400);
        panel->setAutoFillBackground(true);
        QPalette pal = panel->palette();
        pal.setColor(QPalette::Window, QColor(159, 223, 175));
        panel->setPalette(pal);
        mazzo = new VelCarte(&finestra);
        mazzo->hide();
        mazzo->setTipo(2);
        mazzo->setDimX(80);
        mazzo->setDimY(120);
        mazzo->setDimXCarte(60);
        mazzo->setDimYCarte(94);
        mazzo->setBufferImmagini(VelCarte::CaricaFoglio(Risorse::Fronti));
        mazzo->setBordiCarta(VelCarte::CaricaFoglio(Risorse::Bordi));
        finestra.show();
        // Once exposed the window has its backing store, which is what the screen shows.
        QCoreApplication::processEvents();
    }
    VelImage* Carta(int numero, QPoint dove)
    {
        auto* s = new VelImage(panel);
        s->move(dove);
        s->show();
        mazzo->CartaDalNumero(numero, s);
        return s;
    }
    // What the window shows on screen now: its backing store as last flushed, so a part
    // that was never repainted shows its old pixels.
    QImage Schermo()
    {
        const auto* img = dynamic_cast<const QImage*>(finestra.backingStore()->paintDevice());
        return img ? img->convertToFormat(QImage::Format_RGB32) : QImage();
    }

    QWidget finestra;
    QWidget* panel = nullptr;
    VelCarte* mazzo = nullptr;
};

// Runs `f` at every pause of what follows (the time scale is raised so each step reaches it).
class AdOgniPasso {
public:
    explicit AdOgniPasso(std::function<void()> f)
    {
        ImpostaScalaTempo(1);
        ImpostaDormiente([f](unsigned) { f(); });
    }
    ~AdOgniPasso()
    {
        ImpostaDormiente({});
        ImpostaScalaTempo(0);
    }
};

// Pixels of `zona` that differ between two screen pictures, skipping those `salta` accepts.
int Diversi(const QImage& a, const QImage& b, const QRect& zona, const std::function<bool(QPoint)>& salta = {})
{
    int n = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            if ((!salta || !salta({x, y})) && a.pixel(x, y) != b.pixel(x, y)) ++n;
    return n;
}

}  // namespace

TEST(VoloPulito, FrameShapeCoversTheCardOnlyAndKeepsItsLookOnItsFelt)
{
    const QImage bordi = VelCarte::CaricaFoglio(Risorse::Bordi);
    ASSERT_FALSE(bordi.isNull());
    const QColor tappeti[] = {{159, 223, 175}, {158, 212, 224}, {224, 158, 158}, {223, 224, 158}, {158, 164, 224}, {224, 158, 224}};
    for (int k = 1; k <= 6; ++k) {
        const QImage cella = bordi.copy((k - 1) * 80, 0, 80, 120);
        const SagomaCarta s = SagomaCarta::DaCornice(cella);
        ASSERT_FALSE(s.Vuota()) << "frame " << k;
        EXPECT_EQ(s.Tappeto(), tappeti[k - 1].rgb()) << "frame " << k << ": the felt is the margin's colour";
        EXPECT_EQ(s.Alfa(30, 50), 255) << "frame " << k << ": the card's middle is solid";
        EXPECT_EQ(s.Alfa(0, 50), 255) << "frame " << k << ": its rim is solid";
        EXPECT_EQ(s.Alfa(75, 60), 0) << "frame " << k << ": the margin beside the card is clear";
        EXPECT_EQ(s.Alfa(30, 115), 0) << "frame " << k << ": the margin below the card is clear";
        EXPECT_LT(s.Alfa(0, 0), 32) << "frame " << k << ": the rounded corner lets the table through";
        EXPECT_GT(s.Alfa(63, 60), 0) << "frame " << k << ": the shadow still darkens what lies beside";
        EXPECT_LT(s.Alfa(63, 60), 128) << "frame " << k << ": but only a little";
        // Laid on its own felt the card looks as it always did, to within rounding.
        QImage suTappeto(80, 120, QImage::Format_RGB32);
        suTappeto.fill(tappeti[k - 1]);
        {
            QPainter p(&suTappeto);
            p.drawImage(0, 0, s.Applica(cella));
        }
        int scarto = 0;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 80; ++x) {
                const QRgb a = suTappeto.pixel(x, y), b = cella.pixel(x, y);
                scarto = std::max({scarto, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            }
        EXPECT_LE(scarto, 2) << "frame " << k << " on its felt";
    }
}

TEST(VoloPulito, ShapeLiesSidewaysWithItsCard)
{
    const SagomaCarta s = SagomaCarta::DaCornice(VelCarte::CaricaFoglio(Risorse::Bordi).copy(0, 0, 80, 120));
    const SagomaCarta t = s.Trasposta();
    ASSERT_EQ(t.Dimensione(), QSize(120, 80));
    for (const QPoint p : {QPoint(0, 0), QPoint(63, 60), QPoint(75, 60), QPoint(30, 115), QPoint(61, 97)})
        EXPECT_EQ(t.Alfa(p.y(), p.x()), s.Alfa(p.x(), p.y())) << p.x() << "," << p.y();
}

TEST(VoloPulito, FramesWithoutAFeltMarginStayOpaque)
{
    // A cell filled to its edges (an old-style whole picture) has no margin to clear.
    QImage piena(80, 120, QImage::Format_RGB32);
    piena.fill(QColor(200, 30, 30));
    piena.setPixel(79, 119, qRgb(10, 10, 10));
    EXPECT_TRUE(SagomaCarta::DaCornice(piena).Vuota());
    EXPECT_TRUE(SagomaCarta::DaCornice(QImage()).Vuota());
    // And an empty shape shows the picture as it is.
    EXPECT_EQ(SagomaCarta().Applica(piena).convertToFormat(QImage::Format_RGB32), piena);
}

TEST(VoloPulito, SlotsDrawnByTheDeckCarryTheShapeOfTheirSystem)
{
    TavoloDiProva t;
    VelImage* faccia = t.Carta(7, {10, 10});
    EXPECT_FALSE(faccia->Sagoma().Vuota()) << "a new-system card shows through its margin";
    VelImage* distesa = new VelImage(t.panel);
    distesa->resize(120, 80);
    t.mazzo->RuotaImmagine(7, distesa);
    EXPECT_EQ(distesa->Sagoma().Dimensione(), QSize(120, 80)) << "a sideways card has a sideways shape";
    t.mazzo->SelezionaImmagine(7, faccia);
    EXPECT_FALSE(faccia->Sagoma().Vuota()) << "a highlighted card keeps its shape";
    faccia->ImpostaPicture(QImage(80, 120, QImage::Format_RGB32));
    EXPECT_TRUE(faccia->Sagoma().Vuota()) << "a picture of unknown shape is shown whole";
    t.mazzo->CartaDalNumero(7, faccia);
    t.mazzo->setTipo(1);
    t.mazzo->Carta(1, 1, faccia);
    EXPECT_TRUE(faccia->Sagoma().Vuota()) << "an old-system picture is whole";
    faccia->Svuota();
    EXPECT_TRUE(faccia->Sagoma().Vuota());
}

// The flights a table makes: across a card, along a row, down onto a pile and back.
struct CasoAttraversamento {
    const char* nome;
    QPoint ferma;          // the card lying on the table
    QPoint da, a;          // the flying card's flight
};

TEST(VoloPulito, FlyingCardLeavesTheCardsItPassesExactlyAsTheyWere)
{
    const CasoAttraversamento casi[] = {
        {"straight across", {200, 100}, {20, 100}, {420, 100}},
        {"diagonally over its corner", {200, 100}, {60, 20}, {360, 230}},
        {"down past its right edge", {200, 100}, {250, 0}, {250, 260}},
        {"onto it and off again", {200, 100}, {200, 260}, {200, 100}},
    };
    for (const auto& k : casi) {
        TavoloDiProva t;
        VelImage* ferma = t.Carta(21, k.ferma);
        t.panel->repaint();
        const QImage prima = t.Schermo();
        VelImage* volante = t.Carta(38, k.da);
        volante->raise();
        const QRect posto = ferma->geometry();
        // The flying card covers what its frame draws over the felt: card and shadow.
        const QImage cornice = VelCarte::CaricaFoglio(Risorse::Bordi).copy(0, 0, 80, 120);
        const QRgb tappeto = cornice.pixel(79, 119);
        int passi = 0;
        {
            AdOgniPasso passo([&] {
                ++passi;
                const QImage ora = t.Schermo();
                // Every pixel of the resting card that the flying card's shape does not cover
                // must show exactly as before: no felt notch, no missing sliver.
                const QPoint v = volante->pos();
                const int n = Diversi(prima, ora, posto, [&](QPoint p) {
                    const QPoint q = p - v;
                    return cornice.rect().contains(q) && cornice.pixel(q) != tappeto;
                });
                EXPECT_EQ(n, 0) << k.nome << ": step " << passi << " cut " << n << " pixels out of the card beneath";
                // And the flying card is really on screen where it stands.
                EXPECT_EQ(ora.pixel(v + QPoint(30, 50)), volante->Picture().pixel(30, 50)) << k.nome << ": step " << passi;
            });
            volante->MuoviCarta(k.a.x(), k.a.y(), 10, 20, &t.finestra);
        }
        EXPECT_EQ(passi, 11) << k.nome;
        // Gone again: the card it passed shows every pixel as it was.
        volante->move(500, 250);
        t.panel->repaint(QRect(k.a, QSize(80, 120)));
        const QImage dopo = t.Schermo();
        EXPECT_EQ(Diversi(prima, dopo, posto), 0) << k.nome << ": the card it passed over changed";
    }
}

TEST(VoloPulito, ShowingOrHidingASlotReachesTheScreenAtOnce)
{
    // The tables block the thread between flights: a hidden stock must vanish whole at once,
    // not piece by piece as later flight steps repaint around it.
    TavoloDiProva t;
    VelImage* mazzo = t.Carta(5, {300, 150});
    t.panel->repaint();
    const QImage conCarta = t.Schermo();
    mazzo->hide();
    const QImage senza = t.Schermo();
    const QRgb tappeto = QColor(159, 223, 175).rgb();
    ASSERT_NE(conCarta.pixel(302, 200), tappeto) << "the card's rim is on screen";
    for (const QPoint p : {QPoint(302, 200), QPoint(330, 155), QPoint(355, 240)})
        EXPECT_EQ(senza.pixel(p), tappeto) << "the hidden card still shows at " << p.x() << "," << p.y();
    mazzo->show();
    EXPECT_EQ(Diversi(t.Schermo(), conCarta, mazzo->geometry()), 0) << "shown again, it is all there at once";
}

TEST(VoloPulito, PuttingAShownSlotElsewhereReachesTheScreenAtOnce)
{
    // A table that reshapes its row and then pauses must not leave slivers of the cards'
    // old places on screen.
    TavoloDiProva t;
    VelImage* carta = t.Carta(9, {100, 100});
    t.panel->repaint();
    const QImage prima = t.Schermo();
    carta->move(160, 130);
    const QImage dopo = t.Schermo();
    const QRgb tappeto = QColor(159, 223, 175).rgb();
    for (const QPoint p : {QPoint(102, 150), QPoint(130, 105), QPoint(150, 200)})
        EXPECT_EQ(dopo.pixel(p), tappeto) << "the old place still shows the card at " << p.x() << "," << p.y();
    EXPECT_EQ(Diversi(prima.copy(100, 100, 80, 120), dopo.copy(160, 130, 80, 120), QRect(0, 0, 62, 98)), 0)
        << "the card shows whole at its new place";
}

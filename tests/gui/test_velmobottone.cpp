// The picture button: which picture each state shows, the caption's clipping and shadow, the
// six border styles, and what counts as a click.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QString>
#include <string>

#include "components/VelmoBottone.h"
#include "resources/Risorse.h"

namespace {

const QRgb Rosso = qRgb(255, 0, 0), Verde = qRgb(0, 255, 0), Blu = qRgb(0, 0, 255), Giallo = qRgb(255, 255, 0);
const QRgb Bianco = qRgb(255, 255, 255), Grigio = qRgb(128, 128, 128), Nero = qRgb(0, 0, 0);
const QRgb Blunotte = qRgb(0, 0, 128), Lavanda = qRgb(173, 173, 214);

QImage Pieno(int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

void Entra(VelmoBottone& b)
{
    QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&b, &e);
}

void Esce(VelmoBottone& b)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(&b, &e);
}

void Mouse(VelmoBottone& b, QEvent::Type tipo, QPoint p, Qt::MouseButton tasto = Qt::LeftButton)
{
    const Qt::MouseButtons tenuti = tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(tasto);
    QMouseEvent e(tipo, QPointF(p), QPointF(p), tasto, tenuti, Qt::NoModifier);
    QCoreApplication::sendEvent(&b, &e);
}

enum class Situazione { Fuori, Dentro, Tenuto, Disabilitato };

const char* Nome(Situazione s)
{
    switch (s) {
    case Situazione::Fuori: return "mouse outside";
    case Situazione::Dentro: return "mouse inside";
    case Situazione::Tenuto: return "held down";
    case Situazione::Disabilitato: return "disabled";
    }
    return "";
}

// Brings a button into a situation through the same events the mouse would send.
void Porta(VelmoBottone& b, Situazione s)
{
    switch (s) {
    case Situazione::Fuori: break;
    case Situazione::Dentro: Entra(b); break;
    case Situazione::Tenuto:
        Entra(b);
        Mouse(b, QEvent::MouseButtonPress, {10, 10});
        break;
    case Situazione::Disabilitato:
        Entra(b);  // the hover must not matter once the button is disabled
        b.setStato(0);
        break;
    }
}

std::string Rgb(QRgb c)
{
    if (qAlpha(c) == 0) return "nothing";
    return "(" + std::to_string(qRed(c)) + ", " + std::to_string(qGreen(c)) + ", " + std::to_string(qBlue(c)) + ")";
}

bool HaTesto(const QImage& img, int x)
{
    for (int y = 0; y < img.height(); ++y)
        if (qAlpha(img.pixel(x, y)) != 0) return true;
    return false;
}

}  // namespace

TEST(BottoneImmagine, PictureFollowsStateAndMouse)
{
    struct Caso { Situazione s; bool conPremuto, conDisabilitato; QRgb atteso; const char* cosa; };
    const Caso casi[] = {
        {Situazione::Fuori, true, true, Rosso, "shows Normale"},
        {Situazione::Dentro, true, true, Verde, "shows Attivo"},
        {Situazione::Tenuto, true, true, Giallo, "shows Premuto"},
        {Situazione::Tenuto, false, true, Verde, "without Premuto shows Attivo"},
        {Situazione::Disabilitato, true, true, Blu, "shows Disabilitato"},
        {Situazione::Disabilitato, true, false, 0, "without Disabilitato shows no picture"},
    };
    for (const Caso& k : casi) {
        VelmoBottone b;
        b.resize(145, 38);
        b.setBordo(0);
        b.setNormale(Pieno(145, 38, Rosso));
        b.setAttivo(Pieno(145, 38, Verde));
        if (k.conPremuto) b.setPremuto(Pieno(145, 38, Giallo));
        if (k.conDisabilitato) b.setDisabilitato(Pieno(145, 38, Blu));
        Porta(b, k.s);
        EXPECT_EQ(Rgb(b.Render().pixel(70, 5)), Rgb(k.atteso)) << "a button " << Nome(k.s) << " " << k.cosa;
    }
}

TEST(BottoneImmagine, ReleasingOrLeavingRestoresThePicture)
{
    VelmoBottone b;
    b.setBordo(0);
    b.setNormale(Pieno(100, 100, Rosso));
    b.setAttivo(Pieno(100, 100, Verde));
    b.setPremuto(Pieno(100, 100, Giallo));
    Porta(b, Situazione::Tenuto);
    EXPECT_TRUE(b.Premendo());
    Mouse(b, QEvent::MouseButtonRelease, {10, 10});
    EXPECT_FALSE(b.Premendo());
    EXPECT_EQ(Rgb(b.Render().pixel(50, 5)), Rgb(Verde)) << "after release the hovered picture returns";
    Esce(b);
    EXPECT_FALSE(b.MouseDentro());
    EXPECT_EQ(Rgb(b.Render().pixel(50, 5)), Rgb(Rosso)) << "after leaving the normal picture returns";
}

TEST(BottoneImmagine, StyleSixShowsNoPictureOnlyItsHighlight)
{
    VelmoBottone b;
    b.resize(120, 40);
    b.setBordo(0);
    b.setTipoBordo(6);
    b.setNormale(Pieno(120, 40, Rosso));
    b.setAttivo(Pieno(120, 40, Verde));
    EXPECT_NE(Rgb(b.Render().pixel(60, 20)), Rgb(Rosso)) << "style 6 must not show Normale";
    Entra(b);
    const QImage img = b.Render();
    EXPECT_EQ(Rgb(img.pixel(0, 0)), Rgb(Blunotte)) << "hover outline, top-left";
    EXPECT_EQ(Rgb(img.pixel(118, 38)), Rgb(Blunotte)) << "hover outline, last pixel inside the rectangle";
    EXPECT_EQ(Rgb(img.pixel(60, 20)), Rgb(Lavanda)) << "hover fill";
    EXPECT_NE(Rgb(img.pixel(119, 39)), Rgb(Blunotte)) << "the rectangle stops one pixel short of the right and bottom";
}

TEST(BottoneImmagine, BorderFollowsStyleStateAndMouse)
{
    enum Bordo { Niente, FrameNero, FrameBianco, Rilievo, Incavo, Evidenza };
    const Situazione situazioni[] = {Situazione::Fuori, Situazione::Dentro, Situazione::Tenuto,
                                     Situazione::Disabilitato};
    const Bordo tabella[6][4] = {
        {FrameNero, FrameBianco, FrameBianco, FrameNero},  // style 1
        {Rilievo, Rilievo, Rilievo, Rilievo},              // style 2
        {Rilievo, Incavo, Incavo, Rilievo},                // style 3
        {Niente, Rilievo, Incavo, Niente},                 // style 4
        {Niente, Rilievo, Incavo, Niente},                 // style 5
        {Niente, Niente, Niente, Evidenza},                // style 6
    };
    const int w = 60, h = 30;
    for (int stile = 1; stile <= 6; ++stile) {
        for (int i = 0; i < 4; ++i) {
            const Situazione s = situazioni[i];
            VelmoBottone b, senza;
            for (VelmoBottone* x : {&b, &senza}) {
                x->resize(w, h);
                x->setTipoBordo(stile);
                Porta(*x, s);
            }
            senza.setBordo(0);
            const QImage img = b.Render(), rif = senza.Render();
            const std::string dove = "style " + std::to_string(stile) + ", " + Nome(s);
            auto controlla = [&](QRgb sinistra, QRgb alto, QRgb destra, QRgb basso) {
                EXPECT_EQ(Rgb(img.pixel(0, h / 2)), Rgb(sinistra)) << dove << ": left edge";
                EXPECT_EQ(Rgb(img.pixel(w / 2, 0)), Rgb(alto)) << dove << ": top edge";
                EXPECT_EQ(Rgb(img.pixel(w - 1, h / 2)), Rgb(destra)) << dove << ": right edge";
                EXPECT_EQ(Rgb(img.pixel(w / 2, h - 1)), Rgb(basso)) << dove << ": bottom edge";
            };
            switch (tabella[stile - 1][i]) {
            case Niente: EXPECT_EQ(img, rif) << dove << ": no border expected"; break;
            case FrameNero: controlla(Nero, Nero, Nero, Nero); break;
            case FrameBianco: controlla(Bianco, Bianco, Bianco, Bianco); break;
            case Rilievo:
                controlla(Bianco, Bianco, Grigio, Grigio);
                EXPECT_EQ(Rgb(img.pixel(w - 1, 0)), Rgb(Grigio)) << dove << ": raised top-right corner";
                EXPECT_EQ(Rgb(img.pixel(0, h - 1)), Rgb(Bianco)) << dove << ": raised bottom-left corner";
                break;
            case Incavo:
                controlla(Grigio, Grigio, Bianco, Bianco);
                EXPECT_EQ(Rgb(img.pixel(w - 1, 0)), Rgb(Bianco)) << dove << ": sunken top-right corner";
                EXPECT_EQ(Rgb(img.pixel(0, h - 1)), Rgb(Grigio)) << dove << ": sunken bottom-left corner";
                break;
            case Evidenza:
                EXPECT_EQ(Rgb(img.pixel(0, h / 2)), Rgb(Blunotte)) << dove << ": outline";
                EXPECT_EQ(Rgb(img.pixel(w / 2, h / 2)), Rgb(Lavanda)) << dove << ": fill";
                EXPECT_EQ(img.pixel(w - 1, h / 2), rif.pixel(w - 1, h / 2)) << dove << ": last column untouched";
                break;
            }
        }
    }
}

TEST(BottoneImmagine, NoBorderWithoutBordoOrOutsideTheTwoStates)
{
    struct Caso { int bordo, stato; };
    const Caso casi[] = {{0, 1}, {0, 0}, {1, 2}};
    for (int stile = 1; stile <= 5; ++stile) {
        // What the button shows with no border: nothing, or for style 5 its background alone.
        VelmoBottone spoglio;
        spoglio.resize(50, 20);
        spoglio.setTipoBordo(stile == 5 ? 5 : 4);
        QImage atteso = spoglio.Render();
        if (stile != 5) atteso.fill(Qt::transparent);
        for (const Caso& k : casi) {
            VelmoBottone b;
            b.resize(50, 20);
            b.setTipoBordo(stile);
            b.setBordo(k.bordo);
            Entra(b);
            b.setStato(k.stato);
            EXPECT_EQ(b.Render(), atteso)
                << "style " << stile << " with Bordo " << k.bordo << " and Stato " << k.stato << " drew a border";
        }
    }
}

TEST(BottoneImmagine, CaptionIsClippedThreePixelsFromTheLeftAndSixFromTheRight)
{
    VelmoBottone b;
    b.resize(100, 40);
    b.setBordo(0);
    b.setDistanzaOmbra(0);
    b.setCaption(QStringLiteral("MMMMMMMMMMMMMMMMMMMMMMMMMMMM"));
    const QImage img = b.Render();
    for (int x : {0, 1, 2, 94, 95, 96, 97, 98, 99})
        EXPECT_FALSE(HaTesto(img, x)) << "a caption wider than the button showed in column " << x;
    for (int x : {3, 50, 93})
        EXPECT_TRUE(HaTesto(img, x)) << "the clipped caption should still fill column " << x;
}

TEST(BottoneImmagine, CaptionShadowIsWhiteAndOffset)
{
    auto bianchi = [](int ombra) {
        VelmoBottone b;
        b.resize(120, 40);
        b.setBordo(0);
        b.setDistanzaOmbra(ombra);
        b.setCaption(QStringLiteral("Gioca"));
        const QImage img = b.Render();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                if (qAlpha(c) == 255 && qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240) ++n;
            }
        return n;
    };
    EXPECT_GT(bianchi(3), 0) << "a shadow distance of 3 should draw the white shadow";
    EXPECT_EQ(bianchi(0), 0) << "a shadow distance of 0 should draw no shadow";
}

TEST(BottoneImmagine, ClickNeedsALeftPressAndReleaseOnTheButton)
{
    struct Passo { QEvent::Type tipo; QPoint p; Qt::MouseButton tasto; };
    struct Caso { const char* cosa; std::vector<Passo> passi; int click, doppi; };
    const QEvent::Type P = QEvent::MouseButtonPress, R = QEvent::MouseButtonRelease, D = QEvent::MouseButtonDblClick;
    const Caso casi[] = {
        {"press and release inside", {{P, {10, 10}, Qt::LeftButton}, {R, {12, 12}, Qt::LeftButton}}, 1, 0},
        {"release outside", {{P, {10, 10}, Qt::LeftButton}, {R, {150, 10}, Qt::LeftButton}}, 0, 0},
        {"right button", {{P, {10, 10}, Qt::RightButton}, {R, {10, 10}, Qt::RightButton}}, 0, 0},
        {"release without press", {{R, {10, 10}, Qt::LeftButton}}, 0, 0},
        {"double click",
         {{P, {10, 10}, Qt::LeftButton}, {R, {10, 10}, Qt::LeftButton}, {D, {10, 10}, Qt::LeftButton},
          {R, {10, 10}, Qt::LeftButton}},
         1, 1},
    };
    for (const Caso& k : casi) {
        VelmoBottone b;
        int click = 0, doppi = 0;
        QObject::connect(&b, &VelmoBottone::Click, [&] { ++click; });
        QObject::connect(&b, &VelmoBottone::DoppioClic, [&] { ++doppi; });
        Entra(b);
        for (const Passo& p : k.passi) Mouse(b, p.tipo, p.p, p.tasto);
        EXPECT_EQ(click, k.click) << k.cosa << ": clicks";
        EXPECT_EQ(doppi, k.doppi) << k.cosa << ": double clicks";
        EXPECT_FALSE(b.Premendo()) << k.cosa << ": the button should not stay held";
    }
}

TEST(BottoneImmagine, PicturesAreCopiedAndDisabledButtonIgnoresTheMouse)
{
    VelmoBottone b;
    QImage img = Pieno(100, 100, Rosso);
    b.setNormale(img);
    img.fill(Blu);
    EXPECT_EQ(b.Normale().pixel(1, 1), Rosso) << "the button must keep its own copy of a picture";

    int click = 0;
    QObject::connect(&b, &VelmoBottone::Click, [&] { ++click; });
    b.setStato(0);
    EXPECT_FALSE(b.isEnabled());
    Mouse(b, QEvent::MouseButtonPress, {10, 10});
    Mouse(b, QEvent::MouseButtonRelease, {10, 10});
    EXPECT_EQ(click, 0) << "a disabled button must not click";
    b.setStato(1);
    EXPECT_TRUE(b.isEnabled());
}

TEST(BottoneImmagine, BuiltInBackgroundFitsTheButton)
{
    const QImage sfondo = QImage(QString::fromLatin1(Risorse::SfondoBottone)).convertToFormat(QImage::Format_RGB32);
    struct Caso { int w, h; };
    for (const Caso k : {Caso{300, 200}, Caso{100, 50}}) {
        for (int stile : {5, 6}) {
            VelmoBottone b;
            b.resize(k.w, k.h);
            b.setBordo(0);
            b.setTipoBordo(stile);
            const QImage img = b.Render();
            ASSERT_EQ(img.size(), QSize(k.w, k.h));
            if (sfondo.isNull()) {
                // Without the picture the button draws no background and does not fail.
                EXPECT_EQ(qAlpha(img.pixel(k.w / 2, k.h / 2)), 0);
                continue;
            }
            EXPECT_EQ(Rgb(img.pixel(10, 10)), Rgb(sfondo.pixel(10, 10))) << "style " << stile << " background";
            const int x = std::min(k.w, sfondo.width()) - 1, y = std::min(k.h, sfondo.height()) - 1;
            EXPECT_EQ(Rgb(img.pixel(x, y)), Rgb(sfondo.pixel(x, y))) << "style " << stile << " background, cropped corner";
            if (k.w > sfondo.width()) {
                EXPECT_EQ(Rgb(img.pixel(k.w - 1, k.h - 1)), Rgb(Bianco)) << "background extended beyond its picture";
            }
        }
    }
}

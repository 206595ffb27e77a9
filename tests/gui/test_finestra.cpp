// Window geometry: the drawing size setting, moving a window by its frame or felt, centring
// over the chooser, and full screen with F11 and Esc.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "FinestreDiProva.h"
#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "components/Scala.h"
#include "ads/PannelloPubblicita.h"
#include "games/scopa/TFormScopa.h"
#include <QScreen>
#include "platform/Impostazioni.h"

TEST(Dimensione, AutomaticaPicksTheLargestSizeThatLeavesRoomOnTheScreen)
{
    const struct { int righe; int attesa; } casi[] = {
        {600, 100},   // smaller than any size: still 100 %
        {768, 100},   // a common laptop
        {900, 100},
        {1080, 125},  // 150 % would fill 83.3 % of it
        {1200, 150},
        {1440, 150},  // 200 % would fill 83.3 %
        {1600, 200},
        {2160, 200},
    };
    for (const auto& c : casi)
        EXPECT_EQ(Scala::DimensioneAutomatica(c.righe), c.attesa) << c.righe << " available lines";
    // A fixed choice holds whatever the screen; anything else is automatic.
    EXPECT_EQ(Scala::DimensioneEffettiva(200, 768), 200);
    EXPECT_EQ(Scala::DimensioneEffettiva(125, 2160), 125);
    EXPECT_EQ(Scala::DimensioneEffettiva(Scala::Automatica, 1440), 150);
    EXPECT_EQ(Scala::DimensioneEffettiva(175, 1440), 150);
}

TEST(Dimensione, StoredFormRoundTripsAndUnknownValuesAreAutomatica)
{
    for (int d : {100, 125, 150, 200}) EXPECT_EQ(DimensioneDaTesto(TestoDimensione(d)), d);
    EXPECT_EQ(TestoDimensione(Scala::Automatica), "Automatica");
    EXPECT_EQ(DimensioneDaTesto(std::string("Automatica")), Scala::Automatica);
    for (const char* strano : {"", "0", "175", "150 %", "abc", "2000"})
        EXPECT_EQ(DimensioneDaTesto(std::string(strano)), Scala::Automatica) << '"' << strano << '"';
    EXPECT_EQ(DimensioneDaTesto(std::nullopt), Scala::Automatica);
}

TEST(Posizione, OnlyTwoIntegersInRangeArePlaces)
{
    EXPECT_EQ(PosizioneDaTesto(std::string("870,360")), std::make_optional(std::make_pair(870, 360)));
    EXPECT_EQ(PosizioneDaTesto(std::string("-1200, 40")), std::make_optional(std::make_pair(-1200, 40)));
    EXPECT_EQ(PosizioneDaTesto(TestoPosizione(3, -4)), std::make_optional(std::make_pair(3, -4)));
    for (const char* strano : {"", "12", "1,2,3", "a,b", "100001,0", "1.5,2"})
        EXPECT_FALSE(PosizioneDaTesto(std::string(strano))) << '"' << strano << '"';
    EXPECT_FALSE(PosizioneDaTesto(std::nullopt));
}

using FinestraDimensione = FinestreDiProva;

TEST_F(FinestraDimensione, SettingDefaultsToAutomaticaLoadsAndSavesBack)
{
    CaricaConfigurazione();
    EXPECT_EQ(Dimensione, Scala::Automatica);
    EXPECT_EQ(FormConfig->CBDimensione->currentText(), "Automatica");
    SalvaConfigurazione();
    EXPECT_EQ(LeggiImpostazione("Dimensione").value_or("<missing>"), "Automatica");

    const struct { const char* salvato; int letto; const char* risalvato; } casi[] = {
        {"150", 150, "150"}, {"200", 200, "200"}, {"Automatica", 0, "Automatica"}, {"300", 0, "Automatica"}};
    for (const auto& c : casi) {
        ScriviImpostazioni({{"Dimensione", c.salvato}});
        CaricaConfigurazione();
        EXPECT_EQ(Dimensione, c.letto) << c.salvato;
        EXPECT_EQ(FormConfig->CBDimensione->currentData().toInt(), c.letto) << c.salvato;
        SalvaConfigurazione();
        EXPECT_EQ(LeggiImpostazione("Dimensione").value_or("<missing>"), c.risalvato) << c.salvato;
    }
}

TEST_F(FinestraDimensione, ANewSizeSaysItWaitsForARestart)
{
    CaricaConfigurazione();
    DimensioneAvvio = Scala::Automatica;
    FormConfig->show();
    EXPECT_TRUE(FormConfig->AvvisoDimensione->isHidden());
    FormConfig->CBDimensione->setCurrentIndex(FormConfig->CBDimensione->findData(200));
    EXPECT_EQ(Dimensione, 200);
    EXPECT_FALSE(FormConfig->AvvisoDimensione->isHidden()) << "the notice says the size changes at the next start";
    FormConfig->CBDimensione->setCurrentIndex(0);
    EXPECT_TRUE(FormConfig->AvvisoDimensione->isHidden()) << "back to the size in force: nothing to wait for";
    // The box sits at the bottom right, right of the close button, clear of the preview.
    EXPECT_GE(FormConfig->CBDimensione->x(), 292);
    EXPECT_GE(FormConfig->CBDimensione->x(), FormConfig->VelmoBottone2->geometry().right());
    EXPECT_LE(FormConfig->CBDimensione->geometry().bottom(), 599);
    FormConfig->hide();
}

using Spostamento = FinestreDiProva;

namespace {
// Mouse events at `p` in `w` with the pointer's screen position `g` (which stays where the
// pointer is while the window moves under it).
void Invia(QWidget* w, QEvent::Type t, QPoint p, QPoint g)
{
    const Qt::MouseButton tasto = t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons tenuti = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(t, p, g, tasto, tenuti, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
// A press at `p` in `w`, moves to p + d in steps, and the release.
void Trascina(QWidget* w, QPoint p, std::initializer_list<QPoint> passi)
{
    const QPoint g = w->mapToGlobal(p);
    Invia(w, QEvent::MouseButtonPress, p, g);
    QPoint d;
    for (QPoint passo : passi) {
        d = passo;
        Invia(w, QEvent::MouseMove, p + d, g + d);
    }
    Invia(w, QEvent::MouseButtonRelease, p + d, g + d);
}
}  // namespace

TEST_F(Spostamento, DraggingFrameOrFeltMovesTheWindowButNotAControl)
{
    FormSplashScreen->show();
    ApriFinestra(FinestraScopa);
    TFormScopa* s = FormScopa;
    ASSERT_TRUE(s->isVisible());
    s->Pubblicita->ChiudiPubblicitaClick();  // the advertisement lies over the felt when a table opens
    QTest::mouseClick(s->NuovaPartita, Qt::LeftButton);
    ASSERT_TRUE(s->CartaGiocatore[1]->isVisible());
    const struct { const char* dove; QWidget* w; QPoint p; bool muove; } casi[] = {
        {"frame", s, QPoint(6, 300), true},
        {"felt", s->Panel1, QPoint(300, 250), true},
        {"name label", s->NomeGiocat, QPoint(5, 5), true},
        {"a card of the hand", s->CartaGiocatore[1], QPoint(40, 60), false},
        {"a command button", s->NuovaPartita, QPoint(20, 10), false},
    };
    for (const auto& c : casi) {
        const QPoint prima = s->pos();
        Trascina(c.w, c.p, {QPoint(20, 0), QPoint(60, 30)});
        // Headless there is no platform move: the window follows the pointer itself.
        if (c.muove)
            EXPECT_EQ(s->pos(), prima + QPoint(60, 30)) << c.dove;
        else
            EXPECT_EQ(s->pos(), prima) << c.dove;
    }
    // A short wobble inside a click is no drag.
    const QPoint prima = s->pos();
    Trascina(s->Panel1, QPoint(300, 250), {QPoint(1, 1)});
    EXPECT_EQ(s->pos(), prima);
}

TEST_F(Spostamento, WindowsOpenCentredOverTheChooserAndItsPlaceIsKept)
{
    FormSplashScreen->show();
    FormSplashScreen->move(40, 30);
    TFinestra piccola(300, 200);
    piccola.show();
    EXPECT_LE((piccola.geometry().center() - FormSplashScreen->geometry().center()).manhattanLength(), 2)
        << "centred over the chooser";
    piccola.hide();
    // A table as large as the screen stays on it, whatever the chooser's offset.
    ApriFinestra(FinestraScopa);
    EXPECT_TRUE(FormScopa->screen()->availableGeometry().contains(FormScopa->frameGeometry()));

    SalvaConfigurazione();
    EXPECT_EQ(LeggiImpostazione("Posizione").value_or(""), "40,30");
    FormSplashScreen->move(0, 0);
    CaricaConfigurazione();
    ASSERT_TRUE(PosizioneChooser.has_value());
    EXPECT_TRUE(FormSplashScreen->Colloca(PosizioneChooser));
    EXPECT_EQ(FormSplashScreen->pos(), QPoint(40, 30));
    // A place on no screen any more leaves the chooser where it is.
    EXPECT_FALSE(FormSplashScreen->Colloca(QPoint(50000, 50000)));
    EXPECT_EQ(FormSplashScreen->pos(), QPoint(40, 30));
}

using SchermoIntero = FinestreDiProva;

TEST_F(SchermoIntero, F11TogglesAndEscLeavesFullScreenBeforeClosing)
{
    FormSplashScreen->show();
    ApriFinestra(FinestraScopa);
    ApriFinestra(FinestraConfig);
    TFormConfig* c = FormConfig;
    ASSERT_TRUE(c->isVisible());

    QTest::keyClick(c, Qt::Key_F11);
    EXPECT_TRUE(c->SchermoIntero());
    EXPECT_TRUE(c->windowState() & Qt::WindowFullScreen);
    QTest::keyClick(c, Qt::Key_F11);
    EXPECT_FALSE(c->SchermoIntero());
    EXPECT_EQ(c->size(), QSize(800, 600));

    QTest::keyClick(c, Qt::Key_F11);
    ASSERT_TRUE(c->SchermoIntero());
    QTest::keyClick(c, Qt::Key_Escape);
    EXPECT_FALSE(c->SchermoIntero()) << "the first Esc leaves full screen";
    EXPECT_TRUE(c->isVisible()) << "and does not close the window";
    EXPECT_EQ(c->size(), QSize(800, 600));
    QTest::keyClick(c, Qt::Key_Escape);
    EXPECT_FALSE(c->isVisible()) << "the second Esc closes it";
    EXPECT_TRUE(FormScopa->isVisible());
    EXPECT_DOUBLE_EQ(Scala::Fattore(), Scala::FattoreAvvio());
}

TEST_F(SchermoIntero, TheWindowIsCentredInsideTheScreenAndLeavesFullScreenWhenHidden)
{
    FormSplashScreen->show();
    ApriFinestra(FinestraScopa);
    TFormScopa* s = FormScopa;
    const QPoint panno = s->Panel1->pos();
    s->EntraSchermoIntero();
    ASSERT_TRUE(s->SchermoIntero());
    // Whatever the screen, the 800 x 600 area is centred and every control keeps its place in it.
    s->resize(1000, 640);
    EXPECT_EQ(s->Origine(), QPoint(100, 20));
    EXPECT_EQ(s->Panel1->pos(), panno + QPoint(100, 20));
    EXPECT_EQ(s->CartaGiocatore[1]->mapTo(s, QPoint()) - s->Origine(),
              s->CartaGiocatore[1]->mapTo(s->Panel1, QPoint()) + panno);
    // The frame around counts as frame: a double-click on it toggles back.
    QTest::mouseDClick(s, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(s->SchermoIntero());
    EXPECT_EQ(s->Panel1->pos(), panno);

    s->EntraSchermoIntero();
    ASSERT_TRUE(s->SchermoIntero());
    ApriFinestra(FinestraPunteggi);  // hides the table
    EXPECT_FALSE(s->SchermoIntero());
    EXPECT_EQ(s->Panel1->pos(), panno);
    EXPECT_DOUBLE_EQ(Scala::Fattore(), Scala::FattoreAvvio());
}

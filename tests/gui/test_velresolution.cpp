// The resolution switcher against a fake display: what each answer of the display leads to,
// the restore on destruction, when nothing is switched at all, the design-time choice and
// picture, and the layer chosen on a platform that cannot switch.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "components/VelResolution.h"
#include "platform/Messaggi.h"
#include "platform/ModiSchermo.h"

namespace {

const QString Riavvio = QStringLiteral("It's need restart the system!");
const QString NonSupportata = QStringLiteral("Mode not supported from hardware");

std::string Testo(const std::vector<ModoSchermo>& modi)
{
    std::string s;
    for (const ModoSchermo& m : modi)
        s += (s.empty() ? "" : ", ") + std::to_string(m.larghezza) + "x" + std::to_string(m.altezza);
    return "[" + s + "]";
}

std::string Testo(const QStringList& l) { return "[" + l.join(" | ").toStdString() + "]"; }

// A fake display and a message recorder, both installed for one test.
class Risoluzione : public ::testing::Test {
protected:
    ModiSchermoFinti schermo;
    MessaggiRegistrati messaggi;
    ModiSchermoTemporanei modiInstallati{schermo};
    MessaggiTemporanei messaggiInstallati{messaggi};
};

struct CasoCambio {
    const char* nome;
    std::vector<ModoSchermo> offerti;
    ModoSchermo corrente;
    std::vector<std::pair<ModoSchermo, EsitoCambio>> esiti;
    bool ignoraApplica;
    TResolution resolution;
    int provati;
    std::vector<ModoSchermo> applicati;
    QStringList attesi;
    ModoSchermo dopo;
};

TEST_F(Risoluzione, FirstPaintSwitchesAndReportsWhatTheDisplayAnswered)
{
    const ModoSchermo m640{640, 480}, m800{800, 600}, m1024{1024, 768}, m1024b{1024, 600};
    const std::vector<CasoCambio> casi = {
        {"an offered mode the display accepts switches silently", {m800, m640}, m800, {}, false,
         TResolution::_640x480, 1, {m640}, {}, m640},
        {"a mode the display does not offer: one message from the check, no change", {m800, m1024b}, m800, {},
         false, TResolution::_640x480, 0, {}, {NonSupportata}, m800},
        {"a mode that needs a restart: the restart message, then the check's", {m800, m640}, m800,
         {{m640, EsitoCambio::RiavvioNecessario}}, false, TResolution::_640x480, 1, {}, {Riavvio, NonSupportata},
         m800},
        {"a mode the display refuses: the refusal and the check both report it", {m800, m640}, m800,
         {{m640, EsitoCambio::NonSupportato}}, false, TResolution::_640x480, 1, {}, {NonSupportata, NonSupportata},
         m800},
        {"a display that accepts but does not change is caught by the check", {m800, m640}, m800, {}, true,
         TResolution::_640x480, 1, {m640}, {NonSupportata}, m800},
        {"the same width at another height is not the target", {m1024b}, m1024b, {}, false,
         TResolution::_1024x768, 0, {}, {NonSupportata}, m1024b},
        {"only the first mode of the target size is tried", {m640, m800, m800}, m640,
         {{m800, EsitoCambio::RiavvioNecessario}}, false, TResolution::_800x600, 1, {}, {Riavvio, NonSupportata},
         m640},
        {"a display with no modes at all", {}, m1024, {}, false, TResolution::_1280x1024, 0, {}, {NonSupportata},
         m1024},
    };
    for (const CasoCambio& c : casi) {
        SCOPED_TRACE(c.nome);
        schermo = ModiSchermoFinti{};
        schermo.modi = c.offerti;
        schermo.corrente = c.corrente;
        schermo.ignoraApplica = c.ignoraApplica;
        for (const auto& [m, e] : c.esiti) schermo.Esito(m.larghezza, m.altezza, e);
        messaggi.Azzera();
        {
            VelResolution r;
            r.setResolution(c.resolution);
            r.Paint();
            EXPECT_TRUE(r.Cambiata());
            EXPECT_FALSE(r.isVisibleTo(nullptr)) << "the control hides itself at run time";
            EXPECT_EQ(r.LarghezzaPrecedente(), c.corrente.larghezza);
            EXPECT_EQ(r.AltezzaPrecedente(), c.corrente.altezza);
            EXPECT_EQ(static_cast<int>(schermo.provati.size()), c.provati) << "tested: " << Testo(schermo.provati);
            EXPECT_EQ(Testo(schermo.applicati), Testo(c.applicati));
            EXPECT_EQ(Testo(messaggi.Mostrati()), Testo(c.attesi));
            EXPECT_EQ(schermo.corrente, c.dopo) << "display now " << Testo({schermo.corrente});
            schermo.provati.clear();
            schermo.applicati.clear();
            messaggi.Azzera();
        }
        // Whatever happened, leaving goes back to the remembered size without a word.
        EXPECT_EQ(Testo(messaggi.Mostrati()), "[]") << "destruction must not show anything";
        EXPECT_EQ(schermo.corrente, c.corrente) << "display after destruction " << Testo({schermo.corrente});
    }
}

TEST_F(Risoluzione, DestructionRestoresThePreviousSizeOnlyAfterASwitch)
{
    schermo.modi = {{1280, 1024}, {800, 600}, {640, 480}};
    schermo.corrente = {1280, 1024};
    {
        VelResolution r;
        r.setResolution(TResolution::_800x600);
        r.Paint();
        ASSERT_EQ(schermo.corrente, (ModoSchermo{800, 600}));
        r.Paint();  // later paints do not switch again
        EXPECT_EQ(Testo(schermo.applicati), "[800x600]");
    }
    EXPECT_EQ(Testo(schermo.applicati), "[800x600, 1280x1024]");
    EXPECT_EQ(schermo.corrente, (ModoSchermo{1280, 1024}));
    EXPECT_TRUE(messaggi.Mostrati().isEmpty()) << Testo(messaggi.Mostrati());

    struct Caso {
        const char* nome;
        void (*prepara)(VelResolution&);
    };
    const Caso maiCambiata[] = {
        {"never painted", [](VelResolution&) {}},
        {"painted while disabled", [](VelResolution& r) { r.setEnabled(false); r.Paint(); }},
    };
    for (const Caso& c : maiCambiata) {
        SCOPED_TRACE(c.nome);
        schermo.applicati.clear();
        schermo.provati.clear();
        {
            VelResolution r;
            c.prepara(r);
            EXPECT_FALSE(r.Cambiata());
        }
        EXPECT_TRUE(schermo.applicati.empty()) << Testo(schermo.applicati);
        EXPECT_TRUE(schermo.provati.empty()) << Testo(schermo.provati);
        EXPECT_EQ(schermo.corrente, (ModoSchermo{1280, 1024}));
    }
    EXPECT_TRUE(messaggi.Mostrati().isEmpty()) << Testo(messaggi.Mostrati());
}

TEST_F(Risoluzione, SwitchingBackIsSilentWhenTheDisplayRefuses)
{
    schermo.modi = {{1024, 768}, {640, 480}};
    schermo.corrente = {1024, 768};
    const EsitoCambio rifiuti[] = {EsitoCambio::RiavvioNecessario, EsitoCambio::NonSupportato};
    for (EsitoCambio rifiuto : rifiuti) {
        SCOPED_TRACE(rifiuto == EsitoCambio::RiavvioNecessario ? "back needs a restart" : "back is refused");
        messaggi.Azzera();
        schermo.esiti.clear();
        schermo.corrente = {1024, 768};
        {
            VelResolution r;
            r.Paint();
            ASSERT_EQ(schermo.corrente, (ModoSchermo{640, 480}));
            schermo.Esito(1024, 768, rifiuto);
        }
        EXPECT_TRUE(messaggi.Mostrati().isEmpty()) << "switching back showed " << Testo(messaggi.Mostrati());
        EXPECT_EQ(schermo.corrente, (ModoSchermo{640, 480})) << "the display stays in the switched mode";
    }
}

TEST_F(Risoluzione, EnablingLaterSwitchesOnTheNextPaintAndHidingDoesNotSwitchBack)
{
    schermo.modi = {{800, 600}, {640, 480}};
    schermo.corrente = {800, 600};
    VelResolution r;
    r.setEnabled(false);
    r.Paint();
    EXPECT_FALSE(r.Cambiata());
    EXPECT_EQ(schermo.corrente, (ModoSchermo{800, 600}));

    // A disabled parent does not stop an enabled component.
    QWidget finestra;
    finestra.setEnabled(false);
    r.setParent(&finestra);
    r.setEnabled(true);
    EXPECT_TRUE(r.Enabled());
    r.show();
    r.Paint();
    EXPECT_TRUE(r.Cambiata());
    EXPECT_EQ(schermo.corrente, (ModoSchermo{640, 480}));
    r.hide();
    EXPECT_EQ(schermo.corrente, (ModoSchermo{640, 480}));
    r.setParent(nullptr);
}

TEST_F(Risoluzione, ShowingTheWindowPaintsAndSwitches)
{
    schermo.modi = {{800, 600}, {640, 480}};
    schermo.corrente = {800, 600};
    auto finestra = std::make_unique<QWidget>();
    finestra->resize(200, 100);
    auto* r = new VelResolution(finestra.get());
    finestra->show();
    for (int i = 0; i < 20 && !r->Cambiata(); ++i) QApplication::processEvents();
    EXPECT_TRUE(r->Cambiata()) << "the first paint at run time switches";
    EXPECT_TRUE(r->isHidden());
    EXPECT_EQ(r->size(), QSize(85, 20));
    EXPECT_EQ(schermo.corrente, (ModoSchermo{640, 480}));
    finestra.reset();
    EXPECT_EQ(schermo.corrente, (ModoSchermo{800, 600})) << "destroyed with its window, it switches back";
    EXPECT_TRUE(messaggi.Mostrati().isEmpty()) << Testo(messaggi.Mostrati());
}

TEST_F(Risoluzione, DesignTimeTakesTheResolutionFromTheScreenWidth)
{
    struct Caso {
        int larghezza, altezza;
        TResolution attesa;
    };
    const Caso casi[] = {
        {640, 480, TResolution::_640x480},     {800, 600, TResolution::_800x600},
        {1024, 600, TResolution::_1024x768},   {1152, 864, TResolution::_1152x864},
        {1280, 800, TResolution::_1280x1024},  {1600, 1200, TResolution::_640x480},
        {1366, 768, TResolution::_640x480},    {1153, 864, TResolution::_640x480},
    };
    schermo.modi = {{640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 1024}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(std::to_string(c.larghezza) + " pixels wide");
        schermo.corrente = {c.larghezza, c.altezza};
        schermo.applicati.clear();
        {
            VelResolution progetto(nullptr, true);
            EXPECT_EQ(progetto.Resolution(), c.attesa);
            EXPECT_EQ(progetto.LarghezzaPrecedente(), c.larghezza);
            // Painting a designed component never switches, and it stays visible.
            progetto.show();
            progetto.resize(200, 50);
            progetto.Paint();
            EXPECT_EQ(progetto.size(), QSize(85, 20));
            EXPECT_FALSE(progetto.Cambiata());
            EXPECT_TRUE(progetto.isVisible());
        }
        {
            VelResolution esecuzione;
            EXPECT_EQ(esecuzione.Resolution(), TResolution::_640x480) << "at run time the default stays";
        }
        EXPECT_TRUE(schermo.applicati.empty()) << Testo(schermo.applicati);
    }
    EXPECT_TRUE(messaggi.Mostrati().isEmpty());
}

TEST_F(Risoluzione, DesignTimePictureIsTheNameOnTheButtonFace)
{
    schermo.corrente = {1024, 768};
    VelResolution progetto(nullptr, true);
    const QImage img = progetto.Render();
    ASSERT_EQ(img.size(), QSize(85, 20));
    const QRgb faccia = progetto.palette().color(QPalette::Active, QPalette::Button).rgb();
    const QRgb inchiostro = progetto.palette().color(QPalette::Active, QPalette::ButtonText).rgb();
    // The text starts at (5, 3): the margin above and to its left is plain face.
    int inchiostrati = 0, fuoriMargine = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (p == faccia) continue;
            ++inchiostrati;
            if (x < 5 || y < 3) ++fuoriMargine;
        }
    EXPECT_GT(inchiostrati, 40) << "the name is drawn";
    EXPECT_EQ(fuoriMargine, 0) << "nothing is drawn left of x 5 or above y 3";
    EXPECT_EQ(img.pixel(0, 0), faccia);
    EXPECT_EQ(img.pixel(84, 19), faccia);
    bool inchiostroPieno = false;
    for (int y = 3; y < 20 && !inchiostroPieno; ++y)
        for (int x = 5; x < 85 && !inchiostroPieno; ++x) inchiostroPieno = img.pixel(x, y) == inchiostro;
    EXPECT_TRUE(inchiostroPieno) << "the name is written in the button text colour";

    VelResolution esecuzione;
    const QImage vuota = esecuzione.Render();
    for (int y = 0; y < vuota.height(); ++y)
        for (int x = 0; x < vuota.width(); ++x) ASSERT_EQ(qAlpha(vuota.pixel(x, y)), 0) << "run time draws nothing";
}

// No fake installed: the layer chosen for the offscreen platform lists no modes, so any
// switch away from the current size ends in the check's message.
TEST(RisoluzioneSenzaModi, OffscreenPlatformCannotSwitch)
{
    MessaggiRegistrati messaggi;
    MessaggiTemporanei installati(messaggi);
    ModiSchermo& schermo = ModiSchermoCorrenti();
    EXPECT_TRUE(schermo.Modi().empty());
    const ModoSchermo prima = schermo.Corrente();
    EXPECT_GT(prima.larghezza, 0) << "the size of the screen Qt reports";
    {
        VelResolution r;
        r.setResolution(prima.larghezza == 1280 ? TResolution::_640x480 : TResolution::_1280x1024);
        r.Paint();
        EXPECT_EQ(Testo(messaggi.Mostrati()), Testo({NonSupportata}));
    }
    EXPECT_EQ(schermo.Corrente(), prima);
    EXPECT_EQ(messaggi.Mostrati().size(), 1) << "switching back is silent";
}

// The real message box: modal, titled with the program's name, the exact text, and it waits
// until the user dismisses it.
TEST(MessaggioSemplice, RealBoxWaitsForTheUser)
{
    FinestraMessaggi* prima = ImpostaFinestraMessaggi(nullptr);  // the real box for this test
    QString testo, titolo;
    bool modale = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        testo = box->text();
        titolo = box->windowTitle();
        modale = box->isModal();
        box->accept();
    });
    QTimer salvagente;  // never leave the test hanging on a box that was not found
    QObject::connect(&salvagente, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    salvagente.start(2000);
    MostraMessaggio(NonSupportata);
    salvagente.stop();
    ImpostaFinestraMessaggi(prima);
    EXPECT_EQ(testo, NonSupportata);
    EXPECT_TRUE(modale);
    EXPECT_EQ(titolo, QApplication::applicationDisplayName());
}

}  // namespace

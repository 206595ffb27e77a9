// Start-up, navigation between windows, and the settings the configuration loads and saves.
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTcpServer>
#include <QTimer>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <csignal>
#include <cstdio>

#include "ads/THttpTestForm.h"
#include "app/PilaFinestre.h"
#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "games/briscola/TFormBriscola.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormScopa.h"
#include "games/settemezzo/TFormSettemezzo.h"
#include "platform/SegnaliUscita.h"
#include "scores/PunteggiFile.h"
#include "scores/TFormPunteggi.h"
#include "tests/gui/FinestreDiProva.h"

using Avvio = FinestreDiProva;
using Navigazione = FinestreDiProva;
using Configurazione = FinestreDiProva;

TEST_F(Avvio, WindowsHaveTheirSizesAndOnlyTheChooserIsTheMainWindow)
{
    struct Caso { QWidget* w; int larghezza, altezza; };
    const Caso casi[] = {
        {reinterpret_cast<QWidget*>(FormSplashScreen), 800, 599}, {reinterpret_cast<QWidget*>(FormConfig), 800, 600},
        {reinterpret_cast<QWidget*>(FormScopa), 800, 600},        {reinterpret_cast<QWidget*>(FormPunteggi), 800, 600},
        {reinterpret_cast<QWidget*>(FormBriscola), 801, 599},     {reinterpret_cast<QWidget*>(FormRubamazzo), 800, 600},
        {reinterpret_cast<QWidget*>(FormSettemezzo), 800, 600},
    };
    for (const auto& k : casi) {
        EXPECT_EQ(k.w->width(), k.larghezza) << k.w->metaObject()->className();
        EXPECT_EQ(k.w->height(), k.altezza) << k.w->metaObject()->className();
        EXPECT_TRUE(k.w->windowFlags() & Qt::FramelessWindowHint) << k.w->metaObject()->className();
        EXPECT_FALSE(k.w->isVisible()) << "only the chooser is shown at start";
    }
    EXPECT_FALSE(CartellaLavoro.empty());
}

TEST_F(Navigazione, TableScoresAndBackRestoreTheRightWindows)
{
    FormSplashScreen->show();
    FormSplashScreen->Spl_Btn_ScopaClick();
    EXPECT_TRUE(FormScopa->isVisible());
    EXPECT_EQ(FormSplashScreen->Pila().Profondita(), 1);

    ApriFinestra(FinestraPunteggi);
    EXPECT_FALSE(FormScopa->isVisible()) << "the table hides under the scores window";
    EXPECT_TRUE(FormPunteggi->isVisible());
    EXPECT_EQ(FormSplashScreen->Pila().Profondita(), 2);

    TornaIndietro();
    EXPECT_FALSE(FormPunteggi->isVisible());
    EXPECT_TRUE(FormScopa->isVisible()) << "closing the scores window shows the table again";

    TornaIndietro();
    EXPECT_FALSE(FormScopa->isVisible());
    EXPECT_TRUE(FormSplashScreen->isVisible()) << "the chooser stays in view under everything";
    EXPECT_EQ(FormSplashScreen->Pila().Profondita(), 0);

    TornaIndietro();  // empty stack: nothing changes
    EXPECT_EQ(FormSplashScreen->Pila().Profondita(), 0);
    EXPECT_TRUE(FormSplashScreen->isVisible());
}

TEST_F(Navigazione, EachGameButtonOpensItsTable)
{
    FormSplashScreen->show();
    struct Caso { void (TFormSplashScreen::*click)(); QWidget* tavolo; };
    const Caso casi[] = {
        {&TFormSplashScreen::Spl_Btn_BriscolaClick, FormBriscola},
        {&TFormSplashScreen::Spl_Btn_ScopaClick, FormScopa},
        {&TFormSplashScreen::Spl_Btn_RubamazzoClick, FormRubamazzo},
        {&TFormSplashScreen::Spl_Btn_SettemezzoClick, FormSettemezzo},
    };
    for (const auto& k : casi) {
        (FormSplashScreen->*k.click)();
        EXPECT_TRUE(k.tavolo->isVisible()) << k.tavolo->metaObject()->className();
        TornaIndietro();
        EXPECT_FALSE(k.tavolo->isVisible());
        EXPECT_EQ(FormSplashScreen->Pila().Profondita(), 0);
    }
}

TEST(PilaFinestre, UnknownCodesShowNothingAndTheStackCannotOverflow)
{
    PilaFinestre pila;
    int mostrate = 0, nascoste = 0;
    pila.Mostra = [&](int) { ++mostrate; };
    pila.Nascondi = [&](int) { ++nascoste; };
    for (int i = 0; i < 255; ++i) EXPECT_TRUE(pila.ApriFinestra(7));
    EXPECT_EQ(pila.Profondita(), 255);
    EXPECT_FALSE(pila.ApriFinestra(5)) << "a push beyond the last entry is refused";
    EXPECT_EQ(pila.Profondita(), 255);
    EXPECT_EQ(pila.Cima(), 7);
    EXPECT_EQ(pila.Voce(0), 0);
    while (pila.Profondita() > 0) pila.TornaIndietro();
    EXPECT_EQ(pila.Voce(1), 0);
}

TEST_F(Configurazione, FirstRunLoadsDefaultsAndSavesThemExactly)
{
    CaricaConfigurazione();
    EXPECT_EQ(Mazzo, 2);
    EXPECT_EQ(Retro, 2);
    EXPECT_EQ(FormConfig->VelCarte1->Mazzo(), 2);
    EXPECT_EQ(FormConfig->RetroCarte->NumeroCarta(), 2);
    EXPECT_TRUE(FormConfig->CBSuoni->isChecked());
    EXPECT_FALSE(FormConfig->CBMessaggi->isChecked()) << "the replay of the move is off on a first run";
    EXPECT_FALSE(FormConfig->CBComputer->isChecked());
    EXPECT_EQ(NomeGiocatore, "Giocatore1");

    SalvaConfigurazione();
    const std::pair<const char*, const char*> attesi[] = {
        {"CambioRisoluzione", "0"}, {"Barra", "0"}, {"Mazzo", "2"}, {"Retro", "2"},
        {"Suoni", "1"}, {"Messaggi", "0"}, {"Nome", "Giocatore1"}};
    for (const auto& [k, v] : attesi) EXPECT_EQ(LeggiImpostazione(k).value_or("<missing>"), v) << k;
}

TEST_F(Configurazione, StoredValuesLoadAndTheDeadOptionsAreSavedBackOff)
{
    ScriviImpostazioni({{"CambioRisoluzione", "1"}, {"Barra", "1"}, {"Mazzo", "5"}, {"Retro", "9"},
                        {"Suoni", "0"}, {"Messaggi", "0"}, {"Nome", "Anna"}});
    CaricaConfigurazione();
    EXPECT_EQ(Mazzo, 5);
    EXPECT_EQ(Retro, 9);
    EXPECT_FALSE(FormConfig->CBSuoni->isChecked());
    EXPECT_FALSE(FormConfig->CBMessaggi->isChecked());
    EXPECT_FALSE(FormConfig->CBProgrammi->isChecked());
    EXPECT_FALSE(FormConfig->CBRisoluzione->isChecked());
    EXPECT_EQ(NomeGiocatore, "Anna");
    SalvaConfigurazione();
    EXPECT_EQ(LeggiImpostazione("Barra").value_or(""), "0");
    EXPECT_EQ(LeggiImpostazione("CambioRisoluzione").value_or(""), "0");
    EXPECT_EQ(LeggiImpostazione("Mazzo").value_or(""), "5");
    EXPECT_EQ(LeggiImpostazione("Suoni").value_or(""), "0");
}

TEST_F(Configurazione, BadOrMissingValuesFallBackToDefaults)
{
    struct Caso { const char* mazzo; const char* retro; int attesoMazzo, attesoRetro; };
    const Caso casi[] = {
        {"7", "0", 2, 2}, {"x", "", 2, 2}, {"0", "10", 2, 1}, {"6", "1", 6, 1}, {"-1", "9z", 2, 9},
    };
    for (const auto& k : casi) {
        ScriviImpostazioni({{"Mazzo", k.mazzo}, {"Retro", k.retro}, {"Nome", ""}});
        CaricaConfigurazione();
        EXPECT_EQ(Mazzo, k.attesoMazzo) << "Mazzo \"" << k.mazzo << "\"";
        EXPECT_EQ(Retro, k.attesoRetro) << "Retro \"" << k.retro << "\"";
        EXPECT_EQ(NomeGiocatore, "Giocatore1") << "an empty stored name keeps the default";
        EXPECT_TRUE(FormConfig->CBSuoni->isChecked() == false) << "a missing Suoni value reads as off";
    }
}

TEST_F(Configurazione, LongNamesAreCutTo255Characters)
{
    const std::string lungo(400, 'a');
    ScriviImpostazioni({{"Nome", lungo.c_str()}});
    CaricaConfigurazione();
    EXPECT_EQ(NomeGiocatore.size(), 255u);
}

TEST_F(Configurazione, TypingANameReachesAllFourTablesAndTheScoreFiles)
{
    FormConfig->NomeGiocat->setText("Beatrice");
    EXPECT_EQ(NomeGiocatore, "Beatrice");
    for (TFormTavolo* t : {static_cast<TFormTavolo*>(FormBriscola), static_cast<TFormTavolo*>(FormRubamazzo),
                           static_cast<TFormTavolo*>(FormSettemezzo), static_cast<TFormTavolo*>(FormScopa)})
        EXPECT_EQ(t->NomeGiocat->text(), "Beatrice") << t->metaObject()->className();
    EXPECT_EQ(NomeGiocatoreCorrente(), "Beatrice");
}

TEST_F(Configurazione, ScrollBarsChangeDeckStyleAndBackAtOnce)
{
    FormConfig->ScrollBar1->setValue(4);
    FormConfig->ScrollBar2->setValue(7);
    EXPECT_EQ(Mazzo, 4);
    EXPECT_EQ(FormConfig->VelCarte1->Mazzo(), 4);
    EXPECT_EQ(Retro, 7);
    EXPECT_EQ(FormConfig->RetroCarte->NumeroCarta(), 7);
}

TEST_F(Configurazione, CloseButtonGoesBackAndSavesTheSettings)
{
    FormSplashScreen->show();
    ApriFinestra(FinestraScopa);
    ApriFinestra(FinestraConfig);
    FormConfig->CBSuoni->setChecked(false);
    FormConfig->NomeGiocat->setText("Dario");
    FormConfig->VelmoBottone2Click();
    EXPECT_TRUE(FormScopa->isVisible());
    EXPECT_FALSE(FormConfig->isVisible());
    EXPECT_EQ(LeggiImpostazione("Suoni").value_or("<missing>"), "0") << "kept as the window closes";
    EXPECT_EQ(LeggiImpostazione("Nome").value_or("<missing>"), "Dario");
}

TEST_F(Configurazione, TheMoveReplayIsAVisibleOptionStoredAsBefore)
{
    TFormConfig* f = FormConfig;
    EXPECT_TRUE(f->CBMessaggi->isVisibleTo(f));
    EXPECT_EQ(f->CBMessaggi->text(), "Rivedi la mia mossa");
    EXPECT_EQ(f->CBMessaggi->pos(), QPoint(24, 490)) << "under the level, in the left column";
    EXPECT_LE(f->CBLivello->geometry().bottom(), f->CBMessaggi->y());
    EXPECT_LE(f->CBMessaggi->geometry().bottom(), 518) << "the row below stays free";
    struct Caso { const char* salvato; bool acceso; };
    for (const Caso& k : {Caso{"1", true}, Caso{"0", false}, Caso{"", false}, Caso{"x", false}}) {
        ScriviImpostazioni({{"Messaggi", k.salvato}});
        CaricaConfigurazione();
        EXPECT_EQ(f->CBMessaggi->isChecked(), k.acceso) << "stored \"" << k.salvato << "\"";
    }
    ScriviImpostazioni({{"Messaggi", "1"}});
    CaricaConfigurazione();
    SalvaConfigurazione();
    EXPECT_EQ(LeggiImpostazione("Messaggi").value_or("<missing>"), "1") << "a stored 1 stays on";
}

TEST_F(Configurazione, ABlankNameKeepsThePreviousOneAndTheBoxSaysSo)
{
    FormSplashScreen->show();
    FormConfig->NomeGiocat->setText("Elena");
    for (const char* vuoto : {"", "   ", "\t "}) {
        SCOPED_TRACE(std::string("typed \"") + vuoto + "\"");
        FormConfig->NomeGiocat->setText(vuoto);
        EXPECT_EQ(NomeGiocatore, "Elena");
        EXPECT_EQ(FormScopa->NomeGiocat->text(), "Elena") << "the tables keep a name";
        EXPECT_EQ(NomeGiocatoreCorrente(), "Elena") << "the score files never get a blank row";
        EXPECT_TRUE(FormConfig->NomeGiocat->placeholderText().contains("Elena"))
            << FormConfig->NomeGiocat->placeholderText().toStdString();
    }
    ApriFinestra(FinestraScopa);
    ApriFinestra(FinestraConfig);
    FormConfig->NomeGiocat->setText(" ");
    FormConfig->VelmoBottone2Click();
    EXPECT_EQ(FormConfig->NomeGiocat->text(), "Elena") << "closing puts the kept name back in the box";
    EXPECT_EQ(LeggiImpostazione("Nome").value_or("<missing>"), "Elena");
    // A blank stored name loads as the default.
    ScriviImpostazioni({{"Nome", "    "}});
    CaricaConfigurazione();
    EXPECT_EQ(NomeGiocatore, "Giocatore1");
}

TEST_F(Avvio, AnEndSignalClosesThroughTheChooserAndSavesTheSettings)
{
    FormSplashScreen->show();
    ApriFinestra(FinestraScopa);
    ApriFinestra(FinestraConfig);
    FormConfig->NomeGiocat->setText("Fabio");
    FormConfig->CBLivello->setCurrentIndex(1);
    InstallaSegnaliUscita([] {
        if (FormSplashScreen) FormSplashScreen->close();
    });
    int prima = SegnaliUscitaRicevuti();
    for (int segnale : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(segnale);
        ::remove(impostazioni_.c_str());
        FormSplashScreen->show();
        std::raise(segnale);
        QElapsedTimer t;
        t.start();
        while (SegnaliUscitaRicevuti() == prima && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_FALSE(FormSplashScreen->isVisible()) << "the chooser's own close ran";
        EXPECT_EQ(LeggiImpostazione("Nome").value_or("<missing>"), "Fabio");
        EXPECT_EQ(LeggiImpostazione("Livello").value_or("<missing>"), "Esperto");
        ASSERT_GT(SegnaliUscitaRicevuti(), prima);
        prima = SegnaliUscitaRicevuti();
    }
    InstallaSegnaliUscita({});
}

TEST_F(Avvio, QuitButtonSavesTheSettings)
{
    FormSplashScreen->show();
    FormConfig->CBSuoni->setChecked(false);
    FormSplashScreen->Spl_Btn_CloseClick();
    EXPECT_EQ(LeggiImpostazione("Suoni").value_or("<missing>"), "0");
    EXPECT_EQ(LeggiImpostazione("Nome").value_or("<missing>"), "Giocatore1");
}

TEST_F(Avvio, WelcomeSoundPlaysOnceAboutASecondAfterStartEvenWithSoundsOff)
{
    int suonato = 0;
    FormSplashScreen->WaveWellcome->OnPlay = [&](TWave*) { ++suonato; };
    EXPECT_TRUE(FormSplashScreen->TimerWellcome->isActive()) << "the timer runs from creation";
    EXPECT_EQ(FormSplashScreen->TimerWellcome->interval(), 1000);
    FormConfig->CBSuoni->setChecked(false);
    FormSplashScreen->TimerWellcomeTimer();
    EXPECT_EQ(suonato, 1);
    EXPECT_FALSE(FormSplashScreen->TimerWellcome->isActive()) << "it plays once and stops";
}

TEST_F(Avvio, ShowingTheChooserLoadsSettingsAndNamesTheTables)
{
    ScriviImpostazioni({{"Nome", "Carla"}, {"Mazzo", "3"}});
    FormSplashScreen->show();
    EXPECT_EQ(NomeGiocatore, "Carla");
    EXPECT_EQ(FormConfig->VelCarte1->Mazzo(), 3);
    for (TFormTavolo* t : {static_cast<TFormTavolo*>(FormBriscola), static_cast<TFormTavolo*>(FormRubamazzo),
                           static_cast<TFormTavolo*>(FormSettemezzo), static_cast<TFormTavolo*>(FormScopa)})
        EXPECT_EQ(t->NomeGiocat->text(), "Carla") << t->metaObject()->className();
}

TEST_F(Avvio, AnEndSignalDuringTheStartsDownloadEndsTheStart)
{
    // An update server that takes the connection and never answers holds the start's strip.
    QTcpServer muto;
    ASSERT_TRUE(muto.listen(QHostAddress::LocalHost, 0));
    setenv("CARTOVIA_UPDATE_SERVER", QString("http://127.0.0.1:%1").arg(muto.serverPort()).toLocal8Bit().constData(), 1);
    ScriviImpostazioni({{"Nome", "Gina"}});
    InstallaSegnaliUscita([] {
        if (FormSplashScreen) FormSplashScreen->close();
    });
    bool inviato = false;
    QTimer attesa;
    QObject::connect(&attesa, &QTimer::timeout, [&] {
        if (inviato || !HttpTestForm || !HttpTestForm->InCorso()) return;
        inviato = true;
        std::raise(SIGTERM);
    });
    attesa.start(5);
    QTimer::singleShot(8000, HttpTestForm, [] { HttpTestForm->close(); });  // never hang the suite
    QElapsedTimer t;
    t.start();
    FormSplashScreen->show();  // returns once the start's strip has closed
    unsetenv("CARTOVIA_UPDATE_SERVER");
    InstallaSegnaliUscita({});
    EXPECT_TRUE(inviato) << "the download never started";
    EXPECT_LT(t.elapsed(), 7000) << "the signal did not end the strip";
    EXPECT_FALSE(HttpTestForm->isVisible());
    EXPECT_TRUE(FormSplashScreen->isHidden()) << "the chooser closed: the program ends without its loop";
    EXPECT_EQ(LeggiImpostazione("Nome").value_or("<missing>"), "Gina");
}

TEST_F(Configurazione, LeftGoesBackAndRightForwardOnTheDeckAndBackBars)
{
    FormSplashScreen->show();
    ApriFinestra(FinestraScopa);
    ApriFinestra(FinestraConfig);
    for (QScrollBar* barra : {FormConfig->ScrollBar1, FormConfig->ScrollBar2}) {
        SCOPED_TRACE(barra->objectName().toStdString());
        barra->setValue(3);
        const QImage senza = barra->grab().toImage();
        barra->setFocus();
        struct Passo { int tasto, atteso; };
        for (const Passo& k : {Passo{Qt::Key_Left, 2}, Passo{Qt::Key_Left, 1}, Passo{Qt::Key_Right, 2}}) {
            QKeyEvent e(QEvent::KeyPress, k.tasto, Qt::NoModifier);
            QCoreApplication::sendEvent(barra, &e);
            EXPECT_EQ(barra->value(), k.atteso) << (k.tasto == Qt::Key_Left ? "Left" : "Right");
        }
        barra->setValue(3);
        if (barra->hasFocus()) {
            EXPECT_NE(barra->grab().toImage(), senza) << "the focused bar is framed";
        }
    }
    EXPECT_EQ(Mazzo, 3);
    EXPECT_EQ(Retro, 3);
}

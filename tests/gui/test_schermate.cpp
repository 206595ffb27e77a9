// The README's screenshots of the tables, made by hand under Xvfb:
//   CARTOVIA_SCREENSHOTS=docs QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 800x600x24" \
//     build/tests/gui_tests --gtest_filter='Schermate.*'
// Each state is laid out through the tables' own handlers; the whole screen is taken with
// ImageMagick's import. Without CARTOVIA_SCREENSHOTS the test is skipped.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QHostAddress>
#include <QProcess>

#include "ads/PannelloPubblicita.h"
#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "core/Pausa.h"
#include "core/Globali.h"
#include "games/briscola/TFormBriscola.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormAlternative.h"
#include "games/scopa/TFormScopa.h"
#include "net/CanaleTavolo.h"
#include "net/SessioneHost.h"
#include "net/SessioneOspite.h"
#include "tests/gui/FinestreDiProva.h"

namespace {

class Schermate : public FinestreDiProva {
protected:
    void SetUp() override
    {
        cartella_ = qEnvironmentVariable("CARTOVIA_SCREENSHOTS");
        if (cartella_.isEmpty()) GTEST_SKIP() << "CARTOVIA_SCREENSHOTS names no folder";
        FinestreDiProva::SetUp();
        FormConfig->CBSuoni->setChecked(false);
        FormConfig->VelCarte1->Stato().Generatore().Fissa(7);
        FormScopa->Motore.Generatore().Fissa(7);
        FormSplashScreen->show();
    }
    void TearDown() override
    {
        if (cartella_.isEmpty()) return;
        TFormAlternative::Automazione() = nullptr;
        FinestreDiProva::TearDown();
    }
    static void Attendi(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    static void SenzaPubblicita(TFormTavolo* t)
    {
        if (t->Pubblicita->InVista()) t->Pubblicita->ChiudiPubblicitaClick();
    }
    void Scatta(const char* nome)
    {
        Attendi(400);
        const QString file = QDir(cartella_).filePath(QString::fromLatin1(nome));
        EXPECT_EQ(QProcess::execute("import", {"-window", "root", file}), 0) << nome;
    }
    static void PosizioneScopa(std::initializer_list<int> giocatore, std::initializer_list<int> computer,
                               std::initializer_list<int> tavolo)
    {
        auto& m = FormScopa->Motore;
        std::fill(std::begin(m.ManoGiocatore), std::end(m.ManoGiocatore), 0);
        std::fill(std::begin(m.ManoComputer), std::end(m.ManoComputer), 0);
        std::fill(std::begin(m.Tavolo), std::end(m.Tavolo), 0);
        int i = 1;
        for (int c : giocatore) m.ManoGiocatore[i++] = c;
        i = 1;
        for (int c : computer) m.ManoComputer[i++] = c;
        i = 1;
        for (int c : tavolo) m.Tavolo[i++] = c;
        m.Turno = 1;
        FormScopa->Ridisegna();
    }

    QString cartella_;
};

}  // namespace

TEST_F(Schermate, Tavoli)
{
    // Briscola with its trump.
    ApriFinestra(FinestraBriscola);
    SenzaPubblicita(FormBriscola);
    FormBriscola->NuovaPartitaClick();
    Scatta("briscola.png");

    // Scopa: a game going on and a sweep just made.
    TFormScopa* s = FormScopa;
    ApriFinestra(FinestraScopa);
    SenzaPubblicita(s);
    s->NuovaPartitaClick();
    s->PuntiPartitaGiocatore = 11;
    s->PuntiPartitaComputer = 7;
    s->MostraPartita();
    PosizioneScopa({7, 16, 28}, {2, 13, 24}, {12, 15});  // the 7 of Denari sweeps 2 + 5
    s->CartaGiocatoreDblClick(1);
    s->Timer1->stop();
    Scatta("scopa-partita.png");

    // The capture just made, seen again.
    QKeyEvent u(QEvent::KeyPress, Qt::Key_U, Qt::NoModifier);
    QCoreApplication::sendEvent(s, &u);
    s->TimerPresa->stop();
    Scatta("ultima-presa.png");
    s->NascondiUltimaPresa();

    // The capture choice, its table cards lit.
    PosizioneScopa({16, 27, 38}, {2, 13, 24}, {1, 15, 12, 4, 33});
    TFormAlternative::Automazione() = [this](TFormAlternative* d) {
        d->VelmoBottone2Click();
        d->show();
        d->raise();
        Scatta("scelta-presa.png");
        d->VelmoBottone1Click();
    };
    s->CartaGiocatoreDblClick(1);
    s->Timer1->stop();

    // Rubamazzo: a card selected, the two it would take rimmed in gold.
    TFormRubamazzo* r = FormRubamazzo;
    ApriFinestra(FinestraRubamazzo);
    SenzaPubblicita(r);
    r->NuovaPartitaClick();
    r->Timer3->stop();
    for (int k = 4; k <= 6; ++k)
        if (r->Regole.Posti[k] && r->Regole.ValutaPresa(k) > 0) {
            r->ImagePosDblClick(k);
            break;
        }
    Scatta("rubamazzo-selezione.png");

    // The configuration window with the pace under the level.
    ApriFinestra(FinestraConfig);
    Scatta("configurazione.png");
}

// A network Scopa match as each side sees it: Anna hosts, Bruno joins from the same machine.
TEST_F(Schermate, ScopaInRete)
{
    auto* host = new Rete::SessioneHost;
    auto* ospite = new Rete::SessioneOspite;
    ASSERT_TRUE(host->Avvia(Rete::Gioco::Scopa, "Anna", "135790", 31, QHostAddress::LocalHost, 0));
    ASSERT_TRUE(ospite->Collega("127.0.0.1", host->Porta(), "135790", "Bruno"));
    for (int i = 0; i < 2000 && !ospite->HaQuadro(); ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_TRUE(ospite->HaQuadro());
    NomeGiocatore = "Anna";
    FormScopa->NomeGiocat->setText("Anna");
    TFormScopa bruno;
    bruno.NomeGiocat->setText("Bruno");
    FormScopa->GiocaInRete(Rete::NuovoCanaleScopa(Rete::Collegamento::DaHost(host)));
    bruno.GiocaInRete(Rete::NuovoCanaleScopa(Rete::Collegamento::DaOspite(ospite)));
    TFormAlternative::Automazione() = [](TFormAlternative* d) { d->VelmoBottone1Click(); };
    // Three moves: Anna, Bruno, Anna; then Bruno is to play.
    for (int mossa = 0; mossa < 3; ++mossa) {
        TFormScopa* chi = mossa % 2 == 0 ? FormScopa : &bruno;
        TFormScopa* altro = mossa % 2 == 0 ? &bruno : FormScopa;
        for (int i = 1; i <= 3; ++i)
            if (chi->Motore.ManoGiocatore[i]) {
                chi->CartaGiocatoreDblClick(i);
                break;
            }
        for (int i = 0; i < 200 && altro->Motore.Turno != 1; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            altro->Timer1Timer();
        }
    }
    FormScopa->Timer2Timer();
    bruno.Timer2Timer();
    FormSplashScreen->hide();
    FormScopa->move(0, 0);
    FormScopa->show();
    Scatta("rete-scopa-host.png");
    FormScopa->hide();
    // Bruno's own machine knows him by his name.
    NomeGiocatore = "Bruno";
    bruno.MostraPartita();
    bruno.move(0, 0);
    bruno.show();
    Scatta("rete-scopa-ospite.png");
    bruno.ChiudiClick();
}

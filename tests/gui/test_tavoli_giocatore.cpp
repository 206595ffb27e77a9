// The four tables as a player meets them: clicks made while cards fly are never played later,
// results go to the loaded name, a new game starts on a clean felt, and the felt says what
// happened.
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <string>
#include <vector>

#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "components/AttesaGui.h"
#include "games/briscola/TFormBriscola.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormAlternative.h"
#include "games/scopa/TFormScopa.h"
#include "games/settemezzo/TFormSettemezzo.h"
#include "scores/TFormPunteggi.h"
#include "tests/gui/FinestreDiProva.h"
#include "tests/gui/PassoScopa.h"

namespace {

void PostaDoppioClic(QWidget* w)
{
    const QPointF c(w->width() / 2.0, w->height() / 2.0);
    const QPointF g = w->mapToGlobal(c);
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, c, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, c, g, Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonDblClick, c, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, c, g, Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

// Counts what reaches it: input and paints.
class Sonda : public QWidget {
public:
    int input = 0, disegni = 0;

protected:
    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
            ++input;
            return true;
        default:
            return QWidget::event(e);
        }
    }
    void paintEvent(QPaintEvent*) override
    {
        ++disegni;
        QPainter(this).fillRect(rect(), Qt::darkGreen);
    }
};

class Tavoli : public FinestreDiProva {
protected:
    void SetUp() override
    {
        FinestreDiProva::SetUp();
        FormConfig->VelCarte1->Stato().Generatore().Fissa(2024);
        FormScopa->Motore.Generatore().Fissa(2024);
        TFormAlternative::Automazione() = [](TFormAlternative* d) { d->VelmoBottone1Click(); };
    }
    void TearDown() override
    {
        ImpostaDormiente({});
        ImpostaScalaTempo(0);
        TFormAlternative::Automazione() = nullptr;
        FinestreDiProva::TearDown();
    }

    // Pauses that really run the windows' sleeper, each a millisecond or so; `aOgniPausa`
    // sees every pause first.
    void PauseVere(std::function<void()> aOgniPausa)
    {
        ImpostaScalaTempo(0.05);
        ImpostaDormiente([f = std::move(aOgniPausa)](unsigned ms) {
            if (f) f();
            AttesaGui(ms);
        });
    }
    void SenzaPause()
    {
        ImpostaDormiente({});
        ImpostaScalaTempo(0);
    }

    QByteArray FilePunteggi(const char* nome)
    {
        QFile f(QString::fromStdString(CartellaLavoro) + "/" + nome);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// ---------------------------------------------------------------- pauses

TEST_F(Tavoli, InputArrivingInAPauseIsDroppedWhilePaintAndLaterTimersGoOn)
{
    Sonda sonda;
    sonda.resize(100, 100);
    sonda.show();
    QCoreApplication::processEvents();

    struct Caso {
        const char* nome;
        std::function<void()> posta;
    };
    const Caso casi[] = {
        {"a double-click", [&] { PostaDoppioClic(&sonda); }},
        {"a key", [&] { QCoreApplication::postEvent(&sonda, new QKeyEvent(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, "1")); }},
        {"a wheel turn",
         [&] {
             QCoreApplication::postEvent(&sonda, new QWheelEvent(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120),
                                                                 Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false));
         }},
    };
    for (const Caso& k : casi) {
        sonda.input = 0;
        int scatti = 0;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] { ++scatti; });
        timer.start(0);
        k.posta();
        const int disegniPrima = sonda.disegni;
        sonda.update();
        AttesaGui(20);
        EXPECT_EQ(scatti, 0) << k.nome << ": no timer fires inside a pause";
        EXPECT_GT(sonda.disegni, disegniPrima) << k.nome << ": the window is painted during the pause";
        EXPECT_FALSE(InAttesaGui());
        QCoreApplication::processEvents();
        EXPECT_EQ(sonda.input, 0) << k.nome << " made during the pause is never handled";
        EXPECT_EQ(scatti, 1) << k.nome << ": the timer that fell due runs after the pause";
    }
    // Outside pauses input arrives as usual.
    PostaDoppioClic(&sonda);
    QCoreApplication::processEvents();
    EXPECT_EQ(sonda.input, 2) << "a press and a double-click";

    // A press dropped in a pause is not half of a double-click afterwards: the window system
    // pairs it with the next press into a double-click, which must not count.
    QWindow* finestra = sonda.windowHandle();
    ASSERT_NE(finestra, nullptr);
    auto alla = [&](QEvent::Type t) {
        const QPointF c(50, 50);
        QCoreApplication::postEvent(finestra, new QMouseEvent(t, c, finestra->mapToGlobal(c), Qt::LeftButton,
                                                              Qt::LeftButton, Qt::NoModifier));
    };
    sonda.input = 0;
    alla(QEvent::MouseButtonPress);
    AttesaGui(5);
    alla(QEvent::MouseButtonPress);
    alla(QEvent::MouseButtonDblClick);
    QCoreApplication::processEvents();
    EXPECT_EQ(sonda.input, 1) << "only the press made after the pause counts";
    alla(QEvent::MouseButtonPress);
    alla(QEvent::MouseButtonDblClick);
    QCoreApplication::processEvents();
    EXPECT_EQ(sonda.input, 3) << "a whole double-click after the pause counts";
}

TEST_F(Tavoli, BriscolaDoubleClickOnTheSlotBeingRefilledDuringTheTrickIsNotPlayed)
{
    TFormBriscola* b = FormBriscola;
    RegoleBriscola& r = b->Regole;
    FormSplashScreen->show();
    ApriFinestra(FinestraBriscola);
    b->NuovaPartitaClick();
    // The player has led the Ace of Denari and the computer answered a Five of Spade: the
    // trick is the player's, who then draws into slot 1 and leads.
    for (int i = 1; i <= 40; ++i) r.CarteMazzo[i] = i;
    r.CartaBriscola = 40;
    r.CartePescate = 20;
    const int mano[4] = {0, 0, 6, 7}, computer[4] = {0, 0, 16, 17};
    std::copy(std::begin(mano), std::end(mano), r.ManoGiocatore);
    std::copy(std::begin(computer), std::end(computer), r.ManoComputer);
    r.GiocataGiocatore = 1;
    r.GiocataComputer = 15;
    r.CarteGiocate = 2;
    r.Iniziatore = 1;
    b->RidisegnaTavolo();

    bool postato = false;
    PauseVere([&] {
        if (postato) return;
        postato = true;
        // Slot 1 is empty now; the card drawn into it after the trick has not been seen.
        PostaDoppioClic(b->Image4);
    });
    b->Timer2Timer();
    SenzaPause();
    ASSERT_TRUE(postato) << "the trick flew";
    ASSERT_EQ(r.Turno, 1) << "the player leads the next trick";
    const int pescata = r.ManoGiocatore[1];
    ASSERT_NE(pescata, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(r.ManoGiocatore[1], pescata) << "the card drawn during the flight is still in hand";
    EXPECT_EQ(r.CarteGiocate, 0) << "nothing was played by the click made during the flight";
}

TEST_F(Tavoli, ScopaDoubleClickDuringTheComputersMoveIsNotPlayedAfterIt)
{
    TFormScopa* s = FormScopa;
    FormSplashScreen->show();
    ApriFinestra(FinestraScopa);
    s->NuovaPartitaClick();
    if (s->Motore.Turno == 1) s->CartaGiocatoreDblClick(1);
    ASSERT_EQ(s->Motore.Turno, 2);
    const std::vector<int> manoPrima(s->Motore.ManoGiocatore, s->Motore.ManoGiocatore + 4);

    int pause = 0;
    PauseVere([&] {
        if (pause++ == 0)
            for (int i = 1; i <= 3; ++i) PostaDoppioClic(s->CartaGiocatore[i]);
    });
    s->Timer1Timer();
    SenzaPause();
    ASSERT_GT(pause, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(std::vector<int>(s->Motore.ManoGiocatore, s->Motore.ManoGiocatore + 4), manoPrima)
        << "the player's hand is as the computer's move left it";
    EXPECT_EQ(s->Motore.Turno, 1) << "it is the player's move, still to be made";
}

TEST_F(Tavoli, ClickOnTheCaptureDialogMadeDuringAPauseIsDropped)
{
    TFormAlternative* d = FormAlternative;
    d->Alternative = {{1, 2}, {3}};
    d->AlternativaScelta = 0;
    d->FormShow();
    d->show();
    QCoreApplication::processEvents();
    PauseVere({});
    auto clic = [](QWidget* w, QEvent::Type t) {
        const QPointF c(10, 10);
        QCoreApplication::postEvent(w, new QMouseEvent(t, c, w->mapToGlobal(c), Qt::LeftButton,
                                                       t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                       Qt::NoModifier));
    };
    clic(d->VelmoBottone2, QEvent::MouseButtonPress);
    clic(d->VelmoBottone2, QEvent::MouseButtonRelease);
    Pausa(100);
    SenzaPause();
    QCoreApplication::processEvents();
    EXPECT_EQ(d->AlternativaScelta, 0) << "\"Altra\" pressed during a pause does not turn the choice";
    // A click after the pause works.
    clic(d->VelmoBottone2, QEvent::MouseButtonPress);
    clic(d->VelmoBottone2, QEvent::MouseButtonRelease);
    QCoreApplication::processEvents();
    EXPECT_EQ(d->AlternativaScelta, 1);
    d->hide();
}

// ---------------------------------------------------------------- the loaded name

TEST_F(Tavoli, EveryTableRecordsUnderTheLoadedNameWithoutTheConfigurationWindow)
{
    ScriviImpostazioni({{"Nome", "Anna"}});
    FormSplashScreen->show();
    ASSERT_EQ(NomeGiocatore, "Anna");
    EXPECT_EQ(FormConfig->NomeGiocat->text(), "Anna") << "the name box holds the loaded name at once";
    struct Caso {
        TFormTavolo* tavolo;
        int codice;
        const char* file;
    };
    const Caso casi[] = {
        {FormScopa, FinestraScopa, "PunteggiScopa.txt"},
        {FormBriscola, FinestraBriscola, "PunteggiBriscola.txt"},
        {FormRubamazzo, FinestraRubamazzo, "PunteggiRubaMazzo.txt"},
        {FormSettemezzo, FinestraSettemezzo, "PunteggiSettemezzo.txt"},
    };
    for (const Caso& k : casi) {
        ApriFinestra(k.codice);
        k.tavolo->NuovaPartitaClick();
        // Scopa records a game as played when the next one starts.
        if (k.tavolo == FormScopa) {
            FormScopa->PartitaFinita = true;
            FormScopa->NuovaPartitaClick();
        }
        const QByteArray dati = FilePunteggi(k.file).toUpper();
        EXPECT_TRUE(dati.startsWith("ANNA ")) << k.file << " holds: " << dati.toStdString();
        EXPECT_FALSE(dati.contains("GIOCATORE1")) << k.file;
        EXPECT_EQ(k.tavolo->NomeGiocat->text(), "Anna") << k.file;
        TornaIndietro();
    }
    EXPECT_FALSE(FormConfig->isVisible()) << "the configuration window was never opened";
}

TEST_F(Tavoli, NameBytesThatAreNotUtf8AreDroppedAndTheRestIsSavedBackIntact)
{
    // A settings file written in a one-byte code page ("Nicolò Fè Rossi" in Latin-1).
    {
        QFile f(QString::fromStdString(impostazioni_));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[VelmoSoft]\nScopa\\Configurazione\\Nome=Nicol\xF2 F\xE8 Rossi\n"
                "Scopa\\Configurazione\\Mazzo=3\n");
    }
    FormSplashScreen->show();
    EXPECT_EQ(NomeGiocatore, "Nicol F Rossi");
    EXPECT_EQ(FormConfig->VelCarte1->Mazzo(), 3) << "the other values load as usual";
    EXPECT_EQ(FormConfig->NomeGiocat->text(), "Nicol F Rossi");
    EXPECT_EQ(FormBriscola->NomeGiocat->text(), "Nicol F Rossi");
    EXPECT_EQ(NomeGiocatoreCorrente(), "Nicol F Rossi");
    SalvaConfigurazione();
    EXPECT_EQ(LeggiImpostazione("Nome").value_or("<missing>"), "Nicol F Rossi") << "no replacement characters saved";
    // A name of undecodable bytes only keeps the default.
    {
        QFile f(QString::fromStdString(impostazioni_));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[VelmoSoft]\nScopa\\Configurazione\\Nome=\xF2\xE8 \n");
    }
    CaricaConfigurazione();
    EXPECT_EQ(NomeGiocatore, "Giocatore1");
}

// ---------------------------------------------------------------- a new game on a clean felt

// Card slots (80 x 120 or lying 120 x 80) showing a picture, but for `tranne`.
std::vector<std::string> CarteInVista(TFormTavolo* t, const std::vector<QWidget*>& tranne)
{
    std::vector<std::string> out;
    for (VelImage* img : t->Panel1->findChildren<VelImage*>()) {
        const bool carta = (img->width() == 80 && img->height() == 120) || (img->width() == 120 && img->height() == 80);
        if (!carta || img->isHidden() || !img->HaPicture() || img == t->Computer || img == t->Giocatore) continue;
        if (std::find(tranne.begin(), tranne.end(), img) != tranne.end()) continue;
        out.push_back(img->objectName().toStdString());
    }
    return out;
}

TEST_F(Tavoli, NewGameMidGameShowsNothingOfTheOldGameWhileTheNewDealFlies)
{
    FormSplashScreen->show();
    // Briscola: a few tricks in, then "Nuova Partita".
    {
        TFormBriscola* b = FormBriscola;
        ApriFinestra(FinestraBriscola);
        b->NuovaPartitaClick();
        for (int passo = 0; passo < 12; ++passo) {
            if (b->Timer2->isActive())
                b->Timer2Timer();
            else if (b->Regole.Turno == 1 && b->Regole.CarteGiocate < 2)
                b->GiocaSlotGiocatore(b->Regole.ManoGiocatore[1] ? 1 : 2);
            else
                b->Timer1Timer();
        }
        ASSERT_GT(b->Regole.PreseGiocatore[0] + b->Regole.PreseComputer[0] + b->Regole.CarteGiocate, 0);
        ASSERT_GT(b->Regole.PuntiGiocatore + b->Regole.PuntiComputer, 0) << "points were scored";
        VelImage zero;
        zero.resize(24, 24);
        FormConfig->VelCartePunteggi->Carta(1, 1, &zero);
        std::vector<std::string> viste;
        bool prima = true, puntiAZero = false;
        PauseVere([&] {
            if (!prima) return;
            prima = false;
            viste = CarteInVista(b, {b->Image4});  // the first card of the new deal, flying
            puntiAZero = b->PG1->Picture() == zero.Picture() && b->PG2->Picture() == zero.Picture() &&
                         b->PC1->Picture() == zero.Picture() && b->PC2->Picture() == zero.Picture();
        });
        b->NuovaPartitaClick();
        SenzaPause();
        EXPECT_FALSE(prima);
        EXPECT_TRUE(viste.empty()) << "Briscola: " << ::testing::PrintToString(viste);
        EXPECT_TRUE(puntiAZero) << "Briscola: the old game's points are gone before the deal flies";
        TornaIndietro();
    }
    // Scopa: mid-hand, with cards on the table and in both hands.
    {
        TFormScopa* s = FormScopa;
        ApriFinestra(FinestraScopa);
        s->NuovaPartitaClick();
        if (s->Motore.Turno == 1) s->CartaGiocatoreDblClick(1);
        s->Timer1Timer();
        std::vector<std::string> viste;
        bool prima = true;
        PauseVere([&] {
            if (!prima) return;
            prima = false;
            std::vector<QWidget*> tranne = {s->Carte};  // the deck the cards come from
            for (int i = 1; i <= 3; ++i) tranne.push_back(s->CartaComputer[i]), tranne.push_back(s->CartaGiocatore[i]);
            // The first card flies from the deck; everything else must be gone.
            for (VelImage* img : s->Panel1->findChildren<VelImage*>())
                if (img->pos() == QPoint(645, 240) && img != s->Carte) tranne.push_back(img);
            viste = CarteInVista(s, tranne);
            for (int i = 1; i <= 3; ++i)
                for (VelImage* img : {s->CartaComputer[i], s->CartaGiocatore[i]})
                    if (!img->isHidden() && img->pos() != QPoint(645, 240)) viste.push_back(img->objectName().toStdString());
        });
        s->NuovaPartitaClick();
        SenzaPause();
        EXPECT_FALSE(prima);
        EXPECT_TRUE(viste.empty()) << "Scopa: " << ::testing::PrintToString(viste);
        TornaIndietro();
    }
    // Rubamazzo and Sette e mezzo deal without flights: right after the click every place
    // shows exactly the new game's card.
    {
        TFormRubamazzo* t = FormRubamazzo;
        ApriFinestra(FinestraRubamazzo);
        t->NuovaPartitaClick();
        t->Timer3Timer();
        t->ImagePosDblClick(4);
        t->BtnOkClick();
        t->NuovaPartitaClick();
        for (int k = 1; k < static_cast<int>(t->ImagePos.size()); ++k)
            EXPECT_EQ(t->ImagePos[k]->HaPicture() && !t->ImagePos[k]->isHidden(), t->Regole.Posti[k] != 0)
                << "Rubamazzo place " << k;
        EXPECT_FALSE(t->CarteComputer->HaPicture());
        EXPECT_FALSE(t->CarteGiocatore->HaPicture());
        TornaIndietro();
    }
    {
        TFormSettemezzo* t = FormSettemezzo;
        ApriFinestra(FinestraSettemezzo);
        t->NuovaPartitaClick();
        t->NuovaCartaClick();
        t->NuovaCartaClick();
        t->NuovaPartitaClick();
        for (int s = 1; s <= 7; ++s) {
            EXPECT_EQ(!t->ImagePos[s]->isHidden(), t->Regole.CarteComputer[s] != 0) << "Sette e mezzo computer slot " << s;
            EXPECT_EQ(!t->ImagePos[7 + s]->isHidden(), t->Regole.CarteGiocatore[s] != 0) << "Sette e mezzo slot " << s;
        }
    }
}

// ---------------------------------------------------------------- result lines

TEST_F(Tavoli, ResultTextsSayWhoTookWhatAndWhoWon)
{
    struct Caso {
        QString testo, atteso;
    };
    const Caso casi[] = {
        {TFormBriscola::TestoPresa(1, 11), "Mano a te, 11 punti"},
        {TFormBriscola::TestoPresa(2, 1), "Mano al computer, 1 punto"},
        {TFormBriscola::TestoPresa(2, 0), "Mano al computer"},
        {TFormBriscola::TestoFinePartita(1, 75, 45), "Hai vinto la partita 75 a 45"},
        {TFormBriscola::TestoFinePartita(2, 45, 75), "Hai perso la partita 45 a 75"},
        {TFormBriscola::TestoFinePartita(0, 60, 60), "Partita pari, 60 a 60"},
        {TFormScopa::TestoFineMano(4, 2), "Mano a te, 4 a 2"},
        {TFormScopa::TestoFineMano(1, 3), "Mano al computer, 1 a 3"},
        {TFormScopa::TestoFineMano(2, 2), "Mano pari, 2 a 2"},
        {TFormScopa::TestoFinePartita(true, 25, 15), "Hai vinto la partita 25 a 15"},
        {TFormScopa::TestoFinePartita(false, 18, 21), "Hai perso la partita 18 a 21"},
        {TFormRubamazzo::TestoFinePartita(1, 24, 16), "Hai vinto la partita 24 a 16"},
        {TFormRubamazzo::TestoFinePartita(0, 20, 20), "Partita pari, 20 a 20"},
        {TFormSettemezzo::TestoMano(1, 75, 60), "Mano a te, 7 e mezzo contro 6"},
        {TFormSettemezzo::TestoMano(1, 50, 80), "Il computer ha sballato: mano a te"},
        {TFormSettemezzo::TestoMano(2, 85, 40), "Sballato! Mano al computer"},
        {TFormSettemezzo::TestoMano(2, 45, 70), "Mano al computer, 7 contro 4 e mezzo"},
        {TFormSettemezzo::TestoMano(0, 55, 55), "Mano pari, 5 e mezzo a 5 e mezzo"},
        {TFormSettemezzo::TestoFinePartita(true, 20, 0), "Hai vinto la partita 20 a 0"},
    };
    for (const Caso& k : casi) EXPECT_EQ(k.testo.toStdString(), k.atteso.toStdString());
}

TEST_F(Tavoli, BriscolaTellsTheTrickAndTheGameOnTheFeltAndHidesTheTurnAfterIt)
{
    TFormBriscola* b = FormBriscola;
    RegoleBriscola& r = b->Regole;
    FormSplashScreen->show();
    ApriFinestra(FinestraBriscola);
    EXPECT_FALSE(b->Giocatore->isVisible() || b->Computer->isVisible()) << "no turn picture before a game";
    b->NuovaPartitaClick();
    EXPECT_EQ(b->TestoEsito(), "");
    int prese = 0;
    for (int passo = 0; passo < 400 && b->PartitaInCorso; ++passo) {
        if (b->Timer2->isActive()) {
            const int p = r.GiocataGiocatore, q = r.GiocataComputer;
            const int punti = r.Punti(p) + r.Punti(q);
            b->Timer2Timer();
            if (!b->PartitaInCorso) break;
            ++prese;
            const QString atteso = TFormBriscola::TestoPresa(r.Turno, punti);  // the winner leads
            ASSERT_EQ(b->TestoEsito().toStdString(), atteso.toStdString()) << "after trick " << prese;
        } else if (r.Turno == 1 && r.CarteGiocate < 2) {
            for (int i = 1; i <= 3; ++i)
                if (r.ManoGiocatore[i]) {
                    b->GiocaSlotGiocatore(i);
                    break;
                }
            EXPECT_EQ(b->TestoEsito(), "") << "the player's move clears the line";
        } else {
            b->Timer1Timer();
        }
    }
    ASSERT_FALSE(b->PartitaInCorso);
    EXPECT_EQ(prese, 19);
    EXPECT_EQ(b->TestoEsito().toStdString(),
              TFormBriscola::TestoFinePartita(r.Esito, r.PuntiGiocatore, r.PuntiComputer).toStdString());
    EXPECT_FALSE(b->TimerEsito->isActive()) << "the game's result stays until the next action";
    EXPECT_TRUE(b->Giocatore->isHidden() && b->Computer->isHidden()) << "no turn picture after the game";
    b->NuovaPartitaClick();
    EXPECT_EQ(b->TestoEsito(), "") << "a new game clears the line";
}

TEST_F(Tavoli, ScopaTellsEachHandAndTheGame)
{
    TFormScopa* s = FormScopa;
    FormSplashScreen->show();
    ApriFinestra(FinestraScopa);
    s->Timer2Timer();
    EXPECT_TRUE(s->Giocatore->isHidden() && s->Computer->isHidden()) << "no turn picture before a game";
    s->NuovaPartitaClick();
    int mani = 0;
    for (int passi = 0; !s->PartitaFinita && passi < 5000; ++passi) {
        if (s->ManoFinita) {
            if (mani == 0 || s->TimerNuovaPartita->isActive()) {
                ++mani;
                EXPECT_TRUE(s->TestoEsito().startsWith("Mano ")) << s->TestoEsito().toStdString();
            }
            if (s->TimerNuovaPartita->isActive()) {
                const QString prima = s->TestoEsito();
                s->TimerNuovaPartitaTimer();
                EXPECT_EQ(s->TestoEsito(), prima) << "the hand's result stays over the next deal";
            } else {
                s->Timer1Timer();
            }
            continue;
        }
        GiocaPassoScopa(s);
    }
    ASSERT_TRUE(s->PartitaFinita);
    const bool vinta = s->PuntiPartitaGiocatore > s->PuntiPartitaComputer;
    EXPECT_EQ(s->TestoEsito().toStdString(),
              TFormScopa::TestoFinePartita(vinta, s->PuntiPartitaGiocatore, s->PuntiPartitaComputer).toStdString());
    s->Timer2Timer();
    EXPECT_TRUE(s->Giocatore->isHidden() && s->Computer->isHidden()) << "no turn picture after the game";
}

TEST_F(Tavoli, RubamazzoTellsTheGameAndItsScoresPageFollowsTheGameInProgress)
{
    TFormRubamazzo* t = FormRubamazzo;
    const RegoleRubamazzo& r = t->Regole;
    FormSplashScreen->show();
    ApriFinestra(FinestraRubamazzo);
    t->NuovaPartitaClick();
    bool controllatoAMeta = false;
    for (int passi = 0; !r.PartitaFinita() && passi < 200; ++passi) {
        t->Timer3Timer();
        if (r.PartitaFinita()) break;
        for (int k = 4; k <= 6; ++k)
            if (r.Posti[k]) {
                t->ImagePosDblClick(k);
                t->BtnOkClick();
                break;
            }
        if (!controllatoAMeta && r.PilaGiocatore() + r.PilaComputer() > 0) {
            controllatoAMeta = true;
            t->BtnPunteggiClick();
            EXPECT_EQ(FormPunteggi->PuntiRubaMazzoG->text().toInt(), r.PilaGiocatore()) << "mid-game scores";
            EXPECT_EQ(FormPunteggi->PuntiRubaMazzoC->text().toInt(), r.PilaComputer()) << "mid-game scores";
            TornaIndietro();
        }
    }
    ASSERT_TRUE(r.PartitaFinita());
    EXPECT_TRUE(controllatoAMeta);
    EXPECT_EQ(t->TestoEsito().toStdString(),
              TFormRubamazzo::TestoFinePartita(r.Risultato, r.PilaGiocatore(), r.PilaComputer()).toStdString());
    EXPECT_TRUE(t->Giocatore->isHidden() && t->Computer->isHidden()) << "no turn picture after the game";
}

TEST_F(Tavoli, RubamazzoOkGoesBeforeTheStealingCardFlies)
{
    TFormRubamazzo* t = FormRubamazzo;
    RegoleRubamazzo& r = t->Regole;
    FormSplashScreen->show();
    ApriFinestra(FinestraRubamazzo);
    t->NuovaPartitaClick();
    t->Timer3Timer();
    // A position where the player can steal: the computer's pile topped by a card of the
    // same number as the player's first card.
    const int h = r.Posti[4];
    ASSERT_NE(h, 0);
    int compagna = 0;
    for (int x = 1; x <= 40 && !compagna; ++x)
        if (x != h && r.Carta(x) % 10 == r.Carta(h) % 10) compagna = x;
    ASSERT_NE(compagna, 0);
    r.PreseComputer[1] = compagna;
    r.IndicePreseComputer = 2;
    r.CimaComputer = compagna;
    t->ImagePosDblClick(4);
    ASSERT_TRUE(r.FurtoPossibile()) << "the selected card matches the computer's top card";
    ASSERT_FALSE(t->BtnOk->isHidden());
    bool okVisibile = false, volato = false;
    PauseVere([&] {
        volato = true;
        okVisibile = okVisibile || !t->BtnOk->isHidden();
    });
    t->CarteComputerDblClick();
    SenzaPause();
    EXPECT_TRUE(volato);
    EXPECT_FALSE(okVisibile) << "OK is hidden while the stealing card flies";
}

TEST_F(Tavoli, SetteEMezzoTellsBustsDealsAndTheMatchAndFillsItsScoresPage)
{
    using R = RegoleSettemezzo;
    TFormSettemezzo* t = FormSettemezzo;
    R& r = t->Regole;
    FormSplashScreen->show();
    ApriFinestra(FinestraSettemezzo);
    EXPECT_TRUE(t->Giocatore->isHidden() && t->Computer->isHidden()) << "no turn picture before a match";
    t->NuovaPartitaClick();
    bool sballato = false;
    int mani = 0;
    for (int passi = 0; r.FaseTavolo != R::PartitaFinita && passi < 20000; ++passi) {
        if (r.FaseTavolo == R::TurnoGiocatore) {
            // Draw to six, so that some deals go bust.
            if (r.PuntiManoGiocatore < 60 && t->NuovaCarta->Stato() == 1) {
                t->NuovaCartaClick();
                if (r.PuntiManoGiocatore > R::SetteEMezzo) {
                    sballato = true;
                    EXPECT_EQ(t->TestoEsito(), "Sballato!");
                }
                continue;
            }
            t->Timer3Timer();
            if (t->Stop->Stato() == 1) t->StopClick();
            continue;
        }
        const int fase = r.FaseTavolo;
        t->Timer3Timer();
        if (fase == R::TurnoComputer && r.FaseTavolo == R::ManoDecisa) {
            ++mani;
            EXPECT_EQ(t->TestoEsito().toStdString(),
                      TFormSettemezzo::TestoMano(r.EsitoMano, r.PuntiManoGiocatore, r.PuntiManoComputer).toStdString());
            EXPECT_EQ(FormPunteggi->UltimaManoSettemezzo->text().toStdString(),
                      ("Ultima mano: " + t->TestoEsito()).toStdString());
        }
        if (r.FaseTavolo == R::ManoDecisa && t->NuovoTurno->Stato() == 1) t->NuovoTurnoClick();
    }
    ASSERT_EQ(r.FaseTavolo, R::PartitaFinita);
    EXPECT_GT(mani, 0);
    EXPECT_TRUE(sballato) << "drawing to six went bust at least once";
    const QString fine = TFormSettemezzo::TestoFinePartita(r.VincitorePartita == 1, r.PunteggioGiocatore, r.PunteggioComputer);
    EXPECT_EQ(t->TestoEsito().toStdString(), fine.toStdString());
    EXPECT_EQ(FormPunteggi->EsitoSettemezzo->text().toStdString(), fine.toStdString()) << "the scores page says who won";
    EXPECT_EQ(FormPunteggi->PuntiSettemezzoG->text().toInt(), r.PunteggioGiocatore);
    EXPECT_EQ(FormPunteggi->PuntiSettemezzoC->text().toInt(), r.PunteggioComputer);
    EXPECT_FALSE(FormPunteggi->UltimaManoSettemezzo->text().isEmpty()) << "and the last deal";
    EXPECT_TRUE(t->Giocatore->isHidden() && t->Computer->isHidden()) << "no turn picture after the match";
}

TEST_F(Tavoli, LongNamesEndInAnEllipsisOnEveryTable)
{
    FormSplashScreen->show();
    FormConfig->NomeGiocat->setText("Massimiliano Bartolomeo Abbondanzieri");
    for (TFormTavolo* t : {static_cast<TFormTavolo*>(FormScopa), static_cast<TFormTavolo*>(FormBriscola),
                           static_cast<TFormTavolo*>(FormRubamazzo), static_cast<TFormTavolo*>(FormSettemezzo)}) {
        EXPECT_EQ(t->NomeGiocat->text(), "Massimiliano Bartolomeo Abbondanzieri") << "the label keeps the whole name";
        QImage img(t->NomeGiocat->size(), QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        t->NomeGiocat->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        const QString visibile = t->NomeGiocat->fontMetrics().elidedText(t->NomeGiocat->text(), Qt::ElideRight,
                                                                          t->NomeGiocat->contentsRect().width());
        EXPECT_TRUE(visibile.endsWith(QChar(0x2026))) << t->metaObject()->className();
        EXPECT_EQ(t->NomeGiocat->toolTip(), t->NomeGiocat->text()) << t->metaObject()->className();
    }
}

}  // namespace

// Keyboard play and what a screen reader reads: every table played to its end with keys only
// must end exactly as with the mouse, keys are refused where clicks are, and the accessible
// names, values and announcements follow the game.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/TFormConfig.h"
#include "ads/PannelloPubblicita.h"
#include "app/TFormSplashScreen.h"
#include "core/Carte.h"
#include "games/briscola/TFormBriscola.h"
#include "games/comune/Accessibilita.h"
#include "games/comune/FocusTastiera.h"
#include "games/comune/TFormAiuto.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormAlternative.h"
#include "games/scopa/TFormScopa.h"
#include "games/settemezzo/TFormSettemezzo.h"
#include "scores/TFormPunteggi.h"
#include "tests/gui/FinestreDiProva.h"

namespace {

QString Nome(QObject* o)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Name) : QString("<none>");
}
QString Valore(QObject* o)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Value) : QString("<none>");
}
QString Descrizione(QObject* o)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Description) : QString("<none>");
}

// The event that says a live label's sentences: a showing with Qt 6.4, an announcement from 6.8.
bool Detta(QAccessibleEvent* e)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    return e->type() == QAccessible::Announcement;
#else
    return e->type() == QAccessible::ObjectShow;
#endif
}

// The sentence just announced through a live label (its name is what was last said).
QString Detto(QObject* o)
{
    if (auto* r = qobject_cast<RegioneAnnunci*>(o)) return r->text();
    return Nome(o);
}

void Tasto(QWidget* w, int k) { QTest::keyClick(w, static_cast<Qt::Key>(k)); }
void Cifra(QWidget* w, int n) { Tasto(w, Qt::Key_0 + n); }

class Tastiera : public FinestreDiProva {
protected:
    void TearDown() override
    {
        TFormAlternative::Automazione() = nullptr;
        ImpostaOsservatoreAnnunci({});
        ImpostaDormiente({});
        ImpostaScalaTempo(0);
        FinestreDiProva::TearDown();
    }
    // A fresh window set with `finestra` open, as after start-up.
    void Apri(int finestra)
    {
        FormSplashScreen->show();
        FormConfig->CBSuoni->setChecked(false);
        ApriFinestra(finestra);
        // The advertisement (one showing in four) would cover the table and take its keys.
        for (TFormTavolo* t : std::initializer_list<TFormTavolo*>{FormScopa, FormBriscola, FormRubamazzo, FormSettemezzo})
            if (t->Pubblicita->InVista()) t->Pubblicita->ChiudiPubblicitaClick();
    }
    void Ricrea(int finestra)
    {
        DistruggiFinestre();
        CreaFinestre();
        Apri(finestra);
    }
    // Every announcement's text, in order, caught as the accessibility event goes out.
    void RegistraAnnunci()
    {
        ImpostaOsservatoreAnnunci([this](QAccessibleEvent* e) {
            if (e->type() == QAccessible::NameChanged) annunci.push_back(Detto(e->object()));
        });
    }
    bool Annunciato(const QString& testo) const { return std::count(annunci.begin(), annunci.end(), testo) > 0; }
    static QWidget* Cornice(QWidget* tavolo)
    {
        auto* c = tavolo->findChild<QWidget*>("CorniceFocus");
        return c && c->isVisible() ? c : nullptr;
    }

    std::vector<QString> annunci;
};

// ---------------------------------------------------------------- whole games

// Plays one whole game of each table, its moves made with keys or with the mouse; returns
// the end (scores and piles) as text.
std::string PartitaScopa(bool tasti)
{
    TFormScopa* s = FormScopa;
    s->Motore.Generatore().Fissa(2024);
    TFormAlternative::Automazione() = [tasti](TFormAlternative* d) {
        // The second capture when there is a choice.
        if (tasti) {
            Tasto(d, Qt::Key_Tab);
            Tasto(d, Qt::Key_Return);
        } else {
            QTest::mouseClick(d->VelmoBottone2, Qt::LeftButton);
            QTest::mouseClick(d->VelmoBottone1, Qt::LeftButton);
        }
    };
    if (tasti)
        Tasto(s, Qt::Key_N);
    else
        QTest::mouseClick(s->NuovaPartita, Qt::LeftButton);
    for (int passi = 0; !s->PartitaFinita && passi < 5000; ++passi) {
        if (s->ManoFinita) {
            if (s->TimerNuovaPartita->isActive())
                s->TimerNuovaPartitaTimer();
            else
                s->Timer1Timer();
        } else if (s->Motore.Turno == 1) {
            // The last card of the hand, so that the slot chosen is not always the first.
            int i = 3;
            while (i > 1 && !s->Motore.ManoGiocatore[i]) --i;
            if (tasti) {
                Cifra(s, i);
                Tasto(s, Qt::Key_Return);
            } else {
                QTest::mouseDClick(s->CartaGiocatore[i], Qt::LeftButton);
            }
        } else {
            s->Timer1Timer();
        }
    }
    return "finita " + std::to_string(s->PartitaFinita) + ", punti " + std::to_string(s->PuntiPartitaGiocatore) + " a " +
           std::to_string(s->PuntiPartitaComputer) + ", scope " + std::to_string(s->Motore.ScopeGiocatore) + "/" +
           std::to_string(s->Motore.ScopeComputer);
}

std::string PartitaBriscola(bool tasti)
{
    TFormBriscola* b = FormBriscola;
    const RegoleBriscola& r = b->Regole;
    FormConfig->VelCarte1->Stato().Generatore().Fissa(2024);
    if (tasti)
        Tasto(b, Qt::Key_N);
    else
        QTest::mouseClick(b->NuovaPartita, Qt::LeftButton);
    for (int passi = 0; b->PartitaInCorso && passi < 500; ++passi) {
        if (b->Timer2->isActive()) {
            b->Timer2Timer();
        } else if (r.Turno == 1 && r.CarteGiocate < 2) {
            int i = 3;
            while (i > 1 && !r.ManoGiocatore[i]) --i;
            if (tasti) {
                Cifra(b, i);
                Tasto(b, Qt::Key_Space);
            } else {
                QTest::mouseDClick(b->ManoGiocatoreImg(i), Qt::LeftButton);
            }
        } else {
            b->Timer1Timer();
        }
    }
    return "in corso " + std::to_string(b->PartitaInCorso) + ", punti " + std::to_string(r.PuntiGiocatore) + " a " +
           std::to_string(r.PuntiComputer) + ", esito " + std::to_string(r.Esito);
}

std::string PartitaRubamazzo(bool tasti)
{
    TFormRubamazzo* t = FormRubamazzo;
    const RegoleRubamazzo& r = t->Regole;
    FormConfig->VelCarte1->Stato().Generatore().Fissa(11);
    auto seleziona = [&](int k) {
        if (tasti) {
            Cifra(t, k - 3);
            Tasto(t, Qt::Key_Return);
        } else {
            QTest::mouseDClick(t->ImagePos[k], Qt::LeftButton);
        }
    };
    if (tasti)
        Tasto(t, Qt::Key_N);
    else
        QTest::mouseClick(t->NuovaPartita, Qt::LeftButton);
    for (int passi = 0; !r.PartitaFinita() && passi < 200; ++passi) {
        t->Timer3Timer();
        if (r.PartitaFinita()) break;
        // Steal when a card can, else capture with the first card that can, else lay the first.
        int primo = 0, cattura = 0;
        bool rubato = false;
        for (int k = 4; k <= 6 && !rubato; ++k) {
            if (!r.Posti[k]) continue;
            seleziona(k);
            if (r.FurtoPossibile()) {
                if (tasti)
                    Tasto(t, Qt::Key_R);
                else
                    QTest::mouseDClick(t->CarteComputer, Qt::LeftButton);
                rubato = true;
            }
            if (!primo) primo = k;
            if (!cattura && std::any_of(std::begin(r.Evidenziati), std::end(r.Evidenziati), [](int e) { return e; }))
                cattura = k;
        }
        if (!rubato && primo) {
            seleziona(cattura ? cattura : primo);
            if (tasti)
                Tasto(t, Qt::Key_O);
            else
                QTest::mouseClick(t->BtnOk, Qt::LeftButton);
        }
    }
    return "finita " + std::to_string(r.PartitaFinita()) + ", mazzetti " + std::to_string(r.PilaGiocatore()) + " a " +
           std::to_string(r.PilaComputer()) + ", risultato " + std::to_string(r.Risultato);
}

std::string PartitaSettemezzo(bool tasti)
{
    using R = RegoleSettemezzo;
    TFormSettemezzo* t = FormSettemezzo;
    const R& r = t->Regole;
    FormConfig->VelCarte1->Stato().Generatore().Fissa(5);
    auto premi = [&](VelmoBottone* b, int tasto) {
        if (tasti)
            Tasto(t, tasto);
        else
            QTest::mouseClick(b, Qt::LeftButton);
    };
    premi(t->NuovaPartita, Qt::Key_N);
    int mani = 0;
    for (int passi = 0; r.FaseTavolo != R::PartitaFinita && passi < 20000; ++passi) {
        if (r.FaseTavolo == R::TurnoGiocatore) {
            // Draw below five, then stand.
            if (r.PuntiManoGiocatore < 50 && t->NuovaCarta->Stato() == 1) {
                premi(t->NuovaCarta, Qt::Key_C);
                continue;
            }
            t->Timer3Timer();
            if (t->Stop->Stato() == 1) premi(t->Stop, Qt::Key_S);
            continue;
        }
        t->Timer3Timer();
        if (r.FaseTavolo == R::ManoDecisa && t->NuovoTurno->Stato() == 1) {
            ++mani;
            premi(t->NuovoTurno, Qt::Key_T);
        }
    }
    return "fase " + std::to_string(r.FaseTavolo) + ", punti " + std::to_string(r.PunteggioGiocatore) + " a " +
           std::to_string(r.PunteggioComputer) + ", mani " + std::to_string(mani);
}

}  // namespace

TEST_F(Tastiera, EveryTablePlayedWithKeysOnlyEndsAsWithTheMouse)
{
    struct Caso {
        const char* gioco;
        int finestra;
        std::function<std::string(bool)> partita;
        const char* fine;  // what the end text starts with once the game is over
    };
    const Caso casi[] = {
        {"Scopa", FinestraScopa, PartitaScopa, "finita 1"},
        {"Briscola", FinestraBriscola, PartitaBriscola, "in corso 0"},
        {"Rubamazzo", FinestraRubamazzo, PartitaRubamazzo, "finita 1"},
        {"Sette e mezzo", FinestraSettemezzo, PartitaSettemezzo, "fase 4"},
    };
    for (const Caso& c : casi) {
        Ricrea(c.finestra);
        const std::string colMouse = c.partita(false);
        Ricrea(c.finestra);
        const std::string colleTasti = c.partita(true);
        EXPECT_EQ(colleTasti.rfind(c.fine, 0), 0u) << c.gioco << ": the game ended: " << colleTasti;
        EXPECT_EQ(colleTasti, colMouse) << c.gioco;
        EXPECT_TRUE(FormPunteggi->isVisible()) << c.gioco << ": the scores window shows the result";
    }
}

// ---------------------------------------------------------------- refusals

TEST_F(Tastiera, KeysAreRefusedWhereClicksAre)
{
    struct Caso {
        const char* quando;
        int finestra;
        std::function<void()> prepara;            // brings the table to the situation
        std::function<std::string()> stato;       // what must not change
        std::function<void()> tasti, clic;        // the refused input, by key and by mouse
    };
    auto briscola = [] {
        const auto& r = FormBriscola->Regole;
        return std::to_string(r.CarteGiocate) + "/" + std::to_string(r.ManoGiocatore[1]) + "/" +
               std::to_string(r.ManoGiocatore[2]) + "/" + std::to_string(r.GiocataGiocatore);
    };
    auto scopa = [] {
        const auto& m = FormScopa->Motore;
        return std::to_string(m.ManoGiocatore[1]) + "/" + std::to_string(m.ManoGiocatore[2]) + "/" + std::to_string(m.Turno);
    };
    auto rubamazzo = [] {
        const auto& r = FormRubamazzo->Regole;
        return std::to_string(r.PilaGiocatore()) + "/" + std::to_string(r.PilaComputer()) + "/" + std::to_string(r.Turno) +
               "/" + std::to_string(r.Posti[4]) + "/" + std::to_string(FormRubamazzo->BtnOk->isVisible());
    };
    auto settemezzo = [] {
        const auto& r = FormSettemezzo->Regole;
        return std::to_string(r.FaseTavolo) + "/" + std::to_string(r.CarteGiocatore[1]) + "/" + std::to_string(r.CarteEstratte);
    };
    const Caso casi[] = {
        {"Briscola before the first game", FinestraBriscola, [] {}, briscola,
         [] { Cifra(FormBriscola, 1); Tasto(FormBriscola, Qt::Key_Return); },
         [] { QTest::mouseDClick(FormBriscola->Image4, Qt::LeftButton); }},
        {"Briscola on the computer's turn", FinestraBriscola,
         [] { FormBriscola->NuovaPartitaClick(); FormBriscola->Regole.Turno = 2; }, briscola,
         [] { Cifra(FormBriscola, 2); Tasto(FormBriscola, Qt::Key_Return); },
         [] { QTest::mouseDClick(FormBriscola->Image5, Qt::LeftButton); }},
        {"Scopa on the computer's turn", FinestraScopa,
         [] { FormScopa->NuovaPartitaClick(); FormScopa->Motore.Turno = 2; }, scopa,
         [] { Cifra(FormScopa, 1); Tasto(FormScopa, Qt::Key_Space); },
         [] { QTest::mouseDClick(FormScopa->CartaGiocatore[1], Qt::LeftButton); }},
        {"Rubamazzo steal without the card on the pile", FinestraRubamazzo,
         [] { FormRubamazzo->NuovaPartitaClick(); }, rubamazzo,
         [] { Tasto(FormRubamazzo, Qt::Key_R); },
         [] { QTest::mouseDClick(FormRubamazzo->CarteComputer, Qt::LeftButton); }},
        {"Rubamazzo OK with nothing selected", FinestraRubamazzo,
         [] { FormRubamazzo->NuovaPartitaClick(); }, rubamazzo,
         [] { Tasto(FormRubamazzo, Qt::Key_O); },
         [] { QTest::mouseClick(FormRubamazzo->BtnOk, Qt::LeftButton); }},
        {"Rubamazzo on the computer's turn", FinestraRubamazzo,
         [] { FormRubamazzo->NuovaPartitaClick(); FormRubamazzo->Regole.Turno = 2; }, rubamazzo,
         [] { Cifra(FormRubamazzo, 1); Tasto(FormRubamazzo, Qt::Key_Return); },
         [] { QTest::mouseDClick(FormRubamazzo->ImagePos[4], Qt::LeftButton); }},
        {"Sette e mezzo before the first match", FinestraSettemezzo, [] {}, settemezzo,
         [] { for (int k : {Qt::Key_C, Qt::Key_S, Qt::Key_T}) Tasto(FormSettemezzo, k); },
         [] {
             for (VelmoBottone* b : {FormSettemezzo->NuovaCarta, FormSettemezzo->Stop, FormSettemezzo->NuovoTurno})
                 QTest::mouseClick(b, Qt::LeftButton);
         }},
        {"Sette e mezzo: Stop before the first card, a new deal mid-deal", FinestraSettemezzo,
         [] { FormSettemezzo->NuovaPartitaClick(); }, settemezzo,
         [] { for (int k : {Qt::Key_S, Qt::Key_T}) Tasto(FormSettemezzo, k); },
         [] {
             for (VelmoBottone* b : {FormSettemezzo->Stop, FormSettemezzo->NuovoTurno}) QTest::mouseClick(b, Qt::LeftButton);
         }},
    };
    for (const Caso& c : casi) {
        Ricrea(c.finestra);
        c.prepara();
        const std::string prima = c.stato();
        c.clic();
        ASSERT_EQ(c.stato(), prima) << c.quando << ": the click is refused";
        c.tasti();
        EXPECT_EQ(c.stato(), prima) << c.quando << ": the key is refused too";
    }
}

TEST_F(Tastiera, KeysArrivingDuringAKeysOwnMoveAreDropped)
{
    Apri(FinestraBriscola);
    TFormBriscola* b = FormBriscola;
    Tasto(b, Qt::Key_N);
    ASSERT_EQ(b->Regole.Turno, 1);
    // A wait that lets events through, as a sleeper keeping the screen painted would: the
    // player presses another card while the first one is flying.
    int dentro = 0;
    ImpostaScalaTempo(1);
    ImpostaDormiente([&](unsigned) {
        if (dentro++ == 0) {
            Cifra(b, 2);
            Tasto(b, Qt::Key_Return);
        }
    });
    Cifra(b, 1);
    Tasto(b, Qt::Key_Return);
    ImpostaDormiente({});
    ImpostaScalaTempo(0);
    EXPECT_GT(dentro, 0);
    EXPECT_EQ(b->Regole.CarteGiocate, 1) << "one card played";
    EXPECT_EQ(b->Regole.ManoGiocatore[1], 0);
    EXPECT_NE(b->Regole.ManoGiocatore[2], 0) << "the key pressed during the flight did nothing";
}

TEST_F(Tastiera, AdvertisementCoveringTheTableTakesTheCardKeysAndEnterClosesItOnceItsStripShows)
{
    Apri(FinestraSettemezzo);
    TFormSettemezzo* t = FormSettemezzo;
    Tasto(t, Qt::Key_N);
    PannelloPubblicita::PrimaPubblicita = true;
    t->Pubblicita->FormShow();
    ASSERT_TRUE(t->Pubblicita->InVista());
    Tasto(t, Qt::Key_C);
    Cifra(t, 1);
    Tasto(t, Qt::Key_Return);
    EXPECT_EQ(t->Regole.CarteGiocatore[1], 0) << "the covered Carta button takes no key";
    EXPECT_TRUE(t->Pubblicita->InVista()) << "the close strip is not there yet";
    t->Pubblicita->TimerPubblicitaTimer();  // seven seconds later
    EXPECT_EQ(Nome(t->Pubblicita->ChiudiPubblicita), "Chiudi la pubblicità");
    Tasto(t, Qt::Key_Return);
    EXPECT_FALSE(t->Pubblicita->InVista());
    Tasto(t, Qt::Key_C);
    EXPECT_NE(t->Regole.CarteGiocatore[1], 0) << "with the table uncovered the key draws";
}

TEST_F(Tastiera, CaptureDialogCyclesWithTabAndArrowsTakesWithEnterAndIgnoresEsc)
{
    Apri(FinestraScopa);
    TFormScopa* s = FormScopa;
    s->NuovaPartitaClick();
    auto& m = s->Motore;
    std::fill(std::begin(m.ManoGiocatore), std::end(m.ManoGiocatore), 0);
    std::fill(std::begin(m.Tavolo), std::end(m.Tavolo), 0);
    const int tavolo[] = {1, 15, 12, 4, 33};  // a 6 takes 1+5, 2+4 or 1+2+3
    m.ManoGiocatore[1] = 16;
    for (int i = 0; i < 5; ++i) m.Tavolo[i + 1] = tavolo[i];
    m.Turno = 1;
    s->Ridisegna();
    RegistraAnnunci();
    std::vector<int> scelte;
    TFormAlternative::Automazione() = [&](TFormAlternative* d) {
        scelte.push_back(d->AlternativaScelta);
        Tasto(d, Qt::Key_Escape);  // cannot leave without taking
        scelte.push_back(d->AlternativaScelta);
        Tasto(d, Qt::Key_Tab);
        scelte.push_back(d->AlternativaScelta);
        Tasto(d, Qt::Key_Right);
        scelte.push_back(d->AlternativaScelta);
        Tasto(d, Qt::Key_Down);  // from the last back to the first
        scelte.push_back(d->AlternativaScelta);
        Tasto(d, Qt::Key_Tab);
        EXPECT_EQ(Nome(d->Image[2]), "Due di Spade") << "the capture's cards are named";
        Tasto(d, Qt::Key_Return);
    };
    Cifra(s, 1);
    Tasto(s, Qt::Key_Return);
    EXPECT_EQ(scelte, (std::vector<int>{0, 0, 1, 2, 0}));
    EXPECT_EQ(m.Tavolo[3], 0) << "the second capture (2 + 4) was taken";
    EXPECT_EQ(m.Tavolo[4], 0);
    EXPECT_EQ(m.Tavolo[1], 1);
    EXPECT_TRUE(Annunciato("Presa 2 di 3: il Due di Spade e il Quattro di Denari"));
    EXPECT_TRUE(Annunciato("Giochi il Sei di Spade e prendi il Due di Spade e il Quattro di Denari"));
}

// ---------------------------------------------------------------- focus frame

TEST_F(Tastiera, FocusFrameShowsOnlyOnceAKeyIsUsedAndFollowsTheCards)
{
    Apri(FinestraBriscola);
    TFormBriscola* b = FormBriscola;
    b->NuovaPartitaClick();
    EXPECT_EQ(Cornice(b), nullptr) << "a mouse player never sees the frame";

    Tasto(b, Qt::Key_Right);
    QWidget* c = Cornice(b);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(b->Focus->Corrente(), b->Image4) << "the first key shows the focus on the first card";
    EXPECT_TRUE(b->Image4->geometry().contains(c->geometry().center())) << "the frame lies round the first card";
    Tasto(b, Qt::Key_Right);
    EXPECT_EQ(b->Focus->Corrente(), b->Image5);
    EXPECT_TRUE(b->Image5->geometry().contains(c->geometry().center()));
    Tasto(b, Qt::Key_Left);
    Tasto(b, Qt::Key_Left);  // wraps round to the last place: the close button
    EXPECT_EQ(b->Focus->Corrente(), b->Chiudi);
    Cifra(b, 3);
    EXPECT_EQ(b->Focus->Corrente(), b->Image6);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(b->Image6)->state().focused) << "a screen reader sees the focus";
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(b->Chiudi)->state().focused);

    // A held Enter (the key's repeats) plays nothing; one press plays the focused card and
    // empties its slot: the frame leaves it.
    QKeyEvent ripetuto(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(b, &ripetuto);
    EXPECT_TRUE(b->Image6->HaPicture());
    Tasto(b, Qt::Key_Return);
    EXPECT_FALSE(b->Image6->HaPicture());
    // The focus leaves the emptied slot for the next place that can take it: the played card
    // on the table.
    EXPECT_EQ(b->Focus->Corrente(), b->Image8);
    ASSERT_NE(Cornice(b), nullptr);
    EXPECT_TRUE(b->Image8->geometry().contains(Cornice(b)->geometry().center()));
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(b->Image8)->state().focused);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(b->Image6)->state().focused);
    Cifra(b, 3);
    EXPECT_EQ(b->Focus->Corrente(), b->Image8) << "an empty slot takes no focus";
    Tasto(b, Qt::Key_Return);
    EXPECT_EQ(b->Regole.CarteGiocate, 1) << "Enter on the card on the table plays nothing";

    Tasto(b, Qt::Key_Right);
    ASSERT_NE(Cornice(b), nullptr);
    QTest::mousePress(b->Image4, Qt::LeftButton);
    EXPECT_EQ(Cornice(b), nullptr) << "the mouse hides the frame again";
}

// ---------------------------------------------------------------- screen reader

TEST_F(Tastiera, SlotsCountersAndButtonsSayWhatTheyShow)
{
    Apri(FinestraBriscola);
    TFormBriscola* b = FormBriscola;
    const RegoleBriscola& r = b->Regole;
    FormConfig->VelCarte1->Stato().Generatore().Fissa(2024);
    Tasto(b, Qt::Key_N);
    ASSERT_EQ(r.Turno, 1);

    const int carta1 = r.Carta(r.ManoGiocatore[1]);
    EXPECT_EQ(Nome(b->Image4), NomeCartaParlato(carta1));
    EXPECT_EQ(Descrizione(b->Image4), "La tua mano, carta 1");
    EXPECT_EQ(Nome(b->Image40), NomeCartaParlato(r.Carta(r.CartaBriscola)));
    EXPECT_EQ(Nome(b->Image1), "carta coperta") << "the computer's cards are face down";
    EXPECT_EQ(Nome(b->Image7), "posto vuoto");
    EXPECT_EQ(Nome(b->CR1), "Carte rimanenti: 34");
    EXPECT_EQ(Valore(b->CR1), "34");
    EXPECT_EQ(Nome(b->PG1), "I tuoi punti: 0");
    EXPECT_EQ(Nome(b->Giocatore), "Tocca a te");
    QAccessibleInterface* bottone = QAccessible::queryAccessibleInterface(b->NuovaPartita);
    ASSERT_NE(bottone, nullptr);
    EXPECT_EQ(bottone->role(), QAccessible::Button);
    EXPECT_EQ(bottone->text(QAccessible::Name), "Nuova Partita");
    EXPECT_EQ(Nome(b->BtnPunteggi), "Punteggi");

    // After the player's card and the computer's answer, the trick is resolved.
    Cifra(b, 1);
    Tasto(b, Qt::Key_Return);
    EXPECT_EQ(Nome(b->Image4), "posto vuoto");
    EXPECT_EQ(Nome(b->Image8), NomeCartaParlato(carta1));
    b->Timer1Timer();
    ASSERT_EQ(r.CarteGiocate, 2);
    EXPECT_EQ(Nome(b->Image7), NomeCartaParlato(r.Carta(r.GiocataComputer)));
    std::vector<QObject*> cambiati;
    ImpostaOsservatoreAnnunci([&](QAccessibleEvent* e) {
        if (e->type() == QAccessible::ValueChanged) cambiati.push_back(e->object());
        if (e->type() == QAccessible::NameChanged) annunci.push_back(Detto(e->object()));
    });
    b->Timer2Timer();
    EXPECT_EQ(Nome(b->CR1), "Carte rimanenti: 32");
    EXPECT_EQ(std::count(cambiati.begin(), cambiati.end(), b->CR1), 1) << "the counter says it changed";
    // The window announces the new counts, once for the two digits of the deck counter.
    EXPECT_EQ(std::count(annunci.begin(), annunci.end(), QString("Carte rimanenti: 32")), 1);
    const QString punti = QString("I tuoi punti: %1").arg(r.PuntiGiocatore);
    const QString puntiC = QString("Punti del computer: %1").arg(r.PuntiComputer);
    // Both counts were 0: the one the trick raised is said, one that stays is not.
    EXPECT_EQ(std::count(annunci.begin(), annunci.end(), punti), r.PuntiGiocatore ? 1 : 0);
    EXPECT_EQ(std::count(annunci.begin(), annunci.end(), puntiC), r.PuntiComputer ? 1 : 0);
    EXPECT_TRUE(static_cast<RegioneAnnunci*>(b->Annuncio)->DaDire().contains("Carte rimanenti: 32"));
    annunci.clear();
    for (VelImage* c : {b->CR1, b->CR2}) NominaContatore(c, "Carte rimanenti", 32);
    EXPECT_TRUE(annunci.empty()) << "naming the counters again with the same count says nothing";
    EXPECT_EQ(Valore(b->PG1).toInt(), r.PuntiGiocatore);
    EXPECT_EQ(Valore(b->PC2).toInt(), r.PuntiComputer);
    EXPECT_EQ(Nome(b->Image4), NomeCartaParlato(r.Carta(r.ManoGiocatore[1]))) << "the drawn card is named";

    // Sette e mezzo: the hand value reads as said aloud.
    Ricrea(FinestraSettemezzo);
    TFormSettemezzo* t = FormSettemezzo;
    Tasto(t, Qt::Key_N);
    Tasto(t, Qt::Key_C);
    const int prima = t->Regole.Carta(t->Regole.CarteGiocatore[1]);
    EXPECT_EQ(Nome(t->ImagePos[8]), NomeCartaParlato(prima));
    const int v = t->Regole.PuntiManoGiocatore;
    EXPECT_EQ(Nome(t->PG[1]), QString("La tua mano: %1%2").arg(v / 10).arg(v % 10 ? " e mezzo" : ""));
    EXPECT_EQ(Valore(t->PG[1]).toInt(), v);
    EXPECT_EQ(Nome(t->Stop), "Stop");
    EXPECT_EQ(Descrizione(t->Stop), "Tasto S");
}

TEST_F(Tastiera, CardNamesInItalian)
{
    const std::pair<int, const char*> casi[] = {
        {CartaDa(Denari, 7), "il Sette di Denari"}, {CartaDa(Coppe, 1), "l'Asso di Coppe"},
        {CartaDa(Spade, 10), "il Re di Spade"},     {CartaDa(Bastoni, 8), "il Fante di Bastoni"},
        {CartaDa(Coppe, 9), "il Cavallo di Coppe"}, {0, ""},
        {41, ""},
    };
    for (const auto& [c, atteso] : casi) EXPECT_EQ(CartaConArticolo(c), QString(atteso)) << c;
    EXPECT_EQ(ElencoCarte({1, 12, 33}), "l'Asso di Denari, il Due di Spade e il Tre di Coppe");
    EXPECT_EQ(ElencoCarte({17}), "il Sette di Spade");
}

TEST_F(Tastiera, CtrlAndADigitReachTheTableCards)
{
    Apri(FinestraRubamazzo);
    TFormRubamazzo* t = FormRubamazzo;
    Tasto(t, Qt::Key_N);
    const int primo = RegoleRubamazzo::PrimoPostoTavolo;
    ASSERT_NE(t->Regole.Posti[primo + 1], 0) << "the deal lays four table cards";
    QTest::keyClick(t, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(t->Focus->Corrente(), t->ImagePos[primo + 1]);
    EXPECT_EQ(Nome(t->ImagePos[primo + 1]), NomeCartaParlato(t->Regole.Carta(t->Regole.Posti[primo + 1])));
    EXPECT_EQ(Descrizione(t->ImagePos[primo + 1]), "In tavola, posto 2");
    Cifra(t, 2);
    EXPECT_EQ(t->Focus->Corrente(), t->ImagePos[5]) << "a plain digit is a hand card";
    QTest::keyClick(t, Qt::Key_7, Qt::ControlModifier);
    EXPECT_EQ(t->Focus->Corrente(), t->ImagePos[5]) << "an empty table place takes no focus";
}

TEST_F(Tastiera, SelectedCardAndTheActionOfCards)
{
    Apri(FinestraRubamazzo);
    TFormRubamazzo* t = FormRubamazzo;
    RegistraAnnunci();
    t->NuovaPartitaClick();
    t->Regole.Turno = 1;
    Cifra(t, 2);
    Tasto(t, Qt::Key_Return);
    QAccessibleInterface* scelta = QAccessible::queryAccessibleInterface(t->ImagePos[5]);
    EXPECT_TRUE(scelta->state().selected);
    EXPECT_TRUE(Nome(t->ImagePos[5]).endsWith(", selezionata")) << Nome(t->ImagePos[5]).toStdString();
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(t->ImagePos[4])->state().selected);
    EXPECT_TRUE(annunci.back().endsWith(" selezionata"));
    Cifra(t, 1);
    Tasto(t, Qt::Key_Return);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(t->ImagePos[4])->state().selected);
    EXPECT_FALSE(scelta->state().selected) << "one card selected at a time";

    // A reader activates a card through its default action, as a double-click.
    Ricrea(FinestraBriscola);
    TFormBriscola* b = FormBriscola;
    b->NuovaPartitaClick();
    b->Regole.Turno = 1;
    QAccessibleActionInterface* azioni = QAccessible::queryAccessibleInterface(b->Image4)->actionInterface();
    ASSERT_NE(azioni, nullptr);
    ASSERT_EQ(azioni->actionNames(), QStringList{"Gioca"});
    azioni->doAction("Gioca");
    EXPECT_EQ(b->Regole.CarteGiocate, 1) << "the card is played";
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(b->Image39)->actionInterface() == nullptr
                || QAccessible::queryAccessibleInterface(b->Image39)->actionInterface()->actionNames().isEmpty())
        << "a picture that is no place offers no action";
}

TEST_F(Tastiera, MovesAndResultsAreAnnounced)
{
    Apri(FinestraScopa);
    TFormScopa* s = FormScopa;
    s->NuovaPartitaClick();
    auto& m = s->Motore;
    std::fill(std::begin(m.ManoGiocatore), std::end(m.ManoGiocatore), 0);
    std::fill(std::begin(m.ManoComputer), std::end(m.ManoComputer), 0);
    std::fill(std::begin(m.Tavolo), std::end(m.Tavolo), 0);
    m.ManoGiocatore[1] = CartaDa(Denari, 2);
    m.ManoGiocatore[2] = CartaDa(Bastoni, 3);
    m.ManoComputer[1] = CartaDa(Spade, 10);
    m.ManoComputer[2] = CartaDa(Denari, 5);
    m.Tavolo[1] = CartaDa(Coppe, 10);
    m.Turno = 2;
    s->Ridisegna();
    // What the deal (and an advertisement, one time in four) said has been said.
    qobject_cast<RegioneAnnunci*>(s->Annuncio)->Invia();
    std::vector<std::pair<QAccessible::Event, QObject*>> eventi;
    int dette = 0;
    ImpostaOsservatoreAnnunci([&](QAccessibleEvent* e) {
        eventi.emplace_back(e->type(), e->object());
        if (Detta(e)) ++dette;
        if (e->type() == QAccessible::NameChanged) annunci.push_back(Detto(e->object()));
    });
    s->Timer1Timer();
    ASSERT_FALSE(eventi.empty()) << "the computer's move is announced";
    EXPECT_EQ(eventi.front().second, s->Annuncio) << "through the table's live label";
    EXPECT_TRUE(Annunciato("Il computer gioca il Re di Spade e prende il Re di Coppe")) << annunci.front().toStdString();
    EXPECT_TRUE(Annunciato("Scopa!"));
    EXPECT_EQ(s->Annuncio->text(), annunci.back()) << "the label shows the latest";
    // The turn's sentences are said together once the turn ends, as a notification shown again.
    auto* regione = qobject_cast<RegioneAnnunci*>(s->Annuncio);
    ASSERT_NE(regione, nullptr);
    EXPECT_TRUE(regione->TimerAnnuncio->isActive());
    regione->Invia();
    EXPECT_EQ(dette, 1) << "said once, as a notification shown again";
    EXPECT_TRUE(Nome(s->Annuncio).startsWith("Il computer gioca il Re di Spade e prende il Re di Coppe. "));
    EXPECT_TRUE(Nome(s->Annuncio).contains("Scopa!")) << Nome(s->Annuncio).toStdString();

    // Briscola: the player's card, the computer's answer, the trick.
    annunci.clear();
    Ricrea(FinestraBriscola);
    RegistraAnnunci();
    TFormBriscola* b = FormBriscola;
    b->NuovaPartitaClick();
    const int mia = b->Regole.Carta(b->Regole.ManoGiocatore[1]);
    Cifra(b, 1);
    Tasto(b, Qt::Key_Return);
    EXPECT_TRUE(Annunciato("Giochi " + CartaConArticolo(mia)));
    b->Timer1Timer();
    const int sua = b->Regole.Carta(b->Regole.GiocataComputer);
    EXPECT_TRUE(Annunciato("Il computer gioca " + CartaConArticolo(sua)));
    b->Timer2Timer();
    ASSERT_FALSE(annunci.empty());
    EXPECT_TRUE(std::any_of(annunci.begin(), annunci.end(),
                            [](const QString& a) { return a.startsWith("Prendi tu ") || a.startsWith("Prende il computer "); }));
    EXPECT_TRUE(Annunciato(b->TestoEsito())) << "the result line too";

    // Sette e mezzo: the end of a match says who won.
    annunci.clear();
    Ricrea(FinestraSettemezzo);
    RegistraAnnunci();
    PartitaSettemezzo(true);
    ASSERT_FALSE(annunci.empty());
    EXPECT_TRUE(annunci.back().contains("Hai vinto la partita") || annunci.back().contains("Hai perso la partita"))
        << annunci.back().toStdString();
}

TEST_F(Tastiera, AnnouncementsOfOneTurnGoOutAsOneNotification)
{
    Apri(FinestraBriscola);
    TFormBriscola* b = FormBriscola;
    auto* regione = qobject_cast<RegioneAnnunci*>(b->Annuncio);
    ASSERT_NE(regione, nullptr);
    regione->Invia();
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(regione);
    ASSERT_NE(i, nullptr);
    EXPECT_EQ(i->role(), QAccessible::Notification) << "Orca speaks a notification that is shown";
    int mostrate = 0;
    ImpostaOsservatoreAnnunci([&](QAccessibleEvent* e) {
        if (Detta(e)) ++mostrate;
        if (e->type() == QAccessible::NameChanged) annunci.push_back(Detto(e->object()));
    });
    struct Caso {
        std::vector<const char*> frasi;
        const char* detto;  // one notification with these words
    };
    const Caso casi[] = {
        {{"Giochi il Tre di Coppe"}, "Giochi il Tre di Coppe"},
        {{"Il computer gioca l'Asso di Spade", "Scopa!", "Tocca a te"}, "Il computer gioca l'Asso di Spade. Scopa! Tocca a te"},
        {{"Mano al computer, 2 punti.", "Il computer gioca il Re di Coppe"},
         "Mano al computer, 2 punti. Il computer gioca il Re di Coppe"},
    };
    for (const Caso& c : casi) {
        mostrate = 0;
        for (const char* f : c.frasi) Annuncia(regione, f);
        EXPECT_EQ(mostrate, 0) << "nothing is said before the turn ends: " << c.detto;
        EXPECT_TRUE(regione->TimerAnnuncio->isActive());
        regione->Invia();
        EXPECT_EQ(mostrate, 1) << c.detto;
        EXPECT_EQ(Nome(regione), c.detto);
        EXPECT_TRUE(regione->isVisible()) << "shown again";
        regione->Invia();
        EXPECT_EQ(mostrate, 1) << "nothing more to say";
    }
    // A window shown again does not show an old notification with it.
    b->hide();
    b->show();
    EXPECT_FALSE(regione->isVisible());
    // (The table shown again may draw the advertisement, one time in four: it would take the keys.)
    if (b->Pubblicita->InVista()) b->Pubblicita->ChiudiPubblicitaClick();

    // Through the table: result lines and turn changes, a repeated result once, refusals always.
    annunci.clear();
    b->NascondiTurno();
    b->MostraTurno(1);
    b->MostraTurno(1);
    b->MostraTurno(2);
    EXPECT_EQ(annunci, (std::vector<QString>{"Tocca a te", "Turno del computer"})) << "only when the turn changes hands";
    annunci.clear();
    b->MostraEsito("Hai vinto la partita 65 a 55", 0);
    b->Annuncia("Hai vinto la partita: 65 a 55");
    b->AnnunciaRifiuto("Non è il tuo turno");
    b->AnnunciaRifiuto("Non è il tuo turno");
    EXPECT_EQ(annunci, (std::vector<QString>{"Hai vinto la partita 65 a 55", "Non è il tuo turno", "Non è il tuo turno"}));

    // A card played out of turn says why nothing happens.
    b->NuovaPartitaClick();
    b->Regole.Turno = 2;
    annunci.clear();
    Cifra(b, 1);
    Tasto(b, Qt::Key_Return);
    EXPECT_EQ(b->Regole.CarteGiocate, 0);
    EXPECT_TRUE(Annunciato("Non è il tuo turno"));
}

TEST_F(Tastiera, AdvertisementStripIsAnnouncedReachedByTabAndGivesTheFocusBack)
{
    Apri(FinestraBriscola);
    TFormBriscola* b = FormBriscola;
    b->NuovaPartitaClick();
    Cifra(b, 2);
    ASSERT_EQ(b->Focus->Corrente(), b->Image5);
    RegistraAnnunci();
    // The advertisement is drawn when the chooser opens the table.
    b->hide();
    b->Pubblicita->PrimaPubblicita = true;
    b->ApertoDallaScelta();
    b->show();
    ASSERT_TRUE(b->Pubblicita->InVista());
    EXPECT_EQ(Nome(b->Pubblicita->WebBrowser1), "Pubblicità");
    EXPECT_TRUE(Annunciato("Pubblicità"));
    Tasto(b, Qt::Key_Tab);
    EXPECT_EQ(b->Focus->Corrente(), b->Image5) << "no strip yet: the keys reach nothing under the advertisement";
    b->Pubblicita->TimerPubblicitaTimer();  // seven seconds later
    EXPECT_TRUE(Annunciato("Chiudi la pubblicità: tasto Invio"));
    Tasto(b, Qt::Key_Tab);
    EXPECT_EQ(b->Focus->Corrente(), b->Pubblicita->ChiudiPubblicita);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(b->Pubblicita->ChiudiPubblicita)->state().focused);
    Tasto(b, Qt::Key_Return);
    EXPECT_FALSE(b->Pubblicita->InVista());
    EXPECT_EQ(b->Focus->Corrente(), b->Image5) << "back on the card it left";
}

TEST_F(Tastiera, FocusNeverRestsOnAnEmptyHiddenOrGreyedPlaceAndComesBack)
{
    // Which places can take the focus.
    Apri(FinestraSettemezzo);
    TFormSettemezzo* t = FormSettemezzo;
    auto* slot = t->ImagePos[8];
    struct Caso {
        const char* cosa;
        std::function<void()> prepara;
        QWidget* posto;
        bool puo;
    };
    const Caso casi[] = {
        {"a card slot with its card", [&] { t->NuovaPartitaClick(); t->NuovaCartaClick(); }, slot, true},
        {"a card slot of no size", [&] { slot->resize(0, 0); }, slot, false},
        {"an empty card slot", [&] { slot->resize(80, 120); slot->Svuota(); }, slot, false},
        {"a hidden button", [&] { t->Chiudi->hide(); }, t->Chiudi, false},
        {"a greyed picture button", [&] { t->Chiudi->show(); t->Chiudi->setStato(0); }, t->Chiudi, false},
        {"a disabled button", [&] { t->Chiudi->setStato(1); t->Chiudi->setEnabled(false); }, t->Chiudi, false},
        {"an enabled button", [&] { t->Chiudi->setEnabled(true); }, t->Chiudi, true},
    };
    for (const Caso& c : casi) {
        c.prepara();
        EXPECT_EQ(FocusTastiera::PuoAvereFocus(c.posto), c.puo) << c.cosa;
    }

    // Sette e mezzo: "Carta" greys after Stop; the focus moves on and a reader hears where.
    Ricrea(FinestraSettemezzo);
    t = FormSettemezzo;
    Tasto(t, Qt::Key_N);
    t->NuovaCartaClick();
    for (int secondi = 0; secondi < 5 && t->Stop->Stato() == 0; ++secondi) t->Timer3Timer();
    ASSERT_EQ(t->Stop->Stato(), 1);
    ASSERT_TRUE(t->Focus->VaiA(t->NuovaCarta));
    Tasto(t, Qt::Key_S);
    ASSERT_EQ(t->NuovaCarta->Stato(), 0);
    QWidget* ora = t->Focus->Corrente();
    ASSERT_NE(ora, nullptr);
    EXPECT_NE(ora, t->NuovaCarta);
    EXPECT_TRUE(FocusTastiera::PuoAvereFocus(ora));
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(ora)->state().focused);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(t->NuovaCarta)->state().focused);
    EXPECT_EQ(t->Focus->Scelto(), t->NuovaCarta) << "the choice is kept";

    // Briscola: the chosen card comes back after a deal and after the scores, configuration
    // and help windows.
    Ricrea(FinestraBriscola);
    TFormBriscola* b = FormBriscola;
    b->NuovaPartitaClick();
    Cifra(b, 2);
    b->NuovaPartitaClick();
    EXPECT_EQ(b->Focus->Corrente(), b->Image5) << "after a deal";
    const std::pair<int, std::function<QWidget*()>> finestre[] = {
        {Qt::Key_P, [] { return static_cast<QWidget*>(FormPunteggi); }},
        {Qt::Key_F2, [] { return static_cast<QWidget*>(FormConfig); }},
        {Qt::Key_F1, [b] { return static_cast<QWidget*>(b->Aiuto); }},
    };
    for (const auto& [tasto, finestra] : finestre) {
        Tasto(b, tasto);
        ASSERT_TRUE(finestra() && finestra()->isVisible()) << tasto;
        Tasto(finestra(), Qt::Key_Escape);
        EXPECT_FALSE(finestra()->isVisible()) << tasto;
        // The table shown again may draw the advertisement (one time in four): the choice stays.
        if (b->Pubblicita->InVista()) b->Pubblicita->ChiudiPubblicitaClick();
        EXPECT_EQ(b->Focus->Corrente(), b->Image5) << tasto;
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(b->Image5)->state().focused) << tasto;
    }
}

TEST_F(Tastiera, WindowsOpenWithTheFocusOnTheirFirstControl)
{
    FormSplashScreen->show();
    TFormSplashScreen* c = FormSplashScreen;
    EXPECT_EQ(c->Focus->Corrente(), c->Spl_Btn_Briscola) << "the chooser starts on Briscola";
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(c->Spl_Btn_Briscola)->state().focused);
    EXPECT_EQ(Cornice(c), nullptr) << "the frame waits for a key";
    // Once the chooser is active its focus is told again, after the activation's own events.
    std::vector<QObject*> focus;
    ImpostaOsservatoreAnnunci([&](QAccessibleEvent* e) {
        if (e->type() == QAccessible::Focus) focus.push_back(e->object());
    });
    QApplication::setActiveWindow(c);
    ASSERT_TRUE(c->isActiveWindow());
    EXPECT_TRUE(c->Focus->TimerAttivazione->isActive()) << "the activation starts the repeat";
    c->Focus->RipetiFocus();
    EXPECT_EQ(focus, std::vector<QObject*>{c->Spl_Btn_Briscola});
    focus.clear();
    QApplication::setActiveWindow(nullptr);
    c->Focus->RipetiFocus();
    EXPECT_TRUE(focus.empty()) << "nothing is told for a window no longer active";
    ImpostaOsservatoreAnnunci({});

    // The scores window opens on its first row, the name cell of its table; Up and Down
    // read the rows.
    ApriFinestra(FinestraPunteggi);
    TFormPunteggi* p = FormPunteggi;
    EXPECT_EQ(p->RigaInFocus(), 1);
    EXPECT_EQ(Nome(p->Giocatore[1]), "Giocatore1");
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(p->Giocatore[1])->state().focused);
    Tasto(p, Qt::Key_Up);
    EXPECT_EQ(p->RigaInFocus(), 1) << "no row above the first";
    Tasto(p, Qt::Key_Down);
    EXPECT_EQ(p->RigaInFocus(), 2);
    EXPECT_TRUE(p->isVisible()) << "the arrows do not close the window";
}

TEST_F(Tastiera, EveryWindowReadsAsAFrameOrADialogWithAName)
{
    Apri(FinestraScopa);
    FormScopa->MostraAiuto();
    struct Caso {
        QWidget* finestra;
        QAccessible::Role ruolo;
    };
    const Caso casi[] = {
        {FormSplashScreen, QAccessible::Window}, {FormScopa, QAccessible::Window},
        {FormBriscola, QAccessible::Window},     {FormRubamazzo, QAccessible::Window},
        {FormSettemezzo, QAccessible::Window},   {FormConfig, QAccessible::Dialog},
        {FormPunteggi, QAccessible::Dialog},     {FormScopa->Aiuto, QAccessible::Dialog},
    };
    for (const Caso& c : casi) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(c.finestra);
        ASSERT_NE(i, nullptr);
        EXPECT_EQ(i->role(), c.ruolo) << c.finestra->metaObject()->className();
        EXPECT_FALSE(Nome(c.finestra).isEmpty()) << c.finestra->metaObject()->className();
    }
    EXPECT_EQ(Nome(FormScopa->Aiuto), "Aiuto: Scopa");
}

// ---------------------------------------------------------------- other windows

TEST_F(Tastiera, F1ShowsEachGamesRulesAndKeysAndAnyOfItsKeysCloses)
{
    struct Caso {
        int finestra;
        std::function<TFormTavolo*()> tavolo;
        const char* parola;  // a word of that game's rules
        const char* tasto;   // a key of that game
    };
    const Caso casi[] = {
        {FinestraScopa, [] { return FormScopa; }, "scopa", "Tab"},
        {FinestraBriscola, [] { return FormBriscola; }, "briscola", "1-3"},
        {FinestraRubamazzo, [] { return FormRubamazzo; }, "ruba", "<b>R</b>"},
        {FinestraSettemezzo, [] { return FormSettemezzo; }, "matta", "<b>C</b>"},
    };
    for (const Caso& c : casi) {
        Ricrea(c.finestra);
        TFormTavolo* t = c.tavolo();
        Tasto(t, Qt::Key_F1);
        ASSERT_NE(t->Aiuto, nullptr);
        EXPECT_TRUE(t->Aiuto->isVisible()) << c.parola;
        const QString testo = t->Aiuto->Testo->text();
        EXPECT_TRUE(testo.contains(c.parola)) << c.parola;
        EXPECT_TRUE(testo.contains(c.tasto)) << c.parola;
        EXPECT_TRUE(testo.contains("<b>N</b>")) << "the shared keys too";
        EXPECT_TRUE(Nome(t->Aiuto->Testo).startsWith("Tre carte a testa") || c.finestra == FinestraSettemezzo) << c.parola;
        EXPECT_FALSE(Nome(t->Aiuto->Testo).contains('<')) << "read as words, not markup: " << c.parola;
        EXPECT_FALSE(Descrizione(t->Aiuto).contains('<')) << c.parola;
        Tasto(t->Aiuto, Qt::Key_Escape);
        EXPECT_FALSE(t->Aiuto->isVisible());
        EXPECT_TRUE(t->isVisible()) << "Esc closes the help, not the table";
    }
}

TEST_F(Tastiera, CommandKeysGoThroughTheFourButtons)
{
    Apri(FinestraRubamazzo);
    TFormRubamazzo* t = FormRubamazzo;
    Tasto(t, Qt::Key_N);
    EXPECT_TRUE(t->PartitaIniziata);
    Cifra(t, 1);
    Tasto(t, Qt::Key_Return);
    ASSERT_TRUE(t->BtnOk->isVisible()) << "a card is selected";
    QKeyEvent tenuto(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(t, &tenuto);
    EXPECT_TRUE(t->BtnOk->isVisible()) << "a held N deals no new game over it";
    Tasto(t, Qt::Key_F2);
    EXPECT_TRUE(FormConfig->isVisible());
    Tasto(FormConfig, Qt::Key_Escape);
    EXPECT_FALSE(FormConfig->isVisible());
    Tasto(t, Qt::Key_P);
    EXPECT_TRUE(FormPunteggi->isVisible());
    EXPECT_EQ(FormPunteggi->PunteggiPartita->currentWidget(), FormPunteggi->PunteggiRubaMazzo);
    Tasto(FormPunteggi, Qt::Key_Return);
    EXPECT_FALSE(FormPunteggi->isVisible());
    Tasto(t, Qt::Key_Escape);
    EXPECT_FALSE(t->isVisible()) << "Esc closes the table";
    EXPECT_TRUE(FormSplashScreen->isVisible());
}

TEST_F(Tastiera, ChooserOpensGamesFromTheArrowsAndEnter)
{
    FormSplashScreen->show();
    TFormSplashScreen* c = FormSplashScreen;
    EXPECT_EQ(Nome(c->Spl_Btn_Settemezzo), "Sette e mezzo");
    Tasto(c, Qt::Key_Down);
    EXPECT_EQ(c->Focus->Corrente(), c->Spl_Btn_Briscola);
    Tasto(c, Qt::Key_Down);
    Tasto(c, Qt::Key_Tab);
    EXPECT_EQ(c->Focus->Corrente(), c->Spl_Btn_Rubamazzo);
    Tasto(c, Qt::Key_Up);
    Tasto(c, Qt::Key_Return);
    EXPECT_TRUE(FormScopa->isVisible());
    Tasto(FormScopa, Qt::Key_Escape);
    EXPECT_FALSE(FormScopa->isVisible());
    Cifra(c, 4);
    Tasto(c, Qt::Key_Space);
    EXPECT_TRUE(FormSettemezzo->isVisible());
}

TEST_F(Tastiera, ConfigurationTabsThroughItsControlsAndEnterCloses)
{
    ApriFinestra(FinestraConfig);
    TFormConfig* f = FormConfig;
    // The keyboard's path through the window, skipping what takes no focus.
    std::vector<QWidget*> giro;
    QWidget* w = f->NomeGiocat;
    do {
        if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(f)) giro.push_back(w);
        w = w->nextInFocusChain();
    } while (w && w != f->NomeGiocat && giro.size() < 20);
    EXPECT_EQ(giro, (std::vector<QWidget*>{f->NomeGiocat, f->ScrollBar1, f->ScrollBar2, f->CBSuoni, f->CBComputer,
                                           f->CBLivello, f->CBMessaggi, f->CBVelocita,
                                           f->CBDimensione}));
    EXPECT_EQ(Nome(f->CBMessaggi), "Rivedi la mia mossa");
    // The bars say the style chosen, the level box its label; the deck preview is only shown.
    const std::pair<int, const char*> stili[] = {{1, "Mazzo: Napoletane"}, {2, "Mazzo: Piacentine"}, {6, "Mazzo: Grandi numeri"}};
    for (const auto& [mazzo, nome] : stili) {
        f->ScrollBar1->setValue(mazzo);
        EXPECT_EQ(Nome(f->ScrollBar1), nome);
    }
    f->ScrollBar2->setValue(3);
    EXPECT_EQ(Nome(f->ScrollBar2), "Retro delle carte: 3 di 9");
    const auto etichette = QAccessible::queryAccessibleInterface(f->CBLivello)->relations(QAccessible::Label);
    ASSERT_EQ(etichette.size(), 1);
    EXPECT_EQ(etichette.front().first->text(QAccessible::Name), "Livello") << "the level box is read with its label";
    for (QWidget* c : f->findChildren<VelImage*>())
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(c)->state().focusable) << c->objectName().toStdString();
    Tasto(f->NomeGiocat, Qt::Key_Return);  // the name box passes Enter on to the window
    EXPECT_FALSE(f->isVisible());
}

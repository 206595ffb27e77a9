// The computer's level: the "Livello" setting, and whole games at the tables with "Esperto".
#include <QComboBox>
#include <QPaintEvent>
#include <atomic>
#include <chrono>
#include <thread>

#include "components/AttesaGui.h"
#include "core/Pausa.h"

#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "games/briscola/TFormBriscola.h"
#include "games/comune/Giocatore.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormAlternative.h"
#include "games/scopa/TFormScopa.h"
#include "tests/gui/FinestreDiProva.h"
#include "tests/gui/PassoScopa.h"

namespace {

class LivelloComputerProva : public FinestreDiProva {
protected:
    void TearDown() override
    {
        // The level is program-wide: later tests expect the design's player.
        LivelloComputer = Livello::Normale;
        OsservatoreRicerca() = nullptr;
        TFormAlternative::Automazione() = nullptr;
        FinestreDiProva::TearDown();
    }
    // The chooser first (its first showing reads the saved settings, as at start-up),
    // then "Esperto" in the configuration, as a player picks it. Every search the tables
    // start from then on is counted.
    void SceltaEsperto()
    {
        FormSplashScreen->show();
        FormConfig->CBLivello->setCurrentIndex(1);
        ASSERT_EQ(LivelloComputer, Livello::Esperto);
        OsservatoreRicerca() = [this] { ++ricerche; };
    }
    // After a whole game: the level was still Esperto and the computer's moves were searched.
    void EspertoHaGiocato(int mosseMinime)
    {
        EXPECT_EQ(LivelloComputer, Livello::Esperto) << "opening the table kept the chosen level";
        EXPECT_GE(ricerche.load(), mosseMinime) << "the computer's moves were Esperto's searches";
        OsservatoreRicerca() = nullptr;
    }
    std::atomic<int> ricerche{0};
};

using ImpostazioneLivello = LivelloComputerProva;
using PartitaEsperto = LivelloComputerProva;

}  // namespace

TEST_F(ImpostazioneLivello, DefaultsToNormaleAndOnlyTheTwoNamesAreRead)
{
    CaricaConfigurazione();
    EXPECT_EQ(LivelloComputer, Livello::Normale) << "first run";
    EXPECT_EQ(FormConfig->CBLivello->currentText(), "Normale");

    struct Caso { const char* salvato; Livello atteso; };
    const Caso casi[] = {{"Esperto", Livello::Esperto}, {"Normale", Livello::Normale}, {"", Livello::Normale},
                         {"esperto", Livello::Normale}, {"2", Livello::Normale}, {"Esperto ", Livello::Normale}};
    for (const auto& k : casi) {
        LivelloComputer = Livello::Esperto;
        ScriviImpostazioni({{"Nome", "Anna"}, {"Livello", k.salvato}});
        CaricaConfigurazione();
        EXPECT_EQ(LivelloComputer, k.atteso) << "stored \"" << k.salvato << "\"";
        EXPECT_EQ(FormConfig->CBLivello->currentIndex(), static_cast<int>(k.atteso)) << "stored \"" << k.salvato << "\"";
    }
}

TEST_F(ImpostazioneLivello, SettingsWrittenBeforeTheLevelExistedReadAsNormale)
{
    LivelloComputer = Livello::Esperto;
    ScriviImpostazioni({{"CambioRisoluzione", "0"}, {"Barra", "0"}, {"Mazzo", "4"}, {"Retro", "3"},
                        {"Suoni", "1"}, {"Messaggi", "1"}, {"Nome", "Anna"}});
    CaricaConfigurazione();
    EXPECT_EQ(LivelloComputer, Livello::Normale);
    EXPECT_EQ(Mazzo, 4);
}

TEST_F(ImpostazioneLivello, ChoiceIsSavedBesideTheOtherValuesAndRoundTrips)
{
    CaricaConfigurazione();
    FormConfig->CBLivello->setCurrentIndex(1);
    EXPECT_EQ(LivelloComputer, Livello::Esperto) << "the choice takes effect at once";
    SalvaConfigurazione();
    const std::pair<const char*, const char*> attesi[] = {
        {"CambioRisoluzione", "0"}, {"Barra", "0"}, {"Mazzo", "2"}, {"Retro", "2"},
        {"Suoni", "1"}, {"Messaggi", "0"}, {"Nome", "Giocatore1"}, {"Livello", "Esperto"}};
    for (const auto& [k, v] : attesi) EXPECT_EQ(LeggiImpostazione(k).value_or("<missing>"), v) << k;

    LivelloComputer = Livello::Normale;
    CaricaConfigurazione();
    EXPECT_EQ(LivelloComputer, Livello::Esperto);
    EXPECT_EQ(FormConfig->CBLivello->currentText(), "Esperto");

    FormConfig->CBLivello->setCurrentIndex(0);
    SalvaConfigurazione();
    EXPECT_EQ(LeggiImpostazione("Livello").value_or(""), "Normale");
}

TEST_F(ImpostazioneLivello, TheChosenLevelHoldsAsTablesOpenAndCloseUntilTheNextStart)
{
    ScriviImpostazioni({{"Nome", "Anna"}, {"Livello", "Normale"}});
    FormSplashScreen->show();
    ASSERT_EQ(LivelloComputer, Livello::Normale) << "the saved level is read at start";
    ApriFinestra(FinestraConfig);
    FormConfig->CBLivello->setCurrentIndex(1);
    FormConfig->VelmoBottone2Click();
    EXPECT_EQ(LeggiImpostazione("Livello").value_or(""), "Esperto") << "kept at once";
    for (int finestra : {FinestraBriscola, FinestraScopa, FinestraRubamazzo, FinestraSettemezzo}) {
        ApriFinestra(finestra);
        EXPECT_EQ(LivelloComputer, Livello::Esperto) << "window " << finestra << " opened";
        TornaIndietro();
        EXPECT_EQ(LivelloComputer, Livello::Esperto) << "back from window " << finestra;
    }
    FormSplashScreen->hide();
    FormSplashScreen->show();
    EXPECT_EQ(LivelloComputer, Livello::Esperto) << "the chooser shown again";
    EXPECT_EQ(FormConfig->CBLivello->currentIndex(), 1);
}

TEST_F(PartitaEsperto, ScopaTablePlaysAWholeGame)
{
    SceltaEsperto();
    TFormScopa* s = FormScopa;
    s->Motore.Generatore().Fissa(77);
    TFormAlternative::Automazione() = [](TFormAlternative* d) { d->VelmoBottone1Click(); };
    ApriFinestra(FinestraScopa);
    s->NuovaPartitaClick();
    int passi = 0, mosseComputer = 0;
    while (!s->PartitaFinita && passi++ < 5000) {
        const PassoScopa passo = GiocaPassoScopa(s);
        if (passo == PassoScopa::TraLeMani) continue;
        if (passo == PassoScopa::Computer) {
            ++mosseComputer;
            ASSERT_EQ(s->Motore.Turno, 1) << "the computer's move passed the turn, step " << passi;
        }
        ASSERT_EQ(s->Motore.ControllaCarte(), "") << "after step " << passi;
    }
    ASSERT_TRUE(s->PartitaFinita);
    EXPECT_GT(mosseComputer, 18);
    EXPECT_TRUE(s->PuntiPartitaGiocatore > 20 || s->PuntiPartitaComputer > 20);
    EspertoHaGiocato(10);
}

TEST_F(PartitaEsperto, BriscolaTablePlaysAWholeGame)
{
    SceltaEsperto();
    TFormBriscola* b = FormBriscola;
    RegoleBriscola& r = b->Regole;
    FormConfig->VelCarte1->Stato().Generatore().Fissa(77);
    ApriFinestra(FinestraBriscola);
    b->NuovaPartitaClick();
    int passi = 0;
    while (b->PartitaInCorso && passi++ < 500) {
        if (b->Timer2->isActive()) {
            b->Timer2Timer();
        } else if (r.Turno == 1 && r.CarteGiocate < 2) {
            void (TFormBriscola::*clic[])() = {&TFormBriscola::Image4DblClick, &TFormBriscola::Image5DblClick,
                                               &TFormBriscola::Image6DblClick};
            for (int i = 1; i <= 3; ++i)
                if (r.ManoGiocatore[i]) {
                    (b->*clic[i - 1])();
                    break;
                }
        } else {
            b->Timer1Timer();
        }
    }
    ASSERT_FALSE(b->PartitaInCorso) << "the game ended";
    EXPECT_EQ(r.PreseGiocatore[0] + r.PreseComputer[0], 40);
    EXPECT_EQ(r.PuntiGiocatore + r.PuntiComputer, 120);
    EspertoHaGiocato(10);
}

TEST_F(PartitaEsperto, RubamazzoTablePlaysAWholeGame)
{
    SceltaEsperto();
    TFormRubamazzo* t = FormRubamazzo;
    const RegoleRubamazzo& r = t->Regole;
    FormConfig->VelCarte1->Stato().Generatore().Fissa(77);
    ApriFinestra(FinestraRubamazzo);
    t->NuovaPartitaClick();
    for (int passi = 0; !r.PartitaFinita() && passi < 200; ++passi) {
        t->Timer3Timer();
        if (r.PartitaFinita()) break;
        for (int k = 4; k <= 6; ++k)
            if (r.Posti[k]) {
                t->ImagePosDblClick(k);
                t->BtnOkClick();
                break;
            }
        ASSERT_NE(r.Turno, 2) << "the computer answered at once, step " << passi;
    }
    ASSERT_TRUE(r.PartitaFinita()) << "the game ended";
    EXPECT_EQ(r.PilaGiocatore() + r.PilaComputer(), 40);
    EspertoHaGiocato(5);
}

namespace {
// Counts the paint events a window receives.
class ContaPitture : public QObject {
public:
    std::atomic<int> pitture{0};

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) ++pitture;
        return false;
    }
};
}  // namespace

TEST_F(PartitaEsperto, TheTableRepaintsWhileTheComputerThinks)
{
    SceltaEsperto();
    TFormBriscola* b = FormBriscola;
    RegoleBriscola& r = b->Regole;
    FormConfig->VelCarte1->Stato().Generatore().Fissa(5);
    ApriFinestra(FinestraBriscola);
    b->NuovaPartitaClick();
    if (r.Turno == 1) b->Image4DblClick();
    ASSERT_EQ(r.Turno, 2);
    ASSERT_LT(r.CarteGiocate, 2);

    ContaPitture conta;
    b->installEventFilter(&conta);
    InstallaAttesaGui();
    // The search is held on its worker until the table has been painted: it asks for a
    // repaint (queued to the window's thread) and waits for the paint (safety: 20 s). A
    // table that waited for the search without handling its events would never paint.
    bool dipinta = false;
    OsservatoreRicerca() = [&] {
        const int prima = conta.pitture.load();
        QMetaObject::invokeMethod(b, [b] { b->update(); }, Qt::QueuedConnection);
        const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (conta.pitture.load() == prima && std::chrono::steady_clock::now() < fine) std::this_thread::yield();
        dipinta = conta.pitture.load() > prima;
    };
    ASSERT_EQ(LivelloComputer, Livello::Esperto);
    const int carteTavolo = r.CarteGiocate;
    b->Timer1Timer();
    OsservatoreRicerca() = nullptr;
    ImpostaDormiente({});
    b->removeEventFilter(&conta);
    EXPECT_TRUE(dipinta) << "the table was painted while the computer searched";
    EXPECT_EQ(r.CarteGiocate, carteTavolo + 1) << "and the computer then played its card";
}

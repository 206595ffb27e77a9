// What the felt shows beside the cards: the Briscola trump and its suit, the Scopa game's
// totals and sweeps, the last capture seen again, the capture choice lit on the table, what
// Rubamazzo's moves say, the pace of the pauses and the turn picture during a move.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <map>
#include <set>

#include "ads/PannelloPubblicita.h"
#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "core/Carte.h"
#include "core/Pausa.h"
#include "games/briscola/TFormBriscola.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormAlternative.h"
#include "games/scopa/TFormScopa.h"
#include "games/settemezzo/TFormSettemezzo.h"
#include "tests/gui/FinestreDiProva.h"
#include "tests/gui/PassoScopa.h"

namespace {

class RaccontoTavolo : public FinestreDiProva {
protected:
    void SetUp() override
    {
        FinestreDiProva::SetUp();
        FormConfig->VelCarte1->Stato().Generatore().Fissa(2024);
        FormScopa->Motore.Generatore().Fissa(2024);
        FormConfig->CBSuoni->setChecked(false);
        FormConfig->CBComputer->setChecked(false);
        TFormAlternative::Automazione() = [](TFormAlternative* d) { d->VelmoBottone1Click(); };
        FormSplashScreen->show();
    }
    void TearDown() override
    {
        ImpostaDormiente({});
        ImpostaScalaTempo(0);
        ImpostaVelocita(Velocita::Normale);  // the pace is program-wide
        TFormAlternative::Automazione() = nullptr;
        FinestreDiProva::TearDown();
    }

    static QImage Faccia(int carta)
    {
        VelImage v;
        FormConfig->VelCarte1->CartaDalNumero(carta, &v);
        return v.Picture();
    }
    static QImage Segnata(int carta)
    {
        VelImage v;
        FormConfig->VelCarte1->CartaDalNumero(carta, &v);
        TFormTavolo::SegnaSelezione(v.Canvas(), v.Sagoma());
        return v.Picture();
    }
    static void Tasto(TFormTavolo* w, int tasto)
    {
        // The advertisement laid over a table when it is shown takes the keys until closed.
        if (w->Pubblicita->InVista()) w->Pubblicita->ChiudiPubblicitaClick();
        QKeyEvent e(QEvent::KeyPress, tasto, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    static void Mouse(QWidget* w, QEvent::Type tipo)
    {
        const QPointF p(10, 10);
        QMouseEvent e(tipo, p, w->mapToGlobal(p), Qt::LeftButton,
                      tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }

    // Scopa: empties hands and table, then lays out a position (cards by number).
    static void PosizioneScopa(std::initializer_list<int> giocatore, std::initializer_list<int> computer,
                               std::initializer_list<int> tavolo, int turno = 1)
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
        m.Turno = turno;
        FormScopa->Ridisegna();
    }

    // Rubamazzo: a position by card numbers (each handle its own card), nothing left to deal.
    static void PosizioneRubamazzo(std::vector<int> computer, std::vector<int> giocatore, std::vector<int> tavolo,
                                   std::vector<int> pilaG = {}, std::vector<int> pilaC = {})
    {
        auto& r = FormRubamazzo->Regole;
        for (int i = 1; i <= 40; ++i) r.CarteMazzo[i] = i;
        std::fill(std::begin(r.Posti), std::end(r.Posti), 0);
        for (size_t i = 0; i < computer.size(); ++i) r.Posti[1 + i] = computer[i];
        for (size_t i = 0; i < giocatore.size(); ++i) r.Posti[4 + i] = giocatore[i];
        for (size_t i = 0; i < tavolo.size(); ++i) r.Posti[RegoleRubamazzo::PrimoPostoTavolo + i] = tavolo[i];
        r.IndicePreseGiocatore = r.IndicePreseComputer = 1;
        for (int h : pilaG) r.PreseGiocatore[r.IndicePreseGiocatore++] = h;
        for (int h : pilaC) r.PreseComputer[r.IndicePreseComputer++] = h;
        r.CimaGiocatore = pilaG.empty() ? 0 : pilaG.back();
        r.CimaComputer = pilaC.empty() ? 0 : pilaC.back();
        r.ProssimaCarta = 41;
        r.Turno = 1;
        FormRubamazzo->RidisegnaPosti();
    }

    // Every pause runs `aOgniPausa` and adds its scaled length to a fake clock; nothing sleeps.
    unsigned long long orologio = 0;
    void OrologioFinto(std::function<void()> aOgniPausa = {})
    {
        ImpostaScalaTempo(1);
        ImpostaDormiente([this, f = std::move(aOgniPausa)](unsigned ms) {
            orologio += ms;
            if (f) f();
        });
    }
};

}  // namespace

// ---------------------------------------------------------------- Briscola's trump

TEST_F(RaccontoTavolo, BriscolaTrumpShowsItsWholeFaceAboveTheStockAndItsSuitStaysOnABadge)
{
    TFormBriscola* b = FormBriscola;
    ApriFinestra(FinestraBriscola);
    b->NuovaPartitaClick();
    ASSERT_TRUE(b->Image39->isVisible() && b->Image40->isVisible());

    const QRect posto = b->Image40->geometry();
    EXPECT_TRUE(b->Panel1->rect().contains(posto)) << "the trump lies inside the felt";
    // What the felt shows where the trump lies, beside the card's own picture: every pixel of
    // the card's face is seen, none is covered by the stock or anything else.
    const QImage vista = b->Panel1->grab(posto).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage carta = b->Image40->Mostrata();
    ASSERT_EQ(vista.size(), carta.size());
    int facciaVista = 0, coperti = 0;
    for (int y = 0; y < carta.height(); ++y)
        for (int x = 0; x < carta.width(); ++x) {
            const QRgb c = carta.pixel(x, y);
            if (qAlpha(c) != 255) continue;  // outside the card's outline
            ++facciaVista;
            if ((vista.pixel(x, y) & 0xffffff) != (c & 0xffffff)) ++coperti;
        }
    EXPECT_GT(facciaVista, 5000) << "the card's face lies in its slot";
    EXPECT_EQ(coperti, 0) << "pixels of the trump's face hidden under the stock";
    EXPECT_TRUE(b->Image40->geometry().intersects(b->Image39->geometry())) << "the stock still lies across its foot";

    auto& r = b->Regole;
    EXPECT_EQ(b->EtichettaBriscola->text(),
              QString("Briscola: ") + NomeSeme(SemeCarta(r.Carta(r.CartaBriscola))));
    EXPECT_TRUE(b->EtichettaBriscola->isVisible());
    for (QWidget* w : std::initializer_list<QWidget*>{b->Image39, b->Image7, b->Image8, b->Label2})
        EXPECT_FALSE(b->EtichettaBriscola->geometry().intersects(w->geometry())) << w->objectName().toStdString();

    // The stock spent and the trump drawn into a hand: the badge stays.
    const QString badge = b->EtichettaBriscola->text();
    r.CartePescate = 39;
    b->RidisegnaTavolo();
    EXPECT_FALSE(b->Image40->HaPicture());
    EXPECT_TRUE(b->EtichettaBriscola->isVisible());
    EXPECT_EQ(b->EtichettaBriscola->text(), badge);

}

// ---------------------------------------------------------------- Scopa's game on the felt

TEST_F(RaccontoTavolo, ScopaFeltShowsTheGameTotalsAfterEveryCountedHandAndEachSidesSweeps)
{
    TFormScopa* s = FormScopa;
    FormConfig->NomeGiocat->setText("Anna");
    ApriFinestra(FinestraScopa);
    EXPECT_EQ(TFormScopa::TestoPartita("Anna", 11, 7), QString::fromUtf8("Partita: Anna 11 – Computer 7, si vince a 21"));
    EXPECT_FALSE(s->EtichettaPartita->isVisible()) << "no game before the first hand";

    s->NuovaPartitaClick();
    EXPECT_EQ(s->EtichettaPartita->text(), TFormScopa::TestoPartita("Anna", 0, 0));
    int mani = 0, passi = 0, scope = 0;
    bool finitaPrima = false;
    while (!s->PartitaFinita && passi++ < 5000) {
        const int scopePrima = s->Motore.ScopeGiocatore + s->Motore.ScopeComputer;
        GiocaPassoScopa(s);
        const int scopeDopo = s->Motore.ScopeGiocatore + s->Motore.ScopeComputer;
        if (scopeDopo > scopePrima && !s->ManoFinita) {
            ++scope;
            EXPECT_EQ(s->TestoEsito(), "Scopa!") << "a sweep is told on the felt, step " << passi;
        }
        if (!s->ManoFinita) {
            // Sweeps of this hand beside each side's sweep card.
            const std::pair<QLabel*, int> lati[] = {{s->ContaScopeGiocatore, s->Motore.ScopeGiocatore},
                                                    {s->ContaScopeComputer, s->Motore.ScopeComputer}};
            for (const auto& [l, n] : lati) {
                EXPECT_EQ(!l->isHidden(), n > 0) << l->objectName().toStdString() << " at step " << passi;
                if (n > 0) {
                    EXPECT_EQ(l->text(), TFormScopa::TestoScope(n));
                }
            }
        }
        if (s->ManoFinita && !finitaPrima) {
            ++mani;
            EXPECT_EQ(s->EtichettaPartita->text(),
                      TFormScopa::TestoPartita("Anna", s->PuntiPartitaGiocatore, s->PuntiPartitaComputer))
                << "after hand " << mani;
        }
        finitaPrima = s->ManoFinita;
    }
    ASSERT_TRUE(s->PartitaFinita);
    EXPECT_GE(mani, 2);
    EXPECT_GT(scope, 0) << "the seeded game has sweeps to show";
    EXPECT_TRUE(s->PuntiPartitaGiocatore > 20 || s->PuntiPartitaComputer > 20);
}

// ---------------------------------------------------------------- the last capture

TEST_F(RaccontoTavolo, LastCaptureOrTrickShownAgainIsTheOneTheRulesRecorded)
{
    // Scopa: the engine's move record.
    TFormScopa* s = FormScopa;
    ApriFinestra(FinestraScopa);
    s->NuovaPartitaClick();
    PosizioneScopa({7, 16, 27}, {2, 13, 24}, {12, 15, 9});  // 7 of Denari takes 2 + 5
    Tasto(s, Qt::Key_U);
    EXPECT_TRUE(s->CarteUltimaPresaMostrate().empty()) << "nothing taken yet in this hand";
    s->CartaGiocatoreDblClick(1);
    std::vector<int> registrata;
    for (int i = 0; i < 10 && s->Motore.CarteMossa[i]; ++i) registrata.push_back(s->Motore.CarteMossa[i]);
    ASSERT_EQ(registrata, (std::vector<int>{7, 12, 15}));
    Tasto(s, Qt::Key_U);
    EXPECT_EQ(s->CarteUltimaPresaMostrate(), registrata);
    EXPECT_TRUE(s->PannelloPresa->isVisible());
    EXPECT_EQ(s->TitoloPresa->text(), TFormTavolo::TitoloUltimaPresa(1));
    EXPECT_TRUE(s->TimerPresa->isActive() && s->TimerPresa->interval() == TFormTavolo::DurataUltimaPresa)
        << "a key shows it for two seconds";
    s->NascondiUltimaPresa();
    // Holding the mouse on the player's pile shows it until the button is released.
    Mouse(s->CartaCopertaGiocatore, QEvent::MouseButtonPress);
    EXPECT_EQ(s->CarteUltimaPresaMostrate(), registrata);
    EXPECT_FALSE(s->TimerPresa->isActive());
    Mouse(s->CartaCopertaGiocatore, QEvent::MouseButtonRelease);
    EXPECT_FALSE(s->PannelloPresa->isVisible());
    // The computer's pile has nothing yet; a new hand forgets the capture.
    Mouse(s->CartaCopertaComputer, QEvent::MouseButtonPress);
    EXPECT_TRUE(s->CarteUltimaPresaMostrate().empty());
    Mouse(s->CartaCopertaComputer, QEvent::MouseButtonRelease);
    s->NuovaPartitaClick();
    Tasto(s, Qt::Key_U);
    EXPECT_TRUE(s->CarteUltimaPresaMostrate().empty());

    // Briscola: both cards of the last trick, under the winner's pile.
    TFormBriscola* b = FormBriscola;
    ApriFinestra(FinestraBriscola);
    b->NuovaPartitaClick();
    b->Image4DblClick();
    b->Timer1Timer();  // the computer answers
    const int g = b->Regole.Carta(b->Regole.GiocataGiocatore), c = b->Regole.Carta(b->Regole.GiocataComputer);
    ASSERT_TRUE(g && c);
    b->Timer2Timer();
    const int vincitore = b->Regole.Turno;  // the winner leads the next trick
    Tasto(b, Qt::Key_U);
    EXPECT_EQ(b->CarteUltimaPresaMostrate(), (std::vector<int>{g, c}));
    EXPECT_EQ(b->TitoloPresa->text(), TFormTavolo::TitoloUltimaPresa(vincitore));
    VelImage* pila = vincitore == 1 ? b->Image42 : b->Image41;
    b->NascondiUltimaPresa();
    Mouse(pila, QEvent::MouseButtonPress);
    EXPECT_EQ(b->CarteUltimaPresaMostrate(), (std::vector<int>{g, c}));
    Mouse(pila, QEvent::MouseButtonRelease);

    // Rubamazzo: the confirmed capture, from the rules' move record.
    TFormRubamazzo* t = FormRubamazzo;
    ApriFinestra(FinestraRubamazzo);
    t->NuovaPartitaClick();
    PosizioneRubamazzo({21}, {16, 3}, {2, 4, 9});  // the 6 takes 2 + 4; the computer's ace lies down
    t->ImagePos4DblClick();
    t->BtnOkClick();
    ASSERT_EQ(t->Regole.PilaGiocatore(), 3);
    Mouse(t->CarteGiocatore, QEvent::MouseButtonPress);
    EXPECT_EQ(t->CarteUltimaPresaMostrate(), (std::vector<int>{16, 2, 4}));
    Mouse(t->CarteGiocatore, QEvent::MouseButtonRelease);
    EXPECT_TRUE(t->CarteUltimaPresaMostrate().empty());
}

// ---------------------------------------------------------------- the capture choice lit

TEST_F(RaccontoTavolo, CaptureChoiceLightsExactlyTheTablePlacesOfTheAlternativeShown)
{
    TFormScopa* s = FormScopa;
    ApriFinestra(FinestraScopa);
    s->NuovaPartitaClick();
    // A 6 over 1 + 5, 2 + 4 and 1 + 2 + 3 (table places 1 2, 3 4, 1 3 5).
    PosizioneScopa({16, 27, 38}, {2, 13, 24}, {1, 15, 12, 4, 33});
    const std::vector<std::set<int>> attesi = {{1, 2}, {3, 4}, {1, 3, 5}};
    std::vector<std::set<int>> visti;
    TFormAlternative::Automazione() = [&](TFormAlternative* d) {
        for (std::size_t a = 0; a < d->Alternative.size(); ++a) {
            std::set<int> accesi;
            for (int k = 1; k <= 5; ++k) {
                const int carta = s->Motore.Tavolo[k];
                const QImage vista = s->CartaTerra[k]->Picture();
                if (vista == Segnata(carta))
                    accesi.insert(k);
                else
                    EXPECT_EQ(vista, Faccia(carta)) << "place " << k << " is either lit or plain";
            }
            visti.push_back(accesi);
            d->VelmoBottone2Click();
        }
        d->VelmoBottone1Click();
    };
    s->CartaGiocatoreDblClick(1);
    EXPECT_EQ(visti, attesi);
    EXPECT_TRUE(s->PostiIlluminati.empty()) << "nothing stays lit once the dialog has closed";
    for (int k = 1; k <= 5; ++k)
        if (s->Motore.Tavolo[k]) {
            EXPECT_EQ(s->CartaTerra[k]->Picture(), Faccia(s->Motore.Tavolo[k])) << "place " << k;
        }
}

// ---------------------------------------------------------------- Rubamazzo says what it does

TEST_F(RaccontoTavolo, RubamazzoComputersCardFliesFaceUpWhenLaidOrStealing)
{
    TFormRubamazzo* t = FormRubamazzo;
    ApriFinestra(FinestraRubamazzo);
    t->NuovaPartitaClick();
    struct Caso {
        const char* mossa;
        std::vector<int> computer, giocatore, tavolo, pilaG;
        int carta;
        int tipo;
    };
    // The player's 10 of Denari is laid down first each time; then the computer moves.
    const Caso casi[] = {
        {"a lay-down", {35}, {10}, {2}, {}, 35, RegoleRubamazzo::Posa},
        {"a steal", {27}, {10}, {2}, {1, 17}, 27, RegoleRubamazzo::Furto},
    };
    for (const Caso& c : casi) {
        PosizioneRubamazzo(c.computer, c.giocatore, c.tavolo, c.pilaG);
        ASSERT_FALSE(t->ImagePos[1]->Picture() == Faccia(c.carta)) << "the computer's hand lies face down";
        t->ImagePos4DblClick();
        int inVolo = 0, scoperte = 0;
        OrologioFinto([&] {
            VelImage* img = t->ImagePos[1];
            if (!img->isVisible() || img->pos() == TFormRubamazzo::PosizionePosto(1, t->PostiInUso())) return;
            ++inVolo;  // away from its home: flying
            // What the felt shows of the card in the middle of its face, beside the face itself.
            const QImage vista = img->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QImage faccia = Faccia(c.carta).convertToFormat(QImage::Format_RGB32);
            const QRect mezzo(20, 30, 40, 60);
            if (img->Picture() == Faccia(c.carta) && vista.copy(mezzo) == faccia.copy(mezzo)) ++scoperte;
        });
        t->BtnOkClick();
        ImpostaDormiente({});
        ImpostaScalaTempo(0);
        EXPECT_EQ(t->Regole.UltimaMossa.Tipo, c.tipo) << c.mossa;
        EXPECT_GT(inVolo, 0) << c.mossa;
        EXPECT_EQ(scoperte, inVolo) << c.mossa << ": the computer's card shows its face at every step of its flight";
    }
}

TEST_F(RaccontoTavolo, RubamazzoRefusedStealSaysWhatItTakes)
{
    TFormRubamazzo* t = FormRubamazzo;
    ApriFinestra(FinestraRubamazzo);
    t->NuovaPartitaClick();
    struct Caso { std::vector<int> pilaC; bool seleziona; const char* testo; };
    const Caso casi[] = {
        {{1, 27}, true, "Per rubare serve una carta come quella in cima: il 7"},
        {{1, 27}, false, "Per rubare serve una carta come quella in cima: il 7"},
        {{27, 11}, true, "Per rubare serve una carta come quella in cima: l'Asso"},
        {{2, 38}, true, "Per rubare serve una carta come quella in cima: il Fante"},
        {{2, 40}, true, "Per rubare serve una carta come quella in cima: il Re"},
        {{}, true, "Il computer non ha un mazzetto da rubare"},
    };
    for (const Caso& c : casi) {
        PosizioneRubamazzo({}, {16}, {}, {}, c.pilaC);
        t->Regole.Selezionato = 0;
        t->NascondiEsito();
        if (c.seleziona) t->ImagePos4DblClick();
        t->CarteComputerDblClick();
        EXPECT_EQ(t->TestoEsito(), QString::fromUtf8(c.testo));
        EXPECT_EQ(t->Regole.PilaComputer(), static_cast<int>(c.pilaC.size())) << "nothing was stolen";
    }
}

TEST_F(RaccontoTavolo, RubamazzoShowsTheComputersCardsAsSoonAsTheSettingIsConfirmedAndRimsTheWholeCard)
{
    TFormRubamazzo* t = FormRubamazzo;
    ApriFinestra(FinestraRubamazzo);
    t->NuovaPartitaClick();
    PosizioneRubamazzo({21, 32}, {16, 3}, {2, 4, 9});
    t->ImagePos4DblClick();  // the 6 selected, with the 2 and the 4 it takes
    ApriFinestra(FinestraConfig);
    FormConfig->CBComputer->setChecked(true);
    FormConfig->VelmoBottone2Click();
    EXPECT_EQ(t->ImagePos[1]->Picture(), Faccia(21)) << "the computer's hand turns face up at once";
    EXPECT_EQ(t->ImagePos[2]->Picture(), Faccia(32));
    EXPECT_EQ(t->ImagePos[4]->Picture(), Segnata(16)) << "the selection stays marked";
    EXPECT_EQ(t->ImagePos[7]->Picture(), Segnata(2));
    EXPECT_EQ(t->ImagePos[9]->Picture(), Faccia(9));

    // The rim runs along all four sides of the card, and inside it the face is untouched.
    const QImage piana = Faccia(16), segnata = t->ImagePos[4]->Picture();
    const QRgb oro = qRgb(212, 160, 23);
    auto vicino = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) < 60;
    };
    // The card: the opaque part of what the slot shows (its shadow and margin are translucent).
    const QRect faccia = [&] {
        VelImage v;
        FormConfig->VelCarte1->CartaDalNumero(16, &v);
        const QImage m = v.Mostrata();
        QRect r;
        for (int y = 0; y < m.height(); ++y)
            for (int x = 0; x < m.width(); ++x)
                if (qAlpha(m.pixel(x, y)) == 255) r |= QRect(x, y, 1, 1);
        return r;
    }();
    ASSERT_FALSE(faccia.isNull());
    const int mx = faccia.center().x(), my = faccia.center().y();
    const std::pair<const char*, std::vector<QPoint>> lati[] = {
        {"top", {{mx, faccia.top() + 2}, {mx, faccia.top() + 3}, {mx, faccia.top() + 4}}},
        {"bottom", {{mx, faccia.bottom() - 2}, {mx, faccia.bottom() - 3}, {mx, faccia.bottom() - 4}}},
        {"left", {{faccia.left() + 2, my}, {faccia.left() + 3, my}, {faccia.left() + 4, my}}},
        {"right", {{faccia.right() - 2, my}, {faccia.right() - 3, my}, {faccia.right() - 4, my}}},
    };
    const QImage mostrata = t->ImagePos[4]->Mostrata();
    for (const auto& [lato, punti] : lati) {
        bool visto = false;
        for (QPoint p : punti)
            visto = visto || (qAlpha(mostrata.pixel(p)) == 255 && vicino(mostrata.pixel(p), oro));
        EXPECT_TRUE(visto) << "the gold rim shows on the " << lato << " side";
    }
    int diversi = 0;
    for (int y = faccia.top() + 8; y <= faccia.bottom() - 8; ++y)
        for (int x = faccia.left() + 8; x <= faccia.right() - 8; ++x)
            if (segnata.pixel(x, y) != piana.pixel(x, y)) ++diversi;
    EXPECT_EQ(diversi, 0) << "the selected face keeps its colours";
}

// ---------------------------------------------------------------- the pace

TEST_F(RaccontoTavolo, PaceDefaultsToNormaleRoundTripsAndReadsOnlyItsThreeNames)
{
    CaricaConfigurazione();
    EXPECT_EQ(VelocitaCorrente(), Velocita::Normale) << "first run";
    EXPECT_EQ(FormConfig->CBVelocita->currentText(), "Normale");
    EXPECT_EQ(FormConfig->CBVelocita->accessibleName(), QString::fromUtf8("Velocità"));
    // Tab reaches the pace after the level.
    int passi = 0;
    for (QWidget* w = FormConfig->CBLivello; w && w != FormConfig->CBVelocita && passi < 10; w = w->nextInFocusChain()) ++passi;
    EXPECT_LT(passi, 10) << "Tab goes from the level on to the pace";
    EXPECT_EQ(FormConfig->CBVelocita->geometry().y(), 518);

    for (int i : {2, 1, 0}) {
        FormConfig->CBVelocita->setCurrentIndex(i);
        SalvaConfigurazione();
        ImpostaVelocita(Velocita::Normale);
        FormConfig->CBVelocita->setCurrentIndex(0);
        CaricaConfigurazione();
        EXPECT_EQ(static_cast<int>(VelocitaCorrente()), i);
        EXPECT_EQ(FormConfig->CBVelocita->currentIndex(), i);
    }
    EXPECT_EQ(LeggiImpostazione("Velocita").value_or("<missing>"), "Normale");
    EXPECT_EQ(LeggiImpostazione("Livello").value_or("<missing>"), "Normale") << "the other values stay beside it";

    struct Caso { const char* salvato; Velocita attesa; };
    const Caso casi[] = {{"Rapida", Velocita::Rapida}, {"Veloce", Velocita::Veloce}, {"Normale", Velocita::Normale},
                         {"rapida", Velocita::Normale}, {"", Velocita::Normale}, {"3", Velocita::Normale}};
    for (const Caso& c : casi) {
        ImpostaVelocita(Velocita::Veloce);
        ScriviImpostazioni({{"Velocita", c.salvato}});
        CaricaConfigurazione();
        EXPECT_EQ(VelocitaCorrente(), c.attesa) << "stored \"" << c.salvato << "\"";
    }
}

TEST_F(RaccontoTavolo, RapidaMakesAWholeScopaHandsPausesAQuarterAsLong)
{
    TFormScopa* s = FormScopa;
    FormConfig->CBMessaggi->setChecked(true);
    ApriFinestra(FinestraScopa);
    struct Misura { unsigned long long ms = 0, pause = 0, richiesti = 0; };
    // One whole hand from the same deal, through the handlers, on the fake clock.
    auto mano = [&](int indice) {
        FormConfig->CBVelocita->setCurrentIndex(indice);
        s->Motore.Generatore().Fissa(2024);
        s->PrimoDiMano = 2;
        s->PartitaFinita = true;
        orologio = 0;
        OrologioFinto();
        const auto pausePrima = PauseRichieste(), richiestiPrima = MillisecondiRichiesti();
        s->NuovaPartitaClick();
        for (int passi = 0; !s->ManoFinita && passi < 200; ++passi) GiocaPassoScopa(s);
        EXPECT_TRUE(s->ManoFinita);
        const Misura m{orologio, PauseRichieste() - pausePrima, MillisecondiRichiesti() - richiestiPrima};
        ImpostaDormiente({});
        ImpostaScalaTempo(0);
        s->ManoFinita = false;
        return m;
    };
    // The table's first hand since start-up also lays out its places; the hands after it
    // are the ones compared.
    mano(0);
    const Misura normale = mano(0), veloce = mano(1), rapida = mano(2), ancora = mano(0);
    EXPECT_EQ(ancora.ms, normale.ms) << "the same hand at the same pace waits the same";
    ASSERT_GT(normale.ms, 10000u) << "a hand waits many seconds at the designed pace";
    EXPECT_EQ(normale.ms, normale.richiesti) << "Normale waits exactly the designed pauses";
    EXPECT_EQ(veloce.pause, normale.pause) << "the same hand, pause for pause";
    EXPECT_EQ(rapida.pause, normale.pause);
    EXPECT_EQ(veloce.ms * 2, normale.ms);
    EXPECT_EQ(rapida.ms * 4, normale.ms);
    EXPECT_EQ(s->Timer1->interval(), 1000) << "the timers between moves keep their intervals";
}

// ---------------------------------------------------------------- the turn picture

TEST_F(RaccontoTavolo, TurnPictureShowsTheSideThatMovesNextDuringThePlayersMoveAndARedeal)
{
    // Scopa: the player's last card of a round, the computer's hand empty: the card flies,
    // then the redeal. At every pause the picture shown is the side the engine has to move.
    TFormScopa* s = FormScopa;
    ApriFinestra(FinestraScopa);
    s->NuovaPartitaClick();
    PosizioneScopa({7}, {}, {12, 15, 9});
    s->Timer2Timer();
    ASSERT_TRUE(s->Giocatore->isVisible());
    int pause = 0, sbagliate = 0;
    OrologioFinto([&] {
        ++pause;
        if (s->Computer->isVisible() != (s->Motore.Turno == 2) || s->Giocatore->isVisible() != (s->Motore.Turno == 1))
            ++sbagliate;
    });
    const int distribuitePrima = s->Motore.CarteDistribuite;
    s->CartaGiocatoreDblClick(1);
    ImpostaDormiente({});
    ImpostaScalaTempo(0);
    EXPECT_GT(s->Motore.CarteDistribuite, distribuitePrima) << "the round was redealt";
    EXPECT_GT(pause, 0);
    EXPECT_EQ(sbagliate, 0) << "pauses whose turn picture was not the side to move";

    // Briscola: the player's lead flies under the computer's picture; an answer completing
    // the trick under neither.
    TFormBriscola* b = FormBriscola;
    ApriFinestra(FinestraBriscola);
    b->NuovaPartitaClick();
    ASSERT_EQ(b->Regole.Turno, 1);
    std::vector<std::pair<bool, bool>> viste;
    OrologioFinto([&] { viste.emplace_back(b->Computer->isVisible(), b->Giocatore->isVisible()); });
    b->Image4DblClick();
    ASSERT_FALSE(viste.empty());
    for (const auto& v : viste) EXPECT_EQ(v, std::make_pair(true, false)) << "the lead flies; the computer answers next";
    b->Timer1Timer();  // the computer answers, then the trick goes to its winner
    b->Timer2Timer();
    if (b->Regole.Turno == 2) b->Timer1Timer();  // the computer leads
    ASSERT_EQ(b->Regole.Turno, 1);
    ASSERT_EQ(b->Regole.CarteGiocate, 1);
    viste.clear();
    b->Image5DblClick();
    ImpostaDormiente({});
    ImpostaScalaTempo(0);
    ASSERT_FALSE(viste.empty());
    for (const auto& v : viste) EXPECT_EQ(v, std::make_pair(false, false)) << "the answer completes the trick";

    // Rubamazzo: the player's confirmed card flies under the computer's picture.
    TFormRubamazzo* t = FormRubamazzo;
    ApriFinestra(FinestraRubamazzo);
    t->NuovaPartitaClick();
    PosizioneRubamazzo({21}, {16, 3}, {2, 4, 9});
    t->ImagePos4DblClick();
    viste.clear();
    bool inVolo = true;
    OrologioFinto([&] {
        if (inVolo) viste.emplace_back(t->Computer->isVisible(), t->Giocatore->isVisible());
    });
    t->Regole.EvidenziaPosto = [&, e = t->Regole.EvidenziaPosto](int k) {
        inVolo = false;  // the computer's own move has begun
        e(k);
    };
    t->BtnOkClick();
    ImpostaDormiente({});
    ImpostaScalaTempo(0);
    ASSERT_FALSE(viste.empty());
    EXPECT_EQ(viste.front(), std::make_pair(true, false)) << "the player's card flies; the computer answers next";
}

TEST_F(RaccontoTavolo, SetteEMezzoShowsTheTurnToThePlayerOnceTheDealIsDecided)
{
    TFormSettemezzo* t = FormSettemezzo;
    ApriFinestra(FinestraSettemezzo);
    t->NuovaPartitaClick();
    t->NuovaCartaClick();
    t->StopClick();
    EXPECT_TRUE(t->Computer->isVisible()) << "the computer draws";
    for (int i = 0; i < 10 && t->Regole.FaseTavolo == RegoleSettemezzo::TurnoComputer; ++i) t->Timer3Timer();
    ASSERT_EQ(t->Regole.FaseTavolo, RegoleSettemezzo::ManoDecisa);
    EXPECT_TRUE(t->Giocatore->isVisible()) << "\"Tocca a te\": the player is to press \"Nuovo Turno\"";
    EXPECT_FALSE(t->Computer->isVisible());
}

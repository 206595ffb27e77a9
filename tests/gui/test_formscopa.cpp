// The Scopa table driven through its handlers, with no delays and timers ticked by hand.
#include <QCheckBox>
#include <QFile>
#include <map>

#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "games/scopa/TFormAlternative.h"
#include "games/scopa/TFormScopa.h"
#include "scores/PunteggiFile.h"
#include "scores/TFormPunteggi.h"
#include "tests/gui/FinestreDiProva.h"
#include "tests/gui/PassoScopa.h"

namespace {

class TavoloScopa : public FinestreDiProva {
protected:
    void SetUp() override
    {
        FinestreDiProva::SetUp();
        s = FormScopa;
        s->Motore.Generatore().Fissa(2024);
        for (auto [nome, w] : {std::pair{"Mescola", s->Mescola}, {"GiocaCarta", s->GiocaCarta}, {"Scopa", s->Scopa},
                               {"Vittoria", s->Vittoria}, {"Perdita", s->Perdita}})
            w->OnPlay = [this, n = std::string(nome)](TWave*) { ++suonati[n]; };
        FormSplashScreen->show();
        ApriFinestra(FinestraScopa);
    }
    void TearDown() override
    {
        TFormAlternative::Automazione() = nullptr;
        FinestreDiProva::TearDown();
    }

    // Empties hands and table, then lays out a position (cards by number).
    void Posizione(std::initializer_list<int> giocatore, std::initializer_list<int> computer,
                   std::initializer_list<int> tavolo, int turno = 1)
    {
        auto& m = s->Motore;
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
        s->Ridisegna();
    }

    TFormScopa* s = nullptr;
    std::map<std::string, int> suonati;
};

}  // namespace

TEST_F(TavoloScopa, DoubleClickDuringTheComputersTurnChangesNothing)
{
    s->NuovaPartitaClick();
    Posizione({5, 16, 27}, {2, 13, 24}, {11, 32, 9}, 2);
    const auto mano = std::vector<int>(s->Motore.ManoGiocatore, s->Motore.ManoGiocatore + 4);
    const auto tavolo = std::vector<int>(s->Motore.Tavolo, s->Motore.Tavolo + 9);
    suonati.clear();
    s->CartaGiocatoreDblClick(1);
    EXPECT_EQ(std::vector<int>(s->Motore.ManoGiocatore, s->Motore.ManoGiocatore + 4), mano);
    EXPECT_EQ(std::vector<int>(s->Motore.Tavolo, s->Motore.Tavolo + 9), tavolo);
    EXPECT_EQ(suonati["GiocaCarta"], 1) << "the card sound still plays when sounds are on";
    EXPECT_EQ(s->CartaGiocatore[1]->pos(), QPoint(24, 384)) << "nothing is animated";
}

TEST_F(TavoloScopa, SingleCaptureIsTakenWithoutTheDialog)
{
    s->NuovaPartitaClick();
    Posizione({7, 16, 27}, {2, 13, 24}, {12, 15, 9});  // 7 of Denari takes 2 + 5
    int aperture = 0;
    TFormAlternative::Automazione() = [&](TFormAlternative* d) { ++aperture; d->VelmoBottone1Click(); };
    s->CartaGiocatoreDblClick(1);
    EXPECT_EQ(aperture, 0);
    EXPECT_EQ(s->Motore.Tavolo[1], 0);
    EXPECT_EQ(s->Motore.Tavolo[2], 0);
    EXPECT_EQ(s->Motore.Tavolo[3], 9);
    EXPECT_EQ(s->Motore.ContaPreseGiocatore, 3);
    EXPECT_TRUE(s->CartaCopertaGiocatore->isVisible()) << "the player's pile shows once it holds cards";
}

TEST_F(TavoloScopa, SeveralCapturesOpenTheDialogOnTheFirstAndCyclingReachesEach)
{
    s->NuovaPartitaClick();
    // A 6 of Spade over 1+5, 2+4 and 6? No six on the table: 1+5 and 2+4 and 1+2+3.
    Posizione({16, 27, 38}, {2, 13, 24}, {1, 15, 12, 4, 33});
    std::vector<std::vector<int>> viste;
    TFormAlternative::Automazione() = [&](TFormAlternative* d) {
        EXPECT_EQ(d->AlternativaScelta, 0) << "the dialog opens on the first alternative";
        const int n = static_cast<int>(d->Alternative.size());
        for (int i = 0; i < n; ++i) {
            viste.push_back(d->Alternative[d->AlternativaScelta]);
            d->VelmoBottone2Click();
        }
        EXPECT_EQ(d->AlternativaScelta, 0) << "cycling from the last goes back to the first";
        d->VelmoBottone2Click();  // take the second one
        d->VelmoBottone1Click();
    };
    s->CartaGiocatoreDblClick(1);
    ASSERT_EQ(viste.size(), 3u);
    EXPECT_EQ(viste[0], (std::vector<int>{1, 15}));
    EXPECT_EQ(viste[1], (std::vector<int>{12, 4}));
    EXPECT_EQ(viste[2], (std::vector<int>{1, 12, 33}));
    EXPECT_EQ(s->Motore.Tavolo[3], 0) << "the second alternative (2 + 4) was taken";
    EXPECT_EQ(s->Motore.Tavolo[4], 0);
    EXPECT_EQ(s->Motore.Tavolo[1], 1);
}

TEST_F(TavoloScopa, AlternativeCardsAreLaidOutSymmetrically)
{
    EXPECT_EQ(PostiAlternativa(1), (std::vector<int>{3}));
    EXPECT_EQ(PostiAlternativa(2), (std::vector<int>{2, 4}));
    EXPECT_EQ(PostiAlternativa(3), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(PostiAlternativa(4), (std::vector<int>{1, 2, 4, 5}));
    EXPECT_EQ(PostiAlternativa(5), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(TavoloScopa, DeckCounterShowsTensAndUnits)
{
    s->NuovaPartitaClick();
    struct Caso { int distribuite; bool decine; bool mazzo; };
    for (const Caso& k : {Caso{25, true, true}, Caso{33, false, true}, Caso{40, false, false}}) {
        s->Motore.CarteDistribuite = k.distribuite;
        s->Ridisegna();
        const int r = 40 - k.distribuite;
        EXPECT_EQ(s->CarteRimanenti1->isVisible(), k.decine) << r << " cards left";
        EXPECT_EQ(s->Carte->isVisible(), k.mazzo) << r << " cards left";
        EXPECT_TRUE(s->CarteRimanenti2->isVisible());
        // Each counter image holds the picture of its digit from the small digit sheet.
        VelImage atteso;
        atteso.resize(24, 18);
        s->VelCarte3->Carta(1, r % 10 + 1, &atteso);
        EXPECT_EQ(s->CarteRimanenti2->Picture(), atteso.Picture()) << r << " cards left";
        s->VelCarte3->Carta(1, r / 10 + 1, &atteso);
        EXPECT_EQ(s->CarteRimanenti1->Picture(), atteso.Picture()) << r << " cards left";
    }
}

TEST_F(TavoloScopa, LeaderAlternatesAcrossHandsAndGames)
{
    std::vector<int> primi;
    for (int i = 0; i < 3; ++i) {
        s->NuovaPartitaClick();
        primi.push_back(s->PrimoDiMano);
    }
    // A finished game, then a new one: the alternation goes on.
    s->PartitaFinita = true;
    s->NuovaPartitaClick();
    primi.push_back(s->PrimoDiMano);
    EXPECT_EQ(primi, (std::vector<int>{1, 2, 1, 2}));
    EXPECT_EQ(s->Motore.Turno, 2);
}

TEST_F(TavoloScopa, SweepPlaysItsSoundOnceAndItsCardStaysUntilTheNextHand)
{
    s->NuovaPartitaClick();
    Posizione({7, 16, 27}, {2, 13, 24}, {12, 15});
    suonati.clear();
    s->CartaGiocatoreDblClick(1);
    EXPECT_EQ(s->Motore.ScopeGiocatore, 1);
    EXPECT_EQ(suonati["Scopa"], 1);
    EXPECT_TRUE(s->ScopaGiocatore->isVisible());
    s->Ridisegna();
    s->Ridisegna();
    EXPECT_EQ(suonati["Scopa"], 1) << "a sweep sounds once";
    EXPECT_TRUE(s->ScopaGiocatore->isVisible()) << "the sweep card stays";
    s->Timer1Timer();  // the computer lays a card
    EXPECT_TRUE(s->ScopaGiocatore->isVisible());
    s->NuovaPartitaClick();
    EXPECT_FALSE(s->ScopaGiocatore->isVisible()) << "a new hand clears it";
}

TEST_F(TavoloScopa, SweepCardLiesWholeAndSideways)
{
    s->NuovaPartitaClick();
    Posizione({7, 16, 27}, {2, 13, 24}, {12, 15});
    s->CartaGiocatoreDblClick(1);
    const QImage& img = s->ScopaGiocatore->Picture();
    ASSERT_EQ(img.size(), QSize(120, 80));
    // The right part of the sideways card is drawn too, not left black.
    int nere = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 80; x < 120; ++x) nere += img.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_LT(nere, 40 * 80 / 2);
}

TEST_F(TavoloScopa, EveryTableCardIsShownAlsoBeyondTheSeventhPlace)
{
    s->NuovaPartitaClick();
    Posizione({9, 19, 29}, {2, 13, 24}, {1, 2, 3, 4, 5, 6, 7, 8, 10, 11});
    int visibili = 0;
    for (std::size_t k = 1; k < s->CartaTerra.size(); ++k) visibili += s->CartaTerra[k]->isVisible();
    EXPECT_EQ(visibili, 10);
    for (int k = 1; k <= 10; ++k) {
        ASSERT_LT(k, static_cast<int>(s->CartaTerra.size()));
        EXPECT_GE(s->CartaTerra[k]->x(), 0);
        EXPECT_LE(s->CartaTerra[k]->x() + 80, 600) << "place " << k << " stays clear of the turn pictures";
    }
}

TEST_F(TavoloScopa, WholeGamePlayedThroughTheHandlersIsRecordedOnce)
{
    FormConfig->NomeGiocat->setText("Anna");
    FormConfig->CBMessaggi->setChecked(true);
    TFormAlternative::Automazione() = [](TFormAlternative* d) { d->VelmoBottone1Click(); };
    s->NuovaPartitaClick();
    int passi = 0;
    while (!s->PartitaFinita && passi++ < 5000) {
        if (GiocaPassoScopa(s) == PassoScopa::TraLeMani) continue;
        ASSERT_EQ(s->Motore.ControllaCarte(), "") << "after step " << passi;
    }
    ASSERT_TRUE(s->PartitaFinita) << "the game ended";
    EXPECT_TRUE(s->PuntiPartitaGiocatore > 20 || s->PuntiPartitaComputer > 20);
    EXPECT_FALSE(s->TimerNuovaPartita->isActive()) << "no extra hand is dealt after the game";
    EXPECT_TRUE(FormPunteggi->isVisible());
    EXPECT_EQ(FormPunteggi->PunteggiPartita->currentWidget(), FormPunteggi->PunteggiScopa);
    EXPECT_EQ(FormPunteggi->Label37->text().toInt(), s->PuntiPartitaGiocatore);

    const bool vinto = s->PuntiPartitaGiocatore >= s->PuntiPartitaComputer;
    auto leggi = [&] {
        QFile f(QString::fromStdString(CartellaLavoro) + "/PunteggiScopa.txt");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray riga = QByteArray("ANNA") + QByteArray(26, ' ') + "0001  " + (vinto ? "0001" : "0000") + "  0000\r\n";
    EXPECT_EQ(leggi(), riga);
    // The scores button after the game must not record the result again.
    s->BtnPunteggiClick();
    s->BtnPunteggiClick();
    EXPECT_EQ(leggi(), riga);
    // The next game counts one more game played.
    s->NuovaPartitaClick();
    EXPECT_EQ(leggi().mid(30, 4), "0002");
}

TEST_F(TavoloScopa, TheReplayOfTheMoveShowsOnlyTheNewTable)
{
    // The 7 of Denari takes 2 + 5 from the table; the 9 stays. During the replay the table
    // must show the state after the move: no captured card back in its place, the played
    // card not back in the hand.
    FormConfig->CBMessaggi->setChecked(true);
    s->NuovaPartitaClick();
    Posizione({7, 16, 27}, {2, 13, 24}, {12, 15, 9});
    const QRect postoPreso(s->CartaTerra[1]->geometry());
    struct Vista {
        bool manoVisibile, presaVisibile, copiaVisibile, didascalia;
        QImage felt;
    };
    std::vector<Vista> viste;
    ImpostaScalaTempo(1);
    ImpostaDormiente([&](unsigned) {
        if (!s->InRipetizione()) return;
        viste.push_back({s->CartaGiocatore[1]->isVisible(), s->CartaTerra[1]->isVisible() || s->CartaTerra[2]->isVisible(),
                         s->CopiaMossa->isVisible(), s->DidascaliaMossa->isVisible(),
                         s->Panel1->grab(postoPreso).toImage()});
    });
    s->CartaGiocatoreDblClick(1);
    ImpostaDormiente({});
    ImpostaScalaTempo(0);
    ASSERT_FALSE(viste.empty()) << "the move was shown again";
    const QImage dopo = s->Panel1->grab(postoPreso).toImage();
    for (std::size_t i = 0; i < viste.size(); ++i) {
        SCOPED_TRACE("pause " + std::to_string(i) + " of the replay");
        EXPECT_FALSE(viste[i].manoVisibile) << "the played card is not put back in the hand";
        EXPECT_FALSE(viste[i].presaVisibile) << "the captured cards are not put back on the table";
        EXPECT_TRUE(viste[i].copiaVisibile);
        EXPECT_TRUE(viste[i].didascalia);
    }
    // Before its flight the copy stands on the hand: the captured card's place then shows
    // the bare felt, exactly as after the replay.
    EXPECT_EQ(viste.front().felt, dopo);
    EXPECT_EQ(s->DidascaliaMossa->text(), "La tua mossa");
    EXPECT_FALSE(s->CopiaMossa->isVisible()) << "the copy goes when the replay ends";
    EXPECT_FALSE(s->DidascaliaMossa->isVisible());
    EXPECT_EQ(s->Motore.Tavolo[1], 0);
    EXPECT_EQ(s->Motore.Tavolo[3], 9);
}

TEST_F(TavoloScopa, WithoutTheReplayTheMoveIsShownOnce)
{
    ASSERT_FALSE(FormConfig->CBMessaggi->isChecked()) << "off unless chosen";
    s->NuovaPartitaClick();
    Posizione({7, 16, 27}, {2, 13, 24}, {12, 15, 9});
    bool ripetuta = false;
    ImpostaScalaTempo(1);
    ImpostaDormiente([&](unsigned) { ripetuta = ripetuta || s->InRipetizione() || s->CopiaMossa->isVisible(); });
    s->CartaGiocatoreDblClick(1);
    ImpostaDormiente({});
    ImpostaScalaTempo(0);
    EXPECT_FALSE(ripetuta);
}

TEST_F(TavoloScopa, ScoresDuringAHandShowTheLastCountedHand)
{
    TFormAlternative::Automazione() = [](TFormAlternative* d) { d->VelmoBottone1Click(); };
    s->NuovaPartitaClick();
    // Play until the first hand has been counted and the next one is dealt.
    for (int passi = 0; passi < 500 && !s->ManoFinita; ++passi) GiocaPassoScopa(s);
    ASSERT_TRUE(s->ManoFinita);
    const QString carte = FormPunteggi->Label1->text(), totale = FormPunteggi->Label29->text();
    const int puntiGiocatore = s->PuntiPartitaGiocatore;
    TornaIndietro();  // the scores window the hand opened
    if (!s->PartitaFinita) s->TimerNuovaPartitaTimer();
    FormPunteggi->Label1->setText("?");
    FormPunteggi->Label29->setText("?");
    s->BtnPunteggiClick();
    EXPECT_EQ(FormPunteggi->Label1->text(), carte) << "the last counted hand, not zeros";
    EXPECT_EQ(FormPunteggi->Label29->text(), totale);
    EXPECT_EQ(s->PuntiPartitaGiocatore, puntiGiocatore) << "showing adds nothing to the game";
}

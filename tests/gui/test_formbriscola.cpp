// The Briscola table driven through its handlers, with no delays and timers ticked by hand.
#include <QCheckBox>
#include <QFile>
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "games/briscola/TFormBriscola.h"
#include "games/scopa/TFormScopa.h"
#include "scores/TFormPunteggi.h"
#include "tests/gui/FinestreDiProva.h"

namespace {

// Where the flying cards stand at every pause, and how long each pause was asked to be.
struct Istante {
    unsigned ms;
    QPoint carta7, carta8;
    bool turnoComputer;
};

class TavoloBriscola : public FinestreDiProva {
protected:
    void SetUp() override
    {
        FinestreDiProva::SetUp();
        b = FormBriscola;
        r = &b->Regole;
        FormConfig->VelCarte1->Stato().Generatore().Fissa(2024);
        for (auto [nome, w] : {std::pair{"Mescola", FormScopa->Mescola}, {"GiocaCarta", FormScopa->GiocaCarta},
                               {"Scopa", FormScopa->Scopa}, {"Vittoria", FormScopa->Vittoria},
                               {"Perdita", FormScopa->Perdita}})
            w->OnPlay = [this, n = std::string(nome)](TWave*) { ++suonati[n]; };
        FormSplashScreen->show();
        FormConfig->CBSuoni->setChecked(true);
        FormConfig->CBComputer->setChecked(false);
        ApriFinestra(FinestraBriscola);
    }
    void TearDown() override
    {
        ImpostaDormiente({});
        ImpostaScalaTempo(0);
        FinestreDiProva::TearDown();
    }

    // Records every pause of the window's flights and waits; nothing actually sleeps.
    void RegistraIstanti()
    {
        ImpostaScalaTempo(1);
        ImpostaDormiente([this](unsigned ms) {
            istanti.push_back({ms, b->Image7->pos(), b->Image8->pos(), b->Computer->isVisible()});
        });
    }

    // A dealt game whose handles are the card numbers themselves (handle h is card h),
    // trumps of Coppe, the stock at `pescate`, hands and trick emptied.
    void TavoloNoto(int pescate = 20)
    {
        b->NuovaPartitaClick();
        for (int i = 1; i <= 40; ++i) r->CarteMazzo[i] = i;
        r->CartaBriscola = 40;
        r->CartePescate = pescate;
        for (int i = 1; i <= 3; ++i) r->ManoGiocatore[i] = r->ManoComputer[i] = 0;
        r->GiocataGiocatore = r->GiocataComputer = 0;
        r->CarteGiocate = 0;
        b->RidisegnaTavolo();
    }
    static void Pila(std::int32_t* pila, const std::vector<int>& carte)
    {
        pila[0] = 0;
        for (int c : carte) pila[++pila[0]] = c;
    }

    QImage Faccia(int carta)
    {
        VelImage img;
        img.resize(80, 120);
        FormConfig->VelCarte1->CartaDalNumero(carta, &img);
        return img.Picture();
    }
    QImage Dorso()
    {
        VelImage img;
        img.resize(80, 120);
        FormConfig->RetroCarte->CartaDalNumero(Retro, &img);
        return img.Picture();
    }
    QImage Cifra(int d)
    {
        VelImage img;
        img.resize(24, 24);
        FormConfig->VelCartePunteggi->Carta(1, d + 1, &img);
        return img.Picture();
    }

    QByteArray FilePunteggi()
    {
        QFile f(QString::fromStdString(CartellaLavoro) + "/PunteggiBriscola.txt");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray Record(const char* nome, int giocate, int vinte, int pari)
    {
        QByteArray riga = QByteArray(nome).leftJustified(30, ' ');
        riga += QByteArray::number(giocate).rightJustified(4, '0') + "  ";
        riga += QByteArray::number(vinte).rightJustified(4, '0') + "  ";
        riga += QByteArray::number(pari).rightJustified(4, '0') + "\r\n";
        return riga;
    }

    // One step of a simple player: the first card in hand when it is the player's move,
    // otherwise the timer that is due. False when no game is running.
    bool Passo()
    {
        if (!b->PartitaInCorso) return false;
        if (b->Timer2->isActive()) {
            b->Timer2Timer();
        } else if (r->Turno == 1 && r->CarteGiocate < 2) {
            void (TFormBriscola::*clic[])() = {&TFormBriscola::Image4DblClick, &TFormBriscola::Image5DblClick,
                                               &TFormBriscola::Image6DblClick};
            for (int i = 1; i <= 3; ++i)
                if (r->ManoGiocatore[i]) {
                    (b->*clic[i - 1])();
                    break;
                }
        } else {
            b->Timer1Timer();
        }
        return true;
    }

    // Every one of the 40 handles lies in exactly one place: a hand, the trick, a pile or the stock.
    std::string CarteAlLoroPosto() const
    {
        int volte[41] = {};
        auto conta = [&](int h) {
            if (h >= 1 && h <= 40) ++volte[h];
        };
        for (int i = 1; i <= 3; ++i) {
            conta(r->ManoGiocatore[i]);
            conta(r->ManoComputer[i]);
        }
        conta(r->GiocataGiocatore);
        conta(r->GiocataComputer);
        for (int k = 1; k <= r->PreseGiocatore[0]; ++k) conta(r->PreseGiocatore[k]);
        for (int k = 1; k <= r->PreseComputer[0]; ++k) conta(r->PreseComputer[k]);
        for (int k = r->CartePescate + 1; k <= 40; ++k) conta(r->CarteMazzo[k]);
        for (int h = 1; h <= 40; ++h)
            if (volte[h] != 1)
                return "card " + std::to_string(r->Carta(h)) + " is in " + std::to_string(volte[h]) + " places";
        return {};
    }

    TFormBriscola* b = nullptr;
    RegoleBriscola* r = nullptr;
    std::map<std::string, int> suonati;
    std::vector<Istante> istanti;
};

// A place as a player would read it in a failure message.
std::string Posto(QPoint p) { return "(" + std::to_string(p.x()) + ", " + std::to_string(p.y()) + ")"; }

// The places one card passed through, each once.
std::vector<std::string> Percorso(const std::vector<Istante>& v, QPoint Istante::*carta)
{
    std::vector<std::string> out;
    for (const Istante& i : v)
        if (out.empty() || out.back() != Posto(i.*carta)) out.push_back(Posto(i.*carta));
    return out;
}

bool Passa(const std::vector<std::string>& volo, QPoint p)
{
    return std::find(volo.begin(), volo.end(), Posto(p)) != volo.end();
}

}  // namespace

TEST_F(TavoloBriscola, TablesStayStillUntilTheFirstGame)
{
    EXPECT_EQ(b->Timer1->interval(), 1500);
    EXPECT_EQ(b->Timer2->interval(), 1500);
    b->Image4DblClick();
    b->Image5DblClick();
    b->Timer1Timer();
    b->Timer2Timer();
    EXPECT_FALSE(b->Timer1->isActive()) << "no turn timer runs before a game is dealt";
    EXPECT_FALSE(b->Timer2->isActive());
    EXPECT_TRUE(suonati.empty()) << "nothing sounds before the first game";
    EXPECT_TRUE(FilePunteggi().isEmpty()) << "nothing is recorded before the first game";
    EXPECT_TRUE(b->Suggerimento->isVisible()) << "the invitation to start is shown";
    EXPECT_FALSE(b->Label2->isVisible()) << "the stock counter waits for the first deal";
    for (VelImage* img : {b->Image1, b->Image4, b->Image7, b->Image8, b->Image39, b->Image40})
        EXPECT_FALSE(img->HaPicture()) << img->objectName().toStdString() << " shows a card before any deal";
}

TEST_F(TavoloBriscola, DealShowsBothHandsTheTrumpAndTheStock)
{
    b->NuovaPartitaClick();
    EXPECT_FALSE(b->Suggerimento->isVisible());
    EXPECT_EQ(suonati["Mescola"], 1);
    EXPECT_EQ(r->Turno, 1) << "the first game after start-up is led by the player";
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(Posto(b->ManoGiocatoreImg(i)->pos()), Posto(TFormBriscola::PosizioneManoGiocatore(i)));
        EXPECT_TRUE(b->ManoGiocatoreImg(i)->Picture() == Faccia(r->Carta(r->ManoGiocatore[i])))
            << "player's card " << i << " shows its face";
        EXPECT_EQ(Posto(b->ManoComputerImg(i)->pos()), Posto(TFormBriscola::PosizioneManoComputer(i)));
        EXPECT_TRUE(b->ManoComputerImg(i)->Picture() == Dorso()) << "computer's card " << i << " lies face down";
    }
    EXPECT_TRUE(b->Image40->Picture() == Faccia(r->Carta(r->CartaBriscola))) << "the trump card lies face up";
    EXPECT_TRUE(b->Image39->isVisible() && b->Image39->HaPicture()) << "the stock lies beside it";
    EXPECT_TRUE(b->Image39->Picture().size() == QSize(120, 80)) << "the stock lies sideways";
    EXPECT_TRUE(b->Label2->isVisible() && b->CR1->isVisible() && b->CR2->isVisible());
    EXPECT_TRUE(b->CR1->Picture() == Cifra(3)) << "34 cards are left after the deal";
    EXPECT_TRUE(b->CR2->Picture() == Cifra(4));
    EXPECT_TRUE(b->Timer1->isActive());
    EXPECT_FALSE(b->Timer2->isActive());
}

TEST_F(TavoloBriscola, PlayerLeadFliesUpThenAcrossAndTheComputerAnswersAfterItsTurnPicture)
{
    b->NuovaPartitaClick();
    ASSERT_EQ(r->Turno, 1);
    const int carta = r->ManoGiocatore[2];
    RegistraIstanti();
    b->Image5DblClick();
    const auto volo8 = Percorso(istanti, &Istante::carta8);
    ASSERT_GE(volo8.size(), 3u);
    EXPECT_EQ(volo8.front(), Posto({128, 384})) << "the card starts from its place in the hand";
    EXPECT_TRUE(Passa(volo8, {128, 256}))
        << "the card first rises straight up out of the hand";
    EXPECT_EQ(volo8.back(), Posto({136, 256})) << "then it crosses to the player's place in the trick";
    EXPECT_FALSE(b->Image5->HaPicture()) << "its hand slot is empty";
    EXPECT_TRUE(b->Image8->Picture() == Faccia(r->Carta(carta)));
    EXPECT_EQ(suonati["GiocaCarta"], 1);
    EXPECT_EQ(r->Turno, 2);

    // Within 1.5 s the computer's turn picture shows for 1.2 s, then its card flies in.
    int manoPrima[4];
    std::copy(std::begin(r->ManoComputer), std::end(r->ManoComputer), manoPrima);
    istanti.clear();
    b->Timer1Timer();
    int giocato = 0;
    for (int i = 1; i <= 3; ++i)
        if (manoPrima[i] && !r->ManoComputer[i]) giocato = i;
    ASSERT_NE(giocato, 0) << "the computer played a card";
    ASSERT_FALSE(istanti.empty());
    EXPECT_EQ(istanti.front().ms, 1200u) << "the computer waits before it plays";
    EXPECT_TRUE(istanti.front().turnoComputer) << "with its turn picture shown";
    // After the wait, the card's flight.
    const auto volo7 = Percorso(std::vector<Istante>(istanti.begin() + 1, istanti.end()), &Istante::carta7);
    EXPECT_EQ(volo7.front(), Posto(TFormBriscola::PosizioneManoComputer(giocato)));
    EXPECT_EQ(volo7.back(), Posto(TFormBriscola::PosizionePresaComputer));
    if (giocato > 1) {
        EXPECT_TRUE(Passa(volo7, {TFormBriscola::PosizioneManoComputer(giocato).x(), 136}))
            << "a card from slot " << giocato << " comes down before it crosses";
    }
    EXPECT_TRUE(b->Image7->Picture() == Faccia(r->Carta(r->GiocataComputer)));
    EXPECT_TRUE(b->Timer2->isActive()) << "the complete trick waits for the trick timer";
    EXPECT_FALSE(b->Computer->isVisible());
    EXPECT_FALSE(b->Giocatore->isVisible()) << "no turn picture while the trick is complete";

    // 1.5 s later the trick flies to the winner's pile.
    const int p = r->GiocataGiocatore, q = r->GiocataComputer;
    const int vincitore = r->Vincitore(p, q, r->Iniziatore);
    istanti.clear();
    b->Timer2Timer();
    VelImage* pila = vincitore == 1 ? b->Image42 : b->Image41;
    const auto volo = Percorso(istanti, vincitore == 1 ? &Istante::carta8 : &Istante::carta7);
    EXPECT_TRUE(Passa(volo, vincitore == 1 ? TFormBriscola::PosizionePresaComputer : TFormBriscola::PosizionePresaGiocatore))
        << "the winning side's card first gathers the other one";
    EXPECT_EQ(volo.back(), Posto(pila->pos())) << "then the trick lands on the winner's pile";
    EXPECT_TRUE(pila->Picture() == Dorso()) << "the winner's pile shows a back";
    EXPECT_FALSE(b->Image7->HaPicture());
    EXPECT_FALSE(b->Image8->HaPicture());
    EXPECT_EQ(r->Turno, vincitore) << "the winner leads the next trick";
    EXPECT_TRUE(b->Timer1->isActive());
    EXPECT_FALSE(b->Timer2->isActive());
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(b->ManoGiocatoreImg(i)->HaPicture()) << "the player drew back to three cards";
}

TEST_F(TavoloBriscola, ComputerCardsTurnFaceUpWhenTheSettingIsConfirmed)
{
    b->NuovaPartitaClick();
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(b->ManoComputerImg(i)->Picture() == Dorso()) << "slot " << i;
    ApriFinestra(FinestraConfig);
    FormConfig->CBComputer->setChecked(true);
    FormConfig->VelmoBottone2Click();
    EXPECT_TRUE(b->isVisible()) << "closing the configuration returns to the table";
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(b->ManoComputerImg(i)->Picture() == Faccia(r->Carta(r->ManoComputer[i])))
            << "computer's card " << i << " is shown face up at once";
}

TEST_F(TavoloBriscola, ShownCardsAreTheDealtOnesEvenAfterAnotherTableReshuffles)
{
    b->NuovaPartitaClick();
    std::vector<QImage> prima;
    for (int i = 1; i <= 3; ++i) prima.push_back(b->ManoGiocatoreImg(i)->Picture());
    const QImage briscola = b->Image40->Picture();
    // Another table shuffles the shared deck while this one is hidden.
    int cambiate = 0;
    for (int volte = 0; volte < 5 && cambiate == 0; ++volte) {
        FormConfig->VelCarte1->Mischia();
        for (int i = 1; i <= 40; ++i) cambiate += FormConfig->VelCarte1->RitornaCarta(i) != r->CarteMazzo[i];
    }
    ASSERT_GT(cambiate, 0) << "the shuffle changed the shared deck";
    b->RidisegnaTavolo();
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(b->ManoGiocatoreImg(i)->Picture() == prima[i - 1]) << "player's card " << i << " changed on redraw";
    EXPECT_TRUE(b->Image40->Picture() == briscola) << "the trump card changed on redraw";
}

TEST_F(TavoloBriscola, OutOfTurnOrEmptyDoubleClicksAreIgnored)
{
    struct Caso {
        const char* nome;
        std::function<void(RegoleBriscola&)> prepara;
    };
    const Caso casi[] = {
        {"during the computer's turn", [](RegoleBriscola& g) { g.Turno = 2; }},
        {"on an empty slot", [](RegoleBriscola& g) { g.ManoGiocatore[1] = 0; }},
        {"on a complete trick", [](RegoleBriscola& g) { g.CarteGiocate = 2; }},
    };
    for (const Caso& k : casi) {
        TavoloNoto();
        r->ManoGiocatore[1] = 5;
        r->ManoGiocatore[2] = 16;
        r->Turno = 1;
        k.prepara(*r);
        b->RidisegnaTavolo();
        const std::vector<int> mano(r->ManoGiocatore, r->ManoGiocatore + 4);
        const QPoint posto = b->Image8->pos();
        suonati.clear();
        b->Image4DblClick();
        EXPECT_EQ(std::vector<int>(r->ManoGiocatore, r->ManoGiocatore + 4), mano) << k.nome;
        EXPECT_EQ(r->GiocataGiocatore, 0) << k.nome;
        EXPECT_EQ(Posto(b->Image8->pos()), Posto(posto)) << "no card moves " << k.nome;
        EXPECT_EQ(suonati["GiocaCarta"], 0) << "no card sound " << k.nome;
    }
}

TEST_F(TavoloBriscola, ComputerLaysTrumpsAcesAndThreesInSilence)
{
    struct Caso {
        const char* nome;
        int carta;
        int suoni;
    };
    // Trumps are Coppe (31-40).
    const Caso casi[] = {
        {"a trump Five", 35, 0}, {"a trump Ace", 31, 0}, {"an Ace of Denari", 1, 0},
        {"a Three of Spade", 13, 0}, {"a King of Bastoni", 30, 1}, {"a Five of Denari", 5, 1},
    };
    for (const Caso& k : casi) {
        TavoloNoto();
        r->ManoComputer[2] = k.carta;  // its only card, so it must play it
        r->ManoGiocatore[1] = 6;
        r->Turno = 2;
        b->RidisegnaTavolo();
        suonati.clear();
        b->Timer1Timer();
        EXPECT_EQ(r->GiocataComputer, k.carta) << k.nome;
        EXPECT_EQ(suonati["GiocaCarta"], k.suoni) << "the computer laid " << k.nome;
    }
}

TEST_F(TavoloBriscola, TrickWithAnAceOrAThreeSoundsWhenResolved)
{
    struct Caso {
        const char* nome;
        int giocatore, computer;
        int suoni;
    };
    const Caso casi[] = {
        {"the player's Ace", 1, 15, 1},
        {"the computer's Three", 4, 23, 1},
        {"a King and a Five", 10, 15, 0},
        {"two trumps without Ace or Three", 34, 38, 0},
    };
    for (const Caso& k : casi) {
        TavoloNoto();
        r->ManoGiocatore[1] = 6;
        r->ManoGiocatore[3] = 7;
        r->ManoComputer[1] = 16;
        r->ManoComputer[2] = 17;
        r->GiocataGiocatore = k.giocatore;
        r->GiocataComputer = k.computer;
        r->CarteGiocate = 2;
        r->Iniziatore = 1;
        suonati.clear();
        b->Timer2Timer();
        EXPECT_EQ(suonati["Scopa"], k.suoni) << "a trick with " << k.nome;
        EXPECT_EQ(r->CarteGiocate, 0) << k.nome;
    }
    // With sounds off the trick is silent.
    TavoloNoto();
    FormConfig->CBSuoni->setChecked(false);
    r->GiocataGiocatore = 1;
    r->GiocataComputer = 3;
    r->CarteGiocate = 2;
    suonati.clear();
    b->Timer2Timer();
    EXPECT_EQ(suonati["Scopa"], 0) << "sounds are off";
}

TEST_F(TavoloBriscola, PointsAndCardsLeftShowAsDigitPictures)
{
    struct Caso {
        const char* nome;
        std::vector<int> giocatore, computer;
        int pescate;
        int puntiG, puntiC, rimaste;
    };
    const Caso casi[] = {
        {"the deal", {}, {}, 6, 0, 0, 34},
        {"an Ace each side", {1, 4}, {11, 14}, 8, 11, 11, 32},
        {"figures and a few cards left", {8, 9, 10, 2}, {3, 13}, 35, 9, 20, 5},
        {"the stock spent", {1, 3, 11, 13, 21, 23, 31, 33, 10, 20}, {2}, 46, 92, 0, 0},
        // Aces, Threes and Kings with a Horse and a Jack: past 100, a third digit appears.
        {"105 points", {2}, {1, 11, 21, 31, 3, 13, 23, 33, 10, 20, 30, 40, 9, 8}, 46, 0, 105, 0},
    };
    for (const Caso& k : casi) {
        TavoloNoto(k.pescate);
        Pila(r->PreseGiocatore, k.giocatore);
        Pila(r->PreseComputer, k.computer);
        b->AggiornaPunteggio();
        ASSERT_EQ(r->PuntiGiocatore, k.puntiG) << k.nome;
        ASSERT_EQ(r->PuntiComputer, k.puntiC) << k.nome;
        const std::pair<VelImage*, int> cifre[] = {
            {b->PG1, k.puntiG / 10 % 10}, {b->PG2, k.puntiG % 10}, {b->PC1, k.puntiC / 10 % 10},
            {b->PC2, k.puntiC % 10},      {b->CR1, k.rimaste / 10}, {b->CR2, k.rimaste % 10},
        };
        for (const auto& [img, d] : cifre)
            EXPECT_TRUE(img->Picture() == Cifra(d)) << k.nome << ": " << img->objectName().toStdString() << " shows " << d;
        EXPECT_EQ(b->PG0->isVisible(), k.puntiG >= 100) << k.nome << ": the player's hundreds digit";
        EXPECT_EQ(b->PC0->isVisible(), k.puntiC >= 100) << k.nome << ": the computer's hundreds digit";
        if (k.puntiC >= 100) {
            EXPECT_TRUE(b->PC0->Picture() == Cifra(k.puntiC / 100)) << k.nome;
        }
        EXPECT_EQ(FormPunteggi->PuntiBriscolaGiocatore->text().toInt(), k.puntiG) << k.nome;
        EXPECT_EQ(FormPunteggi->PuntiBriscolaComputer->text().toInt(), k.puntiC) << k.nome;
    }
}

TEST_F(TavoloBriscola, StockAndTrumpClearOnceTheLastCardsAreDrawn)
{
    b->NuovaPartitaClick();
    int passi = 0;
    bool vistoSvuotato = false;
    while (Passo() && passi++ < 500) {
        ASSERT_EQ(CarteAlLoroPosto(), "") << "after step " << passi;
        if (r->CarteGiocate != 0) continue;
        if (r->CarteRimanenti() >= 2) {
            EXPECT_TRUE(b->Image40->Picture() == Faccia(r->Carta(r->CartaBriscola)))
                << "the trump card shows while " << r->CarteRimanenti() << " cards are left";
        } else if (!vistoSvuotato && r->PreseGiocatore[0] + r->PreseComputer[0] < 40) {
            vistoSvuotato = true;
            EXPECT_FALSE(b->Image39->HaPicture()) << "the stock is gone after the last draw";
            EXPECT_FALSE(b->Image40->HaPicture()) << "the trump card has been drawn";
            EXPECT_TRUE(b->CR1->Picture() == Cifra(0));
            EXPECT_TRUE(b->CR2->Picture() == Cifra(0)) << "the counter shows 00";
            bool briscolaInMano = false;
            for (int i = 1; i <= 3; ++i)
                briscolaInMano |= r->ManoGiocatore[i] == r->CartaBriscola || r->ManoComputer[i] == r->CartaBriscola;
            EXPECT_TRUE(briscolaInMano) << "the face-up trump went to a hand";
        }
    }
    EXPECT_TRUE(vistoSvuotato);
}

TEST_F(TavoloBriscola, FinishedGameIsRecordedOnceByItsResult)
{
    FormConfig->NomeGiocat->setText("Anna");
    struct Caso {
        const char* nome;
        int spostaAlGiocatore, spostaAlComputer;  // one card moved between the piles, or 0
        int esito;
        QByteArray record;
        const char* suono;
    };
    const Caso casi[] = {
        {"a drawn game", 0, 0, 0, Record("ANNA", 1, 0, 1), nullptr},
        {"a won game", 21, 0, 1, Record("ANNA", 1, 1, 0), "Vittoria"},
        {"a lost game", 0, 1, 2, Record("ANNA", 1, 0, 0), "Perdita"},
    };
    for (const Caso& k : casi) {
        // A fresh start: without the current file the scores would be taken from the backup.
        for (const char* nome : {"/PunteggiBriscola.txt", "/PunteggiBriscola.bak"})
            QFile::remove(QString::fromStdString(CartellaLavoro) + nome);
        TavoloNoto(45);
        // Denari and Spade (60 points) to the player, Bastoni and Coppe (60) to the computer,
        // then the last trick: two plain Fours, led by the player.
        std::vector<int> giocatore, computer;
        for (int c = 1; c <= 20; ++c)
            if (c != 4 && c != 14 && c != k.spostaAlComputer) giocatore.push_back(c);
        for (int c = 21; c <= 40; ++c)
            if (c != k.spostaAlGiocatore) computer.push_back(c);
        if (k.spostaAlGiocatore) giocatore.push_back(k.spostaAlGiocatore);
        if (k.spostaAlComputer) computer.push_back(k.spostaAlComputer);
        Pila(r->PreseGiocatore, giocatore);
        Pila(r->PreseComputer, computer);
        r->GiocataGiocatore = 4;
        r->GiocataComputer = 14;
        r->CarteGiocate = 2;
        r->Iniziatore = 1;
        FormConfig->CBSuoni->setChecked(false);
        suonati.clear();
        b->Timer2Timer();

        EXPECT_EQ(r->Esito, k.esito) << k.nome;
        EXPECT_FALSE(b->PartitaInCorso) << k.nome;
        EXPECT_EQ(FilePunteggi(), k.record) << k.nome;
        if (k.suono) {
            EXPECT_EQ(suonati[k.suono], 1) << k.nome << " plays its sound even with sounds off";
        }
        EXPECT_EQ(suonati["Vittoria"] + suonati["Perdita"], k.suono ? 1 : 0) << k.nome;
        EXPECT_TRUE(FormPunteggi->isVisible()) << k.nome << " opens the scores window";
        EXPECT_EQ(FormPunteggi->PunteggiPartita->currentWidget(), FormPunteggi->PunteggiBriscola) << k.nome;
        EXPECT_FALSE(b->Timer1->isActive()) << k.nome << ": the turn timer stays off";
        EXPECT_FALSE(b->Timer2->isActive()) << k.nome;
        for (VelImage* img : {b->Image1, b->Image4, b->Image7, b->Image8, b->Image39, b->Image40})
            EXPECT_FALSE(img->HaPicture()) << k.nome << ": " << img->objectName().toStdString() << " is cleared";

        // Late ticks and the scores button change nothing.
        b->Timer2Timer();
        b->Timer1Timer();
        b->BtnPunteggiClick();
        EXPECT_EQ(FilePunteggi(), k.record) << k.nome << " is recorded once";
        EXPECT_FALSE(b->Timer1->isActive()) << k.nome << ": no timer runs after the game";
        FormConfig->CBSuoni->setChecked(true);
        TornaIndietro();
    }
}

TEST_F(TavoloBriscola, EveryNewGameCountsAsPlayedAndTheLeaderAlternates)
{
    FormConfig->NomeGiocat->setText("Anna");
    b->NuovaPartitaClick();
    EXPECT_EQ(r->Turno, 1);
    b->NuovaPartitaClick();
    EXPECT_EQ(r->Turno, 2) << "the second game is led by the computer";
    EXPECT_EQ(FilePunteggi(), Record("ANNA", 2, 0, 0)) << "two starts count two played games";
    EXPECT_EQ(suonati["Mescola"], 2);
}

TEST_F(TavoloBriscola, NewGameDuringACompleteTrickStartsClean)
{
    b->NuovaPartitaClick();
    b->Image4DblClick();
    b->Timer1Timer();
    ASSERT_TRUE(b->Timer2->isActive());
    b->NuovaPartitaClick();
    EXPECT_FALSE(b->Timer2->isActive()) << "the old trick is not resolved into the new game";
    b->Timer2Timer();
    EXPECT_EQ(r->CartePescate, 6) << "no card of the new stock is skipped";
    EXPECT_EQ(r->PreseGiocatore[0] + r->PreseComputer[0], 0);
    EXPECT_FALSE(b->Image7->HaPicture());
    EXPECT_FALSE(b->Image8->HaPicture());
    EXPECT_EQ(CarteAlLoroPosto(), "");
}

TEST_F(TavoloBriscola, WholeGamesPlayedThroughTheHandlersAreRecorded)
{
    FormConfig->NomeGiocat->setText("Anna");
    FormConfig->CBComputer->setChecked(true);
    int vinte = 0, pari = 0;
    for (int partita = 1; partita <= 2; ++partita) {
        b->NuovaPartitaClick();
        EXPECT_EQ(r->Turno, partita == 1 ? 1 : 2) << "game " << partita << " leader";
        int passi = 0;
        while (Passo() && passi++ < 500) {
            ASSERT_EQ(CarteAlLoroPosto(), "") << "game " << partita << ", step " << passi;
            if (r->CarteGiocate != 0 || !b->PartitaInCorso) continue;
            for (int i = 1; i <= 3; ++i) {
                EXPECT_EQ(b->ManoComputerImg(i)->HaPicture(), r->ManoComputer[i] != 0)
                    << "computer's slot " << i << " at step " << passi;
            }
        }
        ASSERT_FALSE(b->PartitaInCorso) << "game " << partita << " ended";
        EXPECT_EQ(r->PreseGiocatore[0] + r->PreseComputer[0], 40);
        EXPECT_EQ(r->PuntiGiocatore + r->PuntiComputer, 120) << "the piles hold all the points";
        EXPECT_FALSE(b->Timer1->isActive());
        EXPECT_FALSE(b->Timer2->isActive());
        EXPECT_TRUE(FormPunteggi->isVisible());
        EXPECT_EQ(FormPunteggi->PunteggiPartita->currentWidget(), FormPunteggi->PunteggiBriscola);
        EXPECT_EQ(FormPunteggi->PuntiBriscolaGiocatore->text().toInt(), r->PuntiGiocatore);
        vinte += r->Esito == 1;
        pari += r->Esito == 0;
        EXPECT_EQ(FilePunteggi(), Record("ANNA", partita, vinte, pari)) << "after game " << partita;
        TornaIndietro();
        ASSERT_TRUE(b->isVisible());
    }
}

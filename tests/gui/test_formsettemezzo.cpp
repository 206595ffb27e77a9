// The Sette e mezzo table driven through its handlers, with no delays and Timer3 ticked by hand.
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <map>
#include <string>
#include <vector>

#include "ads/PannelloPubblicita.h"
#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "games/scopa/TFormScopa.h"
#include "games/settemezzo/TFormSettemezzo.h"
#include "scores/TFormPunteggi.h"
#include "tests/gui/FinestreDiProva.h"

namespace {

using R = RegoleSettemezzo;

// Card numbers by suit and number.
constexpr int Denari(int n) { return n; }
constexpr int Spade(int n) { return 10 + n; }
constexpr int Bastoni(int n) { return 20 + n; }
constexpr int Coppe(int n) { return 30 + n; }
constexpr int Matta = Denari(10);

class TavoloSettemezzo : public FinestreDiProva {
protected:
    void SetUp() override
    {
        FinestreDiProva::SetUp();
        t = FormSettemezzo;
        for (auto [nome, w] : {std::pair{"Mescola", FormScopa->Mescola}, {"GiocaCarta", FormScopa->GiocaCarta},
                               {"Vittoria", FormScopa->Vittoria}, {"Perdita", FormScopa->Perdita}})
            w->OnPlay = [this, n = std::string(nome)](TWave*) { ++suonati[n]; };
        FormSplashScreen->show();
        ApriFinestra(FinestraSettemezzo);
        t->Regole.Mazzo().Generatore().Fissa(77);
    }

    // Makes the next draws of the deal give these cards, in order: the k-th draw takes the
    // handle 40 + k, which stands for the k-th card of the list.
    void Mazzo(const std::vector<int>& carte)
    {
        int k = t->Regole.CarteEstratte;
        for (int c : carte) {
            ++k;
            t->Regole.TabellaCarte[k] = 40 + k;
            t->Regole.TabellaCarte[40 + k] = c;
        }
    }

    // Lays out both hands directly (cards by number) and updates the table.
    void Mani(const std::vector<int>& giocatore, const std::vector<int>& computer)
    {
        auto& r = t->Regole;
        std::fill(std::begin(r.CarteGiocatore), std::end(r.CarteGiocatore), 0);
        std::fill(std::begin(r.CarteComputer), std::end(r.CarteComputer), 0);
        for (std::size_t i = 1; i <= giocatore.size(); ++i) {
            r.TabellaCarte[60 + i] = giocatore[i - 1];
            r.CarteGiocatore[i] = 60 + static_cast<int>(i);
        }
        for (std::size_t i = 1; i <= computer.size(); ++i) {
            r.TabellaCarte[80 + i] = computer[i - 1];
            r.CarteComputer[i] = 80 + static_cast<int>(i);
        }
        t->AggiornaTavolo();
    }

    // Draws `n` cards and, when the turn is still the player's, stands as a player would:
    // after the second that enables the button.
    void GiocatorePescaEStai(int n)
    {
        for (int i = 0; i < n; ++i) t->NuovaCartaClick();
        if (t->Regole.FaseTavolo == R::TurnoGiocatore) {
            t->Timer3Timer();
            t->StopClick();
        }
    }

    // Ticks until the computer has stood (bounded: it holds at most seven cards).
    void TurnoComputer()
    {
        for (int i = 0; i < 10 && t->Regole.FaseTavolo == R::TurnoComputer; ++i) t->Timer3Timer();
    }

    // The number a digit picture shows, -1 when it matches none.
    int Cifra(const VelImage* img)
    {
        for (int d = 0; d <= 9; ++d) {
            VelImage atteso;
            atteso.resize(24, 18);
            t->VelCarte3->Carta(1, d + 1, &atteso);
            if (img->Picture() == atteso.Picture()) return d;
        }
        return -1;
    }
    // A hand value as the table shows it: "7.5", "8", "10.5".
    std::string Letto(VelImage* const cifre[4])
    {
        std::string s;
        if (!cifre[0]->isHidden()) s += std::to_string(Cifra(cifre[0]));
        s += std::to_string(Cifra(cifre[1]));
        if (!cifre[2]->isHidden()) s += "." + std::to_string(Cifra(cifre[3]));
        return s;
    }
    std::string Punteggio(VelImage* const cifre[3])
    {
        return std::to_string(Cifra(cifre[1])) + std::to_string(Cifra(cifre[2]));
    }
    bool Faccia(VelImage* img, int carta)
    {
        VelImage atteso;
        atteso.resize(80, 120);
        FormConfig->VelCarte1->CartaDalNumero(carta, &atteso);
        return img->Picture() == atteso.Picture();
    }
    QByteArray FilePunteggi()
    {
        QFile f(QString::fromStdString(CartellaLavoro) + "/PunteggiSettemezzo.txt");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TFormSettemezzo* t = nullptr;
    std::map<std::string, int> suonati;
};

}  // namespace

TEST_F(TavoloSettemezzo, HandValueShowsTheWildCardAndTheHalfPoints)
{
    t->NuovaPartitaClick();
    struct Caso { std::vector<int> carte; const char* mostrato; const char* perche; };
    const Caso casi[] = {
        {{}, "0", "an empty hand shows 0"},
        {{Denari(7), Spade(8)}, "7.5", "seven and a figure is seven and a half"},
        {{Denari(7), Spade(1)}, "8", "seven and an ace is eight, bust"},
        {{Matta}, "7", "the wild card alone is seven"},
        {{Matta, Coppe(9)}, "7.5", "the wild card and a figure is seven and a half"},
        {{Matta, Spade(3), Bastoni(2)}, "7", "the wild card with three and two makes seven"},
        {{Matta, Spade(6), Bastoni(2)}, "8.5", "the wild card with six and two is bust at eight and a half"},
        {{Denari(7), Spade(3), Coppe(8)}, "10.5", "a bust hand above ten shows its tens digit"},
        {{Denari(7), Spade(6)}, "13", "a whole value above ten shows no decimal point"},
        {{Bastoni(10)}, "0.5", "a figure alone is half a point"},
    };
    for (const Caso& k : casi) {
        Mani(k.carte, k.carte);
        EXPECT_EQ(Letto(t->PG), k.mostrato) << k.perche << " (player's side)";
        EXPECT_EQ(Letto(t->PC), k.mostrato) << k.perche << " (computer's side)";
    }
}

TEST_F(TavoloSettemezzo, DealGoesToTheHigherHandThatIsNotBust)
{
    struct Caso {
        const char* situazione;
        std::vector<int> giocatore, computer;  // cards each side draws, in order
        int pescateGiocatore;                  // cards the player asks for
        const char* punteggioGiocatore;        // match scores shown after the deal
        const char* punteggioComputer;
        int carteComputer;                     // cards the computer ends with
    };
    const Caso casi[] = {
        {"player at 7.5, computer stands at 6", {Denari(7), Spade(8)}, {Spade(6)}, 2, "11", "09", 1},
        {"both bust", {Denari(7), Spade(6)}, {Bastoni(5), Coppe(4)}, 2, "10", "10", 2},
        {"player bust, computer draws on from 4 and stands at 6", {Denari(7), Spade(6)}, {Spade(4), Bastoni(2)}, 2,
         "09", "11", 2},
        {"equal hands of 6.5", {Denari(6), Bastoni(8)}, {Spade(2), Bastoni(3), Spade(8), Coppe(1)}, 2, "10", "10", 4},
        {"computer bust, player at 5", {Denari(5)}, {Spade(5), Coppe(6)}, 1, "11", "09", 2},
    };
    for (const Caso& k : casi) {
        t->NuovaPartitaClick();
        std::vector<int> mazzo = k.giocatore;
        mazzo.insert(mazzo.end(), k.computer.begin(), k.computer.end());
        Mazzo(mazzo);
        GiocatorePescaEStai(k.pescateGiocatore);
        ASSERT_EQ(t->Regole.FaseTavolo, R::TurnoComputer) << k.situazione;
        EXPECT_TRUE(t->Computer->isVisible()) << k.situazione << ": the computer's turn shows";
        EXPECT_FALSE(t->Giocatore->isVisible()) << k.situazione;
        TurnoComputer();
        ASSERT_EQ(t->Regole.FaseTavolo, R::ManoDecisa) << k.situazione << ": the computer stood";
        EXPECT_EQ(RegoleSettemezzo::CarteInMano(t->Regole.CarteComputer), k.carteComputer) << k.situazione;
        EXPECT_EQ(Punteggio(t->SG), k.punteggioGiocatore) << k.situazione;
        EXPECT_EQ(Punteggio(t->SC), k.punteggioComputer) << k.situazione;
        for (int s = 1; s <= k.carteComputer; ++s)
            EXPECT_TRUE(Faccia(t->ImagePos[s], k.computer[s - 1])) << k.situazione << ": the computer's card "
                                                                   << s << " lies face up";
        // The next deal is offered as soon as the deal is decided, and stays offered.
        EXPECT_EQ(t->NuovoTurno->Stato(), 1) << k.situazione << ": the next deal is offered";
        t->Timer3Timer();
        EXPECT_EQ(t->NuovoTurno->Stato(), 1) << k.situazione;
    }
}

TEST_F(TavoloSettemezzo, DealerStandsAboveFiveWithTwoCardsAndAboveFiveAndAHalfWithMore)
{
    struct Caso { const char* situazione; std::vector<int> computer; int carteQuandoSiFerma; };
    const Caso casi[] = {
        {"two cards worth 5.5 stand", {Spade(5), Spade(9)}, 2},
        {"three cards worth 5.5 draw again", {Spade(2), Bastoni(3), Spade(8), Coppe(1)}, 4},
        {"one card of 6 stands", {Coppe(6)}, 1},
        {"one card of 5 draws again", {Coppe(5), Spade(1)}, 2},
    };
    FormConfig->CBComputer->setChecked(false);
    for (const Caso& k : casi) {
        t->NuovaPartitaClick();
        Mazzo({Denari(3)});
        t->NuovaCartaClick();
        Mazzo(k.computer);
        t->Timer3Timer();
        t->StopClick();
        int passi = 0;
        while (t->Regole.FaseTavolo == R::TurnoComputer && passi < 10) {
            t->Timer3Timer();
            ++passi;
        }
        EXPECT_EQ(passi, k.carteQuandoSiFerma) << k.situazione << ": one card a second, then it stands";
        EXPECT_EQ(RegoleSettemezzo::CarteInMano(t->Regole.CarteComputer), k.carteQuandoSiFerma) << k.situazione;
        // The computer's cards are shown face up whatever the face-up setting: they are
        // drawn after the player has finished.
        EXPECT_TRUE(Faccia(t->ImagePos[1], k.computer[0])) << k.situazione;
    }
}

TEST_F(TavoloSettemezzo, SeventhCardEndsThePlayersTurn)
{
    t->NuovaPartitaClick();
    Mazzo({Spade(8), Spade(9), Spade(10), Bastoni(8), Bastoni(9), Bastoni(10), Coppe(8), Coppe(9), Denari(1)});
    for (int i = 1; i <= 6; ++i) t->NuovaCartaClick();
    EXPECT_EQ(t->Regole.FaseTavolo, R::TurnoGiocatore) << "six figures (3) leave the turn to the player";
    EXPECT_EQ(t->NuovaCarta->Stato(), 1);
    t->NuovaCartaClick();
    EXPECT_EQ(Letto(t->PG), "3.5");
    EXPECT_EQ(t->Regole.FaseTavolo, R::TurnoComputer) << "the seventh card ends the turn";
    EXPECT_EQ(t->NuovaCarta->Stato(), 0);
    EXPECT_EQ(t->Stop->Stato(), 0);
    EXPECT_TRUE(t->Computer->isVisible());
    for (int s = 8; s <= 14; ++s) EXPECT_TRUE(t->ImagePos[s]->isVisible()) << "player's slot " << s - 7;
    t->NuovaCartaClick();
    EXPECT_EQ(t->Regole.CarteEstratte, 7) << "an eighth click draws nothing";
    EXPECT_TRUE(t->NomeGiocat->isVisible()) << "the name captions the player's row in every turn";
}

TEST_F(TavoloSettemezzo, StopIsOfferedOnlyOnceThePlayerHoldsACard)
{
    t->NuovaPartitaClick();
    EXPECT_EQ(t->Stop->Stato(), 0);
    t->Timer3Timer();
    EXPECT_EQ(t->Stop->Stato(), 0) << "no card yet: the player may not stand";
    t->StopClick();
    EXPECT_EQ(t->Regole.FaseTavolo, R::TurnoGiocatore) << "standing without a card is refused";
    t->NuovaCartaClick();
    t->Timer3Timer();
    EXPECT_EQ(t->Stop->Stato(), 1) << "one card: the player may stand";
    t->StopClick();
    EXPECT_EQ(t->Regole.FaseTavolo, R::TurnoComputer);
    EXPECT_EQ(t->Stop->Stato(), 0);
    EXPECT_EQ(t->NuovaCarta->Stato(), 0);
    EXPECT_TRUE(t->Computer->isVisible()) << "standing hands the turn to the computer";
}

TEST_F(TavoloSettemezzo, NothingHappensBeforeTheFirstMatch)
{
    EXPECT_TRUE(t->Suggerimento->isVisible());
    EXPECT_EQ(t->NuovaCarta->Stato(), 0);
    EXPECT_EQ(t->Stop->Stato(), 0);
    EXPECT_EQ(t->NuovoTurno->Stato(), 0);
    t->NuovaCartaClick();
    t->StopClick();
    t->NuovoTurnoClick();
    for (int i = 0; i < 5; ++i) t->Timer3Timer();
    EXPECT_EQ(t->Regole.FaseTavolo, R::PartitaFinita);
    EXPECT_EQ(t->Regole.CarteEstratte, 0) << "no card is drawn, by the player or the computer";
    for (int s = 1; s <= 14; ++s) EXPECT_FALSE(t->ImagePos[s]->isVisible()) << "slot " << s;
    EXPECT_TRUE(suonati.empty());
    EXPECT_TRUE(FilePunteggi().isEmpty()) << "no match is counted";
    EXPECT_EQ(Punteggio(t->SG), "10");
    EXPECT_EQ(Punteggio(t->SC), "10");
    EXPECT_EQ(Letto(t->PG), "0");
    t->NuovaPartitaClick();
    EXPECT_FALSE(t->Suggerimento->isVisible()) << "the invitation goes once a match starts";
    EXPECT_EQ(t->NuovaCarta->Stato(), 1);
}

TEST_F(TavoloSettemezzo, ShuffleSoundFollowsTheSettingEndOfMatchSoundsAlwaysPlay)
{
    struct Caso { bool suoni; bool vinceGiocatore; };
    for (const Caso& k : {Caso{true, true}, Caso{false, true}, Caso{true, false}, Caso{false, false}}) {
        const std::string chi = std::string(k.suoni ? "sounds on, " : "sounds off, ") +
                                (k.vinceGiocatore ? "player wins" : "computer wins");
        FormConfig->CBSuoni->setChecked(k.suoni);
        suonati.clear();
        t->NuovaPartitaClick();
        EXPECT_EQ(suonati["Mescola"], k.suoni ? 1 : 0) << chi << ": shuffle of a new match";
        // A deal won by the side about to reach 20.
        t->Regole.PunteggioGiocatore = k.vinceGiocatore ? 19 : 11;
        t->Regole.PunteggioComputer = 20 - t->Regole.PunteggioGiocatore;
        if (k.vinceGiocatore)
            Mazzo({Denari(7), Spade(8), Spade(6)});
        else
            Mazzo({Denari(2), Spade(6)});
        GiocatorePescaEStai(k.vinceGiocatore ? 2 : 1);
        TurnoComputer();
        if (!k.vinceGiocatore) {
            // One more deal so that the next-deal shuffle is heard (or not) too.
            t->Timer3Timer();
            t->NuovoTurnoClick();
            EXPECT_EQ(suonati["Mescola"], k.suoni ? 2 : 0) << chi << ": shuffle of a new deal";
            t->Regole.PunteggioGiocatore = 1;
            t->Regole.PunteggioComputer = 19;
            Mazzo({Denari(2), Spade(6)});
            GiocatorePescaEStai(1);
            TurnoComputer();
        }
        t->Timer3Timer();
        EXPECT_EQ(suonati["Vittoria"], k.vinceGiocatore ? 1 : 0) << chi;
        EXPECT_EQ(suonati["Perdita"], k.vinceGiocatore ? 0 : 1) << chi;
        EXPECT_EQ(suonati["GiocaCarta"], 0) << chi << ": drawing a card is silent";
        TornaIndietro();  // close the scores window
    }
}

TEST_F(TavoloSettemezzo, MatchEndsAtTwentyAndOnlyThePlayersWinIsRecorded)
{
    FormConfig->NomeGiocat->setText("Bruno");
    struct Caso { bool vinceGiocatore; const char* vinte; };
    int giocate = 0;
    for (const Caso& k : {Caso{false, "0000"}, Caso{true, "0001"}}) {
        const char* chi = k.vinceGiocatore ? "the player reaches 20" : "the computer reaches 20";
        t->NuovaPartitaClick();
        ++giocate;
        t->Regole.PunteggioGiocatore = k.vinceGiocatore ? 19 : 1;
        t->Regole.PunteggioComputer = 20 - t->Regole.PunteggioGiocatore;
        if (k.vinceGiocatore)
            Mazzo({Denari(7), Spade(8), Spade(6)});
        else
            Mazzo({Denari(2), Spade(6)});
        GiocatorePescaEStai(k.vinceGiocatore ? 2 : 1);
        TurnoComputer();
        ASSERT_EQ(t->Regole.FaseTavolo, R::ManoDecisa) << chi;
        EXPECT_FALSE(FormPunteggi->isVisible()) << chi << ": the match ends one second after the deal";
        t->Timer3Timer();
        EXPECT_EQ(t->Regole.FaseTavolo, R::PartitaFinita) << chi;
        EXPECT_TRUE(FormPunteggi->isVisible()) << chi << ": the scores window opens";
        EXPECT_EQ(FormPunteggi->PunteggiPartita->currentWidget(), FormPunteggi->PunteggiSettemezzo) << chi;
        EXPECT_EQ(t->NuovoTurno->Stato(), 0) << chi << ": no next deal after the match";
        const QByteArray riga = QByteArray("BRUNO") + QByteArray(25, ' ') +
                                QByteArray::number(giocate).rightJustified(4, '0') + "  " + k.vinte + "  0000\r\n";
        EXPECT_EQ(FilePunteggi(), riga) << chi;
        // Later steps, the next-deal button and the scores button change nothing.
        const int carte = t->Regole.CarteEstratte;
        for (int i = 0; i < 3; ++i) t->Timer3Timer();
        t->NuovoTurnoClick();
        t->NuovaCartaClick();
        t->BtnPunteggiClick();
        EXPECT_EQ(FilePunteggi(), riga) << chi << ": the result is recorded once";
        EXPECT_EQ(t->Regole.CarteEstratte, carte) << chi << ": nothing is dealt after the match";
        TornaIndietro();
        TornaIndietro();
    }
}

TEST_F(TavoloSettemezzo, NewMatchAbandonsTheCurrentOneWhichStaysCountedAsPlayed)
{
    t->NuovaPartitaClick();
    Mazzo({Denari(4), Spade(4)});
    t->NuovaCartaClick();
    t->Regole.PunteggioGiocatore = 14;
    t->Regole.PunteggioComputer = 6;
    t->NuovaPartitaClick();
    EXPECT_EQ(t->Regole.FaseTavolo, R::TurnoGiocatore);
    EXPECT_EQ(Punteggio(t->SG), "10");
    EXPECT_EQ(Punteggio(t->SC), "10");
    EXPECT_FALSE(t->ImagePos[8]->isVisible()) << "the abandoned hand is cleared";
    EXPECT_EQ(FilePunteggi().mid(30, 4), "0002");
}

TEST_F(TavoloSettemezzo, ShownCardsStayWhenAnotherTableReshufflesTheSharedDeck)
{
    t->NuovaPartitaClick();
    t->NuovaCartaClick();
    t->NuovaCartaClick();
    const int prima = t->Regole.Carta(t->Regole.CarteGiocatore[1]);
    const int seconda = t->Regole.Carta(t->Regole.CarteGiocatore[2]);
    const int punti = t->Regole.PuntiManoGiocatore;
    for (int i = 0; i < 3; ++i) FormConfig->VelCarte1->Stato().Mischia();  // e.g. Briscola deals meanwhile
    t->AggiornaTavolo();
    EXPECT_TRUE(Faccia(t->ImagePos[8], prima)) << "the first card still shows the card counted";
    EXPECT_TRUE(Faccia(t->ImagePos[9], seconda)) << "the second card still shows the card counted";
    EXPECT_EQ(t->Regole.PuntiManoGiocatore, punti);
}

TEST_F(TavoloSettemezzo, MatchEndingOnAClosedTableDoesNotPullTheScoresWindowOverAnotherGame)
{
    struct Caso { const char* dove; bool chiudiTavolo; bool punteggiAperti; };
    const Caso casi[] = {
        {"the configuration window is open over the table", false, true},
        {"the player went back to the chooser and into Scopa", true, false},
    };
    int vinte = 0;
    for (const Caso& k : casi) {
        t->NuovaPartitaClick();
        t->Regole.PunteggioGiocatore = 19;
        t->Regole.PunteggioComputer = 1;
        Mazzo({Denari(7), Spade(8), Spade(6)});
        GiocatorePescaEStai(2);
        if (k.chiudiTavolo) {
            t->ChiudiClick();
            FormSplashScreen->Spl_Btn_ScopaClick();
        } else {
            t->ConfigurazioneClick();
        }
        TurnoComputer();
        t->Timer3Timer();
        ++vinte;
        EXPECT_EQ(t->Regole.FaseTavolo, R::PartitaFinita) << k.dove << ": the computer's turn goes on";
        EXPECT_EQ(FilePunteggi().mid(36, 4), QByteArray::number(vinte).rightJustified(4, '0'))
            << k.dove << ": the win is recorded";
        EXPECT_EQ(FormPunteggi->isVisible(), k.punteggiAperti) << k.dove;
        if (k.chiudiTavolo) {
            EXPECT_TRUE(FormScopa->isVisible()) << k.dove << ": Scopa stays in view";
        }
        while (FormSplashScreen->Pila().Profondita() > 0) TornaIndietro();
        ApriFinestra(FinestraSettemezzo);
    }
}

TEST_F(TavoloSettemezzo, ControlsLieInTheirPlacesWithoutOverlapping)
{
    for (int s = 1; s <= 7; ++s) {
        EXPECT_EQ(t->ImagePos[s]->geometry(), QRect(8 + 80 * (s - 1), 8, 80, 120)) << "computer's slot " << s;
        EXPECT_EQ(t->ImagePos[7 + s]->geometry(), QRect(8 + 80 * (s - 1), 288, 80, 120)) << "player's slot " << s;
    }
    std::vector<QWidget*> controlli = {t->Label1, t->NomeGiocat, t->LabelManoComputer, t->LabelManoGiocatore,
                                       t->LabelPartitaComputer, t->LabelPartitaGiocatore, t->NuovaCarta, t->Stop,
                                       t->NuovoTurno, t->NuovaPartita, t->Configurazione, t->BtnPunteggi,
                                       t->Chiudi, t->Giocatore, t->SC[1], t->SC[2], t->SG[1], t->SG[2]};
    for (int i = 0; i < 4; ++i) {
        controlli.push_back(t->PC[i]);
        controlli.push_back(t->PG[i]);
    }
    for (int s = 1; s <= 14; ++s) controlli.push_back(t->ImagePos[s]);
    for (std::size_t a = 0; a < controlli.size(); ++a) {
        EXPECT_TRUE(t->Panel1->rect().contains(controlli[a]->geometry())) << controlli[a]->objectName().toStdString()
                                                                           << " lies on the felt";
        for (std::size_t b = a + 1; b < controlli.size(); ++b)
            EXPECT_FALSE(controlli[a]->geometry().intersects(controlli[b]->geometry()))
                << controlli[a]->objectName().toStdString() << " covers " << controlli[b]->objectName().toStdString();
    }
    EXPECT_EQ(t->Timer3->interval(), 1000);
    // The first table opened shows the advertisement, under which the game waits.
    if (t->Pubblicita->InVista()) t->Pubblicita->ChiudiPubblicitaClick();
    EXPECT_TRUE(t->Timer3->isActive()) << "the table's step runs from creation";
}

TEST_F(TavoloSettemezzo, WholeMatchPlayedThroughTheButtonsIsRecordedOnce)
{
    FormConfig->NomeGiocat->setText("Anna");
    FormConfig->CBSuoni->setChecked(false);
    t->NuovaPartitaClick();
    int mani = 0, passi = 0;
    while (t->Regole.FaseTavolo != R::PartitaFinita && passi++ < 20000) {
        auto& r = t->Regole;
        if (r.FaseTavolo == R::TurnoGiocatore) {
            // Simple policy: draw below five, then stand (after the second the button needs).
            if (r.PuntiManoGiocatore < 50 && t->NuovaCarta->Stato() == 1) {
                t->NuovaCartaClick();
                continue;
            }
            t->Timer3Timer();
            if (t->Stop->Stato() == 1) t->StopClick();
            continue;
        }
        t->Timer3Timer();
        if (r.FaseTavolo == R::ManoDecisa) {
            ASSERT_EQ(r.PunteggioGiocatore + r.PunteggioComputer, 20) << "after deal " << mani;
            EXPECT_EQ(Letto(t->PG), (r.PuntiManoGiocatore % 10 ? std::to_string(r.PuntiManoGiocatore / 10) + "." +
                                                                 std::to_string(r.PuntiManoGiocatore % 10)
                                                           : std::to_string(r.PuntiManoGiocatore / 10)))
                << "the player's hand value shown after deal " << mani;
            if (t->NuovoTurno->Stato() == 1) {
                ++mani;
                t->NuovoTurnoClick();
            }
        }
    }
    ASSERT_EQ(t->Regole.FaseTavolo, R::PartitaFinita) << "the match ended";
    const bool vinto = t->Regole.PunteggioGiocatore == 20;
    EXPECT_TRUE(vinto || t->Regole.PunteggioComputer == 20);
    EXPECT_GT(mani, 5) << "a match takes many deals";
    EXPECT_EQ(suonati["Mescola"], 0) << "sounds are off";
    EXPECT_EQ(suonati[vinto ? "Vittoria" : "Perdita"], 1) << "the end-of-match sound plays anyway";
    EXPECT_TRUE(FormPunteggi->isVisible());
    const QByteArray riga = QByteArray("ANNA") + QByteArray(26, ' ') + "0001  " + (vinto ? "0001" : "0000") + "  0000\r\n";
    EXPECT_EQ(FilePunteggi(), riga);
    for (int i = 0; i < 5; ++i) t->Timer3Timer();
    EXPECT_EQ(FilePunteggi(), riga) << "the result is recorded once";
}

TEST_F(TavoloSettemezzo, ButtonsLightTheMomentTheGameAllowsThemNotOnTheNextTick)
{
    // A quick stand right after the first card, and a quick next deal right after the
    // dealer stands, with no timer step in between: neither press may be lost.
    t->NuovaPartitaClick();
    Mazzo({Spade(5), Bastoni(6), Coppe(1)});
    t->NuovaCartaClick();
    EXPECT_EQ(t->Stop->Stato(), 1) << "Stop is lit as soon as the first card lies";
    TFormTavolo::Premi(t->Stop);
    ASSERT_EQ(t->Regole.FaseTavolo, R::TurnoComputer) << "the stand was taken";
    EXPECT_EQ(t->Stop->Stato(), 0);

    t->Timer3Timer();  // the dealer draws 6 and stands (one card above 5)
    ASSERT_EQ(t->Regole.FaseTavolo, R::ManoDecisa);
    EXPECT_EQ(t->NuovoTurno->Stato(), 1) << "the next deal is offered as the deal is decided";
    TFormTavolo::Premi(t->NuovoTurno);
    EXPECT_EQ(t->Regole.FaseTavolo, R::TurnoGiocatore) << "the next deal started at once";
    EXPECT_EQ(t->NuovoTurno->Stato(), 0);
    EXPECT_EQ(t->Stop->Stato(), 0) << "no card in the new deal yet";
}

TEST_F(TavoloSettemezzo, TheDealThatEndsTheMatchOffersNoNextDeal)
{
    t->NuovaPartitaClick();
    t->Regole.PunteggioGiocatore = 19;
    t->Regole.PunteggioComputer = 1;
    Mazzo({Denari(7), Coppe(6)});
    t->NuovaCartaClick();
    t->StopClick();
    t->Timer3Timer();  // 6 stands; 7 wins: 20 to 0
    ASSERT_EQ(t->Regole.PunteggioGiocatore, 20);
    EXPECT_EQ(t->NuovoTurno->Stato(), 0) << "the match is over; the next step ends it";
    t->Timer3Timer();
    EXPECT_EQ(t->Regole.FaseTavolo, R::PartitaFinita);
}

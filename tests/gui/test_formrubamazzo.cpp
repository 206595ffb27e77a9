// The Rubamazzo table driven through its handlers, with no delays and Timer3 ticked by hand.
#include <QCheckBox>
#include <QFile>
#include <map>
#include <set>

#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormScopa.h"
#include "scores/PunteggiFile.h"
#include "scores/TFormPunteggi.h"
#include "tests/gui/FinestreDiProva.h"

namespace {

using R = RegoleRubamazzo;

class TavoloRubamazzo : public FinestreDiProva {
protected:
    void SetUp() override
    {
        FinestreDiProva::SetUp();
        t = FormRubamazzo;
        FormConfig->VelCarte1->Stato().Generatore().Fissa(11);
        for (auto [nome, w] : {std::pair{"Mescola", FormScopa->Mescola}, {"GiocaCarta", FormScopa->GiocaCarta},
                               {"Scopa", FormScopa->Scopa}, {"Vittoria", FormScopa->Vittoria}, {"Perdita", FormScopa->Perdita}})
            w->OnPlay = [this, n = std::string(nome)](TWave*) { ++suonati[n]; };
        FormSplashScreen->show();
        ApriFinestra(FinestraRubamazzo);
    }

    // A position by card numbers (each handle is its own card): hands, the table from place 7,
    // both piles (their last card on top); nothing left to deal; the player to move.
    void Posizione(std::vector<int> computer, std::vector<int> giocatore, std::vector<int> tavolo,
                   std::vector<int> pilaG = {}, std::vector<int> pilaC = {}, int ultimaPresa = 0)
    {
        R& r = t->Regole;
        for (int i = 1; i <= 40; ++i) r.CarteMazzo[i] = i;
        std::fill(std::begin(r.Posti), std::end(r.Posti), 0);
        for (size_t i = 0; i < computer.size(); ++i) r.Posti[1 + i] = computer[i];
        for (size_t i = 0; i < giocatore.size(); ++i) r.Posti[4 + i] = giocatore[i];
        for (size_t i = 0; i < tavolo.size(); ++i) r.Posti[R::PrimoPostoTavolo + i] = tavolo[i];
        std::fill(std::begin(r.PreseGiocatore), std::end(r.PreseGiocatore), 0);
        std::fill(std::begin(r.PreseComputer), std::end(r.PreseComputer), 0);
        r.IndicePreseGiocatore = r.IndicePreseComputer = 1;
        for (int h : pilaG) r.PreseGiocatore[r.IndicePreseGiocatore++] = h;
        for (int h : pilaC) r.PreseComputer[r.IndicePreseComputer++] = h;
        r.CimaGiocatore = pilaG.empty() ? 0 : pilaG.back();
        r.CimaComputer = pilaC.empty() ? 0 : pilaC.back();
        t->CarteGiocatore->Svuota();
        t->CarteComputer->Svuota();
        Faccia(r.CimaGiocatore, t->CarteGiocatore);
        Faccia(r.CimaComputer, t->CarteComputer);
        r.UltimaPresa = ultimaPresa;
        r.ProssimaCarta = 41;
        r.Turno = 1;
        t->RidisegnaPosti();
        t->MostraContatori();
    }
    static void Faccia(int c, VelImage* img)
    {
        if (c) FormConfig->VelCarte1->CartaDalNumero(c, img);
    }
    static QImage Faccia(int c)
    {
        VelImage v;
        if (c) FormConfig->VelCarte1->CartaDalNumero(c, &v);
        return v.Picture();
    }
    static QImage Evidenziata(int c)
    {
        VelImage v;
        // The face in its own colours with the gold rim.
        FormConfig->VelCarte1->CartaDalNumero(c, &v);
        if (v.HaPicture()) TFormRubamazzo::SegnaSelezione(v.Canvas(), v.Sagoma());
        return v.Picture();
    }
    static QImage Dorso()
    {
        VelImage v;
        FormConfig->RetroCarte->CartaDalNumero(Retro, &v);
        return v.Picture();
    }
    // The number two digit pictures show, -1 when one is no digit.
    int Numero(VelImage* decine, VelImage* unita) const
    {
        auto cifra = [this](VelImage* img) {
            for (int d = 0; d <= 9; ++d) {
                VelImage v;
                v.resize(24, 18);
                t->VelCarte3->Carta(1, d + 1, &v);
                if (v.Picture() == img->Picture()) return d;
            }
            return -100;
        };
        return std::max(cifra(decine) * 10 + cifra(unita), -1);
    }
    static QByteArray FilePunteggi()
    {
        QFile f(QString::fromStdString(CartellaLavoro) + "/PunteggiRubaMazzo.txt");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray Riga(int giocate, int vinte, int pari)
    {
        return QByteArray::fromStdString(RecordPunteggi(NomeGiocatoreCorrente(), giocate, vinte, pari));
    }

    TFormRubamazzo* t = nullptr;
    std::map<std::string, int> suonati;
};

}  // namespace

TEST_F(TavoloRubamazzo, NothingRespondsBeforeTheFirstGame)
{
    t->ImagePos5DblClick();
    t->BtnOkClick();
    t->CarteComputerDblClick();
    t->Timer3Timer();
    EXPECT_EQ(t->Regole.Turno, 0) << "no game was dealt";
    EXPECT_FALSE(t->BtnOk->isVisible());
    EXPECT_FALSE(t->Timer3->isActive());
    EXPECT_TRUE(suonati.empty());
    EXPECT_TRUE(FilePunteggi().isEmpty()) << "no game is counted before one is dealt";
    for (int k = 1; k <= 13; ++k) EXPECT_FALSE(t->ImagePos[k]->HaPicture()) << "place " << k;
}

TEST_F(TavoloRubamazzo, NewGameDealsWithoutFlightsAndShowsTheComputersCardsByTheSetting)
{
    for (bool scoperte : {false, true}) {
        FormConfig->CBComputer->setChecked(scoperte);
        const auto pause = PauseRichieste();
        t->NuovaPartitaClick();
        EXPECT_EQ(PauseRichieste(), pause) << "no card flies in the deal";
        const R& r = t->Regole;
        for (int k = 1; k <= 13; ++k) {
            const QImage atteso = k > 10 ? QImage() : (k <= 3 && !scoperte) ? Dorso() : Faccia(r.Carta(r.Posti[k]));
            EXPECT_EQ(t->ImagePos[k]->Picture(), atteso)
                << "place " << k << " with the computer's cards " << (scoperte ? "face up" : "hidden");
        }
        EXPECT_EQ(Numero(t->CarteRimanenti1, t->CarteRimanenti2), 30) << "cards left to deal";
        EXPECT_EQ(Numero(t->PG1, t->PG2), 0);
        EXPECT_EQ(Numero(t->PC1, t->PC2), 0);
        EXPECT_TRUE(t->Giocatore->isVisible() && !t->Computer->isVisible()) << "the player moves first";
        EXPECT_TRUE(t->Timer3->isActive());
        EXPECT_EQ(t->Timer3->interval(), 1000);
        EXPECT_FALSE(t->Suggerimento->isVisible());
    }
    EXPECT_EQ(suonati["Mescola"], 2);
    EXPECT_EQ(FilePunteggi(), Riga(2, 0, 0)) << "every new game counts as played";
}

TEST_F(TavoloRubamazzo, SelectionHighlightsTheCardAndItsCaptureUntilTheNextSelection)
{
    t->NuovaPartitaClick();
    Posizione({}, {7, 15, 1}, {3, 4, 29, 12});  // table numbers 3, 4, 9, 2 in places 7-10
    struct Caso { int posto; std::set<int> evidenziati; };
    for (const Caso& c : {Caso{4, {4, 7, 8}}, Caso{5, {5, 7, 10}}, Caso{6, {6}}}) {
        t->ImagePosDblClick(c.posto);
        EXPECT_TRUE(t->BtnOk->isVisible());
        for (int k = 4; k <= 10; ++k) {
            const int carta = t->Regole.Posti[k];
            const bool segnato = c.evidenziati.count(k) > 0;
            EXPECT_EQ(t->ImagePos[k]->Picture(), segnato ? Evidenziata(carta) : Faccia(carta))
                << "after selecting place " << c.posto << ", place " << k << (segnato ? " is" : " is not") << " highlighted";
        }
    }
    // The ace matches nothing: OK lays it on the first free table place.
    t->BtnOkClick();
    EXPECT_EQ(t->Regole.Posti[11], 1);
    EXPECT_EQ(t->ImagePos[11]->Picture(), Faccia(1));
    EXPECT_FALSE(t->ImagePos[6]->HaPicture());
    EXPECT_EQ(t->ImagePos[6]->pos(), QPoint(256, 392)) << "the hand place is back at its home";
    EXPECT_FALSE(t->BtnOk->isVisible());
}

TEST_F(TavoloRubamazzo, ConfirmedCaptureFliesTheCardsToThePlayersPile)
{
    t->NuovaPartitaClick();
    struct Caso { const char* regola; std::vector<int> tavolo; int carta; std::vector<int> restano; };
    const Caso casi[] = {
        {"a single 7 is taken, not 3 + 4", {3, 4, 27}, 17, {3, 4, 0}},
        {"with 5 and 2 in places 7 and 8 and the 6 in place 9, a 7 takes 5 + 2", {5, 2, 6}, 17, {0, 0, 6}},
        {"a 10 takes 1, 2, 3 and 4 together", {1, 2, 3, 4}, 20, {0, 0, 0, 0}},
    };
    for (const Caso& c : casi) {
        Posizione({}, {c.carta}, c.tavolo);
        t->ImagePos4DblClick();
        t->BtnOkClick();
        int prese = 1;
        for (size_t i = 0; i < c.restano.size(); ++i) {
            const int k = R::PrimoPostoTavolo + static_cast<int>(i);
            EXPECT_EQ(t->Regole.Posti[k], c.restano[i]) << c.regola << ": place " << k;
            EXPECT_EQ(t->ImagePos[k]->Picture(), Faccia(c.restano[i])) << c.regola << ": picture of place " << k;
            prese += c.restano[i] == 0;
        }
        EXPECT_EQ(t->CarteGiocatore->Picture(), Faccia(c.carta)) << c.regola << ": the pile shows the card on top";
        EXPECT_EQ(Numero(t->PG1, t->PG2), prese) << c.regola;
        EXPECT_TRUE(t->Giocatore->isVisible()) << c.regola << ": back to the player after the computer's move";
    }
}

TEST_F(TavoloRubamazzo, PlayerStealsTheComputersPileOnlyWithTheNumberOnItsTop)
{
    t->NuovaPartitaClick();
    struct Caso { const char* regola; int carta; std::vector<int> pila; bool seleziona; bool ruba; };
    const Caso casi[] = {
        {"a 5 steals a pile with a 5 on top", 15, {1, 25}, true, true},
        {"a 6 does not steal a pile with a 5 on top", 16, {1, 25}, true, false},
        {"without a selected card nothing is stolen", 15, {1, 25}, false, false},
        {"an empty pile cannot be stolen", 15, {}, true, false},
    };
    for (const Caso& c : casi) {
        Posizione({}, {c.carta}, {}, {}, c.pila);
        t->Regole.Selezionato = 0;
        if (c.seleziona) t->ImagePos4DblClick();
        const QImage pilaComputer = t->CarteComputer->Picture();
        suonati.clear();
        t->CarteComputerDblClick();
        const int n = static_cast<int>(c.pila.size());
        EXPECT_EQ(t->Regole.PilaGiocatore(), c.ruba ? n + 1 : 0) << c.regola;
        EXPECT_EQ(t->Regole.PilaComputer(), c.ruba ? 0 : n) << c.regola;
        EXPECT_EQ(suonati["Scopa"], c.ruba ? 1 : 0) << c.regola;
        EXPECT_EQ(t->CarteComputer->Picture(), c.ruba ? QImage() : pilaComputer) << c.regola;
        EXPECT_EQ(t->CarteGiocatore->Picture(), c.ruba ? Faccia(c.carta) : QImage()) << c.regola;
        EXPECT_EQ(Numero(t->PG1, t->PG2), c.ruba ? n + 1 : 0) << c.regola;
    }
}

TEST_F(TavoloRubamazzo, ComputerStealsBeforeCapturingAndShowsTheCardItCapturesWith)
{
    FormConfig->CBComputer->setChecked(false);
    t->NuovaPartitaClick();
    R& r = t->Regole;
    // The player's pile has a 3 on top and the computer holds a 6 that could capture and a 3.
    Posizione({36, 13}, {1}, {6}, {22, 23});
    t->ImagePos4DblClick();
    suonati.clear();
    t->BtnOkClick();
    EXPECT_EQ(r.PilaComputer(), 3) << "the steal comes before any capture";
    EXPECT_EQ(r.Posti[7], 6) << "the 6 on the table stays";
    EXPECT_FALSE(t->CarteGiocatore->HaPicture()) << "the player's pile is gone";
    EXPECT_EQ(t->CarteComputer->Picture(), Faccia(13));
    EXPECT_EQ(suonati["Scopa"], 1);

    // Now the computer's 6 captures: its card shows face up and highlighted, like the 6 it takes.
    std::map<int, QImage> viste;
    const auto evidenzia = r.EvidenziaPosto;
    r.EvidenziaPosto = [&](int k) { evidenzia(k); viste[k] = t->ImagePos[k]->Picture(); };
    r.Posti[4] = 2;
    t->ImagePos4DblClick();
    viste.clear();
    t->BtnOkClick();
    EXPECT_EQ(viste[1], Evidenziata(36)) << "the computer's card while it captures";
    EXPECT_EQ(viste[7], Evidenziata(6)) << "the card it captures";
    EXPECT_EQ(t->CarteComputer->Picture(), Faccia(36));
    EXPECT_EQ(Numero(t->PC1, t->PC2), 5);
}

TEST_F(TavoloRubamazzo, TimerDealsSixCardsComputerFirstOnlyOnceBothHandsAreEmpty)
{
    t->NuovaPartitaClick();
    R& r = t->Regole;
    for (int mossa = 1; mossa <= 3; ++mossa) {
        t->Timer3Timer();
        EXPECT_EQ(r.ProssimaCarta, 11) << "no deal while cards are in hand, move " << mossa;
        for (int k = 4; k <= 6; ++k)
            if (r.Posti[k]) {
                t->ImagePosDblClick(k);
                t->BtnOkClick();
                break;
            }
    }
    for (int k = 1; k <= 6; ++k) ASSERT_EQ(r.Posti[k], 0) << "three moves each empty both hands";
    const auto pause = PauseRichieste();
    t->Timer3Timer();
    EXPECT_EQ(PauseRichieste(), pause) << "no card flies in a deal";
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(r.Posti[k], r.CarteMazzo[10 + k]) << "place " << k << " gets the " << 10 + k << "th card";
        EXPECT_EQ(t->ImagePos[k]->Picture(), k <= 3 ? Dorso() : Faccia(r.Carta(r.Posti[k]))) << "place " << k;
    }
    EXPECT_EQ(Numero(t->CarteRimanenti1, t->CarteRimanenti2), 24);
}

TEST_F(TavoloRubamazzo, EndGivesTheTableToTheLastTakerAndRecordsTheResultOnce)
{
    FormConfig->CBSuoni->setChecked(false);
    struct Caso { const char* regola; int pilaG; int ultimaPresa; int g, c; QByteArray riga; const char* suono; };
    const Caso casi[] = {
        {"20 cards each is a draw", 18, 1, 20, 20, Riga(1, 0, 1), nullptr},
        {"the table goes to the computer, which took last", 19, 2, 19, 21, Riga(1, 0, 0), "Perdita"},
        {"the table goes to the player, who took last", 20, 1, 22, 18, Riga(1, 1, 0), "Vittoria"},
    };
    for (const Caso& c : casi) {
        // A fresh start: without the current file the scores would be taken from the backup.
        for (const char* nome : {"/PunteggiRubaMazzo.txt", "/PunteggiRubaMazzo.bak"})
            QFile::remove(QString::fromStdString(CartellaLavoro) + nome);
        t->NuovaPartitaClick();
        std::vector<int> pilaG, pilaC;
        for (int h = 1; h <= 38; ++h) (h <= c.pilaG ? pilaG : pilaC).push_back(h);
        Posizione({}, {}, {39, 40}, pilaG, pilaC, c.ultimaPresa);
        suonati.clear();
        t->Timer3Timer();
        EXPECT_FALSE(t->Timer3->isActive()) << c.regola;
        EXPECT_FALSE(t->ImagePos[7]->HaPicture() || t->ImagePos[8]->HaPicture()) << c.regola << ": the table is cleared";
        EXPECT_EQ(FormPunteggi->PuntiRubaMazzoG->text().toInt(), c.g) << c.regola;
        EXPECT_EQ(FormPunteggi->PuntiRubaMazzoC->text().toInt(), c.c) << c.regola;
        EXPECT_TRUE(FormPunteggi->isVisible()) << c.regola;
        EXPECT_EQ(FormPunteggi->PunteggiPartita->currentWidget(), FormPunteggi->PunteggiRubaMazzo) << c.regola;
        EXPECT_EQ(suonati["Vittoria"] + suonati["Perdita"], c.suono ? 1 : 0) << c.regola << ": plays even with sounds off";
        if (c.suono) {
            EXPECT_EQ(suonati[c.suono], 1) << c.regola;
        }
        t->Timer3Timer();
        t->BtnPunteggiClick();
        EXPECT_EQ(FilePunteggi(), c.riga) << c.regola << ": recorded once";
        TornaIndietro();
    }
}

TEST_F(TavoloRubamazzo, EveryTableCardShowsAlsoBeyondTheSeventhPlace)
{
    t->NuovaPartitaClick();
    Posizione({}, {1}, {10, 20, 30, 40, 9, 19, 29, 39});  // places 7-14; the ace matches nothing
    t->ImagePos4DblClick();
    t->BtnOkClick();
    ASSERT_EQ(t->Regole.Posti[15], 1);
    int sinistra = -1;
    for (int k = 7; k <= 15; ++k) {
        EXPECT_TRUE(t->ImagePos[k]->isVisible() && t->ImagePos[k]->HaPicture()) << "table place " << k;
        EXPECT_GT(t->ImagePos[k]->x(), sinistra) << "table place " << k << " lies right of the one before";
        EXPECT_LE(t->ImagePos[k]->x() + 80, 616) << "table place " << k << " stays on the table row";
        sinistra = t->ImagePos[k]->x();
    }
    EXPECT_EQ(t->ImagePos[15]->Picture(), Faccia(1));
}

TEST_F(TavoloRubamazzo, AnotherTableReshufflingTheSharedDeckDoesNotChangeTheCardsShown)
{
    FormConfig->CBComputer->setChecked(true);
    t->NuovaPartitaClick();
    std::vector<QImage> prima;
    for (int k = 1; k <= 10; ++k) prima.push_back(t->ImagePos[k]->Picture());
    FormConfig->VelCarte1->Mischia();  // as another table dealing its own game
    t->RidisegnaPosti();
    for (int k = 1; k <= 10; ++k) EXPECT_EQ(t->ImagePos[k]->Picture(), prima[k - 1]) << "place " << k;
}

TEST_F(TavoloRubamazzo, GameSoundsFollowTheSoundSetting)
{
    for (bool suoni : {true, false}) {
        FormConfig->CBSuoni->setChecked(suoni);
        suonati.clear();
        t->NuovaPartitaClick();
        Posizione({}, {15, 1}, {}, {}, {2, 25});
        t->ImagePos5DblClick();
        t->BtnOkClick();            // lays the ace
        t->ImagePos4DblClick();
        t->CarteComputerDblClick();  // the 5 steals
        const int n = suoni ? 1 : 0;
        EXPECT_EQ(suonati["Mescola"], n) << (suoni ? "sounds on" : "sounds off");
        EXPECT_EQ(suonati["GiocaCarta"], n) << (suoni ? "sounds on" : "sounds off");
        EXPECT_EQ(suonati["Scopa"], n) << (suoni ? "sounds on" : "sounds off");
    }
}

TEST_F(TavoloRubamazzo, WholeGamesPlayedThroughTheHandlersAreEachRecordedOnce)
{
    FormConfig->NomeGiocat->setText("Anna");
    const R& r = t->Regole;
    int vinte = 0, pari = 0;
    const int partite = 4;
    for (int p = 1; p <= partite; ++p) {
        t->NuovaPartitaClick();
        for (int passi = 0; !r.PartitaFinita() && passi < 200; ++passi) {
            t->Timer3Timer();
            if (r.PartitaFinita()) break;
            // Steal when a card can, else capture with the first card that can, else lay the first.
            int primo = 0, cattura = 0;
            bool rubato = false;
            for (int k = 4; k <= 6 && !rubato; ++k) {
                if (!r.Posti[k]) continue;
                t->ImagePosDblClick(k);
                if (r.FurtoPossibile()) {
                    t->CarteComputerDblClick();
                    rubato = true;
                }
                if (!primo) primo = k;
                if (!cattura && std::any_of(std::begin(r.Evidenziati), std::end(r.Evidenziati), [](int e) { return e; })) cattura = k;
            }
            if (!rubato && primo) {
                t->ImagePosDblClick(cattura ? cattura : primo);
                t->BtnOkClick();
            }
            for (int k = R::PrimoPostoTavolo; k <= r.NumeroPosti(); ++k)
                ASSERT_EQ(t->ImagePos[k]->HaPicture() && !t->ImagePos[k]->isHidden(), r.Posti[k] != 0)
                    << "game " << p << ", step " << passi << ": table place " << k << " shows exactly its card";
        }
        ASSERT_TRUE(r.PartitaFinita()) << "game " << p << " ended";
        EXPECT_EQ(FormPunteggi->PuntiRubaMazzoG->text().toInt() + FormPunteggi->PuntiRubaMazzoC->text().toInt(), 40)
            << "game " << p << ": the two piles hold the whole deck";
        vinte += r.Risultato == 1;
        pari += r.Risultato == 0;
        t->Timer3Timer();
        t->BtnPunteggiClick();
        EXPECT_FALSE(t->Timer3->isActive());
        TornaIndietro();  // the player leaves the scores window
    }
    EXPECT_EQ(FilePunteggi(), Riga(partite, vinte, pari));
}

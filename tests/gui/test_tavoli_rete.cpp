// Network games played on two real tables in one process, over a real socket on 127.0.0.1:
// the host's table (the program's own) and a guest's table, each driven through its handlers
// as a player would play, until the game's end is recorded on both sides.
#include <QCoreApplication>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include "FinestreDiProva.h"
#include "PassoScopa.h"
#include "app/Finestre.h"
#include "ads/PannelloPubblicita.h"
#include "app/PartitaInRete.h"
#include "app/TFormSplashScreen.h"
#include "games/briscola/TFormBriscola.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormAlternative.h"
#include "games/scopa/TFormScopa.h"
#include "net/PartitaRete.h"
#include "net/CanaleTavolo.h"
#include "net/SessioneHost.h"
#include "net/SessioneOspite.h"
#include "scores/PunteggiFile.h"

namespace {

constexpr char Codice[] = "246810";

// Pumps the event loop (the sockets) until `fatto`, for at most `giri` rounds.
template <typename F>
bool Pompa(F fatto, int giri = 4000)
{
    for (int i = 0; i < giri; ++i) {
        if (fatto()) return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return fatto();
}

// Plays while `inCorso`: `passo` drives the tables and says whether anything moved; when
// nothing did, the loop sleeps until the next event (a state arriving on a socket). A
// watchdog event ends a game that stopped for good.
template <typename C, typename P>
void Gioca(C inCorso, P passo)
{
    bool scaduto = false;
    QTimer guardia;
    guardia.setSingleShot(true);
    QObject::connect(&guardia, &QTimer::timeout, [&] { scaduto = true; });
    for (int giro = 0; giro < 20000 && inCorso() && !scaduto; ++giro) {
        if (passo()) {
            QCoreApplication::processEvents();
        } else {
            guardia.start(30000);
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    EXPECT_FALSE(scaduto) << "the game stopped: no state came for 30 s";
}

}  // namespace

class TavoliInRete : public FinestreDiProva {
protected:
    // Host and guest sessions admitted on a free port, the host dealing `gioco` from `seme`.
    void Collega(Rete::Gioco gioco, std::uint32_t seme)
    {
        host_ = new Rete::SessioneHost;
        ospite_ = new Rete::SessioneOspite;
        // Each side's heartbeat clock is the test's to move.
        host_->ImpostaOrologio([this] { return oraHost_; });
        ospite_->ImpostaOrologio([this] { return oraOspite_; });
        ASSERT_TRUE(host_->Avvia(gioco, "Anna", Codice, seme, QHostAddress::LocalHost, 0));
        ASSERT_TRUE(ospite_->Collega("127.0.0.1", host_->Porta(), Codice, "Bruno"));
        ASSERT_TRUE(Pompa([&] { return ospite_->FaseAttuale() == Rete::SessioneOspite::Fase::InGioco && ospite_->HaQuadro(); }));
    }
    // Seats the host's session at `host` and the guest's at `ospite`, through `canale`
    // (Rete::NuovoCanaleScopa, ...Briscola or ...Rubamazzo).
    template <typename Tavolo, typename Fabbrica>
    void Siedi(Tavolo* host, Tavolo& ospite, Fabbrica canale)
    {
        host->GiocaInRete(canale(Rete::Collegamento::DaHost(host_)));
        ospite.GiocaInRete(canale(Rete::Collegamento::DaOspite(ospite_)));
    }
    std::vector<VocePunteggio> Voci(const FilePunteggi& f) { return LeggiPunteggi(cartella_.path().toStdString(), f.corrente); }
    Rete::SessioneHost* host_ = nullptr;
    Rete::SessioneOspite* ospite_ = nullptr;
    qint64 oraHost_ = 1000, oraOspite_ = 1000;
};

namespace {

// One round of a Briscola table: its player plays the first card held when it is its
// turn, then its timers tick. True when anything moved.
bool PassoBriscola(TFormBriscola* t, int& mosse)
{
    if (!t->PartitaInCorso) return false;
    auto& r = t->Regole;
    const VistaBriscola prima = OsservaBriscola(r, 1);
    const int turno = r.Turno;
    if (r.Turno == 1 && r.CarteGiocate < 2) {
        for (int k = 1; k <= 3; ++k)
            if (r.ManoGiocatore[k]) {
                t->GiocaSlotGiocatore(k);
                if (r.ManoGiocatore[k] == 0) ++mosse;
                break;
            }
    }
    t->Timer1Timer();
    t->Timer2Timer();
    return !(OsservaBriscola(r, 1) == prima) || r.Turno != turno;
}

// Both Briscola tables play on until the game is over on each.
void GiocaFinoAllaFine(TFormBriscola* host, TFormBriscola& ospite, int& mosse)
{
    Gioca([&] { return host->PartitaInCorso || ospite.PartitaInCorso; },
          [&] {
              const bool a = PassoBriscola(host, mosse);
              const bool b = PassoBriscola(&ospite, mosse);
              return a || b;
          });
}

}  // namespace

TEST_F(TavoliInRete, BriscolaIsPlayedToItsEndOnBothTablesAndRecordedOnEach)
{
    Collega(Rete::Gioco::Briscola, 12345);
    TFormBriscola ospite;
    Siedi(FormBriscola, ospite, &Rete::NuovoCanaleBriscola);
    ASSERT_TRUE(FormBriscola->PartitaInCorso);
    ASSERT_TRUE(ospite.PartitaInCorso);
    EXPECT_EQ(FormBriscola->Label1->text(), "Bruno");
    EXPECT_EQ(ospite.Label1->text(), "Anna");
    // Both see the same trump; each sees its own hand as the referee dealt it.
    EXPECT_EQ(FormBriscola->Regole.Carta(FormBriscola->Regole.CartaBriscola), ospite.Regole.Carta(ospite.Regole.CartaBriscola));

    int mosse = 0;
    GiocaFinoAllaFine(FormBriscola, ospite, mosse);
    EXPECT_FALSE(FormBriscola->PartitaInCorso);
    EXPECT_FALSE(ospite.PartitaInCorso);
    EXPECT_EQ(mosse, 40);
    EXPECT_EQ(FormBriscola->Regole.PuntiGiocatore + ospite.Regole.PuntiGiocatore, 120);
    // The other side's last trick is called by its player's name.
    FormBriscola->MostraUltimaPresa(2, 0);
    EXPECT_EQ(FormBriscola->TitoloPresa->text(), "L'ultima presa di Bruno");
    FormBriscola->NascondiUltimaPresa();
    EXPECT_EQ(FormBriscola->Regole.PuntiGiocatore, host_->Partita()->Punti(1));
    EXPECT_EQ(ospite.Regole.PuntiGiocatore, host_->Partita()->Punti(2));
    EXPECT_EQ(host_->FaseAttuale(), Rete::SessioneHost::Fase::Finita);
    // Both tables run in this process under one player: the game is counted once by each,
    // and won by one of them unless drawn.
    const auto voci = Voci(FileBriscola);
    ASSERT_EQ(voci.size(), 1u);
    EXPECT_EQ(voci[0].Giocate, 2);
    EXPECT_EQ(voci[0].Vinte + voci[0].Pari, FormBriscola->Regole.PuntiGiocatore == 60 ? 2 : 1);
}

TEST_F(TavoliInRete, ScopaMatchIsPlayedToItsEndWithTheRefereesTotalsOnBothTables)
{
    Collega(Rete::Gioco::Scopa, 777);
    // A capture with a choice takes the first one shown.
    TFormAlternative::Automazione() = [](TFormAlternative* d) { d->VelmoBottone1Click(); };
    TFormScopa ospite;
    Siedi(FormScopa, ospite, &Rete::NuovoCanaleScopa);
    ASSERT_TRUE(FormScopa->ManoIniziata);
    ASSERT_TRUE(ospite.ManoIniziata);
    EXPECT_NE(FormScopa->EtichettaPartita->text().indexOf("Bruno"), -1);
    EXPECT_NE(ospite.EtichettaPartita->text().indexOf("Anna"), -1);
    // The table's four cards are the same on both sides.
    for (int p = 1; p <= 4; ++p) EXPECT_EQ(FormScopa->Motore.Tavolo[p], ospite.Motore.Tavolo[p]);

    TFormScopa* tavoli[] = {FormScopa, &ospite};
    int mosse = 0;
    QString detti[2];  // what each table's screen-reader label said, step by step
    Gioca([&] { return !FormScopa->PartitaFinita || !ospite.PartitaFinita; },
          [&] {
              bool cambiato = false;
              for (TFormScopa* t : tavoli) {
                  if (t->PartitaFinita) continue;
                  const VistaScopa prima = OsservaScopa(t->Motore, 1);
                  const int turno = t->Motore.Turno;
                  const bool finita = t->ManoFinita;
                  if (t->TimerRete->isActive()) t->TimerRete->stop(), t->FineMossa(false);
                  if (GiocaPassoScopa(t) == PassoScopa::Giocatore && !(OsservaScopa(t->Motore, 1) == prima)) ++mosse;
                  detti[t == FormScopa ? 0 : 1] += t->Annuncio->text() + "\n";
                  cambiato = cambiato || !(OsservaScopa(t->Motore, 1) == prima) || t->Motore.Turno != turno || t->ManoFinita != finita;
              }
              return cambiato;
          });
    TFormAlternative::Automazione() = nullptr;
    EXPECT_TRUE(FormScopa->PartitaFinita);
    EXPECT_TRUE(ospite.PartitaFinita);
    EXPECT_EQ(mosse % 36, 0);
    // A screen reader hears the other player by name.
    EXPECT_TRUE(detti[0].contains("Bruno gioca")) << detti[0].left(400).toStdString();
    EXPECT_TRUE(detti[1].contains("Anna gioca")) << detti[1].left(400).toStdString();
    EXPECT_FALSE(detti[0].contains("computer")) << "nothing speaks of a computer";
    EXPECT_FALSE(detti[1].contains("computer"));
    // Each table's totals are the referee's, seen from its own seat.
    EXPECT_EQ(FormScopa->PuntiPartitaGiocatore, host_->Partita()->Punti(1));
    EXPECT_EQ(FormScopa->PuntiPartitaComputer, host_->Partita()->Punti(2));
    EXPECT_EQ(ospite.PuntiPartitaGiocatore, host_->Partita()->Punti(2));
    EXPECT_EQ(ospite.PuntiPartitaComputer, host_->Partita()->Punti(1));
    EXPECT_EQ(FormScopa->RisultatoVinto, host_->Partita()->Esito() == 1);
    EXPECT_EQ(ospite.RisultatoVinto, host_->Partita()->Esito() == 2);
    const auto voci = Voci(FileScopa);
    ASSERT_EQ(voci.size(), 1u);
    EXPECT_EQ(voci[0].Giocate, 2);
    EXPECT_EQ(voci[0].Vinte, 1);
}

TEST_F(TavoliInRete, RubamazzoIsPlayedToItsEndOnBothTables)
{
    Collega(Rete::Gioco::Rubamazzo, 4242);
    TFormRubamazzo ospite;
    Siedi(FormRubamazzo, ospite, &Rete::NuovoCanaleRubamazzo);
    ASSERT_TRUE(FormRubamazzo->InGioco());
    ASSERT_TRUE(ospite.InGioco());
    // The host leads every deal: on the guest's table the other side moves first.
    EXPECT_EQ(FormRubamazzo->Regole.Turno, 1);
    EXPECT_EQ(ospite.Regole.Turno, 2);
    EXPECT_EQ(ospite.Label1->text(), "Anna");

    TFormRubamazzo* tavoli[] = {FormRubamazzo, &ospite};
    int mosse = 0, furti = 0;
    Gioca([&] { return FormRubamazzo->InGioco() || ospite.InGioco(); },
          [&] {
              bool cambiato = false;
              for (TFormRubamazzo* t : tavoli) {
                  if (!t->InGioco()) continue;
                  auto& r = t->Regole;
                  const VistaRubamazzo prima = OsservaRubamazzo(r, 1);
                  const int turno = r.Turno;
                  if (r.Turno == 1 && !r.DistribuzioneDovuta() && !r.FineDovuta()) {
                      // A steal when one is there, else the first card held.
                      for (int k = 4; k <= 6; ++k)
                          if (r.Posti[k]) {
                              t->ImagePosDblClick(k);
                              if (r.FurtoPossibile()) {
                                  t->CarteComputerDblClick();
                                  ++furti;
                              } else {
                                  t->BtnOkClick();
                              }
                              ++mosse;
                              break;
                          }
                  }
                  t->Timer3Timer();
                  cambiato = cambiato || !(OsservaRubamazzo(r, 1) == prima) || r.Turno != turno;
              }
              return cambiato;
          });
    EXPECT_FALSE(FormRubamazzo->InGioco());
    EXPECT_FALSE(ospite.InGioco());
    // 36 cards are played: four lay on the table from the start.
    EXPECT_EQ(mosse, 36);
    EXPECT_EQ(FormRubamazzo->Regole.PilaGiocatore(), host_->Partita()->Punti(1));
    EXPECT_EQ(ospite.Regole.PilaGiocatore(), host_->Partita()->Punti(2));
    EXPECT_EQ(ospite.Regole.PilaComputer(), host_->Partita()->Punti(1));
    const auto voci = Voci(FileRubaMazzo);
    ASSERT_EQ(voci.size(), 1u);
    EXPECT_EQ(voci[0].Giocate, 2);
}

TEST_F(TavoliInRete, ClosingOneTableEndsTheGameForBothAndRecordsNothing)
{
    Collega(Rete::Gioco::Briscola, 99);
    TFormBriscola ospite;
    Siedi(FormBriscola, ospite, &Rete::NuovoCanaleBriscola);
    ASSERT_TRUE(ospite.PartitaInCorso);
    // Against a friend the other hand is never shown, whatever the configuration says, and
    // no new game can be dealt over the network one.
    EXPECT_FALSE(FormBriscola->CarteComputerScoperte());
    EXPECT_TRUE(FormBriscola->NuovaPartita->isHidden());

    // The other side going quiet and coming back is told on the felt.
    FormBriscola->InRete()->AttesaCambiata(true);
    EXPECT_EQ(FormBriscola->TestoEsito(), QString::fromUtf8("In attesa di Bruno…"));
    FormBriscola->InRete()->AttesaCambiata(false);
    EXPECT_TRUE(FormBriscola->TestoEsito().isEmpty());

    ospite.ChiudiClick();
    ASSERT_TRUE(Pompa([&] { return !FormBriscola->PartitaInCorso; }));
    EXPECT_NE(FormBriscola->TestoEsito().indexOf("Bruno"), -1) << FormBriscola->TestoEsito().toStdString();
    EXPECT_NE(FormBriscola->TestoEsito().indexOf(QString::fromUtf8("La partita è finita")), -1);
    EXPECT_EQ(host_->FaseAttuale(), Rete::SessioneHost::Fase::Finita);
    EXPECT_TRUE(Voci(FileBriscola).empty());

    // Leaving the table gives it back to games against the computer.
    FormBriscola->ChiudiClick();
    EXPECT_EQ(FormBriscola->InRete(), nullptr);
    EXPECT_FALSE(FormBriscola->NuovaPartita->isHidden());
    EXPECT_EQ(FormBriscola->Label1->text(), "Computer");
}

TEST_F(TavoliInRete, AGuestThatGoesQuietComesBackToTheSamePositionAndTheGameEnds)
{
    Collega(Rete::Gioco::Briscola, 2026);
    TFormBriscola ospite;
    Siedi(FormBriscola, ospite, &Rete::NuovoCanaleBriscola);
    int mosse = 0;
    Gioca([&] { return mosse < 9; },
          [&] {
              const bool a = PassoBriscola(FormBriscola, mosse);
              const bool b = mosse < 9 && PassoBriscola(&ospite, mosse);
              return a || b;
          });
    const VistaBriscola primaHost = OsservaBriscola(FormBriscola->Regole, 1);

    // The host hears nothing for longer than the heartbeat allows: the guest is away.
    oraHost_ += Rete::SilenzioMassimo + 1;
    host_->BattitoTimer();
    ASSERT_TRUE(Pompa([&] { return FormBriscola->TestoEsito() == QString::fromUtf8("In attesa di Bruno…"); }));
    // Meanwhile the host's own card waits: the referee holds the game.
    if (FormBriscola->Regole.Turno == 1 && FormBriscola->Regole.CarteGiocate < 2) {
        FormBriscola->GiocaSlotGiocatore(1);
        FormBriscola->GiocaSlotGiocatore(2);
        FormBriscola->GiocaSlotGiocatore(3);
        EXPECT_EQ(OsservaBriscola(FormBriscola->Regole, 1), primaHost);
    }
    // The guest notices too, tries again a little later and is let back in.
    oraOspite_ += Rete::SilenzioMassimo + 1;
    ospite_->BattitoTimer();
    oraOspite_ += Rete::IntervalloBattito;
    oraHost_ += Rete::IntervalloBattito;
    ospite_->BattitoTimer();
    host_->BattitoTimer();
    ASSERT_TRUE(Pompa([&] { return host_->FaseAttuale() == Rete::SessioneHost::Fase::InGioco && FormBriscola->TestoEsito().isEmpty(); }));
    EXPECT_EQ(OsservaBriscola(FormBriscola->Regole, 1), primaHost);

    GiocaFinoAllaFine(FormBriscola, ospite, mosse);
    EXPECT_EQ(mosse, 40);
    EXPECT_EQ(FormBriscola->Regole.PuntiGiocatore, host_->Partita()->Punti(1));
    EXPECT_EQ(ospite.Regole.PuntiGiocatore, host_->Partita()->Punti(2));
}

TEST_F(TavoliInRete, TheHandOverOpensTheGamesTableOverTheChooserAndNoAdvertisementCoversIt)
{
    Collega(Rete::Gioco::Scopa, 5);
    // The advertisement would show on the first table a run opens from the chooser.
    PannelloPubblicita::PrimaPubblicita = true;
    FormSplashScreen->show();
    GiocaInReteComeHost(host_);
    EXPECT_TRUE(FormScopa->isVisible());
    EXPECT_FALSE(FormScopa->Pubblicita->InVista());
    EXPECT_TRUE(PartitaInReteAperta());
    EXPECT_TRUE(FormScopa->ManoIniziata);
    EXPECT_EQ(FormScopa->Motore.Turno, 1);  // the host leads the first hand
    EXPECT_NE(FormScopa->EtichettaPartita->text().indexOf("Bruno"), -1);
    FormScopa->ChiudiClick();
    EXPECT_FALSE(PartitaInReteAperta());
    EXPECT_TRUE(FormSplashScreen->isVisible());
    ASSERT_TRUE(Pompa([&] { return ospite_->FaseAttuale() == Rete::SessioneOspite::Fase::Finita; }));
    delete ospite_;
}

TEST_F(TavoliInRete, AMoveLostWithTheConnectionIsSentAgainWhenTheGuestComesBack)
{
    Collega(Rete::Gioco::Briscola, 31);
    TFormBriscola ospite;
    Siedi(FormBriscola, ospite, &Rete::NuovoCanaleBriscola);
    int mosse = 0;
    // Play until the guest is to play a card.
    Gioca([&] { return !(ospite.Regole.Turno == 1 && ospite.Regole.CarteGiocate < 2 && mosse >= 4); },
          [&] {
              const bool a = PassoBriscola(FormBriscola, mosse);
              const bool b = !(ospite.Regole.Turno == 1 && ospite.Regole.CarteGiocate < 2 && mosse >= 4) &&
                             PassoBriscola(&ospite, mosse);
              return a || b;
          });
    // The guest plays, and its connection dies before the card is on the wire.
    auto* socket = ospite_->findChild<QTcpSocket*>();
    ASSERT_NE(socket, nullptr);
    for (int k = 1; k <= 3; ++k)
        if (ospite.Regole.ManoGiocatore[k]) {
            ospite.GiocaSlotGiocatore(k);
            ++mosse;
            break;
        }
    socket->abort();
    ASSERT_TRUE(Pompa([&] { return host_->FaseAttuale() == Rete::SessioneHost::Fase::AttesaRitorno; }));
    EXPECT_EQ(host_->Partita()->Turno(), 2) << "the referee never had the card";
    // A little later the guest is back, and its card with it.
    oraOspite_ += Rete::IntervalloBattito;
    ospite_->BattitoTimer();
    ASSERT_TRUE(Pompa([&] { return host_->FaseAttuale() == Rete::SessioneHost::Fase::InGioco && ospite.InRete()->Pronto(); }));
    GiocaFinoAllaFine(FormBriscola, ospite, mosse);
    EXPECT_EQ(mosse, 40);
    EXPECT_EQ(ospite.Regole.PuntiGiocatore, host_->Partita()->Punti(2));
    EXPECT_EQ(FormBriscola->Regole.PuntiGiocatore, host_->Partita()->Punti(1));
}

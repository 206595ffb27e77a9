// The "Gioca in rete" window over loopback: a host window and a guest window reach each other
// and hand their sessions to the tables; wrong codes, bad boxes and refused connections each
// give a line and no session; the list of announced games fills, fills the boxes and forgets
// hosts that went quiet; the keyboard reaches every control; closing cancels cleanly.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>
#include <functional>
#include <memory>

#include "app/Finestre.h"
#include "app/TFormConfig.h"
#include "app/TFormRete.h"
#include "app/TFormSplashScreen.h"
#include "core/Globali.h"
#include "games/comune/FocusTastiera.h"
#include "net/RicercaPartite.h"
#include "net/SessioneHost.h"
#include "net/SessioneOspite.h"
#include "tests/gui/FinestreDiProva.h"
#include "tests/net/Aspetta.h"

namespace {

QString Nome(QObject* o)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Name) : QString("<none>");
}

struct OrologioFinto {
    qint64 ms = 1000000;
    Rete::Orologio Funzione()
    {
        return [this] { return ms; };
    }
};

// A window kept on loopback: it listens, announces and searches on 127.0.0.1 only, and the
// sessions it hands over land here instead of on a table.
struct Finestra {
    TFormRete f;
    OrologioFinto ora;
    std::unique_ptr<Rete::SessioneHost> consegnatoHost;
    std::unique_ptr<Rete::SessioneOspite> consegnatoOspite;

    explicit Finestra(quint16 portaAnnunci = 0)
    {
        f.IndirizzoAscolto = QHostAddress::LocalHost;
        f.IndirizzoRicerca = QHostAddress::LocalHost;
        f.PortaRicerca = 0;
        f.IndirizziMacchina = [] { return QList<QHostAddress>{QHostAddress("192.0.2.10")}; };
        f.DestinazioniAnnuncio = [portaAnnunci] {
            return portaAnnunci ? QList<QHostAddress>{QHostAddress::LocalHost} : QList<QHostAddress>{};
        };
        f.PortaAnnunci = portaAnnunci;
        f.Orologio = ora.Funzione();
        f.ConsegnaHost = [this](Rete::SessioneHost* s) { consegnatoHost.reset(s); };
        f.ConsegnaOspite = [this](Rete::SessioneOspite* s) { consegnatoOspite.reset(s); };
        f.show();
    }

    // Hosts on a port free at that moment; a port taken between the check and the click is
    // simply tried again with another.
    quint16 Ospita()
    {
        for (int tentativo = 0; tentativo < 20 && !f.Host(); ++tentativo) {
            QTcpServer prova;
            if (!prova.listen(QHostAddress::LocalHost, 0)) continue;
            const quint16 porta = prova.serverPort();
            prova.close();
            f.EditPortaOspita->setText(QString::number(porta));
            f.BtnOspitaClick();
        }
        return f.Host() ? f.Host()->Porta() : 0;
    }

    void Partecipa(const QString& indirizzo, quint16 porta, const QString& codice)
    {
        f.EditIndirizzo->setText(indirizzo);
        f.EditPorta->setText(QString::number(porta));
        f.EditCodice->setText(codice);
        f.BtnPartecipaClick();
    }
};

// A code that is not the host's.
QString Altro(const QString& codice) { return codice == "000000" ? "111111" : "000000"; }

class GiocoInRete : public FinestreDiProva {};

}  // namespace

// ---------------------------------------------------------------- the chooser's button

TEST_F(GiocoInRete, TheChoosersSixthButtonOpensTheWindowAndEscGoesBack)
{
    TFormSplashScreen* c = FormSplashScreen;
    c->show();
    EXPECT_EQ(Nome(c->Spl_Btn_Rete), "Gioca in rete");
    EXPECT_EQ(FormRete, nullptr) << "the window is made at its first use, not at start-up";
    // In the keyboard's order between the last game and the quit button.
    QTest::keyClick(c, Qt::Key_4);
    QTest::keyClick(c, Qt::Key_Down);
    EXPECT_EQ(c->Focus->Corrente(), c->Spl_Btn_Rete);
    QTest::keyClick(c, Qt::Key_Down);
    EXPECT_EQ(c->Focus->Corrente(), c->Spl_Btn_Close);
    QTest::keyClick(c, Qt::Key_6);
    EXPECT_EQ(c->Focus->Corrente(), c->Spl_Btn_Close) << "digit 6 is the last button";
    QTest::keyClick(c, Qt::Key_5);
    EXPECT_EQ(c->Focus->Corrente(), c->Spl_Btn_Rete);
    QTest::keyClick(c, Qt::Key_Return);
    ASSERT_NE(FormRete, nullptr);
    EXPECT_TRUE(FormRete->isVisible());
    EXPECT_EQ(c->Pila().Cima(), FinestraRete);
    EXPECT_EQ(Nome(FormRete), "Gioca in rete");
    QTest::keyClick(FormRete, Qt::Key_Escape);
    EXPECT_FALSE(FormRete->isVisible());
    EXPECT_EQ(c->Pila().Profondita(), 0);
    EXPECT_TRUE(c->isVisible()) << "Esc in the network window goes back to the chooser, it does not quit";
    // Opened again, the same window comes back.
    TFormRete* prima = FormRete;
    c->Spl_Btn_ReteClick();
    EXPECT_EQ(FormRete, prima);
    EXPECT_TRUE(FormRete->isVisible());
}

// ---------------------------------------------------------------- host and guest

TEST_F(GiocoInRete, HostAndGuestWindowsMeetAndHandTheirSessionsToTheTables)
{
    // The name comes from the configuration's name box, as the tables' does.
    FormConfig->NomeGiocat->setText("Mario");
    Finestra ospite;  // searching on a free loopback port
    ASSERT_TRUE(ospite.f.Ricerca());
    Finestra host(ospite.f.Ricerca()->Porta());  // announcing there
    host.f.CBGioco->setCurrentIndex(1);
    const quint16 porta = host.Ospita();
    ASSERT_NE(porta, 0) << host.f.StatoOspita->text().toStdString();
    const QString codice = host.f.Host()->Codice();
    ASSERT_TRUE(Rete::CodiceValido(codice));
    EXPECT_EQ(host.f.EtichettaCodice->text(), codice.left(3) + " " + codice.mid(3)) << "large, in two groups";
    EXPECT_EQ(Nome(host.f.EtichettaCodice), "Codice di invito: " + QStringList(codice.split("", Qt::SkipEmptyParts)).join(' '));
    EXPECT_TRUE(host.f.EtichettaPorta->text().contains(QString::number(porta)));
    EXPECT_TRUE(host.f.EtichettaIndirizzi->text().contains("192.0.2.10"));
    EXPECT_TRUE(host.f.StatoOspita->text().startsWith(QString::fromUtf8("In attesa di un avversario…")));
    // A screen reader hears the code digit by digit, the address and the port.
    EXPECT_TRUE(host.f.Annuncio->text().contains(Nome(host.f.EtichettaCodice))) << host.f.Annuncio->text().toStdString();
    EXPECT_TRUE(host.f.Annuncio->text().contains("192.0.2.10"));
    EXPECT_TRUE(host.f.Annuncio->text().contains(QString::number(porta)));
    EXPECT_EQ(host.f.Host()->NomeHost(), "Mario");
    EXPECT_FALSE(host.f.BtnOspita->isEnabled()) << "one invitation at a time";

    // The guest finds the announced game and picks it: address and port are filled in.
    ASSERT_TRUE(Aspetta([&] { return ospite.f.ListaPartite->count() == 1 && ospite.f.ListaPartite->item(0)->flags() != Qt::NoItemFlags; }));
    EXPECT_EQ(ospite.f.ListaPartite->item(0)->text(),
              QString::fromUtf8("Briscola – Mario (127.0.0.1, porta %1)").arg(porta));
    ospite.f.ListaPartite->setCurrentRow(0);
    EXPECT_EQ(ospite.f.EditIndirizzo->text(), "127.0.0.1");
    EXPECT_EQ(ospite.f.EditPorta->text(), QString::number(porta));

    FormConfig->NomeGiocat->setText("Anna");
    ospite.f.EditCodice->setText(codice);
    ospite.f.BtnPartecipaClick();
    ASSERT_TRUE(ospite.f.Ospite());
    EXPECT_TRUE(ospite.f.StatoPartecipa->text().startsWith("Collegamento a 127.0.0.1"));
    ASSERT_TRUE(Aspetta([&] { return host.consegnatoHost && ospite.consegnatoOspite; }));
    EXPECT_EQ(host.consegnatoHost->FaseAttuale(), Rete::SessioneHost::Fase::InGioco);
    EXPECT_EQ(host.consegnatoHost->NomeOspite(), "Anna");
    EXPECT_EQ(ospite.consegnatoOspite->NomeHost(), "Mario");
    EXPECT_EQ(ospite.consegnatoOspite->QualeGioco(), Rete::Gioco::Briscola);
    EXPECT_EQ(host.consegnatoHost->parent(), nullptr) << "the table owns the session now";
    EXPECT_EQ(host.f.Host(), nullptr);
    EXPECT_EQ(ospite.f.Ospite(), nullptr);
    EXPECT_FALSE(host.f.isVisible());
    EXPECT_FALSE(ospite.f.isVisible());
}

TEST_F(GiocoInRete, ThreeWrongCodesCloseTheInvitationAndEachSideSaysWhy)
{
    Finestra host, ospite;
    const quint16 porta = host.Ospita();
    ASSERT_NE(porta, 0);
    const QString sbagliato = Altro(host.f.Host()->Codice());
    for (int i = 1; i <= 3; ++i) {
        ospite.Partecipa("127.0.0.1", porta, sbagliato);
        ASSERT_TRUE(ospite.f.Ospite()) << i;
        ASSERT_TRUE(Aspetta([&] { return !ospite.f.Ospite(); })) << i;
        const QString riga = ospite.f.StatoPartecipa->text();
        EXPECT_TRUE(riga.contains("Codice di invito errato") || riga.contains("invito è chiuso")) << riga.toStdString();
        EXPECT_TRUE(riga.endsWith("Puoi riprovare.")) << riga.toStdString();
        EXPECT_TRUE(ospite.f.BtnPartecipa->isEnabled()) << "the guest may try again";
        EXPECT_EQ(ospite.f.Annuncio->text(), riga) << "a screen reader hears it too";
        if (i < 3) {
            EXPECT_EQ(ospite.f.focusWidget(), ospite.f.EditCodice) << "the code is what to type again";
            EXPECT_TRUE(host.f.Host()) << "two wrong codes leave the invitation open";
        }
    }
    ASSERT_TRUE(Aspetta([&] { return !host.f.Host(); }));
    EXPECT_TRUE(host.f.StatoOspita->text().contains(QString::fromUtf8("l'invito è chiuso"))) << host.f.StatoOspita->text().toStdString();
    EXPECT_TRUE(host.f.BtnOspita->isEnabled()) << "the host may invite again";
    EXPECT_FALSE(host.consegnatoHost);
    EXPECT_FALSE(ospite.consegnatoOspite);
    // The right code is too late now: nobody listens there any more.
    ospite.Partecipa("127.0.0.1", porta, sbagliato);
    ASSERT_TRUE(Aspetta([&] { return !ospite.f.Ospite(); }));
    EXPECT_TRUE(ospite.f.StatoPartecipa->text().startsWith("Impossibile collegarsi a 127.0.0.1"));
}

TEST_F(GiocoInRete, BadBoxesAndRefusedConnectionsGiveALineAndNoSession)
{
    Finestra w;
    struct Caso {
        const char* indirizzo;
        const char* porta;
        const char* codice;
        const char* riga;  // the start of the line shown
        QLineEdit* TFormRete::*casella;
    };
    const Caso casi[] = {
        {"", "47321", "123456", "Scrivi l'indirizzo", &TFormRete::EditIndirizzo},
        {"   ", "47321", "123456", "Scrivi l'indirizzo", &TFormRete::EditIndirizzo},
        {"300.1.1.1", "47321", "123456", "«300.1.1.1» non è un indirizzo valido", &TFormRete::EditIndirizzo},
        {"192.168.1", "47321", "123456", "«192.168.1» non è un indirizzo valido", &TFormRete::EditIndirizzo},
        {"casa di mario", "47321", "123456", "«casa di mario» non è", &TFormRete::EditIndirizzo},
        {"127.0.0.1", "0", "123456", "La porta deve essere", &TFormRete::EditPorta},
        {"127.0.0.1", "99999", "123456", "La porta deve essere", &TFormRete::EditPorta},
        {"127.0.0.1", "porta", "123456", "La porta deve essere", &TFormRete::EditPorta},
        {"127.0.0.1", "", "123456", "La porta deve essere", &TFormRete::EditPorta},
        {"127.0.0.1", "-1", "123456", "La porta deve essere", &TFormRete::EditPorta},
        {"127.0.0.1", "47321", "12345", "Il codice di invito è di sei cifre", &TFormRete::EditCodice},
        {"127.0.0.1", "47321", "12a456", "Il codice di invito è di sei cifre", &TFormRete::EditCodice},
        {"127.0.0.1", "47321", "", "Il codice di invito è di sei cifre", &TFormRete::EditCodice},
    };
    for (const Caso& c : casi) {
        w.f.EditIndirizzo->setText(QString::fromUtf8(c.indirizzo));
        w.f.EditPorta->setText(c.porta);
        w.f.EditCodice->setText(c.codice);
        w.f.BtnPartecipaClick();
        EXPECT_EQ(w.f.Ospite(), nullptr) << c.indirizzo << " " << c.porta << " " << c.codice;
        EXPECT_TRUE(w.f.StatoPartecipa->text().startsWith(QString::fromUtf8(c.riga)))
            << w.f.StatoPartecipa->text().toStdString();
        EXPECT_EQ(w.f.focusWidget(), w.f.*c.casella) << c.riga;
    }
    // Host names and IPv6 addresses are addresses too.
    for (const char* buono : {"mario-pc", "mario-pc.local", "::1", "192.168.1.5"})
        EXPECT_TRUE(TFormRete::IndirizzoValido(buono)) << buono;

    for (const char* porta : {"0", "99999", "porta", ""}) {
        w.f.EditPortaOspita->setText(porta);
        w.f.BtnOspitaClick();
        EXPECT_EQ(w.f.Host(), nullptr) << porta;
        EXPECT_TRUE(w.f.StatoOspita->text().startsWith("La porta deve essere")) << porta;
    }
    // A port another program holds.
    QTcpServer occupata;
    ASSERT_TRUE(occupata.listen(QHostAddress::LocalHost, 0));
    w.f.EditPortaOspita->setText(QString::number(occupata.serverPort()));
    w.f.BtnOspitaClick();
    EXPECT_EQ(w.f.Host(), nullptr);
    EXPECT_TRUE(w.f.StatoOspita->text().contains("non si può aprire")) << w.f.StatoOspita->text().toStdString();

    // A port held by a socket that does not listen: the connection is refused.
    QTcpSocket nessuno;
    ASSERT_TRUE(nessuno.bind(QHostAddress::LocalHost, 0));
    w.Partecipa("127.0.0.1", nessuno.localPort(), "123456");
    ASSERT_TRUE(w.f.Ospite());
    ASSERT_TRUE(Aspetta([&] { return !w.f.Ospite(); }));
    EXPECT_EQ(w.f.StatoPartecipa->text(),
              QString("Impossibile collegarsi a 127.0.0.1, porta %1. Puoi riprovare.").arg(nessuno.localPort()));
    EXPECT_TRUE(w.f.BtnPartecipa->isEnabled());
    EXPECT_FALSE(w.consegnatoOspite);
}

// ---------------------------------------------------------------- the list

TEST_F(GiocoInRete, TheListShowsAnnouncedGamesAndForgetsHostsThatWentQuiet)
{
    Finestra w;
    ASSERT_TRUE(w.f.Ricerca());
    EXPECT_EQ(w.f.ListaPartite->item(0)->text(), "Nessuna partita trovata finora");
    OrologioFinto oraHost;
    Rete::SessioneHost host;
    host.ImpostaOrologio(oraHost.Funzione());
    ASSERT_TRUE(host.Avvia(Rete::Gioco::Scopa, "Mario", "123456", 5, QHostAddress::LocalHost, 0));
    host.AnnunciaSu(QHostAddress::LocalHost, w.f.Ricerca()->Porta());
    ASSERT_TRUE(Aspetta([&] { return w.f.ListaPartite->item(0)->flags() != Qt::NoItemFlags; }));
    EXPECT_EQ(w.f.ListaPartite->item(0)->text(),
              QString::fromUtf8("Scopa – Mario (127.0.0.1, porta %1)").arg(host.Porta()));
    // Enter on the game: address and port are in, the code is what is left to type.
    w.f.ListaPartite->setCurrentRow(0);
    emit w.f.ListaPartite->itemActivated(w.f.ListaPartite->item(0));
    EXPECT_EQ(w.f.EditIndirizzo->text(), "127.0.0.1");
    EXPECT_EQ(w.f.EditPorta->text(), QString::number(host.Porta()));
    EXPECT_EQ(w.f.focusWidget(), w.f.EditCodice);

    // A host still announcing stays; one quiet for more than ten seconds goes. "Vecchio"
    // announces once, now; Mario announces again 8 s later, "Segno" right after his tick
    // (it marks that Mario's announcement has arrived).
    QUdpSocket altri;
    auto annuncia = [&](const char* nome, quint16 porta) {
        altri.writeDatagram(Rete::Codifica(Rete::Annuncio{Rete::Gioco::Rubamazzo, porta, nome}), QHostAddress::LocalHost,
                            w.f.Ricerca()->Porta());
    };
    annuncia("Vecchio", 1);
    ASSERT_TRUE(Aspetta([&] { return w.f.ListaPartite->count() == 2; }));
    w.ora.ms += 8000;
    oraHost.ms += 2000;
    host.BattitoTimer();
    annuncia("Segno", 2);
    ASSERT_TRUE(Aspetta([&] { return w.f.ListaPartite->count() == 3; }));
    auto nomi = [&] {
        QStringList v;
        for (int i = 0; i < w.f.ListaPartite->count(); ++i) v << w.f.ListaPartite->item(i)->text().section(' ', 2, 2);
        return v.join(' ').toStdString();
    };
    w.ora.ms += 2000;
    w.f.TimerRicercaTimer();
    EXPECT_EQ(nomi(), "Mario Vecchio Segno") << "10 s is not yet gone";
    w.ora.ms += 1000;
    w.f.TimerRicercaTimer();
    EXPECT_EQ(nomi(), "Mario Segno");
    EXPECT_EQ(w.f.ListaPartite->currentRow(), 0) << "the game chosen stays chosen";
    w.ora.ms += 8000;
    w.f.TimerRicercaTimer();
    EXPECT_EQ(w.f.ListaPartite->item(0)->text(), "Nessuna partita trovata finora");
}

TEST_F(GiocoInRete, AListeningPortHeldElsewhereLeavesTheRestWorking)
{
    QUdpSocket altroProgramma;
    ASSERT_TRUE(altroProgramma.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress));
    TFormRete f;
    f.IndirizzoRicerca = QHostAddress::LocalHost;
    f.PortaRicerca = altroProgramma.localPort();
    f.DestinazioniAnnuncio = [] { return QList<QHostAddress>{}; };
    f.show();
    ASSERT_EQ(f.ListaPartite->count(), 1);
    EXPECT_TRUE(f.ListaPartite->item(0)->text().startsWith("Ricerca non disponibile"));
    EXPECT_FALSE(f.ListaPartite->isEnabled());
    EXPECT_TRUE(f.BtnPartecipa->isEnabled());
    EXPECT_TRUE(f.BtnOspita->isEnabled());
}

// ---------------------------------------------------------------- keyboard and closing

TEST_F(GiocoInRete, TabReachesEveryControlInOrderAndEnterPressesTheFocusedButton)
{
    Finestra w;
    QApplication::setActiveWindow(&w.f);
    ASSERT_TRUE(w.f.isActiveWindow());
    EXPECT_EQ(QApplication::focusWidget(), w.f.CBGioco) << "the window opens on its first control";
    // The cancel buttons are greyed while there is nothing to cancel: Tab passes them.
    const std::vector<QWidget*> ordine{w.f.EditPortaOspita, w.f.BtnOspita, w.f.EditIndirizzo, w.f.EditPorta,
                                       w.f.EditCodice, w.f.ListaPartite, w.f.BtnPartecipa, w.f.BtnChiudi,
                                       w.f.CBGioco};
    for (QWidget* atteso : ordine) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), atteso) << Nome(atteso).toStdString();
    }
    // Every control has a name, and every box is read with its caption.
    for (QWidget* c : ordine) EXPECT_FALSE(Nome(c).isEmpty()) << c->objectName().toStdString();
    for (QWidget* c : std::initializer_list<QWidget*>{w.f.BtnAnnullaOspita, w.f.BtnAnnullaPartecipa, w.f.EtichettaCodice})
        EXPECT_FALSE(Nome(c).isEmpty()) << c->objectName().toStdString();
    int compagne = 0;
    for (QLabel* l : w.f.findChildren<QLabel*>())
        if (l->buddy()) ++compagne;
    EXPECT_EQ(compagne, 6) << "game, two ports, address, code and the list each have their caption";

    // Alt and a caption's underlined letter jump to its box.
    const std::pair<Qt::Key, QWidget*> scorciatoie[] = {{Qt::Key_C, w.f.EditCodice}, {Qt::Key_I, w.f.EditIndirizzo},
                                                        {Qt::Key_O, w.f.EditPorta},  {Qt::Key_P, w.f.EditPortaOspita},
                                                        {Qt::Key_R, w.f.ListaPartite}, {Qt::Key_G, w.f.CBGioco}};
    for (const auto& [tasto, box] : scorciatoie) {
        QTest::keyClick(QApplication::focusWidget(), tasto, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), box) << box->objectName().toStdString();
    }

    // Enter on Partecipa with empty boxes: the line, no session.
    w.f.BtnPartecipa->setFocus();
    QTest::keyClick(w.f.BtnPartecipa, Qt::Key_Return);
    EXPECT_TRUE(w.f.StatoPartecipa->text().startsWith("Scrivi l'indirizzo"));
    // Enter in the port box hosts; the focus goes to the cancel button, and Enter there cancels.
    quint16 porta = 0;
    for (int tentativo = 0; tentativo < 20 && !w.f.Host(); ++tentativo) {
        QTcpServer prova;
        if (!prova.listen(QHostAddress::LocalHost, 0)) continue;
        porta = prova.serverPort();
        prova.close();
        w.f.EditPortaOspita->setText(QString::number(porta));
        w.f.EditPortaOspita->setFocus();
        QTest::keyClick(w.f.EditPortaOspita, Qt::Key_Return);
    }
    ASSERT_TRUE(w.f.Host());
    EXPECT_EQ(QApplication::focusWidget(), w.f.BtnAnnullaOspita);
    QTest::keyClick(w.f.BtnAnnullaOspita, Qt::Key_Enter);
    EXPECT_EQ(w.f.Host(), nullptr);
    EXPECT_EQ(w.f.StatoOspita->text(), "Invito annullato.");
    // Enter on Chiudi closes the window.
    w.f.BtnChiudi->setFocus();
    QTest::keyClick(w.f.BtnChiudi, Qt::Key_Return);
    EXPECT_FALSE(w.f.isVisible());
}

TEST_F(GiocoInRete, ClosingTheWindowCancelsAWaitingHostAndAConnectingGuest)
{
    Finestra w;
    const quint16 porta = w.Ospita();
    ASSERT_NE(porta, 0);
    // A host that lets the guest in and never answers: the guest stays connecting.
    QTcpServer muto;
    ASSERT_TRUE(muto.listen(QHostAddress::LocalHost, 0));
    QTcpSocket* arrivato = nullptr;
    QObject::connect(&muto, &QTcpServer::newConnection, [&] { arrivato = muto.nextPendingConnection(); });
    w.Partecipa("127.0.0.1", muto.serverPort(), "123456");
    ASSERT_TRUE(Aspetta([&] { return arrivato && arrivato->bytesAvailable() > 0; })) << "the guest said hello";
    ASSERT_TRUE(w.f.Ospite());
    bool caduto = false;
    QObject::connect(arrivato, &QTcpSocket::disconnected, [&] { caduto = true; });

    QTest::keyClick(&w.f, Qt::Key_Escape);
    EXPECT_FALSE(w.f.isVisible());
    EXPECT_EQ(w.f.Host(), nullptr);
    EXPECT_EQ(w.f.Ospite(), nullptr);
    ASSERT_TRUE(Aspetta([&] { return caduto; })) << "the guest's connection is closed";
    // The host's port is free again.
    QTcpServer dopo;
    EXPECT_TRUE(dopo.listen(QHostAddress::LocalHost, porta)) << dopo.errorString().toStdString();
    EXPECT_FALSE(w.consegnatoHost);
    EXPECT_FALSE(w.consegnatoOspite);
    // Shown again: nothing of the last invitation is left.
    w.f.show();
    EXPECT_EQ(Nome(w.f.EtichettaCodice), "Codice di invito: nessuno");
    EXPECT_TRUE(w.f.BtnOspita->isEnabled());
}

// Host and guest over a real loopback socket: whole games, what the guest receives, a raw
// client that misbehaves, lost connections, heartbeats and deadlines on fake clocks.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTcpSocket>
#include <QUdpSocket>
#include <functional>
#include <memory>

#include "net/CodificaGiochi.h"
#include "net/Invito.h"
#include "net/RegistroRete.h"
#include "net/RicercaPartite.h"
#include "net/SessioneHost.h"
#include "net/SessioneOspite.h"
#include "scores/PunteggiFile.h"
#include "tests/net/Aspetta.h"

using namespace Rete;

namespace {

const QString Codice = QStringLiteral("135790");
const QString Locale = QStringLiteral("127.0.0.1");

struct OrologioFinto {
    qint64 ms = 1000000;
    Rete::Orologio Funzione() { return [this] { return ms; }; }
};

// A seat's move from its encoded view: the rule player for the host, a seeded random
// player for the guest.
class Giocatori {
public:
    explicit Giocatori(std::uint64_t seme) : cs_(seme), cb_(seme), cr_(seme), nb_(seme + 1) {}
    QByteArray Scegli(Gioco g, const QByteArray& vista, bool host)
    {
        switch (g) {
        case Gioco::Scopa: {
            VistaScopa v;
            EXPECT_TRUE(DecodificaVista(vista, v));
            return CodificaMossa(host ? ns_.Scegli(v) : cs_.Scegli(v));
        }
        case Gioco::Briscola: {
            VistaBriscola v;
            EXPECT_TRUE(DecodificaVista(vista, v));
            return CodificaMossa(host ? nb_.Scegli(v) : cb_.Scegli(v));
        }
        case Gioco::Rubamazzo: {
            VistaRubamazzo v;
            EXPECT_TRUE(DecodificaVista(vista, v));
            return CodificaMossa(host ? nr_.Scegli(v) : cr_.Scegli(v));
        }
        }
        return {};
    }

private:
    NormaleScopa ns_;
    CasualeScopa cs_;
    CasualeBriscola cb_;
    CasualeRubamazzo cr_;
    NormaleBriscola nb_;
    NormaleRubamazzo nr_;
};

// Both sides of one game in this process, each seat played by a player whenever its turn
// comes (from the event loop, as a table's timer would).
struct Tavolata {
    Gioco gioco;
    OrologioFinto oraHost, oraOspite;
    SessioneHost host;
    SessioneOspite ospite;
    Giocatori giocatori{7};
    bool fermi = false;  // nobody moves while a test cuts the connection
    int esitoHost = -1, esitoOspite = -1;
    QString percheHost, percheOspite;
    // What the host wrote to the guest, frame by frame, with the cards hidden from the guest
    // at that moment; and every byte the guest received.
    std::vector<QByteArray> inviati;
    std::vector<std::set<int>> nascoste;
    QByteArray ricevuti;
    int quadri = 0;
    quint32 giocata = 0;  // the state the guest last answered

    explicit Tavolata(Gioco g, std::uint32_t seme = 99) : gioco(g)
    {
        host.ImpostaOrologio(oraHost.Funzione());
        ospite.ImpostaOrologio(oraOspite.Funzione());
        EXPECT_TRUE(host.Avvia(g, QStringLiteral("Anna"), Codice, seme, QHostAddress::LocalHost, 0)) << host.Errore().toStdString();
        QObject::connect(&host, &SessioneHost::Inviato, [this](const QByteArray& f) {
            inviati.push_back(f);
            nascoste.push_back(host.Partita()->CarteNascoste(2));
        });
        QObject::connect(&ospite, &SessioneOspite::DatiRicevuti, [this](const QByteArray& b) { ricevuti += b; });
        QObject::connect(&host, &SessioneHost::StatoCambiato, [this] { Prossimo(); });
        QObject::connect(&host, &SessioneHost::OspiteArrivato, [this] { Prossimo(); });
        QObject::connect(&ospite, &SessioneOspite::QuadroRicevuto, [this] {
            ++quadri;
            Prossimo();
        });
        QObject::connect(&host, &SessioneHost::PartitaTerminata, [this](int e, const QString& p) {
            esitoHost = e;
            percheHost = p;
        });
        QObject::connect(&ospite, &SessioneOspite::PartitaTerminata, [this](int e, const QString& p) {
            esitoOspite = e;
            percheOspite = p;
        });
    }
    void Collega() { EXPECT_TRUE(ospite.Collega(Locale, host.Porta(), Codice, QStringLiteral("Bruno"))); }
    // Plays the next move of whoever is to move, later from the event loop.
    void Prossimo()
    {
        QMetaObject::invokeMethod(&host, [this] {
            if (fermi) return;
            if (host.FaseAttuale() == SessioneHost::Fase::InGioco && host.Partita()->Turno() == 1)
                host.GiocaHost(giocatori.Scegli(gioco, host.Partita()->Vista(1), true));
            else if (ospite.FaseAttuale() == SessioneOspite::Fase::InGioco && ospite.UltimoQuadro().turno == 2 &&
                     ospite.UltimoQuadro().sequenza != giocata) {
                // One move per state, however many times the turn is looked at.
                giocata = ospite.UltimoQuadro().sequenza;
                ospite.GiocaMossa(giocatori.Scegli(gioco, ospite.UltimoQuadro().vista, false));
            }
        }, Qt::QueuedConnection);
    }
    bool Finita() const { return esitoHost >= 0 && esitoOspite >= 0; }
};

// A hand-written client that speaks the protocol one frame at a time.
class ClienteGrezzo {
public:
    explicit ClienteGrezzo(quint16 porta)
    {
        s_.connectToHost(Locale, porta);
        EXPECT_TRUE(s_.waitForConnected(10000));
    }
    void Scrivi(const QByteArray& b) { s_.write(b); s_.flush(); }
    // The next frame from the host, or false when the connection closes first.
    bool Leggi(Messaggio& m)
    {
        for (;;) {
            if (r_.Prossimo(m) == Raccoglitore::Esito::Pronto) return true;
            if (s_.state() != QAbstractSocket::ConnectedState && s_.bytesAvailable() == 0) return false;
            if (!Aspetta([this] { return s_.bytesAvailable() > 0 || s_.state() != QAbstractSocket::ConnectedState; }))
                return false;
            r_.Aggiungi(s_.readAll());
        }
    }
    bool Chiusa()
    {
        return Aspetta([this] {
            s_.readAll();
            return s_.state() == QAbstractSocket::UnconnectedState;
        });
    }
    // Hello, challenge, answer with `codice`; the host's reply.
    Messaggio Presentati(const QString& codice, const QString& nome = QStringLiteral("Bruno"))
    {
        Scrivi(Codifica(Ciao{nome, {}}));
        Messaggio m;
        EXPECT_TRUE(Leggi(m));
        Sfida s;
        if (m.tipo != Tipo::Sfida || !Decodifica(m.campi, s)) {
            ADD_FAILURE() << "no challenge";
            return m;
        }
        Scrivi(CodificaRisposta(RispostaSfida(codice, s.nonce, nome)));
        EXPECT_TRUE(Leggi(m));
        return m;
    }
    QTcpSocket& Socket() { return s_; }

private:
    QTcpSocket s_;
    Raccoglitore r_;
};

Motivo MotivoDi(const Messaggio& m)
{
    Rifiuto r;
    EXPECT_EQ(m.tipo, Tipo::Rifiuto);
    EXPECT_TRUE(Decodifica(m.campi, r));
    return r.motivo;
}

std::set<int> CarteNelQuadro(const Quadro& q)
{
    switch (q.gioco) {
    case Gioco::Scopa: { VistaScopa v; EXPECT_TRUE(DecodificaVista(q.vista, v)); return CarteDellaVista(v); }
    case Gioco::Briscola: { VistaBriscola v; EXPECT_TRUE(DecodificaVista(q.vista, v)); return CarteDellaVista(v); }
    case Gioco::Rubamazzo: { VistaRubamazzo v; EXPECT_TRUE(DecodificaVista(q.vista, v)); return CarteDellaVista(v); }
    }
    return {};
}

}  // namespace

// Each game is played to its end between two sessions over loopback; both sides agree on
// the result, and no frame the guest received names a card of the host's hand or of the
// undealt deck as they stood when it was sent.
TEST(SessioniRete, WholeGamesEndTheSameOnBothSidesAndTheGuestNeverSeesAHiddenCard)
{
    for (Gioco g : {Gioco::Scopa, Gioco::Briscola, Gioco::Rubamazzo}) {
        SCOPED_TRACE(NomeGioco(g).toStdString());
        Tavolata t(g);
        t.Collega();
        ASSERT_TRUE(Aspetta([&] { return t.Finita(); }, 60000));
        EXPECT_GE(t.esitoHost, 1);
        EXPECT_EQ(t.esitoHost, t.esitoOspite);
        EXPECT_EQ(t.percheOspite, QStringLiteral("Partita conclusa."));
        EXPECT_EQ(t.host.Partita()->Esito(), t.esitoHost);
        EXPECT_EQ(t.ospite.UltimoQuadro().punti[1], t.host.Partita()->Punti(1));
        EXPECT_EQ(t.ospite.UltimoQuadro().punti[2], t.host.Partita()->Punti(2));
        EXPECT_EQ(t.host.MosseRifiutate(), 0);
        EXPECT_GT(t.quadri, 10);

        // The guest's bytes: the challenge, then exactly the frames the host sent it.
        ASSERT_TRUE(Aspetta([&] {
            qsizetype n = 0;
            for (const auto& f : t.inviati) n += f.size();
            return t.ricevuti.size() > n;
        }));
        Raccoglitore r;
        r.Aggiungi(t.ricevuti);
        Messaggio m;
        ASSERT_EQ(r.Prossimo(m), Raccoglitore::Esito::Pronto);
        EXPECT_EQ(m.tipo, Tipo::Sfida);
        QByteArray resto = t.ricevuti.mid(t.ricevuti.size() - r.InAttesa());
        int stati = 0;
        for (size_t i = 0; i < t.inviati.size(); ++i) {
            ASSERT_TRUE(resto.startsWith(t.inviati[i])) << "frame " << i;
            resto.remove(0, t.inviati[i].size());
            Raccoglitore uno;
            uno.Aggiungi(t.inviati[i]);
            ASSERT_EQ(uno.Prossimo(m), Raccoglitore::Esito::Pronto);
            if (m.tipo != Tipo::Stato) continue;
            Quadro q;
            ASSERT_TRUE(Decodifica(m.campi, q));
            ++stati;
            for (int c : CarteNelQuadro(q))
                ASSERT_FALSE(t.nascoste[i].count(c)) << "frame " << i << " shows hidden card " << c;
        }
        EXPECT_TRUE(resto.isEmpty());
        EXPECT_EQ(stati, t.quadri);
    }
}

// A raw client misbehaving in every way the protocol refuses: each attempt is refused and
// the host's game is still there for the real guest, which then plays on.
TEST(SessioniRete, ARawClientIsRefusedEachTimeAndTheGameGoesOn)
{
    OrologioFinto ora;
    SessioneHost host;
    host.ImpostaOrologio(ora.Funzione());
    ASSERT_TRUE(host.Avvia(Gioco::Scopa, QStringLiteral("Anna"), Codice, 4242u, QHostAddress::LocalHost, 0));
    const quint16 porta = host.Porta();

    {
        SCOPED_TRACE("garbage");
        ClienteGrezzo c(porta);
        c.Scrivi("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
        EXPECT_TRUE(c.Chiusa());
    }
    {
        SCOPED_TRACE("oversize length");
        ClienteGrezzo c(porta);
        c.Scrivi(QByteArray("\x00\x10\x00\x00\x01\x01", 6));
        EXPECT_TRUE(c.Chiusa());
    }
    {
        SCOPED_TRACE("wrong version");
        ClienteGrezzo c(porta);
        c.Scrivi(Scrittore(Tipo::Ciao).Testo(QStringLiteral("Bruno")).Byte({}).CorniceVersione(7));
        Messaggio m;
        ASSERT_TRUE(c.Leggi(m));
        EXPECT_EQ(m.versione, VersioneProtocollo);
        Rifiuto r;
        ASSERT_TRUE(Decodifica(m.campi, r));
        EXPECT_EQ(r.motivo, Motivo::VersioneDiversa);
        EXPECT_TRUE(r.testo.contains(QStringLiteral("versione 7"))) << r.testo.toStdString();
        EXPECT_TRUE(c.Chiusa());
    }
    {
        SCOPED_TRACE("a move before any introduction");
        ClienteGrezzo c(porta);
        c.Scrivi(Codifica(MossaRete{1, CodificaMossa(MossaScopa{1, {}, 0})}));
        EXPECT_TRUE(c.Chiusa());
    }
    {
        SCOPED_TRACE("wrong code twice");
        for (int i = 0; i < 2; ++i) {
            ClienteGrezzo c(porta);
            EXPECT_EQ(MotivoDi(c.Presentati(QStringLiteral("000000"))), Motivo::CodiceErrato);
        }
    }
    EXPECT_EQ(host.FaseAttuale(), SessioneHost::Fase::AttesaOspite);
    EXPECT_EQ(host.Partita()->Turno(), 1);

    // The real guest, by hand, with the right code.
    ClienteGrezzo ospite(porta);
    Messaggio m = ospite.Presentati(Codice);
    ASSERT_EQ(m.tipo, Tipo::Benvenuto);
    Quadro q;
    ASSERT_TRUE(ospite.Leggi(m));
    ASSERT_EQ(m.tipo, Tipo::Stato);
    ASSERT_TRUE(Decodifica(m.campi, q));
    EXPECT_EQ(q.turno, 1);  // the host leads the first hand
    {
        SCOPED_TRACE("a second guest with the right code");
        ClienteGrezzo altro(porta);
        Messaggio r;
        altro.Scrivi(Codifica(Ciao{QStringLiteral("Carlo"), {}}));
        ASSERT_TRUE(altro.Leggi(r));
        EXPECT_EQ(MotivoDi(r), Motivo::PartitaPiena);
    }

    auto rifiuto = [&](Motivo atteso) {
        Messaggio r;
        ASSERT_TRUE(ospite.Leggi(r));
        quint32 seq;
        Motivo motivo;
        ASSERT_EQ(r.tipo, Tipo::MossaRifiutata);
        ASSERT_TRUE(DecodificaMossaRifiutata(r.campi, seq, motivo));
        EXPECT_EQ(motivo, atteso);
    };
    VistaScopa v;
    ASSERT_TRUE(DecodificaVista(q.vista, v));
    const QByteArray vistaPrima = host.Partita()->Vista(1);
    {
        SCOPED_TRACE("a move out of turn");
        ospite.Scrivi(Codifica(MossaRete{q.sequenza, CodificaMossa(MosseLegaliScopa(v)[0])}));
        rifiuto(Motivo::FuoriTurno);
        EXPECT_EQ(host.Partita()->Vista(1), vistaPrima);
    }
    NormaleScopa normale;
    VistaScopa vh;
    ASSERT_TRUE(DecodificaVista(host.Partita()->Vista(1), vh));
    ASSERT_EQ(host.GiocaHost(CodificaMossa(normale.Scegli(vh))), PartitaRete::Applicata);
    ASSERT_TRUE(ospite.Leggi(m));
    ASSERT_TRUE(Decodifica(m.campi, q));
    ASSERT_EQ(q.turno, 2);
    ASSERT_TRUE(DecodificaVista(q.vista, v));
    const QByteArray vistaOspite = host.Partita()->Vista(2);
    {
        SCOPED_TRACE("an illegal move: capturing an empty table place");
        MossaScopa illegale;
        illegale.Slot = 1;
        illegale.NumeroPosti = 1;
        illegale.Posti[0] = 39;
        ospite.Scrivi(Codifica(MossaRete{q.sequenza, CodificaMossa(illegale)}));
        rifiuto(Motivo::MossaIllegale);
        EXPECT_EQ(host.Partita()->Vista(2), vistaOspite);
    }
    {
        SCOPED_TRACE("a move answering an old state");
        ospite.Scrivi(Codifica(MossaRete{q.sequenza - 1, CodificaMossa(MosseLegaliScopa(v)[0])}));
        rifiuto(Motivo::FuoriTurno);
    }
    EXPECT_EQ(host.MosseRifiutate(), 3);
    {
        SCOPED_TRACE("a legal move is applied");
        ospite.Scrivi(Codifica(MossaRete{q.sequenza, CodificaMossa(MosseLegaliScopa(v)[0])}));
        ASSERT_TRUE(ospite.Leggi(m));
        Quadro dopo;
        ASSERT_TRUE(Decodifica(m.campi, dopo));
        EXPECT_EQ(dopo.sequenza, q.sequenza + 1);
        EXPECT_EQ(dopo.turno, 1);
    }
    {
        SCOPED_TRACE("a malformed move ends that connection, not the game");
        ospite.Scrivi(Codifica(MossaRete{q.sequenza + 1, QByteArray("\x09\x00", 2)}));
        EXPECT_TRUE(ospite.Chiusa());
        ASSERT_TRUE(Aspetta([&] { return host.FaseAttuale() == SessioneHost::Fase::AttesaRitorno; }));
        EXPECT_EQ(host.Partita()->Turno(), 1);
    }
}

TEST(SessioniRete, ThreeWrongCodesCloseTheInvitation)
{
    SessioneHost host;
    ASSERT_TRUE(host.Avvia(Gioco::Briscola, QStringLiteral("Anna"), Codice, 1u, QHostAddress::LocalHost, 0));
    int chiuso = 0, fine = 0;
    QObject::connect(&host, &SessioneHost::InvitoChiuso, [&] { ++chiuso; });
    QObject::connect(&host, &SessioneHost::PartitaTerminata, [&](int e, const QString&) { fine += e == 0; });
    const quint16 porta = host.Porta();
    const Motivo attesi[] = {Motivo::CodiceErrato, Motivo::CodiceErrato, Motivo::InvitoChiuso};
    for (Motivo atteso : attesi) {
        ClienteGrezzo c(porta);
        EXPECT_EQ(MotivoDi(c.Presentati(QStringLiteral("999999"))), atteso);
    }
    EXPECT_EQ(chiuso, 1);
    EXPECT_EQ(fine, 1);
    EXPECT_FALSE(host.InvitoAperto());
    // Nobody gets in any more, not even with the right code.
    QTcpSocket s;
    s.connectToHost(Locale, porta);
    EXPECT_FALSE(s.waitForConnected(5000) && s.waitForReadyRead(2000));
}

TEST(SessioniRete, TheWrongCodeOnAGuestsOwnSessionIsRefused)
{
    Tavolata t(Gioco::Scopa);
    QString rifiuto;
    QObject::connect(&t.ospite, &SessioneOspite::PartitaTerminata, [&](int, const QString& p) { rifiuto = p; });
    ASSERT_TRUE(t.ospite.Collega(Locale, t.host.Porta(), QStringLiteral("135791"), QStringLiteral("Bruno")));
    ASSERT_TRUE(Aspetta([&] { return !rifiuto.isEmpty(); }));
    EXPECT_TRUE(rifiuto.contains(QStringLiteral("restano 2"))) << rifiuto.toStdString();
    EXPECT_EQ(t.host.FaseAttuale(), SessioneHost::Fase::AttesaOspite);
    // Bad arguments never start a connection.
    SessioneOspite altro;
    EXPECT_FALSE(altro.Collega(Locale, t.host.Porta(), QStringLiteral("12345"), QStringLiteral("Bruno")));
    EXPECT_FALSE(altro.Collega(Locale, t.host.Porta(), Codice, QString()));
}

// The connection is cut mid-game, noticed by either side's silence; the guest comes back
// with its token and both go on from exactly the same position to the end.
TEST(SessioniRete, ACutConnectionResumesTheSamePosition)
{
    for (bool notaOspite : {true, false}) {
        SCOPED_TRACE(notaOspite ? "the guest notices a quiet host" : "the host notices a quiet guest");
        Tavolata t(Gioco::Scopa, 31);
        QString inAttesaHost, inAttesaOspite;
        int tornato = 0;
        QObject::connect(&t.host, &SessioneHost::OspiteInAttesa, [&](const QString& n) { inAttesaHost = n; });
        QObject::connect(&t.ospite, &SessioneOspite::HostInAttesa, [&](const QString& n) { inAttesaOspite = n; });
        QObject::connect(&t.ospite, &SessioneOspite::Tornato, [&] { ++tornato; });
        t.Collega();
        ASSERT_TRUE(Aspetta([&] { return t.quadri >= 15; }));
        t.fermi = true;
        // Let any move already on its way arrive.
        ASSERT_TRUE(Aspetta([&] {
            return t.ospite.UltimoQuadro().vista == t.host.Partita()->Vista(2) &&
                   t.ospite.UltimoQuadro().turno == t.host.Partita()->Turno();
        }));
        const Quadro prima = t.ospite.UltimoQuadro();
        const QByteArray vistaHost = t.host.Partita()->Vista(1);

        if (notaOspite) {
            t.oraOspite.ms += SilenzioMassimo + 1;
            t.ospite.BattitoTimer();
            EXPECT_EQ(t.ospite.FaseAttuale(), SessioneOspite::Fase::AttesaRitorno);
            EXPECT_EQ(inAttesaOspite, QStringLiteral("Anna"));
            ASSERT_TRUE(Aspetta([&] { return !inAttesaHost.isEmpty(); }));
        } else {
            t.oraHost.ms += SilenzioMassimo + 1;
            t.host.BattitoTimer();
            EXPECT_EQ(t.host.FaseAttuale(), SessioneHost::Fase::AttesaRitorno);
            ASSERT_TRUE(Aspetta([&] { return !inAttesaOspite.isEmpty(); }));
        }
        EXPECT_EQ(inAttesaHost, QStringLiteral("Bruno"));
        // The host refuses the host's own move while the guest is away.
        if (t.host.Partita()->Turno() == 1) {
            EXPECT_EQ(t.host.GiocaHost(t.giocatori.Scegli(Gioco::Scopa, t.host.Partita()->Vista(1), true)),
                      PartitaRete::Illegale);
        }

        // A minute later the guest's tick tries again and gets back in.
        t.oraOspite.ms += 60000;
        t.oraHost.ms += 60000;
        t.host.BattitoTimer();
        t.ospite.BattitoTimer();
        ASSERT_TRUE(Aspetta([&] { return tornato == 1 && t.ospite.UltimoQuadro().sequenza >= prima.sequenza && t.quadri > 15; }));
        EXPECT_EQ(t.host.FaseAttuale(), SessioneHost::Fase::InGioco);
        EXPECT_EQ(t.ospite.UltimoQuadro().sequenza, prima.sequenza);
        EXPECT_EQ(t.ospite.UltimoQuadro().vista, prima.vista);
        EXPECT_EQ(t.ospite.UltimoQuadro().turno, prima.turno);
        EXPECT_EQ(t.host.Partita()->Vista(1), vistaHost);

        t.fermi = false;
        t.Prossimo();
        ASSERT_TRUE(Aspetta([&] { return t.Finita(); }, 60000));
        EXPECT_GE(t.esitoHost, 1);
        EXPECT_EQ(t.esitoHost, t.esitoOspite);
    }
}

// Heartbeats keep a slow game alive; a peer that says nothing is noticed once its
// heartbeat time has passed, and not before.
TEST(SessioniRete, AQuietPeerIsNoticedWithinItsHeartbeatTime)
{
    Tavolata t(Gioco::Briscola);
    t.fermi = true;
    t.Collega();
    ASSERT_TRUE(Aspetta([&] { return t.ospite.HaQuadro() && t.host.UltimoDatoOspite() == t.oraHost.ms; }));
    // A minute of nobody moving, both sides ticking once a second; each heartbeat is
    // delivered before the next tick. Neither side ever calls the other quiet.
    int battiti = 0;
    for (int s = 0; s < 60; ++s) {
        t.oraHost.ms += 1000;
        t.oraOspite.ms += 1000;
        const size_t inviati = t.inviati.size();
        const qsizetype ricevuti = t.ricevuti.size();
        const qint64 sentito = t.host.UltimoDatoOspite();
        t.host.BattitoTimer();
        t.ospite.BattitoTimer();
        if (t.inviati.size() > inviati) {
            ++battiti;
            ASSERT_TRUE(Aspetta([&] { return t.ricevuti.size() > ricevuti && t.host.UltimoDatoOspite() > sentito; }));
        }
        ASSERT_EQ(t.host.FaseAttuale(), SessioneHost::Fase::InGioco) << "second " << s;
        ASSERT_EQ(t.ospite.FaseAttuale(), SessioneOspite::Fase::InGioco) << "second " << s;
    }
    EXPECT_EQ(battiti, 12);

    // Now the guest goes quiet: the host still waits at the limit and notices just past it.
    const qint64 ultimo = t.host.UltimoDatoOspite();
    t.oraHost.ms = ultimo + SilenzioMassimo;
    t.host.BattitoTimer();
    EXPECT_EQ(t.host.FaseAttuale(), SessioneHost::Fase::InGioco);
    t.oraHost.ms = ultimo + SilenzioMassimo + 1;
    t.host.BattitoTimer();
    EXPECT_EQ(t.host.FaseAttuale(), SessioneHost::Fase::AttesaRitorno);
}

TEST(SessioniRete, HeartbeatsAreSentOnlyWhenTheLineIsIdle)
{
    Tavolata t(Gioco::Rubamazzo);
    t.fermi = true;
    t.Collega();
    ASSERT_TRUE(Aspetta([&] { return t.ospite.HaQuadro(); }));
    const size_t prima = t.inviati.size();
    t.oraHost.ms += IntervalloBattito - 1;
    t.host.BattitoTimer();
    EXPECT_EQ(t.inviati.size(), prima);
    t.oraHost.ms += 1;
    t.host.BattitoTimer();
    ASSERT_EQ(t.inviati.size(), prima + 1);
    EXPECT_EQ(t.inviati.back(), CodificaBattito());
}

TEST(SessioniRete, TheGameEndsUnfinishedWhenTheGuestDoesNotComeBackInTwoMinutes)
{
    Tavolata t(Gioco::Scopa);
    t.fermi = true;
    t.Collega();
    ASSERT_TRUE(Aspetta([&] { return t.ospite.HaQuadro(); }));
    t.oraHost.ms += SilenzioMassimo + 1;
    t.host.BattitoTimer();
    ASSERT_EQ(t.host.FaseAttuale(), SessioneHost::Fase::AttesaRitorno);
    t.oraHost.ms += AttesaRitorno;
    t.host.BattitoTimer();
    EXPECT_EQ(t.host.FaseAttuale(), SessioneHost::Fase::AttesaRitorno);
    t.oraHost.ms += 1;
    t.host.BattitoTimer();
    EXPECT_EQ(t.host.FaseAttuale(), SessioneHost::Fase::Finita);
    EXPECT_EQ(t.esitoHost, 0);
    EXPECT_EQ(t.percheHost, QStringLiteral("Bruno non è tornato entro due minuti."));
    // The guest, coming back now, is refused and gives up.
    t.oraOspite.ms += SilenzioMassimo + 1;
    t.ospite.BattitoTimer();
    ASSERT_TRUE(Aspetta([&] { return t.ospite.FaseAttuale() != SessioneOspite::Fase::InGioco; }));
    t.oraOspite.ms += IntervalloBattito;
    t.ospite.BattitoTimer();
    t.oraOspite.ms += AttesaRitorno;
    t.ospite.BattitoTimer();
    ASSERT_TRUE(Aspetta([&] { return t.esitoOspite >= 0; }));
    EXPECT_EQ(t.esitoOspite, 0);
}

TEST(SessioniRete, ClosingATableEndsTheGameForBothWithTheReason)
{
    for (bool chiudeHost : {true, false}) {
        Tavolata t(Gioco::Briscola);
        t.fermi = true;
        t.Collega();
        ASSERT_TRUE(Aspetta([&] { return t.ospite.HaQuadro(); }));
        if (chiudeHost)
            t.host.Chiudi();
        else
            t.ospite.Chiudi();
        ASSERT_TRUE(Aspetta([&] { return t.Finita(); }));
        EXPECT_EQ(t.esitoHost, 0);
        EXPECT_EQ(t.esitoOspite, 0);
        if (chiudeHost) {
            EXPECT_EQ(t.percheOspite, QStringLiteral("Anna ha chiuso il tavolo."));
        } else {
            EXPECT_EQ(t.percheHost, QStringLiteral("Bruno ha lasciato la partita."));
        }
    }
}

TEST(SessioniRete, TheGuestGivesUpWhenTheHostIsGoneForTwoMinutes)
{
    OrologioFinto ora;
    auto host = std::make_unique<SessioneHost>();
    ASSERT_TRUE(host->Avvia(Gioco::Scopa, QStringLiteral("Anna"), Codice, 3u, QHostAddress::LocalHost, 0));
    SessioneOspite ospite;
    ospite.ImpostaOrologio(ora.Funzione());
    QString perche;
    int esito = -1;
    QObject::connect(&ospite, &SessioneOspite::PartitaTerminata, [&](int e, const QString& p) { esito = e; perche = p; });
    ASSERT_TRUE(ospite.Collega(Locale, host->Porta(), Codice, QStringLiteral("Bruno")));
    ASSERT_TRUE(Aspetta([&] { return ospite.HaQuadro(); }));
    host.reset();  // the host's program is gone without a word
    ASSERT_TRUE(Aspetta([&] { return ospite.FaseAttuale() == SessioneOspite::Fase::AttesaRitorno; }));
    for (qint64 passato = 0; passato <= AttesaRitorno; passato += IntervalloBattito) {
        ora.ms += IntervalloBattito;
        ospite.BattitoTimer();
        QCoreApplication::processEvents();
    }
    ora.ms += 1;
    ospite.BattitoTimer();
    ASSERT_TRUE(Aspetta([&] { return esito >= 0; }));
    EXPECT_EQ(esito, 0);
    EXPECT_EQ(perche, QStringLiteral("Anna non ha risposto per due minuti."));
}

// The announcement goes to an address the test chooses (loopback here), only while the
// host waits; a stray datagram is not a game.
TEST(SessioniRete, AWaitingHostIsFoundByItsAnnouncement)
{
    RicercaPartite ricerca;
    ASSERT_TRUE(ricerca.Ascolta(QHostAddress::LocalHost, 0));
    Tavolata t(Gioco::Rubamazzo);
    t.fermi = true;
    QUdpSocket estraneo;
    estraneo.writeDatagram(QByteArray("\x00\x00\x00\x05\x01\x0b\x01\x00", 8), QHostAddress::LocalHost, ricerca.Porta());
    estraneo.writeDatagram(CodificaBattito(), QHostAddress::LocalHost, ricerca.Porta());
    t.host.AnnunciaSu(QHostAddress::LocalHost, ricerca.Porta());
    ASSERT_TRUE(Aspetta([&] { return !ricerca.Trovate().empty(); }));
    const PartitaTrovata p = ricerca.Trovate().front();
    EXPECT_EQ(p.indirizzo, QHostAddress::LocalHost);
    EXPECT_EQ(p.annuncio.porta, t.host.Porta());
    EXPECT_EQ(p.annuncio.gioco, Gioco::Rubamazzo);
    EXPECT_EQ(p.annuncio.nomeHost, QStringLiteral("Anna"));

    int annunci = 0;
    QObject::connect(&ricerca, &RicercaPartite::Trovata, [&] { ++annunci; });
    t.oraHost.ms += 2000;
    t.host.BattitoTimer();
    ASSERT_TRUE(Aspetta([&] { return annunci == 1; }));
    // Once the guest is in, the host stops announcing. A datagram of the test's own, sent
    // after the host's tick, marks where any announcement of that tick would have arrived.
    t.Collega();
    ASSERT_TRUE(Aspetta([&] { return t.ospite.HaQuadro(); }));
    t.oraHost.ms += 10000;
    t.host.BattitoTimer();
    estraneo.writeDatagram(Codifica(Annuncio{Gioco::Scopa, 1, QStringLiteral("Segno")}), QHostAddress::LocalHost,
                           ricerca.Porta());
    ASSERT_TRUE(Aspetta([&] { return annunci == 2; }));
    EXPECT_EQ(ricerca.Trovate().back().annuncio.nomeHost, QStringLiteral("Segno"));
    EXPECT_EQ(ricerca.Trovate().size(), 2u);
}

// A host on two networks announces on each: every destination given hears it, and one
// given twice hears it once per round.
TEST(SessioniRete, EachAnnouncementDestinationHearsTheHost)
{
    RicercaPartite prima, seconda;
    ASSERT_TRUE(prima.Ascolta(QHostAddress::LocalHost, 0));
    ASSERT_TRUE(seconda.Ascolta(QHostAddress::LocalHost, 0));
    Tavolata t(Gioco::Briscola);
    t.fermi = true;
    int sentiti[2] = {};
    QObject::connect(&prima, &RicercaPartite::Trovata, [&] { ++sentiti[0]; });
    QObject::connect(&seconda, &RicercaPartite::Trovata, [&] { ++sentiti[1]; });
    t.host.AnnunciaSu(QHostAddress::LocalHost, prima.Porta());
    t.host.AnnunciaSu(QHostAddress::LocalHost, seconda.Porta());
    t.host.AnnunciaSu(QHostAddress::LocalHost, seconda.Porta());
    // Each call sends at once to every destination known so far.
    ASSERT_TRUE(Aspetta([&] { return sentiti[0] == 3 && sentiti[1] == 2; }));
    t.oraHost.ms += 2000;
    t.host.BattitoTimer();
    // A datagram of the test's own, sent after the tick, marks the end of that round.
    QUdpSocket segno;
    segno.writeDatagram(Codifica(Annuncio{Gioco::Scopa, 1, QStringLiteral("Segno")}), QHostAddress::LocalHost,
                        seconda.Porta());
    ASSERT_TRUE(Aspetta([&] { return sentiti[0] == 4 && sentiti[1] == 4; }));
    EXPECT_EQ(seconda.Trovate().front().annuncio.gioco, Gioco::Briscola);
    EXPECT_EQ(seconda.Trovate().back().annuncio.nomeHost, QStringLiteral("Segno"));
}

// The same over IPv6 loopback: the guest types the host's address as it is.
TEST(SessioniRete, AGuestJoinsOverIPv6Loopback)
{
    SessioneHost host;
    if (!host.Avvia(Gioco::Briscola, QStringLiteral("Anna"), Codice, 8u, QHostAddress::LocalHostIPv6, 0))
        GTEST_SKIP() << "no IPv6 loopback here: " << host.Errore().toStdString();
    SessioneOspite ospite;
    ASSERT_TRUE(ospite.Collega(QStringLiteral("::1"), host.Porta(), Codice, QStringLiteral("Bruno")));
    ASSERT_TRUE(Aspetta([&] { return ospite.HaQuadro(); }));
    EXPECT_EQ(host.NomeOspite(), QStringLiteral("Bruno"));
    EXPECT_EQ(ospite.NomeHost(), QStringLiteral("Anna"));
    EXPECT_EQ(ospite.QualeGioco(), Gioco::Briscola);
}

// A finished game is recorded on each machine under its own player, once; a game that ends
// unfinished records nothing at all.
TEST(SessioniRete, OnlyAFinishedGameIsRecordedOnEachMachine)
{
    for (bool finita : {true, false}) {
        for (Gioco g : {Gioco::Scopa, Gioco::Briscola, Gioco::Rubamazzo}) {
            SCOPED_TRACE(NomeGioco(g).toStdString() + (finita ? " finished" : " abandoned"));
            QTemporaryDir casaHost, casaOspite;
            const std::string cartellaHost = casaHost.path().toStdString();
            const std::string cartellaOspite = casaOspite.path().toStdString();
            Tavolata t(g, 57);
            QObject::connect(&t.host, &SessioneHost::PartitaTerminata, [&](int esito, const QString&) {
                RegistraPartitaRete(g, esito, 1, cartellaHost, "Anna");
            });
            QObject::connect(&t.ospite, &SessioneOspite::PartitaTerminata, [&](int esito, const QString&) {
                RegistraPartitaRete(g, esito, t.ospite.Lato(), cartellaOspite, "Bruno");
            });
            t.fermi = !finita;
            t.Collega();
            if (!finita) {
                ASSERT_TRUE(Aspetta([&] { return t.quadri >= 1; }));
                t.ospite.Chiudi();
            }
            ASSERT_TRUE(Aspetta([&] { return t.Finita(); }, 60000));
            const std::string& file = g == Gioco::Scopa ? FileScopa.corrente
                                      : g == Gioco::Briscola ? FileBriscola.corrente : FileRubaMazzo.corrente;
            const auto host = LeggiPunteggi(cartellaHost, file);
            const auto ospite = LeggiPunteggi(cartellaOspite, file);
            if (!finita) {
                EXPECT_TRUE(host.empty());
                EXPECT_TRUE(ospite.empty());
                continue;
            }
            ASSERT_EQ(host.size(), 1u);
            ASSERT_EQ(ospite.size(), 1u);
            EXPECT_EQ(host[0].Nome.substr(0, 4), "ANNA");
            EXPECT_EQ(ospite[0].Nome.substr(0, 5), "BRUNO");
            EXPECT_EQ(host[0].Giocate, 1);
            EXPECT_EQ(ospite[0].Giocate, 1);
            EXPECT_EQ(host[0].Vinte, t.esitoHost == 1 ? 1 : 0);
            EXPECT_EQ(ospite[0].Vinte, t.esitoHost == 2 ? 1 : 0);
            EXPECT_EQ(host[0].Pari + ospite[0].Pari, t.esitoHost == 3 ? 2 : 0);
        }
    }
}

// Seeded random frames of every type, before and after admission: the host never applies
// anything it should not, never stops, and the same guest (with its token) always gets back in.
TEST(SessioniRete, RandomFramesNeverStopTheHost)
{
    SessioneHost host;
    ASSERT_TRUE(host.Avvia(Gioco::Scopa, QStringLiteral("Anna"), Codice, 77u, QHostAddress::LocalHost, 0));
    CasualeRapido caso(2026);
    auto frame = [&] {
        // Any type but the goodbye, which would end the game as it should.
        int tipo = 1 + caso.Modulo(11);
        if (tipo == static_cast<int>(Tipo::Addio)) tipo = static_cast<int>(Tipo::Mossa);
        Scrittore s(static_cast<Tipo>(tipo));
        const int n = caso.Modulo(40);
        for (int i = 0; i < n; ++i) s.U8(caso.Modulo(256));
        return s.Cornice();
    };
    // Before admission: each connection gets a few random frames.
    for (int i = 0; i < 40; ++i) {
        ClienteGrezzo c(host.Porta());
        QByteArray b;
        for (int k = 0; k < 3; ++k) b += frame();
        c.Scrivi(b);
        EXPECT_TRUE(c.Chiusa()) << "connection " << i;
    }
    ASSERT_EQ(host.FaseAttuale(), SessioneHost::Fase::AttesaOspite);
    ASSERT_TRUE(host.InvitoAperto());

    // After admission: the guest comes back each time with its token.
    QByteArray gettone;
    const QByteArray vistaHost = host.Partita()->Vista(1);
    for (int i = 0; i < 40; ++i) {
        ClienteGrezzo c(host.Porta());
        c.Scrivi(Codifica(Ciao{QStringLiteral("Bruno"), gettone}));
        Messaggio m;
        ASSERT_TRUE(c.Leggi(m)) << "round " << i;
        Sfida s;
        ASSERT_TRUE(Decodifica(m.campi, s)) << "round " << i;
        c.Scrivi(CodificaRisposta(RispostaSfida(Codice, s.nonce, QStringLiteral("Bruno"))));
        ASSERT_TRUE(c.Leggi(m));
        Benvenuto b;
        ASSERT_TRUE(Decodifica(m.campi, b)) << "round " << i;
        gettone = b.gettone;
        ASSERT_TRUE(c.Leggi(m));
        ASSERT_EQ(m.tipo, Tipo::Stato);
        for (int k = 0; k < 5; ++k) c.Scrivi(frame());
        c.Socket().abort();
        ASSERT_TRUE(Aspetta([&] { return host.FaseAttuale() == SessioneHost::Fase::AttesaRitorno; }));
    }
    // The host's turn all along: nothing the guest sent was applied.
    EXPECT_EQ(host.Partita()->Turno(), 1);
    EXPECT_EQ(host.Partita()->Vista(1), vistaHost);
}

// A connection that never introduces itself is closed after its time; a crowd of them is
// turned away at the door, and the real guest still gets in once they are gone.
TEST(SessioniRete, SilentConnectionsAreClosedAndDoNotKeepTheGuestOut)
{
    OrologioFinto ora;
    SessioneHost host;
    host.ImpostaOrologio(ora.Funzione());
    ASSERT_TRUE(host.Avvia(Gioco::Rubamazzo, QStringLiteral("Anna"), Codice, 5u, QHostAddress::LocalHost, 0));
    std::vector<std::unique_ptr<ClienteGrezzo>> muti;
    for (int i = 0; i < 6; ++i) muti.push_back(std::make_unique<ClienteGrezzo>(host.Porta()));
    ASSERT_TRUE(Aspetta([&] { return host.InPresentazione() == 4; }));
    // The two beyond the limit are closed at once.
    ASSERT_TRUE(Aspetta([&] {
        int chiusi = 0;
        for (auto& m : muti) chiusi += m->Socket().state() == QAbstractSocket::UnconnectedState;
        return chiusi == 2;
    }));
    ora.ms += AttesaPresentazione;
    host.BattitoTimer();
    EXPECT_EQ(host.InPresentazione(), 4);
    ora.ms += 1;
    host.BattitoTimer();
    EXPECT_EQ(host.InPresentazione(), 0);
    for (auto& m : muti) EXPECT_TRUE(m->Chiusa());

    SessioneOspite ospite;
    ASSERT_TRUE(ospite.Collega(Locale, host.Porta(), Codice, QStringLiteral("Bruno")));
    ASSERT_TRUE(Aspetta([&] { return ospite.HaQuadro(); }));
}

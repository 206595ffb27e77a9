#include "net/SessioneHost.h"

#include <algorithm>

#include <QElapsedTimer>
#include <algorithm>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

namespace Rete {

namespace {
// Connections still introducing themselves; more are closed at once.
constexpr int MassimoCandidati = 4;
constexpr qint64 IntervalloAnnuncio = 2000;
}  // namespace

Orologio OrologioReale()
{
    auto t = std::make_shared<QElapsedTimer>();
    t->start();
    return [t] { return t->elapsed(); };
}

struct SessioneHost::Connessione {
    enum class Stato { AttesaCiao, AttesaRisposta, Ammessa };
    QTcpSocket* socket = nullptr;
    Raccoglitore raccoglitore;
    Stato stato = Stato::AttesaCiao;
    QByteArray nonce;
    QString nome;
    QByteArray gettone;
    bool ritorno = false;  // the admitted guest coming back
    qint64 arrivo = 0, ultimoDato = 0, ultimoInvio = 0;
};

SessioneHost::SessioneHost(QObject* parent) : QObject(parent), orologio_(OrologioReale())
{
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &SessioneHost::BattitoTimer);
}

SessioneHost::~SessioneHost()
{
    // Sockets are children of this object; drop the bookkeeping before Qt deletes them.
    for (auto& [s, c] : connessioni_) s->disconnect(this);
}

bool SessioneHost::Avvia(Gioco g, const QString& nomeHost, const QString& codice, std::uint32_t seme,
                         const QHostAddress& indirizzo, quint16 porta)
{
    if (fase_ != Fase::Ferma) return false;
    if (!CodiceValido(codice)) {
        errore_ = QStringLiteral("Il codice di invito deve avere sei cifre.");
        return false;
    }
    server_ = new QTcpServer(this);
    if (!server_->listen(indirizzo, porta)) {
        errore_ = QStringLiteral("Impossibile aprire la porta %1: %2").arg(porta).arg(server_->errorString());
        qWarning("Cartovia network: cannot listen on port %u: %s", porta, qPrintable(server_->errorString()));
        return false;
    }
    connect(server_, &QTcpServer::newConnection, this, &SessioneHost::NuovaConnessione);
    nomeHost_ = nomeHost;
    invito_ = std::make_unique<Invito>(codice);
    partita_ = CreaPartitaRete(g);
    partita_->Inizia(seme);
    fase_ = Fase::AttesaOspite;
    timer_.start();
    return true;
}

void SessioneHost::AnnunciaSu(const QHostAddress& destinazione, quint16 porta)
{
    if (!annuncio_) annuncio_ = new QUdpSocket(this);
    const std::pair<QHostAddress, quint16> d(destinazione, porta);
    if (std::find(destinazioniAnnuncio_.begin(), destinazioniAnnuncio_.end(), d) == destinazioniAnnuncio_.end())
        destinazioniAnnuncio_.push_back(d);
    ultimoAnnuncio_ = -1;
    Annuncia();
}

void SessioneHost::Annuncia()
{
    if (!annuncio_ || fase_ != Fase::AttesaOspite || !InvitoAperto()) return;
    const qint64 ora = orologio_();
    if (ultimoAnnuncio_ >= 0 && ora - ultimoAnnuncio_ < IntervalloAnnuncio) return;
    ultimoAnnuncio_ = ora;
    const QByteArray d = Codifica(Annuncio{partita_->QualeGioco(), Porta(), nomeHost_});
    for (const auto& [indirizzo, porta] : destinazioniAnnuncio_)
        if (annuncio_->writeDatagram(d, indirizzo, porta) < 0)
            qWarning("Cartovia network: announcement to %s not sent: %s", qPrintable(indirizzo.toString()),
                     qPrintable(annuncio_->errorString()));
}

qint64 SessioneHost::UltimoDatoOspite() const
{
    const auto it = connessioni_.find(ospite_);
    return ospite_ && it != connessioni_.end() ? it->second->ultimoDato : -1;
}

quint16 SessioneHost::Porta() const { return server_ ? server_->serverPort() : 0; }

void SessioneHost::NuovaConnessione()
{
    while (QTcpSocket* s = server_->nextPendingConnection()) {
        s->setParent(this);
        if (fase_ == Fase::Finita || static_cast<int>(connessioni_.size()) >= MassimoCandidati + (ospite_ ? 1 : 0)) {
            s->abort();
            s->deleteLater();
            continue;
        }
        auto c = std::make_unique<Connessione>();
        c->socket = s;
        c->arrivo = c->ultimoDato = c->ultimoInvio = orologio_();
        connect(s, &QTcpSocket::readyRead, this, [this, s] { DatiArrivati(s); });
        connect(s, &QTcpSocket::disconnected, this, [this, s] { Scarta(s, QStringLiteral("connection closed")); });
        connessioni_[s] = std::move(c);
    }
}

void SessioneHost::DatiArrivati(QTcpSocket* s)
{
    auto it = connessioni_.find(s);
    if (it == connessioni_.end()) return;
    Connessione& c = *it->second;
    c.raccoglitore.Aggiungi(s->readAll());
    c.ultimoDato = orologio_();
    Messaggio m;
    for (;;) {
        const auto esito = c.raccoglitore.Prossimo(m);
        if (esito == Raccoglitore::Esito::Incompleto) return;
        if (esito == Raccoglitore::Esito::Errore) {
            Scarta(s, c.raccoglitore.Errore());
            return;
        }
        if (m.versione != VersioneProtocollo) {
            Rifiuta(c, Motivo::VersioneDiversa, TestoVersione(m.versione));
            return;
        }
        if (!Gestisci(c, m)) {
            Scarta(s, QStringLiteral("malformed or unexpected message of type %1").arg(static_cast<int>(m.tipo)));
            return;
        }
        // The connection may have been closed by what the message did.
        if (!connessioni_.count(s)) return;
    }
}

bool SessioneHost::Gestisci(Connessione& c, const Messaggio& m)
{
    using S = Connessione::Stato;
    switch (c.stato) {
    case S::AttesaCiao: {
        Ciao ciao;
        if (m.tipo != Tipo::Ciao || !Decodifica(m.campi, ciao)) return false;
        if (fase_ == Fase::Finita || !InvitoAperto()) {
            Rifiuta(c, Motivo::InvitoChiuso, TestoMotivo(Motivo::InvitoChiuso));
            return true;
        }
        // One guest: once it is in, only it gets in again (with its token and name), also
        // before this side has noticed that its old connection is dead.
        const bool ritorno = fase_ != Fase::AttesaOspite && !gettoneOspite_.isEmpty() &&
                             UgualiCostante(ciao.gettone, gettoneOspite_) && ciao.nome == nomeOspite_;
        if (fase_ != Fase::AttesaOspite && !ritorno) {
            Rifiuta(c, Motivo::PartitaPiena, TestoMotivo(Motivo::PartitaPiena));
            return true;
        }
        c.ritorno = ritorno;
        c.nome = ciao.nome;
        c.gettone = ciao.gettone;
        c.nonce = ByteCasuali(LunghezzaNonce);
        c.stato = S::AttesaRisposta;
        c.socket->write(Codifica(Sfida{partita_->QualeGioco(), c.nonce, nomeHost_}));
        return true;
    }
    case S::AttesaRisposta: {
        QByteArray hmac;
        if (m.tipo != Tipo::Risposta || !DecodificaRisposta(m.campi, hmac)) return false;
        const auto esito = invito_->Verifica(c.nonce, c.nome, hmac);
        if (esito == Invito::Esito::Accettato) {
            if (fase_ == Fase::Finita || (!c.ritorno && fase_ != Fase::AttesaOspite)) {
                Rifiuta(c, Motivo::PartitaPiena, TestoMotivo(Motivo::PartitaPiena));
            } else {
                Ammetti(c);
            }
            return true;
        }
        qWarning("Cartovia network: wrong invitation code from %s (%d of %d)",
                 qPrintable(c.socket->peerAddress().toString()), invito_->Errori(), TentativiCodice);
        const int restano = TentativiCodice - invito_->Errori();
        Rifiuta(c, esito == Invito::Esito::Chiuso || restano <= 0 ? Motivo::InvitoChiuso : Motivo::CodiceErrato,
                restano > 0 ? QStringLiteral("Codice di invito errato: restano %1 tentativi.").arg(restano)
                            : QStringLiteral("Codice di invito errato tre volte: l'invito è chiuso."));
        if (invito_->Chiuso()) ChiudiInvito();
        return true;
    }
    case S::Ammessa:
        break;
    }

    switch (m.tipo) {
    case Tipo::Battito:
        return m.campi.isEmpty();
    case Tipo::Addio: {
        Motivo motivo;
        if (!DecodificaAddio(m.campi, motivo)) return false;
        Termina(Motivo::Chiusa, 0, QStringLiteral("%1 ha lasciato la partita.").arg(nomeOspite_));
        return true;
    }
    case Tipo::Mossa: {
        MossaRete mossa;
        if (!Decodifica(m.campi, mossa) || !partita_->MossaBenFormata(mossa.mossa)) return false;
        if (fase_ != Fase::InGioco || partita_->Turno() != 2 || mossa.sequenza != sequenza_) {
            ++rifiutate_;
            qWarning("Cartovia network: move of %s out of turn refused", qPrintable(nomeOspite_));
            Invia(CodificaMossaRifiutata(mossa.sequenza, Motivo::FuoriTurno));
            emit MossaRifiutata(TestoMotivo(Motivo::FuoriTurno));
            return true;
        }
        const auto esito = partita_->Applica(2, mossa.mossa);
        if (esito == PartitaRete::Malformata) return false;
        if (esito == PartitaRete::Applicata) sequenzaMossaOspite_ = mossa.sequenza;
        if (esito == PartitaRete::Illegale) {
            ++rifiutate_;
            qWarning("Cartovia network: illegal move of %s refused", qPrintable(nomeOspite_));
            Invia(CodificaMossaRifiutata(mossa.sequenza, Motivo::MossaIllegale));
            emit MossaRifiutata(TestoMotivo(Motivo::MossaIllegale));
            return true;
        }
        DopoMossa();
        return true;
    }
    default:
        return false;
    }
}

void SessioneHost::Ammetti(Connessione& c)
{
    const bool ritorno = c.ritorno;
    if (ospite_) {
        // The guest came back before its old connection was noticed dead: that one goes.
        QTcpSocket* vecchio = ospite_;
        ospite_ = nullptr;
        Scarta(vecchio, QStringLiteral("replaced by the guest's new connection"));
    }
    c.stato = Connessione::Stato::Ammessa;
    ospite_ = c.socket;
    nomeOspite_ = c.nome;
    if (!ritorno) gettoneOspite_ = ByteCasuali(LunghezzaGettone);
    fase_ = Fase::InGioco;
    Invia(Codifica(Benvenuto{partita_->QualeGioco(), 2, nomeHost_, gettoneOspite_}));
    if (ritorno) {
        // Every state after the one the guest's last applied move answered: those sent while
        // its connection was already dead never reached it, and its table plays each move in
        // turn. When the first of them is one the guest has, its last move never arrived.
        for (quint32 q = sequenzaMossaOspite_ + 1; q < sequenza_; ++q)
            if (q < storico_.size()) Invia(storico_[q]);
    }
    InviaQuadro();
    if (ritorno)
        emit OspiteTornato(nomeOspite_);
    else
        emit OspiteArrivato(nomeOspite_);
}

void SessioneHost::Rifiuta(Connessione& c, Motivo m, const QString& testo)
{
    QTcpSocket* s = c.socket;
    s->write(Codifica(Rifiuto{m, testo}));
    // Handed to the system now: the third wrong code ends the session, and a session deleted
    // at once would take the refusal with it, leaving the guest to guess why it was cut off.
    s->flush();
    // Nothing more is read from it; it goes once the refusal is written.
    s->disconnect(this);
    connessioni_.erase(s);
    connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    s->disconnectFromHost();
}

void SessioneHost::Scarta(QTcpSocket* s, const QString& perche)
{
    auto it = connessioni_.find(s);
    if (it == connessioni_.end()) return;
    const bool eraOspite = s == ospite_;
    if (s->state() != QAbstractSocket::UnconnectedState || eraOspite)
        qWarning("Cartovia network: connection from %s closed: %s", qPrintable(s->peerAddress().toString()),
                 qPrintable(perche));
    s->disconnect(this);
    connessioni_.erase(it);
    s->abort();
    s->deleteLater();
    if (eraOspite) {
        ospite_ = nullptr;
        if (fase_ == Fase::InGioco) {
            fase_ = Fase::AttesaRitorno;
            inizioAttesa_ = orologio_();
            emit OspiteInAttesa(nomeOspite_);
        }
    }
}

void SessioneHost::PerdiOspite(const QString& perche)
{
    if (ospite_) Scarta(ospite_, perche);
}

void SessioneHost::ChiudiInvito()
{
    if (invito_) invito_->Chiudi();
    emit InvitoChiuso();
    // A guest away from the table can no longer come back in.
    if (fase_ == Fase::AttesaRitorno || fase_ == Fase::AttesaOspite)
        Termina(Motivo::InvitoChiuso, 0, QStringLiteral("Codice di invito errato tre volte: l'invito è chiuso."));
}

void SessioneHost::Invia(const QByteArray& cornice)
{
    if (!ospite_) return;
    ospite_->write(cornice);
    connessioni_[ospite_]->ultimoInvio = orologio_();
    emit Inviato(cornice);
}

void SessioneHost::InviaQuadro()
{
    const QByteArray cornice = Codifica(partita_->QuadroPer(2, sequenza_));
    if (storico_.size() <= sequenza_) storico_.resize(sequenza_ + 1);
    storico_[sequenza_] = cornice;
    Invia(cornice);
}

void SessioneHost::DopoMossa()
{
    ++sequenza_;
    InviaQuadro();
    emit StatoCambiato();
    if (partita_->Esito() != 0) Termina(Motivo::Conclusa, partita_->Esito(), TestoMotivo(Motivo::Conclusa));
}

int SessioneHost::GiocaHost(const QByteArray& mossa)
{
    if (fase_ != Fase::InGioco || partita_->Turno() != 1) return PartitaRete::Illegale;
    const auto esito = partita_->Applica(1, mossa);
    if (esito == PartitaRete::Applicata) {
        emit MossaHostApplicata();
        DopoMossa();
    }
    return esito;
}

void SessioneHost::Chiudi()
{
    if (fase_ == Fase::Finita || fase_ == Fase::Ferma) return;
    Termina(Motivo::Chiusa, 0, QStringLiteral("Hai chiuso il tavolo."));
}

void SessioneHost::Termina(Motivo motivo, int esito, const QString& perche)
{
    if (fase_ == Fase::Finita) return;
    fase_ = Fase::Finita;
    motivoFine_ = perche;
    if (ospite_) {
        QTcpSocket* s = ospite_;
        Invia(CodificaAddio(motivo));
        ospite_ = nullptr;
        s->disconnect(this);
        connessioni_.erase(s);
        // The farewell must reach the guest even when the session goes right after.
        s->setParent(nullptr);
        connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        s->flush();  // out now, should the program be closing
        s->disconnectFromHost();
        if (s->state() == QAbstractSocket::UnconnectedState) s->deleteLater();
    }
    for (auto& [s, c] : connessioni_) {
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
    connessioni_.clear();
    if (server_) server_->close();
    timer_.stop();
    emit PartitaTerminata(esito, perche);
}

void SessioneHost::BattitoTimer()
{
    if (fase_ == Fase::Ferma || fase_ == Fase::Finita) return;
    const qint64 ora = orologio_();
    std::vector<QTcpSocket*> lente;
    for (auto& [s, c] : connessioni_) {
        if (s == ospite_) continue;
        if (ora - c->arrivo > AttesaPresentazione) lente.push_back(s);
    }
    for (QTcpSocket* s : lente) Scarta(s, QStringLiteral("no introduction in time"));
    if (ospite_) {
        Connessione& c = *connessioni_[ospite_];
        if (ora - c.ultimoDato > SilenzioMassimo)
            PerdiOspite(QStringLiteral("quiet for %1 ms").arg(ora - c.ultimoDato));
        else if (ora - c.ultimoInvio >= IntervalloBattito)
            Invia(CodificaBattito());
    }
    if (fase_ == Fase::AttesaRitorno && ora - inizioAttesa_ > AttesaRitorno)
        Termina(Motivo::TempoScaduto, 0, QStringLiteral("%1 non è tornato entro due minuti.").arg(nomeOspite_));
    Annuncia();
}

}  // namespace Rete

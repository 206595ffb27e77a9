#include "net/SessioneOspite.h"

#include <QTcpSocket>

#include "net/CodificaGiochi.h"
#include "net/Invito.h"

namespace Rete {

namespace {

// The vista of a state must decode as the game's own view of the guest's seat.
bool VistaValida(Gioco g, const QByteArray& b, int lato)
{
    switch (g) {
    case Gioco::Scopa: { VistaScopa v; return DecodificaVista(b, v) && v.Lato == lato; }
    case Gioco::Briscola: { VistaBriscola v; return DecodificaVista(b, v) && v.Lato == lato; }
    case Gioco::Rubamazzo: { VistaRubamazzo v; return DecodificaVista(b, v) && v.Lato == lato; }
    }
    return false;
}

bool NomeValido(const QString& nome)
{
    Lettore l(Scrittore(Tipo::Ciao).Testo(nome).Cornice().mid(6));
    l.Nome();
    return l.Fine();
}

}  // namespace

SessioneOspite::SessioneOspite(QObject* parent) : QObject(parent), orologio_(OrologioReale())
{
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &SessioneOspite::BattitoTimer);
}

SessioneOspite::~SessioneOspite()
{
    if (socket_) socket_->disconnect(this);
}

bool SessioneOspite::Collega(const QString& host, quint16 porta, const QString& codice, const QString& nome)
{
    if (fase_ != Fase::Ferma || !CodiceValido(codice) || !NomeValido(nome)) return false;
    host_ = host;
    porta_ = porta;
    codice_ = codice;
    nome_ = nome;
    fase_ = Fase::Collegamento;
    inizioCollegamento_ = orologio_();
    Apri();
    timer_.start();
    return true;
}

void SessioneOspite::Apri()
{
    ChiudiSocket();
    raccoglitore_ = Raccoglitore();
    socket_ = new QTcpSocket(this);
    connect(socket_, &QTcpSocket::connected, this, &SessioneOspite::Connesso);
    connect(socket_, &QTcpSocket::readyRead, this, &SessioneOspite::DatiArrivati);
    connect(socket_, &QTcpSocket::disconnected, this, &SessioneOspite::Caduto);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        if (socket_ && socket_->state() == QAbstractSocket::UnconnectedState) Caduto();
    });
    ultimoTentativo_ = orologio_();
    socket_->connectToHost(host_, porta_);
}

void SessioneOspite::ChiudiSocket()
{
    if (!socket_) return;
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
    socket_ = nullptr;
}

void SessioneOspite::Connesso()
{
    ultimoDato_ = orologio_();
    Invia(Codifica(Ciao{nome_, gettone_}));
}

void SessioneOspite::Invia(const QByteArray& cornice)
{
    if (!socket_) return;
    socket_->write(cornice);
    ultimoInvio_ = orologio_();
}

void SessioneOspite::DatiArrivati()
{
    if (!socket_) return;
    const QByteArray byte = socket_->readAll();
    ultimoDato_ = orologio_();
    emit DatiRicevuti(byte);
    raccoglitore_.Aggiungi(byte);
    Messaggio m;
    for (;;) {
        const auto esito = raccoglitore_.Prossimo(m);
        if (esito == Raccoglitore::Esito::Incompleto) return;
        if (esito == Raccoglitore::Esito::Errore) {
            qWarning("Cartovia network: bad data from the host: %s", qPrintable(raccoglitore_.Errore()));
            PerdiHost();
            return;
        }
        if (m.versione != VersioneProtocollo) {
            Termina(0, TestoVersione(m.versione));
            return;
        }
        QTcpSocket* prima = socket_;
        if (!Gestisci(m)) {
            qWarning("Cartovia network: unexpected message of type %d from the host", static_cast<int>(m.tipo));
            PerdiHost();
            return;
        }
        if (socket_ != prima || fase_ == Fase::Finita) return;
    }
}

bool SessioneOspite::Gestisci(const Messaggio& m)
{
    const bool ammesso = fase_ == Fase::InGioco;
    switch (m.tipo) {
    case Tipo::Sfida: {
        Sfida s;
        if (ammesso || !Decodifica(m.campi, s)) return false;
        if (ammessoUnaVolta_ && s.gioco != gioco_) return false;
        gioco_ = s.gioco;
        nomeHost_ = s.nomeHost;
        Invia(CodificaRisposta(RispostaSfida(codice_, s.nonce, nome_)));
        return true;
    }
    case Tipo::Benvenuto: {
        Benvenuto b;
        if (ammesso || !Decodifica(m.campi, b) || b.gioco != gioco_ || b.lato != 2) return false;
        lato_ = b.lato;
        gettone_ = b.gettone;
        nomeHost_ = b.nomeHost;
        fase_ = Fase::InGioco;
        if (ammessoUnaVolta_) {
            emit Tornato();
        } else {
            ammessoUnaVolta_ = true;
            emit Ammesso();
        }
        return true;
    }
    case Tipo::Rifiuto: {
        Rifiuto r;
        if (!Decodifica(m.campi, r)) return false;
        Termina(0, r.testo.isEmpty() ? TestoMotivo(r.motivo) : r.testo);
        return true;
    }
    case Tipo::Stato: {
        Quadro q;
        if (!ammesso || !Decodifica(m.campi, q) || q.gioco != gioco_ || !VistaValida(q.gioco, q.vista, lato_))
            return false;
        // An older state comes again after a return (the host sends every state since the
        // guest's last move); the guest has it already.
        if (haQuadro_ && q.sequenza < quadro_.sequenza) return true;
        quadro_ = q;
        haQuadro_ = true;
        emit QuadroRicevuto();
        if (q.esito != 0) Termina(q.esito, TestoMotivo(Motivo::Conclusa));
        return true;
    }
    case Tipo::MossaRifiutata: {
        quint32 sequenza;
        Motivo motivo;
        if (!ammesso || !DecodificaMossaRifiutata(m.campi, sequenza, motivo)) return false;
        emit MossaRifiutata(TestoMotivo(motivo));
        return true;
    }
    case Tipo::Battito:
        return m.campi.isEmpty();
    case Tipo::Addio: {
        Motivo motivo;
        if (!DecodificaAddio(m.campi, motivo)) return false;
        if (motivo == Motivo::Chiusa)
            Termina(0, QStringLiteral("%1 ha chiuso il tavolo.").arg(nomeHost_));
        else
            Termina(0, TestoMotivo(motivo));
        return true;
    }
    default:
        return false;
    }
}

bool SessioneOspite::GiocaMossa(const QByteArray& mossa)
{
    if (fase_ != Fase::InGioco || !haQuadro_ || quadro_.turno != lato_ || quadro_.esito) return false;
    Invia(Codifica(MossaRete{quadro_.sequenza, mossa}));
    return true;
}

void SessioneOspite::Caduto()
{
    if (fase_ == Fase::InGioco) {
        PerdiHost();
    } else if (fase_ == Fase::Collegamento) {
        Termina(0, QStringLiteral("Impossibile collegarsi a %1, porta %2.").arg(host_).arg(porta_));
    } else if (fase_ == Fase::AttesaRitorno) {
        // A failed attempt to come back: the next tick tries again.
        ChiudiSocket();
    }
}

void SessioneOspite::PerdiHost()
{
    ChiudiSocket();
    if (!ammessoUnaVolta_) {
        Termina(0, QStringLiteral("Il collegamento con l'host si è interrotto."));
        return;
    }
    if (fase_ == Fase::InGioco) {
        fase_ = Fase::AttesaRitorno;
        inizioAttesa_ = orologio_();
        emit HostInAttesa(nomeHost_);
    }
}

void SessioneOspite::Chiudi()
{
    if (fase_ == Fase::Finita || fase_ == Fase::Ferma) return;
    if (socket_ && fase_ == Fase::InGioco) {
        Invia(CodificaAddio(Motivo::Chiusa));
        socket_->disconnect(this);
        QTcpSocket* s = socket_;
        socket_ = nullptr;
        // The farewell must reach the host even when the session goes right after: the
        // socket lives on its own until its bytes are out.
        s->setParent(nullptr);
        connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        s->flush();  // out now, should the program be closing
        s->disconnectFromHost();
        if (s->state() == QAbstractSocket::UnconnectedState) s->deleteLater();
    }
    Termina(0, QStringLiteral("Hai chiuso il tavolo."));
}

void SessioneOspite::Termina(int esito, const QString& perche)
{
    if (fase_ == Fase::Finita) return;
    fase_ = Fase::Finita;
    motivoFine_ = perche;
    if (socket_) {
        // Let what was written go out, then close.
        QTcpSocket* s = socket_;
        socket_ = nullptr;
        s->disconnect(this);
        connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        s->disconnectFromHost();
    }
    timer_.stop();
    emit PartitaTerminata(esito, perche);
}

void SessioneOspite::BattitoTimer()
{
    const qint64 ora = orologio_();
    switch (fase_) {
    case Fase::Collegamento:
        if (ora - inizioCollegamento_ > AttesaPresentazione) Termina(0, QStringLiteral("L'host non risponde."));
        break;
    case Fase::InGioco:
        if (ora - ultimoDato_ > SilenzioMassimo)
            PerdiHost();
        else if (ora - ultimoInvio_ >= IntervalloBattito)
            Invia(CodificaBattito());
        break;
    case Fase::AttesaRitorno:
        if (ora - inizioAttesa_ > AttesaRitorno)
            Termina(0, QStringLiteral("%1 non ha risposto per due minuti.").arg(nomeHost_));
        else if (!socket_ || ora - ultimoTentativo_ >= IntervalloBattito)
            Apri();
        break;
    default:
        break;
    }
}

}  // namespace Rete

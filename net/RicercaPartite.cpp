#include "net/RicercaPartite.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

namespace Rete {

RicercaPartite::RicercaPartite(QObject* parent) : QObject(parent) {}

bool RicercaPartite::Ascolta(const QHostAddress& indirizzo, quint16 porta)
{
    delete socket_;
    socket_ = new QUdpSocket(this);
    if (!socket_->bind(indirizzo, porta, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        qWarning("Cartovia network: cannot listen for announcements on port %u: %s", porta,
                 qPrintable(socket_->errorString()));
        return false;
    }
    connect(socket_, &QUdpSocket::readyRead, this, &RicercaPartite::Leggi);
    return true;
}

quint16 RicercaPartite::Porta() const { return socket_ ? socket_->localPort() : 0; }

void RicercaPartite::Leggi()
{
    while (socket_->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket_->receiveDatagram(MassimaLunghezza + 8);
        Raccoglitore r;
        r.Aggiungi(d.data());
        Messaggio m;
        Annuncio a;
        // Exactly one frame, of this version, that is an announcement.
        if (r.Prossimo(m) != Raccoglitore::Esito::Pronto || r.InAttesa() != 0 || m.versione != VersioneProtocollo ||
            m.tipo != Tipo::Annuncio || !Decodifica(m.campi, a))
            continue;
        // An IPv4 sender seen through a dual-stack socket is told in its IPv4 form.
        bool ipv4 = false;
        const quint32 v4 = d.senderAddress().toIPv4Address(&ipv4);
        PartitaTrovata p{ipv4 ? QHostAddress(v4) : d.senderAddress(), a};
        bool nuova = true;
        for (auto& t : trovate_)
            if (t.indirizzo == p.indirizzo && t.annuncio.porta == a.porta) {
                t = p;
                nuova = false;
            }
        if (nuova) trovate_.push_back(p);
        emit Trovata(p);
    }
}

}  // namespace Rete

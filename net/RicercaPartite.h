#pragma once
// The guest's side of the announcements: listens on a UDP port for hosts waiting on the
// local network and lists them. A datagram that is not exactly a valid announcement is
// ignored.
#include <QHostAddress>
#include <QObject>
#include <vector>

#include "net/Protocollo.h"

class QUdpSocket;

namespace Rete {

struct PartitaTrovata {
    QHostAddress indirizzo;
    Annuncio annuncio;
};

class RicercaPartite : public QObject {
    Q_OBJECT
public:
    explicit RicercaPartite(QObject* parent = nullptr);
    // Listens on indirizzo:porta (the program: any IPv4 address, PortaAnnuncio; 0: a free
    // port). False when the port cannot be opened.
    bool Ascolta(const QHostAddress& indirizzo = QHostAddress::AnyIPv4, quint16 porta = PortaAnnuncio);
    quint16 Porta() const;
    // Each host once, with its latest announcement.
    const std::vector<PartitaTrovata>& Trovate() const { return trovate_; }

signals:
    void Trovata(const Rete::PartitaTrovata& p);

private:
    void Leggi();
    QUdpSocket* socket_ = nullptr;
    std::vector<PartitaTrovata> trovate_;
};

}  // namespace Rete

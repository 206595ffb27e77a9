#pragma once
// The guest of a network game: connects to the host, answers the code's challenge (the code
// itself never leaves this machine), receives its seat's state and sends its moves. When
// the host goes quiet or the connection drops it keeps trying to come back with the same
// code and token for two minutes, then gives the game up.
//
// Time comes from an injectable clock; BattitoTimer is the one-second tick.
#include <QObject>
#include <QTimer>

#include "net/Protocollo.h"
#include "net/SessioneHost.h"

class QTcpSocket;

namespace Rete {

class SessioneOspite : public QObject {
    Q_OBJECT
public:
    enum class Fase { Ferma, Collegamento, InGioco, AttesaRitorno, Finita };

    explicit SessioneOspite(QObject* parent = nullptr);
    ~SessioneOspite() override;

    void ImpostaOrologio(Orologio o) { orologio_ = std::move(o); }
    // Connects to host:porta as `nome` with the invitation code. False (and nothing
    // happens) when the code is not six digits or the name is not a valid name.
    bool Collega(const QString& host, quint16 porta, const QString& codice, const QString& nome);
    // The guest seat's move (encoded as on the wire), when it is its turn.
    bool GiocaMossa(const QByteArray& mossa);
    // The guest closes its table: the host is told, the game ends unfinished.
    void Chiudi();
    void BattitoTimer();

    Fase FaseAttuale() const { return fase_; }
    Gioco QualeGioco() const { return gioco_; }
    int Lato() const { return lato_; }
    const QString& NomeHost() const { return nomeHost_; }
    const Quadro& UltimoQuadro() const { return quadro_; }
    bool HaQuadro() const { return haQuadro_; }
    const QString& MotivoFine() const { return motivoFine_; }

signals:
    void Ammesso();
    void Tornato();
    void QuadroRicevuto();
    void MossaRifiutata(const QString& perche);
    void HostInAttesa(const QString& nome);
    // The game is over: esito as in Quadro (0 for an unfinished game) and why.
    void PartitaTerminata(int esito, const QString& perche);
    // Every byte that arrives from the host, as it arrives.
    void DatiRicevuti(const QByteArray& byte);

private:
    void Apri();
    void Connesso();
    void DatiArrivati();
    void Caduto();
    bool Gestisci(const Messaggio& m);  // false: the connection cannot be trusted
    void PerdiHost();
    void Termina(int esito, const QString& perche);
    void Invia(const QByteArray& cornice);
    void ChiudiSocket();

    Orologio orologio_;
    QTimer timer_;
    QTcpSocket* socket_ = nullptr;
    Raccoglitore raccoglitore_;
    QString host_, codice_, nome_, nomeHost_, motivoFine_;
    quint16 porta_ = 0;
    QByteArray gettone_;
    Gioco gioco_ = Gioco::Scopa;
    int lato_ = 2;
    Quadro quadro_;
    bool haQuadro_ = false;
    bool ammessoUnaVolta_ = false;
    Fase fase_ = Fase::Ferma;
    qint64 inizioCollegamento_ = 0, ultimoDato_ = 0, ultimoInvio_ = 0, inizioAttesa_ = 0, ultimoTentativo_ = 0;
};

}  // namespace Rete

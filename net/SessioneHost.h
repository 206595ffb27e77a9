#pragma once
// The host of a network game: listens for one guest, admits it only after the invitation
// code's challenge, referees the game (seat 1 the host, seat 2 the guest), sends the guest
// only its own seat's Vista, checks every Mossa with the rules, keeps a lost guest's seat for
// two minutes and ends the game for both when it is over, abandoned or out of time.
//
// Time comes from an injectable clock; BattitoTimer is the one-second tick (heartbeats,
// quiet peers, deadlines, announcements) that a QTimer calls in the program and tests call
// directly.
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "net/Invito.h"
#include "net/PartitaRete.h"
#include "net/Protocollo.h"

class QTcpServer;
class QTcpSocket;
class QUdpSocket;

namespace Rete {

using Orologio = std::function<qint64()>;  // milliseconds, never going back
Orologio OrologioReale();

class SessioneHost : public QObject {
    Q_OBJECT
public:
    enum class Fase { Ferma, AttesaOspite, InGioco, AttesaRitorno, Finita };

    explicit SessioneHost(QObject* parent = nullptr);
    ~SessioneHost() override;

    void ImpostaOrologio(Orologio o) { orologio_ = std::move(o); }
    // Deals the game from `seme` and listens on indirizzo:porta (0: a free port). False when
    // the port cannot be opened (Errore() tells why) or the code is not six digits.
    bool Avvia(Gioco g, const QString& nomeHost, const QString& codice, std::uint32_t seme,
               const QHostAddress& indirizzo = QHostAddress::Any, quint16 porta = PortaPredefinita);
    // While waiting for the guest, announce the game by UDP to destinazione:porta every two
    // seconds (the program passes the broadcast address; nothing is announced otherwise).
    // Each call adds a destination: a machine on two networks announces on both.
    void AnnunciaSu(const QHostAddress& destinazione, quint16 porta = PortaAnnuncio);

    quint16 Porta() const;
    QString Codice() const { return invito_ ? invito_->Codice() : QString(); }
    Fase FaseAttuale() const { return fase_; }
    const PartitaRete* Partita() const { return partita_.get(); }
    const QString& NomeHost() const { return nomeHost_; }
    const QString& NomeOspite() const { return nomeOspite_; }
    const QString& Errore() const { return errore_; }
    const QString& MotivoFine() const { return motivoFine_; }
    int MosseRifiutate() const { return rifiutate_; }
    // Sequence number of the state now in force (1 before the first move, one more after
    // each move).
    quint32 Sequenza() const { return sequenza_; }
    // When the admitted guest last sent anything, on this side's clock; -1 without a guest.
    qint64 UltimoDatoOspite() const;
    // Connections still introducing themselves.
    int InPresentazione() const { return static_cast<int>(connessioni_.size()) - (ospite_ ? 1 : 0); }
    bool InvitoAperto() const { return invito_ && !invito_->Chiuso(); }

    // The host seat's move (encoded as on the wire): applied only while the guest is at the
    // table and it is the host's turn. Returns a PartitaRete::Applicazione.
    int GiocaHost(const QByteArray& mossa);
    // The host closes its table: the guest is told, the game ends unfinished.
    void Chiudi();
    // The tick.
    void BattitoTimer();

signals:
    void OspiteArrivato(const QString& nome);
    void OspiteTornato(const QString& nome);
    void OspiteInAttesa(const QString& nome);
    // After every applied move, either seat's.
    void StatoCambiato();
    // The host seat's move has just been applied (StatoCambiato follows).
    void MossaHostApplicata();
    // The game is over: esito as PartitaRete::Esito (0 for an unfinished game) and why.
    void PartitaTerminata(int esito, const QString& perche);
    void InvitoChiuso();
    void MossaRifiutata(const QString& perche);
    // Every frame written to the admitted guest, as written.
    void Inviato(const QByteArray& cornice);

private:
    struct Connessione;
    void NuovaConnessione();
    void DatiArrivati(QTcpSocket* s);
    bool Gestisci(Connessione& c, const Messaggio& m);  // false: the connection must go
    void Ammetti(Connessione& c);
    void Scarta(QTcpSocket* s, const QString& perche);
    void Rifiuta(Connessione& c, Motivo m, const QString& testo);
    void PerdiOspite(const QString& perche);
    void ChiudiInvito();
    void Invia(const QByteArray& cornice);
    void InviaQuadro();
    void DopoMossa();
    void Termina(Motivo motivo, int esito, const QString& perche);
    void Annuncia();

    Orologio orologio_;
    QTcpServer* server_ = nullptr;
    QUdpSocket* annuncio_ = nullptr;
    std::vector<std::pair<QHostAddress, quint16>> destinazioniAnnuncio_;
    qint64 ultimoAnnuncio_ = -1;
    QTimer timer_;
    std::unique_ptr<Invito> invito_;
    std::unique_ptr<PartitaRete> partita_;
    std::map<QTcpSocket*, std::unique_ptr<Connessione>> connessioni_;
    QTcpSocket* ospite_ = nullptr;  // the admitted guest's connection, while there is one
    QByteArray gettoneOspite_;
    QString nomeHost_, nomeOspite_, errore_, motivoFine_;
    Fase fase_ = Fase::Ferma;
    quint32 sequenza_ = 1;
    std::vector<QByteArray> storico_;   // the guest's state frames by sequence number
    quint32 sequenzaMossaOspite_ = 0;  // the state the guest's last applied move answered
    qint64 inizioAttesa_ = 0;
    int rifiutate_ = 0;
};

}  // namespace Rete

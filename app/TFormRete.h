#pragma once
// The "Gioca in rete" window: host a game (choose it; the window shows this machine's
// address, the port and the invitation code and waits for the guest) or join one (type the
// host's address, port and code, or pick a game announced on the local network). Once the
// other player is in, the session goes to the game's table and the window closes.
#include <QComboBox>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

#include "components/Finestra.h"
#include "net/Protocollo.h"
#include "net/SessioneHost.h"

namespace Rete {
class SessioneOspite;
class RicercaPartite;
struct PartitaTrovata;
}  // namespace Rete

class TFormRete : public TFinestra {
    Q_OBJECT
public:
    explicit TFormRete(QWidget* parent = nullptr);
    ~TFormRete() override;

    // ---- Ospita ----
    QComboBox* CBGioco = nullptr;  // Scopa, Briscola, Rubamazzo
    QLineEdit* EditPortaOspita = nullptr;
    QPushButton* BtnOspita = nullptr;
    QPushButton* BtnAnnullaOspita = nullptr;
    QLabel* EtichettaIndirizzi = nullptr;  // this machine's IPv4 addresses
    QLabel* EtichettaPorta = nullptr;
    QLabel* EtichettaCodice = nullptr;     // the six digits, large
    QLabel* StatoOspita = nullptr;
    // ---- Partecipa ----
    QLineEdit* EditIndirizzo = nullptr;
    QLineEdit* EditPorta = nullptr;
    QLineEdit* EditCodice = nullptr;
    QListWidget* ListaPartite = nullptr;  // games announced on the local network
    QPushButton* BtnPartecipa = nullptr;
    QPushButton* BtnAnnullaPartecipa = nullptr;
    QLabel* StatoPartecipa = nullptr;

    QPushButton* BtnChiudi = nullptr;
    QTimer* TimerRicerca = nullptr;  // drops games no longer announced
    // The live label: a screen reader hears each line the two panels show.
    QLabel* Annuncio = nullptr;

    void BtnOspitaClick();
    void BtnAnnullaOspitaClick();
    void BtnPartecipaClick();
    void BtnAnnullaPartecipaClick();
    void BtnChiudiClick();
    // A game of the list chosen: its address and port go to the boxes.
    void ListaPartiteChange();
    void TimerRicercaTimer();

    // Where a session goes once the other player is in (the tables; tests catch it here).
    std::function<void(Rete::SessioneHost*)> ConsegnaHost;
    std::function<void(Rete::SessioneOspite*)> ConsegnaOspite;
    // The networks: where the host listens, this machine's addresses shown to the player,
    // the broadcast addresses and UDP port announced on, and where the list listens for
    // announcements. The machine's own in the program; tests keep all of it on loopback.
    QHostAddress IndirizzoAscolto = QHostAddress::Any;
    std::function<QList<QHostAddress>()> IndirizziMacchina;
    std::function<QList<QHostAddress>()> DestinazioniAnnuncio;
    quint16 PortaAnnunci = Rete::PortaAnnuncio;
    QHostAddress IndirizzoRicerca = QHostAddress::AnyIPv4;
    quint16 PortaRicerca = Rete::PortaAnnuncio;
    // The sessions' and the list's clock (milliseconds).
    Rete::Orologio Orologio;

    Rete::SessioneHost* Host() const { return host_; }
    Rete::SessioneOspite* Ospite() const { return ospite_; }
    Rete::RicercaPartite* Ricerca() const { return ricerca_; }

    // A port box: 1..65535, nothing else.
    static std::optional<quint16> LeggiPorta(const QString& testo);
    // What a guest may type as the host: an IPv4 or IPv6 address or a host name.
    static bool IndirizzoValido(const QString& testo);
    // The six digits in two groups of three, as the host reads them out.
    static QString CodiceLeggibile(const QString& codice);

signals:
    void ListaCambiata();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    struct Trovata {
        QHostAddress indirizzo;
        Rete::Annuncio annuncio;
        qint64 visto = 0;
    };
    void FormShow();
    void FormHide();
    void AvviaRicerca();
    void Annunciata(const Rete::PartitaTrovata& p);
    void MostraLista();
    void OspiteArrivato();
    void HostTerminato(const QString& perche);
    void Ammesso();
    void OspiteTerminato(const QString& perche);
    void FineOspita();
    void FinePartecipa();
    void Esci();
    void Messaggio(QLabel* stato, const QString& testo, bool errore);
    void MostraCodice(const QString& codice);
    QString NomeInRete() const;

    Rete::SessioneHost* host_ = nullptr;
    Rete::SessioneOspite* ospite_ = nullptr;
    Rete::RicercaPartite* ricerca_ = nullptr;
    bool ricercaAttiva_ = false;
    std::vector<Trovata> trovate_;
};

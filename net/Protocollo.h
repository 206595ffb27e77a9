#pragma once
// The wire format of network play. Every message is one frame: a 4-byte big-endian length of
// the body, then the body: the protocol version (1 byte), the message type (1 byte) and the
// type's fields. Bodies are small (MassimaLunghezza); a frame that is too long, of another
// version, of an unknown type, or whose fields do not read back exactly and within their
// ranges is an error that ends the connection it came on.
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace Rete {

inline constexpr int VersioneProtocollo = 1;
// Largest body accepted; the largest real message (a Scopa view) is well under 300 bytes.
inline constexpr int MassimaLunghezza = 1024;
// TCP port a host listens on unless the player chooses another, and the UDP port of the
// announcements a waiting host sends on the local network.
inline constexpr quint16 PortaPredefinita = 47321;
inline constexpr quint16 PortaAnnuncio = 47322;
// Both sides send a heartbeat this often and call the other quiet after SilenzioMassimo
// without a byte; a lost guest has AttesaRitorno to come back.
inline constexpr qint64 IntervalloBattito = 5000;
inline constexpr qint64 SilenzioMassimo = 15000;
inline constexpr qint64 AttesaRitorno = 120000;
// A connection that has not finished its introduction by then is closed.
inline constexpr qint64 AttesaPresentazione = 10000;
inline constexpr int TentativiCodice = 3;
inline constexpr int LunghezzaNonce = 32;
inline constexpr int LunghezzaGettone = 16;
inline constexpr int MassimoNome = 24;  // characters of a player's name

enum class Gioco : std::uint8_t { Scopa = 1, Briscola = 2, Rubamazzo = 3 };
bool GiocoValido(int g);
QString NomeGioco(Gioco g);

enum class Tipo : std::uint8_t {
    Ciao = 1,            // guest: version, name, reconnection token (empty the first time)
    Sfida = 2,           // host: game, nonce, host's name
    Risposta = 3,        // guest: HMAC of the nonce under the invitation code
    Benvenuto = 4,       // host: game, guest's seat, host's name, reconnection token
    Rifiuto = 5,         // host: why the join is refused
    Stato = 6,           // host: the guest's seat as it stands (see Quadro)
    Mossa = 7,           // guest: a move, answering the Stato of that sequence number
    MossaRifiutata = 8,  // host: the move was not applied
    Battito = 9,         // either side: still here
    Addio = 10,          // either side: the game ends for this reason
    Annuncio = 11,       // host, by UDP: a game waiting for a guest
};

enum class Motivo : std::uint8_t {
    VersioneDiversa = 1,
    CodiceErrato = 2,
    InvitoChiuso = 3,
    PartitaPiena = 4,
    FuoriTurno = 5,
    MossaIllegale = 6,
    Chiusa = 7,          // the other side closed its table
    TempoScaduto = 8,    // the other side did not come back in time
    Conclusa = 9,        // the game reached its end
};
bool MotivoValido(int m);

// Writes the fields of one body.
class Scrittore {
public:
    Scrittore(Tipo t);
    Scrittore& U8(int v);
    Scrittore& U16(int v);
    Scrittore& U32(quint32 v);
    Scrittore& Byte(const QByteArray& b);      // u16 length, then the bytes
    Scrittore& Testo(const QString& s);        // UTF-8 as Byte
    // The whole frame: length, version, type, fields.
    QByteArray Cornice() const;
    // The body with another version byte (tests of the version check).
    QByteArray CorniceVersione(int versione) const;

private:
    QByteArray corpo_;
};

// Reads the fields of one body; any read past the end or out of its range marks it bad, and
// every later read returns 0.
class Lettore {
public:
    explicit Lettore(const QByteArray& campi) : d_(campi) {}
    int U8(int minimo = 0, int massimo = 255);
    int U16(int minimo = 0, int massimo = 65535);
    quint32 U32();
    QByteArray Byte(int massimo);
    // A name: valid UTF-8, 1..MassimoNome characters, no control characters.
    QString Nome();
    QString Testo(int massimo);
    bool Ok() const { return ok_; }
    // Every byte read and every field in range.
    bool Fine() const { return ok_ && pos_ == d_.size(); }
    void Guasto() { ok_ = false; }

private:
    QByteArray d_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

struct Messaggio {
    int versione = 0;
    Tipo tipo = Tipo::Battito;
    QByteArray campi;  // the body after version and type
};

// Gathers the bytes of one connection and cuts them into frames.
class Raccoglitore {
public:
    enum class Esito { Incompleto, Pronto, Errore };
    void Aggiungi(const QByteArray& byte) { buffer_ += byte; }
    // The next frame. Errore (with Errore() telling why) for a length of 0 or above the
    // maximum, a body too short for version and type, or an unknown type; a frame of
    // another version is Pronto with that version, for the caller to refuse politely.
    // After an error the connection's bytes can no longer be trusted and it must close.
    Esito Prossimo(Messaggio& m);
    const QString& Errore() const { return errore_; }
    qsizetype InAttesa() const { return buffer_.size(); }

private:
    QByteArray buffer_;
    QString errore_;
    bool guasto_ = false;
};

QString TestoVersione(int altra);
QString TestoMotivo(Motivo m);

// ---- messages ----
struct Ciao { QString nome; QByteArray gettone; };
struct Sfida { Gioco gioco = Gioco::Scopa; QByteArray nonce; QString nomeHost; };
struct Benvenuto { Gioco gioco = Gioco::Scopa; int lato = 2; QString nomeHost; QByteArray gettone; };
struct Rifiuto { Motivo motivo = Motivo::InvitoChiuso; QString testo; };
// The state of the guest's seat: the sequence number a move must answer, whose turn it is
// (0 when nobody is to move), the hand, the match totals of each seat, the result once the
// game is over (0 in play, 1 seat 1 wins, 2 seat 2 wins, 3 draw) and the game's Vista.
struct Quadro {
    quint32 sequenza = 0;
    Gioco gioco = Gioco::Scopa;
    int turno = 0;
    int mano = 1;
    int punti[3] = {};
    int esito = 0;
    QByteArray vista;
    // The move that led here (none in the first state of a game or a hand restarted by a
    // return): the seat that made it (0 none), the move as on the wire, and the card it
    // played, which everyone has seen by then. The tables play it from this.
    int latoUltima = 0;
    QByteArray mossaUltima;
    int cartaUltima = 0;
};
struct MossaRete { quint32 sequenza = 0; QByteArray mossa; };
struct Annuncio { Gioco gioco = Gioco::Scopa; quint16 porta = 0; QString nomeHost; };

QByteArray Codifica(const Ciao& m);
QByteArray Codifica(const Sfida& m);
QByteArray CodificaRisposta(const QByteArray& hmac);
QByteArray Codifica(const Benvenuto& m);
QByteArray Codifica(const Rifiuto& m);
QByteArray Codifica(const Quadro& m);
QByteArray Codifica(const MossaRete& m);
QByteArray CodificaMossaRifiutata(quint32 sequenza, Motivo m);
QByteArray CodificaBattito();
QByteArray CodificaAddio(Motivo m);
QByteArray Codifica(const Annuncio& m);

// Each returns false when the fields are not exactly a valid message of that type.
bool Decodifica(const QByteArray& campi, Ciao& m);
bool Decodifica(const QByteArray& campi, Sfida& m);
bool DecodificaRisposta(const QByteArray& campi, QByteArray& hmac);
bool Decodifica(const QByteArray& campi, Benvenuto& m);
bool Decodifica(const QByteArray& campi, Rifiuto& m);
bool Decodifica(const QByteArray& campi, Quadro& m);
bool Decodifica(const QByteArray& campi, MossaRete& m);
bool DecodificaMossaRifiutata(const QByteArray& campi, quint32& sequenza, Motivo& m);
bool DecodificaAddio(const QByteArray& campi, Motivo& m);
bool Decodifica(const QByteArray& campi, Annuncio& m);

}  // namespace Rete

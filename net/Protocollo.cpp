#include "net/Protocollo.h"

#include <QList>
#include <QtEndian>

namespace Rete {

bool GiocoValido(int g) { return g >= 1 && g <= 3; }

QString NomeGioco(Gioco g)
{
    switch (g) {
    case Gioco::Scopa: return QStringLiteral("Scopa");
    case Gioco::Briscola: return QStringLiteral("Briscola");
    case Gioco::Rubamazzo: return QStringLiteral("Rubamazzo");
    }
    return {};
}

bool MotivoValido(int m) { return m >= 1 && m <= 9; }

// ---- writing ----

Scrittore::Scrittore(Tipo t) { corpo_.append(static_cast<char>(static_cast<std::uint8_t>(t))); }

Scrittore& Scrittore::U8(int v)
{
    corpo_.append(static_cast<char>(v & 0xff));
    return *this;
}

Scrittore& Scrittore::U16(int v)
{
    corpo_.append(static_cast<char>((v >> 8) & 0xff));
    corpo_.append(static_cast<char>(v & 0xff));
    return *this;
}

Scrittore& Scrittore::U32(quint32 v)
{
    char b[4];
    qToBigEndian(v, b);
    corpo_.append(b, 4);
    return *this;
}

Scrittore& Scrittore::Byte(const QByteArray& b)
{
    U16(static_cast<int>(b.size()));
    corpo_.append(b);
    return *this;
}

Scrittore& Scrittore::Testo(const QString& s) { return Byte(s.toUtf8()); }

QByteArray Scrittore::Cornice() const { return CorniceVersione(VersioneProtocollo); }

QByteArray Scrittore::CorniceVersione(int versione) const
{
    QByteArray f(4, '\0');
    qToBigEndian(static_cast<quint32>(corpo_.size() + 1), f.data());
    f.append(static_cast<char>(versione & 0xff));
    f.append(corpo_);
    return f;
}

// ---- reading ----

int Lettore::U8(int minimo, int massimo)
{
    if (!ok_ || pos_ + 1 > d_.size()) return ok_ = false, 0;
    const int v = static_cast<std::uint8_t>(d_[pos_++]);
    if (v < minimo || v > massimo) return ok_ = false, 0;
    return v;
}

int Lettore::U16(int minimo, int massimo)
{
    if (!ok_ || pos_ + 2 > d_.size()) return ok_ = false, 0;
    const int v = static_cast<std::uint8_t>(d_[pos_]) << 8 | static_cast<std::uint8_t>(d_[pos_ + 1]);
    pos_ += 2;
    if (v < minimo || v > massimo) return ok_ = false, 0;
    return v;
}

quint32 Lettore::U32()
{
    if (!ok_ || pos_ + 4 > d_.size()) return ok_ = false, 0;
    const quint32 v = qFromBigEndian<quint32>(d_.constData() + pos_);
    pos_ += 4;
    return v;
}

QByteArray Lettore::Byte(int massimo)
{
    const int n = U16(0, massimo);
    if (!ok_ || pos_ + n > d_.size()) return ok_ = false, QByteArray();
    QByteArray b = d_.mid(pos_, n);
    pos_ += n;
    return b;
}

QString Lettore::Testo(int massimo)
{
    const QByteArray b = Byte(massimo);
    const QString s = QString::fromUtf8(b);
    // Invalid UTF-8 does not survive the round trip.
    if (s.toUtf8() != b) ok_ = false;
    return ok_ ? s : QString();
}

QString Lettore::Nome()
{
    const QString s = Testo(MassimoNome * 4);
    if (!ok_) return {};
    const auto punti = s.toUcs4();
    if (punti.isEmpty() || punti.size() > MassimoNome) return ok_ = false, QString();
    for (char32_t c : punti)
        if (QChar::category(c) == QChar::Other_Control || QChar::category(c) == QChar::Other_Format ||
            c == 0x2028 || c == 0x2029)
            return ok_ = false, QString();
    return s;
}

// ---- frames ----

Raccoglitore::Esito Raccoglitore::Prossimo(Messaggio& m)
{
    if (guasto_) return Esito::Errore;
    if (buffer_.size() < 4) return Esito::Incompleto;
    const quint32 n = qFromBigEndian<quint32>(buffer_.constData());
    if (n < 2 || n > static_cast<quint32>(MassimaLunghezza)) {
        guasto_ = true;
        errore_ = QStringLiteral("frame length %1 outside 2..%2").arg(n).arg(MassimaLunghezza);
        return Esito::Errore;
    }
    if (buffer_.size() < static_cast<qsizetype>(4 + n)) return Esito::Incompleto;
    m.versione = static_cast<std::uint8_t>(buffer_[4]);
    const int tipo = static_cast<std::uint8_t>(buffer_[5]);
    m.campi = buffer_.mid(6, n - 2);
    buffer_.remove(0, 4 + n);
    // Another version's types may mean anything: hand it over for a refusal.
    if (m.versione != VersioneProtocollo) return Esito::Pronto;
    if (tipo < 1 || tipo > static_cast<int>(Tipo::Annuncio)) {
        guasto_ = true;
        errore_ = QStringLiteral("unknown message type %1").arg(tipo);
        return Esito::Errore;
    }
    m.tipo = static_cast<Tipo>(tipo);
    return Esito::Pronto;
}

QString TestoVersione(int altra)
{
    return QStringLiteral("L'altro programma usa la versione %1 del gioco in rete, questo la versione %2: "
                          "aggiornate entrambi alla stessa versione.")
        .arg(altra)
        .arg(VersioneProtocollo);
}

QString TestoMotivo(Motivo m)
{
    switch (m) {
    case Motivo::VersioneDiversa: return QStringLiteral("Versione del gioco in rete diversa.");
    case Motivo::CodiceErrato: return QStringLiteral("Codice di invito errato.");
    case Motivo::InvitoChiuso: return QStringLiteral("L'invito è chiuso.");
    case Motivo::PartitaPiena: return QStringLiteral("La partita ha già un ospite.");
    case Motivo::FuoriTurno: return QStringLiteral("Non è il tuo turno.");
    case Motivo::MossaIllegale: return QStringLiteral("Mossa non valida.");
    case Motivo::Chiusa: return QStringLiteral("L'altro giocatore ha chiuso il tavolo.");
    case Motivo::TempoScaduto: return QStringLiteral("L'altro giocatore non è tornato entro due minuti.");
    case Motivo::Conclusa: return QStringLiteral("Partita conclusa.");
    }
    return {};
}

// ---- messages ----

QByteArray Codifica(const Ciao& m)
{
    return Scrittore(Tipo::Ciao).Testo(m.nome).Byte(m.gettone).Cornice();
}

bool Decodifica(const QByteArray& campi, Ciao& m)
{
    Lettore l(campi);
    m.nome = l.Nome();
    m.gettone = l.Byte(LunghezzaGettone);
    if (!m.gettone.isEmpty() && m.gettone.size() != LunghezzaGettone) l.Guasto();
    return l.Fine();
}

QByteArray Codifica(const Sfida& m)
{
    return Scrittore(Tipo::Sfida).U8(static_cast<int>(m.gioco)).Byte(m.nonce).Testo(m.nomeHost).Cornice();
}

bool Decodifica(const QByteArray& campi, Sfida& m)
{
    Lettore l(campi);
    m.gioco = static_cast<Gioco>(l.U8(1, 3));
    m.nonce = l.Byte(LunghezzaNonce);
    if (m.nonce.size() != LunghezzaNonce) l.Guasto();
    m.nomeHost = l.Nome();
    return l.Fine();
}

QByteArray CodificaRisposta(const QByteArray& hmac) { return Scrittore(Tipo::Risposta).Byte(hmac).Cornice(); }

bool DecodificaRisposta(const QByteArray& campi, QByteArray& hmac)
{
    Lettore l(campi);
    hmac = l.Byte(64);
    if (hmac.size() != 32) l.Guasto();
    return l.Fine();
}

QByteArray Codifica(const Benvenuto& m)
{
    return Scrittore(Tipo::Benvenuto)
        .U8(static_cast<int>(m.gioco))
        .U8(m.lato)
        .Testo(m.nomeHost)
        .Byte(m.gettone)
        .Cornice();
}

bool Decodifica(const QByteArray& campi, Benvenuto& m)
{
    Lettore l(campi);
    m.gioco = static_cast<Gioco>(l.U8(1, 3));
    m.lato = l.U8(1, 2);
    m.nomeHost = l.Nome();
    m.gettone = l.Byte(LunghezzaGettone);
    if (m.gettone.size() != LunghezzaGettone) l.Guasto();
    return l.Fine();
}

QByteArray Codifica(const Rifiuto& m)
{
    return Scrittore(Tipo::Rifiuto).U8(static_cast<int>(m.motivo)).Testo(m.testo).Cornice();
}

bool Decodifica(const QByteArray& campi, Rifiuto& m)
{
    Lettore l(campi);
    m.motivo = static_cast<Motivo>(l.U8(1, 9));
    m.testo = l.Testo(400);
    return l.Fine();
}

QByteArray Codifica(const Quadro& m)
{
    return Scrittore(Tipo::Stato)
        .U32(m.sequenza)
        .U8(static_cast<int>(m.gioco))
        .U8(m.turno)
        .U16(m.mano)
        .U16(m.punti[1])
        .U16(m.punti[2])
        .U8(m.esito)
        .Byte(m.vista)
        .U8(m.latoUltima)
        .Byte(m.mossaUltima)
        .U8(m.cartaUltima)
        .Cornice();
}

bool Decodifica(const QByteArray& campi, Quadro& m)
{
    Lettore l(campi);
    m.sequenza = l.U32();
    m.gioco = static_cast<Gioco>(l.U8(1, 3));
    m.turno = l.U8(0, 2);
    m.mano = l.U16(1, 999);
    m.punti[0] = 0;
    m.punti[1] = l.U16(0, 999);
    m.punti[2] = l.U16(0, 999);
    m.esito = l.U8(0, 3);
    m.vista = l.Byte(MassimaLunghezza);
    m.latoUltima = l.U8(0, 2);
    m.mossaUltima = l.Byte(16);
    m.cartaUltima = l.U8(0, 40);
    // A move names its seat and its card, or there is none.
    if ((m.latoUltima == 0) != m.mossaUltima.isEmpty() || (m.latoUltima == 0) != (m.cartaUltima == 0)) l.Guasto();
    return l.Fine();
}

QByteArray Codifica(const MossaRete& m) { return Scrittore(Tipo::Mossa).U32(m.sequenza).Byte(m.mossa).Cornice(); }

bool Decodifica(const QByteArray& campi, MossaRete& m)
{
    Lettore l(campi);
    m.sequenza = l.U32();
    m.mossa = l.Byte(16);
    return l.Fine();
}

QByteArray CodificaMossaRifiutata(quint32 sequenza, Motivo m)
{
    return Scrittore(Tipo::MossaRifiutata).U32(sequenza).U8(static_cast<int>(m)).Cornice();
}

bool DecodificaMossaRifiutata(const QByteArray& campi, quint32& sequenza, Motivo& m)
{
    Lettore l(campi);
    sequenza = l.U32();
    m = static_cast<Motivo>(l.U8(1, 9));
    return l.Fine();
}

QByteArray CodificaBattito() { return Scrittore(Tipo::Battito).Cornice(); }

QByteArray CodificaAddio(Motivo m) { return Scrittore(Tipo::Addio).U8(static_cast<int>(m)).Cornice(); }

bool DecodificaAddio(const QByteArray& campi, Motivo& m)
{
    Lettore l(campi);
    m = static_cast<Motivo>(l.U8(1, 9));
    return l.Fine();
}

QByteArray Codifica(const Annuncio& m)
{
    return Scrittore(Tipo::Annuncio).U8(static_cast<int>(m.gioco)).U16(m.porta).Testo(m.nomeHost).Cornice();
}

bool Decodifica(const QByteArray& campi, Annuncio& m)
{
    Lettore l(campi);
    m.gioco = static_cast<Gioco>(l.U8(1, 3));
    m.porta = static_cast<quint16>(l.U16(1, 65535));
    m.nomeHost = l.Nome();
    return l.Fine();
}

}  // namespace Rete

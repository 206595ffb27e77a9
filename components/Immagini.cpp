#include "components/Immagini.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QResource>
#include <QtEndian>
#include <QtGlobal>
#include <algorithm>
#include <cstring>
#include <iterator>

#include "components/Scala.h"

namespace Immagini {

namespace {

struct Cache {
    QHash<QString, QImage> intere;
    QHash<QString, QImage> scalate;  // key: name + '@' + width + 'x' + height
    int decodificate = 0;
};

Cache& LaCache()
{
    static Cache c;
    return c;
}

quint32 U32(const uchar* p) { return qFromLittleEndian<quint32>(p); }
quint16 U16(const uchar* p) { return qFromLittleEndian<quint16>(p); }

// The bytes of a resource or file. Embedded data that is stored uncompressed is used where it
// lies, without a copy.
QByteArray Bytes(const QString& nome)
{
    if (nome.startsWith(QLatin1Char(':'))) {
        const QResource r(nome);
        if (r.isValid() && r.size() > 0) {
            if (r.compressionAlgorithm() != QResource::NoCompression) return r.uncompressedData();
            return QByteArray::fromRawData(reinterpret_cast<const char*>(r.data()), static_cast<qsizetype>(r.size()));
        }
    }
    QFile f(nome);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QImage ConQt(const QByteArray& dati)
{
    QBuffer b;
    b.setData(dati);
    b.open(QIODevice::ReadOnly);
    QImageReader lettore(&b);
    QImage img = lettore.read();
    if (img.isNull()) return img;
    // Opaque pictures paint fastest as 32-bit RGB; one with transparency keeps it, premultiplied.
    const QImage::Format forma = img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    return img.format() == forma ? img : img.convertToFormat(forma);
}

}  // namespace

QImage DecodificaBmp(const QByteArray& dati, bool tieniTavolozza)
{
    const auto* d = reinterpret_cast<const uchar*>(dati.constData());
    const qsizetype n = dati.size();
    if (n < 54 || d[0] != 'B' || d[1] != 'M') return ConQt(dati);
    const quint32 inizioPixel = U32(d + 10);
    const quint32 intestazione = U32(d + 14);
    if (intestazione < 40 || 14 + qint64(intestazione) > n) return ConQt(dati);
    const qint32 larghezza = static_cast<qint32>(U32(d + 18));
    const qint32 altezzaFirmata = static_cast<qint32>(U32(d + 22));
    const int bit = U16(d + 28);
    const quint32 compressione = U32(d + 30);
    quint32 colori = U32(d + 46);
    const bool altoInBasso = altezzaFirmata < 0;
    const qint64 altezza = altoInBasso ? -qint64(altezzaFirmata) : altezzaFirmata;
    if (compressione != 0 || larghezza <= 0 || larghezza > 32768 || altezza <= 0 || altezza > 32768)
        return ConQt(dati);
    if (bit != 4 && bit != 8 && bit != 24 && bit != 32) return ConQt(dati);

    const qint64 passo = ((qint64(larghezza) * bit + 31) / 32) * 4;
    if (qint64(inizioPixel) + passo * altezza > n) return ConQt(dati);

    QRgb tavolozza[256];
    if (bit <= 8) {
        const quint32 massimo = 1u << bit;
        if (colori == 0 || colori > massimo) colori = massimo;
        const qint64 inizioTavolozza = 14 + qint64(intestazione);
        if (inizioTavolozza + 4 * qint64(colori) > inizioPixel) return ConQt(dati);
        // An index beyond the palette reads as black.
        std::fill(std::begin(tavolozza), std::end(tavolozza), qRgb(0, 0, 0));
        for (quint32 i = 0; i < colori; ++i) {
            const uchar* c = d + inizioTavolozza + 4 * i;
            tavolozza[i] = qRgb(c[2], c[1], c[0]);
        }
    }

    if (bit == 8 && tieniTavolozza) {
        QImage img(larghezza, static_cast<int>(altezza), QImage::Format_Indexed8);
        if (img.isNull()) return img;
        img.setColorTable(QList<QRgb>(std::begin(tavolozza), std::end(tavolozza)));
        for (int y = 0; y < img.height(); ++y) {
            const qint64 riga = altoInBasso ? y : altezza - 1 - y;
            std::memcpy(img.scanLine(y), d + inizioPixel + riga * passo, static_cast<size_t>(larghezza));
        }
        return img;
    }

    QImage img(larghezza, static_cast<int>(altezza), QImage::Format_RGB32);
    if (img.isNull()) return img;
    for (int y = 0; y < img.height(); ++y) {
        const qint64 riga = altoInBasso ? y : altezza - 1 - y;
        const uchar* s = d + inizioPixel + riga * passo;
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        switch (bit) {
        case 24: {
            // Four pixels from three 32-bit words: blue, green, red in each group of three
            // bytes is already the order of a 32-bit pixel's low bytes.
            int x = 0;
            for (; x + 4 <= larghezza; x += 4, s += 12) {
                quint32 a, b, c;
                std::memcpy(&a, s, 4);
                std::memcpy(&b, s + 4, 4);
                std::memcpy(&c, s + 8, 4);
                a = qFromLittleEndian(a);
                b = qFromLittleEndian(b);
                c = qFromLittleEndian(c);
                out[x] = 0xFF000000u | (a & 0xFFFFFFu);
                out[x + 1] = 0xFF000000u | (a >> 24) | ((b & 0xFFFFu) << 8);
                out[x + 2] = 0xFF000000u | (b >> 16) | ((c & 0xFFu) << 16);
                out[x + 3] = 0xFF000000u | (c >> 8);
            }
            for (; x < larghezza; ++x, s += 3) out[x] = 0xFF000000u | (quint32(s[2]) << 16) | (quint32(s[1]) << 8) | s[0];
            break;
        }
        case 32:
            for (int x = 0; x < larghezza; ++x, s += 4) out[x] = 0xFF000000u | (quint32(s[2]) << 16) | (quint32(s[1]) << 8) | s[0];
            break;
        case 8:
            for (int x = 0; x < larghezza; ++x) out[x] = tavolozza[s[x]];
            break;
        case 4:
            for (int x = 0; x < larghezza; ++x) out[x] = tavolozza[(x & 1) ? (s[x / 2] & 0x0F) : (s[x / 2] >> 4)];
            break;
        }
    }
    return img;
}

QImage Condivisa(const QString& nome)
{
    Cache& c = LaCache();
    if (const auto it = c.intere.constFind(nome); it != c.intere.constEnd()) return *it;
    const QByteArray dati = Bytes(nome);
    QImage img = dati.isEmpty() ? QImage() : DecodificaBmp(dati);
    if (img.isNull()) qWarning("Cartovia: picture %s cannot be read", qPrintable(nome));
    ++c.decodificate;
    c.intere.insert(nome, img);
    return img;
}

QImage Foglio(const QString& nome)
{
    Cache& c = LaCache();
    const QString chiave = nome + QStringLiteral("@foglio");
    if (const auto it = c.scalate.constFind(chiave); it != c.scalate.constEnd()) return *it;
    const QByteArray dati = Bytes(nome);
    QImage img = dati.isEmpty() ? QImage() : DecodificaBmp(dati, true);
    if (img.isNull()) qWarning("Cartovia: picture %s cannot be read", qPrintable(nome));
    ++c.decodificate;
    c.scalate.insert(chiave, img);
    return img;
}

QImage Scalata(const QString& nome, QSize dimensione)
{
    Cache& c = LaCache();
    const QString chiave = nome + QLatin1Char('@') + QString::number(dimensione.width()) + QLatin1Char('x') +
                           QString::number(dimensione.height());
    if (const auto it = c.scalate.constFind(chiave); it != c.scalate.constEnd()) return *it;
    QImage img = Condivisa(nome);
    if (!img.isNull() && img.size() != dimensione)
        img = img.scaled(dimensione, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB32);
    c.scalate.insert(chiave, img);
    return img;
}

QImage Doppia(const QString& nome, bool foglio)
{
    Cache& c = LaCache();
    const QString nome2x = Scala::Nome2x(nome);
    const QString chiave = nome2x + (foglio ? QStringLiteral("@foglio") : QStringLiteral("@2x"));
    if (const auto it = c.scalate.constFind(chiave); it != c.scalate.constEnd()) return *it;
    QImage img;
    if (QFile::exists(nome2x)) {
        const QByteArray dati = Bytes(nome2x);
        img = dati.isEmpty() ? QImage() : DecodificaBmp(dati, foglio);
        if (img.isNull()) qWarning("Cartovia: picture %s cannot be read", qPrintable(nome2x));
        else img.setDevicePixelRatio(2.0);
        ++c.decodificate;
    }
    c.scalate.insert(chiave, img);
    return img;
}

bool Disponibile(const QString& nome)
{
    if (LaCache().intere.contains(nome)) return !LaCache().intere.value(nome).isNull();
    return QFile::exists(nome);
}

int Decodificate() { return LaCache().decodificate; }

bool Decodificata(const QString& nome)
{
    if (LaCache().intere.contains(nome)) return true;
    const QString prefisso = nome + QLatin1Char('@');
    for (auto it = LaCache().scalate.cbegin(); it != LaCache().scalate.cend(); ++it)
        if (it.key().startsWith(prefisso)) return true;
    return false;
}

void Libera()
{
    // A picture whose pixels only the cache refers to is not on any window.
    for (auto* tabella : {&LaCache().intere, &LaCache().scalate})
        for (auto it = tabella->begin(); it != tabella->end();)
            it = (!it->isNull() && it->isDetached()) ? tabella->erase(it) : std::next(it);
}

void Dimentica()
{
    LaCache().intere.clear();
    LaCache().scalate.clear();
}

Differita Differita::DaRisorsa(const QString& nome, QSize dimensione)
{
    Differita d;
    d.nome_ = nome;
    d.origine_ = nome;
    d.dimensione_ = dimensione;
    return d;
}

Differita Differita::FoglioDaRisorsa(const QString& nome)
{
    Differita d = DaRisorsa(nome);
    d.foglio_ = true;
    return d;
}

const QImage& Differita::Immagine() const
{
    if (!nome_.isEmpty()) {
        img_ = foglio_ ? Foglio(nome_) : dimensione_.isValid() ? Scalata(nome_, dimensione_) : Condivisa(nome_);
        nome_.clear();
    }
    return img_;
}

}  // namespace Immagini

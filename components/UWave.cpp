#include "components/UWave.h"

#include <QFile>
#include <QtEndian>

#include "platform/UscitaAudio.h"

void TWaveData::Play() const
{
    if (Vuoto()) return;
    UscitaAudioCorrente().Riproduci(dati_);
}

bool TWaveData::LoadFromFile(const QString& nome)
{
    Clear();
    QFile f(nome);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const qint64 lunghezza = f.size();
    if (lunghezza <= 0) return false;
    QByteArray letti = f.readAll();
    // A read cut short leaves the object empty rather than holding part of a sound.
    if (letti.size() != lunghezza) return false;
    dati_ = std::move(letti);
    return true;
}

void TWaveData::Assign(const TWaveData* sorgente)
{
    // Assigning an object to itself keeps its bytes (emptying first would lose them).
    if (sorgente == this) return;
    Clear();
    if (sorgente) dati_ = sorgente->dati_;
}

bool TWaveData::LeggiDati(QIODevice& stream)
{
    Clear();
    char conta[4];
    if (stream.read(conta, 4) != 4) return false;
    const auto n = qFromLittleEndian<qint32>(conta);
    if (n == 0) return true;
    if (n < 0) return false;
    // Read in pieces so a corrupt count cannot demand a huge buffer up front.
    QByteArray letti;
    qint64 mancano = n;
    while (mancano > 0) {
        const QByteArray pezzo = stream.read(std::min<qint64>(mancano, 1 << 20));
        if (pezzo.isEmpty()) return false;  // stream ended early: keep nothing
        letti += pezzo;
        mancano -= pezzo.size();
    }
    dati_ = std::move(letti);
    return true;
}

bool TWaveData::ScriviDati(QIODevice& stream) const
{
    if (Vuoto()) return true;
    char conta[4];
    qToLittleEndian<qint32>(static_cast<qint32>(dati_.size()), conta);
    return stream.write(conta, 4) == 4 && stream.write(dati_) == dati_.size();
}

void TWave::Play()
{
    if (OnPlay) OnPlay(this);
    waveData_.Play();
}

bool TWave::CaricaRisorsa(const QString& nome) { return waveData_.LoadFromFile(nome); }

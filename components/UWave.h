#pragma once
// TWave: a sound carried inside a window as one complete RIFF WAVE file, played on request
// without waiting for it to end. TWaveData holds the bytes and their stored form: the
// "Data" property, a 32-bit little-endian byte count followed by exactly that many bytes.
#include <QByteArray>
#include <QIODevice>
#include <QObject>
#include <QString>
#include <functional>

class TWaveData {
public:
    TWaveData() = default;
    TWaveData(const TWaveData& altro) = default;
    TWaveData& operator=(const TWaveData& altro) = default;
    virtual ~TWaveData() = default;

    int Size() const { return static_cast<int>(dati_.size()); }  // 0 = empty
    bool Vuoto() const { return dati_.isEmpty(); }
    const char* Dati() const { return dati_.isEmpty() ? nullptr : dati_.constData(); }
    const QByteArray& Bytes() const { return dati_; }

    // Hands the bytes to the sound output, which plays them in the background and cuts off
    // the sound playing; an empty object plays nothing.
    virtual void Play() const;
    virtual void Clear() { dati_.clear(); }
    // Reads the whole file; a missing, unreadable or zero-length file leaves the object
    // empty. True when something was loaded.
    virtual bool LoadFromFile(const QString& nome);
    // Copies the bytes of `sorgente`; nullptr empties the object.
    virtual void Assign(const TWaveData* sorgente);

    // The "Data" property. Reading empties the object first; a count of 0 (or a negative
    // one) leaves it empty, and so does a stream that ends before the promised bytes, so
    // a damaged window description never yields half a sound. False when the stream was
    // short or the count invalid.
    bool LeggiDati(QIODevice& stream);
    static bool LeggiDati(QIODevice& stream, TWaveData& dest) { return dest.LeggiDati(stream); }
    // Writes the count and the bytes; an empty object writes nothing (the property is not
    // stored at all). False when the device refused the bytes.
    bool ScriviDati(QIODevice& stream) const;
    // Whether the property is stored at all.
    bool DaSalvare() const { return !Vuoto(); }

private:
    QByteArray dati_;
};

class TWave : public QObject {
    Q_OBJECT
public:
    explicit TWave(QObject* parent = nullptr) : QObject(parent) {}

    TWaveData* WaveData() { return &waveData_; }
    const TWaveData* WaveData() const { return &waveData_; }
    // Copies the bytes of `dati`; the component keeps its own object.
    void setWaveData(const TWaveData& dati) { waveData_.Assign(&dati); }

    // Raised with the component just before each playback, also when there is no sound.
    std::function<void(TWave*)> OnPlay;

    virtual void Play();
    // Loads a sound embedded in the program (":/snd/..."); false when there is none.
    bool CaricaRisorsa(const QString& nome);

private:
    TWaveData waveData_;
};

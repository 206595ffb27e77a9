#pragma once
// Sound output: plays a complete RIFF WAVE file held in memory, asynchronously, cutting off
// the sound already playing. The real output decodes with libsndfile and plays through Qt
// Multimedia; tests install UscitaAudioRegistrata, which only records what was played.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <vector>

class UscitaAudio {
public:
    virtual ~UscitaAudio();
    // Starts playing `wav` and returns at once; data that is not a playable WAVE plays nothing.
    virtual void Riproduci(const QByteArray& wav) = 0;
    // Stops whatever is playing.
    virtual void Ferma() = 0;
};

// The output every TWaveData plays through.
UscitaAudio& UscitaAudioCorrente();
// Installs another output (not owned); nullptr restores the real one.
void ImpostaUscitaAudio(UscitaAudio* uscita);

// Decoded sound: interleaved signed 16-bit samples.
struct Pcm16 {
    int frequenza = 0;  // frames per second
    int canali = 0;
    std::vector<std::int16_t> campioni;
    std::int64_t Frame() const { return canali > 0 ? static_cast<std::int64_t>(campioni.size()) / canali : 0; }
};

// Decodes a RIFF WAVE image (any encoding libsndfile reads: PCM 8/16 bit, IMA ADPCM, ...).
// False, with `out` emptied, for anything that is not a complete WAVE file with at least one
// frame: a missing header, a missing format or data chunk, a data chunk cut short.
// Compressed data is trimmed to the frame count of its `fact` chunk, because decoding
// pads the last block with silence.
bool DecodificaWave(const QByteArray& wav, Pcm16& out);

// The longest sound a conversion produces: a minute of 48 kHz stereo (the program's sounds last
// a few seconds). A WAVE declaring an absurd rate (1 Hz) would otherwise ask for gigabytes.
inline constexpr std::int64_t MassimoCampioniConvertiti = std::int64_t(48000) * 2 * 60;

// The same sound at another rate and channel count (linear interpolation; mono is copied to
// every channel, extra channels are averaged down). A result longer than
// MassimoCampioniConvertiti samples is refused, logged: no samples, which plays as silence.
Pcm16 Converti(const Pcm16& sorgente, int frequenza, int canali);

// Real output: libsndfile + Qt Multimedia. With no audio device it plays nothing.
class UscitaAudioQt : public UscitaAudio {
public:
    UscitaAudioQt();
    ~UscitaAudioQt() override;
    void Riproduci(const QByteArray& wav) override;
    void Ferma() override;

private:
    struct Impl;
    Impl* impl_;
};

// Test double: records every WAVE image handed to it, in order.
class UscitaAudioRegistrata : public UscitaAudio {
public:
    void Riproduci(const QByteArray& wav) override { riprodotti_.push_back(wav); }
    void Ferma() override { ++fermate_; }

    // Gives a WAVE image a name so Suonati() can report it readably.
    void Nomina(const QString& nome, const QByteArray& wav) { nomi_[wav] = nome; }
    const std::vector<QByteArray>& Riprodotti() const { return riprodotti_; }
    // Names of the images played, in order; an unnamed image reads "?".
    QStringList Suonati() const;
    int Fermate() const { return fermate_; }
    void Azzera() { riprodotti_.clear(); fermate_ = 0; }

private:
    std::vector<QByteArray> riprodotti_;
    std::map<QByteArray, QString> nomi_;
    int fermate_ = 0;
};

// Installs an output for the lifetime of the guard, then restores the real one.
class UscitaAudioTemporanea {
public:
    explicit UscitaAudioTemporanea(UscitaAudio& u) { ImpostaUscitaAudio(&u); }
    ~UscitaAudioTemporanea() { ImpostaUscitaAudio(nullptr); }
    UscitaAudioTemporanea(const UscitaAudioTemporanea&) = delete;
    UscitaAudioTemporanea& operator=(const UscitaAudioTemporanea&) = delete;
};

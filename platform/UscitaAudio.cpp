#include "platform/UscitaAudio.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QtDebug>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

UscitaAudio::~UscitaAudio() = default;

// ---- decoding ----

namespace {

// An in-memory file for libsndfile's virtual I/O.
struct Memoria {
    const char* dati;
    sf_count_t lunghezza;
    sf_count_t posizione;
};

sf_count_t MemLunghezza(void* u) { return static_cast<Memoria*>(u)->lunghezza; }

sf_count_t MemCerca(sf_count_t offset, int whence, void* u)
{
    auto* m = static_cast<Memoria*>(u);
    sf_count_t base = 0;
    if (whence == SEEK_CUR) base = m->posizione;
    else if (whence == SEEK_END) base = m->lunghezza;
    const sf_count_t nuova = base + offset;
    if (nuova < 0 || nuova > m->lunghezza) return -1;
    m->posizione = nuova;
    return nuova;
}

sf_count_t MemLeggi(void* ptr, sf_count_t count, void* u)
{
    auto* m = static_cast<Memoria*>(u);
    const sf_count_t n = std::clamp<sf_count_t>(m->lunghezza - m->posizione, 0, std::max<sf_count_t>(count, 0));
    if (n > 0) std::memcpy(ptr, m->dati + m->posizione, static_cast<size_t>(n));
    m->posizione += n;
    return n;
}

sf_count_t MemScrivi(const void*, sf_count_t, void*) { return 0; }  // read only

sf_count_t MemPosizione(void* u) { return static_cast<Memoria*>(u)->posizione; }

std::uint32_t Le32(const QByteArray& b, qint64 i)
{
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData()) + i;
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t Le16(const QByteArray& b, qint64 i)
{
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData()) + i;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// What the chunk walk learns about a WAVE image.
struct Struttura {
    bool valida = false;
    std::uint16_t formato = 0;  // format tag: 1 PCM, 17 IMA ADPCM, ...
    bool haFact = false;
    std::uint32_t frameFact = 0;
};

// Walks the RIFF chunks. The image is refused when it lacks the RIFF/WAVE header, a format
// chunk or a data chunk, or when either of those runs past the end of the bytes (a
// truncated file would otherwise play noise or a cut-off sound).
Struttura Esamina(const QByteArray& wav)
{
    Struttura s;
    const qint64 n = wav.size();
    if (n < 12 || std::memcmp(wav.constData(), "RIFF", 4) != 0 || std::memcmp(wav.constData() + 8, "WAVE", 4) != 0)
        return s;
    bool fmt = false, data = false;
    qint64 pos = 12;
    while (pos + 8 <= n) {
        const char* id = wav.constData() + pos;
        const qint64 len = Le32(wav, pos + 4);
        const qint64 corpo = pos + 8;
        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (len < 16 || corpo + len > n) return s;
            fmt = true;
            s.formato = Le16(wav, corpo);
        } else if (std::memcmp(id, "fact", 4) == 0) {
            if (len >= 4 && corpo + 4 <= n) {
                s.haFact = true;
                s.frameFact = Le32(wav, corpo);
            }
        } else if (std::memcmp(id, "data", 4) == 0) {
            if (corpo + len > n) return s;
            data = true;
        }
        pos = corpo + len + (len & 1);  // chunks are word aligned
    }
    s.valida = fmt && data;
    return s;
}

}  // namespace

bool DecodificaWave(const QByteArray& wav, Pcm16& out)
{
    out = Pcm16{};
    const Struttura s = Esamina(wav);
    if (!s.valida) return false;

    Memoria mem{wav.constData(), wav.size(), 0};
    SF_VIRTUAL_IO vio{MemLunghezza, MemCerca, MemLeggi, MemScrivi, MemPosizione};
    SF_INFO info{};
    SNDFILE* f = sf_open_virtual(&vio, SFM_READ, &info, &mem);
    if (!f) return false;
    if (info.channels <= 0 || info.samplerate <= 0 || info.frames <= 0) {
        sf_close(f);
        return false;
    }
    sf_count_t frame = info.frames;
    // Block codecs decode whole blocks; the fact chunk says how many frames are real.
    if (s.formato != 1 && s.haFact && static_cast<sf_count_t>(s.frameFact) < frame) frame = s.frameFact;
    if (frame <= 0) {
        sf_close(f);
        return false;
    }
    std::vector<std::int16_t> campioni(static_cast<size_t>(frame) * static_cast<size_t>(info.channels));
    const sf_count_t letti = sf_readf_short(f, campioni.data(), frame);
    sf_close(f);
    if (letti != frame) return false;
    out.frequenza = info.samplerate;
    out.canali = info.channels;
    out.campioni = std::move(campioni);
    return true;
}

Pcm16 Converti(const Pcm16& sorgente, int frequenza, int canali)
{
    Pcm16 out;
    out.frequenza = frequenza;
    out.canali = canali;
    const std::int64_t inFrame = sorgente.Frame();
    if (inFrame <= 0 || frequenza <= 0 || canali <= 0 || sorgente.frequenza <= 0) return out;
    const int inCanali = sorgente.canali;
    // In floating point: frames times rate may not fit 64 bits.
    const double richiesti = std::max(1.0, std::floor(static_cast<double>(inFrame) * frequenza / sorgente.frequenza));
    if (richiesti * canali > static_cast<double>(MassimoCampioniConvertiti)) {
        qWarning("a sound of %lld frames at %d Hz would need %.0f samples at %d Hz, more than the %lld "
                 "allowed: silence instead",
                 static_cast<long long>(inFrame), sorgente.frequenza, richiesti * canali, frequenza,
                 static_cast<long long>(MassimoCampioniConvertiti));
        return out;
    }
    const auto outFrame = static_cast<std::int64_t>(richiesti);
    out.campioni.resize(static_cast<size_t>(outFrame * canali));

    // Value of input channel c at fractional frame t (linear interpolation).
    auto valore = [&](int c, double t) -> double {
        const std::int64_t i = std::min<std::int64_t>(static_cast<std::int64_t>(t), inFrame - 1);
        const std::int64_t j = std::min<std::int64_t>(i + 1, inFrame - 1);
        const double fr = t - static_cast<double>(i);
        const double a = sorgente.campioni[static_cast<size_t>(i * inCanali + c)];
        const double b = sorgente.campioni[static_cast<size_t>(j * inCanali + c)];
        return a + (b - a) * fr;
    };
    const double passo = static_cast<double>(sorgente.frequenza) / frequenza;
    for (std::int64_t k = 0; k < outFrame; ++k) {
        const double t = static_cast<double>(k) * passo;
        for (int c = 0; c < canali; ++c) {
            double v;
            if (inCanali == canali)
                v = valore(c, t);
            else if (inCanali == 1)
                v = valore(0, t);
            else if (canali == 1) {
                v = 0;
                for (int ic = 0; ic < inCanali; ++ic) v += valore(ic, t);
                v /= inCanali;
            } else
                v = valore(std::min(c, inCanali - 1), t);
            out.campioni[static_cast<size_t>(k * canali + c)] =
                static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
        }
    }
    return out;
}

// ---- the real output ----

namespace {

// Samples in the device's own sample format.
QByteArray Impacchetta(const Pcm16& pcm, QAudioFormat::SampleFormat formato)
{
    QByteArray out;
    const auto& s = pcm.campioni;
    switch (formato) {
    case QAudioFormat::UInt8:
        out.resize(static_cast<qsizetype>(s.size()));
        for (size_t i = 0; i < s.size(); ++i) out[static_cast<qsizetype>(i)] = static_cast<char>((s[i] >> 8) + 128);
        break;
    case QAudioFormat::Int32: {
        out.resize(static_cast<qsizetype>(s.size() * 4));
        auto* d = reinterpret_cast<std::int32_t*>(out.data());
        for (size_t i = 0; i < s.size(); ++i) d[i] = static_cast<std::int32_t>(s[i]) * 65536;
        break;
    }
    case QAudioFormat::Float: {
        out.resize(static_cast<qsizetype>(s.size() * 4));
        auto* d = reinterpret_cast<float*>(out.data());
        for (size_t i = 0; i < s.size(); ++i) d[i] = static_cast<float>(s[i]) / 32768.0f;
        break;
    }
    default:
        out = QByteArray(reinterpret_cast<const char*>(s.data()), static_cast<qsizetype>(s.size() * 2));
        break;
    }
    return out;
}

}  // namespace

struct UscitaAudioQt::Impl {
    QAudioSink* sink = nullptr;
    QBuffer* buffer = nullptr;
    bool collegatoUscita = false;
    QObject contesto;  // ends the quit connection when this output goes away
};

UscitaAudioQt::UscitaAudioQt() : impl_(new Impl) {}

UscitaAudioQt::~UscitaAudioQt()
{
    Ferma();
    delete impl_;
}

void UscitaAudioQt::Ferma()
{
    if (impl_->sink) {
        impl_->sink->disconnect();
        impl_->sink->stop();
        delete impl_->sink;
        impl_->sink = nullptr;
    }
    delete impl_->buffer;
    impl_->buffer = nullptr;
}

void UscitaAudioQt::Riproduci(const QByteArray& wav)
{
    // A new sound cuts off the one playing, even when the new one turns out unplayable.
    Ferma();
    Pcm16 pcm;
    if (!DecodificaWave(wav, pcm)) return;
    if (!QCoreApplication::instance()) return;
    if (!impl_->collegatoUscita) {
        // Stop cleanly before the application and its audio backend go away.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         &impl_->contesto, [this] { Ferma(); });
        impl_->collegatoUscita = true;
    }
    const QAudioDevice dispositivo = QMediaDevices::defaultAudioOutput();
    if (dispositivo.isNull()) return;  // no audio device: silence

    QAudioFormat formato;
    formato.setSampleRate(pcm.frequenza);
    formato.setChannelCount(pcm.canali);
    formato.setSampleFormat(QAudioFormat::Int16);
    if (!dispositivo.isFormatSupported(formato)) {
        const QAudioFormat preferito = dispositivo.preferredFormat();
        formato.setSampleRate(preferito.sampleRate());
        formato.setChannelCount(preferito.channelCount());
        if (!dispositivo.isFormatSupported(formato)) formato = preferito;
    }
    if (formato.sampleRate() <= 0 || formato.channelCount() <= 0) return;
    if (formato.sampleRate() != pcm.frequenza || formato.channelCount() != pcm.canali)
        pcm = Converti(pcm, formato.sampleRate(), formato.channelCount());
    if (pcm.campioni.empty()) return;  // refused by the conversion: silence

    impl_->buffer = new QBuffer;
    impl_->buffer->setData(Impacchetta(pcm, formato.sampleFormat()));
    impl_->buffer->open(QIODevice::ReadOnly);
    impl_->sink = new QAudioSink(dispositivo, formato);
    QAudioSink* sink = impl_->sink;
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State st) {
        // Played to the end: release the device; the objects go at the next sound.
        if (st == QAudio::IdleState) sink->stop();
    });
    sink->start(impl_->buffer);
    if (sink->error() != QAudio::NoError) Ferma();  // device could not be opened: silence
}

// ---- the current output ----

namespace {
UscitaAudio* installata = nullptr;

UscitaAudio& Reale()
{
    // Never destroyed: the audio backend may already be gone when statics are torn down.
    static UscitaAudioQt* reale = new UscitaAudioQt;
    return *reale;
}
}  // namespace

UscitaAudio& UscitaAudioCorrente() { return installata ? *installata : Reale(); }

void ImpostaUscitaAudio(UscitaAudio* uscita) { installata = uscita; }

QStringList UscitaAudioRegistrata::Suonati() const
{
    QStringList out;
    for (const QByteArray& w : riprodotti_) {
        const auto it = nomi_.find(w);
        out << (it != nomi_.end() ? it->second : QStringLiteral("?"));
    }
    return out;
}

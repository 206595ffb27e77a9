// Wave sounds: the stored "Data" form, loading, playing through the sound output, and
// decoding of the WAVE kinds the windows carry (8- and 16-bit PCM, IMA ADPCM).
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <string>

#include "components/UWave.h"
#include "platform/UscitaAudio.h"

namespace {

// ---- WAVE files written by libsndfile into memory ----

struct FileInMemoria {
    QByteArray dati;
    sf_count_t pos = 0;
};

sf_count_t VLunghezza(void* u) { return static_cast<FileInMemoria*>(u)->dati.size(); }
sf_count_t VCerca(sf_count_t off, int whence, void* u)
{
    auto* f = static_cast<FileInMemoria*>(u);
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? f->pos : f->dati.size();
    f->pos = base + off;
    return f->pos;
}
sf_count_t VLeggi(void* p, sf_count_t n, void* u)
{
    auto* f = static_cast<FileInMemoria*>(u);
    const sf_count_t k = std::max<sf_count_t>(0, std::min<sf_count_t>(n, f->dati.size() - f->pos));
    std::memcpy(p, f->dati.constData() + f->pos, static_cast<size_t>(k));
    f->pos += k;
    return k;
}
sf_count_t VScrivi(const void* p, sf_count_t n, void* u)
{
    auto* f = static_cast<FileInMemoria*>(u);
    if (f->pos + n > f->dati.size()) f->dati.resize(static_cast<qsizetype>(f->pos + n));
    std::memcpy(f->dati.data() + f->pos, p, static_cast<size_t>(n));
    f->pos += n;
    return n;
}
sf_count_t VPosizione(void* u) { return static_cast<FileInMemoria*>(u)->pos; }

// A sine of `frame` frames at 440 Hz; channel c is scaled by 1/(c+1) so channels differ.
std::vector<short> Onda(int frame, int canali, int frequenza)
{
    std::vector<short> s(static_cast<size_t>(frame * canali));
    for (int i = 0; i < frame; ++i)
        for (int c = 0; c < canali; ++c)
            s[static_cast<size_t>(i * canali + c)] =
                static_cast<short>(12000.0 * std::sin(2 * M_PI * 440.0 * i / frequenza) / (c + 1));
    return s;
}

QByteArray ScriviWave(int formato, int canali, int frequenza, const std::vector<short>& campioni)
{
    FileInMemoria f;
    SF_VIRTUAL_IO vio{VLunghezza, VCerca, VLeggi, VScrivi, VPosizione};
    SF_INFO info{};
    info.channels = canali;
    info.samplerate = frequenza;
    info.format = SF_FORMAT_WAV | formato;
    SNDFILE* s = sf_open_virtual(&vio, SFM_WRITE, &info, &f);
    if (!s) return {};
    sf_writef_short(s, campioni.data(), static_cast<sf_count_t>(campioni.size() / canali));
    sf_close(s);
    return f.dati;
}

QByteArray DatiProperty(qint32 conta, const QByteArray& corpo)
{
    QByteArray out(4, '\0');
    qToLittleEndian<qint32>(conta, out.data());
    return out + corpo;
}

// Offset of a chunk's header in a RIFF image, or -1.
qsizetype Chunk(const QByteArray& wav, const char* id)
{
    qsizetype pos = 12;
    while (pos + 8 <= wav.size()) {
        const qsizetype len = qFromLittleEndian<quint32>(wav.constData() + pos + 4);
        if (std::memcmp(wav.constData() + pos, id, 4) == 0) return pos;
        pos += 8 + len + (len & 1);
    }
    return -1;
}

// Keeps the real output out of the tests: every sound is recorded instead.
class SuoniRegistrati : public ::testing::Test {
protected:
    UscitaAudioRegistrata uscita;
    UscitaAudioTemporanea guardia{uscita};
};

}  // namespace

// ---- decoding ----

TEST(DecodificaWave, DecodesEveryKindOfStoredSound)
{
    // tolleranza: largest sample error allowed once the decoder has settled (ADPCM adapts its
    // step size over the first samples, so its first 100 frames are not compared).
    struct Caso { const char* cosa; int formato, canali, frequenza, frame; int tolleranza; };
    const Caso casi[] = {
        {"8-bit mono 11025 Hz", SF_FORMAT_PCM_U8, 1, 11025, 3000, 256},
        {"8-bit stereo 22050 Hz", SF_FORMAT_PCM_U8, 2, 22050, 4410, 256},
        {"16-bit mono 22050 Hz", SF_FORMAT_PCM_16, 1, 22050, 5000, 0},
        {"IMA ADPCM mono 22050 Hz", SF_FORMAT_IMA_ADPCM, 1, 22050, 1000, 2500},
        {"IMA ADPCM over several blocks", SF_FORMAT_IMA_ADPCM, 1, 22050, 4321, 2500},
    };
    for (const Caso& k : casi) {
        const std::vector<short> onda = Onda(k.frame, k.canali, k.frequenza);
        QByteArray wav = ScriviWave(k.formato, k.canali, k.frequenza, onda);
        ASSERT_FALSE(wav.isEmpty()) << k.cosa << ": test sound could not be written";
        if (k.formato == SF_FORMAT_IMA_ADPCM) {
            // The encoder states the padded length; a well-made file states the real one.
            const qsizetype fact = Chunk(wav, "fact");
            ASSERT_GE(fact, 0);
            qToLittleEndian<quint32>(static_cast<quint32>(k.frame), wav.data() + fact + 8);
        }
        Pcm16 pcm;
        ASSERT_TRUE(DecodificaWave(wav, pcm)) << k.cosa << " should decode";
        EXPECT_EQ(pcm.frequenza, k.frequenza) << k.cosa;
        EXPECT_EQ(pcm.canali, k.canali) << k.cosa;
        EXPECT_EQ(pcm.Frame(), k.frame) << k.cosa << ": the decoded sound must be exactly as long as the recorded one";
        ASSERT_EQ(pcm.campioni.size(), onda.size());
        int peggiore = 0;
        const size_t avvio = k.formato == SF_FORMAT_IMA_ADPCM ? 100 : 0;
        for (size_t i = avvio; i < onda.size(); ++i) peggiore = std::max(peggiore, std::abs(pcm.campioni[i] - onda[i]));
        EXPECT_LE(peggiore, k.tolleranza) << k.cosa << ": decoded samples stray from the recording";
    }
}

TEST(DecodificaWave, CompressedSoundIsTrimmedToItsFactFrameCount)
{
    const QByteArray wav = ScriviWave(SF_FORMAT_IMA_ADPCM, 1, 22050, Onda(1000, 1, 22050));
    const qsizetype fact = Chunk(wav, "fact");
    ASSERT_GE(fact, 0) << "an ADPCM file carries a fact chunk";
    QByteArray corto = wav;
    qToLittleEndian<quint32>(600, corto.data() + fact + 8);
    Pcm16 pcm;
    ASSERT_TRUE(DecodificaWave(corto, pcm));
    EXPECT_EQ(pcm.Frame(), 600) << "the padding of the last block must not be played";
}

TEST(DecodificaWave, BrokenOrTruncatedWaveDataPlaysNothing)
{
    const QByteArray buono = ScriviWave(SF_FORMAT_PCM_16, 1, 22050, Onda(2000, 1, 22050));
    const qsizetype data = Chunk(buono, "data");
    const qsizetype fmt = Chunk(buono, "fmt ");
    ASSERT_GT(data, 0);
    ASSERT_GT(fmt, 0);
    QByteArray senzaData = buono.left(data);
    QByteArray formatoRotto = buono;
    qToLittleEndian<quint32>(0x7FFFFFF0u, formatoRotto.data() + fmt + 4);
    QByteArray dataVuoto = buono.left(data + 8);
    qToLittleEndian<quint32>(0, dataVuoto.data() + data + 4);
    QByteArray nonWave = buono;
    std::memcpy(nonWave.data() + 8, "AVI ", 4);
    struct Caso { const char* cosa; QByteArray wav; };
    const Caso casi[] = {
        {"no bytes", QByteArray()},
        {"only the RIFF tag", QByteArray("RIFF")},
        {"random bytes", QByteArray(500, '\x5A')},
        {"a RIFF file of another kind", nonWave},
        {"header without data chunk", senzaData},
        {"data chunk cut short", buono.left(buono.size() - 100)},
        {"data chunk cut after its header", buono.left(data + 8)},
        {"format chunk running past the end", formatoRotto},
        {"data chunk with no frames", dataVuoto},
    };
    for (const Caso& k : casi) {
        Pcm16 pcm;
        pcm.frequenza = 1;
        EXPECT_FALSE(DecodificaWave(k.wav, pcm)) << k.cosa << " must not be played";
        EXPECT_TRUE(pcm.campioni.empty()) << k.cosa << ": nothing decoded may be left behind";
        // The real output refuses it before touching any device, and must not crash.
        UscitaAudioQt reale;
        reale.Riproduci(k.wav);
        reale.Ferma();
    }
    Pcm16 pcm;
    EXPECT_TRUE(DecodificaWave(buono, pcm)) << "the intact file still decodes";
}

TEST(DecodificaWave, ConversionKeepsTheSoundAtAnotherRateAndChannelCount)
{
    Pcm16 mono;
    mono.frequenza = 11025;
    mono.canali = 1;
    mono.campioni = {0, 1000, 2000, 3000};
    const Pcm16 stereo = Converti(mono, 22050, 2);
    EXPECT_EQ(stereo.Frame(), 8) << "doubling the rate doubles the frames";
    const std::vector<std::int16_t> attesi = {0, 0, 500, 500, 1000, 1000, 1500, 1500,
                                               2000, 2000, 2500, 2500, 3000, 3000, 3000, 3000};
    EXPECT_EQ(stereo.campioni, attesi) << "mono goes to both channels, interpolated between samples";

    Pcm16 due;
    due.frequenza = 22050;
    due.canali = 2;
    due.campioni = {100, 300, -100, -300};
    const Pcm16 uno = Converti(due, 22050, 1);
    EXPECT_EQ(uno.campioni, (std::vector<std::int16_t>{200, -200})) << "stereo to mono averages the channels";
}

TEST(DecodificaWave, AnAbsurdRateIsRefusedInsteadOfExhaustingMemory)
{
    // 64 KB of 8-bit samples declared at 1 Hz: to 48 kHz stereo that would be 6.3 GB.
    const QByteArray assurdo = ScriviWave(SF_FORMAT_PCM_U8, 1, 1, std::vector<short>(65536, 1000));
    Pcm16 pcm;
    ASSERT_TRUE(DecodificaWave(assurdo, pcm));
    ASSERT_EQ(pcm.frequenza, 1);
    const Pcm16 convertito = Converti(pcm, 48000, 2);
    EXPECT_TRUE(convertito.campioni.empty()) << "refused, so the sound plays as silence";

    // The limit itself: a result of exactly the maximum is made, one frame more is not.
    struct Caso { std::int64_t frame; bool fatto; };
    const std::int64_t limite = MassimoCampioniConvertiti / (48000 * 2);
    for (const Caso& k : {Caso{limite, true}, Caso{limite + 1, false}}) {
        Pcm16 corto;
        corto.frequenza = 1;
        corto.canali = 1;
        corto.campioni.assign(static_cast<size_t>(k.frame), 500);
        const Pcm16 c = Converti(corto, 48000, 2);
        EXPECT_EQ(c.campioni.size(), k.fatto ? static_cast<size_t>(MassimoCampioniConvertiti) : 0u) << k.frame;
    }

    // The real output takes it like any other unplayable sound.
    UscitaAudioQt reale;
    reale.Riproduci(assurdo);
    reale.Ferma();
}

// ---- the stored form and loading ----

TEST(DatiWave, StoredDataPropertyLoadsOnlyWholeSounds)
{
    const QByteArray suono("RIFF....WAVEfmt something");
    struct Caso { const char* cosa; QByteArray stream; bool ok; QByteArray atteso; };
    const Caso casi[] = {
        {"a count and its bytes", DatiProperty(suono.size(), suono), true, suono},
        {"a count of 0", DatiProperty(0, QByteArray()), true, QByteArray()},
        {"a count larger than the bytes that follow", DatiProperty(100, suono), false, QByteArray()},
        {"a count cut short", QByteArray("\x10\x00", 2), false, QByteArray()},
        {"no bytes at all", QByteArray(), false, QByteArray()},
        {"a negative count", DatiProperty(-5, suono), false, QByteArray()},
    };
    for (const Caso& k : casi) {
        TWaveData d;
        d.Assign(nullptr);
        TWaveData vecchio;
        QBuffer b0;
        b0.setData(DatiProperty(3, "old"));
        b0.open(QIODevice::ReadOnly);
        ASSERT_TRUE(vecchio.LeggiDati(b0));  // reading must first drop what was held
        QBuffer b;
        b.setData(k.stream);
        b.open(QIODevice::ReadOnly);
        EXPECT_EQ(vecchio.LeggiDati(b), k.ok) << k.cosa;
        EXPECT_EQ(vecchio.Bytes(), k.atteso) << k.cosa;
        EXPECT_EQ(vecchio.Size(), k.atteso.size()) << k.cosa;
        EXPECT_EQ(vecchio.Vuoto(), k.atteso.isEmpty()) << k.cosa;
    }
}

TEST(DatiWave, EmptySoundStoresNoDataProperty)
{
    TWaveData vuoto;
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    EXPECT_TRUE(vuoto.ScriviDati(b));
    EXPECT_FALSE(vuoto.DaSalvare());
    EXPECT_EQ(b.data().size(), 0) << "an empty sound must write nothing";

    TWaveData pieno;
    QBuffer sorgente;
    sorgente.setData(DatiProperty(5, "abcde"));
    sorgente.open(QIODevice::ReadOnly);
    ASSERT_TRUE(pieno.LeggiDati(sorgente));
    QBuffer scritto;
    scritto.open(QIODevice::WriteOnly);
    EXPECT_TRUE(pieno.ScriviDati(scritto));
    EXPECT_EQ(scritto.data(), DatiProperty(5, "abcde")) << "the stored form is a little-endian count and the bytes";
}

TEST(DatiWave, LoadingAFileKeepsItsBytesOrNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray wav = ScriviWave(SF_FORMAT_PCM_16, 1, 22050, Onda(100, 1, 22050));
    auto scrivi = [&](const QString& nome, const QByteArray& dati) {
        QFile f(dir.filePath(nome));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(dati);
        return f.fileName();
    };
    struct Caso { const char* cosa; QString percorso; QByteArray atteso; };
    const Caso casi[] = {
        {"a sound file", scrivi("suono.wav", wav), wav},
        {"a file of length 0", scrivi("vuoto.wav", QByteArray()), QByteArray()},
        {"a missing file", dir.filePath("manca.wav"), QByteArray()},
    };
    for (const Caso& k : casi) {
        TWaveData d;
        QBuffer b;
        b.setData(DatiProperty(3, "old"));
        b.open(QIODevice::ReadOnly);
        d.LeggiDati(b);
        EXPECT_EQ(d.LoadFromFile(k.percorso), !k.atteso.isEmpty()) << k.cosa;
        EXPECT_EQ(d.Bytes(), k.atteso) << k.cosa << ": loading replaces what was held";
    }
}

TEST(DatiWave, AssignCopiesTheBytes)
{
    TWaveData a, b;
    QBuffer s;
    s.setData(DatiProperty(4, "wave"));
    s.open(QIODevice::ReadOnly);
    a.LeggiDati(s);
    b.Assign(&a);
    EXPECT_EQ(b.Bytes(), QByteArray("wave"));
    a.Clear();
    EXPECT_EQ(b.Bytes(), QByteArray("wave")) << "a copy must not lose its bytes when the source is cleared";
    b.Assign(&b);
    EXPECT_EQ(b.Bytes(), QByteArray("wave")) << "assigning a sound to itself must keep it";
    b.Assign(nullptr);
    EXPECT_TRUE(b.Vuoto()) << "assigning nothing empties the sound";
}

// ---- playing ----

TEST_F(SuoniRegistrati, EmptySoundPlaysNothingButRaisesOnPlay)
{
    TWave w;
    int avvisi = 0;
    TWave* mittente = nullptr;
    w.OnPlay = [&](TWave* t) {
        ++avvisi;
        mittente = t;
        EXPECT_TRUE(uscita.Riprodotti().empty()) << "OnPlay must come before the sound starts";
    };
    w.Play();
    EXPECT_EQ(avvisi, 1) << "OnPlay is raised even without a sound";
    EXPECT_EQ(mittente, &w);
    EXPECT_TRUE(uscita.Riprodotti().empty()) << "an empty sound must play nothing";
}

TEST_F(SuoniRegistrati, PlayHandsTheWholeFileToTheOutput)
{
    const QByteArray mescola = ScriviWave(SF_FORMAT_PCM_U8, 1, 11025, Onda(300, 1, 11025));
    const QByteArray scopa = ScriviWave(SF_FORMAT_PCM_16, 1, 22050, Onda(300, 1, 22050));
    uscita.Nomina("Mescola", mescola);
    uscita.Nomina("Scopa", scopa);
    TWaveData dati;
    QBuffer b;
    b.setData(DatiProperty(static_cast<qint32>(mescola.size()), mescola));
    b.open(QIODevice::ReadOnly);
    ASSERT_TRUE(dati.LeggiDati(b));
    TWave w1, w2;
    w1.setWaveData(dati);
    dati.Clear();
    EXPECT_EQ(w1.WaveData()->Size(), mescola.size()) << "the component keeps its own copy";
    QBuffer b2;
    b2.setData(DatiProperty(static_cast<qint32>(scopa.size()), scopa));
    b2.open(QIODevice::ReadOnly);
    w2.WaveData()->LeggiDati(b2);
    w1.Play();
    w2.Play();
    w1.Play();
    EXPECT_EQ(uscita.Suonati(), (QStringList{"Mescola", "Scopa", "Mescola"}));
}

TEST_F(SuoniRegistrati, MissingResourceLeavesTheSoundEmpty)
{
    TWave w;
    EXPECT_FALSE(w.CaricaRisorsa(QStringLiteral(":/snd/non_esiste.wav")));
    EXPECT_TRUE(w.WaveData()->Vuoto());
    w.Play();
    EXPECT_TRUE(uscita.Riprodotti().empty());
}

TEST(UscitaReale, ValidSoundWithoutAnAudioDeviceReturnsAtOnce)
{
    // Whatever the machine offers (often no device in a test run), playing must neither
    // block nor crash, and a second sound must replace the first.
    const QByteArray wav = ScriviWave(SF_FORMAT_PCM_16, 1, 22050, Onda(22050, 1, 22050));
    // The audio backend complains on the console when it finds no sound server; keep quiet.
    const QtMessageHandler prima = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const auto inizio = std::chrono::steady_clock::now();
    {
        UscitaAudioQt reale;
        reale.Riproduci(wav);  // a one-second sound
        reale.Riproduci(wav);
        reale.Ferma();
    }
    qInstallMessageHandler(prima);
    EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::milliseconds(900))
        << "playing a sound must not wait for it to end";
}

TEST(DecodificaWave, EverySoundTheProgramCarriesDecodes)
{
    struct Caso { const char* risorsa; bool adpcm; };
    const Caso casi[] = {
        {":/snd/wellcome.wav", true}, {":/snd/mescola.wav", false}, {":/snd/giocacarta.wav", false},
        {":/snd/scopa.wav", false},   {":/snd/vittoria.wav", false}, {":/snd/perdita.wav", false},
    };
    for (const Caso& k : casi) {
        TWave w;
        ASSERT_TRUE(w.CaricaRisorsa(QString::fromLatin1(k.risorsa))) << k.risorsa << " is missing from the program";
        const QByteArray& wav = w.WaveData()->Bytes();
        Pcm16 pcm;
        ASSERT_TRUE(DecodificaWave(wav, pcm)) << k.risorsa << " would play as silence";
        EXPECT_TRUE(pcm.frequenza == 11025 || pcm.frequenza == 22050) << k.risorsa << " at " << pcm.frequenza << " Hz";
        EXPECT_GT(pcm.Frame(), pcm.frequenza / 20) << k.risorsa << " is too short to hear";
        const qsizetype fmt = Chunk(wav, "fmt ");
        ASSERT_GE(fmt, 0);
        EXPECT_EQ(qFromLittleEndian<quint16>(wav.constData() + fmt + 8), k.adpcm ? 17 : 1)
            << k.risorsa << " format tag";
    }
}

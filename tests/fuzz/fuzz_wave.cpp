// Fuzz target: any bytes as a WAVE image, decoded and converted to the rates a sound device
// may ask for. Beyond crashes it checks that no conversion grows past its named maximum.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/UscitaAudio.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    const QByteArray wav = QByteArray::fromRawData(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(n));
    Pcm16 pcm;
    if (!DecodificaWave(wav, pcm)) return 0;
    if (pcm.frequenza <= 0 || pcm.canali <= 0 || pcm.campioni.empty()) std::abort();
    for (auto [frequenza, canali] : {std::pair{48000, 2}, std::pair{8000, 1}, std::pair{44100, 6}}) {
        const Pcm16 c = Converti(pcm, frequenza, canali);
        if (static_cast<std::int64_t>(c.campioni.size()) > MassimoCampioniConvertiti) std::abort();
        if (c.campioni.size() % static_cast<std::size_t>(canali) != 0) std::abort();
    }
    return 0;
}

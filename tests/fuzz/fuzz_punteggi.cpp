// Fuzz target: any bytes as a score file, read for the ranking and updated with a win.
// Beyond crashes it checks that no other player's record is lost and that a file the update
// makes smaller is kept whole as ".damaged" first.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "scores/PunteggiFile.h"

namespace fs = std::filesystem;

namespace {

std::string Leggi(const std::string& percorso)
{
    std::ifstream in(percorso, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Records of a file that belong to someone other than the key's player.
std::size_t RecordAltrui(const std::string& byte, const std::string& chiave)
{
    std::size_t n = 0;
    for (const std::string& riga : RighePunteggi(byte)) {
        if (!RigaRecord(riga)) continue;
        bool suo = true;
        for (int i = 0; i < LunghezzaConfrontoNome && suo; ++i) {
            const char c = riga[i];
            suo = ((c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c) == chiave[i];
        }
        n += !suo;
    }
    return n;
}

const std::string& Cartella()
{
    static const std::string c = [] {
        char modello[] = "/tmp/cartovia-fuzz-punteggi-XXXXXX";
        return std::string(mkdtemp(modello));
    }();
    return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    AvvisoPunteggi() = [](const std::string&) {};
    const std::string& c = Cartella();
    for (const auto& e : fs::directory_iterator(c)) fs::remove_all(e.path());
    const std::string vecchio(reinterpret_cast<const char*>(dati), n);
    std::ofstream(c + "/PunteggiScopa.txt", std::ios::binary) << vecchio;

    (void)LeggiPunteggi(c, FileScopa.corrente);
    const std::string chiave = ChiavePunteggi("Anna");
    if (AggiornaPunteggi(FileScopa, c, "Anna", ContaVittoria) != PunteggiAggiornati) std::abort();
    const std::string nuovo = Leggi(c + "/PunteggiScopa.txt");
    if (RecordAltrui(nuovo, chiave) < RecordAltrui(vecchio, chiave)) std::abort();  // a record lost
    if (nuovo.size() < vecchio.size() && Leggi(c + "/PunteggiScopa.txt.damaged") != vecchio) std::abort();
    if (Leggi(c + "/PunteggiScopa.bak") != vecchio) std::abort();
    return 0;
}

// The safe replacement of a file: fresh exclusive copy, renamed only when whole, never
// through a link or over anything that is not a regular file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/ScritturaSicura.h"

namespace fs = std::filesystem;

namespace {

struct Cartella {
    std::string p;
    Cartella()
    {
        char modello[] = "/tmp/cartovia-scrittura-XXXXXX";
        p = mkdtemp(modello);
    }
    ~Cartella() { fs::remove_all(p); }
    std::string operator/(const std::string& nome) const { return p + "/" + nome; }
};

std::string Leggi(const std::string& percorso)
{
    std::ifstream in(percorso, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Scrivi(const std::string& percorso, const std::string& byte) { std::ofstream(percorso, std::ios::binary) << byte; }

std::vector<std::string> Contenuto(const std::string& cartella)
{
    std::vector<std::string> nomi;
    for (const auto& e : fs::directory_iterator(cartella)) nomi.push_back(e.path().filename().string());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

}  // namespace

TEST(SostituisciFile, AnythingButARegularFileUnderTheNameIsLeftAlone)
{
    struct Caso { const char* cosa; std::function<void(Cartella&, Cartella&)> pianta; };
    const Caso casi[] = {
        {"link to another's file", [](Cartella& c, Cartella& a) { fs::create_symlink(a / "altrui", c / "file"); }},
        {"dangling link", [](Cartella& c, Cartella& a) { fs::create_symlink(a / "nuovo", c / "file"); }},
        {"folder", [](Cartella& c, Cartella&) { fs::create_directories(c / "file/dentro"); }},
        {"pipe", [](Cartella& c, Cartella&) { ASSERT_EQ(mkfifo((c / "file").c_str(), 0600), 0); }},
    };
    for (const auto& k : casi) {
        Cartella c, altrove;
        Scrivi(altrove / "altrui", "non toccare");
        k.pianta(c, altrove);
        const auto prima = Contenuto(c.p);
        std::string motivo;
        EXPECT_FALSE(SostituisciFile(c / "file", "nuovo contenuto", motivo)) << k.cosa;
        EXPECT_NE(motivo.find("not a regular file"), std::string::npos) << k.cosa << ": " << motivo;
        EXPECT_EQ(Leggi(altrove / "altrui"), "non toccare") << k.cosa;
        EXPECT_FALSE(fs::exists(altrove / "nuovo")) << k.cosa;
        EXPECT_EQ(Contenuto(c.p), prima) << k.cosa << ": the planted entry stays and no copy is left";

        // The same holds for a copy written piece by piece, checked when it is confirmed.
        FileNuovo f(c / "file");
        ASSERT_TRUE(f.Apri()) << k.cosa << ": " << f.Motivo();
        EXPECT_TRUE(f.Scrivi("abc", 3));
        EXPECT_FALSE(f.Conferma()) << k.cosa;
        EXPECT_EQ(Leggi(altrove / "altrui"), "non toccare") << k.cosa;
        EXPECT_EQ(Contenuto(c.p), prima) << k.cosa;
    }
}

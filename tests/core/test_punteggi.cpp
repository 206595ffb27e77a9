// Score files: records, updates through the temporary file and backup, reading the ranking.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Globali.h"
#include "core/ScritturaSicura.h"
#include "scores/PunteggiFile.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
struct Cartella {
    std::string p;
    Cartella()
    {
        char modello[] = "/tmp/cartovia-punteggi-XXXXXX";
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

void Scrivi(const std::string& percorso, const std::string& byte)
{
    std::ofstream(percorso, std::ios::binary) << byte;
}

std::string Rec(const std::string& nome, const char* contatori)
{
    return nome + std::string(30 - nome.size(), ' ') + contatori + "\r\n";
}

const std::string Anna = Rec("ANNA", "0001  0000  0000");

// The entries of a folder, sorted.
std::vector<std::string> Contenuto(const std::string& cartella)
{
    std::vector<std::string> nomi;
    for (const auto& e : fs::directory_iterator(cartella)) nomi.push_back(e.path().filename().string());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

// Collects the failure reports while alive.
struct Avvisi {
    std::vector<std::string> righe;
    std::function<void(const std::string&)> prima = AvvisoPunteggi();
    Avvisi()
    {
        AvvisoPunteggi() = [this](const std::string& r) { righe.push_back(r); };
    }
    ~Avvisi() { AvvisoPunteggi() = prima; }
};

}  // namespace

TEST(ScoreFiles, FirstMatchWritesOneFortyEightByteRecord)
{
    Cartella c;
    EXPECT_EQ(AggiornaPunteggi(FileBriscola, c.p, "Anna", ContaPartitaGiocata), PunteggiAggiornati);
    EXPECT_EQ(Leggi(c / "PunteggiBriscola.txt"), "ANNA" + std::string(26, ' ') + "0001  0000  0000\r\n");
    EXPECT_EQ(Anna.size(), 48u);
    EXPECT_FALSE(fs::exists(c / "PunteggiBriscola1.txt")) << "the temporary copy must be gone";
}

TEST(ScoreFiles, EachOperationAddsOnlyToItsOwnCounter)
{
    struct Caso { const char* cosa; std::string prima; std::vector<std::pair<const char*, int>> mosse; std::string atteso; };
    const Caso casi[] = {
        {"same name typed in lower case", "", {{"Anna", 1}, {"anna", 1}}, Rec("ANNA", "0002  0000  0000")},
        {"win with a record", "", {{"Anna", 1}, {"Anna", 2}}, Rec("ANNA", "0001  0001  0000")},
        {"win without a record", "", {{"Anna", 2}}, Rec("ANNA", "0001  0001  0000")},
        {"draw with a record", "", {{"Anna", 1}, {"ANNA", 3}}, Rec("ANNA", "0001  0000  0001")},
        {"draw without a record", "", {{"Anna", 3}}, Rec("ANNA", "0001  0000  0001")},
        {"first 20 letters shared", "", {{"Abcdefghijklmnopqrst uno", 1}, {"ABCDEFGHIJKLMNOPQRSTdue", 1}},
         Rec("ABCDEFGHIJKLMNOPQRSTDUE", "0002  0000  0000")},
        {"differ in letter 20", "", {{"abcdefghijklmnopqrsX", 1}, {"abcdefghijklmnopqrsY", 1}},
         Rec("ABCDEFGHIJKLMNOPQRSX", "0001  0000  0000") + Rec("ABCDEFGHIJKLMNOPQRSY", "0001  0000  0000")},
        {"long name cut to 30", "", {{"Bartolomeo Giovanni Maria Rossi di Sopra", 1}},
         Rec("BARTOLOMEO GIOVANNI MARIA ROSS", "0001  0000  0000")},
        {"counters stop at 9999", Rec("ANNA", "9999  9999  0000"), {{"Anna", 1}, {"Anna", 2}, {"Anna", 3}},
         Rec("ANNA", "9999  9999  0001")},
    };
    for (const auto& k : casi) {
        Cartella c;
        if (!k.prima.empty()) Scrivi(c / "PunteggiScopa.txt", k.prima);
        for (auto [nome, op] : k.mosse) AggiornaPunteggi(FileScopa, c.p, nome, op);
        EXPECT_EQ(Leggi(c / "PunteggiScopa.txt"), k.atteso) << k.cosa;
    }
}

TEST(ScoreFiles, NamesAreCutWithoutSplittingACharacter)
{
    struct Caso { std::string nome, chiave; };
    const Caso casi[] = {
        {std::string(29, 'a') + "\xC3\xA8", std::string(29, 'A') + " "},             // è would straddle byte 30
        {std::string(28, 'b') + "\xE2\x82\xAC", std::string(28, 'B') + "  "},        // € likewise
        {std::string(28, 'c') + "\xC3\xA8", std::string(28, 'C') + "\xC3\x88"},      // fits exactly, as È
        {"Niccol\xC3\xB2", "NICCOL\xC3\x92" + std::string(22, ' ')},                  // ò upper-cased too
        {"Anna\r\nBea", "ANNA  BEA" + std::string(21, ' ')},                          // no line end inside
    };
    for (const auto& k : casi) {
        EXPECT_EQ(ChiavePunteggi(k.nome), k.chiave) << "name " << k.nome;
        EXPECT_EQ(RecordPunteggi(ChiavePunteggi(k.nome), 1, 0, 0).size(), 48u) << "name " << k.nome;
    }
}

TEST(ScoreFiles, EveryLetterIsUpperCasedAndOldRecordsStillMatch)
{
    struct Caso { const char* nome; const char* chiave; };
    const Caso casi[] = {
        {"Nicol\xC3\xB2", "NICOL\xC3\x92"},                       // Nicolò
        {"Jos\xC3\xA9", "JOS\xC3\x89"},                           // José
        {"\xC3\xA0\xC3\xA8\xC3\xAC\xC3\xB9\xC3\xBF", "\xC3\x80\xC3\x88\xC3\x8C\xC3\x99\xC5\xB8"},  // àèìùÿ
        {"\xC5\x82ukasz \xC5\xBC", "\xC5\x81UKASZ \xC5\xBB"},       // łukasz ż
        {"\xCE\xB1\xCF\x82", "\xCE\x91\xCE\xA3"},                  // Greek alpha, final sigma
        {"\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD", "\xD0\x98\xD0\x92\xD0\x90\xD0\x9D"},  // иван
        {"ANNA \xC3\x97 3", "ANNA \xC3\x97 3"},                     // × is no letter
        {"caf\xE9", "CAF\xE9"},                                      // a one-byte code page: kept
        {"\xE2\x82\xAC uno", "\xE2\x82\xAC UNO"},                     // € stays
    };
    for (const auto& k : casi) {
        std::string atteso = k.chiave;
        atteso.resize(LunghezzaNomePunteggi, ' ');
        EXPECT_EQ(ChiavePunteggi(k.nome), atteso) << "name " << k.nome;
    }

    // A record written when only a to z were upper-cased is found again, and counts on.
    Cartella c;
    Scrivi(c / "PunteggiScopa.txt", Rec("NICOL\xC3\xB2", "0003  0001  0000") + Rec("BEA", "0001  0000  0000"));
    AggiornaPunteggi(FileScopa, c.p, "Nicol\xC3\xB2", ContaPartitaGiocata);
    AggiornaPunteggi(FileScopa, c.p, "NICOL\xC3\x92", ContaVittoria);
    EXPECT_EQ(Leggi(c / "PunteggiScopa.txt"), Rec("NICOL\xC3\x92", "0004  0002  0000") + Rec("BEA", "0001  0000  0000"));
    // A new player is recorded with the whole name upper-cased.
    AggiornaPunteggi(FileScopa, c.p, "Jos\xC3\xA9", ContaPartitaGiocata);
    EXPECT_NE(Leggi(c / "PunteggiScopa.txt").find(Rec("JOS\xC3\x89", "0001  0000  0000")), std::string::npos);
}

TEST(ScoreFiles, BackupAlwaysHoldsThePreviousFile)
{
    Cartella c;
    std::string prima;
    for (auto [nome, op] : std::vector<std::pair<const char*, int>>{{"Anna", 1}, {"Bea", 1}, {"Anna", 2}, {"Bea", 3}}) {
        AggiornaPunteggi(FileRubaMazzo, c.p, nome, op);
        if (!prima.empty()) {
            EXPECT_EQ(Leggi(c / "PunteggiRubaMazzo.bak"), prima) << "after an update for " << nome;
        }
        EXPECT_FALSE(fs::exists(c / "PunteggiRubaMazzo1.txt"));
        prima = Leggi(c / "PunteggiRubaMazzo.txt");
    }
    EXPECT_EQ(prima, Rec("ANNA", "0001  0001  0000") + Rec("BEA", "0001  0000  0001"));
}

TEST(ScoreFiles, OtherLinesKeepTheirBytesAndOrder)
{
    // A line longer than 255 bytes whose tail looks like Anna's record, a stray comment,
    // an empty line, a bare LF line, and a last line without a line end.
    const std::string lunga = std::string(255, 'x') + Rec("ANNA", "0005  0005  0000");
    const std::string altri = Rec("BEA", "0003  0001  0000") + lunga + "# nota\r\n\r\nriga LF\n";
    struct Caso { const char* cosa; std::string prima, dopo; };
    const Caso casi[] = {
        {"new player after an unterminated line", altri + "coda", altri + "coda\r\n" + Anna},
        {"new player after a complete line", altri, altri + Anna},
        {"record in the middle", Rec("CARLO", "0001  0000  0000") + Rec("anna", "0007  0002  0001") + altri,
         Rec("CARLO", "0001  0000  0000") + Rec("ANNA", "0008  0002  0001") + altri},
        {"every matching line", Rec("ANNA", "0001  0000  0000") + altri + Rec("ANNA", "0004  0000  0000"),
         Rec("ANNA", "0002  0000  0000") + altri + Rec("ANNA", "0005  0000  0000")},
        {"unterminated record of the player", altri + Rec("ANNA", "0003  0000  0000").substr(0, 46),
         altri + Rec("ANNA", "0004  0000  0000")},
        {"short or garbled counters read as 0", "ANNA" + std::string(16, ' ') + "\r\n" + Rec("ANNA", "0x07  ab12    12"),
         Anna + Rec("ANNA", "0001  0000  0012")},
        {"empty file", "", Anna},
    };
    for (const auto& k : casi) {
        Cartella c;
        Scrivi(c / "PunteggiScopa.txt", k.prima);
        EXPECT_EQ(AggiornaPunteggi(FileScopa, c.p, "Anna", ContaPartitaGiocata), PunteggiAggiornati) << k.cosa;
        EXPECT_EQ(Leggi(c / "PunteggiScopa.txt"), k.dopo) << k.cosa;
        EXPECT_EQ(Leggi(c / "PunteggiScopa.bak"), k.prima) << k.cosa;
    }
}

TEST(ScoreFiles, FileNamesIgnoreLetterCase)
{
    Cartella c;
    Scrivi(c / "PunteggiRubamazzo.txt", Rec("BEA", "0002  0001  0000"));
    Scrivi(c / "punteggirubamazzo.BAK", "vecchio");
    Scrivi(c / "PUNTEGGIRUBAMAZZO1.txt", "avanzo di un aggiornamento fallito");
    EXPECT_EQ(AggiornaPunteggi(FileRubaMazzo, c.p, "Bea", ContaVittoria), PunteggiAggiornati);

    std::vector<std::string> nomi;
    for (const auto& e : fs::directory_iterator(c.p)) nomi.push_back(e.path().filename().string());
    std::sort(nomi.begin(), nomi.end());
    EXPECT_EQ(nomi, (std::vector<std::string>{"PunteggiRubamazzo.txt", "punteggirubamazzo.BAK"}))
        << "the existing spellings must be reused, never doubled";
    EXPECT_EQ(Leggi(c / "PunteggiRubamazzo.txt"), Rec("BEA", "0002  0002  0000"));
    EXPECT_EQ(Leggi(c / "punteggirubamazzo.BAK"), Rec("BEA", "0002  0001  0000"));
    ASSERT_EQ(LeggiPunteggi(c.p, FileRubaMazzo.corrente).size(), 1u) << "the ranking must find the file too";
}

TEST(ScoreFiles, FailedUpdateLeavesCurrentFileAndBackupAlone)
{
    struct Caso { const char* cosa; std::string ostacolo; bool cartella; int esito; };
    const Caso casi[] = {
        {"temporary name taken by a folder", "PunteggiScopa1.txt", true, PunteggiTemporaneoNonScritto},
        {"same folder in other letter case", "punteggiscopa1.TXT", true, PunteggiTemporaneoNonScritto},
        {"temporary file on a full disk", "PunteggiScopa1.txt", false, PunteggiTemporaneoNonScritto},
    };
    for (const auto& k : casi) {
        Cartella c;
        Scrivi(c / "PunteggiScopa.txt", Anna);
        Scrivi(c / "PunteggiScopa.bak", "copia precedente");
        if (k.cartella)
            fs::create_directory(c / k.ostacolo);
        else
            fs::create_symlink("/dev/full", c / k.ostacolo);
        EXPECT_EQ(AggiornaPunteggi(FileScopa, c.p, "Anna", ContaVittoria), k.esito) << k.cosa;
        EXPECT_EQ(Leggi(c / "PunteggiScopa.txt"), Anna) << k.cosa << ": the scores must not change";
        EXPECT_EQ(Leggi(c / "PunteggiScopa.bak"), "copia precedente") << k.cosa;
    }
    // A current file that cannot be read is not a first use: nothing may replace it.
    Cartella c;
    fs::create_directory(c / "PunteggiScopa.txt");
    EXPECT_EQ(AggiornaPunteggi(FileScopa, c.p, "Anna", ContaVittoria), PunteggiCorrenteIlleggibile);
    EXPECT_FALSE(fs::exists(c / "PunteggiScopa1.txt"));
}

TEST(ScoreFiles, OperationsUseTheWorkingFolderAndTheNameBox)
{
    Cartella c;
    const std::string vecchiaCartella = CartellaLavoro;
    auto vecchiaFonte = FonteNomeGiocatore();
    CartellaLavoro = c.p;
    FonteNomeGiocatore() = [] { return std::string("Bea"); };
    RegistraPartitaGiocata(FileSettemezzo);
    RegistraVittoria(FileSettemezzo);
    RegistraPareggio(FileSettemezzo);
    CartellaLavoro = vecchiaCartella;
    FonteNomeGiocatore() = vecchiaFonte;
    EXPECT_EQ(Leggi(c / "PunteggiSettemezzo.txt"), Rec("BEA", "0001  0001  0001"));
}

TEST(ScoreRanking, HighestShareOfWinsFirstAndTiesKeepFileOrder)
{
    struct Caso { const char* cosa; std::string file; std::vector<std::string> ordine; };
    const Caso casi[] = {
        {"share, not number, of wins",
         Rec("UNO SU DUE", "0002  0001  0000") + Rec("TRE SU TRE", "0003  0003  0000") +
             Rec("ZERO SU CINQUE", "0005  0000  0000") + Rec("50 SU 60", "0060  0050  0000"),
         {"TRE SU TRE", "50 SU 60", "UNO SU DUE", "ZERO SU CINQUE"}},
        {"equal ratios keep file order",
         Rec("PRIMO", "0002  0001  0000") + Rec("ALTO", "0001  0001  0000") + Rec("SECONDO", "0004  0002  0001"),
         {"ALTO", "PRIMO", "SECONDO"}},
        {"nothing played ranks with ratio 0",
         Rec("MAI", "0000  0000  0000") + Rec("PERDENTE", "0003  0000  0000") + Rec("VINCE", "0001  0001  0000"),
         {"VINCE", "MAI", "PERDENTE"}},
        {"lines that are not records are left out",
         "# nota\r\n\r\n# una nota lunga quanto un record, ma senza contatori\r\n" + Rec("ANNA", "0002  0001  0000").substr(0, 40) + "\r\n" + Rec("BEA", "0001  0000  0000"),
         {"BEA"}},
    };
    for (const auto& k : casi) {
        Cartella c;
        Scrivi(c / "PunteggiBriscola.txt", k.file);
        auto voci = LeggiPunteggi(c.p, FileBriscola.corrente);
        OrdinaPerRapporto(voci);
        std::vector<std::string> nomi;
        for (const auto& v : voci) nomi.push_back(v.Nome.substr(0, v.Nome.find_last_not_of(' ') + 1));
        EXPECT_EQ(nomi, k.ordine) << k.cosa;
    }
    EXPECT_TRUE(LeggiPunteggi("/nonexistent-cartovia", FileBriscola.corrente).empty());
}

TEST(ScoreRanking, EveryRecordOfALargeFileIsRanked)
{
    Cartella c;
    std::string file;
    for (int i = 1; i <= 150; ++i) {
        char contatori[32];
        std::snprintf(contatori, sizeof contatori, "%04d  %04d  0000", 150, i);
        file += Rec("P" + std::to_string(i), contatori);
    }
    Scrivi(c / "PunteggiScopa.txt", file);
    auto voci = LeggiPunteggi(c.p, FileScopa.corrente);
    ASSERT_EQ(voci.size(), 150u);
    OrdinaPerRapporto(voci);
    EXPECT_EQ(voci.front().Nome.substr(0, 4), "P150") << "the best player sits at the end of the file";
    EXPECT_EQ(voci.back().Nome.substr(0, 3), "P1 ");
}

TEST(ScoreFiles, AnInterruptedUpdateIsFinishedNeverStartedAfresh)
{
    // Before: Bea 3 played 1 won; the interrupted update gave her a second win.
    const std::string altri = "# nota\r\n" + Rec("CARLO", "0004  0001  0000");
    const std::string vecchio = Rec("BEA", "0003  0001  0000") + altri;
    const std::string interrotto = Rec("BEA", "0003  0002  0000") + altri;
    struct Caso { const char* cosa; std::string temporaneo; bool conTemporaneo; std::string partenza; };
    const Caso casi[] = {
        {"stopped between the two renames", interrotto, true, interrotto},
        {"only the backup left", "", false, vecchio},
        {"empty temporary file left by a power cut", "", true, vecchio},
    };
    for (const auto& k : casi) {
        Cartella c;
        Scrivi(c / "PunteggiScopa.bak", vecchio);
        if (k.conTemporaneo) Scrivi(c / "PunteggiScopa1.txt", k.temporaneo);

        const auto voci = LeggiPunteggi(c.p, FileScopa.corrente);
        ASSERT_EQ(voci.size(), 2u) << k.cosa << ": the ranking must not come up empty";
        EXPECT_EQ(voci[0].Vinte, k.partenza == interrotto ? 2 : 1) << k.cosa;

        EXPECT_EQ(AggiornaPunteggi(FileScopa, c.p, "Anna", ContaPartitaGiocata), PunteggiAggiornati) << k.cosa;
        EXPECT_EQ(Leggi(c / "PunteggiScopa.txt"), k.partenza + Anna) << k.cosa << ": every other record kept";
        EXPECT_EQ(Leggi(c / "PunteggiScopa.bak"), k.partenza) << k.cosa << ": the backup is the file updated";
        EXPECT_EQ(Contenuto(c.p), (std::vector<std::string>{"PunteggiScopa.bak", "PunteggiScopa.txt"})) << k.cosa;
    }
}

TEST(ScoreFiles, TwoCopiesOfTheProgramUpdatingTogetherLoseNothing)
{
    Cartella c;
    const std::string altri = Rec("CARLO", "0009  0004  0001") + "# nota\r\n" + Rec("DARIO", "0002  0000  0002");
    Scrivi(c / "PunteggiBriscola.txt", altri);
    const auto attesa = AttesaMassimaBloccoPunteggi();
    AttesaMassimaBloccoPunteggi() = std::chrono::seconds(60);  // a slow disk must not turn into a timeout

    constexpr int Aggiornamenti = 200;
    const std::pair<const char*, int> giocatori[] = {{"Anna", ContaPartitaGiocata}, {"Bea", ContaVittoria}};
    std::vector<pid_t> figli;
    for (auto [nome, op] : giocatori) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int falliti = 0;
            for (int i = 0; i < Aggiornamenti; ++i)
                falliti += AggiornaPunteggi(FileBriscola, c.p, nome, op) != PunteggiAggiornati;
            _exit(falliti == 0 ? 0 : 1);
        }
        figli.push_back(pid);
    }
    for (pid_t pid : figli) {
        int stato = 0;
        ASSERT_EQ(waitpid(pid, &stato, 0), pid);
        EXPECT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 0) << "every update must report success";
    }
    AttesaMassimaBloccoPunteggi() = attesa;

    const std::string anna = Rec("ANNA", "0200  0000  0000"), bea = Rec("BEA", "0001  0200  0000");
    const std::string file = Leggi(c / "PunteggiBriscola.txt");
    EXPECT_TRUE(file == altri + anna + bea || file == altri + bea + anna) << file;
    EXPECT_EQ(Contenuto(c.p), (std::vector<std::string>{"PunteggiBriscola.bak", "PunteggiBriscola.txt"}))
        << "no lock file or new copy may be left behind";
}

TEST(ScoreFiles, PlantedLinksAreNeverWrittenThrough)
{
    struct Caso { const char* cosa; const char* nome; bool bersaglioEsiste; int esito; bool collegamentoResta; };
    const Caso casi[] = {
        {"link named like the temporary file", "PunteggiScopa1.txt", true, PunteggiTemporaneoNonScritto, true},
        {"dangling link named like the temporary file", "PunteggiScopa1.txt", false, PunteggiTemporaneoNonScritto, true},
        {"link named like the lock file", "PunteggiScopa.lock", true, PunteggiOccupato, true},
        {"dangling link named like the lock file", "PunteggiScopa.lock", false, PunteggiOccupato, true},
        {"link named like the backup", "PunteggiScopa.bak", true, PunteggiAggiornati, false},
    };
    for (const auto& k : casi) {
        Cartella c, altrove;
        Avvisi avvisi;
        const std::string bersaglio = altrove / "file-altrui";
        if (k.bersaglioEsiste) Scrivi(bersaglio, "non toccare");
        Scrivi(c / "PunteggiScopa.txt", Anna);
        fs::create_symlink(bersaglio, c / k.nome);

        EXPECT_EQ(AggiornaPunteggi(FileScopa, c.p, "Anna", ContaVittoria), k.esito) << k.cosa;
        if (k.bersaglioEsiste)
            EXPECT_EQ(Leggi(bersaglio), "non toccare") << k.cosa;
        else
            EXPECT_FALSE(fs::exists(bersaglio)) << k.cosa;
        if (k.collegamentoResta) {
            EXPECT_TRUE(fs::is_symlink(c / k.nome)) << k.cosa;
            EXPECT_EQ(fs::read_symlink(c / k.nome), bersaglio) << k.cosa;
            EXPECT_EQ(Leggi(c / "PunteggiScopa.txt"), Anna) << k.cosa << ": nothing may change";
            EXPECT_EQ(avvisi.righe.size(), 1u) << k.cosa << ": the refusal must be reported";
        } else {
            EXPECT_EQ(Leggi(c / "PunteggiScopa.txt"), Rec("ANNA", "0001  0001  0000")) << k.cosa;
        }
    }
}

TEST(ScoreFiles, AFailedUpdateIsReportedAndLandsWithTheNextOne)
{
    const std::string altri = Rec("CARLO", "0002  0001  0000");
    int lucchetto = -1;
    rlimit limite{};
    struct Caso { const char* cosa; int esito; std::function<void(Cartella&)> guasta, ripara; };
    const Caso casi[] = {
        {"temporary name taken by a folder", PunteggiTemporaneoNonScritto,
         [](Cartella& c) { fs::create_directory(c / "PunteggiScopa1.txt"); },
         [](Cartella& c) { fs::remove(c / "PunteggiScopa1.txt"); }},
        {"backup name taken by a folder, so the first rename fails", PunteggiRinominaFallita,
         [](Cartella& c) { fs::create_directories(c / "PunteggiScopa.bak/dentro"); },
         [](Cartella& c) { fs::remove_all(c / "PunteggiScopa.bak"); }},
        {"disk full while writing the new copy", PunteggiTemporaneoNonScritto,
         [&](Cartella&) {
             // Regular files of this process may not grow past 60 bytes; the new file needs 144.
             std::signal(SIGXFSZ, SIG_IGN);
             getrlimit(RLIMIT_FSIZE, &limite);
             rlimit piccolo = limite;
             piccolo.rlim_cur = 60;
             setrlimit(RLIMIT_FSIZE, &piccolo);
         },
         [&](Cartella&) { setrlimit(RLIMIT_FSIZE, &limite); }},
        {"another copy holding the lock", PunteggiOccupato,
         [&](Cartella& c) {
             lucchetto = open((c / "PunteggiScopa.lock").c_str(), O_RDWR | O_CREAT, 0666);
             flock(lucchetto, LOCK_EX);
         },
         [&](Cartella& c) {
             fs::remove(c / "PunteggiScopa.lock");
             close(lucchetto);
         }},
    };
    const auto attesa = AttesaMassimaBloccoPunteggi();
    AttesaMassimaBloccoPunteggi() = std::chrono::milliseconds(50);
    for (const auto& k : casi) {
        Cartella c;
        Avvisi avvisi;
        Scrivi(c / "PunteggiScopa.txt", Anna + altri);
        k.guasta(c);
        const int esito = AggiornaPunteggi(FileScopa, c.p, "Bea", ContaVittoria);
        k.ripara(c);
        EXPECT_EQ(esito, k.esito) << k.cosa;
        EXPECT_EQ(Leggi(c / "PunteggiScopa.txt"), Anna + altri) << k.cosa << ": the scores must not change yet";
        ASSERT_EQ(avvisi.righe.size(), 1u) << k.cosa;
        EXPECT_NE(avvisi.righe[0].find(c / "PunteggiScopa"), std::string::npos) << avvisi.righe[0];

        EXPECT_EQ(AggiornaPunteggi(FileScopa, c.p, "Anna", ContaPartitaGiocata), PunteggiAggiornati) << k.cosa;
        EXPECT_EQ(Leggi(c / "PunteggiScopa.txt"), Rec("ANNA", "0002  0000  0000") + altri + Rec("BEA", "0001  0001  0000"))
            << k.cosa << ": Bea's win must land with the next update";
        EXPECT_EQ(Contenuto(c.p), (std::vector<std::string>{"PunteggiScopa.bak", "PunteggiScopa.txt"})) << k.cosa;
    }
    AttesaMassimaBloccoPunteggi() = attesa;

    // A lock file left by a copy that ended (nobody holds it) does not stop anyone.
    Cartella c;
    Scrivi(c / "PunteggiScopa.lock", "");
    EXPECT_EQ(AggiornaPunteggi(FileScopa, c.p, "Anna", ContaPartitaGiocata), PunteggiAggiornati);
    EXPECT_EQ(Contenuto(c.p), (std::vector<std::string>{"PunteggiScopa.txt"}));
}

TEST(ScoreFiles, ABackslashInTheDataFolderIsPartOfItsName)
{
    Cartella c;
    const std::string cartella = c / "a\\b";
    fs::create_directory(cartella);
    RegistraPartitaGiocata(FileScopa, cartella, "Anna");
    EXPECT_EQ(Leggi(cartella + "/PunteggiScopa.txt"), Anna);
    EXPECT_FALSE(fs::exists(c / "a")) << "the folder must not be split at its backslash";
    EXPECT_EQ(LeggiPunteggi(cartella, FileScopa.corrente).size(), 1u);
}

TEST(ScoreFiles, APipeUnderTheScoreFileNameNeverHangsTheProgram)
{
    // Nobody writes into the pipe: a blocking open or read would wait for ever.
    Cartella c;
    Avvisi avvisi;
    ASSERT_EQ(mkfifo((c / "PunteggiScopa.txt").c_str(), 0600), 0);
    EXPECT_TRUE(LeggiPunteggi(c.p, "\\PunteggiScopa.txt").empty());
    EXPECT_NE(AggiornaPunteggi(FileScopa, c.p, "Anna", ContaVittoria), PunteggiAggiornati);
    struct stat st {};
    ASSERT_EQ(lstat((c / "PunteggiScopa.txt").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe is left where it is";
    EXPECT_FALSE(avvisi.righe.empty()) << "the refusal must be reported";
}

TEST(ScoreFiles, RecordsEndInCrLfLfOrCrAlike)
{
    // Three players with each kind of line end, and a mix of all three.
    const std::string a = "ANNA" + std::string(26, ' ') + "0004  0002  0000";
    const std::string b = "BEA" + std::string(27, ' ') + "0003  0001  0001";
    const std::string c = "CARLO" + std::string(25, ' ') + "0005  0000  0000";
    struct Caso { const char* cosa; std::string file; };
    const Caso casi[] = {
        {"CR alone", a + "\r" + b + "\r" + c + "\r"},
        {"LF alone", a + "\n" + b + "\n" + c + "\n"},
        {"mixed, last line unterminated", a + "\r" + b + "\n" + c},
        {"mixed, CR LF first", a + "\r\n" + b + "\r" + c + "\n"},
    };
    for (const auto& k : casi) {
        Cartella d;
        Scrivi(d / "PunteggiScopa.txt", k.file);
        ASSERT_EQ(LeggiPunteggi(d.p, FileScopa.corrente).size(), 3u) << k.cosa << ": the ranking shows every player";

        // A win for the first player rewrites only that record; a second update keeps all.
        ASSERT_EQ(AggiornaPunteggi(FileScopa, d.p, "Anna", ContaVittoria), PunteggiAggiornati) << k.cosa;
        ASSERT_EQ(AggiornaPunteggi(FileScopa, d.p, "Carlo", ContaPartitaGiocata), PunteggiAggiornati) << k.cosa;
        const auto voci = LeggiPunteggi(d.p, FileScopa.corrente);
        ASSERT_EQ(voci.size(), 3u) << k.cosa << ": " << Leggi(d / "PunteggiScopa.txt");
        EXPECT_EQ(voci[0].Nome.substr(0, 4), "ANNA") << k.cosa;
        EXPECT_EQ(voci[0].Vinte, 3) << k.cosa;
        EXPECT_EQ(voci[0].Giocate, 4) << k.cosa;
        EXPECT_EQ(voci[1].Nome.substr(0, 3), "BEA") << k.cosa;
        EXPECT_EQ(voci[1].Pari, 1) << k.cosa;
        EXPECT_EQ(voci[2].Giocate, 6) << k.cosa;
        EXPECT_EQ(LeggiPunteggi(d.p, "\\PunteggiScopa.bak").size(), 3u) << k.cosa << ": the backup keeps every player";
        EXPECT_NE(Leggi(d / "PunteggiScopa.txt").find(b), std::string::npos) << k.cosa << ": Bea's bytes stay";
        EXPECT_FALSE(fs::exists(d / "PunteggiScopa.txt.damaged")) << k.cosa << ": nothing here was damaged";
    }
}

TEST(ScoreFiles, AFileThatIsNotAllRecordsIsKeptBeforeItIsReplaced)
{
    const std::string bea = Rec("BEA", "0003  0001  0000"), carlo = Rec("CARLO", "0002  0000  0000");
    const std::string senzaFine = [&] {
        std::string s = Rec("ANNA", "0004  0002  0000") + bea + carlo;
        std::erase(s, '\r'), std::erase(s, '\n');
        return s;
    }();
    struct Caso { const char* cosa; std::string prima, dopo; };
    const Caso casi[] = {
        {"line ends lost: the records glued behind the player's stay",
         senzaFine, Rec("ANNA", "0004  0003  0000") + senzaFine.substr(46)},
        {"garbled counters of the player", Rec("ANNA", "00x4  0002  0000") + bea,
         Rec("ANNA", "0000  0003  0000") + bea},
        {"the player's record with a note behind it", Rec("ANNA", "0001  0000  0000").substr(0, 46) + " nota\r\n" + bea,
         Rec("ANNA", "0001  0001  0000") + " nota\r\n" + bea},
    };
    for (const auto& k : casi) {
        Cartella d;
        Avvisi avvisi;
        Scrivi(d / "PunteggiScopa.txt", k.prima);
        ASSERT_EQ(AggiornaPunteggi(FileScopa, d.p, "Anna", ContaVittoria), PunteggiAggiornati) << k.cosa;
        EXPECT_EQ(Leggi(d / "PunteggiScopa.txt"), k.dopo) << k.cosa;
        EXPECT_EQ(Leggi(d / "PunteggiScopa.txt.damaged"), k.prima) << k.cosa << ": the damaged file is kept whole";
        EXPECT_EQ(avvisi.righe.size(), 1u) << k.cosa << ": the copy is reported";
    }

    // A later damaged file never overwrites the first copy; the same bytes are kept once.
    Cartella d;
    Avvisi silenzio;
    Scrivi(d / "PunteggiScopa.txt.damaged", "prima copia");
    for (int volta = 0; volta < 2; ++volta) {
        Scrivi(d / "PunteggiScopa.txt", "ANNA" + std::string(26, ' ') + "garbled\r\n");
        ASSERT_EQ(AggiornaPunteggi(FileScopa, d.p, "Anna", ContaVittoria), PunteggiAggiornati);
    }
    EXPECT_EQ(Leggi(d / "PunteggiScopa.txt.damaged"), "prima copia");
    EXPECT_EQ(Leggi(d / "PunteggiScopa.txt.damaged.2"), "ANNA" + std::string(26, ' ') + "garbled\r\n");
    EXPECT_FALSE(fs::exists(d / "PunteggiScopa.txt.damaged.3"));

    // With no room for a copy (every name taken by a folder) the file stays as it is.
    Cartella e;
    Avvisi avvisi;
    Scrivi(e / "PunteggiScopa.txt", senzaFine);
    fs::create_directory(e / "PunteggiScopa.txt.damaged");
    for (int n = 2; n <= MassimoCopieDanneggiate; ++n) fs::create_directory(e / ("PunteggiScopa.txt.damaged." + std::to_string(n)));
    EXPECT_EQ(AggiornaPunteggi(FileScopa, e.p, "Anna", ContaVittoria), PunteggiCopiaNonConservata);
    EXPECT_EQ(Leggi(e / "PunteggiScopa.txt"), senzaFine);
    EXPECT_FALSE(fs::exists(e / "PunteggiScopa.bak"));
    EXPECT_EQ(avvisi.righe.size(), 1u);
}

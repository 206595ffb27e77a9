// Card identity, deck state and shuffle.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>
#include <set>

#include "core/Carte.h"
#include "core/Casuale.h"
#include "core/Globali.h"
#include "core/Pausa.h"
#include "core/StatoMazzo.h"

namespace {

std::int64_t orologioFermo() { return 1700000000000000000; }

// The steady clock stands still: every seed is drawn "at the same instant".
struct OrologioFermo {
    OrologioFermo() { ImpostaOrologio(&orologioFermo); }
    ~OrologioFermo() { ImpostaOrologio(nullptr); }
};

// A run with CARTOVIA_SEED=seme; the end of the test is the end of the run.
struct Corsa {
    explicit Corsa(std::optional<std::uint32_t> seme) { ImpostaSemeDellaCorsa(seme); }
    ~Corsa() { ImpostaSemeDellaCorsa(std::nullopt); }
};

std::array<std::int32_t, StatoMazzo::Dimensione> PrimoMazzo(std::uint32_t seme, const char* gioco)
{
    Corsa corsa(seme);
    StatoMazzo m;
    m.Mischia(gioco);
    return m.OrdineCarte;
}

}  // namespace

TEST(Carte, SuitNumberAndNameFollowTheCardNumber)
{
    struct Caso { int c, seme, numero; const char* nome; };
    const Caso casi[] = {
        {1, Denari, 1, "01 Denari"},  {7, Denari, 7, "07 Denari"},   {10, Denari, 10, "10 Denari"},
        {11, Spade, 1, "01 Spade"},   {23, Bastoni, 3, "03 Bastoni"}, {30, Bastoni, 10, "10 Bastoni"},
        {37, Coppe, 7, "07 Coppe"},   {40, Coppe, 10, "10 Coppe"},
    };
    for (const auto& k : casi) {
        EXPECT_EQ(SemeCarta(k.c), k.seme) << "card " << k.c;
        EXPECT_EQ(NumeroCarta(k.c), k.numero) << "card " << k.c;
        EXPECT_EQ(CartaDa(k.seme, k.numero), k.c);
        EXPECT_EQ(NomeCarta(k.c), k.nome);
    }
    EXPECT_EQ(NomeCarta(0), "");
    EXPECT_EQ(NomeCarta(41), "");
}

TEST(StatoMazzo, ShuffleGivesAPermutationWithPositionZeroEmptyAndStatesCleared)
{
    StatoMazzo m;
    m.Generatore().Fissa(42);
    m.ImpostaStato(3, 9);
    m.Mischia();
    std::set<int> immediate, ritornate;
    for (int i = 1; i <= 40; ++i) {
        immediate.insert(m.RitornaCartaImmediata(i));
        ritornate.insert(m.RitornaCarta(i));
        EXPECT_EQ(m.RitornaStato(i), 0);
        // Double indexing: the card of position i is the entry of the entry.
        EXPECT_EQ(m.RitornaCarta(i), m.RitornaCartaImmediata(m.RitornaCartaImmediata(i)));
    }
    EXPECT_EQ(m.RitornaCartaImmediata(0), 0);
    EXPECT_EQ(immediate.size(), 40u);
    EXPECT_EQ(ritornate.size(), 40u);
    EXPECT_EQ(*immediate.begin(), 1);
    EXPECT_EQ(*immediate.rbegin(), 40);
    EXPECT_EQ(*ritornate.begin(), 1);
    EXPECT_EQ(*ritornate.rbegin(), 40);
}

TEST(StatoMazzo, ShufflesAtTheSameInstantDifferAndFixedSeedsReproduce)
{
    // Two "Nuova Partita" within one millisecond once dealt the same cards.
    Corsa corsa(std::nullopt);
    OrologioFermo fermo;
    std::set<std::array<std::int32_t, StatoMazzo::Dimensione>> visti;
    StatoMazzo a, b;
    for (int k = 0; k < 10; ++k) {
        a.Mischia("scopa");
        b.Mischia();
        visti.insert(a.OrdineCarte);
        visti.insert(b.OrdineCarte);
    }
    EXPECT_EQ(visti.size(), 20u) << "shuffles with the same clock reading must still differ";

    StatoMazzo c, d;
    c.Generatore().Fissa(7);
    d.Generatore().Fissa(7);
    c.Mischia("briscola");
    d.Mischia();
    EXPECT_EQ(c.OrdineCarte, d.OrdineCarte);
    const auto primoFisso = c.OrdineCarte;
    c.Mischia();
    EXPECT_NE(primoFisso, c.OrdineCarte) << "a fixed seed continues its sequence";
}

TEST(StatoMazzo, RunSeedGivesEveryGameTheSameDealsWhateverWasPlayedBefore)
{
    const auto briscola7 = PrimoMazzo(7, "briscola");
    EXPECT_EQ(PrimoMazzo(7, "briscola"), briscola7) << "the same run seed must deal the same first cards";
    EXPECT_NE(PrimoMazzo(8, "briscola"), briscola7);
    EXPECT_NE(PrimoMazzo(7, "rubamazzo"), briscola7) << "each game has its own deals";

    // Deals of other games, and reseeds that name no game, leave a game's sequence alone;
    // they share one deck and its generator, as the tables do.
    std::vector<std::array<std::int32_t, StatoMazzo::Dimensione>> soli, mescolati;
    {
        Corsa corsa(7);
        StatoMazzo m;
        for (int k = 0; k < 3; ++k) {
            m.Mischia("briscola");
            soli.push_back(m.OrdineCarte);
        }
    }
    {
        Corsa corsa(7);
        StatoMazzo m;
        for (int k = 0; k < 3; ++k) {
            m.Mischia("rubamazzo");
            m.Mischia("settemezzo");
            m.Generatore().SemeDallOrologio();
            m.Mischia("briscola");
            mescolati.push_back(m.OrdineCarte);
            m.Mischia();  // a reseed naming no game: the generator goes on from where it was
            EXPECT_NE(m.OrdineCarte, mescolati.back());
        }
    }
    EXPECT_EQ(soli, mescolati);
    EXPECT_NE(soli[0], soli[1]) << "the second deal of a game is not the first again";

    // A fixed seed wins over the run seed (the tests' and the simulator's own seeds).
    Corsa corsa(7);
    StatoMazzo f, g;
    f.Generatore().Fissa(3);
    g.Generatore().Fissa(3);
    f.Mischia("briscola");
    g.Mischia();
    EXPECT_EQ(f.OrdineCarte, g.OrdineCarte);
}

TEST(Casuale, RunSeedIsADecimalOf32BitsOrNothing)
{
    struct Caso { const char* testo; std::optional<std::uint32_t> seme; };
    const Caso casi[] = {
        {"7", 7u},          {"0", 0u},           {"4294967295", 4294967295u}, {"007", 7u},
        {"4294967296", {}}, {"-1", {}},          {"+7", {}},                  {" 7", {}},
        {"7x", {}},         {"", {}},            {"99999999999999999999999", {}},
    };
    for (const auto& k : casi) EXPECT_EQ(LeggiSeme(k.testo), k.seme) << "\"" << k.testo << '"';
    EXPECT_EQ(LeggiSeme(nullptr), std::nullopt);
}

TEST(StatoMazzo, SistemaDatiReadsSuitAndNumberOfTheStoredEntry)
{
    StatoMazzo m;
    struct Caso { int voce, seme, numero; };
    for (const Caso& k : {Caso{23, 3, 3}, Caso{30, 3, 10}, Caso{40, 4, 10}, Caso{1, 1, 1}, Caso{11, 2, 1}}) {
        m.ImpostaCartaImmediata(5, k.voce);
        const auto sn = m.SistemaDati(5);
        EXPECT_EQ(sn.seme, k.seme) << "entry " << k.voce;
        EXPECT_EQ(sn.numero, k.numero) << "entry " << k.voce;
    }
}

TEST(StatoMazzo, StateTogglesAndWritesGoThroughTheDeckOrder)
{
    StatoMazzo m;
    m.Generatore().Fissa(3);
    m.Mischia();
    const int carta = m.RitornaCartaImmediata(4);
    m.CambiaStato(4);
    EXPECT_EQ(m.RitornaStato(4), 1);
    EXPECT_EQ(m.StatoDellaCarta(carta), 1);
    m.CambiaStato(4);
    EXPECT_EQ(m.RitornaStato(4), 0);
    m.ImpostaStato(4, 5);
    EXPECT_EQ(m.CambiaStato(4), 0) << "any non-zero state toggles to 0";

    m.ImpostaCarta(6, 99);
    EXPECT_EQ(m.RitornaCartaImmediata(m.RitornaCartaImmediata(6)), 99);
}

TEST(StatoMazzo, OutOfRangeIndicesNeitherCrashNorWrite)
{
    StatoMazzo m;
    m.ImpostaCartaImmediata(1, 500);  // points outside the arrays
    EXPECT_EQ(m.RitornaCarta(1), 0);
    m.ImpostaCarta(1, 7);
    m.ImpostaStato(1, 7);
    EXPECT_EQ(m.RitornaStato(1), 0);
    EXPECT_EQ(m.RitornaCartaImmediata(-3), 0);
    m.ImpostaGriglia(100, 100);  // larger than the arrays: capped at 199 cards
    m.Generatore().Fissa(1);
    m.Mischia();
    std::set<int> visti(m.OrdineCarte.begin() + 1, m.OrdineCarte.begin() + 200);
    EXPECT_EQ(visti.size(), 199u);
}

TEST(Pausa, ScaleZeroNeverWaitsButCountsTheRequest)
{
    ImpostaScalaTempo(0);
    const auto prima = PauseRichieste();
    const auto msPrima = MillisecondiRichiesti();
    unsigned chiamate = 0;
    ImpostaDormiente([&](unsigned) { ++chiamate; });
    Pausa(500);
    EXPECT_EQ(chiamate, 0u);
    EXPECT_EQ(PauseRichieste(), prima + 1);
    EXPECT_EQ(MillisecondiRichiesti(), msPrima + 500);
    ImpostaScalaTempo(0.5);
    unsigned dormito = 0;
    ImpostaDormiente([&](unsigned ms) { dormito = ms; });
    Pausa(500);
    EXPECT_EQ(dormito, 250u);
    ImpostaDormiente({});
    ImpostaScalaTempo(0);
}

TEST(Globali, ScoreFileNamesResolveInsideTheWorkingFolder)
{
    EXPECT_EQ(PercorsoInCartella("/home/anna/giochi", "\\PunteggiScopa.txt"), "/home/anna/giochi/PunteggiScopa.txt");
    // A folder at the root gives two separators in a row, which must still be usable.
    EXPECT_EQ(PercorsoInCartella("/", "\\PunteggiScopa.txt"), "/PunteggiScopa.txt");
    // Only the name is converted: a backslash in a folder of this system belongs to its name.
    EXPECT_EQ(PercorsoInCartella("/x/a\\b", "\\PunteggiScopa.txt"), "/x/a\\b/PunteggiScopa.txt");
    EXPECT_EQ(PercorsoInCartella("C:\\", "\\PunteggiScopa.txt"), "C:\\/PunteggiScopa.txt");
}

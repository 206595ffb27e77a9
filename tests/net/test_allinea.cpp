// A network table's engine brought to the referee's state: what this seat sees becomes the
// referee's, the rest stays stand-ins nobody has seen, and a state or a move that cannot be
// the referee's is refused without touching the engine.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/StatoMazzo.h"
#include "net/AllineaGiochi.h"

namespace {

// The guest's view of the referee's game, turned to the guest's own table (seat 1).
VistaScopa Girata(VistaScopa v)
{
    v.Lato = 1;
    v.UltimaPresa = v.UltimaPresa == 1 ? 2 : v.UltimaPresa == 2 ? 1 : 0;
    return v;
}

// The piles as sets: the engine files a capture's cards in one order for the player and in
// another for the computer, and the count does not depend on it.
VistaScopa Ordinata(VistaScopa v)
{
    std::sort(v.Prese + 1, v.Prese + 1 + v.NumeroPrese);
    std::sort(v.PreseAvversario + 1, v.PreseAvversario + 1 + v.NumeroPreseAvversario);
    return v;
}

}  // namespace

TEST(AllineaRete, ScopaTableTakesTheRefereesCardsAndFollowsItsMovesToTheEndOfAHand)
{
    MotoreScopa arbitro(11);
    arbitro.NuovaMano(1);
    MotoreScopa tavolo(99);  // another shuffle altogether
    tavolo.NuovaMano(2);
    ASSERT_TRUE(Rete::ImpostaScopa(tavolo, Girata(OsservaScopa(arbitro, 2)), 2));
    EXPECT_EQ(OsservaScopa(tavolo, 1), Girata(OsservaScopa(arbitro, 2)));
    EXPECT_EQ(tavolo.ControllaCarte(), "");
    EXPECT_EQ(tavolo.Turno, 2);

    // The referee's seat 1 is the other side of this table: its cards are put into the slot
    // it plays from, the guest's own moves are made as on any table.
    for (int mosse = 0; mosse < 36; ++mosse) {
        const int lato = arbitro.Turno;
        const std::vector<MossaScopa> legali = MosseLegaliScopa(OsservaScopa(arbitro, lato));
        ASSERT_FALSE(legali.empty());
        const MossaScopa m = legali.back();
        if (lato == 1) {
            ASSERT_TRUE(Rete::MettiInManoScopa(tavolo, m.Slot, arbitro.ManoGiocatore[m.Slot]));
            ASSERT_EQ(tavolo.GiocaComputer(m.Slot, m.Posti, m.NumeroPosti), 1);
        } else {
            ASSERT_EQ(ApplicaMossaScopa(tavolo, 1, m), 1);
        }
        ASSERT_EQ(ApplicaMossaScopa(arbitro, lato, m), 1);
        if (arbitro.FineGiro() == 1) {
            arbitro.Distribuisci(1);
            tavolo.Distribuisci(2);
            ASSERT_TRUE(Rete::ImpostaScopa(tavolo, Girata(OsservaScopa(arbitro, 2)), arbitro.Turno == 1 ? 2 : 1));
        }
        ASSERT_EQ(Ordinata(OsservaScopa(tavolo, 1)), Ordinata(Girata(OsservaScopa(arbitro, 2)))) << "after move " << mosse;
        ASSERT_EQ(tavolo.ControllaCarte(), "") << "after move " << mosse;
    }
    // The count of the hand is the same on both.
    arbitro.ChiudiMano();
    tavolo.ChiudiMano();
    int a[52] = {}, t[52] = {};
    arbitro.Punteggio(a);
    tavolo.Punteggio(t);
    EXPECT_EQ(a[50], t[51]);
    EXPECT_EQ(a[51], t[50]);
}

TEST(AllineaRete, StatesAndMovesThatCannotBeTheRefereesAreRefusedAndChangeNothing)
{
    MotoreScopa arbitro(5);
    arbitro.NuovaMano(1);
    MotoreScopa tavolo(6);
    tavolo.NuovaMano(1);
    VistaScopa v = OsservaScopa(arbitro, 1);
    ASSERT_TRUE(Rete::ImpostaScopa(tavolo, v, 1));
    const VistaScopa prima = OsservaScopa(tavolo, 1);
    const MotoreScopa copia = tavolo;

    VistaScopa doppia = v;
    doppia.Tavolo[1] = doppia.Mano[1];  // one card in two places
    EXPECT_FALSE(Rete::ImpostaScopa(tavolo, doppia, 1));
    VistaScopa contata = v;
    contata.CarteAvversario = 2;  // the other hand holds three on this table
    EXPECT_FALSE(Rete::ImpostaScopa(tavolo, contata, 1));
    VistaScopa fuori = v;
    fuori.Tavolo[2] = 41;
    EXPECT_FALSE(Rete::ImpostaScopa(tavolo, fuori, 1));
    EXPECT_EQ(OsservaScopa(tavolo, 1), prima);
    EXPECT_EQ(tavolo.Turno, copia.Turno);

    // The other side cannot play a card this seat holds or sees on the table.
    EXPECT_FALSE(Rete::MettiInManoScopa(tavolo, 1, v.Mano[2]));
    EXPECT_FALSE(Rete::MettiInManoScopa(tavolo, 1, v.Tavolo[1]));
    EXPECT_FALSE(Rete::MettiInManoScopa(tavolo, 0, arbitro.ManoComputer[1]));
    EXPECT_FALSE(Rete::MettiInManoScopa(tavolo, 4, arbitro.ManoComputer[1]));
    EXPECT_FALSE(Rete::MettiInManoScopa(tavolo, 1, 0));
    EXPECT_EQ(OsservaScopa(tavolo, 1), prima);
    // A card it may hold goes into the slot, and the deck stays whole.
    EXPECT_TRUE(Rete::MettiInManoScopa(tavolo, 2, arbitro.ManoComputer[3]));
    EXPECT_EQ(tavolo.ManoComputer[2], arbitro.ManoComputer[3]);
    EXPECT_EQ(tavolo.ControllaCarte(), "");

    // Briscola and Rubamazzo refuse the same way.
    StatoMazzo m1, m2;
    m1.Generatore().Fissa(3);
    m2.Generatore().Fissa(4);
    RegoleBriscola b(m1), bt(m2);
    b.NuovaPartita();
    bt.NuovaPartita();
    VistaBriscola vb = OsservaBriscola(b, 1);
    ASSERT_TRUE(Rete::ImpostaBriscola(bt, vb, b.Turno));
    EXPECT_EQ(OsservaBriscola(bt, 1), vb);
    EXPECT_FALSE(Rete::MettiInManoBriscola(bt, 1, vb.Mano[1]));
    EXPECT_FALSE(Rete::MettiInManoBriscola(bt, 1, vb.CartaBriscola));
    EXPECT_TRUE(Rete::MettiInManoBriscola(bt, 1, b.Carta(b.ManoComputer[2])));
    vb.CarteNelMazzo = 20;
    EXPECT_FALSE(Rete::ImpostaBriscola(bt, vb, 1));

    StatoMazzo m3, m4;
    m3.Generatore().Fissa(8);
    m4.Generatore().Fissa(9);
    RegoleRubamazzo r(m3), rt(m4);
    r.NuovaPartita();
    rt.NuovaPartita();
    VistaRubamazzo vr = OsservaRubamazzo(r, 1);
    ASSERT_TRUE(Rete::ImpostaRubamazzo(rt, vr, 1));
    EXPECT_EQ(OsservaRubamazzo(rt, 1), vr);
    EXPECT_FALSE(Rete::MettiInManoRubamazzo(rt, 2, vr.Tavolo[RegoleRubamazzo::PrimoPostoTavolo]));
    EXPECT_TRUE(Rete::MettiInManoRubamazzo(rt, 2, r.Carta(r.Posti[1])));
    vr.Pila = 3;
    EXPECT_FALSE(Rete::ImpostaRubamazzo(rt, vr, 1));
}

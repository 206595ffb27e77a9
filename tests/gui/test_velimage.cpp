// Card flights: the positions a slot and the deck control pass through.
#include <gtest/gtest.h>

#include <QPoint>
#include <QWidget>
#include <vector>

#include "components/VelCarte.h"
#include "components/VelImage.h"
#include "core/Pausa.h"

namespace {

// Records where `w` stands at every pause of a flight. The time scale is raised just enough
// for the pause service to hand each step to the recorder; nothing actually sleeps.
class RegistraVolo {
public:
    explicit RegistraVolo(QWidget* w)
    {
        ImpostaScalaTempo(1);
        ImpostaDormiente([this, w](unsigned) { posizioni.push_back(w->pos()); });
    }
    ~RegistraVolo()
    {
        ImpostaDormiente({});
        ImpostaScalaTempo(0);
    }
    std::vector<QPoint> posizioni;
};

std::vector<int> Ascisse(const std::vector<QPoint>& p)
{
    std::vector<int> out;
    for (const QPoint& q : p) out.push_back(q.x());
    return out;
}

struct CasoVolo {
    const char* nome;
    QPoint da, a;
    int passi;
    std::vector<int> xAttese;
    int yAttesa;
};

const std::vector<CasoVolo>& CasiVolo()
{
    static const std::vector<CasoVolo> casi = {
        {"300 pixels in 10 steps", {100, 50}, {400, 50}, 10,
         {100, 130, 160, 190, 220, 250, 280, 310, 340, 370, 400}, 50},
        {"100 pixels in 3 steps, truncated", {100, 50}, {200, 50}, 3, {100, 133, 166, 200}, 50},
        {"leftwards", {400, 20}, {100, 20}, 3, {400, 300, 200, 100}, 20},
        {"one step", {0, 0}, {10, 0}, 1, {0, 10}, 0},
    };
    return casi;
}

}  // namespace

TEST(VoloDellaCarta, SlotVisitsEveryStepAndLandsOnTarget)
{
    QWidget tavolo;
    tavolo.resize(800, 600);
    for (const CasoVolo& k : CasiVolo()) {
        VelImage carta(&tavolo);
        carta.move(k.da);
        {
            RegistraVolo volo(&carta);
            carta.MuoviCarta(k.a.x(), k.a.y(), k.passi, 20, &tavolo);
            EXPECT_EQ(Ascisse(volo.posizioni), k.xAttese) << "card flight " << k.nome;
            for (const QPoint& p : volo.posizioni)
                EXPECT_EQ(p.y(), k.yAttesa) << "card flight " << k.nome << " left its row";
        }
        EXPECT_EQ(carta.pos(), k.a) << "card flight " << k.nome << " did not end on the target";
    }
}

TEST(VoloDellaCarta, SlotPausesAfterEveryStep)
{
    QWidget tavolo;
    VelImage carta(&tavolo);
    carta.move(0, 0);
    const auto prima = PauseRichieste();
    const auto msPrima = MillisecondiRichiesti();
    carta.MuoviCarta(200, 100, 10, 20, &tavolo);
    EXPECT_EQ(PauseRichieste() - prima, 11u) << "a 10-step flight should pause at each of its 11 positions";
    EXPECT_EQ(MillisecondiRichiesti() - msPrima, 220u);
}

TEST(VoloDellaCarta, DeckControlStopsOneStepShortAndShowsItsCachedCard)
{
    QWidget tavolo;
    tavolo.resize(800, 600);
    for (const CasoVolo& k : CasiVolo()) {
        VelCarte mazzo(&tavolo);
        mazzo.move(k.da);
        std::vector<bool> inVolo;
        {
            RegistraVolo volo(&mazzo);
            ImpostaDormiente([&](unsigned) {
                volo.posizioni.push_back(mazzo.pos());
                inVolo.push_back(mazzo.InMovimento());
            });
            mazzo.MuoviCarta(k.a.x(), k.a.y(), k.passi, 20, &tavolo);
            std::vector<int> attese(k.xAttese.begin(), k.xAttese.end() - 1);
            EXPECT_EQ(Ascisse(volo.posizioni), attese)
                << "the deck's flight " << k.nome << " should visit " << k.passi << " positions";
        }
        for (bool b : inVolo) EXPECT_TRUE(b) << "the deck must paint its cached card during a flight";
        EXPECT_FALSE(mazzo.InMovimento()) << "the flight flag must drop when the flight ends";
    }
}

TEST(VoloDellaCarta, DeckControlWithNoStepsDoesNotMove)
{
    QWidget tavolo;
    VelCarte mazzo(&tavolo);
    mazzo.move(30, 40);
    for (int passi : {0, -3}) {
        mazzo.MuoviCarta(300, 400, passi, 20, &tavolo);
        EXPECT_EQ(mazzo.pos(), QPoint(30, 40)) << "a flight of " << passi << " steps moved the deck";
        EXPECT_FALSE(mazzo.InMovimento());
    }
}

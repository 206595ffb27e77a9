// The tables' own play traced (CARTOVIA_TRACE): whole games played through the handlers, the
// trace read back with the simulator's checks (every card in one place after every move) and
// its results compared with the score files. And the run seed (CARTOVIA_SEED): every table
// deals the same first cards on every run, whatever was played before.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/TFormConfig.h"
#include "core/Casuale.h"
#include "core/Traccia.h"
#include "games/briscola/TFormBriscola.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormAlternative.h"
#include "games/scopa/TFormScopa.h"
#include "games/settemezzo/TFormSettemezzo.h"
#include "tests/gui/FinestreDiProva.h"
#include "tests/gui/PassoScopa.h"

namespace {

std::vector<int> Carte(const QJsonValue& v)
{
    std::vector<int> c;
    for (const QJsonValue& x : v.toArray()) c.push_back(x.toInt());
    return c;
}

// Empty when the non-zero entries of `gruppi` are `quante` different cards of 1..40 (any
// number when quante < 0); else what is wrong.
std::string OgniCartaUnaVolta(std::initializer_list<std::vector<int>> gruppi, int quante)
{
    std::set<int> viste;
    int n = 0;
    for (const auto& g : gruppi)
        for (int c : g) {
            if (c == 0) continue;
            if (c < 1 || c > 40) return "card " + std::to_string(c) + " is not one of the 40";
            if (!viste.insert(c).second) return "card " + std::to_string(c) + " is in two places";
            ++n;
        }
    if (quante >= 0 && n != quante)
        return std::to_string(n) + " cards in play where " + std::to_string(quante) + " were dealt";
    return {};
}

// A score record: the name in 30 bytes, then games played, won and drawn.
struct Record {
    int giocate = -1, vinte = -1, pari = -1;
};

class TracciaTavoli : public FinestreDiProva {
protected:
    void SetUp() override
    {
        FinestreDiProva::SetUp();
        percorso_ = (cartella_.path() + "/traccia.jsonl").toStdString();
        ImpostaFileTraccia(percorso_);
        FormConfig->NomeGiocat->setText("Anna");
        FormConfig->CBSuoni->setChecked(false);
        FormConfig->VelCarte1->Stato().Generatore().Fissa(2024);
        FormScopa->Motore.Generatore().Fissa(2024);
        TFormAlternative::Automazione() = [](TFormAlternative* d) { d->VelmoBottone1Click(); };
    }
    void TearDown() override
    {
        ImpostaFileTraccia(std::nullopt);
        TFormAlternative::Automazione() = nullptr;
        FinestreDiProva::TearDown();
    }

    // The trace's lines of `gioco`, each a JSON object.
    std::vector<QJsonObject> Righe(const char* gioco)
    {
        std::vector<QJsonObject> righe;
        QFile f(QString::fromStdString(percorso_));
        if (!f.open(QIODevice::ReadOnly)) return righe;
        while (!f.atEnd()) {
            const QByteArray riga = f.readLine().trimmed();
            QJsonParseError e{};
            const QJsonDocument d = QJsonDocument::fromJson(riga, &e);
            EXPECT_EQ(e.error, QJsonParseError::NoError) << "not JSON: " << riga.toStdString();
            if (d.object().value("game").toString() == gioco) righe.push_back(d.object());
        }
        return righe;
    }

    Record LeggiRecord(const char* file)
    {
        QFile f(QString::fromStdString(CartellaLavoro) + "/" + file);
        Record r;
        if (!f.open(QIODevice::ReadOnly)) return r;
        const QByteArray riga = f.readLine();
        if (!riga.startsWith("ANNA ") || riga.size() < 46) return r;
        r.giocate = riga.mid(30, 4).toInt();
        r.vinte = riga.mid(36, 4).toInt();
        r.pari = riga.mid(42, 4).toInt();
        return r;
    }

    std::string percorso_;
};

TEST_F(TracciaTavoli, ScopaTraceHoldsEveryCardOnceAfterEveryMoveAndTheGamesResult)
{
    TFormScopa* s = FormScopa;
    s->NuovaPartitaClick();
    for (int passi = 0; !s->PartitaFinita && passi < 5000; ++passi) GiocaPassoScopa(s);
    ASSERT_TRUE(s->PartitaFinita);

    const auto righe = Righe("scopa");
    ASSERT_FALSE(righe.empty()) << "no trace written";
    int mosse = 0, conti = 0, ultimaMano = 0, mossaAttesa = 1, totaleG = -1, totaleC = -1;
    for (const QJsonObject& o : righe) {
        const int mano = o["hand"].toInt();
        if (mano != ultimaMano) {
            EXPECT_EQ(mano, ultimaMano + 1) << "hands are numbered one by one";
            ultimaMano = mano;
            mossaAttesa = 1;
        }
        if (o["event"].toString() == "count") {
            ++conti;
            totaleG = o["totals"].toArray()[0].toInt();
            totaleC = o["totals"].toArray()[1].toInt();
            EXPECT_EQ(o["SchedaMano"].toArray().size(), 52);
            continue;
        }
        ++mosse;
        EXPECT_EQ(o["move"].toInt(), mossaAttesa++) << "hand " << mano;
        EXPECT_EQ(o["side"].toInt(), o["before"]["Turno"].toInt()) << "the side that moved had the turn";
        for (const char* quando : {"before", "after"}) {
            const QJsonObject st = o[quando].toObject();
            EXPECT_EQ(OgniCartaUnaVolta({Carte(st["ManoGiocatore"]), Carte(st["ManoComputer"]), Carte(st["Tavolo"]),
                                         Carte(st["PreseGiocatore"]), Carte(st["PreseComputer"])},
                                        st["CarteDistribuite"].toInt()),
                      "")
                << "hand " << mano << ", move " << o["move"].toInt() << ", " << quando;
        }
    }
    EXPECT_EQ(conti, ultimaMano) << "every hand is counted once";
    EXPECT_EQ(mosse, 36 * ultimaMano) << "36 moves a hand";
    EXPECT_EQ(totaleG, s->PuntiPartitaGiocatore);
    EXPECT_EQ(totaleC, s->PuntiPartitaComputer);
    bool vince = false;
    EXPECT_TRUE(PartitaFinita(totaleG, totaleC, &vince)) << "the last count ends the game";
    EXPECT_EQ(LeggiRecord("PunteggiScopa.txt").vinte, vince ? 1 : 0);
}

TEST_F(TracciaTavoli, BriscolaTraceHoldsEveryCardOnceAndTheResultOfTheScoreFile)
{
    TFormBriscola* b = FormBriscola;
    const RegoleBriscola& r = b->Regole;
    b->NuovaPartitaClick();
    void (TFormBriscola::*clic[])() = {&TFormBriscola::Image4DblClick, &TFormBriscola::Image5DblClick,
                                       &TFormBriscola::Image6DblClick};
    for (int passi = 0; b->PartitaInCorso && passi < 500; ++passi) {
        if (b->Timer2->isActive()) {
            b->Timer2Timer();
        } else if (r.Turno == 1 && r.CarteGiocate < 2) {
            for (int i = 1; i <= 3; ++i)
                if (r.ManoGiocatore[i]) {
                    (b->*clic[i - 1])();
                    break;
                }
        } else {
            b->Timer1Timer();
        }
    }
    ASSERT_FALSE(b->PartitaInCorso);

    const auto righe = Righe("briscola");
    ASSERT_EQ(righe.size(), 21u) << "20 tricks and the result";
    std::vector<int> giocate;
    for (int k = 0; k < 20; ++k) {
        const QJsonObject& o = righe[k];
        EXPECT_EQ(o["trick"].toInt(), k + 1);
        const std::vector<int> g{o["GiocataGiocatore"].toInt()}, c{o["GiocataComputer"].toInt()};
        const auto manoG = Carte(o["ManoGiocatore"]), manoC = Carte(o["ManoComputer"]);
        EXPECT_EQ(OgniCartaUnaVolta({manoG, manoC}, -1), "") << "trick " << k + 1;
        EXPECT_NE(std::find(manoG.begin(), manoG.end(), g[0]), manoG.end()) << "trick " << k + 1 << ": played from the hand";
        EXPECT_NE(std::find(manoC.begin(), manoC.end(), c[0]), manoC.end()) << "trick " << k + 1 << ": played from the hand";
        EXPECT_EQ(o["PuntiGiocatore"].toInt() + o["PuntiComputer"].toInt() <= 120, true);
        giocate.push_back(g[0]);
        giocate.push_back(c[0]);
    }
    EXPECT_EQ(OgniCartaUnaVolta({giocate}, 40), "") << "every card is played once in the game";
    const QJsonObject& fine = righe[20];
    EXPECT_EQ(fine["event"].toString(), "result");
    EXPECT_EQ(fine["PuntiGiocatore"].toInt() + fine["PuntiComputer"].toInt(), 120);
    EXPECT_EQ(fine["PuntiGiocatore"].toInt(), righe[19]["PuntiGiocatore"].toInt());
    const Record rec = LeggiRecord("PunteggiBriscola.txt");
    EXPECT_EQ(rec.giocate, 1);
    EXPECT_EQ(rec.vinte, fine["Esito"].toInt() == 1 ? 1 : 0);
    EXPECT_EQ(rec.pari, fine["Esito"].toInt() == 0 ? 1 : 0);
}

TEST_F(TracciaTavoli, RubamazzoTraceHoldsEveryDealtCardOnceAfterEveryMoveAndTheResult)
{
    TFormRubamazzo* t = FormRubamazzo;
    const RegoleRubamazzo& r = t->Regole;
    t->NuovaPartitaClick();
    for (int passi = 0; !r.PartitaFinita() && passi < 300; ++passi) {
        t->Timer3Timer();
        if (r.PartitaFinita() || r.Turno != 1) continue;
        // Steal when the first card that can does, else lay or capture with the first card held.
        int primo = 0;
        bool rubato = false;
        for (int k = 4; k <= 6 && !rubato; ++k) {
            if (!r.Posti[k]) continue;
            t->ImagePosDblClick(k);
            if (r.FurtoPossibile()) {
                t->CarteComputerDblClick();
                rubato = true;
            }
            if (!primo) primo = k;
        }
        if (!rubato && primo) {
            t->ImagePosDblClick(primo);
            t->BtnOkClick();
        }
    }
    ASSERT_TRUE(r.PartitaFinita());

    const auto righe = Righe("rubamazzo");
    ASSERT_GT(righe.size(), 20u);
    int lato[3] = {};
    for (std::size_t k = 0; k + 1 < righe.size(); ++k) {
        const QJsonObject& o = righe[k];
        EXPECT_EQ(o["move"].toInt(), static_cast<int>(k) + 1);
        ++lato[o["side"].toInt() == 1 ? 1 : 2];
        for (const char* quando : {"before", "after"}) {
            const QJsonObject st = o[quando].toObject();
            EXPECT_EQ(OgniCartaUnaVolta({Carte(st["Posti"]), Carte(st["PreseGiocatore"]), Carte(st["PreseComputer"])},
                                        st["ProssimaCarta"].toInt() - 1),
                      "")
                << "move " << k + 1 << ", " << quando;
        }
    }
    EXPECT_GT(lato[1], 5) << "the player's moves are traced";
    EXPECT_GT(lato[2], 5) << "the computer's moves are traced";
    const QJsonObject& fine = righe.back();
    EXPECT_EQ(fine["event"].toString(), "result");
    EXPECT_EQ(fine["PileGiocatore"].toInt() + fine["PileComputer"].toInt(), 40);
    EXPECT_EQ(fine["result"].toInt(), r.Risultato);
    const Record rec = LeggiRecord("PunteggiRubaMazzo.txt");
    EXPECT_EQ(rec.giocate, 1);
    EXPECT_EQ(rec.vinte, fine["result"].toInt() == 1 ? 1 : 0);
    EXPECT_EQ(rec.pari, fine["result"].toInt() == 0 ? 1 : 0);
}

TEST_F(TracciaTavoli, SetteEMezzoTraceHoldsEveryDealAndTheMatchResultOfTheScoreFile)
{
    using R = RegoleSettemezzo;
    TFormSettemezzo* t = FormSettemezzo;
    const R& r = t->Regole;
    t->NuovaPartitaClick();
    int mani = 1;
    for (int passi = 0; r.FaseTavolo != R::PartitaFinita && passi < 20000; ++passi) {
        if (r.FaseTavolo == R::TurnoGiocatore) {
            // Draw below five, then stand.
            if (r.PuntiManoGiocatore < 50 && t->NuovaCarta->Stato() == 1) {
                t->NuovaCartaClick();
                continue;
            }
            t->Timer3Timer();
            if (t->Stop->Stato() == 1) t->StopClick();
            continue;
        }
        t->Timer3Timer();
        if (r.FaseTavolo == R::ManoDecisa && t->NuovoTurno->Stato() == 1) {
            t->NuovoTurnoClick();
            ++mani;
        }
    }
    ASSERT_EQ(r.FaseTavolo, R::PartitaFinita);

    const auto righe = Righe("settemezzo");
    ASSERT_EQ(righe.size(), static_cast<std::size_t>(mani) + 1) << "every deal and the result";
    for (int k = 0; k < mani; ++k) {
        const QJsonObject& o = righe[k];
        EXPECT_EQ(o["deal"].toInt(), k + 1);
        EXPECT_EQ(OgniCartaUnaVolta({Carte(o["player"]), Carte(o["computer"])}, -1), "") << "deal " << k + 1;
        EXPECT_FALSE(Carte(o["player"]).empty()) << "deal " << k + 1 << ": the player holds a card";
        const auto punti = Carte(o["scores"]);
        EXPECT_EQ(punti[0] + punti[1], 20) << "deal " << k + 1;
    }
    const QJsonObject& fine = righe.back();
    EXPECT_EQ(fine["event"].toString(), "result");
    EXPECT_EQ(fine["deals"].toInt(), mani);
    const int vincitore = fine["winner"].toInt();
    EXPECT_EQ(Carte(fine["scores"])[vincitore - 1], 20);
    EXPECT_EQ(LeggiRecord("PunteggiSettemezzo.txt").vinte, vincitore == 1 ? 1 : 0);
}

TEST_F(TracciaTavoli, NoTraceFileNoLinesAndAnUnwritableOneStopsTheTraceQuietly)
{
    ImpostaFileTraccia(std::nullopt);
    FormBriscola->NuovaPartitaClick();
    FormBriscola->Image4DblClick();
    FormBriscola->Timer1Timer();
    FormBriscola->Timer2Timer();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(percorso_)));

    ImpostaFileTraccia(cartella_.path().toStdString() + "/no/such/folder/traccia.jsonl");
    FormBriscola->NuovaPartitaClick();
    for (int k = 0; k < 6; ++k) {
        FormBriscola->Image4DblClick();
        FormBriscola->Timer1Timer();
        FormBriscola->Timer2Timer();
    }
    EXPECT_FALSE(TracciaAttiva()) << "the trace is off once its file cannot be opened";
}

// ---------------------------------------------------------------- the run seed

// The first deal of each table as the player sees it, after "Nuova Partita".
struct PrimeCarte {
    std::vector<int> scopa, briscola, rubamazzo, settemezzo;
    bool operator==(const PrimeCarte&) const = default;
};

class SemeDellaCorsaTavoli : public FinestreDiProva {
protected:
    void TearDown() override
    {
        ImpostaSemeDellaCorsa(std::nullopt);
        FinestreDiProva::TearDown();
    }
    // A new run of the program with CARTOVIA_SEED=seme: fresh windows and every game's
    // sequence of seeds from its start. The tables are opened in the order given.
    PrimeCarte Corsa(std::uint32_t seme, const std::vector<int>& ordine)
    {
        DistruggiFinestre();
        ImpostaSemeDellaCorsa(seme);
        CreaFinestre();
        PrimeCarte p;
        for (int tavolo : ordine) {
            switch (tavolo) {
            case 0: {
                FormScopa->NuovaPartitaClick();
                const auto& m = FormScopa->Motore;
                p.scopa.assign(m.CarteMazzo + 1, m.CarteMazzo + 41);
                break;
            }
            case 1: {
                FormBriscola->NuovaPartitaClick();
                const auto& r = FormBriscola->Regole;
                for (int k = 1; k <= 40; ++k) p.briscola.push_back(r.Carta(k));
                // A trick played: the next table must not see a deck moved on by it.
                FormBriscola->Image4DblClick();
                FormBriscola->Timer1Timer();
                FormBriscola->Timer2Timer();
                break;
            }
            case 2: {
                FormRubamazzo->NuovaPartitaClick();
                const auto& r = FormRubamazzo->Regole;
                for (int k = 1; k <= 40; ++k) p.rubamazzo.push_back(r.Carta(k));
                break;
            }
            default: {
                FormSettemezzo->NuovaPartitaClick();
                const auto& r = FormSettemezzo->Regole;
                p.settemezzo.assign(r.TabellaCarte + 1, r.TabellaCarte + 41);
                FormSettemezzo->NuovaCartaClick();
                break;
            }
            }
        }
        return p;
    }
};

TEST_F(SemeDellaCorsaTavoli, Seed7DealsTheSameFirstCardsOnEveryTableOnEveryRun)
{
    const PrimeCarte prima = Corsa(7, {0, 1, 2, 3});
    for (const auto* v : {&prima.scopa, &prima.briscola, &prima.rubamazzo, &prima.settemezzo}) {
        ASSERT_EQ(v->size(), 40u);
        EXPECT_EQ(std::set<int>(v->begin(), v->end()).size(), 40u) << "a whole deck";
    }
    EXPECT_EQ(Corsa(7, {0, 1, 2, 3}), prima) << "the same run again";
    EXPECT_EQ(Corsa(7, {3, 2, 1, 0}), prima) << "the tables opened the other way round";
    // A table opened again in the same run deals on: its second game is another deal.
    PrimeCarte seconda = Corsa(7, {1});
    FormBriscola->NuovaPartitaClick();
    std::vector<int> dopo;
    for (int k = 1; k <= 40; ++k) dopo.push_back(FormBriscola->Regole.Carta(k));
    EXPECT_EQ(seconda.briscola, prima.briscola);
    EXPECT_NE(dopo, prima.briscola);

    const PrimeCarte altra = Corsa(8, {0, 1, 2, 3});
    EXPECT_NE(altra.scopa, prima.scopa);
    EXPECT_NE(altra.briscola, prima.briscola);
    EXPECT_NE(altra.rubamazzo, prima.rubamazzo);
    EXPECT_NE(altra.settemezzo, prima.settemezzo);
}

TEST_F(SemeDellaCorsaTavoli, WithoutASeedTwoNewGamesAtOnceDealDifferentCards)
{
    DistruggiFinestre();
    ImpostaSemeDellaCorsa(std::nullopt);
    CreaFinestre();
    FormScopa->NuovaPartitaClick();
    const std::vector<int> a(FormScopa->Motore.CarteMazzo + 1, FormScopa->Motore.CarteMazzo + 41);
    FormScopa->NuovaPartitaClick();
    const std::vector<int> b(FormScopa->Motore.CarteMazzo + 1, FormScopa->Motore.CarteMazzo + 41);
    EXPECT_NE(a, b) << "two \"Nuova Partita\" within a millisecond";
    FormBriscola->NuovaPartitaClick();
    std::vector<int> c, d;
    for (int k = 1; k <= 40; ++k) c.push_back(FormBriscola->Regole.Carta(k));
    FormBriscola->NuovaPartitaClick();
    for (int k = 1; k <= 40; ++k) d.push_back(FormBriscola->Regole.Carta(k));
    EXPECT_NE(c, d);
}

}  // namespace

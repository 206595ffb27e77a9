// Scores window: the ranking of the game whose match page a table selected.
#include <QLabel>
#include <QStringList>
#include <fstream>
#include <string>
#include <vector>

#include "FinestreDiProva.h"
#include "scores/PunteggiFile.h"
#include "scores/TFormPunteggi.h"

namespace {

std::string Rec(const std::string& nome, int giocate, int vinte, int pari)
{
    return RecordPunteggi(ChiavePunteggi(nome), giocate, vinte, pari);
}

void Scrivi(const std::string& nome, const std::string& byte)
{
    std::ofstream(PercorsoInCartella(CartellaLavoro, nome), std::ios::binary) << byte;
}

// The ten rows as "name played won drawn".
std::vector<std::string> Righe()
{
    std::vector<std::string> out;
    for (int k = 1; k <= 10; ++k)
        out.push_back(QStringList{FormPunteggi->Giocatore[k]->text(), FormPunteggi->Giocate[k]->text(),
                                  FormPunteggi->Vinte[k]->text(), FormPunteggi->Pari[k]->text()}
                          .join(' ')
                          .toStdString());
    return out;
}

// Row k as it reads before any file is loaded.
std::string Vuota(int k) { return "Giocatore" + std::to_string(k) + " 0 0 0"; }

}  // namespace

using Punteggi = FinestreDiProva;

TEST_F(Punteggi, RankingListsTheBestShareOfWinsFirst)
{
    std::string dodici;
    for (int i = 1; i <= 12; ++i) dodici += Rec("P" + std::to_string(i), 12, i, 0);
    struct Caso { const char* cosa; std::string file; std::vector<std::string> attese; };
    const Caso casi[] = {
        {"share of wins, counters without leading zeros",
         Rec("anna", 2, 1, 0) + Rec("Bea", 3, 3, 0) + Rec("Carlo", 5, 0, 0) + Rec("Dario", 24, 12, 10),
         {"BEA 3 3 0", "ANNA 2 1 0", "DARIO 24 12 10", "CARLO 5 0 0"}},
        {"twelve records show the best ten", dodici,
         {"P12 12 12 0", "P11 12 11 0", "P10 12 10 0", "P9 12 9 0", "P8 12 8 0", "P7 12 7 0", "P6 12 6 0",
          "P5 12 5 0", "P4 12 4 0", "P3 12 3 0"}},
        {"nothing played ranks with ratio 0", Rec("Mai", 0, 0, 0) + Rec("Uno", 1, 1, 0), {"UNO 1 1 0", "MAI 0 0 0"}},
        {"no score file", "", {}},
    };
    for (const auto& k : casi) {
        if (!k.file.empty()) Scrivi(FileBriscola.corrente, k.file);
        FormPunteggi->PunteggiPartita->setCurrentWidget(FormPunteggi->PunteggiBriscola);
        ApriFinestra(FinestraPunteggi);
        std::vector<std::string> attese = k.attese;
        for (int r = int(attese.size()) + 1; r <= 10; ++r) attese.push_back(Vuota(r));
        EXPECT_EQ(Righe(), attese) << k.cosa;
        FormPunteggi->ChiudiClick();
        std::remove(PercorsoInCartella(CartellaLavoro, FileBriscola.corrente).c_str());
    }
}

TEST_F(Punteggi, EachTablesPageShowsThatGameAndReloadsOnEveryOpening)
{
    Scrivi("\\PunteggiScopa.txt", Rec("Scopa", 1, 1, 0));
    Scrivi("\\PunteggiBriscola.txt", Rec("Briscola", 1, 1, 0));
    Scrivi("\\PunteggiRubamazzo.txt", Rec("Rubamazzo", 1, 1, 0));  // other letter case on disk
    Scrivi("\\Punteggisettemezzo.txt", Rec("Settemezzo", 1, 1, 0));
    struct Caso { int tavolo; QWidget* pagina; QString primo; };
    const Caso casi[] = {
        {FinestraScopa, FormPunteggi->PunteggiScopa, "SCOPA"},
        {FinestraBriscola, FormPunteggi->PunteggiBriscola, "BRISCOLA"},
        {FinestraRubamazzo, FormPunteggi->PunteggiRubaMazzo, "RUBAMAZZO"},
        {FinestraSettemezzo, FormPunteggi->PunteggiSettemezzo, "SETTEMEZZO"},
    };
    for (const auto& k : casi) {
        ApriFinestra(k.tavolo);
        FormPunteggi->PunteggiPartita->setCurrentWidget(k.pagina);
        ApriFinestra(FinestraPunteggi);
        EXPECT_EQ(FormPunteggi->Giocatore[1]->text(), k.primo) << "scores opened from the " << k.primo.toStdString() << " table";
        EXPECT_EQ(FormPunteggi->Giocatore[2]->text(), "Giocatore2");
        FormPunteggi->ChiudiClick();
        EXPECT_FALSE(FormPunteggi->isVisible()) << "Chiudi must go back to the table";
        TornaIndietro();
    }

    // A match recorded between two openings shows up at the next one.
    RegistraPartitaGiocata(FileScopa, CartellaLavoro, "Zoe");
    RegistraPartitaGiocata(FileScopa, CartellaLavoro, "Zoe");
    FormPunteggi->PunteggiPartita->setCurrentWidget(FormPunteggi->PunteggiScopa);
    ApriFinestra(FinestraPunteggi);
    const auto righe = Righe();
    EXPECT_EQ(std::vector<std::string>(righe.begin(), righe.begin() + 3),
              (std::vector<std::string>{"SCOPA 1 1 0", "ZOE 2 0 0", Vuota(3)}));
}

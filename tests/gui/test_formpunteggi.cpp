// Scores window: the ranking of the game whose match page a table selected.
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStringList>
#include <fstream>
#include <string>
#include <vector>

#include "FinestreDiProva.h"
#include "games/comune/Accessibilita.h"
#include "scores/PunteggiFile.h"
#include "components/VelmoBottone.h"
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

TEST_F(Punteggi, RankingReadsAsATableOfRowsWithColumnHeadersAndTheArrowsMoveItsRow)
{
    Scrivi(FileBriscola.corrente, Rec("Anna", 4, 3, 1) + Rec("Bruno", 2, 0, 0));
    TFormPunteggi* f = FormPunteggi;
    f->PunteggiPartita->setCurrentWidget(f->PunteggiBriscola);
    ApriFinestra(FinestraPunteggi);
    std::vector<QObject*> focus;  // the objects a reader is told have the focus
    ImpostaOsservatoreAnnunci([&](QAccessibleEvent* e) {
        if (e->type() == QAccessible::Focus) focus.push_back(e->object());
    });

    QAccessibleInterface* t = QAccessible::queryAccessibleInterface(f->Classifica);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->role(), QAccessible::Table);
    QAccessibleTableInterface* tabella = t->tableInterface();
    ASSERT_NE(tabella, nullptr);
    EXPECT_EQ(tabella->rowCount(), 10);
    EXPECT_EQ(tabella->columnCount(), 4);
    EXPECT_EQ(t->childCount(), 40) << "the cells are the table's only children";
    const QStringList testate{"Nome", "Giocate", "Vinte", "Pari"};
    const QStringList prime{"ANNA", "4", "3", "1"};
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 4; ++c) {
            QAccessibleInterface* cella = tabella->cellAt(r, c);
            ASSERT_NE(cella, nullptr) << r << "," << c;
            QLabel* const etichette[] = {f->Giocatore[r + 1], f->Giocate[r + 1], f->Vinte[r + 1], f->Pari[r + 1]};
            EXPECT_EQ(cella->object(), etichette[c]) << r << "," << c;
            EXPECT_EQ(cella->role(), QAccessible::Cell);
            EXPECT_EQ(cella->text(QAccessible::Name), etichette[c]->text()) << r << "," << c;
            QAccessibleTableCellInterface* ci = cella->tableCellInterface();
            ASSERT_NE(ci, nullptr);
            EXPECT_EQ(ci->rowIndex(), r);
            EXPECT_EQ(ci->columnIndex(), c);
            EXPECT_EQ(t->child(t->indexOfChild(cella)), cella) << "child and index agree at " << r << "," << c;
            EXPECT_EQ(cella->parent(), t);
            const QList<QAccessibleInterface*> testata = ci->columnHeaderCells();
            ASSERT_EQ(testata.size(), 1);
            EXPECT_EQ(testata[0]->text(QAccessible::Name), testate[c]) << "cells are read with their column's caption";
            EXPECT_EQ(tabella->columnDescription(c), testate[c]);
        }
    for (int c = 0; c < 4; ++c) EXPECT_EQ(tabella->cellAt(0, c)->text(QAccessible::Name), prime[c]);
    EXPECT_EQ(tabella->cellAt(1, 0)->text(QAccessible::Name), "BRUNO");
    EXPECT_EQ(tabella->cellAt(2, 0)->text(QAccessible::Name), "Giocatore3");
    EXPECT_EQ(tabella->cellAt(10, 0), nullptr);
    EXPECT_EQ(t->child(40), nullptr);

    // The window opens on row 1: its name cell is the focused object, and only it.
    auto focalizzate = [&] {
        std::vector<std::pair<int, int>> out;
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 4; ++c)
                if (tabella->cellAt(r, c)->state().focused) out.emplace_back(r, c);
        return out;
    };
    auto tasto = [&](int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(f->focusWidget() ? f->focusWidget() : f, &e);
    };
    EXPECT_EQ(f->focusWidget(), f->Classifica);
    EXPECT_EQ(f->RigaInFocus(), 1);
    EXPECT_EQ(focalizzate(), (std::vector<std::pair<int, int>>{{0, 0}}));
    EXPECT_EQ(t->focusChild(), tabella->cellAt(0, 0));
    f->AnnunciaRiga();  // what runs once the table has taken the focus
    EXPECT_EQ(focus, (std::vector<QObject*>{f->Giocatore[1]}));

    // The arrows move the cell and tell a reader; past either end nothing moves.
    struct Passo {
        int tasto;
        int riga, colonna;
        bool detto;
    };
    std::vector<Passo> passi{{Qt::Key_Up, 1, 0, false},   {Qt::Key_Left, 1, 0, false}, {Qt::Key_Down, 2, 0, true},
                             {Qt::Key_Right, 2, 1, true}, {Qt::Key_Right, 2, 2, true}, {Qt::Key_Right, 2, 3, true},
                             {Qt::Key_Right, 2, 3, false}, {Qt::Key_Up, 1, 3, true},   {Qt::Key_Left, 1, 2, true},
                             {Qt::Key_Down, 2, 2, true}};
    for (int k = 3; k <= 10; ++k) passi.push_back({Qt::Key_Down, k, 2, true});
    passi.push_back({Qt::Key_Down, 10, 2, false});
    for (const Passo& p : passi) {
        focus.clear();
        tasto(p.tasto);
        EXPECT_EQ(f->RigaInFocus(), p.riga);
        EXPECT_EQ(f->ColonnaInFocus(), p.colonna);
        EXPECT_EQ(focalizzate(), (std::vector<std::pair<int, int>>{{p.riga - 1, p.colonna}})) << p.riga;
        EXPECT_EQ(t->focusChild(), tabella->cellAt(p.riga - 1, p.colonna));
        const std::vector<QObject*> atteso{tabella->cellAt(p.riga - 1, p.colonna)->object()};
        EXPECT_EQ(focus, p.detto ? atteso : std::vector<QObject*>{}) << p.riga << "," << p.colonna;
    }
    EXPECT_TRUE(f->isVisible()) << "the arrows do not close the window";

    // Elsewhere (Tab to the close button) no cell is focused; an arrow comes back to the row.
    f->Chiudi->setFocus();
    EXPECT_EQ(f->RigaInFocus(), 0);
    EXPECT_TRUE(focalizzate().empty());
    focus.clear();
    f->AnnunciaRiga();
    EXPECT_TRUE(focus.empty()) << "nothing is said for a table without the focus";
    tasto(Qt::Key_Up);
    EXPECT_EQ(f->RigaInFocus(), 10);

    // The window opened again starts on its first row's name.
    f->ChiudiClick();
    ApriFinestra(FinestraPunteggi);
    EXPECT_EQ(f->RigaInFocus(), 1);
    EXPECT_EQ(f->ColonnaInFocus(), 0);
    ImpostaOsservatoreAnnunci({});
    std::remove(PercorsoInCartella(CartellaLavoro, FileBriscola.corrente).c_str());
}

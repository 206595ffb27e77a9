#include "scores/TFormPunteggi.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "app/Finestre.h"
#include "components/EtichettaNome.h"
#include "components/Immagini.h"
#include "components/VelmoBottone.h"
#include "core/Globali.h"
#include "games/comune/Accessibilita.h"
#include "resources/Risorse.h"
#include "scores/PunteggiFile.h"

namespace {

// Colours of the text and of what the window paints behind it.
struct Tavolozza {
    QColor testo;    // captions, names, plain figures
    QColor valore;   // headings of columns, the figures that matter
    QColor tenue;    // ranking places
    QColor filetto;  // rules under the headings
    QColor fascia;   // every other ranking row
};
// Dark ink on the parchment of the background picture.
const Tavolozza SuPergamena{QColor(58, 36, 20), QColor(122, 30, 34), QColor(58, 36, 20, 150),
                            QColor(122, 30, 34, 120), QColor(122, 30, 34, 22)};
// Light text on the plain green used when the picture is missing.
const Tavolozza SuVerde{QColor(255, 248, 220), QColor(255, 212, 105), QColor(255, 248, 220, 140),
                        QColor(255, 212, 105, 110), QColor(255, 248, 220, 22)};

// The two halves, where the background picture has its panels; the page controls lie on them.
const QRect RiquadroPartita(36, 36, 352, 528);
const QRect RiquadroStorico(412, 36, 352, 528);

// Scopa page, in page coordinates: caption, player and computer columns, and the rows.
constexpr int XDidascalia = 12, XG = 122, XC = 232, LV = 108;
constexpr int PrimaRigaScopa = 82, PassoScopa = 34, StaccoPunti = 16;
// Ranking rows, in page coordinates: row k sits 40 pixels below row k - 1.
constexpr int PrimaRiga = 84, PassoRiga = 40, AltezzaRiga = 32;
// Columns of the ranking page: place (painted), name, played, won, drawn.
constexpr int XNome = 40, LargNome = 132, XGiocate = 172, LargGiocate = 70, XVinte = 242, LargVinte = 52, XPari = 294,
              LPari = 50;
// Headings and the rule under the column captions.
constexpr int YDidascalie = 50, YFiletto = 76;

QLabel* Etichetta(QWidget* genitore, const QString& nome, const QString& testo, const QRect& r, int punti,
                  bool grassetto, const QColor& colore, Qt::Alignment allineamento = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = new QLabel(testo, genitore);
    l->setObjectName(nome);
    l->setGeometry(r);
    QFont f = l->font();
    f.setPointSize(punti);
    f.setBold(grassetto);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colore);
    l->setPalette(pal);
    l->setAlignment(allineamento);
    return l;
}

QString TestoNome(const std::string& campo)
{
    // The stored field is padded with spaces to 30 bytes; the padding is not part of the name.
    const std::size_t fine = campo.find_last_not_of(' ');
    return QString::fromUtf8(campo.substr(0, fine == std::string::npos ? 0 : fine + 1));
}

// The ranking as a screen reader reads it: a table of the ten rows by the four columns (name,
// played, won, drawn), each cell one of the row labels, headed by the column captions.
constexpr int ColonneClassifica = 4;

TFormPunteggi* FinestraDi(const QObject* o)
{
    for (QObject* p = o ? o->parent() : nullptr; p; p = p->parent())
        if (auto* f = qobject_cast<TFormPunteggi*>(p)) return f;
    return nullptr;
}

QLabel* CellaDi(const TFormPunteggi* f, int riga, int colonna)
{
    if (!f || riga < 0 || riga >= 10 || colonna < 0 || colonna >= ColonneClassifica) return nullptr;
    QLabel* const* colonne[] = {f->Giocatore, f->Giocate, f->Vinte, f->Pari};
    return colonne[colonna][riga + 1];
}

QLabel* TestataDi(const TFormPunteggi* f, int colonna)
{
    if (!f || colonna < 0 || colonna >= ColonneClassifica) return nullptr;
    QLabel* const testate[] = {f->LNome, f->LGiocate, f->LVinte, f->Parita};
    return testate[colonna];
}

class CellaClassifica : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    explicit CellaClassifica(QWidget* w) : QAccessibleWidget(w, QAccessible::Cell) {}
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const TFormPunteggi* f = FinestraDi(widget());
        s.focusable = true;
        s.focused = f && f->RigaInFocus() == rowIndex() + 1 && f->ColonnaInFocus() == columnIndex();
        return s;
    }
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        QLabel* t = TestataDi(FinestraDi(widget()), columnIndex());
        if (!t) return {};
        return {QAccessible::queryAccessibleInterface(t)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return Posto().second; }
    int rowIndex() const override { return Posto().first; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return QAccessibleWidget::parent(); }

private:
    std::pair<int, int> Posto() const
    {
        const TFormPunteggi* f = FinestraDi(widget());
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < ColonneClassifica; ++c)
                if (CellaDi(f, r, c) == widget()) return {r, c};
        return {-1, -1};
    }
};

class TabellaClassifica : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TabellaClassifica(QWidget* w) : QAccessibleWidget(w, QAccessible::Table) {}
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) return QStringLiteral("Punteggi");
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int i) const override
    {
        if (i < 0 || i >= childCount()) return nullptr;
        return cellAt(i / ColonneClassifica, i % ColonneClassifica);
    }
    int indexOfChild(const QAccessibleInterface* c) const override
    {
        if (QAccessibleTableCellInterface* cella = c ? const_cast<QAccessibleInterface*>(c)->tableCellInterface() : nullptr)
            if (cella->rowIndex() >= 0) return cella->rowIndex() * ColonneClassifica + cella->columnIndex();
        return -1;
    }
    QAccessibleInterface* focusChild() const override
    {
        const TFormPunteggi* f = Finestra();
        return f && f->RigaInFocus() ? cellAt(f->RigaInFocus() - 1, f->ColonnaInFocus()) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        QLabel* l = CellaDi(Finestra(), row, column);
        return l ? QAccessible::queryAccessibleInterface(l) : nullptr;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override
    {
        const QLabel* t = TestataDi(Finestra(), column);
        return t ? t->text() : QString();
    }
    // Row k's place, as the window paints it beside the row.
    QString rowDescription(int row) const override { return QString::number(row + 1); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return ColonneClassifica; }
    int rowCount() const override { return Finestra() ? 10 : 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    const TFormPunteggi* Finestra() const { return FinestraDi(widget()); }
};

QAccessibleInterface* FabbricaClassifica(const QString& classe, QObject* o)
{
    if (!o || !o->isWidgetType()) return nullptr;
    auto* w = static_cast<QWidget*>(o);
    if (classe == QLatin1String("QWidget") && o->objectName() == QLatin1String("Classifica") && FinestraDi(o))
        return new TabellaClassifica(w);
    if ((classe == QLatin1String("QLabel") || classe == QLatin1String("EtichettaNome")) && o->parent()
        && o->parent()->objectName() == QLatin1String("Classifica") && FinestraDi(o))
        return new CellaClassifica(w);
    return nullptr;
}

}  // namespace

TFormPunteggi::TFormPunteggi(QWidget* parent) : TFinestra(800, 600, parent)
{
    setWindowTitle("Punteggi");
    static const bool fabbrica = (QAccessible::installFactory(FabbricaClassifica), true);
    (void)fabbrica;
    ImpostaSfondo(QString::fromLatin1(Risorse::SfondoPunteggi));
    // A missing picture leaves a painted colour behind the panels, with text to match.
    // The background itself is decoded when the window is first drawn.
    const Tavolozza& c = Immagini::Disponibile(QString::fromLatin1(Risorse::SfondoPunteggi)) ? SuPergamena : SuVerde;
    testo_ = c.testo;
    valore_ = c.valore;

    PunteggiPartita = new QStackedWidget(this);
    PunteggiPartita->setObjectName("PunteggiPartita");
    PunteggiPartita->setGeometry(RiquadroPartita);
    CreaPaginaScopa();
    PunteggiBriscola = CreaPaginaDuePunteggi("PunteggiBriscola", PuntiBriscolaGiocatore, "PuntiBriscolaGiocatore",
                                             PuntiBriscolaComputer, "PuntiBriscolaComputer");
    PunteggiRubaMazzo = CreaPaginaDuePunteggi("PunteggiRubaMazzo", PuntiRubaMazzoG, "PuntiRubaMazzoG", PuntiRubaMazzoC,
                                              "PuntiRubaMazzoC");
    PunteggiSettemezzo = CreaPaginaDuePunteggi("PunteggiSettemezzo", PuntiSettemezzoG, "PuntiSettemezzoG",
                                               PuntiSettemezzoC, "PuntiSettemezzoC");
    UltimaManoSettemezzo = Etichetta(PunteggiSettemezzo, "UltimaManoSettemezzo", "", QRect(XDidascalia, 250, 328, 60),
                                     13, false, testo_);
    UltimaManoSettemezzo->setWordWrap(true);
    EsitoSettemezzo = Etichetta(PunteggiSettemezzo, "EsitoSettemezzo", "", QRect(XDidascalia, 320, 328, 60), 15, true,
                                valore_);
    EsitoSettemezzo->setWordWrap(true);
    PunteggiPartita->setCurrentWidget(PunteggiScopa);

    PunteggiStorico = new QStackedWidget(this);
    PunteggiStorico->setObjectName("PunteggiStorico");
    PunteggiStorico->setGeometry(RiquadroStorico);
    CreaClassifica();

    // A table may switch pages while the window is already in view (a match ending under
    // the configuration window): the ranking follows the page.
    connect(PunteggiPartita, &QStackedWidget::currentChanged, this, [this] {
        update();  // the rules painted behind the page depend on it
        if (isVisible()) FormActivate();
    });
}

void TFormPunteggi::CreaPaginaScopa()
{
    using T = TFormPunteggi;
    PunteggiScopa = new QWidget;
    PunteggiScopa->setObjectName("PunteggiScopa");
    PunteggiPartita->addWidget(PunteggiScopa);
    QWidget* p = PunteggiScopa;

    Etichetta(p, "TitoloScopa", "Dati partita giocata", QRect(12, 8, 328, 36), 18, true, testo_);
    LGiocatore = Etichetta(p, "LGiocatore", "Giocatore", QRect(XG, YDidascalie, LV, 24), 11, true, valore_,
                           Qt::AlignCenter);
    LComputer = Etichetta(p, "LComputer", "Computer", QRect(XC, YDidascalie, LV, 24), 11, true, valore_,
                          Qt::AlignCenter);

    // The first eight rows: a caption, the player's and the computer's value and a hidden
    // winner. Two rows have no caption: they list the Denari and the primiera cards held.
    struct Riga {
        const char* didascalia;
        QLabel* T::*g;
        const char* nomeG;
        QLabel* T::*c;
        const char* nomeC;
        QLabel* T::*v;
        const char* nomeV;
    };
    const Riga righe[] = {
        {"Scope", &T::Label1, "Label1", &T::Label2, "Label2", &T::Label3, "Label3"},
        {"Carte", &T::Label4, "Label4", &T::Label5, "Label5", &T::Label6, "Label6"},
        {"Denari", &T::Label7, "Label7", &T::Label8, "Label8", &T::Label9, "Label9"},
        {"", &T::Label25, "Label25", &T::Label26, "Label26", nullptr, nullptr},
        {"Settebello", &T::Label10, "Label10", &T::Label11, "Label11", &T::Label12, "Label12"},
        {"Napoli", &T::Label13, "Label13", &T::Label14, "Label14", &T::Label15, "Label15"},
        {"Primiera", &T::Label16, "Label16", &T::Label17, "Label17", &T::Label18, "Label18"},
        {"", &T::Label27, "Label27", &T::Label28, "Label28", nullptr, nullptr},
    };
    int y = PrimaRigaScopa;
    int n = 0;
    for (const Riga& r : righe) {
        const QString didascalia = QString("Didascalia%1").arg(++n);
        Etichetta(p, didascalia, r.didascalia, QRect(XDidascalia, y, XG - XDidascalia, 30), 11, false, testo_);
        const bool elenco = r.v == nullptr;
        // Card lists ("01 02 03 ...") are long: smaller type, wrapped over two lines.
        const int punti = elenco ? 9 : 13;
        const QString iniziale = elenco ? "" : "0";
        this->*r.g = Etichetta(p, r.nomeG, iniziale, QRect(XG, y - 2, LV, 34), punti, !elenco, valore_, Qt::AlignCenter);
        this->*r.c = Etichetta(p, r.nomeC, iniziale, QRect(XC, y - 2, LV, 34), punti, !elenco, valore_, Qt::AlignCenter);
        if (elenco) {
            (this->*r.g)->setWordWrap(true);
            (this->*r.c)->setWordWrap(true);
        } else {
            (this->*r.v = Etichetta(p, r.nomeV, "0", QRect(XC, y, LV, 30), 8, false, testo_))->hide();
        }
        y += PassoScopa;
    }

    // Hand and game points: one value per row, set apart from the rows above.
    struct RigaPunti {
        const char* didascalia;
        QLabel* T::*l;
        const char* nome;
    };
    const RigaPunti punti[] = {
        {"Punteggio Mano Giocatore", &T::Label29, "Label29"},
        {"Punteggio Mano Computer", &T::Label30, "Label30"},
        {"Punteggio Totale Giocatore", &T::Label37, "Label37"},
        {"Punteggio Totale Computer", &T::Label38, "Label38"},
    };
    y += StaccoPunti;
    for (const RigaPunti& r : punti) {
        const QString didascalia = QString("Didascalia%1").arg(++n);
        Etichetta(p, didascalia, r.didascalia, QRect(XDidascalia, y, XC - XDidascalia, 30), 11, false, testo_);
        this->*r.l = Etichetta(p, r.nome, "0", QRect(XC, y - 2, LV, 34), 14, true, valore_, Qt::AlignCenter);
        y += PassoScopa;
    }
}

QWidget* TFormPunteggi::CreaPaginaDuePunteggi(const char* nome, QLabel*& giocatore, const char* nomeG,
                                              QLabel*& computer, const char* nomeC)
{
    auto* p = new QWidget;
    p->setObjectName(nome);
    PunteggiPartita->addWidget(p);
    const QString prefisso = QString::fromLatin1(nome);
    Etichetta(p, "Titolo" + prefisso, "Dati partita giocata", QRect(12, 8, 328, 36), 18, true, testo_);
    Etichetta(p, "Didascalia" + prefisso + "G", "Punteggio Giocatore", QRect(XDidascalia, 96, 204, 56), 14, false,
              testo_);
    giocatore = Etichetta(p, nomeG, "00", QRect(XC, 96, LV, 56), 30, true, valore_, Qt::AlignCenter);
    Etichetta(p, "Didascalia" + prefisso + "C", "Punteggio Computer", QRect(XDidascalia, 168, 204, 56), 14, false,
              testo_);
    computer = Etichetta(p, nomeC, "00", QRect(XC, 168, LV, 56), 30, true, valore_, Qt::AlignCenter);
    return p;
}

void TFormPunteggi::CreaClassifica()
{
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName("TabSheet3");
    PunteggiStorico->addWidget(TabSheet3);
    QWidget* p = TabSheet3;

    Etichetta(p, "TitoloPunteggi", "Punteggi", QRect(12, 8, 328, 36), 18, true, testo_);
    LNome = Etichetta(p, "LNome", "Nome", QRect(XNome, YDidascalie, LargNome, 24), 11, true, valore_);
    LGiocate = Etichetta(p, "LGiocate", "Giocate", QRect(XGiocate, YDidascalie, LargGiocate, 24), 11, true, valore_,
                         Qt::AlignCenter);
    LVinte = Etichetta(p, "LVinte", "Vinte", QRect(XVinte, YDidascalie, LargVinte, 24), 11, true, valore_, Qt::AlignCenter);
    Parita = Etichetta(p, "Parita", "Pari", QRect(XPari, YDidascalie, LPari, 24), 11, true, valore_, Qt::AlignCenter);

    // The rows lie on a see-through control of their own: it takes the keyboard's focus and
    // is the table a screen reader reads (its labels are the cells).
    Classifica = new QWidget(p);
    Classifica->setObjectName("Classifica");
    Classifica->setGeometry(0, PrimaRiga, RiquadroStorico.width(), 9 * PassoRiga + AltezzaRiga);
    Classifica->setFocusPolicy(Qt::StrongFocus);
    Classifica->installEventFilter(this);
    for (int k = 1; k <= 10; ++k) {
        const int y = (k - 1) * PassoRiga;
        auto* nome = new EtichettaNome(Classifica);
        nome->setGeometry(XNome, y, LargNome, AltezzaRiga);
        Giocatore[k] = nome;
        QFont f = nome->font();
        f.setPointSize(11);
        f.setBold(true);
        nome->setFont(f);
        QPalette pal = nome->palette();
        pal.setColor(QPalette::WindowText, testo_);
        nome->setPalette(pal);
        nome->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        nome->setObjectName(QString("Giocatore%1").arg(k));
        Giocate[k] = Etichetta(Classifica, QString("Giocate%1").arg(k), "", QRect(XGiocate, y, LargGiocate, AltezzaRiga),
                               12, false, testo_, Qt::AlignCenter);
        Vinte[k] = Etichetta(Classifica, QString("Vinte%1").arg(k), "", QRect(XVinte, y, LargVinte, AltezzaRiga), 12, true,
                             valore_, Qt::AlignCenter);
        Pari[k] = Etichetta(Classifica, QString("Pari%1").arg(k), "", QRect(XPari, y, LPari, AltezzaRiga), 12, false,
                            testo_, Qt::AlignCenter);
    }
    TimerRiga = new QTimer(this);
    TimerRiga->setSingleShot(true);
    TimerRiga->setInterval(0);
    connect(TimerRiga, &QTimer::timeout, this, &TFormPunteggi::AnnunciaRiga);
    AzzeraTabella();

    Chiudi = new VelmoBottone(p);
    Chiudi->setObjectName("Chiudi");
    Chiudi->setGeometry((RiquadroStorico.width() - 145) / 2, PrimaRiga + 10 * PassoRiga - 2, 145, 38);
    const QString normale = ":/img/btn_chiudi_normale.bmp";
    Chiudi->setNormaleDaRisorsa(normale);
    Chiudi->setAttivoDaRisorsa(":/img/btn_chiudi_attivo.bmp");
    if (!Immagini::Disponibile(normale)) {
        // Without its picture the button still reads as one: caption and frame.
        QFont f = Chiudi->font();
        f.setPointSize(12);
        f.setBold(true);
        Chiudi->setFont(f);
        QPalette pal = Chiudi->palette();
        pal.setColor(QPalette::WindowText, testo_);
        Chiudi->setPalette(pal);
        Chiudi->setDistanzaOmbra(0);
        Chiudi->setCaption("Chiudi");
    } else {
        Chiudi->setBordo(0);
        Chiudi->setDistanzaOmbra(0);
    }
    connect(Chiudi, &VelmoBottone::Click, this, &TFormPunteggi::ChiudiClick);
    Chiudi->setAccessibleName("Chiudi");
    Chiudi->setAccessibleDescription("Tasto Invio o Esc");
}

std::string TFormPunteggi::FileDellaPagina() const
{
    QWidget* pagina = PunteggiPartita->currentWidget();
    if (pagina == PunteggiBriscola) return FileBriscola.corrente;
    if (pagina == PunteggiRubaMazzo) return FileRubaMazzo.corrente;
    if (pagina == PunteggiSettemezzo) return FileSettemezzo.corrente;
    return FileScopa.corrente;
}

void TFormPunteggi::FormActivate() { CaricaPunteggi(FileDellaPagina()); }

void TFormPunteggi::AzzeraTabella()
{
    for (int k = 1; k <= 10; ++k) {
        Giocatore[k]->setText(QString("Giocatore%1").arg(k));
        Giocatore[k]->setToolTip(QString());
        Giocate[k]->setText("0");
        Vinte[k]->setText("0");
        Pari[k]->setText("0");
    }
}

int TFormPunteggi::RigaInFocus() const { return focusWidget() == Classifica ? riga_ : 0; }

void TFormPunteggi::VaiACella(int riga, int colonna)
{
    const int primaR = riga_, primaC = colonna_;
    riga_ = std::clamp(riga, 1, 10);
    colonna_ = std::clamp(colonna, 0, ColonneClassifica - 1);
    if ((riga_ != primaR || colonna_ != primaC) && RigaInFocus()) AnnunciaRiga();
}

void TFormPunteggi::AnnunciaRiga()
{
    TimerRiga->stop();
    if (!RigaInFocus()) return;
    // The table itself holds Qt's focus; a reader is told the cell, as item views tell theirs.
    QAccessibleEvent focus(CellaDi(this, riga_ - 1, colonna_), QAccessible::Focus);
    InviaEventoAccessibile(&focus);
}

bool TFormPunteggi::eventFilter(QObject* o, QEvent* e)
{
    // Qt announces the table when it takes the focus; the cell follows once that is done.
    if (o == Classifica && e->type() == QEvent::FocusIn) TimerRiga->start();
    return TFinestra::eventFilter(o, e);
}

void TFormPunteggi::CaricaPunteggi(const std::string& nomeFile)
{
    AzzeraTabella();
    std::vector<VocePunteggio> voci = LeggiPunteggi(CartellaLavoro, nomeFile);
    OrdinaPerRapporto(voci);
    for (int k = 1; k <= 10 && k <= int(voci.size()); ++k) {
        const VocePunteggio& v = voci[k - 1];
        const QString nome = TestoNome(v.Nome);
        Giocatore[k]->setText(nome);
        Giocatore[k]->setToolTip(nome);
        Giocate[k]->setText(QString::number(v.Giocate));
        Vinte[k]->setText(QString::number(v.Vinte));
        Pari[k]->setText(QString::number(v.Pari));
    }
}

void TFormPunteggi::ChiudiClick() { TornaIndietro(); }

void TFormPunteggi::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        ChiudiClick();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (!RigaInFocus()) {
            Classifica->setFocus(Qt::OtherFocusReason);
            return;
        }
        const int su = e->key() == Qt::Key_Up ? -1 : e->key() == Qt::Key_Down ? 1 : 0;
        const int destra = e->key() == Qt::Key_Left ? -1 : e->key() == Qt::Key_Right ? 1 : 0;
        VaiACella(riga_ + su, colonna_ + destra);
        return;
    }
    default:
        TFinestra::keyPressEvent(e);
    }
}

void TFormPunteggi::showEvent(QShowEvent* e)
{
    TFinestra::showEvent(e);
    FormActivate();
    // The window opens on its first row.
    riga_ = 1;
    colonna_ = 0;
    Classifica->setFocus(Qt::OtherFocusReason);
}

void TFormPunteggi::changeEvent(QEvent* e)
{
    TFinestra::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TFormPunteggi::paintEvent(QPaintEvent*)
{
    const QImage& sfondo = Sfondo();
    QPainter p(this);
    p.translate(Origine());
    p.setRenderHint(QPainter::Antialiasing);
    const bool conSfondo = !sfondo.isNull();
    const Tavolozza& c = conSfondo ? SuPergamena : SuVerde;
    if (conSfondo) {
        // The picture brings its own frame and the two panels.
        DisegnaSfondo(p);
    } else {
        // Deep table green, a little lighter at the top, and dark panels where the
        // picture would have them.
        QLinearGradient g(0, 0, 0, DimensioneBase().height());
        g.setColorAt(0, QColor(34, 92, 66));
        g.setColorAt(1, QColor(16, 52, 38));
        p.fillRect(QRect(QPoint(), DimensioneBase()), g);
        for (const QRect& r : {RiquadroPartita, RiquadroStorico}) {
            QPainterPath via;
            via.addRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
            p.fillPath(via, QColor(0, 0, 0, 110));
            p.setPen(QPen(QColor(255, 248, 220, 70), 1));
            p.drawPath(via);
        }
    }

    // Rules under the column captions and above the hand and game points of Scopa.
    p.setPen(QPen(c.filetto, 1));
    QWidget* pagina = PunteggiPartita->currentWidget();
    for (const QRect& r : {RiquadroPartita, RiquadroStorico})
        p.drawLine(r.left() + 12, r.top() + YFiletto, r.right() - 12, r.top() + YFiletto);
    if (pagina == PunteggiScopa) {
        const int y = RiquadroPartita.top() + PrimaRigaScopa + 8 * PassoScopa + StaccoPunti / 2 - 4;
        p.drawLine(RiquadroPartita.left() + 12, y, RiquadroPartita.right() - 12, y);
    }

    // Ranking: banded rows and their places.
    QFont f = font();
    f.setPointSize(10);
    f.setBold(true);
    p.setFont(f);
    for (int k = 1; k <= 10; ++k) {
        const QRect riga(RiquadroStorico.left() + 6, RiquadroStorico.top() + PrimaRiga + (k - 1) * PassoRiga - 2,
                         RiquadroStorico.width() - 12, AltezzaRiga + 4);
        if (k % 2 == 1) p.fillRect(riga, c.fascia);
        p.setPen(c.tenue);
        p.drawText(QRect(riga.left(), riga.top(), XNome - 12, riga.height()), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(k));
    }
}

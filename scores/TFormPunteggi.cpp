#include "scores/TFormPunteggi.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "app/Finestre.h"
#include "components/VelmoBottone.h"
#include "core/Globali.h"
#include "resources/Risorse.h"
#include "scores/PunteggiFile.h"

namespace {

const QColor Crema(255, 248, 220);
const QColor Oro(255, 212, 105);
const QColor Tenue(255, 248, 220, 140);

// The two halves; the page controls lie on them and the window paints their panels.
const QRect RiquadroPartita(16, 16, 376, 568);
const QRect RiquadroStorico(408, 16, 376, 568);

// Rows of the Scopa page, in page coordinates.
constexpr int PrimaRigaScopa = 88, PassoScopa = 36;
// Ranking rows, in page coordinates: row k sits 40 pixels below row k - 1.
constexpr int PrimaRiga = 92, PassoRiga = 40, AltezzaRiga = 32;
// Columns of the ranking page: rank (painted), name, played, won, drawn.
constexpr int XNome = 44, LNome = 140, XGiocate = 186, LGiocate = 74, XVinte = 262, LVinte = 52, XPari = 316,
              LPari = 48;

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

// A name of up to 30 characters in a narrow column: drawn with an ellipsis when it does
// not fit, while text() keeps the whole name (also shown as the tooltip).
class EtichettaNome : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        const QRect r = contentsRect();
        p.drawText(r, int(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, r.width()));
    }
};

QString TestoNome(const std::string& campo)
{
    // The stored field is padded with spaces to 30 bytes; the padding is not part of the name.
    const std::size_t fine = campo.find_last_not_of(' ');
    return QString::fromUtf8(campo.substr(0, fine == std::string::npos ? 0 : fine + 1));
}

}  // namespace

TFormPunteggi::TFormPunteggi(QWidget* parent) : TFinestra(800, 600, parent)
{
    setWindowTitle("Punteggi");
    // A missing picture leaves the painted colour behind the panels.
    sfondo_ = QImage(QString::fromLatin1(Risorse::SfondoPunteggi));

    PunteggiPartita = new QStackedWidget(this);
    PunteggiPartita->setObjectName("PunteggiPartita");
    PunteggiPartita->setGeometry(RiquadroPartita);
    CreaPaginaScopa();
    PunteggiBriscola = CreaPaginaDuePunteggi("PunteggiBriscola", PuntiBriscolaGiocatore, "PuntiBriscolaGiocatore",
                                             PuntiBriscolaComputer, "PuntiBriscolaComputer");
    PunteggiRubaMazzo = CreaPaginaDuePunteggi("PunteggiRubaMazzo", PuntiRubaMazzoG, "PuntiRubaMazzoG", PuntiRubaMazzoC,
                                              "PuntiRubaMazzoC");
    PunteggiSettemezzo = new QWidget;
    PunteggiSettemezzo->setObjectName("PunteggiSettemezzo");
    PunteggiPartita->addWidget(PunteggiSettemezzo);
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

    Etichetta(p, "TitoloScopa", "Dati partita giocata", QRect(12, 12, 352, 36), 18, true, Crema);
    constexpr int XG = 136, XC = 252, LV = 112;
    LGiocatore = Etichetta(p, "LGiocatore", "Giocatore", QRect(XG, 58, LV, 24), 11, true, Oro, Qt::AlignCenter);
    LComputer = Etichetta(p, "LComputer", "Computer", QRect(XC, 58, LV, 24), 11, true, Oro, Qt::AlignCenter);

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
        Etichetta(p, didascalia, r.didascalia, QRect(12, y, 120, 30), 11, false, Crema);
        const bool elenco = r.v == nullptr;
        // Card lists ("01 02 03 ...") are long: smaller type, wrapped over two lines.
        const int punti = elenco ? 9 : 13;
        const QString iniziale = elenco ? "" : "0";
        this->*r.g = Etichetta(p, r.nomeG, iniziale, QRect(XG, y - 2, LV, 34), punti, !elenco, Oro, Qt::AlignCenter);
        this->*r.c = Etichetta(p, r.nomeC, iniziale, QRect(XC, y - 2, LV, 34), punti, !elenco, Oro, Qt::AlignCenter);
        if (elenco) {
            (this->*r.g)->setWordWrap(true);
            (this->*r.c)->setWordWrap(true);
        } else {
            (this->*r.v = Etichetta(p, r.nomeV, "0", QRect(XC + LV, y, 1, 1), 8, false, Crema))->hide();
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
    y += 18;
    for (const RigaPunti& r : punti) {
        const QString didascalia = QString("Didascalia%1").arg(++n);
        Etichetta(p, didascalia, r.didascalia, QRect(12, y, 236, 30), 11, false, Crema);
        this->*r.l = Etichetta(p, r.nome, "0", QRect(XC, y - 2, LV, 34), 14, true, Oro, Qt::AlignCenter);
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
    Etichetta(p, "Titolo" + prefisso, "Dati partita giocata", QRect(12, 12, 352, 36), 18, true, Crema);
    Etichetta(p, "Didascalia" + prefisso + "G", "Punteggio Giocatore", QRect(12, 96, 220, 56), 14, false, Crema);
    giocatore = Etichetta(p, nomeG, "00", QRect(236, 96, 128, 56), 30, true, Oro, Qt::AlignCenter);
    Etichetta(p, "Didascalia" + prefisso + "C", "Punteggio Computer", QRect(12, 168, 220, 56), 14, false, Crema);
    computer = Etichetta(p, nomeC, "00", QRect(236, 168, 128, 56), 30, true, Oro, Qt::AlignCenter);
    return p;
}

void TFormPunteggi::CreaClassifica()
{
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName("TabSheet3");
    PunteggiStorico->addWidget(TabSheet3);
    QWidget* p = TabSheet3;

    Etichetta(p, "TitoloPunteggi", "Punteggi", QRect(12, 12, 352, 36), 18, true, Crema);
    Etichetta(p, "LNome", "Nome", QRect(XNome, 58, LNome, 24), 11, true, Oro);
    Etichetta(p, "LGiocate", "Giocate", QRect(XGiocate, 58, LGiocate, 24), 11, true, Oro, Qt::AlignCenter);
    Etichetta(p, "LVinte", "Vinte", QRect(XVinte, 58, LVinte, 24), 11, true, Oro, Qt::AlignCenter);
    Parita = Etichetta(p, "Parita", "Pari", QRect(XPari, 58, LPari, 24), 11, true, Oro, Qt::AlignCenter);

    for (int k = 1; k <= 10; ++k) {
        const int y = PrimaRiga + (k - 1) * PassoRiga;
        auto* nome = new EtichettaNome(p);
        nome->setGeometry(XNome, y, LNome, AltezzaRiga);
        Giocatore[k] = nome;
        QFont f = nome->font();
        f.setPointSize(11);
        f.setBold(true);
        nome->setFont(f);
        QPalette pal = nome->palette();
        pal.setColor(QPalette::WindowText, Crema);
        nome->setPalette(pal);
        nome->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        nome->setObjectName(QString("Giocatore%1").arg(k));
        Giocate[k] = Etichetta(p, QString("Giocate%1").arg(k), "", QRect(XGiocate, y, LGiocate, AltezzaRiga), 12, false,
                               Crema, Qt::AlignCenter);
        Vinte[k] = Etichetta(p, QString("Vinte%1").arg(k), "", QRect(XVinte, y, LVinte, AltezzaRiga), 12, true, Oro,
                             Qt::AlignCenter);
        Pari[k] = Etichetta(p, QString("Pari%1").arg(k), "", QRect(XPari, y, LPari, AltezzaRiga), 12, false, Crema,
                            Qt::AlignCenter);
    }
    AzzeraTabella();

    Chiudi = new VelmoBottone(p);
    Chiudi->setObjectName("Chiudi");
    Chiudi->setGeometry((RiquadroStorico.width() - 145) / 2, 508, 145, 38);
    const QImage normale(":/img/btn_chiudi_normale.bmp");
    Chiudi->setNormale(normale);
    Chiudi->setAttivo(QImage(":/img/btn_chiudi_attivo.bmp"));
    if (normale.isNull()) {
        // Without its picture the button still reads as one: caption and frame.
        QFont f = Chiudi->font();
        f.setPointSize(12);
        f.setBold(true);
        Chiudi->setFont(f);
        QPalette pal = Chiudi->palette();
        pal.setColor(QPalette::WindowText, Crema);
        Chiudi->setPalette(pal);
        Chiudi->setDistanzaOmbra(0);
        Chiudi->setCaption("Chiudi");
    } else {
        Chiudi->setBordo(0);
        Chiudi->setDistanzaOmbra(0);
    }
    connect(Chiudi, &VelmoBottone::Click, this, &TFormPunteggi::ChiudiClick);
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

void TFormPunteggi::showEvent(QShowEvent* e)
{
    TFinestra::showEvent(e);
    FormActivate();
}

void TFormPunteggi::changeEvent(QEvent* e)
{
    TFinestra::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TFormPunteggi::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!sfondo_.isNull()) {
        p.drawImage(rect(), sfondo_);
    } else {
        // Deep table green, a little lighter at the top.
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, QColor(34, 92, 66));
        g.setColorAt(1, QColor(16, 52, 38));
        p.fillRect(rect(), g);
    }

    // Dark translucent panels keep the text readable on any background picture.
    for (const QRect& r : {RiquadroPartita, RiquadroStorico}) {
        QPainterPath via;
        via.addRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
        p.fillPath(via, QColor(0, 0, 0, 120));
        p.setPen(QPen(QColor(255, 248, 220, 70), 1));
        p.drawPath(via);
    }

    // Rules under the headings and column captions.
    p.setPen(QPen(QColor(255, 212, 105, 110), 1));
    // (The Sette e mezzo page has no heading, so no rule either.)
    for (const QRect& r : {RiquadroPartita, RiquadroStorico})
        if (r != RiquadroPartita || PunteggiPartita->currentWidget() != PunteggiSettemezzo)
            p.drawLine(r.left() + 12, r.top() + 84, r.right() - 12, r.top() + 84);
    if (PunteggiPartita->currentWidget() == PunteggiScopa) {
        const int y = RiquadroPartita.top() + PrimaRigaScopa + 8 * PassoScopa + 8;
        p.drawLine(RiquadroPartita.left() + 12, y, RiquadroPartita.right() - 12, y);
    }

    // Ranking: banded rows and their places.
    QFont f = font();
    f.setPointSize(10);
    f.setBold(true);
    p.setFont(f);
    for (int k = 1; k <= 10; ++k) {
        const QRect riga(RiquadroStorico.left() + 8, RiquadroStorico.top() + PrimaRiga + (k - 1) * PassoRiga - 2,
                         RiquadroStorico.width() - 16, AltezzaRiga + 4);
        if (k % 2 == 1) p.fillRect(riga, QColor(255, 248, 220, 22));
        p.setPen(Tenue);
        p.drawText(QRect(riga.left(), riga.top(), XNome - 12, riga.height()), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(k));
    }
}

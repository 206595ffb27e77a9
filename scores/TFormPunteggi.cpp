#include "scores/TFormPunteggi.h"

#include <algorithm>

#include <QKeyEvent>

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "app/Finestre.h"
#include "components/EtichettaNome.h"
#include "components/Immagini.h"
#include "components/VelmoBottone.h"
#include "core/Globali.h"
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
constexpr int XNome = 40, LNome = 132, XGiocate = 172, LGiocate = 70, XVinte = 242, LVinte = 52, XPari = 294,
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

}  // namespace

TFormPunteggi::TFormPunteggi(QWidget* parent) : TFinestra(800, 600, parent)
{
    setWindowTitle("Punteggi");
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
    Etichetta(p, "LNome", "Nome", QRect(XNome, YDidascalie, LNome, 24), 11, true, valore_);
    Etichetta(p, "LGiocate", "Giocate", QRect(XGiocate, YDidascalie, LGiocate, 24), 11, true, valore_, Qt::AlignCenter);
    Etichetta(p, "LVinte", "Vinte", QRect(XVinte, YDidascalie, LVinte, 24), 11, true, valore_, Qt::AlignCenter);
    Parita = Etichetta(p, "Parita", "Pari", QRect(XPari, YDidascalie, LPari, 24), 11, true, valore_, Qt::AlignCenter);

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
        pal.setColor(QPalette::WindowText, testo_);
        nome->setPalette(pal);
        nome->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        nome->setObjectName(QString("Giocatore%1").arg(k));
        // A screen reader reads the ranking row by row: the name holds the row's focus and
        // says the whole row.
        nome->setFocusPolicy(Qt::StrongFocus);
        Giocate[k] = Etichetta(p, QString("Giocate%1").arg(k), "", QRect(XGiocate, y, LGiocate, AltezzaRiga), 12, false,
                               testo_, Qt::AlignCenter);
        Vinte[k] = Etichetta(p, QString("Vinte%1").arg(k), "", QRect(XVinte, y, LVinte, AltezzaRiga), 12, true, valore_,
                             Qt::AlignCenter);
        Pari[k] = Etichetta(p, QString("Pari%1").arg(k), "", QRect(XPari, y, LPari, AltezzaRiga), 12, false, testo_,
                            Qt::AlignCenter);
    }
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
    NominaRighe();
}

void TFormPunteggi::NominaRighe()
{
    for (int k = 1; k <= 10; ++k)
        Giocatore[k]->setAccessibleName(QString("Riga %1: %2, giocate %3, vinte %4, %5 %6")
                                            .arg(k)
                                            .arg(Giocatore[k]->text(), Giocate[k]->text(), Vinte[k]->text(),
                                                 Parita->text().toLower(), Pari[k]->text()));
}

int TFormPunteggi::RigaInFocus() const
{
    for (int k = 1; k <= 10; ++k)
        if (focusWidget() == Giocatore[k]) return k;
    return 0;
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
    NominaRighe();
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
    case Qt::Key_Down: {
        const int k = std::clamp(RigaInFocus() + (e->key() == Qt::Key_Up ? -1 : 1), 1, 10);
        Giocatore[k]->setFocus(Qt::OtherFocusReason);
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
    Giocatore[1]->setFocus(Qt::OtherFocusReason);
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

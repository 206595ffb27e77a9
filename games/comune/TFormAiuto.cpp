#include "games/comune/TFormAiuto.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocumentFragment>

namespace {

const char* const TastiComuni =
    "<b>N</b> nuova partita &middot; <b>P</b> punteggi &middot; <b>F2</b> configurazione &middot; "
    "<b>Esc</b> chiudi il tavolo &middot; <b>F1</b> questo aiuto";

struct Aiuto {
    const char* gioco;
    const char* regole;
    const char* tasti;
};

const Aiuto Aiuti[] = {
    {"Scopa",
     "Tre carte a testa, quattro in tavola. Una carta prende la carta in tavola dello stesso numero "
     "oppure più carte che insieme fanno il suo numero; se nessuna presa è possibile la carta resta "
     "in tavola. Chi prende tutta la tavola fa <b>scopa</b>. A fine mano contano le carte, i denari, "
     "il settebello, la napoli, la primiera e le scope: vince chi arriva per primo a 21 punti.",
     "<b>&larr; &rarr;</b> o <b>1-3</b> scegli la carta &middot; <b>Invio</b> o <b>Spazio</b> la giochi. "
     "Se la presa si può fare in più modi: <b>Tab</b> o le frecce mostrano l'altra, <b>Invio</b> la prende."
     "<br><b>U</b> (o il mouse tenuto premuto su un mazzetto) mostra l'ultima presa."},
    {"Briscola",
     "Tre carte a testa; la carta scoperta sotto il mazzo dà il seme di <b>briscola</b>. Chi è di mano "
     "gioca, l'altro risponde: prende la briscola più alta, altrimenti la carta più alta del seme "
     "giocato per primo. Chi prende pesca per primo e gioca la mano dopo. Asso 11, Tre 10, Re 4, "
     "Cavallo 3, Fante 2: vince chi fa più di 60 punti su 120.",
     "<b>&larr; &rarr;</b> o <b>1-3</b> scegli la carta &middot; <b>Invio</b> o <b>Spazio</b> la giochi."
     "<br><b>U</b> (o il mouse tenuto premuto su un mazzetto) mostra l'ultima presa."},
    {"Rubamazzo",
     "Tre carte a testa, quattro in tavola. Una carta prende la carta dello stesso numero o da due a "
     "quattro carte che insieme fanno il suo numero, e va sul proprio mazzetto. Con una carta del "
     "numero in cima al mazzetto dell'avversario gli si <b>ruba</b> tutto il mazzetto. Vince chi a "
     "fine partita ha più carte.",
     "<b>&larr; &rarr;</b> o <b>1-3</b> scegli la carta &middot; <b>Invio</b> la seleziona &middot; "
     "<b>O</b> (o <b>Invio</b> su OK) conferma &middot; <b>R</b> ruba il mazzetto del computer."
     "<br><b>U</b> (o il mouse tenuto premuto su un mazzetto) mostra l'ultima presa."},
    {"Sette e mezzo",
     "Si chiedono carte per avvicinarsi a sette e mezzo senza superarlo. Dall'Asso al Sette le carte "
     "valgono il loro numero, le figure mezzo punto; il Re di Denari è la <b>matta</b> e vale quel che "
     "serve. Poi pesca il computer. Si parte da 10 punti: chi vince la mano ne prende uno, chi arriva "
     "a 20 vince la partita.",
     "<b>C</b> carta &middot; <b>S</b> stop &middot; <b>T</b> nuovo turno &middot; <b>&larr; &rarr;</b> "
     "o <b>1-7</b> leggi le tue carte &middot; <b>Invio</b> preme il pulsante scelto."},
};

}  // namespace

QString TFormAiuto::TestoAiuto(const QString& gioco)
{
    for (const Aiuto& a : Aiuti) {
        if (gioco != QString::fromUtf8(a.gioco)) continue;
        return QStringLiteral("<p>%1</p><p><b>Tasti</b><br>%2<br>%3</p>")
            .arg(QString::fromUtf8(a.regole), QString::fromUtf8(a.tasti), QString::fromUtf8(TastiComuni));
    }
    return {};
}

TFormAiuto::TFormAiuto(QWidget* parent) : TFinestra(560, 400, parent)
{
    setWindowTitle("Aiuto");
    setWindowModality(Qt::WindowModal);
    QPainterPath forma;
    forma.addRoundedRect(QRectF(0, 0, width(), height()), 18, 18);
    setMask(QRegion(forma.toFillPolygon().toPolygon()));

    Titolo = new QLabel(this);
    Titolo->setObjectName("Titolo");
    Titolo->setGeometry(24, 16, width() - 48, 36);
    QFont ft = Titolo->font();
    ft.setPointSize(17);
    ft.setBold(true);
    Titolo->setFont(ft);
    Titolo->setStyleSheet("color: rgb(240, 196, 64); background: transparent;");

    Testo = new QLabel(this);
    Testo->setObjectName("Testo");
    Testo->setGeometry(24, 58, width() - 48, height() - 100);
    Testo->setWordWrap(true);
    Testo->setTextFormat(Qt::RichText);
    Testo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont f = Testo->font();
    f.setPointSize(11);
    Testo->setFont(f);
    Testo->setStyleSheet("color: rgb(250, 244, 226); background: transparent;");

    auto* piede = new QLabel("Esc o Invio per tornare al tavolo", this);
    piede->setObjectName("Piede");
    piede->setGeometry(24, height() - 38, width() - 48, 22);
    piede->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    piede->setStyleSheet("color: rgb(200, 220, 200); background: transparent;");
}

void TFormAiuto::Mostra(const QString& gioco)
{
    Titolo->setText(gioco);
    Testo->setText(TestoAiuto(gioco));
    setAccessibleName(QStringLiteral("Aiuto: %1").arg(gioco));
    // A screen reader reads the words, not the markup.
    const QString parole = QTextDocumentFragment::fromHtml(Testo->text()).toPlainText();
    Testo->setAccessibleName(parole);
    setAccessibleDescription(parole);
    // Centred over the table that asked for it.
    if (QWidget* p = parentWidget())
        move(p->geometry().center() - QPoint(width() / 2, height() / 2));
    else
        Centra();
    show();
    raise();
    activateWindow();
}

void TFormAiuto::Chiudi()
{
    hide();
    if (QWidget* p = parentWidget()) p->activateWindow();
}

void TFormAiuto::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(40, 90, 55));
    p.setPen(QPen(QColor(212, 175, 55), 4));
    p.drawRoundedRect(QRectF(2, 2, width() - 4, height() - 4), 16, 16);
}

void TFormAiuto::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_F1:
        Chiudi();
        return;
    default:
        TFinestra::keyPressEvent(e);
    }
}

void TFormAiuto::mousePressEvent(QMouseEvent*) { Chiudi(); }

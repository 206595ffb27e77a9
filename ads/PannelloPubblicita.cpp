#include "ads/PannelloPubblicita.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>

#include "components/Immagini.h"
#include "components/Scala.h"
#include "components/VelmoBottone.h"
#include "platform/CartellaPubblicita.h"
#include "platform/CartelleProgramma.h"
#include "resources/Risorse.h"

bool PannelloPubblicita::PrimaPubblicita = true;

namespace {

// Where the poster stands in the page: in place of the movie, filling the whole panel.
const char* const ImmaginePoster = "<IMG src=\"cartovia:locandina\" WIDTH=760 HEIGHT=518>";

// Pages are a few hundred bytes; anything far larger is not ours and is not read whole.
constexpr qint64 PaginaMassima = 1 << 20;

// The view: local files only, and the poster under its own address.
class VistaPagina : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int tipo, const QUrl& nome) override
    {
        if (nome.scheme() == "cartovia") {
            // Above 100 % the poster's 2x form fills the same box with a pixel of its own each.
            if (Scala::Sopra100())
                if (const QImage doppia = Immagini::Doppia(Risorse::LocandinaPubblicita); !doppia.isNull()) return doppia;
            static const QImage locandina(Risorse::LocandinaPubblicita);
            return locandina;
        }
        if (!nome.isRelative() && !nome.isLocalFile()) return {};
        return QTextBrowser::loadResource(tipo, nome);
    }
};

}  // namespace

Casuale& PannelloPubblicita::Generatore()
{
    static Casuale g;
    return g;
}

QString PannelloPubblicita::FilmatoFornito()
{
    // The program's own folder of run-time files: beside it in the build folder, its shared
    // data folder once installed.
    const QString cartelle[] = {QDir::currentPath(), CartellaFileProgramma()};
    for (const QString& c : cartelle) {
        const QString f = FileSenzaMaiuscole(c, "pubblicita.swf");
        if (QFileInfo(f).isFile()) return QFileInfo(f).absoluteFilePath();
    }
    return {};
}

PannelloPubblicita::PannelloPubblicita(QWidget* tavolo) : QObject(tavolo)
{
    WebBrowser1 = new VistaPagina(tavolo);
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->setOpenLinks(false);
    WebBrowser1->setOpenExternalLinks(false);
    WebBrowser1->setFrameShape(QFrame::NoFrame);
    WebBrowser1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    WebBrowser1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    WebBrowser1->setFocusPolicy(Qt::NoFocus);  // the table keeps the keyboard
    // A picture, not a document: nothing in it can be selected or tinted by a drag.
    WebBrowser1->setTextInteractionFlags(Qt::NoTextInteraction);
    WebBrowser1->viewport()->setCursor(Qt::ArrowCursor);
    WebBrowser1->setStyleSheet("QTextBrowser { background: white; }");
    WebBrowser1->setGeometry(0, 0, 0, 0);
    WebBrowser1->hide();

    ChiudiPubblicita = new VelmoBottone(tavolo);
    ChiudiPubblicita->setObjectName("ChiudiPubblicita");
    ChiudiPubblicita->setBordo(0);
    ChiudiPubblicita->setDistanzaOmbra(0);
    ChiudiPubblicita->setNormaleDaRisorsa(":/img/chiudipubblicita_normale.bmp");
    ChiudiPubblicita->setAttivoDaRisorsa(":/img/chiudipubblicita_attivo.bmp");
    // Top right of the panel, where a close control is looked for. Not at the bottom: the
    // tables' command buttons lie there under the panel, and the second click of a hurried
    // double-click on the strip would close the table.
    ChiudiPubblicita->setGeometry(Larghezza - 145 - 6, 4, 145, 16);
    ChiudiPubblicita->hide();
    connect(ChiudiPubblicita, &VelmoBottone::Click, this, [this] { ChiudiPubblicitaClick(); });

    TimerPubblicita = new QTimer(this);
    TimerPubblicita->setObjectName("TimerPubblicita");
    TimerPubblicita->setInterval(7000);
    connect(TimerPubblicita, &QTimer::timeout, this, [this] { TimerPubblicitaTimer(); });
}

void PannelloPubblicita::FormShow()
{
    Generatore().SemeDallOrologio("pubblicita");
    const int r = static_cast<int>(Generatore().Prossimo() % 4);
    if (r == 2 || PrimaPubblicita) {
        PrimaPubblicita = false;
        const QString radice = CartellaRadice();
        if (!radice.isEmpty()) {
            QFile filmato(FileSenzaMaiuscole(radice, "Pubblicita.swf"));
            if (!filmato.open(QIODevice::ReadOnly)) {
                // Put the movie supplied with the program in place; without one the panel
                // still shows (its poster needs no movie).
                const QString fornito = FilmatoFornito();
                if (fornito.isEmpty())
                    qWarning("the advertisement movie pubblicita.swf is missing");
                else
                    CopiaFileIntero(fornito, FileSenzaMaiuscole(radice, "pubblicita.swf"));
            }
        }
        ChiudiPubblicita->hide();
        TimerPubblicita->start();
        WebBrowser1->setGeometry(0, 0, Larghezza, Altezza);
        Naviga(radice.isEmpty() ? QString() : FileSenzaMaiuscole(radice, "Pubblicita.htm"));
        // Shown again even after an earlier close hid it.
        WebBrowser1->show();
        WebBrowser1->raise();
        ChiudiPubblicita->raise();
    } else {
        ChiudiPubblicita->hide();
        // A strip still due from an earlier showing would appear over a table without advertisement.
        TimerPubblicita->stop();
        WebBrowser1->setGeometry(0, 0, 0, 0);
        WebBrowser1->hide();
    }
    AvvisaCambio();
}

void PannelloPubblicita::AvvisaCambio()
{
    const bool inVista = InVista();
    if (inVista == copre_) return;
    copre_ = inVista;
    emit Copre(inVista);
}

void PannelloPubblicita::TimerPubblicitaTimer()
{
    TimerPubblicita->stop();
    ChiudiPubblicita->show();
    ChiudiPubblicita->raise();
}

void PannelloPubblicita::ChiudiPubblicitaClick()
{
    // A panel closed before its strip was due (from the keyboard) must not bring the strip
    // back later over the table's own buttons.
    TimerPubblicita->stop();
    ChiudiPubblicita->hide();
    WebBrowser1->setVisible(false);
    WebBrowser1->setGeometry(0, 0, 0, 0);
    AvvisaCambio();
}

bool PannelloPubblicita::InVista() const
{
    return !WebBrowser1->isHidden() && WebBrowser1->width() > 0 && WebBrowser1->height() > 0;
}

void PannelloPubblicita::Naviga(const QString& pagina)
{
    QString html;
    QFile f(pagina);
    if (!pagina.isEmpty() && f.open(QIODevice::ReadOnly) && f.size() <= PaginaMassima) {
        html = QString::fromLatin1(f.readAll());
        // The player's object (or a bare embed) becomes the poster, in the same box.
        static const QRegularExpression oggetto("<OBJECT\\b.*</OBJECT\\s*>|<EMBED\\b.*?(</EMBED\\s*>|>)",
                                                QRegularExpression::CaseInsensitiveOption |
                                                    QRegularExpression::DotMatchesEverythingOption);
        html.replace(oggetto, ImmaginePoster);
        WebBrowser1->setSearchPaths({QFileInfo(pagina).absolutePath()});
    } else {
        if (!pagina.isEmpty()) qWarning("the advertisement page %s cannot be read", qPrintable(pagina));
        html = QString("<HTML><BODY bgcolor=\"#FFFFFF\">%1</BODY></HTML>").arg(ImmaginePoster);
    }
    WebBrowser1->setHtml(html);
    // The poster reaches the panel's edges: no margin of white around it.
    WebBrowser1->document()->setDocumentMargin(0);
}

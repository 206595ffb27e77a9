#include "app/TFormSplashScreen.h"

#include <QKeyEvent>

#include "games/comune/Accessibilita.h"
#include "games/comune/FocusTastiera.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QShowEvent>
#include <cstdlib>
#include <cmath>
#include <QGuiApplication>
#include <QScreen>

#include "components/Scala.h"

#include "ads/PaginaPubblicita.h"
#include "ads/THttpTestForm.h"
#include "app/Finestre.h"
#include "app/TFormConfig.h"
#include "app/TFormRete.h"
#include "components/Immagini.h"
#include "core/Globali.h"
#include "games/briscola/TFormBriscola.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormScopa.h"
#include "games/settemezzo/TFormSettemezzo.h"
#include "platform/BarraApplicazioni.h"
#include "platform/CartelleProgramma.h"
#include "resources/Risorse.h"
#include "scores/TFormPunteggi.h"

namespace {

QWidget* finestraDelCodice(int codice)
{
    switch (codice) {
    case FinestraBriscola: return FormBriscola;
    case FinestraConfig: return FormConfig;
    case FinestraPunteggi: return FormPunteggi;
    case FinestraRubamazzo: return FormRubamazzo;
    case FinestraScopa: return FormScopa;
    case FinestraSettemezzo: return FormSettemezzo;
    case FinestraChooser: return FormSplashScreen;
    case FinestraRete: return FormRete;
    default: return nullptr;  // unknown codes show and hide nothing
    }
}

}  // namespace

std::string CalcolaCartellaLavoro()
{
    const char* env = std::getenv("CARTOVIA_DATA_DIR");
    const QString variabile = env ? QString::fromLocal8Bit(env) : QString();
    const QString cartella = ScegliCartellaLavoro(variabile, ProgrammaNellaCartellaBuild(),
                                                  QDir::currentPath(), CartellaDatiUtente());
    // A named folder or the player's data folder may not exist yet: create it on first use.
    if (cartella != QDir::currentPath() && !QDir().mkpath(cartella))
        qWarning("Cartovia: cannot create the score folder %s", qPrintable(cartella));
    return QDir(cartella).absolutePath().toStdString();
}

TFormSplashScreen::TFormSplashScreen(QWidget* parent) : TFinestra(800, 599, parent)
{
    setWindowTitle("Cartovia");
    TabAiTasti = true;  // Tab moves over the six buttons like the arrows
    ImpostaPrincipale(this);  // the other windows open centred over the chooser
    FormCreate();

    ImmagineSfondo = new VelImage(this);
    ImmagineSfondo->setObjectName("ImmagineSfondo");
    ImmagineSfondo->setGeometry(0, 0, 800, 599);
    ImmagineSfondo->ImpostaPicture(Immagini::Condivisa(Risorse::SfondoSplash));
    ImmagineSfondo->ImpostaDoppiaDaRisorsa(Risorse::SfondoSplash);

    struct Bottone { VelmoBottone** b; const char* nome; const char* immagine; int y; void (TFormSplashScreen::*click)(); };
    const Bottone bottoni[] = {
        {&Spl_Btn_Briscola, "Spl_Btn_Briscola", "briscola", 28, &TFormSplashScreen::Spl_Btn_BriscolaClick},
        {&Spl_Btn_Scopa, "Spl_Btn_Scopa", "scopa", 114, &TFormSplashScreen::Spl_Btn_ScopaClick},
        {&Spl_Btn_Rubamazzo, "Spl_Btn_Rubamazzo", "rubamazzo", 200, &TFormSplashScreen::Spl_Btn_RubamazzoClick},
        {&Spl_Btn_Settemezzo, "Spl_Btn_Settemezzo", "settemezzo", 286, &TFormSplashScreen::Spl_Btn_SettemezzoClick},
        {&Spl_Btn_Rete, "Spl_Btn_Rete", "rete", 372, &TFormSplashScreen::Spl_Btn_ReteClick},
        {&Spl_Btn_Close, "Spl_Btn_Close", "chiudi", 458, &TFormSplashScreen::Spl_Btn_CloseClick},
    };
    for (const Bottone& d : bottoni) {
        auto* b = new VelmoBottone(this);
        b->setObjectName(d.nome);
        b->setGeometry(130, d.y, 600, 86);
        b->setBordo(0);
        b->setStato(1);
        // Decoded now (the chooser's first paint needs it), named so its 2x form can be found.
        b->setNormaleDaRisorsa(QString(":/img/splash_%1_normale.bmp").arg(d.immagine));
        b->Normale();
        b->setAttivoDaRisorsa(QString(":/img/splash_%1_attivo.bmp").arg(d.immagine));  // at the first hover
        const auto click = d.click;
        connect(b, &VelmoBottone::Click, this, [this, click] { (this->*click)(); });
        *d.b = b;
    }

    InstallaAccessibilita();
    setFocusPolicy(Qt::StrongFocus);
    Focus = new FocusTastiera(this);
    // The button pictures carry a margin of felt: the frame hugs the button drawn inside.
    Focus->ImpostaMargine(-4);
    const char* nomi[] = {"Briscola", "Scopa", "Rubamazzo", "Sette e mezzo", "Gioca in rete", "Esci"};
    VelmoBottone* tutti[] = {Spl_Btn_Briscola, Spl_Btn_Scopa, Spl_Btn_Rubamazzo, Spl_Btn_Settemezzo, Spl_Btn_Rete, Spl_Btn_Close};
    for (int i = 0; i < 6; ++i) {
        tutti[i]->setAccessibleName(nomi[i]);
        Focus->Aggiungi(tutti[i], i + 1);
    }
    Spl_Btn_Rete->setAccessibleDescription("Ospita o raggiungi una partita con un amico su un altro computer");
    Spl_Btn_Close->setAccessibleDescription("Tasto Esc");

    WaveWellcome = new TWave(this);
    WaveWellcome->CaricaRisorsa(":/snd/wellcome.wav");
    TimerWellcome = new QTimer(this);
    TimerWellcome->setInterval(1000);
    connect(TimerWellcome, &QTimer::timeout, this, [this] { TimerWellcomeTimer(); });
    TimerWellcome->start();

    PreparaPubblicita = [] { ::PreparaPubblicita(HttpTestForm); };

    pila_.Mostra = [](int codice) {
        if (auto* w = finestraDelCodice(codice)) {
            w->show();
            w->raise();
            w->activateWindow();
        }
    };
    pila_.Nascondi = [](int codice) {
        if (auto* w = finestraDelCodice(codice); w && w != FormSplashScreen) w->hide();
    };
}

void TFormSplashScreen::ApriFinestra(int codice)
{
    // A table opened from the chooser (nothing else on the stack) draws for the
    // advertisement; one shown again from its own windows does not.
    if (pila_.Profondita() == 0)
        if (auto* tavolo = dynamic_cast<TFormTavolo*>(finestraDelCodice(codice))) tavolo->ApertoDallaScelta();
    pila_.ApriFinestra(codice);
}

void TFormSplashScreen::Spl_Btn_ReteClick()
{
    // Made at the first use: most runs never play over the network.
    CreaFormRete();
    ApriFinestra(FinestraRete);
}

void TFormSplashScreen::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Backtab:
        Focus->Sposta(-1);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        Focus->Sposta(1);
        return;
    case Qt::Key_Tab:
        Focus->Sposta(e->modifiers() & Qt::ShiftModifier ? -1 : 1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Focus->Attiva();
        return;
    case Qt::Key_Escape:
        // The quit button's own handler.
        FocusTastiera::AttivaControllo(Spl_Btn_Close);
        return;
    default:
        if (e->key() >= Qt::Key_1 && e->key() <= Qt::Key_6 && Focus->VaiANumero(e->key() - Qt::Key_0)) return;
        TFinestra::keyPressEvent(e);
    }
}

void TFormSplashScreen::FormCreate()
{
    CartellaLavoro = CalcolaCartellaLavoro();
}

void TFormSplashScreen::TimerWellcomeTimer()
{
    // The greeting plays whatever the sound setting says, once per run.
    WaveWellcome->Play();
    TimerWellcome->stop();
}

void TFormSplashScreen::showEvent(QShowEvent* e)
{
    TFinestra::showEvent(e);
    if (!e->spontaneous() && !mostrata_) {
        mostrata_ = true;
        FormShow();
    }
    // A screen reader hears the focus at once: on "Briscola" first, then where it was left.
    if (!e->spontaneous()) Focus->Inizia();
}

void TFormSplashScreen::FormShow()
{
    CaricaConfigurazione();
    move(0, 0);
    if (!Colloca(PosizioneChooser)) Centra();
    raise();
    const QString nome = QString::fromStdString(NomeGiocatore);
    TFormTavolo* tavoli[] = {FormScopa, FormBriscola, FormRubamazzo, FormSettemezzo};
    for (TFormTavolo* t : tavoli)
        if (t) t->NomeGiocat->setText(nome);
    if (PreparaPubblicita) PreparaPubblicita();
}

bool TFormSplashScreen::Colloca(const std::optional<QPoint>& pixel)
{
    if (!pixel) return false;
    const double f = Scala::FattoreAvvio();
    const QPoint p(static_cast<int>(std::lround(pixel->x() / f)), static_cast<int>(std::lround(pixel->y() / f)));
    // Only where a good part of the window (its title area and buttons) lies on some screen:
    // a screen that has gone since the last run must not leave the chooser out of sight.
    const QRect dove(p, size());
    for (QScreen* s : QGuiApplication::screens()) {
        const QRect visibile = dove.intersected(s->availableGeometry());
        if (visibile.width() >= width() / 3 && visibile.height() >= height() / 3) {
            move(p);
            return true;
        }
    }
    return false;
}

void TFormSplashScreen::closeEvent(QCloseEvent* e)
{
    FormClose();
    // Closed from outside while the start's download strip still waits (a signal): the strip
    // is left as "Continua" leaves it, so the start returns and the program ends.
    if (HttpTestForm && HttpTestForm->isVisible()) HttpTestForm->ContinuaClick();
    TFinestra::closeEvent(e);
    // Closing the main window ends the program, whatever other window is still open.
    QCoreApplication::quit();
}

void TFormSplashScreen::FormClose()
{
    SalvaConfigurazione();
    MostraBarraApplicazioni();
}

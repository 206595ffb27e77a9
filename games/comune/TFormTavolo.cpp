#include "games/comune/TFormTavolo.h"

#include <QKeyEvent>
#include <QPainter>
#include <QShowEvent>

#include "ads/PannelloPubblicita.h"
#include "app/Finestre.h"
#include "app/TFormConfig.h"
#include "components/EtichettaNome.h"
#include "core/Globali.h"
#include "games/comune/Accessibilita.h"
#include "games/comune/FocusTastiera.h"
#include "games/comune/TFormAiuto.h"
#include "resources/Risorse.h"

QColor ColorePanelPerBordo(int bordo)
{
    static const QColor colori[] = {{159, 223, 175}, {158, 212, 224}, {224, 158, 158},
                                    {223, 224, 158}, {158, 164, 224}, {224, 158, 224}};
    return colori[(bordo >= 1 && bordo <= 6) ? bordo - 1 : 0];
}

TFormTavolo::TFormTavolo(int larghezza, int altezza, QWidget* parent) : TFinestra(larghezza, altezza, parent)
{
    TabAiTasti = true;  // Tab moves the table's own focus over its places
    // One background for the four tables, decoded when the first of them is drawn.
    ImpostaSfondo(Risorse::SfondoTavolo);

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(22, 15, larghezza - 37, 518);
    Panel1->setAutoFillBackground(true);
    ColoraPanel(ColorePanelPerBordo(1));

    Computer = CreaSlot("Computer", 604, 0, 145, 201);
    Computer->ImpostaPictureDaRisorsa(Risorse::TurnoComputer);
    Giocatore = CreaSlot("Giocatore", 604, 0, 145, 201);
    Giocatore->ImpostaPictureDaRisorsa(Risorse::TurnoGiocatore);
    // No game yet: neither turn picture shows.
    Computer->hide();
    Giocatore->hide();

    NomeGiocat = new EtichettaNome(QString::fromStdString(NomeGiocatore), Panel1);
    NomeGiocat->setObjectName("NomeGiocat");
    QFont f = NomeGiocat->font();
    f.setBold(true);
    f.setPointSize(12);
    NomeGiocat->setFont(f);
    NomeGiocat->setStyleSheet("color: rgb(0, 110, 0); background: transparent;");
    NomeGiocat->setGeometry(608, 204, 150, 22);

    Suggerimento = new QLabel(QString::fromUtf8("Premi \u00abNuova Partita\u00bb per cominciare"), Panel1);
    Suggerimento->setObjectName("Suggerimento");
    Suggerimento->setAlignment(Qt::AlignCenter);
    Suggerimento->setGeometry(40, 150, 520, 40);
    QFont fs = Suggerimento->font();
    fs.setPointSize(15);
    fs.setBold(true);
    Suggerimento->setFont(fs);
    Suggerimento->setStyleSheet("color: rgb(30, 80, 45); background: transparent;");

    RigaEsito = new QLabel(Panel1);
    RigaEsito->setObjectName("RigaEsito");
    RigaEsito->setAlignment(Qt::AlignCenter);
    RigaEsito->setWordWrap(true);
    RigaEsito->setGeometry(40, 150, 520, 40);
    QFont fe = RigaEsito->font();
    fe.setPointSize(13);
    fe.setBold(true);
    RigaEsito->setFont(fe);
    // A cream plaque with a gold rim, the colours of the card frames, with the captions' green.
    RigaEsito->setStyleSheet("QLabel#RigaEsito { color: rgb(20, 86, 34); background: rgba(255, 250, 232, 225);"
                             " border: 2px solid rgb(200, 160, 48); border-radius: 10px; padding: 2px 12px; }");
    RigaEsito->hide();
    TimerEsito = new QTimer(this);
    TimerEsito->setSingleShot(true);
    connect(TimerEsito, &QTimer::timeout, this, [this] { NascondiEsito(); });

    VelCarte3 = new VelCarte(this);
    VelCarte3->setObjectName("VelCarte3");
    VelCarte3->setTipo(1);
    VelCarte3->setDimX(24);
    VelCarte3->setDimY(20);
    VelCarte3->setImmaginiCarteColonne(10);
    VelCarte3->setImmaginiCarteRighe(4);
    VelCarte3->setBufferImmaginiDaRisorsa(Risorse::CifrePiccole);
    VelCarte3->hide();

    Configurazione = CreaBottone("Configurazione", "configurazione", 604, 380);
    NuovaPartita = CreaBottone("NuovaPartita", "nuovapartita", 604, 412);
    BtnPunteggi = CreaBottone("BtnPunteggi", "punteggi", 604, 446);
    Chiudi = CreaBottone("Chiudi", "chiudi", 604, 480);
    connect(Configurazione, &VelmoBottone::Click, this, [this] { ConfigurazioneClick(); });
    connect(NuovaPartita, &VelmoBottone::Click, this, [this] { NuovaPartitaClick(); });
    connect(BtnPunteggi, &VelmoBottone::Click, this, [this] { BtnPunteggiClick(); });
    connect(Chiudi, &VelmoBottone::Click, this, [this] { ChiudiClick(); });

    Pubblicita = new PannelloPubblicita(this);
    Pubblicita->ChiudiPubblicita->setAccessibleName("Chiudi la pubblicità");
    Pubblicita->ChiudiPubblicita->setAccessibleDescription("Tasto Invio");

    // Keyboard and screen reader.
    InstallaAccessibilita();
    setFocusPolicy(Qt::StrongFocus);
    Focus = new FocusTastiera(this);
    Computer->setAccessibleName("Turno del computer");
    Giocatore->setAccessibleName("Tocca a te");
    Configurazione->setAccessibleDescription("Tasto F2");
    NuovaPartita->setAccessibleDescription("Tasto N");
    BtnPunteggi->setAccessibleDescription("Tasto P");
    Chiudi->setAccessibleDescription("Tasto Esc");
    // The live label lies under the felt, out of sight: only screen readers read it.
    Annuncio = new QLabel(this);
    Annuncio->setObjectName("Annuncio");
    Annuncio->setGeometry(0, 0, 1, 1);
    Annuncio->setStyleSheet("color: transparent; background: transparent;");
    Annuncio->setAccessibleDescription("Ultima mossa");
    Annuncio->lower();
}

void TFormTavolo::AggiungiPosto(QWidget* w, int numero, const QString& descrizione)
{
    if (!w) return;
    if (!descrizione.isEmpty()) w->setAccessibleDescription(descrizione);
    Focus->Aggiungi(w, numero);
}

void TFormTavolo::AggiungiTasto(int tasto, std::function<void()> azione) { tasti_[tasto] = std::move(azione); }

void TFormTavolo::Premi(VelmoBottone* b) { FocusTastiera::AttivaControllo(b); }

void TFormTavolo::Annuncia(const QString& testo) { ::Annuncia(Annuncio, testo); }

void TFormTavolo::MostraAiuto()
{
    if (!Aiuto) Aiuto = new TFormAiuto(this);
    Aiuto->Mostra(windowTitle());
}

void TFormTavolo::keyPressEvent(QKeyEvent* e)
{
    if (inAzione_) return;
    struct InAzione {
        bool& f;
        explicit InAzione(bool& x) : f(x) { f = true; }
        ~InAzione() { f = false; }
    } guardia(inAzione_);
    if (!comandiNelFocus_) {
        // The command buttons follow the places every table added in its constructor.
        comandiNelFocus_ = true;
        for (VelmoBottone* b : {NuovaPartita, BtnPunteggi, Configurazione, Chiudi}) Focus->Aggiungi(b);
    }
    const Qt::KeyboardModifiers mod = e->modifiers() & ~Qt::KeypadModifier;
    if (mod == Qt::ControlModifier && e->key() >= Qt::Key_1 && e->key() <= Qt::Key_9
        && (!Pubblicita || !Pubblicita->InVista())) {
        // Ctrl and a digit: the table places, numbered from the left.
        Focus->VaiANumero(PrimoNumeroTavolo + e->key() - Qt::Key_1);
        return;
    }
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        TFinestra::keyPressEvent(e);
        return;
    }
    const int k = e->key();
    // A held key repeats only the moves of the focus: it plays one card or presses a button
    // once, as one click does.
    const bool spostamento = k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down
                             || k == Qt::Key_Tab || k == Qt::Key_Backtab;
    if (e->isAutoRepeat() && !spostamento) return;
    if (Pubblicita && Pubblicita->InVista()) {
        // The advertisement covers the cards and the play buttons, which then take no click:
        // no key reaches them either. Enter or Space press its close strip once it shows; the
        // command buttons, whose edge stays uncovered, keep their keys.
        switch (k) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            Premi(Pubblicita->ChiudiPubblicita);
            return;
        case Qt::Key_N:
        case Qt::Key_P:
        case Qt::Key_F2:
        case Qt::Key_Escape:
        case Qt::Key_F1:
            break;
        default:
            return;
        }
    }
    if (auto it = tasti_.find(k); it != tasti_.end()) {
        Focus->Mostra();
        it->second();
        return;
    }
    const bool indietro = k == Qt::Key_Backtab || (k == Qt::Key_Tab && (e->modifiers() & Qt::ShiftModifier));
    switch (k) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        Focus->Sposta(k == Qt::Key_Left || k == Qt::Key_Up || indietro ? -1 : 1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Focus->Attiva();
        return;
    case Qt::Key_N: Premi(NuovaPartita); return;
    case Qt::Key_P: Premi(BtnPunteggi); return;
    case Qt::Key_F2: Premi(Configurazione); return;
    case Qt::Key_Escape: Premi(Chiudi); return;
    case Qt::Key_F1: MostraAiuto(); return;
    default:
        break;
    }
    if (k >= Qt::Key_1 && k <= Qt::Key_9 && Focus->VaiANumero(k - Qt::Key_0)) return;
    TFinestra::keyPressEvent(e);
}

VelmoBottone* TFormTavolo::CreaBottone(const char* oggetto, const char* nome, int x, int y)
{
    // The command buttons stand 32-34 pixels apart; they are drawn 32 high so none covers
    // the one below, with their 145 x 38 pictures fitted to that height.
    auto* b = new VelmoBottone(Panel1);
    b->setObjectName(oggetto);
    b->setGeometry(x, y, 145, 32);
    b->setBordo(0);
    b->setDistanzaOmbra(0);
    // The four tables share one scaled copy of each picture, made when first drawn.
    auto risorsa = [&](const char* stato) { return QString(":/img/btn_%1_%2.bmp").arg(nome, stato); };
    b->setNormaleDaRisorsa(risorsa("normale"), QSize(145, 32));
    b->setAttivoDaRisorsa(risorsa("attivo"), QSize(145, 32));
    b->setDisabilitatoDaRisorsa(risorsa("disabilitato"), QSize(145, 32));
    // What a screen reader says of the picture: the caption drawn on it.
    static const std::map<QString, QString> didascalie = {
        {"configurazione", "Configurazione"}, {"nuovapartita", "Nuova Partita"}, {"punteggi", "Punteggi"},
        {"chiudi", "Chiudi"}, {"nuovacarta", "Carta"}, {"stop", "Stop"}, {"nuovoturno", "Nuovo Turno"},
        {"ok", "OK"}};
    if (auto it = didascalie.find(QString::fromLatin1(nome)); it != didascalie.end()) b->setAccessibleName(it->second);
    return b;
}

VelImage* TFormTavolo::CreaSlot(const char* oggetto, int x, int y, int w, int h)
{
    auto* s = new VelImage(Panel1);
    s->setObjectName(oggetto);
    s->setGeometry(x, y, w, h);
    return s;
}

void TFormTavolo::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.translate(Origine());
    if (!Sfondo().isNull())
        DisegnaSfondo(p);
    else
        p.fillRect(QRect(QPoint(), DimensioneBase()), QColor(70, 40, 25));
}

void TFormTavolo::ColoraPanel(const QColor& c)
{
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, c);
    Panel1->setPalette(pal);
}

void TFormTavolo::MostraTurno(int turno, bool nomeColTurno)
{
    const bool computer = turno == 2;
    Computer->setVisible(computer);
    Giocatore->setVisible(!computer);
    NomeGiocat->setVisible(!computer || !nomeColTurno);
    Computer->raise();
    Giocatore->raise();
    (computer ? Computer : Giocatore)->Ridisegna();
}

void TFormTavolo::NascondiTurno()
{
    Computer->hide();
    Giocatore->hide();
}

void TFormTavolo::MostraEsito(const QString& testo, int ms)
{
    TimerEsito->stop();
    RigaEsito->setText(testo);
    RigaEsito->show();
    // Above the cards lying still; a card that flies later is raised over it.
    RigaEsito->raise();
    if (ms > 0) TimerEsito->start(ms);
}

void TFormTavolo::NascondiEsito()
{
    TimerEsito->stop();
    RigaEsito->hide();
    RigaEsito->clear();
}

QString TFormTavolo::TestoEsito() const { return RigaEsito->isHidden() ? QString() : RigaEsito->text(); }

QLabel* TFormTavolo::CreaEtichetta(const char* oggetto, const QString& testo, int x, int y, int w, int h, int punti)
{
    auto* l = new QLabel(testo, Panel1);
    l->setObjectName(oggetto);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(punti);
    l->setFont(f);
    l->setStyleSheet("color: rgb(0, 110, 0); background: transparent;");
    l->setGeometry(x, y, w, h);
    return l;
}

void TFormTavolo::showEvent(QShowEvent* e)
{
    TFinestra::showEvent(e);
    if (e->spontaneous()) return;
    Pubblicita->FormShow();
    FormShow();
}

void TFormTavolo::ConfigurazioneClick() { ApriFinestra(FinestraConfig); }
void TFormTavolo::ChiudiClick() { TornaIndietro(); }

bool TFormTavolo::SuoniAttivi() { return FormConfig && FormConfig->CBSuoni->isChecked(); }
bool TFormTavolo::CarteComputerScoperte() { return FormConfig && FormConfig->CBComputer->isChecked(); }

void TFormTavolo::Suona(TWave* w)
{
    if (w && SuoniAttivi()) w->Play();
}

void TFormTavolo::SuonaSempre(TWave* w)
{
    if (w) w->Play();
}

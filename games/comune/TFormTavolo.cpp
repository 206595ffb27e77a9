#include "games/comune/TFormTavolo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>
#include <QTextBrowser>
#include <algorithm>

#include "ads/PannelloPubblicita.h"
#include "app/Finestre.h"
#include "app/TFormConfig.h"
#include "components/EtichettaNome.h"
#include "core/Globali.h"
#include "games/comune/Accessibilita.h"
#include "games/comune/AvversarioRete.h"
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
    // In a network game the other side's turn picture is captioned with its name.
    DidascaliaTurno = new QLabel(Panel1);
    DidascaliaTurno->setObjectName("DidascaliaTurno");
    DidascaliaTurno->setAlignment(Qt::AlignCenter);
    DidascaliaTurno->setGeometry(606, 156, 141, 42);
    {
        QFont fd = DidascaliaTurno->font();
        fd.setBold(true);
        fd.setPointSize(10);
        DidascaliaTurno->setFont(fd);
    }
    // Opaque: the picture's own "Computer" lettering lies under it.
    DidascaliaTurno->setStyleSheet(StileTarghetta("DidascaliaTurno", 255));
    DidascaliaTurno->hide();

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
    RigaEsito->setStyleSheet(StileTarghetta("RigaEsito"));
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
    connect(NuovaPartita, &VelmoBottone::Click, this, [this] {
        // Under the advertisement the deal waits until the panel goes.
        if (GiocoSospeso()) {
            nuovaPartitaRinviata_ = true;
            return;
        }
        NuovaPartitaClick();
    });
    connect(BtnPunteggi, &VelmoBottone::Click, this, [this] { BtnPunteggiClick(); });
    connect(Chiudi, &VelmoBottone::Click, this, [this] { ChiudiClick(); });

    // The last capture, laid on a plaque over the felt when asked for. It takes no clicks:
    // a double-click on a pile under it still reaches the pile.
    PannelloPresa = new QWidget(Panel1);
    PannelloPresa->setObjectName("PannelloPresa");
    PannelloPresa->setAttribute(Qt::WA_StyledBackground);
    PannelloPresa->setAttribute(Qt::WA_TransparentForMouseEvents);
    PannelloPresa->setStyleSheet("QWidget#PannelloPresa { background: rgb(255, 250, 232);"
                                 " border: 2px solid rgb(200, 160, 48); border-radius: 10px; }");
    TitoloPresa = new QLabel(PannelloPresa);
    TitoloPresa->setObjectName("TitoloPresa");
    TitoloPresa->setAlignment(Qt::AlignCenter);
    QFont ft = TitoloPresa->font();
    ft.setPointSize(11);
    ft.setBold(true);
    TitoloPresa->setFont(ft);
    TitoloPresa->setStyleSheet("color: rgb(20, 86, 34); background: transparent;");
    PannelloPresa->hide();
    TimerPresa = new QTimer(this);
    TimerPresa->setSingleShot(true);
    connect(TimerPresa, &QTimer::timeout, this, [this] { NascondiUltimaPresa(); });

    Pubblicita = new PannelloPubblicita(this);
    Pubblicita->ChiudiPubblicita->setAccessibleName("Chiudi la pubblicità");
    Pubblicita->ChiudiPubblicita->setAccessibleDescription("Tasto Invio");
    connect(Pubblicita, &PannelloPubblicita::Copre, this, [this](bool copre) {
        if (copre)
            SospendiGioco();
        else
            RiprendiGioco();
    });
    Pubblicita->WebBrowser1->setAccessibleName(QString::fromUtf8("Pubblicità"));
    connect(Pubblicita->ChiudiPubblicita, &VelmoBottone::Click, this, [this] {
        if (focusPrimaPubblicita_) Focus->VaiA(focusPrimaPubblicita_);
        focusPrimaPubblicita_ = nullptr;
    });
    // The strip appears on its timer: a screen reader hears it (and Tab reaches it).
    Pubblicita->ChiudiPubblicita->installEventFilter(this);

    // Keyboard and screen reader.
    InstallaAccessibilita();
    setFocusPolicy(Qt::StrongFocus);
    Focus = new FocusTastiera(this);
    Focus->Aggiungi(Pubblicita->ChiudiPubblicita);
    Computer->setAccessibleName("Turno del computer");
    Giocatore->setAccessibleName("Tocca a te");
    Configurazione->setAccessibleDescription("Tasto F2");
    NuovaPartita->setAccessibleDescription("Tasto N");
    BtnPunteggi->setAccessibleDescription("Tasto P");
    Chiudi->setAccessibleDescription("Tasto Esc");
    // The live label lies under the felt, out of sight: only screen readers read it.
    Annuncio = new RegioneAnnunci(this);
}

void TFormTavolo::AggiungiPosto(QWidget* w, int numero, const QString& descrizione)
{
    if (!w) return;
    if (!descrizione.isEmpty()) w->setAccessibleDescription(descrizione);
    Focus->Aggiungi(w, numero);
}

void TFormTavolo::AggiungiComandiAlFocus()
{
    if (comandiNelFocus_) return;
    // The command buttons follow the places every table added in its constructor.
    comandiNelFocus_ = true;
    for (VelmoBottone* b : {NuovaPartita, BtnPunteggi, Configurazione, Chiudi}) Focus->Aggiungi(b);
}

void TFormTavolo::AggiungiTasto(int tasto, std::function<void()> azione) { tasti_[tasto] = std::move(azione); }

void TFormTavolo::Premi(VelmoBottone* b) { FocusTastiera::AttivaControllo(b); }

namespace {
// The words of a sentence, without its punctuation: "Partita: 9 a 11" says what "Partita 9 a 11" does.
QString Parole(const QString& t)
{
    QString p;
    for (QChar c : t)
        if (c.isLetterOrNumber() || c.isSpace()) p += c.toLower();
    return p.simplified();
}
}  // namespace

void TFormTavolo::Annuncia(const QString& testo)
{
    // A result line often says again what the move just announced: a reader hears it once.
    if (Parole(testo) == Parole(Annuncio->text())) return;
    ::Annuncia(Annuncio, testo);
}

void TFormTavolo::AnnunciaRifiuto(const QString& testo) { ::Annuncia(Annuncio, testo); }

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
    AggiungiComandiAlFocus();
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
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            // The strip, once shown, is the one place the keys reach; the focus goes back to
            // where it was when the advertisement closes.
            if (Focus->Corrente() != Pubblicita->ChiudiPubblicita) {
                QWidget* prima = Focus->Scelto();
                if (Focus->VaiA(Pubblicita->ChiudiPubblicita)) focusPrimaPubblicita_ = prima;
            }
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
    case Qt::Key_U: MostraUltimaPresa(); return;
    default:
        break;
    }
    if (k >= Qt::Key_1 && k <= Qt::Key_9 && Focus->VaiANumero(k - Qt::Key_0)) return;
    TFinestra::keyPressEvent(e);
}

void TFormTavolo::RicordaPresa(int lato, std::vector<int> carte)
{
    if (lato != 1 && lato != 2) return;
    prese_[lato] = std::move(carte);
    latoUltimaPresa_ = lato;
}

void TFormTavolo::DimenticaPrese()
{
    NascondiUltimaPresa();
    prese_[1].clear();
    prese_[2].clear();
    latoUltimaPresa_ = 0;
}

QString TFormTavolo::TitoloUltimaPresa(int lato, const QString& altro)
{
    if (lato == 1) return QStringLiteral("La tua ultima presa");
    return altro.isEmpty() ? QStringLiteral("L'ultima presa del computer") : QStringLiteral("L'ultima presa di %1").arg(altro);
}

void TFormTavolo::MostraUltimaPresa(int lato, int ms)
{
    if (lato == 0) lato = latoUltimaPresa_;
    if ((lato != 1 && lato != 2) || prese_[lato].empty()) return;
    const std::vector<int>& carte = prese_[lato];
    const int n = static_cast<int>(carte.size());
    while (static_cast<int>(cartePresa_.size()) < n) {
        auto* img = new VelImage(PannelloPresa);
        img->setObjectName(QString("CartaPresa%1").arg(cartePresa_.size() + 1));
        img->resize(80, 120);
        cartePresa_.push_back(img);
    }
    // One row of cards, side by side while they fit the felt, overlapping beyond that.
    constexpr int margine = 12, alto = 32, largo = 80, spazio = 4;
    const int massimo = std::max(1, Panel1->width() - 2 * margine - 16 - largo);
    const int passo = n > 1 ? std::min(largo + spazio, massimo / (n - 1)) : 0;
    const int w = std::max(290, 2 * margine + largo + passo * (n - 1));
    const int h = alto + 120 + margine;
    for (int i = 0; i < static_cast<int>(cartePresa_.size()); ++i) {
        VelImage* img = cartePresa_[i];
        if (i >= n) {
            img->hide();
            continue;
        }
        img->move((w - (largo + passo * (n - 1))) / 2 + passo * i, alto);
        if (FormConfig) FormConfig->VelCarte1->CartaDalNumero(carte[i], img);
        NominaCarta(img, carte[i]);
        img->show();
        img->raise();
    }
    TitoloPresa->setText(TitoloUltimaPresa(lato, rete_ ? NomeAltro() : QString()));
    TitoloPresa->setGeometry(0, 6, w, alto - 8);
    // Over the middle of the felt, left of the command column.
    PannelloPresa->setGeometry(std::max(0, (604 - w) / 2), 150, w, h);
    PannelloPresa->show();
    PannelloPresa->raise();
    mostrate_ = carte;
    Annuncia(TitoloPresa->text() + ": " + ElencoCarte(carte));
    TimerPresa->stop();
    if (ms > 0) TimerPresa->start(ms);
}

void TFormTavolo::NascondiUltimaPresa()
{
    TimerPresa->stop();
    PannelloPresa->hide();
    mostrate_.clear();
}

std::vector<int> TFormTavolo::CarteUltimaPresaMostrate() const { return mostrate_; }

void TFormTavolo::PilaConUltimaPresa(QWidget* pila, int lato)
{
    if (!pila) return;
    pilePresa_[pila] = lato;
    pila->installEventFilter(this);
}

bool TFormTavolo::eventFilter(QObject* o, QEvent* e)
{
    // The strip appears on its timer: a screen reader hears it.
    if (o == Pubblicita->ChiudiPubblicita && e->type() == QEvent::Show && Pubblicita->InVista())
        Annuncia(QString::fromUtf8("Chiudi la pubblicità: tasto Invio"));
    // A won pile held down shows its side's latest capture until released.
    if (auto it = pilePresa_.find(o); it != pilePresa_.end()) {
        if (e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
            MostraUltimaPresa(it->second, 0);
        else if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
            NascondiUltimaPresa();
    }
    // A game timer that falls due under the advertisement waits for the panel to close.
    if (e->type() == QEvent::Timer && GiocoSospeso()) {
        auto* t = qobject_cast<QTimer*>(o);
        if (t && std::find(timerGioco_.begin(), timerGioco_.end(), t) != timerGioco_.end()) {
            SospendiGioco();
            return true;
        }
    }
    return TFinestra::eventFilter(o, e);
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
    // A screen reader hears the turn change hands (not every redraw of the same turn).
    const bool cambia = (computer ? Computer : Giocatore)->isHidden();
    Computer->setVisible(computer);
    Giocatore->setVisible(!computer);
    NomeGiocat->setVisible(!computer || !nomeColTurno);
    Computer->raise();
    Giocatore->raise();
    (computer ? Computer : Giocatore)->Ridisegna();
    DidascaliaTurno->setVisible(computer && rete_);
    DidascaliaTurno->raise();
    if (cambia)
        Annuncia(computer ? (rete_ ? DidascaliaTurno->text() : QStringLiteral("Turno del computer")) : QStringLiteral("Tocca a te"));
}

void TFormTavolo::NascondiTurno()
{
    Computer->hide();
    Giocatore->hide();
    DidascaliaTurno->hide();
}

void TFormTavolo::MostraEsito(const QString& testo, int ms)
{
    TimerEsito->stop();
    RigaEsito->setText(testo);
    RigaEsito->show();
    // Above the cards lying still; a card that flies later is raised over it.
    RigaEsito->raise();
    if (ms > 0) TimerEsito->start(ms);
    Annuncia(testo);
}

void TFormTavolo::NascondiEsito()
{
    TimerEsito->stop();
    RigaEsito->hide();
    RigaEsito->clear();
}

void TFormTavolo::SegnaSelezione(QImage& carta, const SagomaCarta& sagoma)
{
    if (carta.isNull()) return;
    // The card lies inside the slot on a margin of felt, with a soft shadow right and below
    // that the slot shows translucent: the rim is drawn inside the card's opaque part, so all
    // four sides show. Without a shape, the card is what differs from the far corner's felt.
    const QRgb felt = carta.pixel(carta.width() - 1, carta.height() - 1);
    const bool conSagoma = !sagoma.Vuota() && sagoma.Dimensione() == carta.size();
    int x0 = carta.width(), y0 = carta.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < carta.height(); ++y)
        for (int x = 0; x < carta.width(); ++x)
            if (conSagoma ? sagoma.Alfa(x, y) == 255 : carta.pixel(x, y) != felt) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    const QRectF faccia = x1 < 0 ? QRectF(carta.rect()) : QRectF(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
    const QRectF bordo = faccia.adjusted(2, 2, -2, -2);
    QPainter p(&carta);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(212, 160, 23), 3));  // the gold of the card frames
    p.drawRoundedRect(bordo, 5, 5);
}

QString TFormTavolo::StileTarghetta(const char* oggetto, int opacita)
{
    // A cream plaque with a gold rim, the colours of the card frames, with the captions' green.
    return QStringLiteral("QLabel#%1 { color: rgb(20, 86, 34); background: rgba(255, 250, 232, %2);"
                          " border: 2px solid rgb(200, 160, 48); border-radius: 10px; padding: 2px 12px; }")
        .arg(QLatin1String(oggetto))
        .arg(opacita);
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
    if (estrazioneDovuta_) {
        estrazioneDovuta_ = false;
        // A deal asked for under the panel before the table was left is not dealt on return.
        nuovaPartitaRinviata_ = false;
        Pubblicita->FormShow();
        if (Pubblicita->InVista()) Annuncia(QString::fromUtf8("Pubblicità"));
    }
    FormShow();
    // Back from the scores, configuration or help window the focus is where it was left.
    AggiungiComandiAlFocus();
    Focus->Inizia();
}

void TFormTavolo::RegistraTimerGioco(QTimer* t)
{
    if (!t) return;
    timerGioco_.push_back(t);
    // A timer started while the panel covers the table (a step already under way) is caught
    // at its first tick.
    t->installEventFilter(this);
}

bool TFormTavolo::GiocoSospeso() const { return Pubblicita && Pubblicita->InVista(); }

void TFormTavolo::SospendiGioco()
{
    for (QTimer* t : timerGioco_) {
        if (!t->isActive()) continue;
        t->stop();
        if (std::find(sospesi_.begin(), sospesi_.end(), t) == sospesi_.end()) sospesi_.push_back(t);
    }
}

void TFormTavolo::RiprendiGioco()
{
    std::vector<QTimer*> daRiprendere;
    daRiprendere.swap(sospesi_);
    for (QTimer* t : daRiprendere) t->start();
    if (nuovaPartitaRinviata_) {
        nuovaPartitaRinviata_ = false;
        NuovaPartitaClick();
    }
}


void TFormTavolo::ConfigurazioneClick() { ApriFinestra(FinestraConfig); }
void TFormTavolo::ChiudiClick()
{
    // Leaving a network game's table ends that game for both players.
    if (rete_) {
        rete_->Abbandona();
        FinePartitaRete();
        LasciaRete();
    }
    TornaIndietro();
}

QString TFormTavolo::NomeAltro() const
{
    return rete_ ? QString::fromStdString(rete_->NomeAvversario()) : QStringLiteral("Computer");
}

void TFormTavolo::ImpostaRete(ReteTavolo* rete)
{
    rete_ = rete;
    if (!rete) return;
    const QString nome = NomeAltro();
    rete->AttesaCambiata = [this, nome](bool attesa) {
        if (attesa)
            MostraEsito(QStringLiteral("In attesa di %1\u2026").arg(nome), 0);
        else
            NascondiEsito();
    };
    rete->Interrotta = [this](const std::string& perche) {
        for (QTimer* t : timerGioco_) t->stop();
        FinePartitaRete();
        NascondiTurno();
        MostraEsito(QString::fromStdString(perche) + QStringLiteral(" La partita è finita."), 0);
    };
    DidascaliaTurno->setText(QStringLiteral("Tocca a %1").arg(nome));
    Computer->setAccessibleName(QStringLiteral("Tocca a %1").arg(nome));
    // One network game per invitation: no new deal over it.
    NuovaPartita->hide();
    MostraNomeAltro();
}

bool TFormTavolo::MossaInSospeso()
{
    if (!rete_ || !rete_->AltroAssente()) return false;
    AnnunciaRifiuto(QStringLiteral("In attesa di %1\u2026").arg(NomeAltro()));
    return true;
}

void TFormTavolo::AvviaRete(ReteTavolo* rete, std::function<void()> inizio)
{
    inizioRete_ = false;
    ImpostaRete(rete);
    rete->StatoArrivato = [this, inizio = std::move(inizio)] {
        if (inizioRete_ || !rete_ || !rete_->Pronto()) return;
        inizioRete_ = true;
        inizio();
    };
    rete->Avvia();
}

void TFormTavolo::PartitaRetePersa()
{
    qWarning("Cartovia network: the %s table and the host no longer agree; the game stops", qPrintable(windowTitle()));
    FinePartitaRete();
    NascondiTurno();
    MostraEsito(QString::fromUtf8("La partita non è più allineata con l'altro tavolo: è finita."), 0);
    if (rete_) rete_->Abbandona();
}

void TFormTavolo::LasciaRete()
{
    if (!rete_) return;
    rete_->AttesaCambiata = nullptr;
    rete_->Interrotta = nullptr;
    rete_->StatoArrivato = nullptr;
    rete_ = nullptr;
    DidascaliaTurno->hide();
    Computer->setAccessibleName("Turno del computer");
    NuovaPartita->show();
    MostraNomeAltro();
}

bool TFormTavolo::SuoniAttivi() { return FormConfig && FormConfig->CBSuoni->isChecked(); }
bool TFormTavolo::CarteComputerScoperte() const { return !rete_ && FormConfig && FormConfig->CBComputer->isChecked(); }

void TFormTavolo::Suona(TWave* w)
{
    if (w && SuoniAttivi()) w->Play();
}

void TFormTavolo::SuonaSempre(TWave* w)
{
    if (w) w->Play();
}

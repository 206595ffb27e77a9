#include "app/TFormRete.h"

#include <QHideEvent>
#include <QKeyEvent>
#include <QNetworkInterface>
#include <QPainter>
#include <QRegularExpression>
#include <QShowEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "app/Finestre.h"
#include "app/PartitaInRete.h"
#include "app/TFormSplashScreen.h"
#include "core/Casuale.h"
#include "core/Globali.h"
#include "games/comune/Accessibilita.h"
#include "net/Invito.h"
#include "net/RicercaPartite.h"
#include "net/SessioneOspite.h"
#include "resources/Risorse.h"

namespace {

// Entries not announced again for this long have gone (a host announces every two seconds).
constexpr qint64 DurataVoce = 10000;

const QString ColoreTesto = QStringLiteral("rgb(74, 38, 16)");

QLabel* etichetta(QWidget* genitore, const QString& testo, int x, int y, int w, int h, int punti = 11)
{
    auto* l = new QLabel(testo, genitore);
    l->setGeometry(x, y, w, h);
    QFont f = l->font();
    f.setPointSize(punti);
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet("color: " + ColoreTesto + "; background: transparent;");
    return l;
}

QLineEdit* casella(QWidget* genitore, const QString& nome, const QString& accessibile, int x, int y, int w)
{
    auto* e = new QLineEdit(genitore);
    e->setObjectName(nome);
    e->setAccessibleName(accessibile);
    e->setGeometry(x, y, w, 26);
    QFont f = e->font();
    f.setPointSize(11);
    e->setFont(f);
    e->setStyleSheet("QLineEdit { background: rgb(255, 252, 240); color: rgb(40, 20, 8);"
                     " border: 1px solid rgb(74, 38, 16); border-radius: 3px; padding: 1px 4px; }"
                     "QLineEdit:focus { border: 2px solid rgb(46, 125, 70); }"
                     "QLineEdit:disabled { background: rgb(232, 225, 210); color: rgb(110, 100, 90); }");
    return e;
}

// Buttons drawn as the generated table buttons are: dark red with a gold line, gold under
// the mouse, grey when they cannot be used, and a bright ring with the keyboard's focus.
QPushButton* bottone(QWidget* genitore, const QString& nome, const QString& testo, int x, int y, int w = 135)
{
    auto* b = new QPushButton(testo, genitore);
    b->setObjectName(nome);
    b->setAccessibleName(testo);
    b->setGeometry(x, y, w, 34);
    b->setAutoDefault(true);  // Enter presses the button in focus
    b->setFocusPolicy(Qt::StrongFocus);
    b->setCursor(Qt::PointingHandCursor);
    QFont f = b->font();
    f.setPointSize(11);
    f.setBold(true);
    b->setFont(f);
    b->setStyleSheet(
        "QPushButton { color: #FFF1CF; border: 2px solid #22090A; border-radius: 4px; padding: 2px 8px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8A3424, stop:1 #4E170E); }"
        "QPushButton:hover { color: #3A1606; border-color: #5A2A0A;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FBE08A, stop:1 #D99A2B); }"
        "QPushButton:focus { border: 3px solid #F2C650; }"
        "QPushButton:disabled { color: #E4E1DA; border-color: #5E5B56;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #B9B6B0, stop:1 #8F8C86); }");
    return b;
}

QList<QHostAddress> indirizziMacchina()
{
    QList<QHostAddress> v;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto f = i.flags();
        if (!(f & QNetworkInterface::IsUp) || !(f & QNetworkInterface::IsRunning) || (f & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol) v.push_back(e.ip());
    }
    return v;
}

// The IPv4 broadcast address of each network this machine is on: announcements stay there.
QList<QHostAddress> indirizziBroadcast()
{
    QList<QHostAddress> v;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto f = i.flags();
        if (!(f & QNetworkInterface::IsUp) || !(f & QNetworkInterface::IsRunning) ||
            (f & QNetworkInterface::IsLoopBack) || !(f & QNetworkInterface::CanBroadcast))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol && !e.broadcast().isNull() && !v.contains(e.broadcast()))
                v.push_back(e.broadcast());
    }
    return v;
}

}  // namespace

TFormRete::TFormRete(QWidget* parent) : TFinestra(720, 500, parent)
{
    setWindowTitle("Gioca in rete");
    ImpostaSfondo(Risorse::SfondoRete);
    ConsegnaHost = GiocaInReteComeHost;
    ConsegnaOspite = GiocaInReteComeOspite;
    IndirizziMacchina = indirizziMacchina;
    DestinazioniAnnuncio = indirizziBroadcast;
    Orologio = Rete::OrologioReale();

    auto* titolo = etichetta(this, "Gioca in rete", 44, 26, 300, 34, 18);
    titolo->setObjectName("Titolo");

    // ---- Ospita: the left panel ----
    etichetta(this, "Ospita una partita", 52, 74, 284, 26, 13);
    auto* etGioco = etichetta(this, "&Gioco", 52, 110, 84, 26);
    CBGioco = new QComboBox(this);
    CBGioco->setObjectName("CBGioco");
    for (Rete::Gioco g : {Rete::Gioco::Scopa, Rete::Gioco::Briscola, Rete::Gioco::Rubamazzo})
        CBGioco->addItem(Rete::NomeGioco(g), static_cast<int>(g));
    CBGioco->setGeometry(140, 110, 196, 26);
    CBGioco->setAccessibleName("Gioco");
    CBGioco->setFocusPolicy(Qt::StrongFocus);
    etGioco->setBuddy(CBGioco);

    auto* etPortaOspita = etichetta(this, "&Porta", 52, 144, 84, 26);
    EditPortaOspita = casella(this, "EditPortaOspita", "Porta da aprire", 140, 144, 100);
    EditPortaOspita->setMaxLength(5);
    etPortaOspita->setBuddy(EditPortaOspita);

    BtnOspita = bottone(this, "BtnOspita", "Ospita", 52, 182);
    BtnOspita->setAccessibleDescription("Apre la partita scelta e mostra il codice di invito");
    BtnAnnullaOspita = bottone(this, "BtnAnnullaOspita", "Annulla invito", 201, 182);
    BtnAnnullaOspita->setAccessibleName("Annulla invito");
    BtnAnnullaOspita->setEnabled(false);

    EtichettaIndirizzi = etichetta(this, QString(), 52, 226, 284, 40, 10);
    EtichettaIndirizzi->setObjectName("EtichettaIndirizzi");
    EtichettaIndirizzi->setWordWrap(true);
    EtichettaIndirizzi->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    EtichettaPorta = etichetta(this, QString(), 52, 266, 284, 22, 10);
    EtichettaPorta->setObjectName("EtichettaPorta");
    etichetta(this, "Codice di invito", 52, 290, 284, 22, 10);
    EtichettaCodice = new QLabel(this);
    EtichettaCodice->setObjectName("EtichettaCodice");
    EtichettaCodice->setGeometry(52, 314, 284, 58);
    EtichettaCodice->setAlignment(Qt::AlignCenter);
    EtichettaCodice->setStyleSheet("color: #F6D98A; background: #174F2C; border: 2px solid #D9B25A; border-radius: 8px;");
    MostraCodice(QString());
    StatoOspita = etichetta(this, QString(), 52, 376, 284, 44, 10);
    StatoOspita->setObjectName("StatoOspita");
    StatoOspita->setWordWrap(true);

    // ---- Partecipa: the right panel ----
    etichetta(this, "Partecipa a una partita", 384, 74, 284, 26, 13);
    auto* etIndirizzo = etichetta(this, "&Indirizzo", 384, 110, 88, 26);
    EditIndirizzo = casella(this, "EditIndirizzo", "Indirizzo dell'host", 476, 110, 192);
    EditIndirizzo->setMaxLength(253);
    EditIndirizzo->setPlaceholderText("es. 192.168.1.5");
    etIndirizzo->setBuddy(EditIndirizzo);
    auto* etPorta = etichetta(this, "P&orta", 384, 144, 88, 26);
    EditPorta = casella(this, "EditPorta", "Porta dell'host", 476, 144, 100);
    EditPorta->setMaxLength(5);
    etPorta->setBuddy(EditPorta);
    auto* etCodice = etichetta(this, "&Codice", 384, 178, 88, 26);
    EditCodice = casella(this, "EditCodice", "Codice di invito", 476, 178, 100);
    EditCodice->setMaxLength(6);
    EditCodice->setPlaceholderText("6 cifre");
    etCodice->setBuddy(EditCodice);

    auto* etLista = etichetta(this, "Partite sulla &rete locale", 384, 210, 284, 22, 10);
    ListaPartite = new QListWidget(this);
    ListaPartite->setObjectName("ListaPartite");
    ListaPartite->setAccessibleName("Partite sulla rete locale");
    ListaPartite->setGeometry(384, 234, 284, 96);
    ListaPartite->setFocusPolicy(Qt::StrongFocus);
    ListaPartite->setStyleSheet("QListWidget { background: rgb(255, 252, 240); color: rgb(40, 20, 8);"
                                " border: 1px solid rgb(74, 38, 16); border-radius: 3px; }"
                                "QListWidget:focus { border: 2px solid rgb(46, 125, 70); }"
                                "QListWidget::item:selected { background: rgb(46, 125, 70); color: white; }");
    ListaPartite->setWordWrap(true);
    etLista->setBuddy(ListaPartite);

    BtnPartecipa = bottone(this, "BtnPartecipa", "Partecipa", 384, 338);
    BtnPartecipa->setAccessibleDescription("Si collega all'host con il codice di invito");
    BtnAnnullaPartecipa = bottone(this, "BtnAnnullaPartecipa", "Interrompi", 533, 338);
    BtnAnnullaPartecipa->setAccessibleName("Interrompi il collegamento");
    BtnAnnullaPartecipa->setEnabled(false);
    StatoPartecipa = etichetta(this, QString(), 384, 376, 284, 44, 10);
    StatoPartecipa->setObjectName("StatoPartecipa");
    StatoPartecipa->setWordWrap(true);

    BtnChiudi = bottone(this, "BtnChiudi", "Chiudi", 292, 436);
    BtnChiudi->setAccessibleDescription("Tasto Esc");

    Annuncio = new RegioneAnnunci(this);
    Annuncio->setObjectName("Annuncio");

    TimerRicerca = new QTimer(this);
    TimerRicerca->setInterval(1000);
    connect(TimerRicerca, &QTimer::timeout, this, [this] { TimerRicercaTimer(); });

    connect(BtnOspita, &QPushButton::clicked, this, [this] { BtnOspitaClick(); });
    connect(BtnAnnullaOspita, &QPushButton::clicked, this, [this] { BtnAnnullaOspitaClick(); });
    connect(BtnPartecipa, &QPushButton::clicked, this, [this] { BtnPartecipaClick(); });
    connect(BtnAnnullaPartecipa, &QPushButton::clicked, this, [this] { BtnAnnullaPartecipaClick(); });
    connect(BtnChiudi, &QPushButton::clicked, this, [this] { BtnChiudiClick(); });
    // Enter in a box does what the button of its panel does.
    connect(EditPortaOspita, &QLineEdit::returnPressed, this, [this] { BtnOspitaClick(); });
    for (QLineEdit* e : {EditIndirizzo, EditPorta, EditCodice})
        connect(e, &QLineEdit::returnPressed, this, [this] { BtnPartecipaClick(); });
    connect(ListaPartite, &QListWidget::currentRowChanged, this, [this] { ListaPartiteChange(); });
    // Enter or a double-click on a game: its address is in, the code is what is left to type.
    connect(ListaPartite, &QListWidget::itemActivated, this, [this] {
        ListaPartiteChange();
        if (!EditIndirizzo->text().isEmpty()) EditCodice->setFocus(Qt::OtherFocusReason);
    });

    QWidget* ordine[] = {CBGioco, EditPortaOspita, BtnOspita, BtnAnnullaOspita, EditIndirizzo, EditPorta,
                         EditCodice, ListaPartite, BtnPartecipa, BtnAnnullaPartecipa, BtnChiudi};
    for (size_t i = 1; i < std::size(ordine); ++i) setTabOrder(ordine[i - 1], ordine[i]);

    EditPortaOspita->setText(QString::number(Rete::PortaPredefinita));
    EditPorta->setText(QString::number(Rete::PortaPredefinita));
}

TFormRete::~TFormRete()
{
    // The sessions are children: a waiting host or a connecting guest closes with the window.
    blockSignals(true);
    FineOspita();
    FinePartecipa();
}

void TFormRete::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.translate(Origine());
    if (!Sfondo().isNull())
        DisegnaSfondo(p);
    else
        p.fillRect(QRect(QPoint(), DimensioneBase()), QColor(240, 228, 200));
}

void TFormRete::showEvent(QShowEvent* e)
{
    TFinestra::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TFormRete::hideEvent(QHideEvent* e)
{
    TFinestra::hideEvent(e);
    if (!e->spontaneous()) FormHide();
}

void TFormRete::FormShow()
{
    AvviaRicerca();
    CBGioco->setFocus(Qt::OtherFocusReason);
}

void TFormRete::FormHide()
{
    // Closing the window gives up what it was doing: nobody is left waiting for a window
    // that is gone.
    FineOspita();
    FinePartecipa();
    TimerRicerca->stop();
    delete ricerca_;
    ricerca_ = nullptr;
    ricercaAttiva_ = false;
    trovate_.clear();
    MostraLista();
    EtichettaIndirizzi->clear();
    EtichettaPorta->clear();
    MostraCodice(QString());
}

void TFormRete::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        BtnChiudiClick();
        return;
    }
    TFinestra::keyPressEvent(e);
}

std::optional<quint16> TFormRete::LeggiPorta(const QString& testo)
{
    const QString t = testo.trimmed();
    if (t.isEmpty() || t.size() > 5) return std::nullopt;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    const int n = t.toInt();
    if (n < 1 || n > 65535) return std::nullopt;
    return static_cast<quint16>(n);
}

bool TFormRete::IndirizzoValido(const QString& testo)
{
    const QString t = testo.trimmed();
    if (t.isEmpty() || t.size() > 253) return false;
    // Digits and dots are an IPv4 address written out in full: "192.168.1" would otherwise
    // be read as 192.168.0.1, a machine the player never meant.
    static const QRegularExpression soloNumeri(QStringLiteral("^[0-9.]+$"));
    if (soloNumeri.match(t).hasMatch()) {
        const QStringList parti = t.split(QLatin1Char('.'));
        if (parti.size() != 4) return false;
        for (const QString& p : parti)
            if (p.isEmpty() || p.size() > 3 || p.toInt() > 255) return false;
        return !QHostAddress(t).isNull();
    }
    if (t.contains(QLatin1Char(':'))) return !QHostAddress(t).isNull();
    static const QRegularExpression nome(
        QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*\\.?$"));
    return nome.match(t).hasMatch();
}

QString TFormRete::CodiceLeggibile(const QString& codice)
{
    return codice.size() == 6 ? codice.left(3) + QLatin1Char(' ') + codice.mid(3) : codice;
}

void TFormRete::MostraCodice(const QString& codice)
{
    // Large digits in two groups to read out; a screen reader spells them one by one.
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setBold(true);
    f.setPointSize(codice.isEmpty() ? 11 : 30);
    EtichettaCodice->setFont(f);
    if (codice.isEmpty()) {
        EtichettaCodice->setText(QStringLiteral("Il codice appare qui"));
        EtichettaCodice->setAccessibleName(QStringLiteral("Codice di invito: nessuno"));
        return;
    }
    EtichettaCodice->setText(CodiceLeggibile(codice));
    QStringList cifre;
    for (QChar c : codice) cifre << QString(c);
    EtichettaCodice->setAccessibleName(QStringLiteral("Codice di invito: ") + cifre.join(QLatin1Char(' ')));
}

QString TFormRete::NomeInRete() const
{
    // The name travels as at most MassimoNome printable characters.
    QString nome;
    for (QChar c : QString::fromStdString(NomeGiocatoreCorrente()))
        if (c.isPrint()) nome += c;
    nome = nome.trimmed().left(Rete::MassimoNome).trimmed();
    return nome.isEmpty() ? QStringLiteral("Giocatore") : nome;
}

void TFormRete::Messaggio(QLabel* stato, const QString& testo, bool errore)
{
    stato->setText(testo);
    stato->setStyleSheet(QStringLiteral("color: %1; background: transparent;")
                             .arg(errore ? QStringLiteral("rgb(160, 20, 20)") : ColoreTesto));
    stato->setAccessibleName(testo);
    if (testo.isEmpty()) return;
    ::Annuncia(Annuncio, testo);
    qInfo("Cartovia network window: %s", qPrintable(testo));
}

// ---------------------------------------------------------------- hosting

void TFormRete::BtnOspitaClick()
{
    if (host_) return;
    if (PartitaInReteAperta()) {
        Messaggio(StatoOspita, "Una partita in rete è già aperta.", true);
        return;
    }
    const auto porta = LeggiPorta(EditPortaOspita->text());
    if (!porta) {
        Messaggio(StatoOspita, "La porta deve essere un numero da 1 a 65535.", true);
        EditPortaOspita->setFocus(Qt::OtherFocusReason);
        EditPortaOspita->selectAll();
        return;
    }
    const auto gioco = static_cast<Rete::Gioco>(CBGioco->currentData().toInt());
    // The deal follows the run's seed source, so CARTOVIA_SEED replays a network game too.
    Casuale casuale;
    casuale.SemeDallOrologio("rete");
    host_ = new Rete::SessioneHost(this);
    host_->ImpostaOrologio(Orologio);
    if (!host_->Avvia(gioco, NomeInRete(), Rete::NuovoCodice(), casuale.Prossimo(), IndirizzoAscolto, *porta)) {
        const QString errore = host_->Errore();
        delete host_;
        host_ = nullptr;
        Messaggio(StatoOspita, QStringLiteral("La porta %1 non si può aprire (forse è già in uso): scegline un'altra.")
                                   .arg(*porta),
                  true);
        qWarning("Cartovia network window: %s", qPrintable(errore));
        EditPortaOspita->setFocus(Qt::OtherFocusReason);
        EditPortaOspita->selectAll();
        return;
    }
    connect(host_, &Rete::SessioneHost::OspiteArrivato, this, [this] { OspiteArrivato(); });
    connect(host_, &Rete::SessioneHost::PartitaTerminata, this,
            [this](int, const QString& perche) { HostTerminato(perche); });
    if (DestinazioniAnnuncio)
        for (const QHostAddress& d : DestinazioniAnnuncio()) host_->AnnunciaSu(d, PortaAnnunci);

    const QList<QHostAddress> indirizzi = IndirizziMacchina ? IndirizziMacchina() : QList<QHostAddress>();
    QStringList testi;
    for (const QHostAddress& a : indirizzi) testi << a.toString();
    EtichettaIndirizzi->setText(testi.isEmpty() ? QStringLiteral("Nessuna rete: solo da questo computer (127.0.0.1)")
                                                : QStringLiteral("Indirizzo: ") + testi.join(QStringLiteral(", ")));
    EtichettaIndirizzi->setAccessibleName(EtichettaIndirizzi->text());
    EtichettaPorta->setText(QStringLiteral("Porta: %1").arg(host_->Porta()));
    EtichettaPorta->setAccessibleName(EtichettaPorta->text());
    MostraCodice(host_->Codice());
    Messaggio(StatoOspita, QStringLiteral("In attesa di un avversario… (%1)").arg(Rete::NomeGioco(gioco)), false);
    // A player who cannot see the window hears what to tell the friend: the code digit by
    // digit, the address and the port (said, never logged).
    ::Annuncia(Annuncio, EtichettaCodice->accessibleName() + QStringLiteral(". ") + EtichettaIndirizzi->text() +
                             QStringLiteral(". ") + EtichettaPorta->text());

    CBGioco->setEnabled(false);
    EditPortaOspita->setEnabled(false);
    BtnOspita->setEnabled(false);
    BtnAnnullaOspita->setEnabled(true);
    BtnAnnullaOspita->setFocus(Qt::OtherFocusReason);    MostraLista();
}

void TFormRete::OspiteArrivato()
{
    Rete::SessioneHost* s = host_;
    if (!s) return;
    // From here on the table owns the session: the window lets go of it before closing.
    s->disconnect(this);
    s->setParent(nullptr);
    host_ = nullptr;
    FineOspita();
    Esci();
    if (ConsegnaHost) ConsegnaHost(s);
}

void TFormRete::HostTerminato(const QString& perche)
{
    FineOspita();
    Messaggio(StatoOspita, perche + QStringLiteral(" Puoi ospitare di nuovo."), true);
}

void TFormRete::BtnAnnullaOspitaClick()
{
    if (!host_) return;
    FineOspita();
    Messaggio(StatoOspita, "Invito annullato.", false);
    BtnOspita->setFocus(Qt::OtherFocusReason);
}

void TFormRete::FineOspita()
{
    if (host_) {
        Rete::SessioneHost* s = host_;
        host_ = nullptr;
        s->disconnect(this);
        s->Chiudi();
        s->deleteLater();
    }
    CBGioco->setEnabled(true);
    EditPortaOspita->setEnabled(true);
    BtnOspita->setEnabled(true);
    BtnAnnullaOspita->setEnabled(false);
    if (ListaPartite) MostraLista();
}

// ---------------------------------------------------------------- joining

void TFormRete::BtnPartecipaClick()
{
    if (ospite_) return;
    if (PartitaInReteAperta()) {
        Messaggio(StatoPartecipa, "Una partita in rete è già aperta.", true);
        return;
    }
    auto sbagliato = [this](QLineEdit* e, const QString& testo) {
        Messaggio(StatoPartecipa, testo, true);
        e->setFocus(Qt::OtherFocusReason);
        e->selectAll();
    };
    const QString indirizzo = EditIndirizzo->text().trimmed();
    if (indirizzo.isEmpty())
        return sbagliato(EditIndirizzo, "Scrivi l'indirizzo dell'host (per esempio 192.168.1.5) o scegli una partita dalla lista.");
    if (!IndirizzoValido(indirizzo))
        return sbagliato(EditIndirizzo, QStringLiteral("«%1» non è un indirizzo valido.").arg(indirizzo.left(40)));
    const auto porta = LeggiPorta(EditPorta->text());
    if (!porta) return sbagliato(EditPorta, "La porta deve essere un numero da 1 a 65535.");
    const QString codice = EditCodice->text().trimmed();
    if (!Rete::CodiceValido(codice)) return sbagliato(EditCodice, "Il codice di invito è di sei cifre.");

    ospite_ = new Rete::SessioneOspite(this);
    ospite_->ImpostaOrologio(Orologio);
    connect(ospite_, &Rete::SessioneOspite::Ammesso, this, [this] { Ammesso(); });
    connect(ospite_, &Rete::SessioneOspite::PartitaTerminata, this,
            [this](int, const QString& perche) { OspiteTerminato(perche); });
    if (!ospite_->Collega(indirizzo, *porta, codice, NomeInRete())) {
        FinePartecipa();
        Messaggio(StatoPartecipa, "Collegamento non avviato: controlla il codice e il tuo nome.", true);
        return;
    }
    Messaggio(StatoPartecipa, QStringLiteral("Collegamento a %1, porta %2…").arg(indirizzo).arg(*porta), false);
    for (QWidget* w : std::initializer_list<QWidget*>{EditIndirizzo, EditPorta, EditCodice, ListaPartite, BtnPartecipa})
        w->setEnabled(false);
    BtnAnnullaPartecipa->setEnabled(true);
    BtnAnnullaPartecipa->setFocus(Qt::OtherFocusReason);
}

void TFormRete::Ammesso()
{
    Rete::SessioneOspite* s = ospite_;
    if (!s) return;
    s->disconnect(this);
    s->setParent(nullptr);
    ospite_ = nullptr;
    FinePartecipa();
    Esci();
    if (ConsegnaOspite) ConsegnaOspite(s);
}

void TFormRete::OspiteTerminato(const QString& perche)
{
    const bool codice = perche.startsWith(QStringLiteral("Codice di invito errato"));
    FinePartecipa();
    Messaggio(StatoPartecipa, perche + QStringLiteral(" Puoi riprovare."), true);
    // A wrong code is the one thing to type again.
    QLineEdit* dove = codice ? EditCodice : EditIndirizzo;
    dove->setFocus(Qt::OtherFocusReason);
    dove->selectAll();
}

void TFormRete::BtnAnnullaPartecipaClick()
{
    if (!ospite_) return;
    FinePartecipa();
    Messaggio(StatoPartecipa, "Collegamento interrotto.", false);
    BtnPartecipa->setFocus(Qt::OtherFocusReason);
}

void TFormRete::FinePartecipa()
{
    if (ospite_) {
        Rete::SessioneOspite* s = ospite_;
        ospite_ = nullptr;
        s->disconnect(this);
        s->Chiudi();
        s->deleteLater();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{EditIndirizzo, EditPorta, EditCodice, BtnPartecipa})
        w->setEnabled(true);
    ListaPartite->setEnabled(ricercaAttiva_);
    BtnAnnullaPartecipa->setEnabled(false);
}

// ---------------------------------------------------------------- the list

void TFormRete::AvviaRicerca()
{
    delete ricerca_;
    ricerca_ = new Rete::RicercaPartite(this);
    trovate_.clear();
    ricercaAttiva_ = ricerca_->Ascolta(IndirizzoRicerca, PortaRicerca);
    if (ricercaAttiva_) {
        connect(ricerca_, &Rete::RicercaPartite::Trovata, this, [this](const Rete::PartitaTrovata& p) { Annunciata(p); });
        TimerRicerca->start();
    }
    ListaPartite->setEnabled(ricercaAttiva_ && !ospite_);
    MostraLista();
}

void TFormRete::Annunciata(const Rete::PartitaTrovata& p)
{
    const qint64 ora = Orologio();
    for (Trovata& t : trovate_)
        if (t.indirizzo == p.indirizzo && t.annuncio.porta == p.annuncio.porta) {
            const bool cambiata = t.annuncio.gioco != p.annuncio.gioco || t.annuncio.nomeHost != p.annuncio.nomeHost;
            t.annuncio = p.annuncio;
            t.visto = ora;
            if (cambiata) MostraLista();
            return;
        }
    trovate_.push_back({p.indirizzo, p.annuncio, ora});
    MostraLista();
}

void TFormRete::TimerRicercaTimer()
{
    const qint64 ora = Orologio();
    const auto prima = trovate_.size();
    trovate_.erase(std::remove_if(trovate_.begin(), trovate_.end(),
                                  [ora](const Trovata& t) { return ora - t.visto > DurataVoce; }),
                   trovate_.end());
    if (trovate_.size() != prima) MostraLista();
}

void TFormRete::MostraLista()
{
    // This window's own invitation, heard back from the network, is no game to join.
    const QList<QHostAddress> mie = host_ && IndirizziMacchina ? IndirizziMacchina() : QList<QHostAddress>();
    std::vector<const Trovata*> visibili;
    for (const Trovata& t : trovate_)
        if (!(host_ && t.annuncio.porta == host_->Porta() && (t.indirizzo.isLoopback() || mie.contains(t.indirizzo))))
            visibili.push_back(&t);
    // The choice stays on the same game when the list changes around it.
    const QListWidgetItem* prima = ListaPartite->currentItem();
    const QString sceltaChiave = prima ? prima->data(Qt::UserRole).toString() : QString();
    {
        const QSignalBlocker blocco(ListaPartite);
        ListaPartite->clear();
        if (!ricercaAttiva_ && ricerca_) {
            auto* v = new QListWidgetItem(QStringLiteral("Ricerca non disponibile: la porta UDP %1 è usata da un altro "
                                                         "programma. Scrivi l'indirizzo dell'host.")
                                              .arg(PortaRicerca),
                                          ListaPartite);
            v->setFlags(Qt::NoItemFlags);
            v->setToolTip(v->text());
        } else if (visibili.empty()) {
            auto* v = new QListWidgetItem(QStringLiteral("Nessuna partita trovata finora"), ListaPartite);
            v->setFlags(Qt::NoItemFlags);
        }
        for (const Trovata* t : visibili) {
            QString testo = QStringLiteral("%1 – %2 (%3")
                                .arg(Rete::NomeGioco(t->annuncio.gioco), t->annuncio.nomeHost, t->indirizzo.toString());
            if (t->annuncio.porta != Rete::PortaPredefinita) testo += QStringLiteral(", porta %1").arg(t->annuncio.porta);
            testo += QLatin1Char(')');
            auto* v = new QListWidgetItem(testo, ListaPartite);
            const QString chiave = t->indirizzo.toString() + QLatin1Char(' ') + QString::number(t->annuncio.porta);
            v->setData(Qt::UserRole, chiave);
            if (chiave == sceltaChiave) ListaPartite->setCurrentItem(v);
        }
    }
    emit ListaCambiata();
}

void TFormRete::ListaPartiteChange()
{
    const QListWidgetItem* v = ListaPartite->currentItem();
    if (!v) return;
    const QStringList chiave = v->data(Qt::UserRole).toString().split(QLatin1Char(' '));
    if (chiave.size() != 2) return;
    EditIndirizzo->setText(chiave[0]);
    EditPorta->setText(chiave[1]);
}

// ---------------------------------------------------------------- closing

void TFormRete::BtnChiudiClick()
{
    FineOspita();
    FinePartecipa();
    Esci();
}

void TFormRete::Esci()
{
    // Back to the window below when opened through the chooser's stack.
    if (FormSplashScreen && FormSplashScreen->Pila().Cima() == FinestraRete)
        TornaIndietro();
    else
        hide();
}

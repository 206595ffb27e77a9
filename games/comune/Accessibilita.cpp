#include "games/comune/Accessibilita.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QTimer>
#include <QVariant>

#include "components/VelImage.h"
#include "components/VelmoBottone.h"
#include "core/Carte.h"

namespace {

const char* const ProprietaValore = "cartoviaValore";
const char* const ProprietaFocus = "cartoviaFocus";
const char* const ProprietaSelezionata = "cartoviaSelezionata";

// Only places of the keyboard's focus are focusable (a picture that is only shown, as the
// configuration's deck preview, is not).
QAccessible::State StatoConFocus(QAccessible::State s, const QWidget* w)
{
    s.focusable = w->property(ProprietaFocus).isValid();
    s.focused = w->property(ProprietaFocus).toBool();
    return s;
}

const QString& AzioneGioca()
{
    static const QString a = QStringLiteral("Gioca");
    return a;
}

OsservatoreAnnunci& Osservatore()
{
    static OsservatoreAnnunci o;
    return o;
}

// A card slot: a picture whose name is its card and whose description is its place.
class AccessibileSlot : public QAccessibleWidget {
public:
    explicit AccessibileSlot(QWidget* w) : QAccessibleWidget(w, QAccessible::Graphic) {}
    QString text(QAccessible::Text t) const override
    {
        const auto* img = static_cast<const VelImage*>(widget());
        if (t == QAccessible::Value) return ValoreAccessibile(img);
        if (t == QAccessible::Name && !img->HaPicture() && img->property(ProprietaValore).isNull())
            return QStringLiteral("posto vuoto");
        if (t == QAccessible::Name && img->property(ProprietaSelezionata).toBool())
            return QAccessibleWidget::text(t) + QStringLiteral(", selezionata");
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = StatoConFocus(QAccessibleWidget::state(), widget());
        if (widget()->property(ProprietaSelezionata).isValid()) {
            s.selectable = true;
            s.selected = widget()->property(ProprietaSelezionata).toBool();
        }
        return s;
    }
    // A card of the table's places plays as a double-click does, so a reader can activate it.
    QStringList actionNames() const override
    {
        return widget()->property(ProprietaFocus).isValid() ? QStringList{AzioneGioca()} : QStringList{};
    }
    void doAction(const QString& azione) override
    {
        auto* img = static_cast<VelImage*>(widget());
        if (azione == AzioneGioca() && img->property(ProprietaFocus).isValid() && img->HaPicture()
            && img->isVisible())
            emit img->DoppioClic();
    }
};

// A picture button: a push button named by its caption, unavailable while disabled.
class AccessibileBottone : public QAccessibleWidget {
public:
    explicit AccessibileBottone(QWidget* w) : QAccessibleWidget(w, QAccessible::Button)
    {
        addControllingSignal(QStringLiteral("Click()"));
    }
    QString text(QAccessible::Text t) const override
    {
        const auto* b = static_cast<const VelmoBottone*>(widget());
        if (t == QAccessible::Name && b->accessibleName().isEmpty()) return b->Caption();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override { return StatoConFocus(QAccessibleWidget::state(), widget()); }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& azione) override
    {
        auto* b = static_cast<VelmoBottone*>(widget());
        if (azione == pressAction() && b->isEnabled() && b->isVisible()) emit b->Click();
    }
};

// The live label: a notification named by its latest announcement.
class AccessibileAnnuncio : public QAccessibleWidget {
public:
    explicit AccessibileAnnuncio(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) return widget()->accessibleName();
        return QAccessibleWidget::text(t);
    }
};

void InviaEvento(QAccessibleEvent* e)
{
    if (Osservatore()) Osservatore()(e);
    QAccessible::updateAccessibility(e);
}

// A window of the program: a frame, or a dialog for the small windows laid over a table.
class AccessibileFinestra : public QAccessibleWidget {
public:
    explicit AccessibileFinestra(QWidget* w)
        : QAccessibleWidget(w, Dialogo(w) ? QAccessible::Dialog : QAccessible::Window)
    {
    }
    static bool Dialogo(const QObject* o)
    {
        for (const char* classe : {"TFormAiuto", "TFormConfig", "TFormPunteggi", "TFormAlternative"})
            if (o->inherits(classe)) return true;
        return false;
    }
    QString text(QAccessible::Text t) const override
    {
        const QString testo = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && testo.isEmpty()) return widget()->windowTitle();
        return testo;
    }
};

QAccessibleInterface* Fabbrica(const QString& classe, QObject* o)
{
    if (!o || !o->isWidgetType()) return nullptr;
    if (classe == QLatin1String("VelImage")) return new AccessibileSlot(static_cast<QWidget*>(o));
    if (classe == QLatin1String("VelmoBottone")) return new AccessibileBottone(static_cast<QWidget*>(o));
    if (classe == QLatin1String("RegioneAnnunci")) return new AccessibileAnnuncio(static_cast<QWidget*>(o));
    if (classe == QLatin1String("TFinestra") && static_cast<QWidget*>(o)->isWindow())
        return new AccessibileFinestra(static_cast<QWidget*>(o));
    return nullptr;
}

}  // namespace

QString NomeCartaParlato(int carta)
{
    if (carta < 1 || carta > CarteNelMazzo) return {};
    static const char* const numeri[] = {"",      "Asso", "Due",   "Tre",   "Quattro", "Cinque",
                                         "Sei",   "Sette", "Fante", "Cavallo", "Re"};
    return QStringLiteral("%1 di %2").arg(numeri[NumeroCarta(carta)], NomeSeme(SemeCarta(carta)));
}

QString CartaConArticolo(int carta)
{
    const QString nome = NomeCartaParlato(carta);
    if (nome.isEmpty()) return nome;
    return (NumeroCarta(carta) == 1 ? QStringLiteral("l'") : QStringLiteral("il ")) + nome;
}

QString ElencoCarte(const std::vector<int>& carte)
{
    QStringList nomi;
    for (int c : carte)
        if (const QString n = CartaConArticolo(c); !n.isEmpty()) nomi << n;
    if (nomi.size() < 2) return nomi.join(QString());
    const QString ultima = nomi.takeLast();
    return nomi.join(QStringLiteral(", ")) + QStringLiteral(" e ") + ultima;
}

void NominaCarta(QWidget* slot, int carta)
{
    if (!slot) return;
    const QString nome = carta == CartaCoperta ? QStringLiteral("carta coperta") : NomeCartaParlato(carta);
    slot->setAccessibleName(nome.isEmpty() ? QStringLiteral("posto vuoto") : nome);
}

void NominaContatore(QWidget* w, const QString& cosa, int valore, const QString& detto)
{
    if (!w) return;
    const QVariant prima = w->property(ProprietaValore);
    w->setProperty(ProprietaValore, valore);
    w->setAccessibleName(QStringLiteral("%1: %2").arg(cosa, detto.isEmpty() ? QString::number(valore) : detto));
    // A reader resting on the counter hears it change; elsewhere the window announces it,
    // once for the digits that make one counter, and only when the value is new (a deal, a
    // point won), not each time the table is drawn.
    if (!prima.isNull() && prima.toInt() != valore) {
        QAccessibleValueChangeEvent cambiato(w, valore);
        InviaEvento(&cambiato);
        auto* regione = w->window()->findChild<RegioneAnnunci*>(QString(), Qt::FindDirectChildrenOnly);
        if (regione && w->isVisible() && !regione->DaDire().contains(w->accessibleName()))
            Annuncia(regione, w->accessibleName());
    }
}

QString ValoreAccessibile(const QWidget* w)
{
    if (!w) return {};
    const QVariant v = w->property(ProprietaValore);
    return v.isNull() ? QString() : v.toString();
}

void SegnaFocusAccessibile(QWidget* w, bool focus)
{
    if (w) w->setProperty(ProprietaFocus, focus);
}

void SegnaSelezionata(QWidget* slot, bool selezionata)
{
    if (!slot) return;
    const bool prima = slot->property(ProprietaSelezionata).toBool();
    slot->setProperty(ProprietaSelezionata, selezionata);
    if (prima == selezionata) return;
    QAccessible::State cambiato;
    cambiato.selected = true;
    QAccessibleStateChangeEvent e(slot, cambiato);
    QAccessible::updateAccessibility(&e);
}

void InstallaAccessibilita()
{
    static bool installata = false;
    if (installata) return;
    installata = true;
    QAccessible::installFactory(Fabbrica);
}

RegioneAnnunci::RegioneAnnunci(QWidget* finestra) : QLabel(finestra)
{
    setObjectName("Annuncio");
    setGeometry(0, 0, 1, 1);
    setStyleSheet("color: transparent; background: transparent;");
    lower();
    TimerAnnuncio = new QTimer(this);
    TimerAnnuncio->setSingleShot(true);
    TimerAnnuncio->setInterval(0);
    connect(TimerAnnuncio, &QTimer::timeout, this, [this] { Invia(); });
    // Hidden until there is something to say: a window shown again must not show the label
    // with it, or a reader would say an empty or an old notification.
    hide();
    finestra->installEventFilter(this);
}

bool RegioneAnnunci::eventFilter(QObject* o, QEvent* e)
{
    if (o == parent() && e->type() == QEvent::Hide) hide();
    return QLabel::eventFilter(o, e);
}

void RegioneAnnunci::Accoda(const QString& testo)
{
    daDire_ << testo;
    TimerAnnuncio->start();
}

void RegioneAnnunci::Invia()
{
    TimerAnnuncio->stop();
    if (daDire_.isEmpty()) return;
    QString frase;
    for (const QString& t : std::as_const(daDire_)) {
        if (!frase.isEmpty()) frase += frase.endsWith(QLatin1Char('!')) || frase.endsWith(QLatin1Char('.')) ? " " : ". ";
        frase += t;
    }
    daDire_.clear();
    setAccessibleName(frase);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    show();
    lower();
    QAccessibleAnnouncementEvent annuncio(this, frase);
    InviaEvento(&annuncio);
#else
    // Hidden and shown again: the label becomes showing with the new name, which Orca speaks
    // as a notification. Showing sends the accessibility event itself; the observer sees it.
    hide();
    show();
    lower();
    if (Osservatore() && isVisible()) {
        QAccessibleEvent mostrata(this, QAccessible::ObjectShow);
        Osservatore()(&mostrata);
    }
#endif
}

void Annuncia(QLabel* regione, const QString& testo)
{
    if (!regione || testo.isEmpty()) return;
    regione->setText(testo);
    if (auto* r = qobject_cast<RegioneAnnunci*>(regione)) {
        // Its name changes only when the turn's sentences are said: Orca speaks a name
        // change of a notification already shown, and would say each sentence twice.
        QAccessibleEvent nome(regione, QAccessible::NameChanged);
        if (Osservatore()) Osservatore()(&nome);
        r->Accoda(testo);
        return;
    }
    regione->setAccessibleName(testo);
    QAccessibleEvent nome(regione, QAccessible::NameChanged);
    InviaEvento(&nome);
}

void ImpostaOsservatoreAnnunci(OsservatoreAnnunci o) { Osservatore() = std::move(o); }

void InviaEventoAccessibile(QAccessibleEvent* e) { InviaEvento(e); }

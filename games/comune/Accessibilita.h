#pragma once
// What a screen reader hears on the tables: card slots say their card in Italian, counters
// say what they count, picture buttons their captions, and each move is announced through a
// live label. Qt's accessibility passes all of it to AT-SPI on Linux.
#include <QLabel>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QAccessibleEvent;
class QTimer;
class QWidget;

// A face-down card, for NominaCarta.
constexpr int CartaCoperta = -1;

// "Sette di Denari", "Asso di Coppe", "Re di Spade"; empty for anything outside 1..40.
QString NomeCartaParlato(int carta);
// With its article, as said in a sentence: "il Sette di Denari", "l'Asso di Coppe".
QString CartaConArticolo(int carta);
// Several cards joined as spoken: "il Tre di Spade, il Due di Coppe e l'Asso di Denari".
QString ElencoCarte(const std::vector<int>& carte);

// Names a card slot by the card it now shows (CartaCoperta: "carta coperta"). A slot without
// a picture always reads "posto vuoto", whatever it was named last.
void NominaCarta(QWidget* slot, int carta);
// Names a counter "Carte rimanenti: 12" and gives it the value 12; `detto` replaces the
// number in the name when it reads otherwise ("7 e mezzo"). A shown counter whose value
// changes is announced through its window's live label, once a turn.
void NominaContatore(QWidget* w, const QString& cosa, int valore, const QString& detto = {});
// The accessible value of a widget named by NominaContatore (empty for others).
QString ValoreAccessibile(const QWidget* w);

// Marks the place the keyboard's focus is on (the picture controls take no Qt focus of
// their own): a screen reader sees it as the focused object. A control once marked is
// focusable, and a card slot so marked offers the action "Gioca".
void SegnaFocusAccessibile(QWidget* w, bool focus);

// Marks a card slot selected (Rubamazzo's chosen card): it has the selected state and its
// name ends in ", selezionata".
void SegnaSelezionata(QWidget* slot, bool selezionata);

// Installs the accessible interfaces of the card slots and picture buttons (once).
void InstallaAccessibilita();

// The live label a window announces through: 1 x 1 and under the window's other controls, out
// of sight; screen readers see it as a notification. What is announced during one turn of the
// event loop is said as one sentence when the turn ends: a reader handed a second notification
// before it has read the first drops the first.
class RegioneAnnunci : public QLabel {
    Q_OBJECT
public:
    explicit RegioneAnnunci(QWidget* finestra);
    // Adds `testo` to what the label says when the turn ends.
    void Accoda(const QString& testo);
    // Says what has gathered: the label is named by it and shown again (the timer's handler).
    void Invia();
    // The sentences still to be said.
    const QStringList& DaDire() const { return daDire_; }
    QTimer* TimerAnnuncio = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QStringList daDire_;
};

// Announces `testo` through the live label (its text changes at once, and a name change goes
// out for each sentence). Orca 43 ignores name changes on labels; it speaks a notification
// that becomes showing, so the label is shown again, named by the sentences of the turn (with
// Qt 6.8 or later, an announcement event says them instead).
void Annuncia(QLabel* regione, const QString& testo);
// Sees every announcement event before it goes to the accessibility layer: for a
// RegioneAnnunci a name change as each sentence is announced (the sentence is the label's
// text), and its showing once the turn's sentences are said (its name). Without an
// assistive technology listening (as on the headless test platform) Qt drops the events, so
// tests watch them here.
using OsservatoreAnnunci = std::function<void(QAccessibleEvent*)>;
void ImpostaOsservatoreAnnunci(OsservatoreAnnunci o);
// Sends an event a window raises by hand (a focus move inside a control, a counter's new
// value) to the accessibility layer, past the observer above.
void InviaEventoAccessibile(QAccessibleEvent* e);

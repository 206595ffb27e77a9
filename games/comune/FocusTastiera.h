#pragma once
// Keyboard focus over picture controls that take no focus of their own (card slots and
// picture buttons): an ordered list of places, the one in focus, and a gold frame drawn
// around it. The frame shows only once the player has used a key, so mouse players never
// see it. Activating a place goes through the same signal a mouse double-click (card) or
// click (button) sends, so the same handlers and the same refusals apply.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

class CorniceFocus;
class QTimer;

class FocusTastiera : public QObject {
    Q_OBJECT
public:
    explicit FocusTastiera(QObject* parent = nullptr);

    // Appends a place; `numero` (1..9, 0 none) is the digit key that jumps to it.
    void Aggiungi(QWidget* w, int numero = 0);
    // Moves to the next (+1) or previous (-1) place that can take the focus, wrapping round.
    void Sposta(int verso);
    // Jumps to the place of digit n; false when no place has that digit or it cannot take focus.
    bool VaiANumero(int n);
    // Focuses w when it is one of the places.
    bool VaiA(QWidget* w);
    // Activates the place in focus: a double-click on a card, a click on an enabled button.
    void Attiva();
    // The place in focus: the one last chosen, or while it cannot take the focus (a card
    // played, a button greyed) the next that can. nullptr before any key or Inizia, or when
    // no place can take the focus.
    QWidget* Corrente() const;
    // The place last chosen by a key, whether or not it can take the focus now.
    QWidget* Scelto() const;
    // The window has been shown: screen readers hear the place in focus (the first that can
    // take it when none has been chosen); the frame still waits for a key.
    void Inizia();
    // Whether the frame is drawn (a key has been used since the last mouse press).
    bool Visibile() const { return visibile_; }
    void Mostra();
    void Nascondi();
    // Redraws the frame around the place in focus (after the table moved or changed it).
    void Aggiorna();
    // How far the frame stands outside a picture button (negative: inside, for buttons whose
    // picture has a margin of felt around the button drawn on it). Default 5.
    void ImpostaMargine(int m) { margine_ = m; }

    // Tells a screen reader the place in focus again once the window that became active has
    // been announced (the handler of TimerAttivazione, started by each activation): the
    // reader takes the window's activation after Qt's own activation events, and a focus
    // event sent with them is heard before the window, or not at all.
    void RipetiFocus();
    QTimer* TimerAttivazione = nullptr;

    // Whether a place can take the focus: shown, and for a card slot holding a picture.
    static bool PuoAvereFocus(const QWidget* w);
    // A double-click on a card slot or a click on an enabled, shown picture button.
    static void AttivaControllo(QWidget* w);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    struct Posto {
        QPointer<QWidget> w;
        int numero = 0;
    };
    std::vector<Posto> posti_;
    int indice_ = -1;
    bool visibile_ = false;
    int margine_ = 5;
    QPointer<CorniceFocus> cornice_;
    QPointer<QWidget> segnato_;  // the place marked focused for screen readers
    bool iniziato_ = false;  // shown once: the focus is somewhere even before a key
    int IndiceEffettivo() const;
    void Annuncia();
};

#pragma once
// Base window of the four game tables: what they share (the player's name label, and the
// redraw the configuration window asks for). Each table adds only its own game.
#include <QLabel>

#include "components/Finestra.h"

class TFormTavolo : public TFinestra {
    Q_OBJECT
public:
    TFormTavolo(int larghezza, int altezza, QWidget* parent = nullptr);

    QLabel* NomeGiocat = nullptr;  // the player's name; the configuration window sets its text

    // Redraws the table from the game state (after a change of deck, back or face-up choice).
    virtual void Ridisegna() {}
};

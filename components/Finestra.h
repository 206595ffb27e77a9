#pragma once
// Base of every window: borderless, a fixed client size, centred on the screen.
#include <QWidget>

class TFinestra : public QWidget {
    Q_OBJECT
public:
    TFinestra(int larghezza, int altezza, QWidget* parent = nullptr);
    // Centres the window on the screen it is on (or the primary one).
    void Centra();
    // Show, bring to the front and give it the keyboard focus.
    void MostraDavanti();
};

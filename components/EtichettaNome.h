#pragma once
// A player's name in a place too narrow for the longest names: a name that does not fit ends
// in "…" rather than being cut inside a letter; text() keeps the whole name, which is also
// shown as the tooltip while it is cut.
#include <QLabel>

class EtichettaNome : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* e) override;
};

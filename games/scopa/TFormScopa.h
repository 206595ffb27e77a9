#pragma once
// The Scopa table.
#include "games/comune/TFormTavolo.h"

class TFormScopa : public TFormTavolo {
    Q_OBJECT
public:
    explicit TFormScopa(QWidget* parent = nullptr);
};

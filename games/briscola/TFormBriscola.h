#pragma once
// The Briscola table.
#include "games/comune/TFormTavolo.h"

class TFormBriscola : public TFormTavolo {
    Q_OBJECT
public:
    explicit TFormBriscola(QWidget* parent = nullptr);
};

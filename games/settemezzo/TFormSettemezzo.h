#pragma once
// The Sette e mezzo table.
#include "games/comune/TFormTavolo.h"

class TFormSettemezzo : public TFormTavolo {
    Q_OBJECT
public:
    explicit TFormSettemezzo(QWidget* parent = nullptr);
};

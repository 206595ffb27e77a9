#pragma once
// The Rubamazzo table.
#include "games/comune/TFormTavolo.h"

class TFormRubamazzo : public TFormTavolo {
    Q_OBJECT
public:
    explicit TFormRubamazzo(QWidget* parent = nullptr);
};

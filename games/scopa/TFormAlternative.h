#pragma once
// The Scopa table's capture-choice dialog.
#include "components/Finestra.h"

class TFormAlternative : public TFinestra {
    Q_OBJECT
public:
    explicit TFormAlternative(QWidget* parent = nullptr);
};

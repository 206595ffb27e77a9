#pragma once
// The advertisement download strip.
#include "components/Finestra.h"

class THttpTestForm : public TFinestra {
    Q_OBJECT
public:
    explicit THttpTestForm(QWidget* parent = nullptr);
};

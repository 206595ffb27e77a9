#pragma once
// The scores window.
#include "components/Finestra.h"

class TFormPunteggi : public TFinestra {
    Q_OBJECT
public:
    explicit TFormPunteggi(QWidget* parent = nullptr);
};

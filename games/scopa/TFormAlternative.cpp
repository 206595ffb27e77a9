#include "games/scopa/TFormAlternative.h"

TFormAlternative::TFormAlternative(QWidget* parent) : TFinestra(484, 210, parent) {}

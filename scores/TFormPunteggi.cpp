#include "scores/TFormPunteggi.h"

TFormPunteggi::TFormPunteggi(QWidget* parent) : TFinestra(800, 600, parent) {}

#include "games/scopa/TFormScopa.h"

TFormScopa::TFormScopa(QWidget* parent) : TFormTavolo(800, 600, parent)
{
    setWindowTitle("Scopa");
}

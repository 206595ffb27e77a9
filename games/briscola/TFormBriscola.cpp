#include "games/briscola/TFormBriscola.h"

TFormBriscola::TFormBriscola(QWidget* parent) : TFormTavolo(801, 599, parent)
{
    setWindowTitle("Briscola");
}

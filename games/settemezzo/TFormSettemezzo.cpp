#include "games/settemezzo/TFormSettemezzo.h"

TFormSettemezzo::TFormSettemezzo(QWidget* parent) : TFormTavolo(800, 600, parent)
{
    setWindowTitle("Sette e mezzo");
}

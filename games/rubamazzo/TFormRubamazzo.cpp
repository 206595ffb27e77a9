#include "games/rubamazzo/TFormRubamazzo.h"

TFormRubamazzo::TFormRubamazzo(QWidget* parent) : TFormTavolo(800, 600, parent)
{
    setWindowTitle("Rubamazzo");
}

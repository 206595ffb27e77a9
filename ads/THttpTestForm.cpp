#include "ads/THttpTestForm.h"

THttpTestForm::THttpTestForm(QWidget* parent) : TFinestra(632, 38, parent)
{
    setWindowTitle("Aggiornamento ..................................");
}

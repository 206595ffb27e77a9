#include "games/comune/TFormTavolo.h"

#include "core/Globali.h"

TFormTavolo::TFormTavolo(int larghezza, int altezza, QWidget* parent) : TFinestra(larghezza, altezza, parent)
{
    NomeGiocat = new QLabel(QString::fromStdString(NomeGiocatore), this);
    NomeGiocat->setObjectName("NomeGiocat");
    QFont f = NomeGiocat->font();
    f.setBold(true);
    NomeGiocat->setFont(f);
    NomeGiocat->setStyleSheet("color: rgb(0, 128, 0);");
    NomeGiocat->setGeometry(608, 200, 180, 20);
}

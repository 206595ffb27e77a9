#pragma once
// Digit pictures for the score and counter displays on the tables.
#include <QImage>

namespace Artgen {

// Felt green of the tables: the digit sheets use it around their tiles.
QColor VerdeTavolo();

QImage CifrePunteggi();              // 321 x 24: digit d in cell d (32 x 24), tile in its left 24 columns
QImage CifrePunteggiSelezionate();   // 640 x 396: highlighted digit tiles in 32 x 24 cells
QImage CifrePiccole();               // 241 x 18: digit d in columns 24d to 24d + 23

}  // namespace Artgen

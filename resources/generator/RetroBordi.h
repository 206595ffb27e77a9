#pragma once
// Card frames (the card's edge on the felt) and the 23 card back designs.
#include <QColor>
#include <QImage>
#include <array>

namespace Artgen {

inline constexpr int LarghezzaCarta = 80;
inline constexpr int AltezzaCarta = 120;
inline constexpr int NumeroBordi = 6;
inline constexpr int NumeroRetri = 23;

// Felt colour of the Scopa table for each frame number: the frame's margin is that felt, so a
// card laid in its 80 x 120 slot shows as a card on the table.
const std::array<QColor, NumeroBordi>& ColoriTappeto();

QImage Bordo(int numero);       // 80 x 120, numero 1 to 6
QImage FoglioBordi();           // 480 x 120
QImage Retro(int numero);       // 60 x 94, numero 1 to 23
QImage FoglioRetro();           // 1380 x 94

// A card as the tables show it: the frame with the 60 x 94 face laid in at (1, 2).
QImage Componi(const QImage& bordo, const QImage& faccia);

}  // namespace Artgen

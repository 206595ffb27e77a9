#pragma once
// The program's drawing scale. Every window, control, font and flight keeps its layout in the
// windows' own 800 x 600 coordinates (Qt's device-independent pixels); one factor for the whole
// program turns them into screen pixels. Pictures have a second, twice-as-large form that
// painting uses whenever a surface has more than one screen pixel per unit.
#include <QString>

class QPainter;
class QScreen;

namespace Scala {

// The sizes the configuration offers, in percent; 0 stands for "Automatica".
inline constexpr int Automatica = 0;
inline constexpr int Dimensioni[] = {100, 125, 150, 200};
// Height of the windows in their own coordinates.
inline constexpr int AltezzaFinestra = 600;

// The largest size that leaves a window within about 85 % of `righeDisponibili` screen lines
// (strictly: at most 83 %, which keeps room for a panel); 100 when none does.
int DimensioneAutomatica(int righeDisponibili);
// The size in percent that a setting (Automatica or a percentage) gives on such a screen.
int DimensioneEffettiva(int impostata, int righeDisponibili);

// The program-wide factor (1 = one screen pixel per unit). Set once before the first window is
// created; full screen changes it while the full-screen window is up.
double Fattore();
void ImpostaFattore(double fattore);
// The factor the program started with (what full screen goes back to).
double FattoreAvvio();
void ImpostaFattoreAvvio(double fattore);
// Whether anything is drawn above 100 % (the program's factor or the desktop's own scaling),
// so 2x pictures are worth composing.
bool Sopra100();
// Lines available on `schermo` (or the primary screen) at factor 1, in the desktop's own units.
int RigheDisponibili(QScreen* schermo = nullptr);

// Name of the twice-as-large form of a picture: ":/img/fronti.bmp" gives ":/img/2x/fronti.bmp".
QString Nome2x(const QString& nome);
// Whether a painter's surface has more than one pixel per unit (so 2x pictures are worth it).
bool Nitida(const QPainter& p);

}  // namespace Scala

#pragma once
// Button pictures, the advertisement close strip, the turn pictures and the built-in 16-colour
// background of the picture button.
#include <QImage>
#include <QString>
#include <vector>

#include "ScritturaBmp.h"

namespace Artgen {

enum class StatoBottone { Normale, Attivo, Disabilitato };

struct BottoneTesto {
  QString nome;       // file name part: btn_<nome>_<stato>.bmp
  QString etichetta;  // what the player reads
};

struct BottoneScelta {
  QString nome;        // splash_<nome>_<stato>.bmp
  QString etichetta;
  QString sottotitolo;
  int y;               // top of the button on the chooser
  std::vector<int> carte;  // card numbers fanned on the left (none for the quit and network buttons)
};

inline constexpr int LarghezzaBottoneTavolo = 145;
inline constexpr int AltezzaBottoneTavolo = 38;
inline constexpr int LarghezzaBottoneScelta = 600;
inline constexpr int AltezzaBottoneScelta = 86;
inline constexpr int XBottoniScelta = 130;

const std::vector<BottoneTesto>& BottoniTavolo();
QImage BottoneTavolo(const BottoneTesto& b, StatoBottone stato);  // 145 x 38

const std::vector<BottoneScelta>& BottoniSplash();
// 600 x 100, drawn over the part of the chooser background it covers.
QImage BottoneSplash(const QImage& sfondo, const BottoneScelta& b, bool attivo);

QImage StrisciaPubblicita(bool attivo);  // 145 x 16
QImage TurnoComputer();                  // 145 x 201
QImage TurnoGiocatore();                 // 145 x 201

// 192 x 128 in a 16-colour palette (stored as a 4-bit BMP of 12 406 bytes).
ImmagineIndicizzata SfondoBottone();

}  // namespace Artgen

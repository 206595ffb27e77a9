#pragma once
// The advertisement's own art: the poster the tables show in the movie's box, the download
// strip's two lights, and the small Flash movie "pubblicita.swf" supplied with the program.
#include <QByteArray>
#include <QImage>

namespace Artgen {

QImage LocandinaPubblicita();       // 760 x 518, the whole panel
QImage Luce(bool verde);            // 20 x 20: red (working) or green (done)

// A valid SWF file (version 6, 700 x 480, 12 frames a second): the program's name slides in
// over a coloured background, above the names of the four games. Text is drawn as shapes, so
// the movie needs no font.
QByteArray FilmatoSwf();

}  // namespace Artgen

#pragma once
// Window backgrounds: the chooser, the configuration and scores windows, and the tables' border.
#include <QImage>

namespace Artgen {

QImage SfondoSplash();           // 800 x 599
QImage SfondoConfigurazione();   // 800 x 600
QImage SfondoPunteggi();         // 800 x 600
QImage SfondoTavolo();           // 800 x 600; the felt panel covers (22, 15) 763 x 518

}  // namespace Artgen

#pragma once
// Window backgrounds: the chooser, the configuration, scores and network windows, and the tables' border.
#include <QImage>

namespace Artgen {

QImage SfondoSplash();           // 800 x 599
QImage SfondoConfigurazione();   // 800 x 600
QImage SfondoPunteggi();         // 800 x 600
QImage SfondoRete();             // 720 x 500: the network window, two panels
QImage SfondoTavolo();           // 800 x 600; the felt panel covers (22, 15) 763 x 518

}  // namespace Artgen

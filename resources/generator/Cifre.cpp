// Digits as dark tiles with light numerals: they read at a glance on every felt colour, and two
// tiles side by side make a two-digit counter.
#include "Cifre.h"

#include "Pittura.h"

namespace Artgen {
namespace {

struct Aspetto {
  QColor alto, basso, bordo, cifra, ombra;
};

const Aspetto Normale{QColor(40, 52, 68), QColor(16, 22, 32), QColor(120, 136, 156), QColor(255, 248, 224),
                      QColor(0, 0, 0, 200)};
const Aspetto Evidenziato{QColor(255, 226, 120), QColor(232, 172, 40), QColor(120, 70, 10), QColor(50, 24, 4),
                          QColor(255, 255, 255, 140)};

// One tile of w x h with digit d, drawn at four times the size for smooth edges.
QImage Tessera(int w, int h, int d, const Aspetto& a, double altezzaCifra) {
  return Sovracampiona(w, h, 4, [&](QPainter& p) {
    const QRectF r(0.5, 0.5, w - 1.0, h - 1.0);
    p.setPen(QPen(a.bordo, 1.0));
    p.setBrush(Gradiente(r, a.alto, a.basso));
    p.drawRoundedRect(r, 3, 3);
    // Glassy highlight on the upper half.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 22));
    p.drawRoundedRect(QRectF(1.5, 1.5, w - 3.0, h / 2.0 - 1), 2, 2);
    const QFont f = Carattere("DejaVu Sans", 40, QFont::Bold, false, QFont::SemiCondensed);
    const double larghezza = altezzaCifra * 0.62;
    const QPainterPath t = TestoInRiquadro(QString::number(d), f,
        QRectF(w / 2.0 - larghezza / 2, h / 2.0 - altezzaCifra / 2, larghezza, altezzaCifra));
    DisegnaTesto(p, t, a.cifra, a.ombra, 0, a.ombra, QPointF(0.8, 0.9));
  }, VerdeTavolo());
}

}  // namespace

QColor VerdeTavolo() { return QColor(159, 223, 175); }

QImage CifrePunteggi() {
  QImage foglio = Tela(321, 24);
  foglio.fill(VerdeTavolo());
  QPainter p(&foglio);
  for (int d = 0; d <= 9; ++d) p.drawImage(d * 32, 0, Tessera(24, 24, d, Normale, 17));
  return foglio;
}

QImage CifrePunteggiSelezionate() {
  QImage foglio = Tela(640, 396);
  foglio.fill(VerdeTavolo());
  QPainter p(&foglio);
  for (int riga = 0; riga * 24 + 24 <= 396; ++riga)
    for (int col = 0; col < 20; ++col) p.drawImage(col * 32, riga * 24, Tessera(24, 24, col % 10, Evidenziato, 17));
  return foglio;
}

QImage CifrePiccole() {
  QImage foglio = Tela(241, 18);
  foglio.fill(VerdeTavolo());
  QPainter p(&foglio);
  for (int d = 0; d <= 9; ++d) p.drawImage(d * 24, 0, Tessera(24, 18, d, Normale, 13));
  return foglio;
}

}  // namespace Artgen

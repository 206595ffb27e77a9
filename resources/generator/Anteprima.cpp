// Preview sheets for the docs: every deck style composed in its frames as the tables show them,
// and the six frames with the 23 backs.
#include "Anteprima.h"

#include <QDir>
#include <QPainter>

#include "Carte.h"
#include "Pittura.h"
#include "RetroBordi.h"

namespace Artgen {
namespace {

const QColor Fondale(38, 52, 44);
constexpr int Margine = 12;
constexpr int Titolo = 30;

void Etichetta(QPainter& p, int x, int y, const QString& testo) {
  p.setPen(QColor(245, 236, 210));
  p.setFont(Carattere("DejaVu Sans", 16, QFont::Bold));
  p.drawText(QPoint(x, y), testo);
}

}  // namespace

QImage AnteprimaMazzi(const QImage& fronti, const QImage& bordi) {
  const int bloccoH = Titolo + 4 * AltezzaCarta;
  QImage img(2 * Margine + 10 * LarghezzaCarta, Margine + NumeroStili * (bloccoH + Margine),
             QImage::Format_RGB32);
  img.fill(Fondale);
  QPainter p(&img);
  p.setRenderHint(QPainter::TextAntialiasing);
  for (int stile = 1; stile <= NumeroStili; ++stile) {
    const int y0 = Margine + (stile - 1) * (bloccoH + Margine);
    const int nBordo = stile;  // shows every frame once, one per style
    Etichetta(p, Margine, y0 + 21,
              QString("%1   (cornice %2)").arg(StiliMazzo()[stile - 1].nome).arg(nBordo));
    const QImage bordo = bordi.copy((nBordo - 1) * LarghezzaCarta, 0, LarghezzaCarta, AltezzaCarta);
    for (int seme = 1; seme <= 4; ++seme)
      for (int numero = 1; numero <= 10; ++numero) {
        const QImage faccia = fronti.copy((numero - 1) * LarghezzaFaccia,
                                          ((stile - 1) * 4 + seme - 1) * AltezzaFaccia,
                                          LarghezzaFaccia, AltezzaFaccia);
        p.drawImage(Margine + (numero - 1) * LarghezzaCarta, y0 + Titolo + (seme - 1) * AltezzaCarta,
                    Componi(bordo, faccia));
      }
  }
  return img;
}

QImage AnteprimaRetroEBordi(const QImage& retro, const QImage& bordi) {
  constexpr int perRiga = 12;
  const int righeRetro = (NumeroRetri + perRiga - 1) / perRiga;
  QImage img(2 * Margine + perRiga * LarghezzaCarta,
             Margine + Titolo + AltezzaCarta + Margine + Titolo + righeRetro * AltezzaCarta + Margine,
             QImage::Format_RGB32);
  img.fill(Fondale);
  QPainter p(&img);
  Etichetta(p, Margine, Margine + 21, "Cornici 1-6");
  for (int k = 1; k <= NumeroBordi; ++k)
    p.drawImage(Margine + (k - 1) * LarghezzaCarta, Margine + Titolo,
                bordi.copy((k - 1) * LarghezzaCarta, 0, LarghezzaCarta, AltezzaCarta));
  const int y0 = Margine + Titolo + AltezzaCarta + Margine;
  Etichetta(p, Margine, y0 + 21, "Retro 1-23 (cornice 1)");
  const QImage bordo = bordi.copy(0, 0, LarghezzaCarta, AltezzaCarta);
  for (int k = 1; k <= NumeroRetri; ++k) {
    const QImage faccia = retro.copy((k - 1) * LarghezzaFaccia, 0, LarghezzaFaccia, AltezzaFaccia);
    p.drawImage(Margine + ((k - 1) % perRiga) * LarghezzaCarta,
                y0 + Titolo + ((k - 1) / perRiga) * AltezzaCarta, Componi(bordo, faccia));
  }
  return img;
}

bool ScriviAnteprime(const QString& cartella, const QImage& fronti, const QImage& bordi, const QImage& retro) {
  QDir().mkpath(cartella);
  const bool a = AnteprimaMazzi(fronti, bordi).save(cartella + "/mazzi.png");
  const bool b = AnteprimaRetroEBordi(retro, bordi).save(cartella + "/retro-e-bordi.png");
  return a && b;
}

}  // namespace Artgen

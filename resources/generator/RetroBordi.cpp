#include "RetroBordi.h"

#include <QPainterPath>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "Carte.h"
#include "Pittura.h"

namespace Artgen {
namespace {

constexpr double Pi = 3.14159265358979323846;

QColor H(const char* esadecimale) { return QColor(QString::fromLatin1(esadecimale)); }

// Rim colour of each frame, dark enough to outline the card on its felt.
const std::array<QColor, NumeroBordi>& ColoriOrlo() {
  static const std::array<QColor, NumeroBordi> c{H("#1E4A2B"), H("#1C3E66"), H("#7A1E22"),
                                                 H("#6A5512"), H("#2D2F7C"), H("#6A1E5F")};
  return c;
}

// ---- Back patterns. Each draws inside `r`, the area within the paper margin. ----
using Motivo = std::function<void(QPainter&, const QRectF&)>;

void Fondo(QPainter& p, const QRectF& r, QColor c) {
  p.fillRect(r.adjusted(-1, -1, 1, 1), c);
}

// Diagonal lattice with a dot at each crossing.
Motivo Rombi(QColor fondo, QColor linee, QColor punti, double passo) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, fondo);
    p.setPen(QPen(linee, 0.9));
    const QPointF c = r.center();
    for (double k = -12; k <= 12; ++k) {
      const double o = k * passo;
      p.drawLine(QPointF(c.x() + o - 100, c.y() - 100 * 1.6), QPointF(c.x() + o + 100, c.y() + 100 * 1.6));
      p.drawLine(QPointF(c.x() + o + 100, c.y() - 100 * 1.6), QPointF(c.x() + o - 100, c.y() + 100 * 1.6));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(punti);
    for (double i = -8; i <= 8; ++i)
      for (double j = -8; j <= 8; ++j) {
        const QPointF q(c.x() + i * passo, c.y() + j * passo * 1.6);
        if (r.adjusted(-2, -2, 2, 2).contains(q)) p.drawEllipse(q, 1.1, 1.1);
        const QPointF m = q + QPointF(passo / 2, passo * 0.8);
        if (r.adjusted(-2, -2, 2, 2).contains(m)) p.drawEllipse(m, 1.1, 1.1);
      }
  };
}

// Tartan: horizontal bands, then the same bands vertically at half strength.
Motivo Tartan(QColor fondo, std::vector<std::pair<QColor, double>> fasce, double periodo) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, fondo);
    p.setPen(Qt::NoPen);
    for (int verso = 0; verso < 2; ++verso) {
      const double inizio = verso == 0 ? r.top() : r.left();
      const double fine = verso == 0 ? r.bottom() : r.right();
      for (double base = inizio - periodo; base < fine + periodo; base += periodo) {
        double pos = 0;
        for (const auto& [col, w] : fasce) {
          QColor c = col;
          if (verso == 1) c.setAlphaF(0.55);
          p.setBrush(c);
          if (verso == 0) p.drawRect(QRectF(r.left() - 2, base + pos, r.width() + 4, w));
          else p.drawRect(QRectF(base + pos, r.top() - 2, w, r.height() + 4));
          pos += w * 2.2;
        }
      }
    }
    // Fine twill hatching gives the woven look.
    p.setPen(QPen(QColor(0, 0, 0, 28), 0.35));
    for (double k = -100; k < 100; k += 1.2)
      p.drawLine(QPointF(r.left() + k, r.top()), QPointF(r.left() + k + r.height(), r.bottom()));
  };
}

Motivo Righe(QColor a, QColor b, double larghezza, double angolo, QColor medaglione) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, a);
    p.save();
    p.translate(r.center());
    p.rotate(angolo);
    p.setPen(Qt::NoPen);
    p.setBrush(b);
    for (double x = -120; x < 120; x += 2 * larghezza) p.drawRect(QRectF(x, -120, larghezza, 240));
    p.restore();
    if (medaglione.alpha() > 0) {
      p.setPen(QPen(b, 1.2));
      p.setBrush(medaglione);
      p.drawEllipse(r.center(), 11, 15);
      p.setBrush(b);
      p.setPen(Qt::NoPen);
      p.drawEllipse(r.center(), 4, 5.5);
    }
  };
}

// A rosette: rings of petals round the centre, and quarter rosettes in the corners.
Motivo Rosone(QColor fondo, QColor petali, QColor dettagli) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, fondo);
    auto rosa = [&](QPointF c, double raggio, int n) {
      p.setPen(QPen(dettagli, 0.6));
      for (int anello = 0; anello < 3; ++anello) {
        const double rr = raggio * (1.0 - anello * 0.3);
        p.setBrush(anello % 2 == 0 ? petali : dettagli);
        for (int i = 0; i < n; ++i) {
          p.save();
          p.translate(c);
          p.rotate(i * 360.0 / n + anello * 180.0 / n);
          p.drawEllipse(QPointF(0, -rr * 0.6), rr * 0.16, rr * 0.42);
          p.restore();
        }
      }
      p.setBrush(dettagli);
      p.drawEllipse(c, raggio * 0.14, raggio * 0.14);
    };
    rosa(r.center(), 22, 12);
    for (const QPointF& q : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) rosa(q, 15, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(petali);
    for (double y = r.top() + 6; y < r.bottom(); y += 8) {
      p.drawEllipse(QPointF(r.left() + 4, y), 0.9, 0.9);
      p.drawEllipse(QPointF(r.right() - 4, y), 0.9, 0.9);
    }
  };
}

Motivo Scacchi(QColor a, QColor b, double lato) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, a);
    p.setPen(Qt::NoPen);
    p.setBrush(b);
    int i = 0;
    for (double y = r.top(); y < r.bottom(); y += lato, ++i) {
      int j = 0;
      for (double x = r.left(); x < r.right(); x += lato, ++j)
        if ((i + j) % 2 == 0) p.drawRect(QRectF(x, y, lato, lato));
    }
  };
}

Motivo Pois(QColor fondo, QColor punti, double passo, double raggio) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, fondo);
    p.setPen(Qt::NoPen);
    p.setBrush(punti);
    int riga = 0;
    for (double y = r.top() + passo / 2; y < r.bottom() + passo; y += passo * 0.866, ++riga)
      for (double x = r.left() + (riga % 2 ? passo / 2 : 0); x < r.right() + passo; x += passo)
        p.drawEllipse(QPointF(x, y), raggio, raggio);
  };
}

Motivo RombiConcentrici(QColor a, QColor b) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, a);
    const QPointF c = r.center();
    for (int k = 16; k >= 1; --k) {
      const double d = k * 4.2;
      QPainterPath rombo;
      rombo.moveTo(c.x(), c.y() - d * 1.55);
      rombo.lineTo(c.x() + d, c.y());
      rombo.lineTo(c.x(), c.y() + d * 1.55);
      rombo.lineTo(c.x() - d, c.y());
      rombo.closeSubpath();
      p.setPen(Qt::NoPen);
      p.setBrush(k % 2 ? b : a);
      p.drawPath(rombo);
    }
  };
}

Motivo SpinaDiPesce(QColor a, QColor b, double passo) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, a);
    p.setPen(QPen(b, passo * 0.42, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    for (double y = r.top() - 10; y < r.bottom() + 10; y += passo) {
      QPainterPath zig;
      zig.moveTo(r.left() - 6, y);
      bool su = true;
      for (double x = r.left() - 6; x < r.right() + 8; x += 6) {
        zig.lineTo(x + 6, y + (su ? -4 : 0));
        su = !su;
      }
      p.drawPath(zig);
    }
  };
}

QPainterPath Stella(QPointF c, double esterno, double interno, int punte) {
  QPainterPath s;
  for (int i = 0; i < 2 * punte; ++i) {
    const double a = i * Pi / punte - Pi / 2;
    const double rr = i % 2 == 0 ? esterno : interno;
    const QPointF q(c.x() + std::cos(a) * rr, c.y() + std::sin(a) * rr);
    if (i == 0) s.moveTo(q); else s.lineTo(q);
  }
  s.closeSubpath();
  return s;
}

Motivo Stelle(QColor fondo, QColor stelle, QColor piccole) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, fondo);
    p.setPen(Qt::NoPen);
    int riga = 0;
    for (double y = r.top() + 5; y < r.bottom() + 5; y += 11, ++riga)
      for (double x = r.left() + (riga % 2 ? 11 : 4.5); x < r.right() + 5; x += 13) {
        p.setBrush(stelle);
        p.drawPath(Stella(QPointF(x, y), 3.6, 1.5, 5));
        p.setBrush(piccole);
        p.drawEllipse(QPointF(x + 6.5, y + 5.5), 0.8, 0.8);
      }
  };
}

Motivo Anelli(QColor fondo, QColor linee, double raggio) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, fondo);
    p.setPen(QPen(linee, 1.0));
    p.setBrush(Qt::NoBrush);
    for (double y = r.top(); y < r.bottom() + raggio; y += raggio)
      for (double x = r.left(); x < r.right() + raggio; x += raggio) p.drawEllipse(QPointF(x, y), raggio, raggio);
  };
}

Motivo Quadrifogli(QColor fondo, QColor foglie, QColor centro) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, fondo);
    const double passo = 10;
    int riga = 0;
    for (double y = r.top() + 2; y < r.bottom() + passo; y += passo, ++riga)
      for (double x = r.left() + (riga % 2 ? passo / 2 : 0) + 2; x < r.right() + passo; x += passo) {
        p.setPen(QPen(Scuro(foglie, 0.3), 0.4));
        p.setBrush(foglie);
        for (int i = 0; i < 4; ++i) {
          const double a = i * Pi / 2;
          p.drawEllipse(QPointF(x + std::cos(a) * 2.0, y + std::sin(a) * 2.0), 1.9, 1.9);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(centro);
        p.drawEllipse(QPointF(x, y), 1.0, 1.0);
      }
  };
}

Motivo Onde(QColor a, QColor b, double passo) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, a);
    p.setPen(QPen(b, passo * 0.38, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (double y = r.top() - passo; y < r.bottom() + passo; y += passo) {
      QPainterPath onda;
      onda.moveTo(r.left() - 4, y);
      for (double x = r.left() - 4; x <= r.right() + 4; x += 0.5)
        onda.lineTo(x, y + std::sin((x - r.left()) / 9.0 * 2 * Pi) * passo * 0.3);
      p.drawPath(onda);
    }
  };
}

// Greek key border round a plain field with a central emblem.
Motivo Greca(QColor fondo, QColor linea, QColor campo) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, fondo);
    const QRectF dentro = r.adjusted(8, 8, -8, -8);
    p.fillRect(dentro, campo);
    p.setPen(QPen(linea, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    auto chiave = [&](QPointF o, double ang) {
      p.save();
      p.translate(o);
      p.rotate(ang);
      QPainterPath k;
      k.moveTo(0, 5);
      k.lineTo(0, 0);
      k.lineTo(5, 0);
      k.lineTo(5, 3.4);
      k.lineTo(2, 3.4);
      k.lineTo(2, 1.8);
      k.moveTo(5, 5);
      k.lineTo(7.2, 5);
      p.drawPath(k);
      p.restore();
    };
    for (double x = r.left() + 1; x < r.right() - 6; x += 7.2) {
      chiave(QPointF(x, r.top() + 1.2), 0);
      chiave(QPointF(x + 6.2, r.bottom() - 1.2), 180);
    }
    for (double y = r.top() + 8; y < r.bottom() - 12; y += 7.2) {
      chiave(QPointF(r.left() + 1.2, y + 6.2), -90);
      chiave(QPointF(r.right() - 1.2, y), 90);
    }
    p.setPen(QPen(linea, 0.8));
    p.drawRect(dentro);
    // Emblem: a star in a double ring.
    p.setBrush(fondo);
    p.drawEllipse(r.center(), 13, 13);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r.center(), 10.5, 10.5);
    p.setPen(Qt::NoPen);
    p.setBrush(linea);
    p.drawPath(Stella(r.center(), 8.5, 3.6, 8));
  };
}

Motivo Squame(QColor fondo, QColor squame, QColor bordo) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, fondo);
    const double w = 8, h = 5;
    int riga = 0;
    for (double y = r.top() - h; y < r.bottom() + h; y += h, ++riga)
      for (double x = r.left() - w + (riga % 2 ? w / 2 : 0); x < r.right() + w; x += w) {
        QPainterPath s;
        s.moveTo(x, y);
        s.cubicTo(x, y + h * 1.5, x + w, y + h * 1.5, x + w, y);
        s.closeSubpath();
        p.setPen(QPen(bordo, 0.7));
        p.setBrush(riga % 3 == 0 ? Chiaro(squame, 0.15) : squame);
        p.drawPath(s);
      }
  };
}

Motivo Raggiera(QColor a, QColor b, QColor centro) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, a);
    const QPointF c = r.center();
    p.setPen(Qt::NoPen);
    p.setBrush(b);
    const int n = 28;
    for (int i = 0; i < n; i += 2) {
      QPainterPath spicchio;
      spicchio.moveTo(c);
      spicchio.lineTo(c + QPointF(std::cos(i * 2 * Pi / n), std::sin(i * 2 * Pi / n)) * 120);
      spicchio.lineTo(c + QPointF(std::cos((i + 1) * 2 * Pi / n), std::sin((i + 1) * 2 * Pi / n)) * 120);
      spicchio.closeSubpath();
      p.drawPath(spicchio);
    }
    p.setBrush(centro);
    p.setPen(QPen(b, 1.2));
    p.drawEllipse(c, 8, 8);
    p.setBrush(b);
    p.drawPath(Stella(c, 6, 2.5, 6));
  };
}

Motivo NidoDApe(QColor fondo, QColor celle, QColor bordo) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, bordo);
    const double s = 4.2;  // side
    const double w = std::sqrt(3.0) * s;
    int riga = 0;
    for (double y = r.top() - s; y < r.bottom() + 2 * s; y += 1.5 * s, ++riga)
      for (double x = r.left() - w + (riga % 2 ? w / 2 : 0); x < r.right() + w; x += w) {
        QPainterPath esagono;
        for (int i = 0; i < 6; ++i) {
          const double a = Pi / 6 + i * Pi / 3;
          const QPointF q(x + std::cos(a) * (s - 0.55), y + std::sin(a) * (s - 0.55));
          if (i == 0) esagono.moveTo(q); else esagono.lineTo(q);
        }
        esagono.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush((riga + int((x - r.left()) / w)) % 3 == 0 ? fondo : celle);
        p.drawPath(esagono);
      }
  };
}

Motivo Intreccio(QColor a, QColor b, QColor ombra) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, ombra);
    const double passo = 6;
    int i = 0;
    for (double y = r.top(); y < r.bottom(); y += passo, ++i) {
      int j = 0;
      for (double x = r.left(); x < r.right(); x += passo, ++j) {
        p.setPen(Qt::NoPen);
        const bool orizzontale = (i + j) % 2 == 0;
        p.setBrush(orizzontale ? a : b);
        for (int k = 0; k < 3; ++k) {
          if (orizzontale) p.drawRect(QRectF(x + 0.3, y + 0.3 + k * 2, passo - 0.6, 1.5));
          else p.drawRect(QRectF(x + 0.3 + k * 2, y + 0.3, 1.5, passo - 0.6));
        }
      }
    }
  };
}

Motivo Fiori(QColor fondo, QColor fiore, QColor foglia) {
  return [=](QPainter& p, const QRectF& r) {
    Fondo(p, r, fondo);
    int riga = 0;
    for (double y = r.top() + 4; y < r.bottom() + 6; y += 9, ++riga)
      for (double x = r.left() + (riga % 2 ? 8 : 2.5); x < r.right() + 6; x += 11) {
        p.setPen(Qt::NoPen);
        p.setBrush(foglia);
        p.drawEllipse(QPointF(x - 2.6, y + 2.2), 1.6, 0.8);
        p.drawEllipse(QPointF(x + 2.6, y + 2.2), 1.6, 0.8);
        p.setBrush(fiore);
        for (int i = 0; i < 5; ++i) {
          const double a = i * 2 * Pi / 5 - Pi / 2;
          p.drawEllipse(QPointF(x + std::cos(a) * 1.6, y + std::sin(a) * 1.6), 1.2, 1.2);
        }
        p.setBrush(H("#F6D24A"));
        p.drawEllipse(QPointF(x, y), 0.8, 0.8);
      }
  };
}

const std::vector<Motivo>& Motivi() {
  static const std::vector<Motivo> m{
      Rombi(H("#B3262B"), H("#F3DDB0"), H("#F6C945"), 7.0),                      // 1
      Rombi(H("#1F4E8C"), H("#D6E4F5"), H("#F2F2F2"), 7.0),                      // 2
      Tartan(H("#1F5A36"), {{H("#13294B"), 3.0}, {H("#0D0D0D"), 1.0}, {H("#1F5A36"), 2.0}}, 14),  // 3
      Tartan(H("#B3202A"), {{H("#1B2A57"), 2.6}, {H("#F2C230"), 0.7}, {H("#1E5B34"), 1.4}}, 13),  // 4
      Righe(H("#F4F1E8"), H("#2A5AA0"), 2.0, 0, H("#F4F1E8")),                    // 5
      Righe(H("#A8242A"), H("#E8B93A"), 2.5, 45, QColor(0, 0, 0, 0)),             // 6
      Rosone(H("#18315E"), H("#E8C14A"), H("#C8D8EE")),                           // 7
      Rosone(H("#8E1B22"), H("#F1C64A"), H("#F7E7C6")),                           // 8
      Scacchi(H("#F1E9D2"), H("#2F6B3C"), 4.5),                                   // 9
      Pois(H("#1D2E5C"), H("#F3E6C4"), 6.5, 1.5),                                 // 10
      RombiConcentrici(H("#7D1F3A"), H("#E7A9B8")),                               // 11
      SpinaDiPesce(H("#0F6B6B"), H("#E8F3F0"), 5.5),                              // 12
      Stelle(H("#14264F"), H("#F2C94C"), H("#8FA8D8")),                           // 13
      Anelli(H("#4B2A6E"), H("#D9C5F0"), 9.0),                                    // 14
      Quadrifogli(H("#FBEBD0"), H("#E07A1F"), H("#7A3A0A")),                      // 15
      Onde(H("#2E78B8"), H("#CDE6F7"), 6.0),                                      // 16
      Greca(H("#1A1A1A"), H("#D9A441"), H("#9E2A2B")),                            // 17
      Squame(H("#1F5E3A"), H("#3F9A60"), H("#CFE8D2")),                           // 18
      Raggiera(H("#C0392B"), H("#F5C542"), H("#FFF3D0")),                         // 19
      NidoDApe(H("#F3D27A"), H("#D89B2B"), H("#6B4416")),                         // 20
      Tartan(H("#1E3F7A"), {{H("#1D6B3E"), 3.2}, {H("#E9E4D0"), 0.6}, {H("#0E1F3D"), 1.6}}, 15),  // 21
      Intreccio(H("#C9A36B"), H("#8A5B2E"), H("#4A2F15")),                        // 22
      Fiori(H("#FBF2E2"), H("#B3203A"), H("#3C8A3E")),                            // 23
  };
  return m;
}

}  // namespace

const std::array<QColor, NumeroBordi>& ColoriTappeto() {
  static const std::array<QColor, NumeroBordi> c{QColor(159, 223, 175), QColor(158, 212, 224),
                                                 QColor(224, 158, 158), QColor(223, 224, 158),
                                                 QColor(158, 164, 224), QColor(224, 158, 224)};
  return c;
}

QImage Bordo(int numero) {
  const QColor tappeto = ColoriTappeto()[numero - 1];
  const QColor orlo = ColoriOrlo()[numero - 1];
  QImage img = Sovracampiona(LarghezzaCarta, AltezzaCarta, 4, [&](QPainter& p) {
    // Soft shadow to the lower right, as if the card lay on the felt.
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
      p.setBrush(QColor(0, 0, 0, 22));
      p.drawRoundedRect(QRectF(1.0 + i * 0.5, 1.5 + i * 0.6, 62, 98), 3.5, 3.5);
    }
    // The card: a coloured rim and the paper inside it.
    p.setBrush(orlo);
    p.drawRoundedRect(QRectF(0, 0, 62, 98), 3.2, 3.2);
    p.setBrush(H("#FBF6EA"));
    p.drawRoundedRect(QRectF(1, 1, 60, 96), 2.4, 2.4);
  }, tappeto);
  return img;
}

QImage FoglioBordi() {
  QImage foglio = Tela(NumeroBordi * LarghezzaCarta, AltezzaCarta);
  QPainter p(&foglio);
  for (int k = 1; k <= NumeroBordi; ++k) p.drawImage((k - 1) * LarghezzaCarta, 0, Bordo(k));
  return foglio;
}

QImage Retro(int numero) {
  const Motivo& motivo = Motivi()[numero - 1];
  return Sovracampiona(LarghezzaFaccia, AltezzaFaccia, 4, [&](QPainter& p) {
    const QRectF campo(3, 3, 54, 88);
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(campo, 2, 2);
    p.setClipPath(clip);
    motivo(p, campo);
    p.restore();
    // A thin dark line and a white margin frame the pattern, as on printed backs.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 32, 28, 150), 0.6));
    p.drawRoundedRect(campo, 2, 2);
  }, H("#FBF6EA"));
}

QImage FoglioRetro() {
  QImage foglio = Tela(NumeroRetri * LarghezzaFaccia, AltezzaFaccia);
  QPainter p(&foglio);
  for (int k = 1; k <= NumeroRetri; ++k) p.drawImage((k - 1) * LarghezzaFaccia, 0, Retro(k));
  return foglio;
}

QImage Componi(const QImage& bordo, const QImage& faccia) {
  QImage carta = bordo.convertToFormat(QImage::Format_RGB32);
  QPainter p(&carta);
  p.drawImage(QRect(1, 2, LarghezzaFaccia, AltezzaFaccia), faccia,
              QRect(0, 0, LarghezzaFaccia, AltezzaFaccia));
  return carta;
}

}  // namespace Artgen

// The six deck styles and how a face is laid out: pips, aces, figures, corner indices, borders.
#include "Carte.h"

#include <cmath>
#include <vector>

#include "Pittura.h"

namespace Artgen {
namespace {

QColor H(const char* esadecimale) { return QColor(QString::fromLatin1(esadecimale)); }

StileMazzo Napoletano() {
  StileMazzo s;
  s.nome = "1  Napoletane";
  s.c = {H("#FBF3DF"), H("#2A1E18"), H("#F2C12E"), H("#C98A1B"), H("#D3322B"), H("#9E1F1A"),
         H("#2F62B3"), H("#1E3C73"), H("#3E8E3A"), H("#25602A"), H("#B57A3C"), H("#6E4523"),
         H("#C4D6E8"), H("#6D87A3"), H("#F6D2B0"), H("#7A4A21"), H("#FFFDF6"), H("#F4E6C0")};
  s.tratto = 0.7;
  s.spade = Disposizione::Incrociate;
  s.bastoni = Disposizione::Colonne;
  s.bastoniNodosi = true;
  s.ornamentoDenaro = 0;
  s.mano = true;
  s.bastone = H("#A8713A");
  s.vesti = {{{H("#D3322B"), H("#2F62B3")}, {H("#2F62B3"), H("#F2C12E")},
              {H("#3E8E3A"), H("#D3322B")}, {H("#6A2C70"), H("#3E8E3A")}}};
  return s;
}

StileMazzo Piacentino() {
  StileMazzo s;
  s.nome = "2  Piacentine";
  s.c = {H("#FFFFFF"), H("#151515"), H("#F5D33B"), H("#C9951C"), H("#C8202E"), H("#8A1520"),
         H("#1F4FA0"), H("#142F66"), H("#2F7D46"), H("#1B4F2B"), H("#C98B4A"), H("#7A4B22"),
         H("#ABC6E2"), H("#4F6D91"), H("#F7D7BC"), H("#3B2A1E"), H("#FFFFFF"), H("#FFFFFF")};
  s.tratto = 0.8;
  s.spadeCurve = true;
  s.spade = Disposizione::Incrociate;
  s.bastoni = Disposizione::Incrociate;
  s.bastoniNodosi = false;
  s.ornamentoDenaro = 1;
  s.pavimento = true;
  s.bastone = H("#C98B4A");
  s.vesti = {{{H("#1F4FA0"), H("#C8202E")}, {H("#C8202E"), H("#1F4FA0")},
              {H("#F5D33B"), H("#2F7D46")}, {H("#2F7D46"), H("#F5D33B")}}};
  return s;
}

StileMazzo Trevisano() {
  StileMazzo s;
  s.nome = "3  Trevisane";
  s.c = {H("#F7F0DA"), H("#2B2620"), H("#E3B43C"), H("#A87A22"), H("#B5402F"), H("#7D2A20"),
         H("#4B79A8"), H("#2C4A6B"), H("#6E8B3D"), H("#4A5E28"), H("#A8753F"), H("#5E4022"),
         H("#CCD9E0"), H("#76899A"), H("#F3D3B3"), H("#5A3B22"), H("#FFFDF5"), H("#EEDCAA")};
  s.tratto = 0.7;
  s.spadeCurve = true;
  s.spade = Disposizione::Incrociate;
  s.bastoni = Disposizione::Incrociate;
  s.bastoniNodosi = true;
  s.ornamentoDenaro = 2;
  s.cornice = 1;
  s.riquadroFigure = true;
  s.figureDoppie = true;
  s.terreno = false;
  s.bastone = H("#8E6A3C");
  s.vesti = {{{H("#7D2A20"), H("#6E8B3D")}, {H("#2C4A6B"), H("#B5402F")},
              {H("#6E8B3D"), H("#E3B43C")}, {H("#A8753F"), H("#4B79A8")}}};
  return s;
}

StileMazzo Siciliano() {
  StileMazzo s;
  s.nome = "4  Siciliane";
  s.c = {H("#FFFAEE"), H("#241A14"), H("#F7CB2D"), H("#D08A12"), H("#E0452E"), H("#A22A1C"),
         H("#2C7BC0"), H("#1B4C7A"), H("#45A047"), H("#2B6B2E"), H("#C88543"), H("#744A22"),
         H("#D3E0EC"), H("#7892AC"), H("#F5CFA8"), H("#4A2C18"), H("#FFFFFF"), H("#FFF1C9")};
  s.tratto = 0.7;
  s.spade = Disposizione::Colonne;
  s.bastoni = Disposizione::Incrociate;
  s.bastoniNodosi = true;
  s.ornamentoDenaro = 3;
  s.indice = 1;
  s.cornice = 3;
  s.mano = true;
  s.bastone = H("#B8742F");
  s.vesti = {{{H("#E0452E"), H("#45A047")}, {H("#2C7BC0"), H("#F7CB2D")},
              {H("#F08A24"), H("#2C7BC0")}, {H("#C2185B"), H("#F7CB2D")}}};
  return s;
}

StileMazzo Moderno() {
  StileMazzo s;
  s.nome = "5  Moderne";
  s.c = {H("#FFFFFF"), H("#263238"), H("#F6B800"), H("#C27C00"), H("#E53935"), H("#B71C1C"),
         H("#1E88E5"), H("#0D47A1"), H("#43A047"), H("#1B5E20"), H("#A1887F"), H("#4E342E"),
         H("#B0BEC5"), H("#546E7A"), H("#FFCC99"), H("#5D4037"), H("#FAFAFA"), H("#E3F0FB")};
  s.tratto = 0;
  s.sfumature = false;
  s.spade = Disposizione::Colonne;
  s.bastoni = Disposizione::Colonne;
  s.bastoniNodosi = true;
  s.ornamentoDenaro = 2;
  s.indice = 2;
  s.riquadroFigure = true;
  s.terreno = false;
  s.bastone = H("#8D6E63");
  s.vesti = {{{H("#E53935"), H("#1E88E5")}, {H("#1E88E5"), H("#FDD835")},
              {H("#43A047"), H("#FB8C00")}, {H("#8E24AA"), H("#43A047")}}};
  return s;
}

StileMazzo GrandiCaratteri() {
  StileMazzo s;
  s.nome = "6  Grandi numeri";
  s.c = {H("#FFFFFF"), H("#000000"), H("#FFC800"), H("#B07800"), H("#E00000"), H("#8E0000"),
         H("#0046DC"), H("#002080"), H("#00A000"), H("#005A00"), H("#9A5A1E"), H("#4A2A0A"),
         H("#A8D0FF"), H("#2050A0"), H("#FFD0A8"), H("#3A2410"), H("#FFFFFF"), H("#FFFFFF")};
  s.tratto = 1.0;
  s.sfumature = false;
  s.spade = Disposizione::Colonne;
  s.bastoni = Disposizione::Colonne;
  s.bastoniNodosi = true;
  s.ornamentoDenaro = 1;
  s.indice = 3;
  s.terreno = false;
  s.bastone = H("#8A4A12");
  s.vesti = {{{H("#E00000"), H("#0046DC")}, {H("#0046DC"), H("#FFC800")},
              {H("#00A000"), H("#E00000")}, {H("#8000A0"), H("#00A000")}}};
  return s;
}

// Where the pips go in the styles' faces: corner numbers take a column at each side.
QRectF Contenuto(const StileMazzo& s) {
  switch (s.indice) {
    case 1: return QRectF(9, 9, 42, 76);
    case 2: return QRectF(13, 7, 34, 80);
    case 3: return QRectF(13, 6, 34, 82);
    default: return QRectF(7, 7, 46, 80);
  }
}

// The ace's single symbol may use more of the face than a row of pips.
QRectF ContenutoAsso(const StileMazzo& s) {
  switch (s.indice) {
    case 1: return QRectF(9, 10, 42, 74);
    case 2: case 3: return QRectF(11, 13, 38, 68);
    default: return QRectF(7, 7, 46, 80);
  }
}

// Pip positions for 2 to 7 symbols in columns, the odd one centred, as (u, v) in [0, 1].
std::vector<QPointF> Posizioni(int n, double apertura) {
  const double a = 0.5 - apertura / 2, b = 0.5 + apertura / 2;
  switch (n) {
    case 1: return {{0.5, 0.5}};
    case 2: return {{0.5, 0.2}, {0.5, 0.8}};
    case 3: return {{0.5, 0.14}, {0.5, 0.5}, {0.5, 0.86}};
    case 4: return {{a, 0.2}, {b, 0.2}, {a, 0.8}, {b, 0.8}};
    case 5: return {{a, 0.16}, {b, 0.16}, {0.5, 0.5}, {a, 0.84}, {b, 0.84}};
    case 6: return {{a, 0.14}, {b, 0.14}, {a, 0.5}, {b, 0.5}, {a, 0.86}, {b, 0.86}};
    default: return {{a, 0.12}, {b, 0.12}, {0.5, 0.31}, {a, 0.5}, {b, 0.5}, {a, 0.88}, {b, 0.88}};
  }
}

// Radius of a coin when n of them share the box; the other suits are sized from it.
double Raggio(int n, const QRectF& box) {
  static const double kw[8] = {0, 0.5, 0.31, 0.27, 0.25, 0.24, 0.24, 0.205};
  static const double kh[8] = {0, 0.3, 0.17, 0.14, 0.2, 0.15, 0.135, 0.115};
  // Narrow boxes sit between corner numbers: leave them some air.
  const double aria = box.width() < 40 ? 0.92 : 1.0;
  return std::min(box.width() * kw[n], box.height() * kh[n]) * aria;
}

// Length of an upright sword or baton: it must clear its neighbours above and below.
double Lunghezza(int n, const QRectF& box) {
  static const double k[8] = {0, 0.9, 0.44, 0.32, 0.46, 0.31, 0.32, 0.27};
  return box.height() * k[n];
}

void PipColonne(QPainter& p, const StileMazzo& s, int seme, int n, const QRectF& box) {
  const double apertura = box.width() < 40 ? 0.56 : 0.52;
  const double r = Raggio(n, box);
  const double l = Lunghezza(n, box);
  for (const QPointF& uv : Posizioni(n, apertura)) {
    const QPointF c(box.left() + uv.x() * box.width(), box.top() + uv.y() * box.height());
    switch (seme) {
      case Denari: Denaro(p, s, c, r); break;
      case Coppe: Coppa(p, s, c, r * 2.3); break;
      case Spade:
        Spada(p, s, c + QPointF(0, l / 2), c - QPointF(0, l / 2), std::max(2.6, r * 0.36));
        break;
      default:
        Bastone(p, s, c + QPointF(0, l / 2), c - QPointF(0, l / 2), std::max(4.2, r * (s.bastoniNodosi ? 0.78 : 0.62)));
        break;
    }
  }
}

// Swords or batons crossed in a lattice: pairs leaning either way, the odd one upright. From
// four up, one family is turned round so hilts and grips alternate and can be counted.
void PipIncrociate(QPainter& p, const StileMazzo& s, int seme, int n, const QRectF& box) {
  const int coppie = n / 2;
  const double cx = box.center().x();
  const double alto = box.top() + 1, basso = box.bottom() - 1;
  const bool spade = seme == Spade;
  const bool alterna = n >= 4;
  const double larghezza = spade ? (n <= 3 ? 3.8 : 3.2) : (n <= 3 ? 6.4 : n <= 5 ? 5.4 : 4.6);

  auto disegna = [&](QPointF da, QPointF a, double curva, bool girata) {
    if (girata) {
      std::swap(da, a);
      curva = -curva;
    }
    if (spade) Spada(p, s, da, a, larghezza, curva);
    else Bastone(p, s, da, a, larghezza);
  };
  if (spade && s.spadeCurve) {
    // Northern swords: arcs bowing out either way, crossing twice, the odd one straight.
    // From four up the blades braid: across the middle row they alternate family by family.
    const double arco = coppie == 1 ? 15 : coppie == 2 ? 10 : 8;
    std::vector<double> basi;
    if (coppie == 1) basi = {9};
    else if (coppie == 2) basi = {9, 19};
    else basi = {6.4, 14.9, 23.2};
    for (double o : basi) disegna(QPointF(cx + o - arco * 0.3, basso), QPointF(cx + o - arco * 0.3, alto), -arco, false);
    for (double o : basi) disegna(QPointF(cx - o + arco * 0.3, basso), QPointF(cx - o + arco * 0.3, alto), arco, alterna);
  } else if (!spade && !s.bastoniNodosi) {
    // Long turned batons in a lattice, grips alternating.
    std::vector<double> scarti;
    if (coppie == 1) scarti = {0};
    else if (coppie == 2) scarti = {-7.5, 7.5};
    else scarti = {-10.5, 0, 10.5};
    const double inclinazione = coppie == 1 ? 14 : 12;
    for (double o : scarti) disegna(QPointF(cx - inclinazione + o, basso), QPointF(cx + inclinazione + o, alto), 0, false);
    for (double o : scarti) disegna(QPointF(cx + inclinazione + o, basso), QPointF(cx - inclinazione + o, alto), 0, alterna);
  } else {
    // Straight swords and knotted clubs: one crossed pair per row, easy to count.
    const double passo = (basso - alto) / coppie;
    const double mezza = std::min(box.width() / 2 - 2, coppie == 1 ? 14.0 : 15.0);
    for (int i = 0; i < coppie; ++i) {
      const double y0 = alto + i * passo + (coppie > 1 ? 1.0 : 0), y1 = alto + (i + 1) * passo - (coppie > 1 ? 1.0 : 0);
      disegna(QPointF(cx - mezza, y1), QPointF(cx + mezza, y0), 0, false);
      disegna(QPointF(cx + mezza, y1), QPointF(cx - mezza, y0), 0, false);
    }
  }
  if (n % 2 == 1) disegna(QPointF(cx, basso + 0.5), QPointF(cx, alto - 0.5), 0, false);
}

void Asso(QPainter& p, const StileMazzo& s, int seme, const QRectF& box) {
  const QPointF c = box.center();
  switch (seme) {
    case Denari:
      Denaro(p, s, c, std::min(17.0, box.width() / 2.9), true);
      break;
    case Coppe:
      Coppa(p, s, c + QPointF(0, 2), std::min(52.0, box.width() * 1.2), true);
      break;
    case Spade: {
      const QPointF da(c.x(), box.bottom() - 2), a(c.x(), box.top() + 1);
      const double w = box.width() < 40 ? 5.2 : 6.2;
      Spada(p, s, da, a, w, s.spadeCurve ? 3.0 : 0.0);
      Nastro(p, s, QPointF(c.x() + (s.spadeCurve ? 2.4 : 0), c.y() - 6), box.width() < 40 ? 22 : 28, 18);
      if (s.mano) Pugno(p, s, QPointF(c.x(), da.y() - 7.5), 9.5);
      break;
    }
    default: {
      const QPointF da(c.x(), box.bottom() - 1), a(c.x(), box.top() + 1);
      Bastone(p, s, da, a, box.width() < 40 ? 10.0 : 12.5);
      Nastro(p, s, QPointF(c.x(), c.y() - 4), box.width() < 40 ? 22 : 28, 18);
      if (s.mano) Pugno(p, s, QPointF(c.x(), da.y() - 8), 11);
      break;
    }
  }
}

QColor ColoreIndice(const StileMazzo& s, int seme) {
  switch (seme) {
    case Denari: return Scuro(s.c.oroScuro, s.indice == 3 ? 0.3 : 0.12);
    case Spade: return s.c.bluScuro;
    case Bastoni: return s.c.verdeScuro;
    default: return s.c.rossoScuro;
  }
}

// Corner numbers: top left, and the same turned round at bottom right.
void Indici(QPainter& p, const StileMazzo& s, int seme, int numero) {
  if (s.indice == 0) return;
  const QString testo = QString::number(numero);
  const QColor col = ColoreIndice(s, seme);
  for (int giro = 0; giro < 2; ++giro) {
    p.save();
    if (giro == 1) {
      p.translate(LarghezzaFaccia, AltezzaFaccia);
      p.rotate(180);
    }
    if (s.indice == 1) {
      const QPainterPath t = TestoInRiquadro(
          testo, Carattere("DejaVu Serif", 20, QFont::Bold, false, QFont::SemiCondensed),
          QRectF(1.6, 2.0, numero == 10 ? 8.6 : 6.0, 8.4), true);
      DisegnaTesto(p, t, col, s.c.carta, 1.6);
    } else if (s.indice == 2) {
      const QPainterPath t = TestoInRiquadro(
          testo, Carattere("DejaVu Sans", 20, QFont::Bold, false, QFont::SemiCondensed),
          QRectF(1.5, 2.2, numero == 10 ? 10.0 : 7.5, 10.5), true);
      DisegnaTesto(p, t, col, s.c.carta, 1.8);
      SimboloSeme(p, s, seme, QPointF(6.2, 20.0), 9.0);
    } else {
      const QPainterPath t = TestoInRiquadro(
          testo, Carattere("DejaVu Sans", 40, QFont::Bold, false, QFont::Condensed),
          QRectF(1.2, 1.8, numero == 10 ? 13.0 : 11.0, 17.0), true);
      DisegnaTesto(p, t, col, s.c.carta, 2.2);
    }
    p.restore();
  }
}

void Cornice(QPainter& p, const StileMazzo& s) {
  p.save();
  p.setBrush(Qt::NoBrush);
  switch (s.cornice) {
    case 1:
      p.setPen(QPen(s.c.inchiostro, 0.55));
      p.drawRoundedRect(QRectF(2.5, 2.5, 55, 89), 2, 2);
      break;
    case 2:
      p.setPen(QPen(s.c.inchiostro, 0.5));
      p.drawRoundedRect(QRectF(2, 2, 56, 90), 2, 2);
      p.drawRoundedRect(QRectF(3.4, 3.4, 53.2, 87.2), 1.5, 1.5);
      break;
    case 3:
      p.setPen(QPen(s.c.rosso, 0.9));
      p.drawRoundedRect(QRectF(2.2, 2.2, 55.6, 89.6), 2.2, 2.2);
      p.setPen(QPen(s.c.oroScuro, 0.5));
      p.drawRoundedRect(QRectF(3.6, 3.6, 52.8, 86.8), 1.6, 1.6);
      break;
    default:
      break;
  }
  p.restore();
}

void DisegnaFigura(QPainter& p, const StileMazzo& s, int seme, int numero) {
  switch (numero) {
    case 8: Fante(p, s, seme); break;
    case 9: Cavallo(p, s, seme); break;
    default: Re(p, s, seme); break;
  }
}

void Figura(QPainter& p, const StileMazzo& s, int seme, int numero) {
  p.save();
  QRectF pannello(4, 4, 52, 86);
  if (s.indice == 1) pannello = QRectF(5, 5, 50, 84);
  if (s.riquadroFigure) {
    QPainterPath riquadro;
    riquadro.addRoundedRect(pannello, 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(s.c.sfondoFigure);
    p.drawPath(riquadro);
    p.setClipPath(riquadro);
  }
  if (s.figureDoppie) {
    // Upper body to the waist in each half, the lower half turned round: right way up for
    // both players.
    for (int meta = 0; meta < 2; ++meta) {
      p.save();
      if (meta == 1) {
        p.translate(LarghezzaFaccia, AltezzaFaccia);
        p.rotate(180);
      }
      p.setClipRect(QRectF(0, 0, LarghezzaFaccia, AltezzaFaccia / 2.0), Qt::IntersectClip);
      // Figure rows from the top of the head (or raised symbol) down to the waist fill the half.
      const double alto = numero == 9 ? 8.0 : 3.0, vita = numero == 9 ? 56.0 : numero == 10 ? 52.0 : 50.0;
      const double k = (AltezzaFaccia / 2.0 - pannello.top() - 0.5) / (vita - alto);
      p.translate(30, AltezzaFaccia / 2.0);
      p.scale(k, k);
      p.translate(-30, -vita);
      DisegnaFigura(p, s, seme, numero);
      p.restore();
    }
    p.setClipping(false);
    p.setPen(QPen(s.c.inchiostro, 0.6));
    p.drawLine(QPointF(pannello.left(), 47), QPointF(pannello.right(), 47));
  } else {
    // Styles with corner numbers shrink the figure a little so the numbers stay clear.
    const double scala = s.indice == 0 ? 1.0 : s.indice == 1 ? 0.92 : 0.86;
    p.translate(30, 47);
    p.scale(scala, scala);
    p.translate(-30, -47 + (s.riquadroFigure ? 0 : 1));
    DisegnaFigura(p, s, seme, numero);
  }
  p.restore();
  if (s.riquadroFigure && s.tratto > 0) {
    p.setPen(QPen(s.c.inchiostro, 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(pannello, 2.5, 2.5);
  }
}

}  // namespace

const std::array<StileMazzo, NumeroStili>& StiliMazzo() {
  static const std::array<StileMazzo, NumeroStili> stili{Napoletano(), Piacentino(), Trevisano(),
                                                         Siciliano(), Moderno(), GrandiCaratteri()};
  return stili;
}

QImage Faccia(int stile, int seme, int numero) {
  const StileMazzo& s = StiliMazzo()[stile - 1];
  return Sovracampiona(LarghezzaFaccia, AltezzaFaccia, 4, [&](QPainter& p) {
    Cornice(p, s);
    const QRectF box = Contenuto(s);
    if (numero >= 8) {
      Figura(p, s, seme, numero);
    } else if (numero == 1) {
      Asso(p, s, seme, ContenutoAsso(s));
    } else if ((seme == Spade && s.spade == Disposizione::Incrociate) ||
               (seme == Bastoni && s.bastoni == Disposizione::Incrociate)) {
      PipIncrociate(p, s, seme, numero, box);
    } else {
      PipColonne(p, s, seme, numero, box);
    }
    Indici(p, s, seme, numero);
  }, s.c.carta);
}

QImage FogliFronti() {
  QImage foglio = Tela(10 * LarghezzaFaccia, NumeroStili * 4 * AltezzaFaccia);
  foglio.fill(Qt::white);
  QPainter p(&foglio);
  for (int stile = 1; stile <= NumeroStili; ++stile)
    for (int seme = 1; seme <= 4; ++seme)
      for (int numero = 1; numero <= 10; ++numero)
        p.drawImage((numero - 1) * LarghezzaFaccia, ((stile - 1) * 4 + seme - 1) * AltezzaFaccia,
                    Faccia(stile, seme, numero));
  return foglio;
}

}  // namespace Artgen

// Buttons: the table buttons (145 x 38, full-bleed because the felt under them changes colour
// with the chosen frame), the chooser's six big buttons, the advertisement close strip, the
// turn pictures and the 16-colour built-in background.
#include "Bottoni.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "Carte.h"
#include "Pittura.h"
#include "RetroBordi.h"

namespace Artgen {
namespace {

constexpr double Pi = 3.14159265358979323846;

QColor H(const char* esadecimale) { return QColor(QString::fromLatin1(esadecimale)); }

struct Colori {
  QColor alto, basso, bordo, filo, testo, ombraTesto;
};

Colori ColoriStato(StatoBottone stato) {
  switch (stato) {
    case StatoBottone::Attivo:
      return {H("#FBE08A"), H("#D99A2B"), H("#5A2A0A"), H("#FFF6D8"), H("#3A1606"), QColor(255, 255, 255, 150)};
    case StatoBottone::Disabilitato:
      return {H("#B9B6B0"), H("#8F8C86"), H("#5E5B56"), H("#D6D3CC"), H("#E4E1DA"), QColor(70, 68, 64, 170)};
    default:
      return {H("#8A3424"), H("#4E170E"), H("#22090A"), H("#D9B25A"), H("#FFF1CF"), QColor(0, 0, 0, 190)};
  }
}

// A playing card as the tables show it, drawn at (0,0) with the given width.
void CartaPiccola(QPainter& p, int numero, double larghezza, int stile = 1) {
  const int seme = (numero - 1) / 10 + 1;
  const int n = (numero - 1) % 10 + 1;
  const double k = larghezza / 62.0;
  p.save();
  p.scale(k, k);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawRoundedRect(QRectF(1.5, 2, 62, 98), 4, 4);
  p.setBrush(H("#2A1E18"));
  p.drawRoundedRect(QRectF(0, 0, 62, 98), 3.5, 3.5);
  p.drawImage(QRectF(1, 2, 60, 94), Faccia(stile, seme, n));
  p.restore();
}

void Testo(QPainter& p, const QString& testo, const QFont& f, QRectF riquadro, QColor col, QColor ombra,
           QPointF scarto = QPointF(1, 1)) {
  QPainterPath t = TestoCentrato(testo, f, riquadro.center());
  const QRectF b = t.boundingRect();
  if (b.width() > riquadro.width()) t = TestoInRiquadro(testo, f, riquadro);
  DisegnaTesto(p, t, col, ombra, 0, ombra, scarto);
}

// The network button's picture: two cards, one from each side, crossing between two
// screens along a curved double arrow.
void ImmagineRete(QPainter& p, bool attivo) {
  const QColor oro = attivo ? H("#5A2A0A") : H("#F2C650");
  const QColor scuro = attivo ? H("#7A3A12") : H("#2A0508");
  const double sinistra = 40, destra = 116, alto = 52;
  auto schermo = [&](double x) {
    const QRectF vetro(x - 13, alto - 11, 26, 19);
    p.setPen(QPen(oro, 1.8));
    p.setBrush(scuro);
    p.drawRoundedRect(vetro, 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(oro);
    p.drawRect(QRectF(x - 2, vetro.bottom(), 4, 5));
    p.drawRoundedRect(QRectF(x - 8, vetro.bottom() + 4.5, 16, 3), 1.2, 1.2);
  };
  schermo(sinistra);
  schermo(destra);
  // The arc over the cards from one screen to the other, with a head at each end.
  QPainterPath arco;
  arco.moveTo(sinistra + 4, alto - 16);
  arco.cubicTo(sinistra + 18, alto - 42, destra - 18, alto - 42, destra - 4, alto - 16);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(oro, 2.2, Qt::DashLine, Qt::RoundCap));
  p.drawPath(arco);
  p.setPen(Qt::NoPen);
  p.setBrush(oro);
  for (const double verso : {-1.0, 1.0}) {
    const QPointF punta(78 + verso * 36, alto - 13);
    QPainterPath testa;
    testa.moveTo(punta);
    testa.lineTo(punta + QPointF(-verso * 1, -9));
    testa.lineTo(punta + QPointF(verso * 7, -6));
    testa.closeSubpath();
    p.drawPath(testa);
  }
  // Two cards between the screens, leaning towards each other.
  const int carte[] = {1, 31};
  for (int i = 0; i < 2; ++i) {
    p.save();
    p.translate(78 + (i ? 7 : -7), alto);
    p.rotate(i ? 10 : -10);
    p.translate(-11, -16);
    CartaPiccola(p, carte[i], 22);
    p.restore();
  }
}

}  // namespace

const std::vector<BottoneTesto>& BottoniTavolo() {
  static const std::vector<BottoneTesto> b{
      {"nuovapartita", "Nuova Partita"}, {"configurazione", "Configurazione"}, {"punteggi", "Punteggi"},
      {"chiudi", "Chiudi"}, {"ok", "OK"}, {"nuovacarta", "Carta"}, {"stop", "Stop"},
      {"nuovoturno", "Nuovo Turno"}, {"prendi", "Prendi"}, {"altra", "Altra"}};
  return b;
}

QImage BottoneTavolo(const BottoneTesto& b, StatoBottone stato) {
  const Colori c = ColoriStato(stato);
  const int w = LarghezzaBottoneTavolo, h = AltezzaBottoneTavolo;
  return Sovracampiona(w, h, 4, [&](QPainter& p) {
    const QRectF r(0, 0, w, h);
    p.fillRect(r, c.bordo);
    p.setPen(Qt::NoPen);
    p.setBrush(Gradiente(r, c.alto, c.basso));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 3, 3);
    // Bevel: light top edge, dark bottom edge.
    p.setBrush(QColor(255, 255, 255, stato == StatoBottone::Attivo ? 110 : 60));
    p.drawRect(QRectF(2, 1.2, w - 4, 1.2));
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRect(QRectF(2, h - 2.4, w - 4, 1.2));
    // Fine inner line.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.filo, 0.7));
    p.drawRoundedRect(r.adjusted(3.5, 3.5, -3.5, -3.5), 2, 2);
    const QFont f = Carattere("DejaVu Sans", 15, QFont::Bold, false, QFont::SemiCondensed);
    Testo(p, b.etichetta, f, r.adjusted(8, 8, -8, -8), c.testo, c.ombraTesto, QPointF(1.1, 1.1));
  }, c.bordo);
}

const std::vector<BottoneScelta>& BottoniSplash() {
  static const std::vector<BottoneScelta> b{
      {"briscola", "Briscola", "Prese, carichi e briscola", 28, {31, 23, 20}},
      {"scopa", "Scopa", "Scope, settebello e primiera", 114, {37, 7, 28}},
      {"rubamazzo", "Rubamazzo", "Cattura le carte, ruba il mazzo", 200, {35, 19, 9}},
      {"settemezzo", "Sette e mezzo", "Chi si avvicina di più vince", 286, {17, 10}},
      {"rete", "Gioca in rete", "Sfida un amico su un altro computer", 372, {}},
      {"chiudi", "Esci", "Chiudi Cartovia", 458, {}}};
  return b;
}

QImage BottoneSplash(const QImage& sfondo, const BottoneScelta& b, bool attivo) {
  const int w = LarghezzaBottoneScelta, h = AltezzaBottoneScelta;
  // The background's own pixels under the button (the background is at the current density).
  const int d = Densita();
  const QImage sotto = sfondo.copy(XBottoniScelta * d, b.y * d, w * d, h * d);
  QImage grande = sotto.scaled(w * 4, h * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  grande.setDevicePixelRatio(1);  // drawn in its own pixels, four to a 1x pixel
  {
    QPainter p(&grande);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(4, 4);
    const QRectF placca(10, 6, w - 20, h - 12);
    if (attivo) {
      // Warm glow round the plaque under the mouse.
      for (int i = 6; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 214, 110, 16));
        p.drawRoundedRect(placca.adjusted(-i, -i, i, i), 18 + i, 18 + i);
      }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(placca.translated(2, 3), 18, 18);
    QLinearGradient g(placca.topLeft(), placca.bottomLeft());
    if (attivo) {
      g.setColorAt(0, H("#FFF0B0"));
      g.setColorAt(0.5, H("#F2C650"));
      g.setColorAt(1, H("#C98A1E"));
    } else {
      g.setColorAt(0, H("#8E1C2C"));
      g.setColorAt(0.55, H("#64101C"));
      g.setColorAt(1, H("#3E0910"));
    }
    p.setBrush(g);
    p.setPen(QPen(attivo ? H("#5A2A0A") : H("#D9B25A"), 2.2));
    p.drawRoundedRect(placca, 18, 18);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(attivo ? QColor(255, 255, 255, 200) : QColor(217, 178, 90, 150), 0.9));
    p.drawRoundedRect(placca.adjusted(5, 5, -5, -5), 13, 13);
    // Sheen on the top half.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, attivo ? 60 : 22));
    p.drawRoundedRect(QRectF(placca.left() + 8, placca.top() + 4, placca.width() - 16, placca.height() * 0.38), 12, 12);

    // Fan of cards on the left, two cards passed between two seats for the network game, or
    // a door for the quit button.
    const QPointF perno(72, 100);
    if (!b.carte.empty()) {
      const int n = static_cast<int>(b.carte.size());
      for (int i = 0; i < n; ++i) {
        p.save();
        p.translate(perno);
        p.rotate((i - (n - 1) / 2.0) * 16.0);
        p.translate(-17, -92);
        CartaPiccola(p, b.carte[i], 34);
        p.restore();
      }
    } else if (b.nome == QLatin1String("rete")) {
      ImmagineRete(p, attivo);
    } else {
      p.save();
      p.translate(0, -7);  // centred on the plaque
      const QRectF porta(52, 24, 34, 54);
      p.setPen(QPen(attivo ? H("#5A2A0A") : H("#D9B25A"), 2));
      p.setBrush(attivo ? H("#7A3A12") : H("#2A0508"));
      p.drawRect(porta);
      QPainterPath anta;
      anta.moveTo(porta.topLeft());
      anta.lineTo(porta.left() + 22, porta.top() + 6);
      anta.lineTo(porta.left() + 22, porta.bottom() + 4);
      anta.lineTo(porta.bottomLeft());
      anta.closeSubpath();
      p.setBrush(attivo ? H("#B0642A") : H("#8E5A2A"));
      p.drawPath(anta);
      p.setBrush(attivo ? H("#5A2A0A") : H("#F2C650"));
      p.drawEllipse(QPointF(porta.left() + 18, porta.center().y() + 3), 1.8, 1.8);
      // Arrow pointing out.
      QPainterPath freccia;
      freccia.moveTo(92, 46);
      freccia.lineTo(104, 46);
      freccia.lineTo(104, 40);
      freccia.lineTo(114, 51);
      freccia.lineTo(104, 62);
      freccia.lineTo(104, 56);
      freccia.lineTo(92, 56);
      freccia.closeSubpath();
      p.setBrush(attivo ? H("#5A2A0A") : H("#F2C650"));
      p.setPen(Qt::NoPen);
      p.drawPath(freccia);
      p.restore();
    }

    const QColor testo = attivo ? H("#4A0C14") : H("#F6D98A");
    const QColor ombra = attivo ? QColor(255, 255, 255, 170) : QColor(0, 0, 0, 200);
    const QFont titolo = Carattere("DejaVu Serif", 42, QFont::Bold, false, QFont::SemiCondensed);
    Testo(p, b.etichetta, titolo, QRectF(140, 13, 420, 40), testo, ombra, QPointF(1.6, 1.6));
    const QFont sotto = Carattere("DejaVu Serif", 15, QFont::Normal, true);
    Testo(p, b.sottotitolo, sotto, QRectF(140, 55, 420, 16), attivo ? H("#5A1A10") : H("#EBD9C0"),
          QColor(0, 0, 0, attivo ? 0 : 120));
  }
  QImage out = RiduciBlocchi(grande, 4 / d);
  out.setDevicePixelRatio(d);
  return out;
}

QImage StrisciaPubblicita(bool attivo) {
  const int w = 145, h = 16;
  return Sovracampiona(w, h, 4, [&](QPainter& p) {
    const QRectF r(0, 0, w, h);
    p.fillRect(r, Gradiente(r, attivo ? H("#E53935") : H("#4A5A64"), attivo ? H("#A61B1B") : H("#263238")));
    p.setPen(QPen(QColor(255, 255, 255, 60), 0.6));
    p.drawLine(QPointF(0, 0.5), QPointF(w, 0.5));
    const QFont f = Carattere("DejaVu Sans", 11, QFont::Bold, false, QFont::SemiCondensed);
    Testo(p, QString::fromUtf8("Chiudi pubblicità"), f, QRectF(4, 3, 118, 10), QColor(255, 255, 255),
          QColor(0, 0, 0, 150), QPointF(0.7, 0.7));
    // Close mark in a ring.
    const QPointF c(134.5, 8);
    p.setPen(QPen(QColor(255, 255, 255), 1.0));
    p.setBrush(attivo ? H("#B71C1C") : H("#37474F"));
    p.drawEllipse(c, 5.5, 5.5);
    p.setPen(QPen(QColor(255, 255, 255), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-2.4, -2.4), c + QPointF(2.4, 2.4));
    p.drawLine(c + QPointF(-2.4, 2.4), c + QPointF(2.4, -2.4));
  });
}

namespace {

void CorniceTurno(QPainter& p, QColor alto, QColor basso) {
  const QRectF r(0, 0, 145, 201);
  p.fillRect(r, H("#1A1410"));
  p.setPen(Qt::NoPen);
  p.setBrush(Gradiente(r, alto, basso));
  p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 6, 6);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(H("#D9B25A"), 1.4));
  p.drawRoundedRect(r.adjusted(4.5, 4.5, -4.5, -4.5), 5, 5);
  p.setPen(QPen(QColor(217, 178, 90, 110), 0.7));
  p.drawRoundedRect(r.adjusted(7.5, 7.5, -7.5, -7.5), 3.5, 3.5);
}

void Didascalia(QPainter& p, const QString& testo) {
  const QRectF fascia(10, 166, 125, 26);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawRoundedRect(fascia, 5, 5);
  const QFont f = Carattere("DejaVu Sans", 22, QFont::Bold, false, QFont::SemiCondensed);
  Testo(p, testo, f, fascia.adjusted(6, 5, -6, -5), H("#FFF1CF"), QColor(0, 0, 0, 220), QPointF(1.3, 1.3));
}

}  // namespace

QImage TurnoComputer() {
  return Sovracampiona(145, 201, 4, [&](QPainter& p) {
    CorniceTurno(p, H("#2A4470"), H("#0F1930"));
    // Glow behind the monitor.
    QRadialGradient alone(QPointF(72.5, 70), 70);
    alone.setColorAt(0, QColor(120, 190, 255, 90));
    alone.setColorAt(1, QColor(120, 190, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(alone);
    p.drawEllipse(QPointF(72.5, 70), 70, 60);
    // Stand and base.
    p.setBrush(Gradiente(QRectF(60, 104, 25, 20), H("#C5CCD6"), H("#8E98A6")));
    p.setPen(QPen(H("#2B3440"), 1));
    QPainterPath collo;
    collo.moveTo(64, 104);
    collo.lineTo(81, 104);
    collo.lineTo(85, 124);
    collo.lineTo(60, 124);
    collo.closeSubpath();
    p.drawPath(collo);
    p.drawRoundedRect(QRectF(44, 122, 57, 6), 3, 3);
    // Monitor bezel and screen.
    p.setBrush(Gradiente(QRectF(18, 26, 109, 82), H("#E9EDF2"), H("#AEB7C3")));
    p.drawRoundedRect(QRectF(18, 26, 109, 82), 6, 6);
    const QRectF schermo(25, 32, 95, 66);
    p.setBrush(Gradiente(schermo, H("#1C5A8A"), H("#0B2A48")));
    p.setPen(QPen(H("#2B3440"), 1));
    p.drawRoundedRect(schermo, 3, 3);
    // On the screen: two cards being considered and a thinking ellipsis.
    p.save();
    p.setClipRect(schermo);
    p.translate(44, 40);
    p.rotate(-10);
    CartaPiccola(p, 1, 24, 5);
    p.restore();
    p.save();
    p.setClipRect(schermo);
    p.translate(72, 38);
    p.rotate(8);
    CartaPiccola(p, 37, 24, 5);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(H("#9FD4FF"));
    for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(62 + i * 10, 88), 2.4, 2.4);
    // Screen reflection.
    QPainterPath riflesso;
    riflesso.moveTo(schermo.left() + 2, schermo.top() + 2);
    riflesso.lineTo(schermo.left() + 40, schermo.top() + 2);
    riflesso.lineTo(schermo.left() + 2, schermo.top() + 30);
    riflesso.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 30));
    p.drawPath(riflesso);
    // Power light.
    p.setBrush(H("#5CE07A"));
    p.drawEllipse(QPointF(72.5, 103), 1.4, 1.4);
    // Keyboard.
    QPainterPath tastiera;
    tastiera.moveTo(28, 136);
    tastiera.lineTo(117, 136);
    tastiera.lineTo(126, 156);
    tastiera.lineTo(19, 156);
    tastiera.closeSubpath();
    p.setPen(QPen(H("#2B3440"), 1));
    p.setBrush(Gradiente(QRectF(19, 136, 107, 20), H("#DDE2E8"), H("#A9B2BE")));
    p.drawPath(tastiera);
    p.setPen(Qt::NoPen);
    p.setBrush(H("#6F7A88"));
    for (int riga = 0; riga < 3; ++riga) {
      const double y = 139 + riga * 5.5;
      const double x0 = 29 - riga * 2.6, x1 = 116 + riga * 2.6;
      for (double x = x0; x < x1 - 4; x += 6.6) p.drawRoundedRect(QRectF(x, y, 5.2, 3.6), 0.8, 0.8);
    }
    Didascalia(p, "Computer");
  });
}

QImage TurnoGiocatore() {
  return Sovracampiona(145, 201, 4, [&](QPainter& p) {
    CorniceTurno(p, H("#2E7A46"), H("#123820"));
    QRadialGradient alone(QPointF(72.5, 80), 75);
    alone.setColorAt(0, QColor(255, 230, 150, 80));
    alone.setColorAt(1, QColor(255, 230, 150, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(alone);
    p.drawEllipse(QPointF(72.5, 80), 75, 70);
    // A fan of three cards held in a hand: palm and thumb in front of the cards' lower ends.
    const QPointF perno(72.5, 150);
    const int carte[3] = {1, 37, 20};
    for (int i = 0; i < 3; ++i) {
      p.save();
      p.translate(perno);
      p.rotate((i - 1) * 20.0);
      p.translate(-23, -116);
      CartaPiccola(p, carte[i], 46);
      p.restore();
    }
    const QColor pelle = H("#F2C49B"), contorno = H("#6B3A1E");
    p.setPen(QPen(contorno, 1.1));
    // Sleeve and cuff.
    p.setBrush(Gradiente(QRectF(49, 132, 50, 30), H("#3566B5"), H("#1E3F7A")));
    QPainterPath manica;
    manica.moveTo(57, 132);
    manica.lineTo(91, 132);
    manica.lineTo(98, 162);
    manica.lineTo(50, 162);
    manica.closeSubpath();
    p.drawPath(manica);
    // Palm gripping the fan, fingers curled round the back.
    p.setBrush(pelle);
    p.drawRoundedRect(QRectF(56, 100, 36, 31), 12, 12);
    p.setPen(QPen(Scuro(pelle, 0.3), 0.9));
    for (int i = 0; i < 3; ++i) p.drawLine(QPointF(80, 107 + i * 6), QPointF(91, 106 + i * 6));
    p.setPen(QPen(contorno, 1.1));
    p.setBrush(H("#F7F3EA"));
    p.drawRoundedRect(QRectF(54, 127, 40, 8), 2, 2);
    // Thumb pressing the fan from the front.
    p.save();
    p.translate(66, 104);
    p.rotate(-30);
    p.setBrush(Chiaro(pelle, 0.08));
    p.drawRoundedRect(QRectF(-5, -16, 10, 23), 5, 5);
    p.setBrush(Chiaro(pelle, 0.4));
    p.setPen(QPen(Scuro(pelle, 0.25), 0.7));
    p.drawRoundedRect(QRectF(-3.2, -14.5, 6.4, 6), 2.5, 2.5);
    p.restore();
    Didascalia(p, "Tocca a te");
  });
}

ImmagineIndicizzata SfondoBottone() {
  // A cool silver ramp of 16 shades; the picture is a soft light-from-above gradient with a
  // faint diagonal weave, dithered with a 4 x 4 Bayer matrix so it stays smooth in 16 colours.
  ImmagineIndicizzata img;
  img.larghezza = 192;
  img.altezza = 128;
  for (int i = 0; i < 16; ++i) {
    const double t = i / 15.0;
    img.tavolozza.push_back(qRgb(int(150 + t * 98), int(160 + t * 92), int(176 + t * 78)));
  }
  static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  img.indici.resize(192 * 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 192; ++x) {
      const double verticale = 1.0 - std::pow(y / 127.0, 1.3) * 0.75;
      const double trama = 0.05 * std::sin((x + y) * 2 * Pi / 8.0) * std::sin((x - y) * 2 * Pi / 8.0);
      const double bordo = (x < 2 || y < 2) ? 0.12 : (x > 189 || y > 125) ? -0.15 : 0.0;
      const double v = std::clamp(verticale * 0.85 + 0.1 + trama + bordo, 0.0, 1.0) * 15.0;
      const double soglia = (bayer[y % 4][x % 4] + 0.5) / 16.0;
      int livello = static_cast<int>(std::floor(v));
      if (v - livello > soglia) ++livello;
      img.indici[y * 192 + x] = static_cast<uint8_t>(std::clamp(livello, 0, 15));
    }
  return img;
}

}  // namespace Artgen

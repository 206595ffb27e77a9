// The advertisement's art. The poster and the movie say the same thing: Cartovia, four
// Italian card games.
#include "Pubblicita.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <cstdint>
#include <vector>

#include "Carte.h"
#include "Pittura.h"

namespace Artgen {
namespace {

QColor H(const char* esadecimale) { return QColor(QString::fromLatin1(esadecimale)); }

struct Gioco {
  const char* nome;
  std::vector<int> carte;
};

const Gioco Giochi[] = {
    {"Scopa", {37, 7, 28}},
    {"Briscola", {31, 23, 20}},
    {"Rubamazzo", {35, 19, 9}},
    {"Sette e mezzo", {17, 10}},
};

void Carta(QPainter& p, int numero, QPointF centro, double angolo, double scala) {
  const int seme = (numero - 1) / 10 + 1, n = (numero - 1) % 10 + 1;
  p.save();
  p.translate(centro);
  p.rotate(angolo);
  p.scale(scala, scala);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 80));
  p.drawRoundedRect(QRectF(-31 + 2.5, -49 + 3.5, 62, 98), 4, 4);
  p.setBrush(H("#2A1E18"));
  p.drawRoundedRect(QRectF(-31, -49, 62, 98), 3.5, 3.5);
  p.drawImage(QRectF(-30, -47, 60, 94), Faccia(1, seme, n));
  p.restore();
}

}  // namespace

QImage LocandinaPubblicita() {
  // Drawn on the 700 x 480 layout of the movie and stretched to the panel it fills.
  const int w = 700, h = 480;
  const int pw = 760, ph = 518;
  return Sovracampiona(pw, ph, 2, [&](QPainter& p) {
    p.scale(double(pw) / w, double(ph) / h);
    // Deep red velvet with a soft light from above.
    QRadialGradient luce(QPointF(w / 2.0, 40), 620);
    luce.setColorAt(0, H("#B3263A"));
    luce.setColorAt(0.55, H("#6E0F1E"));
    luce.setColorAt(1, H("#33050C"));
    p.fillRect(QRectF(0, 0, w, h), luce);
    // Faint suit symbols as a watermark.
    const StileMazzo& s = StiliMazzo()[0];
    p.setOpacity(0.08);
    for (int riga = 0; riga < 5; ++riga)
      for (int col = 0; col < 8; ++col)
        SimboloSeme(p, s, (riga + col) % 4 + 1, QPointF(45 + col * 88 + (riga % 2) * 44, 40 + riga * 100), 34);
    p.setOpacity(1);
    // Gold frame.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(H("#D9B25A"), 2.5));
    p.drawRoundedRect(QRectF(10, 10, w - 20, h - 20), 14, 14);
    p.setPen(QPen(QColor(217, 178, 90, 120), 1));
    p.drawRoundedRect(QRectF(17, 17, w - 34, h - 34), 10, 10);

    // Title and strapline.
    const QFont titolo = Carattere("DejaVu Serif", 78, QFont::Bold, false, QFont::SemiCondensed);
    DisegnaTesto(p, TestoCentrato("Cartovia", titolo, QPointF(w / 2.0, 82)), H("#F6D98A"), H("#4A2A06"), 1.6,
                 QColor(0, 0, 0, 150), QPointF(3, 3));
    const QFont sotto = Carattere("DejaVu Serif", 21, QFont::Normal, true);
    DisegnaTesto(p, TestoCentrato(QString::fromUtf8("Quattro giochi di carte italiane, contro il computer"), sotto,
                                  QPointF(w / 2.0, 146)),
                 H("#FBEFD6"), QColor(0, 0, 0, 0), 0, QColor(0, 0, 0, 150), QPointF(1.2, 1.2));

    // One fan of cards per game with its name written beneath, straight on the velvet: no
    // raised plate or ribbon, since nothing here can be pressed.
    for (int i = 0; i < 4; ++i) {
      const Gioco& g = Giochi[i];
      const QRectF m(32 + i * 162, 178, 150, 220);
      const int n = static_cast<int>(g.carte.size());
      for (int k = 0; k < n; ++k) {
        const double a = (k - (n - 1) / 2.0) * 15.0;
        const double rad = a * 3.14159265358979 / 180.0;
        const QPointF perno(m.center().x(), m.top() + 196);
        Carta(p, g.carte[k], perno + QPointF(std::sin(rad) * 88, -std::cos(rad) * 88), a, 1.05);
      }
      const QFont nome = Carattere("DejaVu Serif", 19, QFont::Bold, true, QFont::SemiCondensed);
      const QRectF posto(m.left(), m.bottom() - 40, m.width(), 30);
      QPainterPath scritta = TestoCentrato(QString::fromUtf8(g.nome), nome, posto.center());
      if (scritta.boundingRect().width() > posto.width()) scritta = TestoInRiquadro(QString::fromUtf8(g.nome), nome, posto);
      DisegnaTesto(p, scritta, H("#F6D98A"), QColor(0, 0, 0, 0), 0, QColor(0, 0, 0, 170), QPointF(1.2, 1.2));
    }

    // Closing line.
    const QFont invito = Carattere("DejaVu Serif", 19, QFont::Normal, true);
    DisegnaTesto(p, TestoCentrato(QString::fromUtf8("Scopa, Briscola, Rubamazzo e Sette e mezzo in un solo programma"),
                                  invito, QPointF(w / 2.0, 432)),
                 H("#FBEFD6"), QColor(0, 0, 0, 0), 0, QColor(0, 0, 0, 170), QPointF(1.2, 1.2));
  }, H("#33050C"));
}

QImage Luce(bool verde) {
  const QColor chiaro = verde ? H("#B9F6A6") : H("#FF9E9E");
  const QColor pieno = verde ? H("#2FBF3A") : H("#E02424");
  const QColor scuro = verde ? H("#0B4E12") : H("#5E0707");
  return Sovracampiona(20, 20, 4, [&](QPainter& p) {
    // Metal bezel, then the lamp with its highlight.
    QLinearGradient ghiera(QPointF(0, 0), QPointF(0, 20));
    ghiera.setColorAt(0, H("#E8E2D4"));
    ghiera.setColorAt(1, H("#5B5548"));
    p.setPen(Qt::NoPen);
    p.setBrush(ghiera);
    p.drawEllipse(QPointF(10, 10), 9.6, 9.6);
    QRadialGradient lampada(QPointF(8, 7.5), 9);
    lampada.setColorAt(0, chiaro);
    lampada.setColorAt(0.45, pieno);
    lampada.setColorAt(1, scuro);
    p.setBrush(lampada);
    p.drawEllipse(QPointF(10, 10), 7.4, 7.4);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QPointF(7.6, 7), 2.4, 1.6);
  }, H("#3E0910"));
}

// ---------------------------------------------------------------- SWF

namespace {

// Bits written most significant first, as SWF packs its records.
class Bit {
 public:
  void Scrivi(uint32_t valore, int n) {
    for (int i = n - 1; i >= 0; --i) {
      if (usati_ == 0) dati_.push_back(char(0));
      if ((valore >> i) & 1u) dati_.back() = static_cast<char>(dati_.back() | (0x80 >> usati_));
      usati_ = (usati_ + 1) % 8;
    }
  }
  void ConSegno(int32_t valore, int n) { Scrivi(static_cast<uint32_t>(valore) & ((n >= 32) ? ~0u : ((1u << n) - 1)), n); }
  void Allinea() { usati_ = 0; }
  void Byte(uint8_t b) { Allinea(); dati_.push_back(static_cast<char>(b)); }
  void U16(uint16_t v) { Byte(v & 0xff); Byte(v >> 8); }
  const QByteArray& Dati() const { return dati_; }

 private:
  QByteArray dati_;
  int usati_ = 0;
};

// Bits needed to hold each value as a signed field.
int BitConSegno(std::initializer_list<int32_t> valori) {
  int n = 1;
  for (int32_t v : valori) {
    const uint32_t m = static_cast<uint32_t>(v < 0 ? ~v : v);
    int b = 1;
    while ((m >> (b - 1)) != 0) ++b;
    n = std::max(n, b);
  }
  return n;
}

void Rettangolo(Bit& b, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
  const int n = BitConSegno({x0, x1, y0, y1});
  b.Scrivi(n, 5);
  b.ConSegno(x0, n);
  b.ConSegno(x1, n);
  b.ConSegno(y0, n);
  b.ConSegno(y1, n);
  b.Allinea();
}

void Etichetta(QByteArray& out, int codice, const QByteArray& corpo) {
  auto u16 = [&](uint16_t v) { out.append(char(v & 0xff)).append(char(v >> 8)); };
  if (corpo.size() < 63) {
    u16(static_cast<uint16_t>((codice << 6) | corpo.size()));
  } else {
    u16(static_cast<uint16_t>((codice << 6) | 0x3f));
    const uint32_t n = static_cast<uint32_t>(corpo.size());
    for (int i = 0; i < 4; ++i) out.append(char((n >> (8 * i)) & 0xff));
  }
  out.append(corpo);
}

// DefineShape: polygons (in twips) filled with one colour.
QByteArray Forma(uint16_t id, const QList<QPolygonF>& poligoni, QColor colore) {
  QRectF limiti;
  for (const QPolygonF& pg : poligoni) limiti = limiti.united(pg.boundingRect());
  Bit b;
  b.U16(id);
  Rettangolo(b, int32_t(std::floor(limiti.left())), int32_t(std::ceil(limiti.right())),
             int32_t(std::floor(limiti.top())), int32_t(std::ceil(limiti.bottom())));
  b.Byte(1);     // one fill style
  b.Byte(0x00);  // solid
  b.Byte(colore.red());
  b.Byte(colore.green());
  b.Byte(colore.blue());
  b.Byte(0);     // no line styles
  b.Scrivi(1, 4);  // fill index bits
  b.Scrivi(0, 4);  // line index bits
  bool primo = true;
  for (const QPolygonF& pg : poligoni) {
    std::vector<QPoint> punti;
    for (const QPointF& q : pg) {
      const QPoint r(int(std::lround(q.x())), int(std::lround(q.y())));
      if (punti.empty() || punti.back() != r) punti.push_back(r);
    }
    if (punti.size() > 1 && punti.front() == punti.back()) punti.pop_back();
    if (punti.size() < 3) continue;
    // Style change: move to the first point (and pick the fill on the first contour).
    b.Scrivi(0, 1);
    b.Scrivi(0, 1);  // new styles
    b.Scrivi(0, 1);  // line style
    b.Scrivi(0, 1);  // fill style 1
    b.Scrivi(primo ? 1 : 0, 1);  // fill style 0
    b.Scrivi(1, 1);  // move to
    const int nm = BitConSegno({punti[0].x(), punti[0].y()});
    b.Scrivi(nm, 5);
    b.ConSegno(punti[0].x(), nm);
    b.ConSegno(punti[0].y(), nm);
    if (primo) b.Scrivi(1, 1);
    primo = false;
    for (size_t i = 0; i < punti.size(); ++i) {
      const QPoint d = punti[(i + 1) % punti.size()] - punti[i];
      const int n = std::max(2, BitConSegno({d.x(), d.y()}));
      b.Scrivi(1, 1);      // edge
      b.Scrivi(1, 1);      // straight
      b.Scrivi(n - 2, 4);
      b.Scrivi(1, 1);      // general line: both deltas
      b.ConSegno(d.x(), n);
      b.ConSegno(d.y(), n);
    }
  }
  b.Scrivi(0, 6);  // end of shape
  b.Allinea();
  return b.Dati();
}

// Text as filled outlines, centred on `centro`, at `pixel` high, in twips.
QList<QPolygonF> TestoInTwip(const QString& testo, const QFont& font, QPointF centro) {
  const QPainterPath t = TestoCentrato(testo, font, centro);
  return t.toSubpathPolygons(QTransform::fromScale(20, 20));
}

QByteArray PiazzaOggetto(uint16_t profondita, int id, int32_t dx, int32_t dy) {
  Bit b;
  b.Byte(id > 0 ? 0x06 : 0x05);  // has matrix, and a new character or a move
  b.U16(profondita);
  if (id > 0) b.U16(static_cast<uint16_t>(id));
  b.Scrivi(0, 1);  // no scale
  b.Scrivi(0, 1);  // no rotation
  const int n = BitConSegno({dx, dy});
  b.Scrivi(n, 5);
  b.ConSegno(dx, n);
  b.ConSegno(dy, n);
  b.Allinea();
  return b.Dati();
}

}  // namespace

QByteArray FilmatoSwf() {
  constexpr int w = 700, h = 480, fotogrammi = 24;
  QByteArray etichette;
  Etichetta(etichette, 9, QByteArray("\x1F\x6B\x3A", 3));  // background: table green

  // A velvet panel, the title, the games' names.
  QPolygonF pannello;
  for (const QPointF& q : {QPointF(30, 30), QPointF(w - 30, 30), QPointF(w - 30, h - 30), QPointF(30, h - 30)})
    pannello << q * 20;
  Etichetta(etichette, 2, Forma(1, {pannello}, H("#7A1426")));
  const QFont titolo = Carattere("DejaVu Serif", 84, QFont::Bold);
  Etichetta(etichette, 2, Forma(2, TestoInTwip("Cartovia", titolo, QPointF(w / 2.0, 190)), H("#F6D98A")));
  const QFont giochi = Carattere("DejaVu Serif", 24, QFont::Normal, true);
  Etichetta(etichette, 2, Forma(3, TestoInTwip(QString::fromUtf8("Scopa · Briscola · Rubamazzo · Sette e mezzo"), giochi,
                                               QPointF(w / 2.0, 320)),
                                H("#FBEFD6")));

  Etichetta(etichette, 26, PiazzaOggetto(1, 1, 0, 0));
  Etichetta(etichette, 26, PiazzaOggetto(3, 3, 0, 0));
  // The title drops in over the first half second, then rests.
  for (int f = 0; f < fotogrammi; ++f) {
    const int passo = std::max(0, 6 - f);
    Etichetta(etichette, 26, PiazzaOggetto(2, f == 0 ? 2 : 0, 0, -passo * 400));
    Etichetta(etichette, 1, {});
  }
  Etichetta(etichette, 0, {});

  Bit testa;
  Rettangolo(testa, 0, w * 20, 0, h * 20);
  testa.U16(12 << 8);  // 12 frames a second, 8.8 fixed point
  testa.U16(fotogrammi);

  QByteArray file("FWS");
  file.append(char(6));
  const uint32_t lunghezza = static_cast<uint32_t>(8 + testa.Dati().size() + etichette.size());
  for (int i = 0; i < 4; ++i) file.append(char((lunghezza >> (8 * i)) & 0xff));
  file.append(testa.Dati());
  file.append(etichette);
  return file;
}

}  // namespace Artgen

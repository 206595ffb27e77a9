#pragma once
// Card faces: six deck styles of 40 faces of 60 x 94, each drawn from the same shapes (suit
// symbols, pip layouts, figures) with its own palette and drawing habits.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <array>

namespace Artgen {

inline constexpr int LarghezzaFaccia = 60;
inline constexpr int AltezzaFaccia = 94;
inline constexpr int NumeroStili = 6;

// Suits in sheet row order.
enum Seme { Denari = 1, Spade = 2, Bastoni = 3, Coppe = 4 };

struct Tavolozza {
  QColor carta;        // paper
  QColor inchiostro;   // outlines
  QColor oro, oroScuro;
  QColor rosso, rossoScuro;
  QColor blu, bluScuro;
  QColor verde, verdeScuro;
  QColor legno, legnoScuro;
  QColor acciaio, acciaioScuro;
  QColor pelle, capelli;
  QColor bianco;       // linen, ermine, horse
  QColor sfondoFigure; // panel behind figures (styles that frame them)
};

enum class Disposizione { Colonne, Incrociate };

struct StileMazzo {
  QString nome;
  Tavolozza c;
  double tratto = 0.7;                 // outline width in face pixels; 0 draws flat shapes
  bool spadeCurve = false;             // northern curved blades
  Disposizione spade = Disposizione::Colonne;
  Disposizione bastoni = Disposizione::Colonne;
  bool bastoniNodosi = true;           // knotted clubs, else smooth turned batons with bands
  int ornamentoDenaro = 0;             // 0 flower, 1 star, 2 rings, 3 sun
  int indice = 0;                      // 0 none, 1 small number, 2 number and suit, 3 large print
  int cornice = 0;                     // 0 none, 1 thin line, 2 double line, 3 coloured band
  bool riquadroFigure = false;         // figures stand on a coloured panel
  bool mano = false;                   // aces of swords and batons held by a hand
  bool terreno = true;                 // figures stand on a patch of ground
  bool sfumature = true;               // soft shading on symbols
  bool figureDoppie = false;           // double-ended figures, mirrored about the middle
  bool pavimento = false;              // figures stand on a tiled floor instead of grass
  QColor bastone;                      // wood of the knotted clubs
  // Costume colours of the figures of each suit (main garment, second garment).
  std::array<std::array<QColor, 2>, 4> vesti;
};

const std::array<StileMazzo, NumeroStili>& StiliMazzo();

// --- Suit symbols (Semi.cpp). Positions and sizes in face pixels. ---
void Denaro(QPainter& p, const StileMazzo& s, QPointF centro, double raggio, bool asso = false);
void Coppa(QPainter& p, const StileMazzo& s, QPointF centro, double altezza, bool asso = false);
// Pommel at `da`, point at `a`; `curva` bends the blade sideways (0 = straight).
void Spada(QPainter& p, const StileMazzo& s, QPointF da, QPointF a, double larghezza, double curva = 0);
// Grip end at `da`, thick end at `a`.
void Bastone(QPainter& p, const StileMazzo& s, QPointF da, QPointF a, double spessore);
// A compact symbol of the suit fitting a box of `dimensione` high (indices, figures' hands).
void SimboloSeme(QPainter& p, const StileMazzo& s, int seme, QPointF centro, double dimensione);
// A fist around a vertical grip centred at `centro` (aces held by a hand).
void Pugno(QPainter& p, const StileMazzo& s, QPointF centro, double dimensione);
// A ribbon winding across a vertical shaft.
void Nastro(QPainter& p, const StileMazzo& s, QPointF centro, double larghezza, double altezza);

// --- Figures (Figure.cpp), drawn over the whole face. ---
void Fante(QPainter& p, const StileMazzo& s, int seme);
void Cavallo(QPainter& p, const StileMazzo& s, int seme);
void Re(QPainter& p, const StileMazzo& s, int seme);

// --- Faces and the sheet (Carte.cpp). ---
// One face, 60 x 94, in true colour.
QImage Faccia(int stile, int seme, int numero);
// The whole face sheet, 600 x 2256: style k takes rows 4(k-1) to 4k-1, suits in row order.
QImage FogliFronti();

}  // namespace Artgen

#pragma once
// The Vista and Mossa of each game on the wire. Decoding checks every field: cards 1..40
// (0 where a place may be empty), counts within the game's limits, no card in two places,
// hand slots 1..3, capture places increasing; anything else is refused.
#include <QByteArray>
#include <set>

#include "games/briscola/GiocatoriBriscola.h"
#include "games/rubamazzo/GiocatoriRubamazzo.h"
#include "games/scopa/GiocatoriScopa.h"

namespace Rete {

QByteArray CodificaVista(const VistaScopa& v);
QByteArray CodificaVista(const VistaBriscola& v);
QByteArray CodificaVista(const VistaRubamazzo& v);
bool DecodificaVista(const QByteArray& b, VistaScopa& v);
bool DecodificaVista(const QByteArray& b, VistaBriscola& v);
bool DecodificaVista(const QByteArray& b, VistaRubamazzo& v);

QByteArray CodificaMossa(const MossaScopa& m);
QByteArray CodificaMossa(const MossaBriscola& m);
QByteArray CodificaMossa(const MossaRubamazzo& m);
bool DecodificaMossa(const QByteArray& b, MossaScopa& m);
bool DecodificaMossa(const QByteArray& b, MossaBriscola& m);
bool DecodificaMossa(const QByteArray& b, MossaRubamazzo& m);

// Every card a view names, wherever it names it.
std::set<int> CarteDellaVista(const VistaScopa& v);
std::set<int> CarteDellaVista(const VistaBriscola& v);
std::set<int> CarteDellaVista(const VistaRubamazzo& v);

}  // namespace Rete

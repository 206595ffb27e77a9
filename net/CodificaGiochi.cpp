#include "net/CodificaGiochi.h"

#include "net/Protocollo.h"

namespace Rete {

namespace {

// Collects cards while decoding and refuses a card met twice.
class Carte {
public:
    explicit Carte(Lettore& l) : l_(l) {}
    // A card 1..40, or 0 when `vuota` allows an empty place.
    int Leggi(bool vuota)
    {
        const int c = l_.U8(vuota ? 0 : 1, 40);
        if (c && !visti_.insert(c).second) l_.Guasto();
        return c;
    }

private:
    Lettore& l_;
    std::set<int> visti_;
};

// A card list: its length 0..40, then the cards.
void ScriviPila(Scrittore& s, const int* pila, int n)
{
    s.U8(n);
    for (int k = 1; k <= n; ++k) s.U8(pila[k]);
}

int LeggiPila(Lettore& l, Carte& carte, int* pila)
{
    const int n = l.U8(0, 40);
    for (int k = 1; k <= n; ++k) pila[k] = carte.Leggi(false);
    return n;
}

QByteArray Corpo(const Scrittore& s)
{
    // The fields only: the frame's length, version and type bytes are not part of a view.
    return s.Cornice().mid(6);
}

}  // namespace

// ---- Scopa ----

QByteArray CodificaVista(const VistaScopa& v)
{
    Scrittore s(Tipo::Stato);
    s.U8(v.Lato);
    for (int i = 1; i <= 3; ++i) s.U8(v.Mano[i]);
    s.U8(v.CarteAvversario);
    int posti = 0;
    for (int j = 1; j <= MotoreScopa::MassimoPostiTavolo; ++j)
        if (v.Tavolo[j]) posti = j;
    s.U8(posti);
    for (int j = 1; j <= posti; ++j) s.U8(v.Tavolo[j]);
    ScriviPila(s, v.Prese, v.NumeroPrese);
    ScriviPila(s, v.PreseAvversario, v.NumeroPreseAvversario);
    s.U8(v.Scope).U8(v.ScopeAvversario).U8(v.UltimaPresa).U8(v.CarteNelMazzo);
    return Corpo(s);
}

bool DecodificaVista(const QByteArray& b, VistaScopa& v)
{
    v = VistaScopa{};
    Lettore l(b);
    Carte carte(l);
    v.Lato = l.U8(1, 2);
    for (int i = 1; i <= 3; ++i) v.Mano[i] = carte.Leggi(true);
    v.CarteAvversario = l.U8(0, 3);
    const int posti = l.U8(0, MotoreScopa::MassimoPostiTavolo);
    for (int j = 1; j <= posti; ++j) v.Tavolo[j] = carte.Leggi(true);
    v.NumeroPrese = LeggiPila(l, carte, v.Prese);
    v.NumeroPreseAvversario = LeggiPila(l, carte, v.PreseAvversario);
    v.Scope = l.U8(0, 40);
    v.ScopeAvversario = l.U8(0, 40);
    v.UltimaPresa = l.U8(0, 2);
    v.CarteNelMazzo = l.U8(0, 40);
    return l.Fine();
}

QByteArray CodificaMossa(const MossaScopa& m)
{
    Scrittore s(Tipo::Mossa);
    s.U8(m.Slot).U8(m.NumeroPosti);
    for (int j = 0; j < m.NumeroPosti && j < MotoreScopa::MassimaPresa; ++j) s.U8(m.Posti[j]);
    return Corpo(s);
}

bool DecodificaMossa(const QByteArray& b, MossaScopa& m)
{
    m = MossaScopa{};
    Lettore l(b);
    m.Slot = l.U8(1, 3);
    m.NumeroPosti = l.U8(0, MotoreScopa::MassimaPresa);
    for (int j = 0; j < m.NumeroPosti; ++j) {
        m.Posti[j] = l.U8(1, MotoreScopa::MassimoPostiTavolo);
        if (j > 0 && m.Posti[j] <= m.Posti[j - 1]) l.Guasto();
    }
    return l.Fine();
}

std::set<int> CarteDellaVista(const VistaScopa& v)
{
    std::set<int> c;
    for (int i = 1; i <= 3; ++i) c.insert(v.Mano[i]);
    for (int j = 1; j <= MotoreScopa::MassimoPostiTavolo; ++j) c.insert(v.Tavolo[j]);
    for (int k = 1; k <= v.NumeroPrese; ++k) c.insert(v.Prese[k]);
    for (int k = 1; k <= v.NumeroPreseAvversario; ++k) c.insert(v.PreseAvversario[k]);
    c.erase(0);
    return c;
}

// ---- Briscola ----

QByteArray CodificaVista(const VistaBriscola& v)
{
    Scrittore s(Tipo::Stato);
    s.U8(v.Lato);
    for (int i = 1; i <= 3; ++i) s.U8(v.Mano[i]);
    s.U8(v.CartaBriscola).U8(v.CartaAvversario);
    ScriviPila(s, v.Prese, v.NumeroPrese);
    ScriviPila(s, v.PreseAvversario, v.NumeroPreseAvversario);
    s.U8(v.CarteNelMazzo).U8(v.CarteAvversario);
    return Corpo(s);
}

bool DecodificaVista(const QByteArray& b, VistaBriscola& v)
{
    v = VistaBriscola{};
    Lettore l(b);
    Carte carte(l);
    v.Lato = l.U8(1, 2);
    for (int i = 1; i <= 3; ++i) v.Mano[i] = carte.Leggi(true);
    // The face-up trump stays named after someone draws it, so it is not one of the places.
    v.CartaBriscola = l.U8(1, 40);
    v.CartaAvversario = carte.Leggi(true);
    v.NumeroPrese = LeggiPila(l, carte, v.Prese);
    v.NumeroPreseAvversario = LeggiPila(l, carte, v.PreseAvversario);
    v.CarteNelMazzo = l.U8(0, 40);
    v.CarteAvversario = l.U8(0, 3);
    return l.Fine();
}

QByteArray CodificaMossa(const MossaBriscola& m)
{
    Scrittore s(Tipo::Mossa);
    s.U8(m.Slot);
    return Corpo(s);
}

bool DecodificaMossa(const QByteArray& b, MossaBriscola& m)
{
    m = MossaBriscola{};
    Lettore l(b);
    m.Slot = l.U8(1, 3);
    return l.Fine();
}

std::set<int> CarteDellaVista(const VistaBriscola& v)
{
    std::set<int> c{v.CartaBriscola, v.CartaAvversario};
    for (int i = 1; i <= 3; ++i) c.insert(v.Mano[i]);
    for (int k = 1; k <= v.NumeroPrese; ++k) c.insert(v.Prese[k]);
    for (int k = 1; k <= v.NumeroPreseAvversario; ++k) c.insert(v.PreseAvversario[k]);
    c.erase(0);
    return c;
}

// ---- Rubamazzo ----

QByteArray CodificaVista(const VistaRubamazzo& v)
{
    Scrittore s(Tipo::Stato);
    s.U8(v.Lato);
    for (int i = 1; i <= 3; ++i) s.U8(v.Mano[i]);
    for (int j = RegoleRubamazzo::PrimoPostoTavolo; j <= RegoleRubamazzo::UltimoPostoTavolo; ++j) s.U8(v.Tavolo[j]);
    s.U8(v.Pila).U8(v.PilaAvversario).U8(v.Cima).U8(v.CimaAvversario);
    // The cards gone into the piles, as a 40-bit set.
    for (int byte = 0; byte < 5; ++byte) {
        int bit = 0;
        for (int k = 0; k < 8; ++k)
            if (v.NellePile[byte * 8 + k + 1]) bit |= 1 << k;
        s.U8(bit);
    }
    s.U8(v.UltimaPresa).U8(v.CarteNelMazzo).U8(v.CarteAvversario);
    return Corpo(s);
}

bool DecodificaVista(const QByteArray& b, VistaRubamazzo& v)
{
    v = VistaRubamazzo{};
    Lettore l(b);
    Carte carte(l);
    v.Lato = l.U8(1, 2);
    for (int i = 1; i <= 3; ++i) v.Mano[i] = carte.Leggi(true);
    for (int j = RegoleRubamazzo::PrimoPostoTavolo; j <= RegoleRubamazzo::UltimoPostoTavolo; ++j)
        v.Tavolo[j] = carte.Leggi(true);
    v.Pila = l.U8(0, 40);
    v.PilaAvversario = l.U8(0, 40);
    v.Cima = l.U8(0, 40);
    v.CimaAvversario = l.U8(0, 40);
    int inPile = 0;
    for (int byte = 0; byte < 5; ++byte) {
        const int bit = l.U8();
        for (int k = 0; k < 8; ++k) {
            v.NellePile[byte * 8 + k + 1] = (bit >> k) & 1;
            inPile += (bit >> k) & 1;
        }
    }
    v.UltimaPresa = l.U8(0, 2);
    v.CarteNelMazzo = l.U8(0, 40);
    v.CarteAvversario = l.U8(0, 3);
    // A card in a hand or on the table is in no pile; a top card is one gone into the piles.
    for (int i = 1; i <= 3; ++i)
        if (v.Mano[i] && v.NellePile[v.Mano[i]]) l.Guasto();
    for (int j = RegoleRubamazzo::PrimoPostoTavolo; j <= RegoleRubamazzo::UltimoPostoTavolo; ++j)
        if (v.Tavolo[j] && v.NellePile[v.Tavolo[j]]) l.Guasto();
    if ((v.Cima && !v.NellePile[v.Cima]) || (v.CimaAvversario && !v.NellePile[v.CimaAvversario])) l.Guasto();
    if (v.Pila + v.PilaAvversario > 40 || inPile > 40) l.Guasto();
    return l.Fine();
}

QByteArray CodificaMossa(const MossaRubamazzo& m)
{
    Scrittore s(Tipo::Mossa);
    s.U8(m.Slot).U8(m.Ruba ? 1 : 0);
    return Corpo(s);
}

bool DecodificaMossa(const QByteArray& b, MossaRubamazzo& m)
{
    m = MossaRubamazzo{};
    Lettore l(b);
    m.Slot = l.U8(1, 3);
    m.Ruba = l.U8(0, 1) == 1;
    return l.Fine();
}

std::set<int> CarteDellaVista(const VistaRubamazzo& v)
{
    std::set<int> c{v.Cima, v.CimaAvversario};
    for (int i = 1; i <= 3; ++i) c.insert(v.Mano[i]);
    for (int j = RegoleRubamazzo::PrimoPostoTavolo; j <= RegoleRubamazzo::UltimoPostoTavolo; ++j) c.insert(v.Tavolo[j]);
    for (int k = 1; k <= 40; ++k)
        if (v.NellePile[k]) c.insert(k);
    c.erase(0);
    return c;
}

}  // namespace Rete

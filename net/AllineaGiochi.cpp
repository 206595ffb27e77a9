#include "net/AllineaGiochi.h"

#include "net/CodificaGiochi.h"

#include <algorithm>
#include <set>
#include <vector>

namespace Rete {

namespace {

// The cards of 1..40 that are not in `visti`, in order: the stand-ins.
std::vector<int> NonVisti(const bool visti[41])
{
    std::vector<int> resto;
    for (int c = 1; c <= 40; ++c)
        if (!visti[c]) resto.push_back(c);
    return resto;
}

// Marks a card seen; false when it is out of range or seen twice.
bool Segna(bool visti[41], int c)
{
    if (c == 0) return true;
    if (c < 1 || c > 40 || visti[c]) return false;
    visti[c] = true;
    return true;
}

// The engine's hands have the view's shape: the other hand holds as many cards as the view
// says, and this seat's slots are filled where the view's are.
template <typename T>
bool ManiUguali(const T* altra, const T* mia, const int* manoVista, int carteAvversario)
{
    int n = 0;
    for (int i = 1; i <= 3; ++i) {
        n += altra[i] != 0;
        if ((mia[i] != 0) != (manoVista[i] != 0)) return false;
    }
    return n == carteAvversario;
}

// The unseen cards, handed out as stand-ins. A slot asks for the stand-in it held: it keeps
// it while that card is still unseen, so a card put there for a move stays where the table
// expects it.
class Sostitute {
public:
    explicit Sostitute(const bool visti[41]) : resto_(NonVisti(visti)) {}
    int Quante() const { return static_cast<int>(resto_.size()); }
    int Prendi(int preferita)
    {
        auto it = std::find(resto_.begin(), resto_.end(), preferita);
        if (preferita == 0 || it == resto_.end()) it = resto_.begin();
        const int c = *it;
        resto_.erase(it);
        return c;
    }
    const std::vector<int>& Restanti() const { return resto_; }

private:
    std::vector<int> resto_;
};

}  // namespace

// ---------------------------------------------------------------- Scopa

bool ImpostaScopa(MotoreScopa& m, const VistaScopa& v, int turno)
{
    if (!ManiUguali(m.ManoComputer, m.ManoGiocatore, v.Mano, v.CarteAvversario)) return false;
    bool visti[41] = {};
    for (int i = 1; i <= 3; ++i)
        if (!Segna(visti, v.Mano[i])) return false;
    for (int p = 1; p <= MotoreScopa::MassimoPostiTavolo; ++p)
        if (!Segna(visti, v.Tavolo[p])) return false;
    for (int k = 1; k <= v.NumeroPrese; ++k)
        if (!Segna(visti, v.Prese[k])) return false;
    for (int k = 1; k <= v.NumeroPreseAvversario; ++k)
        if (!Segna(visti, v.PreseAvversario[k])) return false;
    Sostitute sostitute(visti);
    if (sostitute.Quante() != v.CarteAvversario + v.CarteNelMazzo) return false;

    for (int i = 1; i <= 3; ++i) m.ManoComputer[i] = m.ManoComputer[i] ? sostitute.Prendi(m.ManoComputer[i]) : 0;
    for (int i = 1; i <= 3; ++i) m.ManoGiocatore[i] = v.Mano[i];
    for (int p = 1; p <= MotoreScopa::MassimoPostiTavolo; ++p) m.Tavolo[p] = v.Tavolo[p];
    m.AggiornaValoriTavolo();
    m.ContaPreseGiocatore = v.NumeroPrese;
    m.ContaPreseComputer = v.NumeroPreseAvversario;
    for (int k = 1; k <= 40; ++k) {
        m.PreseGiocatore[k] = k <= v.NumeroPrese ? v.Prese[k] : 0;
        m.PreseComputer[k] = k <= v.NumeroPreseAvversario ? v.PreseAvversario[k] : 0;
    }
    m.ScopeGiocatore = v.Scope;
    m.ScopeComputer = v.ScopeAvversario;
    m.UltimaPresa = v.UltimaPresa;
    // The deck: what has been dealt first (the cards in sight, then the other hand), the
    // undealt stand-ins last, so the next deal hands out cards nobody holds.
    m.CarteDistribuite = 40 - v.CarteNelMazzo;
    int k = 1;
    for (int c = 1; c <= 40; ++c)
        if (visti[c]) m.CarteMazzo[k++] = c;
    for (int i = 1; i <= 3; ++i)
        if (m.ManoComputer[i]) m.CarteMazzo[k++] = m.ManoComputer[i];
    for (int c : sostitute.Restanti()) m.CarteMazzo[k++] = c;
    if (turno == 1 || turno == 2) m.Turno = turno;
    return true;
}

bool MettiInManoScopa(MotoreScopa& m, int slot, int carta)
{
    if (slot < 1 || slot > 3 || carta < 1 || carta > 40 || m.ManoComputer[slot] == 0) return false;
    const int sostituta = m.ManoComputer[slot];
    if (sostituta == carta) return true;
    // The card can only be where this seat cannot look: the other hand or the undealt deck.
    int* dove = nullptr;
    for (int i = 1; i <= 3; ++i)
        if (m.ManoComputer[i] == carta) dove = &m.ManoComputer[i];
    for (int k = m.CarteDistribuite + 1; k <= 40 && !dove; ++k)
        if (m.CarteMazzo[k] == carta) dove = &m.CarteMazzo[k];
    if (!dove) return false;
    *dove = sostituta;
    m.ManoComputer[slot] = carta;
    // The dealt part of the deck keeps naming the other hand's cards.
    for (int k = 1; k <= m.CarteDistribuite; ++k)
        if (m.CarteMazzo[k] == sostituta) m.CarteMazzo[k] = carta;
        else if (m.CarteMazzo[k] == carta) m.CarteMazzo[k] = sostituta;
    return true;
}

// ---------------------------------------------------------------- Briscola

namespace {

// Every handle its own card, in the engine and in the shared deck it draws from.
void ManigliePiane(StatoMazzo& mazzo, std::int32_t* carte)
{
    for (int h = 0; h <= 40; ++h) {
        carte[h] = h;
        mazzo.OrdineCarte[h] = h;
    }
}

}  // namespace

bool ImpostaBriscola(RegoleBriscola& r, const VistaBriscola& v, int turno)
{
    if (!ManiUguali(r.ManoComputer, r.ManoGiocatore, v.Mano, v.CarteAvversario)) return false;
    bool visti[41] = {};
    for (int i = 1; i <= 3; ++i)
        if (!Segna(visti, v.Mano[i])) return false;
    // The face-up trump is in sight while it lies under the stock; once drawn by the other
    // side it is one of that hand's cards and counts with the unseen.
    const bool briscolaNelMazzo = v.CarteNelMazzo > 0;
    if (briscolaNelMazzo && !Segna(visti, v.CartaBriscola)) return false;
    if (!Segna(visti, v.CartaAvversario)) return false;
    const int mia = r.Carta(r.GiocataGiocatore);
    if (!Segna(visti, mia)) return false;
    for (int k = 1; k <= v.NumeroPrese; ++k)
        if (!Segna(visti, v.Prese[k])) return false;
    for (int k = 1; k <= v.NumeroPreseAvversario; ++k)
        if (!Segna(visti, v.PreseAvversario[k])) return false;
    Sostitute sostitute(visti);
    const int coperte = std::max(0, v.CarteNelMazzo - (briscolaNelMazzo ? 1 : 0));
    if (sostitute.Quante() != v.CarteAvversario + coperte) return false;

    int altraPrima[4] = {};
    for (int i = 1; i <= 3; ++i) altraPrima[i] = r.Carta(r.ManoComputer[i]);
    // From here every handle is its own card. The stock then names handles 1..40 in order:
    // a draw may hand out a card that is already somewhere, but the referee's state is
    // written over the hands right after every draw, before anything is shown.
    ManigliePiane(r.Mazzo(), r.CarteMazzo);
    for (int i = 1; i <= 3; ++i) r.ManoComputer[i] = r.ManoComputer[i] ? sostitute.Prendi(altraPrima[i]) : 0;
    for (int i = 1; i <= 3; ++i) r.ManoGiocatore[i] = v.Mano[i];
    r.GiocataGiocatore = mia;
    r.GiocataComputer = v.CartaAvversario;
    r.CartaBriscola = v.CartaBriscola;
    r.PreseGiocatore[0] = v.NumeroPrese;
    r.PreseComputer[0] = v.NumeroPreseAvversario;
    for (int k = 1; k <= 100; ++k) {
        r.PreseGiocatore[k] = k <= v.NumeroPrese ? v.Prese[k] : 0;
        r.PreseComputer[k] = k <= v.NumeroPreseAvversario ? v.PreseAvversario[k] : 0;
    }
    r.CartePescate = 40 - v.CarteNelMazzo;
    r.CarteGiocate = (r.GiocataGiocatore != 0) + (r.GiocataComputer != 0);
    if (turno == 1 || turno == 2) {
        r.Turno = turno;
        if (r.CarteGiocate == 0) r.Iniziatore = turno;
    }
    r.AggiornaPunteggio();
    return true;
}

bool MettiInManoBriscola(RegoleBriscola& r, int slot, int carta)
{
    if (slot < 1 || slot > 3 || carta < 1 || carta > 40 || r.ManoComputer[slot] == 0) return false;
    // Handles are card numbers here: a card this seat has seen must not come out of the
    // other hand.
    VistaBriscola v = OsservaBriscola(r, 1);
    // Once drawn, the trump is known but may well be in the other hand; this seat's own card
    // in the trick is seen although its view leaves it out.
    if (v.CarteNelMazzo == 0) v.CartaBriscola = 0;
    std::set<int> viste = CarteDellaVista(v);
    viste.insert(r.Carta(r.GiocataGiocatore));
    if (viste.count(carta)) return false;
    for (int i = 1; i <= 3; ++i)
        if (i != slot && r.ManoComputer[i] == carta) r.ManoComputer[i] = r.ManoComputer[slot];
    r.ManoComputer[slot] = carta;
    return true;
}

// ---------------------------------------------------------------- Rubamazzo

bool ImpostaRubamazzo(RegoleRubamazzo& r, const VistaRubamazzo& v, int turno)
{
    constexpr int primo = RegoleRubamazzo::PrimoPostoTavolo, ultimo = RegoleRubamazzo::UltimoPostoTavolo;
    if (!ManiUguali(r.Posti, r.Posti + 3, v.Mano, v.CarteAvversario)) return false;
    if (r.PilaGiocatore() != v.Pila || r.PilaComputer() != v.PilaAvversario) return false;
    bool visti[41] = {};
    for (int i = 1; i <= 3; ++i)
        if (!Segna(visti, v.Mano[i])) return false;
    for (int j = primo; j <= ultimo; ++j)
        if (!Segna(visti, v.Tavolo[j])) return false;
    for (int c = 1; c <= 40; ++c)
        if (v.NellePile[c] && !Segna(visti, c)) return false;
    Sostitute sostitute(visti);
    if (sostitute.Quante() != v.CarteAvversario + v.CarteNelMazzo) return false;

    int altraPrima[4] = {};
    for (int i = 1; i <= 3; ++i) altraPrima[i] = r.Carta(r.Posti[i]);
    // The piles keep the cards this engine put there (every card played has been the real
    // one); their numbers are made the handles along with everything else.
    for (int k = 1; k < r.IndicePreseGiocatore && k <= 40; ++k) r.PreseGiocatore[k] = r.Carta(r.PreseGiocatore[k]);
    for (int k = 1; k < r.IndicePreseComputer && k <= 40; ++k) r.PreseComputer[k] = r.Carta(r.PreseComputer[k]);
    for (int j = 0; j <= ultimo; ++j) r.Evidenziati[j] = 0;
    for (int h = 1; h <= 40; ++h) r.Mazzo().ImpostaStato(h, 0);
    ManigliePiane(r.Mazzo(), r.CarteMazzo);
    for (int i = 1; i <= 3; ++i) r.Posti[i] = r.Posti[i] ? sostitute.Prendi(altraPrima[i]) : 0;
    for (int i = 1; i <= 3; ++i) r.Posti[3 + i] = v.Mano[i];
    for (int j = primo; j <= ultimo; ++j) r.Posti[j] = v.Tavolo[j];
    r.CimaGiocatore = v.Cima;
    r.CimaComputer = v.CimaAvversario;
    r.UltimaPresa = v.UltimaPresa;
    r.Selezionato = 0;
    // The next deal hands out handles from here on; like Briscola's draws they are made
    // the referee's cards before they are shown.
    r.ProssimaCarta = 41 - v.CarteNelMazzo;
    if (turno == 1 || turno == 2) r.Turno = turno;
    return true;
}

bool MettiInManoRubamazzo(RegoleRubamazzo& r, int slot, int carta)
{
    if (slot < 1 || slot > 3 || carta < 1 || carta > 40 || r.Posti[slot] == 0) return false;
    if (CarteDellaVista(OsservaRubamazzo(r, 1)).count(carta)) return false;
    for (int i = 1; i <= 3; ++i)
        if (i != slot && r.Posti[i] == carta) r.Posti[i] = r.Posti[slot];
    r.Posti[slot] = carta;
    return true;
}

}  // namespace Rete

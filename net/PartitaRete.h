#pragma once
// The game a host referees: the rules engine of Scopa, Briscola or Rubamazzo, dealt from the
// host's seed, advanced between moves exactly as the tables and the simulator advance it.
// Seat 1 is the host's, seat 2 the guest's. A seat's moves come in as wire bytes and are
// applied only through the rules' own legality checks; what goes out for a seat is that
// seat's Vista and nothing else.
#include <QByteArray>
#include <memory>
#include <set>

#include "net/Protocollo.h"

namespace Rete {

class PartitaRete {
public:
    enum Applicazione { Malformata = -1, Illegale = 0, Applicata = 1 };
    virtual ~PartitaRete() = default;
    virtual Gioco QualeGioco() const = 0;
    // Deals the first hand (or the game) from `seme`.
    virtual void Inizia(std::uint32_t seme) = 0;
    // 1 or 2: the seat to move; 0 once the game is over.
    virtual int Turno() const = 0;
    // 0 in play, 1 seat 1 won, 2 seat 2 won, 3 draw.
    virtual int Esito() const = 0;
    // Match totals: Scopa points, Briscola card points, Rubamazzo cards.
    virtual int Punti(int lato) const = 0;
    // Hand number (Scopa plays hands up to the match; the others one game).
    virtual int Mano() const { return 1; }
    // The encoded Vista of the seat.
    virtual QByteArray Vista(int lato) const = 0;
    // Applies the seat's encoded move when it is that seat's turn and the rules allow it,
    // then advances the game to the next decision.
    virtual Applicazione Applica(int lato, const QByteArray& mossa) = 0;
    // Whether the bytes are a move of this game at all (whoever's turn it is).
    virtual bool MossaBenFormata(const QByteArray& mossa) const = 0;
    // The cards the seat must not see now: the other hand and the undealt deck.
    virtual std::set<int> CarteNascoste(int lato) const = 0;

    // The state message for a seat, with the last applied move.
    Quadro QuadroPer(int lato, quint32 sequenza) const;

protected:
    // Called by Applica once a move is applied: who made it, its bytes and the card it played.
    void Ricorda(int lato, const QByteArray& mossa, int carta)
    {
        latoUltima_ = lato;
        mossaUltima_ = mossa;
        cartaUltima_ = carta;
    }
    void Dimentica() { Ricorda(0, {}, 0); }

private:
    int latoUltima_ = 0;
    QByteArray mossaUltima_;
    int cartaUltima_ = 0;
};

std::unique_ptr<PartitaRete> CreaPartitaRete(Gioco g);

}  // namespace Rete

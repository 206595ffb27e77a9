#pragma once
// The other player of a network game, as a table sees it. The table keeps playing its game
// on its own rules engine, seated as always (seat 1 the local player at the bottom, seat 2
// the other side); the engine only ever holds what this seat may see for real, and cards it
// cannot see yet are stand-ins. Whoever referees the game (the host's session) sends the
// state after every move; through this interface the table
// - plays the other player's moves when they come (the card played is put into that
//   player's hand slot first, where a stand-in lay),
// - reports its own player's moves,
// - and, whenever its engine has just dealt or drawn, turns the stand-ins it is about to
//   show into the cards the referee dealt.
// The implementation (net/) decodes the states and knows which seat is whose; the tables
// never see the wire.
#include <functional>
#include <optional>
#include <string>

class ReteTavolo {
public:
    virtual ~ReteTavolo() = default;
    // The other player's name, shown in place of "Computer".
    virtual std::string NomeAvversario() const = 0;
    // True on the machine that hosts (and referees) the game.
    virtual bool Ospitante() const = 0;
    // The referee's state after every move the table has made so far has arrived, so the
    // table may show what comes next (a deal, a draw, the end).
    virtual bool Pronto() const = 0;
    // The game is over or abandoned: nothing more will come.
    virtual bool Finita() const = 0;
    // The other side has gone quiet and the referee holds the game until it is back: this
    // player's moves wait too.
    virtual bool AltroAssente() const = 0;
    // The result the referee gave, in the table's seats: 0 none yet, 1 this player won,
    // 2 the other, 3 a draw.
    virtual int Esito() const = 0;
    // The table is closed: the game ends for both, unfinished unless it was over.
    virtual void Abbandona() = 0;
    // The table has set the callbacks below and takes the states from now on (those that
    // came before are taken at once).
    virtual void Avvia() = 0;

    // Told by the implementation (the table sets them):
    // the other side has gone quiet (true, with its name) or is back (false);
    std::function<void(bool inAttesa)> AttesaCambiata;
    // the game ended before its end, and why (a sentence for the felt);
    std::function<void(const std::string& perche)> Interrotta;
    // a new state has arrived.
    std::function<void()> StatoArrivato;
};

template <typename MotoreT, typename VistaT, typename MossaT>
class AvversarioRete : public ReteTavolo {
public:
    // The other player's next move once it has come, after its card has been put into its
    // hand slot on `motore`; nothing while it has not.
    virtual std::optional<MossaT> MossaAvversario(MotoreT& motore) = 0;
    // This player has just made `mossa` on the table's engine: it goes to the referee.
    virtual void MossaLocale(const MossaT& mossa) = 0;
    // The engine has just dealt or drawn: the cards it holds for this seat, the table and
    // the turn become the referee's. False when the engine cannot be brought there (the
    // two no longer agree): the table must stop the game.
    virtual bool Scopri(MotoreT& motore) = 0;
};

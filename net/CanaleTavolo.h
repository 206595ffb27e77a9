#pragma once
// The bridge between a table and a network session: AvversarioRete for each game, fed by
// the host's session (which referees in this process) or the guest's (which hears the host).
// It keeps every state the referee sent, by sequence number, turned into the table's seats
// (the guest sits in seat 2 at the referee and in seat 1 at its own table).
#include <QObject>
#include <QPointer>
#include <map>
#include <memory>

#include "games/comune/AvversarioRete.h"
#include "net/AllineaGiochi.h"
#include "net/CodificaGiochi.h"
#include "net/Protocollo.h"

namespace Rete {

class SessioneHost;
class SessioneOspite;

// One side of a network game, whichever it is: states come in, moves go out.
class Collegamento : public QObject {
    Q_OBJECT
public:
    // Takes ownership of the session.
    static std::unique_ptr<Collegamento> DaHost(SessioneHost* s);
    static std::unique_ptr<Collegamento> DaOspite(SessioneOspite* s);
    ~Collegamento() override;

    virtual Gioco QualeGioco() const = 0;
    // The referee's seat of this machine's player: 1 on the host, 2 on the guest.
    virtual int LatoLocale() const = 0;
    virtual QString NomeAltro() const = 0;
    virtual void InviaMossa(quint32 sequenza, const QByteArray& mossa) = 0;
    virtual void Chiudi() = 0;
    // The states received so far that the table has not taken yet are re-read from here.
    virtual void RileggiStati() = 0;

signals:
    void NuovoQuadro(const Rete::Quadro& q);
    void AltroInAttesa(bool inAttesa);
    void Terminata(int esito, const QString& perche);
    // The referee did not take this player's move: the two sides no longer agree.
    void Rifiutata(const QString& perche);
};

// Game-independent part of the bridge.
class CanaleBase {
public:
    explicit CanaleBase(std::unique_ptr<Collegamento> c);
    virtual ~CanaleBase();

protected:
    // Takes the states already received (the table calls it through Avvia once it listens).
    void LeggiStati();
    // The state that follows `mosse` moves, if it has come.
    const Quadro* QuadroDopo(int mosse) const;
    int Locale(int lato) const { return scambia_ ? (lato == 1 ? 2 : lato == 2 ? 1 : lato) : lato; }
    void Ricevi(const Quadro& q);
    // The table and the referee no longer agree: the game ends for both, and the table is told.
    void Disallineata(const std::string& perche);
    virtual void Avvisa(int tipo, const std::string& testo) = 0;  // 0 new state, 1 waiting, 2 back, 3 ended

    std::unique_ptr<Collegamento> collegamento_;
    std::map<quint32, Quadro> quadri_;  // by sequence number
    quint32 primaSequenza_ = 0;         // sequence number of the state before any move
    int mosse_ = 0;                     // moves the table has made or played
    bool finita_ = false;
    bool scambia_ = false;
    bool assente_ = false;
    bool ritorno_ = false;          // the other side is back: the next state tells what it has
    QByteArray mossaInViaggio_;     // this player's last move, until the state after it comes
    QMetaObject::Connection c1_, c2_, c3_, c4_;
};

template <typename MotoreT, typename VistaT, typename MossaT>
class Canale : public AvversarioRete<MotoreT, VistaT, MossaT>, public CanaleBase {
public:
    using Imposta = bool (*)(MotoreT&, const VistaT&, int);
    using Metti = bool (*)(MotoreT&, int, int);
    Canale(std::unique_ptr<Collegamento> c, Imposta imposta, Metti metti)
        : CanaleBase(std::move(c)), imposta_(imposta), metti_(metti) {}

    std::string NomeAvversario() const override { return collegamento_->NomeAltro().toStdString(); }
    bool Ospitante() const override { return !scambia_; }
    bool Pronto() const override { return QuadroDopo(mosse_) != nullptr; }
    bool Finita() const override { return finita_; }
    bool AltroAssente() const override { return assente_; }
    void Avvia() override { LeggiStati(); }
    int Esito() const override
    {
        const Quadro* q = QuadroDopo(mosse_);
        if (!q) return 0;
        return q->esito == 3 ? 3 : Locale(q->esito);
    }
    void Abbandona() override
    {
        finita_ = true;
        collegamento_->Chiudi();
    }
    std::optional<MossaT> MossaAvversario(MotoreT& motore) override
    {
        const Quadro* q = QuadroDopo(mosse_ + 1);
        if (!q || Locale(q->latoUltima) != 2) return std::nullopt;
        MossaT mossa;
        if (!DecodificaMossa(q->mossaUltima, mossa) || !metti_(motore, mossa.Slot, q->cartaUltima)) {
            Disallineata("La mossa dell'altro giocatore non trova posto su questo tavolo.");
            return std::nullopt;
        }
        ++mosse_;
        return mossa;
    }
    void MossaLocale(const MossaT& mossa) override
    {
        const Quadro* q = QuadroDopo(mosse_);
        ++mosse_;
        mossaInViaggio_ = CodificaMossa(mossa);
        collegamento_->InviaMossa(q ? q->sequenza : 0, mossaInViaggio_);
    }
    bool Scopri(MotoreT& motore) override
    {
        const Quadro* q = QuadroDopo(mosse_);
        VistaT v;
        if (!q || !DecodificaVista(q->vista, v)) return false;
        Orienta(v);
        return imposta_(motore, v, Locale(q->turno));
    }
    // The referee's totals and hand number of the latest state taken, in the table's seats.
    int Punti(int lato) const
    {
        const Quadro* q = QuadroDopo(mosse_);
        return q ? q->punti[Locale(lato)] : 0;
    }

private:
    void Avvisa(int tipo, const std::string& testo) override
    {
        if (tipo == 0 && this->StatoArrivato) this->StatoArrivato();
        if ((tipo == 1 || tipo == 2) && this->AttesaCambiata) this->AttesaCambiata(tipo == 1);
        if (tipo == 3 && this->Interrotta) this->Interrotta(testo);
    }
    // The seats a view names by number, turned to the table's.
    void Orienta(VistaT& v) const
    {
        v.Lato = 1;
        if constexpr (requires { v.UltimaPresa; }) v.UltimaPresa = Locale(v.UltimaPresa);
    }
    Imposta imposta_;
    Metti metti_;
};

using CanaleScopa = Canale<MotoreScopa, VistaScopa, MossaScopa>;
using CanaleBriscola = Canale<RegoleBriscola, VistaBriscola, MossaBriscola>;
using CanaleRubamazzo = Canale<RegoleRubamazzo, VistaRubamazzo, MossaRubamazzo>;

std::unique_ptr<CanaleScopa> NuovoCanaleScopa(std::unique_ptr<Collegamento> c);
std::unique_ptr<CanaleBriscola> NuovoCanaleBriscola(std::unique_ptr<Collegamento> c);
std::unique_ptr<CanaleRubamazzo> NuovoCanaleRubamazzo(std::unique_ptr<Collegamento> c);

}  // namespace Rete

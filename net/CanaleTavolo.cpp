#include "net/CanaleTavolo.h"

#include "net/PartitaRete.h"
#include "net/SessioneHost.h"
#include "net/SessioneOspite.h"

namespace Rete {

Collegamento::~Collegamento() = default;

namespace {

// The host: the referee runs here, so every state is read straight from it.
class CollegamentoHost : public Collegamento {
public:
    explicit CollegamentoHost(SessioneHost* s) : s_(s)
    {
        s_->setParent(this);
        connect(s_, &SessioneHost::StatoCambiato, this, [this] { Manda(); });
        connect(s_, &SessioneHost::OspiteInAttesa, this, [this] { emit AltroInAttesa(true); });
        connect(s_, &SessioneHost::OspiteTornato, this, [this] { emit AltroInAttesa(false); });
        connect(s_, &SessioneHost::PartitaTerminata, this, [this](int esito, const QString& perche) { emit Terminata(esito, perche); });
    }
    Gioco QualeGioco() const override { return s_->Partita()->QualeGioco(); }
    int LatoLocale() const override { return 1; }
    QString NomeAltro() const override { return s_->NomeOspite(); }
    void InviaMossa(quint32, const QByteArray& mossa) override
    {
        if (s_->GiocaHost(mossa) != PartitaRete::Applicata) {
            qWarning("Cartovia network: the host's own move was refused");
            emit Rifiutata(QStringLiteral("La tua mossa non è stata accettata."));
        }
    }
    void Chiudi() override { s_->Chiudi(); }
    void RileggiStati() override { Manda(); }

private:
    void Manda()
    {
        if (const PartitaRete* p = s_->Partita()) emit NuovoQuadro(p->QuadroPer(1, s_->Sequenza()));
    }
    SessioneHost* s_;
};

// The guest: states arrive from the host, moves go to it.
class CollegamentoOspite : public Collegamento {
public:
    explicit CollegamentoOspite(SessioneOspite* s) : s_(s)
    {
        s_->setParent(this);
        connect(s_, &SessioneOspite::QuadroRicevuto, this, [this] { emit NuovoQuadro(s_->UltimoQuadro()); });
        connect(s_, &SessioneOspite::HostInAttesa, this, [this] { emit AltroInAttesa(true); });
        connect(s_, &SessioneOspite::Tornato, this, [this] { emit AltroInAttesa(false); });
        connect(s_, &SessioneOspite::PartitaTerminata, this, [this](int esito, const QString& perche) { emit Terminata(esito, perche); });
        connect(s_, &SessioneOspite::MossaRifiutata, this, [this](const QString& perche) { emit Rifiutata(perche); });
    }
    Gioco QualeGioco() const override { return s_->QualeGioco(); }
    int LatoLocale() const override { return 2; }
    QString NomeAltro() const override { return s_->NomeHost(); }
    void InviaMossa(quint32, const QByteArray& mossa) override
    {
        if (!s_->GiocaMossa(mossa)) {
            qWarning("Cartovia network: the move could not be sent");
            emit Rifiutata(QStringLiteral("La tua mossa non è stata accettata."));
        }
    }
    void Chiudi() override { s_->Chiudi(); }
    void RileggiStati() override
    {
        if (s_->HaQuadro()) emit NuovoQuadro(s_->UltimoQuadro());
    }

private:
    SessioneOspite* s_;
};

}  // namespace

std::unique_ptr<Collegamento> Collegamento::DaHost(SessioneHost* s) { return std::make_unique<CollegamentoHost>(s); }
std::unique_ptr<Collegamento> Collegamento::DaOspite(SessioneOspite* s) { return std::make_unique<CollegamentoOspite>(s); }

CanaleBase::CanaleBase(std::unique_ptr<Collegamento> c) : collegamento_(std::move(c))
{
    scambia_ = collegamento_->LatoLocale() == 2;
    c1_ = QObject::connect(collegamento_.get(), &Collegamento::NuovoQuadro, collegamento_.get(),
                           [this](const Quadro& q) { Ricevi(q); });
    c2_ = QObject::connect(collegamento_.get(), &Collegamento::AltroInAttesa, collegamento_.get(),
                           [this](bool attesa) {
                               assente_ = attesa;
                               ritorno_ = !attesa;
                               Avvisa(attesa ? 1 : 2, {});
                           });
    c3_ = QObject::connect(collegamento_.get(), &Collegamento::Terminata, collegamento_.get(),
                           [this](int esito, const QString& perche) {
                               // This side ended it (closed, or found the two apart): told already.
                               if (finita_) return;
                               finita_ = true;
                               // A game played to its end finishes on the table from its
                               // last state; only an interrupted one is told.
                               if (esito == 0) Avvisa(3, perche.toStdString());
                           });
    c4_ = QObject::connect(collegamento_.get(), &Collegamento::Rifiutata, collegamento_.get(),
                           [this](const QString& perche) { Disallineata(perche.toStdString()); });
}

void CanaleBase::LeggiStati() { collegamento_->RileggiStati(); }

CanaleBase::~CanaleBase()
{
    QObject::disconnect(c1_);
    QObject::disconnect(c2_);
    QObject::disconnect(c3_);
    QObject::disconnect(c4_);
}

void CanaleBase::Disallineata(const std::string& perche)
{
    if (finita_) return;
    qWarning("Cartovia network: the table and the referee no longer agree (%s)", perche.c_str());
    finita_ = true;
    collegamento_->Chiudi();
    Avvisa(3, perche);
}

const Quadro* CanaleBase::QuadroDopo(int mosse) const
{
    if (primaSequenza_ == 0) return nullptr;
    auto it = quadri_.find(primaSequenza_ + static_cast<quint32>(mosse));
    return it == quadri_.end() ? nullptr : &it->second;
}

void CanaleBase::Ricevi(const Quadro& q)
{
    // Back from a lost connection the referee sends every state after the one this player's
    // last applied move answered: when the first is one the table has and its own move has no
    // state yet, the move was lost on the way, and it goes again.
    const bool dopoRitorno = ritorno_;
    ritorno_ = false;
    if (q.sequenza == 0) return;
    if (quadri_.count(q.sequenza)) {
        if (dopoRitorno && !mossaInViaggio_.isEmpty() && !QuadroDopo(mosse_)) {
            qWarning("Cartovia network: the last move was lost with the connection; it is sent again");
            collegamento_->InviaMossa(0, mossaInViaggio_);
        }
        return;
    }
    // The first state the table hears is the one it starts from.
    if (primaSequenza_ == 0) primaSequenza_ = q.sequenza;
    if (q.sequenza < primaSequenza_) return;
    quadri_[q.sequenza] = q;
    if (QuadroDopo(mosse_)) mossaInViaggio_.clear();
    Avvisa(0, {});
}

std::unique_ptr<CanaleScopa> NuovoCanaleScopa(std::unique_ptr<Collegamento> c)
{
    return std::make_unique<CanaleScopa>(std::move(c), &ImpostaScopa, &MettiInManoScopa);
}
std::unique_ptr<CanaleBriscola> NuovoCanaleBriscola(std::unique_ptr<Collegamento> c)
{
    return std::make_unique<CanaleBriscola>(std::move(c), &ImpostaBriscola, &MettiInManoBriscola);
}
std::unique_ptr<CanaleRubamazzo> NuovoCanaleRubamazzo(std::unique_ptr<Collegamento> c)
{
    return std::make_unique<CanaleRubamazzo>(std::move(c), &ImpostaRubamazzo, &MettiInManoRubamazzo);
}

}  // namespace Rete

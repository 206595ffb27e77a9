#include "net/PartitaRete.h"

#include "core/StatoMazzo.h"
#include "net/CodificaGiochi.h"

namespace Rete {

Quadro PartitaRete::QuadroPer(int lato, quint32 sequenza) const
{
    Quadro q;
    q.sequenza = sequenza;
    q.gioco = QualeGioco();
    q.turno = Turno();
    q.mano = Mano();
    q.punti[1] = Punti(1);
    q.punti[2] = Punti(2);
    q.esito = Esito();
    q.vista = Vista(lato);
    q.latoUltima = latoUltima_;
    q.mossaUltima = mossaUltima_;
    q.cartaUltima = cartaUltima_;
    return q;
}

namespace {

// Scopa: hands until the match is decided, the leader alternating from hand to hand.
class PartitaScopa : public PartitaRete {
public:
    Gioco QualeGioco() const override { return Gioco::Scopa; }
    void Inizia(std::uint32_t seme) override
    {
        Dimentica();
        m_ = std::make_unique<MotoreScopa>(seme);
        totali_[1] = totali_[2] = 0;
        mano_ = 0;
        primo_ = 2;
        esito_ = 0;
        NuovaMano();
    }
    int Turno() const override { return esito_ ? 0 : m_->Turno; }
    int Esito() const override { return esito_; }
    int Punti(int lato) const override { return totali_[lato == 1 ? 1 : 2]; }
    int Mano() const override { return mano_; }
    bool MossaBenFormata(const QByteArray& b) const override
    {
        MossaScopa m;
        return DecodificaMossa(b, m);
    }
    QByteArray Vista(int lato) const override { return CodificaVista(OsservaScopa(*m_, lato)); }
    Applicazione Applica(int lato, const QByteArray& b) override
    {
        MossaScopa mossa;
        if (!DecodificaMossa(b, mossa)) return Malformata;
        const int slot = mossa.Slot >= 1 && mossa.Slot <= 3 ? mossa.Slot : 0;
        const int carta = (lato == 1 ? m_->ManoGiocatore : m_->ManoComputer)[slot];
        if (esito_ || !ApplicaMossaScopa(*m_, lato, mossa)) return Illegale;
        Ricorda(lato, b, carta);
        const int fine = m_->FineGiro();
        if (fine == 1) {
            m_->Distribuisci(primo_);
        } else if (fine == 2) {
            m_->ChiudiMano();
            int scheda[52] = {};
            m_->Punteggio(scheda);
            totali_[1] += scheda[50];
            totali_[2] += scheda[51];
            bool vinceHost = false;
            if (::PartitaFinita(totali_[1], totali_[2], &vinceHost))
                esito_ = vinceHost ? 1 : 2;
            else
                NuovaMano();
        }
        return Applicata;
    }
    std::set<int> CarteNascoste(int lato) const override
    {
        std::set<int> c;
        const std::int32_t* altra = lato == 1 ? m_->ManoComputer : m_->ManoGiocatore;
        for (int i = 1; i <= 3; ++i) c.insert(altra[i]);
        for (int k = m_->CarteDistribuite + 1; k <= 40; ++k) c.insert(m_->CarteMazzo[k]);
        c.erase(0);
        return c;
    }

private:
    void NuovaMano()
    {
        primo_ = primo_ == 1 ? 2 : 1;
        ++mano_;
        m_->NuovaMano(primo_);
    }
    std::unique_ptr<MotoreScopa> m_;
    int totali_[3] = {};
    int mano_ = 0, primo_ = 2, esito_ = 0;
};

// Briscola: one game of twenty tricks.
class PartitaBriscola : public PartitaRete {
public:
    PartitaBriscola() : r_(mazzo_) {}
    Gioco QualeGioco() const override { return Gioco::Briscola; }
    void Inizia(std::uint32_t seme) override
    {
        Dimentica();
        mazzo_.Generatore().Fissa(seme);
        r_.NuovaPartita();
    }
    int Turno() const override { return r_.PartitaFinita() ? 0 : r_.Turno; }
    int Esito() const override
    {
        if (!r_.PartitaFinita()) return 0;
        return r_.PuntiGiocatore > r_.PuntiComputer ? 1 : r_.PuntiComputer > r_.PuntiGiocatore ? 2 : 3;
    }
    int Punti(int lato) const override { return lato == 1 ? r_.PuntiGiocatore : r_.PuntiComputer; }
    bool MossaBenFormata(const QByteArray& b) const override
    {
        MossaBriscola m;
        return DecodificaMossa(b, m);
    }
    QByteArray Vista(int lato) const override { return CodificaVista(OsservaBriscola(r_, lato)); }
    Applicazione Applica(int lato, const QByteArray& b) override
    {
        MossaBriscola mossa;
        if (!DecodificaMossa(b, mossa)) return Malformata;
        const int slot = mossa.Slot >= 1 && mossa.Slot <= 3 ? mossa.Slot : 0;
        const int carta = r_.Carta((lato == 1 ? r_.ManoGiocatore : r_.ManoComputer)[slot]);
        if (r_.PartitaFinita() || r_.Turno != lato || !ApplicaMossaBriscola(r_, lato, mossa)) return Illegale;
        Ricorda(lato, b, carta);
        if (r_.CarteGiocate >= 2) r_.RisolviPresa();
        return Applicata;
    }
    std::set<int> CarteNascoste(int lato) const override
    {
        // Hands and the stock hold handles: stock position k holds handle CarteMazzo[k].
        std::set<int> c;
        const std::int32_t* altra = lato == 1 ? r_.ManoComputer : r_.ManoGiocatore;
        for (int i = 1; i <= 3; ++i) c.insert(r_.Carta(altra[i]));
        for (int k = r_.CartePescate + 1; k <= 40; ++k) c.insert(r_.Carta(r_.CarteMazzo[k]));
        // The face-up trump is the stock's last card and everyone sees it.
        c.erase(r_.Carta(r_.CartaBriscola));
        c.erase(0);
        return c;
    }

private:
    StatoMazzo mazzo_;
    RegoleBriscola r_;
};

// Rubamazzo: one game, the table's timer steps (deals, the end) run between moves.
class PartitaRubamazzo : public PartitaRete {
public:
    PartitaRubamazzo() : r_(mazzo_) {}
    Gioco QualeGioco() const override { return Gioco::Rubamazzo; }
    void Inizia(std::uint32_t seme) override
    {
        Dimentica();
        mazzo_.Generatore().Fissa(seme);
        r_.NuovaPartita();
        Avanza();
    }
    int Turno() const override { return r_.PartitaFinita() ? 0 : r_.Turno; }
    int Esito() const override
    {
        if (!r_.PartitaFinita()) return 0;
        return r_.Risultato == 0 ? 3 : r_.Risultato;
    }
    int Punti(int lato) const override { return lato == 1 ? r_.PilaGiocatore() : r_.PilaComputer(); }
    bool MossaBenFormata(const QByteArray& b) const override
    {
        MossaRubamazzo m;
        return DecodificaMossa(b, m);
    }
    QByteArray Vista(int lato) const override { return CodificaVista(OsservaRubamazzo(r_, lato)); }
    Applicazione Applica(int lato, const QByteArray& b) override
    {
        MossaRubamazzo mossa;
        if (!DecodificaMossa(b, mossa)) return Malformata;
        if (r_.PartitaFinita() || r_.Turno != lato) return Illegale;
        const int slot = mossa.Slot >= 1 && mossa.Slot <= 3 ? mossa.Slot : 0;
        const int carta = slot ? r_.Carta(r_.Posti[(lato == 1 ? 3 : 0) + slot]) : 0;
        if (ApplicaMossaRubamazzo(r_, lato, mossa) == RegoleRubamazzo::Nessuna) return Illegale;
        Ricorda(lato, b, carta);
        Avanza();
        return Applicata;
    }
    std::set<int> CarteNascoste(int lato) const override
    {
        std::set<int> c;
        const int altra = lato == 1 ? 0 : 3;
        for (int i = 1; i <= 3; ++i) c.insert(r_.Carta(r_.Posti[altra + i]));
        for (int k = r_.ProssimaCarta; k <= 40; ++k) c.insert(r_.Carta(r_.CarteMazzo[k]));
        c.erase(0);
        return c;
    }

private:
    // The timer's steps until a seat has to move or the game is over.
    void Avanza()
    {
        for (int passi = 0; passi < 8 && !r_.PartitaFinita(); ++passi)
            if (r_.PassoTimer() == 0) break;
    }
    StatoMazzo mazzo_;
    RegoleRubamazzo r_;
};

}  // namespace

std::unique_ptr<PartitaRete> CreaPartitaRete(Gioco g)
{
    switch (g) {
    case Gioco::Scopa: return std::make_unique<PartitaScopa>();
    case Gioco::Briscola: return std::make_unique<PartitaBriscola>();
    case Gioco::Rubamazzo: return std::make_unique<PartitaRubamazzo>();
    }
    return nullptr;
}

}  // namespace Rete

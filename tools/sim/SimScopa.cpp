// cartovia-sim scopa: the computer player against a seeded random player, whole games of
// hands until one side wins, with the leader alternating hand to hand as on the table
// (the first hand is the player's) and every card checked after every move and deal.
#include <chrono>
#include <memory>
#include <cstdio>
#include <string>

#include "core/Casuale.h"
#include "games/scopa/GiocatoriScopa.h"
#include "games/scopa/MotoreScopa.h"
#include "games/scopa/TracciaScopa.h"
#include "tools/sim/Simulatore.h"

namespace {

// The random player: any card in hand, and any of the ways it can capture.
std::string MossaGiocatore(MotoreScopa& m, Casuale& caso)
{
    int tenute[3], n = 0;
    for (int s = 1; s <= 3; ++s)
        if (m.ManoGiocatore[s]) tenute[n++] = s;
    if (n == 0) return "the player had to move with an empty hand";
    const int s = tenute[caso.Modulo(n)];
    const int r = m.GiocaCarta(s);
    if (r == 0) return "the player's card in slot " + std::to_string(s) + " was refused";
    if (r >= 2 && m.EseguiPresa(s, caso.Modulo(r)) != 1)
        return "the chosen capture was refused";
    return {};
}

int SimulaScopa(const OpzioniSim& o, std::ostream& out, std::ostream* traccia)
{
    MotoreScopa m(o.seme);
    Casuale giocatore(o.seme * 2654435761u + 12345u);

    long mani = 0, vinteG = 0, vinteC = 0;
    long long puntiG = 0, puntiC = 0, scope = 0;
    int primo = 2;  // switched before each hand, so the first hand is the player's
    const auto inizio = std::chrono::steady_clock::now();

    for (long partita = 1; partita <= o.partite; ++partita) {
        int totaleG = 0, totaleC = 0, maniPartita = 0;
        bool vinceGiocatore = false;
        while (!PartitaFinita(totaleG, totaleC, &vinceGiocatore)) {
            primo = primo == 1 ? 2 : 1;
            m.NuovaMano(primo);
            ++mani;
            ++maniPartita;
            std::string errore = m.ControllaCarte();
            int scheda[52] = {};
            int esito = 0;
            for (int mossa = 1; errore.empty() && !esito; ++mossa) {
                if (mossa > 36) {
                    errore = "the hand did not end after 36 moves";
                    break;
                }
                const int lato = m.Turno;
                const std::string prima = traccia ? StatoTracciaScopa(m) : std::string();
                if (lato == 1) {
                    errore = MossaGiocatore(m, giocatore);
                } else {
                    m.MossaComputer();
                    if (m.Turno != 1) errore = "the computer's move did not pass the turn";
                }
                if (errore.empty()) errore = m.ControllaCarte();
                if (traccia) *traccia << RigaMossaScopa(mani, mossa, lato, prima, m) << '\n';
                if (!errore.empty()) {
                    errore = "move " + std::to_string(mossa) + ": " + errore;
                    break;
                }
                const int fine = m.FineGiro();
                if (fine == 1) {
                    if (!m.Distribuisci(primo)) errore = "the deal was refused";
                } else if (fine == 2) {
                    m.ChiudiMano();
                    esito = m.Punteggio(scheda);
                }
                if (errore.empty()) errore = m.ControllaCarte();
            }
            if (errore.empty() && m.ContaPreseGiocatore + m.ContaPreseComputer != 40)
                errore = "the piles hold " + std::to_string(m.ContaPreseGiocatore + m.ContaPreseComputer) +
                         " cards after the hand";
            if (!errore.empty()) {
                out << "scopa: card conservation violated in game " << partita << ", hand " << mani << ", "
                    << errore << '\n';
                return 1;
            }
            totaleG += scheda[50];
            totaleC += scheda[51];
            puntiG += scheda[50];
            puntiC += scheda[51];
            scope += scheda[0] + scheda[1];
            if (traccia) *traccia << RigaContoScopa(mani, scheda, esito, totaleG, totaleC) << '\n';
        }
        (vinceGiocatore ? vinteG : vinteC)++;
        if (!o.silenzioso)
            out << "game " << partita << ": " << maniPartita << " hands, player " << totaleG << " - computer "
                << totaleC << ", " << (vinceGiocatore ? "player wins" : "computer wins") << '\n';
    }

    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    const double m_ = mani > 0 ? static_cast<double>(mani) : 1.0;
    char riga[400];
    std::snprintf(riga, sizeof riga,
                  "scopa: %ld games, %ld hands, player wins %ld, computer wins %ld, "
                  "average hand points player %.2f computer %.2f, sweeps per hand %.2f, %.0f hands/s\n",
                  o.partite, mani, vinteG, vinteC, puntiG / m_, puntiC / m_, scope / m_,
                  secondi > 0 ? mani / secondi : 0.0);
    out << riga;
    return 0;
}

RegistraSim reg("scopa", SimulaScopa);

std::unique_ptr<GiocatoreScopa> CreaGiocatore(const std::string& nome, std::uint64_t seme, int giocate)
{
    // Today's search player at its own budget, for comparing the two.
    if (nome == "esperto1") return std::make_unique<EspertoScopa1>(seme);
    if (nome == "esperto")
        return std::make_unique<EspertoScopa>(seme, giocate > 0 ? giocate : EspertoScopa::GiocatePredefinite);
    if (nome == "random") return std::make_unique<CasualeScopa>(seme);
    return std::make_unique<NormaleScopa>();
}

// Duplicate match: every deal is one hand, played from both seats. The figure is A's hand
// points minus B's.
int DuplicatoScopa(const OpzioniSim& o, std::ostream& out, std::ostream*)
{
    auto m = std::make_unique<MotoreScopa>(o.seme);
    std::unique_ptr<GiocatoreScopa> giocatori[2] = {CreaGiocatore(o.giocatoreA, o.seme * 7919ull + 1, o.giocate),
                                                     CreaGiocatore(o.giocatoreB, o.seme * 104729ull + 2, o.giocate)};
    StatisticheDuplicato st;
    return GiocaDuplicato({"scopa", "hand", "points per hand"}, o, out, st, [&](const GiroDuplicato& g) {
        EsitoGiro e;
        m->Generatore().Fissa(g.seme);
        m->NuovaMano(g.primo);
        int scheda[52] = {};
        for (int mossa = 1;; ++mossa) {
            if (mossa > 36) { e.errore = "the hand did not end after 36 moves"; break; }
            const int lato = m->Turno;
            const CronometroDecisione cronometro;
            const MossaScopa scelta = giocatori[g.chi[lato]]->Scegli(OsservaScopa(*m, lato));
            cronometro.Fine(st, g.chi[lato]);
            if (!ApplicaMossaScopa(*m, lato, scelta)) { e.errore = "an illegal move was refused"; break; }
            if (!(e.errore = m->ControllaCarte()).empty()) break;
            const int fine = m->FineGiro();
            if (fine == 1) {
                m->Distribuisci(g.primo);
            } else if (fine == 2) {
                m->ChiudiMano();
                m->Punteggio(scheda);
                break;
            }
        }
        if (e.errore.empty() && m->ContaPreseGiocatore + m->ContaPreseComputer != 40) e.errore = "cards lost";
        e.a = g.chi[1] == 0 ? scheda[50] : scheda[51];
        e.b = g.chi[1] == 0 ? scheda[51] : scheda[50];
        return e;
    });
}

RegistraDuplicato regDuplicato("scopa", DuplicatoScopa);

}  // namespace

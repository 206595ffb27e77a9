// cartovia-sim rubamazzo: the computer player against a seeded random player that picks
// uniformly among its legal moves (confirm any held card, or steal with a card that may),
// with the table's timer steps in between and every card checked after every move.
#include <algorithm>
#include <chrono>
#include <memory>
#include <cstdio>
#include <string>
#include <vector>

#include "core/Casuale.h"
#include "core/StatoMazzo.h"
#include "games/rubamazzo/GiocatoriRubamazzo.h"
#include "games/rubamazzo/RegoleRubamazzo.h"
#include "games/rubamazzo/TracciaRubamazzo.h"
#include "tools/sim/Simulatore.h"

namespace {

using R = RegoleRubamazzo;

// Each of the 40 handles must be in exactly one place: a place, a pile or the undealt deck.
std::string ControllaCarte(const R& r)
{
    int volte[41] = {};
    std::string errore;
    auto conta = [&](int h, const std::string& dove) {
        if (h < 1 || h > 40) {
            if (errore.empty()) errore = "invalid card handle " + std::to_string(h) + " in " + dove;
            return;
        }
        ++volte[h];
    };
    for (int j = 1; j <= R::UltimoPostoTavolo; ++j)
        if (r.Posti[j]) conta(r.Posti[j], "place " + std::to_string(j));
    for (int k = 1; k < r.IndicePreseGiocatore; ++k) conta(r.PreseGiocatore[k], "the player's pile");
    for (int k = 1; k < r.IndicePreseComputer; ++k) conta(r.PreseComputer[k], "the computer's pile");
    for (int k = r.ProssimaCarta; k <= 40; ++k) conta(r.CarteMazzo[k], "the deck");
    if (!errore.empty()) return errore;
    for (int h = 1; h <= 40; ++h)
        if (volte[h] != 1)
            return "card " + std::to_string(r.CarteMazzo[h]) + " (handle " + std::to_string(h) + ") is in " +
                   std::to_string(volte[h]) + " places";
    // The top card shown on each pile must belong to that pile.
    auto inPila = [](int h, const std::int32_t* pila, int indice) {
        for (int k = 1; k < indice; ++k)
            if (pila[k] == h) return true;
        return false;
    };
    if (r.CimaGiocatore && !inPila(r.CimaGiocatore, r.PreseGiocatore, r.IndicePreseGiocatore))
        return "the player's top card is not in the player's pile";
    if (r.CimaComputer && !inPila(r.CimaComputer, r.PreseComputer, r.IndicePreseComputer))
        return "the computer's top card is not in the computer's pile";
    return {};
}

int SimulaRubamazzo(const OpzioniSim& o, std::ostream& out, std::ostream* traccia)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(o.seme);
    Casuale giocatore(o.seme * 2654435761u + 3u);
    R r(mazzo);

    long vinteG = 0, vinteC = 0, pari = 0, furti = 0;
    long long pileG = 0, pileC = 0;
    int tavoloMassimo = 0;
    const auto inizio = std::chrono::steady_clock::now();

    for (long partita = 1; partita <= o.partite; ++partita) {
        r.NuovaPartita();
        std::string errore = ControllaCarte(r);
        int mossa = 0;
        for (int giri = 0; errore.empty(); ++giri) {
            if (giri > 200) {
                errore = "the game did not end";
                break;
            }
            const int passo = r.PassoTimer();
            if (passo == 2) {
                errore = ControllaCarte(r);
                break;
            }
            if (passo == 1 && (errore = ControllaCarte(r)) != "") break;

            for (int lato = 1; lato <= 2 && errore.empty(); ++lato) {
                if (r.Turno != lato) continue;
                const std::string prima = traccia ? StatoTracciaRubamazzo(r) : std::string();
                int tipo = 0;
                if (lato == 1) {
                    // Legal moves: confirm any held card; steal with one that matches the top.
                    struct Scelta { int posto; bool ruba; };
                    std::vector<Scelta> scelte;
                    for (int k = 4; k <= 6; ++k) {
                        if (!r.Posti[k]) continue;
                        scelte.push_back({k, false});
                        if (r.CimaComputer && r.Numero(r.Posti[k]) == r.Numero(r.CimaComputer))
                            scelte.push_back({k, true});
                    }
                    if (scelte.empty()) {
                        errore = "the player has no card on the player's turn";
                        break;
                    }
                    const Scelta s = scelte[giocatore.Modulo(static_cast<int>(scelte.size()))];
                    r.SelezionaCarta(s.posto);
                    tipo = s.ruba ? r.RubaGiocatore() : r.ConfermaGiocatore();
                } else {
                    tipo = r.MossaComputer();
                }
                if (tipo == R::Nessuna) {
                    errore = std::string(lato == 1 ? "the player's" : "the computer's") + " move did nothing";
                    break;
                }
                if (tipo == R::Furto) ++furti;
                tavoloMassimo = std::max(tavoloMassimo, r.NumeroPosti());
                ++mossa;
                if (traccia) *traccia << RigaMossaRubamazzo(mossa, lato, prima, r) << '\n';
                errore = ControllaCarte(r);
            }
        }
        if (errore.empty() && r.PilaGiocatore() + r.PilaComputer() != 40)
            errore = "the piles hold " + std::to_string(r.PilaGiocatore() + r.PilaComputer()) + " cards, not 40";
        if (!errore.empty()) {
            out << "rubamazzo: card conservation violated in game " << partita << ": " << errore << '\n';
            return 1;
        }

        if (traccia) *traccia << RigaRisultatoRubamazzo(r) << '\n';
        (r.Risultato == 0 ? pari : r.Risultato == 1 ? vinteG : vinteC)++;
        pileG += r.PilaGiocatore();
        pileC += r.PilaComputer();
        if (!o.silenzioso) {
            out << "game " << partita << ": player " << r.PilaGiocatore() << " cards - computer " << r.PilaComputer()
                << " cards, "
                << (r.Risultato == 0 ? "draw" : r.Risultato == 1 ? "player wins" : "computer wins") << '\n';
        }
    }

    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    char riga[400];
    std::snprintf(riga, sizeof riga,
                  "rubamazzo: %ld games, player wins %ld, computer wins %ld, draws %ld, "
                  "average cards player %.2f computer %.2f, steals per game %.2f, largest table %d places, "
                  "%.0f games/s\n",
                  o.partite, vinteG, vinteC, pari, static_cast<double>(pileG) / o.partite,
                  static_cast<double>(pileC) / o.partite, static_cast<double>(furti) / o.partite,
                  tavoloMassimo - R::PrimoPostoTavolo + 1, secondi > 0 ? o.partite / secondi : 0.0);
    out << riga;
    return 0;
}

RegistraSim reg("rubamazzo", SimulaRubamazzo);

std::unique_ptr<GiocatoreRubamazzo> CreaGiocatore(const std::string& nome, std::uint64_t seme, int giocate)
{
    // Today's search player at its own budget, for comparing the two.
    if (nome == "esperto1") return std::make_unique<EspertoRubamazzo1>(seme);
    if (nome == "esperto")
        return std::make_unique<EspertoRubamazzo>(seme, giocate > 0 ? giocate : EspertoRubamazzo::GiocatePredefinite);
    if (nome == "random") return std::make_unique<CasualeRubamazzo>(seme);
    return std::make_unique<NormaleRubamazzo>();
}

// Duplicate match: every deal is one game, played twice with the same deck, A in the
// player's seat the first time and in the computer's the second. The figure is A's cards
// minus B's.
int DuplicatoRubamazzo(const OpzioniSim& o, std::ostream& out, std::ostream*)
{
    StatoMazzo mazzo;
    R r(mazzo);
    std::unique_ptr<GiocatoreRubamazzo> giocatori[2] = {CreaGiocatore(o.giocatoreA, o.seme * 7919ull + 1, o.giocate),
                                                         CreaGiocatore(o.giocatoreB, o.seme * 104729ull + 2, o.giocate)};
    StatisticheDuplicato st;
    // The rules decide who leads; the deal's leading seat is not used.
    return GiocaDuplicato({"rubamazzo", "game", "cards per game"}, o, out, st, [&](const GiroDuplicato& g) {
        EsitoGiro e;
        mazzo.Generatore().Fissa(g.seme);
        r.NuovaPartita();
        for (int giri = 0; e.errore.empty(); ++giri) {
            if (giri > 200) { e.errore = "the game did not end"; break; }
            if (r.PassoTimer() == 2) break;
            for (int lato = 1; lato <= 2 && e.errore.empty(); ++lato) {
                if (r.Turno != lato) continue;
                const CronometroDecisione cronometro;
                const MossaRubamazzo m = giocatori[g.chi[lato]]->Scegli(OsservaRubamazzo(r, lato));
                cronometro.Fine(st, g.chi[lato]);
                if (ApplicaMossaRubamazzo(r, lato, m) == R::Nessuna) e.errore = "an illegal move was refused";
                if (e.errore.empty()) e.errore = ControllaCarte(r);
            }
        }
        if (e.errore.empty() && r.PilaGiocatore() + r.PilaComputer() != 40) e.errore = "cards lost";
        e.a = g.chi[1] == 0 ? r.PilaGiocatore() : r.PilaComputer();
        e.b = 40 - e.a;
        return e;
    });
}

RegistraDuplicato regDuplicato("rubamazzo", DuplicatoRubamazzo);

}  // namespace

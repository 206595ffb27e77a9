// cartovia-sim briscola: the computer player against a seeded random player, whole games in
// a row on one table (so the starting side alternates as on screen), with every card checked
// after every play and every trick.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/Casuale.h"
#include "core/StatoMazzo.h"
#include "games/briscola/GiocatoriBriscola.h"
#include "games/briscola/RegoleBriscola.h"
#include "games/briscola/TracciaBriscola.h"
#include "tools/sim/Simulatore.h"

namespace {

// Each of the 40 handles must be in exactly one place: a hand, the trick, a pile or the stock.
std::string ControllaCarte(const RegoleBriscola& r)
{
    int volte[41] = {};
    std::string errore;
    auto conta = [&](int h, const char* dove) {
        if (h < 1 || h > 40) {
            if (errore.empty()) errore = std::string("invalid card handle ") + std::to_string(h) + " in " + dove;
            return;
        }
        ++volte[h];
    };
    for (int i = 1; i <= 3; ++i) {
        if (r.ManoGiocatore[i]) conta(r.ManoGiocatore[i], "the player's hand");
        if (r.ManoComputer[i]) conta(r.ManoComputer[i], "the computer's hand");
    }
    if (r.GiocataGiocatore) conta(r.GiocataGiocatore, "the trick");
    if (r.GiocataComputer) conta(r.GiocataComputer, "the trick");
    for (int k = 1; k <= r.PreseGiocatore[0]; ++k) conta(r.PreseGiocatore[k], "the player's pile");
    for (int k = 1; k <= r.PreseComputer[0]; ++k) conta(r.PreseComputer[k], "the computer's pile");
    for (int k = r.CartePescate + 1; k <= 40; ++k) conta(r.CarteMazzo[k], "the stock");
    if (!errore.empty()) return errore;
    int carte[41] = {};
    for (int h = 1; h <= 40; ++h) {
        if (volte[h] != 1)
            return "card " + std::to_string(r.CarteMazzo[h]) + " (handle " + std::to_string(h) + ") is in " +
                   std::to_string(volte[h]) + " places";
        const int c = r.CarteMazzo[h];
        if (c < 1 || c > 40 || ++carte[c] != 1) return "the copied deck is not a permutation of the 40 cards";
    }
    return {};
}

int SimulaBriscola(const OpzioniSim& o, std::ostream& out, std::ostream* traccia)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(o.seme);
    Casuale giocatore(o.seme * 2654435761u + 1u);
    RegoleBriscola r(mazzo);

    long vinteG = 0, vinteC = 0, pari = 0;
    long long puntiG = 0, puntiC = 0;
    const auto inizio = std::chrono::steady_clock::now();

    for (long partita = 1; partita <= o.partite; ++partita) {
        r.NuovaPartita();
        const int iniziatorePartita = r.IniziatorePartita;
        std::string errore = ControllaCarte(r);
        for (int presa = 1; errore.empty() && !r.PartitaFinita(); ++presa) {
            if (presa > 20) {
                errore = "the game did not end after 20 tricks";
                break;
            }
            const PrimaDellaPresa prima = StatoPrimaDellaPresa(r);
            std::vector<int> viste = prima.viste;
            for (int giocata = 0; giocata < 2 && errore.empty(); ++giocata) {
                if (r.Turno == 2) {
                    r.EstraiRicordo();
                    const int i = r.SceltaComputer();
                    viste.assign(std::begin(r.Viste), std::end(r.Viste));
                    if (!r.GiocaComputer(i)) errore = "the computer chose an empty slot " + std::to_string(i);
                } else {
                    int tenute[3], n = 0;
                    for (int k = 1; k <= 3; ++k)
                        if (r.ManoGiocatore[k]) tenute[n++] = k;
                    if (n == 0 || !r.GiocaGiocatore(tenute[giocatore.Modulo(n)]))
                        errore = "the player had no card to play";
                }
                if (errore.empty()) errore = ControllaCarte(r);
            }
            if (!errore.empty()) break;
            const int cartaG = r.Carta(r.GiocataGiocatore), cartaC = r.Carta(r.GiocataComputer);
            const int vincitore = r.RisolviPresa();
            if (errore.empty()) errore = ControllaCarte(r);
            if (traccia) *traccia << RigaPresaBriscola(presa, prima, viste, cartaG, cartaC, vincitore, r) << '\n';
        }
        if (errore.empty() && r.PuntiGiocatore + r.PuntiComputer != 120)
            errore = "the piles hold " + std::to_string(r.PuntiGiocatore + r.PuntiComputer) + " points, not 120";
        if (!errore.empty()) {
            out << "briscola: card conservation violated in game " << partita << ": " << errore << '\n';
            return 1;
        }

        if (traccia) *traccia << RigaRisultatoBriscola(r) << '\n';
        (r.Esito == 0 ? pari : r.Esito == 1 ? vinteG : vinteC)++;
        puntiG += r.PuntiGiocatore;
        puntiC += r.PuntiComputer;
        if (!o.silenzioso) {
            out << "game " << partita << ": led by " << (iniziatorePartita == 1 ? "player" : "computer")
                << ", player " << r.PuntiGiocatore << " - computer " << r.PuntiComputer << ", "
                << (r.Esito == 0 ? "draw" : r.Esito == 1 ? "player wins" : "computer wins") << '\n';
        }
    }

    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    char riga[400];
    std::snprintf(riga, sizeof riga,
                  "briscola: %ld games, player wins %ld, computer wins %ld, draws %ld, "
                  "average points player %.2f computer %.2f, %.0f games/s\n",
                  o.partite, vinteG, vinteC, pari, static_cast<double>(puntiG) / o.partite,
                  static_cast<double>(puntiC) / o.partite, secondi > 0 ? o.partite / secondi : 0.0);
    out << riga;
    return 0;
}

RegistraSim reg("briscola", SimulaBriscola);

std::unique_ptr<GiocatoreBriscola> CreaGiocatore(const std::string& nome, std::uint64_t seme, int giocate)
{
    // Today's search player at its own budget, for comparing the two.
    if (nome == "esperto1") return std::make_unique<EspertoBriscola1>(seme);
    if (nome == "esperto")
        return std::make_unique<EspertoBriscola>(seme, giocate > 0 ? giocate : EspertoBriscola::GiocatePredefinite);
    if (nome == "random") return std::make_unique<CasualeBriscola>(seme);
    return std::make_unique<NormaleBriscola>(seme);
}

// Duplicate match: every deal is one game, played from both seats. The figure is A's card
// points minus B's.
int DuplicatoBriscola(const OpzioniSim& o, std::ostream& out, std::ostream*)
{
    StatoMazzo mazzo;
    RegoleBriscola r(mazzo);
    std::unique_ptr<GiocatoreBriscola> giocatori[2] = {CreaGiocatore(o.giocatoreA, o.seme * 7919ull + 1, o.giocate),
                                                        CreaGiocatore(o.giocatoreB, o.seme * 104729ull + 2, o.giocate)};
    // The decisions of both players, for fitting the search player's model of strong play.
    std::ofstream decisioni;
    if (!o.decisioni.empty()) {
        decisioni.open(o.decisioni, std::ios::trunc);
        if (!decisioni) {
            out << "cannot write decisions file " << o.decisioni << '\n';
            return 2;
        }
    }
    StatisticheDuplicato st;
    return GiocaDuplicato({"briscola", "game", "card points per game"}, o, out, st, [&](const GiroDuplicato& g) {
        EsitoGiro e;
        mazzo.Generatore().Fissa(g.seme);
        r.IniziatorePartita = g.primo == 1 ? 2 : 1;
        r.NuovaPartita();
        for (int presa = 1; e.errore.empty() && !r.PartitaFinita(); ++presa) {
            if (presa > 20) { e.errore = "the game did not end after 20 tricks"; break; }
            for (int giocata = 0; giocata < 2 && e.errore.empty(); ++giocata) {
                const int lato = r.Turno;
                const CronometroDecisione cronometro;
                const VistaBriscola vista = OsservaBriscola(r, lato);
                const MossaBriscola m = giocatori[g.chi[lato]]->Scegli(vista);
                cronometro.Fine(st, g.chi[lato]);
                if (decisioni.is_open() && m.Slot >= 1 && m.Slot <= 3)
                    decisioni << (vista.CartaBriscola - 1) / 10 + 1 << ' ' << vista.Mano[1] << ' ' << vista.Mano[2] << ' '
                              << vista.Mano[3] << ' ' << vista.CartaAvversario << ' ' << vista.Mano[m.Slot] << ' '
                              << vista.CarteNelMazzo << '\n';
                if (!ApplicaMossaBriscola(r, lato, m)) e.errore = "an illegal move was refused";
            }
            if (e.errore.empty()) r.RisolviPresa();
            if (e.errore.empty()) e.errore = ControllaCarte(r);
        }
        if (e.errore.empty() && r.PuntiGiocatore + r.PuntiComputer != 120) e.errore = "points lost";
        e.a = g.chi[1] == 0 ? r.PuntiGiocatore : r.PuntiComputer;
        e.b = 120 - e.a;
        return e;
    });
}

RegistraDuplicato regDuplicato("briscola", DuplicatoBriscola);

}  // namespace

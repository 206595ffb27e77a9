// cartovia-sim settemezzo: whole matches (10 points each, over at 20) between the computer
// dealer and a seeded random player that draws or stands on a coin toss once it holds a
// card. The table's timer steps drive the dealer; the cards are checked after every draw.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/Casuale.h"
#include "core/StatoMazzo.h"
#include "games/settemezzo/RegoleSettemezzo.h"
#include "games/settemezzo/TracciaSettemezzo.h"
#include "tools/sim/Simulatore.h"

namespace {

using R = RegoleSettemezzo;

// The cards held are exactly the first CarteEstratte of the deal, each once; the rest of the
// 40 stay in the deck; the deal's copy of the deck is a permutation.
std::string ControllaCarte(const R& r)
{
    int carte[41] = {};
    for (int i = 1; i <= 40; ++i) {
        const int c = r.TabellaCarte[i];
        if (c < 1 || c > 40 || ++carte[c] != 1) return "the deal's deck is not a permutation of the 40 cards";
    }
    int tenute[41] = {};
    int quante = 0;
    for (const std::int32_t* mano : {r.CarteGiocatore, r.CarteComputer}) {
        for (int i = 1; i <= 7; ++i) {
            const int h = mano[i];
            if (h == 0) continue;
            if (h < 1 || h > 40) return "invalid card handle " + std::to_string(h) + " in a hand";
            if (++tenute[h] != 1) return "card " + std::to_string(r.Carta(h)) + " is held twice";
            ++quante;
        }
    }
    if (quante != r.CarteEstratte)
        return std::to_string(r.CarteEstratte) + " cards drawn but " + std::to_string(quante) + " held";
    for (int k = 1; k <= r.CarteEstratte; ++k)
        if (tenute[r.TabellaCarte[k]] != 1)
            return "drawn card " + std::to_string(r.Carta(r.TabellaCarte[k])) + " is in no hand";
    return {};
}

int SimulaSettemezzo(const OpzioniSim& o, std::ostream& out, std::ostream* traccia)
{
    StatoMazzo mazzo;
    mazzo.Generatore().Fissa(o.seme);
    Casuale giocatore(o.seme * 2654435761u + 5u);
    R r(mazzo);

    long vinteG = 0, vinteC = 0, smazzate = 0, maniG = 0, maniC = 0, sballaG = 0, sballaC = 0;
    long long valoriG = 0, valoriC = 0;
    const auto inizio = std::chrono::steady_clock::now();

    for (long partita = 1; partita <= o.partite; ++partita) {
        r.NuovaPartita();
        std::string errore = ControllaCarte(r);
        int mano = 0, vincitore = 0;
        while (errore.empty() && vincitore == 0) {
            if (++mano > 10000) {
                errore = "the match did not end";
                break;
            }
            // The player's turn: the first card is compulsory, then a coin decides.
            while (errore.empty() && r.FaseTavolo == R::TurnoGiocatore) {
                r.PassoTimer();
                if (r.CarteGiocatore[1] != 0 && giocatore.Modulo(2) == 0) {
                    if (!r.Stop()) errore = "standing was refused";
                } else if (!r.NuovaCarta()) {
                    errore = "drawing was refused on the player's turn";
                }
                if (errore.empty()) errore = ControllaCarte(r);
            }
            // The dealer draws one card per timer step until it stands.
            for (int passi = 0; errore.empty() && r.FaseTavolo == R::TurnoComputer; ++passi) {
                if (passi > 7) {
                    errore = "the computer drew more than seven cards";
                    break;
                }
                r.PassoTimer();
                errore = ControllaCarte(r);
            }
            if (!errore.empty()) break;
            if (r.PunteggioGiocatore + r.PunteggioComputer != 20) {
                errore = "the match scores no longer add up to 20";
                break;
            }
            ++smazzate;
            valoriG += r.PuntiManoGiocatore;
            valoriC += r.PuntiManoComputer;
            if (r.EsitoMano == 1) ++maniG;
            if (r.EsitoMano == 2) ++maniC;
            if (r.PuntiManoGiocatore > R::SetteEMezzo) ++sballaG;
            if (r.PuntiManoComputer > R::SetteEMezzo) ++sballaC;
            if (traccia) *traccia << RigaSmazzataSettemezzo(mano, r) << '\n';
            const int passo = r.PassoTimer();  // one second later: the match ends or goes on
            if (passo == R::VinceGiocatore || passo == R::VinceComputer)
                vincitore = r.VincitorePartita;
            else if (!r.NuovoTurno())
                errore = "the next deal could not start";
        }
        if (!errore.empty()) {
            out << "settemezzo: card conservation violated in game " << partita << ": " << errore << '\n';
            return 1;
        }
        if (traccia) *traccia << RigaRisultatoSettemezzo(vincitore, mano, r) << '\n';
        (vincitore == 1 ? vinteG : vinteC)++;
        if (!o.silenzioso)
            out << "game " << partita << ": " << mano << " deals, " << (vincitore == 1 ? "player" : "computer")
                << " wins " << r.PunteggioGiocatore << " - " << r.PunteggioComputer << '\n';
    }

    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    const double d = smazzate > 0 ? static_cast<double>(smazzate) : 1.0;
    char riga[400];
    std::snprintf(riga, sizeof riga,
                  "settemezzo: %ld games, player wins %ld, computer wins %ld, draws 0, "
                  "average hand player %.2f computer %.2f, bust player %.1f%% computer %.1f%%, "
                  "deals per game %.1f (won by player %.1f%%, computer %.1f%%), %.0f games/s\n",
                  o.partite, vinteG, vinteC, valoriG / d / 10.0, valoriC / d / 10.0, 100.0 * sballaG / d,
                  100.0 * sballaC / d, static_cast<double>(smazzate) / o.partite, 100.0 * maniG / d, 100.0 * maniC / d,
                  secondi > 0 ? o.partite / secondi : 0.0);
    out << riga;
    return 0;
}

RegistraSim reg("settemezzo", SimulaSettemezzo);

}  // namespace

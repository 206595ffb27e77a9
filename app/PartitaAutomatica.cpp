#include "app/PartitaAutomatica.h"

#include "app/Finestre.h"
#include "app/TFormSplashScreen.h"
#include "core/Pausa.h"
#include "games/settemezzo/TFormSettemezzo.h"

bool PartitaAutomaticaDisponibile(const QString& gioco) { return gioco == QLatin1String("settemezzo"); }

bool GiocaPartitaAutomatica(const QString& gioco)
{
    if (!PartitaAutomaticaDisponibile(gioco) || !FormSplashScreen || !FormSettemezzo) return false;
    using R = RegoleSettemezzo;
    const double scala = ScalaTempo();
    ImpostaScalaTempo(0);
    FormSplashScreen->Spl_Btn_SettemezzoClick();
    TFormSettemezzo* t = FormSettemezzo;
    t->NuovaPartitaClick();
    // A match is a few dozen deals; the bound only stops a fault from looping for ever.
    for (int passi = 0; t->Regole.FaseTavolo != R::PartitaFinita && passi < 100000; ++passi) {
        const R& r = t->Regole;
        if (r.FaseTavolo == R::TurnoGiocatore && r.PuntiManoGiocatore < 50 && t->NuovaCarta->Stato() == 1) {
            t->NuovaCartaClick();
            continue;
        }
        if (r.FaseTavolo == R::TurnoGiocatore && t->Stop->Stato() == 1) {
            t->StopClick();
            continue;
        }
        if (r.FaseTavolo == R::ManoDecisa && t->NuovoTurno->Stato() == 1 &&
            r.PunteggioGiocatore < R::PunteggioVittoria && r.PunteggioComputer < R::PunteggioVittoria) {
            t->NuovoTurnoClick();
            continue;
        }
        t->Timer3Timer();  // enables Stop, runs the dealer, ends the match
    }
    ImpostaScalaTempo(scala);
    return t->Regole.FaseTavolo == R::PartitaFinita;
}

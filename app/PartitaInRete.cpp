#include "app/PartitaInRete.h"

#include <QCoreApplication>
#include <QTimer>

#include "app/Finestre.h"
#include "app/TFormSplashScreen.h"
#include "games/comune/AvversarioRete.h"
#include "games/briscola/TFormBriscola.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormScopa.h"
#include "net/CanaleTavolo.h"
#include "net/SessioneHost.h"
#include "net/SessioneOspite.h"

namespace {

// The program is closing: every network game still on a table ends for the other player
// too, rather than leaving it waiting for a return that will not come.
void AbbandonaAllaChiusura()
{
    static bool collegato = false;
    if (collegato || !QCoreApplication::instance()) return;
    collegato = true;
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] {
        for (TFormTavolo* t : {static_cast<TFormTavolo*>(FormBriscola), static_cast<TFormTavolo*>(FormScopa),
                               static_cast<TFormTavolo*>(FormRubamazzo)})
            if (t && t->InRete()) t->InRete()->Abbandona();
    });
}

// Opens the table of the connection's game in network mode over the chooser.
void Apri(std::unique_ptr<Rete::Collegamento> c)
{
    AbbandonaAllaChiusura();
    switch (c->QualeGioco()) {
    case Rete::Gioco::Briscola:
        if (!FormBriscola) break;
        FormBriscola->GiocaInRete(Rete::NuovoCanaleBriscola(std::move(c)));
        if (FormSplashScreen) FormSplashScreen->ApriFinestra(FinestraBriscola);
        return;
    case Rete::Gioco::Scopa:
        if (!FormScopa) break;
        FormScopa->GiocaInRete(Rete::NuovoCanaleScopa(std::move(c)));
        if (FormSplashScreen) FormSplashScreen->ApriFinestra(FinestraScopa);
        return;
    case Rete::Gioco::Rubamazzo:
        if (!FormRubamazzo) break;
        FormRubamazzo->GiocaInRete(Rete::NuovoCanaleRubamazzo(std::move(c)));
        if (FormSplashScreen) FormSplashScreen->ApriFinestra(FinestraRubamazzo);
        return;
    }
    qWarning("Cartovia network: no table for this game");
    c->Chiudi();
}

}  // namespace

void GiocaInReteComeHost(Rete::SessioneHost* sessione)
{
    if (sessione) Apri(Rete::Collegamento::DaHost(sessione));
}

void GiocaInReteComeOspite(Rete::SessioneOspite* sessione)
{
    if (sessione) Apri(Rete::Collegamento::DaOspite(sessione));
}

bool PartitaInReteAperta()
{
    return (FormBriscola && FormBriscola->InRete()) || (FormScopa && FormScopa->InRete()) || (FormRubamazzo && FormRubamazzo->InRete());
}

#include "app/PartitaInRete.h"

#include "net/SessioneHost.h"
#include "net/SessioneOspite.h"

// Placeholder until the tables play network games: the session is closed at once.
void GiocaInReteComeHost(Rete::SessioneHost* sessione)
{
    if (!sessione) return;
    sessione->Chiudi();
    sessione->deleteLater();
}

void GiocaInReteComeOspite(Rete::SessioneOspite* sessione)
{
    if (!sessione) return;
    sessione->Chiudi();
    sessione->deleteLater();
}

bool PartitaInReteAperta() { return false; }

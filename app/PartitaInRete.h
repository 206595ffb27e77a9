#pragma once
// A network game on its table. The "Gioca in rete" window sets up the session (the host's
// once its guest is in, the guest's once it is admitted) and hands it over here: the game's
// own table opens in network mode, the other player's name in place of "Computer", and the
// table owns the session from then on (it ends the game for both when it is closed).
namespace Rete {
class SessioneHost;
class SessioneOspite;
}  // namespace Rete

// Opens the table of the session's game for the host. Takes ownership of the session.
void GiocaInReteComeHost(Rete::SessioneHost* sessione);
// Opens the table of the session's game for the guest. Takes ownership of the session.
void GiocaInReteComeOspite(Rete::SessioneOspite* sessione);
// Whether a table is playing a network game now (the window offers no second one meanwhile).
bool PartitaInReteAperta();

#pragma once
// One step of a Scopa game played through the table's handlers, as it goes on screen.
#include "games/scopa/TFormScopa.h"

enum class PassoScopa { TraLeMani, Giocatore, Computer };

// Between hands the next-hand timer deals (or the computer's timer closes the hand); on the
// player's turn the first card held is double-clicked; otherwise the computer's timer moves.
inline PassoScopa GiocaPassoScopa(TFormScopa* s)
{
    if (s->ManoFinita) {
        if (s->TimerNuovaPartita->isActive())
            s->TimerNuovaPartitaTimer();
        else
            s->Timer1Timer();
        return PassoScopa::TraLeMani;
    }
    if (s->Motore.Turno == 1) {
        for (int i = 1; i <= 3; ++i)
            if (s->Motore.ManoGiocatore[i]) {
                s->CartaGiocatoreDblClick(i);
                break;
            }
        return PassoScopa::Giocatore;
    }
    s->Timer1Timer();
    return PassoScopa::Computer;
}

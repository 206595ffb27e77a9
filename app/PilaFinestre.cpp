#include "app/PilaFinestre.h"

bool PilaFinestre::ApriFinestra(int codice)
{
    if (ProfonditaPila + 1 >= Capienza) return false;
    if (ProfonditaPila > 0 && Nascondi) Nascondi(PilaFinestre_[ProfonditaPila]);
    PilaFinestre_[++ProfonditaPila] = codice;
    if (Mostra) Mostra(codice);
    return true;
}

void PilaFinestre::TornaIndietro()
{
    if (ProfonditaPila > 0) {
        if (Nascondi) Nascondi(PilaFinestre_[ProfonditaPila]);
        PilaFinestre_[ProfonditaPila] = 0;
        --ProfonditaPila;
    }
    if (ProfonditaPila > 0 && Mostra) Mostra(PilaFinestre_[ProfonditaPila]);
}

#include "net/RegistroRete.h"

#include "core/Globali.h"
#include "scores/PunteggiFile.h"

namespace {

const FilePunteggi& FileDi(Rete::Gioco g)
{
    switch (g) {
    case Rete::Gioco::Briscola: return FileBriscola;
    case Rete::Gioco::Rubamazzo: return FileRubaMazzo;
    case Rete::Gioco::Scopa: break;
    }
    return FileScopa;
}

}  // namespace

bool RegistraPartitaRete(Rete::Gioco g, int esito, int lato, const std::string& cartella, const std::string& nome)
{
    if (esito < 1 || esito > 3 || (lato != 1 && lato != 2)) return false;
    const FilePunteggi& f = FileDi(g);
    RegistraPartitaGiocata(f, cartella, nome);
    if (esito == 3)
        RegistraPareggio(f, cartella, nome);
    else if (esito == lato)
        RegistraVittoria(f, cartella, nome);
    return true;
}

bool RegistraPartitaRete(Rete::Gioco g, int esito, int lato)
{
    return RegistraPartitaRete(g, esito, lato, CartellaLavoro, NomeGiocatoreCorrente());
}

#include "scores/PunteggiFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/Globali.h"

namespace fs = std::filesystem;

const FilePunteggi FileScopa{"\\PunteggiScopa.txt", "\\PunteggiScopa1.txt", "\\PunteggiScopa.bak"};
const FilePunteggi FileBriscola{"\\PunteggiBriscola.txt", "\\PunteggiBriscola1.txt",
                                "\\PunteggiBriscola.bak"};
const FilePunteggi FileRubaMazzo{"\\PunteggiRubaMazzo.txt", "\\PunteggiRubaMazzo1.txt",
                                 "\\PunteggiRubaMazzo.bak"};
const FilePunteggi FileSettemezzo{"\\PunteggiSettemezzo.txt", "\\PunteggiSettemezzo1.txt",
                                  "\\PunteggiSettemezzo.bak"};

namespace {

char Maiuscola(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool UgualiSenzaMaiuscole(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Maiuscola(a[i]) != Maiuscola(b[i])) return false;
    return true;
}

// Whole file as bytes. False when it cannot be opened or a read fails part-way.
bool LeggiTutto(const std::string& percorso, std::string& byte)
{
    std::FILE* f = std::fopen(percorso.c_str(), "rb");
    if (!f) return false;
    byte.clear();
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) byte.append(buf, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

// Writes the whole text; every write and the close are checked, since a short temporary
// file must never replace the current one.
bool ScriviTutto(const std::string& percorso, const std::string& byte)
{
    std::FILE* f = std::fopen(percorso.c_str(), "wb");
    if (!f) return false;
    bool ok = byte.empty() || std::fwrite(byte.data(), 1, byte.size(), f) == byte.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

bool Esiste(const std::string& percorso)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(percorso, ec));
}

// Deletes a file but never a folder that happens to carry the name.
void EliminaFile(const std::string& percorso)
{
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(percorso, ec))) std::remove(percorso.c_str());
}

// Length of a line without its line end (LF, or CR LF).
std::size_t LunghezzaSenzaFineRiga(const std::string& riga)
{
    std::size_t n = riga.size();
    if (n > 0 && riga[n - 1] == '\n') {
        --n;
        if (n > 0 && riga[n - 1] == '\r') --n;
    }
    return n;
}

// A line belongs to the player when its first 20 bytes, upper-cased, equal the key's.
bool RigaDelGiocatore(const std::string& riga, const std::string& chiave)
{
    if (riga.size() < std::size_t(LunghezzaConfrontoNome)) return false;
    for (int i = 0; i < LunghezzaConfrontoNome; ++i)
        if (Maiuscola(riga[i]) != chiave[i]) return false;
    return true;
}

int Limita(int v) { return std::clamp(v, 0, MassimoContatore); }

}  // namespace

std::string ChiavePunteggi(const std::string& nome)
{
    std::string k;
    k.reserve(nome.size());
    for (char c : nome) {
        const unsigned char u = static_cast<unsigned char>(c);
        // A line end or other control byte in the name would break the record apart.
        k += (u < 0x20 || u == 0x7F) ? ' ' : Maiuscola(c);
    }
    if (k.size() > std::size_t(LunghezzaNomePunteggi)) {
        std::size_t taglio = LunghezzaNomePunteggi;
        // Step back over the continuation bytes of a character that the cut would split
        // (at most three in UTF-8; other bytes are cut where they fall).
        for (int passi = 0; passi < 3 && taglio > 0 && (static_cast<unsigned char>(k[taglio]) & 0xC0) == 0x80;
             ++passi)
            --taglio;
        if ((static_cast<unsigned char>(k[taglio]) & 0xC0) != 0xC0) taglio = LunghezzaNomePunteggi;
        k.resize(taglio);
    }
    k.resize(LunghezzaNomePunteggi, ' ');
    return k;
}

std::string RecordPunteggi(const std::string& chiave, int giocate, int vinte, int pari)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%-30s%04d  %04d  %04d\r\n", ChiavePunteggi(chiave).c_str(),
                  Limita(giocate), Limita(vinte), Limita(pari));
    return buf;
}

std::string PercorsoPunteggi(const std::string& cartella, const std::string& nome)
{
    const std::string percorso = PercorsoInCartella(cartella, nome);
    if (Esiste(percorso)) return percorso;
    const fs::path p(percorso);
    const std::string voluto = p.filename().string();
    const fs::path dir = p.parent_path().empty() ? fs::path(".") : p.parent_path();
    std::error_code ec;
    fs::directory_iterator it(dir, ec), fine;
    std::string scelto;
    for (; !ec && it != fine; it.increment(ec)) {
        const std::string n = it->path().filename().string();
        // Several spellings may exist side by side: take the first in byte order, so the
        // choice does not depend on the order the folder lists them.
        if (UgualiSenzaMaiuscole(n, voluto) && (scelto.empty() || n < scelto)) scelto = n;
    }
    if (scelto.empty()) return percorso;
    return (p.parent_path() / scelto).string();
}

std::vector<std::string> RighePunteggi(const std::string& byte)
{
    // Whole lines up to each line feed, however long: a long line read in pieces could
    // otherwise be matched by a later piece and have its tail replaced by a record.
    std::vector<std::string> righe;
    std::size_t inizio = 0;
    while (inizio < byte.size()) {
        const std::size_t lf = byte.find('\n', inizio);
        const std::size_t fine = lf == std::string::npos ? byte.size() : lf + 1;
        righe.push_back(byte.substr(inizio, fine - inizio));
        inizio = fine;
    }
    return righe;
}

int ContatoreRiga(const std::string& riga, int colonna)
{
    const std::size_t fine = std::min(LunghezzaSenzaFineRiga(riga), std::size_t(colonna) + 4);
    std::size_t i = colonna;
    while (i < fine && riga[i] == ' ') ++i;
    int v = 0;
    for (; i < fine && riga[i] >= '0' && riga[i] <= '9'; ++i) v = v * 10 + (riga[i] - '0');
    return v;
}

int AggiornaPunteggi(const FilePunteggi& f, const std::string& cartella, const std::string& nome,
                     int operazione)
{
    if (operazione < ContaPartitaGiocata || operazione > ContaPareggio) return PunteggiOperazioneIgnota;
    const std::string chiave = ChiavePunteggi(nome);
    const std::string corrente = PercorsoPunteggi(cartella, f.corrente);
    const std::string temporaneo = PercorsoPunteggi(cartella, f.temporaneo);
    const std::string copia = PercorsoPunteggi(cartella, f.copia);

    // Only a missing file is a first use. One that exists but cannot be read is left alone:
    // replacing it with a single record would lose every other player's line.
    std::string vecchio;
    const bool esiste = Esiste(corrente);
    if (esiste && !LeggiTutto(corrente, vecchio)) return PunteggiCorrenteIlleggibile;

    const int dg = operazione == ContaPartitaGiocata ? 1 : 0;
    const int dv = operazione == ContaVittoria ? 1 : 0;
    const int dp = operazione == ContaPareggio ? 1 : 0;

    std::string nuovo;
    nuovo.reserve(vecchio.size() + LunghezzaRecordPunteggi);
    bool trovato = false;
    for (const std::string& riga : RighePunteggi(vecchio)) {
        if (RigaDelGiocatore(riga, chiave)) {
            nuovo += RecordPunteggi(chiave, ContatoreRiga(riga, ColonnaGiocate) + dg,
                                    ContatoreRiga(riga, ColonnaVinte) + dv, ContatoreRiga(riga, ColonnaPari) + dp);
            trovato = true;
        } else {
            nuovo += riga;
        }
    }
    if (!trovato) {
        // A last line without a line end gets one, or the new record would be glued to it.
        if (!nuovo.empty() && nuovo.back() != '\n') nuovo += nuovo.back() == '\r' ? "\n" : "\r\n";
        nuovo += RecordPunteggi(chiave, 1, dv, dp);
    }

    if (!ScriviTutto(temporaneo, nuovo)) {
        EliminaFile(temporaneo);
        return PunteggiTemporaneoNonScritto;
    }

    EliminaFile(copia);
    if (esiste && std::rename(corrente.c_str(), copia.c_str()) != 0) return PunteggiRinominaFallita;
    if (std::rename(temporaneo.c_str(), corrente.c_str()) != 0) {
        // Put the previous file back so the next update does not take it for a first use
        // and delete the only copy left.
        if (esiste) std::rename(copia.c_str(), corrente.c_str());
        return PunteggiRinominaFallita;
    }
    return PunteggiAggiornati;
}

void RegistraPartitaGiocata(const FilePunteggi& f, const std::string& cartella, const std::string& nome)
{
    AggiornaPunteggi(f, cartella, nome, ContaPartitaGiocata);
}

void RegistraVittoria(const FilePunteggi& f, const std::string& cartella, const std::string& nome)
{
    AggiornaPunteggi(f, cartella, nome, ContaVittoria);
}

void RegistraPareggio(const FilePunteggi& f, const std::string& cartella, const std::string& nome)
{
    AggiornaPunteggi(f, cartella, nome, ContaPareggio);
}

void RegistraPartitaGiocata(const FilePunteggi& f) { RegistraPartitaGiocata(f, CartellaLavoro, NomeGiocatoreCorrente()); }
void RegistraVittoria(const FilePunteggi& f) { RegistraVittoria(f, CartellaLavoro, NomeGiocatoreCorrente()); }
void RegistraPareggio(const FilePunteggi& f) { RegistraPareggio(f, CartellaLavoro, NomeGiocatoreCorrente()); }

bool RigaRecord(const std::string& riga)
{
    if (LunghezzaSenzaFineRiga(riga) < std::size_t(ColonnaPari + 4)) return false;
    for (int colonna : {ColonnaGiocate, ColonnaVinte, ColonnaPari})
        for (int i = colonna; i < colonna + 4; ++i)
            if (riga[i] < '0' || riga[i] > '9') return false;
    return true;
}

std::vector<VocePunteggio> LeggiPunteggi(const std::string& cartella, const std::string& nomeFile)
{
    std::vector<VocePunteggio> voci;
    std::string byte;
    if (!LeggiTutto(PercorsoPunteggi(cartella, nomeFile), byte)) return voci;
    for (const std::string& riga : RighePunteggi(byte)) {
        if (!RigaRecord(riga)) continue;
        VocePunteggio v;
        v.Nome = riga.substr(0, LunghezzaNomePunteggi);
        v.Giocate = ContatoreRiga(riga, ColonnaGiocate);
        v.Vinte = ContatoreRiga(riga, ColonnaVinte);
        v.Pari = ContatoreRiga(riga, ColonnaPari);
        // No match played: ratio 0 rather than a division by zero.
        v.Rapporto = v.Giocate > 0 ? float(v.Vinte) / float(v.Giocate) : 0.0f;
        voci.push_back(std::move(v));
    }
    return voci;
}

void OrdinaPerRapporto(std::vector<VocePunteggio>& voci)
{
    const std::size_t n = voci.size();
    for (std::size_t passo = 1; passo < n; ++passo)
        for (std::size_t j = 0; j + 1 < n; ++j)
            if (voci[j].Rapporto < voci[j + 1].Rapporto) std::swap(voci[j], voci[j + 1]);
}

#include "scores/PunteggiFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "core/Globali.h"
#include "scores/PunteggiMaiuscole.h"
#include "core/ScritturaSicura.h"

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

// Whole file as bytes. False when it cannot be opened, is not a regular file, or a read fails
// part-way. Opened without blocking and checked before reading: a pipe or device planted under a
// score file's name must not hang the program.
bool LeggiTutto(const std::string& percorso, std::string& byte)
{
    const int fd = ::open(percorso.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return false;
    }
    byte.clear();
    char buf[4096];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) {
            byte.append(buf, static_cast<std::size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            ok = false;
            break;
        }
    }
    const int errore = errno;  // for the caller's report
    ::close(fd);
    errno = errore;
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

// Length of a line without its line end (CR LF, LF or CR).
std::size_t LunghezzaSenzaFineRiga(const std::string& riga)
{
    std::size_t n = riga.size();
    if (n > 0 && riga[n - 1] == '\n') --n;
    if (n > 0 && riga[n - 1] == '\r') --n;
    return n;
}

// A line belongs to the player when its first 20 bytes, upper-cased, equal the key's. The
// line's name field is upper-cased as a key is, so records written when only a to z were
// upper-cased ("NICOLò") still match the key of today ("NICOLÒ").
bool RigaDelGiocatore(const std::string& riga, const std::string& chiave)
{
    if (riga.size() < std::size_t(LunghezzaConfrontoNome)) return false;
    const std::string nome = MaiuscoleUtf8(riga.substr(0, LunghezzaNomePunteggi));
    return nome.size() >= std::size_t(LunghezzaConfrontoNome) &&
           nome.compare(0, LunghezzaConfrontoNome, chiave, 0, LunghezzaConfrontoNome) == 0;
}

int Limita(int v) { return std::clamp(v, 0, MassimoContatore); }

std::string Errore(int e) { return std::strerror(e); }

void Avvisa(const std::string& testo)
{
    if (auto& f = AvvisoPunteggi()) f(testo);
}

bool FileRegolare(const std::string& percorso)
{
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(percorso, ec));
}

// A file under the temporary name is complete: it only gets that name once written and
// flushed. An empty one is what a power cut leaves of a file never flushed (older versions
// wrote the temporary name directly), and a link is nothing of ours.
bool TemporaneoCompleto(const std::string& percorso)
{
    std::error_code ec;
    return FileRegolare(percorso) && fs::file_size(percorso, ec) > 0 && !ec;
}

std::string CartellaDi(const std::string& percorso)
{
    const fs::path dir = fs::path(percorso).parent_path();
    return dir.empty() ? std::string(".") : dir.string();
}

// The cross-process lock of one score file: flock on a lock file in the data folder. The
// file exists only while an update holds it: the holder removes it before letting go, and a
// waiter that gets the lock on a file already removed starts again on the current one. A
// lock file left by a process that died is not held by anyone (flock ends with its
// holder), so it is simply taken over.
class BloccoPunteggi {
public:
    BloccoPunteggi() = default;
    BloccoPunteggi(const BloccoPunteggi&) = delete;
    BloccoPunteggi& operator=(const BloccoPunteggi&) = delete;
    ~BloccoPunteggi()
    {
        if (fd_ < 0) return;
        if (tenuto_) ::unlink(percorso_.c_str());
        ::close(fd_);
    }

    // False with the reason when the lock cannot be had within the wait.
    bool Prendi(const std::string& percorso, std::string& motivo)
    {
        percorso_ = percorso;
        const auto scadenza = std::chrono::steady_clock::now() + AttesaMassimaBloccoPunteggi();
        for (;;) {
            fd_ = ::open(percorso.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
            if (fd_ < 0) {
                if (errno == EINTR) continue;
                motivo = "cannot open the lock file " + percorso + ": " + Errore(errno);
                return false;
            }
            while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
                if (errno == EINTR) continue;
                if (errno != EWOULDBLOCK) {
                    // A file system without locks: go on unlocked rather than never update.
                    return true;
                }
                if (std::chrono::steady_clock::now() >= scadenza) {
                    motivo = "another copy of the program held " + percorso + " too long";
                    return false;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            struct stat aperto {}, nome {};
            if (::fstat(fd_, &aperto) == 0 && ::lstat(percorso.c_str(), &nome) == 0 && aperto.st_dev == nome.st_dev &&
                aperto.st_ino == nome.st_ino) {
                tenuto_ = true;
                return true;
            }
            // The previous holder removed this file as we waited on it.
            ::close(fd_);
            fd_ = -1;
        }
    }

private:
    std::string percorso_;
    int fd_ = -1;
    bool tenuto_ = false;
};

// The lock file of a current-file name: "\PunteggiScopa.txt" gives "\PunteggiScopa.lock".
std::string NomeBlocco(const std::string& corrente)
{
    const std::size_t barra = corrente.find_last_of("\\/");
    const std::size_t punto = corrente.rfind('.');
    const bool estensione = punto != std::string::npos && (barra == std::string::npos || punto > barra);
    return (estensione ? corrente.substr(0, punto) : corrente) + ".lock";
}

// One count still to be written: the player's key and the operation.
struct Conteggio {
    std::string chiave;
    int operazione;
};

// Counts of failed updates, by folder and current file, waiting for the next update of
// that file; and the mutex that runs this process's updates one at a time.
std::map<std::string, std::vector<Conteggio>> ConteggiSospesi;
std::mutex MutexAggiornamenti;

std::string ChiaveSospesi(const std::string& cartella, const std::string& corrente)
{
    std::string nome;
    for (char c : corrente) nome += Maiuscola(c);
    return cartella + '\0' + nome;
}

// Whether bytes hold anything but blanks and line ends.
bool SoloSpazi(const std::string& byte)
{
    return byte.find_first_not_of(" \t\r\n") == std::string::npos;
}

// The new file: every count applied in turn to the old bytes. `dubbio` is set when a line of
// the player was not a plain record (garbled counters, or more after them), so the update
// drops or moves bytes it could not make sense of.
std::string Applica(const std::string& vecchio, const std::vector<Conteggio>& conteggi, bool& dubbio)
{
    std::string nuovo = vecchio;
    for (const Conteggio& c : conteggi) {
        const int dg = c.operazione == ContaPartitaGiocata ? 1 : 0;
        const int dv = c.operazione == ContaVittoria ? 1 : 0;
        const int dp = c.operazione == ContaPareggio ? 1 : 0;
        std::string prossimo;
        prossimo.reserve(nuovo.size() + LunghezzaRecordPunteggi);
        bool trovato = false;
        for (const std::string& riga : RighePunteggi(nuovo)) {
            if (RigaDelGiocatore(riga, c.chiave)) {
                if (!RigaRecord(riga)) dubbio = true;
                prossimo += RecordPunteggi(c.chiave, ContatoreRiga(riga, ColonnaGiocate) + dg,
                                           ContatoreRiga(riga, ColonnaVinte) + dv,
                                           ContatoreRiga(riga, ColonnaPari) + dp);
                // Whatever follows the counters (other records glued on when the line ends
                // were lost) stays, on a line of its own.
                if (riga.size() > std::size_t(ColonnaPari + 4)) {
                    const std::string coda = riga.substr(ColonnaPari + 4);
                    if (!SoloSpazi(coda)) {
                        prossimo += coda;
                        dubbio = true;
                    }
                }
                trovato = true;
            } else {
                prossimo += riga;
            }
        }
        if (!trovato) {
            // A last line without a line end gets one, or the new record would be glued to it.
            if (!prossimo.empty() && prossimo.back() != '\n' && prossimo.back() != '\r') prossimo += "\r\n";
            prossimo += RecordPunteggi(c.chiave, 1, dv, dp);
        }
        nuovo = std::move(prossimo);
    }
    return nuovo;
}

struct Esito {
    int codice = PunteggiAggiornati;
    std::string motivo;
    bool nelTemporaneo = false;  // the counts are in the complete temporary file
};

Esito Fallito(int codice, std::string motivo, bool nelTemporaneo = false)
{
    return Esito{codice, std::move(motivo), nelTemporaneo};
}

// One update under the file's lock: finish an interrupted update if there is one, read the
// file to start from, write the new copy, then backup and renames.
Esito Aggiorna(const FilePunteggi& f, const std::string& cartella, const std::vector<Conteggio>& conteggi)
{
    BloccoPunteggi blocco;
    std::string motivo;
    if (!blocco.Prendi(PercorsoPunteggi(cartella, NomeBlocco(f.corrente)), motivo))
        return Fallito(PunteggiOccupato, motivo);

    const std::string corrente = PercorsoPunteggi(cartella, f.corrente);
    const std::string temporaneo = PercorsoPunteggi(cartella, f.temporaneo);
    const std::string copia = PercorsoPunteggi(cartella, f.copia);
    EliminaCopieAbbandonate(temporaneo);

    bool esiste = Esiste(corrente);
    if (!esiste && TemporaneoCompleto(temporaneo)) {
        // Stopped between the renames (or a rename and its put-back both failed): the
        // temporary file is the newest complete copy. Putting it in place finishes that
        // update, so the backup below becomes the file as it was before this one.
        if (std::rename(temporaneo.c_str(), corrente.c_str()) != 0)
            return Fallito(PunteggiRinominaFallita, "cannot put " + temporaneo + " back in place: " + Errore(errno));
        esiste = true;
    }
    // Only a missing file with no backup is a first use. A file that exists but cannot be
    // read is left alone: replacing it with a single record would lose every other line.
    const std::string origine = esiste ? corrente : (FileRegolare(copia) ? copia : std::string());
    std::string vecchio;
    if (!origine.empty() && !LeggiTutto(origine, vecchio))
        return Fallito(PunteggiCorrenteIlleggibile, "cannot read " + origine + ": " + Errore(errno));

    bool dubbio = false;
    const std::string nuovo = Applica(vecchio, conteggi, dubbio);
    if (dubbio || nuovo.size() < vecchio.size()) {
        // A file this update could not make sense of is never replaced without a copy of it.
        const std::string conservata = ConservaCopiaDanneggiata(corrente, vecchio, motivo);
        if (conservata.empty()) return Fallito(PunteggiCopiaNonConservata, motivo);
        Avvisa("the score file " + origine + " holds lines that are not records; its bytes are kept in " +
               conservata);
    }
    if (!SostituisciFile(temporaneo, nuovo, motivo, false)) return Fallito(PunteggiTemporaneoNonScritto, motivo);

    const std::string cartellaFile = CartellaDi(corrente);
    if (esiste) {
        // Without a current file the backup may be the last complete copy: it stays.
        EliminaFile(copia);
        if (std::rename(corrente.c_str(), copia.c_str()) != 0) {
            motivo = "cannot rename " + corrente + " to " + copia + ": " + Errore(errno);
            SincronizzaCartella(cartellaFile);
            return Fallito(PunteggiRinominaFallita, motivo);
        }
    }
    if (std::rename(temporaneo.c_str(), corrente.c_str()) != 0) {
        motivo = "cannot rename " + temporaneo + " to " + corrente + ": " + Errore(errno);
        // Put the previous file back. When that fails too, the current file is missing and
        // the complete temporary file holds the counts: the next update starts from it.
        const bool rimesso = esiste && std::rename(copia.c_str(), corrente.c_str()) == 0;
        SincronizzaCartella(cartellaFile);
        return Fallito(PunteggiRinominaFallita, motivo, !rimesso);
    }
    SincronizzaCartella(cartellaFile);
    return {};
}

}  // namespace

std::function<void(const std::string&)>& AvvisoPunteggi()
{
    static std::function<void(const std::string&)> avviso = [](const std::string& testo) {
        std::fprintf(stderr, "cartovia: %s\n", testo.c_str());
    };
    return avviso;
}

std::chrono::milliseconds& AttesaMassimaBloccoPunteggi()
{
    // Far longer than any update takes, short enough not to freeze a table for long.
    static std::chrono::milliseconds attesa{5000};
    return attesa;
}

FilePunteggi FilePunteggiDi(const std::string& corrente)
{
    const std::size_t barra = corrente.find_last_of("\\/");
    const std::size_t punto = corrente.rfind('.');
    if (punto == std::string::npos || (barra != std::string::npos && punto < barra))
        return {corrente, corrente + "1", corrente + ".bak"};
    const std::string radice = corrente.substr(0, punto);
    return {corrente, radice + "1" + corrente.substr(punto), radice + ".bak"};
}

std::string ChiavePunteggi(const std::string& nome)
{
    std::string k;
    k.reserve(nome.size());
    for (char c : nome) {
        const unsigned char u = static_cast<unsigned char>(c);
        // A line end or other control byte in the name would break the record apart.
        k += (u < 0x20 || u == 0x7F) ? ' ' : c;
    }
    k = MaiuscoleUtf8(k);
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
    // Whole lines up to each line end, however long: a long line read in pieces could
    // otherwise be matched by a later piece and have its tail replaced by a record. CR LF,
    // LF and CR alone all end a line, as a file copied between systems may have any of them.
    std::vector<std::string> righe;
    std::size_t inizio = 0;
    while (inizio < byte.size()) {
        const std::size_t fr = byte.find_first_of("\r\n", inizio);
        std::size_t fine = fr == std::string::npos ? byte.size() : fr + 1;
        if (fr != std::string::npos && byte[fr] == '\r' && fine < byte.size() && byte[fine] == '\n') ++fine;
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
    std::lock_guard<std::mutex> uno(MutexAggiornamenti);
    std::vector<Conteggio>& sospesi = ConteggiSospesi[ChiaveSospesi(cartella, f.corrente)];
    std::vector<Conteggio> conteggi = sospesi;
    conteggi.push_back({ChiavePunteggi(nome), operazione});

    const Esito e = Aggiorna(f, cartella, conteggi);
    if (e.codice == PunteggiAggiornati || e.nelTemporaneo) {
        sospesi.clear();
    } else {
        sospesi = std::move(conteggi);
    }
    if (e.codice != PunteggiAggiornati) {
        const std::string file = PercorsoInCartella(cartella, f.corrente);
        Avvisa(e.nelTemporaneo
                   ? "score update of " + file + " not finished (" + e.motivo +
                         "); the next update starts from the complete temporary file"
                   : "score update of " + file + " failed (" + e.motivo + "); " + std::to_string(sospesi.size()) +
                         " count(s) kept for the next update");
    }
    return e.codice;
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
    const FilePunteggi f = FilePunteggiDi(nomeFile);
    std::string percorso = PercorsoPunteggi(cartella, f.corrente);
    if (!Esiste(percorso)) {
        // An update was interrupted between its renames: show what the next update will
        // start from rather than an empty ranking.
        const std::string temporaneo = PercorsoPunteggi(cartella, f.temporaneo);
        const std::string copia = PercorsoPunteggi(cartella, f.copia);
        if (TemporaneoCompleto(temporaneo))
            percorso = temporaneo;
        else if (FileRegolare(copia))
            percorso = copia;
        else
            return voci;
    }
    std::string byte;
    if (!LeggiTutto(percorso, byte)) {
        Avvisa("cannot read the score file " + percorso + ": " + Errore(errno));
        return voci;
    }
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
    // Stable, so equal ratios keep their file order; linearithmic, so a long file does not
    // hold up the window.
    std::stable_sort(voci.begin(), voci.end(),
                     [](const VocePunteggio& a, const VocePunteggio& b) { return a.Rapporto > b.Rapporto; });
}

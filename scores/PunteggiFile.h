#pragma once
// The per-game score files: one 48-byte record per player, "%-30s%04d  %04d  %04d\r\n"
// (name, matches played, won, drawn). Updates never edit a file in place: a complete new
// copy is written to the temporary file, the previous file becomes the backup and the copy
// takes its name. Plain C++, no Qt.
//
// What keeps the scores whole:
// - the new copy is written under a fresh name made exclusively in the data folder (never
//   through a link), flushed to disk, and only then given the temporary name, so a file under
//   the temporary name is always complete; the folder is flushed after the renames;
// - a missing current file is not a first use while the temporary file or the backup is
//   there: the update finishes from them and never deletes the last complete copy;
// - updates of one file are serialised across processes by a lock file in the data folder;
// - a failed update is reported through AvvisoPunteggi and kept, so the next update of the
//   same file applies it too;
// - records end in CR LF, LF or CR alike; an update keeps every line it does not rewrite, and
//   a file holding a line of the player that is not a plain record is first kept whole as
//   "<file>.damaged" (see ConservaCopiaDanneggiata).
#include <chrono>
#include <functional>
#include <string>
#include <vector>

// The three names of one game's files, each beginning with a backslash and appended to the
// working folder: current file, temporary copy, backup.
struct FilePunteggi {
    std::string corrente, temporaneo, copia;
};

extern const FilePunteggi FileScopa, FileBriscola, FileRubaMazzo, FileSettemezzo;

// The temporary and backup names that go with a current-file name: "\PunteggiScopa.txt"
// gives "\PunteggiScopa1.txt" and "\PunteggiScopa.bak".
FilePunteggi FilePunteggiDi(const std::string& corrente);

// Record layout.
constexpr int LunghezzaNomePunteggi = 30;     // name field, columns 0-29
constexpr int LunghezzaConfrontoNome = 20;    // two records of one player share these
constexpr int LunghezzaRecordPunteggi = 48;   // with CR LF
constexpr int ColonnaGiocate = 30, ColonnaVinte = 36, ColonnaPari = 42;
constexpr int MassimoContatore = 9999;        // four digits: more would shift the columns

// What an update counts.
enum OperazionePunteggi { ContaPartitaGiocata = 1, ContaVittoria = 2, ContaPareggio = 3 };

// Outcome of an update (the three operations the tables call ignore it: failures are silent).
enum EsitoPunteggi {
    PunteggiAggiornati = 0,
    PunteggiTemporaneoNonScritto = 1,  // temporary file not created or not written: nothing changed
    PunteggiCorrenteIlleggibile = 2,   // current file exists but cannot be read: nothing changed
    PunteggiRinominaFallita = 3,       // a rename failed; the update is kept for the next one
    PunteggiOperazioneIgnota = 4,
    PunteggiOccupato = 5,              // the file's lock could not be had (held too long by another
                                       // process, or its name taken by a link): nothing changed
    PunteggiCopiaNonConservata = 6,    // the file held lines that were not records and no copy of
                                       // it could be kept beside it: nothing changed
};

// Where a failed update (or an unreadable score file) is reported, one line naming the file
// and the reason. The program points it at its log; by default the line goes to stderr.
std::function<void(const std::string&)>& AvvisoPunteggi();

// How long an update waits for another process to finish with the same file. A lock left
// by a process that has ended never counts: the lock dies with its holder.
std::chrono::milliseconds& AttesaMassimaBloccoPunteggi();

// The operations the tables call: working folder CartellaLavoro, name NomeGiocatoreCorrente().
void RegistraPartitaGiocata(const FilePunteggi& f);
void RegistraVittoria(const FilePunteggi& f);
void RegistraPareggio(const FilePunteggi& f);

// The same with the folder and the player's name given.
void RegistraPartitaGiocata(const FilePunteggi& f, const std::string& cartella, const std::string& nome);
void RegistraVittoria(const FilePunteggi& f, const std::string& cartella, const std::string& nome);
void RegistraPareggio(const FilePunteggi& f, const std::string& cartella, const std::string& nome);

// One update with its outcome (an EsitoPunteggi value). Updates that failed earlier in this
// process for the same file are applied first, in their order.
int AggiornaPunteggi(const FilePunteggi& f, const std::string& cartella, const std::string& nome,
                     int operazione);

// The record key of a name: letters a-z in upper case, control bytes as spaces, cut to 30
// bytes without splitting a UTF-8 character, padded with spaces to exactly 30 bytes.
std::string ChiavePunteggi(const std::string& nome);

// One record line, counters clamped to 0..9999 so it is always 48 bytes.
std::string RecordPunteggi(const std::string& chiave, int giocate, int vinte, int pari);

// The path of `nome` ("\PunteggiScopa.txt") in `cartella`, using the spelling of an entry
// that already exists there when it differs only in letter case (an exact match wins).
std::string PercorsoPunteggi(const std::string& cartella, const std::string& nome);

// The lines of a file's bytes, each with its line end (CR LF, LF or CR alone; the last one
// may have none).
std::vector<std::string> RighePunteggi(const std::string& byte);

// A four-column counter of a line: the leading digits of the field (after blanks), 0 when
// there are none or the line is too short.
int ContatoreRiga(const std::string& riga, int colonna);

// One ranking entry.
struct VocePunteggio {
    std::string Nome;  // the 30-byte name field as stored, trailing spaces included
    int Giocate = 0, Vinte = 0, Pari = 0;
    float Rapporto = 0.0f;  // Vinte / Giocate; 0 when no match was played
};

// Whether a line is a record: at least 46 bytes before its line end, digits in the three
// counter columns.
bool RigaRecord(const std::string& riga);

// The records of a score file in file order (lines that are not records are left out).
// When the current file is missing, the copy the next update would start from is read
// instead (the complete temporary file, else the backup). A missing or unreadable file
// gives none.
std::vector<VocePunteggio> LeggiPunteggi(const std::string& cartella, const std::string& nomeFile);

// Highest ratio first; entries with equal ratios keep their file order (a stable sort).
void OrdinaPerRapporto(std::vector<VocePunteggio>& voci);

#pragma once
// The per-game score files: one 48-byte record per player, "%-30s%04d  %04d  %04d\r\n"
// (name, matches played, won, drawn). Updates never edit a file in place: a complete new
// copy is written to the temporary file, the previous file becomes the backup and the copy
// takes its name. Plain C++, no Qt.
#include <string>
#include <vector>

// The three names of one game's files, each beginning with a backslash and appended to the
// working folder: current file, temporary copy, backup.
struct FilePunteggi {
    std::string corrente, temporaneo, copia;
};

extern const FilePunteggi FileScopa, FileBriscola, FileRubaMazzo, FileSettemezzo;

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
    PunteggiRinominaFallita = 3,       // the update stays in the temporary file
    PunteggiOperazioneIgnota = 4,
};

// The operations the tables call: working folder CartellaLavoro, name NomeGiocatoreCorrente().
void RegistraPartitaGiocata(const FilePunteggi& f);
void RegistraVittoria(const FilePunteggi& f);
void RegistraPareggio(const FilePunteggi& f);

// The same with the folder and the player's name given.
void RegistraPartitaGiocata(const FilePunteggi& f, const std::string& cartella, const std::string& nome);
void RegistraVittoria(const FilePunteggi& f, const std::string& cartella, const std::string& nome);
void RegistraPareggio(const FilePunteggi& f, const std::string& cartella, const std::string& nome);

// One update with its outcome (an EsitoPunteggi value).
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

// The lines of a file's bytes, each with its line end (the last one may have none).
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
// A missing or unreadable file gives none.
std::vector<VocePunteggio> LeggiPunteggi(const std::string& cartella, const std::string& nomeFile);

// Highest ratio first; a bubble sort, so entries with equal ratios keep their file order.
void OrdinaPerRapporto(std::vector<VocePunteggio>& voci);

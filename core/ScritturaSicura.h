#pragma once
// The one way the program replaces a file in its data or advertisement folder. The new
// content goes under a fresh name made exclusively beside the file (never through a link),
// is flushed to disk, and only then is renamed over the file; the folder is flushed after
// the rename. A link, a folder or anything else but a regular file under the file's name is
// left alone: the replacement fails with a reason and nothing is written. Plain C++, no Qt.
#include <cstddef>
#include <string>

// A new copy of `percorso` written piece by piece (a download, a file copy). Until
// Conferma the old file stays as it was; a copy neither confirmed nor kept is removed.
class FileNuovo {
public:
    explicit FileNuovo(std::string percorso);
    ~FileNuovo();
    FileNuovo(const FileNuovo&) = delete;
    FileNuovo& operator=(const FileNuovo&) = delete;

    // Creates the fresh name. False with Motivo() when no fresh file can be made.
    bool Apri();
    bool Aperto() const { return fd_ >= 0; }
    // Appends bytes; after a failed write every later call fails too.
    bool Scrivi(const void* dati, std::size_t n);
    // Flushes and closes the copy, then renames it over the file (the folder is flushed too
    // unless `sincronizzaCartella` is false). False with Motivo(); the old file is untouched.
    bool Conferma(bool sincronizzaCartella = true);
    // Drops the copy; the old file is untouched.
    void Abbandona();

    const std::string& Percorso() const { return percorso_; }
    const std::string& Motivo() const { return motivo_; }

private:
    bool Fallisci(std::string motivo);

    std::string percorso_, unico_, motivo_;
    int fd_ = -1;
    bool errore_ = false;
};

// The whole of `percorso` replaced by `byte` as above. False with the reason in `motivo`.
bool SostituisciFile(const std::string& percorso, const std::string& byte, std::string& motivo,
                     bool sincronizzaCartella = true);

// True when `percorso` names nothing or a regular file (links are not followed): the only
// names a replacement may take.
bool NomeSostituibile(const std::string& percorso);

// Keeps the bytes of a damaged file beside it before anything replaces it: created
// exclusively as "<percorso>.damaged", never over an earlier copy (a later, different one
// becomes "<percorso>.damaged.2" and so on, up to MassimoCopieDanneggiate). A copy already
// holding the same bytes is reused. Returns the copy's path, or empty with `motivo`.
inline constexpr int MassimoCopieDanneggiate = 9;
std::string ConservaCopiaDanneggiata(const std::string& percorso, const std::string& byte, std::string& motivo);

// Removes the fresh copies of `percorso` left by a process that died while writing one
// ("<name>.XXXXXX", any letter case of the name). Only for callers that know no other
// writer of the same file is at work (the score files call it under their lock).
void EliminaCopieAbbandonate(const std::string& percorso);

// Flushes a folder's entries (renames) to disk; a folder that cannot be flushed is ignored.
void SincronizzaCartella(const std::string& cartella);

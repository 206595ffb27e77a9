#pragma once
// Settings store. On Windows the program keeps its settings as string values under the
// registry key "VelmoSoft\Scopa\Configurazione" (root HKEY_USERS); elsewhere the same key
// path, value names and string values live in an ini file. CARTOVIA_SETTINGS names another
// file (tests never touch the user's settings).
#include <memory>
#include <optional>
#include <string>
#include <utility>

class ArchivioImpostazioni {
public:
    virtual ~ArchivioImpostazioni() = default;
    // Opens the key; with `crea` false it fails when the key does not exist yet.
    virtual bool Apri(bool crea) = 0;
    // A string value of the open key, or nothing when the value is missing.
    virtual std::optional<std::string> Leggi(const std::string& nome) = 0;
    virtual void Scrivi(const std::string& nome, const std::string& valore) = 0;
    // Closes the key, writing what was stored; false when the store could not be written.
    virtual bool Chiudi() = 0;
};

inline constexpr const char* ChiaveConfigurazione = "VelmoSoft\\Scopa\\Configurazione";

// The ini-file store; `percorso` empty means the default place (see PercorsoImpostazioni).
std::unique_ptr<ArchivioImpostazioni> CreaArchivioIni(const std::string& percorso = {});
// CARTOVIA_SETTINGS when set, else the user's configuration folder ("Cartovia/Cartovia.ini").
std::string PercorsoImpostazioni();

// The store the configuration uses; tests may install their own (nullptr: back to the ini).
ArchivioImpostazioni& ArchivioCorrente();
void ImpostaArchivio(std::unique_ptr<ArchivioImpostazioni> archivio);

// "Dimensione": the windows' drawing size, "Automatica" (stored for 0) or a percentage among
// 100, 125, 150 and 200. A missing or unknown value reads as Automatica.
int DimensioneDaTesto(const std::optional<std::string>& valore);
std::string TestoDimensione(int percento);
// "Posizione": where the chooser was left, "x,y" in screen pixels. Nothing when the value is
// missing or is not two integers within +-100000.
std::optional<std::pair<int, int>> PosizioneDaTesto(const std::optional<std::string>& valore);
std::string TestoPosizione(int x, int y);
// Reads one value straight from the store (for what is needed before the windows exist).
std::optional<std::string> LeggiValore(const std::string& nome);

#pragma once
// Display modes of the primary display: list them, test one, set one, read the current size.
// On X11 this is XRandR (ModiSchermoX11); where no mode can be switched (Wayland, the
// offscreen platform, no X display) a fixed layer lists no modes and reports the screen size
// Qt knows. Tests install ModiSchermoFinti.
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct ModoSchermo {
    int larghezza = 0;
    int altezza = 0;
    friend bool operator==(const ModoSchermo&, const ModoSchermo&) = default;
};

// Outcome of testing or setting a mode, as the display reports it.
enum class EsitoCambio {
    Riuscito,           // the mode can be (or has been) set
    RiavvioNecessario,  // the mode needs a restart of the system before it takes effect
    NonSupportato,      // the display refuses the mode
};

class ModiSchermo {
public:
    virtual ~ModiSchermo();
    // The modes the primary display offers, in the display's own order (one size may appear
    // more than once, at different refresh rates).
    virtual std::vector<ModoSchermo> Modi() = 0;
    // Whether `modo` could be set now, without setting it.
    virtual EsitoCambio Prova(const ModoSchermo& modo) = 0;
    // Sets `modo` until it is changed again (nothing is stored in the user's settings);
    // colour depth and refresh rate stay as the display chooses.
    virtual EsitoCambio Applica(const ModoSchermo& modo) = 0;
    // The current size of the primary display in pixels (0 x 0 when unknown).
    virtual ModoSchermo Corrente() = 0;
};

// The layer the resolution switcher uses: the X11 one when Qt runs on xcb and the X display
// has RandR 1.2, else the fixed one. Created on first use.
ModiSchermo& ModiSchermoCorrenti();
// Installs another layer (not owned); nullptr goes back to the one chosen for the platform.
// Returns the layer installed before (nullptr: the platform's).
ModiSchermo* ImpostaModiSchermo(ModiSchermo* modi);

// XRandR on the X display `nomeDisplay` (empty: $DISPLAY), over a connection of its own.
// nullptr when the display cannot be opened or lacks RandR 1.2.
std::unique_ptr<ModiSchermo> CreaModiSchermoX11(const std::string& nomeDisplay = {});

// No switchable modes: lists nothing and reports the primary screen's size as Qt sees it.
class ModiSchermoFissi : public ModiSchermo {
public:
    std::vector<ModoSchermo> Modi() override { return {}; }
    EsitoCambio Prova(const ModoSchermo&) override { return EsitoCambio::NonSupportato; }
    EsitoCambio Applica(const ModoSchermo&) override { return EsitoCambio::NonSupportato; }
    ModoSchermo Corrente() override;
};

// Test double: a display with a given list of modes and a current size. Prova answers from
// `esiti` (Riuscito for a size not listed there); Applica of an offered mode whose test
// succeeds changes the current size. Every call is recorded.
class ModiSchermoFinti : public ModiSchermo {
public:
    std::vector<ModoSchermo> modi;
    ModoSchermo corrente;
    std::map<std::pair<int, int>, EsitoCambio> esiti;
    // When true, Applica reports success but leaves the size unchanged (a display that
    // silently ignores the request).
    bool ignoraApplica = false;

    std::vector<ModoSchermo> provati, applicati;
    int letture = 0;  // calls of Corrente()

    void Esito(int larghezza, int altezza, EsitoCambio e) { esiti[{larghezza, altezza}] = e; }

    std::vector<ModoSchermo> Modi() override { return modi; }
    EsitoCambio Prova(const ModoSchermo& m) override;
    EsitoCambio Applica(const ModoSchermo& m) override;
    ModoSchermo Corrente() override { ++letture; return corrente; }
};

// Installs a layer for the lifetime of the guard, then restores the one installed before.
class ModiSchermoTemporanei {
public:
    explicit ModiSchermoTemporanei(ModiSchermo& m) : prima_(ImpostaModiSchermo(&m)) {}
    ~ModiSchermoTemporanei() { ImpostaModiSchermo(prima_); }
    ModiSchermoTemporanei(const ModiSchermoTemporanei&) = delete;
    ModiSchermoTemporanei& operator=(const ModiSchermoTemporanei&) = delete;

private:
    ModiSchermo* prima_;
};

// Display modes through XRandR, on a connection of its own to the X server.
//
// The modes are those of the primary output (RandR 1.2); a mode is set with the RandR 1.1
// screen configuration request, which resizes the screen and sets the matching mode on that
// same output while the other settings (rotation, and the refresh rate the server picks) stay.
#include "platform/ModiSchermo.h"

#include <QtGlobal>
#include <algorithm>

// X headers last: they define macros (None, Status, Bool, Success) that clash with other code.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

// X protocol errors arrive asynchronously and Xlib's default handler ends the process. While
// this layer talks to the server a handler that only counts them is installed.
int erroriX = 0;
int ContaErrore(Display*, XErrorEvent*)
{
    ++erroriX;
    return 0;
}

class GuardiaErroriX {
public:
    explicit GuardiaErroriX(Display* d) : d_(d), precedente_(XSetErrorHandler(ContaErrore)) { erroriX = 0; }
    ~GuardiaErroriX()
    {
        XSync(d_, False);
        XSetErrorHandler(precedente_);
    }
    // Whether an error has come back so far (waits for the server's answers).
    bool Errori()
    {
        XSync(d_, False);
        return erroriX != 0;
    }
    GuardiaErroriX(const GuardiaErroriX&) = delete;
    GuardiaErroriX& operator=(const GuardiaErroriX&) = delete;

private:
    Display* d_;
    XErrorHandler precedente_;
};

bool Ruotato(Rotation r) { return (r & (RR_Rotate_90 | RR_Rotate_270)) != 0; }

class ModiSchermoX11 : public ModiSchermo {
public:
    explicit ModiSchermoX11(Display* d) : d_(d), radice_(DefaultRootWindow(d)) {}
    ~ModiSchermoX11() override { XCloseDisplay(d_); }

    std::vector<ModoSchermo> Modi() override
    {
        GuardiaErroriX guardia(d_);
        std::vector<ModoSchermo> modi;
        XRRScreenResources* risorse = Risorse();
        if (!risorse) return modi;
        const RROutput uscita = UscitaPrimaria(risorse);
        XRROutputInfo* info = uscita ? XRRGetOutputInfo(d_, risorse, uscita) : nullptr;
        if (info) {
            const bool ruotato = Ruotato(RotazioneCorrente());
            for (int i = 0; i < info->nmode; ++i)
                for (int j = 0; j < risorse->nmode; ++j) {
                    const XRRModeInfo& m = risorse->modes[j];
                    if (m.id != info->modes[i]) continue;
                    // Sizes as they appear on the display: a turned display swaps them.
                    const int w = static_cast<int>(m.width), h = static_cast<int>(m.height);
                    modi.push_back(ruotato ? ModoSchermo{h, w} : ModoSchermo{w, h});
                    break;
                }
            XRRFreeOutputInfo(info);
        }
        XRRFreeScreenResources(risorse);
        return modi;
    }

    EsitoCambio Prova(const ModoSchermo& modo) override
    {
        GuardiaErroriX guardia(d_);
        XRRScreenConfiguration* conf = XRRGetScreenInfo(d_, radice_);
        if (!conf) return EsitoCambio::NonSupportato;
        const bool possibile = IndiceDimensione(conf, modo) >= 0 && EntroLimiti(modo);
        XRRFreeScreenConfigInfo(conf);
        return possibile && !guardia.Errori() ? EsitoCambio::Riuscito : EsitoCambio::NonSupportato;
    }

    EsitoCambio Applica(const ModoSchermo& modo) override
    {
        GuardiaErroriX guardia(d_);
        // A fresh configuration: the server refuses a request based on an outdated one.
        XRRScreenConfiguration* conf = XRRGetScreenInfo(d_, radice_);
        if (!conf) return EsitoCambio::NonSupportato;
        Status stato = RRSetConfigFailed;
        const int indice = IndiceDimensione(conf, modo);
        if (indice >= 0) {
            Rotation rotazione = 0;
            XRRConfigCurrentConfiguration(conf, &rotazione);
            stato = XRRSetScreenConfig(d_, conf, radice_, indice, rotazione, CurrentTime);
        }
        XRRFreeScreenConfigInfo(conf);
        if (guardia.Errori() || stato != RRSetConfigSuccess) {
            qWarning("Display modes: the X server did not set %dx%d (status %d)", modo.larghezza, modo.altezza,
                     static_cast<int>(stato));
            return EsitoCambio::NonSupportato;
        }
        return EsitoCambio::Riuscito;
    }

    ModoSchermo Corrente() override
    {
        GuardiaErroriX guardia(d_);
        ModoSchermo corrente;
        // The primary output's area of the screen; the whole screen when it has none.
        if (XRRScreenResources* risorse = Risorse()) {
            if (const RROutput uscita = UscitaPrimaria(risorse)) {
                if (XRROutputInfo* info = XRRGetOutputInfo(d_, risorse, uscita)) {
                    if (info->crtc)
                        if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(d_, risorse, info->crtc)) {
                            if (crtc->mode) corrente = {static_cast<int>(crtc->width), static_cast<int>(crtc->height)};
                            XRRFreeCrtcInfo(crtc);
                        }
                    XRRFreeOutputInfo(info);
                }
            }
            XRRFreeScreenResources(risorse);
        }
        if (corrente.larghezza > 0) return corrente;
        if (XRRScreenConfiguration* conf = XRRGetScreenInfo(d_, radice_)) {
            Rotation rotazione = 0;
            const SizeID indice = XRRConfigCurrentConfiguration(conf, &rotazione);
            int n = 0;
            XRRScreenSize* dimensioni = XRRConfigSizes(conf, &n);
            if (indice < n) {
                corrente = {dimensioni[indice].width, dimensioni[indice].height};
                if (Ruotato(rotazione)) std::swap(corrente.larghezza, corrente.altezza);
            }
            XRRFreeScreenConfigInfo(conf);
        }
        return corrente;
    }

private:
    // The resources as the server knows them now, without probing the monitors again (a probe
    // can take a noticeable time on real hardware); the probing request when that is empty.
    XRRScreenResources* Risorse()
    {
        XRRScreenResources* r = XRRGetScreenResourcesCurrent(d_, radice_);
        if (r && r->noutput > 0) return r;
        if (r) XRRFreeScreenResources(r);
        return XRRGetScreenResources(d_, radice_);
    }

    // The output marked primary; else the first connected one showing a picture; else the
    // first connected one.
    RROutput UscitaPrimaria(XRRScreenResources* risorse)
    {
        const RROutput primaria = XRRGetOutputPrimary(d_, radice_);
        for (int i = 0; i < risorse->noutput; ++i)
            if (risorse->outputs[i] == primaria && primaria) return primaria;
        RROutput connessa = 0;
        for (int i = 0; i < risorse->noutput; ++i) {
            XRROutputInfo* info = XRRGetOutputInfo(d_, risorse, risorse->outputs[i]);
            if (!info) continue;
            const bool collegata = info->connection == RR_Connected;
            const bool attiva = info->crtc != 0;
            XRRFreeOutputInfo(info);
            if (collegata && attiva) return risorse->outputs[i];
            if (collegata && !connessa) connessa = risorse->outputs[i];
        }
        return connessa;
    }

    Rotation RotazioneCorrente()
    {
        Rotation rotazione = RR_Rotate_0;
        XRRRotations(d_, DefaultScreen(d_), &rotazione);
        return rotazione;
    }

    // The screen configuration entry of `modo` (given as it appears on the display; the
    // entries are unturned sizes), or -1.
    static int IndiceDimensione(XRRScreenConfiguration* conf, ModoSchermo modo)
    {
        Rotation rotazione = 0;
        XRRConfigCurrentConfiguration(conf, &rotazione);
        if (Ruotato(rotazione)) std::swap(modo.larghezza, modo.altezza);
        int n = 0;
        XRRScreenSize* dimensioni = XRRConfigSizes(conf, &n);
        for (int i = 0; i < n; ++i)
            if (dimensioni[i].width == modo.larghezza && dimensioni[i].height == modo.altezza) return i;
        return -1;
    }

    // Whether the screen can take the size at all (the range is for the screen as drawn, the
    // orientation `modo` is given in).
    bool EntroLimiti(const ModoSchermo& modo)
    {
        int minL = 0, minA = 0, maxL = 0, maxA = 0;
        if (!XRRGetScreenSizeRange(d_, radice_, &minL, &minA, &maxL, &maxA)) return true;
        return modo.larghezza >= minL && modo.larghezza <= maxL && modo.altezza >= minA && modo.altezza <= maxA;
    }

    Display* d_;
    Window radice_;
};

}  // namespace

std::unique_ptr<ModiSchermo> CreaModiSchermoX11(const std::string& nomeDisplay)
{
    Display* d = XOpenDisplay(nomeDisplay.empty() ? nullptr : nomeDisplay.c_str());
    if (!d) return nullptr;
    int evento = 0, errore = 0, maggiore = 0, minore = 0;
    if (!XRRQueryExtension(d, &evento, &errore) || !XRRQueryVersion(d, &maggiore, &minore) ||
        maggiore < 1 || (maggiore == 1 && minore < 2)) {
        XCloseDisplay(d);
        return nullptr;
    }
    return std::make_unique<ModiSchermoX11>(d);
}

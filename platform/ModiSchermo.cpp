#include "platform/ModiSchermo.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtGlobal>
#include <QtGui/qguiapplication_platform.h>
#include <utility>

#include <X11/Xlib.h>  // only for DisplayString of Qt's own connection

namespace {

ModiSchermo* installati = nullptr;

// The display name Qt's xcb connection uses (it may come from -display rather than $DISPLAY).
std::string DisplayDiQt()
{
#if QT_CONFIG(xcb)
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        if (Display* d = x11->display()) return DisplayString(d);
#endif
    return {};
}

std::unique_ptr<ModiSchermo> CreaPerLaPiattaforma()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto x11 = CreaModiSchermoX11(DisplayDiQt())) return x11;
        qWarning("Display modes: XRandR 1.2 is not available; the resolution cannot be switched");
    }
    return std::make_unique<ModiSchermoFissi>();
}

}  // namespace

ModiSchermo::~ModiSchermo() = default;

ModiSchermo& ModiSchermoCorrenti()
{
    if (installati) return *installati;
    static std::unique_ptr<ModiSchermo> propri = CreaPerLaPiattaforma();
    return *propri;
}

ModiSchermo* ImpostaModiSchermo(ModiSchermo* modi) { return std::exchange(installati, modi); }

ModoSchermo ModiSchermoFissi::Corrente()
{
    const QScreen* schermo = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    if (!schermo) return {};
    // Device pixels, as a mode is measured.
    const QSize s = schermo->geometry().size() * schermo->devicePixelRatio();
    return {s.width(), s.height()};
}

EsitoCambio ModiSchermoFinti::Prova(const ModoSchermo& m)
{
    provati.push_back(m);
    const auto it = esiti.find({m.larghezza, m.altezza});
    return it == esiti.end() ? EsitoCambio::Riuscito : it->second;
}

EsitoCambio ModiSchermoFinti::Applica(const ModoSchermo& m)
{
    applicati.push_back(m);
    bool offerto = false;
    for (const ModoSchermo& o : modi) offerto = offerto || o == m;
    const auto it = esiti.find({m.larghezza, m.altezza});
    const EsitoCambio esito = !offerto ? EsitoCambio::NonSupportato : it == esiti.end() ? EsitoCambio::Riuscito : it->second;
    if (esito == EsitoCambio::Riuscito && !ignoraApplica) corrente = m;
    return esito;
}

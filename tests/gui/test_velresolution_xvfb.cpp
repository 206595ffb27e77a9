// The resolution switcher on a real X server: an Xvfb of its own, where a helper client adds a
// second, smaller mode (Xvfb offers only its screen size), and the switcher changes the real
// screen to that size and back. Skipped where Xvfb cannot be started.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>

#include "components/VelResolution.h"
#include "platform/Messaggi.h"
#include "platform/ModiSchermo.h"

// X headers last: their macros (None, Status, Bool) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

extern char** environ;

namespace {

// An Xvfb on a display number it picks itself (-displayfd: no race with other servers
// started at the same time), stopped at the end of the test.
class XvfbProprio {
public:
    XvfbProprio(int larghezza, int altezza)
    {
        int tubo[2];
        if (pipe(tubo) != 0) return;
        const std::string fd = std::to_string(tubo[1]);
        const std::string schermo = std::to_string(larghezza) + "x" + std::to_string(altezza) + "x24";
        posix_spawn_file_actions_t azioni;
        posix_spawn_file_actions_init(&azioni);
        posix_spawn_file_actions_addclose(&azioni, tubo[0]);
        posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", schermo.c_str(),
                              "-nolisten", "tcp", "-noreset", nullptr};
        const int esito = posix_spawnp(&pid_, "Xvfb", &azioni, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&azioni);
        close(tubo[1]);
        if (esito != 0) {
            pid_ = -1;
            close(tubo[0]);
            motivo_ = "Xvfb is not installed";
            return;
        }
        // Xvfb writes its display number and a newline once it accepts clients.
        std::string letto;
        const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (letto.find('\n') == std::string::npos && std::chrono::steady_clock::now() < limite) {
            pollfd p{tubo[0], POLLIN, 0};
            if (poll(&p, 1, 200) <= 0) continue;
            char buf[16];
            const ssize_t n = read(tubo[0], buf, sizeof buf);
            if (n <= 0) break;
            letto.append(buf, static_cast<size_t>(n));
        }
        close(tubo[0]);
        if (letto.find('\n') == std::string::npos) {
            motivo_ = "Xvfb did not start (no display number within 15 s)";
            return;
        }
        display_ = ":" + letto.substr(0, letto.find('\n'));
    }
    ~XvfbProprio()
    {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    XvfbProprio(const XvfbProprio&) = delete;
    XvfbProprio& operator=(const XvfbProprio&) = delete;

    const std::string& Nome() const { return display_; }  // empty when not started
    const std::string& Motivo() const { return motivo_; }

private:
    pid_t pid_ = -1;
    std::string display_, motivo_;
};

// The size of the X screen as the server reports it now, asked over `d`.
ModoSchermo DimensioneSchermo(::Display* d)
{
    ModoSchermo m;
    XRRScreenConfiguration* conf = XRRGetScreenInfo(d, DefaultRootWindow(d));
    if (!conf) return m;
    Rotation rotazione = 0;
    const SizeID i = XRRConfigCurrentConfiguration(conf, &rotazione);
    int n = 0;
    XRRScreenSize* dimensioni = XRRConfigSizes(conf, &n);
    if (i < n) m = {dimensioni[i].width, dimensioni[i].height};
    XRRFreeScreenConfigInfo(conf);
    return m;
}

// Adds a width x height mode to the screen's first output. The mode lives as long as the
// connection `d` stays open.
bool AggiungiModo(::Display* d, int larghezza, int altezza)
{
    const Window radice = DefaultRootWindow(d);
    XRRScreenResources* risorse = XRRGetScreenResources(d, radice);
    if (!risorse || risorse->noutput < 1) return false;
    std::string nome = std::to_string(larghezza) + "x" + std::to_string(altezza) + "_prova";
    XRRModeInfo info{};
    info.width = static_cast<unsigned>(larghezza);
    info.height = static_cast<unsigned>(altezza);
    info.hSyncStart = info.hSyncEnd = info.hTotal = static_cast<unsigned>(larghezza);
    info.vSyncStart = info.vSyncEnd = info.vTotal = static_cast<unsigned>(altezza);
    info.dotClock = static_cast<unsigned long>(larghezza) * static_cast<unsigned long>(altezza) * 60;
    info.name = nome.data();
    info.nameLength = static_cast<unsigned>(nome.size());
    const RRMode modo = XRRCreateMode(d, radice, &info);
    XRRAddOutputMode(d, risorse->outputs[0], modo);
    XRRFreeScreenResources(risorse);
    XSync(d, False);
    return modo != 0;
}

std::string Testo(ModoSchermo m) { return std::to_string(m.larghezza) + "x" + std::to_string(m.altezza); }

TEST(RisoluzioneSuXvfb, SwitchesTheRealScreenToAnAddedModeAndBack)
{
    XvfbProprio xvfb(800, 600);
    if (xvfb.Nome().empty()) GTEST_SKIP() << "no X server for this test: " << xvfb.Motivo();

    // The helper connection stays open for the whole test: its mode goes with it.
    std::unique_ptr<::Display, int (*)(::Display*)> aiuto(XOpenDisplay(xvfb.Nome().c_str()), XCloseDisplay);
    ASSERT_TRUE(aiuto) << "cannot connect to the Xvfb on " << xvfb.Nome();
    ASSERT_TRUE(AggiungiModo(aiuto.get(), 640, 480));

    std::unique_ptr<ModiSchermo> x11 = CreaModiSchermoX11(xvfb.Nome());
    ASSERT_TRUE(x11) << "Xvfb on " << xvfb.Nome() << " has no RandR 1.2";
    std::string offerti;
    for (const ModoSchermo& m : x11->Modi()) offerti += Testo(m) + " ";
    EXPECT_NE(offerti.find("800x600 "), std::string::npos) << offerti;
    EXPECT_NE(offerti.find("640x480 "), std::string::npos) << offerti;
    EXPECT_EQ(Testo(x11->Corrente()), "800x600");

    MessaggiRegistrati messaggi;
    MessaggiTemporanei messaggiInstallati(messaggi);
    ModiSchermoTemporanei modiInstallati(*x11);
    {
        auto r = std::make_unique<VelResolution>();
        r->setResolution(TResolution::_640x480);
        r->Paint();
        EXPECT_EQ(Testo(DimensioneSchermo(aiuto.get())), "640x480") << "the X screen switched";
        EXPECT_EQ(Testo(x11->Corrente()), "640x480");
        EXPECT_TRUE(messaggi.Mostrati().isEmpty()) << messaggi.Mostrati().join(" | ").toStdString();
        r.reset();
        EXPECT_EQ(Testo(DimensioneSchermo(aiuto.get())), "800x600") << "destruction switched back";
    }
    {
        // A size this server does not offer: one message, the screen stays.
        VelResolution r;
        r.setResolution(TResolution::_1024x768);
        r.Paint();
        EXPECT_EQ(messaggi.Mostrati(), QStringList{QStringLiteral("Mode not supported from hardware")});
        EXPECT_EQ(Testo(DimensioneSchermo(aiuto.get())), "800x600");
    }
}

}  // namespace

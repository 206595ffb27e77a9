#include "app/Misure.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <sys/resource.h>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "app/Finestre.h"
#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "games/briscola/TFormBriscola.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormAlternative.h"
#include "games/scopa/TFormScopa.h"
#include "games/settemezzo/TFormSettemezzo.h"
#include "scores/TFormPunteggi.h"

namespace {

long CampoStatus(const char* campo)
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return 0;
    const QByteArray chiave = QByteArray(campo) + ':';
    for (const QByteArray& riga : f.readAll().split('\n'))
        if (riga.startsWith(chiave)) return riga.mid(chiave.size()).trimmed().split(' ').value(0).toLong();
    return 0;
}

long long OraMicrosecondi()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

// Processor time used so far by every thread of the process, in microseconds.
long long ProcessoreMicrosecondi()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1000000LL + r.ru_utime.tv_usec + r.ru_stime.tv_usec;
}

void Stampa(const char* chiave, long long valore)
{
    std::printf("%s=%lld\n", chiave, valore);
    std::fflush(stdout);
}

// Calls `poi` once, right after the first paint of `w` has been flushed: a zero timer
// started from the paint runs when the event loop is back, after the whole window (children
// included) has been drawn and put on the screen.
class DopoPrimoDisegno : public QObject {
public:
    DopoPrimoDisegno(QWidget* w, std::function<void()> poi) : QObject(w), poi_(std::move(poi)) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && poi_) {
            o->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                auto poi = std::move(poi_);
                poi_ = nullptr;
                poi();
            });
        }
        return false;
    }

private:
    std::function<void()> poi_;
};

// Shows each window in turn until it has painted, then goes back to the chooser.
void ApriOgniFinestra(std::function<void()> fine)
{
    struct Passo { std::function<void()> apri; QWidget* w; };
    auto passi = std::make_shared<std::vector<Passo>>();
    auto apri = [passi](int codice, QWidget* w) { passi->push_back({[codice] { ApriFinestra(codice); }, w}); };
    apri(FinestraScopa, FormScopa);
    apri(FinestraConfig, FormConfig);
    apri(FinestraPunteggi, FormPunteggi);
    apri(FinestraBriscola, FormBriscola);
    apri(FinestraRubamazzo, FormRubamazzo);
    apri(FinestraSettemezzo, FormSettemezzo);
    // The capture-choice dialog is modal in play; shown plainly here it draws the same way.
    passi->push_back({[] { FormAlternative->show(); }, FormAlternative});

    auto prossimo = std::make_shared<std::function<void(std::size_t)>>();
    *prossimo = [passi, prossimo, fine](std::size_t i) {
        if (i == passi->size()) {
            FormAlternative->hide();
            while (FormSplashScreen->Pila().Profondita() > 0) TornaIndietro();
            QTimer::singleShot(50, qApp, fine);
            return;
        }
        QWidget* w = (*passi)[i].w;
        new DopoPrimoDisegno(w, [prossimo, i, w] {
            QTimer::singleShot(20, qApp, [prossimo, i, w] {
                const QByteArray chiave = "rss_after_" + QByteArray(w->metaObject()->className()) + "_kib";
                Stampa(chiave.constData(), MemoriaResidenteKiB());
                (*prossimo)(i + 1);
            });
        });
        (*passi)[i].apri();
    };
    (*prossimo)(0);
}

}  // namespace

long MemoriaResidenteKiB() { return CampoStatus("VmRSS"); }
long MemoriaPiccoKiB() { return CampoStatus("VmHWM"); }

bool AvviaMisura(const QStringList& argomenti)
{
    if (argomenti.contains("--measure-startup")) {
        new DopoPrimoDisegno(FormSplashScreen, [] {
            Stampa("painted_us", OraMicrosecondi());
            Stampa("cpu_us", ProcessoreMicrosecondi());
            FormSplashScreen->close();
        });
        return true;
    }
    if (argomenti.contains("--measure-memory")) {
        new DopoPrimoDisegno(FormSplashScreen, [] {
            Stampa("rss_chooser_kib", MemoriaResidenteKiB());
            ApriOgniFinestra([] {
                Stampa("rss_all_windows_kib", MemoriaResidenteKiB());
                Stampa("hwm_kib", MemoriaPiccoKiB());
                FormSplashScreen->close();
            });
        });
        return true;
    }
    return false;
}

// The floor for start-up and memory: a trivial Qt window of the chooser's size, borderless
// and centred, measured the same way as the program (see bench/misura_avvio.sh).
//   finestra_minima --measure-startup   prints painted_us=<wall-clock microseconds> and
//                                       cpu_us=<processor time so far>, then quits
//   finestra_minima --measure-memory    prints rss_chooser_kib=<VmRSS> and quits
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

long VmRSS()
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return 0;
    for (const QByteArray& riga : f.readAll().split('\n'))
        if (riga.startsWith("VmRSS:")) return riga.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

class Finestra : public QWidget {
public:
    explicit Finestra(bool memoria) : memoria_(memoria)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setFixedSize(800, 599);
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            const QRect r = s->availableGeometry();
            move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
        }
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), QColor(40, 70, 50));
        if (dipinta_) return;
        dipinta_ = true;
        // As for the program: report once the paint has been flushed and the loop is back.
        QTimer::singleShot(0, this, [this] {
            if (memoria_) {
                std::printf("rss_chooser_kib=%ld\n", VmRSS());
            } else {
                using namespace std::chrono;
                std::printf("painted_us=%lld\n",
                            static_cast<long long>(duration_cast<microseconds>(system_clock::now().time_since_epoch()).count()));
                rusage r{};
                getrusage(RUSAGE_SELF, &r);
                std::printf("cpu_us=%lld\n", (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1000000LL + r.ru_utime.tv_usec +
                                                  r.ru_stime.tv_usec);
            }
            std::fflush(stdout);
            close();
        });
    }

private:
    bool memoria_;
    bool dipinta_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Finestra w(QCoreApplication::arguments().contains("--measure-memory"));
    w.show();
    return app.exec();
}

#pragma once
// Shared by the network tests: runs the event loop until a condition holds.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

// Runs the event loop until `fatto` holds; the cap only stops a broken test from hanging.
inline bool Aspetta(const std::function<bool()>& fatto, int massimoMs = 30000)
{
    QElapsedTimer t;
    t.start();
    while (!fatto()) {
        if (t.elapsed() > massimoMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

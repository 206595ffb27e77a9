#pragma once
// The signals that end a desktop program from outside (SIGTERM at shut-down, SIGHUP when its
// terminal goes, SIGINT from Ctrl+C) and the session manager's quit request: each is turned
// into one call of `chiudi` on the event loop, so the program ends through its own close path
// (settings saved, files closed) instead of dying where it stands.
#include <functional>

// Installs the handlers once; later calls only replace `chiudi`. The signal handler itself
// only writes a byte to a pipe; `chiudi` runs from the event loop.
void InstallaSegnaliUscita(std::function<void()> chiudi);
// Signals received since start (tests).
int SegnaliUscitaRicevuti();

#pragma once
// Measurement hooks for the scripts in bench/ (never used in play).
//   --measure-startup  prints "painted_us=<wall-clock microseconds>" and "cpu_us=<processor
//                      time so far>" once the chooser has been painted and flushed for the
//                      first time, then quits;
//   --measure-memory   prints the resident memory once the chooser is painted, then opens
//                      every window once (each shown until painted), prints it again and quits.
// Both leave the program's behaviour untouched when the flags are absent.
#include <QStringList>

// Installs the hook the arguments ask for; false when they ask for none.
bool AvviaMisura(const QStringList& argomenti);

// Resident and peak resident memory of this process in KiB (VmRSS, VmHWM); 0 where unknown.
long MemoriaResidenteKiB();
long MemoriaPiccoKiB();

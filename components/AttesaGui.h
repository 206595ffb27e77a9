#pragma once
// The pause service's sleeper for the windows. While a card flies or a table waits, the
// screen keeps being painted (paint and expose are handled), but nothing can re-enter the
// game: clicks and keys that arrive are dropped, never handled afterwards against a table
// that has changed, and no timer fires until the pause is over (ticks that fell due run
// afterwards, from the event loop).
// Waits `ms` milliseconds as described above.
void AttesaGui(unsigned ms);
// Makes AttesaGui the pause service's sleeper.
void InstallaAttesaGui();
// True while an AttesaGui is running.
bool InAttesaGui();

#pragma once
// The folders and files of the advertisement. On Windows the page and its movie live at the
// root of drive C:; elsewhere in the program's per-user data folder. CARTOVIA_AD_DIR names
// another folder (tests never touch the user's). File names here are matched without regard
// to case, as on the program's home platform: "Pubblicita.swf" and "pubblicita.swf" are one file.
#include <QString>

// The folder that stands for "c:\" (created when missing; empty when it cannot be made).
QString CartellaRadice();

// `nome` inside `cartella`: the existing entry whose name equals `nome` ignoring case (the
// exact spelling first), else the path with `nome` as given.
QString FileSenzaMaiuscole(const QString& cartella, const QString& nome);

// Copies the whole of `da` over `a` through the safe replace (platform/FileSicuro): `a` is
// either the old file or the full copy, and a link or folder under its name is left alone.
// False (logged) on failure.
bool CopiaFileIntero(const QString& da, const QString& a);

// Writes `dati` as the whole of `percorso` the same way.
bool ScriviFileIntero(const QString& percorso, const QByteArray& dati);

// The download settings file, named after the program: "cartovia.ini" in the user's
// configuration folder, or beside the file CARTOVIA_SETTINGS names when that is set.
QString PercorsoIniAggiornamento();

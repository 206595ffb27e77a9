#pragma once
#include <QImage>
#include <QString>

namespace Artgen {

QImage AnteprimaMazzi(const QImage& fronti, const QImage& bordi);
QImage AnteprimaRetroEBordi(const QImage& retro, const QImage& bordi);
// Writes "mazzi.png" and "retro-e-bordi.png" into `cartella`.
bool ScriviAnteprime(const QString& cartella, const QImage& fronti, const QImage& bordi, const QImage& retro);

}  // namespace Artgen

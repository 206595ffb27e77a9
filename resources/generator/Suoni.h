#pragma once
// The program's sounds, synthesised and written as RIFF WAVE files with libsndfile.
#include <QString>
#include <vector>

namespace Artgen {

enum class Codifica { Pcm8, Pcm16, ImaAdpcm };

struct Suono {
  QString nome;            // file name without ".wav"
  int frequenza;           // samples per second
  int canali;              // 1 or 2
  Codifica codifica;
  std::vector<float> campioni;  // interleaved, peak below full scale
};

// All six sounds, already synthesised.
std::vector<Suono> Suoni();
bool ScriviSuono(const QString& percorso, const Suono& s);

}  // namespace Artgen

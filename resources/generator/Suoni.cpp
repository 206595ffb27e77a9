// Sound synthesis: bell partials for the greeting, filtered noise bursts for the cards,
// brassy saw tones for the fanfares. Every sound ends on silence and peaks at 0.8 of full scale.
#include "Suoni.h"

#include <sndfile.h>

#include <QByteArray>
#include <algorithm>
#include <cmath>

#include "Pittura.h"

namespace Artgen {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Picco = 0.8;

double Nota(int semitoniDaLa4) { return 440.0 * std::pow(2.0, semitoniDaLa4 / 12.0); }

// Attack-then-exponential-decay envelope; `t` in seconds from the note's start.
double Inviluppo(double t, double attacco, double decadimento) {
  if (t < 0) return 0;
  if (t < attacco) return t / attacco;
  return std::exp(-(t - attacco) / decadimento);
}

// Scales to the target peak and fades the last milliseconds so nothing clicks at the end.
void Normalizza(std::vector<float>& x, int canali, int frequenza) {
  float massimo = 0;
  for (float v : x) massimo = std::max(massimo, std::abs(v));
  if (massimo > 0)
    for (float& v : x) v = static_cast<float>(v * Picco / massimo);
  const size_t coda = static_cast<size_t>(frequenza * 0.01) * canali;
  for (size_t i = 0; i < coda && i < x.size(); ++i) x[x.size() - 1 - i] *= static_cast<float>(i) / coda;
}

// A bell: a few inharmonic partials, the higher ones dying sooner.
void Campana(std::vector<double>& out, int fs, double inizio, double f, double ampiezza, double durata) {
  const double parziali[][3] = {{1.0, 1.0, 1.0}, {2.0, 0.45, 0.6}, {2.76, 0.3, 0.35}, {5.4, 0.12, 0.18}};
  const size_t da = static_cast<size_t>(inizio * fs);
  const size_t n = static_cast<size_t>(durata * fs);
  for (size_t i = 0; i < n && da + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    double v = 0;
    for (const auto& pz : parziali) v += pz[1] * std::sin(2 * Pi * f * pz[0] * t) * Inviluppo(t, 0.004, durata * pz[2] * 0.35);
    out[da + i] += ampiezza * v;
  }
}

// A soft brass-like tone: a band-limited sawtooth through a gentle envelope.
void Ottone(std::vector<double>& out, int fs, double inizio, double f, double ampiezza, double durata, double vibrato = 0) {
  const size_t da = static_cast<size_t>(inizio * fs);
  const size_t n = static_cast<size_t>(durata * fs);
  const int armoniche = std::max(1, static_cast<int>(fs / 2.5 / f));
  double fase = 0;
  for (size_t i = 0; i < n && da + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    const double ff = f * (1 + vibrato * std::sin(2 * Pi * 5.5 * t));
    fase += 2 * Pi * ff / fs;
    double v = 0;
    for (int k = 1; k <= std::min(armoniche, 8); ++k) v += std::sin(k * fase) / k * (k > 4 ? 0.5 : 1.0);
    const double env = std::min(1.0, t / 0.02) * std::min(1.0, (durata - t) / 0.08) * (0.75 + 0.25 * std::exp(-t / 0.1));
    out[da + i] += ampiezza * v * std::max(0.0, env);
  }
}

// A soft sine-like tone with a slow decay (triangle-ish through two partials).
void Flauto(std::vector<double>& out, int fs, double inizio, double f, double ampiezza, double durata) {
  const size_t da = static_cast<size_t>(inizio * fs);
  const size_t n = static_cast<size_t>(durata * fs);
  for (size_t i = 0; i < n && da + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    const double env = std::min(1.0, t / 0.03) * std::min(1.0, (durata - t) / 0.12) * std::exp(-t / (durata * 1.2));
    const double v = std::sin(2 * Pi * f * t) + 0.18 * std::sin(2 * Pi * 2 * f * t) + 0.06 * std::sin(2 * Pi * 3 * f * t);
    out[da + i] += ampiezza * v * std::max(0.0, env);
  }
}

// A card flap: a few milliseconds of noise, band-limited by two one-pole filters.
void Schiocco(std::vector<double>& out, int fs, double inizio, double ampiezza, double durata, double chiarezza, Dado& d) {
  const size_t da = static_cast<size_t>(inizio * fs);
  const size_t n = static_cast<size_t>(durata * fs);
  double basso = 0, alto = 0;
  const double a = std::exp(-2 * Pi * (1200 + 3800 * chiarezza) / fs);  // low-pass
  const double b = std::exp(-2 * Pi * 350.0 / fs);                       // high-pass corner
  for (size_t i = 0; i < n && da + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    const double rumore = d.Reale() * 2 - 1;
    basso = a * basso + (1 - a) * rumore;
    alto = b * alto + (1 - b) * basso;
    const double env = Inviluppo(t, 0.001, durata / 4.0);
    out[da + i] += ampiezza * (basso - alto) * env;
  }
}

std::vector<float> Mono(const std::vector<double>& x) { return std::vector<float>(x.begin(), x.end()); }

// Simple feedback echo that gives the bells a little room.
void Eco(std::vector<double>& x, int fs, double ritardo, double ritorno) {
  const size_t r = static_cast<size_t>(ritardo * fs);
  for (size_t i = r; i < x.size(); ++i) x[i] += ritorno * x[i - r];
}

Suono Benvenuto() {
  const int fs = 22050;
  std::vector<double> x(static_cast<size_t>(1.6 * fs), 0.0);
  // C major arpeggio rising to the octave, then the chord together.
  const int note[] = {3, 7, 10, 15};
  for (int i = 0; i < 4; ++i) Campana(x, fs, i * 0.12, Nota(note[i] + 12), 0.5, 1.1);
  for (int n : {3, 7, 10}) Campana(x, fs, 0.55, Nota(n + 12), 0.25, 1.0);
  Eco(x, fs, 0.09, 0.22);
  Suono s{"wellcome", fs, 1, Codifica::ImaAdpcm, Mono(x)};
  Normalizza(s.campioni, 1, fs);
  return s;
}

Suono Mescolata() {
  const int fs = 11025;
  std::vector<double> x(static_cast<size_t>(0.82 * fs), 0.0);
  Dado d(2024);
  // The riffle: flaps speeding up then slowing, each a little different.
  double t = 0.02;
  while (t < 0.62) {
    const double fase = t / 0.62;
    const double intervallo = 0.02 - 0.008 * std::sin(fase * Pi);
    Schiocco(x, fs, t, 0.5 + 0.4 * d.Reale(), 0.007 + 0.004 * d.Reale(), 0.3 + 0.5 * d.Reale(), d);
    t += intervallo * (0.85 + 0.3 * d.Reale());
  }
  // The bridge: the halves settle with a soft longer brush.
  Schiocco(x, fs, 0.64, 1.0, 0.14, 0.15, d);
  Schiocco(x, fs, 0.7, 0.6, 0.09, 0.1, d);
  Suono s{"mescola", fs, 1, Codifica::Pcm8, Mono(x)};
  Normalizza(s.campioni, 1, fs);
  return s;
}

Suono CartaGiocata() {
  const int fs = 22050;
  std::vector<double> x(static_cast<size_t>(0.15 * fs), 0.0);
  Dado d(77);
  Schiocco(x, fs, 0.004, 1.0, 0.05, 0.55, d);
  // A low thump as the card lands on the felt.
  for (size_t i = 0; i < x.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    x[i] += 0.5 * std::sin(2 * Pi * 140 * t) * Inviluppo(t - 0.004, 0.002, 0.025);
  }
  Suono s{"giocacarta", fs, 1, Codifica::Pcm8, Mono(x)};
  Normalizza(s.campioni, 1, fs);
  return s;
}

Suono Scopa() {
  const int fs = 22050;
  std::vector<double> x(static_cast<size_t>(1.0 * fs), 0.0);
  // A rising sweep...
  double fase = 0;
  for (size_t i = 0; i < static_cast<size_t>(0.28 * fs); ++i) {
    const double t = static_cast<double>(i) / fs;
    const double f = 300 * std::pow(6.0, t / 0.28);
    fase += 2 * Pi * f / fs;
    x[i] += 0.35 * (std::sin(fase) + 0.3 * std::sin(2 * fase)) * std::min(1.0, t / 0.02) * (1 - t / 0.28);
  }
  // ...into a bright triad stab and a held chord.
  for (int n : {3, 7, 10}) Ottone(x, fs, 0.26, Nota(n), 0.22, 0.16);
  for (int n : {3, 7, 10, 15}) Ottone(x, fs, 0.44, Nota(n), 0.2, 0.5, 0.004);
  Suono s{"scopa", fs, 1, Codifica::Pcm16, Mono(x)};
  Normalizza(s.campioni, 1, fs);
  return s;
}

Suono Vittoria() {
  const int fs = 22050;
  const size_t n = static_cast<size_t>(1.5 * fs);
  std::vector<double> sinistra(n, 0.0), destra(n, 0.0);
  // Arpeggio up two octaves, notes panned alternately, then the major chord on both sides.
  const int note[] = {3, 7, 10, 15, 19, 22, 27};
  for (int i = 0; i < 7; ++i) {
    std::vector<double>& lato = (i % 2 == 0) ? sinistra : destra;
    std::vector<double>& altro = (i % 2 == 0) ? destra : sinistra;
    Campana(lato, fs, i * 0.08, Nota(note[i]), 0.45, 0.6);
    Campana(altro, fs, i * 0.08, Nota(note[i]), 0.18, 0.6);
  }
  for (int nn : {3, 7, 10, 15}) {
    Ottone(sinistra, fs, 0.62, Nota(nn), 0.13, 0.8, 0.003);
    Ottone(destra, fs, 0.62, Nota(nn), 0.13, 0.8, 0.003);
  }
  Suono s{"vittoria", fs, 2, Codifica::Pcm8, {}};
  s.campioni.resize(2 * n);
  for (size_t i = 0; i < n; ++i) {
    s.campioni[2 * i] = static_cast<float>(sinistra[i]);
    s.campioni[2 * i + 1] = static_cast<float>(destra[i]);
  }
  Normalizza(s.campioni, 2, fs);
  return s;
}

Suono Perdita() {
  const int fs = 11025;
  std::vector<double> x(static_cast<size_t>(1.5 * fs), 0.0);
  // G, F, E flat, then a low D held: a gentle minor descent.
  Flauto(x, fs, 0.0, Nota(-2), 0.6, 0.34);
  Flauto(x, fs, 0.3, Nota(-4), 0.6, 0.34);
  Flauto(x, fs, 0.6, Nota(-6), 0.6, 0.34);
  Flauto(x, fs, 0.9, Nota(-7), 0.6, 0.58);
  Suono s{"perdita", fs, 1, Codifica::Pcm8, Mono(x)};
  Normalizza(s.campioni, 1, fs);
  return s;
}

}  // namespace

std::vector<Suono> Suoni() { return {Benvenuto(), Mescolata(), CartaGiocata(), Scopa(), Vittoria(), Perdita()}; }

bool ScriviSuono(const QString& percorso, const Suono& s) {
  SF_INFO info{};
  info.samplerate = s.frequenza;
  info.channels = s.canali;
  info.format = SF_FORMAT_WAV | (s.codifica == Codifica::Pcm8    ? SF_FORMAT_PCM_U8
                                 : s.codifica == Codifica::Pcm16 ? SF_FORMAT_PCM_16
                                                                 : SF_FORMAT_IMA_ADPCM);
  const QByteArray nome = percorso.toLocal8Bit();
  SNDFILE* f = sf_open(nome.constData(), SFM_WRITE, &info);
  if (f == nullptr) return false;
  // No "PEAK" or text chunks: the file holds only the format and data chunks.
  sf_command(f, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
  const sf_count_t fotogrammi = static_cast<sf_count_t>(s.campioni.size() / s.canali);
  const sf_count_t scritti = sf_writef_float(f, s.campioni.data(), fotogrammi);
  const bool chiuso = sf_close(f) == 0;
  return scritti == fotogrammi && chiuso;
}

}  // namespace Artgen

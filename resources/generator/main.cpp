// cartovia-artgen: draws every picture and synthesises every sound of the program.
//   cartovia-artgen OUTDIR            writes OUTDIR/img/*.bmp, their 2x forms OUTDIR/img/2x/*.bmp
//                                     and OUTDIR/snd/*.wav
//   cartovia-artgen --anteprima DIR   writes the preview sheets DIR/mazzi.png, DIR/retro-e-bordi.png
//   cartovia-artgen --filmato FILE    writes the advertisement movie (a small SWF) to FILE
//   cartovia-artgen --icone DIR       writes the application icon DIR/icona-SIZE.png and DIR/icona.svg
//   cartovia-artgen --faccia STILE SEME NUMERO FILE.png   one face, enlarged, for close inspection
// Output depends only on the code: no clock, fixed seeds.
#include <QDir>
#include <QGuiApplication>
#include <cstdlib>
#include <unistd.h>
#include <cstdio>

#include "Anteprima.h"
#include "Bottoni.h"
#include "Carte.h"
#include "Pittura.h"
#include "Pubblicita.h"
#include "Cifre.h"
#include "Icona.h"
#include "RetroBordi.h"
#include "ScritturaBmp.h"
#include "Sfondi.h"
#include "Suoni.h"

using namespace Artgen;

namespace {

int errori = 0;

void Salva(const QString& percorso, const QByteArray& dati) {
  if (!ScriviFile(percorso, dati)) {
    std::fprintf(stderr, "cartovia-artgen: cannot write %s\n", qPrintable(percorso));
    ++errori;
  }
}

void Salva24(const QString& cartella, const QString& nome, const QImage& img) {
  Salva(cartella + "/" + nome + ".bmp", Bmp24(img));
}

QImage DaIndicizzata(const ImmagineIndicizzata& ind) {
  QImage img(ind.larghezza, ind.altezza, QImage::Format_RGB32);
  for (int y = 0; y < ind.altezza; ++y) {
    auto* riga = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < ind.larghezza; ++x) riga[x] = ind.tavolozza[ind.indici[size_t(y) * ind.larghezza + x]];
  }
  return img;
}

// The face sheet is stored with a 256-colour palette.
ImmagineIndicizzata FrontiIndicizzati() { return Quantizza(FogliFronti(), 256); }

int Anteprime(const QString& cartella) {
  const QImage fronti = DaIndicizzata(FrontiIndicizzati());
  if (!ScriviAnteprime(cartella, fronti, FoglioBordi(), FoglioRetro())) {
    std::fprintf(stderr, "cartovia-artgen: cannot write the previews in %s\n", qPrintable(cartella));
    return 1;
  }
  return 0;
}

// Every picture of the program into the folder `img`, at the current density. The 4-bit
// button background (drawn into by the program at 1x) and the icon have no 2x form.
void Immagini(const QString& img, bool tutte) {
  QDir().mkpath(img);
  Salva(img + "/fronti.bmp", BmpIndicizzato(FrontiIndicizzati(), 8));
  Salva24(img, "bordi", FoglioBordi());
  Salva24(img, "retro", FoglioRetro());

  Salva24(img, "cifre_punteggi", CifrePunteggi());
  Salva24(img, "cifre_punteggi_sel", CifrePunteggiSelezionate());
  Salva24(img, "cifre_piccole", CifrePiccole());

  if (tutte) Salva(img + "/sfondo_bottone.bmp", BmpIndicizzato(SfondoBottone(), 4));
  for (const auto& b : BottoniTavolo()) {
    Salva24(img, "btn_" + b.nome + "_normale", BottoneTavolo(b, StatoBottone::Normale));
    Salva24(img, "btn_" + b.nome + "_attivo", BottoneTavolo(b, StatoBottone::Attivo));
    Salva24(img, "btn_" + b.nome + "_disabilitato", BottoneTavolo(b, StatoBottone::Disabilitato));
  }
  Salva24(img, "chiudipubblicita_normale", StrisciaPubblicita(false));
  Salva24(img, "chiudipubblicita_attivo", StrisciaPubblicita(true));
  Salva24(img, "pubblicita_locandina", LocandinaPubblicita());
  Salva24(img, "luce_rossa", Luce(false));
  Salva24(img, "luce_verde", Luce(true));
  Salva24(img, "turno_computer", TurnoComputer());
  Salva24(img, "turno_giocatore", TurnoGiocatore());

  const QImage splash = SfondoSplash();
  Salva24(img, "splash_sfondo", splash);
  for (const auto& b : BottoniSplash()) {
    Salva24(img, "splash_" + b.nome + "_normale", BottoneSplash(splash, b, false));
    Salva24(img, "splash_" + b.nome + "_attivo", BottoneSplash(splash, b, true));
  }
  Salva24(img, "sfondo_config", SfondoConfigurazione());
  Salva24(img, "sfondo_punteggi", SfondoPunteggi());
  Salva24(img, "sfondo_rete", SfondoRete());
  Salva24(img, "sfondo_tavolo", SfondoTavolo());

  // The windows' own icon (taskbars, window switchers), the same drawing as the menu's.
  if (tutte && !IconaPng(128).save(img + "/icona.png")) {
    std::fprintf(stderr, "cartovia-artgen: cannot write icona.png\n");
    ++errori;
  }
}

int Genera(const QString& base) {
  const QString img = base + "/img", snd = base + "/snd";
  QDir().mkpath(snd);
  Immagini(img, true);
  {
    // The same pictures with twice the pixels each way, for screens drawn above 100 %.
    const DensitaTemporanea doppia(2);
    Immagini(img + "/2x", false);
  }

  for (const auto& s : Suoni())
    if (!ScriviSuono(snd + "/" + s.nome + ".wav", s)) {
      std::fprintf(stderr, "cartovia-artgen: cannot write %s.wav\n", qPrintable(s.nome));
      ++errori;
    }
  return errori == 0 ? 0 : 1;
}

// The icon sizes desktops look for, and the scalable one.
int Icone(const QString& cartella) {
  QDir().mkpath(cartella);
  for (int lato : {48, 64, 128, 256})
    if (!IconaPng(lato).save(cartella + QString("/icona-%1.png").arg(lato))) {
      std::fprintf(stderr, "cartovia-artgen: cannot write the %d px icon\n", lato);
      ++errori;
    }
  Salva(cartella + "/icona.svg", IconaSvg());
  return errori == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // The build runs the generator headless, outside any desktop session: give Qt a private
  // runtime folder of its own for the run rather than let it warn about the missing one.
  char cartellaRuntime[] = "/tmp/cartovia-artgen-XXXXXX";
  const bool runtimePropria = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && mkdtemp(cartellaRuntime);
  if (runtimePropria) qputenv("XDG_RUNTIME_DIR", cartellaRuntime);
  struct Pulizia {
    const char* cartella;
    ~Pulizia() { if (cartella) rmdir(cartella); }
  } pulizia{runtimePropria ? cartellaRuntime : nullptr};
  QGuiApplication app(argc, argv);  // fonts need the application object
  const QStringList arg = app.arguments();
  if (arg.size() == 3 && arg[1] == "--anteprima") return Anteprime(arg[2]);
  if (arg.size() == 2 && !arg[1].startsWith("--")) return Genera(arg[1]);
  if (arg.size() == 3 && arg[1] == "--filmato") {
    Salva(arg[2], FilmatoSwf());
    return errori == 0 ? 0 : 1;
  }
  if (arg.size() == 3 && arg[1] == "--icone") return Icone(arg[2]);
  if (arg.size() == 6 && arg[1] == "--faccia") {
    // One face enlarged four times, to look at the drawing closely.
    const QImage f = Faccia(arg[2].toInt(), arg[3].toInt(), arg[4].toInt());
    return f.scaled(f.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(arg[5]) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: cartovia-artgen OUTDIR | --anteprima DIR | --filmato FILE | --icone DIR\n");
  return 2;
}

#pragma once
// The program's embedded pictures (":/img/..."), decoded once and shared by every window that
// shows them: the four tables draw one background, the same button pictures and one set of
// card sheets. Pictures come back as 32-bit RGB, the form a window surface paints without
// conversion; QImage's implicit sharing makes every copy handed out point at the same pixels
// until someone draws into it (which then detaches a private copy, as a bitmap copy would).
// Decoding happens at the first request, so a window that asks only when it is first shown
// or drawn costs nothing at start-up.
#include <QImage>
#include <QSize>
#include <QString>

namespace Immagini {

// The picture `nome`, decoded at the first request. A picture that cannot be read gives a
// null image (logged once) and is not tried again.
QImage Condivisa(const QString& nome);
// The picture scaled smoothly to `dimensione` (ignoring the aspect ratio), made once.
QImage Scalata(const QString& nome, QSize dimensione);
// A sheet that components read pixel by pixel and never paint whole (the card faces): an 8-bit
// picture stays 8-bit with its palette, a quarter of the memory of 32-bit pixels.
QImage Foglio(const QString& nome);
// The twice-as-large form of the picture (":/img/2x/<name>"), decoded at the first request and
// marked with a device pixel ratio of 2, so it paints at the size of the 1x picture with every
// pixel of a 2x surface its own. `foglio` keeps an 8-bit sheet 8-bit, as Foglio() does. A null
// image when there is no such form.
QImage Doppia(const QString& nome, bool foglio = false);
// Whether the picture exists, without decoding it.
bool Disponibile(const QString& nome);
// How many pictures have been decoded so far (tests check that nothing is decoded twice).
int Decodificate();
// Whether the picture is in the cache in any form (tests).
bool Decodificata(const QString& nome);
// Forgets the pictures that no component holds any more (they are decoded again when asked for).
void Libera();
// Forgets every picture (windows keep the copies they hold).
void Dimentica();

// Decodes the BMP forms the art generator writes (uncompressed, 4, 8, 24 or 32 bits per
// pixel, rows bottom-up or top-down) straight into 32-bit RGB (an 8-bit one into 8-bit
// pixels with its palette when `tieniTavolozza` is set); for anything else, or a
// damaged file, it falls back to Qt's reader, which gives a null image for what it cannot
// read either.
QImage DecodificaBmp(const QByteArray& dati, bool tieniTavolozza = false);

// A picture held by a component either as pixels or as the name of an embedded picture (and
// the size to scale it to) still to be decoded: the name is resolved through the shared cache
// the first time the picture is asked for, so a control of a hidden window costs nothing
// until it is drawn.
class Differita {
public:
    Differita() = default;
    Differita(const QImage& img) : img_(img) {}  // NOLINT: a picture converts implicitly
    static Differita DaRisorsa(const QString& nome, QSize dimensione = QSize());
    static Differita FoglioDaRisorsa(const QString& nome);  // through Foglio()

    const QImage& Immagine() const;
    bool InAttesa() const { return !nome_.isEmpty(); }
    // The 2x form of the embedded picture this came from (see Doppia); null for pixels given
    // directly.
    QImage Doppia() const { return origine_.isEmpty() ? QImage() : Immagini::Doppia(origine_, foglio_); }

private:
    mutable QImage img_;
    mutable QString nome_;
    QString origine_;
    QSize dimensione_;
    bool foglio_ = false;
};

}  // namespace Immagini

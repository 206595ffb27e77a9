#include "components/VelCarte.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "components/Immagini.h"
#include "components/Scala.h"
#include "core/Pausa.h"

namespace {

constexpr QRgb Opaco = 0xFF000000u;

bool Presente(const QImage& img) { return !img.isNull() && img.width() > 0 && img.height() > 0; }

// Sheets and pictures are kept as 32-bit pixels so every pixel read and write is direct. A
// picture already in that form is shared, not copied: writing into either side detaches it.
QImage In32Bit(const QImage& img)
{
    if (img.isNull()) return QImage();
    if (img.format() == QImage::Format_RGB32) return img;
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage Nuova(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

bool Dentro(const QImage& img, int x, int y)
{
    return x >= 0 && y >= 0 && x < img.width() && y < img.height();
}

QRgb Leggi(const QImage& img, int x, int y)
{
    return reinterpret_cast<const QRgb*>(img.constScanLine(y))[x];
}

void Scrivi(QImage& img, int x, int y, QRgb c)
{
    reinterpret_cast<QRgb*>(img.scanLine(y))[x] = c | Opaco;
}

// Copies the source rectangle onto the destination rectangle, stretching when the sizes
// differ. Pixels that fall outside either picture are skipped, so a cell beyond the end
// of a sheet copies nothing and leaves the destination as it was.
void CopiaRettangolo(QImage& dst, const QRect& rd, const QImage& src, const QRect& rs)
{
    if (!Presente(src) || dst.isNull()) return;
    // An 8-bit sheet is read through its palette (an index beyond it reads black).
    QRgb tavolozza[256] = {};
    const bool indicizzata = src.format() == QImage::Format_Indexed8;
    if (indicizzata) {
        const QList<QRgb> t = src.colorTable();
        std::copy_n(t.constBegin(), std::min<qsizetype>(t.size(), 256), tavolozza);
    }
    if (rd.width() <= 0 || rd.height() <= 0 || rs.width() <= 0 || rs.height() <= 0) return;
    const int x0 = std::max(rd.left(), 0), x1 = std::min(rd.left() + rd.width(), dst.width());
    const int y0 = std::max(rd.top(), 0), y1 = std::min(rd.top() + rd.height(), dst.height());
    for (int y = y0; y < y1; ++y) {
        const int sy = rs.top() + static_cast<int>(static_cast<long long>(y - rd.top()) * rs.height() / rd.height());
        if (sy < 0 || sy >= src.height()) continue;
        const QRgb* riga = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        const uchar* indici = src.constScanLine(sy);
        QRgb* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
        for (int x = x0; x < x1; ++x) {
            const int sx = rs.left() + static_cast<int>(static_cast<long long>(x - rd.left()) * rs.width() / rd.width());
            if (sx < 0 || sx >= src.width()) continue;
            out[x] = (indicizzata ? tavolozza[indici[sx]] : riga[sx]) | Opaco;
        }
    }
}

// Pixel (y, x) of `dst` = pixel (x, y) of `src` for x below w and y below h: the picture
// mirrored about its main diagonal, so an upright card lies on its side.
void Trasponi(QImage& dst, const QImage& src, int w, int h)
{
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            if (Dentro(src, x, y) && Dentro(dst, y, x)) Scrivi(dst, y, x, Leggi(src, x, y));
}

// The highlight tint: red and blue down to 0.8, green up to 1.2 capped at 255, each in
// single precision and truncated.
QRgb Tinta(QRgb c)
{
    const int r = static_cast<int>(static_cast<float>(qRed(c)) * 0.8f);
    const int g = static_cast<int>(std::min(static_cast<float>(qGreen(c)) * 1.2f, 255.0f));
    const int b = static_cast<int>(static_cast<float>(qBlue(c)) * 0.8f);
    return qRgb(r, g, b);
}

// Tints x 2..xMax-1, y 2..yMax-1 of `dst`, reading each pixel from `src`.
void TingiFaccia(QImage& dst, const QImage& src, int xMax, int yMax)
{
    for (int x = 2; x <= xMax - 1; ++x)
        for (int y = 2; y <= yMax - 1; ++y)
            if (Dentro(src, x, y) && Dentro(dst, x, y)) Scrivi(dst, x, y, Tinta(Leggi(src, x, y)));
}

}  // namespace

VelCarte::VelCarte(QWidget* parent) : QWidget(parent)
{
    immagineNorm_ = Nuova(80, 120);
    immagineMini_ = Nuova(40, 60);
    immagineRove_ = Nuova(120, 80);
    immagineSele_ = Nuova(80, 120);
    // Until it first draws, the control keeps the size it was created with.
    resize(100, 200);
}

// ---- setters: store a changed value and repaint ----

void VelCarte::Ridipingi()
{
    if (isVisible()) repaint();
}

void VelCarte::setDimX(int v)
{
    if (v == dimX_) return;
    dimX_ = v;
    resize(std::max(v, 0), height());
    Ridipingi();
}

void VelCarte::setDimY(int v)
{
    if (v == dimY_) return;
    dimY_ = v;
    resize(width(), std::max(v, 0));
    Ridipingi();
}

void VelCarte::ImpostaIntero(int& campo, int v)
{
    if (v == campo) return;
    campo = v;
    Ridipingi();
}

void VelCarte::setDimXCarte(int v) { ImpostaIntero(dimXCarte_, v); }
void VelCarte::setDimYCarte(int v) { ImpostaIntero(dimYCarte_, v); }
void VelCarte::setTipo(int v) { ImpostaIntero(tipo_, v); }
void VelCarte::setSemeCarta(int v) { ImpostaIntero(seme_, v); }
void VelCarte::setNumeroCarta(int v) { ImpostaIntero(numero_, v); }
void VelCarte::setMazzo(int v) { ImpostaIntero(mazzo_, v); }
void VelCarte::setBordoCartaNumero(int v) { ImpostaIntero(bordo_, v); }

void VelCarte::setSeleziona(bool v)
{
    if (v == seleziona_) return;
    seleziona_ = v;
    Ridipingi();
}

void VelCarte::setImmaginiCarteColonne(int v)
{
    if (v == stato_.Colonne()) return;
    stato_.ImpostaGriglia(v, stato_.Righe());
    Ridipingi();
}

void VelCarte::setImmaginiCarteRighe(int v)
{
    if (v == stato_.Righe()) return;
    stato_.ImpostaGriglia(stato_.Colonne(), v);
    Ridipingi();
}

void VelCarte::setBufferImmagini(const QImage& img)
{
    nomeFacce_.clear();
    facceInAttesa_ = Immagini::Differita();
    bufferImmagini_ = In32Bit(img);
    Ridipingi();
}

void VelCarte::setBufferImmaginiSelezionate(const QImage& img)
{
    selezionateInAttesa_ = Immagini::Differita();
    bufferSelezionate_ = In32Bit(img);
    Ridipingi();
}

void VelCarte::setBordiCarta(const QImage& img)
{
    nomeBordi_.clear();
    sagoma2xBordo_ = 0;
    bordiInAttesa_ = Immagini::Differita();
    bordiCarta_ = In32Bit(img);
    Ridipingi();
}

void VelCarte::setBufferImmaginiDaRisorsa(const QString& nome)
{
    nomeFacce_ = nome;
    bufferImmagini_ = QImage();
    facceInAttesa_ = Immagini::Differita::FoglioDaRisorsa(nome);
    Ridipingi();
}

void VelCarte::setBufferImmaginiSelezionateDaRisorsa(const QString& nome)
{
    bufferSelezionate_ = QImage();
    selezionateInAttesa_ = Immagini::Differita::FoglioDaRisorsa(nome);
    Ridipingi();
}

void VelCarte::setBordiCartaDaRisorsa(const QString& nome)
{
    nomeBordi_ = nome;
    sagoma2xBordo_ = 0;
    bordiCarta_ = QImage();
    bordiInAttesa_ = Immagini::Differita::DaRisorsa(nome);
    Ridipingi();
}

void VelCarte::Prepara(bool soloPrincipali) const
{
    auto risolvi = [](Immagini::Differita& inAttesa, QImage& foglio) {
        if (!inAttesa.InAttesa()) return;
        // Sheets are only read here, so an 8-bit one keeps its compact form.
        const QImage& img = inAttesa.Immagine();
        foglio = img.format() == QImage::Format_Indexed8 ? img : In32Bit(img);
        inAttesa = Immagini::Differita();
    };
    risolvi(facceInAttesa_, bufferImmagini_);
    risolvi(bordiInAttesa_, bordiCarta_);
    // The highlighted sheet waits until a marked card is drawn from it.
    if (!soloPrincipali) risolvi(selezionateInAttesa_, bufferSelezionate_);
}

void VelCarte::setImmagineNorm(const QImage& img)
{
    immagineNorm_ = In32Bit(img);
    Ridipingi();
}

QImage VelCarte::CaricaFoglio(const QString& nome)
{
    return In32Bit(Immagini::Condivisa(nome));
}

// ---- deck ----

void VelCarte::Mischia() { stato_.Mischia(); }

void VelCarte::SistemaDati(int j)
{
    const StatoMazzo::SemeNumero sn = stato_.SistemaDati(j);
    setSemeCarta(sn.seme);
    setNumeroCarta(sn.numero);
}

void VelCarte::ImpostaCartaDalNumero(int c)
{
    // Ten cards per suit whatever the sheet's column count; card 0 gives suit 0, number 10.
    const int seme = c >= 0 ? (c + 9) / 10 : (c - 1) / 10 + 1;
    int numero = c % 10;
    if (numero == 0) numero = 10;
    setSemeCarta(seme);
    setNumeroCarta(numero);
}

// ---- composition ----

bool VelCarte::FacciaPresente() const
{
    // Every composition asks this first, so it is where named sheets get decoded.
    Prepara(true);
    return Presente(bufferImmagini_);
}

QRect VelCarte::Cella(int w, int h) const
{
    const int riga = (seme_ - 1) + 4 * (mazzo_ - 1);
    return QRect((numero_ - 1) * w, riga * h, w, h);
}

bool VelCarte::CartaSegnata() const
{
    return stato_.StatoDellaCarta((seme_ - 1) * stato_.Colonne() + numero_) != 0;
}

const QImage& VelCarte::FoglioFacce(bool consultaStato) const
{
    if (consultaStato && CartaSegnata()) {
        Prepara();
        return bufferSelezionate_;
    }
    return bufferImmagini_;
}

void VelCarte::ComponiVecchio(QImage& dst, bool consultaStato) const
{
    if (!FacciaPresente()) return;
    CopiaRettangolo(dst, QRect(0, 0, dimX_, dimY_), FoglioFacce(consultaStato), Cella(dimX_, dimY_));
}

void VelCarte::ComponiNuovo(QImage& dst, bool consultaStato) const
{
    if (!FacciaPresente()) return;
    CopiaRettangolo(dst, QRect(0, 0, dimX_, dimY_), bordiCarta_,
                    QRect((bordo_ - 1) * dimX_, 0, dimX_, dimY_));
    CopiaRettangolo(dst, QRect(1, 2, dimXCarte_, dimYCarte_), FoglioFacce(consultaStato),
                    Cella(dimXCarte_, dimYCarte_));
}

void VelCarte::ComponiPerTipo(QImage& dst) const
{
    if (tipo_ == 1)
        ComponiVecchio(dst, seleziona_);
    else if (tipo_ == 2)
        ComponiNuovo(dst, seleziona_);
}

void VelCarte::Disegna()
{
    Prepara(true);
    resize(std::max(dimX_, 0), std::max(dimY_, 0));
    // The control's own picture: where nothing is drawn the window behind shows through.
    superficie_ = QImage(std::max(dimX_, 1), std::max(dimY_, 1), QImage::Format_ARGB32_Premultiplied);
    superficie_.fill(Qt::transparent);

    if (inMovimento_) {
        // During a flight the cached picture is shown, not recomposed at every step.
        CopiaRettangolo(superficie_, QRect(0, 0, dimX_, dimY_), immagineNorm_, QRect(0, 0, dimX_, dimY_));
        return;
    }
    if (tipo_ == 1) {
        // Own painting: the card's state alone picks the highlighted sheet.
        ComponiVecchio(superficie_, true);
        ComponiVecchio(immagineNorm_, true);
    } else if (tipo_ == 2) {
        if (Presente(bordiCarta_)) {
            const QRect cornice((bordo_ - 1) * dimX_, 0, dimX_, dimY_);
            CopiaRettangolo(superficie_, QRect(0, 0, dimX_, dimY_), bordiCarta_, cornice);
            CopiaRettangolo(immagineNorm_, QRect(0, 0, dimX_, dimY_), bordiCarta_, cornice);
        }
        if (FacciaPresente()) {
            const QImage& foglio = FoglioFacce(true);
            const QRect cella = Cella(dimXCarte_, dimYCarte_);
            const QRect faccia(1, 2, 60, 94);  // the face's fixed place inside the frame
            CopiaRettangolo(superficie_, faccia, foglio, cella);
            CopiaRettangolo(immagineNorm_, faccia, foglio, cella);
            RuotaImmagine();
            RiduciImmagine();
            SelezionaImmagine();
        }
    }
}

void VelCarte::paintEvent(QPaintEvent*)
{
    Disegna();
    QPainter p(this);
    if (Scala::Nitida(p) && !inMovimento_) {
        const QImage d = SuperficieDoppia();
        if (!d.isNull()) {
            p.drawImage(0, 0, d);
            return;
        }
    }
    p.drawImage(0, 0, superficie_);
}

QImage VelCarte::SuperficieDoppia() const
{
    // The plain new-system card only, as the slots get it.
    if (tipo_ != 2 || nomeFacce_.isEmpty() || nomeBordi_.isEmpty() || !FacciaPresente() || CartaSegnata()) return {};
    const QImage facce = Immagini::Doppia(nomeFacce_, true);
    const QImage bordi = Immagini::Doppia(nomeBordi_);
    const QRect cornice((bordo_ - 1) * 2 * dimX_, 0, 2 * dimX_, 2 * dimY_);
    if (!Presente(facce) || !Presente(bordi) || !bordi.rect().contains(cornice)) return {};
    QImage d(2 * std::max(dimX_, 1), 2 * std::max(dimY_, 1), QImage::Format_ARGB32_Premultiplied);
    d.fill(Qt::transparent);
    CopiaRettangolo(d, QRect(0, 0, 2 * dimX_, 2 * dimY_), bordi, cornice);
    CopiaRettangolo(d, QRect(2, 4, 120, 188), facce, Cella(2 * dimXCarte_, 2 * dimYCarte_));
    d.setDevicePixelRatio(2.0);
    return d;
}

// ---- drawing into a slot ----

void VelCarte::Carta(int seme, int numero, VelImage* slot)
{
    resize(std::max(dimX_, 0), std::max(dimY_, 0));
    setSemeCarta(seme);
    setNumeroCarta(numero);
    if (!slot) return;
    ComponiVecchio(slot->Canvas(), seleziona_);
    if (FacciaPresente()) slot->ImpostaSagoma(SagomaCarta());
    DoppiaNelloSlot(slot, seleziona_);
    slot->Ridisegna();
}

void VelCarte::Carta(int posizione, VelImage* slot)
{
    resize(std::max(dimX_, 0), std::max(dimY_, 0));
    SistemaDati(stato_.RitornaCartaImmediata(posizione));
    if (!slot) return;
    ComponiVecchio(slot->Canvas(), seleziona_);
    if (FacciaPresente()) slot->ImpostaSagoma(SagomaCarta());
    DoppiaNelloSlot(slot, seleziona_);
    slot->Ridisegna();
}

void VelCarte::CartaDalNumero(int c, VelImage* slot)
{
    resize(std::max(dimX_, 0), std::max(dimY_, 0));
    ImpostaCartaDalNumero(c);
    if (!slot) return;
    ComponiPerTipo(slot->Canvas());
    if (FacciaPresente()) slot->ImpostaSagoma(SagomaPerTipo());
    DoppiaNelloSlot(slot, seleziona_);
    slot->Ridisegna();
}

void VelCarte::CartaNuovoSistema(int posizione, VelImage* slot)
{
    resize(std::max(dimX_, 0), std::max(dimY_, 0));
    SistemaDati(stato_.RitornaCartaImmediata(posizione));
    if (!slot) return;
    ComponiPerTipo(slot->Canvas());
    if (FacciaPresente()) slot->ImpostaSagoma(SagomaPerTipo());
    DoppiaNelloSlot(slot, seleziona_);
    slot->Ridisegna();
}

void VelCarte::CambiaStato(int posizione, VelImage* slot)
{
    resize(std::max(dimX_, 0), std::max(dimY_, 0));
    stato_.CambiaStato(posizione);
    SistemaDati(stato_.RitornaCartaImmediata(posizione));
    if (!slot) return;
    ComponiVecchio(slot->Canvas(), seleziona_);
    if (FacciaPresente()) slot->ImpostaSagoma(SagomaCarta());
    slot->Ridisegna();
}

void VelCarte::EvidenziaNelloSlot(VelImage* slot)
{
    if (!slot) return;
    if (FacciaPresente()) {
        QImage& tela = slot->Canvas();
        ComponiNuovo(tela, false);
        // ImmagineSele takes the plain card, then both it and the slot get the tint; each
        // pixel is read from the slot before the slot itself is tinted.
        for (int x = 0; x < dimX_; ++x)
            for (int y = 0; y < dimY_; ++y)
                if (Dentro(tela, x, y) && Dentro(immagineSele_, x, y))
                    Scrivi(immagineSele_, x, y, Leggi(tela, x, y));
        TingiFaccia(immagineSele_, tela, dimXCarte_, dimYCarte_);
        TingiFaccia(tela, tela, dimXCarte_, dimYCarte_);
        slot->ImpostaSagoma(SagomaCornice());
    }
    slot->Ridisegna();
}

void VelCarte::CambiaStatoNuovoSistema(int posizione, VelImage* slot)
{
    stato_.CambiaStato(posizione);
    SistemaDati(stato_.RitornaCartaImmediata(posizione));
    EvidenziaNelloSlot(slot);
}

void VelCarte::SelezionaImmagine(int c, VelImage* slot)
{
    ImpostaCartaDalNumero(c);
    EvidenziaNelloSlot(slot);
}

void VelCarte::RuotaImmagine(int c, VelImage* slot)
{
    ImpostaCartaDalNumero(c);
    if (!slot) return;
    if (FacciaPresente()) {
        // The card is composed upright on a picture of its own size and then turned, so the
        // whole of it lies in the sideways slot (a 120 x 80 slot holds an 80 x 120 card).
        QImage dritta = Nuova(std::max(dimX_, 1), std::max(dimY_, 1));
        ComponiNuovo(dritta, false);
        Trasponi(immagineRove_, dritta, dimX_, dimY_);
        CopiaRettangolo(slot->Canvas(), QRect(0, 0, dimY_, dimX_), immagineRove_, QRect(0, 0, dimY_, dimX_));
        slot->ImpostaSagoma(SagomaCornice().Trasposta());
        // The sideways picture goes back to describing the component's own card.
        RuotaImmagine();
    }
    slot->Ridisegna();
}

void VelCarte::RuotaImmagineCompleta(VelImage* slot)
{
    if (!slot) return;
    if (FacciaPresente()) {
        Trasponi(slot->Canvas(), immagineNorm_, dimX_, dimY_);
        slot->ImpostaSagoma(SagomaPerTipo().Trasposta());
    }
    slot->Ridisegna();
}

const SagomaCarta& VelCarte::SagomaCornice() const
{
    if (!Presente(bordiCarta_)) {
        sagoma_ = SagomaCarta();
        sagomaChiave_ = -1;
        return sagoma_;
    }
    if (sagomaChiave_ != bordiCarta_.cacheKey() || sagomaBordo_ != bordo_ || sagomaW_ != dimX_ || sagomaH_ != dimY_) {
        sagomaChiave_ = bordiCarta_.cacheKey();
        sagomaBordo_ = bordo_;
        sagomaW_ = dimX_;
        sagomaH_ = dimY_;
        const QRect cella((bordo_ - 1) * dimX_, 0, dimX_, dimY_);
        // A frame beyond the sheet draws nothing: the slot keeps its old pixels, opaque.
        sagoma_ = (dimX_ > 0 && dimY_ > 0 && bordiCarta_.rect().contains(cella))
                      ? SagomaCarta::DaCornice(bordiCarta_.copy(cella))
                      : SagomaCarta();
    }
    return sagoma_;
}

void VelCarte::DoppiaNelloSlot(VelImage* slot, bool consultaStato) const
{
    // Only a plain card composed at the slot's own size has a 2x form; a highlighted card
    // stays 1x.
    if (!slot || !Scala::Sopra100() || (tipo_ != 1 && tipo_ != 2) || !FacciaPresente()) return;
    if (nomeFacce_.isEmpty() || (consultaStato && CartaSegnata()) || slot->size() != QSize(dimX_, dimY_)) return;
    if (tipo_ == 1) {
        // Old system: the whole picture from its cell.
        const QImage facce = Immagini::Doppia(nomeFacce_, true);
        if (!Presente(facce)) return;
        QImage d(2 * dimX_, 2 * dimY_, QImage::Format_RGB32);
        d.fill(Qt::black);
        CopiaRettangolo(d, QRect(0, 0, 2 * dimX_, 2 * dimY_), facce, Cella(2 * dimX_, 2 * dimY_));
        slot->ImpostaDoppia(d);
        return;
    }
    if (nomeBordi_.isEmpty() || dimXCarte_ <= 0 || dimYCarte_ <= 0) return;
    const QImage facce = Immagini::Doppia(nomeFacce_, true);
    const QImage bordi = Immagini::Doppia(nomeBordi_);
    const QRect cella((bordo_ - 1) * 2 * dimX_, 0, 2 * dimX_, 2 * dimY_);
    if (!Presente(facce) || !Presente(bordi) || !bordi.rect().contains(cella)) return;
    QImage d(2 * dimX_, 2 * dimY_, QImage::Format_RGB32);
    d.fill(Qt::black);
    CopiaRettangolo(d, QRect(0, 0, 2 * dimX_, 2 * dimY_), bordi, cella);
    CopiaRettangolo(d, QRect(2, 4, 2 * dimXCarte_, 2 * dimYCarte_), facce, Cella(2 * dimXCarte_, 2 * dimYCarte_));
    if (sagoma2xBordo_ != bordo_ || sagoma2xW_ != dimX_ || sagoma2xH_ != dimY_) {
        sagoma2xBordo_ = bordo_;
        sagoma2xW_ = dimX_;
        sagoma2xH_ = dimY_;
        sagoma2x_ = SagomaCarta::DaCornice(bordi.copy(cella));
    }
    slot->ImpostaDoppia(d, sagoma2x_);
}

SagomaCarta VelCarte::SagomaPerTipo() const { return tipo_ == 2 ? SagomaCornice() : SagomaCarta(); }

// ---- derived pictures, pixel by pixel from ImmagineNorm ----

void VelCarte::RiduciImmagine()
{
    for (int x = 0; x < dimX_; x += 2)
        for (int y = 0; y < dimY_; y += 2)
            if (Dentro(immagineNorm_, x, y) && Dentro(immagineMini_, x / 2, y / 2))
                Scrivi(immagineMini_, x / 2, y / 2, Leggi(immagineNorm_, x, y));
}

void VelCarte::RuotaImmagine() { Trasponi(immagineRove_, immagineNorm_, dimX_, dimY_); }

void VelCarte::SelezionaImmagine()
{
    for (int x = 0; x < dimX_; ++x)
        for (int y = 0; y < dimY_; ++y)
            if (Dentro(immagineNorm_, x, y) && Dentro(immagineSele_, x, y))
                Scrivi(immagineSele_, x, y, Leggi(immagineNorm_, x, y));
    TingiFaccia(immagineSele_, immagineNorm_, dimXCarte_, dimYCarte_);
}

// ---- flight ----

void VelCarte::MuoviCarta(int left, int top, int passi, unsigned ritardo, QWidget* finestra)
{
    const std::vector<QPoint> percorso = VelImage::Percorso(x(), y(), left, top, passi, false);
    inMovimento_ = true;
    for (const QPoint& p : percorso) {
        const QRect prima = geometry();
        move(p);
        if (finestra && finestra->isVisible()) {
            QWidget* genitore = parentWidget() ? parentWidget() : finestra;
            genitore->repaint(prima.united(geometry()).adjusted(-10, 0, 0, 0));
        }
        Pausa(ritardo);
    }
    inMovimento_ = false;
}

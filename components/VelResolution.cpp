#include "components/VelResolution.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/Messaggi.h"

const char* const VelResolution::MessaggioRiavvio = "It's need restart the system!";
const char* const VelResolution::MessaggioNonSupportata = "Mode not supported from hardware";

namespace {

const QSize Dimensione(85, 20);

}  // namespace

ModoSchermo DimensioniRisoluzione(TResolution r)
{
    switch (r) {
    case TResolution::_640x480: return {640, 480};
    case TResolution::_800x600: return {800, 600};
    case TResolution::_1024x768: return {1024, 768};
    case TResolution::_1152x864: return {1152, 864};
    case TResolution::_1280x1024: return {1280, 1024};
    }
    return {640, 480};
}

VelResolution::VelResolution(QWidget* parent, bool progettazione) : QWidget(parent), progettazione_(progettazione)
{
    resize(Dimensione);
    precedente_ = ModiSchermoCorrenti().Corrente();
    if (progettazione_) {
        // A new component in a window being designed starts at the screen's own resolution.
        for (TResolution r : {TResolution::_640x480, TResolution::_800x600, TResolution::_1024x768,
                              TResolution::_1152x864, TResolution::_1280x1024})
            if (DimensioniRisoluzione(r).larghezza == precedente_.larghezza) resolution_ = r;
    }
}

VelResolution::~VelResolution()
{
    if (!progettazione_ && cambiata_) Cambia(false);
}

void VelResolution::setResolution(TResolution r)
{
    if (r == resolution_) return;
    resolution_ = r;
    update();
}

void VelResolution::Paint()
{
    resize(Dimensione);
    if (progettazione_) {
        update();
        return;
    }
    hide();
    if (Enabled() && !cambiata_) {
        precedente_ = ModiSchermoCorrenti().Corrente();
        Cambia(true);
        cambiata_ = true;
    }
}

QImage VelResolution::Render() const
{
    QImage out(Dimensione, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (!progettazione_) return out;
    QPainter p(&out);
    p.fillRect(out.rect(), palette().color(QPalette::Active, QPalette::Button));
    p.setFont(font());
    p.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
    p.drawText(5, 3 + QFontMetrics(font()).ascent(), QStringLiteral("VelResolution"));
    return out;
}

void VelResolution::Cambia(bool verifica)
{
    const ModoSchermo obiettivo = cambiata_ ? precedente_ : DimensioniRisoluzione(resolution_);
    ModiSchermo& schermo = ModiSchermoCorrenti();
    // The first mode of exactly the target size is tested, then set; a refusal is reported.
    // Switching back never shows anything: the display stays where the platform left it.
    for (const ModoSchermo& modo : schermo.Modi()) {
        if (!(modo == obiettivo)) continue;
        switch (schermo.Prova(modo)) {
        case EsitoCambio::Riuscito:
            schermo.Applica(modo);
            break;
        case EsitoCambio::RiavvioNecessario:
            if (verifica) MostraMessaggio(QString::fromLatin1(MessaggioRiavvio));
            break;
        case EsitoCambio::NonSupportato:
            if (verifica) MostraMessaggio(QString::fromLatin1(MessaggioNonSupportata));
            break;
        }
        break;
    }
    // The display must now have the target size, both width and height: a display that kept
    // its width but not its height has not switched either.
    if (verifica && !(schermo.Corrente() == obiettivo)) MostraMessaggio(QString::fromLatin1(MessaggioNonSupportata));
}

void VelResolution::paintEvent(QPaintEvent*)
{
    if (progettazione_) {
        QPainter p(this);
        p.drawImage(0, 0, Render());
        return;
    }
    // The run-time step hides the control and may wait on a message box: it runs just after
    // this paint rather than inside it (a modal loop inside a paint event repaints recursively).
    if (paintInAttesa_) return;
    paintInAttesa_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            paintInAttesa_ = false;
            Paint();
        },
        Qt::QueuedConnection);
}

#include "components/SagomaCarta.h"

#include <algorithm>
#include <vector>

namespace {

// The smallest coverage with which some colour laid on `fondo` gives `p`, per channel: a
// darker channel needs at least (f - p) / f, a lighter one (p - f) / (255 - f).
double CoperturaMinima(QRgb p, QRgb fondo)
{
    double a = 0;
    const int pc[3] = {qRed(p), qGreen(p), qBlue(p)};
    const int fc[3] = {qRed(fondo), qGreen(fondo), qBlue(fondo)};
    for (int c = 0; c < 3; ++c) {
        if (pc[c] < fc[c])
            a = std::max(a, static_cast<double>(fc[c] - pc[c]) / fc[c]);
        else if (pc[c] > fc[c])
            a = std::max(a, static_cast<double>(pc[c] - fc[c]) / (255 - fc[c]));
    }
    return std::min(a, 1.0);
}

}  // namespace

SagomaCarta SagomaCarta::DaCornice(const QImage& cella)
{
    SagomaCarta s;
    if (cella.isNull() || cella.width() < 2 || cella.height() < 2) return s;
    const QImage c = cella.convertToFormat(QImage::Format_RGB32);
    const int w = c.width(), h = c.height();
    const QRgb tappeto = c.pixel(w - 1, h - 1) | 0xFF000000u;
    for (int x = 0; x < w; ++x)
        if ((c.pixel(x, h - 1) | 0xFF000000u) != tappeto) return s;
    for (int y = 0; y < h; ++y)
        if ((c.pixel(w - 1, y) | 0xFF000000u) != tappeto) return s;

    // The card's rectangle: where pixels cover the felt by at least half.
    std::vector<double> copertura(static_cast<std::size_t>(w) * h);
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double a = CoperturaMinima(c.pixel(x, y), tappeto);
            copertura[static_cast<std::size_t>(y) * w + x] = a;
            if (a >= 0.5) {
                x0 = std::min(x0, x), y0 = std::min(y0, y);
                x1 = std::max(x1, x), y1 = std::max(y1, y);
            }
        }

    s.alfa_ = QImage(w, h, QImage::Format_Alpha8);
    s.tappeto_ = tappeto;
    for (int y = 0; y < h; ++y) {
        uchar* riga = s.alfa_.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const double a = copertura[static_cast<std::size_t>(y) * w + x];
            const bool carta = x >= x0 && x <= x1 && y >= y0 && y <= y1 && a >= 0.5;
            riga[x] = carta ? 255 : static_cast<uchar>(a * 255.0 + 0.5);
        }
    }
    return s;
}

int SagomaCarta::Alfa(int x, int y) const
{
    if (alfa_.isNull() || x < 0 || y < 0 || x >= alfa_.width() || y >= alfa_.height()) return 255;
    return alfa_.constScanLine(y)[x];
}

SagomaCarta SagomaCarta::Trasposta() const
{
    SagomaCarta s;
    if (alfa_.isNull()) return s;
    s.tappeto_ = tappeto_;
    s.alfa_ = QImage(alfa_.height(), alfa_.width(), QImage::Format_Alpha8);
    for (int y = 0; y < alfa_.height(); ++y) {
        const uchar* riga = alfa_.constScanLine(y);
        for (int x = 0; x < alfa_.width(); ++x) s.alfa_.scanLine(x)[y] = riga[x];
    }
    return s;
}

QImage SagomaCarta::Applica(const QImage& picture) const
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (alfa_.isNull()) return out;
    const int fr = qRed(tappeto_), fg = qGreen(tappeto_), fb = qBlue(tappeto_);
    const int w = std::min(out.width(), alfa_.width());
    const int h = std::min(out.height(), alfa_.height());
    for (int y = 0; y < h; ++y) {
        QRgb* riga = reinterpret_cast<QRgb*>(out.scanLine(y));
        const uchar* alfa = alfa_.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int a = alfa[x];
            if (a == 255) continue;
            if (a == 0) {
                riga[x] = 0;
                continue;
            }
            // What remains of the pixel once the felt's share (255 - a) is taken away.
            const QRgb p = riga[x];
            auto canale = [a](int v, int f) { return std::clamp(v - (f * (255 - a) + 127) / 255, 0, a); };
            riga[x] = qRgba(canale(qRed(p), fr), canale(qGreen(p), fg), canale(qBlue(p), fb), a);
        }
    }
    return out;
}

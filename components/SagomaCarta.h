#pragma once
// The shape of a card inside its slot. A card frame is drawn on a felt-coloured margin (the
// card, its rounded corners and its soft shadow lie on that felt); the shape tells, for each
// pixel of the slot, how much of it belongs to the card, so a slot shows only the card and
// lets whatever lies beneath show through the margin, the corners and, darkened, the shadow.
#include <QImage>
#include <QRgb>

class SagomaCarta {
public:
    SagomaCarta() = default;

    // The shape of a frame cell: the felt is the colour of its last row and column (a cell
    // without such a uniform margin has no shape, and the slot stays opaque). Pixels inside
    // the card's rectangle that stand out from the felt are opaque; the others become the
    // translucent colour that, laid on the felt, gives exactly that pixel (the shadow turns
    // into translucent black, the antialiased corners into a partly covering rim).
    static SagomaCarta DaCornice(const QImage& cella);

    bool Vuota() const { return alfa_.isNull(); }
    QSize Dimensione() const { return alfa_.size(); }
    // Coverage of pixel (x, y), 0 to 255; outside the shape every pixel is covered.
    int Alfa(int x, int y) const;
    QRgb Tappeto() const { return tappeto_; }

    // The same shape lying sideways (mirrored about its diagonal, as the sideways cards are).
    SagomaCarta Trasposta() const;

    // The picture as the slot shows it: premultiplied, transparent where the shape is empty.
    // An empty shape gives the picture itself, opaque.
    QImage Applica(const QImage& picture) const;

private:
    QImage alfa_;  // Format_Alpha8
    QRgb tappeto_ = 0;
};

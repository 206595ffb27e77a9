#pragma once
// VelImage: a card slot on a table. An image control that holds a picture of its own size
// and can fly across its parent window with MuoviCarta.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <vector>

#include "components/SagomaCarta.h"
#include "components/Immagini.h"

class VelImage : public QWidget {
    Q_OBJECT
public:
    explicit VelImage(QWidget* parent = nullptr);

    // The slot's picture; created on first use at the control's size (black, as a new
    // bitmap of the framework is) and recreated when the control has been resized.
    QImage& Canvas();
    const QImage& Picture() const { Risolvi(); return picture_; }
    bool HaPicture() const { return !Picture().isNull(); }
    // Replaces the picture with a copy of `img` (the control keeps its size).
    void ImpostaPicture(const QImage& img);
    // The same with an embedded picture, decoded (through the shared picture cache) only when
    // the control is first drawn or its picture is asked for.
    void ImpostaPictureDaRisorsa(const QString& nome);
    // Empties the picture: the slot then shows nothing.
    void Svuota();
    // Repaints at once (the drawing operations of the deck call this after drawing).
    void Ridisegna();

    // The card's shape within the picture: outside it the slot is transparent, so only the
    // card covers what lies beneath (a flying card cuts nothing out of the cards it passes).
    // Any new picture or emptying drops the shape; an empty shape shows the whole picture.
    void ImpostaSagoma(const SagomaCarta& sagoma);
    const SagomaCarta& Sagoma() const { return sagoma_; }
    // What the slot paints: the picture through its shape (premultiplied).
    QImage Mostrata() const;

    // ---- the twice-as-large form, painted on surfaces above 100 % ----
    // The same picture with twice the pixels each way and its shape (a card composed from
    // the 2x sheets); any later change of the picture drops it.
    void ImpostaDoppia(const QImage& doppia, const SagomaCarta& sagoma = SagomaCarta());
    // The current picture's 2x form is the embedded picture `nome` (decoded when first painted
    // on a sharp surface).
    void ImpostaDoppiaDaRisorsa(const QString& nome);
    // The 2x form, device pixel ratio 2, or a null image (resolving a named one).
    QImage Doppia() const;
    // What the slot paints on a sharp surface: the 2x form through its shape.
    QImage MostrataDoppia() const;

    // Showing or hiding a slot repaints its place at once: the tables block the thread in
    // pauses and flights, and a change left to a later repaint would show up only piecemeal,
    // wherever the next flight step happens to repaint.
    void setVisible(bool visibile) override;

    // Slides the control to (left, top) in `passi` steps, pausing `ritardo` ms after each
    // step through the pause service, repainting `finestra` synchronously at each step.
    // Visits passi + 1 positions, the last at the destination.
    virtual void MuoviCarta(int left, int top, int passi, unsigned ritardo, QWidget* finestra);

    // Positions visited by a flight from (x0, y0) to (x1, y1): single-precision steps,
    // truncation toward zero. With `finoAllaMeta` true i runs 0..passi (passi + 1
    // positions); with false 0..passi-1 (the deck component's variant).
    static std::vector<QPoint> Percorso(int x0, int y0, int x1, int y1, int passi, bool finoAllaMeta);

    // Whether something listens to its clicks (a card one plays), which makes it a control.
    bool Cliccabile() const;

signals:
    void Click();
    void DoppioClic();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    // A shown slot put elsewhere (outside a flight, which repaints its own steps) repaints
    // its old and new place at once, for the same reason as showing and hiding.
    void moveEvent(QMoveEvent*) override;
    // Moves through the positions of a flight, repainting and pausing at each.
    void Vola(const std::vector<QPoint>& percorso, unsigned ritardo, QWidget* finestra);

private:
    void RidipingiPosto();
    void Risolvi() const;  // decodes a picture still named by its resource

    void DimenticaDoppia();

    mutable QImage picture_;
    mutable QImage doppia_;
    mutable QString risorsaDoppia_;
    SagomaCarta sagomaDoppia_;
    mutable Immagini::Differita inAttesa_;
    bool inVolo_ = false;
    SagomaCarta sagoma_;
};

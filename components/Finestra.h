#pragma once
// Base of every window: borderless, a fixed client size, centred over the main window (or on
// the screen before there is one). Dragging the frame or the felt moves it through the
// platform's own move; F11 or a double-click on the frame toggles full screen, where the window
// is drawn at the largest scale that fits the screen, centred, with wood around it.
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

class TFinestra : public QWidget {
    Q_OBJECT
public:
    TFinestra(int larghezza, int altezza, QWidget* parent = nullptr);
    // Centres the window over the main window when that is another shown window, else on the
    // screen it is on (or the primary one).
    void Centra();
    // Show, bring to the front and give it the keyboard focus.
    void MostraDavanti();
    // Repaints at once every other visible window under a screen rectangle: a window
    // hidden just before a blocking pause must not stay pictured on the one beneath.
    static void RidipingiSotto(const QRect& schermo, const QWidget* tranne = nullptr);

    // The window the others open centred over (the chooser).
    static void ImpostaPrincipale(TFinestra* f);
    static TFinestra* Principale();

    // ---- full screen ----
    // Only windows of the full 800 x 600 (or 599) size go full screen.
    bool PuoSchermoIntero() const;
    bool SchermoIntero() const { return schermoIntero_; }
    void EntraSchermoIntero();
    void EsciSchermoIntero();
    void CommutaSchermoIntero();
    // Where the window's own 800 x 600 lies inside it: (0, 0) except in full screen.
    QPoint Origine() const { return origine_; }
    QSize DimensioneBase() const { return base_; }

    // ---- moving ----
    // Whether a press on `w` (a widget of this window) lands on a control, which gets the
    // press, rather than on frame or felt, which move the window.
    bool SuControllo(const QWidget* w) const;
    // Whether `w` is the frame: the window itself or a picture laid over all of it.
    bool SuCornice(const QWidget* w) const;

protected:
    // Windows that move a focus of their own (their controls take no Qt focus) set this, so
    // Tab and Backtab reach their keyPressEvent instead of Qt's focus chain.
    bool TabAiTasti = false;
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

    // A hidden window gives its drawing surface (a full-size 32-bit picture held for the
    // screen) and its background back; showing it again makes a new surface, decodes the
    // background again if no other window kept it, and paints afresh.
    void hideEvent(QHideEvent* e) override;

    // The background picture, named by its embedded resource: decoded (through the shared
    // picture cache) when the window is first drawn. A null image when it cannot be read.
    void ImpostaSfondo(const QString& risorsa) { risorsaSfondo_ = risorsa; }
    const QImage& Sfondo();
    // Draws the background at (0, 0) of the painter, its 2x form on a sharp surface. Painting
    // translates the painter by Origine() first.
    void DisegnaSfondo(QPainter& p);

private:
    void SpostaOrigine(QPoint nuova);
    void DisegnaContorno();  // the wood around the window's own area, full screen only

    QString risorsaSfondo_;
    QImage sfondo_;
    QImage sfondo2x_;
    QSize base_;
    QPoint origine_;
    bool schermoIntero_ = false;
};

#pragma once
// Base of every window: borderless, a fixed client size, centred on the screen.
#include <QImage>
#include <QString>
#include <QWidget>

class TFinestra : public QWidget {
    Q_OBJECT
public:
    TFinestra(int larghezza, int altezza, QWidget* parent = nullptr);
    // Centres the window on the screen it is on (or the primary one).
    void Centra();
    // Show, bring to the front and give it the keyboard focus.
    void MostraDavanti();
    // Repaints at once every other visible window under a screen rectangle: a window
    // hidden just before a blocking pause must not stay pictured on the one beneath.
    static void RidipingiSotto(const QRect& schermo, const QWidget* tranne = nullptr);

protected:
    // Windows that move a focus of their own (their controls take no Qt focus) set this, so
    // Tab and Backtab reach their keyPressEvent instead of Qt's focus chain.
    bool TabAiTasti = false;
    bool event(QEvent* e) override;

    // A hidden window gives its drawing surface (a full-size 32-bit picture held for the
    // screen) and its background back; showing it again makes a new surface, decodes the
    // background again if no other window kept it, and paints afresh.
    void hideEvent(QHideEvent* e) override;

    // The background picture, named by its embedded resource: decoded (through the shared
    // picture cache) when the window is first drawn. A null image when it cannot be read.
    void ImpostaSfondo(const QString& risorsa) { risorsaSfondo_ = risorsa; }
    const QImage& Sfondo();

private:
    QString risorsaSfondo_;
    QImage sfondo_;
};


#include "components/Finestra.h"

#include <QGuiApplication>
#include <QScreen>

TFinestra::TFinestra(int larghezza, int altezza, QWidget* parent) : QWidget(parent)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(larghezza, altezza);
    Centra();
}

void TFinestra::Centra()
{
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect r = s->availableGeometry();
    move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
}

void TFinestra::MostraDavanti()
{
    show();
    raise();
    activateWindow();
}

#include "components/EtichettaNome.h"

#include <QPainter>
#include <QStyle>

void EtichettaNome::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = contentsRect();
    const QString visibile = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
    const QString suggerimento = visibile == text() ? QString() : text();
    if (toolTip() != suggerimento) setToolTip(suggerimento);
    style()->drawItemText(&p, r, int(alignment()), palette(), isEnabled(), visibile, foregroundRole());
}

#include "quillet/quillet_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quillet {

namespace {

QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    painter.setPen(QPen(QColor(0x1F, 0x4E, 0x8C), 1.5));
    painter.setBrush(QColor(0x2E, 0x75, 0xB6));
    painter.drawEllipse(QRectF(1.5, 1.5, 29, 29));

    // The arrow: a shaft and a head pointing down onto a tray.
    QPainterPath arrow;
    arrow.moveTo(13, 6);
    arrow.lineTo(19, 6);
    arrow.lineTo(19, 15);
    arrow.lineTo(24, 15);
    arrow.lineTo(16, 23);
    arrow.lineTo(8, 15);
    arrow.lineTo(13, 15);
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);
    painter.drawRect(QRectF(8, 24.5, 16, 2.5));
    return pixmap;
}

} // namespace

QIcon quilletIcon()
{
    QIcon icon;
    for (const int size : { 16, 32, 48 }) {
        icon.addPixmap(drawIcon(size));
    }
    return icon;
}

} // namespace quillet

#include "korvel/shell/panel_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kInk(40, 40, 40);
const QColor kGlass(200, 225, 255);
const QColor kLayer(60, 140, 60);

QPixmap blank(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A magnifier in the lower right of a square: the glass and its handle.
void drawMagnifier(QPainter& painter, double size)
{
    const double r = size * 0.22;
    const QPointF centre(size * 0.62, size * 0.62);
    painter.setPen(QPen(kInk, qMax(1.0, size / 14)));
    painter.setBrush(kGlass);
    painter.drawEllipse(centre, r, r);
    painter.setPen(QPen(kInk, qMax(1.5, size / 9), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(r * 0.7, r * 0.7), QPointF(size * 0.95, size * 0.95));
}

void drawZoomButton(QPainter& painter, int button, double size)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = size / 16;
    switch (button) {
    case 1: { // a polygon layer
        painter.setPen(QPen(kLayer, unit));
        painter.setBrush(kLayer.lighter(170));
        painter.drawPolygon(QPolygonF({ { 1 * unit, 3 * unit }, { 8 * unit, 1 * unit },
            { 9 * unit, 7 * unit }, { 4 * unit, 9 * unit } }));
        break;
    }
    case 2: { // a picture with a hill
        painter.setPen(QPen(kInk, unit));
        painter.setBrush(QColor(255, 250, 220));
        painter.drawRect(QRectF(1 * unit, 1 * unit, 8 * unit, 7 * unit));
        painter.setBrush(kLayer);
        painter.drawPolygon(
            QPolygonF({ { 1 * unit, 8 * unit }, { 4 * unit, 4 * unit }, { 7 * unit, 8 * unit } }));
        break;
    }
    case 3: { // a typed box of coordinates
        painter.setPen(QPen(kInk, unit, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(1 * unit, 1 * unit, 8 * unit, 7 * unit));
        break;
    }
    case 4: { // back to the previous view
        painter.setPen(QPen(kInk, 1.5 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        QPainterPath arrow(QPointF(9 * unit, 6 * unit));
        arrow.cubicTo(QPointF(9 * unit, 1 * unit), QPointF(3 * unit, 1 * unit), QPointF(2 * unit, 5 * unit));
        painter.drawPath(arrow);
        painter.drawLine(QPointF(2 * unit, 5 * unit), QPointF(1 * unit, 2 * unit));
        painter.drawLine(QPointF(2 * unit, 5 * unit), QPointF(5 * unit, 4 * unit));
        break;
    }
    default:
        break;
    }
    drawMagnifier(painter, size);
}

} // namespace

QIcon zoomToolbarIcon(int button, int size)
{
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    drawZoomButton(painter, button, size);
    return QIcon(pixmap);
}

QPixmap extentMarkerPicture(int marker)
{
    constexpr int size = 16;
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    // An arrow pointing up, turned to the compass point: west, south, east, north.
    const double angles[] = { 270.0, 180.0, 90.0, 0.0 };
    painter.translate(size / 2.0, size / 2.0);
    painter.rotate(angles[qBound(1, marker, 4) - 1]);
    painter.drawPolygon(
        QPolygonF({ { 0, -7 }, { 5, -1 }, { 2, -1 }, { 2, 7 }, { -2, 7 }, { -2, -1 }, { -5, -1 } }));
    return pixmap;
}

QIcon floatingToggleIcon(int toggle)
{
    constexpr int size = 24;
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    if (toggle == 1) {
        // A list of files with tick boxes.
        painter.setPen(QPen(kInk, 1));
        for (int row = 0; row < 4; ++row) {
            const int y = 3 + row * 5;
            painter.setBrush(Qt::white);
            painter.drawRect(2, y, 3, 3);
            painter.drawLine(8, y + 2, 21, y + 2);
        }
    } else {
        drawZoomButton(painter, 3, size);
    }
    return QIcon(pixmap);
}

QIcon playbackIcon(int button)
{
    constexpr int size = 12;
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (button) {
    case 1:
        // A small graph: axes and a trace.
        painter.setPen(QPen(kInk, 1));
        painter.drawLine(QPointF(1.5, 1), QPointF(1.5, 10.5));
        painter.drawLine(QPointF(1.5, 10.5), QPointF(11, 10.5));
        painter.drawPolyline(QPolygonF({ { 2, 8 }, { 5, 4 }, { 7, 6 }, { 10, 2 } }));
        break;
    case 2:
        painter.setPen(Qt::NoPen);
        painter.setBrush(kInk);
        painter.drawPolygon(QPolygonF({ { 3, 2 }, { 9, 6 }, { 3, 10 } }));
        break;
    case 3:
        painter.setPen(Qt::NoPen);
        painter.setBrush(kInk);
        painter.drawRect(QRectF(3, 3, 6, 6));
        break;
    default:
        // The source button carries the source's number instead.
        break;
    }
    return QIcon(pixmap);
}

#include "platform/picture_box.h"

#include <QCursor>
#include <QPainter>
#include <QPixmap>

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int PictureBox::clientWidth() const
{
    return qMax(0, width() - 2 * BorderWidth);
}

int PictureBox::clientHeight() const
{
    return qMax(0, height() - 2 * BorderWidth);
}

QRect PictureBox::clientRect() const
{
    return { BorderWidth, BorderWidth, clientWidth(), clientHeight() };
}

void PictureBox::Scale(double x1, double y1, double x2, double y2)
{
    m_scaleLeft = x1;
    m_scaleTop = y1;
    m_scaleWidth = x2 - x1;
    m_scaleHeight = y2 - y1;
    m_userScale = true;
}

double PictureBox::toUserX(double clientPixelX) const
{
    const int width = clientWidth();
    return width > 0 ? ScaleLeft() + clientPixelX * ScaleWidth() / width : ScaleLeft();
}

double PictureBox::toUserY(double clientPixelY) const
{
    const int height = clientHeight();
    return height > 0 ? ScaleTop() + clientPixelY * ScaleHeight() / height : ScaleTop();
}

double PictureBox::toClientX(double userX) const
{
    return ScaleWidth() != 0.0 ? (userX - ScaleLeft()) * clientWidth() / ScaleWidth() : 0.0;
}

double PictureBox::toClientY(double userY) const
{
    return ScaleHeight() != 0.0 ? (userY - ScaleTop()) * clientHeight() / ScaleHeight() : 0.0;
}

void PictureBox::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    applyPointer();
}

void PictureBox::setMouseIcon(const QImage& icon)
{
    m_mouseIcon = icon;
    applyPointer();
}

void PictureBox::applyPointer()
{
    switch (m_mousePointer) {
    case vbCustom:
        if (m_mouseIcon.isNull()) {
            unsetCursor();
        } else {
            const QPixmap pixmap = QPixmap::fromImage(m_mouseIcon);
            setCursor(QCursor(pixmap, pixmap.width() / 2, pixmap.height() / 2));
        }
        break;
    case vbArrow:
        setCursor(Qt::ArrowCursor);
        break;
    case vbCrosshair:
        setCursor(Qt::CrossCursor);
        break;
    case vbHourglass:
        setCursor(Qt::WaitCursor);
        break;
    default:
        unsetCursor();
        break;
    }
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(clientRect(), palette().base());
    // The sunken 3-D edge of the runtime's picture box: dark outside on the
    // top and left, light on the bottom and right, two pixels deep.
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    const QPalette& colours = palette();
    auto edge = [&painter](const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    };
    edge(outer, colours.mid().color(), colours.light().color());
    edge(outer.adjusted(1, 1, -1, -1), colours.shadow().color(), colours.button().color());
}

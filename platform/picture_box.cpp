#include "platform/picture_box.h"

#include "platform/line_control.h"
#include "platform/pixel_clipping.h"
#include "platform/vb_colors.h"
#include "platform/vb_input_codes.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <iterator>

namespace {

Qt::PenStyle penStyle(int borderStyle)
{
    switch (borderStyle) {
    case vbBSDash:
        return Qt::DashLine;
    case vbBSDot:
        return Qt::DotLine;
    case vbBSDashDot:
        return Qt::DashDotLine;
    case vbBSDashDotDot:
        return Qt::DashDotDotLine;
    case vbTransparent:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

// How a line's pen meets the picture beneath it.
QPainter::CompositionMode compositionMode(int drawMode)
{
    switch (drawMode) {
    case vbInvert:
        return QPainter::RasterOp_NotDestination;
    case vbXorPen:
        return QPainter::RasterOp_SourceXorDestination;
    case vbNotXorPen:
        return QPainter::RasterOp_NotSourceXorDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    // Opaque: the picture and its frame cover every device pixel of the
    // control, even on a desktop scaled by a fraction (drawPicture,
    // drawFrame), so the parent need not paint its background beneath, a
    // fill as large as the picture on every repaint.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBox::~PictureBox()
{
    // The lines go first, while the list they take themselves out of exists.
    const std::vector<LineControl*> lines = m_lines;
    for (LineControl* line : lines) {
        delete line;
    }
    finishDrawing();
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

void PictureBox::Refresh()
{
    repaint();
}

void PictureBox::drawingStarted()
{
    update();
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

// --- Line controls ---

void PictureBox::addLine(LineControl* line)
{
    m_lines.push_back(line);
}

void PictureBox::removeLine(LineControl* line)
{
    // From the newest: overlays are taken away newest first, and a search
    // from the front would make removing a few thousand of them quadratic.
    const auto found = std::find(m_lines.rbegin(), m_lines.rend(), line);
    if (found != m_lines.rend()) {
        const bool shown = line->Visible();
        m_lines.erase(std::next(found).base());
        if (shown) {
            update();
        }
    }
}

void PictureBox::restackLine(LineControl* line, bool toFront)
{
    removeLine(line);
    if (toFront) {
        m_lines.push_back(line);
    } else {
        m_lines.insert(m_lines.begin(), line);
    }
    update();
}

void PictureBox::linesChanged()
{
    update();
}

void PictureBox::drawLines(QPainter& painter) const
{
    const PixelTransform transform = pixelTransform();
    const PixelBounds bounds = farBounds(clientWidth(), clientHeight());
    for (const LineControl* line : m_lines) {
        if (!line->Visible() || line->BorderStyle() == vbTransparent) {
            continue;
        }
        QPointF from(transform.x(line->X1()), transform.y(line->Y1()));
        QPointF to(transform.x(line->X2()), transform.y(line->Y2()));
        if (!clipSegment(from, to, bounds)) {
            continue;
        }
        QPen pen(toQColor(line->BorderColor()));
        pen.setWidth(line->BorderWidth() <= 1 ? 0 : line->BorderWidth());
        pen.setStyle(penStyle(line->BorderStyle()));
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.setCompositionMode(compositionMode(line->DrawMode()));
        painter.drawLine(QPoint(PixelTransform::toDevice(from.x()), PixelTransform::toDevice(from.y())),
            QPoint(PixelTransform::toDevice(to.x()), PixelTransform::toDevice(to.y())));
    }
}

QImage PictureBox::composedImage()
{
    QImage composed = image().copy();
    if (composed.isNull()) {
        return composed;
    }
    QPainter painter(&composed);
    drawLines(painter);
    return composed;
}

// --- Screen ---

void PictureBox::paintEvent(QPaintEvent*)
{
    const bool anyLine = std::any_of(
        m_lines.begin(), m_lines.end(), [](const LineControl* line) { return line->Visible(); });
    // Raster operations of the inverting pens need an image beneath them,
    // so lines are laid over a copy of the picture, never over the screen.
    const QImage shown = anyLine ? composedImage() : image();
    QPainter painter(this);
    if (shown.isNull()) {
        painter.fillRect(clientRect(), toQColor(BackColor()));
    } else {
        drawPicture(painter, shown);
    }
    drawFrame(painter);
}

void PictureBox::drawPicture(QPainter& painter, const QImage& shown) const
{
    const QRectF area(clientRect().topLeft(), shown.size());
    const QTransform toDevice = painter.deviceTransform();
    if (toDevice.type() <= QTransform::TxTranslate) {
        painter.drawImage(area.topLeft(), shown); // a plain copy of its rows
        return;
    }
    // On a desktop scaled by a fraction (1.25) the picture's edges fall
    // inside device pixels, and a scaled image covers a partly touched pixel
    // by another rule than the frame's strips do: a column between the two
    // would stay unpainted. So the picture is stretched over every device
    // pixel it touches; the frame, painted after it, takes back its share of
    // the pixels on the edge. A scaled image is drawn on the painting
    // thread; a fill with the picture as its pattern would be spread over
    // Qt's thread pool, and slowed by every other load of the machine.
    const QRectF touched = toDevice.mapRect(area).toAlignedRect();
    painter.drawImage(toDevice.inverted().mapRect(touched), shown);
}

void PictureBox::drawFrame(QPainter& painter) const
{
    // The sunken 3-D edge of the runtime's picture box: dark outside on the
    // top and left, light on the bottom and right, two pixels deep. It runs
    // to the widget's last column and row. Each edge is filled as a strip a
    // pixel wide, not stroked with a pen: on a scaled desktop a pen stays one
    // device pixel thin and leaves the rest of the strip unpainted, while
    // strips meet the picture and each other without a gap at any scale.
    const QRect outer = rect();
    const QPalette& colours = palette();
    auto edge = [&painter](const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
        painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), topLeft);
        painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), topLeft);
        painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
        painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), bottomRight);
    };
    edge(outer, colours.mid().color(), colours.light().color());
    edge(outer.adjusted(1, 1, -1, -1), colours.shadow().color(), colours.button().color());
}

// --- Mouse ---

QPointF PictureBox::userPosition(const QPointF& widgetPosition) const
{
    return { toUserX(widgetPosition.x() - BorderWidth), toUserY(widgetPosition.y() - BorderWidth) };
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = userPosition(event->position());
    emit MouseDown(vbButton(event->button()), vbShift(event->modifiers()), float(at.x()), float(at.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = userPosition(event->position());
    emit MouseMove(vbButton(event->buttons()), vbShift(event->modifiers()), float(at.x()), float(at.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = userPosition(event->position());
    emit MouseUp(vbButton(event->button()), vbShift(event->modifiers()), float(at.x()), float(at.y()));
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Not passed on to mousePressEvent, as QWidget would: the tools must not
    // take the second press of a double click for a new one.
    event->accept();
    emit DblClick();
}

#include "platform/picture_surface.h"

#include "platform/pixel_clipping.h"
#include "platform/screen_metrics.h"
#include "platform/vb_colors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <climits>
#include <cmath>

PixelTransform::PixelTransform(
    double left, double top, double width, double height, double pixelWidth, double pixelHeight)
    : m_left(left)
    , m_top(top)
    , m_width(width)
    , m_height(height)
    , m_pixelWidth(pixelWidth)
    , m_pixelHeight(pixelHeight)
{
}

int PixelTransform::toDevice(double pixel)
{
    if (std::isnan(pixel)) {
        return 0;
    }
    if (pixel <= double(INT_MIN)) {
        return INT_MIN;
    }
    if (pixel >= double(INT_MAX)) {
        return INT_MAX;
    }
    // The default rounding mode rounds a half to the even neighbour.
    return int(std::nearbyint(pixel));
}

PictureSurface::PictureSurface() = default;

PictureSurface::PictureSurface(int clientWidth, int clientHeight)
    : m_clientWidth(clientWidth)
    , m_clientHeight(clientHeight)
{
}

PictureSurface::~PictureSurface()
{
    finishDrawing();
}

void PictureSurface::setClientSize(int width, int height)
{
    m_clientWidth = qMax(0, width);
    m_clientHeight = qMax(0, height);
}

float PictureSurface::Width() const
{
    return float(clientWidth() + 2 * BorderWidth) * TwipsPerPixelX();
}

float PictureSurface::Height() const
{
    return float(clientHeight() + 2 * BorderWidth) * TwipsPerPixelY();
}

// --- Scale ---

void PictureSurface::Scale(double x1, double y1, double x2, double y2)
{
    // The runtime takes the corners as Singles and subtracts in Single.
    m_scaleLeft = float(x1);
    m_scaleTop = float(y1);
    m_scaleWidth = float(x2) - float(x1);
    m_scaleHeight = float(y2) - float(y1);
    m_scaleMode = vbUser;
}

float PictureSurface::ScaleLeft() const
{
    return m_scaleMode == vbPixels ? 0.0f : m_scaleLeft;
}

float PictureSurface::ScaleTop() const
{
    return m_scaleMode == vbPixels ? 0.0f : m_scaleTop;
}

float PictureSurface::ScaleWidth() const
{
    return m_scaleMode == vbPixels ? float(clientWidth()) : m_scaleWidth;
}

float PictureSurface::ScaleHeight() const
{
    return m_scaleMode == vbPixels ? float(clientHeight()) : m_scaleHeight;
}

void PictureSurface::takeCurrentScaleAsUser()
{
    if (m_scaleMode != vbUser) {
        m_scaleLeft = ScaleLeft();
        m_scaleTop = ScaleTop();
        m_scaleWidth = ScaleWidth();
        m_scaleHeight = ScaleHeight();
        m_scaleMode = vbUser;
    }
}

void PictureSurface::setScaleLeft(double value)
{
    takeCurrentScaleAsUser();
    m_scaleLeft = float(value);
}

void PictureSurface::setScaleTop(double value)
{
    takeCurrentScaleAsUser();
    m_scaleTop = float(value);
}

void PictureSurface::setScaleWidth(double value)
{
    takeCurrentScaleAsUser();
    m_scaleWidth = float(value);
}

void PictureSurface::setScaleHeight(double value)
{
    takeCurrentScaleAsUser();
    m_scaleHeight = float(value);
}

void PictureSurface::setScaleMode(int mode)
{
    if (mode == vbPixels) {
        m_scaleMode = vbPixels;
    } else {
        takeCurrentScaleAsUser();
    }
}

double PictureSurface::ScaleX(double width, int fromScale, int toScale) const
{
    const double clientPixels = clientWidth();
    const double scale = ScaleWidth();
    double pixels = width;
    if (fromScale == vbTwips) {
        pixels = width / TwipsPerPixelX();
    } else if (fromScale == vbUser) {
        pixels = scale != 0.0 ? width * clientPixels / scale : 0.0;
    }
    if (toScale == vbTwips) {
        return pixels * TwipsPerPixelX();
    }
    if (toScale == vbUser) {
        return clientPixels != 0.0 ? pixels * scale / clientPixels : 0.0;
    }
    return pixels;
}

double PictureSurface::ScaleY(double height, int fromScale, int toScale) const
{
    const double clientPixels = clientHeight();
    const double scale = ScaleHeight();
    double pixels = height;
    if (fromScale == vbTwips) {
        pixels = height / TwipsPerPixelY();
    } else if (fromScale == vbUser) {
        pixels = scale != 0.0 ? height * clientPixels / scale : 0.0;
    }
    if (toScale == vbTwips) {
        return pixels * TwipsPerPixelY();
    }
    if (toScale == vbUser) {
        return clientPixels != 0.0 ? pixels * scale / clientPixels : 0.0;
    }
    return pixels;
}

double PictureSurface::toUserX(double clientPixelX) const
{
    const int width = clientWidth();
    return width > 0 ? ScaleLeft() + clientPixelX * double(ScaleWidth()) / width : ScaleLeft();
}

double PictureSurface::toUserY(double clientPixelY) const
{
    const int height = clientHeight();
    return height > 0 ? ScaleTop() + clientPixelY * double(ScaleHeight()) / height : ScaleTop();
}

double PictureSurface::toClientX(double userX) const
{
    return ScaleWidth() != 0.0f ? (userX - ScaleLeft()) * clientWidth() / double(ScaleWidth()) : 0.0;
}

double PictureSurface::toClientY(double userY) const
{
    return ScaleHeight() != 0.0f ? (userY - ScaleTop()) * clientHeight() / double(ScaleHeight()) : 0.0;
}

PixelTransform PictureSurface::pixelTransform() const
{
    const float pixelWidth = Width() / TwipsPerPixelX() - 4.0f;
    const float pixelHeight = Height() / TwipsPerPixelY() - 4.0f;
    return PixelTransform(ScaleLeft(), ScaleTop(), ScaleWidth(), ScaleHeight(), pixelWidth, pixelHeight);
}

QPointF PictureSurface::toPixel(double x, double y) const
{
    if (m_scaleMode == vbPixels) {
        return { x, y };
    }
    const PixelTransform transform = pixelTransform();
    return { transform.x(x), transform.y(y) };
}

// --- The image and the painter ---

void PictureSurface::ensureImageSize()
{
    const QSize size(clientWidth(), clientHeight());
    if (m_image.size() == size || (m_image.isNull() && size.isEmpty())) {
        return;
    }
    finishDrawing();
    if (size.isEmpty()) {
        m_image = QImage();
        return;
    }
    // What was drawn stays where it was; new room shows the background.
    QImage grown(size, QImage::Format_RGB32);
    grown.fill(toQColor(m_backColor));
    if (!m_image.isNull()) {
        QPainter copy(&grown);
        copy.drawImage(0, 0, m_image);
    }
    m_image = std::move(grown);
    drawingStarted();
}

QPainter& PictureSurface::painter()
{
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setBrush(Qt::NoBrush);
        drawingStarted();
    }
    return *m_painter;
}

void PictureSurface::finishDrawing()
{
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
}

const QImage& PictureSurface::image()
{
    ensureImageSize();
    finishDrawing();
    return m_image;
}

QImage& PictureSurface::pixelsForWriting()
{
    ensureImageSize();
    finishDrawing();
    drawingStarted();
    return m_image;
}

void PictureSurface::usePen(qint32 color)
{
    QPainter& p = painter();
    const QColor wanted = toQColor(color);
    const int width = m_drawWidth <= 1 ? 0 : m_drawWidth;
    const QPen& current = p.pen();
    if (current.color() == wanted && current.width() == width && current.style() == Qt::SolidLine
        && current.capStyle() == Qt::RoundCap) {
        return;
    }
    QPen pen(wanted);
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
}

void PictureSurface::useBrush()
{
    QPainter& p = painter();
    if (m_fillStyle == vbFSSolid) {
        const QColor wanted = toQColor(m_fillColor);
        if (p.brush().style() != Qt::SolidPattern || p.brush().color() != wanted) {
            p.setBrush(wanted);
        }
    } else {
        useNoBrush();
    }
}

void PictureSurface::useNoBrush()
{
    QPainter& p = painter();
    if (p.brush().style() != Qt::NoBrush) {
        p.setBrush(Qt::NoBrush);
    }
}

void PictureSurface::setBackColor(qint32 color)
{
    m_backColor = color;
    Cls();
}

// --- The runtime's methods ---

void PictureSurface::Cls()
{
    ensureImageSize();
    finishDrawing();
    if (!m_image.isNull()) {
        m_image.fill(toQColor(m_backColor));
    }
    drawingStarted();
}

void PictureSurface::Line(double x1, double y1, double x2, double y2, qint32 color)
{
    ensureImageSize();
    if (m_image.isNull()) {
        return;
    }
    QPointF from = toPixel(x1, y1);
    QPointF to = toPixel(x2, y2);
    if (!clipSegment(from, to, farBounds(m_image.width(), m_image.height()))) {
        return;
    }
    usePen(color);
    painter().drawLine(QPoint(PixelTransform::toDevice(from.x()), PixelTransform::toDevice(from.y())),
        QPoint(PixelTransform::toDevice(to.x()), PixelTransform::toDevice(to.y())));
}

void PictureSurface::LineBox(double x1, double y1, double x2, double y2, qint32 color)
{
    ensureImageSize();
    if (m_image.isNull()) {
        return;
    }
    const QPointF a = toPixel(x1, y1);
    const QPointF b = toPixel(x2, y2);
    usePen(color);
    useBrush();
    painter().drawRect(QRectF(a, b).normalized());
}

void PictureSurface::LineBoxFilled(double x1, double y1, double x2, double y2, qint32 color)
{
    ensureImageSize();
    if (m_image.isNull()) {
        return;
    }
    const QPointF a = toPixel(x1, y1);
    const QPointF b = toPixel(x2, y2);
    const QRectF box = QRectF(a, b).normalized().adjusted(0.0, 0.0, 1.0, 1.0);
    painter().fillRect(
        box.intersected(QRectF(-1.0, -1.0, m_image.width() + 2.0, m_image.height() + 2.0)), toQColor(color));
}

void PictureSurface::Circle(double x, double y, double radius, qint32 color)
{
    ensureImageSize();
    if (m_image.isNull()) {
        return;
    }
    const QPointF centre = toPixel(x, y);
    const double r = std::abs(ScaleX(radius, vbUser, vbPixels));
    usePen(color);
    useBrush();
    painter().drawEllipse(centre, r, r);
}

void PictureSurface::PSet(double x, double y, qint32 color)
{
    ensureImageSize();
    if (m_image.isNull()) {
        return;
    }
    const QPointF at = toPixel(x, y);
    const QPoint pixel(PixelTransform::toDevice(at.x()), PixelTransform::toDevice(at.y()));
    if (m_drawWidth <= 1) {
        if (m_image.rect().contains(pixel)) {
            finishDrawing();
            m_image.setPixel(pixel, toQColor(color).rgb());
            drawingStarted();
        }
        return;
    }
    QPainter& p = painter();
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(color));
    p.drawEllipse(QPointF(pixel), m_drawWidth / 2.0, m_drawWidth / 2.0);
    p.setBrush(Qt::NoBrush);
}

void PictureSurface::PaintPicture(const QImage& picture, double x, double y, double width, double height)
{
    ensureImageSize();
    if (m_image.isNull() || picture.isNull()) {
        return;
    }
    const QPointF a = toPixel(x, y);
    const QPointF b = toPixel(x + width, y + height);
    const bool mirrorX = b.x() < a.x();
    const bool mirrorY = b.y() < a.y();
    const QRectF target = QRectF(a, b).normalized();
    // Only the part that shows is scaled, so a picture blown up far beyond
    // the view costs no more than one that fits it.
    const QRectF shown = target.intersected(QRectF(m_image.rect()));
    if (shown.isEmpty() || target.width() <= 0.0 || target.height() <= 0.0) {
        return;
    }
    const double fx = picture.width() / target.width();
    const double fy = picture.height() / target.height();
    const double left = mirrorX ? target.right() - shown.right() : shown.left() - target.left();
    const double top = mirrorY ? target.bottom() - shown.bottom() : shown.top() - target.top();
    const QRectF source(left * fx, top * fy, shown.width() * fx, shown.height() * fy);
    QPainter& p = painter();
    p.save();
    p.translate(mirrorX ? shown.left() + shown.right() : 0.0, mirrorY ? shown.top() + shown.bottom() : 0.0);
    p.scale(mirrorX ? -1.0 : 1.0, mirrorY ? -1.0 : 1.0);
    p.drawImage(shown, picture, source);
    p.restore();
}

// --- gdi32 ---

bool PictureSurface::Polyline(const QPoint* points, int count)
{
    ensureImageSize();
    if (m_image.isNull() || count < 2) {
        return false;
    }
    usePen(m_foreColor);
    painter().drawPolyline(points, count);
    return true;
}

bool PictureSurface::Polyline(const QPointF* points, int count)
{
    ensureImageSize();
    if (m_image.isNull() || count < 2) {
        return false;
    }
    usePen(m_foreColor);
    painter().drawPolyline(points, count);
    return true;
}

bool PictureSurface::Polygon(const QPoint* points, int count)
{
    ensureImageSize();
    if (m_image.isNull() || count < 2) {
        return false;
    }
    usePen(m_foreColor);
    useBrush();
    painter().drawPolygon(points, count, Qt::OddEvenFill);
    return true;
}

namespace {

// The rings of a PolyPolygon, one after the other in points, counts[i]
// points each, as one path under the alternate fill rule.
template <class Point> QPainterPath alternateRings(const Point* points, const int* counts, int polygonCount)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    const Point* ring = points;
    for (int i = 0; i < polygonCount; ++i) {
        const int n = counts[i];
        if (n > 0) {
            QPolygonF polygon;
            polygon.reserve(n);
            for (int k = 0; k < n; ++k) {
                polygon.append(QPointF(ring[k]));
            }
            path.addPolygon(polygon);
            path.closeSubpath();
        }
        ring += qMax(0, n);
    }
    return path;
}

} // namespace

bool PictureSurface::PolyPolygon(const QPoint* points, const int* counts, int polygonCount)
{
    return polygonCount >= 1 && fillRings(alternateRings(points, counts, polygonCount));
}

bool PictureSurface::PolyPolygon(const QPointF* points, const int* counts, int polygonCount)
{
    return polygonCount >= 1 && fillRings(alternateRings(points, counts, polygonCount));
}

bool PictureSurface::fillRings(const QPainterPath& rings)
{
    ensureImageSize();
    if (m_image.isNull()) {
        return false;
    }
    usePen(m_foreColor);
    useBrush();
    painter().drawPath(rings);
    return true;
}

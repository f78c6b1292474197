#include "korvel/map/track_raster.h"

#include "platform/picture_surface.h"
#include "platform/pixel_clipping.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

quint32 pixelOf(qint32 colour)
{
    // 0x00BBGGRR as the opaque 0xFFRRGGBB of an RGB32 image.
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Ceiling and floor of values well inside the int range (the segments are
// cut to the picture first), without the library's calls.
int ceilOf(double value)
{
    const int truncated = int(value);
    return truncated + (value > truncated ? 1 : 0);
}

int floorOf(double value)
{
    const int truncated = int(value);
    return truncated - (value < truncated ? 1 : 0);
}

} // namespace

TrackRaster::TrackRaster(PictureSurface& picture)
    : m_image(picture.pixelsForWriting())
    , m_width(m_image.width())
    , m_height(m_image.height())
{
}

void TrackRaster::segment(double x1, double y1, double x2, double y2, int width, qint32 colour)
{
    if (m_image.isNull() || m_image.depth() != 32) {
        return;
    }
    width = std::max(width, 1);
    // Cut far outside the image, where the cut's own round ends never show.
    const double margin = width / 2.0 + 2.0;
    const PixelBounds bounds { -margin, -margin, m_width - 1 + margin, m_height - 1 + margin };
    QPointF from(x1, y1);
    QPointF to(x2, y2);
    // Most segments lie inside; only the others are worth the cut.
    if (!(bounds.contains(x1, y1) && bounds.contains(x2, y2)) && !clipSegment(from, to, bounds)) {
        return;
    }
    const int ax = PixelTransform::toDevice(from.x());
    const int ay = PixelTransform::toDevice(from.y());
    const int bx = PixelTransform::toDevice(to.x());
    const int by = PixelTransform::toDevice(to.y());
    if (m_drawn && ax == bx && ay == by && ax == m_lastX && ay == m_lastY && width == m_lastWidth
        && colour == m_lastColour) {
        return;
    }
    if (width == 1) {
        line(ax, ay, bx, by, pixelOf(colour));
    } else {
        usePenWidth(width);
        capsule(ax, ay, bx, by, pixelOf(colour));
    }
    m_drawn = true;
    m_lastX = bx;
    m_lastY = by;
    m_lastWidth = width;
    m_lastColour = colour;
}

void TrackRaster::line(int x1, int y1, int x2, int y2, quint32 pixel)
{
    // Bresenham's line, both end pixels included.
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    for (;;) {
        if (x >= 0 && x < m_width && y >= 0 && y < m_height) {
            reinterpret_cast<quint32*>(bits + y * stride)[x] = pixel;
        }
        if (x == x2 && y == y2) {
            break;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void TrackRaster::usePenWidth(int width)
{
    if (width == m_penWidth) {
        return;
    }
    m_penWidth = width;
    m_radius = width / 2.0;
    m_offset = width % 2 == 0 ? 0.5 : 0.0;
    m_discTop = int(std::ceil(m_offset - m_radius));
    const int bottom = int(std::floor(m_offset + m_radius));
    m_disc.assign(std::size_t(bottom - m_discTop + 1), Span());
    for (int row = m_discTop; row <= bottom; ++row) {
        const double dy = row - m_offset;
        const double reach = std::sqrt(std::max(0.0, m_radius * m_radius - dy * dy));
        m_disc[std::size_t(row - m_discTop)]
            = { int(std::ceil(m_offset - reach)), int(std::floor(m_offset + reach)) };
    }
}

void TrackRaster::capsule(int x1, int y1, int x2, int y2, quint32 pixel)
{
    // The pen's footprint is the union of its round ends and the band
    // between them. Each row of that convex shape is one run of pixels:
    // from the leftmost to the rightmost pixel of the parts it crosses.
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    const int discRows = int(m_disc.size());
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double lengthSquared = dx * dx + dy * dy;
    const double reachAcross = m_radius * std::sqrt(lengthSquared);
    const double centreX = x1 + m_offset;
    const double centreY = y1 + m_offset;
    // The band: within the radius of the segment's line (|cross| <= reach)
    // and between the perpendiculars through its ends (0 <= dot <= length²).
    // On row y each is a range of x, linear in y - centreY.
    const double perX = dy != 0.0 ? dx / dy : 0.0;
    const double perHalf = dy != 0.0 ? std::abs(reachAcross / dy) : 0.0;
    const double alongX = dx != 0.0 ? -dy / dx : 0.0;
    const double alongEnd = dx != 0.0 ? lengthSquared / dx : 0.0;
    const int top = std::max(0, std::min(y1, y2) + m_discTop);
    const int bottom = std::min(m_height - 1, std::max(y1, y2) + m_discTop + discRows - 1);
    for (int y = top; y <= bottom; ++y) {
        int left = std::numeric_limits<int>::max();
        int right = std::numeric_limits<int>::min();
        const int rowA = y - y1 - m_discTop;
        if (rowA >= 0 && rowA < discRows) {
            left = x1 + m_disc[std::size_t(rowA)].left;
            right = x1 + m_disc[std::size_t(rowA)].right;
        }
        const int rowB = y - y2 - m_discTop;
        if (rowB >= 0 && rowB < discRows) {
            left = std::min(left, x2 + m_disc[std::size_t(rowB)].left);
            right = std::max(right, x2 + m_disc[std::size_t(rowB)].right);
        }
        const double ey = y - centreY;
        bool band = lengthSquared > 0.0;
        double lo = -std::numeric_limits<double>::infinity();
        double hi = std::numeric_limits<double>::infinity();
        if (dy != 0.0) {
            lo = ey * perX - perHalf;
            hi = ey * perX + perHalf;
        } else if (std::abs(ey) > m_radius) {
            band = false;
        }
        if (dx != 0.0) {
            const double a = ey * alongX;
            const double b = a + alongEnd;
            lo = std::max(lo, std::min(a, b));
            hi = std::min(hi, std::max(a, b));
        } else if (ey * dy < 0.0 || ey * dy > lengthSquared) {
            band = false;
        }
        if (band && lo <= hi) {
            left = std::min(left, ceilOf(centreX + lo));
            right = std::max(right, floorOf(centreX + hi));
        }
        if (left <= right) {
            fillSpan(reinterpret_cast<quint32*>(bits + y * stride), left, right, pixel);
        }
    }
}

void TrackRaster::fillSpan(quint32* row, int left, int right, quint32 pixel) const
{
    left = std::max(left, 0);
    right = std::min(right, m_width - 1);
    if (left <= right) {
        std::fill(row + left, row + right + 1, pixel);
    }
}

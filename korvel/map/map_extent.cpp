#include "korvel/map/map_extent.h"

#include "platform/vb_numbers.h"

#include <cmath>
#include <optional>

double extentBoxNumber(const QString& text, double fallback)
{
    return typedNumberValue(text).value_or(fallback);
}

AspectFit fitToAspect(const ViewEdges& typed, double ratio)
{
    AspectFit fit { typed, false, false };
    const double a = std::abs(typed.west - typed.east);
    const double b = std::abs(typed.south - typed.north);
    // Equal ranges take the ordinary rule too: a square extent on a wide
    // picture grows in X, on a tall one in Y, and never shrinks or flips.
    if (ratio * a > b) {
        const double d = (b - ratio * a) / 2.0;
        fit.edges.south = typed.south + d;
        fit.edges.north = typed.north - d;
        fit.yChanged = true;
    } else if (ratio * a < b) {
        const double d = (b / ratio - a) / 2.0;
        fit.edges.west = typed.west - d;
        fit.edges.east = typed.east + d;
        fit.xChanged = true;
    }
    return fit;
}

UserScale scaleKeptOnResize(const UserScale& scale, int oldWidth, int oldHeight, int newWidth, int newHeight)
{
    if (oldWidth <= 0 || oldHeight <= 0 || newWidth <= 0 || newHeight <= 0) {
        return scale;
    }
    UserScale kept = scale;
    kept.width = scale.width / oldWidth * newWidth;
    kept.height = scale.height / oldHeight * newHeight;
    return kept;
}

bool extentBoxValueAccepted(const QString& text, int box, bool utmMode)
{
    const std::optional<double> number = typedNumberValue(text);
    if (!number) {
        return false;
    }
    const double value = *number;
    if (utmMode) {
        return value >= 0.0;
    }
    const double lowest = (box == 1 || box == 3) ? -180.0 : -90.0;
    return value >= lowest;
}

ExtentUnion::ExtentUnion(double sentinel)
    : m_sentinel(sentinel)
    , m_minX(sentinel)
    , m_minY(sentinel)
    , m_maxX(-sentinel)
    , m_maxY(-sentinel)
{
}

void ExtentUnion::add(double minX, double minY, double maxX, double maxY)
{
    if (minX < m_minX) {
        m_minX = minX;
    }
    if (minY < m_minY) {
        m_minY = minY;
    }
    if (maxX > m_maxX) {
        m_maxX = maxX;
    }
    if (maxY > m_maxY) {
        m_maxY = maxY;
    }
}

bool ExtentUnion::untouched() const
{
    return m_minX == m_sentinel && m_minY == m_sentinel && m_maxX == -m_sentinel && m_maxY == -m_sentinel;
}

#include "korvel/georef/control_point_list.h"

#include "korvel/georef/geo_reference_file.h"

std::span<const ControlPoint> ControlPointList::complete() const
{
    return std::span<const ControlPoint>(m_points).subspan(1, size_t(completeCount()));
}

void ControlPointList::clear()
{
    UTMCount = 0;
    PixelCount = 0;
    m_points.assign(1, ControlPoint());
}

void ControlPointList::assign(const std::vector<ControlPoint>& points)
{
    clear();
    for (const ControlPoint& point : points) {
        if (UTMCount == MaxControlPoints) {
            break;
        }
        ++UTMCount;
        ++PixelCount;
        makeRoom();
        m_points[size_t(UTMCount)] = point;
    }
}

void ControlPointList::makeRoom()
{
    if (int(m_points.size()) <= count()) {
        m_points.resize(size_t(count()) + 1);
    }
}

bool ControlPointList::addUTM(float easting, float northing)
{
    if (UTMCount >= MaxControlPoints) {
        return false;
    }
    ++UTMCount;
    makeRoom();
    ControlPoint& point = m_points[size_t(UTMCount)];
    point.Easting = coordinateAsWritten(easting);
    point.Northing = coordinateAsWritten(northing);
    return true;
}

bool ControlPointList::addPixel(qint16 pixelX, qint16 pixelY)
{
    if (PixelCount >= MaxControlPoints) {
        return false;
    }
    ++PixelCount;
    makeRoom();
    ControlPoint& point = m_points[size_t(PixelCount)];
    point.PixelX = pixelX;
    point.PixelY = pixelY;
    return true;
}

void ControlPointList::dropLastPixel()
{
    if (PixelCount > 0) {
        --PixelCount;
    }
}

void ControlPointList::remove(int k)
{
    const int n = count();
    if (k < 1 || k > n) {
        return;
    }
    if (k <= UTMCount) {
        --UTMCount;
    }
    if (k <= PixelCount) {
        --PixelCount;
    }
    // A point that had only one half gives that half to no other point:
    // the whole records move down, so every later point keeps its pair.
    for (int i = k; i < n; ++i) {
        m_points[size_t(i)] = m_points[size_t(i) + 1];
    }
}

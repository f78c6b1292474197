#pragma once
// The point list of the geo-referencing window. UTMCount points have their
// UTM half and PixelCount points their pixel half; each half goes to the
// first point that lacks it, so points 1..min(UTMCount, PixelCount) are
// complete and the points after them have one half only. The list holds
// max(UTMCount, PixelCount) points, at most MaxControlPoints.
#include "korvel/georef/control_point.h"

#include <span>
#include <vector>

class ControlPointList
{
public:
    int UTMCount = 0;
    int PixelCount = 0;

    // The number of points in the list (rows of the window).
    int count() const { return UTMCount > PixelCount ? UTMCount : PixelCount; }
    int completeCount() const { return UTMCount < PixelCount ? UTMCount : PixelCount; }
    // True while no point lacks a half.
    bool balanced() const { return UTMCount == PixelCount; }

    // Point i, 1..count().
    ControlPoint& point(int i) { return m_points[size_t(i)]; }
    const ControlPoint& point(int i) const { return m_points[size_t(i)]; }
    // Points 1..completeCount(), for the fit and the file.
    std::span<const ControlPoint> complete() const;

    // Empties the list.
    void clear();
    // Takes complete points (a geo-reference file's), replacing the list.
    void assign(const std::vector<ControlPoint>& points);

    // The UTM half of the next point that lacks one, at the precision the
    // geo-reference file keeps; false (nothing changes) when
    // MaxControlPoints points have theirs.
    bool addUTM(float easting, float northing);
    // The same for the pixel half.
    bool addPixel(qint16 pixelX, qint16 pixelY);
    // Takes back the last pixel half (a typed entry cancelled).
    void dropLastPixel();
    // Removes point k (1..count()): the halves it has go, the points after
    // it move down one place.
    void remove(int k);

private:
    void makeRoom();

    std::vector<ControlPoint> m_points = std::vector<ControlPoint>(1); // element 0 unused
};

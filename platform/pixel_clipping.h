#pragma once
// Clipping of device-pixel geometry against a rectangle, for coordinates
// that lie too far outside a picture to be handed to the painter as they are
// (a vertex kilometres off the view at a high zoom gives pixel values in the
// millions, past what integer pixels and the rasterizer hold). Lines are cut
// where they cross the rectangle (Liang and Barsky, "A New Concept and Method
// for Line Clipping", ACM TOG 3(1), 1984); rings of polygons are clipped
// edge by edge (Sutherland and Hodgman, "Reentrant Polygon Clipping", CACM
// 17(1), 1974). Callers choose a rectangle well outside the view, so the
// edges the clipping adds are never seen.
#include <QPointF>
#include <vector>

struct PixelBounds
{
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    bool contains(double x, double y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The client area of width x height pixels grown by FarMargin on every side.
inline constexpr double FarMargin = 16384.0;
PixelBounds farBounds(int width, int height);

// Cuts the segment to the part inside the bounds; false when none of it is.
bool clipSegment(QPointF& from, QPointF& to, const PixelBounds& bounds);

// The parts of an open polyline inside the bounds, each a run of two or more
// points; a polyline that leaves and comes back gives several.
std::vector<std::vector<QPointF>> clipPolyline(const std::vector<QPointF>& points, const PixelBounds& bounds);

// A closed ring clipped to the bounds; empty when it lies wholly outside.
std::vector<QPointF> clipRing(const std::vector<QPointF>& ring, const PixelBounds& bounds);

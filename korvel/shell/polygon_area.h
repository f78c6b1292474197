#pragma once
// Signed area of a polygon in square metres: positive when the vertices run
// clockwise (east to the right, north up), negative counter-clockwise. The
// AG-NAV code relies on the sign to orient the rings it saves.
#include "korvel/workspace/shape_record.h"

// Area of the ring of points 1..upperBound() (closed implicitly; a repeated
// first point adds nothing). In latitude/longitude mode the points are
// measured in UTM on a copy: a zone of 0 is first replaced by the map's zone
// and the axis and inverse flattening by the current ellipsoid's, written back
// to the caller's variables; the caller's points stay in degrees. In UTM mode
// the points are used as they are. Fewer than three points give 0; an
// overflow of the sum raises error 6. A geographic ring with a vertex beyond
// the zone's reach (conversion_reach.h) has no area there: the result is
// NaN, which is shown as unknown.
double PolygonArea(const ShapeRecord& points, int& zone, double& axis, double& inverseFlattening);

// Area of the boundary of Blocks(blockIndex), vertices 1..VertexCount; in
// latitude/longitude mode measured in the block's own zone and ellipsoid.
// The block is not changed. An index outside 1..BlockCount raises error 9.
double BoundaryArea(int blockIndex);

// Whether the ring runs counter-clockwise (north up), the sense the program
// turns round before it saves a ring: by the sign of `area`, its area from
// the functions above, or where that is unknown by the ring as held.
bool RunsCounterClockwise(const ShapeRecord& ring, double area);

#pragma once
// The GIS shift tool's arithmetic: a block's boundary drawn as an outline
// that the user moves east, west, north or south in steps of 10^v metres to
// try an offset between the block and the GIS layers under it. The tool is a
// preview; the offset stays with the tool and is never written anywhere.
//
// The offset is kept in metres as a real number, so steps of 0.1 m add up
// and move the outline. On a UTM map a metre is a map unit. On a latitude/
// longitude map the offset is turned into degrees at the block's latitude
// phi on the map's ellipsoid (semi-major axis a, e^2 = f(2 - f)):
//
//   M = a (1 - e^2) / (1 - e^2 sin^2 phi)^(3/2)   metres per radian north
//   N = a / sqrt(1 - e^2 sin^2 phi)                metres per radian east / cos phi
//   dLat = north / M x 180 / pi,  dLon = east / (N cos phi) x 180 / pi
//
// (Snyder, "Map Projections: A Working Manual", USGS 1987, eq. 4-18, 4-20.)
#include "korvel/map/map_pointer_modes.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/shape_record.h"

#include <QString>
#include <vector>

// The step controls' values v: steps of 0.1 m to 1000 m.
inline constexpr int GisShiftStepMin = -1;
inline constexpr int GisShiftStepMax = 3;

// 10^v metres for v within the limits (a value outside is taken at the limit).
double gisShiftStepMetres(int exponent);
// The step control's caption: 10^v in its shortest form and "m" ("0.1m", "1m", "100m").
QString gisShiftStepText(int exponent);

// The offset of the outline in metres, east and north positive.
struct GisShiftOffset
{
    double east = 0.0;
    double north = 0.0;
};

// Shift buttons: 1 north, 2 east, 3 south, 4 west. North and south move by
// stepNorth, east and west by stepEast (metres). The result is rounded to
// the decimetre, so a run of 0.1 m steps lands exactly on its sum.
GisShiftOffset shiftedOffset(GisShiftOffset offset, int button, double stepEast, double stepNorth);

// An offset caption: metres with at most one decimal and " m" ("-12.5 m", "3 m").
QString gisShiftOffsetText(double metres);

// The offset in map units for a block at `latitude` degrees (read only
// outside UTM mode). An ellipsoid with no axis counts as WGS-84.
MapPoint offsetInMapUnits(
    GisShiftOffset offset, bool utmMode, double latitude, const EllipsoidRecord& ellipsoid);

// Where the outline is drawn: the latitude (or northing) half-way between
// the boundary's southernmost and northernmost vertex.
double boundaryMiddleY(const ShapeRecord& boundary, int vertexCount);

struct OutlineSegment
{
    MapPoint from;
    MapPoint to;
};

// The closed outline of vertices 1..vertexCount moved by `shift` map units:
// segment i runs from vertex i to vertex i + 1, the last one back to vertex 1.
std::vector<OutlineSegment> shiftedOutline(const ShapeRecord& boundary, int vertexCount, MapPoint shift);

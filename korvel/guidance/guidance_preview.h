#pragma once
// The guidance lines of a block as the panel's values describe them, in the
// map's coordinates: the boundary is taken into UTM metres (on a geographic
// map through the map's zone and ellipsoid), the lines are laid there
// (guidance_lines.h) and come back into the map's system. No window is
// needed: the main window reads its panel and draws what comes out.
//
// On a geographic map a heading is a true heading; the grid bearing of the
// meridian along the right-hand edge of the visible map is added to it,
// gamma = atan((E(P2) - E(P1)) / (N(P2) - N(P1))) for P1 its top and P2 its
// bottom point, so the lines run at the heading where the user looks. The
// grid there uses signed northings (no false northing), so a block south of
// the equator comes back to where it was whatever the map's hemisphere.
#include "korvel/guidance/guidance_lines.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/shape_record.h"

#include <QString>
#include <optional>

// The texts and choices of the guidance panel in use.
struct GuidancePanelValues
{
    bool headingMode = true; // "Flight Heading"; else "Parallel to Edge"
    QString guidanceText; // heading in whole degrees, or the edge number
    QString swathText; // swath in the display unit
    bool halfSwath = false; // "Half-Swath" offset of the first line
};

// The system the map holds the block in.
struct GuidanceMapFrame
{
    bool utm = true; // UTM metres; else longitude (X) and latitude (Y) degrees
    int zone = 17; // the map's zone, for a geographic map
    EllipsoidRecord ellipsoid; // the map's ellipsoid, for a geographic map
    // The right-hand edge of the visible map (geographic map, heading mode):
    // its longitude and the latitudes of its top and bottom.
    double viewRight = 0.0;
    double viewTop = 0.0;
    double viewBottom = 0.0;
};

// The preview lines over vertices 1..vertexCount of the boundary, each in the
// map's system, point 1 the rear end. A refusal lays nothing; on a
// geographic map a boundary beyond the reach of the map's zone
// (conversion_reach.h) is refused as OutOfReach. A right-hand view edge
// beyond it takes its bearing at the nearest meridian within it.
GuidanceLayout computeGuidancePreview(const ShapeRecord& boundary, int vertexCount,
    const GuidancePanelValues& panel, bool metric, const GuidanceMapFrame& frame);

// The grid bearing in degrees (0 up to 360, clockwise from grid north) of an
// edge of the boundary, worked out in UTM as the preview lays its lines;
// nothing for an edge outside 1..vertexCount or a boundary beyond the reach
// of the map's zone.
std::optional<double> edgeHeadingDegrees(
    const ShapeRecord& boundary, int vertexCount, int edge, const GuidanceMapFrame& frame);

// What the user is told when the preview of `block` lays nothing: the
// zone's reach, naming the block, for OutOfReach, else
// guidanceRefusalMessage's text; empty when nothing is to be told.
QString guidancePreviewMessage(
    const AGNAVBlock& block, const GuidanceLayout& layout, const GuidanceMapFrame& frame);

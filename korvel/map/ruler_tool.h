#pragma once
// The ruler: with Tools > Ruler checked, a left-button drag on the map
// measures the straight ground distance from the press point to the pointer
// and shows it in panel 6 of the status bar, in metres or feet. The segment
// is the line RulerLine, whose first end is the press point: the line is the
// tool's only memory. Nothing happens on the release; line and distance stay
// until the next press, a full redraw or the ruler's switch.
//
// In latitude/longitude mode both ends are projected to UTM in the map's
// zone before measuring, so the distance is always a planar UTM distance in
// metres: d = sqrt((E2 - E1)^2 + (N2 - N1)^2). Northings are taken as signed
// distances from the equator for both ends: the grid's southern false
// northing of 10 000 000 m, which the hemisphere of each end would pick
// alone, would make a segment across the equator 10 000 km too long.
#include "korvel/map/map_pointer_modes.h"
#include "korvel/shell/length_units.h"
#include "korvel/workspace/program_globals.h"

#include <QString>
#include <optional>

class MainForm;

// The second end for the pointer: with Shift alone held (shift 1) the
// segment snaps to the nearer axis, a tie going vertical; any other shift
// state leaves it at the pointer.
MapPoint rulerEnd(MapPoint start, MapPoint pointer, int shift);

// Why the ruler shows no distance between two map points, in its place:
// no ellipsoid to project with, or an end beyond the reach of `zone`
// (conversion_reach.h), where the projection would measure kilometres
// wrong. Empty when it measures.
QString rulerRefusal(MapPoint from, MapPoint to, bool utmMode, int zone, const EllipsoidRecord& ellipsoid);

// The distance in metres between two map points: plain in UTM mode, through
// the projection in `zone` on `ellipsoid` otherwise. Nothing where
// rulerRefusal gives a reason.
std::optional<double> rulerDistance(
    MapPoint from, MapPoint to, bool utmMode, int zone, const EllipsoidRecord& ellipsoid);

// "Distance = 500.0m" (metric) or "Distance = 1640.4ft".
QString rulerDistanceText(double metres, bool metric);

class RulerTool
{
public:
    explicit RulerTool(MainForm& form);

    void press(float x, float y);
    void drag(int shift, float x, float y);

private:
    MainForm& m_form;
};

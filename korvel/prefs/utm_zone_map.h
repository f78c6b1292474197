#pragma once
// The small world map of the preferences' zone picker: 178 x 92 pixels over
// the whole globe (longitude -180 to 180 across, latitude 90 to -90 down,
// equal steps of degrees), land green on a blue sea, and the UTM zone a
// position on it stands for. The picker's scale runs from 1 at the map's
// left edge to 61 at its right edge, so zone z covers z to z + 1.
#include <QImage>

inline constexpr int UtmZoneMapWidth = 178;
inline constexpr int UtmZoneMapHeight = 92;
inline constexpr int UtmZoneCount = 60;

// The map, drawn from coarse coastlines of the continents and the larger
// islands.
QImage utmZoneMapImage();

// The zone of a press at x in the picker's scale: the whole part of x, kept
// within 1..60 (a press on the very right edge, x = 61, is zone 60).
int utmZoneAt(double x);

#pragma once
// The second rule every coordinate conversion obeys, beside the ellipsoid's
// (conversion_ellipsoid.h): its points must lie where the zone's projection
// holds (UtmProjection::reaches and reachesGrid: within UtmReachDeg of the
// central meridian). A geographic layer keeps the map's zone wherever it
// lies, and far from that zone's meridian the series give points metres to
// kilometres off, or no numbers, that a switch back cannot bring home. So
// each entry point checks every point it would convert first, in one cheap
// pass, and refuses with this message, leaving the data as it was.
#include <QString>

#include <optional>

// What a refused conversion leaves, said after "so".
inline constexpr char kNothingConverted[] = "no coordinates were converted; the data stays as it is";

// Why the points of `subject` (such as: the layer "roads.shp") cannot be
// converted in UTM zone `zone`: the zone with its central meridian, what
// was therefore not done (`outcome`), the zone `middleLongitudeDeg` lies in
// when the points are in degrees, and `advice`, how the user goes on.
QString outOfReachMessage(const QString& subject, int zone, std::optional<double> middleLongitudeDeg,
    const QString& advice, const QString& outcome = QLatin1String(kNothingConverted));

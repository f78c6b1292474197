#pragma once
// The program's conversion between latitude/longitude and UTM. Callers that
// convert one point at a time write the registers, call LatLongToUTM or
// UTMToLatLong and read the results; the registers keep their values between
// calls, so zone and ellipsoid may be set once for a batch. Whole point lists
// go through ConvertPointArrays. utm_projection.h holds the projection itself
// and the typed functions toUtm and toGeographic.
#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/shape_record.h"

#include <optional>

struct UtmRegisters
{
    double Latitude = 0.0; // decimal degrees, north positive
    double Longitude = 0.0; // decimal degrees, east positive
    double Easting = 0.0; // metres, false easting included
    double Northing = 0.0; // metres; southern values carry the 10 000 000 m false northing
    double UTMZone = 0.0; // zone number 1 to 60
    double SemiMajorAxis = 0.0; // metres
    double InverseFlattening = 0.0; // 1/f

    // The projection of the last call with the zone and ellipsoid it was made
    // for: callers convert point after point in one zone, and the working
    // values cost as much as a conversion.
    std::optional<UtmProjection> m_projection;
    double m_projectionZone = 0.0;
    double m_projectionAxis = 0.0;
    double m_projectionInverseFlattening = 0.0;
};

UtmRegisters& utmRegisters();
void resetUtmRegisters();

// Latitude and Longitude to Easting and Northing in UTMZone; the hemisphere
// of this one point follows the sign of its latitude. Any longitude is taken
// modulo 360 degrees. Sets of points go through ConvertPointArrays, which
// keeps one hemisphere for all of them.
void LatLongToUTM();
// Easting and Northing to Latitude and Longitude, the northing read in the
// map's hemisphere (MapState::NorthZone); the longitude comes back in
// (-180, 180].
void UTMToLatLong();

// Converts points 1..upperBound() of a shape in place: direction 1 from grid
// (X easting, Y northing) to geographic (X longitude, Y latitude), any other
// value from geographic to grid. Both ways the grid is in the map's
// hemisphere (MapState::NorthZone): across the equator a northern grid takes
// negative northings and a southern one northings above 10 000 000 m, so
// the points come back where they were. Leaves zone and ellipsoid in the
// registers and moves the progress value per point when converting to grid;
// showing and hiding the progress bar is the caller's. Points beyond the
// zone's reach (conversion_reach.h) raise error 5 with its message before
// any is converted; callers that can name the data check first.
void ConvertPointArrays(ShapeRecord& points, int zone, int direction, double axis, double inverseFlattening);

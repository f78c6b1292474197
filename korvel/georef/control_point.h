#pragma once
// The control points of a geo-reference: each pairs a place on the image (a
// pixel column and row) with its UTM easting and northing. A point is built
// one half at a time, from a click on the map view (or two typed numbers)
// and a click on the image view, in either order.
#include <QtGlobal>

// A geo-reference is made from at most this many points.
inline constexpr int MaxControlPoints = 8;

struct ControlPoint
{
    float Easting = 0.0f; // UTM metres
    float Northing = 0.0f;
    qint16 PixelX = 0; // image column
    qint16 PixelY = 0; // image row, counted downwards
    // The point's distance from the fitted line of its axis, metres; set by the fit.
    float ResidualEasting = 0.0f;
    float ResidualNorthing = 0.0f;
};

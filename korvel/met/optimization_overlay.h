#pragma once
// The geometry of the optimization overlay: where a copy of each guidance
// line of a block goes for the current meteorological record.
//
// The copy is the line moved by two offsets, in UTM metres:
//  - D = c0 + c1 |v| + c2 v^2 (v the wind speed in m/s, c the module's
//    coefficients) towards the compass bearing of the wind direction, that
//    is upwind, where spray released drifts back onto the line;
//  - H = swath width x first-line offset / 2 (half a swath when the block's
//    first line is offset by half a swath, else 0) to the left of the
//    block's reference direction.
// With theta the bearing of the reference direction and rho = theta - w (w
// the wind direction), along the reference direction a = D cos rho and to
// its left b = H + D sin rho, which in grid axes is
//   dX = a sin theta - b cos theta,   dY = b sin theta + a cos theta,
// the same as dX = D sin w - H cos theta, dY = D cos w + H sin theta.
// Lengths and angles are single precision, as the overlay's line controls
// hold them.
#include "korvel/met/met_data.h"

#include <vector>

// A guidance line's two ends in UTM metres.
struct GridSegment
{
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

struct GridOffset
{
    float dx = 0.0f; // metres east
    float dy = 0.0f; // metres north
};

// The reference direction of a block's lines: the first longest line, its
// end differences and length brought to whole metres (a later line wins
// only when it is longer than the kept whole length). Returns its bearing
// in radians clockwise from grid north: 0 for a line running exactly north
// or south, pi/2 - atan(dy/dx) eastwards, 3 pi/2 - atan(dy/dx) westwards.
// A block none of whose lines is longer than 0 has no reference direction
// and gets 0: no turn.
float referenceBearing(const std::vector<GridSegment>& lines);

// D for a wind speed; a negative speed counts by its magnitude.
float optimizationDistance(const OptCoefficients& coefficients, float windSpeed);

GridOffset overlayOffset(float distance, int windDirectionDegrees, float bearing, float halfSwath);

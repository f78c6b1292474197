#pragma once
// The geo-reference fit: one least-squares straight line per axis, easting
// against pixel column and northing against pixel row (no rotation, no
// cross terms):
//
//   easting  = a1 + b1 x column        northing = a2 + b2 x row
//
// With n complete points and, per axis, Sx = sum of pixels, Sxx = sum of
// squared pixels, Sy = sum of coordinates and Sxy = sum of coordinate x
// pixel, the normal equations of simple linear regression give
//
//   D = n Sxx - Sx^2,   a = (Sy Sxx - Sx Sxy) / D,   b = (n Sxy - Sx Sy) / D
//
// (e.g. Press et al., Numerical Recipes, 3rd ed., section 15.2). The
// intercepts are the image's top-left corner (pixel 0, 0) in UTM metres and
// the slopes its metres per pixel; a north-up image has a negative b2,
// because rows count downwards.
//
// The roundings are part of the geo-reference files KORVEL writes, so they
// are kept to the last digit: Sy adds each coordinate to a whole-number
// accumulator and rounds after every point (a half to the even neighbour);
// Sxy adds (coordinate / 10 as a 32-bit float) x (pixel) in double, the
// product unrounded, and multiplies the sum by 10; the intercepts are
// rounded to 32-bit whole metres, the slopes to 32-bit floats; the ground
// size is the pixel size times the float slope, rounded. The sums are 64-bit,
// so pixel values up to the 16-bit limit cannot overflow them. The residuals
// are computed in double from the rounded intercepts and stored as floats.
#include "korvel/georef/control_point.h"
#include "korvel/georef/manual_corrections.h"

#include <QString>
#include <optional>
#include <span>
#include <vector>

// Axis 1 is easting with PixelX; any other value northing with PixelY.
inline constexpr int EastingAxis = 1;
inline constexpr int NorthingAxis = 2;

qint64 SumUTM(std::span<const ControlPoint> points, int axis);
qint64 SumPixelSquares(std::span<const ControlPoint> points, int axis);
qint64 SumPixel(std::span<const ControlPoint> points, int axis);
double SumUTMTimesPixel(std::span<const ControlPoint> points, int axis);

struct GeoRefFit
{
    qint32 OriginEasting = 0; // the intercepts: UTM metres of pixel (0, 0)
    qint32 OriginNorthing = 0;
    float SlopeX = 0.0f; // metres per column
    float SlopeY = 0.0f; // metres per row; negative for a north-up image
    qint32 GroundWidth = 0; // the whole image's ground size, metres, signed
    qint32 GroundHeight = 0;
    // Per point, in the order given: coordinate less the fitted coordinate.
    std::vector<float> ResidualEasting;
    std::vector<float> ResidualNorthing;
};

// The fit of the points on an image of that many pixels. Nothing when fewer
// than two points are given, when all share one pixel column or one pixel
// row (D = 0: no slope exists), or when a result does not fit its 32-bit type.
std::optional<GeoRefFit> fitGeoReference(
    std::span<const ControlPoint> points, int imagePixelWidth, int imagePixelHeight);

// Where the fit with the corrections added places the image.
struct ImagePlacement
{
    qint32 OriginEasting = 0;
    qint32 OriginNorthing = 0;
    qint32 GroundWidth = 0;
    qint32 GroundHeight = 0;
};

// The fit's origin plus the shift and its ground size plus the stretch,
// each rounded to 32-bit whole metres; nothing when a sum leaves that range.
std::optional<ImagePlacement> placeImage(const GeoRefFit& fit, const ManualCorrections& corrections);

// The residual label of a point: each residual formatted "0.0" and read back
// as a number, shown with a blank before it when not negative, northing
// first: " .4dY -1.2dX".
QString residualText(float residualNorthing, float residualEasting);

#include "korvel/georef/georef_fit.h"

#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <cmath>
#include <limits>

namespace {

double coordinate(const ControlPoint& point, int axis)
{
    return axis == EastingAxis ? double(point.Easting) : double(point.Northing);
}

qint64 pixel(const ControlPoint& point, int axis)
{
    return axis == EastingAxis ? point.PixelX : point.PixelY;
}

struct AxisLine
{
    qint32 intercept = 0;
    float slope = 0.0f;
};

std::optional<AxisLine> fitAxis(std::span<const ControlPoint> points, int axis)
{
    const qint64 n = qint64(points.size());
    const qint64 sy = SumUTM(points, axis);
    const qint64 sxx = SumPixelSquares(points, axis);
    const qint64 sx = SumPixel(points, axis);
    const double sxy = SumUTMTimesPixel(points, axis);
    // Exact in 64 bits: 8 points of 16-bit pixels stay below 2^37.
    const qint64 d = n * sxx - sx * sx;
    if (d == 0) {
        return std::nullopt;
    }
    const double a = (double(sy) * double(sxx) - double(sx) * sxy) / double(d);
    const double b = (double(n) * sxy - double(sx) * double(sy)) / double(d);
    const std::optional<qint32> intercept = CLngInRange(a);
    if (!intercept || !std::isfinite(b) || std::abs(b) > double(std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return AxisLine { *intercept, float(b) };
}

} // namespace

qint64 SumUTM(std::span<const ControlPoint> points, int axis)
{
    qint64 sum = 0;
    for (const ControlPoint& point : points) {
        sum = qint64(std::nearbyint(double(sum) + coordinate(point, axis)));
    }
    return sum;
}

qint64 SumPixelSquares(std::span<const ControlPoint> points, int axis)
{
    qint64 sum = 0;
    for (const ControlPoint& point : points) {
        sum += pixel(point, axis) * pixel(point, axis);
    }
    return sum;
}

qint64 SumPixel(std::span<const ControlPoint> points, int axis)
{
    qint64 sum = 0;
    for (const ControlPoint& point : points) {
        sum += pixel(point, axis);
    }
    return sum;
}

double SumUTMTimesPixel(std::span<const ControlPoint> points, int axis)
{
    double sum = 0.0;
    for (const ControlPoint& point : points) {
        const float tenth = float(coordinate(point, axis) / 10.0);
        sum += double(tenth) * double(float(pixel(point, axis)));
    }
    return sum * 10.0;
}

std::optional<GeoRefFit> fitGeoReference(
    std::span<const ControlPoint> points, int imagePixelWidth, int imagePixelHeight)
{
    if (points.size() < 2) {
        return std::nullopt;
    }
    const std::optional<AxisLine> x = fitAxis(points, EastingAxis);
    const std::optional<AxisLine> y = fitAxis(points, NorthingAxis);
    if (!x || !y) {
        return std::nullopt;
    }
    const std::optional<qint32> width = CLngInRange(double(imagePixelWidth) * double(x->slope));
    const std::optional<qint32> height = CLngInRange(double(imagePixelHeight) * double(y->slope));
    if (!width || !height) {
        return std::nullopt;
    }
    GeoRefFit fit;
    fit.OriginEasting = x->intercept;
    fit.OriginNorthing = y->intercept;
    fit.SlopeX = x->slope;
    fit.SlopeY = y->slope;
    fit.GroundWidth = *width;
    fit.GroundHeight = *height;
    for (const ControlPoint& point : points) {
        const double fittedEasting = double(fit.SlopeX) * double(point.PixelX) + double(fit.OriginEasting);
        const double fittedNorthing = double(fit.SlopeY) * double(point.PixelY) + double(fit.OriginNorthing);
        fit.ResidualEasting.push_back(float(double(point.Easting) - fittedEasting));
        fit.ResidualNorthing.push_back(float(double(point.Northing) - fittedNorthing));
    }
    return fit;
}

std::optional<ImagePlacement> placeImage(const GeoRefFit& fit, const ManualCorrections& corrections)
{
    const std::optional<qint32> easting
        = CLngInRange(double(fit.OriginEasting) + corrections.ShiftX.value_or(0.0));
    const std::optional<qint32> northing
        = CLngInRange(double(fit.OriginNorthing) + double(corrections.ShiftY));
    const std::optional<qint32> width
        = CLngInRange(double(fit.GroundWidth) + corrections.StretchX.value_or(0.0));
    const std::optional<qint32> height = CLngInRange(double(fit.GroundHeight) + double(corrections.StretchY));
    if (!easting || !northing || !width || !height) {
        return std::nullopt;
    }
    return ImagePlacement { *easting, *northing, *width, *height };
}

QString residualText(float residualNorthing, float residualEasting)
{
    // Format keeps a "-" on a value that rounds to zero ("-0.0"); read back
    // as a number it is plain 0 again.
    const auto shown
        = [](float residual) { return Str(Val(Format(double(residual), QStringLiteral("0.0")))); };
    return shown(residualNorthing) + QStringLiteral("dY ") + shown(residualEasting) + QStringLiteral("dX");
}

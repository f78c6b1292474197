#include "korvel/map/gis_shift_tool.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kWgs84Axis = 6378137.0;
constexpr double kWgs84InverseFlattening = 298.257223563;
constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;
// cos(phi) below this (within a few metres of a pole) would make a step of
// longitude absurdly large.
constexpr double kSmallestCosine = 1e-6;

double roundedToDecimetre(double metres)
{
    return std::round(metres * 10.0) / 10.0;
}

} // namespace

double gisShiftStepMetres(int exponent)
{
    return std::pow(10.0, std::clamp(exponent, GisShiftStepMin, GisShiftStepMax));
}

QString gisShiftStepText(int exponent)
{
    return QString::number(gisShiftStepMetres(exponent), 'g', 12) + QStringLiteral("m");
}

GisShiftOffset shiftedOffset(GisShiftOffset offset, int button, double stepEast, double stepNorth)
{
    switch (button) {
    case 1:
        offset.north = roundedToDecimetre(offset.north + stepNorth);
        break;
    case 2:
        offset.east = roundedToDecimetre(offset.east + stepEast);
        break;
    case 3:
        offset.north = roundedToDecimetre(offset.north - stepNorth);
        break;
    case 4:
        offset.east = roundedToDecimetre(offset.east - stepEast);
        break;
    default:
        break;
    }
    return offset;
}

QString gisShiftOffsetText(double metres)
{
    // -0.04 would otherwise print as "-0 m".
    const double shown = roundedToDecimetre(metres);
    return QString::number(shown == 0.0 ? 0.0 : shown, 'g', 12) + QStringLiteral(" m");
}

MapPoint offsetInMapUnits(
    GisShiftOffset offset, bool utmMode, double latitude, const EllipsoidRecord& ellipsoid)
{
    if (utmMode) {
        return { offset.east, offset.north };
    }
    const bool known = ellipsoid.Axis > 0.0 && ellipsoid.InverseFlattening > 0.0;
    const double a = known ? ellipsoid.Axis : kWgs84Axis;
    const double f = 1.0 / (known ? ellipsoid.InverseFlattening : kWgs84InverseFlattening);
    const double e2 = f * (2.0 - f);
    const double phi = latitude / kDegreesPerRadian;
    const double w = 1.0 - e2 * std::sin(phi) * std::sin(phi);
    const double m = a * (1.0 - e2) / (w * std::sqrt(w));
    const double n = a / std::sqrt(w);
    const double cosine = std::max(std::cos(phi), kSmallestCosine);
    return { offset.east / (n * cosine) * kDegreesPerRadian, offset.north / m * kDegreesPerRadian };
}

double boundaryMiddleY(const ShapeRecord& boundary, int vertexCount)
{
    const int n = std::min(vertexCount, static_cast<int>(boundary.Y.size()) - 1);
    if (n < 1) {
        return 0.0;
    }
    const auto first = boundary.Y.begin() + 1;
    const auto [low, high] = std::minmax_element(first, first + n);
    return (*low + *high) / 2.0;
}

std::vector<OutlineSegment> shiftedOutline(const ShapeRecord& boundary, int vertexCount, MapPoint shift)
{
    const int n = std::min(
        { vertexCount, static_cast<int>(boundary.X.size()) - 1, static_cast<int>(boundary.Y.size()) - 1 });
    std::vector<OutlineSegment> segments;
    segments.reserve(size_t(std::max(n, 0)));
    for (int i = 1; i <= n; ++i) {
        const int j = i == n ? 1 : i + 1;
        segments.push_back({ { boundary.X[size_t(i)] + shift.x, boundary.Y[size_t(i)] + shift.y },
            { boundary.X[size_t(j)] + shift.x, boundary.Y[size_t(j)] + shift.y } });
    }
    return segments;
}

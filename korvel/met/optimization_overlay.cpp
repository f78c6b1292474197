#include "korvel/met/optimization_overlay.h"

#include "korvel/workspace/program_globals.h"

#include <cmath>

float referenceBearing(const std::vector<GridSegment>& lines)
{
    // Whole metres in 64 bits: lines of any length keep their direction.
    qint64 keptLength = 0;
    qint64 rx = 0;
    qint64 ry = 0;
    for (const GridSegment& line : lines) {
        const auto dx = qint64(std::nearbyint(line.x2 - line.x1));
        const auto dy = qint64(std::nearbyint(line.y2 - line.y1));
        const double length = std::sqrt(double(dx) * double(dx) + double(dy) * double(dy));
        if (length > double(keptLength)) {
            keptLength = qint64(std::nearbyint(length));
            rx = dx;
            ry = dy;
        }
    }
    const float pi = float(globals().Pi);
    if (rx == 0) {
        return 0.0f;
    }
    const float slope = std::atan(float(ry) / float(rx));
    return rx > 0 ? pi / 2.0f - slope : 3.0f * pi / 2.0f - slope;
}

float optimizationDistance(const OptCoefficients& coefficients, float windSpeed)
{
    const float v = std::fabs(windSpeed);
    return coefficients[0] + coefficients[1] * v + coefficients[2] * v * v;
}

GridOffset overlayOffset(float distance, int windDirectionDegrees, float bearing, float halfSwath)
{
    const float rho = bearing - float(windDirectionDegrees) * float(globals().Pi) / 180.0f;
    const float along = distance * std::cos(rho);
    const float left = halfSwath + distance * std::sin(rho);
    return { along * std::sin(bearing) - left * std::cos(bearing),
        left * std::sin(bearing) + along * std::cos(bearing) };
}

#include "korvel/georef/manual_corrections.h"

#include "platform/vb_numbers.h"

#include <cmath>

namespace {

constexpr int kWest = 0;
constexpr int kNorth = 1;
constexpr int kEast = 2;
constexpr int kSouth = 3;

// Index 1 and 3 move along the y axis, 2 and anything else along x.
int direction(int index)
{
    return index == kNorth || index == kEast || index == kSouth ? index : kWest;
}

bool applyStep(std::optional<double>& x, qint32& y, int index, double step)
{
    switch (direction(index)) {
    case kNorth:
    case kSouth: {
        const std::optional<qint32> moved = CLngInRange(double(y) + (index == kNorth ? step : -step));
        if (!moved) {
            return false;
        }
        y = *moved;
        return true;
    }
    case kEast:
        x = x.value_or(0.0) + step;
        return true;
    default:
        x = x.value_or(0.0) - step;
        return true;
    }
}

} // namespace

double correctionStep(int sliderPosition)
{
    return std::pow(10.0, double(sliderPosition));
}

QString correctionStepLabel(int sliderPosition)
{
    if (sliderPosition == 3) {
        return QStringLiteral("1 km");
    }
    if (sliderPosition == 4) {
        return QStringLiteral("10 km");
    }
    return CStr(correctionStep(sliderPosition)) + QStringLiteral(" m");
}

bool applyShiftStep(ManualCorrections& corrections, int index, double step)
{
    return applyStep(corrections.ShiftX, corrections.ShiftY, index, step);
}

bool applyStretchStep(ManualCorrections& corrections, int index, double step)
{
    return applyStep(corrections.StretchX, corrections.StretchY, index, step);
}

void resetShift(ManualCorrections& corrections)
{
    corrections.ShiftX = 0.0;
    corrections.ShiftY = 0;
}

void resetStretch(ManualCorrections& corrections)
{
    corrections.StretchX = 0.0;
    corrections.StretchY = 0;
}

QString correctionLabel(const std::optional<double>& metres)
{
    return (metres ? CStr(*metres) : QString()) + QStringLiteral(" m");
}

QString correctionLabel(qint32 metres)
{
    return CStr(int(metres)) + QStringLiteral(" m");
}

#include "korvel/guidance/guidance_panel_rules.h"

#include "platform/vb_numbers.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDefaultSwathMetres = 30;

std::optional<int> stepOf(int keyCode)
{
    switch (keyCode) {
    case vbKeyUp:
    case vbKeyAdd:
        return 1;
    case vbKeyDown:
    case vbKeySubtract:
        return -1;
    case vbKeyPageUp:
        return 10;
    case vbKeyPageDown:
        return -10;
    default:
        return std::nullopt;
    }
}

// Half to even, kept far from the int range so that a huge value compares
// as out of range instead of overflowing.
double wholeNumber(double value)
{
    return std::clamp(roundHalfEven(value), -1e9, 1e9);
}

// Degrees rounded half to even and taken into 0..359.
std::optional<int> wholeDegrees(std::optional<double> heading)
{
    if (!heading) {
        return std::nullopt;
    }
    const int whole = int(std::fmod(wholeNumber(*heading), 360.0));
    return whole < 0 ? whole + 360 : whole;
}

} // namespace

std::optional<double> swathMetres(const QString& swathText, bool metric)
{
    const std::optional<double> swath = typedNumberValue(swathText);
    if (!swath) {
        return std::nullopt;
    }
    return metric ? *swath : *swath / FeetPerMetre;
}

bool isSteppingKey(int keyCode)
{
    return stepOf(keyCode).has_value();
}

std::optional<int> steppedDirection(int value, int keyCode, int bottom, int top)
{
    const std::optional<int> step = stepOf(keyCode);
    if (!step) {
        return std::nullopt;
    }
    const int result = value + *step;
    if (result < bottom) {
        return top;
    }
    if (result > top) {
        return bottom;
    }
    return result;
}

std::optional<int> steppedSwath(int value, int keyCode)
{
    const std::optional<int> step = stepOf(keyCode);
    if (!step || value + *step < MinSwath || value + *step > MaxSwath) {
        return std::nullopt;
    }
    return value + *step;
}

std::optional<int> typedWholeNumber(const QString& text, int bottom, int top)
{
    const std::optional<double> value = typedNumberValue(text);
    if (!value) {
        return std::nullopt;
    }
    const double whole = wholeNumber(*value);
    if (whole < bottom || whole > top) {
        return std::nullopt;
    }
    return int(whole);
}

std::optional<int> leftSwathEntry(const QString& text)
{
    const std::optional<double> value = typedNumberValue(text);
    if (!value || *value < double(MinSwath) || *value > double(MaxSwath)) {
        return std::nullopt;
    }
    return int(wholeNumber(*value));
}

std::optional<int> wholeHeading(const QString& text)
{
    return wholeDegrees(typedNumberValue(text));
}

int startingHeading(const QString& blockHeading, const QString& defaultHeading)
{
    // Stored texts hold the point, whatever the locale.
    return wholeDegrees(numericValue(blockHeading))
        .value_or(wholeDegrees(numericValue(defaultHeading)).value_or(0));
}

std::optional<int> displayedSwath(const QString& storedMetres, bool metric)
{
    const std::optional<double> metres = numericValue(storedMetres);
    if (!metres || *metres <= 0.0) {
        return std::nullopt;
    }
    const double shown = wholeNumber(metric ? *metres : *metres * FeetPerMetre);
    return int(std::clamp(shown, double(MinSwath), double(MaxSwath)));
}

int startingSwath(const QString& storedMetres, const QString& defaultMetres, bool metric)
{
    if (const std::optional<int> swath = displayedSwath(storedMetres, metric)) {
        return *swath;
    }
    if (const std::optional<int> swath = displayedSwath(defaultMetres, metric)) {
        return *swath;
    }
    return *displayedSwath(QString::number(kDefaultSwathMetres), metric);
}

std::optional<int> storedSwathMetres(const QString& swathText, bool metric)
{
    const std::optional<double> metres = swathMetres(swathText, metric);
    if (!metres) {
        return std::nullopt;
    }
    return int(wholeNumber(*metres));
}

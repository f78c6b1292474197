#include "korvel/met/met_graph_axes.h"

#include "korvel/met/met_time.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinutesPerDay = 1440;
constexpr int kTwoDays = 2 * kMinutesPerDay;
constexpr int kShortestTick = 15; // minutes
constexpr double kShortestAxis = 60.0; // seconds, so one record still has a width
constexpr int kMostLabels = 10;
constexpr int kMostTicks = 255;
constexpr double kFewestKnots = 4.0; // keeps the speed grid at least a unit apart

QString tickCaption(const MetFile& file, double minute, int tickMinutes)
{
    if (tickMinutes == kMinutesPerDay) {
        const int days = int(Int(minute / kMinutesPerDay));
        return QString::number(metDayNumberAfter(file.record(1), days, file.Source));
    }
    const auto whole = qint64(minute);
    return QString::number((whole / 60) % 24) + u':' + Format(double(whole % 60), QStringLiteral("00"));
}

// The interval and the number of ticks for a span in minutes.
void chooseTicks(TimeAxis& axis)
{
    if (axis.spanMinutes < kTwoDays) {
        const double fifth = roundHalfEven(axis.spanMinutes / 5.0);
        axis.tickMinutes = std::max(kShortestTick, int(Int(fifth / kShortestTick + 0.5)) * kShortestTick);
        axis.tickCount = int(roundHalfEven(double(axis.spanMinutes) / axis.tickMinutes + 1.0));
    } else {
        axis.tickMinutes = kMinutesPerDay;
        axis.tickCount = int(Int(double(axis.spanMinutes) / kMinutesPerDay));
    }
    axis.tickCount = std::min(axis.tickCount, kMostTicks);
    axis.tickStep = 1;
    if (axis.tickCount > kMostLabels) {
        axis.tickCount /= 2;
        axis.tickStep = 2;
    }
}

void addTick(TimeAxis& axis, const MetFile& file, double minute, qint32 startSeconds, bool labelled)
{
    const double x = 60.0 * minute - startSeconds;
    if (x > axis.scaleWidth) {
        return;
    }
    TimeTick tick;
    tick.x = x;
    tick.labelled = labelled;
    tick.gridLine = x != 0.0;
    if (labelled) {
        tick.caption = tickCaption(file, minute, axis.tickMinutes);
    }
    axis.ticks.push_back(tick);
}

} // namespace

qint64 metRecordSeconds(const MetFile& file, int k)
{
    const MetRecord& record = file.record(k);
    return qint64(clockSeconds(record)) + qint64(metDayOffset(file.record(1), record, file.Source)) * 86400;
}

double metRecordX(const MetFile& file, int k, qint32 startSeconds)
{
    return double(metRecordSeconds(file, k) - startSeconds);
}

TimeAxis metTimeAxis(const MetFile& file, qint32 startSeconds)
{
    TimeAxis axis;
    const int last = file.recordCount();
    axis.scaleWidth = std::max(kShortestAxis, metRecordX(file, last, startSeconds));
    // ElapsedTime counts the days between the records already.
    axis.spanMinutes = int(Int(std::max(0, file.record(last).ElapsedTime) / 60.0));
    chooseTicks(axis);
    axis.title = axis.spanMinutes < kTwoDays ? QStringLiteral("Time Of Day") : QStringLiteral("Julian Day");

    const double startMinute = startSeconds / 60.0;
    axis.firstTickMinute = std::ceil(startMinute / axis.tickMinutes) * axis.tickMinutes;
    for (int k = 1; k <= axis.tickCount; ++k) {
        const double minute = axis.firstTickMinute + double(k - 1) * axis.tickMinutes * axis.tickStep;
        addTick(axis, file, minute, startSeconds, true);
        if (axis.tickStep == 2) {
            addTick(axis, file, minute + axis.tickMinutes, startSeconds, false);
        }
    }
    return axis;
}

ValueAxis metWindSpeedAxis(const MetFile& file)
{
    double largest = 0.0;
    for (int k = 1; k <= file.recordCount(); ++k) {
        const double speed = file.record(k).WindSpeed;
        if (speed > largest) {
            largest = roundHalfEven(speed);
        }
    }
    largest = std::max(largest, kFewestKnots);
    ValueAxis axis;
    axis.top = 1.25 * largest;
    axis.height = -axis.top;
    axis.gridStep = std::max(1.0, Int(axis.top / 4.0));
    axis.levels.push_back({ 0.0, QStringLiteral("0"), false });
    for (double y = axis.gridStep; y <= axis.top; y += axis.gridStep) {
        axis.levels.push_back({ y, Str(y), true });
    }
    axis.levels.back().caption += QStringLiteral("kts");
    return axis;
}

ValueAxis metTemperatureAxis(const MetFile& file)
{
    double hi = 0.0;
    double lo = 150.0;
    const bool ground = file.Source == MetSourceKitoon;
    for (int k = 1; k <= file.recordCount(); ++k) {
        const MetRecord& record = file.record(k);
        for (const float value : { record.AirTemp, record.GroundTemp }) {
            hi = std::max(hi, double(value));
            lo = std::min(lo, double(value));
            if (!ground) {
                break;
            }
        }
    }
    ValueAxis axis;
    axis.top = Int(hi + 1.0 + (hi - lo) / 5.0);
    axis.height = std::min(Int(-1.2 * (hi - lo)), -4.0);
    // The coldest value stands inside the graph, a degree above its bottom.
    const double bottom = std::min(axis.top + axis.height, Int(lo) - 1.0);
    axis.height = bottom - axis.top;
    axis.gridStep = std::max(1.0, Int(-axis.height / 4.0));
    const QString degree(QChar(0xB0));
    axis.levels.push_back({ bottom, Str(bottom), false });
    for (double y = bottom + axis.gridStep; y <= axis.top; y += axis.gridStep) {
        axis.levels.push_back({ y, Str(y) + degree, y < axis.top });
    }
    return axis;
}

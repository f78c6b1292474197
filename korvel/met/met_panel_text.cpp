#include "korvel/met/met_panel_text.h"

#include "korvel/workspace/program_globals.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <algorithm>
#include <cmath>

namespace {

const QChar kDegree(0xB0);

} // namespace

QString metDateText(const MetRecord& record)
{
    const auto& names = globals().MonthNames;
    const QString month = record.Month < names.size() && !names[record.Month].isEmpty()
        ? names[record.Month]
        : QString::number(record.Month);
    return month + u' ' + QString::number(record.Day) + QStringLiteral(", ") + record.Year;
}

QString metTimeText(const MetRecord& record)
{
    return QString::number(record.Hour) + u':' + Format(double(record.Minute), QStringLiteral("00")) + u':'
        + Format(double(record.Second), QStringLiteral("00"));
}

QString metSpeedText(float metresPerSecond)
{
    return Format(double(metresPerSecond), QStringLiteral("0.0")) + QStringLiteral(" m/s");
}

QString metTemperatureText(float fahrenheit)
{
    return Format(double(fahrenheit), QStringLiteral("0.0")) + kDegree + u'F';
}

QPointF compassNeedleEnd(QPointF centre, double length, int windDirectionDegrees)
{
    const double a = windDirectionDegrees * globals().Pi / 180.0;
    return { centre.x() + length * std::sin(a), centre.y() - length * std::cos(a) };
}

int playbackTimeFactor(int sliderValue)
{
    return 1 << (3 - std::clamp(sliderValue, 0, 3));
}

int playbackInterval(int sliderValue)
{
    return int(std::nearbyint(1000.0 / playbackTimeFactor(sliderValue)));
}

QString selectionClockText(const MetRecord& first, double selectionSeconds)
{
    const double start
        = (double(first.Hour) * 360.0 + double(first.Minute) * 6.0 + first.Second / 10.0) * 10.0;
    const qint64 t = qint64(std::nearbyint(start + selectionSeconds));
    const qint64 hours = qint64(Int(double(t) / 3600.0));
    const qint64 inHour = t - hours * 3600;
    return Str(double(hours)) + u':' + Format(double(inHour / 60), QStringLiteral("00")) + u':'
        + Format(double(inHour % 60), QStringLiteral("00"));
}

#include "korvel/shell/conversion_reach.h"

#include "korvel/shell/utm_projection.h"

#include <algorithm>
#include <cmath>

namespace {

// "81° W" for zone 17, "3° E" for zone 31.
QString centralMeridianText(int zone)
{
    const int meridian = static_cast<int>(UtmZoneWidth) * zone - 183;
    return QStringLiteral("%1%2 %3")
        .arg(std::abs(meridian))
        .arg(QChar(0xB0))
        .arg(meridian < 0 ? QLatin1Char('W') : QLatin1Char('E'));
}

// The zone 1..60 of a finite longitude, taken modulo 360 degrees.
int utmZoneOfLongitude(double longitudeDeg)
{
    const double east = std::fmod(std::fmod(longitudeDeg + 180.0, 360.0) + 360.0, 360.0);
    return std::clamp(static_cast<int>(east / UtmZoneWidth) + 1, 1, 60);
}

} // namespace

QString outOfReachMessage(const QString& subject, int zone, std::optional<double> middleLongitudeDeg,
    const QString& advice, const QString& outcome)
{
    QString message
        = QStringLiteral("Points of %1 lie more than %2 degrees of longitude from %3, the central "
                         "meridian of UTM zone %4, where that zone's projection no longer holds, "
                         "so %5.\r")
              .arg(subject, QString::number(UtmReachDeg), centralMeridianText(zone), QString::number(zone),
                  outcome);
    if (middleLongitudeDeg && std::isfinite(*middleLongitudeDeg)) {
        message += QStringLiteral("Its middle lies in UTM zone %1. ")
                       .arg(utmZoneOfLongitude(*middleLongitudeDeg));
    }
    return message + advice;
}

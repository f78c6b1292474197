#include "korvel/statistics/report_units.h"

#include "platform/vb_format.h"

#include <QLocale>

#include <cmath>

namespace {

const QString kAreaFormat = QStringLiteral("###,###,##0.00");
const QString kSpeedFormat = QStringLiteral("##0.00");

double acresFrom(double squareMetres)
{
    return squareMetres * std::pow(3.2808, 2) / 43560.0;
}

QString areaText(double value, bool metric)
{
    // A block beyond its zone's reach has no area to print.
    if (std::isnan(value)) {
        return QStringLiteral("n/a");
    }
    return inUserSeparators(Format(value, kAreaFormat))
        + (metric ? QStringLiteral(" ha") : QStringLiteral(" ac"));
}

} // namespace

QString inUserSeparators(const QString& formatted)
{
    const QLocale locale;
    const QString group = locale.groupSeparator();
    const QString decimal = locale.decimalPoint();
    QString text;
    text.reserve(formatted.size());
    for (const QChar c : formatted) {
        if (c == u',') {
            text += group;
        } else if (c == u'.') {
            text += decimal;
        } else {
            text += c;
        }
    }
    return text;
}

QString reportAreaText(double squareMetres, bool metric)
{
    return areaText(metric ? squareMetres / 10000.0 : acresFrom(squareMetres), metric);
}

QString reportTotalAreaText(float squareMetres, bool metric)
{
    return areaText(metric ? double(squareMetres / 10000.0f) : acresFrom(double(squareMetres)), metric);
}

QString reportSpeedText(double speedSum, qint64 samples, bool metric)
{
    if (samples == 0) {
        return QStringLiteral("n/a");
    }
    const double kmh = speedSum / double(samples) * 3.6;
    const double value = metric ? kmh : kmh / 1.609;
    return inUserSeparators(Format(value, kSpeedFormat))
        + (metric ? QStringLiteral(" km/h") : QStringLiteral(" mph"));
}

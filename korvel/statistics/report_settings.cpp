#include "korvel/statistics/report_settings.h"

#include "korvel/shell/reg_settings.h"

const QStringList& contactValueNames()
{
    static const QStringList names { QStringLiteral("Name"), QStringLiteral("Address"),
        QStringLiteral("Phone"), QStringLiteral("Fax"), QStringLiteral("Email") };
    return names;
}

const QStringList& applicationValueNames()
{
    static const QStringList names { QStringLiteral("Aircraft"), QStringLiteral("Registration"),
        QStringLiteral("Product"), QStringLiteral("ProductRate"), QStringLiteral("SprayRate") };
    return names;
}

QString reportText(const QString& section, const QString& name)
{
    return GetRegSetting(section, name, QString());
}

void storeReportText(const QString& section, const QString& name, const QString& text)
{
    if (text.isEmpty()) {
        DeleteRegSetting(section, name);
    } else {
        SaveRegSetting(section, name, text);
    }
}

int rateUnitsFromText(const QString& text)
{
    const QString code = text.trimmed();
    for (int units = 0; units <= 2; ++units) {
        if (code == rateUnitsText(units)) {
            return units;
        }
    }
    return DefaultRateUnits;
}

bool switchFromText(const QString& text, const QString& offText, const QString& onText, bool defaultValue)
{
    const QString code = text.trimmed();
    if (code.compare(onText, Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (code.compare(offText, Qt::CaseInsensitive) == 0) {
        return false;
    }
    return defaultValue;
}

int reportRateUnits()
{
    return rateUnitsFromText(reportText(ReportSection::Application, ReportValue::Units));
}

bool reportPrintsMap()
{
    return switchFromText(reportText(ReportSection::Layout, ReportValue::PrintGIS), printsMapText(false),
        printsMapText(true), true);
}

bool reportMapInColour()
{
    return switchFromText(reportText(ReportSection::Layout, ReportValue::GISColour), mapColourText(false),
        mapColourText(true), true);
}

QString rateUnitsText(int units)
{
    return QString::number(units);
}

QString printsMapText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString mapColourText(bool colour)
{
    return colour ? QStringLiteral("True") : QStringLiteral("False");
}

#include "korvel/agnav/agnav_job_settings.h"

#include "korvel/shell/reg_settings.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

namespace {

constexpr int kAircraftPositions = 10;
constexpr int kSpraySidePositions = 3;
constexpr int kBoomsOnPositions = 3;
constexpr int kSerialFormatPositions = 12;
constexpr int kLargestEllipsoidRow = 255;

// A stored whole number from first to last, else the default.
int storedNumber(const QString& section, const QString& name, int fallback, int first, int last)
{
    const QString text = GetRegSetting(section, name, QString::number(fallback));
    if (!IsNumeric(text)) {
        return fallback;
    }
    try {
        const qint32 value = CLng(text);
        return value >= first && value <= last ? value : fallback;
    } catch (const VbError&) {
        return fallback; // beyond 32 bits
    }
}

QString storedText(const QString& section, const QString& name, const QString& fallback)
{
    return GetRegSetting(section, name, fallback);
}

QString numberText(int value)
{
    return value < 0 ? QString() : QString::number(value);
}

} // namespace

AgnavJobSettings readAgnavJobSettings(const QString& section)
{
    const AgnavJobSettings d;
    AgnavJobSettings s;
    s.CoordSystem = storedNumber(section, QStringLiteral("CoordSystem"), d.CoordSystem, 1, 2);
    s.Units = storedNumber(section, QStringLiteral("Units"), d.Units, 1, 2);
    s.MaxXTrack = storedText(section, QStringLiteral("MaxXTrack"), d.MaxXTrack);
    s.NumAircraft
        = storedNumber(section, QStringLiteral("NumAircraft"), d.NumAircraft, 0, kAircraftPositions - 1);
    s.SpraySide = storedNumber(section, QStringLiteral("SpraySide"), d.SpraySide, 0, kSpraySidePositions - 1);
    s.BoomsOn = storedNumber(section, QStringLiteral("BoomsOn"), d.BoomsOn, 0, kBoomsOnPositions - 1);
    s.RaceTrack = storedText(section, QStringLiteral("RaceTrack"), d.RaceTrack);
    s.SkipTrack = storedText(section, QStringLiteral("SkipTrack"), d.SkipTrack);
    s.MagVar = storedText(section, QStringLiteral("MagVar"), d.MagVar);
    s.LagTime = storedText(section, QStringLiteral("LagTime"), d.LagTime);
    s.RelayOn = storedText(section, QStringLiteral("RelayOn"), d.RelayOn);
    s.RelayOff = storedText(section, QStringLiteral("RelayOff"), d.RelayOff);
    s.Ellipsoid = storedNumber(section, QStringLiteral("Ellipsoid"), d.Ellipsoid, 0, kLargestEllipsoidRow);
    s.Communication = storedNumber(
        section, QStringLiteral("Communication"), d.Communication, 0, kSerialFormatPositions - 1);
    s.LineNum = storedText(section, QStringLiteral("LineNum"), d.LineNum);
    s.LineDirection = storedText(section, QStringLiteral("LineDirection"), d.LineDirection);
    s.SwathWidth = storedText(section, QStringLiteral("SwathWidth"), d.SwathWidth);
    s.Offset = storedNumber(section, QStringLiteral("Offset"), d.Offset, 1, 2);
    return s;
}

void writeAgnavJobSettings(const QString& section, const AgnavJobSettings& s)
{
    SaveRegSetting(section, QStringLiteral("CoordSystem"), numberText(s.CoordSystem));
    SaveRegSetting(section, QStringLiteral("Units"), numberText(s.Units));
    SaveRegSetting(section, QStringLiteral("MaxXTrack"), s.MaxXTrack);
    SaveRegSetting(section, QStringLiteral("NumAircraft"), numberText(s.NumAircraft));
    SaveRegSetting(section, QStringLiteral("SpraySide"), numberText(s.SpraySide));
    SaveRegSetting(section, QStringLiteral("BoomsOn"), numberText(s.BoomsOn));
    SaveRegSetting(section, QStringLiteral("RaceTrack"), s.RaceTrack);
    SaveRegSetting(section, QStringLiteral("SkipTrack"), s.SkipTrack);
    SaveRegSetting(section, QStringLiteral("MagVar"), s.MagVar);
    SaveRegSetting(section, QStringLiteral("LagTime"), s.LagTime);
    SaveRegSetting(section, QStringLiteral("RelayOn"), s.RelayOn);
    SaveRegSetting(section, QStringLiteral("RelayOff"), s.RelayOff);
    SaveRegSetting(section, QStringLiteral("Ellipsoid"), numberText(s.Ellipsoid));
    if (s.Ellipsoid == 0) {
        SaveRegSetting(section, QStringLiteral("EllipsoidAxis"), s.EllipsoidAxis);
        SaveRegSetting(section, QStringLiteral("EllipsoidFlattening"), s.EllipsoidFlattening);
    } else {
        // Values of a named row must not outlive it; a failed deletion only
        // leaves values nothing reads.
        for (const QString& name :
            { QStringLiteral("EllipsoidAxis"), QStringLiteral("EllipsoidFlattening") }) {
            try {
                DeleteRegSetting(section, name);
            } catch (const VbError&) {
            }
        }
    }
    SaveRegSetting(section, QStringLiteral("Communication"), numberText(s.Communication));
    SaveRegSetting(section, QStringLiteral("LineNum"), s.LineNum);
    SaveRegSetting(section, QStringLiteral("LineDirection"), s.LineDirection);
    SaveRegSetting(section, QStringLiteral("SwathWidth"), s.SwathWidth);
    SaveRegSetting(section, QStringLiteral("Offset"), numberText(s.Offset));
}

int storedDefaultEllipsoidRow()
{
    return storedNumber(AgnavDefaultSection, QStringLiteral("Ellipsoid"), 22, 0, kLargestEllipsoidRow);
}

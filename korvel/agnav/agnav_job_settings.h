#pragma once
// The AG-NAV job values as the settings keep them: the section
// "AGNAVDefault" holds the user's defaults (written by the preferences, read
// by the job dialog's "Defaults" and by the guidance panels), "AGNAVPrevious"
// the values of the last job accepted in the job dialog (its "Previous").
// Both use the same value names. Texts are kept as the dialogs show them;
// list positions and option items as numbers.
#include <QString>

inline const QString AgnavDefaultSection = QStringLiteral("AGNAVDefault");
inline const QString AgnavPreviousSection = QStringLiteral("AGNAVPrevious");

struct AgnavJobSettings
{
    int CoordSystem = 2; // CoordOption item: 1 Lat/Long, 2 UTM
    int Units = 2; // UnitsOption item: 1 U.S., 2 Metric
    QString MaxXTrack = QStringLiteral("100");
    int NumAircraft = 0; // AircraftCombo position: 0 is one aircraft
    int SpraySide = 2; // SpraySideCombo position: 0 Left, 1 Right, 2 Center
    int BoomsOn = 1; // BoomsOnCombo position: 0 Inside Area, 1 Closure, 2 Opening of Contact
    QString RaceTrack = QStringLiteral("1");
    QString SkipTrack = QStringLiteral("1");
    QString MagVar = QStringLiteral("0"); // degrees, negative east
    QString LagTime = QStringLiteral("0");
    QString RelayOn = QStringLiteral("0");
    QString RelayOff = QStringLiteral("0");
    // The ellipsoid list's row (not the combo position); -1 writes nothing.
    int Ellipsoid = 22;
    // Stored only while the row is "USER-ENTER" (0); otherwise deleted.
    QString EllipsoidAxis;
    QString EllipsoidFlattening;
    int Communication = 6; // CommCombo position
    QString LineNum = QStringLiteral("20");
    QString LineDirection = QStringLiteral("0");
    QString SwathWidth = QStringLiteral("30");
    int Offset = 1; // OffsetOption item: 1 Half Swath, 2 None

    bool operator==(const AgnavJobSettings&) const = default;
};

// Reads a section, value by value, each missing value taking its default.
// A stored value that cannot stand for its control (an option item other
// than 1 or 2, a list position outside the list, an ellipsoid row that is no
// number from 0 to 255) takes the default too. The axis and flattening are
// never read. Failures of the settings store are raised.
AgnavJobSettings readAgnavJobSettings(const QString& section);

// Writes a section in the value order CoordSystem, Units, MaxXTrack,
// NumAircraft, SpraySide, BoomsOn, RaceTrack, SkipTrack, MagVar, LagTime,
// RelayOn, RelayOff, Ellipsoid, EllipsoidAxis and EllipsoidFlattening (or
// their deletion), Communication, LineNum, LineDirection, SwathWidth,
// Offset. An empty text is not written, so the value stored before stays.
void writeAgnavJobSettings(const QString& section, const AgnavJobSettings& settings);

// The row of the ellipsoid list stored in "AGNAVDefault" (22 when missing
// or no number from 0 to 255).
int storedDefaultEllipsoidRow();

#pragma once
// Program-wide values of the main program: set by the start-up procedure and
// the main window's creation, read everywhere.
#include <QString>
#include <array>
#include <vector>

// A reference ellipsoid: semi-major axis in metres and inverse flattening (1/f).
struct EllipsoidRecord
{
    QString Name;
    double Axis = 0.0; // 0 while no row of the ellipsoid table matched
    double InverseFlattening = 0.0;
};

// Two ellipsoids are the same when their axis and flattening are; the name
// does not count.
inline bool sameEllipsoid(const EllipsoidRecord& a, const EllipsoidRecord& b)
{
    return a.Axis == b.Axis && a.InverseFlattening == b.InverseFlattening;
}

struct ProgramGlobals
{
    QString RootDir; // the program folder, always ending in "/"
    QString StartDir; // the folder KORVEL was started in; empty: the current folder
    int ScreenWidth = 0; // pixels
    int ScreenHeight = 0;

    bool GISLoaded = false;
    bool AGNAVLoaded = false;
    bool ImageLoaded = false;
    bool MetLoaded = false; // meteorological data is loaded (its panel is open)
    int MetCount = 0; // meteorological sources loaded, at most 8

    bool UTMMode = true; // map coordinates: UTM metres, or longitude/latitude degrees when False
    double Pi = 3.14159265358979323846;
    QString CoordFormat = QStringLiteral("0"); // "0" in UTM mode, "0.0000" in latitude/longitude

    bool ImmediateGraph = true;
    bool MetricSystem = true;
    QString OptimizationFile;

    EllipsoidRecord Ellipsoid; // the ellipsoid in use
    std::vector<EllipsoidRecord> EllipsoidTable; // rows of "ellipsoid.dat", index 0 unused
    std::array<QString, 13> MonthNames;
    std::array<QString, 2> HemisphereLetters;
};

ProgramGlobals& globals();
void resetProgramGlobals();

// The updater beside the main program: "quillet", the "Quillet.exe" of the
// menus and messages.
QString updaterPath();

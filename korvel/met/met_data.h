#pragma once
// The meteorological sources held beside the map data: up to eight of them,
// each the records of a Kitoon data file ("TET"), of a tall-tower data file
// ("TOW") or one record typed in by hand ("MAN"), with the record each source
// shows and the clock time its recording starts at. The loaders and the
// manual entry append sources, the playback and "Go To Time" move the
// positions, the panel, the graphs and the optimization overlay read them.
//
// MetCount and MetLoaded are program-wide values (program_globals.h); the
// source shown, CurrentMet, is the main window's. Lists here run from 1 and
// keep an unused element 0.
#include <QString>
#include <QtGlobal>

#include <array>
#include <vector>

inline constexpr int MaxMetSources = 8;

// Source codes.
inline const QString MetSourceKitoon = QStringLiteral("TET");
inline const QString MetSourceTower = QStringLiteral("TOW");
inline const QString MetSourceManual = QStringLiteral("MAN");

// One sample. Speeds are in metres per second, temperatures in degrees
// Fahrenheit, directions in whole degrees (where the wind comes from).
struct MetRecord
{
    qint16 Day = 0; // day of the month (Kitoon), of the year (tall tower), 0 (manual)
    quint8 Month = 0; // 1..12 for Kitoon data as read (a file may hold more), 0 otherwise
    QString Year = QStringLiteral("  "); // last two digits of the year, blank-padded to 2 characters
    quint8 Hour = 0;
    quint8 Minute = 0;
    quint8 Second = 0;
    qint32 ElapsedTime = 0; // seconds since the first record of the file
    qint16 WindDirection = 0;
    float WindSpeed = 0.0f;
    float AirTemp = 0.0f; // aloft (Kitoon), at the tower, or as typed
    float GroundTemp = 0.0f; // Kitoon only
};

struct MetFile
{
    QString FileName; // the data file's name without its folder, or "Manual Entry"
    QString Source; // MetSourceKitoon, MetSourceTower or MetSourceManual
    std::vector<MetRecord> Records = std::vector<MetRecord>(1); // 1..recordCount()

    int recordCount() const { return int(Records.size()) - 1; }
    // Record k (1-based); an index outside the records gives the first one.
    const MetRecord& record(int k) const;
};

// c0 (metres), c1 (metres per metre-per-second) and c2 (metres per
// (metre per second) squared) of the optimization module read last.
using OptCoefficients = std::array<float, 3>;

struct MetData
{
    std::vector<MetFile> MetFiles = std::vector<MetFile>(1); // 1..MetCount
    // Per source: the record shown (from 1) and the clock time of the first
    // record in seconds of the day. Entries outlive their source; the next
    // source added overwrites the ones it uses.
    std::vector<qint32> MetPosition = std::vector<qint32>(1);
    std::vector<qint32> MetStartTime = std::vector<qint32>(1);
    OptCoefficients Coefficients { 0.0f, 0.0f, 0.0f };
};

MetData& metData();
void resetMetData();

// True when source `index` is loaded (1..MetCount).
bool metSourceLoaded(int index);
// The loaded source `index`; raises error 9 outside 1..MetCount.
MetFile& metSource(int index);
// The record source `index` shows at its MetPosition.
const MetRecord& currentMetRecord(int index);

// Appends a source as MetCount + 1 with its position at record 1 and its
// start time, and returns its number; MetLoaded becomes True. The caller has
// checked that fewer than MaxMetSources are loaded.
int appendMetSource(MetFile source, qint32 startTime);
// Removes every source: MetCount 0, MetLoaded False. Positions and start
// times stay for the next sources to overwrite.
void removeMetSources();

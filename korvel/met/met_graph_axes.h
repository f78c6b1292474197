#pragma once
// The axes of the meteorology window's three graphs, worked out from the
// records of the source shown: the shared time axis (X in seconds since the
// first record) with its ticks and labels, and the value axes of the wind
// speed and temperature graphs. The wind direction graph's value axis is
// fixed: 0 to 360 degrees, labelled N, E, S, W, N.
#include "korvel/met/met_data.h"

#include <QString>
#include <vector>

// The clock time of record k in seconds from midnight of the first record's
// day: hour x 3600 + minute x 60 + second + whole days since the first
// record x 86400 (met_time.h counts the days).
qint64 metRecordSeconds(const MetFile& file, int k);
// The record's X in the graphs: metRecordSeconds less the source's start time.
double metRecordX(const MetFile& file, int k, qint32 startSeconds);

struct TimeTick
{
    double x = 0.0; // seconds since the first record
    bool labelled = true; // the half-way ticks between labels carry none
    bool gridLine = true; // no grid line stands on the graph's left edge
    QString caption; // "9:45", or the day number on a day axis
};

struct TimeAxis
{
    double scaleWidth = 60.0; // X of the last record, at least a minute
    int spanMinutes = 0;
    int tickMinutes = 15;
    int tickCount = 0;
    double firstTickMinute = 0.0; // minute of the first record's day
    int tickStep = 1;
    QString title; // "Time Of Day", or "Julian Day" from two days on
    std::vector<TimeTick> ticks; // left to right, inside 0..scaleWidth
};

// Ticks for a span under two days every fifth of it rounded to a multiple of
// 15 minutes, at least 15; otherwise one a day. The first tick is the next
// whole multiple of the interval from the start; past ten ticks only every
// second one is labelled. Clock labels read the time of day ("0:30" after
// midnight).
TimeAxis metTimeAxis(const MetFile& file, qint32 startSeconds);

struct AxisLevel
{
    double y = 0.0;
    QString caption;
    bool gridLine = true;
};

struct ValueAxis
{
    double top = 0.0; // ScaleTop
    double height = 0.0; // ScaleHeight, negative: values grow upwards
    double gridStep = 1.0;
    std::vector<AxisLevel> levels; // from the bottom label up
};

// 0 to 1.25 times the largest speed (whole, at least 4), grid lines a
// quarter of the height apart in whole units, the top label followed by "kts".
ValueAxis metWindSpeedAxis(const MetFile& file);
// Air temperatures, and a Kitoon file's ground temperatures, with a fifth
// of their range and a degree of room above, 1.2 times the range high (at
// least 4 degrees) and reaching at least a degree below the coldest value.
ValueAxis metTemperatureAxis(const MetFile& file);

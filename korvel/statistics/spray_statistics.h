#pragma once
// The statistics pass: every ticked flight of every block walked sample by
// sample into six histograms, the tables the statistics window draws and the
// printed report reads.
//
//   1 spray time        runs (booms on to booms off) by duration
//   2 turn time         gaps between a spray-off and the next spray-on, of
//                       more than 5 and at most 500 seconds
//   3 application rate  sprayed samples by deviation from the target rate,
//                       in 5 % steps from -30 % to +30 %
//   4 cross-track error sprayed samples by distance from the line, in
//                       quarter swaths from -1.25 to +1.25 swath widths
//   5 altitude          sprayed samples by altitude above sea level
//   6 DGPS quality      sprayed samples by the DGPS byte: "Good", "Fair",
//                       "Poor", "No DGPS"
//
// It walks twice. The first walk finds the ranges of the spray-time,
// turn-time and altitude axes from the flow (a run starts where the flow
// rises from 0); ten bins of a whole-second (or whole-metre) width then cover
// each range. The second walk counts runs and turns by the boom state and the
// sprayed samples by the flow (the boom state in a log without flow data,
// where the flow holds the calibrated speed and the target the ground speed).
//
// Every count is 32-bit. A bin number that falls outside its table (the two
// walks see runs differently; a clock that runs backwards) is held to the
// nearest bin. A sprayed sample whose rate or cross-track share has no value
// (target flow or ground speed 0, a flight whose swath width is 0) counts in
// no histogram, so graphs 3 to 6 share one total. With no turn the turn-time
// axis starts at 0 with 1-second bins; with no sprayed sample the altitude
// axis starts at 0 with 1-metre bins.
#include <QtGlobal>

#include <array>
#include <vector>

struct AgnavData;

inline constexpr int SprayTimeBinCount = 10;
inline constexpr int TurnTimeBinCount = 10;
inline constexpr int RateBinCount = 13; // deviation steps -6..6 at bins 0..12
inline constexpr int CrossTrackBinCount = 11; // quarter swaths -5..5 at bins 0..10
inline constexpr int AltitudeBinCount = 10;
inline constexpr int DGPSBinCount = 4; // "Good", "Fair", "Poor", "No DGPS"

// Turns shorter than this or longer than the next limit are not turns.
inline constexpr double ShortestTurn = 5.0; // seconds, excluded
inline constexpr double LongestTurn = 500.0; // seconds, included

struct SprayStatistics
{
    std::array<qint32, SprayTimeBinCount> SprayTimeCounts {};
    std::array<double, TurnTimeBinCount> TurnTimeCounts {}; // whole numbers
    std::array<qint32, RateBinCount> RateCounts {};
    std::array<qint32, CrossTrackBinCount> CrossTrackCounts {};
    std::array<qint32, AltitudeBinCount> AltitudeCounts {};
    std::array<qint32, DGPSBinCount> DGPSCounts {};

    qint32 SprayRunCount = 0; // total of graph 1
    qint32 TurnCount = 0; // total of graph 2
    qint32 SprayedSampleCount = 0; // total of graphs 3 to 6

    // Axes, in seconds: graph 1 from 0, graph 2 from MinTurnTime, each
    // ten bins of the width.
    double MaxSprayTime = 1.0;
    double SprayBinWidth = 1.0;
    double MinTurnTime = 0.0;
    double MaxTurnTime = 0.0;
    int TurnBinWidth = 1;
    // Graph 5, in metres above sea level: ten bins from MinAltitude.
    int MinAltitude = 0;
    int MaxAltitude = 0;
    int AltitudeBinWidth = 1;
};

// The pass over the flights of agnav.Blocks(1..BlockCount) whose sub-row of
// the "Loaded Files" list is ticked: tickedSubRows[r] is the tick of sub-row
// r (Check3(r)), numbered over all blocks as the list numbers them; a row
// the vector does not hold counts as not ticked.
SprayStatistics computeSprayStatistics(const AgnavData& agnav, const std::vector<bool>& tickedSubRows);

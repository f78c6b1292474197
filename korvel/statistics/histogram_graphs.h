#pragma once
// What each of the six bar graphs of the statistics window shows, worked out
// from the statistics pass: the percentage of every bar, the picture's user
// scale while the graph is drawn and the one left for the bar readouts, the
// grid lines with their y labels and the captions of the x labels. The window
// only places and paints what this says; the printed report reads the same
// percent range.
//
// A bar's height is its count in percent of the graph's total (runs, turns
// or sprayed samples). The y axis runs from 0 at the bottom edge to a little
// above the tallest bar: 1.05 times its percentage (1.2 times in graph 4;
// graph 6 stops at 100 %). A graph whose total is 0 has no bars, no grid and
// no y labels, only its x labels; its axis then runs to 105 % (graph 4 to
// 120 %, graph 6 to 100 %) for the readouts.
#include "korvel/statistics/spray_statistics.h"

#include <QString>
#include <vector>

// The graphs, numbered as the window's tabs.
enum StatGraph : int {
    SprayTimeGraph = 1,
    TurnTimeGraph = 2,
    ApplicationRateGraph = 3,
    CrossTrackGraph = 4,
    AltitudeGraph = 5,
    DGPSGraph = 6,
};
inline constexpr int StatGraphCount = 6;

// A picture's user scale: x from left to right edge, y from 0 at the bottom
// edge to top (percent). top is held in single precision, as the picture
// holds it.
struct GraphScale
{
    double left = 0.0;
    double right = 1.0;
    double top = 1.0;
};

// A horizontal grid line at `percent`, with y label `labelElement` (0 when
// the line has none) reading `caption`.
struct GraphGridLine
{
    int percent = 0;
    int labelElement = 0;
    QString caption;
};

// An x label: the element of the graph's label array, its caption, the x
// (drawing scale) of what it marks, and its place on the axis from the
// axis's start or centre (where too many labels leave every second one).
struct GraphAxisLabel
{
    int element = 0;
    QString caption;
    double at = 0.0;
    int rank = 0;
};

// The colour a bar takes when it has none of its own: the picture's fill colour.
inline constexpr qint32 PictureFillColour = -1;

struct GraphBar
{
    double left = 0.0; // drawing scale
    double right = 0.0;
    float percent = 0.0f;
    qint32 fillColour = PictureFillColour; // 0x00BBGGRR
};

struct HistogramGraph
{
    std::vector<double> counts; // bins left to right
    double total = 0.0; // runs, turns or sprayed samples
    double tallestCount = 0.0;
    double tallestPercent = 100.0; // 100 when the total is 0
    GraphScale drawing; // while the graph is drawn
    GraphScale readout; // left on the picture for the bar readouts
    int firstReadoutBin = 0; // the readout's bin number of counts[0]
    std::vector<GraphGridLine> grid; // bottom to top; none when the total is 0
    std::vector<GraphAxisLabel> xLabels;
    // The stored "0" under the left edge is wrong for a turn-time axis that
    // does not start at 0, where a label of its own marks the edge.
    bool hideStoredXLabel = false;
    std::vector<GraphBar> bars; // none when the total is 0
};

HistogramGraph histogramGraph(const SprayStatistics& stats, StatGraph graph);

// The fill colour of application-rate bin 0..12 (deviation step m = bin - 6):
// green at 0, fading to blue below (under-application) and to red above.
qint32 rateBarColour(int bin);

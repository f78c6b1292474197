#pragma once
// The statistics page's five bar charts: spray time, turn time, application
// rate, cross-track error and altitude, as the statistics window shows them
// (its DGPS graph is not printed). Each is drawn in its frame of the page's
// geometry, in the window's own percent range: 0 % on the frame's bottom
// edge, the top of the window's axis on its top edge, so a bar of p percent
// of a graph whose axis tops out at T percent is p / T of GraphHeight tall.
//
// Everything is black, in three passes over the graphs 1 to 5, so frames lie
// over bar edges and grid ends:
//
//   1. grid lines every 5 % up to the axis top; the value labels under the
//      frame, on one line: the bin edges of graphs 1, 2 and 5 (seconds,
//      seconds, metres), the bar centres of graph 3 (-30% .. 30%) and graph
//      4 (-1.25 .. 1.25 swath widths), whose open outer bins are marked "<"
//      and ">"; then the percent labels left of the frame, each centred on
//      its grid line. Arial 8. A label is printed only where it covers no
//      label printed before and stays in its room (left of its frame, or
//      between its frame and the next): where a whole axis would run
//      together, every second or fourth label is printed;
//   2. the bars, side by side without gaps, outlined and hatched downwards
//      (FillStyle 5) one dot wide;
//   3. the frames, 3 dots wide.
//
// A graph with nothing counted (no spray run, no turn, no sprayed sample)
// prints its frame and value labels only: no bars, no grid, no percent labels.
#include "korvel/statistics/histogram_graphs.h"
#include "korvel/statistics/report_statistics_geometry.h"
#include "korvel/statistics/spray_statistics.h"
#include "platform/printer.h"

#include <array>

// What the page prints of the statistics pass: the pass itself (its axes)
// and graphs 1..5 as the window describes them (their counts, totals and
// percent ranges).
struct ReportHistograms
{
    SprayStatistics pass;
    std::array<HistogramGraph, PrintedGraphCount + 1> graphs; // 1..5
};

ReportHistograms reportHistograms(const SprayStatistics& pass);

// Leaves the font at 8 points, not bold, DrawWidth 3 and FillStyle transparent.
void printHistograms(
    Printer& printer, const StatisticsPageGeometry& geometry, const ReportHistograms& histograms);

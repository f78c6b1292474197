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
//   1. grid lines every 5 % up to the axis top, each with its percent label
//      left of the frame (graphs 1 to 4 with the label's top a line below
//      its grid line, graph 5 just above it), and the value labels under
//      the frame: the bin edges of graphs 1, 2 and 5 (seconds, seconds,
//      metres), the bar centres of graph 3 (-30% .. 30%) and graph 4
//      (-1.25 .. 1.25 swath widths), whose open outer bins are marked "<"
//      and ">"; Arial 8, every label printed with a Print that ends its line;
//   2. the bars, side by side without gaps, outlined and hatched downwards
//      (FillStyle 5) one dot wide;
//   3. the frames, 3 dots wide.
//
// A graph with nothing counted (no spray run, no turn, no sprayed sample)
// has no bars: its frame, grid and labels print all the same.
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

#include "korvel/statistics/histogram_graphs.h"

#include "platform/vb_colors.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double TopMargin = 1.05; // the axis runs this far above the tallest bar
constexpr double CrossTrackTopMargin = 1.2;
constexpr int GridStep = 5; // percent
constexpr int WideDGPSGridStep = 10;
constexpr double WideDGPSGridAbove = 50.0; // tallest DGPS count above which the grid is 10 %
constexpr double EmptyGraphPercent = 100.0;
constexpr double RateAxisEdge = 32.5; // percent deviation at either edge of graph 3
constexpr int RateSteps = 6; // 5 % steps either side of 0
const QStringList DGPSNames { QStringLiteral("Good"), QStringLiteral("Fair"), QStringLiteral("Poor"),
    QStringLiteral("No DGPS") };

template <std::size_t N, typename T> std::vector<double> asCounts(const std::array<T, N>& table)
{
    return std::vector<double>(table.begin(), table.end());
}

// The counts, total and tallest bar of a graph; its percent range follows.
HistogramGraph counted(std::vector<double> counts, double total)
{
    HistogramGraph graph;
    graph.counts = std::move(counts);
    graph.total = total;
    for (double count : graph.counts) {
        if (count > graph.tallestCount) {
            graph.tallestCount = count;
        }
    }
    graph.tallestPercent = total > 0.0 ? 100.0 * graph.tallestCount / total : EmptyGraphPercent;
    return graph;
}

double singlePrecision(double value)
{
    return double(float(value));
}

// Grid lines every `step` percent up to the top; `labelled` says which get
// a y label, element percent / step, reading `caption(percent)`.
template <typename Labelled, typename Caption>
void addGrid(HistogramGraph& graph, int step, Labelled labelled, Caption caption)
{
    if (graph.total <= 0.0) {
        return; // nothing counted: no percentage to read off a grid
    }
    for (int percent = step; percent <= graph.drawing.top; percent += step) {
        GraphGridLine line { percent, 0, QString() };
        if (labelled(percent)) {
            line.labelElement = percent / step;
            line.caption = caption(percent);
        }
        graph.grid.push_back(line);
    }
}

// The usual y labels: every 5 % line, " 5%", " 10%", ...
void addPlainGrid(HistogramGraph& graph)
{
    addGrid(
        graph, GridStep, [](int) { return true; }, [](int percent) { return Str(percent) + u'%'; });
}

// Bars of `width` from `left` upwards, one per count, with no colour of their own.
void addBars(HistogramGraph& graph, double left, double width)
{
    if (graph.total <= 0.0) {
        return;
    }
    for (std::size_t n = 0; n < graph.counts.size(); ++n) {
        const double barLeft = left + double(n) * width;
        graph.bars.push_back(
            { barLeft, barLeft + width, float(100.0 * graph.counts[n] / graph.total), PictureFillColour });
    }
}

// Graph 1 (spray time) and graph 2 (turn time): ten bins of `width` seconds
// from `start`, a label at every bin edge after the first.
HistogramGraph timeGraph(std::vector<double> counts, double total, double start, double width)
{
    HistogramGraph graph = counted(std::move(counts), total);
    const double top = singlePrecision(TopMargin * graph.tallestPercent);
    graph.drawing = { start, start + 10.0 * width, top };
    graph.readout = { 0.0, 10.0, top };
    addPlainGrid(graph);
    for (int k = 1; k <= 10; ++k) {
        const double tick = start + k * width;
        graph.xLabels.push_back({ int(std::nearbyint(tick)), Str(tick), tick, k });
    }
    addBars(graph, start, width);
    return graph;
}

HistogramGraph sprayTimeGraph(const SprayStatistics& stats)
{
    return timeGraph(asCounts(stats.SprayTimeCounts), stats.SprayRunCount, 0.0, stats.SprayBinWidth);
}

HistogramGraph turnTimeGraph(const SprayStatistics& stats)
{
    HistogramGraph graph
        = timeGraph(asCounts(stats.TurnTimeCounts), stats.TurnCount, stats.MinTurnTime, stats.TurnBinWidth);
    // The left edge's own label: the stored "0" when the axis starts at 0,
    // a label of the axis's start otherwise.
    if (stats.MinTurnTime != 0.0) {
        const double start = stats.MinTurnTime;
        graph.xLabels.insert(graph.xLabels.begin(), { int(std::nearbyint(start)), Str(start), start, 0 });
        graph.hideStoredXLabel = true;
    }
    return graph;
}

HistogramGraph applicationRateGraph(const SprayStatistics& stats)
{
    HistogramGraph graph = counted(asCounts(stats.RateCounts), stats.SprayedSampleCount);
    const double top = singlePrecision(TopMargin * graph.tallestPercent);
    graph.drawing = { -RateAxisEdge, RateAxisEdge, top };
    graph.readout = graph.drawing;
    graph.firstReadoutBin = -RateSteps;
    // Grid lines every 5 %, labels every 10 %.
    addGrid(
        graph, GridStep, [](int percent) { return percent % 10 == 0; },
        [](int percent) { return Str(percent) + u'%'; });
    for (int i = 1; i <= 11; ++i) {
        const int deviation = 5 * (i - 6);
        graph.xLabels.push_back(
            { i, Format(deviation, QStringLiteral("##0")) + u'%', double(deviation), i - 6 });
    }
    addBars(graph, -RateAxisEdge, 5.0);
    for (std::size_t n = 0; n < graph.bars.size(); ++n) {
        graph.bars[n].fillColour = rateBarColour(int(n));
    }
    return graph;
}

HistogramGraph crossTrackGraph(const SprayStatistics& stats)
{
    HistogramGraph graph = counted(asCounts(stats.CrossTrackCounts), stats.SprayedSampleCount);
    const double top = singlePrecision(CrossTrackTopMargin * graph.tallestPercent);
    // Drawn in swath widths from -1.5 to 1.25, one quarter per bin; read in
    // bins from -5 to 6.
    graph.drawing = { -1.5, 1.25, top };
    graph.readout = { -5.0, 6.0, top };
    graph.firstReadoutBin = -5;
    addPlainGrid(graph);
    for (int n = 1; n <= 9; ++n) {
        graph.xLabels.push_back(
            { n, Format(n / 4.0 - 1.25, QStringLiteral("##0.00")), n / 4.0 - 1.375, n - 5 });
    }
    addBars(graph, -1.5, 0.25);
    return graph;
}

HistogramGraph altitudeGraph(const SprayStatistics& stats)
{
    HistogramGraph graph = counted(asCounts(stats.AltitudeCounts), stats.SprayedSampleCount);
    const double top = singlePrecision(TopMargin * graph.tallestPercent);
    const double start = stats.MinAltitude;
    const double width = stats.AltitudeBinWidth;
    graph.drawing = { start, start + 10.0 * width, top };
    graph.readout = { 0.0, 10.0, top };
    addPlainGrid(graph);
    // Labels at the bin edges, up to the first edge above the maximum.
    graph.xLabels.push_back({ 0, CStr(stats.MinAltitude), start, 0 });
    const double lastEdge = double(stats.MaxAltitude - stats.MinAltitude) / width + 1.0;
    for (int i = 1; i <= lastEdge; ++i) {
        graph.xLabels.push_back({ i, Str(start + i * width), start + i * width, i });
    }
    addBars(graph, start, width);
    return graph;
}

HistogramGraph dgpsGraph(const SprayStatistics& stats)
{
    HistogramGraph graph = counted(asCounts(stats.DGPSCounts), stats.SprayedSampleCount);
    // One bin holding every sample reaches the top exactly.
    const double percent = graph.tallestPercent;
    const double top = singlePrecision(percent >= 100.0 ? percent : TopMargin * percent);
    graph.drawing = { 1.0, 5.0, top };
    graph.readout = graph.drawing;
    graph.firstReadoutBin = 1;
    // The step depends on the tallest count of samples, not on its share.
    const int step = graph.tallestCount > WideDGPSGridAbove ? WideDGPSGridStep : GridStep;
    addGrid(
        graph, step, [](int) { return true; }, [](int percent) { return CStr(percent) + u'%'; });
    for (int i = 1; i <= DGPSBinCount; ++i) {
        graph.xLabels.push_back({ i, DGPSNames[i - 1], i + 0.5, i });
    }
    addBars(graph, 1.0, 1.0);
    return graph;
}

} // namespace

HistogramGraph histogramGraph(const SprayStatistics& stats, StatGraph graph)
{
    switch (graph) {
    case SprayTimeGraph:
        return sprayTimeGraph(stats);
    case TurnTimeGraph:
        return turnTimeGraph(stats);
    case ApplicationRateGraph:
        return applicationRateGraph(stats);
    case CrossTrackGraph:
        return crossTrackGraph(stats);
    case AltitudeGraph:
        return altitudeGraph(stats);
    case DGPSGraph:
        return dgpsGraph(stats);
    }
    return {};
}

qint32 rateBarColour(int bin)
{
    const int step = std::abs(bin - RateSteps);
    const double share = double(step) / RateSteps;
    const auto channel = [](double value) { return int(std::nearbyint(value * 255.0)); };
    if (bin < RateSteps) {
        return RGB(0, channel(1.0 - share), channel(share));
    }
    return RGB(channel(share), channel(1.0 - share), 0);
}

// What each graph shows from hand-set statistics: its scales, grid, labels
// and bars, and a graph with nothing to show.
#include "korvel/statistics/histogram_graphs.h"
#include "platform/vb_colors.h"

#include <gtest/gtest.h>

namespace {

// Tallest bars: graph 1 75 %, 2 50 %, 3 80 %, 4 100 %, 5 50 %, 6 100 %.
SprayStatistics handSet()
{
    SprayStatistics stats;
    stats.SprayTimeCounts = { 1, 3 };
    stats.SprayRunCount = 4;
    stats.SprayBinWidth = 5;
    stats.TurnTimeCounts = { 0, 2, 0, 0, 0, 0, 0, 0, 0, 2 };
    stats.TurnCount = 4;
    stats.MinTurnTime = 20;
    stats.TurnBinWidth = 3;
    stats.RateCounts = { 1, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 1 };
    stats.CrossTrackCounts = { 0, 0, 0, 0, 0, 10 };
    stats.AltitudeCounts = { 5, 0, 0, 0, 0, 0, 0, 0, 0, 5 };
    stats.MinAltitude = 100;
    stats.MaxAltitude = 120;
    stats.AltitudeBinWidth = 3;
    stats.DGPSCounts = { 10 };
    stats.SprayedSampleCount = 10;
    return stats;
}

QStringList captions(const std::vector<GraphAxisLabel>& labels)
{
    QStringList texts;
    for (const GraphAxisLabel& label : labels) {
        texts << label.caption;
    }
    return texts;
}

std::vector<int> elements(const std::vector<GraphAxisLabel>& labels)
{
    std::vector<int> numbers;
    for (const GraphAxisLabel& label : labels) {
        numbers.push_back(label.element);
    }
    return numbers;
}

TEST(HistogramGraphs, ScalesForDrawingAndForTheReadout)
{
    struct Case
    {
        StatGraph graph;
        GraphScale drawing;
        GraphScale readout;
        int firstReadoutBin;
    };
    const Case cases[] = {
        { SprayTimeGraph, { 0, 50, 78.75 }, { 0, 10, 78.75 }, 0 },
        { TurnTimeGraph, { 20, 50, 52.5 }, { 0, 10, 52.5 }, 0 },
        { ApplicationRateGraph, { -32.5, 32.5, 84 }, { -32.5, 32.5, 84 }, -6 },
        { CrossTrackGraph, { -1.5, 1.25, 120 }, { -5, 6, 120 }, -5 },
        { AltitudeGraph, { 100, 130, 52.5 }, { 0, 10, 52.5 }, 0 },
        { DGPSGraph, { 1, 5, 100 }, { 1, 5, 100 }, 1 }, // one bar at 100 % reaches the top
    };
    const SprayStatistics stats = handSet();
    for (const Case& c : cases) {
        const HistogramGraph graph = histogramGraph(stats, c.graph);
        EXPECT_DOUBLE_EQ(graph.drawing.left, c.drawing.left) << c.graph;
        EXPECT_DOUBLE_EQ(graph.drawing.right, c.drawing.right) << c.graph;
        EXPECT_FLOAT_EQ(float(graph.drawing.top), float(c.drawing.top)) << c.graph;
        EXPECT_DOUBLE_EQ(graph.readout.left, c.readout.left) << c.graph;
        EXPECT_DOUBLE_EQ(graph.readout.right, c.readout.right) << c.graph;
        EXPECT_FLOAT_EQ(float(graph.readout.top), float(c.readout.top)) << c.graph;
        EXPECT_EQ(graph.firstReadoutBin, c.firstReadoutBin) << c.graph;
    }
}

TEST(HistogramGraphs, GridLinesAndTheirLabels)
{
    struct Case
    {
        const char* name;
        HistogramGraph graph;
        int lines;
        std::vector<int> labelElements;
        QString firstCaption;
        QString lastCaption;
    };
    SprayStatistics wideDGPS;
    wideDGPS.DGPSCounts = { 60 };
    wideDGPS.SprayedSampleCount = 60;
    SprayStatistics low; // the tallest bar at 4 %: the top is below the first line
    low.SprayTimeCounts = { 1 };
    low.SprayRunCount = 25;
    const SprayStatistics stats = handSet();
    const Case cases[] = {
        { "every line labelled", histogramGraph(stats, SprayTimeGraph), 15,
            { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 }, " 5%", " 75%" },
        { "graph 3 labels every other line", histogramGraph(stats, ApplicationRateGraph), 16,
            { 2, 4, 6, 8, 10, 12, 14, 16 }, " 10%", " 80%" },
        { "DGPS at 5 % steps, no blank", histogramGraph(stats, DGPSGraph), 20,
            { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20 }, "5%", "100%" },
        { "DGPS over 50 samples: 10 % steps", histogramGraph(wideDGPS, DGPSGraph), 10,
            { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }, "10%", "100%" },
        { "a top below 5 %", histogramGraph(low, SprayTimeGraph), 0, {}, "", "" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(int(c.graph.grid.size()), c.lines) << c.name;
        std::vector<int> labelled;
        QStringList texts;
        for (const GraphGridLine& line : c.graph.grid) {
            if (line.labelElement != 0) {
                labelled.push_back(line.labelElement);
                texts << line.caption;
            }
        }
        EXPECT_EQ(labelled, c.labelElements) << c.name;
        EXPECT_EQ(texts.value(0), c.firstCaption) << c.name;
        EXPECT_EQ(texts.isEmpty() ? QString() : texts.last(), c.lastCaption) << c.name;
    }
}

TEST(HistogramGraphs, XLabels)
{
    SprayStatistics fromZero = handSet();
    fromZero.MinTurnTime = 0;
    SprayStatistics oneAltitude = handSet();
    oneAltitude.MinAltitude = oneAltitude.MaxAltitude = 250;
    oneAltitude.AltitudeBinWidth = 1;
    struct Case
    {
        const char* name;
        HistogramGraph graph;
        std::vector<int> elements;
        QStringList captions;
        bool hideStored;
    };
    const SprayStatistics stats = handSet();
    const Case cases[] = {
        { "spray time: the bin edges", histogramGraph(stats, SprayTimeGraph),
            { 5, 10, 15, 20, 25, 30, 35, 40, 45, 50 },
            { " 5", " 10", " 15", " 20", " 25", " 30", " 35", " 40", " 45", " 50" }, false },
        { "turn time from 20 s: the edge has its own label", histogramGraph(stats, TurnTimeGraph),
            { 20, 23, 26, 29, 32, 35, 38, 41, 44, 47, 50 },
            { " 20", " 23", " 26", " 29", " 32", " 35", " 38", " 41", " 44", " 47", " 50" }, true },
        { "turn time from 0 s: the stored \"0\" stays", histogramGraph(fromZero, TurnTimeGraph),
            { 3, 6, 9, 12, 15, 18, 21, 24, 27, 30 },
            { " 3", " 6", " 9", " 12", " 15", " 18", " 21", " 24", " 27", " 30" }, false },
        { "application rates", histogramGraph(stats, ApplicationRateGraph),
            { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 },
            { "-25%", "-20%", "-15%", "-10%", "-5%", "0%", "5%", "10%", "15%", "20%", "25%" }, false },
        { "cross-track in swath widths", histogramGraph(stats, CrossTrackGraph),
            { 1, 2, 3, 4, 5, 6, 7, 8, 9 },
            { "-1.00", "-0.75", "-0.50", "-0.25", "0.00", "0.25", "0.50", "0.75", "1.00" }, false },
        { "altitude 100 to 120 m", histogramGraph(stats, AltitudeGraph), { 0, 1, 2, 3, 4, 5, 6, 7 },
            { "100", " 103", " 106", " 109", " 112", " 115", " 118", " 121" }, false },
        { "altitude all at 250 m", histogramGraph(oneAltitude, AltitudeGraph), { 0, 1 }, { "250", " 251" },
            false },
        { "DGPS names", histogramGraph(stats, DGPSGraph), { 1, 2, 3, 4 },
            { "Good", "Fair", "Poor", "No DGPS" }, false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(elements(c.graph.xLabels), c.elements) << c.name;
        EXPECT_EQ(captions(c.graph.xLabels), c.captions) << c.name;
        EXPECT_EQ(c.graph.hideStoredXLabel, c.hideStored) << c.name;
    }
}

TEST(HistogramGraphs, ApplicationRateBarsSpanTheirStepAndFadeGreenToBlueAndRed)
{
    const HistogramGraph graph = histogramGraph(handSet(), ApplicationRateGraph);
    ASSERT_EQ(graph.bars.size(), 13u);
    const int expected[13][3] = { { 0, 0, 255 }, { 0, 42, 212 }, { 0, 85, 170 }, { 0, 128, 128 },
        { 0, 170, 85 }, { 0, 212, 42 }, { 0, 255, 0 }, { 42, 212, 0 }, { 85, 170, 0 }, { 128, 128, 0 },
        { 170, 85, 0 }, { 212, 42, 0 }, { 255, 0, 0 } };
    for (int bin = 0; bin < 13; ++bin) {
        const GraphBar& bar = graph.bars[std::size_t(bin)];
        EXPECT_DOUBLE_EQ(bar.left, 5.0 * (bin - 6) - 2.5) << bin;
        EXPECT_DOUBLE_EQ(bar.right, 5.0 * (bin - 6) + 2.5) << bin;
        EXPECT_EQ(bar.fillColour, RGB(expected[bin][0], expected[bin][1], expected[bin][2])) << bin;
    }
    EXPECT_FLOAT_EQ(graph.bars[6].percent, 80.0f);
    EXPECT_FLOAT_EQ(graph.bars[0].percent, 10.0f);
}

TEST(HistogramGraphs, AGraphWithNoTotalHasAnAxisButNoBarsNorGrid)
{
    const SprayStatistics nothing;
    const std::pair<StatGraph, float> tops[]
        = { { SprayTimeGraph, 105.0f }, { TurnTimeGraph, 105.0f }, { ApplicationRateGraph, 105.0f },
              { CrossTrackGraph, 120.0f }, { AltitudeGraph, 105.0f }, { DGPSGraph, 100.0f } };
    for (const auto& [which, top] : tops) {
        const HistogramGraph graph = histogramGraph(nothing, which);
        EXPECT_TRUE(graph.bars.empty()) << which;
        EXPECT_FLOAT_EQ(float(graph.drawing.top), top) << which;
        EXPECT_TRUE(graph.grid.empty()) << which << ": no percentage to read";
        EXPECT_FALSE(graph.xLabels.empty()) << which;
    }
}

} // namespace

// The value of the bar under the pointer: which bar each graph reads at its
// edges, when the pointer is too high, and how the percentage is written.
#include "korvel/statistics/bar_readout.h"

#include <gtest/gtest.h>

namespace {

// Bars of a third and two thirds in every graph, the rest empty.
SprayStatistics thirds()
{
    SprayStatistics stats;
    stats.SprayTimeCounts = { 1, 2 };
    stats.SprayRunCount = 3;
    stats.TurnTimeCounts = { 0, 0, 0, 0, 0, 0, 0, 0, 1, 2 };
    stats.TurnCount = 3;
    stats.RateCounts = { 0, 0, 0, 0, 0, 1, 0, 2 };
    stats.CrossTrackCounts = { 0, 0, 0, 0, 1, 2 };
    stats.AltitudeCounts = { 1, 2 };
    stats.DGPSCounts = { 1, 0, 0, 2 };
    stats.SprayedSampleCount = 3;
    return stats;
}

// The pointer at (x, y) of a graph and the readout shown there.
struct PointerCase
{
    const char* name;
    StatGraph graph;
    float x;
    float y;
    QString text;
};

QString readout(const SprayStatistics& stats, StatGraph graph, float x, float y)
{
    return barReadout(histogramGraph(stats, graph), graph, x, y);
}

TEST(BarReadout, TheBarUnderThePointer)
{
    const PointerCase cases[] = {
        { "spray time, first bar", SprayTimeGraph, 0.5f, 10.0f, "33.33 %" },
        { "spray time, just short of the second bar's right edge", SprayTimeGraph, 1.99f, 60.0f, "66.67 %" },
        { "turn time, last bar", TurnTimeGraph, 9.5f, 1.0f, "66.67 %" },
        { "altitude, second bar", AltitudeGraph, 1.0f, 1.0f, "66.67 %" },
        { "rates: -2.5 reads the bar below", ApplicationRateGraph, -2.5f, 1.0f, "33.33 %" },
        { "rates: 2.5 reads the bar above", ApplicationRateGraph, 2.5f, 1.0f, "66.67 %" },
        { "rates: 0 reads the centre bar", ApplicationRateGraph, 0.0f, 1.0f, "0.0 %" },
        { "cross-track: -0.5 reads bin -1", CrossTrackGraph, -0.5f, 1.0f, "33.33 %" },
        { "cross-track: 0 reads the centre bar", CrossTrackGraph, 0.0f, 1.0f, "66.67 %" },
        { "DGPS: 1 to 2 is \"Good\", cut to 33.33", DGPSGraph, 1.0f, 1.0f, "33.33 %" },
        { "DGPS: 4 to 5 is \"No DGPS\", cut to 66.66", DGPSGraph, 4.99f, 1.0f, "66.66 %" },
        { "an empty bar reads 0.0", SprayTimeGraph, 5.0f, 5.0f, "0.0 %" },
        { "an empty DGPS bar reads 0", DGPSGraph, 2.5f, 4.0f, "0 %" },
    };
    const SprayStatistics stats = thirds();
    for (const PointerCase& c : cases) {
        EXPECT_EQ(readout(stats, c.graph, c.x, c.y), c.text) << c.name;
    }
}

TEST(BarReadout, NoReadoutAboveTheBarOrOffTheBins)
{
    const float third = float(1.0 / 3.0 * 100.0);
    const PointerCase cases[] = {
        { "exactly at the top of the bar", SprayTimeGraph, 0.5f, third, "33.33 %" },
        { "just above the bar", SprayTimeGraph, 0.5f, third + 0.01f, "" },
        { "above an empty bar, at 5 %", SprayTimeGraph, 3.5f, 5.0f, "0.0 %" },
        { "above an empty bar, over 5 %", SprayTimeGraph, 3.5f, 5.01f, "" },
        { "the right edge of a 0..10 graph", SprayTimeGraph, 10.0f, 1.0f, "" },
        { "left of the graph", SprayTimeGraph, -1.5f, 1.0f, "" },
        { "the rate graph's left edge", ApplicationRateGraph, -32.5f, 1.0f, "" },
        { "the rate graph's right edge", ApplicationRateGraph, 32.5f, 1.0f, "" },
        { "past the cross-track graph", CrossTrackGraph, 6.0f, 1.0f, "" },
        { "left of the DGPS graph", DGPSGraph, 0.5f, 1.0f, "" },
    };
    const SprayStatistics stats = thirds();
    for (const PointerCase& c : cases) {
        EXPECT_EQ(readout(stats, c.graph, c.x, c.y), c.text) << c.name;
    }
    EXPECT_EQ(readout(SprayStatistics(), SprayTimeGraph, 0.5f, 1.0f), "") << "a graph with no total";
    EXPECT_EQ(readout(SprayStatistics(), DGPSGraph, 1.5f, 1.0f), "");
}

TEST(BarReadout, RoundedOrCutText)
{
    struct Case
    {
        int count;
        int total;
        QString rounded; // graphs 1 to 5
        QString cut; // graph 6
    };
    const Case cases[] = {
        { 1, 8, "12.5 %", "12.5 %" },
        { 8, 8, "100.0 %", "100 %" },
        { 2, 3, "66.67 %", "66.66 %" },
        { 1, 7, "14.29 %", "14.28 %" },
    };
    for (const Case& c : cases) {
        SprayStatistics stats;
        stats.AltitudeCounts[0] = c.count;
        stats.DGPSCounts[0] = c.count;
        stats.SprayedSampleCount = c.total;
        EXPECT_EQ(readout(stats, AltitudeGraph, 0.5f, 1.0f), c.rounded) << c.count << "/" << c.total;
        EXPECT_EQ(readout(stats, DGPSGraph, 1.5f, 1.0f), c.cut) << c.count << "/" << c.total;
    }
}

} // namespace

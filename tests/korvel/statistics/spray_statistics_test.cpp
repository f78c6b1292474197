// The statistics pass on flights built by hand: runs, turns, rates,
// cross-track errors and altitudes counted into hand-computed bins, the
// flights taken by their list rows, and the edges of every axis.
#include "korvel/statistics/spray_statistics.h"
#include "tests/korvel/statistics/statistics_test_data.h"

#include <gtest/gtest.h>
#include <numeric>

namespace {

SprayStatistics statsOf(std::vector<FlightFile> flights)
{
    const int rows = int(flights.size());
    return computeSprayStatistics(agnavOf({ blockOf(std::move(flights)) }), allTicked(rows));
}

SprayStatistics statsOf(const std::vector<StatSample>& samples, int swath = 30, bool noFlowData = false)
{
    return statsOf({ flightOf(samples, swath, noFlowData) });
}

template <typename T, std::size_t N> std::vector<double> asVector(const std::array<T, N>& table)
{
    return std::vector<double>(table.begin(), table.end());
}

template <std::size_t N> int onlyBin(const std::array<qint32, N>& table)
{
    int found = -1;
    for (std::size_t bin = 0; bin < N; ++bin) {
        if (table[bin] != 0) {
            EXPECT_EQ(found, -1) << "more than one bin counted";
            found = int(bin);
        }
    }
    return found;
}

// Off 1..10, a 20 s run at the exact rate (altitude 100, on the line), off
// 31..60, a 10 s run at +5 % (altitude 150, 30 % of the swath right), off
// 71..78, a 4 s run at -10 % (altitude 187, 133 % left), off to the end.
// Sample s is recorded at s seconds.
std::vector<StatSample> handComputedFlight()
{
    std::vector<StatSample> samples;
    appendSamples(samples, 10, 0, 100, 50);
    appendSamples(samples, 20, 100, 100, 100, 0);
    appendSamples(samples, 30, 0, 100, 50);
    appendSamples(samples, 10, 105, 100, 150, 9);
    appendSamples(samples, 8, 0, 100, 50);
    appendSamples(samples, 4, 90, 100, 187, -40);
    appendSamples(samples, 8, 0, 100, 50);
    return samples;
}

TEST(SprayStatisticsPass, HandComputedFlight)
{
    const SprayStatistics stats = statsOf(handComputedFlight());

    // Runs of 20, 10 and 4 s; the longest gives 21 s, so bins of 3 s.
    EXPECT_EQ(stats.MaxSprayTime, 21.0);
    EXPECT_EQ(stats.SprayBinWidth, 3.0);
    EXPECT_EQ(asVector(stats.SprayTimeCounts), (std::vector<double> { 0, 1, 0, 1, 0, 0, 1, 0, 0, 0 }));
    EXPECT_EQ(stats.SprayRunCount, 3);
    // The range takes the first spray-on's 11 s from the flight's start too:
    // 8 to 31 s, bins of 3 s. The turns counted are 30 s and 8 s only.
    EXPECT_EQ(stats.MinTurnTime, 8.0);
    EXPECT_EQ(stats.MaxTurnTime, 31.0);
    EXPECT_EQ(stats.TurnBinWidth, 3);
    EXPECT_EQ(asVector(stats.TurnTimeCounts), (std::vector<double> { 1, 0, 0, 0, 0, 0, 0, 1, 0, 0 }));
    EXPECT_EQ(stats.TurnCount, 2);
    // 100 to 187 m rounds to 100 to 185, bins of 9 m.
    EXPECT_EQ(stats.MinAltitude, 100);
    EXPECT_EQ(stats.MaxAltitude, 185);
    EXPECT_EQ(stats.AltitudeBinWidth, 9);
    EXPECT_EQ(asVector(stats.AltitudeCounts), (std::vector<double> { 20, 0, 0, 0, 0, 10, 0, 0, 0, 4 }));
    EXPECT_EQ(asVector(stats.RateCounts), (std::vector<double> { 0, 0, 0, 0, 4, 0, 20, 10, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(asVector(stats.CrossTrackCounts), (std::vector<double> { 4, 0, 0, 0, 0, 20, 10, 0, 0, 0, 0 }));
    EXPECT_EQ(asVector(stats.DGPSCounts), (std::vector<double> { 34, 0, 0, 0 }))
        << "the logs carry no DGPS byte: every sprayed sample is \"Good\"";
    EXPECT_EQ(stats.SprayedSampleCount, 34);
}

TEST(SprayStatisticsPass, FlightsTakePartByTheirListRow)
{
    // Block 1 with guidance lines and exclusion zones (rows 1 and 2) and two
    // flights (rows 3 and 4); block 2 with one flight (row 5). The flights
    // spray 1, 2 and 4 samples.
    const auto sprayed = [](int count) {
        std::vector<StatSample> samples;
        appendSamples(samples, count, 100);
        return flightOf(samples);
    };
    const AgnavData agnav
        = agnavOf({ blockOf({ sprayed(1), sprayed(2) }, true, true), blockOf({ sprayed(4) }) });
    struct Case
    {
        const char* name;
        std::vector<bool> ticked; // rows 0..
        int sprayedSamples;
    };
    const Case cases[] = {
        { "every row", { false, true, true, true, true, true }, 7 },
        { "guidance and exclusion rows only", { false, true, true, false, false, false }, 0 },
        { "the second flight comes right after the first", { false, false, false, false, true, false }, 2 },
        { "the next block's rows follow", { false, false, false, false, false, true }, 4 },
        { "rows past the list's end", { false, true, true, true }, 1 },
        { "no list", {}, 0 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(computeSprayStatistics(agnav, c.ticked).SprayedSampleCount, c.sprayedSamples) << c.name;
    }
}

TEST(SprayStatisticsPass, AnUntickedFlightLeavesEvenTheRangesAlone)
{
    std::vector<StatSample> wild;
    appendSamples(wild, 400, 200, 100, 5000);
    const AgnavData agnav = agnavOf({ blockOf({ flightOf(handComputedFlight()), flightOf(wild) }) });
    const SprayStatistics stats = computeSprayStatistics(agnav, { false, true, false });
    EXPECT_EQ(stats.SprayBinWidth, 3.0);
    EXPECT_EQ(stats.MaxAltitude, 185);
    EXPECT_EQ(stats.SprayedSampleCount, 34);
}

TEST(SprayStatisticsPass, RateBins)
{
    struct Case
    {
        const char* name;
        qint16 flow;
        qint16 target;
        bool noFlowData;
        int bin;
    };
    const Case cases[] = {
        { "exact rate", 100, 100, false, 6 },
        { "+2.4 %", 1024, 1000, false, 6 },
        // 41 / 40 - 1 is 2.499999999999991 % in double precision, exactly
        // 2.5 once held as a float: bin 7, not 6.
        { "+2.5 % computed in double, held as float", 41, 40, false, 7 },
        { "-2.5 %", 39, 40, false, 5 },
        { "+5 %", 105, 100, false, 7 },
        { "-10 %", 90, 100, false, 4 },
        { "exactly +27.5 %", 1275, 1000, false, 12 },
        { "+40 %", 140, 100, false, 12 },
        { "exactly -27.5 %", 725, 1000, false, 0 },
        { "far below", 1, 100, false, 0 },
        { "a negative target", 100, -100, false, 0 },
        // Without flow data the flow holds the calibrated speed and the
        // target the ground speed: flying faster than calibrated sprays less.
        { "no flow data, 10 % faster than calibrated", 100, 110, true, 8 },
        { "no flow data, slower than calibrated", 110, 100, true, 4 },
    };
    for (const Case& c : cases) {
        std::vector<StatSample> samples;
        appendSamples(samples, 1, c.flow, c.target);
        const SprayStatistics stats = statsOf(samples, 30, c.noFlowData);
        EXPECT_EQ(onlyBin(stats.RateCounts), c.bin) << c.name;
    }
}

TEST(SprayStatisticsPass, CrossTrackBins)
{
    struct Case
    {
        const char* name;
        qint32 crossTrack; // of a swath of 1000
        int bin;
    };
    const Case cases[] = {
        { "on the line", 0, 5 },
        { "exactly -12.5 %", -125, 5 },
        { "exactly 12.5 %", 125, 6 },
        { "a swath right", 1000, 9 },
        { "exactly -112.5 %", -1125, 1 },
        { "just beyond -112.5 %", -1126, 0 },
        { "exactly 112.5 %", 1125, 10 },
        { "far right", 100000, 10 },
    };
    for (const Case& c : cases) {
        std::vector<StatSample> samples;
        appendSamples(samples, 1, 100, 100, 100, c.crossTrack);
        EXPECT_EQ(onlyBin(statsOf(samples, 1000).CrossTrackCounts), c.bin) << c.name;
    }
}

TEST(SprayStatisticsPass, DGPSBins)
{
    const std::pair<quint8, int> cases[]
        = { { 0, 0 }, { 19, 0 }, { 20, 1 }, { 59, 2 }, { 79, 3 }, { 80, 3 }, { 255, 3 } };
    for (const auto& [quality, bin] : cases) {
        std::vector<StatSample> samples;
        appendSamples(samples, 1, 100, 100, 100, 0, quality);
        EXPECT_EQ(onlyBin(statsOf(samples).DGPSCounts), bin) << "DGPS byte " << int(quality);
    }
}

TEST(SprayStatisticsPass, SprayTimeAxis)
{
    struct Case
    {
        float longestRun; // seconds
        double maxSprayTime;
        double binWidth;
    };
    const Case cases[] = {
        { 3.0f, 4, 1 },
        { 47.0f, 48, 5 },
        { 49.5f, 50, 6 },
        { 101.2f, 105, 11 },
    };
    for (const Case& c : cases) {
        const std::vector<StatSample> samples { { 10.0f, 1, 100, 100 }, { 10.0f + c.longestRun, 0, 0, 100 } };
        const SprayStatistics stats = statsOf(samples);
        EXPECT_EQ(stats.MaxSprayTime, c.maxSprayTime) << c.longestRun;
        EXPECT_EQ(stats.SprayBinWidth, c.binWidth) << c.longestRun;
        EXPECT_EQ(stats.SprayRunCount, 1) << "every run counts, however short";
    }
}

TEST(SprayStatisticsPass, TurnsLongerThanFiveAndUpToFiveHundredSeconds)
{
    struct Case
    {
        float gap; // seconds from spray-off to the next spray-on
        int turns;
    };
    const Case cases[] = { { 3.0f, 0 }, { 5.0f, 0 }, { 5.5f, 1 }, { 500.0f, 1 }, { 600.0f, 0 } };
    for (const Case& c : cases) {
        // Run, gap, run, then off: the second spray-on lies before the last spray-off.
        const std::vector<StatSample> samples { { 10.0f, 1, 100, 100 }, { 20.0f, 0, 0, 100 },
            { 20.0f + c.gap, 1, 100, 100 }, { 30.0f + c.gap, 0, 0, 100 } };
        EXPECT_EQ(statsOf(samples).TurnCount, c.turns) << "gap of " << c.gap << " s";
    }
}

TEST(SprayStatisticsPass, TheFirstSprayOnAndOneAfterTheLastSprayOffMakeNoTurn)
{
    // The last run never ends: its spray-on lies after the flight's last spray-off.
    const std::vector<StatSample> samples { { 100.0f, 1, 100, 100 }, { 110.0f, 0, 0, 100 },
        { 130.0f, 1, 100, 100 }, { 140.0f, 0, 0, 100 }, { 160.0f, 1, 100, 100 } };
    const SprayStatistics stats = statsOf(samples);
    EXPECT_EQ(stats.TurnCount, 1) << "only the 20 s turn between the runs";
    EXPECT_EQ(stats.SprayRunCount, 2);
}

TEST(SprayStatisticsPass, AltitudeAxis)
{
    struct Case
    {
        const char* name;
        qint32 low;
        qint32 high;
        int min;
        int max;
        int width;
    };
    const Case cases[] = {
        { "a range of 20 is not rounded", 100, 120, 100, 120, 3 },
        { "one altitude", 250, 250, 250, 250, 1 },
        { "rounded to multiples of 5", 103, 187, 100, 185, 9 },
        { "the maximum goes to the nearest multiple of 5", 102, 143, 100, 145, 5 },
    };
    for (const Case& c : cases) {
        std::vector<StatSample> samples;
        appendSamples(samples, 1, 100, 100, c.low);
        appendSamples(samples, 1, 100, 100, c.high);
        const SprayStatistics stats = statsOf(samples);
        EXPECT_EQ(stats.MinAltitude, c.min) << c.name;
        EXPECT_EQ(stats.MaxAltitude, c.max) << c.name;
        EXPECT_EQ(stats.AltitudeBinWidth, c.width) << c.name;
        EXPECT_EQ(std::accumulate(stats.AltitudeCounts.begin(), stats.AltitudeCounts.end(), 0), 2) << c.name;
    }
}

// Each of the guarded faults: none writes outside a table or gives an axis
// that cannot be drawn.
TEST(SprayStatisticsPass, NeutralAxesWithNothingToMeasure)
{
    const SprayStatistics empty = statsOf(std::vector<FlightFile> {});
    EXPECT_EQ(empty.MinTurnTime, 0.0) << "not 32000";
    EXPECT_EQ(empty.TurnBinWidth, 1) << "never negative";
    EXPECT_EQ(empty.MinAltitude, 0);
    EXPECT_EQ(empty.AltitudeBinWidth, 1);
    EXPECT_EQ(empty.SprayBinWidth, 1.0);
    EXPECT_EQ(empty.SprayedSampleCount, 0);

    // One sample, spraying: no run ends and no turn is found.
    std::vector<StatSample> one;
    appendSamples(one, 1, 100, 100, 80);
    const SprayStatistics single = statsOf(one);
    EXPECT_EQ(single.SprayedSampleCount, 1);
    EXPECT_EQ(single.SprayRunCount, 0);
    EXPECT_EQ(single.TurnBinWidth, 1);
    EXPECT_EQ(single.MinAltitude, 80);
    EXPECT_EQ(single.AltitudeCounts[0], 1);

    // One run only: its spray-on 20 s into the flight sets the turn range,
    // but no turn is counted.
    std::vector<StatSample> run;
    appendSamples(run, 19, 0);
    appendSamples(run, 10, 100);
    appendSamples(run, 5, 0);
    const SprayStatistics oneRun = statsOf(run);
    EXPECT_EQ(oneRun.SprayRunCount, 1);
    EXPECT_EQ(oneRun.TurnCount, 0);
    EXPECT_EQ(oneRun.MinTurnTime, 20.0);
    EXPECT_EQ(oneRun.TurnBinWidth, 1);
}

TEST(SprayStatisticsPass, SamplesWithoutADefinedShareAreLeftOut)
{
    std::vector<StatSample> samples;
    appendSamples(samples, 3, 100, 0); // no target
    appendSamples(samples, 2, 100, 100);
    const SprayStatistics stats = statsOf(samples);
    EXPECT_EQ(stats.SprayedSampleCount, 2);
    EXPECT_EQ(std::accumulate(stats.RateCounts.begin(), stats.RateCounts.end(), 0), 2);
    EXPECT_EQ(std::accumulate(stats.AltitudeCounts.begin(), stats.AltitudeCounts.end(), 0), 2)
        << "graphs 3 to 6 keep one total";

    EXPECT_EQ(statsOf(samples, 0).SprayedSampleCount, 0) << "a swath of 0 gives no cross-track share";

    std::vector<StatSample> standing; // no flow data, booms on, ground speed 0
    appendSamples(standing, 2, 0, 0);
    standing[0].spray = standing[1].spray = 1;
    standing[0].flow = standing[1].flow = 2778;
    EXPECT_EQ(statsOf(standing, 30, true).SprayedSampleCount, 0);
}

TEST(SprayStatisticsPass, CountsPassTheSixteenBitLimit)
{
    std::vector<StatSample> samples;
    appendSamples(samples, 40000, 100);
    const SprayStatistics stats = statsOf(samples);
    EXPECT_EQ(stats.RateCounts[6], 40000);
    EXPECT_EQ(stats.SprayedSampleCount, 40000);
}

TEST(SprayStatisticsPass, BinsOutsideTheirTablesAreHeldToTheEnds)
{
    // A clock that runs backwards gives a negative run; the booms switch
    // where the flow does not, so pass 2 finds a run pass 1 never saw.
    const std::vector<StatSample> backwards { { 50.0f, 1, 100, 100 }, { 40.0f, 0, 0, 100 } };
    EXPECT_EQ(statsOf(backwards).SprayTimeCounts[0], 1);
    std::vector<StatSample> unseen { { 10.0f, 1, 0, 100 }, { 90.0f, 0, 0, 100 } };
    const SprayStatistics boomOnly = statsOf(unseen);
    EXPECT_EQ(boomOnly.SprayBinWidth, 1.0) << "pass 1 saw no flow";
    EXPECT_EQ(boomOnly.SprayTimeCounts[9], 1) << "80 s in bins of 1 s";

    // A hand-made log without flow data whose booms are on where the flow
    // is 0: pass 2 counts samples pass 1 never measured.
    std::vector<StatSample> uneven { { 1.0f, 1, 100, 100, 100 }, { 2.0f, 1, 0, 100, 10 },
        { 3.0f, 1, 0, 100, 500 } };
    const SprayStatistics outside = statsOf(uneven, 30, true);
    EXPECT_EQ(outside.MinAltitude, 100);
    EXPECT_EQ(outside.AltitudeBinWidth, 1);
    EXPECT_EQ(asVector(outside.AltitudeCounts), (std::vector<double> { 2, 0, 0, 0, 0, 0, 0, 0, 0, 1 }))
        << "10 m and 500 m are held to the first and the last bin";

    // Below sea level the axis starts below 0 and still covers every altitude.
    std::vector<StatSample> low;
    appendSamples(low, 1, 100, 100, -38);
    appendSamples(low, 1, 100, 100, 10);
    const SprayStatistics belowSea = statsOf(low);
    EXPECT_EQ(belowSea.MinAltitude, -35);
    EXPECT_EQ(belowSea.AltitudeBinWidth, 5);
    EXPECT_EQ(belowSea.AltitudeCounts[0], 1);
    EXPECT_EQ(belowSea.AltitudeCounts[9], 1);
}

} // namespace

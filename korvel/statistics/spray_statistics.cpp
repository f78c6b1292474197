#include "korvel/statistics/spray_statistics.h"

#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/list_rows.h"
#include "platform/vb_numbers.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Starting extremes, beyond any turn time or recorded altitude.
constexpr double NoTurnYet = 32000.0;
constexpr int NoAltitudeYet = 32000;

// Deviations beyond this many percent share the outer bins.
constexpr float RateClip = 27.5f;
constexpr float RateBeyondLow = -27.51f;
constexpr float RateBeyondHigh = 27.51f;
// Cross-track shares of the swath beyond this many percent share the outer bins.
constexpr float CrossTrackClip = 112.5f;
constexpr float CrossTrackBeyondLow = -125.125f;
constexpr float CrossTrackBeyondHigh = 112.625f;
constexpr int DGPSStep = 20; // DGPS byte values per bin

double Sign(double value)
{
    return value > 0.0 ? 1.0 : (value < 0.0 ? -1.0 : 0.0);
}

// A bin number held inside a table of `count` bins; NaN goes to bin 0.
int heldBin(double bin, int count)
{
    if (!(bin > 0.0)) {
        return 0;
    }
    return bin >= count - 1 ? count - 1 : int(bin);
}

// One ticked flight, with the pass-1 marks of its spray: the sample of its
// first flow-based spray-on and of its last spray-off (0 while none).
struct TickedFlight
{
    const FlightFile* flight = nullptr;
    int samples = 0;
    int firstSprayOn = 0;
    int lastSprayOff = 0;
};

// Samples 1..n that every list the pass reads holds.
int usableSamples(const FlightFile& flight)
{
    const auto last = [](const auto& list) { return int(std::min<std::size_t>(list.size(), INT_MAX)) - 1; };
    return std::max(0,
        std::min({ flight.SampleCount, last(flight.Spray), last(flight.Flow), last(flight.Target),
            last(flight.Time), last(flight.Altitude), last(flight.CrossTrack) }));
}

std::vector<TickedFlight> tickedFlights(const AgnavData& agnav, const std::vector<bool>& tickedSubRows)
{
    std::vector<TickedFlight> flights;
    int base = 0; // sub-rows of the blocks before this one
    const int blockCount = std::min(agnav.BlockCount, int(agnav.Blocks.size()) - 1);
    for (int b = 1; b <= blockCount; ++b) {
        const AGNAVBlock& block = agnav.Blocks[std::size_t(b)];
        const int first = base + subRowsBeforeFlights(block);
        const int flightCount = std::min(block.FlightCount, int(block.Flights.size()) - 1);
        for (int f = 1; f <= flightCount; ++f) {
            const std::size_t row = std::size_t(first + f);
            if (row < tickedSubRows.size() && tickedSubRows[row]) {
                const FlightFile& flight = block.Flights[std::size_t(f)];
                flights.push_back({ &flight, usableSamples(flight) });
            }
        }
        base += blockSubRowCount(block);
    }
    return flights;
}

// Pass 1's extremes, before they are rounded into axes.
struct Ranges
{
    double maxSprayTime = 0.0;
    double minTurnTime = NoTurnYet;
    double maxTurnTime = 0.0;
    int minAltitude = NoAltitudeYet;
    int maxAltitude = 0;
};

// Pass 1 over one flight: spray-on where the flow rises from 0, spray-off
// where it falls to 0. The gap from the last spray-off to a spray-on is a
// turn; before the first spray-off it counts from the flight's time 0.
void gatherRanges(TickedFlight& ticked, Ranges& ranges)
{
    const FlightFile& flight = *ticked.flight;
    const qint16* flow = flight.Flow.data();
    const float* time = flight.Time.data();
    const qint32* altitude = flight.Altitude.data();
    int runStart = 0;
    int lastSprayOff = 0;
    for (int s = 1; s <= ticked.samples; ++s) {
        const int now = flow[s];
        const int before = flow[s - 1];
        if (before == 0 && now > 0) {
            runStart = s;
            if (ticked.firstSprayOn == 0) {
                ticked.firstSprayOn = s;
            }
        }
        if (before > 0 && now == 0) {
            const float duration = time[s] - time[runStart];
            ranges.maxSprayTime = std::max(ranges.maxSprayTime, double(duration));
            lastSprayOff = s;
            ticked.lastSprayOff = s;
        }
        if (before == 0 && now != 0) {
            const double turn = double(time[s] - time[lastSprayOff]);
            if (turn > ShortestTurn && turn <= LongestTurn) {
                ranges.maxTurnTime = std::max(ranges.maxTurnTime, turn);
                ranges.minTurnTime = std::min(ranges.minTurnTime, turn);
            }
        }
        if (now > 0) {
            ranges.minAltitude = std::min(ranges.minAltitude, int(altitude[s]));
            ranges.maxAltitude = std::max(ranges.maxAltitude, int(altitude[s]));
        }
    }
}

// Ten bins of a whole width that cover each range; long ranges are first
// widened to multiples of 5.
void setUpAxes(const Ranges& ranges, SprayStatistics& stats)
{
    stats.MaxSprayTime = Fix(ranges.maxSprayTime + 1.0);
    if (stats.MaxSprayTime > 50.0) {
        stats.MaxSprayTime = std::floor(stats.MaxSprayTime / 5.0 + 0.99999) * 5.0;
    }
    stats.SprayBinWidth = Fix(stats.MaxSprayTime / 10.0) + 1.0;

    if (ranges.minTurnTime <= ranges.maxTurnTime) {
        stats.MinTurnTime = Fix(ranges.minTurnTime);
        stats.MaxTurnTime = Fix(ranges.maxTurnTime + 1.0);
        if (stats.MaxTurnTime - stats.MinTurnTime > 50.0) {
            stats.MinTurnTime = std::floor(stats.MinTurnTime / 5.0) * 5.0;
            stats.MaxTurnTime = std::floor(stats.MaxTurnTime / 5.0 + 0.99999) * 5.0;
        }
    } else {
        // No turn: a plain axis rather than one from 32000 with a negative width.
        stats.MinTurnTime = 0.0;
        stats.MaxTurnTime = 0.0;
    }
    stats.TurnBinWidth = int(Fix((stats.MaxTurnTime - stats.MinTurnTime) / 10.0)) + 1;

    if (ranges.minAltitude != NoAltitudeYet) {
        stats.MinAltitude = ranges.minAltitude;
        stats.MaxAltitude = ranges.maxAltitude;
        if (stats.MaxAltitude - stats.MinAltitude > 20) {
            stats.MinAltitude = int(Fix(stats.MinAltitude / 5.0)) * 5;
            // The nearest multiple of 5, halves up: it may lie below the maximum.
            stats.MaxAltitude = int(Fix(stats.MaxAltitude / 5.0 + 0.5)) * 5;
        }
    } else {
        stats.MinAltitude = 0;
        stats.MaxAltitude = 0;
    }
    stats.AltitudeBinWidth = int(Fix((stats.MaxAltitude - stats.MinAltitude) / 10.0)) + 1;
}

// The bins of graphs 3 to 6 for one sprayed sample. `sign` is -1 in a log
// without flow data, where a calibrated speed above the ground speed means
// under-application. Returns false, counting nothing, when the sample has
// no rate or cross-track share.
bool countSprayedSample(const FlightFile& flight, int s, double sign, SprayStatistics& stats)
{
    const int target = flight.Target[std::size_t(s)];
    if (target == 0 || flight.SwathWidth == 0) {
        return false;
    }
    // The deviation is held in single precision, as the bins were always
    // worked out: +2.5 % from 41 / 40 is 2.499999999999991 in double
    // precision and exactly 2.5 as a float, which is bin 7.
    float deviation = float((double(flight.Flow[std::size_t(s)]) / target - 1.0) * sign * 100.0);
    if (deviation < -RateClip) {
        deviation = RateBeyondLow;
    }
    if (deviation > RateClip) {
        deviation = RateBeyondHigh;
    }
    const double rateBin = Fix((double(deviation) + Sign(deviation) * 2.5) / 5.0) + 6.0;
    ++stats.RateCounts[std::size_t(heldBin(rateBin, RateBinCount))];

    float share = float(double(flight.CrossTrack[std::size_t(s)]) / flight.SwathWidth * 100.0);
    if (share < -CrossTrackClip) {
        share = CrossTrackBeyondLow;
    }
    if (share > CrossTrackClip) {
        share = CrossTrackBeyondHigh;
    }
    const double crossTrackBin = std::floor((double(share) + 12.5) / 25.0) + 5.0;
    ++stats.CrossTrackCounts[std::size_t(heldBin(crossTrackBin, CrossTrackBinCount))];

    const double altitudeBin
        = Fix(double(flight.Altitude[std::size_t(s)] - stats.MinAltitude) / stats.AltitudeBinWidth);
    ++stats.AltitudeCounts[std::size_t(heldBin(altitudeBin, AltitudeBinCount))];

    const int quality = std::size_t(s) < flight.DGPSQuality.size() ? flight.DGPSQuality[std::size_t(s)] : 0;
    ++stats.DGPSCounts[std::size_t(std::min(quality / DGPSStep, DGPSBinCount - 1))];
    return true;
}

// Pass 2 over one flight: runs and turns by the boom state. A spray-on makes
// a turn only after the flight's first flow-based spray-on and up to its
// last spray-off.
void countFlight(const TickedFlight& ticked, SprayStatistics& stats)
{
    const FlightFile& flight = *ticked.flight;
    const quint8* spray = flight.Spray.data();
    const qint16* flow = flight.Flow.data();
    const float* time = flight.Time.data();
    const double sign = flight.NoFlowData ? -1.0 : 1.0;
    int runStart = 0;
    int lastSprayOff = 1;
    for (int s = 1; s <= ticked.samples; ++s) {
        const bool sprayOn = spray[s] != 0 && spray[s - 1] == 0;
        const bool sprayOff = spray[s] == 0 && spray[s - 1] != 0;
        if (sprayOn) {
            runStart = s;
        }
        if (sprayOff) {
            const float duration = time[s] - time[runStart];
            ++stats.SprayTimeCounts[std::size_t(
                heldBin(Fix(double(duration) / stats.SprayBinWidth), SprayTimeBinCount))];
            ++stats.SprayRunCount;
            lastSprayOff = s;
        }
        if (sprayOn && s > ticked.firstSprayOn && s <= ticked.lastSprayOff) {
            const double turn = double(time[s] - time[lastSprayOff]);
            if (turn > ShortestTurn && turn <= LongestTurn) {
                const double bin = Fix((turn - stats.MinTurnTime) / stats.TurnBinWidth);
                stats.TurnTimeCounts[std::size_t(heldBin(bin, TurnTimeBinCount))] += 1.0;
                ++stats.TurnCount;
            }
        }
        const int state = flight.NoFlowData ? int(spray[s]) : int(flow[s]);
        if (state > 0 && countSprayedSample(flight, s, sign, stats)) {
            ++stats.SprayedSampleCount;
        }
    }
}

} // namespace

SprayStatistics computeSprayStatistics(const AgnavData& agnav, const std::vector<bool>& tickedSubRows)
{
    SprayStatistics stats;
    std::vector<TickedFlight> flights = tickedFlights(agnav, tickedSubRows);
    Ranges ranges;
    for (TickedFlight& flight : flights) {
        gatherRanges(flight, ranges);
    }
    setUpAxes(ranges, stats);
    for (const TickedFlight& flight : flights) {
        countFlight(flight, stats);
    }
    return stats;
}

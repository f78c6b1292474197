// The statistics pass over 1,000,000 recorded samples, as one day's flight
// and as 20 flights of 50,000 samples, every flight ticked. The target is at
// most 50 ms for the million.
//
//   scripts/build -DKORVEL_BENCH=ON && build/bench/spray_statistics_bench
#include "korvel/statistics/spray_statistics.h"
#include "korvel/workspace/agnav_block.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

constexpr int TotalSamples = 1000000;

// Passes up and down a field five samples a second: booms on inside the
// field, off in the turns at its edges, flow wandering around the target,
// the aircraft drifting about its line and its altitude.
FlightFile makeFlight(int seed, int samples)
{
    FlightFile flight;
    const std::size_t size = std::size_t(samples) + 1;
    flight.Spray.assign(size, 0);
    flight.Flow.assign(size, 0);
    flight.Target.assign(size, 0);
    flight.Colour.assign(size, 0);
    flight.DGPSQuality.assign(size, 0);
    flight.Altitude.assign(size, 0);
    flight.Time.assign(size, 0.0f);
    flight.CrossTrack.assign(size, 0);
    flight.Position.assign(size, FlightPosition());
    for (int i = 1; i <= samples; ++i) {
        const int along = i % 400;
        const bool inField = along > 20 && along < 380;
        flight.Spray[std::size_t(i)] = inField ? 1 : 0;
        flight.Flow[std::size_t(i)] = qint16(inField ? 85 + (i * 13 + seed) % 31 : 0);
        flight.Target[std::size_t(i)] = 100;
        flight.Altitude[std::size_t(i)] = 300 + (i * 7 + seed) % 40;
        flight.Time[std::size_t(i)] = float(36000.0 + i * 0.2);
        flight.CrossTrack[std::size_t(i)] = (i * 37 + seed) % 61 - 30;
    }
    flight.SampleCount = samples;
    flight.SwathWidth = 30;
    return flight;
}

// One block holding the million samples split into `count` flights.
const AgnavData& loaded(int count)
{
    static std::map<int, AgnavData> made;
    AgnavData& agnav = made[count];
    if (agnav.BlockCount == 0) {
        AGNAVBlock block;
        for (int n = 0; n < count; ++n) {
            block.Flights.push_back(makeFlight(n, TotalSamples / count));
        }
        block.FlightCount = count;
        agnav.Blocks.push_back(std::move(block));
        agnav.BlockCount = 1;
        agnav.FlightCount = count;
    }
    return agnav;
}

void computeStatistics(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const AgnavData& agnav = loaded(count);
    const std::vector<bool> ticked(std::size_t(count) + 1, true);
    for (auto _ : state) {
        SprayStatistics stats = computeSprayStatistics(agnav, ticked);
        benchmark::DoNotOptimize(stats.SprayedSampleCount);
    }
    state.SetItemsProcessed(state.iterations() * TotalSamples);
}

} // namespace

// The argument is the number of flights the million samples are split into.
BENCHMARK(computeStatistics)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

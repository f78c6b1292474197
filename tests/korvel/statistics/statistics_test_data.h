#pragma once
// Flights the statistics tests build in memory, sample by sample, and the
// blocks that hold them.
#include "korvel/workspace/agnav_block.h"

#include <vector>

// One recorded sample; time in seconds. The flights carry only what the
// statistics read.
struct StatSample
{
    float time = 0.0f;
    quint8 spray = 0;
    qint16 flow = 0;
    qint16 target = 0;
    qint32 altitude = 0;
    qint32 crossTrack = 0;
    quint8 dgps = 0;
};

inline FlightFile flightOf(
    const std::vector<StatSample>& samples, int swathWidth = 30, bool noFlowData = false)
{
    FlightFile flight;
    const auto start = [](auto& list, auto value) { list.assign(1, value); };
    start(flight.Spray, quint8(0));
    start(flight.Flow, qint16(0));
    start(flight.Target, qint16(0));
    start(flight.DGPSQuality, quint8(0));
    start(flight.Altitude, qint32(0));
    start(flight.Time, 0.0f);
    start(flight.CrossTrack, qint32(0));
    for (const StatSample& s : samples) {
        flight.Spray.push_back(s.spray);
        flight.Flow.push_back(s.flow);
        flight.Target.push_back(s.target);
        flight.DGPSQuality.push_back(s.dgps);
        flight.Altitude.push_back(s.altitude);
        flight.Time.push_back(s.time);
        flight.CrossTrack.push_back(s.crossTrack);
    }
    flight.SampleCount = int(samples.size());
    flight.SwathWidth = swathWidth;
    flight.NoFlowData = noFlowData;
    return flight;
}

// Appends `count` samples one second apart after the last of `samples`
// (the first at 1 s): spraying at `flow` against `target` when flow is not
// 0, booms off otherwise.
inline void appendSamples(std::vector<StatSample>& samples, int count, qint16 flow, qint16 target = 100,
    qint32 altitude = 100, qint32 crossTrack = 0, quint8 dgps = 0)
{
    for (int i = 0; i < count; ++i) {
        const float time = samples.empty() ? 1.0f : samples.back().time + 1.0f;
        samples.push_back({ time, quint8(flow != 0 ? 1 : 0), flow, target, altitude, crossTrack, dgps });
    }
}

// A block holding the flights, with its guidance and exclusion rows when loaded.
inline AGNAVBlock blockOf(std::vector<FlightFile> flights, bool guidance = false, bool exclusion = false)
{
    AGNAVBlock block;
    for (FlightFile& flight : flights) {
        block.Flights.push_back(std::move(flight));
    }
    block.FlightCount = int(block.Flights.size()) - 1;
    block.GuidanceLoaded = guidance;
    block.ExclusionLoaded = exclusion;
    return block;
}

inline AgnavData agnavOf(std::vector<AGNAVBlock> blocks)
{
    AgnavData agnav;
    for (AGNAVBlock& block : blocks) {
        agnav.FlightCount += block.FlightCount;
        agnav.GuidanceCount += block.GuidanceLoaded ? 1 : 0;
        agnav.ExclusionCount += block.ExclusionLoaded ? 1 : 0;
        agnav.Blocks.push_back(std::move(block));
    }
    agnav.BlockCount = int(agnav.Blocks.size()) - 1;
    return agnav;
}

// Every sub-row 1..rows ticked.
inline std::vector<bool> allTicked(int rows)
{
    std::vector<bool> ticked(std::size_t(rows) + 1, true);
    ticked[0] = false;
    return ticked;
}

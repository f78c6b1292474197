#include "korvel/workspace/agnav_block.h"

#include "korvel/workspace/layer_records.h"
#include "platform/vb_runtime_errors.h"

#include <algorithm>

namespace {

AgnavData g_agnav;

} // namespace

AgnavData& agnavData()
{
    return g_agnav;
}

void resetAgnavData()
{
    g_agnav = AgnavData();
}

QString blockLimitRefusal()
{
    return loadLimitRefusal(g_agnav.BlockCount, QStringLiteral("AG-NAV blocks"));
}

QString flightLimitRefusal(const AGNAVBlock& block)
{
    return loadLimitRefusal(block.FlightCount, QStringLiteral("spray data files for one block"));
}

bool isBlock(int blockIndex)
{
    return blockIndex >= 1 && blockIndex <= g_agnav.BlockCount
        && blockIndex < static_cast<int>(g_agnav.Blocks.size());
}

AGNAVBlock& blockAt(int blockIndex)
{
    if (!isBlock(blockIndex)) {
        raiseRuntimeError(RuntimeError::SubscriptOutOfRange);
    }
    return g_agnav.Blocks[static_cast<std::size_t>(blockIndex)];
}

int appendBlock()
{
    raiseUnlessRoomFor(blockLimitRefusal());
    const int index = g_agnav.BlockCount + 1;
    g_agnav.Blocks.resize(static_cast<std::size_t>(index) + 1);
    g_agnav.BlockCount = index;
    return index;
}

void removeBlock(int blockIndex)
{
    const AGNAVBlock& block = blockAt(blockIndex);
    // The counts say how many blocks hold a kind of sub-item; they must keep
    // saying so, or the Tools menu offers statistics of flights that are gone.
    g_agnav.GuidanceCount = std::max(0, g_agnav.GuidanceCount - (block.GuidanceLoaded ? 1 : 0));
    g_agnav.ExclusionCount = std::max(0, g_agnav.ExclusionCount - (block.ExclusionLoaded ? 1 : 0));
    g_agnav.FlightCount = std::max(0, g_agnav.FlightCount - block.FlightCount);
    g_agnav.Blocks.erase(g_agnav.Blocks.begin() + blockIndex);
    --g_agnav.BlockCount;
    if (g_agnav.BlockCount == 0) {
        globals().AGNAVLoaded = false;
    }
}

void removeLastBlock()
{
    if (g_agnav.BlockCount > 0) {
        removeBlock(g_agnav.BlockCount);
    }
}

int appendFlight(int blockIndex, FlightFile flight)
{
    AGNAVBlock& block = blockAt(blockIndex);
    raiseUnlessRoomFor(flightLimitRefusal(block));
    const int index = block.FlightCount + 1;
    block.Flights.resize(static_cast<std::size_t>(index));
    block.Flights.push_back(std::move(flight));
    block.FlightCount = index;
    ++g_agnav.FlightCount;
    return index;
}

bool blockPathLoaded(const QString& path)
{
    const auto first = g_agnav.Blocks.begin() + 1;
    const auto last = first + std::min<std::ptrdiff_t>(g_agnav.BlockCount, std::ssize(g_agnav.Blocks) - 1);
    return std::any_of(first, last, [&](const AGNAVBlock& block) { return block.Path == path; });
}

bool flightPathLoaded(const QString& path)
{
    for (int b = 1; b <= g_agnav.BlockCount && b < std::ssize(g_agnav.Blocks); ++b) {
        const AGNAVBlock& block = g_agnav.Blocks[static_cast<std::size_t>(b)];
        for (int f = 1; f <= block.FlightCount && f < std::ssize(block.Flights); ++f) {
            if (block.Flights[static_cast<std::size_t>(f)].Path == path) {
                return true;
            }
        }
    }
    return false;
}

#include "korvel/layers/layer_popup_states.h"

#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/block_companion.h"
#include "platform/file_helpers.h"

namespace {

constexpr int kZones = 60;

} // namespace

std::array<int, 4> neighbourZones(int zone)
{
    std::array<int, 4> zones {};
    const int offsets[] = { -2, -1, 1, 2 };
    for (int i = 0; i < 4; ++i) {
        int z = zone + offsets[i];
        if (z < 1) {
            z += kZones;
        }
        if (z > kZones) {
            z -= kZones;
        }
        zones[size_t(i)] = z;
    }
    return zones;
}

BlockPopUpStates blockPopUpStates(const AGNAVBlock& block, bool digitizing)
{
    BlockPopUpStates states;
    states.openGuidance = !block.GuidanceLoaded && blockCompanionExists(block.Path, QStringLiteral("xyz"));
    states.openExclusion = !block.ExclusionLoaded && blockCompanionExists(block.Path, QStringLiteral("xcl"));
    states.openFlight = !block.DataFolder.isEmpty() && FileExists(block.DataFolder + QStringLiteral("*.*"));
    states.digitize = !digitizing;
    return states;
}

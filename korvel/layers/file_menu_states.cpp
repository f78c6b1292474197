#include "korvel/layers/file_menu_states.h"

#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/block_companion.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"

namespace {

// More images than this make "Load Image" unavailable.
constexpr int kImagesOffered = 4;

} // namespace

FileMenuStates fileMenuStates()
{
    const ProgramGlobals& program = globals();
    FileMenuStates states;
    const bool layersLoaded = program.GISLoaded || program.AGNAVLoaded || program.ImageLoaded;
    if (layersLoaded) {
        states.loadSession = false;
        states.saveSession = true;
    }
    states.closeAll = layersLoaded || program.MetLoaded;
    const AgnavData& agnav = agnavData();
    for (int b = 1; b <= agnav.BlockCount && b < int(agnav.Blocks.size()); ++b) {
        const AGNAVBlock& block = agnav.Blocks[size_t(b)];
        // The loaders find the companions in any letter case; so does the menu.
        if (!block.GuidanceLoaded && blockCompanionExists(block.Path, QStringLiteral("xyz"))) {
            states.guidanceFile = true;
        }
        if (!block.ExclusionLoaded && blockCompanionExists(block.Path, QStringLiteral("xcl"))) {
            states.exclusionZones = true;
        }
        if (!states.sprayData && !block.DataFolder.isEmpty()
            && FileExists(block.DataFolder + QStringLiteral("*.*"))) {
            states.sprayData = true;
        }
    }
    if (layerData().ImageCount > kImagesOffered) {
        states.loadImage = false;
    }
    return states;
}

#include "korvel/shell/tools_menu_states.h"

#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"

namespace {

// With this many meteorological sources loaded no further one is offered.
constexpr int kMetSourcesOffered = 4;

} // namespace

ToolsMenuStates toolsMenuStates(const ToolsMenuInput& input)
{
    ToolsMenuStates states;
    const bool anyLayer = input.gisLoaded || input.agnavLoaded || input.imageLoaded;
    states.stats = input.sprayDataDrawn;
    states.saveImage = anyLayer;
    states.geoRef = input.imageLoaded;
    states.digitize = input.gisLoaded || input.agnavLoaded || input.georeferencedImage;
    states.gisShift = input.agnavLoaded && input.gisLoaded;
    states.digitizeExclusion = input.blockCount > 0;
    states.digitizeGuidance = input.blockCount > 0 && input.blockWithoutGuidance;
    // No digitizing while the ruler is on, and no ruler while a boundary is
    // being digitized: both take the map's left button.
    if (input.rulerOn) {
        states.digitize = false;
    }
    states.convert = input.gisLoaded;
    states.ruler = !input.digitizingBoundary && anyLayer;
    // A checked Optimization stays enabled so that it can be switched off.
    states.optimize = input.optimizeChecked
        || (input.optimizationModuleChosen && input.metLoaded && input.guidanceCount > 0);
    // The Kitoon's "Connect" opens the panel while nothing is loaded; the
    // tall tower's has no instrument to connect and stays disabled.
    states.connectKitoon = !input.metLoaded;
    states.loadKitoon = input.metCount <= kMetSourcesOffered;
    states.loadTower = input.metCount <= kMetSourcesOffered;
    return states;
}

ToolsMenuInput loadedToolsMenuInput()
{
    const ProgramGlobals& program = globals();
    ToolsMenuInput input;
    input.gisLoaded = program.GISLoaded;
    input.agnavLoaded = program.AGNAVLoaded;
    input.imageLoaded = program.ImageLoaded;
    input.optimizationModuleChosen = !program.OptimizationFile.isEmpty();
    input.metLoaded = program.MetLoaded;
    input.metCount = program.MetCount;

    const AgnavData& agnav = agnavData();
    input.blockCount = agnav.BlockCount;
    input.guidanceCount = agnav.GuidanceCount;
    for (int b = 1; b <= agnav.BlockCount && b < int(agnav.Blocks.size()); ++b) {
        const AGNAVBlock& block = agnav.Blocks[size_t(b)];
        input.blockWithoutGuidance = input.blockWithoutGuidance || !block.GuidanceLoaded;
        for (int f = 1; f <= block.FlightCount && f < int(block.Flights.size()); ++f) {
            input.sprayDataDrawn = input.sprayDataDrawn || block.Flights[size_t(f)].Visible;
        }
    }
    const LayerData& layers = layerData();
    for (int i = 1; i <= layers.ImageCount && i < int(layers.Images.size()); ++i) {
        input.georeferencedImage = input.georeferencedImage || layers.Images[size_t(i)].Georeferenced;
    }
    return input;
}

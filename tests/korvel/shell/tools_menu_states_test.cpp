// The Tools menu's enabling as it opens: what each loaded kind and each tool
// that is on enables or disables, and the loaded data's part of it.
#include "korvel/shell/tools_menu_states.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "tests/support/korvel_test.h"

namespace {

using Field = bool ToolsMenuStates::*;

struct Row
{
    const char* name;
    ToolsMenuInput input;
    Field item;
    bool enabled;
};

ToolsMenuInput with(void (*change)(ToolsMenuInput&))
{
    ToolsMenuInput input;
    change(input);
    return input;
}

const Row kRows[] = {
    { "nothing loaded: no Save GIS Image", {}, &ToolsMenuStates::saveImage, false },
    { "an image that is not geo-referenced offers no digitizing",
        with([](ToolsMenuInput& i) { i.imageLoaded = true; }), &ToolsMenuStates::digitize, false },
    { "a geo-referenced image offers digitizing", with([](ToolsMenuInput& i) {
         i.imageLoaded = true;
         i.georeferencedImage = true;
     }),
        &ToolsMenuStates::digitize, true },
    { "blocks with flights not drawn: no statistics", with([](ToolsMenuInput& i) {
         i.agnavLoaded = true;
         i.blockCount = 1;
     }),
        &ToolsMenuStates::stats, false },
    { "a block with guidance lines offers no guidance digitizing", with([](ToolsMenuInput& i) {
         i.agnavLoaded = true;
         i.blockCount = 1;
     }),
        &ToolsMenuStates::digitizeGuidance, false },
    { "any block offers exclusion digitizing", with([](ToolsMenuInput& i) {
         i.agnavLoaded = true;
         i.blockCount = 1;
     }),
        &ToolsMenuStates::digitizeExclusion, true },
    { "GIS shift needs a block and a GIS layer", with([](ToolsMenuInput& i) { i.agnavLoaded = true; }),
        &ToolsMenuStates::gisShift, false },
    { "ruler on: no digitizing", with([](ToolsMenuInput& i) {
         i.gisLoaded = true;
         i.rulerOn = true;
     }),
        &ToolsMenuStates::digitize, false },
    { "boundary digitizing on: no ruler", with([](ToolsMenuInput& i) {
         i.gisLoaded = true;
         i.digitizingBoundary = true;
     }),
        &ToolsMenuStates::ruler, false },
    { "optimization without guidance lines stays off", with([](ToolsMenuInput& i) {
         i.optimizationModuleChosen = true;
         i.metLoaded = true;
     }),
        &ToolsMenuStates::optimize, false },
    { "a checked optimization stays on", with([](ToolsMenuInput& i) { i.optimizeChecked = true; }),
        &ToolsMenuStates::optimize, true },
    { "four met sources: one more may load", with([](ToolsMenuInput& i) { i.metCount = 4; }),
        &ToolsMenuStates::loadTower, true },
    { "five met sources: no more", with([](ToolsMenuInput& i) { i.metCount = 5; }),
        &ToolsMenuStates::loadKitoon, false },
};

} // namespace

TEST(ToolsMenuStates, EachItemFollowsWhatIsLoadedAndWhichToolIsOn)
{
    for (const Row& row : kRows) {
        EXPECT_EQ(toolsMenuStates(row.input).*row.item, row.enabled) << row.name;
    }
}

class LoadedToolsMenuInput : public KorvelTest
{
};

TEST_F(LoadedToolsMenuInput, ReadsDrawnFlightsGuidanceAndGeoReferencedImages)
{
    AgnavData& agnav = agnavData();
    agnav.Blocks.resize(3);
    agnav.BlockCount = 2;
    agnav.Blocks[1].GuidanceLoaded = true;
    agnav.Blocks[2].GuidanceLoaded = true;
    agnav.Blocks[2].Flights.resize(3);
    agnav.Blocks[2].FlightCount = 2;
    LayerData& layers = layerData();
    layers.Images.resize(3);
    layers.ImageCount = 2;

    ToolsMenuInput input = loadedToolsMenuInput();
    EXPECT_FALSE(input.blockWithoutGuidance);
    EXPECT_FALSE(input.sprayDataDrawn) << "flights loaded but not drawn";
    EXPECT_FALSE(input.georeferencedImage);

    agnav.Blocks[2].Flights[2].Visible = true;
    layers.Images[2].Georeferenced = true;
    agnav.Blocks[1].GuidanceLoaded = false;
    input = loadedToolsMenuInput();
    EXPECT_TRUE(input.sprayDataDrawn);
    EXPECT_TRUE(input.georeferencedImage);
    EXPECT_TRUE(input.blockWithoutGuidance);
}

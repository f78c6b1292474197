#pragma once
// Which items of the Tools menu are enabled, worked out each time the menu
// opens from what is loaded and which tools are on. Only the Enabled state is
// decided here; visibility and check marks stay as they are, and between
// openings the items keep their last states.
struct ToolsMenuInput
{
    bool gisLoaded = false;
    bool agnavLoaded = false;
    bool imageLoaded = false;
    bool sprayDataDrawn = false; // some flight file of some block was drawn at the last redraw
    bool georeferencedImage = false; // some loaded image is geo-referenced
    int blockCount = 0;
    bool blockWithoutGuidance = false; // some loaded block has no guidance lines
    bool rulerOn = false; // Tools > Ruler checked
    bool digitizingBoundary = false; // Tools > Digitize AG-NAV > Block Boundary checked
    bool optimizeChecked = false; // Tools > Optimization checked
    bool optimizationModuleChosen = false; // the setting OptimizationFile is not empty
    bool metLoaded = false;
    int guidanceCount = 0; // blocks with guidance lines loaded
    int metCount = 0; // meteorological sources loaded
};

struct ToolsMenuStates
{
    bool stats = false;
    bool geoRef = false;
    bool saveImage = false;
    bool digitize = false; // the "Digitize AG-NAV" submenu
    bool digitizeGuidance = false;
    bool digitizeExclusion = false;
    bool convert = false;
    bool gisShift = false;
    bool ruler = false;
    bool optimize = false;
    bool connectKitoon = false;
    bool loadKitoon = false;
    bool loadTower = false;
};

ToolsMenuStates toolsMenuStates(const ToolsMenuInput& input);

// The loaded data's part of the input (the caller adds the menu's ticks).
ToolsMenuInput loadedToolsMenuInput();

#pragma once
// The main window's public settings: read from the registry when the window
// is created, edited in the preferences, read by the loaders and the drawing.
// They live here rather than in the window so that logic and its tests use
// them without a window. The map's zone and hemisphere are in mapState(),
// the program-wide values (ImmediateGraph, MetricSystem, OptimizationFile,
// the ellipsoid) in globals().
#include <QString>
#include <cstdint>

// Where the file dialogs start while no folder is stored: the user's home
// folder, ending in "/".
QString defaultStartFolder();

struct MainSettings
{
    // How the map draws: 1 draws a layer in one go, 2 shows every feature as
    // it is drawn.
    std::uint8_t GISgraph = 1;
    std::uint8_t AGNAVgraph = 1;
    // Every how many samples of a spray flight are drawn; at least 1, since
    // the drawing divides by it.
    std::uint8_t AGNAVspeed = 1;
    bool GraphBoomOff = false; // draw flight samples with the boom off too
    bool ColorCode = true; // colour flight samples by application rate
    bool FillPoly = true; // fill polygon layers
    bool GuidanceAboveBelow = true;
    bool AutoLoadGuidance = false; // load a block's guidance-line file with it
    bool AutoLoadExclusion = false; // load a block's exclusion-zone file with it
    // Palette index of the map's crosshair, ruler and digitized lines: 0 black,
    // 12 red, anything else yellow.
    std::uint8_t PointerColour = 0;
    std::int16_t BufferWidth = 100; // map units on each side of a buffered feature
    std::int32_t BufferColour = 16755801; // 0x00BBGGRR
    // Start folders of the file dialogs.
    QString SessionDir = defaultStartFolder();
    QString ImageDir = defaultStartFolder();
    QString SHPDir = defaultStartFolder();
    QString AGNAVDir = defaultStartFolder();
    QString MetDir = defaultStartFolder();
    std::int32_t OptColour = 255; // optimization overlay colour, 0x00BBGGRR
    std::uint8_t OptWidth = 1; // optimization overlay pen width, pixels
};

MainSettings& mainSettings();
void resetMainSettings();

#pragma once
// State of the map that belongs to the main window: whether anything has been
// placed on the map yet, the extent boxes' mode, the layer palette, the map's
// UTM zone and hemisphere. It is kept here until the main window exists; the
// main window's creation fills it from the settings.
#include <QString>
#include <array>
#include <cstdint>

struct MapState
{
    // Nothing has been placed on the map yet: the next GIS layer's extent
    // replaces DataExtent, the next geo-referenced image sets the zone, and
    // the loading commands zoom to the new data.
    bool MapEmpty = true;
    bool ExtentEntryMode = false; // the extent boxes are open for typing
    bool ExtentEdited = false; // the extent boxes hold an extent to apply
    // Colours (0x00BBGGRR) new shapefile layers draw theirs from; filled by the
    // main window's creation.
    std::array<std::int32_t, 15> LayerPalette {};
    std::int32_t SessionLayerColour = 0; // colour of the layer a session reopens
    int Zone = 17; // the map's UTM zone, 1 to 60 (setting "Zone", default 17)
    bool NorthZone = true; // the map's hemisphere for grid-to-geographic conversions
};

MapState& mapState();
void resetMapState();

// The status bar's zone panel: the map's zone and hemisphere letter, as in
// "Zone 17 N".
QString zoneStatusText();

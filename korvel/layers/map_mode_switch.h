#pragma once
// The switch of the whole map between UTM grid metres and geographic degrees
// (the click on the status bar's coordinate panel): the loaded data brought
// into the other system in place, and the extents that go with it. Images
// are not converted: they are placed in metres and shown in UTM mode only.
#include "korvel/map/map_extent.h"

#include <optional>

class MainForm;

// Why the map cannot switch now, or "" when it can: while a boundary or an
// exclusion zone is being digitized (its vertices are held in the map's
// present system) or the GIS shift preview is shown.
QString modeSwitchRefusal(bool digitizingBoundary, bool digitizingExclusion, bool shiftPreviewShown);

// Why the map cannot switch to the other system (direction as below), asked
// before anything is converted: the refusal of the first GIS layer or block
// whose conversion would be refused (no ellipsoid, or points out of the
// zone's reach, which names it). Empty when every one converts.
QString loadedDataConversionRefusal(int direction, MainForm& form);

// Converts every GIS layer in its own zone and every block in its zone
// (boundary, guidance lines when loaded, exclusion zones, flights) with the
// current ellipsoid: direction 1 from UTM to geographic, 2 back; the blocks
// through the window's AG-NAV commands. DataExtent is then made again from the
// converted data. UTMMode is left to the caller.
void convertLoadedData(int direction, MainForm& form);

// The extent of all loaded GIS layers and block boundaries, ticked or not;
// nothing when none is loaded.
std::optional<ViewEdges> loadedDataExtent();

// The corners of a view taken into the other system through the map's zone,
// hemisphere and the current ellipsoid (direction as above); nothing when a
// corner has no place there (a latitude beyond the poles, a grid corner
// beyond the zone's reach, a result that is no number). Degrees beyond the
// zone's reach are taken at the nearest place within it.
std::optional<ViewEdges> convertedView(const ViewEdges& view, int direction);

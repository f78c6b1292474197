#pragma once
// The pop-up menus of the "Loaded Files" rows: "Image", "SHP" (shapefiles
// and export files) and "AG-NAV" (blocks), items of the main window's hidden
// menu PopUp_Menu, so they show only as pop-ups. A right click on a row's
// label has selected the layer (the main window's SelectedLayer holds its
// list position, or its block number) and highlighted the label; the menu
// of the row's kind is then prepared from the layer and shown at the
// pointer, and returns when it has closed and its command has run. The
// caller rebuilds the list afterwards.
//
// The floating layer list shows the main window's SHP menu itself and its
// own copies of the other two, whose items call the handlers of the main
// window's list.
#include <array>

class MainForm;
class QAction;

enum class LayerKind { Image, GISLayer, Block };

void ShowLayerPopUp(MainForm& form, LayerKind kind);

// What a row's right click sets on the SHP menu before it shows: the zone
// item's caption "Zone " and the layer's zone, and the buffer item's tick
// from the layer at list position `position`.
void prepareShapefilePopUp(MainForm& form, int position);

// Enables a block menu's five loading and digitizing items (guidance,
// exclusion, spray data, digitize guidance, digitize exclusion) by what the
// block has beside it and whether a digitizing tool of the main window is
// ticked; all five are disabled for a block that does not exist.
void enableBlockPopUpItems(const MainForm& form, const std::array<QAction*, 5>& items, int block);

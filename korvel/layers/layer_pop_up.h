#pragma once
// The pop-up menus of the "Loaded Files" rows. A right click on a row's
// label has selected the layer (the main window's SelectedLayer holds its
// list position, or its block number) and highlighted the label; this shows
// the menu of the row's kind at the pointer, after preparing the items that
// depend on the layer, and returns when the menu has closed and its command
// has run. The caller rebuilds the list afterwards.
enum class LayerKind { Image, GISLayer, Block };

void ShowLayerPopUp(LayerKind kind);

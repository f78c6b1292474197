#pragma once
// Where the incremental map redraw starts. The map picture keeps what was
// drawn, so a redraw may paint from the lowest item that changed upwards and
// leave everything beneath it as it is; only when something disappeared
// (a row unticked, a ticked layer removed) or the caller asks for it is the
// picture cleared and drawn from the bottom.
//
// Items are counted bottom to top from 1: the images in list order, then the
// GIS layers in list order, then the AG-NAV blocks (one position each; their
// guidance lines, exclusion zones and flights do not count). The records say
// what the picture shows (drawn: ticked at the last redraw) and what must be
// drawn again (redraw); the rows say what the user wants now (ticked).
#include <optional>
#include <vector>

struct RowState
{
    bool drawn = false; // the item was ticked at the last redraw
    bool ticked = false; // its row is ticked now
    bool differs() const { return drawn != ticked; }
    bool switchedOff() const { return drawn && !ticked; }
};

struct LayerState
{
    RowState row;
    bool redraw = false; // its appearance or place changed
};

struct BlockState
{
    LayerState boundary;
    std::optional<RowState> guidance; // present while the block's guidance lines are loaded
    std::optional<RowState> exclusion; // present while its exclusion zones are loaded
    std::vector<RowState> flights;
};

struct RedrawItems
{
    std::vector<LayerState> images; // by list position, 0-based here
    std::vector<LayerState> gisLayers; // by list position
    std::vector<BlockState> blocks; // by block index
};

// True as soon as one item is no longer ticked while the picture shows it.
bool somethingSwitchedOff(const RedrawItems& items);

// The first position to draw: 1 (clear and draw all) for a full redraw, a
// removed layer or an item switched off; otherwise the position of the
// lowest item whose row was just ticked or whose redraw flag is set; past the
// last item when nothing changed.
int redrawStart(const RedrawItems& items, bool fullRedraw, bool layerRemoved);

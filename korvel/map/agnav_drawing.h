#pragma once
// The drawing of the AG-NAV blocks, the top group of the map redraw. It
// goes three times over all blocks, so that across blocks the guidance lines
// and exclusion zones lie either all below or all above the spray tracks
// (GuidanceAboveBelow) and the boundaries always lie on top:
//
//   A  guidance lines and exclusion zones, when they go below the tracks;
//   B  the spray flights: the track of each sample that sprayed (flow above
//      0) as a band one swath wide, coloured by its deviation from the target
//      rate (ColorCode) or in the flight's plain red; where nothing was
//      sprayed a thin black line (GraphBoomOff); a green disc where the booms
//      switched on and a red one where they switched off;
//   C  guidance lines and exclusion zones when they go above the tracks, then
//      each block's boundary one pixel wider than its guidance lines.
//
// A track's samples are 1..SampleCount; segment k runs from sample k - 1 to
// sample k (k = 2..SampleCount) and takes the pen of sample k. On a UTM map
// the band is the swath width at the map's scale (at least a pixel); on a
// latitude/longitude map 5 pixels, and the discs 5 pixels across.
#include <functional>

class PictureSurface;

// Which rows of the layer list are ticked: a block's own row, and the
// sub-rows numbered over all blocks in block order (per block its guidance
// row when its guidance is loaded, its exclusion-zones row when its zones
// are, then one row per flight).
struct BlockRowTicks
{
    std::function<bool(int block)> boundary;
    std::function<bool(int row)> subRow;
};

// Draws every block 1..BlockCount (a block's change shows through those
// drawn after it); a first block below 1 is raised to 1 and written back.
// Shows "Graphing AGNAV Data" with the progress of each flight and leaves
// Busy set: the redraw that calls it clears it.
void DrawAGNAVBlock(int& firstBlock, PictureSurface& picture, const BlockRowTicks& ticks);

#pragma once
// The record half of loading a block from its boundary file: the new block
// with its fields, the file read into it, the map set up by the first block,
// the boundary brought into the map's system, the data extent and the area.
// The refusal boxes, the list row with its caption, the companion files and
// the redraw are the loading command's.
#include "korvel/workspace/agnav_outcome.h"
#include "korvel/workspace/agnav_block.h"

#include <QString>

struct BlockLoadOptions
{
    // A session is being reloaded: the block takes the session's colour and
    // leaves the map's coordinate system, zone and ellipsoid alone.
    bool loadingSession = false;
    qint32 sessionColour = 0; // 0x00BBGGRR
};

// Appends a block for the boundary file at path and returns its index in
// *blockIndex. The block gets Path, FileName, Colour (black, or the session's),
// Thickness 1, DataFolder (the file's folder, then the job's) and what the
// file holds; without an ellipsoid in the file it takes the map's. On an
// empty map outside a session the block sets the map up (setUpMapFromBlock).
// The boundary is converted into the map's system (convertBoundaryForMap),
// DataExtent widened (replaced on an empty map), Area computed; AGNAVLoaded
// becomes True and the map is no longer empty. All or nothing: a refusal (the
// 256th block, a file that cannot be read, a malformed file, whose message
// names the line, record and value) leaves the blocks and the map as they were.
AgnavOutcome loadBlockRecord(const QString& path, const BlockLoadOptions& options, int* blockIndex = nullptr);

// The first block on an empty map decides the map's system: a latitude/
// longitude block switches the map to degrees ("0.0000") and sets the
// hemisphere from its latitudes (wholly south: southern; wholly north:
// northern); the map takes the block's zone and ellipsoid, named after the
// last row of the ellipsoid table with the same axis and flattening.
void setUpMapFromBlock(const AGNAVBlock& block);

// Widens DataExtent by a block's boundary extent, or makes it that extent
// (replace, for the first data of an empty map).
void widenDataExtent(const ShapeRecord& boundary, bool replace);

// Brings a block's boundary, read in its file's system, into the map's, in
// the block's zone: a UTM block on a UTM map only when its ellipsoid differs
// from the map's (to degrees with its own, back with the map's); a latitude/
// longitude block on a UTM map with the map's ellipsoid; a UTM block on a
// latitude/longitude map with its own. Returns why it cannot (an ellipsoid it
// needs is missing), leaving the boundary as read; empty when done.
QString convertBoundaryForMap(AGNAVBlock& block);

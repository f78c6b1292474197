#pragma once
// A block's exclusion zones: reading its exclusion-zone file into the block,
// and the saving part of exclusion digitizing (the menu tick, the question,
// the digitized segments, the drawing and the list row are the caller's).
#include "korvel/workspace/agnav_outcome.h"
#include "korvel/workspace/shape_record.h"

// Reads the block's exclusion-zone file (found beside its boundary file in
// any letter case) into Blocks(blockIndex): the zones in the map's system
// (converted with the block's zone and own ellipsoid when the file's system
// differs), each zone's area in square metres, ExclusionZoneCount. On the
// block's first zones ExclusionLoaded becomes True and the program-wide
// ExclusionCount rises. Zones the block held are replaced by the file's,
// which holds them too. A file without zones leaves the block as it was. A
// refusal names the file and the line and changes nothing.
AgnavOutcome LoadExclusionFile(int blockIndex);

// Appends a digitized zone (vertices 1..n in map coordinates, n >= 3) to
// Blocks(blockIndex) and to its exclusion-zone file. The zone is stored
// clockwise (a counter-clockwise ring is reversed) with its positive area,
// and written in the file's system. Its number in the file continues the
// numbering of the file, whether or not the file's zones are loaded; a block
// whose file held zones it had not loaded then takes every zone of the file
// (the new one last), read back as the file holds them. The
// block changes only after the file has been written; any failure, the
// 256th zone included, leaves block and file as they were and is refused
// with "Error: " and the description.
AgnavOutcome saveExclusionZone(int blockIndex, const ShapeRecord& vertices);

#pragma once
// Reading of the AG-NAV block boundary file ("no1"), the job file of one
// spray block: one numbered record per line, values at fixed columns, a
// comment naming the record from column 33 on. The reader takes from it:
//
//   "1"   coordinate letter (U = UTM, L = latitude/longitude) and the
//         central meridian, which gives the block's Zone
//   "2"   one boundary corner each: easting then northing in a UTM file,
//         latitude then longitude in a latitude/longitude file
//   "17"  the guidance master point and heading; the two master values
//         may touch, the second beginning with its minus sign
//   "20"  the ellipsoid: name in the first 12 characters, axis, inverse flattening
//   "35"  the job name, the folder of the block's spray data
//   "36"  the swath width
//   "37"  the first-line offset code
//
// Every other record, known or not, is skipped, so records the guidance
// system adds do no harm. Corners and master point are read in the order of
// the file's coordinate system wherever record 1 stands in the file. A file
// whose last line stops without its line end was cut off and is refused; a
// file of binary bytes is refused as no boundary file at all.
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/agnav_outcome.h"
#include "korvel/workspace/program_globals.h"

#include <QByteArray>
#include <QStringView>
#include <vector>

// The record number a line's first item gives: one to nine ASCII digits
// ("036" is record 36); -1 for any other item. The guidance save's rewrite
// knows a record by the same rule.
int boundaryRecordNumber(QStringView item);

// Reads the file's text into the block: CoordType, Zone, the boundary with
// VertexCount (the extent is widened from the values the block holds),
// HeadingText, MasterPoint, Ellipsoid (renamed after the last row of
// ellipsoidTable, rows 1.., with the same axis and flattening), DataFolder
// (which must hold the file's folder ending in "/"), DataSubfolder,
// SwathWidthText and OffsetCode. The corners are in the file's own system.
// A refusal names the line, the record and the bad value; the block may then
// be half filled, so callers read into a copy.
AgnavOutcome parseBoundaryFile(
    const QByteArray& bytes, AGNAVBlock& block, const std::vector<EllipsoidRecord>& ellipsoidTable);

// Reads the file named by the block's Path into Blocks(blockIndex), all or
// nothing, with the program's ellipsoid table. The block must have its
// extent started at plus and minus BlockExtentStart and its DataFolder set
// to the file's folder. A file that cannot be read is refused with the
// system's reason.
AgnavOutcome ReadBlockBoundaryFile(int blockIndex);

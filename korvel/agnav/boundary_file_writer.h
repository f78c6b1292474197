#pragma once
// Writing of the AG-NAV block boundary file ("no1") from the job values and
// the block's boundary, in the record order and columns the guidance system
// reads: records 0, 1, one 2 per corner, 4, 8, 9, 11, 17, 20, 21, 30, 35, 36,
// 37, 38, 39, 40, 41, 42 and 102, lines ended by CR LF.
#include "korvel/agnav/agnav_job.h"
#include "korvel/agnav/column_line.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/agnav_outcome.h"

#include <utility>

// The file's text for the job and the block, the corners given in the
// file's own system (block.CoordType). A value too wide for its columns, so
// that it would touch its neighbour, refuses the whole text with a message
// naming the value and the record.
AgnavOutcome boundaryFileText(
    const AGNAVJob& job, const AGNAVBlock& block, const ShapeRecord& corners, QString& text);

// Writes the block's boundary file at its Path: the corners of a copy of the
// boundary are converted into the file's system when the map holds them in
// the other one (block's zone and ellipsoid), the block stays as it is. The
// file goes through a temporary file and a rename; a refused value or a
// failed write leaves the old file untouched and is reported.
AgnavOutcome writeBoundaryFile(const AGNAVJob& job, const AGNAVBlock& block);

// Why the block's boundary file cannot be written (empty when it can): its
// corners are to be converted into the file's system without an ellipsoid,
// or they lie beyond the reach of the block's zone (conversion_reach.h),
// whether converted or kept in degrees for the guidance system to project.
QString boundaryFileReachRefusal(const AGNAVBlock& block);

// The job dialog's writer: the file of the newest block, Blocks(BlockCount).
AgnavOutcome WriteBoundaryFile(const AGNAVJob& job);

// The central meridian of a UTM zone as record 1 writes it, 0 to 360 degrees
// east: zone 10 gives 237, zone 31 gives 3.
int centralMeridianOfZone(int zone);

// The records the job dialog writes and the guidance save rewrites, built
// alike by both:
//   "4"   the number of lines ending in column 14
//   "17"  the master point in the file's order ending in columns 13 and 24
//         (a longitude west of 100 degrees fills its field and touches the
//         latitude with its minus sign), the heading "0.00" ending in 31
//   "37"  the offset code in column 13, its text from column 33
ColumnLine lineCountRecord(const QString& lineCount);
ColumnLine masterPointRecord(const QString& first, const QString& second, const QString& heading);
ColumnLine offsetRecord(const QString& code, const QString& text);
// Record 17's order of the master point: easting then northing in a UTM
// file, latitude then longitude in any other.
std::pair<QString, QString> masterPointInFileOrder(
    const QString& masterX, const QString& masterY, bool utmFile);

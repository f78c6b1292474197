#pragma once
// The AG-NAV guidance-line file ("xyz") beside a block's boundary file,
// written by the guidance save and read with the block. Per line three text
// lines, CR LF:
//
//   LINE 10            header: "LINE" and the line number x 10 (not used)
//   500123      4801234  1       easting, northing (whole metres), point 1
//   500987      4802345  2       point 2
//
// Every non-header line is one point of the line above it: easting and
// northing separated by blanks or commas, an optional point number after
// them. The file always holds UTM metres in the block's zone and ellipsoid.
#include "korvel/workspace/agnav_outcome.h"
#include "korvel/guidance/guidance_lines.h"
#include "korvel/workspace/agnav_block.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// The file's text for lines in UTM metres, numbered 10, 20, ... in their
// order: each coordinate rounded to whole metres (a half upwards: Int(v +
// 0.5)) and written as plain digits. No lines give an empty text. Nothing is
// returned for a coordinate that is no finite number.
std::optional<QString> guidanceFileText(const std::vector<GuidanceSegment>& lines);

// True when the text can be a guidance-line file, whole or cut: empty (or
// only blanks and line ends), or its first non-blank line a "LINE" header.
// A guidance save replaces only such a file.
bool holdsGuidanceLines(const QByteArray& bytes);

// Reads the lines of a file into the set's LineCount and Lines (X easting,
// Y northing). A header is a line starting with "LINE" in any letter case.
// Blank lines are passed over; a file without lines gives 0 lines, as the
// save writes it when no line was laid. Refuses, naming the line, a point
// that is not two numbers, a point before the first header, a line with
// fewer than two points and a last line without its line end. The file is
// judged by its own structure only: the number of lines record 4 of the
// boundary file names is a job value that other tools and earlier jobs do
// not keep in step with this file, so any number of whole lines is taken.
AgnavOutcome parseGuidanceFile(const QByteArray& bytes, GuidanceSet& set);

// Reads the guidance-line file of Blocks(blockIndex) (found beside its
// boundary file in any letter case) into the block's guidance set, in the
// map's system: on a UTM map converted only when the block's ellipsoid
// differs from the map's (to geographic with the block's, back with the
// map's), on a geographic map converted with the block's ellipsoid; always in
// the block's zone. Only after success do GuidanceLoaded become True and
// the program-wide GuidanceCount rise. A block whose guidance is loaded
// already is left alone. A refusal names the file and the line and changes
// nothing. The list row and its CaptionTrim are the caller's.
AgnavOutcome LoadGuidanceFile(int blockIndex);

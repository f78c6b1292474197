#pragma once
// The AG-NAV exclusion-zone file ("xcl"), beside the block's boundary file:
// plain text, one line per vertex, CR LF, no header. A line holds the zone
// number left-aligned in columns 1-4, the first value right behind it and
// the second value in the next print zone (columns 15, 29, 43, ...) that
// leaves a blank after the first:
//
//   UTM block: easting, northing in metres, "0.0"
//   GEO block: latitude, longitude in degrees (negative west), "0.000000"
//
// The vertices of one zone are consecutive lines. Zones are appended as they
// are saved, so one file may hold several runs of the same number.
#include "korvel/workspace/agnav_outcome.h"
#include "korvel/workspace/shape_record.h"

#include <QByteArray>
#include <QString>
#include <vector>

// Reads the zones of a file, 1.. in file order (element 0 unused), X and Y as
// the map holds them: easting/northing, or longitude/latitude with a
// longitude above 180 taken minus 360. A new zone starts wherever the zone
// number changes; blank lines and lines of zone 0 are passed over. Refuses a
// line whose zone number is not followed by two values, a number too large
// to read, more than 255 zones and a last line without its line end (a file
// cut off), naming the line.
AgnavOutcome parseExclusionFile(
    const QByteArray& bytes, bool geographicFile, std::vector<ShapeRecord>& zones);

// The highest zone number on any line, 0 for a file without zones; lines
// that cannot be read count as zone 0. Saving continues the numbering from it.
int highestExclusionZoneNumber(const QByteArray& bytes);

// One vertex line, CR LF included: the zone number, then easting and
// northing ("UTM"), or latitude and longitude ("GEO").
QString exclusionFileLine(int zoneNumber, double first, double second, bool geographicFile);

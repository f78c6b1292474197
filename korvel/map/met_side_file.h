#pragma once
// The side file of a shapefile (extension "met"): the metadata text that GIS
// packages write beside a shapefile in the FGDC form ("Content Standard for
// Digital Geospatial Metadata"), one "Name: value" element a line. Of it the
// reader takes two things:
//
// - the four lines after a line containing "Bounding_Coordinates": west,
//   east, north and south bounds, in that order, each the value after the
//   line's first ":" (the names themselves are not checked);
// - a line containing "Geographic_Coordinate_Units": "decimal degrees" in any
//   letter case marks a geographic file, any other units a UTM one. Reading
//   stops at this line.
#include "korvel/workspace/layer_records.h"

#include <QByteArray>
#include <QString>
#include <optional>

struct MetSideFile
{
    // From the last "Bounding_Coordinates" before the units line. A box whose
    // west bound lies east of its east bound (one across the 180 degree
    // meridian) is widened to -179.9999 .. 179.9999.
    std::optional<MapExtent> Bounds;
    // "GEO", "UTM", or empty when the file names no units.
    QString CoordType;
};

// Reads the text of a side file (UTF-8 or Windows-1252). Returns nothing, with
// a reason naming `fileName` and the line in `error`, when the bounds are
// cut short or a bound is not a number.
std::optional<MetSideFile> parseMetSideFile(const QByteArray& bytes, const QString& fileName, QString* error);

// Gives the layer what its side file says: the bounds replace the layer's
// extent (the shapefile header's box stays when there are none), and the
// coordinate type is set when named. A geographic layer whose XMin or XMax
// lies below -180 takes 360 degrees onto it, for files that count longitude
// from 0 to -360.
void applyMetSideFile(const MetSideFile& met, GISLayer& layer);

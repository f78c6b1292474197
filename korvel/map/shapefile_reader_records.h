#pragma once
// Decoding the main file of an ESRI shapefile (extension "shp") from its
// bytes: the 100-byte header and the records of point (1), polyline (3) and
// polygon (5) files, after the published format (ESRI Shapefile Technical
// Description, July 1998). Integers are little-endian except the file code,
// the file length and the record headers, which are big-endian; lengths count
// 16-bit words.
//
// Every record is read by its own content length and shape type; a null
// record (type 0) is a feature without vertices. The records run to the
// real end of the file, whatever length the header gives (that length only
// picks the layer's colour range). Nothing in the file is trusted: each
// record must lie inside the file, a record cut short by its end is
// refused, and the counts of parts and points must lie inside the record's
// content before anything is allocated for them.
#include "korvel/map/gis_layer_reader.h"
#include "korvel/workspace/layer_records.h"

#include <QByteArrayView>
#include <optional>

struct ShapefileHeader
{
    qint32 FileCode = 0; // 9994 in every shapefile
    qint64 FileBytes = 0; // the file length the header gives (twice its 16-bit words); not trusted
    qint32 ShapeType = 0;
    MapExtent Box; // the bounding box of all features
};

inline constexpr qint64 ShapefileHeaderBytes = 100;
inline constexpr qint32 ShapefileFileCode = 9994;

// Nothing when the bytes are too few for a header.
std::optional<ShapefileHeader> readShapefileHeader(QByteArrayView bytes);

// Decodes a whole main file into `layer`: ShapeType, Shapes with their boxes,
// ShapeParts (polylines and polygons only) and the header's box as the
// extent. An unsupported shape type is refused with the program's text; a
// damaged file fails with a description naming `fileName`, the record and
// the bad value. Shows "Analyzing GIS File" / "Loading GIS File" and the
// progress through statusProgress() (at most once per percent of the records).
// On failure `layer` may hold a part of the file: callers decode into a
// record of their own.
GISReadResult decodeShapefile(QByteArrayView bytes, const QString& fileName, GISLayer& layer);

// The refusal of a file whose shape type is not 1, 3 or 5.
QString unsupportedShapeTypeRefusal(qint32 shapeType);

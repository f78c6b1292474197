#pragma once
// Reads an ESRI shapefile into a GIS layer: the main file (records decoded by
// shapefile_reader_records.h), the optional side file ("met",
// met_side_file.h) for the extent and the coordinate type, whether the index
// file ("shx") is there, and the layer's drawing colour.
//
// A file on a network file system is read from a private copy in the
// system's temporary folder, which is deleted afterwards; nothing else is
// created or deleted.
#include "korvel/map/gis_layer_reader.h"

#include <QString>
#include <cstdint>

// Reads the shapefile at layer.Path into the layer. On success it sets
// ShapeType, Shapes, ShapeParts (polylines and polygons), the extent, Zone (a
// point layer takes the map's zone), CoordType when a side file names it,
// IndexPresent and Colours(0); on failure the layer is left as it was.
GISReadResult ReadShapefile(GISLayer& layer, const GISReadOptions& options = {});

// The colour of a newly read shapefile layer: the session's colour while a
// session loads; otherwise drawn from the map's LayerPalette, a dark colour
// (entries 1 to 7) for a file over 100,000 words, a light one (9 to 13) for a
// smaller file.
std::int32_t newShapefileColour(qint64 fileLengthWords, const GISReadOptions& options);

#pragma once
// Reads an ARC/INFO export file (extension "e00", the uncompressed text
// interchange form of a coverage) into a GIS layer. Of its sections two are
// read: the arc section, whose arcs become polyline features in the order the
// file gives them, and the projection section, which gives the coordinate
// type and the UTM zone. Polygons, label points and attribute tables are not
// read; a polygon coverage shows as the lines of its arcs.
//
// The export format is column-bound: an arc record is seven whole numbers of
// ten characters (arc number, identifier, from-node, to-node, left and right
// polygon, number of vertices), followed by its vertices as X, Y pairs in
// fields of 14 characters (E14.7) when the section header reads "ARC  2", or
// of 21 characters (E21.14) for "ARC  3". A negative value fills its field,
// so it touches the value before it: coordinates are split by width, never at
// blanks. An arc record numbered -1 ends the section.
#include "korvel/map/gis_layer_reader.h"

#include <QByteArrayView>

// Reads the export file at layer.Path. On success it sets ShapeType (3),
// Shapes with their boxes, ShapeParts (one part each), the extent, and
// CoordType and Zone when the projection section gives them; on failure the
// layer is left as it was. A compressed file is refused with the program's text.
GISReadResult ReadArcInterchangeFile(GISLayer& layer);

// Decodes the bytes of an export file into `layer`, as above; messages name
// `fileName`. On failure `layer` may hold a part of the file.
GISReadResult decodeArcInterchange(QByteArrayView bytes, const QString& fileName, GISLayer& layer);

// The refusal of a compressed export file ("EXP  1").
QString compressedExportRefusal();

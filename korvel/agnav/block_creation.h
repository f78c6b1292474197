#pragma once
// The record half of making a new block on the map, the two ways besides
// loading a boundary file: a boundary digitized on the map, or the one
// polygon of a GIS layer turned into a boundary. The save dialog, the job
// dialog that writes the boundary file, and the list row are the window's.
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/shape_record.h"

#include <QString>

struct CreatedBlockSource
{
    QString path; // the boundary file chosen for the block
    ShapeRecord ring; // vertices 1..n in map coordinates, n >= 3, not repeated closed
    qint32 colour = 0; // 0x00BBGGRR
    int thickness = 1; // pixels
};

// Appends the new block and returns its index: Path, FileName, Colour,
// Thickness, the ring as its boundary stored clockwise (a counter-clockwise
// ring is reversed) with its positive Area, its extent from the vertices,
// the map's ellipsoid and zone, DataFolder the job name (the file name less
// its last four characters) and "/". AGNAVLoaded becomes True. The 256th
// block raises error 6 and changes nothing.
int appendCreatedBlock(const CreatedBlockSource& source);

// The boundary ring of a polygon layer's only feature: its first ring (the
// whole feature when it has one part), without the closing vertex that
// repeats the first. partCount says how many rings the feature has.
struct PolygonRing
{
    ShapeRecord ring;
    int partCount = 1;
};
PolygonRing boundaryRingOfLayer(const GISLayer& layer);

// "" when the layer can become a block boundary, else the message why not:
// a layer of points or lines, one of more than one feature, or a polygon
// whose ring has fewer than three corners.
QString polygonConversionRefusal(const GISLayer& layer);

// The boundary file's name offered for a layer: its path with "no1" for its
// last three characters (FIELD.shp gives FIELD.no1).
QString boundaryFileNameForLayer(const GISLayer& layer);

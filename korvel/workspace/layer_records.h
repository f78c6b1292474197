#pragma once
// The loaded raster images and GIS vector layers, the arrays that hold them
// and the running extent of all loaded data. The loaders fill the records,
// the opening procedures append them and take them back on failure, the map
// view reads them.
//
// The arrays run from 0 to their count and are used from 1; element 0 exists
// and carries no data. The order arrays map a list position to a record index,
// so reordering the list permutes them and never the records.
#include "korvel/workspace/shape_list.h"

#include <QString>
#include <cstdint>
#include <vector>

// How the vertices of one feature split into parts (rings of a polygon,
// pieces of a polyline).
struct ShapeParts
{
    std::int32_t PartCount = 0;
    // Elements 1..PartCount + 1: the first vertex of each part, the last being
    // the vertex count + 1. Allocated only for more than one part.
    std::vector<std::int32_t> PartStart;
};

// One row of a value-to-colour table.
struct ColourClass
{
    std::int32_t Colour = 0; // 0x00BBGGRR
    QString Value; // the attribute value that takes this colour
};

// The coordinate type of a layer before its reader or opening decides it:
// three NUL characters, as the fixed-length text starts out.
inline QString unsetCoordType()
{
    return QString(3, QChar(u'\0'));
}

struct GISLayer
{
    // The features with their vertices and boxes; the layer's ShapeCount and
    // PointCounts are read from here, so they can never disagree with it.
    ShapeList Shapes;
    int Zone = 0; // UTM zone of the coordinates; 0 = none given
    // Extent, minimum first (the opposite order of a feature's box).
    double XMin = 0.0;
    double YMin = 0.0;
    double XMax = 0.0;
    double YMax = 0.0;
    bool Buffer = false; // draw a buffer zone around the features
    // "UTM" or "GEO": the system of the layer's file, kept when the layer is
    // converted; unsetCoordType() until the reader or the opening sets it.
    QString CoordType = unsetCoordType();
    int ShapeType = 0; // 1 point, 3 arc or polyline, 5 polygon
    std::vector<::ShapeParts> ShapeParts; // 1..ShapeCount(); empty for point layers
    QString Path;
    QString FileName;
    int CaptionTrim = 0;
    QString DisplayName;
    bool Visible = false;
    bool Redraw = false;
    // Element 0: the layer's colour; after colour coding elements 1..ShapeCount()
    // hold each feature's own colour, that of its value class.
    std::vector<std::int32_t> Colours;
    std::vector<ColourClass> ColourClasses;
    int CodingField = 0;
    int ColourCoding = 0;
    int Thickness = 0; // pixels; 1 when opened
    bool IndexPresent = false;

    int ShapeCount() const { return Shapes.count(); }
    int PointCounts(int s) const { return Shapes.pointCount(s); }
};

struct ImageLayer
{
    QString Path;
    QString FileName;
    QString DisplayName;
    int ControlPointCount = 0;
    // Top-left (north-west) corner and size in map units; Height is negative
    // because the image runs south from Y.
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    int CaptionTrim = 0;
    bool Visible = false;
    bool Redraw = false;
    bool Georeferenced = false;
    int PixelWidth = 0;
    int PixelHeight = 0;
    int Zone = 0;
};

// An extent of the map in map units, minimum first.
struct MapExtent
{
    double XMin = 0.0;
    double YMin = 0.0;
    double XMax = 0.0;
    double YMax = 0.0;
};

// The start value of DataExtent: minima above maxima, so the first real
// extent replaces it.
inline constexpr MapExtent EmptyDataExtent { 1e7, 1e7, -1e7, -1e7 };

// Each kind holds at most as many items as one byte counts; the counts are
// ordinary integers and the 256th item is refused before anything changes.
inline constexpr int MaxLoadedPerKind = 255;

struct LayerData
{
    std::vector<GISLayer> GISLayers = std::vector<GISLayer>(1);
    int GISCount = 0;
    std::vector<int> GISOrder = std::vector<int>(1, 0);
    std::vector<ImageLayer> Images = std::vector<ImageLayer>(1);
    int ImageCount = 0;
    std::vector<int> ImageOrder = std::vector<int>(1, 0);
    MapExtent DataExtent = EmptyDataExtent;
    MapExtent LastExtent;
};

LayerData& layerData();
void resetLayerData();

// Returns "" while one more item fits beside `count` loaded ones, otherwise
// the refusal "Cannot load more than 255 " + pluralName + ".".
QString loadLimitRefusal(int count, const QString& pluralName);
// The check before one more item is appended: raises error 6 with
// `kindRefusal`, the refusal of the item's own kind ("" while it has room),
// or else with the "Loaded Files" list's refusal of one more row; returns
// while both have room.
void raiseUnlessRoomFor(const QString& kindRefusal);
QString gisLayerLimitRefusal();
QString imageLimitRefusal();

// Appends an empty GIS layer record at GISCount + 1, at the end of the list
// order, and returns its index. A full list of layers, or a "Loaded Files"
// list that holds 255 rows, raises error 6 with the refusal text and changes
// nothing.
int appendGISLayer();
// Takes back the newest GIS layer after a failed opening; GISLoaded becomes
// False when none is left.
void removeLastGISLayer();
int appendImage();
void removeLastImage();

// Removes every GIS layer and image: counts 0, arrays erased, DataExtent back
// to its start values, the loaded flags False and the map empty again.
void removeAllLayers();

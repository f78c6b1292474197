#pragma once
// Reading a GIS layer file into a layer record, by the kind of file: ESRI
// shapefiles ("shp", shapefile_reader.h) and ARC/INFO export files ("e00",
// arcinfo_export_reader.h). The opening procedure hands over the record it
// has just appended, with its Path set, and shows what comes back.
//
// All or nothing: a reader builds the layer aside and touches the record only
// when the whole file was read; on failure the record is as it was handed over.
// Readers never show a message themselves.
#include "korvel/workspace/layer_records.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

struct GISReadResult
{
    bool ok = false;
    // A refusal the program shows in a box of its own before the opening's
    // failure message, word for word (an unsupported shape type, a compressed
    // export file). Empty when there is none.
    QString refusal;
    // Why the file could not be read, naming it: the description of the
    // opening's failure message. Empty for a success or a refusal.
    QString description;

    static GISReadResult success() { return { true, {}, {} }; }
    static GISReadResult refused(const QString& text) { return { false, text, {} }; }
    static GISReadResult failed(const QString& text) { return { false, {}, text }; }
};

struct GISReadOptions
{
    // Set while a session reopens its layers: the colour stored for this
    // layer, used instead of a drawn one.
    std::optional<std::int32_t> sessionColour;
    // Whether a file lies on a network file system, where a shapefile is read
    // from a private copy. Tests stand in for the real test.
    std::function<bool(const QString&)> isOnNetwork;
};

// Reads layer.Path by its extension, compared without regard to letter case.
// A file of any other kind (one picked through "All Files") is refused with a
// description naming it.
GISReadResult readGISLayerFile(GISLayer& layer, const GISReadOptions& options = {});

// Hands the geometry a reader built aside over to the layer record: shapes,
// parts, shape type, extent, and the coordinate type once the file named one.
// The opening's own fields (path, names, thickness) stay as they were.
inline void commitReadGeometry(GISLayer& read, GISLayer& layer)
{
    layer.Shapes = std::move(read.Shapes);
    layer.ShapeParts = std::move(read.ShapeParts);
    layer.ShapeType = read.ShapeType;
    layer.XMin = read.XMin;
    layer.YMin = read.YMin;
    layer.XMax = read.XMax;
    layer.YMax = read.YMax;
    if (read.CoordType != unsetCoordType()) {
        layer.CoordType = read.CoordType;
    }
}

// The file name of a layer for messages: FileName, or the text after the
// last "/" of Path while FileName is not set yet.
inline QString layerFileName(const GISLayer& layer)
{
    return layer.FileName.isEmpty() ? layer.Path.mid(layer.Path.lastIndexOf(u'/') + 1) : layer.FileName;
}

// "'name'" as messages quote a file.
inline QString quotedFileName(const QString& fileName)
{
    return u'\'' + fileName + u'\'';
}

#include "korvel/agnav/block_creation.h"

#include "korvel/shell/polygon_area.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"

#include <algorithm>

namespace {

constexpr int kPolygonShape = 5;
constexpr int kMinimumCorners = 3;

void reverseVertices(ShapeRecord& ring)
{
    std::reverse(ring.X.begin() + 1, ring.X.end());
    std::reverse(ring.Y.begin() + 1, ring.Y.end());
}

void setExtentFromVertices(ShapeRecord& ring)
{
    const auto [xMin, xMax] = std::minmax_element(ring.X.begin() + 1, ring.X.end());
    const auto [yMin, yMax] = std::minmax_element(ring.Y.begin() + 1, ring.Y.end());
    ring.XMin = *xMin;
    ring.XMax = *xMax;
    ring.YMin = *yMin;
    ring.YMax = *yMax;
}

} // namespace

int appendCreatedBlock(const CreatedBlockSource& source)
{
    const int n = std::min(source.ring.upperBound(), static_cast<int>(source.ring.Y.size()) - 1);
    const int b = appendBlock();
    AGNAVBlock& block = blockAt(b);
    block.Path = source.path;
    block.FileName = source.path.mid(source.path.lastIndexOf(u'/') + 1);
    block.DisplayName = source.path;
    block.Colour = source.colour;
    block.Thickness = source.thickness;
    block.Boundary.resize(n);
    std::copy_n(source.ring.X.begin() + 1, n, block.Boundary.X.begin() + 1);
    std::copy_n(source.ring.Y.begin() + 1, n, block.Boundary.Y.begin() + 1);
    block.VertexCount = n;
    block.Ellipsoid = globals().Ellipsoid;
    block.Zone = mapState().Zone;
    globals().AGNAVLoaded = true;

    // Blocks made here run clockwise with north up, as the guidance
    // system expects, and so have a positive area.
    block.Area = BoundaryArea(b);
    if (RunsCounterClockwise(block.Boundary, block.Area)) {
        reverseVertices(block.Boundary);
        block.Area = BoundaryArea(b);
    }
    if (n > 0) {
        setExtentFromVertices(block.Boundary);
    }
    // The guidance system keeps the job's spray data in a folder named after
    // the job beside the boundary file; a block loaded from its file finds it
    // there, and so must a new one, wherever KORVEL was started from.
    const QString job = block.FileName.left(std::max<qsizetype>(0, block.FileName.size() - 4));
    block.DataSubfolder = job + u'/';
    block.DataFolder = block.Path.left(block.Path.size() - block.FileName.size()) + block.DataSubfolder;
    return b;
}

PolygonRing boundaryRingOfLayer(const GISLayer& layer)
{
    PolygonRing result;
    if (layer.ShapeCount() < 1) {
        return result;
    }
    int first = 1;
    int last = layer.PointCounts(1);
    if (layer.ShapeParts.size() > 1) {
        const ShapeParts& parts = layer.ShapeParts[1];
        result.partCount = std::max(1, static_cast<int>(parts.PartCount));
        if (parts.PartCount > 1 && parts.PartStart.size() > 2) {
            first = std::max(1, static_cast<int>(parts.PartStart[1]));
            last = std::min(last, static_cast<int>(parts.PartStart[2]) - 1);
        }
    }
    // A shapefile ring ends on its first vertex; a boundary is not repeated closed.
    if (last > first && layer.Shapes.X(1, last) == layer.Shapes.X(1, first)
        && layer.Shapes.Y(1, last) == layer.Shapes.Y(1, first)) {
        --last;
    }
    const int n = std::max(0, last - first + 1);
    result.ring.resize(n);
    for (int i = 1; i <= n; ++i) {
        result.ring.X[static_cast<std::size_t>(i)] = layer.Shapes.X(1, first + i - 1);
        result.ring.Y[static_cast<std::size_t>(i)] = layer.Shapes.Y(1, first + i - 1);
    }
    return result;
}

QString polygonConversionRefusal(const GISLayer& layer)
{
    if (layer.ShapeType != kPolygonShape) {
        return QStringLiteral(
            "This GIS file does not contain a polygon and\rcannot be converted to an AGNAV boundary.");
    }
    if (layer.ShapeCount() > 1) {
        return QStringLiteral(
            "This GIS file contains more than one polygon and\rcannot be converted to an AGNAV boundary.");
    }
    if (boundaryRingOfLayer(layer).ring.upperBound() < kMinimumCorners) {
        return QStringLiteral("The polygon of this GIS file has fewer than three corners and\rcannot be "
                              "converted to an AGNAV boundary.");
    }
    return {};
}

QString boundaryFileNameForLayer(const GISLayer& layer)
{
    return layer.Path.left(std::max<qsizetype>(0, layer.Path.size() - 3)) + QStringLiteral("no1");
}

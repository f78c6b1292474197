#include "korvel/map/gis_coordinate_conversion.h"

#include "korvel/shell/conversion_ellipsoid.h"
#include "korvel/shell/conversion_reach.h"
#include "korvel/shell/percent_progress.h"
#include "korvel/shell/status_progress.h"
#include "korvel/shell/utm_conversion.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/vb_error.h"
#include "platform/vb_runtime_errors.h"

#include <algorithm>
#include <optional>

namespace {

constexpr double ExtentStart = 10000000.0;

GISLayer& layerAt(int layerIndex)
{
    LayerData& data = layerData();
    if (layerIndex < 1 || layerIndex > data.GISCount
        || layerIndex >= static_cast<int>(data.GISLayers.size())) {
        throw VbError(9, QStringLiteral("KORVEL"), QStringLiteral("Subscript out of range"));
    }
    return data.GISLayers[static_cast<std::size_t>(layerIndex)];
}

// Features start at the inverted limits (maximum -10 000 000, minimum
// 10 000 000); a layer's extent is their union from the same start.
constexpr ShapeBox StartBox { -ExtentStart, -ExtentStart, ExtentStart, ExtentStart };

// Converts the vertices of every feature with convert(x, y) in place (only
// the first of each when firstVertexOnly) and gives each feature the box of
// its vertices while they are at hand; returns the layer's extent.
template <class Convert> ShapeBox convertFeatures(ShapeList& shapes, bool firstVertexOnly, Convert convert)
{
    PercentProgress progress(shapes.count());
    ShapeBox extent = StartBox;
    shapes.forEachFeature([&](int s, std::span<double> xs, std::span<double> ys, ShapeBox& box) {
        const std::size_t n = firstVertexOnly ? std::min<std::size_t>(1, xs.size()) : xs.size();
        ShapeBox made = StartBox;
        for (std::size_t p = 0; p < n; ++p) {
            double& x = xs[p];
            double& y = ys[p];
            convert(x, y);
            made.XMin = std::min(made.XMin, x);
            made.YMin = std::min(made.YMin, y);
            made.XMax = std::max(made.XMax, x);
            made.YMax = std::max(made.YMax, y);
        }
        // Vertices a point feature does not convert still count.
        made = ShapeList::boxOf(xs.subspan(n), ys.subspan(n), made);
        // Field by field: a copy of the whole box would go through memory
        // and stall on its own stores, at two million features a pass.
        box.XMax = made.XMax;
        box.YMax = made.YMax;
        box.XMin = made.XMin;
        box.YMin = made.YMin;
        ShapeList::grow(extent, made);
        progress.advanceTo(s);
    });
    return extent;
}

ShapeBox convertToGeographic(GISLayer& layer, const UtmProjection& projection, bool north)
{
    return convertFeatures(layer.Shapes, false, [&projection, north](double& x, double& y) {
        const GeographicDeg point = projection.toGeographic(x, y, north);
        y = point.latitude;
        x = point.longitude;
    });
}

// A point feature has one vertex; only that one is converted to the grid.
bool firstVertexOnly(const GISLayer& layer, int direction)
{
    return direction != 1 && layer.ShapeType == 1;
}

ShapeBox convertToUtm(GISLayer& layer, const UtmProjection& projection, bool north)
{
    return convertFeatures(
        layer.Shapes, firstVertexOnly(layer, 2), [&projection, north](double& x, double& y) {
            const ProjectedMetres grid = projection.toUtm({ y, x }, north);
            y = grid.northing;
            x = grid.easting;
        });
}

// Whether every vertex the conversion would take lies within the zone's reach.
bool withinReach(const GISLayer& layer, const UtmProjection& projection, int direction, bool north)
{
    const auto allReach = [&](std::span<const double> xs, std::span<const double> ys) {
        return direction == 1 ? projection.allReachGrid(xs, ys, north) : projection.allReach(xs, ys);
    };
    // Mostly every stored value reaches, and one pass over them settles it
    // without visiting the features; else only the vertices converted count.
    const ShapeList& shapes = layer.Shapes;
    if (allReach(shapes.storedXs(), shapes.storedYs())) {
        return true;
    }
    const bool firstOnly = firstVertexOnly(layer, direction);
    bool within = true;
    shapes.forEachFeature([&](int, std::span<const double> xs, std::span<const double> ys) {
        if (firstOnly) {
            xs = xs.first(std::min<std::size_t>(1, xs.size()));
        }
        within = within && allReach(xs, ys);
    });
    return within;
}

void setExtent(GISLayer& layer, const ShapeBox& extent)
{
    layer.XMin = extent.XMin;
    layer.YMin = extent.YMin;
    layer.XMax = extent.XMax;
    layer.YMax = extent.YMax;
}

// Recomputes every GIS layer's extent and feature boxes but `skipped`'s.
void recomputeExtents(const GISLayer* skipped)
{
    LayerData& data = layerData();
    const int count = std::min(data.GISCount, static_cast<int>(data.GISLayers.size()) - 1);
    for (int l = 1; l <= count; ++l) {
        GISLayer& layer = data.GISLayers[static_cast<std::size_t>(l)];
        if (&layer != skipped) {
            setExtent(layer, layer.Shapes.recomputeBoxes(StartBox));
        }
    }
}

} // namespace

QString gisLayerConversionRefusal(int layerIndex, int zone, int direction)
{
    const GISLayer& layer = layerAt(layerIndex);
    const EllipsoidRecord& ellipsoid = globals().Ellipsoid;
    if (QString missing = missingEllipsoidMessage(ellipsoid); !missing.isEmpty()) {
        return missing;
    }
    const UtmProjection projection(zone, ellipsoid.Axis, ellipsoid.InverseFlattening);
    if (withinReach(layer, projection, direction, mapState().NorthZone)) {
        return QString();
    }
    // Degrees tell where the layer lies; metres in the wrong zone do not.
    std::optional<double> middle;
    if (direction != 1 && layer.XMin <= layer.XMax) {
        middle = (layer.XMin + layer.XMax) / 2.0;
    }
    return outOfReachMessage(QStringLiteral("the layer \"%1\"").arg(layer.FileName), zone, middle,
        QStringLiteral("Please choose the UTM zone of its area on the \"UTM Ellipsoid\" page of View > "
                       "Preferences; a layer loaded after that takes the new zone."));
}

void ConvertGISLayerCoords(int layerIndex, int zone, int direction)
{
    GISLayer& layer = layerAt(layerIndex);
    requireConversionEllipsoid(globals().Ellipsoid);
    if (const QString refusal = gisLayerConversionRefusal(layerIndex, zone, direction); !refusal.isEmpty()) {
        throw VbError(RuntimeError::InvalidProcedureCall, runtimeErrorSource(), refusal);
    }
    // The zone and ellipsoid stay in the registers for the callers that
    // convert single points afterwards.
    UtmRegisters& registers = utmRegisters();
    registers.UTMZone = zone;
    registers.SemiMajorAxis = globals().Ellipsoid.Axis;
    registers.InverseFlattening = globals().Ellipsoid.InverseFlattening;
    const UtmProjection projection(zone, registers.SemiMajorAxis, registers.InverseFlattening);

    StatusProgress& progress = statusProgress();
    progress.showProgress(layer.ShapeCount());
    progress.setStatusText(QStringLiteral("Converting Coordinates"));
    const bool north = mapState().NorthZone;
    const ShapeBox extent = direction == 1 ? convertToGeographic(layer, projection, north)
                                           : convertToUtm(layer, projection, north);
    progress.hideProgress();
    progress.setStatusText(QString());

    // The converted layer's boxes were made on the way; the others' follow.
    progress.setStatusText(QStringLiteral("Finding Max/Min Points"));
    setExtent(layer, extent);
    recomputeExtents(&layer);
    progress.setStatusText(QString());
}

void RecomputeGISExtents()
{
    recomputeExtents(nullptr);
}

#include "korvel/map/gis_coordinate_conversion.h"

#include "korvel/map/layer_records.h"
#include "korvel/map/map_state.h"
#include "korvel/shell/conversion_ellipsoid.h"
#include "korvel/shell/program_globals.h"
#include "korvel/shell/status_progress.h"
#include "korvel/shell/utm_conversion.h"
#include "platform/vb_error.h"

#include <algorithm>

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

void convertToGeographic(GISLayer& layer, const UtmProjection& projection, bool north)
{
    ShapeList& shapes = layer.Shapes;
    for (int s = 1; s <= shapes.count(); ++s) {
        std::span<double> xs = shapes.xs(s);
        std::span<double> ys = shapes.ys(s);
        for (std::size_t p = 0; p < xs.size(); ++p) {
            const GeographicDeg point = projection.toGeographic(xs[p], ys[p], north);
            ys[p] = point.latitude;
            xs[p] = point.longitude;
        }
        statusProgress().setProgress(s);
    }
}

void convertToUtm(GISLayer& layer, const UtmProjection& projection)
{
    ShapeList& shapes = layer.Shapes;
    for (int s = 1; s <= shapes.count(); ++s) {
        std::span<double> xs = shapes.xs(s);
        std::span<double> ys = shapes.ys(s);
        // A point feature has one vertex; only that one is converted.
        const std::size_t n = layer.ShapeType == 1 ? std::min<std::size_t>(1, xs.size()) : xs.size();
        for (std::size_t p = 0; p < n; ++p) {
            const ProjectedMetres grid = projection.toUtm({ ys[p], xs[p] });
            ys[p] = grid.northing;
            xs[p] = grid.easting;
        }
        statusProgress().setProgress(s);
    }
}

void recomputeExtent(GISLayer& layer)
{
    layer.XMin = ExtentStart;
    layer.YMin = ExtentStart;
    layer.XMax = -ExtentStart;
    layer.YMax = -ExtentStart;
    ShapeList& shapes = layer.Shapes;
    for (int s = 1; s <= shapes.count(); ++s) {
        ShapeBox box { -ExtentStart, -ExtentStart, ExtentStart, ExtentStart };
        const std::span<const double> xs = std::as_const(shapes).xs(s);
        const std::span<const double> ys = std::as_const(shapes).ys(s);
        for (std::size_t p = 0; p < xs.size(); ++p) {
            box.XMin = std::min(box.XMin, xs[p]);
            box.YMin = std::min(box.YMin, ys[p]);
            box.XMax = std::max(box.XMax, xs[p]);
            box.YMax = std::max(box.YMax, ys[p]);
        }
        shapes.box(s) = box;
        layer.XMin = std::min(layer.XMin, box.XMin);
        layer.YMin = std::min(layer.YMin, box.YMin);
        layer.XMax = std::max(layer.XMax, box.XMax);
        layer.YMax = std::max(layer.YMax, box.YMax);
    }
}

} // namespace

void ConvertGISLayerCoords(int layerIndex, int zone, int direction)
{
    GISLayer& layer = layerAt(layerIndex);
    requireConversionEllipsoid(globals().Ellipsoid);
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
    if (direction == 1) {
        convertToGeographic(layer, projection, mapState().NorthZone);
    } else {
        convertToUtm(layer, projection);
    }
    progress.hideProgress();
    progress.setStatusText(QString());

    progress.setStatusText(QStringLiteral("Finding Max/Min Points"));
    RecomputeGISExtents();
    progress.setStatusText(QString());
}

void RecomputeGISExtents()
{
    LayerData& data = layerData();
    const int count = std::min(data.GISCount, static_cast<int>(data.GISLayers.size()) - 1);
    for (int l = 1; l <= count; ++l) {
        recomputeExtent(data.GISLayers[static_cast<std::size_t>(l)]);
    }
}

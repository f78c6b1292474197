#include "korvel/layers/map_mode_switch.h"

#include "korvel/map/gis_coordinate_conversion.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"

#include <cmath>

QString modeSwitchRefusal(bool digitizingBoundary, bool digitizingExclusion, bool shiftPreviewShown)
{
    if (digitizingBoundary || digitizingExclusion) {
        return QStringLiteral("You are currently digitizing %1.\r"
                              "Please finish or cancel the digitizing before switching coordinates.")
            .arg(digitizingBoundary ? QStringLiteral("a block boundary")
                                    : QStringLiteral("an exclusion zone"));
    }
    if (shiftPreviewShown) {
        return QStringLiteral("The GIS Shift preview is open.\r"
                              "Please close it before switching coordinates.");
    }
    return QString();
}

QString loadedDataConversionRefusal(int direction, MainForm& form)
{
    const LayerData& layers = layerData();
    for (int i = 1; i <= layers.GISCount && i < int(layers.GISLayers.size()); ++i) {
        QString refusal = gisLayerConversionRefusal(i, layers.GISLayers[size_t(i)].Zone, direction);
        if (!refusal.isEmpty()) {
            return refusal;
        }
    }
    const AgnavData& blocks = agnavData();
    for (int b = 1; b <= blocks.BlockCount && b < int(blocks.Blocks.size()); ++b) {
        QString refusal = form.blockConversionRefusal(b, direction);
        if (!refusal.isEmpty()) {
            return refusal;
        }
    }
    return QString();
}

void convertLoadedData(int direction, MainForm& form)
{
    LayerData& layers = layerData();
    for (int i = 1; i <= layers.GISCount && i < int(layers.GISLayers.size()); ++i) {
        ConvertGISLayerCoords(i, layers.GISLayers[size_t(i)].Zone, direction);
    }
    const AgnavData& blocks = agnavData();
    for (int b = 1; b <= blocks.BlockCount && b < int(blocks.Blocks.size()); ++b) {
        form.ConvertBlockCoords(b, direction);
    }
    // The extent of the data in the old system would make the next layer's
    // extent a union of metres and degrees.
    const std::optional<ViewEdges> extent = loadedDataExtent();
    layers.DataExtent
        = extent ? MapExtent { extent->west, extent->south, extent->east, extent->north } : EmptyDataExtent;
}

std::optional<ViewEdges> loadedDataExtent()
{
    ExtentUnion extent(LayerZoomSentinel);
    const LayerData& layers = layerData();
    for (int i = 1; i <= layers.GISCount && i < int(layers.GISLayers.size()); ++i) {
        const GISLayer& layer = layers.GISLayers[size_t(i)];
        extent.add(layer.XMin, layer.YMin, layer.XMax, layer.YMax);
    }
    const AgnavData& agnav = agnavData();
    for (int b = 1; b <= agnav.BlockCount && b < int(agnav.Blocks.size()); ++b) {
        const ShapeRecord& boundary = agnav.Blocks[size_t(b)].Boundary;
        extent.add(boundary.XMin, boundary.YMin, boundary.XMax, boundary.YMax);
    }
    if (extent.untouched()) {
        return std::nullopt;
    }
    return extent.edges();
}

std::optional<ViewEdges> convertedView(const ViewEdges& view, int direction)
{
    const EllipsoidRecord& ellipsoid = globals().Ellipsoid;
    if (ellipsoid.Axis <= 0.0) {
        return std::nullopt;
    }
    const MapState& map = mapState();
    const UtmProjection projection(map.Zone, ellipsoid.Axis, ellipsoid.InverseFlattening);
    ViewEdges converted;
    if (direction == 1) {
        if (!projection.reachesGrid(view.west, view.south, map.NorthZone)
            || !projection.reachesGrid(view.east, view.north, map.NorthZone)) {
            return std::nullopt;
        }
        const GeographicDeg southWest = projection.toGeographic(view.west, view.south, map.NorthZone);
        const GeographicDeg northEast = projection.toGeographic(view.east, view.north, map.NorthZone);
        converted = { southWest.longitude, southWest.latitude, northEast.longitude, northEast.latitude };
    } else {
        if (std::abs(view.south) > 90.0 || std::abs(view.north) > 90.0) {
            return std::nullopt;
        }
        // In the map's hemisphere, as the data: a view across the equator
        // stays one. A view wider than the zone's reach keeps the part the
        // zone's projection holds, west of east.
        const auto [west, east] = projection.reachedEdges(view.west, view.east);
        const ProjectedMetres southWest
            = projection.toUtm(projection.nearestReached({ view.south, west }), map.NorthZone);
        const ProjectedMetres northEast
            = projection.toUtm(projection.nearestReached({ view.north, east }), map.NorthZone);
        converted = { southWest.easting, southWest.northing, northEast.easting, northEast.northing };
    }
    for (double edge : { converted.west, converted.south, converted.east, converted.north }) {
        if (!std::isfinite(edge)) {
            return std::nullopt;
        }
    }
    return converted;
}

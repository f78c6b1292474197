#include "korvel/shell/utm_conversion.h"

#include "korvel/shell/conversion_reach.h"
#include "korvel/shell/status_progress.h"
#include "korvel/workspace/map_state.h"
#include "platform/vb_error.h"
#include "platform/vb_runtime_errors.h"

#include <algorithm>
#include <span>

namespace {

UtmRegisters g_registers;

const UtmProjection& projectionFromRegisters()
{
    UtmRegisters& r = g_registers;
    if (!r.m_projection || r.m_projectionZone != r.UTMZone || r.m_projectionAxis != r.SemiMajorAxis
        || r.m_projectionInverseFlattening != r.InverseFlattening) {
        r.m_projection.emplace(r.UTMZone, r.SemiMajorAxis, r.InverseFlattening);
        r.m_projectionZone = r.UTMZone;
        r.m_projectionAxis = r.SemiMajorAxis;
        r.m_projectionInverseFlattening = r.InverseFlattening;
    }
    return *r.m_projection;
}

} // namespace

UtmRegisters& utmRegisters()
{
    return g_registers;
}

void resetUtmRegisters()
{
    g_registers = UtmRegisters();
}

void LatLongToUTM()
{
    const ProjectedMetres grid
        = projectionFromRegisters().toUtm({ g_registers.Latitude, g_registers.Longitude });
    g_registers.Easting = grid.easting;
    g_registers.Northing = grid.northing;
}

void UTMToLatLong()
{
    // The hemisphere comes from the map, not from the northing: a northern
    // northing of exactly 0 is the equator, not the south pole.
    const GeographicDeg point = projectionFromRegisters().toGeographic(
        g_registers.Easting, g_registers.Northing, mapState().NorthZone);
    g_registers.Latitude = point.latitude;
    g_registers.Longitude = point.longitude;
}

void ConvertPointArrays(ShapeRecord& points, int zone, int direction, double axis, double inverseFlattening)
{
    g_registers.UTMZone = zone;
    g_registers.SemiMajorAxis = axis;
    g_registers.InverseFlattening = inverseFlattening;
    const UtmProjection& projection = projectionFromRegisters();
    // One hemisphere for the whole set, the map's, both ways: a boundary
    // across the equator keeps its shape and comes back as it went.
    const bool north = mapState().NorthZone;
    // The same bound serves both lists; a shorter Y list limits it so that a
    // damaged record cannot be read past its end.
    const int n = std::min(points.upperBound(), static_cast<int>(points.Y.size()) - 1);
    if (n > 0) {
        const std::span<const double> xs = std::span(points.X).subspan(1, std::size_t(n));
        const std::span<const double> ys = std::span(points.Y).subspan(1, std::size_t(n));
        const bool within
            = direction == 1 ? projection.allReachGrid(xs, ys, north) : projection.allReach(xs, ys);
        if (!within) {
            throw VbError(RuntimeError::InvalidProcedureCall, runtimeErrorSource(),
                outOfReachMessage(QStringLiteral("the data"), zone, std::nullopt,
                    QStringLiteral("Please choose the UTM zone of their area on the \"UTM Ellipsoid\" page "
                                   "of View > Preferences.")));
        }
    }
    for (int i = 1; i <= n; ++i) {
        double& x = points.X[static_cast<std::size_t>(i)];
        double& y = points.Y[static_cast<std::size_t>(i)];
        if (direction == 1) {
            const GeographicDeg point = projection.toGeographic(x, y, north);
            y = point.latitude;
            x = point.longitude;
        } else {
            const ProjectedMetres grid = projection.toUtm({ y, x }, north);
            y = grid.northing;
            x = grid.easting;
            statusProgress().setProgress(i);
        }
    }
}

#include "korvel/guidance/guidance_preview.h"

#include "korvel/agnav/agnav_coordinate_conversion.h"
#include "korvel/guidance/guidance_panel_rules.h"
#include "korvel/shell/utm_projection.h"
#include "platform/vb_numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <span>

namespace {

// The first line lies this far right of the leftmost vertex when it has no
// offset, so that it never runs through the vertex itself.
constexpr float kNoOffset = 0.1f;

// The boundary's vertices 1..n in metres: as held on a UTM map, else
// projected with the map's zone and ellipsoid (signed northings).
// A ring beyond the zone's reach (conversion_reach.h) is not projected:
// its lines would be laid metres to kilometres off.
struct MetricRing
{
    std::vector<double> east = std::vector<double>(1);
    std::vector<double> north = std::vector<double>(1);
    int count = 0;
    bool reached = true;
};

UtmProjection mapProjection(const GuidanceMapFrame& frame)
{
    return UtmProjection(frame.zone, frame.ellipsoid.Axis, frame.ellipsoid.InverseFlattening);
}

MetricRing metricRing(const ShapeRecord& boundary, int vertexCount, const GuidanceMapFrame& frame)
{
    MetricRing ring;
    const int stored = int(std::min(boundary.X.size(), boundary.Y.size())) - 1;
    ring.count = std::clamp(vertexCount, 0, std::max(stored, 0));
    ring.east.assign(boundary.X.begin(), boundary.X.begin() + ring.count + 1);
    ring.north.assign(boundary.Y.begin(), boundary.Y.begin() + ring.count + 1);
    if (!frame.utm && ring.count > 0) {
        const UtmProjection projection = mapProjection(frame);
        const std::size_t n = std::size_t(ring.count);
        ring.reached
            = projection.allReach(std::span(ring.east).subspan(1, n), std::span(ring.north).subspan(1, n));
        for (std::size_t i = 1; ring.reached && i <= n; ++i) {
            projection.forward(boundary.Y[i], boundary.X[i], ring.east[i], ring.north[i]);
        }
    }
    return ring;
}

// The grid bearing of the meridian at the right-hand edge of the view; a
// view wider than the zone's reach gives it at the nearest meridian within.
double viewConvergence(const GuidanceMapFrame& frame)
{
    const UtmProjection projection = mapProjection(frame);
    double e1 = 0.0;
    double n1 = 0.0;
    double e2 = 0.0;
    double n2 = 0.0;
    const GeographicDeg top = projection.nearestReached({ frame.viewTop, frame.viewRight });
    const GeographicDeg bottom = projection.nearestReached({ frame.viewBottom, frame.viewRight });
    projection.forward(top.latitude, top.longitude, e1, n1);
    projection.forward(bottom.latitude, bottom.longitude, e2, n2);
    const double gamma = std::atan((e2 - e1) / (n2 - n1));
    // A view of no height gives no bearing; the heading then stays as typed.
    return std::isfinite(gamma) ? gamma : 0.0;
}

// The bearing of the lines in radians, or NaN when the panel names none.
double bearingOf(const MetricRing& ring, const GuidancePanelValues& panel, const GuidanceMapFrame& frame)
{
    if (!panel.headingMode) {
        const std::optional<int> edge = typedWholeNumber(panel.guidanceText, 1, ring.count);
        return edge ? edgeBearing(ring.east, ring.north, ring.count, *edge)
                    : std::numeric_limits<double>::quiet_NaN();
    }
    const std::optional<double> degrees = typedNumberValue(panel.guidanceText);
    if (!degrees) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double bearing = *degrees * std::numbers::pi / 180.0;
    return frame.utm ? bearing : bearing + viewConvergence(frame);
}

// The lines lie inside the boundary, whose ring reached: so do they.
void toMapSystem(std::vector<GuidanceSegment>& lines, const GuidanceMapFrame& frame)
{
    const UtmProjection projection = mapProjection(frame);
    for (GuidanceSegment& line : lines) {
        double latitude = 0.0;
        double longitude = 0.0;
        projection.inverse(line.x1, line.y1, latitude, longitude);
        line.x1 = longitude;
        line.y1 = latitude;
        projection.inverse(line.x2, line.y2, latitude, longitude);
        line.x2 = longitude;
        line.y2 = latitude;
    }
}

} // namespace

GuidanceLayout computeGuidancePreview(const ShapeRecord& boundary, int vertexCount,
    const GuidancePanelValues& panel, bool metric, const GuidanceMapFrame& frame)
{
    const std::optional<double> swath = swathMetres(panel.swathText, metric);
    if (!swath) {
        GuidanceLayout none;
        none.refusal = GuidanceRefusal::NoSwath;
        return none;
    }
    const MetricRing ring = metricRing(boundary, vertexCount, frame);
    if (!ring.reached) {
        GuidanceLayout none;
        none.refusal = GuidanceRefusal::OutOfReach;
        return none;
    }
    const float s = float(*swath);
    float offset = panel.halfSwath ? s / 2.0f : 0.0f;
    if (offset == 0.0f) {
        offset = kNoOffset;
    }
    GuidanceLayout layout = layGuidanceLines(ring.east, ring.north, ring.count, bearingOf(ring, panel, frame), s, offset);
    if (!frame.utm) {
        toMapSystem(layout.lines, frame);
    }
    return layout;
}

std::optional<double> edgeHeadingDegrees(
    const ShapeRecord& boundary, int vertexCount, int edge, const GuidanceMapFrame& frame)
{
    const MetricRing ring = metricRing(boundary, vertexCount, frame);
    if (!ring.reached) {
        return std::nullopt;
    }
    const double bearing = edgeBearing(ring.east, ring.north, ring.count, edge);
    if (!std::isfinite(bearing)) {
        return std::nullopt;
    }
    return bearing * 180.0 / std::numbers::pi;
}

QString guidancePreviewMessage(
    const AGNAVBlock& block, const GuidanceLayout& layout, const GuidanceMapFrame& frame)
{
    if (layout.refusal == GuidanceRefusal::OutOfReach) {
        return blockOutOfReachMessage(block, QString(), frame.zone, true, BlockReachRefusal::Preview);
    }
    return guidanceRefusalMessage(layout);
}

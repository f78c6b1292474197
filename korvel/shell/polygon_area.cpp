// Polygon area by the trapezoid rule: S = sum over the edges (i, i+1), the
// closing edge (n, 1) included, of (X(i+1) - X(i)) (Y(i) + Y(i+1)) / 2.
#include "korvel/shell/polygon_area.h"

#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/vb_runtime_errors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

namespace {

// Sum of the trapezoids over vertices 1..n of the lists. The northings are
// taken relative to the first vertex: around a closed ring the edges' X
// steps sum to 0, so the shift leaves the area unchanged while it keeps
// northings of millions of metres from swamping a field of a few hectares.
double trapezoidSum(const std::vector<double>& x, const std::vector<double>& y, int n)
{
    const double y0 = y[1];
    double sum = 0.0;
    for (int i = 1; i <= n; ++i) {
        const std::size_t a = static_cast<std::size_t>(i);
        const std::size_t b = static_cast<std::size_t>(i == n ? 1 : i + 1);
        sum += (x[b] - x[a]) * ((y[a] - y0) + (y[b] - y0)) / 2.0;
    }
    if (!std::isfinite(sum)) {
        raiseRuntimeError(RuntimeError::Overflow);
    }
    return sum;
}

// Projects vertices 1..n of geographic lists into one UTM convention: the
// northings are signed distances from the equator, so a ring that crosses
// the equator is not torn apart by the southern false northing. False, with
// the lists untouched, when a vertex lies beyond the zone's reach, where the
// projection would give an area that is plainly wrong.
bool projectForArea(
    std::vector<double>& x, std::vector<double>& y, int n, int zone, double axis, double inverseFlattening)
{
    const UtmProjection projection(zone, axis, inverseFlattening);
    const std::size_t count = static_cast<std::size_t>(n);
    if (!projection.allReach(std::span(x).subspan(1, count), std::span(y).subspan(1, count))) {
        return false;
    }
    for (std::size_t i = 1; i <= count; ++i) {
        double easting = 0.0;
        double northing = 0.0;
        projection.forward(y[i], x[i], easting, northing);
        x[i] = easting;
        y[i] = northing;
    }
    return true;
}

int usableVertexCount(const ShapeRecord& shape, int wanted)
{
    const int stored = std::min(shape.upperBound(), static_cast<int>(shape.Y.size()) - 1);
    return std::clamp(wanted, 0, std::max(stored, 0));
}

double areaOf(const ShapeRecord& shape, int n, int zone, double axis, double inverseFlattening)
{
    if (n < 3) {
        return 0.0; // a point or a line encloses nothing
    }
    if (globals().UTMMode) {
        return trapezoidSum(shape.X, shape.Y, n);
    }
    std::vector<double> x(shape.X.begin(), shape.X.begin() + n + 1);
    std::vector<double> y(shape.Y.begin(), shape.Y.begin() + n + 1);
    if (!projectForArea(x, y, n, zone, axis, inverseFlattening)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return trapezoidSum(x, y, n);
}

} // namespace

double PolygonArea(const ShapeRecord& points, int& zone, double& axis, double& inverseFlattening)
{
    if (!globals().UTMMode && zone == 0) {
        zone = mapState().Zone;
        axis = globals().Ellipsoid.Axis;
        inverseFlattening = globals().Ellipsoid.InverseFlattening;
    }
    const int n = usableVertexCount(points, points.upperBound());
    return areaOf(points, n, zone, axis, inverseFlattening);
}

double BoundaryArea(int blockIndex)
{
    AgnavData& data = agnavData();
    if (blockIndex < 1 || blockIndex > data.BlockCount
        || blockIndex >= static_cast<int>(data.Blocks.size())) {
        raiseRuntimeError(RuntimeError::SubscriptOutOfRange);
    }
    const AGNAVBlock& block = data.Blocks[static_cast<std::size_t>(blockIndex)];
    // VertexCount, not the list's bound, says how many vertices count; it can
    // never reach past the stored ones.
    const int n = usableVertexCount(block.Boundary, block.VertexCount);
    return areaOf(block.Boundary, n, block.Zone, block.Ellipsoid.Axis, block.Ellipsoid.InverseFlattening);
}

bool RunsCounterClockwise(const ShapeRecord& ring, double area)
{
    if (!std::isnan(area)) {
        return area < 0.0;
    }
    // The projection keeps a ring's sense, so the ring as held tells it.
    const int n = usableVertexCount(ring, ring.upperBound());
    return n >= 3 && trapezoidSum(ring.X, ring.Y, n) < 0.0;
}

#include "korvel/agnav/agnav_coordinate_conversion.h"

#include "korvel/shell/conversion_ellipsoid.h"
#include "korvel/shell/conversion_reach.h"
#include "korvel/shell/status_progress.h"
#include "korvel/shell/utm_conversion.h"
#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/map_state.h"
#include "platform/vb_error.h"
#include "platform/vb_runtime_errors.h"

#include <algorithm>
#include <optional>

namespace {

// Converts single points with one projection, the grid in the map's
// hemisphere both ways, so that a block across the equator keeps one grid,
// and tells beforehand whether a point can be converted.
class PointConverter
{
public:
    PointConverter(int zone, int mode, double axis, double inverseFlattening)
        : m_projection(zone, axis, inverseFlattening)
        , m_toGeographic(mode == 1)
        , m_north(mapState().NorthZone)
    {
    }

    // Whether the point lies where the zone's projection holds, so that it
    // converts and comes back.
    bool reaches(double x, double y) const
    {
        return m_toGeographic ? m_projection.reachesGrid(x, y, m_north) : m_projection.reaches(y, x);
    }

    void operator()(double& x, double& y) const
    {
        if (m_toGeographic) {
            const GeographicDeg point = m_projection.toGeographic(x, y, m_north);
            x = point.longitude;
            y = point.latitude;
        } else {
            const ProjectedMetres grid = m_projection.toUtm({ y, x }, m_north);
            x = grid.easting;
            y = grid.northing;
        }
    }

private:
    UtmProjection m_projection;
    bool m_toGeographic;
    bool m_north;
};

// A conversion leaves its zone and ellipsoid in the registers, as every
// conversion of the program does.
PointConverter convertingWith(int zone, int mode, double axis, double inverseFlattening)
{
    UtmRegisters& registers = utmRegisters();
    registers.UTMZone = zone;
    registers.SemiMajorAxis = axis;
    registers.InverseFlattening = inverseFlattening;
    return PointConverter(zone, mode, axis, inverseFlattening);
}

// Points 1..n of two lists, never past the shorter one.
int storedPoints(const std::vector<double>& x, const std::vector<double>& y, int wanted)
{
    const int stored = static_cast<int>(std::min(x.size(), y.size())) - 1;
    return std::clamp(wanted, 0, std::max(stored, 0));
}

void convertLists(std::vector<double>& x, std::vector<double>& y, int n, const PointConverter& convert)
{
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i) {
        convert(x[i], y[i]);
    }
}

bool listsWithinReach(
    const std::vector<double>& x, const std::vector<double>& y, int n, const PointConverter& converter)
{
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i) {
        if (!converter.reaches(x[i], y[i])) {
            return false;
        }
    }
    return true;
}

bool flightWithinReach(const FlightFile& flight, const PointConverter& converter)
{
    const int n = std::clamp(flight.SampleCount, 0, static_cast<int>(flight.Position.size()) - 1);
    for (int i = 1; i <= n; ++i) {
        const FlightPosition& position = flight.Position[static_cast<std::size_t>(i)];
        if (!converter.reaches(position.X, position.Y)) {
            return false;
        }
    }
    return true;
}

void recomputeExtent(ShapeRecord& boundary, int n)
{
    boundary.XMax = boundary.XMin = boundary.X[1];
    boundary.YMax = boundary.YMin = boundary.Y[1];
    for (std::size_t i = 2; i <= static_cast<std::size_t>(n); ++i) {
        boundary.XMin = std::min(boundary.XMin, boundary.X[i]);
        boundary.YMin = std::min(boundary.YMin, boundary.Y[i]);
        boundary.XMax = std::max(boundary.XMax, boundary.X[i]);
        boundary.YMax = std::max(boundary.YMax, boundary.Y[i]);
    }
}

} // namespace

void convertBoundary(AGNAVBlock& block, int zone, int mode, double axis, double inverseFlattening)
{
    ShapeRecord& boundary = block.Boundary;
    const int n = storedPoints(boundary.X, boundary.Y, block.VertexCount);
    if (n == 0) {
        return; // nothing to convert, and no vertex 1 to start the extent from
    }
    const PointConverter convert = convertingWith(zone, mode, axis, inverseFlattening);
    StatusProgress& progress = statusProgress();
    progress.showProgress(n);
    progress.setStatusText(QStringLiteral("Converting Coordinates"));
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i) {
        convert(boundary.X[i], boundary.Y[i]);
        progress.setProgress(static_cast<int>(i));
    }
    progress.hideProgress();
    progress.setStatusText(QString());
    recomputeExtent(boundary, n);
}

void convertGuidanceSet(GuidanceSet& set, int zone, int mode, double axis, double inverseFlattening)
{
    const PointConverter convert = convertingWith(zone, mode, axis, inverseFlattening);
    const int lines = std::clamp(set.LineCount, 0, static_cast<int>(set.Lines.size()) - 1);
    for (std::size_t l = 1; l <= static_cast<std::size_t>(lines); ++l) {
        GuidancePolyline& line = set.Lines[l];
        convertLists(line.X, line.Y, storedPoints(line.X, line.Y, line.PointCount), convert);
    }
}

void convertExclusionZones(
    std::vector<ShapeRecord>& zones, int zoneCount, int zone, int mode, double axis, double inverseFlattening)
{
    const PointConverter convert = convertingWith(zone, mode, axis, inverseFlattening);
    const int count = std::clamp(zoneCount, 0, static_cast<int>(zones.size()) - 1);
    for (std::size_t z = 1; z <= static_cast<std::size_t>(count); ++z) {
        ShapeRecord& shape = zones[z];
        convertLists(shape.X, shape.Y, storedPoints(shape.X, shape.Y, shape.upperBound()), convert);
    }
}

void convertFlight(FlightFile& flight, int zone, int mode, double axis, double inverseFlattening)
{
    const PointConverter convert = convertingWith(zone, mode, axis, inverseFlattening);
    const int n = std::clamp(flight.SampleCount, 0, static_cast<int>(flight.Position.size()) - 1);
    StatusProgress& progress = statusProgress();
    progress.showProgress(n);
    progress.setStatusText(QStringLiteral("Converting Coordinates"));
    for (int i = 1; i <= n; ++i) {
        FlightPosition& position = flight.Position[static_cast<std::size_t>(i)];
        convert(position.X, position.Y);
        // Flights hold many thousands of samples; the bar moves every tenth.
        if (i % 10 == 0) {
            progress.setProgress(i);
        }
    }
    progress.hideProgress();
    progress.setStatusText(QString());
}

void ConvertBoundaryCoords(int blockIndex, int zone, int mode, double axis, double inverseFlattening)
{
    convertBoundary(blockAt(blockIndex), zone, mode, axis, inverseFlattening);
}

void ConvertGuidanceCoords(int blockIndex, int zone, int mode, double axis, double inverseFlattening)
{
    convertGuidanceSet(blockAt(blockIndex).Guidance, zone, mode, axis, inverseFlattening);
}

void ConvertExclusionCoords(int blockIndex, int zone, int mode, double axis, double inverseFlattening)
{
    AGNAVBlock& block = blockAt(blockIndex);
    convertExclusionZones(
        block.ExclusionZones, block.ExclusionZoneCount, zone, mode, axis, inverseFlattening);
}

void ConvertFlightCoords(
    int blockIndex, int flightIndex, int zone, int mode, double axis, double inverseFlattening)
{
    AGNAVBlock& block = blockAt(blockIndex);
    if (flightIndex < 1 || flightIndex > block.FlightCount || flightIndex >= std::ssize(block.Flights)) {
        return;
    }
    convertFlight(block.Flights[static_cast<std::size_t>(flightIndex)], zone, mode, axis, inverseFlattening);
}

bool boundaryWithinReach(const AGNAVBlock& block, int zone, int mode, double axis, double inverseFlattening)
{
    const ShapeRecord& boundary = block.Boundary;
    return listsWithinReach(boundary.X, boundary.Y, storedPoints(boundary.X, boundary.Y, block.VertexCount),
        PointConverter(zone, mode, axis, inverseFlattening));
}

bool guidanceSetWithinReach(const GuidanceSet& set, int zone, int mode, double axis, double inverseFlattening)
{
    const PointConverter converter(zone, mode, axis, inverseFlattening);
    const int lines = std::clamp(set.LineCount, 0, static_cast<int>(set.Lines.size()) - 1);
    for (std::size_t l = 1; l <= static_cast<std::size_t>(lines); ++l) {
        const GuidancePolyline& line = set.Lines[l];
        if (!listsWithinReach(line.X, line.Y, storedPoints(line.X, line.Y, line.PointCount), converter)) {
            return false;
        }
    }
    return true;
}

bool exclusionZonesWithinReach(const std::vector<ShapeRecord>& zones, int zoneCount, int zone, int mode,
    double axis, double inverseFlattening)
{
    const PointConverter converter(zone, mode, axis, inverseFlattening);
    const int count = std::clamp(zoneCount, 0, static_cast<int>(zones.size()) - 1);
    for (std::size_t z = 1; z <= static_cast<std::size_t>(count); ++z) {
        const ShapeRecord& shape = zones[z];
        if (!listsWithinReach(
                shape.X, shape.Y, storedPoints(shape.X, shape.Y, shape.upperBound()), converter)) {
            return false;
        }
    }
    return true;
}

namespace {

constexpr char kChooseAreaZone[]
    = "choose the UTM zone of its area on the \"UTM Ellipsoid\" page of View > Preferences";
constexpr char kMakeAgain[]
    = " and make the block again from its shape: Tools > \"Convert SHP to Boundary\" turns the polygon of "
      "a shapefile into a block, and Tools > \"Digitize AG-NAV\" > \"Block Boundary\" digitizes one on the "
      "map.";

// Whether the zone the block's boundary file names cannot hold the boundary
// held in degrees.
bool ownZoneFails(const AGNAVBlock& block, int zone, bool boundaryInDegrees)
{
    if (zone == block.Zone) {
        return true;
    }
    const EllipsoidRecord& ellipsoid = block.Ellipsoid.Axis > 0.0 ? block.Ellipsoid : globals().Ellipsoid;
    return boundaryInDegrees
        && !boundaryWithinReach(block, block.Zone, 2, ellipsoid.Axis, ellipsoid.InverseFlattening);
}

} // namespace

QString blockOutOfReachMessage(
    const AGNAVBlock& block, const QString& part, int zone, bool boundaryInDegrees, BlockReachRefusal refused)
{
    std::optional<double> middle;
    if (boundaryInDegrees && block.VertexCount > 0) {
        middle = (block.Boundary.XMin + block.Boundary.XMax) / 2.0;
    }
    const QString whole = QStringLiteral("the block \"%1\"").arg(block.FileName);
    const QString subject = part.isEmpty() ? whole : part + u' ' + whole;
    QString outcome = QLatin1String(kNothingConverted);
    QString advice = QStringLiteral(
        "A block converts in the zone its boundary file names; a block digitized after choosing the UTM "
        "zone of its area on the \"UTM Ellipsoid\" page of View > Preferences takes that zone.");
    switch (refused) {
    case BlockReachRefusal::Conversion:
        break;
    case BlockReachRefusal::BoundaryFile:
        outcome = QStringLiteral("the boundary file was not written");
        advice = QStringLiteral("A new block takes the map's UTM zone. To go on, close this window, ")
            + QLatin1String(kChooseAreaZone) + QLatin1String(kMakeAgain);
        break;
    case BlockReachRefusal::GuidanceLines:
    case BlockReachRefusal::Preview:
        outcome = refused == BlockReachRefusal::Preview
            ? QStringLiteral("no guidance lines were laid")
            : QStringLiteral("the guidance lines were not written, and the boundary file stays as it was");
        advice = ownZoneFails(block, zone, boundaryInDegrees)
            ? QStringLiteral(
                  "The block's boundary file names UTM zone %1, and its guidance lines are written "
                  "in that zone. To go on, ")
                    .arg(block.Zone)
                + QLatin1String(kChooseAreaZone) + QLatin1String(kMakeAgain)
            : QStringLiteral("Please ") + QLatin1String(kChooseAreaZone) + u'.';
        break;
    }
    return outOfReachMessage(subject, zone, middle, advice, outcome);
}

QString blockConversionRefusal(int blockIndex, int mode)
{
    const AGNAVBlock& block = blockAt(blockIndex);
    const EllipsoidRecord& ellipsoid = globals().Ellipsoid;
    if (QString missing = missingEllipsoidMessage(ellipsoid); !missing.isEmpty()) {
        return missing;
    }
    const double axis = ellipsoid.Axis;
    const double inverseFlattening = ellipsoid.InverseFlattening;
    const int zone = block.Zone;
    const bool degrees = mode != 1;
    if (!boundaryWithinReach(block, zone, mode, axis, inverseFlattening)) {
        return blockOutOfReachMessage(block, QString(), zone, degrees);
    }
    if (block.GuidanceLoaded
        && !guidanceSetWithinReach(block.Guidance, zone, mode, axis, inverseFlattening)) {
        return blockOutOfReachMessage(block, QStringLiteral("the guidance lines of"), zone, degrees);
    }
    if (!exclusionZonesWithinReach(
            block.ExclusionZones, block.ExclusionZoneCount, zone, mode, axis, inverseFlattening)) {
        return blockOutOfReachMessage(block, QStringLiteral("the exclusion zones of"), zone, degrees);
    }
    const PointConverter converter(zone, mode, axis, inverseFlattening);
    const int flights = std::min(block.FlightCount, static_cast<int>(block.Flights.size()) - 1);
    for (int f = 1; f <= flights; ++f) {
        if (!flightWithinReach(block.Flights[static_cast<std::size_t>(f)], converter)) {
            return blockOutOfReachMessage(block, QStringLiteral("the spray data of"), zone, degrees);
        }
    }
    return QString();
}

void ConvertBlockCoords(int blockIndex, int mode)
{
    AGNAVBlock& block = blockAt(blockIndex);
    const EllipsoidRecord& ellipsoid = globals().Ellipsoid;
    requireConversionEllipsoid(ellipsoid);
    if (const QString refusal = blockConversionRefusal(blockIndex, mode); !refusal.isEmpty()) {
        throw VbError(RuntimeError::InvalidProcedureCall, runtimeErrorSource(), refusal);
    }
    const double axis = ellipsoid.Axis;
    const double inverseFlattening = ellipsoid.InverseFlattening;
    const int zone = block.Zone;
    ConvertBoundaryCoords(blockIndex, zone, mode, axis, inverseFlattening);
    if (block.GuidanceLoaded) {
        ConvertGuidanceCoords(blockIndex, zone, mode, axis, inverseFlattening);
    }
    // The zones move with the map like every other part; left behind they
    // would be drawn in degrees on a metre map.
    ConvertExclusionCoords(blockIndex, zone, mode, axis, inverseFlattening);
    for (int f = 1; f <= block.FlightCount; ++f) {
        ConvertFlightCoords(blockIndex, f, zone, mode, axis, inverseFlattening);
    }
}

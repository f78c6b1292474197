#include "korvel/agnav/exclusion_zones.h"

#include "korvel/agnav/agnav_coordinate_conversion.h"
#include "korvel/agnav/exclusion_file_format.h"
#include "korvel/shell/conversion_ellipsoid.h"
#include "korvel/shell/polygon_area.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/block_companion.h"
#include "korvel/workspace/list_rows.h"
#include "korvel/workspace/program_globals.h"
#include "platform/complete_lines.h"
#include "platform/file_helpers.h"
#include "platform/sequential_file.h"

#include <QFileInfo>
#include <algorithm>

namespace {

constexpr int MaxZones = 255;

double zoneArea(const ShapeRecord& zone)
{
    // Zone 0 measures a geographic zone in the map's zone and ellipsoid.
    int mapZone = 0;
    double axis = 0.0;
    double inverseFlattening = 0.0;
    return PolygonArea(zone, mapZone, axis, inverseFlattening);
}

// The mode that brings zones between the block's files and the map, 0 when
// both hold the same system. toFile: from the map's system into the file's.
int conversionMode(const AGNAVBlock& block, bool toFile)
{
    const bool geographicFile = block.isGeographicFile();
    const bool utmMap = globals().UTMMode;
    if (geographicFile && utmMap) {
        return toFile ? 1 : 2;
    }
    if (!geographicFile && !utmMap) {
        return toFile ? 2 : 1;
    }
    return 0;
}

// Returns why the zones cannot be converted (no ellipsoid), having changed
// nothing; empty when they were converted or needed no conversion.
QString convertZones(std::vector<ShapeRecord>& zones, const AGNAVBlock& block, int mode)
{
    if (mode == 0) {
        return QString();
    }
    if (QString missing = missingEllipsoidMessage(block.Ellipsoid); !missing.isEmpty()) {
        return missing;
    }
    const int count = static_cast<int>(zones.size()) - 1;
    const double axis = block.Ellipsoid.Axis;
    const double inverseFlattening = block.Ellipsoid.InverseFlattening;
    if (!exclusionZonesWithinReach(zones, count, block.Zone, mode, axis, inverseFlattening)) {
        return blockOutOfReachMessage(
            block, QStringLiteral("the exclusion zones of"), block.Zone, !globals().UTMMode);
    }
    convertExclusionZones(zones, count, block.Zone, mode, axis, inverseFlattening);
    return QString();
}

ShapeRecord clockwiseCopy(const ShapeRecord& vertices, int n, double& area)
{
    ShapeRecord zone;
    zone.resize(n);
    std::copy_n(vertices.X.begin() + 1, n, zone.X.begin() + 1);
    std::copy_n(vertices.Y.begin() + 1, n, zone.Y.begin() + 1);
    area = zoneArea(zone);
    if (RunsCounterClockwise(zone, area)) {
        std::reverse(zone.X.begin() + 1, zone.X.end());
        std::reverse(zone.Y.begin() + 1, zone.Y.end());
        area = zoneArea(zone);
    }
    return zone;
}

QString zoneLines(const ShapeRecord& fileZone, int zoneNumber, bool geographicFile)
{
    QString lines;
    for (std::size_t i = 1; i < fileZone.X.size(); ++i) {
        // A "GEO" file lists latitude first.
        lines += geographicFile ? exclusionFileLine(zoneNumber, fileZone.Y[i], fileZone.X[i], true)
                                : exclusionFileLine(zoneNumber, fileZone.X[i], fileZone.Y[i], false);
    }
    return lines;
}

AgnavOutcome saveFailure(const QString& description)
{
    return AgnavOutcome::refused(QStringLiteral("Error: ") + description);
}

} // namespace

AgnavOutcome LoadExclusionFile(int blockIndex)
{
    AGNAVBlock& block = blockAt(blockIndex);
    // The block's first zones take a row of their own in the list.
    if (!block.ExclusionLoaded) {
        if (const QString full = listRowLimitRefusal(); !full.isEmpty()) {
            return AgnavOutcome::refused(full);
        }
    }
    const QString path = blockCompanionPath(block.Path, QStringLiteral("xcl"));
    if (path.isEmpty()) {
        return AgnavOutcome::refused(blockCompanionRefusal(block.Path, QStringLiteral("xcl")));
    }
    const QString name = QFileInfo(path).fileName();
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, bytes, &error)) {
        return AgnavOutcome::refused(QStringLiteral("Cannot read %1: %2").arg(name, error));
    }
    std::vector<ShapeRecord> zones;
    const AgnavOutcome outcome = parseExclusionFile(bytes, block.isGeographicFile(), zones);
    if (!outcome.isDone()) {
        return AgnavOutcome::refused(name + QStringLiteral(", ") + outcome.message());
    }
    const int count = static_cast<int>(zones.size()) - 1;
    if (count == 0) {
        return outcome;
    }
    if (const QString refusal = convertZones(zones, block, conversionMode(block, false));
        !refusal.isEmpty()) {
        return AgnavOutcome::refused(refusal);
    }
    std::vector<double> areas(1, 0.0);
    for (int z = 1; z <= count; ++z) {
        areas.push_back(zoneArea(zones[static_cast<std::size_t>(z)]));
    }
    block.ExclusionZones = std::move(zones);
    block.ExclusionAreas = std::move(areas);
    block.ExclusionZoneCount = count;
    if (!block.ExclusionLoaded) {
        ++agnavData().ExclusionCount;
    }
    block.ExclusionLoaded = true;
    return outcome;
}

AgnavOutcome saveExclusionZone(int blockIndex, const ShapeRecord& vertices)
{
    AGNAVBlock& block = blockAt(blockIndex);
    const int n = std::min(vertices.upperBound(), static_cast<int>(vertices.Y.size()) - 1);
    if (n < 3) {
        return saveFailure(QStringLiteral("An exclusion zone needs at least 3 vertices."));
    }
    const QString limit
        = QStringLiteral("Cannot save more than %1 exclusion zones for one block.").arg(MaxZones);
    if (block.ExclusionZoneCount >= MaxZones) {
        return saveFailure(limit);
    }
    if (!block.ExclusionLoaded) {
        if (const QString full = listRowLimitRefusal(); !full.isEmpty()) {
            return saveFailure(full);
        }
    }
    const QString path = blockCompanionPath(block.Path, QStringLiteral("xcl"));
    if (path.isEmpty()) {
        return saveFailure(blockCompanionRefusal(block.Path, QStringLiteral("xcl")));
    }
    QByteArray existing;
    QString error;
    if (QFileInfo::exists(path) && !readWholeFile(path, existing, &error)) {
        return saveFailure(error);
    }
    // A cut last line, ended now, would read back as a vertex with lost digits.
    if (const int cut = cutOffLineNumber(existing); cut > 0) {
        return saveFailure(QStringLiteral("Cannot write %1: %2").arg(path, cutOffLineMessage(cut)));
    }
    // A file whose zones were never loaded keeps its numbers; the new zone
    // follows them instead of repeating one.
    const int zonesInFile = highestExclusionZoneNumber(existing);
    const int fileNumber = std::max(block.ExclusionZoneCount, zonesInFile) + 1;
    if (fileNumber > MaxZones) {
        return saveFailure(limit);
    }

    double area = 0.0;
    const ShapeRecord zone = clockwiseCopy(vertices, n, area);
    std::vector<ShapeRecord> inFile { ShapeRecord(), zone };
    if (const QString refusal = convertZones(inFile, block, conversionMode(block, true));
        !refusal.isEmpty()) {
        return saveFailure(refusal);
    }
    SequentialWriter writer;
    writer.print(zoneLines(inFile[1], fileNumber, block.isGeographicFile()));
    if (!writer.appendTo(path, &error)) {
        return saveFailure(QStringLiteral("Cannot write %1: %2").arg(path, error));
    }
    // The block takes the file's earlier zones too when they were never
    // loaded: it shows the file as it now is, and no zone stays behind
    // that "Load Exclusion Zones" (off once zones are loaded) could reach.
    if (!block.ExclusionLoaded && zonesInFile > 0 && LoadExclusionFile(blockIndex).isDone()
        && block.ExclusionLoaded) {
        block.SubItemSelected = true;
        return AgnavOutcome::done();
    }

    const int k = block.ExclusionZoneCount + 1;
    block.ExclusionZones.resize(static_cast<std::size_t>(k));
    block.ExclusionZones.push_back(zone);
    block.ExclusionAreas.resize(static_cast<std::size_t>(k));
    block.ExclusionAreas.push_back(area);
    block.ExclusionZoneCount = k;
    if (!block.ExclusionLoaded) {
        ++agnavData().ExclusionCount;
    }
    block.ExclusionLoaded = true;
    block.SubItemSelected = true;
    return AgnavOutcome::done();
}

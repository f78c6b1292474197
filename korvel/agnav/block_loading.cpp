#include "korvel/agnav/block_loading.h"

#include "korvel/agnav/agnav_coordinate_conversion.h"
#include "korvel/agnav/boundary_file_reader.h"
#include "korvel/shell/conversion_ellipsoid.h"
#include "korvel/shell/polygon_area.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/safe_file_writer.h"
#include "platform/vb_colors.h"

#include <algorithm>

namespace {

AGNAVBlock newBlock(const QString& path, const BlockLoadOptions& options)
{
    AGNAVBlock block;
    block.Path = path;
    const qsizetype slash = path.lastIndexOf(u'/');
    block.FileName = path.mid(slash + 1);
    block.Colour = options.loadingSession ? options.sessionColour : QBColor(0);
    block.Thickness = 1;
    block.Boundary.XMin = block.Boundary.YMin = BlockExtentStart;
    block.Boundary.XMax = block.Boundary.YMax = -BlockExtentStart;
    block.DataFolder = path.left(slash + 1);
    return block;
}

} // namespace

void widenDataExtent(const ShapeRecord& boundary, bool replace)
{
    MapExtent& extent = layerData().DataExtent;
    if (replace) {
        extent = { boundary.XMin, boundary.YMin, boundary.XMax, boundary.YMax };
        return;
    }
    extent.XMin = std::min(extent.XMin, boundary.XMin);
    extent.YMin = std::min(extent.YMin, boundary.YMin);
    extent.XMax = std::max(extent.XMax, boundary.XMax);
    extent.YMax = std::max(extent.YMax, boundary.YMax);
}

void setUpMapFromBlock(const AGNAVBlock& block)
{
    ProgramGlobals& program = globals();
    MapState& map = mapState();
    if (block.isGeographicFile()) {
        program.UTMMode = false;
        program.CoordFormat = QStringLiteral("0.0000");
        // Without corners the extent is still at its start values and says
        // nothing about the hemisphere.
        if (block.VertexCount > 0) {
            if (block.Boundary.YMax < 0.0) {
                map.NorthZone = false;
            } else if (block.Boundary.YMin > 0.0) {
                map.NorthZone = true;
            }
        }
    }
    program.Ellipsoid = block.Ellipsoid;
    for (std::size_t row = 1; row < program.EllipsoidTable.size(); ++row) {
        if (sameEllipsoid(program.EllipsoidTable[row], block.Ellipsoid)) {
            program.Ellipsoid.Name = program.EllipsoidTable[row].Name;
        }
    }
    map.Zone = block.Zone;
}

QString convertBoundaryForMap(AGNAVBlock& block)
{
    struct Step
    {
        int mode;
        const EllipsoidRecord* ellipsoid;
    };
    const EllipsoidRecord& own = block.Ellipsoid;
    const EllipsoidRecord& map = globals().Ellipsoid;
    std::vector<Step> steps;
    if (globals().UTMMode) {
        if (block.isGeographicFile()) {
            steps = { { 2, &map } };
        } else if (!sameEllipsoid(own, map)) {
            steps = { { 1, &own }, { 2, &map } };
        }
    } else if (!block.isGeographicFile()) {
        steps = { { 1, &own } };
    }
    // Every ellipsoid is checked before the first step, so a refusal leaves
    // the boundary as read.
    for (const Step& step : steps) {
        if (QString missing = missingEllipsoidMessage(*step.ellipsoid); !missing.isEmpty()) {
            return missing;
        }
    }
    for (const Step& step : steps) {
        const double axis = step.ellipsoid->Axis;
        const double inverseFlattening = step.ellipsoid->InverseFlattening;
        // The block is not listed yet: a refusal after a first step drops it whole.
        if (!boundaryWithinReach(block, block.Zone, step.mode, axis, inverseFlattening)) {
            return blockOutOfReachMessage(block, QString(), block.Zone, step.mode != 1);
        }
        convertBoundary(block, block.Zone, step.mode, axis, inverseFlattening);
    }
    return QString();
}

AgnavOutcome loadBlockRecord(const QString& path, const BlockLoadOptions& options, int* blockIndex)
{
    const QString refusal = blockLimitRefusal();
    if (!refusal.isEmpty()) {
        return AgnavOutcome::refused(refusal);
    }
    QByteArray bytes;
    QString error;
    // A guidance save stopped between its two files is completed first, so
    // the boundary and its lines come from the same save.
    if (!SafeFileSetWriter::finishInterrupted(path, &error)) {
        return AgnavOutcome::refused(error);
    }
    if (!readWholeFile(path, bytes, &error)) {
        return AgnavOutcome::refused(error);
    }
    AGNAVBlock block = newBlock(path, options);
    const AgnavOutcome outcome = parseBoundaryFile(bytes, block, globals().EllipsoidTable);
    if (!outcome.isDone()) {
        return outcome;
    }
    if (block.Ellipsoid.Axis == 0.0) {
        block.Ellipsoid = globals().Ellipsoid; // the file names no ellipsoid
    }
    MapState& map = mapState();
    const bool mapWasEmpty = map.MapEmpty;
    if (mapWasEmpty && !options.loadingSession) {
        setUpMapFromBlock(block);
    }
    if (const QString refusal = convertBoundaryForMap(block); !refusal.isEmpty()) {
        return AgnavOutcome::refused(refusal);
    }

    const int index = appendBlock();
    AGNAVBlock& added = agnavData().Blocks[static_cast<std::size_t>(index)];
    added = std::move(block);
    widenDataExtent(added.Boundary, mapWasEmpty);
    added.Area = BoundaryArea(index);
    globals().AGNAVLoaded = true;
    map.MapEmpty = false;
    if (blockIndex) {
        *blockIndex = index;
    }
    return outcome;
}

#include "korvel/guidance/guidance_save.h"

#include "korvel/agnav/agnav_coordinate_conversion.h"
#include "korvel/agnav/boundary_file_writer.h"
#include "korvel/guidance/boundary_guidance_records.h"
#include "korvel/guidance/guidance_file.h"
#include "korvel/guidance/guidance_panel_rules.h"
#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/block_companion.h"
#include "korvel/workspace/list_rows.h"
#include "platform/file_helpers.h"
#include "platform/private_work_file.h"
#include "platform/safe_file_writer.h"
#include "platform/text_codec.h"
#include "platform/vb_numbers.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

namespace {

// The block's values and files as the save will leave them.
struct SavedGuidance
{
    QString swath;
    QString heading;
    int offsetCode = 0;
    QString lineCount;
    QString guidancePath;
    QByteArray guidanceBytes;
    QByteArray oldBoundaryBytes; // the boundary file as it is
    QByteArray boundaryBytes; // and as it will be
};

QString cannotWrite(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot write %1: %2").arg(path, reason);
}

// The ellipsoid the block's files are in: a block without one of its own
// is held in the map's.
const EllipsoidRecord& fileEllipsoid(const GuidanceSaveRequest& request, const AGNAVBlock& block)
{
    return block.Ellipsoid.Axis > 0.0 ? block.Ellipsoid : request.frame.ellipsoid;
}

// Whether the lines go through latitude and longitude on their way into the
// guidance-line file.
bool convertsLines(const GuidanceSaveRequest& request, const AGNAVBlock& block)
{
    return !request.frame.utm || !sameEllipsoid(fileEllipsoid(request, block), request.frame.ellipsoid);
}

// Whether both ends of every line lie where the projection holds: degrees,
// or grid read in the hemisphere `north`.
bool linesWithinReach(
    const std::vector<GuidanceSegment>& lines, const UtmProjection& projection, bool grid, bool north)
{
    const auto reaches = [&](double x, double y) {
        return grid ? projection.reachesGrid(x, y, north) : projection.reaches(y, x);
    };
    return std::all_of(lines.begin(), lines.end(),
        [&](const GuidanceSegment& line) { return reaches(line.x1, line.y1) && reaches(line.x2, line.y2); });
}

// Why the lines cannot be laid or written where the block lies: beyond the
// reach of the map's zone, in which a geographic map lays them over the
// boundary, or of the block's own zone, into which they are converted for
// the guidance-line file.
QString reachRefusal(const GuidanceSaveRequest& request, const AGNAVBlock& block)
{
    const GuidanceMapFrame& map = request.frame;
    const EllipsoidRecord& mapEllipsoid = map.ellipsoid;
    if (!map.utm
        && !boundaryWithinReach(block, map.zone, 2, mapEllipsoid.Axis, mapEllipsoid.InverseFlattening)) {
        return blockOutOfReachMessage(block, QString(), map.zone, true, BlockReachRefusal::GuidanceLines);
    }
    // A UTM map in another ellipsoid reads its grid back to degrees first.
    const UtmProjection from(block.Zone, mapEllipsoid.Axis, mapEllipsoid.InverseFlattening);
    if (convertsLines(request, block) && !linesWithinReach(request.lines, from, map.utm, request.north)) {
        return blockOutOfReachMessage(block, QStringLiteral("the guidance lines of"), block.Zone, !map.utm,
            BlockReachRefusal::GuidanceLines);
    }
    return {};
}

// The lines as the guidance-line file holds them: UTM metres in the block's
// zone and ellipsoid, which its reader assumes.
std::vector<GuidanceSegment> inBlockGrid(const GuidanceSaveRequest& request, const AGNAVBlock& block)
{
    const GuidanceMapFrame& map = request.frame;
    const EllipsoidRecord& own = fileEllipsoid(request, block);
    std::vector<GuidanceSegment> lines = request.lines;
    if (!convertsLines(request, block)) {
        return lines;
    }
    const UtmProjection target(block.Zone, own.Axis, own.InverseFlattening);
    const UtmProjection held(block.Zone, map.ellipsoid.Axis, map.ellipsoid.InverseFlattening);
    const auto convert = [&](double& x, double& y) {
        // X is the longitude and Y the latitude on a geographic map; a UTM
        // map in another ellipsoid goes to them first.
        GeographicDeg point { y, x };
        if (map.utm) {
            point = held.toGeographic(x, y, request.north);
        }
        // The reader takes the file in the map's hemisphere; lines across
        // the equator keep it too.
        const ProjectedMetres grid = target.toUtm(point, request.north);
        x = grid.easting;
        y = grid.northing;
    };
    for (GuidanceSegment& line : lines) {
        convert(line.x1, line.y1);
        convert(line.x2, line.y2);
    }
    return lines;
}

// The heading record 17 and the block keep, or a refusal in `problem`.
QString savedHeading(const GuidanceSaveRequest& request, const AGNAVBlock& block, QString& problem)
{
    const QString& text = request.panel.guidanceText;
    if (request.panel.headingMode) {
        const std::optional<int> heading = wholeHeading(text);
        if (!heading) {
            problem = QStringLiteral("The heading \"%1\" is not a number.").arg(text);
            return {};
        }
        return QString::number(*heading);
    }
    const std::optional<int> edge = typedWholeNumber(text, 1, block.VertexCount);
    const std::optional<double> degrees
        = edge ? edgeHeadingDegrees(block.Boundary, block.VertexCount, *edge, request.frame) : std::nullopt;
    if (!degrees) {
        problem = QStringLiteral("\"%1\" is not an edge of block %2, whose edges are 1 to %3.")
                      .arg(text, block.FileName)
                      .arg(block.VertexCount);
        return {};
    }
    return CStr(*degrees);
}

// Why the guidance-line file at `path` may not be replaced: it is the
// boundary file of a loaded block, or it holds something other than
// guidance lines (another block's boundary, say). Empty when it may.
QString guidanceTargetRefusal(const QString& path)
{
    const QFileInfo target(path);
    for (int b = 1; b <= agnavData().BlockCount; ++b) {
        // The same file under another spelling of its path (a link, "..") counts too.
        const QFileInfo boundary(blockAt(b).Path);
        const bool same = target.exists() ? boundary.canonicalFilePath() == target.canonicalFilePath()
                                          : boundary.absoluteFilePath() == target.absoluteFilePath();
        if (same) {
            return QStringLiteral("%1 is the boundary file of block %2, so the guidance lines were not saved "
                                  "over it; nothing was changed.")
                .arg(path, blockAt(b).FileName);
        }
    }
    // Only a file's content can be judged; a folder at the path fails the write.
    if (!target.isFile()) {
        return {};
    }
    QByteArray bytes;
    QString reason;
    if (!readWholeFile(path, bytes, &reason)) {
        return QStringLiteral("Cannot read %1: %2").arg(path, reason);
    }
    if (!holdsGuidanceLines(bytes)) {
        return QStringLiteral("%1 is not a guidance-line file, so the guidance lines were not saved over it; "
                              "nothing was changed. Move or rename that file and save again.")
            .arg(path);
    }
    return {};
}

// Works out everything the save writes; `problem` says why it cannot.
SavedGuidance prepare(const GuidanceSaveRequest& request, const AGNAVBlock& block, QString& problem)
{
    SavedGuidance saved;
    const std::optional<int> swath = storedSwathMetres(request.panel.swathText, request.metric);
    if (!swath) {
        problem = QStringLiteral("The swath width \"%1\" is not a number.").arg(request.panel.swathText);
        return saved;
    }
    if (*swath <= 0) {
        problem = QStringLiteral("The swath width of block %1 must be at least 1 m.").arg(block.FileName);
        return saved;
    }
    const int lineCount = int(request.lines.size());
    if (lineCount > MaxGuidanceLines) {
        problem = QStringLiteral("Block %1 would get %2 guidance lines; at most %3 can be saved.")
                      .arg(block.FileName)
                      .arg(lineCount)
                      .arg(MaxGuidanceLines);
        return saved;
    }
    saved.swath = QString::number(*swath);
    saved.heading = savedHeading(request, block, problem);
    if (!problem.isEmpty()) {
        return saved;
    }
    saved.offsetCode = request.panel.halfSwath ? 1 : 0;
    saved.lineCount = QString::number(lineCount);

    const std::optional<QString> text = guidanceFileText(inBlockGrid(request, block));
    if (!text) {
        problem = QStringLiteral("A guidance line of block %1 has no place in UTM zone %2.")
                      .arg(block.FileName)
                      .arg(block.Zone);
        return saved;
    }
    saved.guidancePath = blockCompanionPath(block.Path, QStringLiteral("xyz"));
    problem = guidanceTargetRefusal(saved.guidancePath);
    if (!problem.isEmpty()) {
        return saved;
    }
    saved.guidanceBytes = encodeText(*text);

    QString reason;
    if (!readWholeFile(block.Path, saved.oldBoundaryBytes, &reason)) {
        problem = QStringLiteral("Cannot read %1: %2").arg(block.Path, reason);
        return saved;
    }
    const bool utmFile = block.CoordType == QLatin1String("UTM");
    GuidanceRecords records;
    records.lineCount = saved.lineCount;
    std::tie(records.masterFirst, records.masterSecond)
        = masterPointInFileOrder(block.MasterPoint.MasterX, block.MasterPoint.MasterY, utmFile);
    records.heading = saved.heading;
    records.swath = saved.swath;
    records.offsetCode = saved.offsetCode;
    const AgnavOutcome rewritten
        = rewriteGuidanceRecords(saved.oldBoundaryBytes, records, saved.boundaryBytes);
    if (!rewritten.isDone()) {
        problem = rewritten.message();
    }
    return saved;
}

// Writes both files as one; on failure both are as they were.
QString writeFiles(const QString& boundaryPath, const QStringList& backupFolders, const SavedGuidance& saved)
{
    const QByteArray& old = saved.oldBoundaryBytes;
    QString reason;
    const QString backup
        = writePrivateWorkFile(backupFolders.isEmpty() ? privateWorkFolders() : backupFolders,
            QStringLiteral("temp.no1"), old, &reason);
    if (backup.isEmpty()) {
        return QStringLiteral("Cannot keep a copy of %1 before saving: %2").arg(boundaryPath, reason);
    }
    SafeFileSetWriter files({ boundaryPath, saved.guidancePath });
    if (files.open() && files.write(0, saved.boundaryBytes) && files.write(1, saved.guidanceBytes)
        && files.commit()) {
        return {};
    }
    const QString problem = cannotWrite(files.failedPath(), files.errorString());
    if (!files.replaced().contains(boundaryPath)) {
        return problem;
    }
    // The boundary file is new but its lines are not: it is put back.
    if (!writeFileAtomically(boundaryPath, old, &reason)) {
        return problem + QStringLiteral("\r") + cannotWrite(boundaryPath, reason)
            + QStringLiteral("\rIts earlier content is in %1.").arg(backup);
    }
    return problem;
}

void takeIntoBlock(AGNAVBlock& block, const GuidanceSaveRequest& request, const SavedGuidance& saved)
{
    block.SwathWidthText = saved.swath;
    block.HeadingText = saved.heading;
    block.OffsetCode = saved.offsetCode;
    block.LineCountText = saved.lineCount;

    GuidanceSet& set = block.Guidance;
    set.SourcePath = saved.guidancePath;
    set.LineCount = int(request.lines.size());
    set.Lines.assign(request.lines.size() + 1, GuidancePolyline());
    for (std::size_t i = 0; i < request.lines.size(); ++i) {
        const GuidanceSegment& line = request.lines[i];
        GuidancePolyline& polyline = set.Lines[i + 1];
        polyline.PointCount = 2;
        polyline.X = { 0.0, line.x1, line.x2 };
        polyline.Y = { 0.0, line.y1, line.y2 };
    }
    if (!block.GuidanceLoaded) {
        block.GuidanceLoaded = true;
        ++agnavData().GuidanceCount;
    }
}

} // namespace

AgnavOutcome saveGuidanceLines(const GuidanceSaveRequest& request)
{
    if (request.block < 1 || request.block > agnavData().BlockCount) {
        return AgnavOutcome::refused(QStringLiteral("No block is chosen for the guidance lines."));
    }
    AGNAVBlock& block = blockAt(request.block);
    // A first set of lines takes a row of its own in the list.
    if (!block.GuidanceLoaded) {
        if (const QString full = listRowLimitRefusal(); !full.isEmpty()) {
            return AgnavOutcome::refused(full);
        }
    }
    if (const QString far = reachRefusal(request, block); !far.isEmpty()) {
        return AgnavOutcome::refused(far);
    }
    if (!request.computationRefusal.isEmpty()) {
        return AgnavOutcome::refused(
            QStringLiteral("The guidance lines of the block %1 could not be computed, so nothing was saved.\r"
                           "Choose another heading, edge or swath width and save again.")
                .arg(block.FileName));
    }
    if (const QString clash = blockCompanionRefusal(block.Path, QStringLiteral("xyz")); !clash.isEmpty()) {
        return AgnavOutcome::refused(clash);
    }
    // A save a kill interrupted is completed before the boundary file is read.
    QString problem;
    if (!SafeFileSetWriter::finishInterrupted(block.Path, &problem)) {
        return AgnavOutcome::refused(problem);
    }
    const SavedGuidance saved = prepare(request, block, problem);
    if (problem.isEmpty()) {
        problem = writeFiles(block.Path, request.backupFolders, saved);
    }
    if (!problem.isEmpty()) {
        return AgnavOutcome::refused(problem);
    }
    takeIntoBlock(block, request, saved);
    return AgnavOutcome::done();
}

#include "korvel/guidance/guidance_file.h"

#include "korvel/agnav/agnav_coordinate_conversion.h"
#include "korvel/agnav/agnav_text_fields.h"
#include "korvel/shell/conversion_ellipsoid.h"
#include "korvel/workspace/block_companion.h"
#include "korvel/workspace/list_rows.h"
#include "korvel/workspace/program_globals.h"
#include "platform/complete_lines.h"
#include "platform/file_helpers.h"
#include "platform/sequential_file.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <QFileInfo>
#include <QStringList>
#include <cmath>

namespace {

bool isHeader(const QString& line)
{
    return line.left(4).compare(QLatin1String("LINE"), Qt::CaseInsensitive) == 0;
}

// Adds one point to the line; an empty text when it was read, else what is wrong.
QString readPoint(const QString& line, GuidancePolyline& polyline)
{
    const QStringList values = agnavLineItems(line, CommaSeparates::Yes);
    double x = 0.0;
    double y = 0.0;
    try {
        if (values.size() < 2 || !IsNumeric(values[0]) || !IsNumeric(values[1])) {
            return QStringLiteral("the point \"%1\" is not two numbers.").arg(line.left(40));
        }
        x = CDbl(values[0]);
        y = CDbl(values[1]);
    } catch (const VbError& error) {
        return error.Description();
    }
    polyline.X.push_back(x);
    polyline.Y.push_back(y);
    ++polyline.PointCount;
    return {};
}

// A coordinate as the file holds it: whole metres as plain digits.
std::optional<QString> wholeMetres(double value)
{
    const double whole = std::floor(value + 0.5);
    if (!std::isfinite(whole) || std::abs(whole) > 1e15) {
        return std::nullopt;
    }
    return QString::number(qint64(whole));
}

} // namespace

std::optional<QString> guidanceFileText(const std::vector<GuidanceSegment>& lines)
{
    QString text;
    int number = 0;
    for (const GuidanceSegment& line : lines) {
        number += 10;
        text += QStringLiteral("LINE") + Str(number) + QStringLiteral(" \r\n");
        const double points[2][2] = { { line.x1, line.y1 }, { line.x2, line.y2 } };
        for (int p = 0; p < 2; ++p) {
            const std::optional<QString> east = wholeMetres(points[p][0]);
            const std::optional<QString> north = wholeMetres(points[p][1]);
            if (!east || !north) {
                return std::nullopt;
            }
            text += *east + QStringLiteral("      ") + *north + QStringLiteral("  ") + QString::number(p + 1)
                + QStringLiteral("\r\n");
        }
    }
    return text;
}

bool holdsGuidanceLines(const QByteArray& bytes)
{
    SequentialReader reader(bytes);
    while (!reader.atEnd()) {
        const QString line = reader.readLine().trimmed();
        if (!line.isEmpty()) {
            return isHeader(line);
        }
    }
    return true;
}

AgnavOutcome parseGuidanceFile(const QByteArray& bytes, GuidanceSet& set)
{
    if (const int cut = cutOffLineNumber(bytes); cut > 0) {
        return AgnavOutcome::refused(cutOffLineMessage(cut));
    }
    GuidanceSet read;
    SequentialReader reader(bytes);
    int lineNumber = 0;
    int headerLine = 0; // where the line being read began
    // A line needs both its ends; one with fewer lost the rest of the file.
    const auto lastLineWhole = [&]() { return read.LineCount == 0 || read.Lines.back().PointCount >= 2; };
    const auto shortLine = [&]() {
        return AgnavOutcome::refused(
            QStringLiteral("Line %1: the guidance line that starts here has fewer than two points.")
                .arg(headerLine));
    };
    while (!reader.atEnd()) {
        const QString line = reader.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty()) {
            continue;
        }
        if (isHeader(line)) {
            if (!lastLineWhole()) {
                return shortLine();
            }
            read.Lines.emplace_back();
            ++read.LineCount;
            headerLine = lineNumber;
            continue;
        }
        if (read.LineCount == 0) {
            return AgnavOutcome::refused(
                QStringLiteral("Line %1: a point comes before the first LINE header.").arg(lineNumber));
        }
        const QString problem = readPoint(line, read.Lines.back());
        if (!problem.isEmpty()) {
            return AgnavOutcome::refused(QStringLiteral("Line %1: %2").arg(lineNumber).arg(problem));
        }
    }
    if (!lastLineWhole()) {
        return shortLine();
    }
    set.LineCount = read.LineCount;
    set.Lines = std::move(read.Lines);
    return AgnavOutcome::done();
}

AgnavOutcome LoadGuidanceFile(int blockIndex)
{
    AGNAVBlock& block = blockAt(blockIndex);
    if (block.GuidanceLoaded) {
        return AgnavOutcome::done();
    }
    // The guidance lines take a row of their own in the list.
    if (const QString full = listRowLimitRefusal(); !full.isEmpty()) {
        return AgnavOutcome::refused(full);
    }
    const QString path = blockCompanionPath(block.Path, QStringLiteral("xyz"));
    if (path.isEmpty()) {
        return AgnavOutcome::refused(blockCompanionRefusal(block.Path, QStringLiteral("xyz")));
    }
    const QString name = QFileInfo(path).fileName();
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, bytes, &error)) {
        return AgnavOutcome::refused(QStringLiteral("Cannot read %1: %2").arg(name, error));
    }
    GuidanceSet set;
    const AgnavOutcome outcome = parseGuidanceFile(bytes, set);
    if (!outcome.isDone()) {
        return AgnavOutcome::refused(name + QStringLiteral(", ") + outcome.message());
    }
    set.SourcePath = path;

    const EllipsoidRecord& own = block.Ellipsoid;
    const EllipsoidRecord& map = globals().Ellipsoid;
    const bool sameAsMap = sameEllipsoid(own, map);
    const bool toGeographic = !globals().UTMMode || !sameAsMap;
    const bool toUtm = globals().UTMMode && !sameAsMap;
    // Both ellipsoids are checked first: a refusal leaves the block as it was.
    QString missing = toGeographic ? missingEllipsoidMessage(own) : QString();
    if (missing.isEmpty() && toUtm) {
        missing = missingEllipsoidMessage(map);
    }
    if (!missing.isEmpty()) {
        return AgnavOutcome::refused(missing);
    }
    // The set is the block's only once both steps are done, so a refusal
    // after the first leaves the block as it was.
    const auto outOfReach = [&]() {
        return AgnavOutcome::refused(blockOutOfReachMessage(
            block, QStringLiteral("the guidance lines of"), block.Zone, !globals().UTMMode));
    };
    if (toGeographic) {
        if (!guidanceSetWithinReach(set, block.Zone, 1, own.Axis, own.InverseFlattening)) {
            return outOfReach();
        }
        convertGuidanceSet(set, block.Zone, 1, own.Axis, own.InverseFlattening);
    }
    if (toUtm) {
        if (!guidanceSetWithinReach(set, block.Zone, 2, map.Axis, map.InverseFlattening)) {
            return outOfReach();
        }
        convertGuidanceSet(set, block.Zone, 2, map.Axis, map.InverseFlattening);
    }

    block.Guidance = std::move(set);
    block.GuidanceLoaded = true;
    ++agnavData().GuidanceCount;
    return outcome;
}

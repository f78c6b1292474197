#include "korvel/agnav/boundary_file_writer.h"

#include "korvel/agnav/agnav_coordinate_conversion.h"
#include "korvel/agnav/column_line.h"
#include "korvel/shell/conversion_ellipsoid.h"
#include "korvel/shell/utm_conversion.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/text_codec.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <QStringList>
#include <algorithm>

namespace {

// The records one by one, and the first value that did not fit its field.
class Records
{
public:
    void add(const ColumnLine& line)
    {
        m_lines << line.text();
        if (m_problem.isEmpty()) {
            m_problem = line.problem();
        }
    }
    void fixed(const QString& line) { m_lines << line; }

    const QString& problem() const { return m_problem; }
    QString text() const { return m_lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

private:
    QStringList m_lines;
    QString m_problem;
};

void writeCorners(Records& records, const ShapeRecord& corners, int count, bool utm)
{
    for (int i = 1; i <= count; ++i) {
        const double x = corners.X[static_cast<std::size_t>(i)];
        const double y = corners.Y[static_cast<std::size_t>(i)];
        ColumnLine line(QStringLiteral("2"));
        if (utm) {
            line.within(5, 31,
                Format(x, QStringLiteral("0.0")) + QStringLiteral("   ") + Format(y, QStringLiteral("0.0")),
                "corner");
        } else {
            // The corner reader splits at blanks only: a blank always ends
            // the latitude, whatever sign the longitude has.
            line.within(5, 14, Format(y, QStringLiteral("0.000000")), "corner latitude");
            line.within(16, 31, Format(x, QStringLiteral("0.000000")), "corner longitude");
        }
        line.from(33, QStringLiteral("AREA CORNER"));
        line.append(Str(i) + u' ');
        records.add(line);
    }
}

// A record of one right-aligned value and its comment.
ColumnLine oneValue(
    const QString& record, int last, const QString& text, const char* what, const QString& comment)
{
    ColumnLine line(record);
    line.endingIn(last, text, what);
    line.from(33, comment);
    return line;
}

// The job dialog's checks let through values longer than their columns (a
// Delta shift of 100,000 or more, a race track beyond five characters, an
// ellipsoid typed with many digits): these refuse the job, named, rather
// than run into the next value's columns.
void writeJobRecords(Records& records, const AGNAVJob& job, const AGNAVBlock& block, bool utm)
{
    records.add(lineCountRecord(job.LineCount));
    records.add(oneValue(
        QStringLiteral("8"), 14, job.MaxXTrack, "maximum cross-track", QStringLiteral("MAX CROSS TRACK")));

    ColumnLine shift(QStringLiteral("9"));
    shift.within(8, 13, job.DeltaX, "Delta X shift");
    shift.within(14, 19, job.DeltaY, "Delta Y shift");
    shift.within(20, 32, job.DeltaZ, "Delta Z shift");
    shift.from(33, QStringLiteral("DELTA X/Y/Z"));
    records.add(shift);

    records.fixed(QStringLiteral("11 0.9996000000       0.0       0.0 K0, X/Y SHIFT"));

    const auto [first, second] = masterPointInFileOrder(job.MasterX, job.MasterY, utm);
    records.add(masterPointRecord(first, second, job.Heading));

    // The reader takes the name by its twelve columns and the axis and the
    // flattening each up to a blank: the column after each stays blank.
    ColumnLine ellipsoid(QStringLiteral("20"));
    ellipsoid.within(4, 15, job.Ellipsoid.EllipsoidName, "ellipsoid name");
    ellipsoid.within(16, 26, job.Ellipsoid.EllipsoidAxis, "ellipsoid axis");
    ellipsoid.within(28, 40, job.Ellipsoid.EllipsoidFlattening, "ellipsoid flattening");
    ellipsoid.within(42, 49, job.EllipsoidIndex, "ellipsoid index");
    ellipsoid.from(50, QStringLiteral("ELLIPSOID"));
    records.add(ellipsoid);

    records.fixed(QStringLiteral("21          0                   NO EQUATORIAL CROSSING"));

    ColumnLine comm(QStringLiteral("30"));
    comm.endingIn(13, job.CommIndex, "communication index");
    comm.endingIn(30, job.CommFormat, "communication format");
    comm.from(33, QStringLiteral("RS-232 PORT 2 INCOMING FORMAT"));
    records.add(comm);

    // The job name is the file name without its extension and point.
    ColumnLine crop(QStringLiteral("35"));
    crop.endingIn(23, block.FileName.left(std::max<qsizetype>(0, block.FileName.size() - 4)), "job name");
    crop.within(26, 28, QStringLiteral("F"), "crop letter");
    crop.within(29, 32, job.SpraySideLetter, "spray side");
    crop.from(33, QStringLiteral("CROP DIR, RAM DISK, SPRAY SIDE"));
    records.add(crop);

    ColumnLine swath(QStringLiteral("36"));
    swath.endingIn(13, job.SwathWidth, "swath width");
    swath.endingIn(23, job.NumAircraft, "number of aircraft");
    swath.within(26, 32, job.BoomsOnCode, "booms-on code");
    swath.from(33, QStringLiteral("SWATH WIDTH, NO OF A/C, ") + job.BoomsOnText);
    records.add(swath);

    records.add(offsetRecord(job.OffsetCode, job.OffsetText));

    ColumnLine units(QStringLiteral("38"));
    units.within(13, 32, job.UnitsCode, "units code");
    units.from(33, job.UnitsText);
    records.add(units);

    ColumnLine track(QStringLiteral("39"));
    track.endingIn(8, job.RaceTrack, "race track");
    track.endingIn(16, job.SkipTrack, "skip track");
    track.from(33, QStringLiteral("RACE TRACK, SKIP TRACK"));
    records.add(track);

    records.add(oneValue(QStringLiteral("40"), 13, job.MagVar, "magnetic variation",
        QStringLiteral("MAGNETIC VARIATION, Deg.")));
    records.add(
        oneValue(QStringLiteral("41"), 13, job.LagTime, "system lag", QStringLiteral("SYSTEM LAG, Sec.")));

    ColumnLine relay(QStringLiteral("42"));
    relay.endingIn(8, job.RelayOn, "relay on time");
    relay.endingIn(16, job.RelayOff, "relay off time");
    relay.from(33, QStringLiteral("RELAY ON / OFF, Sec."));
    records.add(relay);

    records.fixed(QStringLiteral("102  UTM                        UTM X/Y SCALE"));
}

} // namespace

ColumnLine lineCountRecord(const QString& lineCount)
{
    return oneValue(QStringLiteral("4"), 14, lineCount, "number of lines", QStringLiteral("NUMBER OF LINES"));
}

ColumnLine masterPointRecord(const QString& first, const QString& second, const QString& heading)
{
    ColumnLine line(QStringLiteral("17"));
    line.endingIn(13, first, "master point");
    line.endingIn(24, second, "master point");
    line.endingIn(31, Format(heading, QStringLiteral("0.00")), "heading");
    line.from(33, QStringLiteral("MASTER POINT, HEADING"));
    return line;
}

ColumnLine offsetRecord(const QString& code, const QString& text)
{
    ColumnLine line(QStringLiteral("37"));
    line.within(13, 32, code, "offset code");
    line.from(33, text);
    return line;
}

std::pair<QString, QString> masterPointInFileOrder(
    const QString& masterX, const QString& masterY, bool utmFile)
{
    return utmFile ? std::pair { masterX, masterY } : std::pair { masterY, masterX };
}

int centralMeridianOfZone(int zone)
{
    const int meridian = zone * 6 + 177;
    return meridian > 360 ? meridian - 360 : meridian;
}

AgnavOutcome boundaryFileText(
    const AGNAVJob& job, const AGNAVBlock& block, const ShapeRecord& corners, QString& text)
{
    const bool utm = block.CoordType == QLatin1String("UTM");
    const int count
        = std::min({ block.VertexCount, corners.upperBound(), static_cast<int>(corners.Y.size()) - 1 });
    Records records;
    ColumnLine area(QStringLiteral("0"));
    area.from(4, job.AreaName);
    records.add(area);

    ColumnLine system(QStringLiteral("1"));
    system.within(4, 6, utm ? QStringLiteral("U") : QStringLiteral("L"), "coordinate letter");
    system.from(7, QString::number(centralMeridianOfZone(block.Zone)));
    records.add(system);

    writeCorners(records, corners, count, utm);
    writeJobRecords(records, job, block, utm);
    if (!records.problem().isEmpty()) {
        return AgnavOutcome::refused(records.problem());
    }
    text = records.text();
    return AgnavOutcome::done();
}

QString boundaryFileReachRefusal(const AGNAVBlock& block)
{
    const bool utmFile = block.CoordType == QLatin1String("UTM");
    const bool utmMap = globals().UTMMode;
    if (utmFile && utmMap) {
        return {};
    }
    if (utmFile != utmMap) {
        if (QString missing = missingEllipsoidMessage(block.Ellipsoid); !missing.isEmpty()) {
            return missing;
        }
    }
    // Converted corners far from the zone's meridian would be numbers that
    // name no place; corners kept in degrees the guidance system projects in
    // the zone record 1 names, where they could not be flown either.
    const int mode = utmFile || !utmMap ? 2 : 1;
    if (!boundaryWithinReach(
            block, block.Zone, mode, block.Ellipsoid.Axis, block.Ellipsoid.InverseFlattening)) {
        return blockOutOfReachMessage(block, QString(), block.Zone, !utmMap, BlockReachRefusal::BoundaryFile);
    }
    return {};
}

AgnavOutcome writeBoundaryFile(const AGNAVJob& job, const AGNAVBlock& block)
{
    if (const QString refusal = boundaryFileReachRefusal(block); !refusal.isEmpty()) {
        return AgnavOutcome::refused(refusal);
    }
    // The corners go into the file's system on a copy; the block keeps the
    // map's system.
    ShapeRecord corners = block.Boundary;
    const bool utmFile = block.CoordType == QLatin1String("UTM");
    if (utmFile != globals().UTMMode) {
        ConvertPointArrays(
            corners, block.Zone, utmFile ? 2 : 1, block.Ellipsoid.Axis, block.Ellipsoid.InverseFlattening);
    }
    QString text;
    const AgnavOutcome outcome = boundaryFileText(job, block, corners, text);
    if (!outcome.isDone()) {
        return outcome;
    }
    QString error;
    if (!writeFileAtomically(block.Path, encodeText(text), &error)) {
        return AgnavOutcome::refused(QStringLiteral("Cannot write %1: %2").arg(block.Path, error));
    }
    return AgnavOutcome::done();
}

AgnavOutcome WriteBoundaryFile(const AGNAVJob& job)
{
    return writeBoundaryFile(job, blockAt(agnavData().BlockCount));
}

#include "korvel/agnav/boundary_file_writer.h"

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
#include <optional>

namespace {

// Builds the records one by one and keeps the first value that did not fit.
// A value placed at its column is refused when the value before it ran past
// its own columns, so that one is named; a value ending before its column
// is refused when it is itself too long to the left.
class RecordWriter
{
public:
    void begin(const QString& record)
    {
        m_record = record;
        m_line.emplace(record);
        m_lastText.clear();
        m_lastWhat = nullptr;
    }
    void at(int column, const QString& text, const char* what)
    {
        if (!m_line->at(column, text)) {
            m_lastWhat ? refuse(m_lastText, m_lastWhat) : refuse(text, what);
        }
        remember(text, what);
    }
    void endingBefore(int column, const QString& text, const char* what)
    {
        if (!m_line->endingBefore(column, text)) {
            refuse(text, what);
        }
        remember(text, what);
    }
    void append(const QString& text) { m_line->append(text); }
    void end() { m_lines << m_line->text(); }
    void fixed(const QString& line) { m_lines << line; }

    const QString& problem() const { return m_problem; }
    QString text() const { return m_lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

private:
    void refuse(const QString& text, const char* what)
    {
        if (m_problem.isEmpty()) {
            m_problem = QStringLiteral(
                "The %1 \"%2\" is too long for its columns in record %3 of the boundary file.")
                            .arg(QLatin1String(what), text, m_record);
        }
    }
    void remember(const QString& text, const char* what)
    {
        if (!text.isEmpty()) {
            m_lastText = text;
            m_lastWhat = what;
        }
    }

    std::optional<ColumnLine> m_line;
    QString m_record;
    QString m_lastText;
    const char* m_lastWhat = nullptr;
    QStringList m_lines;
    QString m_problem;
};

void writeCorners(RecordWriter& w, const ShapeRecord& corners, int count, bool utm)
{
    for (int i = 1; i <= count; ++i) {
        const double x = corners.X[static_cast<std::size_t>(i)];
        const double y = corners.Y[static_cast<std::size_t>(i)];
        w.begin(QStringLiteral("2"));
        if (utm) {
            w.at(5,
                Format(x, QStringLiteral("0.0")) + QStringLiteral("   ") + Format(y, QStringLiteral("0.0")),
                "corner");
        } else {
            w.at(5, Format(y, QStringLiteral("0.000000")), "corner latitude");
            w.at(16, Format(x, QStringLiteral("0.000000")), "corner longitude");
        }
        w.at(33, QStringLiteral("AREA CORNER"), "comment");
        w.append(Str(i) + u' ');
        w.end();
    }
}

void writeJobRecords(RecordWriter& w, const AGNAVJob& job, const AGNAVBlock& block, bool utm)
{
    w.begin(QStringLiteral("4"));
    w.endingBefore(15, job.LineCount, "number of lines");
    w.at(33, QStringLiteral("NUMBER OF LINES"), "comment");
    w.end();

    w.begin(QStringLiteral("8"));
    w.endingBefore(15, job.MaxXTrack, "maximum cross-track");
    w.at(33, QStringLiteral("MAX CROSS TRACK"), "comment");
    w.end();

    w.begin(QStringLiteral("9"));
    w.at(8, job.DeltaX, "Delta X shift");
    w.at(14, job.DeltaY, "Delta Y shift");
    w.at(20, job.DeltaZ, "Delta Z shift");
    w.at(33, QStringLiteral("DELTA X/Y/Z"), "comment");
    w.end();

    w.fixed(QStringLiteral("11 0.9996000000       0.0       0.0 K0, X/Y SHIFT"));

    w.begin(QStringLiteral("17"));
    w.endingBefore(14, utm ? job.MasterX : job.MasterY, "master point");
    w.endingBefore(25, utm ? job.MasterY : job.MasterX, "master point");
    w.endingBefore(32, Format(job.Heading, QStringLiteral("0.00")), "heading");
    w.at(33, QStringLiteral("MASTER POINT, HEADING"), "comment");
    w.end();

    w.begin(QStringLiteral("20"));
    w.at(4, job.Ellipsoid.EllipsoidName, "ellipsoid name");
    w.at(16, job.Ellipsoid.EllipsoidAxis, "ellipsoid axis");
    w.at(28, job.Ellipsoid.EllipsoidFlattening, "ellipsoid flattening");
    w.at(42, job.EllipsoidIndex, "ellipsoid index");
    w.at(50, QStringLiteral("ELLIPSOID"), "comment");
    w.end();

    w.fixed(QStringLiteral("21          0                   NO EQUATORIAL CROSSING"));

    w.begin(QStringLiteral("30"));
    w.endingBefore(14, job.CommIndex, "communication index");
    w.endingBefore(31, job.CommFormat, "communication format");
    w.at(33, QStringLiteral("RS-232 PORT 2 INCOMING FORMAT"), "comment");
    w.end();

    // The job name is the file name without its extension and point.
    w.begin(QStringLiteral("35"));
    w.endingBefore(24, block.FileName.left(std::max<qsizetype>(0, block.FileName.size() - 4)), "job name");
    w.at(26, QStringLiteral("F"), "crop letter");
    w.at(29, job.SpraySideLetter, "spray side");
    w.at(33, QStringLiteral("CROP DIR, RAM DISK, SPRAY SIDE"), "comment");
    w.end();

    w.begin(QStringLiteral("36"));
    w.endingBefore(14, job.SwathWidth, "swath width");
    w.endingBefore(24, job.NumAircraft, "number of aircraft");
    w.at(26, job.BoomsOnCode, "booms-on code");
    w.at(33, QStringLiteral("SWATH WIDTH, NO OF A/C, ") + job.BoomsOnText, "comment");
    w.end();

    w.begin(QStringLiteral("37"));
    w.at(13, job.OffsetCode, "offset code");
    w.at(33, job.OffsetText, "offset text");
    w.end();

    w.begin(QStringLiteral("38"));
    w.at(13, job.UnitsCode, "units code");
    w.at(33, job.UnitsText, "units text");
    w.end();

    w.begin(QStringLiteral("39"));
    w.endingBefore(9, job.RaceTrack, "race track");
    w.endingBefore(17, job.SkipTrack, "skip track");
    w.at(33, QStringLiteral("RACE TRACK, SKIP TRACK"), "comment");
    w.end();

    w.begin(QStringLiteral("40"));
    w.endingBefore(14, job.MagVar, "magnetic variation");
    w.at(33, QStringLiteral("MAGNETIC VARIATION, Deg."), "comment");
    w.end();

    w.begin(QStringLiteral("41"));
    w.endingBefore(14, job.LagTime, "system lag");
    w.at(33, QStringLiteral("SYSTEM LAG, Sec."), "comment");
    w.end();

    w.begin(QStringLiteral("42"));
    w.endingBefore(9, job.RelayOn, "relay on time");
    w.endingBefore(17, job.RelayOff, "relay off time");
    w.at(33, QStringLiteral("RELAY ON / OFF, Sec."), "comment");
    w.end();

    w.fixed(QStringLiteral("102  UTM                        UTM X/Y SCALE"));
}

} // namespace

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
    RecordWriter w;
    w.begin(QStringLiteral("0"));
    w.at(4, job.AreaName, "area name");
    w.end();

    w.begin(QStringLiteral("1"));
    w.at(4, utm ? QStringLiteral("U") : QStringLiteral("L"), "coordinate letter");
    w.at(7, QString::number(centralMeridianOfZone(block.Zone)), "central meridian");
    w.end();

    writeCorners(w, corners, count, utm);
    writeJobRecords(w, job, block, utm);
    if (!w.problem().isEmpty()) {
        return AgnavOutcome::refused(w.problem());
    }
    text = w.text();
    return AgnavOutcome::done();
}

AgnavOutcome writeBoundaryFile(const AGNAVJob& job, const AGNAVBlock& block)
{
    // The corners go into the file's system on a copy; the block keeps the
    // map's system.
    ShapeRecord corners = block.Boundary;
    const bool utmFile = block.CoordType == QLatin1String("UTM");
    const bool utmMap = globals().UTMMode;
    if (utmFile != utmMap) {
        if (const QString missing = missingEllipsoidMessage(block.Ellipsoid); !missing.isEmpty()) {
            return AgnavOutcome::refused(missing);
        }
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

#include "korvel/guidance/boundary_guidance_records.h"

#include "korvel/agnav/boundary_file_reader.h"
#include "korvel/agnav/boundary_file_writer.h"
#include "korvel/agnav/column_line.h"
#include "platform/text_codec.h"

#include <optional>

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

// The file's own encoding, kept for the lines rewritten.
class LineCodec
{
public:
    explicit LineCodec(const QByteArray& bytes)
        : m_utf8(isValidUtf8(bytes))
    {
    }
    QString decode(const QByteArray& line) const
    {
        return m_utf8 ? QString::fromUtf8(line) : decodeWindows1252(line);
    }
    QByteArray encode(const QString& line) const
    {
        if (!m_utf8) {
            // What came from the file encodes back; the rest is ASCII.
            if (const std::optional<QByteArray> bytes = encodeWindows1252(line)) {
                return *bytes;
            }
        }
        return line.toUtf8();
    }

    // The rewritten bytes, read as the old ones were. A Windows-1252 file
    // whose only bytes beyond UTF-8 stood in the lines rewritten would read
    // back as UTF-8, its other letters changed ("\xC3\xA9" one "é", not "Ã©"):
    // such a file is written whole in UTF-8 instead.
    QByteArray keepingItsReading(const QByteArray& rewritten) const
    {
        if (m_utf8 || !isValidUtf8(rewritten)) {
            return rewritten;
        }
        return decodeWindows1252(rewritten).toUtf8();
    }

private:
    bool m_utf8;
};

// The record number of a line as the boundary reader takes it from the
// line's first item; -1 when that is no record number.
int recordOf(const QByteArray& line)
{
    qsizetype start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) {
        ++start;
    }
    qsizetype end = start;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') {
        ++end;
    }
    return boundaryRecordNumber(QString::fromLatin1(line.mid(start, end - start)));
}

// The new line of a guidance record, or nothing for any other record.
std::optional<ColumnLine> newRecordLine(int record, const QString& oldLine, const GuidanceRecords& values)
{
    if (record == 4) {
        return lineCountRecord(values.lineCount);
    }
    if (record == 17) {
        return masterPointRecord(values.masterFirst, values.masterSecond, values.heading);
    }
    if (record == 36) {
        ColumnLine line(QStringLiteral("36"));
        line.endingIn(13, values.swath, "swath width");
        // The aircraft, the booms-on code and the comment stay as they were.
        const QString rest = ColumnLine::fromColumn(oldLine, 22);
        if (rest.isEmpty()) {
            // The reader knows where the swath ends by the blank after it,
            // even in a record that holds nothing else.
            line.append(QStringLiteral(" "));
        }
        line.from(22, rest);
        return line;
    }
    if (record == 37) {
        return offsetRecord(QString::number(values.offsetCode), offsetCodeText(values.offsetCode));
    }
    return std::nullopt;
}

} // namespace

QString offsetCodeText(int offsetCode)
{
    switch (offsetCode) {
    case 0:
        return QStringLiteral("NO OFFSET OF THE FIRST LINE");
    case 1:
        return QStringLiteral("HALF-SWATH OFFSET OF THE FIRST LINE");
    case 2:
        return QStringLiteral("USE MASTER POINT");
    default:
        return QString();
    }
}

AgnavOutcome rewriteGuidanceRecords(
    const QByteArray& bytes, const GuidanceRecords& records, QByteArray& rewritten)
{
    const LineCodec codec(bytes);
    // The DOS end mark is no line: the lines before it are rewritten, and it
    // follows them as it was.
    const qsizetype content = endMarkStart(bytes);
    QByteArray out;
    out.reserve(bytes.size() + 64);
    qsizetype position = 0;
    if (bytes.startsWith(kUtf8Mark)) {
        out += kUtf8Mark;
        position = kUtf8Mark.size();
    }
    QString problem;
    while (position < content) {
        // A line ends at CR LF, LF or CR, as the runtime's Line Input reads it.
        qsizetype end = position;
        while (end < content && bytes[end] != '\r' && bytes[end] != '\n') {
            ++end;
        }
        const QByteArray line = bytes.mid(position, end - position);
        position = end;
        if (position < content && bytes[position] == '\r') {
            ++position;
            if (position < content && bytes[position] == '\n') {
                ++position;
            }
        } else if (position < content) {
            ++position; // a lone LF
        }
        const std::optional<ColumnLine> replaced = newRecordLine(recordOf(line), codec.decode(line), records);
        if (replaced && problem.isEmpty()) {
            problem = replaced->problem();
        }
        out += replaced ? codec.encode(replaced->text()) : line;
        out += "\r\n";
    }
    if (!problem.isEmpty()) {
        return AgnavOutcome::refused(problem);
    }
    rewritten = codec.keepingItsReading(out) + bytes.mid(content);
    return AgnavOutcome::done();
}

#include "korvel/agnav/boundary_file_reader.h"

#include "korvel/agnav/agnav_text_fields.h"
#include "platform/complete_lines.h"
#include "platform/file_helpers.h"
#include "platform/sequential_file.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

qsizetype firstBlank(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isBlank(text[i])) {
            return i;
        }
    }
    return -1;
}

QString trimmedBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text[start])) {
        ++start;
    }
    while (end > start && isBlank(text[end - 1])) {
        --end;
    }
    return text.mid(start, end - start);
}

QString withoutLeadingBlanks(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start])) {
        ++start;
    }
    return text.mid(start);
}

QString withSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// The values of record 17's master point: the items between blanks, and
// two values that touch taken apart where the minus sign of the second
// begins it (a longitude west of 100 degrees fills its field). A minus after
// an exponent letter belongs to its number ("1.5E-07").
QStringList masterPointValues(const QString& text)
{
    QStringList values;
    for (const QString& item : agnavLineItems(text, CommaSeparates::Yes)) {
        qsizetype start = 0;
        for (qsizetype i = 1; i < item.size(); ++i) {
            const QChar before = item[i - 1].toUpper();
            if (item[i] == u'-' && before != u'E' && before != u'D') {
                values << item.mid(start, i - start);
                start = i;
            }
        }
        values << item.mid(start);
    }
    return values;
}

// One corner as written: the first and the second number of its record.
struct Corner
{
    double first = 0.0;
    double second = 0.0;
};

class BoundaryParser
{
public:
    BoundaryParser(AGNAVBlock& block, const std::vector<EllipsoidRecord>& table)
        : m_block(block)
        , m_table(table)
    {
    }

    AgnavOutcome parse(const QByteArray& bytes);

private:
    // Each returns an empty text when the record was read, else what is wrong.
    QString readRecord(int record, const QString& rest);
    QString readCoordinateSystem(const QString& rest);
    QString readCorner(const QString& rest);
    void readHeading(const QString& rest);
    void readEllipsoid(const QString& rest);
    QString readJobName(const QString& rest);
    QString readSwath(const QString& rest);
    QString readOffset(const QString& rest);
    void placeCorners();
    void placeMasterPoint();

    AGNAVBlock& m_block;
    const std::vector<EllipsoidRecord>& m_table;
    std::vector<Corner> m_corners;
    QStringList m_masterItems; // the two master-point texts in file order
    int m_line = 0;
};

AgnavOutcome BoundaryParser::parse(const QByteArray& bytes)
{
    // Without this, a picture or a flight log chosen by mistake would be
    // reported by where its bytes happen to lack a line end.
    if (holdsBinaryBytes(bytes)) {
        return AgnavOutcome::refused(QStringLiteral("This is not an AG-NAV block boundary file: it holds binary "
                                                    "data, not lines of text."));
    }
    // A cut last line may hold a corner with lost digits that still reads
    // as a number: the whole file is refused instead.
    if (const int cut = cutOffLineNumber(bytes); cut > 0) {
        return AgnavOutcome::refused(cutOffLineMessage(cut));
    }
    SequentialReader reader(bytes);
    int records = 0;
    while (!reader.atEnd()) {
        // Only the blanks before the record number go: a blank at the end
        // of the line may be the one that ends the job name or the swath.
        const QString line = withoutLeadingBlanks(reader.readLine());
        ++m_line;
        if (line.isEmpty()) {
            continue; // the runtime's Input # passes over empty lines
        }
        const qsizetype blank = firstBlank(line);
        const QString number = blank < 0 ? line : line.left(blank);
        const int record = boundaryRecordNumber(number);
        if (record < 0 || record > 255) {
            return AgnavOutcome::refused(
                QStringLiteral("Line %1: the record number \"%2\" is not a number from 0 to 255.")
                    .arg(m_line)
                    .arg(number));
        }
        ++records;
        QString problem;
        try {
            problem = readRecord(record, blank < 0 ? QString() : line.mid(blank));
        } catch (const VbError& error) {
            problem = error.Description();
        }
        if (!problem.isEmpty()) {
            return AgnavOutcome::refused(
                QStringLiteral("Line %1 (record %2): %3").arg(m_line).arg(record).arg(problem));
        }
    }
    if (records == 0) {
        return AgnavOutcome::refused(QStringLiteral("The file holds no records."));
    }
    if (m_block.CoordType != QLatin1String("UTM") && m_block.CoordType != QLatin1String("GEO")) {
        return AgnavOutcome::refused(QStringLiteral("The file does not give its coordinate system: record 1 "
                                                    "with U (UTM) or L (latitude/longitude) is "
                                                    "missing."));
    }
    placeCorners();
    placeMasterPoint();
    return AgnavOutcome::done();
}

QString BoundaryParser::readRecord(int record, const QString& afterNumber)
{
    // The blanks after the record number belong to it; the rest starts at
    // the first value.
    const QString rest = withoutLeadingBlanks(afterNumber);
    switch (record) {
    case 1:
        return readCoordinateSystem(rest);
    case 2:
        return readCorner(rest);
    case 17:
        readHeading(rest);
        return {};
    case 20:
        readEllipsoid(rest);
        return {};
    case 35:
        return readJobName(rest);
    case 36:
        return readSwath(rest);
    case 37:
        return readOffset(rest);
    default:
        return {}; // the guidance system's other records
    }
}

QString BoundaryParser::readCoordinateSystem(const QString& rest)
{
    if (rest.startsWith(u'U')) {
        m_block.CoordType = QStringLiteral("UTM");
    } else if (rest.startsWith(u'L')) {
        m_block.CoordType = QStringLiteral("GEO");
    }
    const QStringList values = agnavLineItems(rest.mid(1), CommaSeparates::Yes);
    const QString meridian = values.isEmpty() ? QString() : values.first();
    if (!IsNumeric(meridian) || CDbl(meridian) != std::floor(CDbl(meridian))) {
        return QStringLiteral("the central meridian \"%1\" is not a whole number.").arg(meridian);
    }
    const double m = CDbl(meridian);
    // Zone 31 has its meridian at 3 degrees east; zones are 6 degrees wide
    // and meridians run 0 to 360 east, so 183 is zone 1 again.
    double zone = roundHalfEven((m - 3.0) / 6.0 + 31.0);
    if (zone > 60.0) {
        zone -= 60.0;
    }
    if (zone < 1.0 || zone > 60.0) {
        return QStringLiteral("the central meridian %1 lies in no UTM zone from 1 to 60.").arg(meridian);
    }
    m_block.Zone = static_cast<int>(zone);
    return {};
}

QString BoundaryParser::readCorner(const QString& rest)
{
    const QStringList values = agnavLineItems(rest, CommaSeparates::Yes);
    if (values.size() < 2 || !IsNumeric(values[0]) || !IsNumeric(values[1])) {
        return QStringLiteral("corner %1 is not two numbers (\"%2\").")
            .arg(m_corners.size() + 1)
            .arg(rest.left(30));
    }
    const Corner corner { CDbl(values[0]), CDbl(values[1]) };
    if (!std::isfinite(corner.first) || !std::isfinite(corner.second)) {
        return QStringLiteral("corner %1 is not two numbers.").arg(m_corners.size() + 1);
    }
    m_corners.push_back(corner);
    return {};
}

void BoundaryParser::readHeading(const QString& rest)
{
    // Master X and Y end before columns 14 and 25, the heading before column
    // 32, and the comment "MASTER POINT, HEADING" (21 characters) follows.
    QString values = trimmedBlanks(rest);
    values = trimmedBlanks(values.left(std::max<qsizetype>(0, values.size() - 21)));
    m_block.HeadingText = trimmedBlanks(values.right(6));
    m_masterItems = masterPointValues(values.left(std::max<qsizetype>(0, values.size() - 6)));
}

void BoundaryParser::readEllipsoid(const QString& rest)
{
    EllipsoidRecord& ellipsoid = m_block.Ellipsoid;
    ellipsoid.Name = trimmedBlanks(rest.left(12));
    const QString after = rest.mid(12);
    const qsizetype axisEnd = firstBlank(after);
    const QString axisText = axisEnd < 0 ? after : after.left(axisEnd);
    ellipsoid.Axis = Val(axisText);
    const QString tail = after.mid(axisText.size());
    qsizetype digit = 0;
    while (digit < tail.size() && !(tail[digit].isDigit() && tail[digit].unicode() < 128)) {
        ++digit;
    }
    const QString flattening = tail.mid(digit);
    const qsizetype flatteningEnd = firstBlank(flattening);
    ellipsoid.InverseFlattening = Val(flatteningEnd < 0 ? flattening : flattening.left(flatteningEnd));
    // The table's name wins over what the file calls the ellipsoid; the
    // last row with the same two values decides.
    for (std::size_t row = 1; row < m_table.size(); ++row) {
        if (m_table[row].Axis == ellipsoid.Axis
            && m_table[row].InverseFlattening == ellipsoid.InverseFlattening) {
            ellipsoid.Name = m_table[row].Name;
        }
    }
}

QString BoundaryParser::readJobName(const QString& rest)
{
    const qsizetype blank = firstBlank(rest);
    if (blank <= 0) {
        return QStringLiteral("the job name is not followed by a blank (\"%1\").").arg(rest.left(30));
    }
    const QString job = rest.left(blank);
    m_block.DataSubfolder = withSlash(job);
    m_block.DataFolder = withSlash(withSlash(m_block.DataFolder) + job);
    return {};
}

QString BoundaryParser::readSwath(const QString& rest)
{
    // The rest starts at the value; a blank at the line's end ends it too.
    const qsizetype blank = firstBlank(rest);
    if (blank <= 0) {
        return QStringLiteral("the swath width is not followed by a blank (\"%1\").").arg(rest.left(30));
    }
    m_block.SwathWidthText = rest.left(blank);
    return {};
}

QString BoundaryParser::readOffset(const QString& rest)
{
    const qsizetype blank = firstBlank(rest);
    if (blank <= 0) {
        return QStringLiteral("the offset code is not followed by a blank (\"%1\").").arg(rest.left(30));
    }
    const QString code = rest.left(blank);
    if (!IsNumeric(code)) {
        return QStringLiteral("the offset code \"%1\" is not a number.").arg(code);
    }
    const double value = roundHalfEven(CDbl(code));
    if (!(value >= 0.0 && value <= 255.0)) {
        return QStringLiteral("the offset code \"%1\" is not a number from 0 to 255.").arg(code);
    }
    m_block.OffsetCode = static_cast<int>(value);
    return {};
}

void BoundaryParser::placeCorners()
{
    const bool utm = m_block.CoordType == QLatin1String("UTM");
    const int n = static_cast<int>(m_corners.size());
    ShapeRecord& boundary = m_block.Boundary;
    boundary.resize(n);
    for (int i = 1; i <= n; ++i) {
        const Corner& corner = m_corners[static_cast<std::size_t>(i - 1)];
        const double x = utm ? corner.first : corner.second;
        const double y = utm ? corner.second : corner.first;
        boundary.X[static_cast<std::size_t>(i)] = x;
        boundary.Y[static_cast<std::size_t>(i)] = y;
        if (x < boundary.XMin) {
            boundary.XMin = x;
        }
        if (y < boundary.YMin) {
            boundary.YMin = y;
        }
        if (x > boundary.XMax) {
            boundary.XMax = x;
        }
        if (y > boundary.YMax) {
            boundary.YMax = y;
        }
    }
    m_block.VertexCount = n;
}

void BoundaryParser::placeMasterPoint()
{
    if (m_masterItems.size() < 2) {
        return;
    }
    // A UTM file lists easting then northing, a latitude/longitude file
    // latitude then longitude.
    const bool utm = m_block.CoordType == QLatin1String("UTM");
    m_block.MasterPoint.MasterX = utm ? m_masterItems[0] : m_masterItems[1];
    m_block.MasterPoint.MasterY = utm ? m_masterItems[1] : m_masterItems[0];
}

} // namespace

int boundaryRecordNumber(QStringView item)
{
    const bool digits = !item.isEmpty() && item.size() <= 9
        && std::all_of(item.begin(), item.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digits ? item.toInt() : -1;
}

AgnavOutcome parseBoundaryFile(
    const QByteArray& bytes, AGNAVBlock& block, const std::vector<EllipsoidRecord>& ellipsoidTable)
{
    return BoundaryParser(block, ellipsoidTable).parse(bytes);
}

AgnavOutcome ReadBlockBoundaryFile(int blockIndex)
{
    AGNAVBlock& block = blockAt(blockIndex);
    QByteArray bytes;
    QString error;
    if (!readWholeFile(block.Path, bytes, &error)) {
        return AgnavOutcome::refused(QStringLiteral("Cannot read the file: %1").arg(error));
    }
    AGNAVBlock read = block;
    const AgnavOutcome outcome = parseBoundaryFile(bytes, read, globals().EllipsoidTable);
    if (outcome.isDone()) {
        block = std::move(read);
    }
    return outcome;
}

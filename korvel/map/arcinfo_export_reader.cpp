#include "korvel/map/arcinfo_export_reader.h"

#include "korvel/shell/status_progress.h"
#include "korvel/workspace/large_block_allocator.h"
#include "korvel/workspace/layer_records.h"
#include "platform/file_helpers.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <vector>

namespace {

constexpr qsizetype SingleWidth = 14; // E14.7
constexpr qsizetype DoubleWidth = 21; // E21.14
constexpr qsizetype ArcFieldWidth = 10;
constexpr std::size_t ArcFieldCount = 7;
constexpr std::size_t VertexCountField = 6;
constexpr qint64 SectionEnd = -1; // the arc number of the record that closes the arc section
// The header line begins "EXP", two blanks and the compression flag.
constexpr qsizetype CompressionFlagAt = 5;
constexpr qsizetype FirstFieldLimit = 80;
constexpr qsizetype QuotedLineLimit = 80;
constexpr double ExtentStart = 10000000.0;
constexpr int MaxUtmZone = 60;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Walks the lines of the file; a line ends at LF, CR LF or CR.
class LineCursor
{
public:
    explicit LineCursor(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }

    bool atEnd() const { return m_position >= m_bytes.size(); }
    qsizetype position() const { return m_position; }
    // The 1-based number of the line last returned.
    int lineNumber() const { return m_line; }

    // The next line, without its line end and trailing blanks (leading blanks
    // stay: they are part of the first column). Empty at the end.
    QByteArrayView next()
    {
        const qsizetype start = m_position;
        qsizetype end = start;
        while (end < m_bytes.size() && m_bytes[end] != '\n' && m_bytes[end] != '\r') {
            ++end;
        }
        m_position = end;
        if (m_position < m_bytes.size() && m_bytes[m_position] == '\r') {
            ++m_position;
        }
        if (m_position < m_bytes.size() && m_bytes[m_position] == '\n') {
            ++m_position;
        }
        ++m_line;
        qsizetype last = end;
        while (last > start && isBlank(m_bytes[last - 1])) {
            --last;
        }
        return m_bytes.sliced(start, last - start);
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_position = 0;
    int m_line = 0;
};

// The text of a line for a message, cut to a readable length.
QString quotedLine(QByteArrayView line)
{
    return u'"' + QString::fromLatin1(line.first(std::min(line.size(), QuotedLineLimit))) + u'"';
}

template <typename Number> std::optional<Number> numberIn(QByteArrayView field)
{
    field = field.trimmed();
    if (field.startsWith('+')) {
        field = field.sliced(1);
    }
    Number value {};
    const char* end = field.data() + field.size();
    const std::from_chars_result result = std::from_chars(field.data(), end, value);
    if (field.isEmpty() || result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> coordinateIn(QByteArrayView field)
{
    const std::optional<double> value = numberIn<double>(field);
    if (!value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    return value;
}

using ArcRecord = std::array<qint64, ArcFieldCount>;

// The seven whole numbers of an arc record: apart at blanks as a rule; values
// that fill their ten columns touch, so a line that does not split into seven
// numbers is split by width.
std::optional<ArcRecord> arcRecordIn(QByteArrayView line)
{
    ArcRecord values {};
    std::size_t count = 0;
    bool apart = true;
    for (qsizetype at = 0; at < line.size() && apart;) {
        while (at < line.size() && isBlank(line[at])) {
            ++at;
        }
        qsizetype end = at;
        while (end < line.size() && !isBlank(line[end])) {
            ++end;
        }
        if (end == at) {
            break;
        }
        const std::optional<qint64> value = numberIn<qint64>(line.sliced(at, end - at));
        apart = value && count < ArcFieldCount;
        if (apart) {
            values[count++] = *value;
        }
        at = end;
    }
    if (apart && count == ArcFieldCount) {
        return values;
    }
    if (line.size() <= ArcFieldWidth * qsizetype(ArcFieldCount - 1)) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < ArcFieldCount; ++i) {
        const qsizetype at = ArcFieldWidth * qsizetype(i);
        const std::optional<qint64> value
            = numberIn<qint64>(line.sliced(at, std::min(ArcFieldWidth, line.size() - at)));
        if (!value) {
            return std::nullopt;
        }
        values[i] = *value;
    }
    return values;
}

// The arcs as read, in file order: their vertex counts (element 0 unused, as
// in the layer records) and all their vertices one after another.
struct Arcs
{
    std::vector<std::int32_t> counts = std::vector<std::int32_t>(1, 0);
    LargeVector<double> xs;
    LargeVector<double> ys;
};

class ArcSectionReader
{
public:
    ArcSectionReader(LineCursor& lines, qsizetype width, const QString& fileName, qsizetype totalBytes)
        : m_lines(lines)
        , m_width(width)
        , m_fileName(quotedFileName(fileName))
        , m_totalBytes(totalBytes)
    {
    }

    // Reads arc records up to the one that closes the section; returns the
    // fault, or "" when the section was read whole.
    QString read(Arcs& arcs)
    {
        for (;;) {
            if (m_lines.atEnd()) {
                return QStringLiteral("%1 is truncated: its arc section ends without its closing record.")
                    .arg(m_fileName);
            }
            const QByteArrayView line = m_lines.next();
            const std::optional<ArcRecord> record = arcRecordIn(line);
            if (!record) {
                return damaged(QStringLiteral("line %1 is not an arc record: %2")
                                   .arg(m_lines.lineNumber())
                                   .arg(quotedLine(line)));
            }
            if ((*record)[0] == SectionEnd) {
                return {};
            }
            const qint64 count = (*record)[VertexCountField];
            if (count < 0 || count > std::numeric_limits<std::int32_t>::max()) {
                return damaged(QStringLiteral("the arc record on line %1 gives %2 vertices")
                                   .arg(m_lines.lineNumber())
                                   .arg(count));
            }
            if (const QString fault = readVertices(count, arcs); !fault.isEmpty()) {
                return fault;
            }
            arcs.counts.push_back(static_cast<std::int32_t>(count));
            if (m_totalBytes > 0) {
                statusProgress().setProgress(static_cast<int>(m_lines.position() * 100 / m_totalBytes));
            }
        }
    }

private:
    QString damaged(const QString& what) const
    {
        return QStringLiteral("%1 is damaged: %2.").arg(m_fileName, what);
    }

    // Reads `count` X, Y pairs from the lines that follow, in fields of the
    // section's width; the arc's last pair ends its line.
    QString readVertices(qint64 count, Arcs& arcs)
    {
        const int recordLine = m_lines.lineNumber();
        qint64 needed = 2 * count;
        while (needed > 0) {
            if (m_lines.atEnd()) {
                return QStringLiteral("%1 is truncated: the arc on line %2 ends before its %3 vertices.")
                    .arg(m_fileName)
                    .arg(recordLine)
                    .arg(count);
            }
            const QByteArrayView line = m_lines.next();
            if (line.isEmpty()) {
                return damaged(QStringLiteral("line %1 holds no coordinates").arg(m_lines.lineNumber()));
            }
            for (qsizetype at = 0; at < line.size(); at += m_width) {
                const QByteArrayView field = line.sliced(at, std::min(m_width, line.size() - at));
                const std::optional<double> value = coordinateIn(field);
                if (!value || needed == 0) {
                    return damaged(QStringLiteral("line %1 holds %2 where a coordinate of the arc on line %3 "
                                                  "or its end was expected")
                                       .arg(m_lines.lineNumber())
                                       .arg(quotedLine(field))
                                       .arg(recordLine));
                }
                (needed % 2 == 0 ? arcs.xs : arcs.ys).push_back(*value);
                --needed;
            }
        }
        return {};
    }

    LineCursor& m_lines;
    qsizetype m_width;
    QString m_fileName;
    qsizetype m_totalBytes;
};

// The keyword at the start of a projection line and the value after it.
std::pair<QByteArrayView, QByteArrayView> keywordAndValue(QByteArrayView line)
{
    line = line.trimmed();
    qsizetype blank = 0;
    while (blank < line.size() && !isBlank(line[blank])) {
        ++blank;
    }
    return { line.first(blank), line.sliced(blank).trimmed() };
}

// The projection section, up to "EOP": its first line names the projection,
// whose first three letters become the coordinate type ("UTM", "GEO" for
// GEOGRAPHIC); the line labelled "Zone" gives the UTM zone. Export files put a
// line holding only "~" after every entry (the zone is then the third line
// after "PRJ"), or write the entries one after another with a "~" before
// "EOP" (the zone on the second line), so the zone is found by its label and
// the "~" lines are passed over, never taken for the section's end.
void readProjection(LineCursor& lines, GISLayer& layer)
{
    bool found = false;
    while (!found && !lines.atEnd()) {
        found = lines.next().startsWith("PRJ");
    }
    bool first = true;
    while (found && !lines.atEnd()) {
        const QByteArrayView line = lines.next();
        if (line.startsWith("EOP")) {
            break;
        }
        const auto [keyword, value] = keywordAndValue(line);
        if (first) {
            first = false;
            if (!value.isEmpty()) {
                layer.CoordType = QString::fromLatin1(value).toUpper().left(3);
            }
        } else if (QString::fromLatin1(keyword).compare(u"Zone", Qt::CaseInsensitive) == 0) {
            const QString zone = QString::fromLatin1(value);
            // Southern zones may be written negative; the map's hemisphere decides.
            const double number = IsNumeric(zone) ? std::abs(CDbl(zone)) : 0.0;
            if (number >= 1 && number <= MaxUtmZone && number == std::floor(number)) {
                layer.Zone = static_cast<int>(number);
            }
        }
    }
}

// Lays the arcs out as the layer's features: one part each, a box from the
// feature's own vertices, and the layer's extent over all of them.
void fillLayer(const Arcs& arcs, GISLayer& layer)
{
    ShapeList& shapes = layer.Shapes;
    shapes.layOut(arcs.counts);
    layer.ShapeType = 3;
    layer.ShapeParts.assign(arcs.counts.size(), ::ShapeParts { 1, {} });
    layer.ShapeParts[0] = ::ShapeParts();
    layer.XMin = ExtentStart;
    layer.YMin = ExtentStart;
    layer.XMax = -ExtentStart;
    layer.YMax = -ExtentStart;
    std::size_t next = 0;
    for (int s = 1; s <= shapes.count(); ++s) {
        const std::span<double> xs = shapes.xs(s);
        const std::span<double> ys = shapes.ys(s);
        if (xs.empty()) {
            continue;
        }
        std::copy_n(arcs.xs.begin() + std::ptrdiff_t(next), xs.size(), xs.begin());
        std::copy_n(arcs.ys.begin() + std::ptrdiff_t(next), ys.size(), ys.begin());
        next += xs.size();
        const auto [xMin, xMax] = std::minmax_element(xs.begin(), xs.end());
        const auto [yMin, yMax] = std::minmax_element(ys.begin(), ys.end());
        shapes.box(s) = { *xMax, *yMax, *xMin, *yMin };
        layer.XMin = std::min(layer.XMin, *xMin);
        layer.YMin = std::min(layer.YMin, *yMin);
        layer.XMax = std::max(layer.XMax, *xMax);
        layer.YMax = std::max(layer.YMax, *yMax);
    }
}

class ProgressShown
{
public:
    ProgressShown()
    {
        statusProgress().showProgress(100);
        statusProgress().setStatusText(QStringLiteral("Loading GIS File"));
    }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;
    ~ProgressShown()
    {
        statusProgress().hideProgress();
        statusProgress().setStatusText(QString());
    }
};

void commit(GISLayer& read, GISLayer& layer)
{
    commitReadGeometry(read, layer);
    if (read.Zone != 0) {
        layer.Zone = read.Zone;
    }
}

} // namespace

QString compressedExportRefusal()
{
    return QStringLiteral("This ARC Interchange file is in a compressed format.\r"
                          "KORVEL can currently only decode uncompressed\r"
                          "ARC Interchange files.");
}

GISReadResult decodeArcInterchange(QByteArrayView bytes, const QString& fileName, GISLayer& layer)
{
    LineCursor lines(bytes);
    const QByteArrayView head = lines.next();
    if (!head.startsWith("EXP")) {
        return GISReadResult::failed(
            QStringLiteral("%1 does not seem to be in ArcExport format.").arg(quotedFileName(fileName)));
    }
    const qsizetype comma = head.indexOf(',');
    const qsizetype firstField = std::min(comma < 0 ? head.size() : comma, FirstFieldLimit);
    if (firstField <= CompressionFlagAt || head[CompressionFlagAt] != '0') {
        return GISReadResult::refused(compressedExportRefusal());
    }
    const QByteArrayView section = lines.next();
    if (!section.startsWith("ARC")) {
        return GISReadResult::failed(
            QStringLiteral("%1 holds no arcs: KORVEL reads the arc section of ARC/INFO "
                           "export files, and this file has none.")
                .arg(quotedFileName(fileName)));
    }
    const QByteArrayView precision = section.sliced(3).trimmed();
    const qsizetype width = precision == "2" ? SingleWidth : precision == "3" ? DoubleWidth : 0;
    if (width == 0) {
        return GISReadResult::failed(
            QStringLiteral("%1 is damaged: its arc section has the unknown precision %2.")
                .arg(quotedFileName(fileName), quotedLine(precision)));
    }

    ProgressShown shown;
    Arcs arcs;
    if (const QString fault = ArcSectionReader(lines, width, fileName, bytes.size()).read(arcs);
        !fault.isEmpty()) {
        return GISReadResult::failed(fault);
    }
    fillLayer(arcs, layer);
    readProjection(lines, layer);
    return GISReadResult::success();
}

GISReadResult ReadArcInterchangeFile(GISLayer& layer)
{
    const QString fileName = layerFileName(layer);
    try {
        QByteArray bytes;
        QString error;
        if (!readWholeFile(layer.Path, bytes, &error)) {
            return GISReadResult::failed(
                QStringLiteral("%1 cannot be read: %2").arg(quotedFileName(fileName), error));
        }
        GISLayer read;
        const GISReadResult result = decodeArcInterchange(bytes, fileName, read);
        if (result.ok) {
            commit(read, layer);
        }
        return result;
    } catch (const std::bad_alloc&) {
        return GISReadResult::failed(
            QStringLiteral("%1 is too large to load: out of memory.").arg(quotedFileName(fileName)));
    } catch (const VbError& error) {
        return GISReadResult::failed(error.Description());
    }
}

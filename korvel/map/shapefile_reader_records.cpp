#include "korvel/map/shapefile_reader_records.h"

#include "korvel/shell/percent_progress.h"
#include "korvel/shell/status_progress.h"

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <limits>
#include <span>
#include <vector>

namespace {

constexpr qint32 NullShape = 0;
constexpr qint32 PointShape = 1;
constexpr qint32 PolylineShape = 3;
constexpr qint32 PolygonShape = 5;

constexpr qint64 RecordHeaderBytes = 8; // record number and content length, big-endian
// Content sizes of the published record layouts, counted from the record's
// shape type: a point is type, X, Y; a polyline or polygon is type, box,
// number of parts and number of points before its part index and points.
constexpr qint64 PointContentBytes = 20;
constexpr qint64 PolyFixedBytes = 44;
constexpr qint64 PartIndexBytes = 4;
constexpr qint64 VertexBytes = 16;

// Features are numbered with an int; a file cannot hold more.
constexpr qint64 MaxRecords = std::numeric_limits<int>::max() - 1;

// Loads from ranges already checked to lie inside the bytes.
qint32 bigEndian32(const char* at)
{
    return qFromBigEndian<qint32>(at);
}
qint32 littleEndian32(const char* at)
{
    return qFromLittleEndian<qint32>(at);
}
double littleEndianDouble(const char* at)
{
    return std::bit_cast<double>(qFromLittleEndian<quint64>(at));
}

bool isPoly(qint32 shapeType)
{
    return shapeType == PolylineShape || shapeType == PolygonShape;
}

// The part of the file the records may use, and what messages call it.
struct RecordArea
{
    const char* data = nullptr;
    qint64 end = 0; // the real end of the file
    QString fileName;
    qint32 shapeType = 0;
};

// Where each record's content starts (-1 for a null record) and how many
// vertices it holds; element 0 of both is unused, as in the layer records.
struct RecordScan
{
    std::vector<qint64> contentAt = std::vector<qint64>(1, -1);
    std::vector<std::int32_t> pointCounts = std::vector<std::int32_t>(1, 0);

    int count() const { return static_cast<int>(contentAt.size()) - 1; }
};

QString damaged(const RecordArea& area, const QString& what)
{
    return QStringLiteral("%1 is damaged: %2.").arg(quotedFileName(area.fileName), what);
}

QString truncatedAt(const RecordArea& area, qint64 record, qint64 position)
{
    return QStringLiteral("%1 is truncated: record %2, at byte %3, runs past the end of the file.")
        .arg(quotedFileName(area.fileName))
        .arg(record)
        .arg(position);
}

// Hides the progress bar and empties the status panel however the decoding ends.
class ProgressShown
{
public:
    ProgressShown() = default;
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;
    ~ProgressShown()
    {
        statusProgress().hideProgress();
        statusProgress().setStatusText(QString());
    }
};

// What is wrong with the counts of a polyline or polygon record, or "" when
// its part index and points fit its content. Sums are 64-bit, so no count a
// file can hold overflows them.
QString checkPolyCounts(const char* content, qint64 contentBytes, std::int32_t& points)
{
    if (contentBytes < PolyFixedBytes) {
        return QStringLiteral("is too short for its shape: %1 bytes, at least %2 needed")
            .arg(contentBytes)
            .arg(PolyFixedBytes);
    }
    const qint32 parts = littleEndian32(content + 36);
    const qint32 count = littleEndian32(content + 40);
    if (parts < 0 || count < 0
        || PolyFixedBytes + PartIndexBytes * parts + VertexBytes * qint64(count) > contentBytes) {
        return QStringLiteral("gives %1 parts and %2 points, which do not fit its %3 bytes")
            .arg(parts)
            .arg(count)
            .arg(contentBytes);
    }
    points = count;
    return {};
}

// The counting pass: walks the records by their own content lengths and
// checks each against the area before the layer is laid out.
QString scanRecords(const RecordArea& area, RecordScan& scan)
{
    qint64 position = ShapefileHeaderBytes;
    while (position < area.end) {
        const qint64 record = scan.count() + 1;
        if (record > MaxRecords) {
            return damaged(area, QStringLiteral("it holds more than %1 records").arg(MaxRecords));
        }
        if (area.end - position < RecordHeaderBytes) {
            return truncatedAt(area, record, position);
        }
        const qint64 content = position + RecordHeaderBytes;
        const qint64 contentBytes = 2 * qint64(bigEndian32(area.data + position + 4));
        if (contentBytes < 4) {
            return damaged(area,
                QStringLiteral("record %1 has a content length of %2 bytes").arg(record).arg(contentBytes));
        }
        if (contentBytes > area.end - content) {
            return truncatedAt(area, record, position);
        }
        const qint32 type = littleEndian32(area.data + content);
        std::int32_t points = 0;
        if (type != NullShape && type != area.shapeType) {
            return damaged(area,
                QStringLiteral("record %1 has the shape type %2 in a file of shape type %3")
                    .arg(record)
                    .arg(type)
                    .arg(area.shapeType));
        }
        if (type == PointShape) {
            if (contentBytes < PointContentBytes) {
                return damaged(area,
                    QStringLiteral("record %1 is too short for a point: %2 bytes")
                        .arg(record)
                        .arg(contentBytes));
            }
            points = 1;
        } else if (type != NullShape) {
            const QString fault = checkPolyCounts(area.data + content, contentBytes, points);
            if (!fault.isEmpty()) {
                return damaged(area, QStringLiteral("record %1 %2").arg(record).arg(fault));
            }
        }
        scan.contentAt.push_back(type == NullShape ? -1 : content);
        scan.pointCounts.push_back(points);
        position = content + contentBytes;
    }
    return {};
}

// Turns the file's part index array (0-based first vertices) into the
// record's PartStart (1-based, closed by the vertex count + 1). The parts must
// start at the first vertex and then at strictly increasing vertices inside
// the record. A record without a part index is one part of all its vertices.
QString readPartStarts(const char* index, qint32 partCount, std::int32_t pointCount, ::ShapeParts& parts)
{
    parts.PartCount = std::max(partCount, 1);
    if (partCount > 1) {
        parts.PartStart.assign(static_cast<std::size_t>(partCount) + 2, 0);
    }
    qint32 previous = -1;
    for (qint32 k = 0; k < partCount; ++k) {
        const qint32 start = littleEndian32(index + PartIndexBytes * k);
        const bool inOrder = k == 0 ? start == 0 : start > previous;
        if (!inOrder || start >= pointCount) {
            return QStringLiteral("part %1 starts at point index %2 of its %3 points, where parts start at 0 "
                                  "and then at increasing indices")
                .arg(k + 1)
                .arg(start)
                .arg(pointCount);
        }
        if (partCount > 1) {
            parts.PartStart[static_cast<std::size_t>(k) + 1] = start + 1;
        }
        previous = start;
    }
    if (partCount > 1) {
        parts.PartStart[static_cast<std::size_t>(partCount) + 1] = pointCount + 1;
    }
    return {};
}

void fillPoints(const RecordArea& area, const RecordScan& scan, ShapeList& shapes)
{
    PercentProgress progress(scan.count());
    for (int s = 1; s <= scan.count(); ++s) {
        const qint64 at = scan.contentAt[static_cast<std::size_t>(s)];
        if (at >= 0) {
            shapes.xs(s)[0] = littleEndianDouble(area.data + at + 4);
            shapes.ys(s)[0] = littleEndianDouble(area.data + at + 12);
        }
        progress.advanceTo(s);
    }
}

// The vertex pass of polylines and polygons: box, parts and vertices of each
// record, decoded straight from the bytes checked by the counting pass.
QString fillPolys(const RecordArea& area, const RecordScan& scan, GISLayer& layer)
{
    ShapeList& shapes = layer.Shapes;
    layer.ShapeParts.assign(static_cast<std::size_t>(scan.count()) + 1, ::ShapeParts());
    PercentProgress progress(scan.count());
    for (int s = 1; s <= scan.count(); ++s) {
        const qint64 at = scan.contentAt[static_cast<std::size_t>(s)];
        const std::int32_t count = scan.pointCounts[static_cast<std::size_t>(s)];
        if (at >= 0 && count > 0) {
            const char* content = area.data + at;
            shapes.box(s) = { littleEndianDouble(content + 20), littleEndianDouble(content + 28),
                littleEndianDouble(content + 4), littleEndianDouble(content + 12) };
            const qint32 partCount = littleEndian32(content + 36);
            const char* index = content + PolyFixedBytes;
            const QString fault
                = readPartStarts(index, partCount, count, layer.ShapeParts[static_cast<std::size_t>(s)]);
            if (!fault.isEmpty()) {
                return damaged(area, QStringLiteral("in record %1 %2").arg(s).arg(fault));
            }
            const char* vertex = index + PartIndexBytes * partCount;
            const std::span<double> xs = shapes.xs(s);
            const std::span<double> ys = shapes.ys(s);
            for (std::size_t j = 0; j < xs.size(); ++j, vertex += VertexBytes) {
                xs[j] = littleEndianDouble(vertex);
                ys[j] = littleEndianDouble(vertex + 8);
            }
        }
        progress.advanceTo(s);
    }
    return {};
}

} // namespace

std::optional<ShapefileHeader> readShapefileHeader(QByteArrayView bytes)
{
    if (bytes.size() < ShapefileHeaderBytes) {
        return std::nullopt;
    }
    const char* data = bytes.data();
    ShapefileHeader header;
    header.FileCode = bigEndian32(data);
    header.FileBytes = 2 * qint64(bigEndian32(data + 24));
    header.ShapeType = littleEndian32(data + 32);
    header.Box = { littleEndianDouble(data + 36), littleEndianDouble(data + 44),
        littleEndianDouble(data + 52), littleEndianDouble(data + 60) };
    return header;
}

QString unsupportedShapeTypeRefusal(qint32 shapeType)
{
    return QStringLiteral("SHP file format not\rcurrently supported\r\rShapeType = ")
        + QString::number(shapeType);
}

GISReadResult decodeShapefile(QByteArrayView bytes, const QString& fileName, GISLayer& layer)
{
    const std::optional<ShapefileHeader> header = readShapefileHeader(bytes);
    if (!header || header->FileCode != ShapefileFileCode) {
        return GISReadResult::failed(
            QStringLiteral("%1 is not in SHP format.").arg(quotedFileName(fileName)));
    }
    const qint32 type = header->ShapeType;
    if (type != PointShape && !isPoly(type)) {
        return GISReadResult::refused(unsupportedShapeTypeRefusal(type));
    }
    // The records run to the real end of the file: writers leave the
    // header's length at 0 or stale, or append records without updating it,
    // and a copy broken off keeps the length of the whole.
    RecordArea area { bytes.data(), bytes.size(), fileName, type };

    ProgressShown shown;
    if (isPoly(type)) {
        statusProgress().showProgress(0);
        statusProgress().setStatusText(QStringLiteral("Analyzing GIS File"));
    }
    RecordScan scan;
    if (const QString fault = scanRecords(area, scan); !fault.isEmpty()) {
        return GISReadResult::failed(fault);
    }

    layer.ShapeType = type;
    layer.XMin = header->Box.XMin;
    layer.YMin = header->Box.YMin;
    layer.XMax = header->Box.XMax;
    layer.YMax = header->Box.YMax;
    layer.Shapes.layOut(scan.pointCounts);
    statusProgress().showProgress(scan.count());
    statusProgress().setStatusText(QStringLiteral("Loading GIS File"));
    if (type == PointShape) {
        layer.ShapeParts.clear();
        fillPoints(area, scan, layer.Shapes);
        return GISReadResult::success();
    }
    if (const QString fault = fillPolys(area, scan, layer); !fault.isEmpty()) {
        return GISReadResult::failed(fault);
    }
    return GISReadResult::success();
}

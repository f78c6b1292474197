#include "korvel/georef/geo_reference_file.h"

#include "korvel/map/image_loading.h"
#include "platform/file_helpers.h"
#include "platform/sequential_file.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

const QString kSeparator = QStringLiteral("---");

QString valueList(std::initializer_list<QString> fields)
{
    return QStringList(fields).join(u',');
}

QString variantField(const std::optional<double>& value)
{
    return value ? CStr(*value) : QString();
}

// The reasons end as sentences: the window goes on with another after them.
QString sentence(const QString& text)
{
    return text.endsWith(u'.') ? text : text + u'.';
}

std::optional<double> readVariant(SequentialReader& reader)
{
    const QString text = reader.readText();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return CDbl(text);
}

} // namespace

QString coordinateText(float metres)
{
    return CStr(metres);
}

float coordinateAsWritten(float metres)
{
    // Every finite float has a text that reads back; anything else stays.
    const std::optional<double> read = numericValue(coordinateText(metres));
    return read ? float(*read) : metres;
}

QByteArray geoReferenceFileBytes(const GeoReferenceContent& content)
{
    SequentialWriter writer;
    writer.printLine(QLatin1String(GeoReferenceHeader));
    // A line break in a name would end the line early and shift every item after it.
    QString name = content.ImageName;
    name.replace(u'\r', u' ').replace(u'\n', u' ');
    writer.printLine(name);
    const ImagePlacement& place = content.Placement;
    writer.printLine(valueList({ CStr(int(place.OriginEasting)), CStr(int(place.OriginNorthing)) }));
    writer.printLine(valueList({ CStr(int(place.GroundWidth)), CStr(int(place.GroundHeight)) }));
    writer.printLine(CStr(content.Zone));
    writer.printLine(kSeparator);
    writer.printLine(CStr(int(content.Points.size())));
    for (const ControlPoint& point : content.Points) {
        writer.printLine(valueList({ coordinateText(point.Northing), coordinateText(point.Easting),
            CStr(int(point.PixelY)), CStr(int(point.PixelX)) }));
    }
    const ManualCorrections& corrections = content.Corrections;
    writer.printLine(valueList({ variantField(corrections.ShiftX), CStr(int(corrections.ShiftY)),
        variantField(corrections.StretchX), CStr(int(corrections.StretchY)) }));
    return writer.bytes();
}

bool writeGeoReferenceFile(const QString& path, const GeoReferenceContent& content, QString* error)
{
    return writeFileAtomically(path, geoReferenceFileBytes(content), error);
}

GeoReferencePoints readGeoReferencePoints(const QString& path)
{
    GeoReferencePoints none;
    if (!QFileInfo::exists(path)) {
        return none;
    }
    // Two images of one name in two folders are told apart by the folder.
    const QString name = QDir::toNativeSeparators(path);
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, bytes, &error)) {
        none.state = GeoReferenceFileState::Unreadable;
        none.error
            = sentence(QStringLiteral("The geo-reference file \"%1\" cannot be read: %2").arg(name, error));
        return none;
    }
    return parseGeoReferencePoints(bytes, name);
}

GeoReferencePoints parseGeoReferencePoints(const QByteArray& bytes, const QString& fileName)
{
    GeoReferencePoints read;
    const auto readPoints = [&read](SequentialReader& reader, const GeoReference& head) {
        // A geo-reference holds at most eight points: a larger count is a
        // damaged file, whose lines after it cannot be trusted either.
        if (head.ControlPointCount > MaxControlPoints) {
            throw VbError(6, QStringLiteral("KORVEL"),
                QStringLiteral("%1 control points are more than %2")
                    .arg(head.ControlPointCount)
                    .arg(MaxControlPoints));
        }
        for (int i = 0; i < head.ControlPointCount; ++i) {
            ControlPoint point;
            point.Northing = reader.readSingle();
            point.Easting = reader.readSingle();
            point.PixelY = reader.readInteger();
            point.PixelX = reader.readInteger();
            read.Points.push_back(point);
        }
        ManualCorrections corrections;
        corrections.ShiftX = readVariant(reader);
        corrections.ShiftY = reader.readLong();
        corrections.StretchX = readVariant(reader);
        corrections.StretchY = reader.readLong();
        read.Corrections = corrections;
        read.state = GeoReferenceFileState::Read;
        read.complete = true;
    };
    try {
        if (!parseGeoReference(bytes, fileName, readPoints)) {
            read.state = GeoReferenceFileState::Foreign;
            read.error = QStringLiteral("%1 is not a KORVEL geo-reference file.").arg(fileName);
        }
    } catch (const DamagedGeoReference& fault) {
        read.state = GeoReferenceFileState::Damaged;
        read.error = sentence(fault.Description());
        read.errorLine = fault.line();
    } catch (const VbError& fault) {
        read.state = GeoReferenceFileState::Damaged;
        read.error = sentence(fault.Description());
    }
    if (!read.complete) {
        // Points before a fault belong to a file that cannot be trusted.
        read.Points.clear();
        read.Corrections = ManualCorrections();
    }
    return read;
}

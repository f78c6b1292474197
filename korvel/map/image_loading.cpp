#include "korvel/map/image_loading.h"

#include "platform/file_helpers.h"
#include "platform/sequential_file.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <QFileInfo>

QString geoReferencePath(const QString& imagePath)
{
    const QString exact = imagePath.left(qMax(0, imagePath.size() - 3)) + QStringLiteral("ref");
    if (QFileInfo(exact).isFile() || QFileInfo(imagePath).suffix().size() != 3) {
        return exact;
    }
    const QString other = findCompanionFile(imagePath, QStringLiteral("ref"));
    return other.isEmpty() ? exact : other;
}

std::optional<GeoReference> readGeoReference(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    QByteArray bytes;
    QString error;
    const QString name = QFileInfo(path).fileName();
    if (!readWholeFile(path, bytes, &error)) {
        throw VbError(75, QStringLiteral("KORVEL"),
            QStringLiteral("The geo-reference file \"%1\" cannot be read: %2").arg(name, error));
    }
    return parseGeoReference(bytes, name);
}

std::optional<GeoReference> parseGeoReference(
    const QByteArray& bytes, const QString& fileName, const GeoReferenceRestReader& readRest)
{
    SequentialReader reader(bytes);
    // An empty file carries no header: the image simply has no geo-reference.
    if (reader.onlyBlanksRemain()) {
        return std::nullopt;
    }
    try {
        if (reader.readText() != QLatin1String(GeoReferenceHeader)) {
            return std::nullopt;
        }
        GeoReference reference;
        reader.readLine();
        reference.X = reader.readLong();
        reference.Y = reader.readLong();
        reference.Width = reader.readLong();
        reference.Height = reader.readLong();
        // An image of no width or height has no scale: drawn, it would
        // divide by zero and fill the map with nothing.
        if (reference.Width == 0 || reference.Height == 0) {
            throw VbError(5, QStringLiteral("KORVEL"),
                QStringLiteral("its width or height is 0 (%1, %2)")
                    .arg(reference.Width)
                    .arg(reference.Height));
        }
        reference.Zone = reader.readByte();
        reader.readText();
        reference.ControlPointCount = reader.readByte();
        if (readRest) {
            readRest(reader, reference);
        }
        return reference;
    } catch (const VbError& fault) {
        throw VbError(fault.Number(), fault.Source(),
            QStringLiteral("The geo-reference file \"%1\" is damaged (line %2): %3")
                .arg(fileName)
                .arg(reader.lineNumber())
                .arg(fault.Description()));
    }
}

int pixelsFromHimetric(qint64 himetric, float twipsPerPixel)
{
    return CLng(15.0 / double(twipsPerPixel) * double(himetric) / 26.46);
}

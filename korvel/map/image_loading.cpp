#include "korvel/map/image_loading.h"

#include "platform/complete_lines.h"
#include "platform/file_helpers.h"
#include "platform/sequential_file.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <QFileInfo>

namespace {

constexpr int kLastZone = 60;

// A fault found on a line other than the one the reader stands on.
struct LineFault
{
    int number; // the runtime error it stands for
    int line;
    QString text;
};

QString damagedMessage(const QString& fileName, int line, const QString& fault)
{
    return QStringLiteral("The geo-reference file \"%1\" is damaged (line %2): %3")
        .arg(fileName)
        .arg(line)
        .arg(fault);
}

} // namespace

DamagedGeoReference::DamagedGeoReference(
    long number, QString source, const QString& fileName, int line, const QString& fault)
    : VbError(number, std::move(source), damagedMessage(fileName, line, fault))
    , m_line(line)
{
}

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
    const QString header = QLatin1String(GeoReferenceHeader);
    const int cut = cutOffLineNumber(bytes);
    const LineFault cutOff { 62, cut, QStringLiteral("the file ends inside the line, it was cut off") };
    // A fault on a cut-off last line may stem from the cut (a number that
    // lost its digits), so the cut is named.
    const auto reported
        = [&](const LineFault& fault) { return cut != 0 && fault.line >= cut ? cutOff : fault; };
    try {
        const QString first = reader.readText();
        // A file cut inside its header is ours all the same.
        const bool cutHeader = cut == 1 && !first.isEmpty() && header.startsWith(first);
        if (first != header && !cutHeader) {
            return std::nullopt;
        }
        // Whoever reads on after item 7 reads to the last line, which must
        // then be whole; the loader alone stops at item 7, and a last line
        // cut off after it does not concern the loader.
        if (cut != 0 && (cutHeader || readRest)) {
            throw cutOff;
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
        if (reference.Zone < 1 || reference.Zone > kLastZone) {
            throw LineFault { 5, reader.fieldLine(),
                QStringLiteral("zone %1 is not a UTM zone (1 to 60)").arg(reference.Zone) };
        }
        reader.readText();
        reference.ControlPointCount = reader.readByte();
        if (readRest) {
            readRest(reader, reference);
        }
        return reference;
    } catch (const VbError& fault) {
        const LineFault found = reported({ int(fault.Number()), reader.fieldLine(), fault.Description() });
        throw DamagedGeoReference(found.number, fault.Source(), fileName, found.line, found.text);
    } catch (const LineFault& fault) {
        const LineFault found = reported(fault);
        throw DamagedGeoReference(found.number, QStringLiteral("KORVEL"), fileName, found.line, found.text);
    }
}

int pixelsFromHimetric(qint64 himetric, float twipsPerPixel)
{
    return CLng(15.0 / double(twipsPerPixel) * double(himetric) / 26.46);
}

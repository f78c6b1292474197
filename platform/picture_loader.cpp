#include "platform/picture_loader.h"

#include "platform/screen_metrics.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <cmath>

namespace {

LoadedPicture failure(long number, const QString& description)
{
    LoadedPicture picture;
    picture.errorNumber = number;
    picture.error = description;
    return picture;
}

// The size to decode at: the file's own, or the largest of the same shape
// that fits MaxDecodedBytes at four bytes a pixel.
QSize decodeSize(const QSize& size)
{
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (bytes <= MaxDecodedBytes) {
        return size;
    }
    const double factor = std::sqrt(double(MaxDecodedBytes) / double(bytes));
    return { qMax(1, int(size.width() * factor)), qMax(1, int(size.height() * factor)) };
}

// True when an uncompressed bitmap holds fewer bytes than its header says
// its pixel rows need. The image decoder would show the rows that are there
// and leave the rest blank, without a word; a cut-off photograph placed on a
// map must be refused instead.
bool truncatedBitmap(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false; // the decoder reports what is wrong with it
    }
    const QByteArray head = file.read(34);
    if (head.size() < 34 || !head.startsWith("BM")) {
        return false;
    }
    const auto* bytes = reinterpret_cast<const uchar*>(head.constData());
    const quint32 pixelOffset = qFromLittleEndian<quint32>(bytes + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(bytes + 14);
    if (infoSize < 40) {
        return false; // an old OS/2 header: left to the decoder
    }
    const qint64 width = qFromLittleEndian<qint32>(bytes + 18);
    const qint64 height = std::llabs(qFromLittleEndian<qint32>(bytes + 22));
    const qint64 bitCount = qFromLittleEndian<quint16>(bytes + 28);
    const quint32 compression = qFromLittleEndian<quint32>(bytes + 30);
    const bool uncompressed = compression == 0 || compression == 3; // BI_RGB, BI_BITFIELDS
    if (!uncompressed || width <= 0 || bitCount == 0) {
        return false;
    }
    const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
    return file.size() < qint64(pixelOffset) + rowBytes * height;
}

} // namespace

qint64 himetricFromPixels(qint64 pixels, float twipsPerPixel)
{
    return std::llround(double(pixels) * 2540.0 * double(twipsPerPixel) / 1440.0);
}

LoadedPicture LoadPicture(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile()) {
        return failure(53, QStringLiteral("File not found: \"%1\"").arg(path));
    }
    QImageReader reader(path);
    reader.setAutoTransform(false);
    // The decoded size is bounded below; the reader's own smaller default
    // limit would refuse large aerial photographs outright.
    QImageReader::setAllocationLimit(int(2 * MaxDecodedBytes / (1024 * 1024)));
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid() || size.isEmpty()) {
        return failure(481, QStringLiteral("Invalid picture: \"%1\" (%2)").arg(name, reader.errorString()));
    }
    if (truncatedBitmap(path)) {
        return failure(481,
            QStringLiteral("Invalid picture: \"%1\" (the file ends before its last row of pixels)")
                .arg(name));
    }
    const QSize target = decodeSize(size);
    if (target != size) {
        reader.setScaledSize(target);
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        return failure(481, QStringLiteral("Invalid picture: \"%1\" (%2)").arg(name, reader.errorString()));
    }
    LoadedPicture picture;
    picture.image = std::move(image);
    picture.size = size;
    picture.WidthHimetric = himetricFromPixels(size.width(), TwipsPerPixelX());
    picture.HeightHimetric = himetricFromPixels(size.height(), TwipsPerPixelY());
    return picture;
}

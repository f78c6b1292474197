#include "platform/picture_loader.h"

#include "platform/screen_metrics.h"

#include <QFileInfo>
#include <QImageReader>
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

#include "platform/picture_loader.h"

#include "platform/picture_reducer.h"
#include "platform/picture_structure.h"
#include "platform/screen_metrics.h"
#include "platform/tiff_picture.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cmath>

namespace {

// What the decoders without a reduced size may decode whole.
constexpr qint64 kMaxWholeBytes = 2 * MaxDecodedBytes;

LoadedPicture failure(long number, const QString& description)
{
    LoadedPicture picture;
    picture.errorNumber = number;
    picture.error = description;
    return picture;
}

LoadedPicture invalid(const QString& name, const QString& reason)
{
    return failure(481, QStringLiteral("Invalid picture: \"%1\" (%2)").arg(name, reason));
}

LoadedPicture tooLarge(const QString& name, QSize size, const QString& why, qint64 wholeBytes)
{
    const int side = int(std::sqrt(double(wholeBytes / 4)));
    return invalid(name,
        QStringLiteral("%1 x %2 pixels: %3, and a picture read whole may have at most %4 x %4 pixels")
            .arg(size.width())
            .arg(size.height())
            .arg(why)
            .arg(side));
}

LoadedPicture loaded(QImage image, QSize size)
{
    LoadedPicture picture;
    picture.image = std::move(image);
    picture.size = size;
    picture.WidthHimetric = himetricFromPixels(size.width(), TwipsPerPixelX());
    picture.HeightHimetric = himetricFromPixels(size.height(), TwipsPerPixelY());
    return picture;
}

LoadedPicture fromTiff(const QString& name, TiffPicture tiff, qint64 maxDecodedBytes)
{
    if (tiff.tooLarge) {
        return tooLarge(name, tiff.size,
            QStringLiteral("its strips or tiles are too large to be read one by one"), maxDecodedBytes);
    }
    if (tiff.image.isNull()) {
        return invalid(name, tiff.error);
    }
    return loaded(std::move(tiff.image), tiff.size);
}

// The image plug-ins' reader, for every format but the TIFFs libtiff
// converts. `declared` is a GIF's screen size, the size of the picture its
// decoder makes; before decoding, the decoder tells that of the first image
// or, for a small still picture, none.
LoadedPicture readWithPlugins(
    const QString& path, const QString& name, QSize declared, qint64 maxDecodedBytes)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    // The decoded size is bounded below; the reader's own smaller default
    // limit would refuse large aerial photographs outright.
    QImageReader::setAllocationLimit(int(kMaxWholeBytes / (1024 * 1024)));
    // A bitmap stored top row first gives a negative height.
    const QSize size
        = declared.isEmpty() ? QSize(qAbs(reader.size().width()), qAbs(reader.size().height())) : declared;
    if (!reader.canRead() || size.isEmpty()) {
        return invalid(name, reader.errorString());
    }
    const QString format = QString::fromLatin1(reader.format().toUpper());
    const QSize target = reducedSize(size, maxDecodedBytes);
    if (target != size) {
        reader.setScaledSize(target);
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        // A decoder that cannot read at the reduced size reads the whole
        // picture first, and the whole of a very large one does not fit.
        if (target != size && !reader.supportsOption(QImageIOHandler::ScaledSize)) {
            return tooLarge(name, size,
                QStringLiteral("a %1 picture cannot be read at a reduced size").arg(format), kMaxWholeBytes);
        }
        return invalid(name, reader.errorString());
    }
    return loaded(std::move(image), size);
}

// A file's bytes mapped into memory while they are looked at; closing a
// QFile leaves its mappings in place, so they are undone here.
class MappedFile
{
public:
    explicit MappedFile(const QString& path)
        : m_file(path)
    {
        if (m_file.open(QIODevice::ReadOnly) && m_file.size() > 0) {
            m_data = m_file.map(0, m_file.size());
        }
    }
    ~MappedFile() { release(); }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Empty when the file cannot be read or mapped.
    QByteArrayView bytes() const { return m_data ? QByteArrayView(m_data, m_file.size()) : QByteArrayView(); }
    void release()
    {
        if (m_data) {
            m_file.unmap(m_data);
            m_data = nullptr;
        }
    }

private:
    QFile m_file;
    uchar* m_data = nullptr;
};

} // namespace

qint64 himetricFromPixels(qint64 pixels, float twipsPerPixel)
{
    return std::llround(double(pixels) * 2540.0 * double(twipsPerPixel) / 1440.0);
}

LoadedPicture LoadPicture(const QString& path, qint64 maxDecodedBytes)
{
    const QString name = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile()) {
        return failure(53, QStringLiteral("File not found: \"%1\"").arg(path));
    }
    // The file's bytes, mapped, for the checks of its kind and structure; a
    // file that cannot be mapped is left to the image plug-ins, which say
    // what is wrong with it.
    MappedFile file(path);
    const QByteArrayView bytes = file.bytes();
    if (isTiff(bytes)) {
        file.release();
        QFile tiffFile(path);
        if (tiffFile.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            TiffPicture tiff = readTiffPicture(tiffFile, maxDecodedBytes);
            if (tiff.converted) {
                return fromTiff(name, std::move(tiff), maxDecodedBytes);
            }
        }
        return readWithPlugins(path, name, QSize(), maxDecodedBytes);
    }
    if (bitmapIsCutOff(bytes)) {
        return invalid(name, QStringLiteral("the file ends before its last row of pixels"));
    }
    if (jpegIsCutOff(bytes) || gifIsCutOff(bytes)) {
        return invalid(name, QStringLiteral("the file ends before the end of its picture"));
    }
    const QSize declared = gifScreenSize(bytes);
    file.release();
    return readWithPlugins(path, name, declared, maxDecodedBytes);
}

// Feeds arbitrary bytes to the picture loader's own readers: the checks of
// a BMP's, a JPEG's and a GIF's structure, and the TIFF reader on a budget
// small enough that most pictures are read at a reduced size. The TIFF
// reader gives either a picture within the budget and no larger than the
// file's own, or a reason for refusing it; nothing else may happen.
#include "platform/picture_structure.h"
#include "platform/tiff_picture.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    bitmapIsCutOff(bytes);
    jpegIsCutOff(bytes);
    gifIsCutOff(bytes);
    gifScreenSize(bytes);
    if (!isTiff(bytes)) {
        return 0;
    }
    constexpr qint64 budget = 64 * 1024;
    QByteArray copy = bytes.toByteArray();
    QBuffer file(&copy);
    file.open(QIODevice::ReadOnly);
    const TiffPicture tiff = readTiffPicture(file, budget);
    const QImage& image = tiff.image;
    if (image.isNull()) {
        if (tiff.converted && tiff.error.isEmpty() && !tiff.tooLarge)
            std::abort();
        return 0;
    }
    if (!tiff.error.isEmpty() || tiff.tooLarge || qint64(image.width()) * image.height() * 4 > budget
        || image.width() > tiff.size.width() || image.height() > tiff.size.height())
        std::abort();
    return 0;
}

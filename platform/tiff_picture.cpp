#include "platform/tiff_picture.h"

#include "platform/picture_reducer.h"

#include <tiffio.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// The file as libtiff's client file, read through a device and not mapped:
// libtiff reads each strip or tile as it needs it, so the file's pages do
// not add to the memory the load holds.
QIODevice& deviceOf(thandle_t handle)
{
    return *static_cast<QIODevice*>(handle);
}

tmsize_t readBytes(thandle_t handle, void* buffer, tmsize_t size)
{
    return tmsize_t(deviceOf(handle).read(static_cast<char*>(buffer), qint64(size)));
}

tmsize_t refuseWrite(thandle_t, void*, tmsize_t)
{
    return -1;
}

toff_t seekTo(thandle_t handle, toff_t offset, int whence)
{
    QIODevice& device = deviceOf(handle);
    const qint64 base = whence == SEEK_CUR ? device.pos() : whence == SEEK_END ? device.size() : 0;
    const qint64 position = base + qint64(offset); // SEEK_CUR may go back
    if (position < 0 || position > device.size() || !device.seek(position)) {
        return toff_t(-1);
    }
    return toff_t(position);
}

int closeNothing(thandle_t)
{
    return 0;
}

toff_t byteCount(thandle_t handle)
{
    return toff_t(deviceOf(handle).size());
}

int mapNothing(thandle_t, void**, toff_t*)
{
    return 0;
}

void unmapNothing(thandle_t, void*, toff_t)
{
}

// libtiff's first error is the reason given for a refusal; nothing goes to
// the terminal. Warnings (the GeoTIFF keys libtiff does not know, among
// others) do not concern the picture.
int keepFirstError(TIFF*, void* firstError, const char*, const char* format, va_list arguments)
{
    auto& error = *static_cast<QString*>(firstError);
    if (error.isEmpty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, arguments);
        error = QString::fromLocal8Bit(text);
    }
    return 1;
}

int ignoreWarning(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

using TiffFile = std::unique_ptr<TIFF, decltype(&TIFFClose)>;

TiffFile openTiff(QIODevice& file, QString& firstError, qint64 maxDecodedBytes)
{
    std::unique_ptr<TIFFOpenOptions, decltype(&TIFFOpenOptionsFree)> options(
        TIFFOpenOptionsAlloc(), TIFFOpenOptionsFree);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), keepFirstError, &firstError);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), ignoreWarning, nullptr);
    // A size in the file never makes libtiff take more memory at once than
    // a strip or tile of a picture within twice the budget needs.
    TIFFOpenOptionsSetMaxSingleMemAlloc(
        options.get(), tmsize_t(std::max<qint64>(2 * maxDecodedBytes, 64 << 20)));
    return TiffFile(TIFFClientOpenExt("picture", "r", &file, readBytes, refuseWrite, seekTo, closeNothing,
                        byteCount, mapNothing, unmapNothing, options.get()),
        TIFFClose);
}

// libtiff takes a band after the colours for alpha even where the file does
// not mark it so: "unspecified", or with no mark at all. GDAL marks a 4-band
// orthophoto's near-infrared "unspecified"; drawn as alpha it would fade the
// picture wherever the crop reflects little of it. Only a band marked as
// alpha is drawn as alpha.
bool alphaIsMarked(TIFF* tiff)
{
    uint16_t count = 0;
    uint16_t* kinds = nullptr;
    return TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &count, &kinds) && count > 0
        && (kinds[0] == EXTRASAMPLE_ASSOCALPHA || kinds[0] == EXTRASAMPLE_UNASSALPHA);
}

struct RgbaImage
{
    TIFFRGBAImage image {};
    bool begun = false;
    ~RgbaImage()
    {
        if (begun) {
            TIFFRGBAImageEnd(&image);
        }
    }
};

constexpr qint64 kBytesWorthAThread = 256 * 1024;

// Decodes `rows` rows from `top` on into `band`, in colours.
using BandDecoder = std::function<bool(uint32_t top, uint32_t rows, quint32* band)>;

// Stripped files of whole pixels are decoded a row at a time, however tall
// their strips, and libtiff's colour conversion turns each row into colours.
BandDecoder rowDecoder(TIFF* tiff, TIFFRGBAImage& image)
{
    auto samples = std::make_shared<std::vector<unsigned char>>(TIFFScanlineSize64(tiff));
    return [tiff, &image, samples](uint32_t top, uint32_t rows, quint32* band) {
        for (uint32_t y = 0; y < rows; ++y) {
            if (samples->empty() || TIFFReadScanline(tiff, samples->data(), top + y, 0) < 0) {
                return false;
            }
            image.put.contig(
                &image, band + size_t(y) * image.width, 0, top + y, image.width, 1, 0, 0, samples->data());
        }
        return true;
    };
}

// Tiles, separate colour planes and subsampled YCbCr are converted a band
// (a row of tiles or one strip) at a time.
BandDecoder bandDecoder(TIFFRGBAImage& image)
{
    return [&image](uint32_t top, uint32_t rows, quint32* band) {
        image.row_offset = int(top);
        return TIFFRGBAImageGet(&image, band, image.width, rows) != 0;
    };
}

// Decodes the bands one after another into two buffers, so that the reducer
// sums one while libtiff decodes the next on another thread (each in turn:
// libtiff's file is never used by two threads at once). Bands too small to
// be worth a thread are decoded between the sums.
bool reduceBands(
    const BandDecoder& decode, uint32_t width, uint32_t height, uint32_t bandRows, PictureReducer& reducer)
{
    std::vector<quint32> bands[2]
        = { std::vector<quint32>(size_t(width) * bandRows), std::vector<quint32>(size_t(width) * bandRows) };
    const auto rowsFrom = [&](uint32_t top) { return std::min(bandRows, height - top); };
    const bool overlap = qint64(width) * bandRows * 4 >= kBytesWorthAThread;
    if (!decode(0, rowsFrom(0), bands[0].data())) {
        return false;
    }
    for (uint32_t top = 0, current = 0; top < height; top += bandRows, current ^= 1) {
        const uint32_t next = top + bandRows;
        bool decoded = true;
        const auto decodeNext
            = [&] { decoded = next >= height || decode(next, rowsFrom(next), bands[current ^ 1].data()); };
        std::thread decoder;
        try {
            if (next < height && overlap) {
                decoder = std::thread(decodeNext);
            }
        } catch (const std::system_error&) {
            // no thread to be had: one after the other
        }
        if (!decoder.joinable()) {
            decodeNext();
        }
        reducer.addRows(bands[current].data(), int(rowsFrom(top)), width);
        if (decoder.joinable()) {
            decoder.join();
        }
        if (!decoded) {
            return false;
        }
    }
    return true;
}

// The rows of a strip or of a row of tiles.
uint32_t rowsOfBand(TIFF* tiff, uint32_t height)
{
    uint32_t rows = 0;
    const bool found = TIFFIsTiled(tiff) ? TIFFGetField(tiff, TIFFTAG_TILELENGTH, &rows)
                                         : TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rows);
    return found && rows > 0 ? std::min(rows, height) : height;
}

} // namespace

bool isTiff(QByteArrayView bytes)
{
    return bytes.startsWith("II*\0") || bytes.startsWith("MM\0*") || bytes.startsWith("II+\0")
        || bytes.startsWith("MM\0+");
}

TiffPicture readTiffPicture(QIODevice& file, qint64 maxDecodedBytes)
{
    TiffPicture picture;
    picture.converted = true;
    const TiffFile tiff = openTiff(file, picture.error, maxDecodedBytes);
    uint32_t width = 0;
    uint32_t height = 0;
    if (!tiff || !TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width)
        || !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) || width == 0 || height == 0
        || width > INT_MAX || height > INT_MAX) {
        if (picture.error.isEmpty()) {
            picture.error = QStringLiteral("the file holds no picture");
        }
        return picture;
    }
    picture.size = QSize(int(width), int(height));
    char reason[1024] = {};
    RgbaImage rgba;
    rgba.begun
        = TIFFRGBAImageOK(tiff.get(), reason) && TIFFRGBAImageBegin(&rgba.image, tiff.get(), 1, reason);
    if (!rgba.begun) {
        picture.converted = false;
        return picture;
    }
    TIFFRGBAImage& image = rgba.image;
    // The rows as stored, as every other picture is drawn.
    image.req_orientation = image.orientation;
    // libtiff puts an unmarked band in the alpha byte and takes the colours
    // as they are (as if already multiplied by it); a picture without alpha
    // (Format_RGB32) leaves that byte out.
    const bool alpha = image.alpha != 0 && alphaIsMarked(tiff.get());
    const bool byRows = !TIFFIsTiled(tiff.get()) && image.isContig && image.photometric != PHOTOMETRIC_YCBCR;
    // A band holds whole strips or rows of tiles (or rows, where they are
    // decoded one by one), as many as make about 4 MB of colours, a
    // sixteenth of the budget at most.
    const qint64 unitRows = byRows ? 1 : rowsOfBand(tiff.get(), height);
    const qint64 units = std::max<qint64>(
        1, std::min<qint64>(4 << 20, maxDecodedBytes / 16) / (qint64(width) * 4 * unitRows));
    const auto bandRows = uint32_t(std::min<qint64>(unitRows * units, height));
    const QSize target = reducedSize(picture.size, maxDecodedBytes);
    // Besides the picture: two bands' colours, a row's samples, the sums.
    const qint64 held = qint64(width) * bandRows * 8 + (byRows ? qint64(TIFFScanlineSize64(tiff.get())) : 0)
        + target.width() * PictureReducer::BytesPerColumn;
    if (held > maxDecodedBytes) {
        picture.tooLarge = true;
        return picture;
    }
    QImage reduced(target, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (reduced.isNull()) {
        picture.error = QStringLiteral("there is not enough memory for its pixels");
        return picture;
    }
    PictureReducer reducer(picture.size, reduced);
    const BandDecoder decode = byRows ? rowDecoder(tiff.get(), image) : bandDecoder(image);
    if (!reduceBands(decode, width, height, bandRows, reducer)) {
        if (picture.error.isEmpty()) {
            picture.error = QStringLiteral("its pixels cannot be read");
        }
        return picture;
    }
    picture.image = std::move(reduced);
    picture.error.clear();
    return picture;
}

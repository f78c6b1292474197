#include "platform/picture_loader.h"

#include "platform/screen_metrics.h"
#include "tests/support/korvel_test.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QtEndian>
#include <tiffio.h>

#include <vector>

namespace {

// The test pictures' colours: their top half and their bottom half.
constexpr QRgb kTop = qRgb(10, 120, 200);
constexpr QRgb kBottom = qRgb(200, 50, 10);

QByteArray little(quint32 value, int bytes)
{
    value = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&value), bytes);
}

QByteArray encoded(QSize size, const char* format, bool progressive = false)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kTop);
    for (int y = size.height() / 2; y < size.height(); ++y) {
        std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), size.width(), kBottom);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << format;
    return buffer.data();
}

// The same bitmap stored top row first, with a negative height, as some
// Windows capture and export tools write it.
QByteArray topDownBitmap(QSize size)
{
    const QByteArray bottomUp = encoded(size, "bmp");
    const qsizetype start = qFromLittleEndian<quint32>(bottomUp.constData() + 10);
    const qsizetype rowBytes = (bottomUp.size() - start) / size.height();
    QByteArray topDown = bottomUp.left(start);
    topDown.replace(22, 4, little(quint32(-size.height()), 4));
    for (int y = size.height() - 1; y >= 0; --y) {
        topDown += bottomUp.mid(start + y * rowBytes, rowBytes);
    }
    return topDown;
}

// A JPEG with an Exif segment holding a thumbnail, as cameras and phones
// write it: a little-endian TIFF whose second directory locates the
// thumbnail stored right after it.
QByteArray exifJpeg(const QByteArray& main, const QByteArray& thumbnail)
{
    QByteArray tiff = QByteArray("II*\0\x08\0\0\0\0\0\x0e\0\0\0\x02\0", 16);
    tiff += little(0x201, 2) + little(4, 2) + little(1, 4) + little(44, 4);
    tiff += little(0x202, 2) + little(4, 2) + little(1, 4) + little(quint32(thumbnail.size()), 4)
        + little(0, 4);
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff + thumbnail;
    return main.left(2) + "\xff\xe1" + char((body.size() + 2) >> 8) + char(body.size() + 2) + body
        + main.mid(2);
}

QByteArray rgb(QRgb colour)
{
    return QByteArray() + char(qRed(colour)) + char(qGreen(colour)) + char(qBlue(colour));
}

// A GIF89a of `frames` images in colours 0 (top) and 1 (bottom). Every
// pixel is a literal code of 3 bits, two between clear codes, so the code
// width never grows.
QByteArray gif(QSize size, int frames)
{
    QByteArray bytes
        = "GIF89a" + little(size.width(), 2) + little(size.height(), 2) + QByteArray("\x80\0\0", 3);
    bytes += rgb(kTop) + rgb(kBottom);
    if (frames > 1) {
        bytes += QByteArray("!\xff\x0bNETSCAPE2.0\x03\x01\0\0\0", 19);
    }
    QByteArray codes;
    quint32 bits = 0;
    int count = 0;
    const auto put = [&](quint32 code) {
        bits |= code << count;
        for (count += 3; count >= 8; count -= 8, bits >>= 8) {
            codes += char(bits);
        }
    };
    for (int i = 0; i < size.width() * size.height(); ++i) {
        if (i % 2 == 0) {
            put(4); // clear
        }
        put(i / size.width() < size.height() / 2 ? 0 : 1);
    }
    put(5); // end of information
    codes += char(bits);
    for (int frame = 0; frame < frames; ++frame) {
        bytes += QByteArray("!\xf9\x04\x04\x0a\0\0\0,\0\0\0\0", 13) + little(size.width(), 2)
            + little(size.height(), 2) + QByteArray("\0\x02", 2);
        for (qsizetype at = 0; at < codes.size(); at += 255) {
            bytes += char(qMin<qsizetype>(255, codes.size() - at)) + codes.mid(at, 255);
        }
        bytes += '\0';
    }
    return bytes + ';';
}

// An uncompressed grey TIFF whose directory comes before its pixels, so
// that a cut keeps the directory and takes pixels.
QByteArray directoryFirstTiff(QSize size)
{
    const quint32 pixels = quint32(size.width() * size.height());
    const std::pair<quint32, quint32> fields[]
        = { { 256, size.width() }, { 257, size.height() }, { 258, 8 }, { 259, 1 }, { 262, 1 },
              { 273, 8 + 2 + 9 * 12 + 4 }, { 277, 1 }, { 278, size.height() }, { 279, pixels } };
    QByteArray bytes = QByteArray("II*\0\x08\0\0\0\x09\0", 10);
    for (const auto& [tag, value] : fields) {
        bytes += little(tag, 2) + little(4, 2) + little(1, 4) + little(value, 4);
    }
    return bytes + little(0, 4) + QByteArray(pixels, '\x80');
}

// A TIFF as GDAL, ImageMagick and Windows tools write them: LZW-compressed
// RGB, in tiles of `tile` pixels or in strips of `rowsPerStrip` rows, with
// a fourth band (of value 60) of the kind `extra` when it is not -1.
struct TiffLayout
{
    int tile = 0;
    int rowsPerStrip = 0;
    int extra = -1;
};

class PictureLoaderTest : public KorvelTest
{
protected:
    QString write(const QString& name, QSize size, const char* format) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(10, 120, 200));
        const QString path = workDir() + name;
        EXPECT_TRUE(image.save(path, format)) << name.toStdString();
        return path;
    }

    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(workDir() + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }

    QByteArray tiff(QSize size, TiffLayout layout) const
    {
        const QString path = workDir() + "written.tif";
        TIFF* out = TIFFOpen(QFile::encodeName(path).constData(), "w");
        const int bands = layout.extra < 0 ? 3 : 4;
        TIFFSetField(out, TIFFTAG_IMAGEWIDTH, size.width());
        TIFFSetField(out, TIFFTAG_IMAGELENGTH, size.height());
        TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, bands);
        TIFFSetField(out, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(out, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
        const uint16_t extra = uint16_t(layout.extra);
        if (layout.extra >= 0) {
            TIFFSetField(out, TIFFTAG_EXTRASAMPLES, 1, &extra);
        }
        const int width
            = layout.tile ? (size.width() + layout.tile - 1) / layout.tile * layout.tile : size.width();
        std::vector<uint8_t> pixels(size_t(width) * size.height() * bands);
        for (size_t i = 0; i < pixels.size(); i += bands) {
            const QRgb colour = int(i / bands / width) < size.height() / 2 ? kTop : kBottom;
            const uint8_t pixel[]
                = { uint8_t(qRed(colour)), uint8_t(qGreen(colour)), uint8_t(qBlue(colour)), 60 };
            std::copy_n(pixel, bands, &pixels[i]);
        }
        if (layout.tile) {
            TIFFSetField(out, TIFFTAG_TILEWIDTH, layout.tile);
            TIFFSetField(out, TIFFTAG_TILELENGTH, layout.tile);
            std::vector<uint8_t> tile(size_t(layout.tile) * layout.tile * bands);
            for (int top = 0; top < size.height(); top += layout.tile) {
                for (int left = 0; left < width; left += layout.tile) {
                    for (int y = 0; y < layout.tile; ++y) {
                        const size_t from = (size_t(qMin(top + y, size.height() - 1)) * width + left) * bands;
                        std::copy_n(
                            &pixels[from], layout.tile * bands, &tile[size_t(y) * layout.tile * bands]);
                    }
                    TIFFWriteTile(out, tile.data(), left, top, 0, 0);
                }
            }
        } else {
            TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, layout.rowsPerStrip);
            for (int y = 0; y < size.height(); ++y) {
                TIFFWriteScanline(out, &pixels[size_t(y) * width * bands], y, 0);
            }
        }
        TIFFClose(out);
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The picture's top and bottom pixels are the colours written, within
    // the losses of JPEG.
    static void expectColours(const QImage& image, QRgb top, QRgb bottom, const char* name)
    {
        const auto near = [](QRgb a, QRgb b) {
            return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b))
                + qAbs(qAlpha(a) - qAlpha(b))
                < 24;
        };
        EXPECT_TRUE(near(image.pixelColor(0, 0).rgba(), top)) << name;
        EXPECT_TRUE(near(image.pixelColor(0, image.height() - 1).rgba(), bottom)) << name;
    }
};

// A GIF of one white pixel, written from the GIF89a layout (Qt reads GIF but
// does not write it): header, screen of 1 x 1 with a 2-colour table, image
// descriptor and the LZW data of one pixel.
const char kOnePixelGif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                            ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
                            "D\x01\x00;";

TEST_F(PictureLoaderTest, ReadsTheFormatsTheImageDialogOffers)
{
    QFile gif(workDir() + "dot.gif");
    ASSERT_TRUE(gif.open(QIODevice::WriteOnly));
    gif.write(kOnePixelGif, sizeof kOnePixelGif - 1);
    gif.close();
    const LoadedPicture dot = LoadPicture(gif.fileName());
    ASSERT_TRUE(dot.ok()) << dot.error.toStdString();
    EXPECT_EQ(dot.size, QSize(1, 1));

    for (const char* format : { "bmp", "jpg", "tif" }) {
        const LoadedPicture picture
            = LoadPicture(write(QStringLiteral("map.") + format, QSize(100, 50), format));
        ASSERT_TRUE(picture.ok()) << format << ": " << picture.error.toStdString();
        EXPECT_EQ(picture.size, QSize(100, 50));
        EXPECT_EQ(picture.image.size(), QSize(100, 50));
    }
}

TEST_F(PictureLoaderTest, SizeInHundredthsOfAMillimetreFollowsTheScreen)
{
    const LoadedPicture picture = LoadPicture(write(QStringLiteral("map.bmp"), QSize(100, 50), "bmp"));
    EXPECT_EQ(picture.WidthHimetric, 2646) << "100 pixels at 96 dots per inch";
    EXPECT_EQ(picture.HeightHimetric, 1323);
    EXPECT_EQ(himetricFromPixels(100, 12.0f), 2117) << "at 120 dots per inch";
}

TEST_F(PictureLoaderTest, PicturesWiderThanSixteenBitsLoad)
{
    const LoadedPicture picture = LoadPicture(write(QStringLiteral("strip.bmp"), QSize(40000, 2), "bmp"));
    ASSERT_TRUE(picture.ok()) << picture.error.toStdString();
    EXPECT_EQ(picture.size.width(), 40000);
    EXPECT_EQ(picture.WidthHimetric, 1058333);
}

TEST_F(PictureLoaderTest, MissingAndDamagedFilesAreRefusedByName)
{
    const LoadedPicture missing = LoadPicture(workDir() + "gone.bmp");
    EXPECT_EQ(missing.errorNumber, 53);
    EXPECT_TRUE(missing.image.isNull());

    QFile text(workDir() + "notes.bmp");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("these are not pixels");
    text.close();
    const LoadedPicture invalid = LoadPicture(text.fileName());
    EXPECT_EQ(invalid.errorNumber, 481);
    EXPECT_TRUE(invalid.error.contains("notes.bmp")) << invalid.error.toStdString();

    // A bitmap whose header holds nothing but its signature.
    QFile damaged(workDir() + "damaged.bmp");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("BM") + QByteArray(60, '\0'));
    damaged.close();
    EXPECT_EQ(LoadPicture(damaged.fileName()).errorNumber, 481);

    // A bitmap cut short: the decoder alone would show the rows it has. Cut
    // by three bytes and by half, it is refused; whole, it loads.
    const QString whole = write(QStringLiteral("cut.bmp"), QSize(30, 20), "bmp");
    ASSERT_TRUE(LoadPicture(whole).ok());
    QFile cut(whole);
    const qint64 size = cut.size();
    for (const qint64 length : { size - 3, size / 2 }) {
        ASSERT_TRUE(cut.resize(length));
        const LoadedPicture refused = LoadPicture(whole);
        EXPECT_EQ(refused.errorNumber, 481) << length;
        EXPECT_TRUE(refused.error.contains("cut.bmp")) << refused.error.toStdString();
    }
}

TEST_F(PictureLoaderTest, PicturesAsOtherProgramsWriteThemLoadWhole)
{
    const QSize size(300, 200);
    const QByteArray jpeg = encoded(size, "jpg");
    const struct
    {
        const char* name;
        QByteArray bytes;
        int alpha;
    } rows[] = {
        { "tiled.tif", tiff(size, { 64, 0, -1 }), 255 },
        { "strips.tif", tiff(size, { 0, 8, -1 }), 255 },
        { "one strip.tif", tiff(size, { 0, 200, -1 }), 255 },
        { "near-infrared.tif", tiff(size, { 64, 0, EXTRASAMPLE_UNSPECIFIED }), 255 },
        { "alpha.tif", tiff(size, { 0, 8, EXTRASAMPLE_UNASSALPHA }), 60 },
        { "top down.bmp", topDownBitmap(size), 255 },
        { "trailing bytes.jpg", jpeg + "written after the end", 255 },
        { "progressive.jpg", encoded(size, "jpg", true), 255 },
        { "exif.jpg", exifJpeg(jpeg, encoded(QSize(16, 12), "jpg")), 255 },
        { "animated.gif", gif(size, 3), 255 },
    };
    for (const auto& row : rows) {
        const LoadedPicture picture = LoadPicture(write(row.name, row.bytes));
        ASSERT_TRUE(picture.ok()) << row.name << ": " << picture.error.toStdString();
        EXPECT_EQ(picture.image.size(), size) << row.name;
        const QRgb alpha = QRgb(row.alpha) << 24;
        expectColours(picture.image, (kTop & 0xffffff) | alpha, (kBottom & 0xffffff) | alpha, row.name);
    }
}

TEST_F(PictureLoaderTest, ACutOffPictureIsRefusedByName)
{
    const QSize size(300, 200);
    const QByteArray jpeg = encoded(size, "jpg");
    const QByteArray progressive = encoded(size, "jpg", true);
    const QByteArray thumbnail = encoded(QSize(16, 12), "jpg");
    const QByteArray exif = exifJpeg(jpeg, thumbnail);
    const QByteArray animation = gif(size, 3);
    const QByteArray tiled = tiff(size, { 64, 0, -1 });
    const struct
    {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        { "cut.jpg", jpeg.left(jpeg.size() * 88 / 100) },
        { "progressive.jpg", progressive.left(progressive.size() * 88 / 100) },
        { "thumbnail.jpg", exif.left(exif.indexOf(thumbnail) + thumbnail.size()) },
        { "half.gif", gif(size, 1).left(gif(size, 1).size() / 2) },
        { "third frame.gif", animation.left(animation.size() - 100) },
        { "tiled.tif", tiled.left(tiled.size() * 88 / 100) },
        { "pixels cut.tif", directoryFirstTiff(size).left(directoryFirstTiff(size).size() / 2) },
    };
    for (const auto& row : rows) {
        const LoadedPicture picture = LoadPicture(write(row.name, row.bytes));
        EXPECT_EQ(picture.errorNumber, 481) << row.name;
        EXPECT_TRUE(picture.image.isNull()) << row.name;
        EXPECT_TRUE(picture.error.startsWith(QStringLiteral("Invalid picture: \"%1\" (").arg(row.name)))
            << picture.error.toStdString();
    }
    EXPECT_TRUE(LoadPicture(write("whole.tif", directoryFirstTiff(size))).ok());
}

TEST_F(PictureLoaderTest, ALargePictureIsReadAtAReducedSizeOrRefusedWithTheLimit)
{
    // With a budget of a quarter of the pixels, half the width and height;
    // a wide picture's columns are summed on several threads.
    const QSize size(300, 200);
    const struct
    {
        QSize size;
        TiffLayout layout;
    } rows[] = { { size, { 16, 0, -1 } }, { size, { 0, 8, -1 } }, { size, { 0, 200, -1 } },
        { QSize(8192, 160), { 16, 0, -1 } } };
    for (const auto& row : rows) {
        const qint64 budget = row.size.width() * row.size.height();
        const LoadedPicture picture = LoadPicture(write("large.tif", tiff(row.size, row.layout)), budget);
        ASSERT_TRUE(picture.ok()) << row.layout.tile << ": " << picture.error.toStdString();
        EXPECT_EQ(picture.size, row.size);
        EXPECT_EQ(picture.WidthHimetric, himetricFromPixels(row.size.width(), TwipsPerPixelX()));
        EXPECT_EQ(picture.image.size(), row.size / 2);
        expectColours(picture.image, kTop, kBottom, "reduced");
    }
    // One tile holds the whole picture: it cannot be read a part at a time.
    EXPECT_EQ(LoadPicture(write("one tile.tif", tiff(size, { 304, 0, -1 })), 300 * 200).error,
        "Invalid picture: \"one tile.tif\" (300 x 200 pixels: its strips or tiles are too large to be read "
        "one by one, and a picture read whole may have at most 122 x 122 pixels)");
    QByteArray huge = gif(QSize(100, 100), 1);
    huge.replace(6, 4, little(40000, 2) + little(40000, 2));
    EXPECT_EQ(LoadPicture(write("huge.gif", huge)).error,
        "Invalid picture: \"huge.gif\" (40000 x 40000 pixels: a GIF picture cannot be read at a reduced "
        "size, "
        "and a picture read whole may have at most 16384 x 16384 pixels)");
}

} // namespace

#include "platform/picture_loader.h"

#include "platform/screen_metrics.h"
#include "tests/support/korvel_test.h"

#include <QFile>

namespace {

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
};

// A GIF of one white pixel, written from the GIF89a layout (Qt reads GIF but
// does not write it): header, screen of 1 x 1 with a 2-colour table, image
// descriptor and the LZW data of one pixel.
const char kOnePixelGif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                            ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;";

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

} // namespace

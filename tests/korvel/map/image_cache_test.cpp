#include "korvel/map/image_cache.h"

#include "platform/picture_loader.h"
#include "tests/support/korvel_test.h"

#include <QFile>
#include <QThread>

namespace {

class ImageCacheTest : public KorvelTest
{
protected:
    QString write(const QString& name, QColor colour) const
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = workDir() + name;
        EXPECT_TRUE(image.save(path));
        return path;
    }
};

TEST_F(ImageCacheTest, AnUnchangedFileIsDecodedOnce)
{
    const QString path = write("photo.bmp", Qt::red);
    EXPECT_EQ(cachedPicture(path).picture.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(cachedPicture(path).picture.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(imageCache().decodes, 1);

    // Rewritten with another size: decoded again.
    QImage larger(16, 8, QImage::Format_RGB32);
    larger.fill(Qt::blue);
    ASSERT_TRUE(larger.save(path));
    EXPECT_EQ(cachedPicture(path).picture.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(imageCache().decodes, 2);
}

TEST_F(ImageCacheTest, APictureTheLoaderDecodedIsKept)
{
    const QString path = write("photo.bmp", Qt::green);
    rememberPicture(path, LoadPicture(path));
    EXPECT_EQ(cachedPicture(path).picture.pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(imageCache().decodes, 0);
}

TEST_F(ImageCacheTest, AFileGoneSinceFailsAsBefore)
{
    const QString path = write("photo.bmp", Qt::red);
    cachedPicture(path);
    ASSERT_TRUE(QFile::remove(path));
    const CachedPicture gone = cachedPicture(path);
    EXPECT_TRUE(gone.picture.isNull());
    EXPECT_FALSE(gone.error.isEmpty());
}

TEST_F(ImageCacheTest, PicturesOfImagesNoLongerLoadedAreDropped)
{
    const QString kept = write("kept.bmp", Qt::red);
    const QString dropped = write("dropped.bmp", Qt::red);
    cachedPicture(kept);
    cachedPicture(dropped);
    forgetPicturesExcept({ kept });
    EXPECT_EQ(imageCache().entries.size(), 1u);
    EXPECT_EQ(imageCache().entries.count(kept), 1u);
}

} // namespace

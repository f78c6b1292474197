// The segments the flight tracks are written with: thickness and round ends
// of the pens, one-pixel lines, and tracks far outside the picture.
#include "korvel/map/track_raster.h"

#include "platform/picture_surface.h"
#include "platform/vb_colors.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

const qint32 kGreen = RGB(0, 200, 0);

// Pixels of the colour in a column or row of the picture.
int countInColumn(const QImage& image, int x, qint32 colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        count += image.pixelColor(x, y) == toQColor(colour);
    }
    return count;
}

int countInRow(const QImage& image, int y, qint32 colour)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x) {
        count += image.pixelColor(x, y) == toQColor(colour);
    }
    return count;
}

TEST(TrackRaster, APenIsAsThickAsItsWidthWithRoundEnds)
{
    // A pen of width w from pixel 50 to pixel 150 of row 50. An even pen's
    // centre runs along the corners of the pixels, half a pixel right and down.
    struct Row
    {
        int width;
        int rowPixels; // of row 50
        int leftmost;
    };
    for (const Row row :
        { Row { 2, 102, 50 }, Row { 3, 103, 49 }, Row { 8, 108, 47 }, Row { 15, 115, 43 } }) {
        SCOPED_TRACE(row.width);
        PictureSurface picture(200, 100);
        TrackRaster raster(picture);
        raster.segment(50, 50, 150, 50, row.width, kGreen);
        const QImage& image = picture.image();
        EXPECT_EQ(countInColumn(image, 100, kGreen), row.width);
        EXPECT_EQ(countInRow(image, 50, kGreen), row.rowPixels);
        EXPECT_EQ(image.pixelColor(row.leftmost, 50), toQColor(kGreen));
        EXPECT_EQ(image.pixelColor(row.leftmost - 1, 50), QColor(Qt::white));
        if (row.width >= 8) {
            // Round: beside the end, the pen's square corner stays empty.
            EXPECT_EQ(image.pixelColor(row.leftmost, 50 - row.width / 2), QColor(Qt::white));
        }
    }
}

TEST(TrackRaster, OnePixelLinesRunFromEndToEndWithoutGaps)
{
    PictureSurface picture(100, 100);
    TrackRaster raster(picture);
    raster.segment(10.4, 20, 60, 45.6, 1, kGreen); // rounds to (10, 20) - (60, 46)
    const QImage& image = picture.image();
    EXPECT_EQ(image.pixelColor(10, 20), toQColor(kGreen));
    EXPECT_EQ(image.pixelColor(60, 46), toQColor(kGreen));
    for (int x = 10; x <= 60; ++x) {
        EXPECT_EQ(countInColumn(image, x, kGreen), 1) << x;
    }
}

TEST(TrackRaster, SegmentsFarOutsideThePictureAreCutToIt)
{
    PictureSurface picture(100, 80);
    TrackRaster raster(picture);
    raster.segment(-1e12, 40, 3e11, 40, 6, kGreen);
    raster.segment(50, -5e9, 50, -4e9, 6, RGB(255, 0, 0)); // wholly outside
    raster.segment(1e300, 1e300, -1e300, -1e300, 1, RGB(255, 0, 0));
    const QImage& image = picture.image();
    EXPECT_EQ(countInRow(image, 40, kGreen), 100);
    EXPECT_EQ(countInColumn(image, 0, kGreen), 6);
}

TEST(TrackRaster, ASampleOnTheLastPixelShowsOnlyANewPen)
{
    PictureSurface picture(60, 60);
    TrackRaster raster(picture);
    raster.segment(10, 30, 30, 30, 5, kGreen);
    raster.segment(30, 30, 30, 30, 5, kGreen);
    raster.segment(30.2, 30, 29.8, 30.1, 5, RGB(255, 0, 0));
    const QImage& image = picture.image();
    EXPECT_EQ(image.pixelColor(30, 30), QColor(255, 0, 0)) << "a new colour paints the pen's disc";
    EXPECT_EQ(image.pixelColor(20, 30), toQColor(kGreen));
}

} // namespace

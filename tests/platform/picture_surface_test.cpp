#include "platform/picture_surface.h"

#include "platform/screen_metrics.h"
#include "platform/vb_colors.h"
#include "tests/support/korvel_test.h"

#include <climits>
#include <cmath>

namespace {

using PictureSurfaceTest = KorvelTest;

const QColor kWhite(255, 255, 255);

QColor at(PictureSurface& picture, int x, int y)
{
    return picture.image().pixelColor(x, y);
}

TEST_F(PictureSurfaceTest, DevicePixelsRoundHalvesToEvenAndStopAtTheIntegerRange)
{
    EXPECT_EQ(PixelTransform::toDevice(2.5), 2);
    EXPECT_EQ(PixelTransform::toDevice(3.5), 4);
    EXPECT_EQ(PixelTransform::toDevice(-2.5), -2);
    EXPECT_EQ(PixelTransform::toDevice(2.4999), 2);
    EXPECT_EQ(PixelTransform::toDevice(1e12), INT_MAX) << "held at the end, not wrapped round";
    EXPECT_EQ(PixelTransform::toDevice(-1e12), INT_MIN);
    EXPECT_EQ(PixelTransform::toDevice(std::nan("")), 0);
}

TEST_F(PictureSurfaceTest, WorldToPixelFollowsTheScaleAndTheOuterSize)
{
    PictureSurface picture(400, 300);
    picture.Scale(1000, 2000, 5000, -1000); // north up: the scale height is negative
    EXPECT_EQ(picture.Width(), 404 * 15.0f) << "outer size in twips, frame included";
    const PixelTransform transform = picture.pixelTransform();
    EXPECT_DOUBLE_EQ(transform.x(3000), 200.0);
    EXPECT_DOUBLE_EQ(transform.y(500), 150.0);
    EXPECT_DOUBLE_EQ(transform.x(1005), 0.5);
    EXPECT_EQ(PixelTransform::toDevice(transform.x(1005)), 0);
    EXPECT_EQ(PixelTransform::toDevice(transform.x(1015)), 2) << "1.5 rounds to the even 2";
}

TEST_F(PictureSurfaceTest, ScaleIsKeptInSinglePrecision)
{
    PictureSurface picture(100, 100);
    picture.Scale(4800000.3, 10, 4800100.3, 0);
    EXPECT_EQ(picture.ScaleLeft(), 4800000.5f) << "a northing near 5,000,000 m moves in steps of 0.5 m";
    EXPECT_EQ(picture.ScaleWidth(), 100.0f);
}

TEST_F(PictureSurfaceTest, PixelModeAndTheFourValuesSwitchTheScale)
{
    PictureSurface picture(200, 100);
    EXPECT_EQ(picture.ScaleMode(), vbPixels);
    EXPECT_EQ(picture.ScaleWidth(), 200.0f) << "one unit per pixel at the start";
    picture.Scale(0, 50, 20, 40);
    EXPECT_EQ(picture.ScaleMode(), vbUser);
    picture.setScaleMode(vbPixels);
    EXPECT_EQ(picture.ScaleTop(), 0.0f);
    EXPECT_EQ(picture.ScaleHeight(), 100.0f);
    // Setting the values back one by one gives the user scale again, as the
    // point drawing does.
    picture.setScaleLeft(0);
    picture.setScaleWidth(20);
    picture.setScaleTop(50);
    picture.setScaleHeight(-10);
    EXPECT_EQ(picture.ScaleMode(), vbUser);
    EXPECT_EQ(picture.ScaleLeft(), 0.0f);
    EXPECT_EQ(picture.ScaleWidth(), 20.0f);
    EXPECT_EQ(picture.ScaleTop(), 50.0f);
    EXPECT_EQ(picture.ScaleHeight(), -10.0f);
}

TEST_F(PictureSurfaceTest, LengthsConvertBetweenUserUnitsPixelsAndTwips)
{
    PictureSurface picture(400, 300);
    picture.Scale(0, 3000, 4000, 0);
    EXPECT_DOUBLE_EQ(picture.ScaleX(100, vbUser, vbPixels), 10.0);
    EXPECT_DOUBLE_EQ(picture.ScaleX(10, vbPixels, vbUser), 100.0);
    EXPECT_DOUBLE_EQ(picture.ScaleY(100, vbUser, vbPixels), -10.0) << "signed like the scale";
    EXPECT_DOUBLE_EQ(picture.ScaleX(150, vbTwips, vbPixels), 10.0);
    setTwipsPerPixel(12.0f, 12.0f);
    EXPECT_DOUBLE_EQ(picture.ScaleX(10, vbPixels, vbTwips), 120.0);
}

TEST_F(PictureSurfaceTest, PolyPolygonFillsAnInnerRingAsAHole)
{
    PictureSurface picture(100, 100);
    picture.setForeColor(0);
    picture.setFillStyle(vbFSSolid);
    picture.setFillColor(RGB(0, 128, 0));
    const QPoint rings[] = { { 10, 10 }, { 90, 10 }, { 90, 90 }, { 10, 90 }, // outer
        { 30, 30 }, { 70, 30 }, { 70, 70 }, { 30, 70 } }; // inner, the same way round
    const int counts[] = { 4, 4 };
    ASSERT_TRUE(picture.PolyPolygon(rings, counts, 2));
    EXPECT_EQ(at(picture, 20, 50), QColor(0, 128, 0));
    EXPECT_EQ(at(picture, 50, 50), kWhite) << "alternate fill leaves the inner ring empty";
    EXPECT_EQ(at(picture, 10, 50), QColor(0, 0, 0)) << "outlined in the pen colour";
    EXPECT_EQ(at(picture, 30, 50), QColor(0, 0, 0));
}

TEST_F(PictureSurfaceTest, TransparentFillDrawsOnlyTheOutline)
{
    PictureSurface picture(50, 50);
    picture.setForeColor(RGB(255, 0, 0));
    picture.setFillStyle(vbFSTransparent);
    const QPoint square[] = { { 5, 5 }, { 45, 5 }, { 45, 45 }, { 5, 45 } };
    picture.Polygon(square, 4);
    EXPECT_EQ(at(picture, 25, 25), kWhite);
    EXPECT_EQ(at(picture, 5, 25), QColor(255, 0, 0));
    EXPECT_FALSE(picture.Polyline(square, 1)) << "a polyline needs two points";
}

TEST_F(PictureSurfaceTest, WidePensAreRoundAndAsWideAsDrawWidth)
{
    PictureSurface picture(60, 60);
    picture.setForeColor(RGB(0, 0, 255));
    picture.setDrawWidth(11);
    const QPoint line[] = { { 20, 30 }, { 40, 30 } };
    picture.Polyline(line, 2);
    EXPECT_EQ(at(picture, 30, 26), QColor(0, 0, 255));
    EXPECT_EQ(at(picture, 30, 34), QColor(0, 0, 255)) << "about half the width on each side";
    EXPECT_EQ(at(picture, 30, 37), kWhite);
    EXPECT_EQ(at(picture, 16, 30), QColor(0, 0, 255)) << "the round end reaches past the point";
    EXPECT_EQ(at(picture, 15, 25), kWhite) << "but not into the corner";
    picture.setDrawWidth(0);
    EXPECT_EQ(picture.DrawWidth(), 1);
}

TEST_F(PictureSurfaceTest, PaintPictureStretchesIntoWorldUnitsAndMirrorsBackwardsExtents)
{
    PictureSurface picture(100, 100);
    picture.Scale(0, 100, 100, 0); // north up, one unit a pixel
    QImage halves(2, 1, QImage::Format_RGB32);
    halves.setPixelColor(0, 0, Qt::red);
    halves.setPixelColor(1, 0, Qt::blue);
    // Placed as an image layer is: top-left corner, width east, height
    // negative (south).
    picture.PaintPicture(halves, 10, 90, 40, -40);
    EXPECT_EQ(at(picture, 15, 30), QColor(Qt::red));
    EXPECT_EQ(at(picture, 45, 30), QColor(Qt::blue));
    EXPECT_EQ(at(picture, 55, 30), kWhite);
    EXPECT_EQ(at(picture, 15, 55), kWhite);
    // A negative width runs west from the corner: the picture shows mirrored.
    picture.PaintPicture(halves, 100, 40, -40, -30);
    EXPECT_EQ(at(picture, 65, 75), QColor(Qt::blue));
    EXPECT_EQ(at(picture, 95, 75), QColor(Qt::red));
}

TEST_F(PictureSurfaceTest, PaintPictureBlownFarBeyondTheViewShowsItsVisiblePart)
{
    PictureSurface picture(100, 100);
    picture.Scale(5000, 5100, 5100, 5000); // a 100-unit window deep inside the picture
    QImage quarters(2, 2, QImage::Format_RGB32);
    quarters.setPixelColor(0, 0, Qt::red);
    quarters.setPixelColor(1, 0, Qt::green);
    quarters.setPixelColor(0, 1, Qt::blue);
    quarters.setPixelColor(1, 1, Qt::yellow);
    picture.PaintPicture(quarters, 0, 10000, 10000, -10000);
    EXPECT_EQ(at(picture, 10, 10), QColor(Qt::green)) << "the view lies in the north-east quarter";
    EXPECT_EQ(at(picture, 90, 90), QColor(Qt::green));
}

TEST_F(PictureSurfaceTest, LinesFarOutsideAreClippedNotWrapped)
{
    PictureSurface picture(100, 100);
    picture.Scale(0, 100, 100, 0);
    picture.Line(10, 50, 1e11, 50, RGB(255, 0, 0));
    EXPECT_EQ(at(picture, 11, 50), QColor(255, 0, 0));
    EXPECT_EQ(at(picture, 99, 50), QColor(255, 0, 0)) << "drawn east to the edge";
    EXPECT_EQ(at(picture, 5, 50), kWhite) << "and not westwards, as a wrapped value would";
}

TEST_F(PictureSurfaceTest, CircleAndBoxUseTheFillSettings)
{
    PictureSurface picture(100, 100);
    picture.Scale(0, 100, 100, 0);
    picture.setFillStyle(vbFSSolid);
    picture.setFillColor(RGB(0, 255, 0));
    picture.Circle(50, 50, 20, 0);
    EXPECT_EQ(at(picture, 50, 50), QColor(0, 255, 0));
    EXPECT_EQ(at(picture, 50, 30), QColor(0, 0, 0)) << "outlined in the given colour";
    picture.setFillStyle(vbFSTransparent);
    picture.LineBox(5, 95, 25, 75, RGB(0, 0, 255));
    EXPECT_EQ(at(picture, 15, 15), kWhite);
    EXPECT_EQ(at(picture, 5, 15), QColor(0, 0, 255));
    picture.LineBoxFilled(80, 20, 90, 10, RGB(255, 0, 0));
    EXPECT_EQ(at(picture, 85, 85), QColor(255, 0, 0));
}

TEST_F(PictureSurfaceTest, DrawingStaysThroughAResizeUntilCls)
{
    PictureSurface picture(50, 50);
    picture.PSet(10, 10, RGB(255, 0, 0));
    picture.setClientSize(80, 60);
    EXPECT_EQ(picture.image().size(), QSize(80, 60));
    EXPECT_EQ(at(picture, 10, 10), QColor(255, 0, 0));
    EXPECT_EQ(at(picture, 70, 55), kWhite) << "new room shows the background";
    picture.setBackColor(RGB(0, 0, 0));
    EXPECT_EQ(at(picture, 10, 10), QColor(0, 0, 0)) << "a new background clears the picture";
    PictureSurface empty;
    empty.Cls();
    EXPECT_FALSE(empty.Polyline(static_cast<const QPoint*>(nullptr), 0))
        << "a picture without area draws nothing and does not fail";
}

} // namespace

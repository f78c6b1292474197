#include "platform/picture_box.h"
#include "tests/support/korvel_test.h"

#include <QCursor>

TEST(PictureBox, ClientAreaIsTheOuterSizeLessTheBorder)
{
    PictureBox picture;
    picture.resize(300, 200);
    EXPECT_EQ(picture.clientWidth(), 296);
    EXPECT_EQ(picture.clientHeight(), 196);
    EXPECT_EQ(picture.clientRect(), QRect(2, 2, 296, 196));
    EXPECT_EQ(picture.ScaleWidth(), 296) << "one unit per pixel until a scale is set";
    picture.resize(3, 3);
    EXPECT_EQ(picture.clientWidth(), 0);
}

TEST(PictureBox, UserScaleRunsFromCornerToCorner)
{
    PictureBox picture;
    picture.resize(404, 204);
    picture.Scale(500000, 4200000, 504000, 4198000);
    EXPECT_EQ(picture.ScaleLeft(), 500000);
    EXPECT_EQ(picture.ScaleTop(), 4200000);
    EXPECT_EQ(picture.ScaleWidth(), 4000);
    EXPECT_EQ(picture.ScaleHeight(), -2000) << "north up";
    EXPECT_DOUBLE_EQ(picture.toUserX(100), 501000);
    EXPECT_DOUBLE_EQ(picture.toUserY(100), 4199000);
    EXPECT_DOUBLE_EQ(picture.toClientX(503000), 300);
    EXPECT_DOUBLE_EQ(picture.toClientY(4198000), 200);
    picture.resize(804, 404);
    EXPECT_EQ(picture.ScaleWidth(), 4000) << "a set scale stays with the window's size";
}

TEST(PictureBox, CustomPointerTakesItsPictureCentredOnTheHotSpot)
{
    PictureBox picture;
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::yellow);
    picture.setMouseIcon(icon);
    picture.setMousePointer(vbCustom);
    EXPECT_EQ(picture.cursor().hotSpot(), QPoint(16, 16));
    EXPECT_EQ(picture.cursor().pixmap().size(), QSize(32, 32));
    picture.setMousePointer(vbCrosshair);
    EXPECT_EQ(picture.cursor().shape(), Qt::CrossCursor);
}

#include "korvel/map/map_extent.h"
#include "tests/support/default_locale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(MapExtent, ATypedExtentGrowsAlongTheAxisThePictureHasRoomFor)
{
    // 0..1000 by 0..500 on a picture three quarters as high as wide: the Y
    // range becomes 750, grown equally at both ends.
    const AspectFit wide = fitToAspect({ 0, 0, 1000, 500 }, 0.75);
    EXPECT_TRUE(wide.yChanged);
    EXPECT_FALSE(wide.xChanged);
    EXPECT_DOUBLE_EQ(wide.edges.south, -125.0);
    EXPECT_DOUBLE_EQ(wide.edges.north, 625.0);
    EXPECT_DOUBLE_EQ(wide.edges.west, 0.0);

    const AspectFit tall = fitToAspect({ 0, 0, 100, 750 }, 0.75);
    EXPECT_TRUE(tall.xChanged);
    EXPECT_DOUBLE_EQ(tall.edges.west, -450.0);
    EXPECT_DOUBLE_EQ(tall.edges.east, 550.0);

    const AspectFit exact = fitToAspect({ 0, 0, 1000, 750 }, 0.75);
    EXPECT_FALSE(exact.xChanged || exact.yChanged);
}

TEST(MapExtent, EqualRangesTakeTheOrdinaryRuleAndSettle)
{
    const AspectFit square = fitToAspect({ 0, 0, 10000, 10000 }, 0.75);
    ASSERT_TRUE(square.xChanged);
    EXPECT_NEAR(square.edges.east - square.edges.west, 10000 / 0.75, 1e-6)
        << "the X range grows to the Y range over the ratio, not by a quarter";
    const AspectFit again = fitToAspect(square.edges, 0.75);
    EXPECT_NEAR(again.edges.east - again.edges.west, square.edges.east - square.edges.west, 1e-6)
        << "applying the result again changes nothing that shows";
    EXPECT_NEAR(again.edges.north - again.edges.south, 10000, 1e-6);

    // On a picture more than twice as high as wide the special case would
    // have made the X range vanish or flip; the ordinary rule grows Y.
    const AspectFit narrow = fitToAspect({ 0, 0, 100, 100 }, 2.5);
    EXPECT_DOUBLE_EQ(narrow.edges.west, 0.0);
    EXPECT_DOUBLE_EQ(narrow.edges.east, 100.0);
    EXPECT_DOUBLE_EQ(narrow.edges.north - narrow.edges.south, 250.0);
}

TEST(MapExtent, EdgesTypedTheWrongWayRoundStayThatWay)
{
    const AspectFit mirrored = fitToAspect({ 1000, 0, 0, 500 }, 0.75);
    EXPECT_DOUBLE_EQ(mirrored.edges.west, 1000.0);
    EXPECT_DOUBLE_EQ(mirrored.edges.east, 0.0);
    EXPECT_DOUBLE_EQ(mirrored.edges.south, -125.0);
}

TEST(MapExtent, BoxesThatHoldNoNumberStandForTheMapsEdge)
{
    EXPECT_DOUBLE_EQ(extentBoxNumber(QStringLiteral("498000"), -1), 498000.0);
    EXPECT_DOUBLE_EQ(extentBoxNumber(QStringLiteral(" 43.25 "), -1), 43.25);
    EXPECT_DOUBLE_EQ(extentBoxNumber(QStringLiteral("abc"), -1), -1.0);
    EXPECT_DOUBLE_EQ(extentBoxNumber(QString(), -1), -1.0);
    EXPECT_DOUBLE_EQ(extentBoxNumber(QStringLiteral("1E999"), -1), -1.0) << "beyond the range of a number";
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_DOUBLE_EQ(extentBoxNumber(QStringLiteral("500100,5"), -1), 500100.5);
    EXPECT_DOUBLE_EQ(extentBoxNumber(QStringLiteral("1.000,5"), -1), -1.0);
}

struct TypedValue
{
    const char* text;
    int box;
    bool utm;
    bool accepted;
};

TEST(MapExtent, TypedValuesAreCheckedForTheMapsMode)
{
    const TypedValue table[] = {
        { "500000", 1, true, true },
        { "", 1, true, false },
        { "abc", 3, true, false },
        { "-5", 2, true, false }, // no negative metres in UTM mode
        { "0", 4, true, true },
        { "-5", 1, false, true },
        { "-95", 1, false, true }, // a longitude may go to -180
        { "-95", 3, false, true },
        { "-95", 2, false, false }, // a latitude not below -90
        { "-95", 4, false, false },
        { "-181", 1, false, false },
        { "-90", 2, false, true },
    };
    for (const TypedValue& row : table) {
        EXPECT_EQ(extentBoxValueAccepted(QString::fromLatin1(row.text), row.box, row.utm), row.accepted)
            << row.text << " in box " << row.box << (row.utm ? " (UTM)" : " (lat/long)");
    }
}

TEST(MapExtent, TheZoomsUnionStartsFromItsSentinels)
{
    ExtentUnion empty(LayerZoomSentinel);
    EXPECT_TRUE(empty.untouched());
    EXPECT_EQ(empty.edges().west, 10000000.0);
    EXPECT_EQ(empty.edges().east, -10000000.0);

    ExtentUnion layers(LayerZoomSentinel);
    layers.add(100, 200, 300, 400);
    layers.add(150, 50, 250, 900);
    EXPECT_FALSE(layers.untouched());
    EXPECT_EQ(layers.edges().west, 100.0);
    EXPECT_EQ(layers.edges().south, 50.0);
    EXPECT_EQ(layers.edges().east, 300.0);
    EXPECT_EQ(layers.edges().north, 900.0);

    // A layer lying beyond the sentinel is never taken in.
    ExtentUnion far(LayerZoomSentinel);
    far.add(2e7, 2e7, 3e7, 3e7);
    EXPECT_EQ(far.edges().west, 10000000.0);
    EXPECT_EQ(ImageZoomSentinel, 100000000.0);
}

} // namespace

TEST(MapExtent, AResizedPictureKeepsItsUnitsPerPixelAndItsTopLeftCorner)
{
    const UserScale view { 500000.0, 4802000.0, 2000.0, -1500.0 }; // 400 x 300 pixels: 5 m a pixel
    struct Case
    {
        const char* name;
        int width;
        int height;
        UserScale expected;
    };
    const Case cases[] = {
        { "wider", 600, 300, { 500000.0, 4802000.0, 3000.0, -1500.0 } },
        { "narrower and taller", 200, 400, { 500000.0, 4802000.0, 1000.0, -2000.0 } },
        { "the same", 400, 300, view },
        { "no area left", 0, 300, view },
    };
    for (const Case& c : cases) {
        const UserScale kept = scaleKeptOnResize(view, 400, 300, c.width, c.height);
        EXPECT_EQ(kept.left, c.expected.left) << c.name;
        EXPECT_EQ(kept.top, c.expected.top) << c.name;
        EXPECT_DOUBLE_EQ(kept.width, c.expected.width) << c.name;
        EXPECT_DOUBLE_EQ(kept.height, c.expected.height) << c.name;
    }
    const UserScale fromNothing = scaleKeptOnResize(view, 0, 0, 400, 300);
    EXPECT_EQ(fromNothing.width, view.width) << "a picture that had no area has no units per pixel";
    const UserScale mirrored = scaleKeptOnResize({ 10.0, 0.0, -100.0, 50.0 }, 100, 50, 200, 100);
    EXPECT_DOUBLE_EQ(mirrored.width, -200.0) << "a mirrored view stays mirrored";
    EXPECT_DOUBLE_EQ(mirrored.height, 100.0);
}

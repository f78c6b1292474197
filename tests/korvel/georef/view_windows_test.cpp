// The world windows of the map view, the image view and the preview: the
// square full windows, the zooms and their limits, and the preview's
// scroll ranges and UTM window.
#include "korvel/georef/view_windows.h"

#include <gtest/gtest.h>

namespace {

void expectWindow(const ViewWindow& actual, const ViewWindow& expected, const char* name)
{
    EXPECT_DOUBLE_EQ(actual.left, expected.left) << name;
    EXPECT_DOUBLE_EQ(actual.top, expected.top) << name;
    EXPECT_DOUBLE_EQ(actual.right, expected.right) << name;
    EXPECT_DOUBLE_EQ(actual.bottom, expected.bottom) << name;
}

TEST(ViewWindows, TheMapViewOpensSquareOnTheExtent)
{
    const struct
    {
        const char* name;
        MapExtent extent;
        bool roundWidth;
        ViewWindow window;
    } cases[] = {
        { "wide: northings widened 500 m each way", { 500000, 4800000, 502000, 4801000 }, false,
            { 500000, 4801500, 502000, 4799500 } },
        { "tall: eastings widened", { 500000, 4800000, 501000, 4803000 }, false,
            { 499000, 4803000, 502000, 4800000 } },
        { "square", { 10, 20, 110, 120 }, false, { 10, 120, 110, 20 } },
        { "half metres widen to whole ones (Int)", { 0.25, 0, 1001.25, 1000 }, false,
            { 0.25, 1000, 1001.25, -1 } },
        { "the width rounded on Ctrl + Zoom Out", { 0.25, 0, 1000.75, 1000 }, true,
            { 0.25, 1000, 1000.75, 0 } },
        { "one point gets room round it", { 500000, 4800000, 500000, 4800000 }, false,
            { 499950, 4800050, 500050, 4799950 } },
    };
    for (const auto& c : cases) {
        expectWindow(fullMapWindow(c.extent, c.roundWidth), c.window, c.name);
    }
}

TEST(ViewWindows, TheImageViewOpensOnTheLongerSide)
{
    expectWindow(wholeImageWindow(800, 600), { 0, 0, 800, 800 }, "800 x 600");
    expectWindow(wholeImageWindow(300, 1200), { 0, 0, 1200, 1200 }, "300 x 1200");
}

TEST(ViewWindows, ZoomsCentreOnTheClickWithinTheirLimits)
{
    const MapExtent extent { 0, 0, 1000, 1000 };
    expectWindow(mapZoomIn(500, 500, 1000, -1000, 0).value(), { 250, 750, 750, 250 }, "twice as close");
    expectWindow(mapZoomIn(500, 500, 1000, -1000, 2).value(), { 375, 625, 625, 375 }, "Ctrl: four times");
    expectWindow(
        mapZoomIn(500, 500, 1000, -1000, 3).value(), { 250, 750, 750, 250 }, "Ctrl with Shift: twice");
    EXPECT_FALSE(mapZoomIn(5, 5, 10, -10, 0)) << "a map view 10 m wide stays";
    EXPECT_TRUE(mapZoomIn(5, 5, 10.5, -10.5, 0));
    expectWindow(
        imageZoomIn(5, 5, 10, 10, 0).value(), { 2.5, 2.5, 7.5, 7.5 }, "no 10-unit limit on the image");
    EXPECT_FALSE(imageZoomIn(5, 5, 1, 1, 0)) << "one pixel across is the closest";

    expectWindow(
        mapZoomOut(500, 500, 1000, -1000, extent).value(), { -500, 1500, 1500, -500 }, "twice as far");
    EXPECT_TRUE(mapZoomOut(500, 500, 5000, -5000, extent)) << "five times the data is allowed";
    EXPECT_FALSE(mapZoomOut(500, 500, 5001, -5001, extent)) << "wider than five times the data";
    EXPECT_TRUE(imageZoomOut(0, 0, 4000, 4000, 800));
    EXPECT_FALSE(imageZoomOut(0, 0, 4001, 4001, 800));
    EXPECT_TRUE(ctrlAlone(2));
    EXPECT_FALSE(ctrlAlone(3));
}

TEST(ViewWindows, PreviewScrollsOnlyOverAnImageLargerThanTheBox)
{
    const struct
    {
        int image;
        double shown;
        ScrollRange range;
    } cases[] = {
        { 1000, 400, { 600, 60, true } },
        { 405, 400, { 5, 1, true } }, // a tenth rounds to 0: the large step is still one
        { 400, 400, { 0, 1, false } }, { 300, 400, { 0, 1, false } },
        { 1025, 400, { 625, 62, true } }, // 62.5 rounds to even
    };
    for (const auto& c : cases) {
        const ScrollRange range = previewScrollRange(c.image, c.shown);
        EXPECT_EQ(range.maximum, c.range.maximum) << c.image;
        EXPECT_EQ(range.largeStep, c.range.largeStep) << c.image;
        EXPECT_EQ(range.enabled, c.range.enabled) << c.image;
    }
}

TEST(ViewWindows, ThePreviewShowsThePlacedImageFromItsScrolledCorner)
{
    // 1000 x 500 pixels placed 2000 m wide and 1000 m high from (500000, 4800000).
    const ImagePlacement placement { 500000, 4800000, 2000, -1000 };
    expectWindow(previewWindow(placement, 0, 0, 400, 300, 1000, 500).value(),
        { 500000, 4800000, 500800, 4799400 }, "at the origin");
    expectWindow(previewWindow(placement, 100, 50, 400, 300, 1000, 500).value(),
        { 500200, 4799900, 501000, 4799300 }, "scrolled: the left edge is the easting of column 100");
    EXPECT_FALSE(previewWindow({ 500000, 4800000, 0, -1000 }, 0, 0, 400, 300, 1000, 500))
        << "no ground width";
    EXPECT_FALSE(previewWindow(placement, 0, 0, 400, 300, 0, 500)) << "no pixels";
}

} // namespace

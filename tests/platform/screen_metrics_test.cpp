#include "platform/screen_metrics.h"
#include "tests/support/korvel_test.h"

using ScreenMetricsTest = KorvelTest;

TEST_F(ScreenMetricsTest, TestsStartOnA1024By768ScreenAt15TwipsPerPixel)
{
    const ScreenMetrics screen = screenMetrics();
    EXPECT_EQ(screen.widthPixels, 1024);
    EXPECT_EQ(screen.heightPixels, 768);
    EXPECT_EQ(screen.bitsPerPixel, 32);
    EXPECT_EQ(TwipsPerPixelX(), 15.0f);
    EXPECT_EQ(TwipsPerPixelY(), 15.0f);
    EXPECT_EQ(screenWidthTwips(), 15360.0f);
    EXPECT_EQ(screenHeightTwips(), 11520.0f);
}

TEST_F(ScreenMetricsTest, TestCanSetASmallScreenAndLargeFonts)
{
    setScreen(640, 480, 8);
    setTwipsPerPixel(12, 12);
    const ScreenMetrics screen = screenMetrics();
    EXPECT_EQ(screen.widthPixels, 640);
    EXPECT_EQ(screen.bitsPerPixel, 8);
    EXPECT_EQ(screenWidthTwips(), 7680.0f);
    // The picture size formula divides by it: no integer truncation.
    EXPECT_FLOAT_EQ(15 / TwipsPerPixelX(), 1.25f);
}

TEST_F(ScreenMetricsTest, TwipsBecomeTheNearestWholePixelsOnEachAxis)
{
    setTwipsPerPixel(12, 15);
    EXPECT_EQ(twipsToPixelsX(8250), 688); // 687.5: a half goes up
    EXPECT_EQ(twipsToPixelsY(8250), 550);
    EXPECT_EQ(twipsToPixelsX(-30), -3); // -2.5: away from zero
}

TEST_F(ScreenMetricsTest, RealScreenComesFromQt)
{
    resetScreenMetrics();
    const ScreenMetrics screen = screenMetrics();
    EXPECT_GT(screen.widthPixels, 0);
    EXPECT_GT(screen.heightPixels, 0);
    EXPECT_GT(screen.bitsPerPixel, 0);
    EXPECT_EQ(TwipsPerPixelX(), 15.0f);
}

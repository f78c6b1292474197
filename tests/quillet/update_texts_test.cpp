#include "quillet/update_texts.h"

#include "tests/support/korvel_test.h"

using namespace quillet;

using UpdateTextsTest = KorvelTest;

TEST_F(UpdateTextsTest, LabelTextsAreJoinedByCarriageReturns)
{
    EXPECT_EQ(connectionText(true, "eth0"), "Current internet connection:  eth0");
    EXPECT_EQ(connectionText(false, "eth0"), "Current internet connection:  None");
    EXPECT_EQ(
        couldNotConnectText("updates.korvel.invalid"), "Could not connect to\r     updates.korvel.invalid");
    EXPECT_EQ(versionsText("1.00", "1.1"), "Installed version:  1.00\rLatest version:  1.1");
}

TEST_F(UpdateTextsTest, SizeIsShownInWholeKilobytes)
{
    EXPECT_EQ(sizeText(2048000), "Size:  2,000 KB");
    EXPECT_EQ(sizeText(1536), "Size:  2 KB") << "a half rounds up";
    EXPECT_EQ(sizeText(100), "Size:  0 KB");
    EXPECT_EQ(sizeText(2147483647), "Size:  2,097,152 KB");
}

TEST_F(UpdateTextsTest, ProgressWithATotalShowsCountsAndShare)
{
    EXPECT_EQ(progressText(0, 1000000), " / 1,000,000\r(0.0%)") << "the count mask shows 0 as nothing";
    EXPECT_EQ(progressText(500000, 1000000), "500,000 / 1,000,000\r(50.0%)");
    EXPECT_EQ(progressText(1000000, 1000000), "1,000,000 / 1,000,000\r(100.0%)");
    EXPECT_EQ(progressText(1, 3), "1 / 3\r(33.3%)");
    EXPECT_EQ(progressText(3000000000LL, 3000000000LL), "3,000,000,000 / 3,000,000,000\r(100.0%)");
}

TEST_F(UpdateTextsTest, ProgressWithoutATotalShowsThePlainCount)
{
    EXPECT_EQ(progressText(12345, 0), "12345");
    EXPECT_EQ(progressText(12345, -1), "12345");
    EXPECT_EQ(progressText(0, 0), "0");
}

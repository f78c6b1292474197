#include "platform/vb_colors.h"
#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"

using VbColorsTest = KorvelTest;

TEST_F(VbColorsTest, PaletteHoldsTheSixteenColoursAsBgrLongs)
{
    const qint32 expected[16] = { 0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
        0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF };
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(QBColor(i), expected[i]) << "QBColor(" << i << ")";
    }
    // Red is the low byte: light red 12 is pure red on screen.
    EXPECT_EQ(toQColor(QBColor(12)), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(QBColor(1)), QColor(0, 0, 128));
}

TEST_F(VbColorsTest, PaletteIndexOutsideTheSixteenIsRuntimeErrorFive)
{
    for (int index : { -1, 16, 255 }) {
        try {
            QBColor(index);
            ADD_FAILURE() << "no error for " << index;
        } catch (const VbError& error) {
            EXPECT_EQ(error.Number(), 5);
            EXPECT_EQ(error.Description(), "Invalid procedure call or argument");
        }
    }
}

TEST_F(VbColorsTest, RgbPacksRedLowAndClampsLargeComponents)
{
    EXPECT_EQ(RGB(255, 0, 0), 0x0000FF);
    EXPECT_EQ(RGB(102, 153, 0), 0x009966);
    EXPECT_EQ(RGB(150, 150, 150), 0x969696);
    EXPECT_EQ(RGB(300, 256, 1000), 0xFFFFFF);
    EXPECT_THROW(RGB(0, -1, 0), VbError);
}

TEST_F(VbColorsTest, QColorRoundTripKeepsTheLong)
{
    for (qint32 colour : { 0x000000, 0x123456, 0xFFFFFF, 0x0000FF }) {
        EXPECT_EQ(fromQColor(toQColor(colour)), colour);
    }
    // The high byte is not a colour byte.
    EXPECT_EQ(toQColor(qint32(0x80000005)), QColor(5, 0, 0));
    EXPECT_EQ(fromQColor(QColor::fromHsv(0, 255, 255)), 0x0000FF);
}

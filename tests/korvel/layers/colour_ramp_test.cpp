#include "korvel/layers/colour_ramp.h"

#include "platform/vb_colors.h"
#include "tests/support/korvel_test.h"

namespace {

using ColourRampTest = KorvelTest;

} // namespace

TEST_F(ColourRampTest, StepsFromRedToBlueRoundingHalvesToEven)
{
    struct Row
    {
        int count;
        std::vector<std::int32_t> colours;
    };
    const std::vector<Row> rows {
        { 1, { RGB(0, 0, 255) } }, { 2, { RGB(128, 0, 128), RGB(0, 0, 255) } }, // 127.5 rounds to 128
        { 4, { RGB(191, 0, 64), RGB(128, 0, 128), RGB(64, 0, 191), RGB(0, 0, 255) } },
        { 6,
            { RGB(212, 0, 42), RGB(170, 0, 85), RGB(128, 0, 128), RGB(85, 0, 170), RGB(42, 0, 212),
                RGB(0, 0, 255) } }, // 212.5 and 42.5 round to even
    };
    for (const Row& row : rows) {
        EXPECT_EQ(colourRamp(row.count), row.colours) << row.count << " values";
    }
}

TEST_F(ColourRampTest, StartsOneStepPastRedAndEndsInPureBlue)
{
    for (int count = 1; count <= 1000; ++count) {
        const std::vector<std::int32_t> colours = colourRamp(count);
        ASSERT_EQ(colours.size(), std::size_t(count));
        EXPECT_EQ(colours.back(), RGB(0, 0, 255)) << count;
        // Beyond 510 values a step is less than half a unit and rounds away.
        EXPECT_EQ(colours.front() == RGB(255, 0, 0), count > 510) << count;
    }
    EXPECT_EQ(colourRamp(255).front(), RGB(254, 0, 1));
}

TEST_F(ColourRampTest, NoValuesNoColours)
{
    EXPECT_TRUE(colourRamp(0).empty());
    EXPECT_TRUE(colourRamp(-3).empty());
}

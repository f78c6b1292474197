// The shift and stretch steps, their resets and the texts they show.
#include "korvel/georef/manual_corrections.h"

#include <gtest/gtest.h>

namespace {

TEST(ManualCorrections, TheSliderGivesStepsFromOneMetreToTenKilometres)
{
    const struct
    {
        int position;
        double step;
        const char* label;
    } cases[] = { { 0, 1, "1 m" }, { 1, 10, "10 m" }, { 2, 100, "100 m" }, { 3, 1000, "1 km" },
        { 4, 10000, "10 km" } };
    for (const auto& c : cases) {
        EXPECT_EQ(correctionStep(c.position), c.step);
        EXPECT_EQ(correctionStepLabel(c.position), QString::fromLatin1(c.label));
    }
}

TEST(ManualCorrections, ButtonsMoveAndStretchAlongTheirAxis)
{
    ManualCorrections c;
    for (int i = 0; i < 3; ++i) {
        applyShiftStep(c, 2, 100);
    }
    applyShiftStep(c, 0, 10);
    EXPECT_EQ(c.ShiftX, 290.0) << "three east at 100 m, one west at 10 m";
    EXPECT_EQ(correctionLabel(c.ShiftX), "290 m");
    applyShiftStep(c, 1, 1000);
    applyShiftStep(c, 3, 1);
    EXPECT_EQ(c.ShiftY, 999);
    applyShiftStep(c, 7, 1);
    EXPECT_EQ(c.ShiftX, 289.0) << "any other index moves west";

    applyStretchStep(c, 1, 10);
    EXPECT_EQ(c.StretchY, 10) << "adds to the signed height: a north-up image gets shorter";
    EXPECT_FALSE(c.StretchX) << "untouched";
    applyStretchStep(c, 2, 100);
    applyStretchStep(c, 0, 1);
    EXPECT_EQ(c.StretchX, 99.0);
}

TEST(ManualCorrections, UnsetValuesShowEmptyAndResetsMakeThemZero)
{
    ManualCorrections c;
    EXPECT_EQ(correctionLabel(c.ShiftX), " m");
    EXPECT_EQ(correctionLabel(c.ShiftY), "0 m");
    applyShiftStep(c, 2, 10);
    applyStretchStep(c, 3, 10);
    resetShift(c);
    EXPECT_EQ(c.ShiftX, 0.0) << "set, to 0";
    EXPECT_EQ(correctionLabel(c.ShiftX), "0 m");
    EXPECT_EQ(c.StretchY, -10) << "the stretch is left alone";
    resetStretch(c);
    EXPECT_EQ(c.StretchX, 0.0);
    EXPECT_EQ(c.StretchY, 0);
    EXPECT_EQ(correctionLabel(-10), "-10 m");
}

TEST(ManualCorrections, AStepPastThirtyTwoBitsIsRefused)
{
    ManualCorrections c;
    c.ShiftY = 2147480000;
    EXPECT_FALSE(applyShiftStep(c, 1, 10000));
    EXPECT_EQ(c.ShiftY, 2147480000);
    EXPECT_TRUE(applyShiftStep(c, 3, 10000));
}

} // namespace

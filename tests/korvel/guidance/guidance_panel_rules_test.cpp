#include "korvel/guidance/guidance_panel_rules.h"
#include "tests/support/default_locale.h"

#include <gtest/gtest.h>

namespace {

const std::optional<int> None;

TEST(GuidancePanelRules, HeadingAndEdgeStepsWrapAtTheEnds)
{
    const struct
    {
        const char* name;
        int value;
        int key;
        int bottom;
        int top;
        std::optional<int> result;
    } rows[] = {
        { "355, Page Up", 355, vbKeyPageUp, 0, 359, 0 },
        { "3, Page Down", 3, vbKeyPageDown, 0, 359, 359 },
        { "0, Down", 0, vbKeyDown, 0, 359, 359 },
        { "359, numeric +", 359, vbKeyAdd, 0, 359, 0 },
        { "45, numeric -", 45, vbKeySubtract, 0, 359, 44 },
        { "45, Up", 45, vbKeyUp, 0, 359, 46 },
        { "edge 6 of 6, Up", 6, vbKeyUp, 1, 6, 1 },
        { "edge 1 of 6, Down", 1, vbKeyDown, 1, 6, 6 },
        { "edge 5 of 6, Page Up", 5, vbKeyPageUp, 1, 6, 1 },
        { "a letter steps nothing", 45, 'A', 0, 359, None },
        { "Enter steps nothing", 45, vbKeyReturn, 0, 359, None },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(steppedDirection(row.value, row.key, row.bottom, row.top), row.result);
    }
}

TEST(GuidancePanelRules, SwathStepsStopAtTheEnds)
{
    const struct
    {
        int value;
        int key;
        std::optional<int> result;
    } rows[] = {
        { 1, vbKeyDown, None },
        { 1, vbKeyPageDown, None },
        { 5000, vbKeyUp, None },
        { 5000, vbKeyPageUp, None },
        { 8, vbKeyPageDown, None },
        { 11, vbKeyPageDown, 1 },
        { 4990, vbKeyPageUp, 5000 },
        { 4991, vbKeyPageUp, None },
        { 2, vbKeySubtract, 1 },
        { 30, vbKeyAdd, 31 },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(steppedSwath(row.value, row.key), row.result) << row.value << " key " << row.key;
    }
}

TEST(GuidancePanelRules, TypedValuesCountOnlyWithinTheRange)
{
    const struct
    {
        const char* text;
        int bottom;
        int top;
        std::optional<int> result;
    } rows[] = {
        { "12.5", 0, 359, 12 }, // half to even
        { "13.5", 0, 359, 14 },
        { " 40 ", 0, 359, 40 },
        { "359.4", 0, 359, 359 },
        { "359.5", 0, 359, None },
        { "400", 0, 359, None },
        { "-1", 0, 359, None },
        { "1e30", 0, 359, None }, // however large
        { "1e999", 0, 359, None }, // beyond a Double
        { "abc", 0, 359, None },
        { "", 0, 359, None },
        { "0.6", 1, 5000, 1 },
        { "0", 1, 6, None },
        { "6.4", 1, 6, 6 },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(typedWholeNumber(row.text, row.bottom, row.top), row.result) << row.text;
    }
}

TEST(GuidancePanelRules, ASwathLeftCountsWithinOneToFiveThousandAsTyped)
{
    const struct
    {
        const char* text;
        std::optional<int> result;
    } rows[] = {
        { "0.5", None }, { "0.6", None }, { "1", 1 }, { "30.5", 30 }, { "31.5", 32 }, { "4999.5", 5000 },
        { "5000", 5000 }, { "5000.1", None }, { "x", None },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(leftSwathEntry(row.text), row.result) << row.text;
    }
}

// Typed values take the locale's decimal comma; stored texts hold the point.
TEST(GuidancePanelRules, TypedValuesInACommaLocale)
{
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(wholeHeading("45,5"), 46);
    EXPECT_EQ(leftSwathEntry("100,5"), 100);
    EXPECT_EQ(startingHeading("45,5", "90"), 90);
}

TEST(GuidancePanelRules, StoredHeadingsComeIntoZeroTo359)
{
    const struct
    {
        const char* stored;
        const char* fallback;
        int heading;
    } rows[] = {
        { "90", "0", 90 },
        { "123.69", "0", 124 },
        { "359.4", "0", 359 },
        { "359.5", "0", 0 },
        { "360", "0", 0 },
        { "725", "0", 5 },
        { "-90", "0", 270 },
        { "", "45", 45 },
        { "north", "12.5", 12 },
        { "", "", 0 },
        { "1e999", "x", 0 },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(startingHeading(row.stored, row.fallback), row.heading) << row.stored << " / " << row.fallback;
    }
}

TEST(GuidancePanelRules, StoredSwathsInTheDisplayUnit)
{
    const struct
    {
        const char* stored;
        bool metric;
        std::optional<int> shown;
    } rows[] = {
        { "30", true, 30 },
        { "30", false, 98 }, // 98.424 ft
        { "25.5", true, 26 },
        { "6000", true, 5000 },
        { "2000", false, 5000 }, // 6561.6 ft
        { "0.2", true, 1 },
        { "0", true, None },
        { "-30", true, None },
        { "thirty", true, None },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(displayedSwath(row.stored, row.metric), row.shown) << row.stored << " metric " << row.metric;
    }
    EXPECT_EQ(startingSwath("0", "40", true), 40);
    EXPECT_EQ(startingSwath("", "none", true), 30);
    EXPECT_EQ(startingSwath("", "none", false), 98);
}

TEST(GuidancePanelRules, SwathsAreKeptInWholeMetres)
{
    const struct
    {
        const char* text;
        bool metric;
        std::optional<int> metres;
    } rows[] = {
        { "30", true, 30 },
        { "98", false, 30 }, // 29.87 m
        { "100", false, 30 }, // 30.48 m
        { "82", false, 25 }, // 24.99 m
        { "30.5", true, 30 },
        { "31.5", true, 32 },
        { "ft", false, None },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(storedSwathMetres(row.text, row.metric), row.metres) << row.text;
    }
    EXPECT_NEAR(*swathMetres("100", false), 30.4804, 1e-4);
}

} // namespace

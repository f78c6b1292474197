#include "korvel/shell/percent_progress.h"

#include "tests/support/korvel_test.h"
#include "tests/support/recording_status_progress.h"

using PercentProgressTest = KorvelTest;

TEST_F(PercentProgressTest, ShowsAtMostOncePerPercentAndAlwaysTheEnd)
{
    struct Case
    {
        const char* name;
        int maximum;
        std::vector<int> firstShown; // the first values the bar shows
        std::size_t shows;
    };
    const Case cases[] = {
        { "three items: each", 3, { 1, 2, 3 }, 3 },
        { "a hundred: each", 100, { 1, 2, 3 }, 100 },
        { "a hundred and one: every second", 101, { 2, 4, 6 }, 51 },
        { "two million: every twenty thousand", 2000000, { 20000, 40000, 60000 }, 100 },
        { "an uneven count: its end too", 250, { 3, 6, 9 }, 84 },
    };
    for (const Case& c : cases) {
        RecordingStatusProgress sink;
        PercentProgress progress(c.maximum, 0);
        for (int value = 1; value <= c.maximum; ++value) {
            progress.advanceTo(value);
        }
        ASSERT_GE(sink.values.size(), c.firstShown.size()) << c.name;
        EXPECT_TRUE(std::equal(c.firstShown.begin(), c.firstShown.end(), sink.values.begin())) << c.name;
        EXPECT_EQ(sink.values.size(), c.shows) << c.name;
        EXPECT_EQ(sink.values.back(), c.maximum) << c.name;
    }
}

TEST_F(PercentProgressTest, ItemsLeftOutAndEmptyLoopsShowNothingWrong)
{
    RecordingStatusProgress sink;
    PercentProgress none(0, 0);
    EXPECT_TRUE(sink.values.empty());
    PercentProgress jumps(1000, 0);
    jumps.advanceTo(5);
    jumps.advanceTo(995); // a loop that skips items
    jumps.advanceTo(996);
    jumps.advanceTo(1000);
    EXPECT_EQ(sink.values, (std::vector<int> { 995, 1000 }));
}

// A fast loop moves the bar only every so often, but always to its end.
TEST_F(PercentProgressTest, AFastLoopMovesTheBarOnlyAsOftenAsTheEyeFollows)
{
    RecordingStatusProgress sink;
    PercentProgress progress(1000, 60000);
    for (int value = 1; value <= 1000; ++value) {
        progress.advanceTo(value);
    }
    EXPECT_EQ(sink.values, (std::vector<int> { 1000 }));
}

#include "korvel/met/met_graph_axes.h"

#include "korvel/met/met_file_reader.h"
#include "platform/vb_numbers.h"
#include "tests/support/korvel_test.h"

#include <algorithm>

namespace {

QString degrees(const char* text)
{
    return QString::fromLatin1(text) + QChar(0xB0);
}

class MetGraphAxes : public KorvelTest
{
protected:
    // A Kitoon file of records at the given "MMDDYY,H,M,S" moments, all
    // with the given speed and temperatures.
    static MetFileRead kitoon(const std::vector<const char*>& moments, float speed = 2.0f, float air = 60.0f,
        float ground = 60.0f)
    {
        QByteArray text;
        for (const char* moment : moments) {
            text += QByteArray(moment) + QStringLiteral(",90,%1,%2,%3\n").arg(speed).arg(air).arg(ground).toLatin1();
        }
        return readKitoonFile(text);
    }

    static TimeAxis axisOf(const MetFileRead& read)
    {
        EXPECT_TRUE(read.ok) << read.error.toStdString();
        return metTimeAxis(read.file, read.startSeconds);
    }

    static QStringList captions(const TimeAxis& axis)
    {
        QStringList texts;
        for (const TimeTick& tick : axis.ticks) {
            if (tick.labelled) {
                texts << tick.caption;
            }
        }
        return texts;
    }
};

struct SpanCase
{
    const char* name;
    std::vector<const char*> moments;
    int span;
    int tick;
    int count;
    double width;
    const char* title;
    QStringList labels;
};

class MetTimeAxis : public MetGraphAxes, public ::testing::WithParamInterface<SpanCase>
{
};

TEST_P(MetTimeAxis, TicksFollowTheLengthOfTheRecording)
{
    const SpanCase& c = GetParam();
    const TimeAxis axis = axisOf(kitoon(c.moments));
    EXPECT_EQ(axis.spanMinutes, c.span);
    EXPECT_EQ(axis.tickMinutes, c.tick);
    EXPECT_EQ(axis.tickCount, c.count);
    EXPECT_DOUBLE_EQ(axis.scaleWidth, c.width);
    EXPECT_EQ(axis.title, c.title);
    EXPECT_EQ(captions(axis), c.labels);
    for (const TimeTick& tick : axis.ticks) {
        EXPECT_GE(tick.x, 0.0);
        EXPECT_LE(tick.x, axis.scaleWidth) << "no tick past the last record";
    }
}

INSTANTIATE_TEST_SUITE_P(Recordings, MetTimeAxis,
    ::testing::Values(
        // A fifth of 20 minutes rounds to no interval at all: 15 is the least.
        SpanCase { "TwentyMinutes", { "71599,9,5,30", "71599,9,25,30" }, 20, 15, 2, 1200.0, "Time Of Day", { "9:15" } },
        SpanCase { "OneHour", { "71599,9,0,0", "71599,10,0,0" }, 60, 15, 5, 3600.0, "Time Of Day",
            { "9:00", "9:15", "9:30", "9:45", "10:00" } },
        // 240 / 5 = 48 minutes, rounded to 45.
        SpanCase { "FourHours", { "71599,9,5,30", "71599,13,5,30" }, 240, 45, 6, 14400.0, "Time Of Day",
            { "9:45", "10:30", "11:15", "12:00", "12:45" } },
        SpanCase { "ThreeDays", { "71599,9,0,0", "71899,9,0,0" }, 4320, 1440, 3, 259200.0, "Julian Day",
            { "16", "17", "18" } },
        // One record still spans a minute and gets its tick when it starts on one.
        SpanCase { "OneRecord", { "71599,9,0,0" }, 0, 15, 1, 60.0, "Time Of Day", { "9:00" } },
        SpanCase { "OneTimeTwice", { "71599,9,5,30", "71599,9,5,30" }, 0, 15, 1, 60.0, "Time Of Day", {} },
        // An hour across midnight is an hour, labelled with the time of day.
        SpanCase { "AcrossMidnight", { "71599,23,30,0", "71699,0,30,0" }, 60, 15, 5, 3600.0, "Time Of Day",
            { "23:30", "23:45", "0:00", "0:15", "0:30" } },
        SpanCase { "DaysAcrossTheMonthEnd", { "73099,12,0,0", "80299,12,0,0" }, 4320, 1440, 3, 259200.0,
            "Julian Day", { "31", "1", "2" } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MetGraphAxes, FirstTickIsTheNextWholeMultipleOfTheInterval)
{
    // 9:05:30 is minute 545.5; the next quarter hour is 9:15, 570 s later.
    const TimeAxis axis = axisOf(kitoon({ "71599,9,5,30", "71599,10,5,30" }));
    EXPECT_DOUBLE_EQ(axis.firstTickMinute, 555.0);
    ASSERT_FALSE(axis.ticks.empty());
    EXPECT_DOUBLE_EQ(axis.ticks.front().x, 570.0);
    EXPECT_TRUE(axis.ticks.front().gridLine);

    const TimeAxis onTheHour = axisOf(kitoon({ "71599,9,0,0", "71599,10,0,0" }));
    ASSERT_FALSE(onTheHour.ticks.empty());
    EXPECT_DOUBLE_EQ(onTheHour.ticks.front().x, 0.0);
    EXPECT_FALSE(onTheHour.ticks.front().gridLine) << "no grid line on the left edge";
    EXPECT_EQ(onTheHour.ticks.front().caption, "9:00");
}

TEST_F(MetGraphAxes, ManyDaysLabelEverySecondTick)
{
    const TimeAxis axis = axisOf(kitoon({ "70199,9,0,0", "72299,9,0,0" }));
    EXPECT_EQ(axis.tickStep, 2);
    EXPECT_EQ(axis.tickCount, 10);
    EXPECT_EQ(captions(axis).size(), 10);
    EXPECT_EQ(captions(axis).front(), "2");
    EXPECT_EQ(captions(axis).back(), "20");
    const auto unlabelled = std::count_if(axis.ticks.begin(), axis.ticks.end(), [](const TimeTick& t) { return !t.labelled; });
    EXPECT_EQ(unlabelled, 10) << "a grid line half-way after every label";
}

TEST_F(MetGraphAxes, RecordsStandAtTheirSecondsSinceTheStart)
{
    const MetFileRead read = kitoon({ "73199,23,59,0", "80199,0,1,5" });
    ASSERT_TRUE(read.ok);
    EXPECT_DOUBLE_EQ(metRecordX(read.file, 1, read.startSeconds), 0.0);
    EXPECT_DOUBLE_EQ(metRecordX(read.file, 2, read.startSeconds), 125.0) << "the month ends in between";
}

struct SpeedCase
{
    const char* name;
    float largest;
    double top;
    double step;
    QStringList captions;
};

class MetSpeedAxis : public MetGraphAxes, public ::testing::WithParamInterface<SpeedCase>
{
};

TEST_P(MetSpeedAxis, PutsTheLargestSpeedAtFourFifths)
{
    const SpeedCase& c = GetParam();
    const MetFileRead read = kitoon({ "71599,9,0,0" }, c.largest);
    ASSERT_TRUE(read.ok);
    const ValueAxis axis = metWindSpeedAxis(read.file);
    EXPECT_DOUBLE_EQ(axis.top, c.top);
    EXPECT_DOUBLE_EQ(axis.height, -c.top);
    EXPECT_DOUBLE_EQ(axis.gridStep, c.step);
    QStringList texts;
    for (const AxisLevel& level : axis.levels) {
        texts << level.caption;
    }
    EXPECT_EQ(texts, c.captions);
    EXPECT_FALSE(axis.levels.front().gridLine);
}

INSTANTIATE_TEST_SUITE_P(Speeds, MetSpeedAxis,
    ::testing::Values(SpeedCase { "Twenty", 20.0f, 25.0, 6.0, { "0", " 6", " 12", " 18", " 24kts" } },
        // Up to 4 the axis stays at 0 to 5 with a line every unit.
        SpeedCase { "Calm", 0.0f, 5.0, 1.0, { "0", " 1", " 2", " 3", " 4", " 5kts" } },
        SpeedCase { "Three", 3.0f, 5.0, 1.0, { "0", " 1", " 2", " 3", " 4", " 5kts" } },
        SpeedCase { "RoundsToTheNearest", 7.6f, 10.0, 2.0, { "0", " 2", " 4", " 6", " 8", " 10kts" } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MetGraphAxes, TemperatureAxisHoldsEveryValue)
{
    struct Case
    {
        const char* name;
        float air;
        float ground;
        double top;
        double bottom;
    } cases[] = {
        // 10 to 20: top Int(20 + 1 + 2); the coldest value a degree above the bottom.
        { "TenToTwenty", 10.0f, 20.0f, 23.0, 9.0 },
        // A range of 2 still gets 4 degrees.
        { "NarrowRange", 60.0f, 62.0f, 63.0, 59.0 },
        // Below zero the bottom is a negative number.
        { "Frost", -20.0f, -10.0f, 5.0, -21.0 },
    };
    for (const Case& c : cases) {
        const MetFileRead read = kitoon({ "71599,9,0,0" }, 1.0f, c.air, c.ground);
        ASSERT_TRUE(read.ok) << c.name;
        const ValueAxis axis = metTemperatureAxis(read.file);
        EXPECT_DOUBLE_EQ(axis.top, c.top) << c.name;
        EXPECT_DOUBLE_EQ(axis.top + axis.height, c.bottom) << c.name;
        EXPECT_LE(axis.height, -4.0) << c.name;
        EXPECT_EQ(axis.levels.front().caption, Str(c.bottom)) << c.name;
        EXPECT_FALSE(axis.levels.back().gridLine && axis.levels.back().y == axis.top) << "no line on the top edge";
    }
}

TEST_F(MetGraphAxes, TowerTemperaturesAreTheAirAlone)
{
    // The tower file's ground temperature is 0 and takes no part.
    const MetFileRead read = readTowerFile("1,1999,196,1430,1,0,90,0,70\n1,1999,196,1440,1,0,90,0,75\n");
    ASSERT_TRUE(read.ok);
    const ValueAxis axis = metTemperatureAxis(read.file);
    EXPECT_DOUBLE_EQ(axis.top, 77.0);
    EXPECT_DOUBLE_EQ(axis.top + axis.height, 69.0);
    EXPECT_EQ(axis.levels[1].caption, degrees(" 71"));
}

} // namespace

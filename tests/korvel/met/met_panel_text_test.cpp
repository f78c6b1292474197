#include "korvel/met/met_panel_text.h"

#include "korvel/workspace/program_globals.h"
#include "tests/support/korvel_test.h"

#include <cmath>

namespace {

class MetPanelText : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().MonthNames
            = { "Day", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
    }

    static MetRecord record(int month, int day, const char* year, int hour, int minute, int second)
    {
        MetRecord r;
        r.Month = quint8(month);
        r.Day = qint16(day);
        r.Year = QString::fromLatin1(year);
        r.Hour = quint8(hour);
        r.Minute = quint8(minute);
        r.Second = quint8(second);
        return r;
    }
};

TEST_F(MetPanelText, DatesByKindOfFile)
{
    EXPECT_EQ(metDateText(record(7, 15, "99", 0, 0, 0)), "Jul 15, 99");
    EXPECT_EQ(metDateText(record(0, 196, "99", 0, 0, 0)), "Day 196, 99") << "tall tower";
    EXPECT_EQ(metDateText(record(12, 31, "05", 0, 0, 0)), "Dec 31, 05");
    EXPECT_EQ(metDateText(record(13, 15, "99", 0, 0, 0)), "13 15, 99") << "no name past December";
    EXPECT_EQ(metDateText(record(255, 1, "99", 0, 0, 0)), "255 1, 99");
}

TEST_F(MetPanelText, TimesSpeedsAndTemperatures)
{
    EXPECT_EQ(metTimeText(record(7, 15, "99", 9, 5, 30)), "9:05:30");
    EXPECT_EQ(metTimeText(record(7, 15, "99", 14, 0, 0)), "14:00:00");
    EXPECT_EQ(metSpeedText(3.5f), "3.5 m/s");
    EXPECT_EQ(metSpeedText(5.148f), "5.1 m/s");
    EXPECT_EQ(metTemperatureText(68.2f), QString("68.2") + QChar(0xB0) + "F");
    EXPECT_EQ(metTemperatureText(-4.0f), QString("-4.0") + QChar(0xB0) + "F");
}

TEST_F(MetPanelText, NeedlePointsWhereTheWindComesFrom)
{
    const QPointF centre(34, 34);
    struct Case
    {
        int degrees;
        QPointF end;
    } cases[] = { { 0, { 34, 14 } }, { 90, { 54, 34 } }, { 180, { 34, 54 } }, { 270, { 14, 34 } },
        { 360, { 34, 14 } }, { 45, { 34 + 20 / std::sqrt(2.0), 34 - 20 / std::sqrt(2.0) } } };
    for (const Case& c : cases) {
        const QPointF end = compassNeedleEnd(centre, 20.0, c.degrees);
        EXPECT_NEAR(end.x(), c.end.x(), 1e-9) << c.degrees;
        EXPECT_NEAR(end.y(), c.end.y(), 1e-9) << c.degrees;
    }
}

TEST_F(MetPanelText, SelectionClockCountsOnPastMidnight)
{
    const MetRecord first = record(0, 196, "99", 23, 50, 0);
    EXPECT_EQ(selectionClockText(first, 0.0), " 23:50:00");
    EXPECT_EQ(selectionClockText(first, 1200.4), " 24:10:00") << "not reduced to a day";
    EXPECT_EQ(selectionClockText(record(7, 15, "99", 9, 5, 30), 65.0), " 9:06:35");
}

} // namespace

#include "korvel/met/met_file_reader.h"

#include "tests/support/korvel_test.h"

namespace {

using MetFileReader = KorvelTest;

TEST_F(MetFileReader, KitoonRecordIsReadItemByItem)
{
    const MetFileRead read = readKitoonFile("71599, 9, 5, 30, 270, 3.5, 68.2, 70.1\r\n");
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    ASSERT_EQ(read.file.recordCount(), 1);
    const MetRecord& r = read.file.record(1);
    EXPECT_EQ(r.Month, 7);
    EXPECT_EQ(r.Day, 15);
    EXPECT_EQ(r.Year, "99");
    EXPECT_EQ(r.Hour, 9);
    EXPECT_EQ(r.Minute, 5);
    EXPECT_EQ(r.Second, 30);
    EXPECT_EQ(r.WindDirection, 270);
    EXPECT_FLOAT_EQ(r.WindSpeed, 3.5f);
    EXPECT_FLOAT_EQ(r.AirTemp, 68.2f);
    EXPECT_FLOAT_EQ(r.GroundTemp, 70.1f);
    EXPECT_EQ(read.startSeconds, 32730);
    EXPECT_EQ(r.ElapsedTime, 0);
    EXPECT_EQ(read.file.Source, MetSourceKitoon);
}

TEST_F(MetFileReader, TowerRecordTakesItsItemsAndRoundsTheDirection)
{
    const MetFileRead read = readTowerFile("1 1999 196 1430 4.25 0 359.5 0 71.3\n");
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    const MetRecord& r = read.file.record(1);
    EXPECT_EQ(r.Month, 0);
    EXPECT_EQ(r.Day, 196);
    EXPECT_EQ(r.Year, "99");
    EXPECT_EQ(r.Hour, 14);
    EXPECT_EQ(r.Minute, 30);
    EXPECT_EQ(r.Second, 0);
    EXPECT_EQ(r.WindDirection, 360) << "359.5 rounds half to even";
    EXPECT_FLOAT_EQ(r.WindSpeed, 4.25f);
    EXPECT_FLOAT_EQ(r.AirTemp, 71.3f);
    EXPECT_EQ(r.GroundTemp, 0.0f);
    EXPECT_EQ(read.startSeconds, 52200);
}

struct ElapsedCase
{
    const char* name;
    bool kitoon;
    const char* text;
    std::vector<qint32> elapsed;
};

class MetElapsedTime : public KorvelTest, public ::testing::WithParamInterface<ElapsedCase>
{
};

TEST_P(MetElapsedTime, CountsSecondsFromTheFirstRecord)
{
    const ElapsedCase& c = GetParam();
    const QByteArray bytes(c.text);
    const MetFileRead read = c.kitoon ? readKitoonFile(bytes) : readTowerFile(bytes);
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    ASSERT_EQ(read.file.recordCount(), int(c.elapsed.size()));
    for (size_t k = 0; k < c.elapsed.size(); ++k) {
        EXPECT_EQ(read.file.record(int(k) + 1).ElapsedTime, c.elapsed[k]) << "record " << k + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, MetElapsedTime,
    ::testing::Values(
        // 9:05:35 is 3273.5 tens of seconds; the start rounds to 3274.
        ElapsedCase { "OddStartSecondIsFiveSecondsEarly", true,
            "71599,9,5,35,0,1,60,60\n71599,9,5,45,0,1,60,60\n", { -5, 5 } },
        ElapsedCase { "TowerAcrossMidnight", false,
            "1,1999,196,2350,1,0,90,0,60\n1,1999,197,10,1,0,90,0,60\n", { 0, 1200 } },
        ElapsedCase { "TowerAcrossTheNewYear", false,
            "1,1999,365,2350,1,0,90,0,60\n1,2000,1,10,1,0,90,0,60\n", { 0, 1200 } },
        // July 31 to August 1: the day of the month alone would go back 30 days.
        ElapsedCase { "KitoonAcrossTheMonthEnd", true,
            "73199,23,59,0,0,1,60,60\n80199,0,1,0,0,1,60,60\n", { 0, 120 } },
        ElapsedCase { "KitoonAcrossTheCentury", true,
            "123199,23,59,50,0,1,60,60\n10100,0,0,10,0,1,60,60\n", { 0, 20 } },
        // A month of 13 is no date: the day numbers alone count.
        ElapsedCase { "KitoonMonthBeyondTheYear", true,
            "131599,10,0,0,0,1,60,60\n131699,10,0,0,0,1,60,60\n", { 0, 86400 } },
        ElapsedCase { "ThreeDays", true,
            "71599,9,0,0,0,1,60,60\n71699,9,0,0,0,1,60,60\n71899,9,0,0,0,1,60,60\n", { 0, 86400, 259200 } }),
    [](const auto& info) { return std::string(info.param.name); });

struct LayoutCase
{
    const char* name;
    const char* text;
    int records;
};

class MetFileLayout : public KorvelTest, public ::testing::WithParamInterface<LayoutCase>
{
};

TEST_P(MetFileLayout, RecordsMayStandAnyWayTheItemsAllow)
{
    const MetFileRead read = readKitoonFile(GetParam().text);
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    EXPECT_EQ(read.file.recordCount(), GetParam().records);
    EXPECT_EQ(read.file.record(GetParam().records).WindDirection, 90);
}

INSTANTIATE_TEST_SUITE_P(Files, MetFileLayout,
    ::testing::Values(
        LayoutCase { "BlankLinesAfterTheLastRecord", "71599,9,5,30,90,1,60,60\r\n\r\n  \r\n\r\n", 1 },
        LayoutCase { "CutOffLastLineLeftOut", "71599,9,5,30,90,1,60,60\n71599,9,5,40,90,1,60,6", 1 },
        LayoutCase { "BlanksBetweenItems", "71599 9 5 30 90 1 60 60\n71599 9 5 40 90 1 60 60\n", 2 },
        LayoutCase { "ARecordOverTwoLines", "71599,9,5,30,\n90,1,60,60\n", 1 },
        LayoutCase { "EndMarkOfOldTools", "71599,9,5,30,90,1,60,60\r\n\x1a", 1 }),
    [](const auto& info) { return std::string(info.param.name); });

struct DamageCase
{
    const char* name;
    bool kitoon;
    const char* text;
};

class DamagedMetFile : public KorvelTest, public ::testing::WithParamInterface<DamageCase>
{
};

TEST_P(DamagedMetFile, IsRefusedWholeWithTheRecordNamed)
{
    const DamageCase& c = GetParam();
    const MetFileRead read = c.kitoon ? readKitoonFile(c.text) : readTowerFile(c.text);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.file.recordCount(), 0) << "nothing half-read is handed over";
    EXPECT_TRUE(read.error.startsWith("Record ")) << read.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedMetFile,
    ::testing::Values(DamageCase { "Empty", true, "" }, DamageCase { "OnlyBlankLines", false, "\r\n \r\n" },
        DamageCase { "HourBeyondAByte", true, "71599,300,5,30,90,1,60,60\n" },
        DamageCase { "TextForANumber", true, "71599,9,five,30,90,1,60,60\n" },
        DamageCase { "RecordCutShort", true, "71599,9,5,30,90,1,60,60\n71599,9,5,40,90\n" },
        DamageCase { "DirectionBeyond16Bits", true, "71599,9,5,30,40000,1,60,60\n" },
        DamageCase { "MonthBeyondAByte", true, "2561599,9,5,30,90,1,60,60\n" },
        DamageCase { "NegativeDate", true, "-71599,9,5,30,90,1,60,60\n" },
        DamageCase { "TowerTimeNegative", false, "1,1999,196,-5,1,0,90,0,60\n" },
        DamageCase { "TowerStationBeyondAByte", false, "256,1999,196,1430,1,0,90,0,60\n" },
        DamageCase { "TowerFileReadAsKitoon", true, "1,1999,196,1430,1,0,90,0,60\n" },
        // 92 x 360 tens of seconds overflow the 16-bit time of day.
        DamageCase { "KitoonHour92", true, "71599,9,5,30,90,1,60,60\n71599,92,0,0,90,1,60,60\n" },
        DamageCase { "KitoonStartAtHour92", true, "71599,92,0,0,90,1,60,60\n" },
        DamageCase { "TowerHour92", false, "1,1999,196,9200,1,0,90,0,60\n" },
        // Decades apart: the seconds no longer fit 32 bits.
        DamageCase { "ElapsedBeyond32Bits", false, "1,1950,1,0,1,0,90,0,60\n1,2049,1,0,1,0,90,0,60\n" }),
    [](const auto& info) { return std::string(info.param.name); });

// Every cut keeps the whole records before it; a cut-off last line is left
// out and named.
TEST_F(MetFileReader, EveryCutKeepsTheRecordsBeforeIt)
{
    const QByteArray file = "71599,9,0,0,0,1,60,60\r\n71599,9,0,10,90,2,61,56\r\n";
    for (qsizetype size = 1; size < file.size(); ++size) {
        const QByteArray cut = file.left(size);
        const MetFileRead read = readKitoonFile(cut);
        const bool whole = cut.endsWith('\n') || cut.endsWith('\r');
        const int records = int(cut.count('\r'));
        ASSERT_EQ(read.ok, records > 0) << size;
        EXPECT_EQ(read.file.recordCount(), records) << size;
        EXPECT_EQ(read.leftOutLine, read.ok && !whole ? int(cut.count('\n')) + 1 : 0) << size;
    }
}

TEST_F(MetFileReader, ShortYearIsPaddedToTwoCharacters)
{
    // A date of 1 January 2005 written without its leading zeros: 10105.
    const MetFileRead read = readKitoonFile("10105,0,0,0,0,0,0,0\n10105,0,0,5,0,0,0,0\n");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.file.record(1).Year, "05");
    const MetFileRead tiny = readTowerFile("1,5,10,0,0,0,0,0,0\n");
    ASSERT_TRUE(tiny.ok);
    EXPECT_EQ(tiny.file.record(1).Year, "5 ");
}

} // namespace

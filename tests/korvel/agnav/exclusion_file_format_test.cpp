#include "korvel/agnav/exclusion_file_format.h"

#include "tests/support/korvel_test.h"

namespace {

class ExclusionFileFormatTest : public KorvelTest
{
protected:
    AgnavOutcome parse(const QByteArray& bytes, bool geographic = false)
    {
        return parseExclusionFile(bytes, geographic, m_zones);
    }
    int count() const { return static_cast<int>(m_zones.size()) - 1; }

    std::vector<ShapeRecord> m_zones;
};

TEST_F(ExclusionFileFormatTest, LinesAsWritten)
{
    // Zone field of 4, the first value right behind it, the second at the
    // next print zone that leaves a blank.
    EXPECT_EQ(exclusionFileLine(2, 500612.34, 4800734.55, false), "2   500612.3  4800734.6\r\n");
    EXPECT_EQ(exclusionFileLine(1, 45.123456, -97.654321, true), "1   45.123456 -97.654321\r\n");
    EXPECT_EQ(exclusionFileLine(12, -45.123456, 170.5, true), "12  -45.123456              170.500000\r\n");
    EXPECT_EQ(exclusionFileLine(255, 0.0, -0.04, false), "255 0.0       -0.0\r\n");
}

TEST_F(ExclusionFileFormatTest, SeveralZonesInUtm)
{
    ASSERT_TRUE(parse("1   500100.0      4800100.0\r\n"
                      "1   500100.0      4800200.0\r\n"
                      "1   500200.0      4800200.0\r\n"
                      "1   500200.0      4800100.0\r\n"
                      "2   501000.5  4801000.5\r\n"
                      "2   501000.5  4801100.5\r\n"
                      "2   501100.5  4801100.5\r\n"
                      "2   501150.0  4801050.0\r\n"
                      "2   501100.5  4801000.5\r\n")
                    .isDone());
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(m_zones[1].upperBound(), 4);
    EXPECT_EQ(m_zones[2].upperBound(), 5);
    EXPECT_EQ(m_zones[2].X[4], 501150.0);
    EXPECT_EQ(m_zones[2].Y[4], 4801050.0);
}

TEST_F(ExclusionFileFormatTest, GeographicFileReadsLatitudeFirstAndWrapsLongitude)
{
    ASSERT_TRUE(parse("1   -33.512345 151.250000\r\n"
                      "1   -33.522345 262.500000\r\n"
                      "1   -33.522345 151.260000\r\n",
        true)
                    .isDone());
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(m_zones[1].Y[1], -33.512345);
    EXPECT_EQ(m_zones[1].X[1], 151.25);
    EXPECT_EQ(m_zones[1].X[2], -97.5); // 262.5 east is 97.5 west
}

TEST_F(ExclusionFileFormatTest, RepeatedNumbersBlankLinesAndZoneZero)
{
    // Zones appended to a file that was never loaded repeat numbers; each
    // run is a zone of its own. Zone 0 lines belong to no zone.
    ASSERT_TRUE(parse("1   1.0  1.0\r\n1   1.0  2.0\r\n0   9.0  9.0\r\n1   2.0  2.0\r\n"
                      "\r\n   \r\n"
                      "2   5.0  5.0\r\n2   5.0  6.0\r\n2   6.0  6.0\n"
                      "1   7.0  7.0\r\n1   7.0  8.0\r\n1   8.0  8.0\r\n")
                    .isDone());
    ASSERT_EQ(count(), 3);
    EXPECT_EQ(m_zones[1].Y[3], 2.0);
    EXPECT_EQ(m_zones[2].X[1], 5.0);
    EXPECT_EQ(m_zones[3].Y[2], 8.0);
    for (int z = 1; z <= 3; ++z) {
        EXPECT_EQ(m_zones[z].upperBound(), 3);
    }
}

TEST_F(ExclusionFileFormatTest, ValueThatStartsWithNoNumberReadsAsZero)
{
    ASSERT_TRUE(parse("1   500100.0  NORTH\r\n1   12.5x  4800100.0\r\n").isDone());
    EXPECT_EQ(m_zones[1].Y[1], 0.0);
    EXPECT_EQ(m_zones[1].X[2], 12.5);
}

TEST_F(ExclusionFileFormatTest, EmptyFileHasNoZones)
{
    ASSERT_TRUE(parse("").isDone());
    EXPECT_EQ(count(), 0);
    ASSERT_TRUE(parse("\r\n\r\n").isDone());
    EXPECT_EQ(count(), 0);
}

TEST_F(ExclusionFileFormatTest, HighestZoneNumber)
{
    EXPECT_EQ(highestExclusionZoneNumber(""), 0);
    EXPECT_EQ(
        highestExclusionZoneNumber("1   1.0  1.0\r\n7   1.0  1.0\r\n2   1.0  1.0\r\nx y\r\n1e999 1 1\r\n"),
        7);
}

// Damaged input.
using ExclusionFileDamagedTest = ExclusionFileFormatTest;

TEST_F(ExclusionFileDamagedTest, ZoneWithoutTwoValues)
{
    const AgnavOutcome outcome = parse("1   1.0  1.0\r\n1   2.0\r\n");
    EXPECT_EQ(outcome.message(), "Line 2: zone 1 is not followed by two values.");
}

TEST_F(ExclusionFileDamagedTest, NumberBeyondAnyRange)
{
    EXPECT_EQ(parse("1   1e999  1.0\r\n").message(), "Line 1: Overflow");
    EXPECT_EQ(parse("1e999   1.0  1.0\r\n").message(), "Line 1: Overflow");
}

TEST_F(ExclusionFileDamagedTest, MoreThan255Zones)
{
    QByteArray bytes;
    for (int z = 1; z <= 256; ++z) {
        bytes += QByteArray::number(z) + "   1.0  1.0\r\n";
    }
    EXPECT_EQ(parse(bytes).message(), "Line 256: the file holds more than 255 exclusion zones.");
}

TEST_F(ExclusionFileDamagedTest, BinaryGarbageNeverCrashes)
{
    QByteArray garbage;
    for (int i = 0; i < 8192; ++i) {
        garbage += char((i * 2654435761u) >> 24);
    }
    parse(garbage);
    highestExclusionZoneNumber(garbage);
    SUCCEED();
}

} // namespace

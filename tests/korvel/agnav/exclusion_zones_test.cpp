#include "korvel/agnav/exclusion_zones.h"

#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/map_state.h"
#include "platform/complete_lines.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

#include <QFile>

#include <functional>

namespace {

ShapeRecord ring(std::initializer_list<std::pair<double, double>> points)
{
    ShapeRecord shape;
    shape.resize(0);
    for (const auto& [x, y] : points) {
        shape.X.push_back(x);
        shape.Y.push_back(y);
    }
    return shape;
}

// A 100 m square, clockwise with north up.
const ShapeRecord Clockwise
    = ring({ { 500100, 4800100 }, { 500100, 4800200 }, { 500200, 4800200 }, { 500200, 4800100 } });

class ExclusionZonesTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().Ellipsoid = Wgs84;
        m_boundary = workDir() + QStringLiteral("FIELD17.no1");
        m_b = appendBlock();
        blockAt(m_b) = utmBlock(m_boundary);
    }

    AGNAVBlock& block() { return blockAt(m_b); }
    QString xcl() const { return workDir() + QStringLiteral("FIELD17.xcl"); }

    QString m_boundary;
    int m_b = 0;
};

TEST_F(ExclusionZonesTest, LoadsEveryZoneWithItsArea)
{
    writeTestFile(xcl(),
        "1   500100.0      4800100.0\r\n1   500100.0      4800200.0\r\n1   500200.0      4800200.0\r\n"
        "1   500200.0      4800100.0\r\n"
        "2   501000.0      4801000.0\r\n2   501000.0      4801050.0\r\n2   501020.0      4801000.0\r\n");
    ASSERT_TRUE(LoadExclusionFile(m_b).isDone());
    EXPECT_EQ(block().ExclusionZoneCount, 2);
    EXPECT_TRUE(block().ExclusionLoaded);
    EXPECT_EQ(agnavData().ExclusionCount, 1);
    EXPECT_DOUBLE_EQ(block().ExclusionAreas[1], 10000.0);
    EXPECT_DOUBLE_EQ(block().ExclusionAreas[2], 500.0);
    EXPECT_EQ(block().ExclusionZones[2].upperBound(), 3);

    // Loading again replaces the zones and counts the block once.
    ASSERT_TRUE(LoadExclusionFile(m_b).isDone());
    EXPECT_EQ(block().ExclusionZoneCount, 2);
    EXPECT_EQ(agnavData().ExclusionCount, 1);
}

TEST_F(ExclusionZonesTest, GeographicFileWithSouthernLatitudesOnAUtmMap)
{
    block().CoordType = QStringLiteral("GEO");
    block().Zone = 56;
    block().Ellipsoid = Clarke1866;
    mapState().NorthZone = false;
    writeTestFile(
        xcl(), "1   -33.500000 151.250000\r\n1   -33.490000 151.250000\r\n1   -33.490000 151.260000\r\n");
    ASSERT_TRUE(LoadExclusionFile(m_b).isDone());
    const ProjectedMetres expected = toUtm({ -33.49, 151.26 }, 56, Clarke1866);
    EXPECT_FALSE(expected.north);
    EXPECT_NEAR(block().ExclusionZones[1].X[3], expected.easting, 1e-6);
    EXPECT_NEAR(block().ExclusionZones[1].Y[3], expected.northing, 1e-6);
    EXPECT_GT(block().ExclusionZones[1].Y[3], 6000000.0); // the southern false northing
    EXPECT_GT(block().ExclusionAreas[1], 0.0);
}

TEST_F(ExclusionZonesTest, UtmFileOnAGeographicMapComesInDegrees)
{
    globals().UTMMode = false;
    mapState().Zone = 17;
    writeTestFile(xcl(),
        "1   500100.0      4800100.0\r\n1   500100.0      4800200.0\r\n1   500200.0      4800200.0\r\n");
    ASSERT_TRUE(LoadExclusionFile(m_b).isDone());
    const GeographicDeg expected = toGeographic({ 500100.0, 4800200.0, 17, true }, Wgs84);
    EXPECT_NEAR(block().ExclusionZones[1].X[2], expected.longitude, 1e-9);
    EXPECT_NEAR(block().ExclusionZones[1].Y[2], expected.latitude, 1e-9);
    // Measured in UTM: half of the 100 m square.
    EXPECT_NEAR(block().ExclusionAreas[1], 5000.0, 0.01);
}

TEST_F(ExclusionZonesTest, CompanionIsFoundInAnyLetterCase)
{
    writeTestFile(
        workDir() + QStringLiteral("FIELD17.XCL"), "1   1.0  1.0\r\n1   1.0  2.0\r\n1   2.0  2.0\r\n");
    ASSERT_TRUE(LoadExclusionFile(m_b).isDone());
    EXPECT_EQ(block().ExclusionZoneCount, 1);
}

TEST_F(ExclusionZonesTest, FileWithoutZonesLeavesTheBlockAlone)
{
    writeTestFile(xcl(), "\r\n");
    ASSERT_TRUE(LoadExclusionFile(m_b).isDone());
    EXPECT_FALSE(block().ExclusionLoaded);
    EXPECT_EQ(agnavData().ExclusionCount, 0);
}

TEST_F(ExclusionZonesTest, SavedZoneGoesToMemoryAndFile)
{
    ASSERT_TRUE(saveExclusionZone(m_b, Clockwise).isDone());
    EXPECT_EQ(readTestFile(xcl()),
        "1   500100.0  4800100.0\r\n1   500100.0  4800200.0\r\n"
        "1   500200.0  4800200.0\r\n1   500200.0  4800100.0\r\n");
    EXPECT_EQ(block().ExclusionZoneCount, 1);
    EXPECT_TRUE(block().ExclusionLoaded);
    EXPECT_TRUE(block().SubItemSelected);
    EXPECT_EQ(agnavData().ExclusionCount, 1);
    EXPECT_DOUBLE_EQ(block().ExclusionAreas[1], 10000.0);

    // A second zone follows with number 2; the block is counted once.
    const ShapeRecord second = ring({ { 501000, 4801000 }, { 501000, 4801050 }, { 501020, 4801000 } });
    ASSERT_TRUE(saveExclusionZone(m_b, second).isDone());
    EXPECT_TRUE(readTestFile(xcl()).endsWith("2   501020.0  4801000.0\r\n"));
    EXPECT_EQ(block().ExclusionZoneCount, 2);
    EXPECT_EQ(agnavData().ExclusionCount, 1);
}

// Every cut of a file: inside a line refused, naming the file and the line;
// at a line end loaded with the whole vertices it holds.
TEST_F(ExclusionZonesTest, EveryCutInsideALineIsRefused)
{
    const QByteArray zone = "1   500100.0      4800100.0\r\n1   500100.0      4800200.0\r\n"
                            "1   500200.0      4800200.0\r\n";
    for (qsizetype size = 1; size < zone.size(); ++size) {
        const QByteArray cut = zone.left(size);
        writeTestFile(xcl(), cut);
        const AgnavOutcome outcome = LoadExclusionFile(m_b);
        if (!cut.endsWith('\n') && !cut.endsWith('\r')) {
            EXPECT_EQ(outcome.message(), "FIELD17.xcl, " + cutOffLineMessage(int(cut.count('\n')) + 1))
                << size;
            EXPECT_FALSE(block().ExclusionLoaded) << size;
        } else {
            ASSERT_TRUE(outcome.isDone()) << size << ": " << outcome.message().toStdString();
            EXPECT_EQ(block().ExclusionZones[1].upperBound(), cut.count("\r")) << size;
            EXPECT_EQ(block().ExclusionZones[1].Y.back(), cut.count("\r") == 1 ? 4800100.0 : 4800200.0)
                << size;
            block().ExclusionLoaded = false;
        }
    }
}

TEST_F(ExclusionZonesTest, CounterClockwiseZoneIsStoredClockwise)
{
    const ShapeRecord counter
        = ring({ { 500100, 4800100 }, { 500200, 4800100 }, { 500200, 4800200 }, { 500100, 4800200 } });
    ASSERT_TRUE(saveExclusionZone(m_b, counter).isDone());
    const ShapeRecord& stored = block().ExclusionZones[1];
    EXPECT_EQ(stored.X, (std::vector<double> { 0, 500100, 500200, 500200, 500100 }));
    EXPECT_EQ(stored.Y, (std::vector<double> { 0, 4800200, 4800200, 4800100, 4800100 }));
    EXPECT_DOUBLE_EQ(block().ExclusionAreas[1], 10000.0);
    EXPECT_TRUE(readTestFile(xcl()).startsWith("1   500100.0  4800200.0\r\n"));
}

TEST_F(ExclusionZonesTest, AppendingToAFileNotLoadedContinuesItsNumbering)
{
    const QByteArray old
        = "1   1.0  1.0\r\n1   1.0  2.0\r\n1   2.0  2.0\r\n2   5.0  5.0\r\n2   5.0  6.0\r\n2   6.0  6.0";
    // A cut last line is not made whole by the next zone.
    writeTestFile(xcl(), old);
    EXPECT_EQ(saveExclusionZone(m_b, Clockwise).message(),
        "Error: Cannot write " + xcl() + ": Line 6 stops without its line end: the file was cut off.");
    EXPECT_EQ(readTestFile(xcl()), old);

    writeTestFile(xcl(), old + "\r\n");
    ASSERT_TRUE(saveExclusionZone(m_b, Clockwise).isDone());
    const QByteArray file = readTestFile(xcl());
    // The new zone is number 3.
    EXPECT_TRUE(file.contains("2   6.0  6.0\r\n3   500100.0  4800100.0\r\n"));
    // The block takes the file's zones with the new one, read back from it.
    ASSERT_EQ(block().ExclusionZoneCount, 3);
    EXPECT_TRUE(block().ExclusionLoaded);
    EXPECT_TRUE(block().SubItemSelected);
    EXPECT_EQ(agnavData().ExclusionCount, 1);
    EXPECT_EQ(block().ExclusionZones[2].X, (std::vector<double> { 0, 5, 5, 6 }));
    EXPECT_EQ(block().ExclusionZones[3].X, (std::vector<double> { 0, 500100, 500100, 500200, 500200 }));
    EXPECT_DOUBLE_EQ(block().ExclusionAreas[3], 10000.0);

    // A later zone is appended as zone 4 and added alone.
    ASSERT_TRUE(saveExclusionZone(m_b, Clockwise).isDone());
    EXPECT_EQ(block().ExclusionZoneCount, 4);
    EXPECT_TRUE(readTestFile(xcl()).endsWith("4   500200.0  4800100.0\r\n"));
}

TEST_F(ExclusionZonesTest, GeographicBlockOnAUtmMapWritesLatitudeFirst)
{
    block().CoordType = QStringLiteral("GEO");
    ASSERT_TRUE(saveExclusionZone(m_b, Clockwise).isDone());
    const GeographicDeg first = toGeographic({ 500100.0, 4800100.0, 17, true }, Wgs84);
    const QByteArray expected = QStringLiteral("1   %1 %2\r\n")
                                    .arg(first.latitude, 0, 'f', 6)
                                    .arg(first.longitude, 0, 'f', 6)
                                    .toLatin1();
    EXPECT_TRUE(readTestFile(xcl()).startsWith(expected)) << readTestFile(xcl()).toStdString();
    EXPECT_EQ(block().ExclusionZones[1].X[1], 500100.0); // memory stays in UTM
}

TEST_F(ExclusionZonesTest, FailedSaveChangesNothingAndSaysWhy)
{
    block().Path = workDir() + QStringLiteral("missing/FIELD17.no1");
    const AgnavOutcome outcome = saveExclusionZone(m_b, Clockwise);
    EXPECT_TRUE(outcome.isRefused());
    EXPECT_TRUE(outcome.message().startsWith("Error: Cannot write " + workDir() + "missing/FIELD17.xcl: "))
        << outcome.message().toStdString();
    EXPECT_EQ(block().ExclusionZoneCount, 0);
    EXPECT_EQ(block().ExclusionZones.size(), 1u);
    EXPECT_FALSE(block().ExclusionLoaded);
    EXPECT_FALSE(block().SubItemSelected);
    EXPECT_EQ(agnavData().ExclusionCount, 0);
}

TEST_F(ExclusionZonesTest, ZonesThatNeedAMissingEllipsoidAreRefused)
{
    // A UTM block on a degree map: its zones convert with its own ellipsoid.
    globals().UTMMode = false;
    block().Ellipsoid = { QStringLiteral("Everest 1830"), 0.0, 0.0 };
    writeTestFile(xcl(),
        "1   500100.0      4800100.0\r\n1   500100.0      4800200.0\r\n1   500200.0      4800200.0\r\n");
    const QByteArray file = readTestFile(xcl());
    const struct
    {
        const char* entry;
        std::function<AgnavOutcome()> run;
    } rows[] = {
        { "loading", [this] { return LoadExclusionFile(m_b); } },
        { "saving", [this] { return saveExclusionZone(m_b, Clockwise); } },
    };
    for (const auto& row : rows) {
        const AgnavOutcome outcome = row.run();
        EXPECT_TRUE(outcome.isRefused()) << row.entry;
        EXPECT_TRUE(outcome.message().contains("\"Everest 1830\" is not in \"ellipsoid.dat\""))
            << outcome.message().toStdString();
        EXPECT_EQ(block().ExclusionZoneCount, 0) << row.entry;
        EXPECT_EQ(readTestFile(xcl()), file) << row.entry;
    }
}

TEST_F(ExclusionZonesTest, ZoneLimitAndShortRings)
{
    EXPECT_EQ(saveExclusionZone(m_b, ring({ { 1, 1 }, { 2, 2 } })).message(),
        "Error: An exclusion zone needs at least 3 vertices.");
    block().ExclusionZoneCount = 255;
    EXPECT_EQ(saveExclusionZone(m_b, Clockwise).message(),
        "Error: Cannot save more than 255 exclusion zones for one block.");
    block().ExclusionZoneCount = 0;
    writeTestFile(xcl(), "255 1.0  1.0\r\n");
    EXPECT_EQ(saveExclusionZone(m_b, Clockwise).message(),
        "Error: Cannot save more than 255 exclusion zones for one block.");
    EXPECT_EQ(readTestFile(xcl()), "255 1.0  1.0\r\n");
}

// Damaged input.
TEST_F(ExclusionZonesTest, DamagedOrMissingFileIsRefusedNamingIt)
{
    AgnavOutcome outcome = LoadExclusionFile(m_b);
    EXPECT_TRUE(outcome.message().startsWith("Cannot read FIELD17.xcl: "));
    writeTestFile(xcl(), "1   1.0  1.0\r\n1   2.0\r\n");
    outcome = LoadExclusionFile(m_b);
    EXPECT_EQ(outcome.message(), "FIELD17.xcl, Line 2: zone 1 is not followed by two values.");
    EXPECT_EQ(block().ExclusionZoneCount, 0);
    EXPECT_FALSE(block().ExclusionLoaded);
}

} // namespace

#include "korvel/agnav/block_loading.h"

#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "platform/vb_colors.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

#include <cmath>

namespace {

const QByteArray NorthernGeoFile = "1  L  279\r\n"
                                   "2   43.350000  -80.990000       AREA CORNER 1 \r\n"
                                   "2   43.360000  -80.990000       AREA CORNER 2 \r\n"
                                   "2   43.360000  -80.980000       AREA CORNER 3 \r\n"
                                   "20 WGS-84      6378137.0   298.257223563 22      ELLIPSOID\r\n";

const QByteArray ClarkeUtmFile = "1  U  279\r\n"
                                 "2   500600.0   4800700.0        AREA CORNER 1 \r\n"
                                 "2   500600.0   4801300.0        AREA CORNER 2 \r\n"
                                 "2   501400.0   4801300.0        AREA CORNER 3 \r\n"
                                 "20 CLARKE-1866 6378206.4   294.9786982   5       ELLIPSOID\r\n";

class BlockLoadingTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().Ellipsoid = Wgs84;
        globals().EllipsoidTable = { EllipsoidRecord(), Clarke1866, Wgs84 };
    }

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = workDir() + name;
        writeTestFile(path, bytes);
        return path;
    }

    int load(const QString& path, const BlockLoadOptions& options = {})
    {
        int index = 0;
        const AgnavOutcome outcome = loadBlockRecord(path, options, &index);
        EXPECT_TRUE(outcome.isDone()) << outcome.message().toStdString();
        return index;
    }
};

TEST_F(BlockLoadingTest, FirstLatitudeLongitudeBlockSetsUpTheMap)
{
    const int b = load(file(QStringLiteral("GEO.no1"), NorthernGeoFile));
    ASSERT_EQ(b, 1);
    const AGNAVBlock& block = blockAt(b);
    EXPECT_FALSE(globals().UTMMode);
    EXPECT_EQ(globals().CoordFormat, "0.0000");
    EXPECT_TRUE(mapState().NorthZone);
    EXPECT_EQ(mapState().Zone, 17);
    EXPECT_EQ(globals().Ellipsoid.Name, "WGS-84");
    EXPECT_FALSE(mapState().MapEmpty);
    EXPECT_TRUE(globals().AGNAVLoaded);
    // Held as read: degrees on a degree map.
    EXPECT_EQ(block.Boundary.X[3], -80.98);
    EXPECT_EQ(layerData().DataExtent.XMin, -80.99);
    EXPECT_EQ(layerData().DataExtent.YMax, 43.36);
    EXPECT_EQ(block.FileName, "GEO.no1");
    EXPECT_EQ(block.DataFolder, workDir());
    EXPECT_EQ(block.Colour, QBColor(0));
    EXPECT_EQ(block.Thickness, 1);
    // About 810 m by 1110 m, half of it: measured in square metres.
    EXPECT_NEAR(block.Area, 449000.0, 5000.0);
}

TEST_F(BlockLoadingTest, SouthernBlockSetsTheSouthernHemisphere)
{
    QByteArray south = NorthernGeoFile;
    south.replace("43.3", "-43.3");
    load(file(QStringLiteral("SOUTH.no1"), south));
    EXPECT_FALSE(mapState().NorthZone);
}

TEST_F(BlockLoadingTest, UtmBlockOnAnotherEllipsoidIsConvertedTwice)
{
    mapState().MapEmpty = false;
    const int b = load(file(QStringLiteral("CLARKE.no1"), ClarkeUtmFile));
    const GeographicDeg onClarke = toGeographic({ 500600.0, 4800700.0, 17, true }, Clarke1866);
    const ProjectedMetres onWgs = toUtm(onClarke, 17, Wgs84);
    EXPECT_NEAR(blockAt(b).Boundary.X[1], onWgs.easting, 1e-3);
    EXPECT_NEAR(blockAt(b).Boundary.Y[1], onWgs.northing, 1e-3);
    EXPECT_GT(std::abs(blockAt(b).Boundary.Y[1] - 4800700.0), 1.0);
    EXPECT_EQ(blockAt(b).Ellipsoid.Name, "CLARKE-1866");
    EXPECT_EQ(globals().Ellipsoid.Name, "WGS-84"); // the map keeps its own
}

TEST_F(BlockLoadingTest, UtmBlockOnItsOwnEllipsoidAndAnotherZoneIsNotMoved)
{
    mapState().MapEmpty = false;
    QByteArray zone18 = ClarkeUtmFile;
    zone18.replace("279", "285")
        .replace("20 CLARKE-1866 6378206.4   294.9786982", "20 WGS-84      6378137.0   298.257223563");
    const int b = load(file(QStringLiteral("Z18.no1"), zone18));
    EXPECT_EQ(blockAt(b).Zone, 18);
    EXPECT_EQ(mapState().Zone, 17);
    EXPECT_EQ(blockAt(b).Boundary.X[1], 500600.0);
}

TEST_F(BlockLoadingTest, LatitudeLongitudeBlockOnAUtmMapUsesTheMapsEllipsoid)
{
    mapState().MapEmpty = false;
    QByteArray clarkeGeo = NorthernGeoFile;
    clarkeGeo.replace(
        "20 WGS-84      6378137.0   298.257223563 22", "20 CLARKE-1866 6378206.4   294.9786982   5 ");
    const int b = load(file(QStringLiteral("GEO.no1"), clarkeGeo));
    const ProjectedMetres expected = toUtm({ 43.35, -80.99 }, 17, Wgs84);
    EXPECT_NEAR(blockAt(b).Boundary.X[1], expected.easting, 1e-6);
    EXPECT_NEAR(blockAt(b).Boundary.Y[1], expected.northing, 1e-6);
    EXPECT_TRUE(globals().UTMMode);
}

TEST_F(BlockLoadingTest, UtmBlockOnALatitudeLongitudeMapUsesItsOwnEllipsoid)
{
    mapState().MapEmpty = false;
    globals().UTMMode = false;
    const int b = load(file(QStringLiteral("CLARKE.no1"), ClarkeUtmFile));
    const GeographicDeg expected = toGeographic({ 500600.0, 4800700.0, 17, true }, Clarke1866);
    EXPECT_NEAR(blockAt(b).Boundary.X[1], expected.longitude, 1e-9);
    EXPECT_NEAR(blockAt(b).Boundary.Y[1], expected.latitude, 1e-9);
    EXPECT_EQ(blockAt(b).Boundary.XMin, blockAt(b).Boundary.X[1]);
}

TEST_F(BlockLoadingTest, SessionReloadKeepsTheMapAndTakesTheSessionsColour)
{
    BlockLoadOptions session;
    session.loadingSession = true;
    session.sessionColour = RGB(0, 0, 255);
    const int b = load(file(QStringLiteral("GEO.no1"), NorthernGeoFile), session);
    EXPECT_EQ(blockAt(b).Colour, RGB(0, 0, 255));
    EXPECT_TRUE(globals().UTMMode);
    EXPECT_EQ(globals().CoordFormat, "0");
}

TEST_F(BlockLoadingTest, FileWithoutEllipsoidTakesTheMaps)
{
    globals().Ellipsoid = Clarke1866;
    const int b = load(file(QStringLiteral("PLAIN.no1"), "1  U  279\r\n2   500600.0   4800700.0\r\n"));
    EXPECT_EQ(blockAt(b).Ellipsoid.Name, "CLARKE-1866");
    EXPECT_EQ(blockAt(b).Ellipsoid.Axis, Clarke1866.Axis);
}

TEST_F(BlockLoadingTest, FileWithoutCornersLoadsWithAreaZero)
{
    mapState().MapEmpty = false;
    globals().UTMMode = false;
    const int b = load(file(QStringLiteral("EMPTY.no1"), "1  U  279\r\n"));
    EXPECT_EQ(blockAt(b).VertexCount, 0);
    EXPECT_EQ(blockAt(b).Area, 0.0);
    EXPECT_EQ(blockAt(b).Boundary.XMin, BlockExtentStart);
}

TEST_F(BlockLoadingTest, SecondBlockWidensTheDataExtent)
{
    load(file(QStringLiteral("A.no1"), ClarkeUtmFile.left(ClarkeUtmFile.indexOf("20 "))));
    QByteArray east = ClarkeUtmFile.left(ClarkeUtmFile.indexOf("20 "));
    east.replace("501400.0", "502900.0");
    load(file(QStringLiteral("B.no1"), east));
    EXPECT_EQ(layerData().DataExtent.XMin, 500600.0);
    EXPECT_EQ(layerData().DataExtent.XMax, 502900.0);
    EXPECT_EQ(agnavData().BlockCount, 2);
}

TEST_F(BlockLoadingTest, RefusedFileLeavesBlocksAndMapAsTheyWere)
{
    const AgnavOutcome outcome
        = loadBlockRecord(file(QStringLiteral("BAD.no1"), "1  L  279\r\n2   43.35  north\r\n"), {});
    EXPECT_TRUE(outcome.message().startsWith("Line 2 (record 2): corner 1"));
    EXPECT_EQ(agnavData().BlockCount, 0);
    EXPECT_TRUE(mapState().MapEmpty);
    EXPECT_TRUE(globals().UTMMode);
    EXPECT_FALSE(globals().AGNAVLoaded);
    EXPECT_TRUE(loadBlockRecord(workDir() + QStringLiteral("absent.no1"), {}).isRefused());
}

TEST_F(BlockLoadingTest, The256thBlockIsRefusedBeforeItsFileIsRead)
{
    for (int i = 0; i < 255; ++i) {
        appendBlock();
    }
    const AgnavOutcome outcome = loadBlockRecord(file(QStringLiteral("GEO.no1"), NorthernGeoFile), {});
    EXPECT_EQ(outcome.message(), "Cannot load more than 255 AG-NAV blocks.");
    EXPECT_EQ(agnavData().BlockCount, 255);
    EXPECT_TRUE(globals().UTMMode);
}

} // namespace

TEST_F(BlockLoadingTest, BlocksThatNeedAMissingEllipsoidAreRefused)
{
    // The map holds data already, in its mode; its ellipsoid was not found.
    mapState().MapEmpty = false;
    const EllipsoidRecord missing { QStringLiteral("Everest 1830"), 0.0, 0.0 };
    const QByteArray utmWithoutEllipsoid = ClarkeUtmFile.left(ClarkeUtmFile.indexOf("20 "));
    const struct
    {
        const char* name;
        bool utmMap;
        QByteArray file;
        bool refused;
    } rows[] = {
        { "degrees onto a UTM map", true, NorthernGeoFile, true },
        { "another ellipsoid onto a UTM map", true, ClarkeUtmFile, true },
        { "UTM without an ellipsoid onto a degree map", false, utmWithoutEllipsoid, true },
        { "UTM with its own onto a degree map", false, ClarkeUtmFile, false },
        { "degrees onto a degree map", false, NorthernGeoFile, false },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        globals().Ellipsoid = missing;
        globals().UTMMode = row.utmMap;
        const int before = agnavData().BlockCount;
        const AgnavOutcome outcome = loadBlockRecord(file(QStringLiteral("B.no1"), row.file), {});
        EXPECT_EQ(outcome.isDone(), !row.refused) << outcome.message().toStdString();
        if (row.refused) {
            EXPECT_TRUE(outcome.message().contains("\"Everest 1830\" is not in \"ellipsoid.dat\""))
                << outcome.message().toStdString();
            EXPECT_EQ(agnavData().BlockCount, before);
            EXPECT_EQ(globals().UTMMode, row.utmMap);
        } else {
            EXPECT_TRUE(std::isfinite(blockAt(agnavData().BlockCount).Boundary.X[1]));
        }
    }
}

TEST_F(BlockLoadingTest, DegreesAcrossTheEquatorKeepTheMapsHemisphereAndFarBlocksAreRefused)
{
    const QByteArray equator = "1  L  279\r\n"
                               "2   -0.004000  -81.000000       AREA CORNER 1 \r\n"
                               "2    0.004000  -81.000000       AREA CORNER 2 \r\n"
                               "2    0.004000  -80.991000       AREA CORNER 3 \r\n"
                               "2   -0.004000  -80.991000       AREA CORNER 4 \r\n"
                               "20 WGS-84      6378137.0   298.257223563 22      ELLIPSOID\r\n";
    QByteArray far = equator;
    far.replace("-81.000000", " 33.000000").replace("-80.991000", " 33.009000");
    const QByteArray farUtm = "1  U  279\r\n2   39600000.0   110000.0        AREA CORNER 1 \r\n";
    const struct
    {
        const char* name;
        bool utmMap;
        bool north;
        QByteArray file;
        double southernNorthing; // of corner 1; 0 when refused
    } rows[] = {
        { "onto a northern UTM map", true, true, equator, -442.1202 },
        { "onto a southern UTM map", true, false, equator, 9999557.8798 },
        { "114 degrees from zone 17 onto a UTM map", true, true, far, 0.0 },
        { "39 600 km east onto a degree map", false, true, farUtm, 0.0 },
    };
    mapState().MapEmpty = false;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        globals().UTMMode = row.utmMap;
        mapState().NorthZone = row.north;
        const AgnavOutcome outcome = loadBlockRecord(file(QStringLiteral("B.no1"), row.file), {});
        if (row.southernNorthing == 0.0) {
            EXPECT_TRUE(
                outcome.message().startsWith("Points of the block \"B.no1\" lie more than 12 degrees"))
                << outcome.message().toStdString();
            EXPECT_EQ(agnavData().BlockCount, 2) << "the two before it only";
            continue;
        }
        ASSERT_TRUE(outcome.isDone()) << outcome.message().toStdString();
        const AGNAVBlock& block = blockAt(agnavData().BlockCount);
        EXPECT_NEAR(block.Boundary.Y[1], row.southernNorthing, 0.001);
        EXPECT_NEAR(block.Area, 885544.3, 1.0) << "1001.5 m by 884.2 m, clockwise";
    }
}

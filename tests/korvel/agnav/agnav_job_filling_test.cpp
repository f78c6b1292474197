#include "korvel/agnav/agnav_job_filling.h"

#include "korvel/agnav/agnav_ellipsoid_list.h"
#include "korvel/shell/utm_projection.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

namespace {

class AgnavJobFilling : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        m_list = builtInAgnavEllipsoids();
        m_list.push_back({ QStringLiteral("MINE"), QStringLiteral("6378140.5"), QStringLiteral("298.3") });
        globals().Ellipsoid = Wgs84;
        globals().EllipsoidTable
            = { EllipsoidRecord(), { QStringLiteral("WGS84"), 6378137.0, 298.257223563 } };
    }

    AGNAVJob job(const AgnavJobEntries& entries) const
    {
        return jobFromEntries(entries, m_list, serialFormats());
    }

    std::vector<AGNAVEllipsoid> m_list;
};

TEST_F(AgnavJobFilling, ListPositionsBecomeCodesAndTexts)
{
    const struct
    {
        int position;
        const char* side;
        const char* boomsText;
    } rows[] = { { 0, "L", "INSIDE AREA" }, { 1, "R", "SPRAY ON CLOSURE OF CONTACT" },
        { 2, "C", "SPRAY ON OPENING OF CONTACT" } };
    for (const auto& row : rows) {
        AgnavJobEntries entries;
        entries.Values.SpraySide = row.position;
        entries.Values.BoomsOn = row.position;
        entries.Values.NumAircraft = row.position;
        const AGNAVJob j = job(entries);
        EXPECT_EQ(j.SpraySideLetter, row.side);
        EXPECT_EQ(j.BoomsOnCode, QString::number(row.position));
        EXPECT_EQ(j.BoomsOnText, row.boomsText);
        EXPECT_EQ(j.NumAircraft, QString::number(row.position + 1));
    }
}

TEST_F(AgnavJobFilling, OptionsAndTheSerialFormatOfThePosition)
{
    AgnavJobEntries entries;
    entries.Values.CoordSystem = 1;
    entries.Values.Units = 1;
    entries.Values.Offset = 2;
    entries.Values.Communication = 11;
    const AGNAVJob j = job(entries);
    EXPECT_EQ(j.CoordLetter, "L");
    EXPECT_EQ(j.UnitsText, "U.S. SYSTEM DISPLAY");
    EXPECT_EQ(j.OffsetText, "NO OFFSET OF THE FIRST LINE");
    EXPECT_EQ(j.CommIndex, "11");
    EXPECT_EQ(j.CommFormat, "115200  N  1  8");
}

// A built-in row is written with its own texts; "USER-ENTER" and a row of
// the user's file as "USER-ENTER" with the values shown.
TEST_F(AgnavJobFilling, EllipsoidOfThePosition)
{
    const struct
    {
        int position;
        const char* name;
        const char* axis;
    } rows[] = { { 22, "WGS-84", "6378137.0" }, { 5, "CLARKE-1866", "6378206.4" },
        { 0, "USER-ENTER", "6378000" }, { 25, "USER-ENTER", "6378000" } };
    for (const auto& row : rows) {
        AgnavJobEntries entries;
        entries.EllipsoidPosition = row.position;
        entries.AxisText = QStringLiteral("6378000");
        entries.FlatteningText = QStringLiteral("297");
        const AGNAVJob j = job(entries);
        EXPECT_EQ(j.EllipsoidIndex, QString::number(row.position));
        EXPECT_EQ(j.Ellipsoid.EllipsoidName, row.name) << row.position;
        EXPECT_EQ(j.Ellipsoid.EllipsoidAxis, row.axis) << row.position;
    }
}

TEST_F(AgnavJobFilling, BlockTakesTheJobsValues)
{
    AGNAVBlock block = utmBlock(workDir() + "FIELD17.no1");
    block.CoordType.clear();
    block.Ellipsoid = { QString(), 0.0, 0.0 };
    AGNAVJob j = utmJob();
    j.Heading = QStringLiteral("45");
    j.OffsetCode = QStringLiteral("0");
    applyJobToBlock(j, block);
    EXPECT_EQ(block.CoordType, "UTM");
    EXPECT_EQ(block.Ellipsoid.Name, "WGS84") << "the program's own name for these numbers";
    EXPECT_EQ(block.Ellipsoid.Axis, 6378137.0);
    EXPECT_EQ(block.HeadingText, "45");
    EXPECT_EQ(block.SwathWidthText, "30");
    EXPECT_EQ(block.LineCountText, "20");
    EXPECT_EQ(block.OffsetCode, 0);
    EXPECT_EQ(block.MasterPoint.MasterX, "500600.0");
    EXPECT_EQ(block.MasterPoint.MasterY, "4800700.0");
    EXPECT_EQ(j.MasterX, "500600.0");

    // Numbers the table does not have: the block's own name stays, and an
    // unnamed block takes the job's.
    j.Ellipsoid = { QStringLiteral("USER-ENTER"), QStringLiteral("6378000"), QStringLiteral("297") };
    block.Ellipsoid.Name = QStringLiteral("Mine");
    applyJobToBlock(j, block);
    EXPECT_EQ(block.Ellipsoid.Name, "Mine");
    block.Ellipsoid.Name.clear();
    applyJobToBlock(j, block);
    EXPECT_EQ(block.Ellipsoid.Name, "USER-ENTER");
    EXPECT_EQ(block.Ellipsoid.InverseFlattening, 297.0);
}

TEST_F(AgnavJobFilling, MasterPointInTheFilesSystem)
{
    const GeographicDeg first = toGeographic({ 500600.0, 4800700.0, 17, true }, Wgs84);
    {
        // A lat/long job on a UTM map: degrees with six decimals.
        AGNAVBlock block = utmBlock(workDir() + "FIELD17.no1");
        AGNAVJob j = utmJob();
        j.CoordLetter = QStringLiteral("L");
        applyJobToBlock(j, block);
        EXPECT_EQ(block.CoordType, "GEO");
        EXPECT_EQ(j.MasterX, QString::number(first.longitude, 'f', 6));
        EXPECT_EQ(j.MasterY, QString::number(first.latitude, 'f', 6));
        EXPECT_EQ(block.Boundary.X[1], 500600.0) << "the block stays in the map's system";
    }
    {
        // A UTM job on a lat/long map: the converted first vertex, one decimal.
        globals().UTMMode = false;
        AGNAVBlock block = utmBlock(workDir() + "FIELD17.no1");
        block.Boundary.X[1] = first.longitude;
        block.Boundary.Y[1] = first.latitude;
        AGNAVJob j = utmJob();
        applyJobToBlock(j, block);
        EXPECT_EQ(j.MasterX, "500600.0");
        EXPECT_EQ(j.MasterY, "4800700.0");
    }
}

} // namespace

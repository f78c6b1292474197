// The sample block in samples/agnav, written by make_agnav_samples.py from
// the file formats, loads whole: boundary, guidance lines, exclusion zones
// and its three spray flights.
#include "korvel/agnav/block_loading.h"
#include "korvel/agnav/exclusion_zones.h"
#include "korvel/agnav/flight_file.h"
#include "korvel/guidance/guidance_file.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

#include <QFileInfo>

namespace {

class AgnavSamplesTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().Ellipsoid = Wgs84;
        globals().EllipsoidTable = { EllipsoidRecord(), Wgs84 };
        // The source folder from the environment, else from this file's own path.
        QString source = qEnvironmentVariable("KORVEL_SOURCE_DIR");
        if (source.isEmpty()) {
            source = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../..");
        }
        m_folder = QFileInfo(source + QStringLiteral("/samples/agnav")).canonicalFilePath() + u'/';
        if (!QFileInfo::exists(m_folder + QStringLiteral("FIELD17.no1"))) {
            GTEST_SKIP() << "samples/agnav not found";
        }
    }

    QString m_folder;
};

TEST_F(AgnavSamplesTest, Field17LoadsWithEverythingBesideIt)
{
    int b = 0;
    ASSERT_TRUE(loadBlockRecord(m_folder + QStringLiteral("FIELD17.no1"), {}, &b).isDone());
    const AGNAVBlock& block = blockAt(b);
    EXPECT_EQ(block.Zone, 17);
    EXPECT_EQ(block.VertexCount, 6);
    EXPECT_DOUBLE_EQ(block.Area, 2895000.0);
    EXPECT_EQ(block.DataFolder, m_folder + QStringLiteral("FIELD17/"));

    ASSERT_TRUE(LoadGuidanceFile(b).isDone());
    EXPECT_EQ(block.Guidance.LineCount, 60);
    EXPECT_EQ(block.Guidance.Lines[60].X[1], 502385.0);

    ASSERT_TRUE(LoadExclusionFile(b).isDone());
    EXPECT_EQ(block.ExclusionZoneCount, 2);
    EXPECT_DOUBLE_EQ(block.ExclusionAreas[1], 32550.0);

    int asked = 0;
    const auto speed = [&asked] {
        ++asked;
        return std::optional<int>(5000);
    };
    for (const char* log : { "N0612A01.T01", "N0612A02.T01", "N0613A01.T01" }) {
        ASSERT_TRUE(LoadFlightFile(b, block.DataFolder + QLatin1String(log), speed).isDone()) << log;
    }
    EXPECT_EQ(asked, 1); // only the log without flow data asks
    EXPECT_TRUE(block.Flights[3].NoFlowData);
    EXPECT_EQ(block.Flights[1].SwathWidth, 30);

    // The booms switch on entering the field and off over the zones.
    const FlightFile& first = block.Flights[1];
    int switches = 0;
    for (int k = 1; k < first.SampleCount; ++k) {
        switches += first.Spray[k] != first.Spray[k + 1];
    }
    EXPECT_GT(switches, 40);
}

} // namespace

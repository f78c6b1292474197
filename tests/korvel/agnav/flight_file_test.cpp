#include "korvel/agnav/flight_file.h"

#include "korvel/workspace/agnav_block.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

#include <QDir>

namespace {

class FlightFileTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        m_block = appendBlock();
        m_path = workDir() + QStringLiteral("N0612A01.T01");
        AgfSample s;
        s.easting = 500612;
        s.northing = 4800734;
        s.latitude = 43350000;
        s.longitude = -80990000;
        s.spray = 1;
        s.flow = 100;
        s.target = 100;
        writeTestFile(m_path, agfLog({ s, s, s }));
    }

    static std::optional<int> noQuestion()
    {
        ADD_FAILURE() << "asked for a speed";
        return std::nullopt;
    }

    int m_block = 0;
    QString m_path;
};

TEST_F(FlightFileTest, AppendsTheFlightToItsBlock)
{
    int index = 0;
    ASSERT_TRUE(LoadFlightFile(m_block, m_path, noQuestion, &index).isDone());
    EXPECT_EQ(index, 1);
    const AGNAVBlock& block = blockAt(m_block);
    EXPECT_EQ(block.FlightCount, 1);
    EXPECT_EQ(agnavData().FlightCount, 1);
    const FlightFile& flight = block.Flights[1];
    EXPECT_EQ(flight.Path, m_path);
    EXPECT_EQ(flight.Name, "N0612A01.T01");
    EXPECT_EQ(flight.SampleCount, 3);
    EXPECT_EQ(flight.Position[3].X, 500612.0);
    EXPECT_TRUE(flightPathLoaded(m_path));
}

TEST_F(FlightFileTest, PositionsFollowTheMapsSystem)
{
    globals().UTMMode = false;
    ASSERT_TRUE(LoadFlightFile(m_block, m_path, noQuestion).isDone());
    EXPECT_DOUBLE_EQ(blockAt(m_block).Flights[1].Position[1].X, -80.99);
    EXPECT_DOUBLE_EQ(blockAt(m_block).Flights[1].Position[1].Y, 43.35);
}

TEST_F(FlightFileTest, RefusedOrCancelledLogLeavesTheBlockAsItWas)
{
    ASSERT_TRUE(LoadFlightFile(m_block, m_path, noQuestion).isDone());

    const QString seventy = workDir() + QStringLiteral("N0612A02.T01");
    writeTestFile(seventy, agfLog({ AgfSample() }, 2));
    EXPECT_TRUE(LoadFlightFile(m_block, seventy, noQuestion).isRefused());

    const QString noFlow = workDir() + QStringLiteral("N0612A03.T01");
    writeTestFile(noFlow, agfLog({ AgfSample() }));
    EXPECT_TRUE(LoadFlightFile(m_block, noFlow, [] { return std::optional<int>(); }).isCancelled());

    const AgnavOutcome missing
        = LoadFlightFile(m_block, workDir() + QStringLiteral("absent.T01"), noQuestion);
    EXPECT_TRUE(missing.message().startsWith("Cannot read " + workDir() + "absent.T01: "));

    EXPECT_EQ(blockAt(m_block).FlightCount, 1);
    EXPECT_EQ(blockAt(m_block).Flights.size(), 2u);
    EXPECT_EQ(agnavData().FlightCount, 1);
}

TEST_F(FlightFileTest, The256thFlightOfABlockIsRefusedBeforeReading)
{
    // The "Loaded Files" list holds 255 rows: the block's own row and 254
    // flights fill it, so the list's limit comes before the block's own.
    for (int i = 0; i < 254; ++i) {
        ASSERT_TRUE(LoadFlightFile(m_block, m_path, noQuestion).isDone());
    }
    int index = 0;
    const AgnavOutcome outcome = LoadFlightFile(m_block, m_path, noQuestion, &index);
    EXPECT_TRUE(outcome.message().startsWith("The Loaded Files list cannot hold more than 255 rows."));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(blockAt(m_block).FlightCount, 254);
    EXPECT_EQ(blockAt(m_block).Flights[254].Path, m_path);
    EXPECT_EQ(agnavData().FlightCount, 254);
    // The block's own limit stands behind it.
    blockAt(m_block).FlightCount = 255;
    EXPECT_EQ(
        flightLimitRefusal(blockAt(m_block)), "Cannot load more than 255 spray data files for one block.");
}

} // namespace

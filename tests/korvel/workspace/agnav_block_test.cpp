#include "korvel/workspace/agnav_block.h"

#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"

namespace {

using AgnavBlockTest = KorvelTest;

TEST_F(AgnavBlockTest, StartsWithOnlyTheUnusedElements)
{
    const AgnavData& data = agnavData();
    EXPECT_EQ(data.BlockCount, 0);
    EXPECT_EQ(data.Blocks.size(), 1u);
    const AGNAVBlock& block = data.Blocks[0];
    EXPECT_EQ(block.Flights.size(), 1u);
    EXPECT_EQ(block.ExclusionZones.size(), 1u);
    EXPECT_EQ(block.ExclusionAreas.size(), 1u);
    EXPECT_EQ(block.Guidance.Lines.size(), 1u);
}

TEST_F(AgnavBlockTest, The256thBlockIsRefusedAndTheOthersStay)
{
    for (int i = 1; i <= 255; ++i) {
        ASSERT_EQ(appendBlock(), i);
    }
    blockAt(255).Path = QStringLiteral("/data/last.no1");
    EXPECT_EQ(blockLimitRefusal(), "Cannot load more than 255 AG-NAV blocks.");
    try {
        appendBlock();
        FAIL() << "no refusal";
    } catch (const VbError& error) {
        EXPECT_EQ(error.Number(), 6);
        EXPECT_EQ(error.Description(), "Cannot load more than 255 AG-NAV blocks.");
    }
    EXPECT_EQ(agnavData().BlockCount, 255);
    EXPECT_EQ(blockAt(255).Path, "/data/last.no1");
}

TEST_F(AgnavBlockTest, RemovingABlockClosesTheGapAndItsCounts)
{
    for (int i = 1; i <= 3; ++i) {
        blockAt(appendBlock()).Path = QStringLiteral("/data/%1.no1").arg(i);
    }
    globals().AGNAVLoaded = true;
    AgnavData& data = agnavData();
    appendFlight(2, FlightFile());
    appendFlight(2, FlightFile());
    appendFlight(3, FlightFile());
    blockAt(2).GuidanceLoaded = blockAt(2).ExclusionLoaded = true;
    data.GuidanceCount = data.ExclusionCount = 1;

    removeBlock(2);
    EXPECT_EQ(data.BlockCount, 2);
    EXPECT_EQ(blockAt(2).Path, "/data/3.no1");
    EXPECT_EQ(data.FlightCount, 1);
    EXPECT_EQ(data.GuidanceCount, 0);
    EXPECT_EQ(data.ExclusionCount, 0);
    EXPECT_TRUE(globals().AGNAVLoaded);

    removeLastBlock();
    removeLastBlock();
    removeLastBlock(); // nothing left: no effect
    EXPECT_EQ(data.BlockCount, 0);
    EXPECT_EQ(data.Blocks.size(), 1u);
    EXPECT_FALSE(globals().AGNAVLoaded);
}

TEST_F(AgnavBlockTest, BlockIndexOutsideTheListRaisesError9)
{
    appendBlock();
    for (int index : { 0, 2, -1 }) {
        try {
            blockAt(index);
            FAIL() << index;
        } catch (const VbError& error) {
            EXPECT_EQ(error.Number(), 9);
        }
    }
}

TEST_F(AgnavBlockTest, LoadedPathsAreComparedExactly)
{
    blockAt(appendBlock()).Path = QStringLiteral("/data/FIELD.no1");
    FlightFile flight;
    flight.Path = QStringLiteral("/data/FIELD/N0000001.T01");
    appendFlight(1, flight);
    EXPECT_TRUE(blockPathLoaded("/data/FIELD.no1"));
    EXPECT_FALSE(blockPathLoaded("/data/field.no1"));
    EXPECT_TRUE(flightPathLoaded("/data/FIELD/N0000001.T01"));
    EXPECT_FALSE(flightPathLoaded("/data/FIELD/N0000002.T01"));
}

} // namespace

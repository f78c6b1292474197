#include "korvel/workspace/list_rows.h"

#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "tests/support/korvel_test.h"

namespace {

class ListRows : public KorvelTest
{
protected:
    // A block with the given sub-items, counted as a loader counts them.
    static void addBlock(bool guidance, bool exclusion, int flights)
    {
        AGNAVBlock& block = blockAt(appendBlock());
        block.GuidanceLoaded = guidance;
        block.ExclusionLoaded = exclusion;
        block.FlightCount = flights;
        block.Flights.resize(size_t(flights) + 1);
        AgnavData& agnav = agnavData();
        agnav.GuidanceCount += guidance ? 1 : 0;
        agnav.ExclusionCount += exclusion ? 1 : 0;
        agnav.FlightCount += flights;
    }
};

TEST_F(ListRows, RowsThatDoNotFitTheFrame)
{
    struct Row
    {
        const char* name;
        int total;
        int frameHeight;
        int rowHeight;
        bool eight;
        int hidden;
    };
    // Room: (334 - 2 - 18) / 18 = 17.44 rows; (250 - 32) / 16 = 13.625 rows.
    const Row rows[] = {
        { "nothing loaded", 0, 334, 18, false, 0 },
        { "all fit", 17, 334, 18, false, 0 },
        { "one over", 18, 334, 18, false, 1 },
        { "many over", 30, 334, 18, false, 13 },
        { "800 screen", 30, 250, 16, true, 16 },
        { "800 screen, less than half a row over", 14, 250, 16, true, 0 },
        { "800 screen, more than a row over", 15, 250, 16, true, 1 },
        { "the list's limit", 255, 334, 18, false, 238 },
    };
    for (const Row& row : rows) {
        EXPECT_EQ(hiddenRowCount(row.total, row.frameHeight, row.rowHeight, row.eight), row.hidden)
            << row.name;
    }
    // A frame of 248 pixels has room for 13.5 rows: a half goes to the even neighbour.
    EXPECT_EQ(hiddenRowCount(28, 248, 16, true), 14) << "14.5";
    EXPECT_EQ(hiddenRowCount(29, 248, 16, true), 16) << "15.5";
}

TEST_F(ListRows, TheListRefusesItsTwoHundredFiftySixthRow)
{
    layerData().ImageCount = 100; // counts only: the rows are what counts
    layerData().GISCount = 100;
    addBlock(true, false, 53); // 54 rows: 254 in all
    EXPECT_EQ(listRowTotal(), 255);
    EXPECT_TRUE(listRowLimitRefusal(0).isEmpty());
    EXPECT_TRUE(listRowLimitRefusal().startsWith("The Loaded Files list cannot hold more than 255 rows."));
    layerData().GISCount = 99;
    EXPECT_TRUE(listRowLimitRefusal().isEmpty());
}

} // namespace

#include "korvel/layers/list_rows.h"

#include "korvel/agnav/agnav_block.h"
#include "korvel/map/layer_records.h"
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
        EXPECT_EQ(hiddenRowCount(row.total, row.frameHeight, row.rowHeight, row.eight), row.hidden) << row.name;
    }
    // A frame of 248 pixels has room for 13.5 rows: a half goes to the even neighbour.
    EXPECT_EQ(hiddenRowCount(28, 248, 16, true), 14) << "14.5";
    EXPECT_EQ(hiddenRowCount(29, 248, 16, true), 16) << "15.5";
}

TEST_F(ListRows, SubRowsAreNumberedOnOverTheBlocks)
{
    addBlock(true, true, 2); // sub-rows 1 guidance, 2 exclusion, 3 and 4 flights
    addBlock(false, false, 0); // none
    addBlock(false, true, 1); // 5 exclusion, 6 flight
    EXPECT_EQ(subRowTotal(), 6);
    EXPECT_EQ(subRowBase(1), 0);
    EXPECT_EQ(subRowBase(3), 4);

    struct Expected
    {
        int index;
        int block;
        SubRowKind kind;
        int flight;
    };
    const Expected places[] = { { 1, 1, SubRowKind::Guidance, 0 }, { 2, 1, SubRowKind::Exclusion, 0 },
        { 3, 1, SubRowKind::Flight, 1 }, { 4, 1, SubRowKind::Flight, 2 }, { 5, 3, SubRowKind::Exclusion, 0 },
        { 6, 3, SubRowKind::Flight, 1 } };
    for (const Expected& expected : places) {
        const SubRowPlace place = locateSubRow(expected.index);
        EXPECT_EQ(place.block, expected.block) << expected.index;
        EXPECT_EQ(place.kind, expected.kind) << expected.index;
        EXPECT_EQ(place.flight, expected.flight) << expected.index;
    }
    EXPECT_EQ(locateSubRow(7).block, 0);
    EXPECT_EQ(locateSubRow(0).block, 0);
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

TEST_F(ListRows, CaptionsAndTipsOfRows)
{
    AGNAVBlock block;
    block.DataSubfolder = QStringLiteral("SPRING03/");
    block.Flights.resize(2);
    block.Flights[1].Name = QStringLiteral("N0612A01.T01");
    block.ExclusionZoneCount = 1;
    EXPECT_EQ(subRowCaption(block, SubRowKind::Guidance, 0), "Guidance Lines");
    EXPECT_EQ(subRowCaption(block, SubRowKind::Exclusion, 0), "Exclusion Zone");
    block.ExclusionZoneCount = 3;
    EXPECT_EQ(subRowCaption(block, SubRowKind::Exclusion, 0), "Exclusion Zones");
    EXPECT_EQ(subRowCaption(block, SubRowKind::Flight, 1), "../SPRING03/N0612A01.T01");

    EXPECT_EQ(rowToolTip("/Data/Fields.shp", "/data/fields.SHP"), "") << "letter case aside, the caption is the path";
    EXPECT_EQ(rowToolTip("/data/ ... /fields.shp", "/data/a/b/fields.shp"), "/data/a/b/fields.shp");
}

} // namespace

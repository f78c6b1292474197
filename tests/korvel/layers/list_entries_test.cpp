#include "tests/korvel/layers/layer_list_fixture.h"

#include <QCheckBox>
#include <QLabel>

namespace {

using ListEntries = LayerListTest;

TEST_F(ListEntries, ASubRowInsertedAmongABlocksOwnKeepsEveryLaterTick)
{
    // Block 1: guidance (1) and two flights (2, 3); block 2: one flight (4),
    // unticked by the user.
    const int first = addBlock("north.no1");
    addGuidance(first);
    addFlight(first, "N1.T01");
    addFlight(first, "N2.T01");
    const int second = addBlock("south.no1");
    addFlight(second, "N3.T01");
    MainForm& window = form();
    window.Check3[2].setChecked(false);
    window.Check3[4].setChecked(false);

    addExclusion(first);
    EXPECT_EQ(ticks(window.Check3), "11010");
    EXPECT_EQ(captions(window.CheckLabel3),
        QStringList({ "Guidance Lines", "Exclusion Zone", "../JOB/N1.T01", "../JOB/N2.T01", "../JOB/N3.T01" }));

    // Guidance lines of the second block go first among its own rows.
    addGuidance(second);
    EXPECT_EQ(ticks(window.Check3), "110110");
    EXPECT_EQ(window.CheckLabel3[5].text(), "Guidance Lines");
}

TEST_F(ListEntries, ABlockLoadedWithGuidanceAndZonesGetsBothRowsTicked)
{
    // The block loader counts the block's guidance and zones before it
    // announces the rows, one after the other.
    const int first = addBlock("north.no1");
    addFlight(first, "N1.T01");
    const int block = addBlock("south.no1");
    MainForm& window = form();
    window.Check3[1].setChecked(false);
    AGNAVBlock& record = blockAt(block);
    record.GuidanceLoaded = true;
    record.ExclusionLoaded = true;
    record.ExclusionZoneCount = 1;
    ++agnavData().GuidanceCount;
    ++agnavData().ExclusionCount;
    window.AddGuidanceListEntry(block);
    window.AddExclusionListEntry(block);
    EXPECT_EQ(ticks(window.Check3), "011");
    EXPECT_EQ(captions(window.CheckLabel3), QStringList({ "../JOB/N1.T01", "Guidance Lines", "Exclusion Zone" }));
}

TEST_F(ListEntries, AnnouncingTheSameExclusionZonesAgainAddsNoRow)
{
    const int block = addBlock("north.no1");
    addExclusion(block);
    addFlight(block, "N1.T01");
    MainForm& window = form();
    // A second zone saved into a block whose zones are loaded: no count rises.
    blockAt(block).ExclusionZoneCount = 2;
    window.AddExclusionListEntry(block);
    EXPECT_EQ(window.Check3.UBound(), 2);
    EXPECT_EQ(window.CheckLabel3[1].text(), "Exclusion Zones");
}

} // namespace

#include "korvel/layers/layer_list.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/vb_input_codes.h"
#include "tests/korvel/layers/layer_list_fixture.h"

#include <QCheckBox>
#include <QLabel>

namespace {

using LayerDeletion = LayerListTest;

TEST_F(LayerDeletion, TheFirstOfTwoBlocksGoesWithItsSubRowsAndTheSecondKeepsItsTicks)
{
    const int first = addBlock("north.no1");
    addGuidance(first);
    addExclusion(first);
    for (const char* name : { "F1.T01", "F2.T01", "F3.T01" }) {
        addFlight(first, QString::fromLatin1(name));
    }
    const int second = addBlock("south.no1");
    addExclusion(second);
    addFlight(second, "F4.T01");
    MainForm& window = form();
    window.Check3[7].setChecked(false); // the second block's flight
    window.AGCheck[2].setChecked(false);

    EXPECT_TRUE(LayerList::instance().DeleteAGNAV(first));
    const AgnavData& agnav = agnavData();
    EXPECT_EQ(agnav.BlockCount, 1);
    EXPECT_EQ(agnav.GuidanceCount, 0);
    EXPECT_EQ(agnav.ExclusionCount, 1);
    EXPECT_EQ(agnav.FlightCount, 1);
    EXPECT_EQ(blockAt(1).FileName, "south.no1");
    EXPECT_EQ(ticks(window.Check3), "10");
    EXPECT_EQ(ticks(window.AGCheck), "0");
    EXPECT_EQ(captions(window.CheckLabel3), QStringList({ "Exclusion Zone", "../JOB/F4.T01" }));
    EXPECT_FALSE(window.AGCheck.exists(2));

    EXPECT_TRUE(LayerList::instance().DeleteAGNAV(1));
    EXPECT_FALSE(globals().AGNAVLoaded);
    EXPECT_EQ(window.Check3.UBound(), 0);
}

TEST_F(LayerDeletion, ABlockBeingDigitizedIsRefusedAndTheToolsFollowTheRenumbering)
{
    for (const char* name : { "a.no1", "b.no1", "c.no1" }) {
        addBlock(QString::fromLatin1(name));
    }
    MainForm& window = form();
    window.SelectedBlock = 3; // an exclusion zone is digitized in block 3
    window.ShiftBlock = 2;
    queueMsgBoxAnswer(vbOK);
    LayerList::instance().AGCheckLabel_MouseDown(3, vbRightButton, vbCtrlMask, 0, 0);
    EXPECT_EQ(agnavData().BlockCount, 3);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt,
        "You are currently digitizing guidance lines within this block.\r"
        "Please accept or cancel the digitizing before deleting the block.");

    EXPECT_TRUE(LayerList::instance().DeleteAGNAV(1));
    EXPECT_EQ(window.SelectedBlock, 2) << "still block c";
    EXPECT_EQ(window.ShiftBlock, 1) << "still block b";
    EXPECT_EQ(blockAt(window.SelectedBlock).FileName, "c.no1");
}

TEST_F(LayerDeletion, OnlyAShownItemMakesTheNextRedrawStartAfresh)
{
    addLayer("fields.shp", 0);
    addLayer("roads.shp", 0);
    const int block = addBlock("north.no1");
    addFlight(block, "F1.T01");
    MainForm& window = form();
    window.GISCheck[1].setChecked(false);
    window.DeleteSHP(1);
    EXPECT_FALSE(redrawState().LayerRemoved);
    window.DeleteSHP(1);
    EXPECT_TRUE(redrawState().LayerRemoved);
    EXPECT_FALSE(globals().GISLoaded);

    // A block whose boundary was not drawn but whose flight was counts as shown.
    redrawState().LayerRemoved = false;
    blockAt(block).Flights[1].Visible = true;
    LayerList::instance().DeleteAGNAV(block);
    EXPECT_TRUE(redrawState().LayerRemoved);
}

} // namespace

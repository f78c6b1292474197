#include "korvel/layers/layer_list.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/vb_input_codes.h"
#include "tests/korvel/layers/layer_list_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

// The floating copy of the list: counts how often it is brought up to date.
class FloatingListStandIn final : public FloatingToolWindow
{
public:
    void show() override { }
    void unload() override { }
    QWidget* window() const override { return nullptr; }
    void refreshForm() override { ++refreshes; }
    int refreshes = 0;
};

class SubRowRemoval : public LayerListTest
{
protected:
    // Block 1: guidance (1), exclusion (2), flights F1 (3) and F2 (4);
    // block 2: one flight (5), unticked.
    void loadTwoBlocks()
    {
        const int first = addBlock("north.no1");
        addGuidance(first);
        addExclusion(first);
        addFlight(first, "F1.T01");
        addFlight(first, "F2.T01");
        const int second = addBlock("south.no1");
        addFlight(second, "F3.T01");
        form().Check3[5].setChecked(false);
    }
};

TEST_F(SubRowRemoval, AFlightGoesAndTheRowsAfterItMoveUpWithTheirTicks)
{
    loadTwoBlocks();
    MainForm& window = form();
    FloatingListStandIn floating;
    setFloatingToolWindow(FloatingTool::CheckList, &floating);
    window.Check1[1].setChecked(true);
    window.Check3[4].setChecked(false); // F2 hidden
    floating.refreshes = 0;
    LayerList::instance().CheckLabel3_MouseDown(3, vbRightButton, vbCtrlMask, 0, 0);
    EXPECT_GE(floating.refreshes, 1) << "the floating list shown loses the row too";
    setFloatingToolWindow(FloatingTool::CheckList, nullptr);
    const AGNAVBlock& north = blockAt(1);
    EXPECT_EQ(north.FlightCount, 1);
    EXPECT_EQ(north.Flights[1].Name, "F2.T01");
    EXPECT_EQ(agnavData().FlightCount, 2);
    EXPECT_EQ(ticks(window.Check3), "1100");
    EXPECT_EQ(captions(window.CheckLabel3),
        QStringList({ "Guidance Lines", "Exclusion Zone", "../JOB/F2.T01", "../JOB/F3.T01" }));
    EXPECT_FALSE(window.Check3.exists(5));
}

TEST_F(SubRowRemoval, GuidanceLinesGoAndTheExclusionRowBecomesTheFirst)
{
    loadTwoBlocks();
    MainForm& window = form();
    blockAt(1).Guidance.Visible = true; // drawn at the last redraw
    LayerList::instance().CheckLabel3_MouseDown(1, vbRightButton, vbCtrlMask, 0, 0);
    EXPECT_FALSE(blockAt(1).GuidanceLoaded);
    EXPECT_EQ(agnavData().GuidanceCount, 0);
    EXPECT_EQ(window.CheckLabel3[1].text(), "Exclusion Zone");
    EXPECT_TRUE(redrawState().LayerRemoved) << "a drawn item went away";
    EXPECT_EQ(ticks(window.Check3), "1110");

    // An item that was not drawn goes without a fresh start of the redraw.
    redrawState().LayerRemoved = false;
    LayerList::instance().CheckLabel3_MouseDown(1, vbRightButton, vbCtrlMask, 0, 0);
    EXPECT_FALSE(blockAt(1).ExclusionLoaded);
    EXPECT_EQ(blockAt(1).ExclusionZoneCount, 0);
    EXPECT_FALSE(redrawState().LayerRemoved);
}

} // namespace

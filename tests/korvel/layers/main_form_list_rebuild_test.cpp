#include "korvel/workspace/program_globals.h"
#include "platform/tool_bar.h"
#include "platform/vb_colors.h"
#include "tests/korvel/layers/layer_list_fixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>

namespace {

using ListRebuild = LayerListTest;

QColor captionColour(const QLabel& label)
{
    return label.palette().color(QPalette::WindowText);
}

TEST_F(ListRebuild, RowsOfEveryKindStandOneRowApartWithTheSeparatorBeforeTheBlocks)
{
    addImage("photo.jpg", true);
    addLayer("fields.shp", RGB(0, 128, 0));
    addLayer("roads.shp", RGB(255, 0, 0));
    const int first = addBlock("north.no1");
    addGuidance(first);
    addExclusion(first, 1);
    addFlight(first, "N1.T01");
    addFlight(first, "N2.T01");
    const int second = addBlock("south.no1");
    addFlight(second, "N3.T01");
    MainForm& window = form();

    EXPECT_EQ(window.ImageCheck[1].y(), 18);
    EXPECT_EQ(window.GISCheck[1].y(), 36);
    EXPECT_EQ(window.GISCheck[2].y(), 54);
    EXPECT_EQ(window.GISColorBox[2].palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(window.Line1->y(), 74);
    EXPECT_TRUE(window.Line1->isVisibleTo(window.Frame1));
    // 7 pixels lower than the plain grid, for the separator.
    EXPECT_EQ(window.AGCheck[1].y(), 54 + 7 + 18);
    const int subTops[] = { 97, 115, 133, 151, 187 };
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(window.Check3[k].y(), subTops[k - 1]) << k;
    }
    EXPECT_EQ(window.AGCheck[2].y(), 79 + 5 * 18) << "five rows below the first block";
    EXPECT_EQ(captions(window.CheckLabel3),
        QStringList(
            { "Guidance Lines", "Exclusion Zone", "../JOB/N1.T01", "../JOB/N2.T01", "../JOB/N3.T01" }));
    EXPECT_EQ(window.CheckLabel3[1].x(), 76) << "sub-rows are indented";
    EXPECT_TRUE(window.Toolbar->Enabled(1));
}

TEST_F(ListRebuild, SubRowNumbersTellTheRedrawWhichItemToShow)
{
    const int first = addBlock("north.no1");
    addGuidance(first);
    addFlight(first, "N1.T01");
    const int second = addBlock("south.no1");
    addExclusion(second, 2);
    addFlight(second, "N2.T01");
    MainForm& window = form();
    // Only blocks: the first block row sits where the first image row would.
    EXPECT_EQ(window.AGCheck[1].y(), 18);
    EXPECT_FALSE(window.Line1->isVisibleTo(window.Frame1));
    EXPECT_EQ(window.CheckLabel3[3].text(), "Exclusion Zones");

    window.Check3[1].setChecked(false); // block 1's guidance lines
    window.Check3[4].setChecked(false); // block 2's flight
    window.Graph(true);
    const AGNAVBlock& north = blockAt(first);
    const AGNAVBlock& south = blockAt(second);
    EXPECT_FALSE(north.Guidance.Visible);
    EXPECT_TRUE(north.Flights[1].Visible);
    EXPECT_TRUE(south.ExclusionVisible);
    EXPECT_FALSE(south.Flights[1].Visible);
}

TEST_F(ListRebuild, ImagesShowOnlyWithAGeoReferenceAndInUtmMode)
{
    addImage("placed.jpg", true);
    addImage("loose.jpg", false);
    MainForm& window = form();
    EXPECT_TRUE(window.ImageCheck[1].isEnabled());
    EXPECT_FALSE(window.ImageCheck[2].isChecked());
    EXPECT_FALSE(window.ImageCheck[2].isEnabled());
    EXPECT_EQ(captionColour(window.ImageCheckLabel[2]), QColor(128, 0, 0));
    EXPECT_EQ(window.ImageCheckLabel[1].toolTip(), "") << "the caption is the path";

    globals().UTMMode = false;
    window.RefreshChecklist();
    EXPECT_FALSE(window.ImageCheck[1].isEnabled());
    EXPECT_TRUE(window.ImageCheck[1].isChecked()) << "the tick is kept for the way back";
}

TEST_F(ListRebuild, ScrollingShowsTheLastRowAtTheEndOnBothScreens)
{
    struct Screen
    {
        int width;
        int height;
        int rowHeight;
        int lastRowAtStart; // the last row inside the window at position 0
        int maximum;
    };
    for (const Screen& screen : { Screen { 800, 600, 16, 13, 18 }, Screen { 1024, 768, 18, 17, 13 } }) {
        SCOPED_TRACE(screen.width);
        resetLayerData();
        MainForm::release();
        settle();
        useScreen(screen.width, screen.height);
        for (int i = 1; i <= 30; ++i) {
            addLayer(QStringLiteral("layer%1.shp").arg(i), 0);
        }
        MainForm& window = form();
        EXPECT_TRUE(window.ChecklistScroll->isVisibleTo(window.Frame1));
        EXPECT_EQ(window.ChecklistScroll->maximum(), screen.maximum);
        QList<int> expected;
        for (int i = 1; i <= screen.lastRowAtStart; ++i) {
            expected << i;
        }
        EXPECT_EQ(shownRows(window.GISCheck), expected);

        window.ChecklistScroll->setValue(screen.maximum);
        expected.clear();
        for (int i = screen.maximum + 1; i <= 30; ++i) {
            expected << i;
        }
        EXPECT_EQ(shownRows(window.GISCheck), expected);
        EXPECT_EQ(window.GISCheck[screen.maximum + 1].y(), screen.rowHeight);
    }
}

} // namespace

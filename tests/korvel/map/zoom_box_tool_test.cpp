// The zoom box: its corner at the picture's shape, the boxes it writes, the
// order they are put in on release, and the zoom window it keeps up to date.
#include "korvel/map/zoom_box_tool.h"

#include "korvel/map/map_state.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/program_globals.h"
#include "platform/line_control.h"
#include "tests/korvel/map/map_view_fixture.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

class ZoomBoxOnForm : public MapViewTest
{
protected:
    QStringList boxes()
    {
        MainForm& window = form();
        return { window.Text1->text(), window.Text2->text(), window.Text3->text(), window.Text4->text() };
    }
};

class CountingZoomWindow final : public FloatingToolWindow
{
public:
    void show() override { }
    void unload() override { }
    QWidget* window() const override { return nullptr; }
    void refreshForm() override { ++refreshes; }
    int refreshes = 0;
};

} // namespace

TEST(ZoomBoxCorner, TheLargerPullLeadsAndTheOtherSideTakesThePicturesShape)
{
    struct Row
    {
        const char* name;
        MapPoint pointer;
        double width;
        double height;
        MapPoint corner;
    };
    // From (1000, 1000).
    const Row rows[] = {
        { "south-west, x leads", { 600, 900 }, 2, 1, { 600, 800 } },
        { "north-east, y leads", { 1100, 1400 }, 2, 1, { 1800, 1400 } },
        { "no horizontal pull: no width", { 1000, 1300 }, 2, 1, { 1000, 1300 } },
        { "no vertical pull: no height", { 1400, 1000 }, 2, 1, { 1400, 1000 } },
        { "square picture, x leads", { 1200, 900 }, 1, 1, { 1200, 800 } },
        { "equal pulls: the pointer is the corner", { 1200, 900 }, 2, 1, { 1200, 900 } },
    };
    for (const Row& row : rows) {
        const MapPoint corner = zoomBoxCorner({ 1000, 1000 }, row.pointer, row.width, row.height);
        EXPECT_DOUBLE_EQ(corner.x, row.corner.x) << row.name;
        EXPECT_DOUBLE_EQ(corner.y, row.corner.y) << row.name;
    }
}

TEST(ZoomBoxCorner, ReleasedBoxesArePutInOrderWithTheOldValueAsPlainNumber)
{
    const ExtentTexts swapped = orderedExtentTexts({ "-96.1200", "45.5000", "-97.0000", "44.2500" });
    EXPECT_EQ(swapped.west, "-97.0000");
    EXPECT_EQ(swapped.east, "-96.12") << "written without the coordinate format";
    EXPECT_EQ(swapped.south, "44.2500");
    EXPECT_EQ(swapped.north, "45.5");

    const ExtentTexts ordered = orderedExtentTexts({ "600", "800", "1000", "1000" });
    EXPECT_EQ(ordered.west, "600");
    EXPECT_EQ(ordered.east, "1000");
    EXPECT_EQ(orderedExtentTexts({ "abc", "0", "5", "0" }).west, "abc") << "no number, no swap";
}

TEST_F(ZoomBoxOnForm, ADragWritesTheBoxesAndTheReleasePutsThemInOrder)
{
    MainForm& window = form();
    window.ApplyMapExtent(); // opens the boxes for entry
    // The picture is 404 x 303 outside: height over width 0.75.
    window.Picture1_MouseDown(1, 0, 1000, 1000);
    EXPECT_TRUE(window.SelLineTop->Visible());
    EXPECT_EQ(boxes().mid(0, 2), QStringList({ "1000", "1000" }));

    window.Picture1_MouseMove(1, 0, 600, 900);
    EXPECT_DOUBLE_EQ(window.SelLineTop->Y1(), 700.0) << "1000 - 0.75 x 400";
    EXPECT_DOUBLE_EQ(window.SelLineRight->X1(), 600.0);
    EXPECT_DOUBLE_EQ(window.SelLineBottom->X2(), 600.0);
    EXPECT_DOUBLE_EQ(window.SelLineLeft->Y2(), 700.0);
    EXPECT_EQ(boxes(), QStringList({ "1000", "1000", "600", "700" }));

    mapState().ExtentEdited = false;
    window.Picture1_MouseUp(1, 0, 600, 900);
    EXPECT_EQ(boxes(), QStringList({ "600", "700", "1000", "1000" }));
    EXPECT_TRUE(mapState().ExtentEdited);
    EXPECT_TRUE(window.SelLineTop->Visible()) << "the box stays until the extent is applied";

    // Other buttons and a closed entry draw nothing.
    window.Picture1_MouseMove(3, 0, 0, 0);
    window.Picture1_MouseMove(2, 0, 0, 0);
    EXPECT_DOUBLE_EQ(window.SelLineRight->X1(), 600.0);
    window.ApplyMapExtent();
    EXPECT_FALSE(window.SelLineTop->Visible());
    window.Picture1_MouseDown(1, 0, 5, 5);
    EXPECT_FALSE(window.SelLineTop->Visible());
}

TEST_F(ZoomBoxOnForm, AClickWithoutDragGivesOnePointInBothCornersInDegrees)
{
    MainForm& window = form();
    globals().UTMMode = false;
    globals().CoordFormat = QStringLiteral("0.0000");
    window.ApplyMapExtent();
    window.Picture1_MouseDown(1, 0, -96.12f, 45.5f);
    window.Picture1_MouseUp(1, 0, -96.12f, 45.5f);
    EXPECT_EQ(boxes(), QStringList({ "-96.1200", "45.5000", "-96.1200", "45.5000" }));
}

TEST_F(ZoomBoxOnForm, TheZoomWindowFollowsEveryStepOnlyWhileShown)
{
    MainForm& window = form();
    CountingZoomWindow zoom;
    setFloatingToolWindow(FloatingTool::Zoom, &zoom);
    window.ApplyMapExtent();
    window.Picture1_MouseDown(1, 0, 10, 10);
    window.Picture1_MouseMove(1, 0, 20, 20);
    window.Picture1_MouseUp(1, 0, 20, 20);
    EXPECT_EQ(zoom.refreshes, 0);

    window.Check1[2].blockSignals(true);
    window.Check1[2].setChecked(true);
    window.Check1[2].blockSignals(false);
    window.Picture1_MouseDown(1, 0, 10, 10);
    window.Picture1_MouseMove(1, 0, 20, 20);
    window.Picture1_MouseUp(1, 0, 20, 20);
    EXPECT_EQ(zoom.refreshes, 3) << "press, drag step and release";
    setFloatingToolWindow(FloatingTool::Zoom, nullptr);
}

// The zoom box: its corner at the picture's shape, the boxes it writes, the
// order they are put in on release, and the zoom window it keeps up to date.
#include "korvel/map/map_view.h"
#include "korvel/map/zoom_box_tool.h"

#include "korvel/shell/floating_windows.h"
#include "korvel/workspace/map_state.h"
#include "platform/line_control.h"
#include "tests/korvel/map/map_view_fixture.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

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
    const Row rows[] = { // all from (1000, 1000)
        { "south-west, x leads", { 600, 900 }, 2, 1, { 600, 800 } },
        { "north-east, y leads", { 1100, 1400 }, 2, 1, { 1800, 1400 } },
        { "square picture, x leads", { 1200, 900 }, 1, 1, { 1200, 800 } },
        { "no horizontal pull: no width", { 1000, 1300 }, 2, 1, { 1000, 1300 } },
        { "no vertical pull: no height", { 1400, 1000 }, 2, 1, { 1400, 1000 } }
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
    EXPECT_EQ(orderedExtentTexts({ "600", "8", "1000", "9" }).east, "1000");
    EXPECT_EQ(orderedExtentTexts({ "abc", "0", "5", "0" }).west, "abc") << "no number, no swap";
}

TEST_F(MapViewTest, ZoomBoxWritesTheBoxesAndKeepsAShownZoomWindowUpToDate)
{
    MainForm& window = form();
    CountingZoomWindow zoom;
    setFloatingToolWindow(FloatingTool::Zoom, &zoom);
    const auto boxes = [&window] {
        return QStringList { window.Text1->text(), window.Text2->text(), window.Text3->text(),
            window.Text4->text() };
    };
    window.ApplyMapExtent(); // opens the boxes for entry
    // The picture is 404 x 303 outside: height over width 0.75.
    MapView::instance().Picture1_MouseDown(1, 0, 1000, 1000);
    EXPECT_TRUE(window.SelLineTop->Visible());
    EXPECT_EQ(zoom.refreshes, 0) << "the zoom window is not shown";

    window.Check1[2].blockSignals(true);
    window.Check1[2].setChecked(true);
    window.Check1[2].blockSignals(false);
    MapView::instance().Picture1_MouseMove(1, 0, 600, 900);
    EXPECT_DOUBLE_EQ(window.SelLineTop->Y1(), 700.0) << "1000 - 0.75 x 400";
    EXPECT_DOUBLE_EQ(window.SelLineBottom->X2(), 600.0);
    EXPECT_DOUBLE_EQ(window.SelLineLeft->Y2(), 700.0);
    EXPECT_EQ(boxes(), QStringList({ "1000", "1000", "600", "700" }));

    mapState().ExtentEdited = false;
    MapView::instance().Picture1_MouseUp(1, 0, 600, 900);
    EXPECT_EQ(boxes(), QStringList({ "600", "700", "1000", "1000" }));
    EXPECT_TRUE(mapState().ExtentEdited);
    EXPECT_EQ(zoom.refreshes, 2) << "after the drag step and the release";
    EXPECT_TRUE(window.SelLineTop->Visible()) << "the box stays until the extent is applied";

    MapView::instance().Picture1_MouseMove(3, 0, 0, 0);
    MapView::instance().Picture1_MouseMove(2, 0, 0, 0);
    EXPECT_DOUBLE_EQ(window.SelLineRight->X1(), 600.0) << "only the left button drags";
    window.ApplyMapExtent();
    MapView::instance().Picture1_MouseDown(1, 0, 5, 5);
    EXPECT_FALSE(window.SelLineTop->Visible()) << "no box while entry is closed";
    setFloatingToolWindow(FloatingTool::Zoom, nullptr);
}

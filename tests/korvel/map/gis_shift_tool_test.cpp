// The GIS shift tool: its steps and their limits, offsets kept to the
// decimetre, the metre offset in degrees on a latitude/longitude map, and
// the outline on the main window with its refusals.
#include "korvel/map/gis_shift_panel.h"
#include "korvel/map/gis_shift_tool.h"
#include "korvel/map/map_view.h"
#include "korvel/shell/selection_form.h"
#include "korvel/workspace/agnav_block.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "tests/korvel/map/map_view_fixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {

const EllipsoidRecord kWgs84 { QStringLiteral("WGS-84"), 6378137.0, 298.257223563 };

ShapeRecord triangle()
{
    ShapeRecord boundary;
    boundary.X = { 0, 100, 200, 150 };
    boundary.Y = { 0, 100, 100, 300 };
    return boundary;
}

class GisShift : public MapViewTest
{
protected:
    // Loads `count` triangles into memory, block b moved b x 1000 m east.
    void addBlocks(int count)
    {
        AgnavData& agnav = agnavData();
        agnav.Blocks.resize(size_t(count) + 1);
        agnav.BlockCount = count;
        for (int b = 1; b <= count; ++b) {
            AGNAVBlock& block = agnav.Blocks[size_t(b)];
            block.Boundary = triangle();
            for (size_t i = 1; i < block.Boundary.X.size(); ++i) {
                block.Boundary.X[i] += 1000.0 * b;
            }
            block.VertexCount = 3;
            block.Colour = 255;
            block.Thickness = 2;
        }
        globals().AGNAVLoaded = true;
        globals().GISLoaded = true;
    }
    LineControl& outline(int i) { return form().DigitizeLine[i]; }
};

} // namespace

TEST(GisShiftTool, StepsArePowersOfTenWithinTheirLimits)
{
    const std::pair<int, const char*> steps[]
        = { { -1, "0.1m" }, { 0, "1m" }, { 2, "100m" }, { 3, "1000m" } };
    for (const auto& [exponent, text] : steps) {
        EXPECT_EQ(gisShiftStepText(exponent), QString::fromLatin1(text)) << exponent;
    }
    EXPECT_EQ(gisShiftStepMetres(-5), 0.1) << "below the smallest step";
    EXPECT_EQ(gisShiftStepMetres(9), 1000.0) << "above the largest step";
}

TEST(GisShiftTool, DecimetreStepsAddUpExactlyAndEachAxisHasItsStep)
{
    GisShiftOffset offset;
    for (int i = 0; i < 3; ++i) {
        offset = shiftedOffset(offset, 2, 0.1, 10.0);
    }
    EXPECT_EQ(offset.east, 0.3) << "three 0.1 m steps east";
    EXPECT_EQ(offset.north, 0.0);
    offset = shiftedOffset(offset, 3, 0.1, 10.0);
    offset = shiftedOffset(offset, 4, 0.1, 10.0);
    EXPECT_EQ(offset.north, -10.0) << "south takes the north-south step";
    EXPECT_EQ(offset.east, 0.2);
    EXPECT_EQ(gisShiftOffsetText(offset.north), "-10 m");
    EXPECT_EQ(gisShiftOffsetText(offset.east), "0.2 m");
    EXPECT_EQ(gisShiftOffsetText(-0.04), "0 m");
}

TEST(GisShiftTool, MetresBecomeDegreesAtTheBlocksLatitude)
{
    // One degree of latitude is 110 574 m at the equator and 111 660 m at
    // 80 degrees on WGS-84; a degree of longitude 111 319 m at the equator
    // and 55 800 m at 60 degrees (published meridian and parallel arc tables).
    struct Row
    {
        double latitude;
        double metresPerDegreeNorth;
        double metresPerDegreeEast;
    };
    const Row rows[]
        = { { 0.0, 110574.3, 111319.5 }, { 60.0, 111412.3, 55800.0 }, { -80.0, 111659.9, 19393.5 } };
    for (const Row& row : rows) {
        const MapPoint degrees = offsetInMapUnits({ 1000.0, 1000.0 }, false, row.latitude, kWgs84);
        EXPECT_NEAR(1000.0 / degrees.y, row.metresPerDegreeNorth, 1.0) << row.latitude;
        EXPECT_NEAR(1000.0 / degrees.x, row.metresPerDegreeEast, 1.0) << row.latitude;
    }
    const MapPoint metres = offsetInMapUnits({ 0.1, -2.5 }, true, 45.0, kWgs84);
    EXPECT_EQ(metres.x, 0.1);
    EXPECT_EQ(metres.y, -2.5);
    const MapPoint noEllipsoid = offsetInMapUnits({ 0.0, 1000.0 }, false, 0.0, EllipsoidRecord());
    EXPECT_NEAR(1000.0 / noEllipsoid.y, 110574.3, 1.0) << "no ellipsoid chosen counts as WGS-84";
}

TEST(GisShiftTool, OutlineOfATriangleClosesOnItsFirstVertex)
{
    const std::vector<OutlineSegment> outline = shiftedOutline(triangle(), 3, { 5.0, -1.0 });
    ASSERT_EQ(outline.size(), 3u);
    EXPECT_EQ(outline[2].from.x, 155.0);
    EXPECT_EQ(outline[2].to.x, 105.0);
    EXPECT_EQ(outline[2].to.y, 99.0);
    EXPECT_TRUE(shiftedOutline(triangle(), 7, {}).size() == 3u) << "a count beyond the lists is bounded";
    EXPECT_EQ(boundaryMiddleY(triangle(), 3), 200.0);
}

TEST_F(GisShift, OneBlockOpensWithoutTheChooserAndButtonsMoveTheOutline)
{
    addBlocks(1);
    MainForm& window = form();
    MapView::instance().Tools_GIS_Shift_Click();
    ASSERT_TRUE(window.GISShiftPreviewShown());
    EXPECT_TRUE(modalForms().empty()) << "no chooser with one block";
    EXPECT_EQ(window.DigitizeLine.UBound(), 3);
    EXPECT_EQ(outline(3).X1(), 1150.0);
    EXPECT_EQ(outline(3).X2(), 1100.0) << "the third line closes the ring";
    EXPECT_EQ(outline(1).BorderWidth(), 2);
    EXPECT_EQ(outline(1).BorderColor(), 255);

    GISShiftPanel& panel = MapView::instance().gisShiftPanel();
    panel.StepX->setValue(-1);
    EXPECT_EQ(panel.StepXLabel->text(), "0.1m");
    panel.ShiftButton[2].click();
    panel.ShiftButton[2].click();
    panel.ShiftButton[4].click();
    EXPECT_DOUBLE_EQ(outline(1).X1(), 1100.1) << "one 0.1 m step east";
    EXPECT_EQ(outline(1).Y1(), 100.0);
    EXPECT_EQ(panel.OffsetXLabel->text(), "0.1 m");
    EXPECT_EQ(panel.OffsetYLabel->text(), "0 m");
    EXPECT_EQ(agnavData().Blocks[1].Boundary.X[1], 1100.0) << "the block itself never moves";

    panel.ResetButton->click();
    EXPECT_EQ(outline(1).X1(), 1100.0);
    panel.CloseButton->click();
    EXPECT_FALSE(window.GISShiftPreviewShown());
    EXPECT_EQ(window.DigitizeLine.UBound(), 0);
}

TEST_F(GisShift, OnALatitudeLongitudeMapTheStepMovesByDegrees)
{
    addBlocks(1);
    AGNAVBlock& block = agnavData().Blocks[1];
    block.Boundary.X = { 0, -80.0, -79.99, -80.0 };
    block.Boundary.Y = { 0, 59.99, 60.0, 60.01 };
    block.Ellipsoid = kWgs84;
    globals().UTMMode = false;
    form();
    MapView::instance().Tools_GIS_Shift_Click();
    MapView::instance().OnGISShiftChange(2); // 1 m east
    EXPECT_NEAR((outline(1).X1() + 80.0) * 55800.0, 1.0, 0.001);
    MapView::instance().OnGISShiftChange(1); // 1 m north
    EXPECT_NEAR((outline(1).Y1() - 59.99) * 111412.3, 1.0, 0.001);
}

TEST_F(GisShift, ShiftAndDigitizingRefuseEachOther)
{
    addBlocks(2);
    MainForm& window = form();
    window.Tools_DigitizeBoundary_Click();
    queueMsgBoxAnswer(vbOK);
    MapView::instance().Tools_GIS_Shift_Click();
    EXPECT_FALSE(window.GISShiftPreviewShown()) << "refused while a boundary is digitized";
    window.Tools_DigitizeBoundary_Click();

    window.Tools_DigitizeGuidance->setChecked(true);
    MapView::instance().Tools_GIS_Shift_Click();
    EXPECT_FALSE(window.GISShiftPreviewShown()) << "nothing at all while guidance lines are created";
    window.Tools_DigitizeGuidance->setChecked(false);

    onModal<SelectionForm>([](SelectionForm& chooser) {
        chooser.Selection = 2;
        chooser.accept();
    });
    MapView::instance().Tools_GIS_Shift_Click();
    ASSERT_TRUE(window.GISShiftPreviewShown());
    EXPECT_EQ(window.ShiftBlock, 2);
    EXPECT_EQ(outline(1).X1(), 2100.0);
    for (QAction* item : { window.Tools_DigitizeBoundary, window.Tools_DigitizeExclusion }) {
        queueMsgBoxAnswer(vbOK);
        item->trigger();
        EXPECT_FALSE(item->isChecked()) << item->objectName().toStdString();
    }
    EXPECT_EQ(msgBoxes().back().prompt, "Please close the GIS Shift tool before digitizing.");
    EXPECT_EQ(window.DigitizeLine.UBound(), 3) << "the outline stays";
}

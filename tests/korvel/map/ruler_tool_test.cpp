// The ruler: its end with and without Shift, the distance in metres and
// feet, the projection of geographic ends (across the equator too), and the
// line and status text on the main window.
#include "korvel/map/map_view.h"
#include "korvel/map/ruler_tool.h"

#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "platform/line_control.h"
#include "platform/status_bar.h"
#include "platform/vb_colors.h"
#include "tests/korvel/map/map_view_fixture.h"

namespace {

const EllipsoidRecord kWgs84 { QStringLiteral("WGS84"), 6378137.0, 298.257223563 };

} // namespace

TEST(RulerEnd, OnlyShiftAloneSnapsToTheNearerAxis)
{
    struct Row
    {
        MapPoint pointer;
        int shift;
        MapPoint end;
    };
    const Row rows[] = { { { 10, 3 }, 1, { 10, 0 } }, { { 3, 3 }, 1, { 0, 3 } } /* a tie: vertical */,
        { { -2, -9 }, 1, { 0, -9 } }, { { 10, 3 }, 2, { 10, 3 } }, { { 10, 3 }, 4, { 10, 3 } },
        { { 10, 3 }, 3, { 10, 3 } } };
    for (const Row& row : rows) {
        const MapPoint end = rulerEnd({ 0, 0 }, row.pointer, row.shift);
        EXPECT_EQ(end.x, row.end.x) << "shift " << row.shift;
        EXPECT_EQ(end.y, row.end.y) << "shift " << row.shift;
    }
}

TEST(RulerDistance, GeographicEndsMeasureOnOneNorthingScaleAcrossTheEquator)
{
    // On zone 17's central meridian: 0.02 degrees of meridian at the equator
    // is a (1 - e^2) x 0.02 x pi / 180 x 0.9996 = 2210.6 m.
    const std::optional<double> across = rulerDistance({ -81, -0.01 }, { -81, 0.01 }, false, 17, kWgs84);
    const std::optional<double> north = rulerDistance({ -81, 0.0 }, { -81, 0.02 }, false, 17, kWgs84);
    ASSERT_TRUE(across && north);
    EXPECT_NEAR(*across, 2210.6, 0.1);
    EXPECT_NEAR(*across, *north, 0.01);
    // A segment reaching into zone 18 is still measured in the map's zone.
    EXPECT_NE(*rulerDistance({ -76, 40 }, { -74, 40 }, false, 17, kWgs84),
        *rulerDistance({ -76, 40 }, { -74, 40 }, false, 18, kWgs84));
    EXPECT_FALSE(rulerDistance({ 0, 0 }, { 1, 1 }, false, 17, EllipsoidRecord {})) << "no ellipsoid";
}

TEST_F(MapViewTest, RulerShowsItsDistanceInMetresOrFeet)
{
    MainForm& window = form();
    const auto distance = [&window] { return window.StatusBar1->panel(6).Text; };
    window.Tools_Ruler_Click();
    mainSettings().PointerColour = 12;
    window.StatusBar1->setPanelText(6, QStringLiteral("Drawing GIS Layer"));
    MapView::instance().Picture1_MouseDown(1, 0, 1000, 2000);
    EXPECT_EQ(distance(), "") << "a press empties the panel";
    EXPECT_TRUE(window.RulerLine->Visible());
    EXPECT_EQ(window.RulerLine->BorderColor(), RGB(255, 0, 0));

    MapView::instance().Picture1_MouseMove(1, 0, 1300, 2400);
    EXPECT_EQ(distance(), "Distance = 500.0m");
    globals().MetricSystem = false;
    MapView::instance().Picture1_MouseMove(1, 1, 1300, 2400);
    EXPECT_EQ(distance(), "Distance = 1312.3ft") << "Shift snapped it to the vertical 400 m";
    MapView::instance().Picture1_MouseMove(1, 0, 1300, 2400);
    EXPECT_EQ(distance(), "Distance = 1640.4ft");

    // Other buttons and the release leave line and distance as they are.
    MapView::instance().Picture1_MouseMove(3, 0, 5000, 5000);
    MapView::instance().Picture1_MouseMove(2, 0, 5000, 5000);
    MapView::instance().Picture1_MouseUp(1, 0, 5000, 5000);
    EXPECT_EQ(window.RulerLine->X2(), 1300.0);
    EXPECT_EQ(distance(), "Distance = 1640.4ft");

    globals().UTMMode = false;
    globals().MetricSystem = true;
    globals().Ellipsoid = kWgs84;
    mapState().Zone = 17;
    MapView::instance().Picture1_MouseDown(1, 0, -81, -0.01f);
    MapView::instance().Picture1_MouseMove(1, 0, -81, 0.01f);
    EXPECT_EQ(distance(), "Distance = 2210.6m");
    globals().Ellipsoid = EllipsoidRecord {};
    MapView::instance().Picture1_MouseMove(1, 0, -81, 0.01f);
    EXPECT_EQ(distance(), "No distance: choose a UTM ellipsoid in Preferences");
}

#include "korvel/layers/layer_list.h"
#include "korvel/map/gis_coordinate_conversion.h"
#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/popup_menu.h"
#include "platform/status_bar.h"
#include "platform/tool_bar.h"
#include "platform/vb_input_codes.h"
#include "tests/korvel/layers/layer_list_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <functional>

namespace {

class CoordinateMode : public LayerListTest
{
protected:
    // Every vertex of every kind of loaded item, in a fixed order.
    static std::vector<double> allCoordinates()
    {
        std::vector<double> values;
        const GISLayer& layer = layerData().GISLayers[1];
        for (int s = 1; s <= layer.ShapeCount(); ++s) {
            for (int p = 1; p <= layer.PointCounts(s); ++p) {
                values.push_back(layer.Shapes.X(s, p));
                values.push_back(layer.Shapes.Y(s, p));
            }
        }
        const AGNAVBlock& block = blockAt(1);
        for (int v = 1; v <= block.VertexCount; ++v) {
            values.push_back(block.Boundary.X[size_t(v)]);
            values.push_back(block.Boundary.Y[size_t(v)]);
        }
        const GuidancePolyline& line = block.Guidance.Lines[1];
        values.insert(values.end(), line.X.begin() + 1, line.X.end());
        values.insert(values.end(), line.Y.begin() + 1, line.Y.end());
        for (int z = 1; z <= block.ExclusionZoneCount; ++z) {
            const ShapeRecord& zone = block.ExclusionZones[size_t(z)];
            values.insert(values.end(), zone.X.begin() + 1, zone.X.end());
            values.insert(values.end(), zone.Y.begin() + 1, zone.Y.end());
        }
        const FlightFile& flight = block.Flights[1];
        for (int i = 1; i <= flight.SampleCount; ++i) {
            values.push_back(flight.Position[size_t(i)].X);
            values.push_back(flight.Position[size_t(i)].Y);
        }
        return values;
    }

    void loadEveryKind()
    {
        // Shown again after the switch back, the image is drawn from its file.
        QImage photo(8, 8, QImage::Format_RGB32);
        photo.fill(Qt::green);
        ASSERT_TRUE(photo.save(workDir() + "photo.jpg"));
        addImage("photo.jpg", true);
        addLayer("fields.shp", 0, 480000.0, 4790000.0);
        const int block = addBlock("north.no1", 500000.0, 4800000.0);
        addGuidance(block);
        addExclusion(block, 2);
        addFlight(block, "N1.T01");
    }
};

TEST_F(CoordinateMode, TwoSwitchesBringEveryKindOfLayerBackWithinAMillimetre)
{
    loadEveryKind();
    MainForm& window = form();
    const std::vector<double> before = allCoordinates();

    LayerList::instance().StatusBar1_PanelClick(3);
    EXPECT_FALSE(globals().UTMMode);
    EXPECT_EQ(globals().CoordFormat, "0.0000");
    EXPECT_EQ(window.StatusBar1->panel(3).Text, "Lat/Long");
    EXPECT_FALSE(window.Toolbar->Enabled(4));
    EXPECT_FALSE(window.ImageCheck[1].isEnabled());
    const std::vector<double> degrees = allCoordinates();
    ASSERT_EQ(degrees.size(), before.size());
    for (double value : degrees) {
        EXPECT_LT(std::abs(value), 180.0) << "every part is in degrees, exclusion zones too";
    }
    EXPECT_NEAR(layerData().DataExtent.XMin, -81.25, 0.1) << "the data extent follows the data";
    EXPECT_NEAR(window.Text1->text().toDouble(), -81.25, 0.1) << "zoomed to the ticked layers";

    LayerList::instance().StatusBar1_PanelClick(3);
    EXPECT_TRUE(globals().UTMMode);
    const std::vector<double> after = allCoordinates();
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_NEAR(after[i], before[i], 0.001) << i;
    }
    EXPECT_TRUE(window.ImageCheck[1].isEnabled());
}

TEST_F(CoordinateMode, WithNothingTickedTheMapZoomsToAllLoadedData)
{
    addLayer("fields.shp", 0, 480000.0, 4790000.0);
    MainForm& window = form();
    window.GISCheck[1].setChecked(false);
    LayerList::instance().StatusBar1_PanelClick(3);
    const double west = window.Text1->text().toDouble();
    const double north = window.Text4->text().toDouble();
    EXPECT_NEAR(west, -81.25, 0.1) << "not the metres the boxes held";
    EXPECT_NEAR(north, 43.3, 0.2);
}

TEST_F(CoordinateMode, AnEmptyMapWiderThanTheZoneTurnsToThePartItsProjectionHolds)
{
    MainForm& window = form();
    globals().UTMMode = false;
    mapState().Zone = 17;
    window.Text1->setText("-180");
    window.Text2->setText("-80");
    window.Text3->setText("180");
    window.Text4->setText("80");
    LayerList::instance().StatusBar1_PanelClick(3);
    ASSERT_TRUE(globals().UTMMode);
    const UtmProjection zone17(17, globals().Ellipsoid.Axis, globals().Ellipsoid.InverseFlattening);
    // 12 degrees either side of the meridian, not 99, widened to the window's shape.
    EXPECT_NEAR(window.Text4->text().toDouble(), zone17.toUtm({ 80.0, -69.0 }, true).northing, 1.0);
    EXPECT_NEAR(window.Text1->text().toDouble() + window.Text3->text().toDouble(), 1000000.0, 2.0);
}

TEST_F(CoordinateMode, TheSwitchWaitsForDigitizingToEnd)
{
    addLayer("fields.shp", 0);
    MainForm& window = form();
    const double x = layerData().GISLayers[1].XMin;
    window.Tools_DigitizeExclusion->setChecked(true);
    queueMsgBoxAnswer(vbOK);
    LayerList::instance().StatusBar1_PanelClick(3);
    EXPECT_TRUE(globals().UTMMode);
    EXPECT_EQ(layerData().GISLayers[1].XMin, x);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.startsWith("You are currently digitizing an exclusion zone."));
    EXPECT_EQ(msgBoxes()[0].icon(), vbExclamation);
}

TEST_F(CoordinateMode, ARightClickOnTheEllipsoidPanelPopsUpTheListToChooseFrom)
{
    MainForm& window = form();
    const float left = float(window.StatusBar1->panelLeft(5));
    const float right = left + float(window.StatusBar1->panelWidth(5));
    const struct
    {
        int button;
        int shift;
        float x;
        bool shown;
    } clicks[] = { { vbRightButton, 0, right, true }, { vbRightButton, 0, left - 1, false },
        { vbRightButton, vbShiftMask, left + 5, false }, { vbLeftButton, 0, left + 5, false } };
    for (const auto& click : clicks) {
        const size_t shownBefore = popupMenus().size();
        LayerList::instance().StatusBar1_MouseUp(click.button, click.shift, click.x, 3);
        EXPECT_EQ(popupMenus().size() - shownBefore, click.shown ? 1u : 0u) << click.x << " " << click.shift;
    }
    EXPECT_EQ(popupMenus()[0].flags, vbPopupMenuCenterAlign);

    queuePopupChoice("PopUp_EllipsoidList(2)");
    LayerList::instance().StatusBar1_MouseUp(vbRightButton, 0, left + 5, 3);
    EXPECT_EQ(globals().Ellipsoid.Name, "GRS80");
    EXPECT_EQ(globals().Ellipsoid.InverseFlattening, 298.257222101);
    EXPECT_TRUE(window.PopUp_EllipsoidList[2].isChecked());
    EXPECT_FALSE(window.PopUp_EllipsoidList[1].isChecked());
    EXPECT_EQ(window.StatusBar1->panel(5).Text, "GRS80");
}

} // namespace

TEST_F(CoordinateMode, WithoutAnEllipsoidNeitherSwitchNorZoneChangeTouchesTheData)
{
    loadEveryKind();
    globals().Ellipsoid = { QStringLiteral("Everest 1830"), 0.0, 0.0 }; // not in ellipsoid.dat
    const std::vector<double> before = allCoordinates();
    const struct
    {
        const char* entry;
        std::function<void()> run;
    } rows[] = {
        { "coordinate switch", [this] { LayerList::instance().StatusBar1_PanelClick(3); } },
        { "zone change",
            [this] {
                mapState().Zone = 17;
                queuePopupChoice("PopUp_SHPZoneNum(4)");
                LayerList::instance().GISCheckLabel_MouseDown(1, vbRightButton, 0, 0, 0);
            } },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.entry);
        queueMsgBoxAnswer(vbOK);
        row.run();
        ASSERT_EQ(msgBoxes().size(), 1u);
        EXPECT_TRUE(
            msgBoxes()[0].prompt.startsWith("The ellipsoid \"Everest 1830\" is not in \"ellipsoid.dat\""))
            << msgBoxes()[0].prompt.toStdString();
        EXPECT_TRUE(msgBoxes()[0].prompt.contains("\"UTM Ellipsoid\" page of View > Preferences"));
        EXPECT_EQ(msgBoxes()[0].icon(), vbExclamation);
        EXPECT_TRUE(globals().UTMMode);
        EXPECT_EQ(allCoordinates(), before) << "every vertex as it was, none NaN";
        services().msgBox.reset();
    }
}

TEST_F(CoordinateMode, ALayerFarFromItsZoneRefusesTheSwitchAndNothingMoves)
{
    loadEveryKind();
    LayerList::instance().StatusBar1_PanelClick(3);
    ASSERT_FALSE(globals().UTMMode);
    // A layer in degrees at 33 E keeps zone 17, its meridian 114 degrees away.
    const int far = addLayer("delta.shp", 0, 31.0, 30.0);
    ShapeList& delta = layerData().GISLayers[size_t(far)].Shapes;
    delta.X(1, 3) = delta.X(1, 4) = 32.0; // a square degree from 31 E 30 N
    delta.Y(1, 2) = delta.Y(1, 3) = 31.0;
    RecomputeGISExtents();
    const std::vector<double> before = allCoordinates();
    const double farX = layerData().GISLayers[size_t(far)].Shapes.X(1, 1);
    queueMsgBoxAnswer(vbOK);
    LayerList::instance().StatusBar1_PanelClick(3);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(
        msgBoxes()[0].prompt.startsWith("Points of the layer \"delta.shp\" lie more than 12 degrees of "
                                        "longitude from 81\u00b0 W, the central meridian of UTM zone 17"))
        << msgBoxes()[0].prompt.toStdString();
    EXPECT_EQ(msgBoxes()[0].icon(), vbExclamation);
    EXPECT_FALSE(globals().UTMMode);
    EXPECT_EQ(allCoordinates(), before) << "the layers before it and every block as they were";
    EXPECT_EQ(layerData().GISLayers[size_t(far)].Shapes.X(1, 1), farX);
}

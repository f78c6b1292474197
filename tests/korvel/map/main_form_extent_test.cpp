// The map's extent on the main window: the two phases of ApplyMapExtent, the
// typed and the zoomed extents, Previous Zoom, the boxes' checks and the
// reset of the map.
#include "korvel/map/extent_box_colours.h"
#include "korvel/map/map_view.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/status_bar.h"
#include "platform/tool_bar.h"
#include "platform/vb_colors.h"
#include "tests/korvel/map/map_view_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

class MapExtentOnForm : public MapViewTest
{
protected:
    void type(QLineEdit* box, const QString& text) { box->setText(text); }
    QStringList boxes()
    {
        MainForm& window = form();
        return { window.Text1->text(), window.Text2->text(), window.Text3->text(), window.Text4->text() };
    }
};

// A zoom window that counts how often the main window brings it up to date.
class CountingZoomWindow final : public FloatingToolWindow
{
public:
    void show() override { }
    void unload() override { }
    QWidget* window() const override { return nullptr; }
    void refreshForm() override { ++refreshes; }
    int refreshes = 0;
};

// Locked boxes are disabled, and a desktop draws disabled text in a light
// grey that vanishes on their grey face; whatever the palette, locked or
// open, the text stands out by 4.5:1 and locked boxes still take no typing.
TEST_F(MapExtentOnForm, BoxesAreReadableLockedAndOpenOnEveryPalette)
{
    MainForm& window = form();
    struct Case
    {
        const char* name;
        QPalette palette;
    };
    QPalette dark(QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Text, QColor(0x60, 0x60, 0x60));
    dark.setColor(QPalette::HighlightedText, QColor(0x40, 0x40, 0x40));
    const Case cases[] = {
        { "the desktop's palette", window.palette() },
        { "a grey palette", QPalette(QColor(0xc0, 0xc0, 0xc0)) },
        { "a dark palette with dim text", dark },
    };
    for (const Case& c : cases) {
        window.setPalette(c.palette);
        for (const bool open : { true, false }) {
            window.ApplyMapExtent(); // each call turns the boxes over
            ASSERT_EQ(mapState().ExtentEntryMode, open) << c.name;
            for (QLineEdit* box : { window.Text1, window.Text2, window.Text3, window.Text4 }) {
                const QPalette shown = box->palette();
                const QPalette::ColorGroup group = box->isEnabled() ? QPalette::Active : QPalette::Disabled;
                EXPECT_EQ(box->isEnabled(), open) << c.name;
                EXPECT_GE(
                    contrastRatio(shown.color(group, QPalette::Text), shown.color(group, QPalette::Base)),
                    ReadableContrast)
                    << c.name << (open ? ", open: " : ", locked: ") << box->objectName().toStdString();
            }
        }
    }
}

TEST_F(MapExtentOnForm, LockedBoxesOpenFirstAndAreRefilledFromThePictureAfter)
{
    MainForm& window = form();
    window.Picture1->Scale(100.5, 900, 1300.5, 0);
    const MapExtent before = layerData().LastExtent;
    EXPECT_FALSE(window.Text1->isEnabled()) << "locked after start-up";

    window.ApplyMapExtent();
    EXPECT_TRUE(mapState().ExtentEntryMode);
    EXPECT_TRUE(window.Text1->isEnabled());
    EXPECT_EQ(window.Picture1->ScaleLeft(), 100.5f) << "opening changes no view";

    window.ApplyMapExtent();
    EXPECT_FALSE(mapState().ExtentEntryMode);
    EXPECT_FALSE(mapState().ExtentEdited);
    EXPECT_FALSE(window.Text1->isEnabled());
    EXPECT_EQ(boxes(), (QStringList { "100.5", "0", "1300.5", "900" }))
        << "the picture's edges, as plain numbers";
    EXPECT_EQ(layerData().LastExtent.XMax, before.XMax) << "nothing was applied";
}

TEST_F(MapExtentOnForm, ATypedExtentIsWidenedToThePicturesShape)
{
    MainForm& window = form();
    window.ApplyMapExtent();
    type(window.Text1, "0");
    type(window.Text2, "0");
    type(window.Text3, "1000");
    type(window.Text4, "500");
    window.ApplyMapExtent();
    EXPECT_EQ(boxes(), (QStringList { "0", "-125", "1000", "625" }));
    EXPECT_EQ(window.Picture1->ScaleLeft(), 0.0f);
    EXPECT_EQ(window.Picture1->ScaleTop(), 625.0f);
    EXPECT_EQ(window.Picture1->ScaleWidth(), 1000.0f);
    EXPECT_EQ(window.Picture1->ScaleHeight(), -750.0f) << "north up";
    for (const LineControl* edge :
        { window.SelLineTop, window.SelLineBottom, window.SelLineLeft, window.SelLineRight }) {
        EXPECT_FALSE(edge->Visible());
    }
}

TEST_F(MapExtentOnForm, EqualRangesAreFittedLikeAnyOtherAndDrawnUnstretched)
{
    MainForm& window = form();
    applyExtent(0, 0, 10000, 10000);
    PictureBox& picture = *window.Picture1;
    EXPECT_NEAR(picture.ScaleWidth(), 13333.0f, 1.0f);
    EXPECT_EQ(picture.ScaleHeight(), -10000.0f);
    EXPECT_NEAR(picture.ScaleWidth() / 404.0, -picture.ScaleHeight() / 303.0, 0.01) << "not stretched";
    // The same extent again gives the same view.
    applyExtent(picture.ScaleLeft(), picture.ScaleTop() + picture.ScaleHeight(),
        picture.ScaleLeft() + picture.ScaleWidth(), picture.ScaleTop());
    EXPECT_NEAR(picture.ScaleWidth(), 13333.0f, 1.0f);
    EXPECT_EQ(picture.ScaleHeight(), -10000.0f);
}

TEST_F(MapExtentOnForm, PreviousZoomGoesBackToTheViewBeforeTheChange)
{
    MainForm& window = form();
    applyExtent(0, 0, 4000, 3000);
    applyExtent(1000, 1000, 1400, 1300);
    const MapExtent last = layerData().LastExtent;
    EXPECT_EQ(last.XMin, 0.0);
    EXPECT_EQ(last.YMin, 0.0);
    EXPECT_EQ(last.XMax, 4000.0);
    EXPECT_EQ(last.YMax, 3000.0);

    MapView::instance().Toolbar_ButtonClick(4);
    EXPECT_EQ(window.Picture1->ScaleLeft(), 0.0f);
    EXPECT_EQ(window.Picture1->ScaleWidth(), 4000.0f);
    EXPECT_EQ(layerData().LastExtent.XMin, 1000.0) << "and Previous Zoom goes forth again";
    MapView::instance().Toolbar_ButtonClick(4);
    EXPECT_EQ(window.Picture1->ScaleLeft(), 1000.0f);
}

TEST_F(MapExtentOnForm, BoxesThatHoldNoNumberStandForTheMapsEdge)
{
    MainForm& window = form();
    applyExtent(0, 0, 4000, 3000);
    window.ApplyMapExtent();
    type(window.Text1, "west");
    type(window.Text4, "1500");
    window.ApplyMapExtent();
    EXPECT_EQ(window.Picture1->ScaleLeft(), 0.0f) << "the west edge stays where it was";
    EXPECT_EQ(window.Text1->text(), "0") << "and the box shows it";
    EXPECT_EQ(window.Picture1->ScaleHeight(), -3000.0f) << "0..4000 by 0..1500, widened to the picture";

    // A zero range is never applied: the boxes show the picture again.
    window.ApplyMapExtent();
    type(window.Text3, "0");
    window.ApplyMapExtent();
    EXPECT_EQ(window.Picture1->ScaleWidth(), 4000.0f);
    EXPECT_EQ(window.Text3->text(), "4000");
}

TEST_F(MapExtentOnForm, TheTypedExtentButtonOpensAndApplies)
{
    MainForm& window = form();
    applyExtent(0, 0, 4000, 3000);
    window.Toolbar->setValue(3, 1);
    MapView::instance().Toolbar_ButtonClick(3);
    EXPECT_TRUE(window.Text1->isEnabled());
    EXPECT_FALSE(window.GraphButton->isEnabled());
    type(window.Text3, "8000");
    window.Toolbar->setValue(3, 0);
    MapView::instance().Toolbar_ButtonClick(3);
    EXPECT_EQ(window.Picture1->ScaleWidth(), 8000.0f);
    EXPECT_TRUE(window.GraphButton->isEnabled());
    EXPECT_TRUE(window.Toolbar->Enabled(4));

    // While a boundary is being digitized the buttons only release button 3.
    window.Tools_DigitizeBoundary->setChecked(true);
    window.Toolbar->setValue(3, 1);
    MapView::instance().Toolbar_ButtonClick(4);
    EXPECT_EQ(window.Toolbar->Value(3), 0);
    EXPECT_EQ(window.Picture1->ScaleWidth(), 8000.0f);
}

TEST_F(MapExtentOnForm, ZoomToLayersFitsTheTickedRowsOrKeepsTheBoxes)
{
    MainForm& window = form();
    applyExtent(0, 0, 4000, 3000);
    addTestLayer(3, { { { { 1000, 1000 }, { 2000, 1300 } } } }, 0);
    window.AddGISListEntry();
    addTestLayer(3, { { { { 5000, 5000 }, { 6000, 6000 } } } }, 0);
    window.AddGISListEntry();
    window.GISCheck[2].setChecked(false);

    window.ZoomToLayers(0, 0);
    EXPECT_EQ(window.Text1->text(), "1000") << "the ticked layer, without margin";
    EXPECT_EQ(window.Text3->text(), "2000");
    EXPECT_EQ(window.Picture1->ScaleWidth(), 1000.0f);

    window.GISCheck[1].setChecked(false);
    window.ZoomToLayers(0, 0);
    EXPECT_EQ(window.Picture1->ScaleWidth(), 1000.0f) << "nothing ticked: the view stays";

    window.ZoomToLayers(2, 1);
    EXPECT_EQ(window.Text2->text(), "5000") << "one layer by its list position, ticked or not";
    EXPECT_EQ(window.Text1->text(), "4833") << "a square widened to the picture";
}

TEST_F(MapExtentOnForm, ZoomToImagesTakesOnlyRowsThatCanBeDrawn)
{
    MainForm& window = form();
    applyExtent(0, 0, 4000, 3000);
    redrawState().Busy = true; // rows of images without files: no redraw meanwhile
    for (int i = 1; i <= 2; ++i) {
        const int index = appendImage();
        ImageLayer& image = layerData().Images[size_t(index)];
        image.Path = writeImage(QStringLiteral("photo%1.bmp").arg(i), QSize(4, 4), Qt::gray);
        image.Georeferenced = true;
        image.X = i * 10000;
        image.Y = 50000;
        image.Width = 2000;
        image.Height = -1500;
        window.AddImageListEntry();
    }
    globals().ImageLoaded = true;
    redrawState().Busy = false;
    window.ImageCheck[2].setEnabled(false); // as in latitude/longitude mode, still ticked
    window.ZoomToImages();
    EXPECT_EQ(window.Text1->text(), "10000");
    EXPECT_EQ(window.Text2->text(), "48500");
    EXPECT_EQ(window.Text3->text(), "12000");
    EXPECT_EQ(window.Text4->text(), "50000");
}

TEST_F(MapExtentOnForm, TypedValuesThatWillNotDoAreReplacedByTheMapsEdge)
{
    MainForm& window = form();
    applyExtent(0, 0, 4000, 3000);
    type(window.Text3, "abc");
    MapView::instance().Text3_LostFocus();
    EXPECT_EQ(window.Text3->text(), "4000");
    type(window.Text2, "-5");
    MapView::instance().Text2_LostFocus();
    EXPECT_EQ(window.Text2->text(), "0") << "no negative metres in UTM mode";
    type(window.Text1, "123.5");
    MapView::instance().Text1_LostFocus();
    EXPECT_EQ(window.Text1->text(), "123.5") << "a good value stays as typed";

    globals().UTMMode = false;
    type(window.Text1, "-95");
    MapView::instance().Text1_LostFocus();
    EXPECT_EQ(window.Text1->text(), "-95");
    type(window.Text4, "-95");
    MapView::instance().Text4_LostFocus();
    EXPECT_EQ(window.Text4->text(), "3000");
    EXPECT_TRUE(msgBoxes().empty()) << "silently";
}

TEST_F(MapExtentOnForm, TheZoomWindowIsBroughtUpToDateOnlyWhileItIsShown)
{
    MainForm& window = form();
    CountingZoomWindow zoom;
    setFloatingToolWindow(FloatingTool::Zoom, &zoom);
    applyExtent(0, 0, 4000, 3000);
    EXPECT_EQ(zoom.refreshes, 0);
    window.Check1[2].blockSignals(true);
    window.Check1[2].setChecked(true);
    window.Check1[2].blockSignals(false);
    applyExtent(0, 0, 2000, 1500);
    EXPECT_EQ(zoom.refreshes, 1);
    setFloatingToolWindow(FloatingTool::Zoom, nullptr);
}

TEST_F(MapExtentOnForm, TheRulerSwitchClearsItsDistanceWhenTurnedOff)
{
    MainForm& window = form();
    window.Tools_Ruler_Click();
    EXPECT_TRUE(window.Tools_Ruler->isChecked());
    window.StatusBar1->setPanelText(6, QStringLiteral("1234 m"));
    window.RulerLine->setVisible(true);
    window.Tools_Ruler_Click();
    EXPECT_FALSE(window.Tools_Ruler->isChecked());
    EXPECT_TRUE(window.StatusBar1->panel(6).Text.isEmpty());
    EXPECT_FALSE(window.RulerLine->Visible());
}

TEST_F(MapExtentOnForm, ClearingTheMapTakesTheBoxesScaleButNeverAZeroWidth)
{
    MainForm& window = form();
    window.Picture1->PSet(10, 10, RGB(255, 0, 0));
    window.OptimizeLine.load(1);
    window.OptimizeLine.load(2);
    window.Tools_Optimize->setChecked(true);
    type(window.Text1, "0");
    type(window.Text2, "0");
    type(window.Text3, "10000");
    type(window.Text4, "10000");
    window.ClearMapOverlays();
    EXPECT_EQ(window.Picture1->ScaleLeft(), 0.0f);
    EXPECT_EQ(window.Picture1->ScaleTop(), 10000.0f);
    EXPECT_EQ(window.Picture1->ScaleWidth(), 10000.0f);
    EXPECT_EQ(window.Picture1->ScaleHeight(), -10000.0f);
    EXPECT_EQ(window.OptimizeLine.Count(), 1) << "only the template stays";
    EXPECT_FALSE(window.Tools_Optimize->isChecked());
    EXPECT_EQ(window.Picture1->image().pixelColor(10, 10), QColor(255, 255, 255));

    type(window.Text3, "0");
    window.ClearMapOverlays();
    EXPECT_EQ(window.Picture1->ScaleWidth(), 10000.0f) << "a view without width is not applied";
}

} // namespace

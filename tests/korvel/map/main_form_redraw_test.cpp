// The map redraw on the main window, read from the picture's pixels:
// incremental drawing over the persistent picture against the full redraw,
// images under GIS layers, and an image whose file has gone.
#include "korvel/map/image_cache.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/vb_colors.h"
#include "tests/korvel/map/map_view_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kMarker(255, 0, 255);
const qint32 kRed = RGB(255, 0, 0);
const qint32 kBlue = RGB(0, 0, 255);

class MapRedraw : public MapViewTest
{
protected:
    // Two overlapping GIS layers on a 4 km by 3 km view: red 1000..2000
    // under blue 1500..2500, both ticked and drawn.
    void twoOverlappingLayers()
    {
        MainForm& window = form();
        applyExtent(0, 0, 4000, 3000);
        redrawState().Busy = true;
        addTestLayer(5, { { ringOf(1000, 1000, 2000, 2000) } }, kRed);
        window.AddGISListEntry();
        addTestLayer(5, { { ringOf(1500, 1000, 2500, 2000) } }, kBlue);
        window.AddGISListEntry();
        redrawState().Busy = false;
        window.Graph(false);
    }

    // A pixel no layer draws, painted by hand, to see whether the picture
    // was cleared.
    void paintMarker() { form().Picture1->PSet(3500, 500, RGB(255, 0, 255)); }
    bool markerStands() { return mapColourAt(3500, 500) == kMarker; }

    // A geo-referenced image of one colour placed on the map.
    int addImage(const QString& name, QColor colour, qint32 x, qint32 y, qint32 width, qint32 height)
    {
        const int index = appendImage();
        ImageLayer& image = layerData().Images[size_t(index)];
        image.Path = writeImage(name, QSize(8, 8), colour);
        image.X = x;
        image.Y = y;
        image.Width = width;
        image.Height = height;
        image.Georeferenced = true;
        globals().ImageLoaded = true;
        return index;
    }
};

TEST_F(MapRedraw, TickedLayersAreDrawnInListOrder)
{
    twoOverlappingLayers();
    EXPECT_EQ(mapColourAt(1200, 1500), toQColor(kRed));
    EXPECT_EQ(mapColourAt(1750, 1500), toQColor(kBlue)) << "the later layer lies on top";
    EXPECT_TRUE(layerData().GISLayers[1].Visible);
    EXPECT_FALSE(redrawState().Busy);
}

TEST_F(MapRedraw, NothingChangedDrawsNothingAndClearsNothing)
{
    twoOverlappingLayers();
    paintMarker();
    view().GraphButton_Click();
    EXPECT_TRUE(markerStands());
    EXPECT_FALSE(view().CountVisibleLayers());
}

TEST_F(MapRedraw, ANewlyTickedLayerPaintsOverWhatIsThere)
{
    twoOverlappingLayers();
    MainForm& window = form();
    window.GISCheck[2].setChecked(false); // redraws everything without the blue layer
    EXPECT_EQ(mapColourAt(2250, 1500), kWhite);
    paintMarker();
    window.GISCheck[2].setChecked(true);
    EXPECT_TRUE(markerStands()) << "ticking a layer does not clear the picture";
    EXPECT_EQ(mapColourAt(1750, 1500), toQColor(kBlue));
    EXPECT_EQ(mapColourAt(1200, 1500), toQColor(kRed)) << "the layer beneath stays as drawn";

    // The lowest item starts at position 1, which always clears.
    window.GISCheck[1].setChecked(false);
    paintMarker();
    window.GISCheck[1].setChecked(true);
    EXPECT_FALSE(markerStands());
}

TEST_F(MapRedraw, UntickingALayerClearsAndRedrawsEverything)
{
    twoOverlappingLayers();
    paintMarker();
    form().GISCheck[2].setChecked(false);
    EXPECT_FALSE(markerStands()) << "the picture was cleared";
    EXPECT_EQ(mapColourAt(1750, 1500), toQColor(kRed)) << "what lay under the blue layer shows again";
    EXPECT_EQ(mapColourAt(2250, 1500), kWhite);
}

TEST_F(MapRedraw, ARecolouredLayerIsDrawnFromItsPositionAndARemovedOneForcesAFullRedraw)
{
    twoOverlappingLayers();
    paintMarker();
    GISLayer& top = layerData().GISLayers[2];
    top.Colours[0] = RGB(0, 160, 0);
    top.Redraw = true;
    form().Graph(false);
    EXPECT_TRUE(markerStands());
    EXPECT_EQ(mapColourAt(2250, 1500), QColor(0, 160, 0));

    redrawState().LayerRemoved = true;
    form().Graph(false);
    EXPECT_FALSE(markerStands());
    EXPECT_FALSE(redrawState().LayerRemoved);
}

TEST_F(MapRedraw, ImagesLieUnderTheGISLayers)
{
    MainForm& window = form();
    applyExtent(0, 0, 4000, 3000);
    redrawState().Busy = true;
    addTestLayer(5, { { ringOf(1000, 1000, 2000, 2000) } }, kRed);
    window.AddGISListEntry();
    addImage(QStringLiteral("photo.bmp"), QColor(0, 200, 200), 500, 2500, 3000, -2000);
    window.AddImageListEntry();
    redrawState().Busy = false;
    window.Graph(true);
    EXPECT_EQ(mapColourAt(1500, 1500), toQColor(kRed));
    EXPECT_EQ(mapColourAt(700, 700), QColor(0, 200, 200));
    EXPECT_EQ(mapColourAt(3700, 2700), kWhite) << "outside the photo";
}

TEST_F(MapRedraw, AnImageFileThatHasGoneIsReportedAndItsRowUnticked)
{
    MainForm& window = form();
    applyExtent(0, 0, 4000, 3000);
    redrawState().Busy = true;
    const int first = addImage(QStringLiteral("gone.bmp"), Qt::red, 0, 3000, 2000, -3000);
    window.AddImageListEntry();
    addImage(QStringLiteral("kept.bmp"), Qt::green, 2000, 3000, 2000, -3000);
    window.AddImageListEntry();
    redrawState().Busy = false;
    window.Graph(true);
    ASSERT_EQ(mapColourAt(1000, 1000), QColor(Qt::red));
    EXPECT_EQ(imageCache().decodes, 2);
    window.Graph(true);
    EXPECT_EQ(imageCache().decodes, 2) << "unchanged files are not decoded again";

    ASSERT_TRUE(QFile::remove(layerData().Images[size_t(first)].Path));
    queueMsgBoxAnswer(vbOK);
    window.Graph(true);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt,
        "KORVEL encountered an error while trying to draw \r" + layerData().Images[1].Path
            + "\r\rPlease try unloading then reloading this image.");
    EXPECT_FALSE(window.ImageCheck[1].isChecked());
    EXPECT_EQ(mapColourAt(3000, 1000), kWhite) << "the images after it are not drawn in that pass";

    window.Graph(false);
    EXPECT_EQ(msgBoxes().size(), 1u) << "the message comes once: the row is unticked";
    EXPECT_EQ(mapColourAt(3000, 1000), QColor(Qt::green));
}

TEST_F(MapRedraw, UntickedOrDisabledImageRowsAreNotDrawn)
{
    MainForm& window = form();
    applyExtent(0, 0, 4000, 3000);
    redrawState().Busy = true;
    addImage(QStringLiteral("photo.bmp"), Qt::green, 0, 3000, 4000, -3000);
    window.AddImageListEntry();
    redrawState().Busy = false;
    window.ImageCheck[1].setEnabled(false);
    window.Graph(true);
    EXPECT_EQ(mapColourAt(1000, 1000), kWhite);
    EXPECT_EQ(imageCache().decodes, 0) << "not even loaded";
}

TEST_F(MapRedraw, TheViewTestUsesThePicturesScaleWhileTheBoxesAreOpen)
{
    twoOverlappingLayers();
    MainForm& window = form();
    window.ApplyMapExtent(); // the boxes open for typing
    window.Text1->setText(QStringLiteral("9000"));
    window.Text3->setText(QStringLiteral("9500"));
    window.Graph(true);
    EXPECT_EQ(mapColourAt(1200, 1500), toQColor(kRed))
        << "the view is the picture's, not the half-typed boxes'";
}

TEST_F(MapRedraw, AFullRedrawTakesDownTheRulerAndTheOptimizationLines)
{
    MainForm& window = form();
    window.RulerLine->setVisible(true);
    window.OptimizeLine.load(1).setVisible(true);
    window.Tools_DigitizeGuidance->setChecked(true);
    window.GuidanceLine.load(1).setVisible(true);
    window.Graph(true);
    EXPECT_FALSE(window.RulerLine->Visible());
    EXPECT_EQ(window.OptimizeLine.Count(), 1);
    // The guidance preview is laid afresh after the map, here for no block.
    EXPECT_FALSE(window.GuidanceLine.exists(1));
}

} // namespace

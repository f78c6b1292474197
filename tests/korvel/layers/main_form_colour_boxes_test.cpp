#include "korvel/layers/layer_list.h"
#include "korvel/workspace/program_globals.h"
#include "platform/common_dialog.h"
#include "platform/vb_colors.h"
#include "tests/korvel/layers/layer_list_fixture.h"

#include <QLabel>

namespace {

using ColourBoxes = LayerListTest;

TEST_F(ColourBoxes, ANewLayerColourRecoloursOnlyTheFeaturesOfTheOldOne)
{
    addLayer("fields.shp", RGB(0, 0, 255));
    addLayer("classes.shp", RGB(0, 0, 255));
    MainForm& window = form();
    // Coloured by value classes: feature 1 keeps the layer colour, 2 has its class's.
    GISLayer& layer = layerData().GISLayers[2];
    layer.Colours = { RGB(0, 0, 255), RGB(0, 0, 255), RGB(0, 255, 0) };
    queueColor(RGB(255, 0, 0));
    LayerList::instance().GISColorBox_DblClick(2);

    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].kind, CommonDialogKind::Color);
    EXPECT_EQ(dialogs()[0].color, RGB(0, 0, 255)) << "it opens on the layer's colour";
    EXPECT_EQ(dialogs()[0].flags, 7);
    EXPECT_EQ(layer.Colours, std::vector<qint32>({ RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0) }));
    EXPECT_EQ(window.GISColorBox[2].palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_TRUE(layer.Redraw) << "kept for the next redraw while ImmediateGraph is off";
    EXPECT_EQ(layerData().GISLayers[1].Colours[0], RGB(0, 0, 255));
}

TEST_F(ColourBoxes, CancelOrTheSameColourChangesNothing)
{
    const int block = addBlock("north.no1");
    LayerList& window = LayerList::instance();
    blockAt(block).Colour = RGB(10, 20, 30);
    queueDialogCancel();
    window.AGColorBox_DblClick(block);
    queueColor(RGB(10, 20, 30));
    window.PickAGNAVColour(block);
    EXPECT_EQ(blockAt(block).Colour, RGB(10, 20, 30));
    EXPECT_FALSE(blockAt(block).Redraw);

    queueColor(RGB(0, 0, 0) + 1);
    window.PickAGNAVColour(block);
    EXPECT_TRUE(blockAt(block).Redraw);
}

} // namespace

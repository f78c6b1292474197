#include "tests/korvel/layers/layer_commands_fixture.h"

#include "korvel/georef/georef_form.h"
#include "korvel/layers/layer_list.h"
#include "korvel/shell/utm_conversion.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/msg_box.h"
#include "platform/tool_bar.h"
#include "platform/vb_colors.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

namespace {

using LayerPopUpMenus = LayerCommandsTest;

GISLayer& layerAt(int position)
{
    LayerData& layers = layerData();
    return layers.GISLayers[size_t(layers.GISOrder[size_t(position)])];
}

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

} // namespace

TEST_F(LayerPopUpMenus, ShapefileMenuShowsTheLayersZonesThicknessAndBuffer)
{
    struct Row
    {
        int zone;
        QStringList offered;
    };
    const Row rows[] = { { 1, { "59", "60", "2", "3" } }, { 17, { "15", "16", "18", "19" } },
        { 59, { "57", "58", "60", "1" } }, { 60, { "58", "59", "1", "2" } } };
    for (const Row& row : rows) {
        const int position = addLayer(row.zone);
        layerAt(position).Thickness = 4;
        layerAt(position).Buffer = row.zone == 17;
        LayerList::instance().GISCheckLabel_MouseDown(position, 2, 0, 0, 0);
        const MainForm& window = form();
        EXPECT_EQ(window.PopUp_SHPZone->title(), QStringLiteral("Zone %1").arg(row.zone));
        const QStringList shown { window.PopUp_SHPZoneNum[1].text(), window.PopUp_SHPZoneNum[2].text(),
            window.PopUp_SHPZoneNum[4].text(), window.PopUp_SHPZoneNum[5].text() };
        EXPECT_EQ(shown, row.offered) << "zone " << row.zone;
        EXPECT_TRUE(window.PopUp_SHPZoneNum[3].isSeparator());
        EXPECT_TRUE(window.PopUp_SHPThickNum[4].isChecked());
        EXPECT_FALSE(window.PopUp_SHPThickNum[1].isChecked());
        EXPECT_EQ(window.PopUp_SHPBuffer->isChecked(), row.zone == 17);
        EXPECT_TRUE(window.PopUp_SHPZone->menuAction()->isEnabled());
        EXPECT_EQ(window.SelectedLayer, position);
    }
    ASSERT_EQ(popupMenus().size(), 4u);
    EXPECT_EQ(popupMenus().back().menuName, QStringLiteral("PopUpMenu_SHP"));

    globals().UTMMode = false;
    LayerList::instance().GISCheckLabel_MouseDown(2, 2, 0, 0, 0);
    EXPECT_FALSE(form().PopUp_SHPZone->menuAction()->isEnabled()) << "no zones in degrees";
    EXPECT_EQ(form().PopUp_SHPZone->title(), QStringLiteral("Zone 17"));
}

TEST_F(LayerPopUpMenus, ThicknessMarksTheLayerAndRedrawsInFullOnlyWhenThinner)
{
    struct Row
    {
        const char* name;
        int from;
        int chosen;
        bool immediate;
        bool marked; // Redraw still set: no redraw ran
        bool full;
    };
    const Row rows[] = {
        { "the same", 3, 3, true, false, false },
        { "thinner", 3, 1, true, false, true },
        { "thicker", 3, 5, true, false, false },
        { "not immediate", 3, 1, false, true, false },
    };
    addLayer();
    const int position = addLayer();
    for (const Row& row : rows) {
        globals().ImmediateGraph = row.immediate;
        layerAt(position).Thickness = row.from;
        layerAt(position).Redraw = false;
        form().Graph(true);
        markPicture();
        queuePopupChoice(QStringLiteral("PopUp_SHPThickNum(%1)").arg(row.chosen));
        LayerList::instance().GISCheckLabel_MouseDown(position, 2, 0, 0, 0);
        EXPECT_EQ(layerAt(position).Thickness, row.chosen) << row.name;
        EXPECT_EQ(layerAt(position).Redraw, row.marked) << row.name;
        EXPECT_EQ(markWiped(), row.full) << row.name;
    }
}

TEST_F(LayerPopUpMenus, BufferRedrawsOnlyATickedLayerAndInFullWhenSwitchedOff)
{
    addLayer();
    const int position = addLayer();
    form().Graph(true);

    form().GISCheck[position].setChecked(false);
    queuePopupChoice("PopUp_SHPBuffer");
    LayerList::instance().GISCheckLabel_MouseDown(position, 2, 0, 0, 0);
    EXPECT_TRUE(layerAt(position).Buffer);
    EXPECT_TRUE(layerAt(position).Redraw) << "an unticked layer is not redrawn";

    form().GISCheck[position].setChecked(true);
    markPicture();
    queuePopupChoice("PopUp_SHPBuffer");
    LayerList::instance().GISCheckLabel_MouseDown(position, 2, 0, 0, 0);
    EXPECT_FALSE(layerAt(position).Buffer);
    EXPECT_TRUE(markWiped()) << "switched off: the buffer's drawing goes";
}

TEST_F(LayerPopUpMenus, ZoneReReadsTheLayerInTheChosenZoneAndKeepsItInTheMapsZone)
{
    const int position = addLayer(17, 1);
    mapState().Zone = 17;
    const double x = layerAt(position).Shapes.X(1, 1);
    const double y = layerAt(position).Shapes.Y(1, 1);
    queuePopupChoice("PopUp_SHPZoneNum(4)"); // zone 18
    LayerList::instance().GISCheckLabel_MouseDown(position, 2, 0, 0, 0);

    // The same numbers read in zone 18, placed in zone 17: one zone (about
    // 6 degrees) further east.
    const GISLayer& layer = layerAt(position);
    EXPECT_EQ(layer.Zone, 17) << "its numbers are in the map's zone now";
    EXPECT_GT(layer.Shapes.X(1, 1) - x, 400000.0);
    EXPECT_GT(layer.XMin, x + 400000.0) << "its extent follows";
    EXPECT_NE(layer.Shapes.Y(1, 1), y);
    EXPECT_TRUE(layer.Redraw);
    EXPECT_TRUE(redrawState().LayerRemoved) << "the old place must be wiped";

    // In degrees the handler refuses, whatever list opened the menu.
    globals().UTMMode = false;
    const double before = layerAt(position).Shapes.X(1, 1);
    LayerList::instance().PopUp_SHPZoneNum_Click(1);
    EXPECT_EQ(layerAt(position).Shapes.X(1, 1), before);
}

TEST_F(LayerPopUpMenus, ColourItemsPickTheLayersColourAsItsBoxDoes)
{
    const int position = addLayer();
    const int block = addBlock();
    queueColor(RGB(10, 20, 30));
    queuePopupChoice("PopUp_SHPColor");
    LayerList::instance().GISCheckLabel_MouseDown(position, 2, 0, 0, 0);
    EXPECT_EQ(layerAt(position).Colours.front(), RGB(10, 20, 30));
    ASSERT_FALSE(dialogs().empty());
    EXPECT_EQ(dialogs().back().color, 255) << "it starts on the layer's colour";

    queueDialogCancel();
    queuePopupChoice("PopUp_AGNAVColor");
    LayerList::instance().AGCheckLabel_MouseDown(block, 2, 0, 0, 0);
    EXPECT_EQ(agnavData().Blocks[size_t(block)].Colour, 0) << "cancelled";
}

TEST_F(LayerPopUpMenus, ZoomEnablesThePreviousExtentAndShowsTheLayer)
{
    addLayer(17, 1, 600000.0, 5000000.0);
    addLayer();
    form().Toolbar->setEnabled(4, false);
    queuePopupChoice("PopUp_SHPZoom");
    LayerList::instance().GISCheckLabel_MouseDown(1, 2, 0, 0, 0);
    EXPECT_TRUE(form().Toolbar->Enabled(4));
    EXPECT_LE(form().Text1->text().toDouble(), 600000.0);
    EXPECT_GE(form().Text3->text().toDouble(), 600100.0);
}

TEST_F(LayerPopUpMenus, DeleteItemsRemoveTheRowsLayerButNotABlockBeingDigitizedIn)
{
    addImage("a.bmp", true);
    addLayer();
    addLayer(18);
    addBlock("one.no1");
    addBlock("two.no1");

    queuePopupChoice("PopUp_ImageDel");
    LayerList::instance().ImageCheckLabel_MouseDown(1, 2, 0, 0, 0);
    EXPECT_EQ(layerData().ImageCount, 0);

    queuePopupChoice("PopUp_SHPDel");
    LayerList::instance().GISCheckLabel_MouseDown(1, 2, 0, 0, 0);
    ASSERT_EQ(layerData().GISCount, 1);
    EXPECT_EQ(layerAt(1).Zone, 18);

    form().SelectedBlock = 2;
    queueMsgBoxAnswer(vbOK);
    queuePopupChoice("PopUp_AGNAVDel");
    LayerList::instance().AGCheckLabel_MouseDown(2, 2, 0, 0, 0);
    EXPECT_EQ(agnavData().BlockCount, 2);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt,
        QStringLiteral("You are currently digitizing guidance lines within this block.\r"
                       "Please accept or cancel the digitizing before deleting the block."));

    queuePopupChoice("PopUp_AGNAVDel");
    LayerList::instance().AGCheckLabel_MouseDown(1, 2, 0, 0, 0);
    ASSERT_EQ(agnavData().BlockCount, 1);
    EXPECT_EQ(agnavData().Blocks[1].FileName, QStringLiteral("two.no1"));
    EXPECT_EQ(form().SelectedBlock, 1) << "the digitizing follows its block";
}

TEST_F(LayerPopUpMenus, GeoReferencingWorksOnTheClickedRowsImageInUtmOnly)
{
    addImage("a.bmp", true);
    addImage("b.bmp", true);
    std::swap(layerData().ImageOrder[1], layerData().ImageOrder[2]);

    int opened = 0;
    onModal<GeoRefForm>([&](GeoRefForm& georef) {
        opened = georef.ImageIndex;
        georef.ExitButton_Click();
    });
    queuePopupChoice("PopUp_Georef");
    LayerList::instance().ImageCheckLabel_MouseDown(1, 2, 0, 0, 0);
    EXPECT_EQ(opened, 2) << "the record shown in row 1";
    EXPECT_EQ(form().CurrentImage, 0) << "reset when the window closes";

    globals().UTMMode = false;
    form().CurrentImage = 0;
    queueMsgBoxAnswer(vbOK);
    queuePopupChoice("PopUp_Georef");
    LayerList::instance().ImageCheckLabel_MouseDown(2, 2, 0, 0, 0);
    EXPECT_EQ(form().CurrentImage, 0);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt,
        QStringLiteral("At this time, georeferencing can only be\rperformed while in UTM coordinates."));
}

TEST_F(LayerPopUpMenus, BlockMenuOffersWhatLiesBesideTheBlockAndNoDigitizingWhileAToolWorks)
{
    const int block = addBlock("field.no1");
    agnavData().Blocks[size_t(block)].Thickness = 2;
    touch(workDir() + "field.xyz");
    touch(workDir() + "field.xcl");
    agnavData().Blocks[size_t(block)].ExclusionLoaded = true;

    LayerList::instance().AGCheckLabel_MouseDown(block, 2, 0, 0, 0);
    ASSERT_EQ(popupMenus().size(), 1u);
    const auto& shown = popupMenus()[0];
    EXPECT_EQ(shown.menuName, QStringLiteral("PopUpMenu_AGNAV"));
    EXPECT_EQ(shown.defaultItem, QStringLiteral("PopUp_OpenGuidance"));
    const QStringList enabled = shown.enabledItems;
    EXPECT_TRUE(enabled.contains("PopUp_OpenGuidance"));
    EXPECT_FALSE(enabled.contains("PopUp_OpenExclusion")) << "loaded already";
    EXPECT_FALSE(enabled.contains("PopUp_OpenFlight")) << "no spray-data folder";
    EXPECT_TRUE(enabled.contains("PopUp_DigitizeGuidance"));
    EXPECT_TRUE(enabled.contains("PopUp_DigitizeExclusion"));
    EXPECT_EQ(form().PopUp_DigitizeExclusion->text(), QStringLiteral("Digitize Exclusion Zone"));
    EXPECT_TRUE(form().PopUp_AGNAVThickNum[2].isChecked());

    form().Tools_DigitizeBoundary->setChecked(true);
    LayerList::instance().AGCheckLabel_MouseDown(block, 2, 0, 0, 0);
    EXPECT_FALSE(popupMenus()[1].enabledItems.contains("PopUp_DigitizeGuidance"));
    EXPECT_FALSE(popupMenus()[1].enabledItems.contains("PopUp_DigitizeExclusion"));
}

TEST_F(LayerPopUpMenus, DigitizingGuidanceAsksBeforeOverwritingAndHoldsTheBlockWhileItWorks)
{
    const int block = addBlock("field.no1");
    touch(workDir() + "field.xyz");
    queueMsgBoxAnswer(vbNo);
    queuePopupChoice("PopUp_DigitizeGuidance");
    LayerList::instance().AGCheckLabel_MouseDown(block, 2, 0, 0, 0);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt,
        QStringLiteral("A guidance file already exists for this block.\rWould you like to overwrite it?"));
    EXPECT_EQ(msgBoxes()[0].buttons & 7, vbYesNo);

    EXPECT_EQ(form().SelectedBlock, 0);
    EXPECT_FALSE(form().Tools_DigitizeGuidance->isChecked());

    // Yes starts guidance-line creation, which holds the block until it ends.
    queueMsgBoxAnswer(vbYes);
    queuePopupChoice("PopUp_DigitizeGuidance");
    LayerList::instance().AGCheckLabel_MouseDown(block, 2, 0, 0, 0);
    EXPECT_TRUE(form().Tools_DigitizeGuidance->isChecked());
    EXPECT_EQ(form().SelectedBlock, block);
    form().GuidanceCancel_Click();
    EXPECT_EQ(form().SelectedBlock, 0);
    // An exclusion zone does start, and holds its block while it is drawn.
    queuePopupChoice("PopUp_DigitizeExclusion");
    LayerList::instance().AGCheckLabel_MouseDown(block, 2, 0, 0, 0);
    EXPECT_TRUE(form().Tools_DigitizeExclusion->isChecked());
    EXPECT_EQ(form().SelectedBlock, block);
}

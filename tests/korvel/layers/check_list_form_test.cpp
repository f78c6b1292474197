#include "tests/korvel/layers/layer_commands_fixture.h"

#include "korvel/georef/georef_form.h"
#include "korvel/layers/check_list_form.h"
#include "korvel/layers/layer_list.h"
#include "korvel/layers/layer_properties_form.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/program_globals.h"
#include "platform/tool_bar.h"
#include "platform/vb_colors.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

class FloatingLayerList : public LayerCommandsTest
{
protected:
    CheckListForm& open()
    {
        form().Check1[1].setChecked(true);
        CheckListForm* list = CheckListForm::existing();
        EXPECT_NE(list, nullptr);
        return *list;
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static QStringList captions(const ControlArray<QLabel>& labels, int count)
    {
        QStringList texts;
        for (int i = 1; i <= count; ++i) {
            texts << (labels.exists(i) ? labels[i].text() : QStringLiteral("(none)"));
        }
        return texts;
    }
};

GISLayer& layerAt(int position)
{
    LayerData& layers = layerData();
    return layers.GISLayers[size_t(layers.GISOrder[size_t(position)])];
}

} // namespace

TEST_F(FloatingLayerList, OpensAtItsStoredPlaceByTheScreenEdgeRules)
{
    struct Row
    {
        const char* name;
        QString left;
        QString top;
        QPoint expected; // pixels; -1 for "the right or bottom edge"
    };
    const Row rows[] = {
        { "nothing stored", QString(), QString(), { 0, 0 } },
        { "near the left edge", "300", "300", { 0, 20 } },
        { "above the screen", "1500", "-1500", { 100, 0 } },
        { "off the right edge", "15000", "1500", { -1, 100 } },
        { "no number, beyond 16 bits", "abc", "99999", { 0, 0 } },
    };
    for (const Row& row : rows) {
        if (!row.left.isEmpty()) {
            SaveRegSetting("Settings", "CheckList.Left", row.left);
            SaveRegSetting("Settings", "CheckList.Top", row.top);
        }
        CheckListForm& list = open();
        const int right = 1024 - (list.width() + 6);
        EXPECT_EQ(list.x(), row.expected.x() < 0 ? right : row.expected.x()) << row.name;
        EXPECT_EQ(list.y(), row.expected.y()) << row.name;
        form().Check1[1].setChecked(false);
        settle();
        EXPECT_EQ(CheckListForm::existing(), nullptr);
    }
}

TEST_F(FloatingLayerList, ClosingKeepsItsPlaceAndReleasesTheToggle)
{
    CheckListForm& list = open();
    list.move(40, 60);
    list.Form_KeyDown(27, 1); // Escape with Shift still closes
    settle();
    EXPECT_FALSE(form().Check1[1].isChecked());
    EXPECT_EQ(CheckListForm::existing(), nullptr);
    EXPECT_EQ(GetRegSetting("Settings", "CheckList.Left", ""), QStringLiteral(" 600"));
    EXPECT_EQ(GetRegSetting("Settings", "CheckList.Top", ""), QStringLiteral(" 900"));
}

TEST_F(FloatingLayerList, NeverSmallerThanTheMainList)
{
    CheckListForm& list = open();
    list.resize(10, 10);
    EXPECT_GE(list.width() + 6, form().Frame1->width() / 2);
    EXPECT_GE(list.Frame1->height(), form().Frame1->height()) << "every row the main list shows fits";
}

TEST_F(FloatingLayerList, MirrorsTheMainListThroughLoadsAndDeletions)
{
    CheckListForm& list = open();
    EXPECT_FALSE(list.Label1->isHidden()) << "No Files Loaded";
    addLayer(17);
    addLayer(18);
    addBlock();
    form().GISCheck[2].setChecked(false);
    form().RefreshChecklist(); // a tick in the main list reaches it at the next rebuild
    settle();
    EXPECT_TRUE(list.Label1->isHidden());
    EXPECT_EQ(captions(list.GISCheckLabel, 2), captions(form().GISCheckLabel, 2));
    EXPECT_EQ(list.GISCheck[2].isChecked(), false);
    EXPECT_EQ(list.GISCheck[1].pos(), form().GISCheck[1].pos());
    EXPECT_EQ(list.AGCheckLabel[1].text(), form().AGCheckLabel[1].text());
    EXPECT_FALSE(list.Line1->isHidden());

    // Ctrl + right click deletes at once, in both lists.
    list.GISCheckLabel_MouseDown(1, 2, 2, 0, 0);
    settle();
    EXPECT_EQ(layerData().GISCount, 1);
    EXPECT_FALSE(list.GISCheck.exists(2)) << "the last row went with the main list's";
    EXPECT_EQ(list.GISCheckLabel[1].text(), form().GISCheckLabel[1].text());
    addLayer(19);
    EXPECT_EQ(captions(list.GISCheckLabel, 2), captions(form().GISCheckLabel, 2));

    list.GISCheckLabel_MouseDown(1, 2, 1, 0, 0); // Shift + right: nothing
    EXPECT_EQ(layerData().GISCount, 2);
    EXPECT_TRUE(popupMenus().empty());
}

TEST_F(FloatingLayerList, TicksGoToTheMainListAndTakeEffectWhenItClosesWithoutImmediateRedraw)
{
    addLayer();
    addLayer();
    globals().ImmediateGraph = false;
    form().Graph(true);
    CheckListForm& list = open();
    list.GISCheck[2].setChecked(false);
    EXPECT_FALSE(form().GISCheck[2].isChecked());
    EXPECT_TRUE(list.mapChanged());
    EXPECT_TRUE(layerData().GISLayers[2].Visible) << "not redrawn yet";
    form().Check1[1].setChecked(false);
    EXPECT_FALSE(layerData().GISLayers[2].Visible) << "redrawn on closing";
}

TEST_F(FloatingLayerList, ShapefileRowsUseTheMainMenuPreparedFromTheirOwnLayer)
{
    addLayer(12);
    addLayer(33);
    LayerList::instance().GISCheckLabel_MouseDown(1, 2, 0, 0, 0); // the main list last showed layer 1
    CheckListForm& list = open();
    queuePopupChoice("PopUp_SHPBuffer");
    list.GISCheckLabel_MouseDown(2, 2, 0, 0, 0);
    EXPECT_EQ(form().PopUp_SHPZone->title(), QStringLiteral("Zone 33"));
    EXPECT_EQ(form().PopUp_SHPZoneNum[1].text(), QStringLiteral("31"));
    EXPECT_TRUE(layerAt(2).Buffer);
    EXPECT_FALSE(layerAt(1).Buffer);
    EXPECT_EQ(popupMenus().back().menuName, QStringLiteral("PopUpMenu_SHP"));
}

TEST_F(FloatingLayerList, DraggingARowReordersBothListsWithItsTick)
{
    addLayer(11);
    addLayer(12);
    addLayer(13);
    form().GISCheck[3].setChecked(false);
    CheckListForm& list = open();

    list.GISCheckLabel_DragDrop(1, &list.GISCheckLabel[3], 0, 0);
    EXPECT_EQ(layerData().GISOrder, (std::vector<int> { 0, 3, 1, 2 }));
    EXPECT_FALSE(form().GISCheck[1].isChecked()) << "the tick moved with its layer";
    EXPECT_TRUE(form().GISCheck[3].isChecked());
    EXPECT_EQ(list.GISCheckLabel[1].text(), form().GISCheckLabel[1].text());

    // A label on itself, or of the other group, changes nothing.
    list.GISCheckLabel_DragDrop(2, &list.GISCheckLabel[2], 0, 0);
    list.GISCheckLabel_DragDrop(2, &form().GISCheckLabel[1], 0, 0);
    EXPECT_EQ(layerData().GISOrder, (std::vector<int> { 0, 3, 1, 2 }));
}

TEST_F(FloatingLayerList, BlockAndImageRowsUseItsOwnMenusWhoseItemsAreTheMainWindows)
{
    addImage("a.bmp", true);
    addImage("b.bmp", true);
    addBlock("one.no1");
    const int block = addBlock("two.no1");
    CheckListForm& list = open();
    EXPECT_EQ(list.PopUp_DigitizeExclusion->text(), QStringLiteral("Digitize Exclusion Zones"));

    agnavData().Blocks[size_t(block)].Thickness = 4;
    queuePopupChoice("PopUp_AGNAVThickNum(2)");
    list.AGCheckLabel_MouseDown(block, 2, 0, 0, 0);
    EXPECT_EQ(popupMenus().back().menuName, QStringLiteral("PopUpMenu_AGNAV"));
    EXPECT_EQ(popupMenus().back().defaultItem, QStringLiteral("PopUp_OpenGuidance"));
    EXPECT_EQ(agnavData().Blocks[size_t(block)].Thickness, 2);
    EXPECT_EQ(agnavData().Blocks[1].Thickness, 1);

    queueColor(RGB(0, 128, 0));
    queuePopupChoice("PopUp_AGNAVColor");
    list.AGCheckLabel_MouseDown(block, 2, 0, 0, 0);
    EXPECT_EQ(list.AGColorBox[block].palette().color(QPalette::Window), QColor(0, 128, 0));

    form().Toolbar->setEnabled(4, false);
    queuePopupChoice("PopUp_AGNAVZoom");
    list.AGCheckLabel_MouseDown(block, 2, 0, 0, 0);
    EXPECT_TRUE(form().Toolbar->Enabled(4));

    onModal<PropsForm>([](PropsForm& props) {
        EXPECT_EQ(props.OwnerWindow, CheckListForm::existing()) << "it opens beside this list's row";
        EXPECT_EQ(props.Label2[1].text(), QStringLiteral("two.no1"));
        props.CancelButton->click();
    });
    queuePopupChoice("PopUp_AGNAVProps");
    list.AGCheckLabel_MouseDown(block, 2, 0, 0, 0);

    queuePopupChoice("PopUp_ImageDel");
    list.ImageCheckLabel_MouseDown(1, 2, 0, 0, 0);
    settle();
    ASSERT_EQ(layerData().ImageCount, 1);
    EXPECT_EQ(captions(list.ImageCheckLabel, 1), captions(form().ImageCheckLabel, 1));
    int opened = 0;
    onModal<GeoRefForm>([&](GeoRefForm& georef) {
        opened = georef.ImageIndex;
        georef.ExitButton_Click();
    });
    queuePopupChoice("PopUp_Georef");
    list.ImageCheckLabel_MouseDown(1, 2, 0, 0, 0);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(form().CurrentImage, 0) << "reset when the window closes";
}

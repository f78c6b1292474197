#include "korvel/layers/layer_list.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/tool_bar.h"
#include "tests/korvel/layers/layer_list_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using CloseAll = LayerListTest;

TEST_F(CloseAll, LeavesNoDataNoRowsAndTheMapInItsStartState)
{
    addImage("photo.jpg", true);
    addLayer("fields.shp", 0);
    const int block = addBlock("north.no1");
    addGuidance(block);
    addFlight(block, "N1.T01");
    MainForm& window = form();
    globals().UTMMode = false;
    globals().CoordFormat = QStringLiteral("0.0000");
    mapState().MapEmpty = false;
    SaveRegSetting("DefaultDirs", "SHPDir", "/maps/");
    SaveRegSetting("Settings", "AutoLoadGuidance", "True");
    mainSettings().SHPDir = QStringLiteral("/elsewhere/");

    window.File_CloseAll_Click();
    EXPECT_EQ(layerData().ImageCount + layerData().GISCount + agnavData().BlockCount, 0);
    EXPECT_EQ(agnavData().GuidanceCount + agnavData().FlightCount, 0);
    EXPECT_FALSE(globals().ImageLoaded || globals().GISLoaded || globals().AGNAVLoaded);
    EXPECT_TRUE(mapState().MapEmpty);
    EXPECT_TRUE(globals().UTMMode);
    EXPECT_EQ(globals().CoordFormat, "0");
    for (const ControlArray<QCheckBox>* checks :
        { &window.ImageCheck, &window.GISCheck, &window.AGCheck, &window.Check3 }) {
        EXPECT_EQ(checks->UBound(), 0) << checks->name().toStdString();
    }
    EXPECT_EQ(window.CheckLabel3.UBound(), 0);
    EXPECT_TRUE(window.Label1->isVisibleTo(window.Frame1));
    const QLineEdit* boxes[] = { window.Text1, window.Text2, window.Text3, window.Text4 };
    const char* starts[] = { "0", "0", "10000", "10000" };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(boxes[i]->text(), starts[i]);
    }
    EXPECT_EQ(layerData().DataExtent.XMin, EmptyDataExtent.XMin);
    EXPECT_EQ(mainSettings().SHPDir, "/maps/") << "the folder chosen since is forgotten";
    EXPECT_TRUE(mainSettings().AutoLoadGuidance);
}

TEST_F(CloseAll, EndsTheDigitizingToolsAndAppliesATypedExtentFirst)
{
    const int block = addBlock("north.no1");
    MainForm& window = form();
    window.Tools_DigitizeExclusion->setChecked(true);
    window.SelectedBlock = block;
    window.DigitizeLine.load(1);
    window.Toolbar->setValue(3, 1);
    window.ApplyMapExtent(); // the boxes open for typing
    window.Text1->setText("1000");
    window.Text2->setText("2000");
    window.Text3->setText("5000");
    window.Text4->setText("6000");
    const double startEast = window.Picture1->ScaleLeft() + window.Picture1->ScaleWidth();

    window.File_CloseAll_Click();
    EXPECT_FALSE(window.Tools_DigitizeExclusion->isChecked());
    EXPECT_EQ(window.SelectedBlock, 0);
    EXPECT_EQ(window.DigitizeLine.UBound(), 0);
    EXPECT_EQ(window.Toolbar->Value(3), 0);
    EXPECT_EQ(layerData().LastExtent.XMax, startEast) << "the typed extent was applied over the start view";
    EXPECT_FALSE(mapState().ExtentEntryMode);
}

TEST_F(CloseAll, TheFileMenuOffersWhatTheLoadedDataAllows)
{
    MainForm& window = form();
    const auto open = [&window] {
        LayerList::instance().File_Menu_Click();
        QString states;
        for (QAction* item :
            { window.File_LoadSession, window.File_SaveSession, window.File_OpenBMP, window.File_OpenGuidance,
                window.File_OpenExclusion, window.File_OpenFlight, window.File_CloseAll }) {
            states += item->isEnabled() ? u'1' : u'0';
        }
        return states;
    };
    EXPECT_EQ(open(), "1010000");
    globals().MetLoaded = true;
    EXPECT_EQ(open(), "1010001") << "meteorological data alone can be closed";
    globals().MetLoaded = false;

    const int block = addBlock("north.no1");
    QFile(blockAt(block).Path.left(blockAt(block).Path.size() - 3) + "XYZ").open(QIODevice::WriteOnly);
    QDir().mkpath(blockAt(block).DataFolder);
    QFile(blockAt(block).DataFolder + "N1.T01").open(QIODevice::WriteOnly);
    for (int i = 0; i < 4; ++i) {
        addImage(QStringLiteral("image%1.bmp").arg(i), true);
    }
    EXPECT_EQ(open(), "0111011") << "a fifth image may still come";
    addImage("image5.bmp", true);
    addGuidance(block);
    EXPECT_EQ(open(), "0100011");

    window.File_CloseAll_Click();
    EXPECT_EQ(open(), "1010000");
}

} // namespace

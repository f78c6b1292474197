// Exclusion-zone digitizing from start to file: the Tools menu with one and
// with two blocks, the block pop-up, the question, and a zone that cannot be
// written.
#include "korvel/layers/layer_popup_states.h"
#include "korvel/map/digitizing_tool.h"
#include "korvel/map/map_view.h"
#include "korvel/shell/selection_form.h"
#include "korvel/workspace/agnav_block.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/tool_bar.h"
#include "platform/vb_colors.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>

namespace {

class ExclusionDigitizing : public AgnavCommandsTest
{
protected:
    // Blocks of 800 m squares side by side from 500 000 E, 4 800 000 N.
    void loadBlocks(int count)
    {
        for (int b = 1; b <= count; ++b) {
            const double x = 500000.0 + 1000.0 * b;
            ASSERT_TRUE(form().LoadAGNAVBlock(
                writeUtmBlock(QStringLiteral("FIELD%1").arg(b), x, 4800000, x + 800, 4800800)));
        }
        form().Picture1->Scale(500000, 4801000, 504000, 4799000);
    }
    // A triangle clicked counter-clockwise (north up), closed by a right press.
    void digitizeTriangle(double x)
    {
        MapView::instance().Picture1_MouseDown(1, 0, float(x), 4800100.0f);
        MapView::instance().Picture1_MouseDown(1, 0, float(x + 400), 4800100.0f);
        MapView::instance().Picture1_MouseDown(1, 0, float(x + 200), 4800500.0f);
        MapView::instance().Picture1_MouseDown(2, 0, 0.0f, 0.0f);
    }
    QByteArray exclusionFile(int b) const
    {
        return readTestFile(workDir() + QStringLiteral("FIELD%1.xcl").arg(b));
    }
};

} // namespace

TEST_F(ExclusionDigitizing, OneBlockTakesTheZoneWithoutAChooserClockwiseIntoItsFile)
{
    loadBlocks(1);
    MainForm& window = form();
    window.Tools_DigitizeExclusion_Click();
    ASSERT_TRUE(window.Tools_DigitizeExclusion->isChecked());
    EXPECT_FALSE(window.Toolbar->Enabled(3)) << "no typed extent while digitizing";

    queueMsgBoxAnswer(vbYes);
    digitizeTriangle(501100);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "Save AGNAV exclusion zone?");
    EXPECT_TRUE(modalForms().empty());
    EXPECT_EQ(exclusionFile(1),
        "1   501300.0  4800500.0\r\n"
        "1   501500.0  4800100.0\r\n"
        "1   501100.0  4800100.0\r\n")
        << "stored clockwise: the counter-clockwise clicks reversed";
    const AGNAVBlock& block = agnavData().Blocks[1];
    EXPECT_EQ(block.ExclusionZoneCount, 1);
    EXPECT_GT(block.ExclusionAreas[1], 0.0);
    EXPECT_TRUE(block.ExclusionLoaded);
    EXPECT_TRUE(window.Check3.exists(1)) << "the block's exclusion row";
    EXPECT_FALSE(window.Tools_DigitizeExclusion->isChecked());
    EXPECT_TRUE(window.Toolbar->Enabled(3));
    EXPECT_EQ(window.DigitizeLine.UBound(), 0);
    EXPECT_EQ(window.SelectedBlock, 0);
}

TEST_F(ExclusionDigitizing, WithTwoBlocksTheChooserComesWhenTheZoneIsClosed)
{
    loadBlocks(2);
    MainForm& window = form();
    window.Tools_DigitizeExclusion_Click();
    EXPECT_TRUE(modalForms().empty()) << "not at the start";
    onModal<SelectionForm>([](SelectionForm& chooser) {
        EXPECT_EQ(chooser.ListType, SelectionListBlocks);
        chooser.Selection = 2;
        chooser.accept();
    });
    queueMsgBoxAnswer(vbYes);
    digitizeTriangle(502100);
    EXPECT_TRUE(exclusionFile(1).isEmpty());
    EXPECT_TRUE(exclusionFile(2).contains("1   502100.0  4800100.0\r\n"));
    EXPECT_EQ(agnavData().Blocks[2].ExclusionZoneCount, 1);
}

TEST_F(ExclusionDigitizing, ThePopUpKnowsItsBlockFromTheStartAndASecondZoneFollowsTheFirst)
{
    loadBlocks(2);
    MainForm& window = form();
    agnavData().Blocks[2].Colour = RGB(0, 160, 0);
    for (int zone = 1; zone <= 2; ++zone) {
        window.SelectedLayer = 2;
        window.PopUp_DigitizeExclusion_Click();
        MapView::instance().Picture1_MouseDown(1, 0, 502100.0f, 4800100.0f);
        EXPECT_EQ(window.DigitizeLine[1].BorderColor(), RGB(0, 160, 0)) << "the block's colour";
        MapView::instance().Picture1_MouseDown(1, 0, 502200.0f, 4800400.0f);
        MapView::instance().Picture1_MouseDown(1, 0, 502300.0f, 4800100.0f);
        queueMsgBoxAnswer(vbYes);
        MapView::instance().Picture1_MouseDown(2, 0, 0.0f, 0.0f);
    }
    EXPECT_TRUE(modalForms().empty()) << "no chooser";
    window.Tools_DigitizeBoundary_Click();
    window.PopUp_DigitizeExclusion_Click();
    EXPECT_FALSE(window.Tools_DigitizeExclusion->isChecked()) << "not while a boundary is digitized";
    window.Tools_DigitizeBoundary_Click();
    const QList<QByteArray> lines = exclusionFile(2).split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines[3].startsWith("2   502100.0")) << "the second zone numbered 2";
    EXPECT_EQ(agnavData().Blocks[2].ExclusionZoneCount, 2);
    EXPECT_EQ(window.SelectedBlock, 0);
}

// A block whose exclusion-zone file already held zones it had not loaded:
// the new zone follows them in the file, and the block then holds, draws and
// lists them all, so "Load Exclusion Zones" (off once zones are loaded) hides
// nothing.
TEST_F(ExclusionDigitizing, AZoneAddedToAFileNotLoadedBringsTheFilesOtherZonesAlong)
{
    loadBlocks(1);
    write(QStringLiteral("FIELD1.xcl"),
        "1   501100.0  4800600.0\r\n1   501100.0  4800700.0\r\n1   501300.0  4800700.0\r\n"
        "1   501300.0  4800600.0\r\n"
        "2   501500.0  4800600.0\r\n2   501500.0  4800700.0\r\n2   501700.0  4800700.0\r\n"
        "2   501700.0  4800600.0\r\n");
    const AGNAVBlock& block = agnavData().Blocks[1];
    ASSERT_FALSE(block.ExclusionLoaded);
    ASSERT_TRUE(blockPopUpStates(block, false).openExclusion);
    const QColor zoneFill = toQColor(mainSettings().BufferColour);
    ASSERT_NE(mapColourAt(501200, 4800650), zoneFill);

    MainForm& window = form();
    window.Tools_DigitizeExclusion_Click();
    queueMsgBoxAnswer(vbYes);
    digitizeTriangle(501100);
    EXPECT_TRUE(exclusionFile(1).contains("\r\n3   501300.0  4800500.0\r\n")) << "the next zone of the file";
    ASSERT_EQ(block.ExclusionZoneCount, 3);
    EXPECT_EQ(block.ExclusionZones[1].X[1], 501100.0) << "the file's first zone";
    EXPECT_EQ(block.ExclusionZones[3].upperBound(), 3) << "the new zone last";
    EXPECT_GT(block.ExclusionAreas[3], 0.0);
    EXPECT_EQ(agnavData().ExclusionCount, 1);
    struct Zone
    {
        const char* name;
        double x;
        double y;
    };
    for (const Zone& zone : { Zone { "zone 1", 501200, 4800650 }, Zone { "zone 2", 501600, 4800650 },
             Zone { "zone 3", 501300, 4800250 } }) {
        EXPECT_EQ(mapColourAt(zone.x, zone.y), zoneFill) << zone.name << " is drawn";
    }
    EXPECT_TRUE(window.Check3.exists(1)) << "the block's exclusion row";
    EXPECT_FALSE(blockPopUpStates(block, false).openExclusion) << "nothing is left to load";
}

TEST_F(ExclusionDigitizing, FewVerticesOrNoSaveNothingAndAFailedWriteIsReported)
{
    loadBlocks(1);
    MainForm& window = form();
    window.Tools_DigitizeExclusion_Click();
    MapView::instance().Picture1_MouseDown(1, 0, 501100.0f, 4800100.0f);
    MapView::instance().Picture1_MouseDown(1, 0, 501300.0f, 4800100.0f);
    MapView::instance().Picture1_MouseDown(2, 0, 0.0f, 0.0f);
    EXPECT_TRUE(msgBoxes().empty()) << "two vertices are dropped without a question";

    window.Tools_DigitizeExclusion_Click();
    queueMsgBoxAnswer(vbNo);
    digitizeTriangle(501100);
    EXPECT_FALSE(QFile::exists(workDir() + "FIELD1.xcl"));
    EXPECT_EQ(agnavData().Blocks[1].ExclusionZoneCount, 0);
    EXPECT_FALSE(window.Tools_DigitizeExclusion->isChecked());

    // A folder where the file should be: the zone cannot be written.
    ASSERT_TRUE(QDir(workDir()).mkdir("FIELD1.xcl"));
    window.Tools_DigitizeExclusion_Click();
    queueMsgBoxAnswer(vbYes);
    queueMsgBoxAnswer(vbOK);
    digitizeTriangle(501100);
    ASSERT_EQ(msgBoxes().size(), 3u);
    EXPECT_TRUE(msgBoxes()[2].prompt.startsWith("Error: ")) << msgBoxes()[2].prompt.toStdString();
    EXPECT_EQ(agnavData().Blocks[1].ExclusionZoneCount, 0) << "the block holds only what was written";
    EXPECT_EQ(window.DigitizeLine.UBound(), 0);
}

namespace {

// The chooser closed without a choice is a Cancel: the zone goes nowhere.
TEST_F(ExclusionDigitizing, ChooserClosedWithoutAChoiceSavesNothing)
{
    loadBlocks(2);
    MainForm& window = form();
    window.Tools_DigitizeExclusion_Click();
    onModal<SelectionForm>([](SelectionForm& chooser) { chooser.reject(); });
    digitizeTriangle(501100);
    EXPECT_TRUE(msgBoxes().empty()) << "no question for a zone without a block";
    EXPECT_TRUE(exclusionFile(1).isEmpty());
    EXPECT_TRUE(exclusionFile(2).isEmpty());
    EXPECT_EQ(agnavData().Blocks[1].ExclusionZoneCount, 0);
    EXPECT_FALSE(window.Tools_DigitizeExclusion->isChecked());
    EXPECT_EQ(window.DigitizeLine.UBound(), 0);
}

} // namespace

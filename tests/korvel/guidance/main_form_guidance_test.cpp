// Guidance-line creation on the main window, driven as a user would: the
// Tools menu or the block's pop-up starts it, the docked panel or the
// floating window steers the preview, Save writes and Cancel ends.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/agnav/agnav_form.h"
#include "korvel/agnav/block_creation.h"
#include "korvel/guidance/guidance_form.h"
#include "korvel/guidance/guidance_state.h"
#include "korvel/guidance/guidance_work.h"
#include "korvel/layers/layer_list.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/polygon_area.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/shell/selection_form.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/vb_colors.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>

namespace {

class MainFormGuidance : public AgnavCommandsTest
{
protected:
    void SetUp() override
    {
        AgnavCommandsTest::SetUp();
        setFloatingToolWindow(FloatingTool::Guidance, &guidanceFormTool());
        // A 1000 x 800 m block, vertices from the south-west corner
        // clockwise, with the records a guidance save rewrites.
        m_path = writeUtmBlock(QStringLiteral("FIELD"), 500000, 4800000, 501000, 4800800);
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("4            1                  NUMBER OF LINES\r\n"
                   "17   500000.0  4800000.0   0.00 MASTER POINT, HEADING\r\n"
                   "37          0                   NO OFFSET OF THE FIRST LINE\r\n");
        file.close();
        queueOpenFiles({ m_path });
        AgnavCommands::instance().File_OpenAGNAV_Click();
        ASSERT_EQ(agnavData().BlockCount, 1);
    }

    AGNAVBlock& block() { return blockAt(1); }

    void start()
    {
        form().Tools_DigitizeGuidance->trigger();
        ASSERT_TRUE(form().Tools_DigitizeGuidance->isChecked());
    }

    // Loads the block file, saves its guidance lines and loads it again: the
    // corners and the master point come back as first read, with the lines.
    void saveLinesAndReload(const QString& path)
    {
        MainForm& f = form();
        f.File_CloseAll_Click();
        ASSERT_TRUE(f.LoadAGNAVBlock(path));
        const ShapeRecord corners = block().Boundary;
        const AGNAVMasterPoint master = block().MasterPoint;
        start();
        f.GuidanceSave->click();
        f.File_CloseAll_Click();
        mainSettings().AutoLoadGuidance = true;
        ASSERT_TRUE(f.LoadAGNAVBlock(path));
        EXPECT_EQ(std::tie(block().Boundary.X, block().Boundary.Y), std::tie(corners.X, corners.Y));
        EXPECT_EQ(std::tie(block().MasterPoint.MasterX, block().MasterPoint.MasterY),
            std::tie(master.MasterX, master.MasterY));
        EXPECT_GT(block().Guidance.LineCount, 0);
    }

    static void key(QWidget& box, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(&box, &press);
    }

    static void leave(QWidget& box)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&box, &out);
    }

    int previewCount() { return form().GuidanceLine.Count() - 1; }

    QString m_path;
};

TEST_F(MainFormGuidance, TheToolsMenuStartsWithTheBlocksHeadingAndSwath)
{
    block().HeadingText = QStringLiteral("123.69");
    start();
    MainForm& f = form();
    EXPECT_EQ(f.SelectedBlock, 1);
    EXPECT_TRUE(f.GuidanceFrame->isVisibleTo(&f));
    EXPECT_EQ(f.GuidanceText->text(), "124");
    EXPECT_EQ(f.VScroll1->value(), 124);
    EXPECT_EQ(f.SwathText->text(), "30");
    EXPECT_EQ(f.VScroll2->value(), 30);
    EXPECT_EQ(f.SwathLabelm->text(), "m");
    EXPECT_TRUE(f.OffsetOption[0].isChecked()) << "record 37: no offset";
    EXPECT_TRUE(f.GuidanceOption[1].isChecked());
    EXPECT_GT(previewCount(), 20);
    EXPECT_TRUE(f.GuidanceLine[1].Visible());
}

TEST_F(MainFormGuidance, WithSeveralBlocksTheToolsMenuAsksForOne)
{
    // Every block is offered, even one that has guidance lines already.
    block().GuidanceLoaded = true;
    ASSERT_TRUE(
        form().LoadAGNAVBlock(writeUtmBlock(QStringLiteral("SOUTH"), 500000, 4790000, 501000, 4790800)));
    onModal<SelectionForm>([](SelectionForm& chooser) { chooser.reject(); });
    form().Tools_DigitizeGuidance->trigger();
    EXPECT_FALSE(form().Tools_DigitizeGuidance->isChecked()) << "closed without a choice: no work";
    EXPECT_EQ(form().SelectedBlock, 0);
    onModal<SelectionForm>([](SelectionForm& chooser) {
        EXPECT_EQ(chooser.ListType, SelectionListBlocks);
        chooser.Selection = 2;
        chooser.accept();
    });
    start();
    EXPECT_EQ(form().SelectedBlock, 2);
    EXPECT_TRUE(msgBoxes().empty()) << "no question about lines already there";
}

TEST_F(MainFormGuidance, TheLayoutShowsTheDefaultSwathInTheDisplayUnitOrTheSwathInUse)
{
    MainForm& f = form();
    globals().MetricSystem = false;
    SaveRegSetting("AGNAVDefault", "SwathWidth", "30");
    f.AdjustGuidanceFrame();
    EXPECT_EQ(f.SwathText->text(), "98");
    start();
    f.VScroll2->setValue(120);
    f.AdjustGuidanceFrame();
    EXPECT_EQ(f.SwathText->text(), "120") << "a resize keeps the swath being laid";
}

TEST_F(MainFormGuidance, StoredValuesComeIntoThePanelsRangesAndUnit)
{
    const struct
    {
        const char* name;
        const char* heading;
        const char* swath;
        bool metric;
        const char* storedDirection;
        const char* storedSwath;
        int shownHeading;
        const char* shownSwath;
        const char* unit;
        bool notice;
    } rows[] = {
        { "U.S. units: 30 m are 98 ft", "90", "30", false, "0", "30", 90, "98", "ft", false },
        { "no stored heading or swath: the defaults", "", "", true, "45", "40", 45, "40", "m", false },
        { "a swath of 0 is named and the default shown", "", "0", true, "0", "40", 0, "40", "m", true },
        { "a swath beyond the spin is held to it", "", "9000", true, "0", "30", 0, "5000", "m", false },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        block().HeadingText = QString::fromLatin1(row.heading);
        block().SwathWidthText = QString::fromLatin1(row.swath);
        globals().MetricSystem = row.metric;
        SaveRegSetting("AGNAVDefault", "LineDirection", row.storedDirection);
        SaveRegSetting("AGNAVDefault", "SwathWidth", row.storedSwath);
        const std::size_t boxes = msgBoxes().size();
        if (row.notice) {
            queueMsgBoxAnswer(vbOK);
        }
        start();
        EXPECT_EQ(form().VScroll1->value(), row.shownHeading);
        EXPECT_EQ(form().SwathText->text(), row.shownSwath);
        EXPECT_EQ(form().SwathLabelm->text(), row.unit);
        EXPECT_EQ(msgBoxes().size(), boxes + (row.notice ? 1 : 0));
        form().GuidanceCancel_Click();
    }
    EXPECT_EQ(msgBoxes().back().prompt,
        "The swath width \"0\" stored for block FIELD.no1 cannot be used.\rThe default swath width is shown "
        "instead.");
}

TEST_F(MainFormGuidance, KeysStepTheSpinsAndEnterTakesWhatIsTyped)
{
    start();
    MainForm& f = form();
    QLineEdit& heading = *f.GuidanceText;
    QLineEdit& swath = *f.SwathText;
    const struct
    {
        const char* name;
        QLineEdit& box;
        const char* before;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int after;
        const char* shown;
    } rows[] = {
        { "355, Page Up wraps to 0", heading, "355", Qt::Key_PageUp, Qt::NoModifier, 0, "0" },
        { "numeric-pad + adds one and types no sign", heading, "10", Qt::Key_Plus, Qt::KeypadModifier, 11,
            "11" },
        { "400 and Enter: the heading shown again", heading, "400", Qt::Key_Return, Qt::NoModifier, 10,
            "10" },
        { "40 and Enter", heading, "40", Qt::Key_Return, Qt::NoModifier, 40, "40" },
        { "swath 1, Page Down: nothing", swath, "1", Qt::Key_PageDown, Qt::NoModifier, 1, "1" },
        { "swath 0.6 and Enter is 1", swath, "0.6", Qt::Key_Return, Qt::NoModifier, 1, "1" },
        { "swath 6000 and Enter: nothing", swath, "6000", Qt::Key_Return, Qt::NoModifier, 30, "6000" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QScrollBar& spin = &row.box == &heading ? *f.VScroll1 : *f.VScroll2;
        const int before = QString::fromLatin1(row.before).toInt();
        spin.setValue(row.key == Qt::Key_Return ? (&row.box == &heading ? 10 : 30) : before);
        row.box.setText(QString::fromLatin1(row.before));
        key(row.box, row.key, row.modifiers);
        EXPECT_EQ(spin.value(), row.after);
        EXPECT_EQ(row.box.text(), row.shown);
    }
    heading.setText("40");
    key(heading, Qt::Key_Return);
    EXPECT_EQ(heading.selectedText(), "40") << "Enter selects what it took";
}

TEST_F(MainFormGuidance, ARefusedEntryPutsBackTheSpinsValueAndLaysNothingAgain)
{
    start();
    MainForm& f = form();
    f.VScroll1->setValue(20);
    const LineControl* first = &f.GuidanceLine[1];
    const double east = first->X1();
    for (const char* typed : { "abc", "400", "-1" }) {
        f.GuidanceText->setText(QString::fromLatin1(typed));
        leave(*f.GuidanceText);
        EXPECT_EQ(f.GuidanceText->text(), "20") << typed;
        EXPECT_EQ(f.VScroll1->value(), 20);
        EXPECT_EQ(f.GuidanceLine[1].X1(), east);
    }
    f.GuidanceText->setText("12.5");
    leave(*f.GuidanceText);
    EXPECT_EQ(f.VScroll1->value(), 12);
    f.GuidanceText->setText("13.5");
    leave(*f.GuidanceText);
    EXPECT_EQ(f.VScroll1->value(), 14);

    SaveRegSetting("AGNAVDefault", "SwathWidth", "45");
    f.SwathText->setText("0.5");
    leave(*f.SwathText);
    EXPECT_EQ(f.VScroll2->value(), 45) << "the stored default";
    EXPECT_EQ(f.SwathText->text(), "45");
}

TEST_F(MainFormGuidance, EdgeModeMarksTheEdgeAndKeepsBothValues)
{
    start();
    MainForm& f = form();
    f.VScroll1->setValue(45);
    f.GuidanceOption[2].setChecked(true);
    EXPECT_EQ(f.VScroll1->minimum(), 1);
    EXPECT_EQ(f.VScroll1->maximum(), 4);
    EXPECT_EQ(f.GuidanceText->text(), "1");
    EXPECT_FALSE(f.DegreeLabel->isVisibleTo(&f));
    EXPECT_EQ(f.DigitizeLine.Count(), 5) << "hidden companions of the four edges";
    const LineControl& mark = f.DigitizeLine[0];
    EXPECT_TRUE(mark.Visible());
    EXPECT_EQ(mark.BorderColor(), QBColor(12));
    EXPECT_EQ(mark.Y2(), 4800800.0) << "edge 1 runs north";

    key(*f.GuidanceText, Qt::Key_Down);
    EXPECT_EQ(f.VScroll1->value(), 4) << "edge 1, Down: the last edge";
    EXPECT_EQ(mark.X2(), 500000.0) << "edge 4 closes the ring at vertex 1";
    EXPECT_EQ(mark.Y2(), 4800000.0);
    EXPECT_LT(f.GuidanceLine[1].X2(), f.GuidanceLine[1].X1()) << "lines run west along edge 4";

    f.VScroll1->setValue(3);
    f.GuidanceOption[1].setChecked(true);
    EXPECT_EQ(f.VScroll1->value(), 45);
    EXPECT_EQ(f.DigitizeLine.Count(), 1);
    EXPECT_FALSE(f.DigitizeLine[0].Visible());
    f.GuidanceOption[2].setChecked(true);
    EXPECT_EQ(f.VScroll1->value(), 3);
}

TEST_F(MainFormGuidance, EdgeModeInTheOtherWindowMakesNothingTwice)
{
    start();
    MainForm& f = form();
    f.GuidanceOption[2].setChecked(true);
    ASSERT_EQ(f.DigitizeLine.Count(), 5);
    f.View_MapMode_Click();
    GuidanceForm* window = GuidanceForm::existing();
    ASSERT_NE(window, nullptr);
    window->GuidanceOption[2].setChecked(true);
    EXPECT_EQ(f.DigitizeLine.Count(), 5);
    EXPECT_EQ(window->VScroll1->maximum(), 4);
}

TEST_F(MainFormGuidance, ThePreviewFollowsTheOffsetAndEveryRedraw)
{
    start();
    MainForm& f = form();
    const int none = previewCount();
    f.OffsetOption[1].setChecked(true);
    EXPECT_EQ(f.GuidanceLine[1].X1(), 500015.0);
    EXPECT_EQ(previewCount(), none - 1);
    f.GuidanceLine.unloadAll();
    f.Graph(false);
    EXPECT_EQ(previewCount(), none - 1);
}

TEST_F(MainFormGuidance, RefusalsTheUserHears)
{
    start();
    MainForm& f = form();
    f.VScroll2->setValue(1); // 1000 lines fit
    EXPECT_EQ(previewCount(), 1000);
    queueMsgBoxAnswer(vbOK);
    block().Boundary.X[4] = 503000.0; // 3 km wide at one end
    block().Boundary.X[3] = 506000.0; // 6 km at the other
    f.FitGuidanceLines();
    QCoreApplication::processEvents(); // the box opens once the change is over
    EXPECT_EQ(previewCount(), 0);
    EXPECT_EQ(msgBoxes().back().prompt,
        "Error computing guidance lines.\rMore than 5000 lines would be laid over the block.\r"
        "Please choose a wider swath.");
    EXPECT_EQ(msgBoxes().back().buttons, vbOKOnly);
    // A notch whose vertex lies on the first sweep line.
    block().Boundary = ShapeRecord();
    block().Boundary.X = { 0, 500000, 500000, 501000, 501000, 500500 };
    block().Boundary.Y = { 0, 4800000, 4800800, 4800800, 4800000, 4800000 };
    block().VertexCount = 5;
    f.VScroll2->setValue(1000);
    queueMsgBoxAnswer(vbOK);
    f.OffsetOption[1].setChecked(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(msgBoxes().back().prompt,
        "Error computing guidance lines.\rPlease choose another angle/spacing value\r(Intercepts = 1)");
    EXPECT_EQ(previewCount(), 0);
}

TEST_F(MainFormGuidance, ALineErrorIsToldOnceAndSavesNothing)
{
    // Stored values that put a vertex of the notch on the first sweep line.
    block().Boundary = ShapeRecord();
    block().Boundary.X = { 0, 500000, 500000, 501000, 501000, 500500 };
    block().Boundary.Y = { 0, 4800000, 4800800, 4800800, 4800000, 4800000 };
    block().VertexCount = 5;
    block().SwathWidthText = "1000";
    block().OffsetCode = 1;
    writeTestFile(
        workDir() + "FIELD.xyz", "LINE 10 \r\n500050      4800000  1\r\n500050      4800800  2\r\n");
    const QByteArray boundary = readTestFile(m_path);
    const QByteArray lines = readTestFile(workDir() + "FIELD.xyz");
    queueMsgBoxAnswer(vbOK);
    start();
    QCoreApplication::processEvents();
    form().Graph(false);
    QCoreApplication::processEvents();
    ASSERT_EQ(msgBoxes().size(), 1u) << "once for the start, not again for its redraw";
    EXPECT_TRUE(msgBoxes().back().prompt.startsWith("Error computing guidance lines."));

    queueMsgBoxAnswer(vbOK);
    GuidanceWork::instance().GuidanceSave_Click();
    ASSERT_EQ(msgBoxes().size(), 2u);
    EXPECT_TRUE(msgBoxes().back().prompt.startsWith(
        "Error: The guidance lines of the block FIELD.no1 could not be computed, so nothing was saved."))
        << msgBoxes().back().prompt.toStdString();
    EXPECT_EQ(readTestFile(m_path), boundary);
    EXPECT_EQ(readTestFile(workDir() + "FIELD.xyz"), lines);
    EXPECT_FALSE(block().GuidanceLoaded);
}

TEST_F(MainFormGuidance, SaveWritesTheFilesAndTheBlockLoadsAgainWithItsLines)
{
    start();
    MainForm& f = form();
    f.OffsetOption[1].setChecked(true);
    f.VScroll2->setValue(100);
    ASSERT_EQ(previewCount(), 10);
    f.GuidanceSave->click();
    EXPECT_FALSE(f.Tools_DigitizeGuidance->isChecked());
    EXPECT_EQ(f.SelectedBlock, 0);
    EXPECT_FALSE(f.GuidanceFrame->isVisibleTo(&f));
    EXPECT_EQ(previewCount(), 0);
    EXPECT_TRUE(block().GuidanceLoaded);
    EXPECT_EQ(f.CheckLabel3[1].text(), "Guidance Lines");
    EXPECT_TRUE(f.Check3[1].isChecked());
    const QByteArray file = readTestFile(workDir() + "FIELD.xyz");
    EXPECT_TRUE(file.startsWith("LINE 10 \r\n500050      4800000  1\r\n500050      4800800  2\r\n"))
        << file.data();

    // The block loaded again brings its ten lines.
    f.File_CloseAll_Click();
    mainSettings().AutoLoadGuidance = true;
    ASSERT_TRUE(f.LoadAGNAVBlock(m_path));
    ASSERT_EQ(block().Guidance.LineCount, 10);
    EXPECT_EQ(block().Guidance.Lines[10].X[2], 500950.0);
    EXPECT_EQ(block().SwathWidthText, "100");
    EXPECT_EQ(block().OffsetCode, 1);
    EXPECT_EQ(block().HeadingText, "0.00");
    // ... and draws them: a line at every 100 m, nothing between.
    f.ZoomToLayers(0, 2);
    const auto blackNear = [this](double east) {
        bool black = false;
        for (double step : { -2.0, 0.0, 2.0 }) {
            black = black || mapColourAt(east + step, 4800400) == QColor(Qt::black);
        }
        return black;
    };
    EXPECT_TRUE(blackNear(500050));
    EXPECT_TRUE(blackNear(500950));
    EXPECT_FALSE(blackNear(500100));
    EXPECT_TRUE(readTestFile(m_path).contains("\r\n4           10                  NUMBER OF LINES\r\n"));
}

// A field across the equator as digitizing writes it, corners 442.1 m either
// side: the map goes to degrees, the lines are saved there, and back in
// metres everything is where it was.
TEST_F(MainFormGuidance, AFieldAcrossTheEquatorSwitchesThereAndBackAndTakesItsLines)
{
    MainForm& f = form();
    f.File_CloseAll_Click();
    m_path = writeUtmBlock(QStringLiteral("EQUATOR"), 500000, -442.1, 501000, 442.1);
    ASSERT_TRUE(f.LoadAGNAVBlock(m_path));
    const ShapeRecord corners = block().Boundary;
    EXPECT_NEAR(block().Area, 884200.0, 0.1);

    LayerList::instance().StatusBar1_PanelClick(3);
    ASSERT_FALSE(globals().UTMMode);
    EXPECT_NEAR(BoundaryArea(1), 884200.0, 0.1) << "the southern corners stay south of the equator";
    start();
    f.GuidanceSave->click();
    EXPECT_FALSE(f.Tools_DigitizeGuidance->isChecked()) << "saved, not refused";
    const QByteArray lines = readTestFile(workDir() + "EQUATOR.xyz");
    EXPECT_TRUE(lines.startsWith("LINE 10 \r\n500000      -442  1\r\n500000      442  2\r\n"))
        << lines.data();

    LayerList::instance().StatusBar1_PanelClick(3);
    ASSERT_TRUE(globals().UTMMode);
    for (std::size_t i = 1; i <= 4; ++i) {
        EXPECT_NEAR(block().Boundary.X[i], corners.X[i], 0.001);
        EXPECT_NEAR(block().Boundary.Y[i], corners.Y[i], 0.001);
    }
    EXPECT_NEAR(BoundaryArea(1), 884200.0, 0.1);
    EXPECT_NEAR(block().Guidance.Lines[1].Y[1], -442.1, 0.001);
    EXPECT_TRUE(msgBoxes().empty()) << msgBoxes().back().prompt.toStdString();
}

TEST_F(MainFormGuidance, ABoundaryFileTakenIsTakenAgainAfterItsGuidanceSave)
{
    const QByteArray sound = readTestFile(m_path);
    const QByteArray files[] = { sound + "\x1a", sound + "\x1a\r\n", sound.chopped(2) + "\x1a",
        QByteArray(sound).replace(
            "36         30         1  1      SWATH WIDTH, NO OF A/C, SPRAY ON CLOSURE OF CONTACT",
            "36         30 "),
        QByteArray(sound).replace("500000.0  4800000.0   0.00", "500000.0-4800000.0    0.00") };
    for (const QByteArray& file : files) {
        SCOPED_TRACE(file.right(20).toPercentEncoding().constData());
        writeTestFile(m_path, file);
        saveLinesAndReload(m_path);
        EXPECT_EQ(block().MasterPoint.MasterX, "500000.0");
    }
    EXPECT_TRUE(msgBoxes().empty()) << msgBoxes().back().prompt.toStdString();
}

// West of 100 degrees west the longitude of a latitude/longitude job's
// master point fills its columns and touches the latitude.
TEST_F(MainFormGuidance, ALatitudeLongitudeJobWestOf100DegreesIsWrittenLoadedAndGuided)
{
    MainForm& f = form();
    f.File_CloseAll_Click();
    mapState().Zone = 13;
    CreatedBlockSource source;
    source.path = workDir() + QStringLiteral("WEST13.no1");
    source.ring.resize(4);
    source.ring.X = { 0, 500000, 500000, 501000, 501000 };
    source.ring.Y = { 0, 5566000, 5566800, 5566800, 5566000 };
    appendCreatedBlock(source);
    AGNAVForm& dialog = AGNAVForm::instance();
    dialog.show();
    dialog.CoordOption[1].setChecked(true);
    dialog.AcceptButton->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << prompts().join(u'|').toStdString();
    AGNAVForm::release();
    static const QRegularExpression record17(
        QStringLiteral("\r\n17  50\\.\\d{6}-105\\.000000   0\\.00 MASTER POINT, HEADING\r\n"));
    EXPECT_TRUE(QString::fromLatin1(readTestFile(source.path)).contains(record17));

    saveLinesAndReload(source.path);
    EXPECT_EQ(block().MasterPoint.MasterX, "-105.000000");
    EXPECT_TRUE(msgBoxes().empty()) << msgBoxes().back().prompt.toStdString();
}

TEST_F(MainFormGuidance, AFailedSaveSaysWhyAndKeepsTheWorkOpen)
{
    start();
    MainForm& f = form();
    const QByteArray before = readTestFile(m_path);
    QDir(workDir()).mkdir("FIELD.xyz");
    queueMsgBoxAnswer(vbOK);
    GuidanceWork::instance().GuidanceSave_Click();
    EXPECT_TRUE(msgBoxes().back().prompt.startsWith("Error: Cannot write " + workDir() + "FIELD.xyz"));
    EXPECT_TRUE(f.Tools_DigitizeGuidance->isChecked());
    EXPECT_EQ(f.SelectedBlock, 1);
    EXPECT_GT(previewCount(), 0);
    EXPECT_EQ(readTestFile(m_path), before);
    EXPECT_FALSE(block().GuidanceLoaded);
}

TEST_F(MainFormGuidance, ThePopUpHidesTheLoadedLinesUntilTheWorkEnds)
{
    writeGuidance(QStringLiteral("FIELD"), 500500, 4800100, 4800700);
    ASSERT_TRUE(form().LoadGuidanceFile(1));
    MainForm& f = form();
    QCheckBox& row = f.Check3[1];
    ASSERT_TRUE(row.isChecked());
    f.SelectedLayer = 1;
    queueMsgBoxAnswer(vbYes);
    f.PopUp_DigitizeGuidance_Click();
    EXPECT_EQ(msgBoxes().back().prompt,
        "A guidance file already exists for this block.\rWould you like to overwrite it?");
    EXPECT_TRUE(f.Tools_DigitizeGuidance->isChecked());
    EXPECT_FALSE(row.isEnabled());
    EXPECT_FALSE(row.isChecked());
    f.GuidanceCancel_Click();
    EXPECT_TRUE(row.isEnabled());
    EXPECT_TRUE(row.isChecked());
    EXPECT_EQ(f.SelectedBlock, 0);
    EXPECT_EQ(guidanceData().GuidanceEdge, 1);
}

TEST_F(MainFormGuidance, MapModeWorksInTheFloatingWindow)
{
    MainForm& f = form();
    f.View_MapMode_Click();
    start();
    GuidanceForm* window = GuidanceForm::existing();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Digitize AG-NAV Guidance");
    EXPECT_EQ(window->SwathText->text(), "30");
    EXPECT_FALSE(f.GuidanceFrame->isVisibleTo(&f));
    window->VScroll2->setValue(200);
    EXPECT_EQ(previewCount(), 5) << "the preview reads the floating window";
    window->GuidanceOption[2].setChecked(true);
    EXPECT_TRUE(f.DigitizeLine[0].Visible()) << "the edge is marked on the main window's map";

    // Cluttered Mode takes the docked panel; Map Mode again a fresh window.
    f.View_ClutteredMode_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(GuidanceForm::existing(), nullptr);
    EXPECT_TRUE(f.GuidanceFrame->isVisibleTo(&f));
    SaveRegSetting("AGNAVDefault", "SwathWidth", "50");
    f.View_MapMode_Click();
    window = GuidanceForm::existing();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->SwathText->text(), "50");
    EXPECT_TRUE(window->GuidanceOption[1].isChecked());
    EXPECT_TRUE(window->OffsetOption[1].isChecked());

    window->GuidanceCancel->click();
    EXPECT_FALSE(f.Tools_DigitizeGuidance->isChecked());
    EXPECT_EQ(GuidanceForm::existing(), nullptr);
    EXPECT_EQ(previewCount(), 0);
}

TEST_F(MainFormGuidance, TheFloatingWindowEndsTheWorkOfItsOwnMainWindow)
{
    MainForm& f = form();
    f.View_MapMode_Click();
    start();
    GuidanceForm* window = GuidanceForm::existing();
    ASSERT_NE(window, nullptr);
    // Let go of, the main window lives on until the event loop deletes it
    // with its floating window; a click meanwhile must not make a new one.
    MainForm::release();
    window->GuidanceCancel->click();
    EXPECT_EQ(MainForm::existing(), nullptr);
    EXPECT_FALSE(f.Tools_DigitizeGuidance->isChecked());
}

} // namespace

#include "korvel/met/manual_form.h"
#include "korvel/met/met_panel.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "tests/korvel/met/met_fixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

namespace {

using MetSources = MetWindowTest;
using MetPanelControls = MetWindowTest;
using ManualEntry = MetWindowTest;

const QString kDegreeF = QString(QChar(0xB0)) + "F";

TEST_F(MetSources, KitoonFileBecomesTheSourceShown)
{
    form(); // its creation reads the folders from the settings
    mainSettings().MetDir = workDir() + "start/";
    const QString path = writeFile("met/day1.dat", "71599, 9, 5, 30, 270, 3.5, 68.2, 70.1\r\n");
    loadKitoon(path);
    MainForm& window = form();
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].title, "Open Met-Kitoon Data File");
    EXPECT_EQ(dialogs()[0].filter, "Data Files|*.dat;*.csv|All Files (*.*)|*.*");
    EXPECT_EQ(dialogs()[0].initDir, workDir() + "start/");
    EXPECT_EQ(mainSettings().MetDir, workDir() + "met/") << "the next dialog opens where this file was";

    EXPECT_EQ(globals().MetCount, 1);
    EXPECT_TRUE(globals().MetLoaded);
    EXPECT_EQ(window.CurrentMet, 1);
    EXPECT_FALSE(window.MetFrame->isHidden());
    EXPECT_EQ(window.MetFrame->title(), "Meteorology (Kitoon)");
    EXPECT_EQ(window.FileNameLabel->text(), "day1.dat");
    EXPECT_EQ(window.DateLabel->text(), "Jul 15, 99");
    EXPECT_EQ(window.TimeLabel->text(), "9:05:30");
    EXPECT_EQ(window.WindSpeedLabel->text(), "3.5 m/s");
    EXPECT_EQ(window.TetherTempLabel->text(), "68.2" + kDegreeF);
    EXPECT_EQ(window.GroundTempLabel->text(), "70.1" + kDegreeF);
    EXPECT_EQ(window.WindDirLabel->text(), "270");
    EXPECT_NEAR(window.CompassLine->X2(), window.CompassLine->X1() - 20.0, 1e-9);
    EXPECT_NEAR(window.CompassLine->Y2(), window.CompassLine->Y1(), 1e-9);
    EXPECT_TRUE(window.ControlPanel[4].isHidden()) << "one source needs no switch";
    EXPECT_TRUE(window.ControlPanel[1].isEnabled());
    EXPECT_TRUE(window.ControlPanel[2].isEnabled());
    EXPECT_FALSE(window.ControlPanel[3].isEnabled());
}

TEST_F(MetSources, TowerFileHidesTheGroundRow)
{
    loadTower(writeFile("tower.csv", "1,1999,196,1430,4.2,0,359.5,0,71.3\r\n"));
    MainForm& window = form();
    EXPECT_EQ(window.MetFrame->title(), "Meteorology (Tall Tower)");
    EXPECT_EQ(window.MetLabel[4].text(), "Air Temp (Twr):");
    EXPECT_TRUE(window.GroundTempLabel->isHidden());
    EXPECT_TRUE(window.MetLabel[5].isHidden());
    EXPECT_EQ(window.DateLabel->text(), "Day 196, 99");
    EXPECT_EQ(window.TimeLabel->text(), "14:30:00");
    EXPECT_EQ(window.WindDirLabel->text(), "360");
}

TEST_F(MetSources, RefusalsChangeNothing)
{
    const QString first = writeThreeRecords("a/same.dat");
    loadKitoon(first);
    struct Case
    {
        const char* name;
        QString path;
        bool tower;
        QString message;
    } cases[] = {
        { "missing", workDir() + "gone.dat", false, "\"" + workDir() + "gone.dat\" does not exist" },
        { "same name elsewhere", writeThreeRecords("b/same.dat"), false,
            "same.dat\r\rhas already been opened" },
        { "same name as the other kind", writeFile("c/same.dat", "1,1999,196,1430,4,0,90,0,70\n"), true,
            "same.dat\r\rhas already been opened" },
    };
    for (const Case& c : cases) {
        queueMsgBoxAnswer(vbOK);
        c.tower ? loadTower(c.path) : loadKitoon(c.path);
        ASSERT_FALSE(msgBoxes().empty()) << c.name;
        EXPECT_EQ(msgBoxes().back().prompt, c.message) << c.name;
        EXPECT_EQ(msgBoxes().back().icon(), 0) << c.name;
        EXPECT_EQ(globals().MetCount, 1) << c.name;
    }
    queueDialogCancel();
    MetPanel::instance().Met_LoadKitoon_Click();
    EXPECT_EQ(msgBoxes().size(), 3u) << "a cancelled dialog ends quietly";
    EXPECT_EQ(globals().MetCount, 1);
}

TEST_F(MetSources, NoMoreThanEightSources)
{
    for (int i = 0; i < 8; ++i) {
        enterManual("5", "90", "60");
    }
    ASSERT_EQ(globals().MetCount, 8);
    queueMsgBoxAnswer(vbOK);
    MetPanel::instance().Met_LoadTower_Click();
    queueMsgBoxAnswer(vbOK);
    MetPanel::instance().Met_EnterManual_Click();
    ASSERT_EQ(msgBoxes().size(), 2u);
    EXPECT_EQ(msgBoxes()[0].prompt, "Currently, no more than 8\rmet files can be opened");
    EXPECT_EQ(msgBoxes()[1].prompt, msgBoxes()[0].prompt);
    EXPECT_TRUE(dialogs().empty()) << "refused before the dialog";
    EXPECT_EQ(globals().MetCount, 8);
}

TEST_F(MetSources, FailedLoadKeepsTheSourceShown)
{
    MainForm& window = form();
    queueMsgBoxAnswer(vbOK);
    loadKitoon(writeFile("empty.dat", ""));
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "Error Loading Met Data");
    EXPECT_EQ(globals().MetCount, 0);
    EXPECT_FALSE(globals().MetLoaded);
    EXPECT_TRUE(window.MetFrame->isHidden()) << "the first source failed: no panel";

    loadKitoon(writeThreeRecords("one.dat"));
    loadKitoon(writeThreeRecords("two.dat"));
    MetPanel::instance().ControlPanel_Click(4); // back to source 1
    ASSERT_EQ(window.CurrentMet, 1);
    queueMsgBoxAnswer(vbOK);
    loadKitoon(writeFile("broken.dat", "71599,9,0,0,0,1,60,55\r\n71599,300,0,10,90,2,61,56\r\n"));
    EXPECT_EQ(msgBoxes().back().prompt, "Error Loading Met Data");
    EXPECT_EQ(globals().MetCount, 2);
    EXPECT_EQ(window.CurrentMet, 1) << "the source shown before, not the last one";
    EXPECT_EQ(window.FileNameLabel->text(), "one.dat");
    EXPECT_EQ(window.ControlPanel[4].text(), "1");
}

TEST_F(MetSources, CutOffLastLineIsLeftOutWithANotice)
{
    queueMsgBoxAnswer(vbOK);
    loadKitoon(writeFile("cut.dat", "71599,9,0,0,0,1,60,60\r\n71599,9,0,10,90,2,61,56\r\n71599,9,0,2"));
    ASSERT_EQ(globals().MetCount, 1);
    EXPECT_EQ(metSource(1).recordCount(), 2);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt,
        "Line 3 of \"cut.dat\" stops without its line end: it was cut off and has been left out.\r"
        "The records before it are loaded.");
}

TEST_F(ManualEntry, KnotsBecomeMetresPerSecondAnd360BecomesNorth)
{
    enterManual("10", "360", "55.5");
    ASSERT_EQ(globals().MetCount, 1);
    const MetRecord& record = shown(1);
    EXPECT_FLOAT_EQ(record.WindSpeed, 5.148f);
    EXPECT_EQ(record.WindDirection, 0);
    EXPECT_FLOAT_EQ(record.AirTemp, 55.5f);
    EXPECT_EQ(record.ElapsedTime, 0);
    EXPECT_EQ(ManualForm::instance().DirectionText->text(), "0");

    MainForm& window = form();
    EXPECT_EQ(window.FileNameLabel->text(), "Manual Entry");
    EXPECT_EQ(window.MetFrame->title(), "Meteorology (Manual)");
    EXPECT_EQ(window.MetLabel[4].text(), "Air Temp:");
    EXPECT_EQ(window.TetherTempLabel->text(), "55.5" + kDegreeF);
    for (QWidget* hidden : { static_cast<QWidget*>(window.DateLabel), static_cast<QWidget*>(window.TimeLabel),
             static_cast<QWidget*>(window.GroundTempLabel), static_cast<QWidget*>(window.TimeSlider),
             static_cast<QWidget*>(&window.MetLabel[1]), static_cast<QWidget*>(&window.MetLabel[2]),
             static_cast<QWidget*>(&window.MetLabel[5]) }) {
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    }
    EXPECT_FALSE(window.ControlPanel[1].isEnabled());
    EXPECT_FALSE(window.ControlPanel[2].isEnabled());

    enterManual("0", "45", "50");
    EXPECT_EQ(globals().MetCount, 2) << "each entry is a source of its own";
    EXPECT_FALSE(window.ControlPanel[4].isHidden());
}

TEST_F(ManualEntry, AcceptStaysOpenOnTheFirstFieldThatFails)
{
    struct Case
    {
        const char* name;
        const char* speed;
        const char* direction;
        const char* temperature;
        const char* failing;
    } cases[] = {
        { "speed not a number", "fast", "abc", "x", "SpeedText" },
        { "direction not a number", "5", "north", "x", "DirectionText" },
        { "temperature not a number", "5", "90", "warm", "AirTempText" },
        { "direction below 0", "5", "-1", "60", "DirectionText" },
        { "direction past 360", "5", "361", "60", "DirectionText" },
        { "direction beyond 16 bits", "5", "40000", "60", "DirectionText" },
        { "speed beyond single precision", "1e40", "90", "60", "SpeedText" },
    };
    for (const Case& c : cases) {
        onModal<ManualForm>([&](ManualForm& entry) {
            entry.SpeedText->setText(c.speed);
            entry.DirectionText->setText(c.direction);
            entry.AirTempText->setText(c.temperature);
            entry.AcceptButton->click();
            EXPECT_TRUE(entry.isVisible()) << c.name;
            const auto* focused = entry.findChild<QLineEdit*>(c.failing);
            EXPECT_EQ(entry.focusWidget(), focused) << c.name;
            EXPECT_EQ(focused->selectedText(), focused->text()) << c.name;
            entry.CancelButton->click();
        });
        MetPanel::instance().Met_EnterManual_Click();
    }
    EXPECT_TRUE(msgBoxes().empty()) << "the dialog shows no message";
    EXPECT_EQ(globals().MetCount, 0);
}

TEST_F(ManualEntry, CancelAndTheCloseBoxAddNothing)
{
    enterManual("4", "200", "70");
    ASSERT_EQ(globals().MetCount, 1);
    onModal<ManualForm>([](ManualForm& entry) { entry.CancelButton->click(); });
    MetPanel::instance().Met_EnterManual_Click();
    // After an accepted entry the close box still counts as Cancel.
    onModal<ManualForm>([](ManualForm& entry) { entry.close(); });
    MetPanel::instance().Met_EnterManual_Click();
    EXPECT_EQ(globals().MetCount, 1);
    enterManual("6", "10", "71");
    EXPECT_EQ(globals().MetCount, 2) << "a later accepted entry is added normally";
    EXPECT_EQ(shown(2).WindDirection, 10);
}

TEST_F(MetPanelControls, PlaybackRunsToTheEndThenShowsRecordOneStopped)
{
    loadKitoon(writeThreeRecords("three.dat"));
    MainForm& window = form();
    MetPanel::instance().ControlPanel_Click(2);
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_FALSE(window.ControlPanel[2].isEnabled());
    EXPECT_TRUE(window.ControlPanel[3].isEnabled());
    const char* times[] = { "9:00:10", "9:00:20", "9:00:00" };
    const char* directions[] = { "90", "180", "0" };
    for (int tick = 0; tick < 3; ++tick) {
        MetPanel::instance().Timer1_Timer();
        EXPECT_EQ(window.TimeLabel->text(), times[tick]) << tick;
        EXPECT_EQ(window.WindDirLabel->text(), directions[tick]) << tick;
    }
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_TRUE(window.ControlPanel[2].isEnabled());
    EXPECT_FALSE(window.ControlPanel[3].isEnabled());
    EXPECT_EQ(metData().MetPosition[1], 1);

    MetPanel::instance().ControlPanel_Click(2);
    MetPanel::instance().Timer1_Timer();
    MetPanel::instance().ControlPanel_Click(3);
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_EQ(metData().MetPosition[1], 2) << "stop keeps the record shown";
}

TEST_F(MetPanelControls, SourceButtonCyclesKeepingEachPosition)
{
    loadKitoon(writeThreeRecords("one.dat"));
    loadKitoon(writeThreeRecords("two.dat"));
    loadKitoon(writeThreeRecords("three.dat"));
    MainForm& window = form();
    EXPECT_EQ(window.CurrentMet, 3);
    EXPECT_FALSE(window.ControlPanel[4].isHidden());
    MetPanel::instance().Timer1_Timer(); // source 3 on to record 2
    struct Step
    {
        const char* caption;
        const char* file;
        const char* time;
    } steps[] = { { "1", "one.dat", "9:00:00" }, { "2", "two.dat", "9:00:00" },
        { "3", "three.dat", "9:00:10" }, { "1", "one.dat", "9:00:00" } };
    for (const Step& step : steps) {
        MetPanel::instance().ControlPanel_Click(4);
        EXPECT_EQ(window.ControlPanel[4].text(), step.caption);
        EXPECT_EQ(window.FileNameLabel->text(), step.file);
        EXPECT_EQ(window.TimeLabel->text(), step.time) << step.file;
        if (QString(step.caption) == "2") {
            MetPanel::instance().Timer1_Timer(); // source 2 on to record 2 as well
            MetPanel::instance().Timer1_Timer(); // and 3
        }
    }
    MetPanel::instance().ControlPanel_Click(4);
    EXPECT_EQ(window.TimeLabel->text(), "9:00:20") << "source 2 kept its own place";
}

TEST_F(MetPanelControls, WithoutASourceTheButtonsAndTheTickDoNothing)
{
    MainForm& window = form();
    MetPanel::instance().Met_ConnectKitoon_Click();
    EXPECT_FALSE(window.MetFrame->isHidden()) << "Connect only opens the panel";
    for (int button : { 1, 2, 4 }) {
        MetPanel::instance().ControlPanel_Click(button);
    }
    MetPanel::instance().Timer1_Timer();
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_TRUE(window.isEnabled()) << "no meteorology window";
    EXPECT_EQ(window.CurrentMet, 0);
    EXPECT_TRUE(window.FileNameLabel->text().isEmpty());

    MetPanel::instance().Met_ConnectTether_Click();
    EXPECT_TRUE(window.TimeSlider->isHidden());
}

TEST_F(MetPanelControls, SliderSetsTheTimeFactor)
{
    MainForm& window = form();
    EXPECT_EQ(window.TimeSlider->value(), 3);
    EXPECT_EQ(window.TimeSlider->toolTip(), "Time Factor");
    EXPECT_EQ(window.Timer1->interval(), 1000);
    window.TimeSlider->setValue(0);
    EXPECT_EQ(window.TimeSlider->toolTip(), "Time Factor: 8");
    EXPECT_EQ(window.Timer1->interval(), 125);
    window.TimeSlider->setValue(2);
    EXPECT_EQ(window.TimeSlider->toolTip(), "Time Factor: 2");
    EXPECT_EQ(window.Timer1->interval(), 500);
}

TEST_F(MetPanelControls, CloseDropsEverySourceAndStopsThePlayback)
{
    loadKitoon(writeThreeRecords("one.dat"));
    enterManual("3", "30", "40");
    MainForm& window = form();
    MetPanel::instance().ControlPanel_Click(2);
    window.CloseMet->click();
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_EQ(globals().MetCount, 0);
    EXPECT_FALSE(globals().MetLoaded);
    EXPECT_EQ(window.CurrentMet, 0);
    EXPECT_TRUE(window.MetFrame->isHidden());
    EXPECT_TRUE(window.ControlPanel[4].isHidden());

    loadKitoon(writeThreeRecords("one.dat"));
    EXPECT_EQ(window.CurrentMet, 1) << "the same file loads again after closing";
    EXPECT_TRUE(window.ControlPanel[4].isHidden());
}

TEST_F(MetPanelControls, ALayoutKeepsTheCompassOfTheRecordShown)
{
    MainForm& window = form();
    EXPECT_EQ(window.CompassLine->Y2(), 14.0) << "up while nothing is shown";
    loadKitoon(writeThreeRecords("one.dat"));
    MetPanel::instance().Timer1_Timer(); // 90 degrees
    window.ArrangeControls();
    EXPECT_EQ(window.WindDirLabel->text(), "90");
    EXPECT_NEAR(window.CompassLine->X2(), window.CompassLine->X1() + 20.0, 1e-9);
    window.CloseMet_Click();
    window.ArrangeControls();
    EXPECT_TRUE(window.WindDirLabel->text().isEmpty());
    EXPECT_EQ(window.CompassLine->Y2(), 14.0);
}

} // namespace

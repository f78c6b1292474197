#include "korvel/workspace/layer_records.h"
#include "platform/application_activation.h"
#include "platform/single_instance.h"
#include "platform/window_stacking.h"
#include "tests/support/child_process.h"
#include "tests/support/main_form_fixture.h"
#include "tests/support/wait_until.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPushButton>

// Another program asking the running copy to quit: arguments dwData and the text.
KORVEL_CHILD_ACTION(send_shutdown_request)
{
    return sendToRunningInstance(arguments.value(1).toLatin1(), arguments.value(0).toUInt(), 5000) ? 0 : 1;
}

namespace {

class MainWindowHook : public MainFormTest
{
protected:
    // Sends from another process and waits until the request was handled.
    static void sendFromAnotherProgram(const QString& text, quint32 dwData = 3)
    {
        const ChildResult child = runChildAction("send_shutdown_request", { QString::number(dwData), text });
        EXPECT_TRUE(child.finished) << child.output.toStdString();
        EXPECT_EQ(child.exitCode, 0) << child.output.toStdString();
        settle();
    }
};

} // namespace

TEST_F(MainWindowHook, ShutdownFromAnotherProgramQuitsWithoutAQuestion)
{
    shownForm();
    appendGISLayer();
    sendFromAnotherProgram("KORVEL_Shutdown");
    EXPECT_EQ(MainForm::existing(), nullptr);
    EXPECT_EQ(layerData().GISCount, 0);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(MainWindowHook, SaveShutdownSavesTheSessionThenQuits)
{
    shownForm();
    appendGISLayer();
    queueSaveFile(workDir() + "last.korvel");
    sendFromAnotherProgram("KORVEL_Save_Shutdown");
    EXPECT_EQ(MainForm::existing(), nullptr);
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].title, "Save KORVEL session");
    EXPECT_TRUE(QFile(workDir() + "last.korvel").size() > 0);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(MainWindowHook, SaveShutdownQuitsAlsoWhenTheSaveIsCancelled)
{
    shownForm();
    queueDialogCancel();
    sendFromAnotherProgram("KORVEL_Save_Shutdown");
    EXPECT_EQ(MainForm::existing(), nullptr);
    EXPECT_EQ(dialogs().size(), 1u);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(MainWindowHook, OtherTextsAndOtherDataAreIgnored)
{
    MainForm& window = shownForm();
    sendFromAnotherProgram("KORVEL_Restart");
    sendFromAnotherProgram("korvel_shutdown");
    sendFromAnotherProgram("KORVEL_Shutdown", 2);
    EXPECT_EQ(MainForm::existing(), &window);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowHook, ReleasedWindowGivesItsMailboxToTheNextAtOnce)
{
    form();
    MainForm::release();
    MainForm& next = form();
    EXPECT_NE(MainForm::existing(), nullptr);
    sendFromAnotherProgram("KORVEL_Shutdown");
    EXPECT_NE(MainForm::existing(), &next);
}

TEST_F(MainWindowHook, NoRequestsAfterTheHookIsRemoved)
{
    MainForm& window = shownForm();
    window.UnhookWindowProc();
    window.HandleCopyData(2, "KORVEL_Shutdown");
    sendFromAnotherProgram("KORVEL_Shutdown");
    EXPECT_EQ(MainForm::existing(), &window);
}

TEST_F(MainWindowHook, AnotherProgramsActivationPutsTheFloatingWindowsBehind)
{
    MainForm& window = shownForm();
    window.Check1[1].setChecked(true);
    window.Check1[2].setChecked(true);
    QWidget& list = *checkList.window();
    QWidget& zoom = *zoomWindow.window();

    ApplicationActivation::instance().notify(false);
    EXPECT_EQ(stackingState(list).behind, &window);
    EXPECT_EQ(stackingState(zoom).behind, &window);
    EXPECT_FALSE(stackingState(list).topmost);
    EXPECT_FALSE(stackingState(window).atBack) << "the main window stays where it is";

    ApplicationActivation::instance().notify(true);
    EXPECT_TRUE(stackingState(list).topmost);
    EXPECT_TRUE(stackingState(zoom).topmost);
    EXPECT_TRUE(list.isVisible());
}

TEST_F(MainWindowHook, OnlyShownFloatingWindowsAreMoved)
{
    MainForm& window = shownForm();
    window.Check1[1].setChecked(true);
    ApplicationActivation::instance().notify(false);
    EXPECT_EQ(stackingState(*checkList.window()).behind, &window);
    EXPECT_EQ(zoomWindow.window(), nullptr);

    // The guidance window counts as shown only while guidance lines are made in Map Mode.
    StandInFloatingWindow guidance("GuidanceForm");
    setFloatingToolWindow(FloatingTool::Guidance, &guidance);
    guidance.show();
    window.Tools_DigitizeGuidance->setChecked(true);
    RestoreFloatingWindows();
    EXPECT_FALSE(stackingState(*guidance.window()).topmost) << "not in Cluttered Mode";
    window.View_MapMode->setChecked(true);
    RestoreFloatingWindows();
    EXPECT_TRUE(stackingState(*guidance.window()).topmost);
    setFloatingToolWindow(FloatingTool::Guidance, nullptr);
}

TEST_F(MainWindowHook, MainWindowGettingTheFocusPutsThemOnTopAgain)
{
    MainForm& window = shownForm();
    window.Check1[2].setChecked(true);
    ReleaseFloatingWindows();
    ASSERT_FALSE(stackingState(*zoomWindow.window()).topmost);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&window, &activate);
    EXPECT_TRUE(stackingState(*zoomWindow.window()).topmost);
}

TEST_F(MainWindowHook, ReleaseWithNoFloatingWindowLeavesTheMainWindowWhereItIs)
{
    MainForm& window = shownForm();
    RestoreFloatingWindows();
    ReleaseFloatingWindows();
    EXPECT_EQ(stackingState(window).behind, nullptr);
    EXPECT_FALSE(stackingState(window).atBack) << "it would drop behind every other program";
}

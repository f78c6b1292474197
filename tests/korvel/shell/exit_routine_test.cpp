#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/window_stacking.h"
#include "tests/support/main_form_fixture.h"

#include <QPushButton>

namespace {

class ExitRoutine : public MainFormTest
{
protected:
    // Some data of every kind the routine empties.
    static void loadSomeData()
    {
        appendGISLayer();
        appendImage();
        globals().GISLoaded = true;
        globals().ImageLoaded = true;
        agnavData().Blocks.emplace_back();
        agnavData().BlockCount = 1;
        mapState().MapEmpty = false;
        layerData().DataExtent = { 0, 0, 10, 10 };
    }

    static void expectNoDataLoaded()
    {
        EXPECT_EQ(layerData().GISCount, 0);
        EXPECT_EQ(layerData().ImageCount, 0);
        EXPECT_EQ(layerData().GISLayers.size(), 1u);
        EXPECT_EQ(agnavData().BlockCount, 0);
        EXPECT_EQ(agnavData().Blocks.size(), 1u);
        EXPECT_FALSE(globals().GISLoaded);
        EXPECT_FALSE(globals().ImageLoaded);
        EXPECT_TRUE(mapState().MapEmpty);
    }

    const MsgBoxRequest& onlyBox() const
    {
        EXPECT_EQ(msgBoxes().size(), 1u);
        return msgBoxes().back();
    }
};

} // namespace

TEST_F(ExitRoutine, QuitQuestionHasAnEmptyCaptionAndNoIcon)
{
    MainForm& window = shownForm();
    queueMsgBoxAnswer(vbNo);
    window.File_Exit_Click();
    const MsgBoxRequest& box = onlyBox();
    EXPECT_EQ(box.prompt, "Quit KORVEL?");
    EXPECT_EQ(box.caption, "");
    EXPECT_EQ(box.buttonSet(), vbYesNo);
    EXPECT_EQ(box.icon(), 0);
}

TEST_F(ExitRoutine, NoKeepsEverythingLoadedButTheFloatingWindowsStayUnderneath)
{
    MainForm& window = shownForm();
    loadSomeData();
    window.Check1[1].setChecked(true);
    window.Check1[2].setChecked(true);
    setTopmost(*checkList.window(), true);
    queueMsgBoxAnswer(vbNo);
    window.File_Exit_Click();
    EXPECT_EQ(MainForm::existing(), &window);
    EXPECT_EQ(layerData().GISCount, 1);
    EXPECT_FALSE(stackingState(*checkList.window()).topmost) << "it must not cover the question";
    EXPECT_FALSE(stackingState(*zoomWindow.window()).topmost);
    EXPECT_TRUE(checkList.window()->isVisible());
}

TEST_F(ExitRoutine, YesDropsAllDataWithoutSavingAndEndsTheWindow)
{
    MainForm& window = shownForm();
    loadSomeData();
    window.Check1[1].setChecked(true);
    int unloaded = 0;
    QObject::connect(&window, &MainForm::unloaded, [&unloaded] { ++unloaded; });
    queueMsgBoxAnswer(vbYes);
    window.File_Exit_Click();
    EXPECT_EQ(unloaded, 1);
    EXPECT_EQ(MainForm::existing(), nullptr);
    expectNoDataLoaded();
    EXPECT_EQ(checkList.unloads, 1) << "the floating list stores its place as it goes";
    EXPECT_EQ(onlyBox().prompt, "Quit KORVEL?") << "no second question";
    settle();
}

TEST_F(ExitRoutine, CloseBoxAsksTooAndNoRefusesTheClose)
{
    MainForm& window = shownForm();
    queueMsgBoxAnswer(vbNo);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(MainForm::existing(), &window);

    queueMsgBoxAnswer(vbYes);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(msgBoxes().size(), 2u) << "one question per close, none from the exit's own unload";
    EXPECT_EQ(MainForm::existing(), nullptr);
    settle();
}

TEST_F(ExitRoutine, EndOfTheDesktopSessionAsksAndNoRefusesIt)
{
    MainForm& window = shownForm();
    int cancel = 0;
    queueMsgBoxAnswer(vbNo);
    window.Form_QueryUnload(cancel, vbAppWindows);
    EXPECT_EQ(cancel, 1);
    EXPECT_EQ(MainForm::existing(), &window);

    cancel = 0;
    queueMsgBoxAnswer(vbYes);
    window.Form_QueryUnload(cancel, vbAppWindows);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(MainForm::existing(), nullptr);
    settle();
}

TEST_F(ExitRoutine, ProgramsOwnUnloadAsksNothing)
{
    MainForm& window = shownForm();
    int cancel = 0;
    window.Form_QueryUnload(cancel, vbFormCode);
    EXPECT_EQ(cancel, 0);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(ExitRoutine, ExitWritesNoSetting)
{
    MainForm& window = shownForm();
    loadSomeData();
    window.ExitKORVEL();
    expectNoDataLoaded();
    EXPECT_EQ(GetRegSetting("Settings", "Zone", "unset"), "unset");
    EXPECT_TRUE(msgBoxes().empty());
    settle();
}

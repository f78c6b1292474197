#include "platform/application_activation.h"
#include "platform/console_msg_box.h"
#include "tests/support/korvel_test.h"

TEST(ConsoleMsgBox, AnswersAsEnterWouldAndWritesTheBox)
{
    ConsoleMsgBox box;
    MsgBoxRequest question;
    question.prompt = "Quit KORVEL?";
    question.buttons = vbYesNo + vbDefaultButton2;
    EXPECT_EQ(box.showMsgBox(question), vbNo);
    MsgBoxRequest notice;
    notice.prompt = "There is already another copy of KORVEL running.";
    notice.caption = "KORVEL";
    EXPECT_EQ(box.showMsgBox(notice), vbOK);
    InputBoxRequest input;
    input.defaultText = "60";
    EXPECT_EQ(box.showInputBox(input), "60");
    EXPECT_TRUE(isHeadlessPlatform()) << "the tests run offscreen";
}

TEST(ApplicationActivationTest, ReportsEachChangeOnce)
{
    ApplicationActivation& activation = ApplicationActivation::instance();
    activation.reset();
    std::vector<bool> changes;
    const auto connection = QObject::connect(&activation, &ApplicationActivation::activeChanged,
        [&changes](bool active) { changes.push_back(active); });
    activation.notify(true);
    activation.notify(false);
    activation.notify(false);
    activation.notify(true);
    QObject::disconnect(connection);
    EXPECT_EQ(changes, std::vector<bool>({ false, true }));
    EXPECT_TRUE(activation.isActive());
}

#include "platform/msg_box.h"
#include "platform/program_window.h"
#include "tests/support/korvel_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using MsgBoxTest = KorvelTest;

TEST_F(MsgBoxTest, RecordsPromptButtonsIconAndProgramTitle)
{
    queueMsgBoxAnswer(vbNo);
    EXPECT_EQ(MsgBox("Save AGNAV boundary to file?", vbYesNo + vbExclamation), vbNo);

    ASSERT_EQ(msgBoxes().size(), 1u);
    const MsgBoxRequest& box = msgBoxes()[0];
    EXPECT_EQ(box.prompt, "Save AGNAV boundary to file?");
    EXPECT_EQ(box.buttonSet(), vbYesNo);
    EXPECT_EQ(box.icon(), vbExclamation);
    EXPECT_EQ(box.caption, "KORVEL");
}

TEST_F(MsgBoxTest, CaptionIsTheGivenOneOrReallyEmptyWhenAskedFor)
{
    queueMsgBoxAnswer(vbOK);
    queueMsgBoxAnswer(vbYes);
    MsgBox("x", vbOKOnly, "Confirm");
    MsgBox("Quit KORVEL?", vbYesNo, MsgBoxCaption::Empty);

    ASSERT_EQ(msgBoxes().size(), 2u);
    EXPECT_EQ(msgBoxes()[0].caption, "Confirm");
    EXPECT_TRUE(msgBoxes()[1].caption.isEmpty());
    EXPECT_EQ(msgBoxes()[1].icon(), 0);
}

TEST_F(MsgBoxTest, DefaultButtonFollowsTheFlagsAndFallsBackToTheFirst)
{
    MsgBoxRequest box;
    box.buttons = vbYesNoCancel + vbDefaultButton2;
    EXPECT_EQ(box.defaultAnswer(), vbNo);
    box.buttons = vbYesNoCancel + vbDefaultButton3;
    EXPECT_EQ(box.defaultAnswer(), vbCancel);
    box.buttons = vbYesNo + vbDefaultButton3; // no third button
    EXPECT_EQ(box.defaultAnswer(), vbYes);
    box.buttons = vbAbortRetryIgnore + vbCritical;
    EXPECT_EQ(box.answers(), (QList<int> { vbAbort, vbRetry, vbIgnore }));
    EXPECT_EQ(box.defaultAnswer(), vbAbort);
}

TEST_F(MsgBoxTest, CarriageReturnsBecomeLineBreaks)
{
    EXPECT_EQ(msgBoxDisplayText("You must be in UTM mode\rto georeference any images"),
        "You must be in UTM mode\nto georeference any images");
    EXPECT_EQ(msgBoxDisplayText("a\r\nb\r\rc"), "a\nb\n\nc");
    EXPECT_EQ(msgBoxDisplayText("\tone line"), "\tone line");
}

TEST_F(MsgBoxTest, UnexpectedBoxAnswersWithItsDefaultAndFailsTheScript)
{
    EXPECT_EQ(MsgBox("Continue?", vbYesNo + vbDefaultButton2), vbNo);
    const QStringList failures = takeScriptFailures();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("Unexpected message box \"Continue?\"")) << failures[0].toStdString();
}

TEST_F(MsgBoxTest, AnswerTheBoxDoesNotOfferFailsTheScript)
{
    queueMsgBoxAnswer(vbYes);
    EXPECT_EQ(MsgBox("File does not exist"), vbOK);
    const QStringList failures = takeScriptFailures();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("no such button"));
}

TEST_F(MsgBoxTest, UnusedAnswersAreReportedAtTheEnd)
{
    queueMsgBoxAnswer(vbYes);
    queueInputBoxAnswer("WGS84");
    EXPECT_EQ(takeScriptFailures().size(), 2);
}

TEST_F(MsgBoxTest, InputBoxGivesQueuedTextsAndEmptyTextWhenUnexpected)
{
    queueInputBoxAnswer("Clarke 1866");
    EXPECT_EQ(InputBox("Please enter a name for this custom ellipsoid.", QString(), "x"), "Clarke 1866");
    ASSERT_EQ(inputBoxes().size(), 1u);
    EXPECT_EQ(inputBoxes()[0].caption, "KORVEL");
    EXPECT_EQ(inputBoxes()[0].defaultText, "x");

    EXPECT_EQ(InputBox("Again?"), "");
    EXPECT_EQ(takeScriptFailures().size(), 1);
}

// The real boxes, closed from a timer as the user would close them.
class RealMsgBoxTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        useRealDialogs();
    }

    template <class Box, class Action> void whenShown(Action action)
    {
        QTimer::singleShot(0, [action] {
            auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            action(*box);
        });
    }
};

TEST_F(RealMsgBoxTest, ShowsLinesIconButtonsAndReturnsTheButtonPressed)
{
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        text = box.text();
        title = box.windowTitle();
        icon = box.icon();
        buttonCount = int(box.buttons().size());
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MsgBox("first\rsecond", vbYesNoCancel + vbQuestion), vbNo);
    EXPECT_EQ(text, "first\nsecond");
    EXPECT_EQ(title, "KORVEL");
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(buttonCount, 3);
}

TEST_F(RealMsgBoxTest, ABoxWithoutCaptionShowsTheProgramsTitle)
{
    QString title;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MsgBox("Quit KORVEL?", vbYesNo, MsgBoxCaption::Empty), vbNo);
    EXPECT_EQ(title, "KORVEL");
}

TEST_F(RealMsgBoxTest, DefaultButtonIsSetAndEscapeCancels)
{
    bool defaultIsNo = false;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        defaultIsNo = static_cast<QAbstractButton*>(box.defaultButton()) == box.button(QMessageBox::No);
        box.reject();
    });
    EXPECT_EQ(MsgBox("x", vbYesNoCancel + vbDefaultButton2), vbCancel);
    EXPECT_TRUE(defaultIsNo);

    whenShown<QMessageBox>([](QMessageBox& box) { box.reject(); });
    EXPECT_EQ(MsgBox("only OK"), vbOK);
}

TEST_F(RealMsgBoxTest, InputBoxReturnsTheTextOrEmptyOnCancel)
{
    whenShown<QInputDialog>([](QInputDialog& dialog) {
        EXPECT_EQ(dialog.textValue(), "30");
        dialog.setTextValue("120");
        dialog.accept();
    });
    EXPECT_EQ(InputBox("speed", "Speed", "30"), "120");

    // No window is active (a file dialog just closed): the main window owns it.
    QWidget main;
    main.show();
    setProgramMainWindow(&main);
    QApplication::setActiveWindow(nullptr);
    whenShown<QInputDialog>([&main](QInputDialog& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &main);
        dialog.reject();
    });
    EXPECT_EQ(InputBox("speed", "Speed", "30"), "");
}

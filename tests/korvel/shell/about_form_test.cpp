// The about box: opened modally by View > About, its text with the build's
// version, the keys that close it, and a frame that grows with its text.
#include "korvel/shell/about_form.h"

#include "platform/program_identity.h"
#include "tests/korvel/shell/main_form_fixture.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>

namespace {

class AboutBox : public MainFormTest
{
};

} // namespace

TEST_F(AboutBox, AboutShowsTheVersionAndIsReleasedAfterwards)
{
    setProgramVersion(3, 7);
    QString text;
    onModal<AboutForm>([&text](AboutForm& about) {
        EXPECT_EQ(about.windowTitle(), "About...");
        EXPECT_EQ(about.Label2->text(), "KORVEL");
        text = about.Label1->text();
        about.Form_KeyDown(27, 0);
    });
    form().View_About->trigger();
    const QStringList lines = text.split(u'\n');
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[1], "Version 3.7");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[8], "March, 2003");
    EXPECT_EQ(aboutText().count(u'\r'), 8) << "lines joined by carriage returns";

    onModal<AboutForm>([](AboutForm& about) {
        EXPECT_EQ(about.Label1->text().split(u'\n')[1], "Version 3.7") << "a fresh box";
        about.Form_KeyDown(27, 0);
    });
    form().View_About_Click();
}

TEST_F(AboutBox, OnlyEnterAndEscapeCloseTheAboutBox)
{
    struct Row
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool closes;
    };
    const Row rows[] = { { Qt::Key_Escape, Qt::NoModifier, true }, { Qt::Key_Return, Qt::NoModifier, true },
        { Qt::Key_Enter, Qt::ShiftModifier, true }, { Qt::Key_Space, Qt::NoModifier, false },
        { Qt::Key_F4, Qt::AltModifier, false } };
    for (const Row& row : rows) {
        AboutForm& about = AboutForm::instance();
        about.show();
        QKeyEvent key(QEvent::KeyPress, row.key, row.modifiers);
        QCoreApplication::sendEvent(&about, &key);
        EXPECT_EQ(about.isVisible(), !row.closes) << row.key;
        AboutForm::release();
    }
}

TEST_F(AboutBox, ALongerTextMakesTheFrameAndTheFormTallerAlike)
{
    AboutForm& about = AboutForm::instance();
    const int frameBefore = about.Frame1->height();
    const int formBefore = about.height();
    about.Label1->setText(about.Label1->text() + QStringLiteral("\nOne more line\nAnd another"));
    about.fitToText();
    const int grown = about.Frame1->height() - frameBefore;
    EXPECT_GT(grown, 0);
    EXPECT_EQ(about.height() - formBefore, grown);
    EXPECT_EQ(about.Frame1->height(), about.Label1->y() + about.Label1->height() + 15);
    AboutForm::release();
}

// The about box: opened modally by View > About, its text with the build's
// version, the keys that close it, and a frame that grows with its text.
#include "korvel/shell/about_form.h"

#include "platform/program_identity.h"
#include "tests/support/main_form_fixture.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>

namespace {

class AboutBox : public MainFormTest
{
};

} // namespace

TEST_F(AboutBox, ShowsTheBuildsVersionAndGrowsWithItsText)
{
    setProgramVersion(3, 7);
    QStringList lines;
    onModal<AboutForm>([&lines](AboutForm& about) {
        EXPECT_EQ(about.windowTitle(), "About...");
        lines = about.Label1->text().split(u'\n');
        const int frame = about.Frame1->height();
        const int height = about.height();
        about.Label1->setText(about.Label1->text() + QStringLiteral("\nOne more line"));
        about.fitToText();
        EXPECT_GT(about.Frame1->height(), frame);
        EXPECT_EQ(about.height() - height, about.Frame1->height() - frame) << "form and frame alike";
        about.Form_KeyDown(27, 0);
    });
    form().View_About->trigger();
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[1], "Version 3.7");
    EXPECT_EQ(lines[8], "March, 2003");
    EXPECT_EQ(aboutText().count(u'\r'), 8) << "lines joined by carriage returns";
}

TEST_F(AboutBox, OnlyEnterAndEscapeCloseIt)
{
    const std::pair<int, bool> keys[] = { { Qt::Key_Escape, true }, { Qt::Key_Return, true },
        { Qt::Key_Space, false }, { Qt::Key_F4, false } };
    for (const auto& [key, closes] : keys) {
        AboutForm& about = AboutForm::instance();
        about.show();
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&about, &event);
        EXPECT_EQ(about.isVisible(), !closes) << key;
        AboutForm::release();
    }
}

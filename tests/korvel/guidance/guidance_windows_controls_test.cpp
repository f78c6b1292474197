// The docked guidance frame and the floating guidance window are built by
// one builder: the same controls under the same names and captions, so the
// panel's procedures and the user find the same panel in either.
#include "korvel/guidance/guidance_form.h"
#include "tests/support/main_form_fixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using GuidanceWindowsControls = MainFormTest;

// "name class caption" of every named control inside `panel`, by name; a
// box's text is what the window's start put there, so it is left out.
QStringList controlsOf(const QWidget& panel)
{
    QStringList controls;
    for (const QWidget* control : panel.findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || control->objectName().startsWith("qt_")) {
            continue;
        }
        QString caption;
        if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
            caption = button->text();
        } else if (const auto* label = qobject_cast<const QLabel*>(control)) {
            caption = label->text();
        }
        controls << QStringLiteral("%1 %2 \"%3\"")
                        .arg(control->objectName(), control->metaObject()->className(), caption);
    }
    controls.sort();
    return controls;
}

} // namespace

TEST_F(GuidanceWindowsControls, BothWindowsOfferTheSameControls)
{
    // The layout gives the docked frame its degree sign, as the floating
    // window's start does.
    MainForm& window = shownForm();
    const QStringList docked = controlsOf(*window.GuidanceFrame);
    EXPECT_EQ(docked.size(), 15);
    EXPECT_EQ(docked, controlsOf(GuidanceForm::instance()));
}

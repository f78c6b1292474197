// The heading, edge and swath spins of both guidance windows, pressed with
// the mouse: the arrow that points up raises the value, as the top end of
// each spin is its larger number.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/guidance/guidance_form.h"
#include "korvel/guidance/guidance_panel.h"
#include "korvel/shell/floating_windows.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {

// A scroll bar's arrows and track where its style draws them.
QRect scrollBarPart(const QScrollBar& bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    option.subControls = QStyle::SC_All;
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

// A left click in the middle of `part`: pressed and let go at once.
void clickScrollBarPart(QScrollBar& bar, QStyle::SubControl part)
{
    const QPointF at = scrollBarPart(bar, part).center();
    const QPointF global = bar.mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&bar, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&bar, &release);
}

using GuidanceSpinArrows = AgnavCommandsTest;

enum class Spin { Heading, Edge, Swath };

TEST_F(GuidanceSpinArrows, TheUpperArrowRaisesAndTheLowerLowersInBothWindows)
{
    setFloatingToolWindow(FloatingTool::Guidance, &guidanceFormTool());
    // A block of four edges.
    queueOpenFiles({ writeUtmBlock(QStringLiteral("FIELD"), 500000, 4800000, 501000, 4800800) });
    AgnavCommands::instance().File_OpenAGNAV_Click();
    ASSERT_EQ(agnavData().BlockCount, 1);

    const struct
    {
        const char* name;
        Spin spin;
        QStyle::SubControl part;
        int from;
        int to;
    } rows[] = {
        { "heading, upper arrow", Spin::Heading, QStyle::SC_ScrollBarSubLine, 45, 46 },
        { "heading, lower arrow", Spin::Heading, QStyle::SC_ScrollBarAddLine, 45, 44 },
        { "heading, track above the thumb", Spin::Heading, QStyle::SC_ScrollBarSubPage, 45, 55 },
        { "swath, upper arrow", Spin::Swath, QStyle::SC_ScrollBarSubLine, 30, 31 },
        { "swath, lower arrow", Spin::Swath, QStyle::SC_ScrollBarAddLine, 30, 29 },
        { "swath, track above the thumb", Spin::Swath, QStyle::SC_ScrollBarSubPage, 30, 40 },
        { "edge, upper arrow", Spin::Edge, QStyle::SC_ScrollBarSubLine, 2, 3 },
        { "edge, lower arrow", Spin::Edge, QStyle::SC_ScrollBarAddLine, 2, 1 },
    };
    MainForm& main = form();
    main.Tools_DigitizeGuidance->trigger();
    ASSERT_TRUE(main.Tools_DigitizeGuidance->isChecked());
    for (const bool floating : { false, true }) {
        const char* window = floating ? "floating window" : "docked panel";
        if (floating) {
            main.View_MapMode_Click();
            ASSERT_NE(GuidanceForm::existing(), nullptr);
        }
        const GuidancePanel panel
            = GuidancePanel::of(floating ? static_cast<QWidget&>(*GuidanceForm::existing()) : main);
        ASSERT_TRUE(panel.complete()) << window;
        for (const auto& row : rows) {
            (row.spin == Spin::Edge ? panel.edgeOption : panel.headingOption)->setChecked(true);
            QScrollBar& spin = row.spin == Spin::Swath ? *panel.VScroll2 : *panel.VScroll1;
            QLineEdit& box = row.spin == Spin::Swath ? *panel.SwathText : *panel.GuidanceText;
            spin.setValue(row.from);
            const QSize design = spin.size();
            if (row.part == QStyle::SC_ScrollBarSubPage) {
                spin.resize(design.width(), 120); // the design's spin has arrows and no track
            }
            clickScrollBarPart(spin, row.part);
            spin.resize(design);
            EXPECT_EQ(spin.value(), row.to) << window << ": " << row.name;
            EXPECT_EQ(box.text(), QString::number(row.to)) << window << ": " << row.name;
        }
    }
}

} // namespace

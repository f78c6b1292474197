// The heading, edge and swath spins of both guidance windows, pressed with
// the mouse: the arrow that points up raises the value, as the top end of
// each spin is its larger number.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/guidance/guidance_form.h"
#include "korvel/guidance/guidance_panel.h"
#include "korvel/shell/floating_windows.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"
#include "tests/platform/scroll_bar_parts.h"

#include <QAction>
#include <QLabel>

namespace {

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

// The heading, edge and swath spins of both guidance windows, pressed with
// the mouse: the arrow that points up raises the value, as the top end of
// each spin is its larger number.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/guidance/guidance_form.h"
#include "korvel/guidance/guidance_panel.h"
#include "korvel/shell/floating_windows.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>

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

// The left button pressed, or let go, in the middle of `part`.
void pressScrollBarPart(QScrollBar& bar, QStyle::SubControl part, bool down = true)
{
    const QPointF at = scrollBarPart(bar, part).center();
    QMouseEvent event(down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, at, bar.mapToGlobal(at),
        Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&bar, &event);
}

// A left click in the middle of `part`: pressed and let go at once.
void clickScrollBarPart(QScrollBar& bar, QStyle::SubControl part)
{
    pressScrollBarPart(bar, part);
    pressScrollBarPart(bar, part, false);
}

// Lets the event loop run for `ms` milliseconds, boxes opened in it included.
void runEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
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

// A latitude/longitude block 17.5 degrees east of the meridian of the zone
// its file names: every value of either spin is refused with a box. A press
// on an arrow stays down while the box is read, 600 ms, past the spin's
// first repeat at 500 ms; its release, which the box takes, comes after.
TEST_F(GuidanceSpinArrows, APressOverAFarBlockStepsOnceAndOpensOneBox)
{
    setFloatingToolWindow(FloatingTool::Guidance, &guidanceFormTool());
    queueOpenFiles({ write(QStringLiteral("FAR.no1"),
        "1  L  237\r\n2   50.500000  -105.500000\r\n2   50.510000  -105.500000\r\n2   50.510000  "
        "-105.480000\r\n"
        "2   50.500000  -105.480000\r\n20 WGS-84      6378137.0   298.257223563 22      ELLIPSOID\r\n") });
    AgnavCommands::instance().File_OpenAGNAV_Click();
    ASSERT_EQ(agnavData().BlockCount, 1);
    useRealDialogs();
    int boxes = 0;
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&boxes] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && !box->property("read").toBool()) {
            box->setProperty("read", true);
            ++boxes;
            QTimer::singleShot(600, box, &QMessageBox::accept);
        }
    });
    reader.start(10);
    MainForm& main = form();
    main.show();
    main.Tools_DigitizeGuidance->trigger();
    for (const bool floating : { false, true }) {
        if (floating) {
            main.View_MapMode_Click();
        }
        runEvents(700);
        const GuidancePanel panel
            = GuidancePanel::of(floating ? static_cast<QWidget&>(*GuidanceForm::existing()) : main);
        for (QScrollBar* spin : { panel.VScroll1, panel.VScroll2 }) {
            SCOPED_TRACE(std::string(floating ? "floating " : "docked ") + qPrintable(spin->objectName()));
            const int from = spin->value();
            const int before = boxes;
            pressScrollBarPart(*spin, QStyle::SC_ScrollBarSubLine);
            runEvents(700);
            pressScrollBarPart(*spin, QStyle::SC_ScrollBarSubLine, false);
            runEvents(100);
            EXPECT_EQ(spin->value(), from + 1);
            EXPECT_EQ(boxes, before + 1);
        }
    }
}

} // namespace

// The statistics window on flights loaded through the File menu: what it
// shows when it opens, its graphs' pixels and labels, the tabs and keys that
// switch graphs, the bar readout under the pointer, Print and Escape.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/statistics/report_form2.h"
#include "korvel/statistics/stat_form.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/vb_colors.h"
#include "platform/window_stacking.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"
#include "tests/support/pdf_reading.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>

namespace {

class StatFormTest : public AgnavCommandsTest
{
protected:
    void SetUp() override
    {
        AgnavCommandsTest::SetUp();
        queueOpenFiles({ writeUtmBlock(QStringLiteral("FIELD"), 500000, 4800000, 501000, 4800800) });
        AgnavCommands::instance().File_OpenAGNAV_Click();
        // The first log: off to 10 s, a 20 s run at +5 % at 120 m, off to
        // 60 s, a 10 s run at the exact rate at 130 m, off to 75 s. The
        // second sprays everything at twice the rate at 900 m.
        std::vector<AgfSample> first;
        appendRecords(first, 10, 0, 0);
        appendRecords(first, 20, 105, 120);
        appendRecords(first, 30, 0, 0);
        appendRecords(first, 10, 100, 130);
        appendRecords(first, 5, 0, 0);
        std::vector<AgfSample> second;
        appendRecords(second, 50, 200, 900);
        queueOpenFiles({ writeLog(QStringLiteral("FIELD"), QStringLiteral("N0612A01.T01"), first),
            writeLog(QStringLiteral("FIELD"), QStringLiteral("N0612A02.T01"), second) });
        AgnavCommands::instance().OpenFlightFiles(1);
        form().Check3[2].setChecked(false);
    }

    void TearDown() override
    {
        StatForm::release();
        AgnavCommandsTest::TearDown();
    }

    // Records one second apart, spraying at `flow` against a target of 100
    // when flow is not 0.
    static void appendRecords(std::vector<AgfSample>& records, int count, qint16 flow, qint16 altitude)
    {
        for (int i = 0; i < count; ++i) {
            AgfSample s;
            s.time = qint32(records.size() + 1) * 100;
            s.easting = 500100 + qint32(records.size());
            s.northing = 4800400;
            s.swathWidth = 300;
            s.spray = flow != 0 ? 1 : 0;
            s.flow = flow;
            s.target = 100;
            s.altitude = altitude;
            records.push_back(s);
        }
    }

    static void sendKey(
        StatForm& stats, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
        QWidget* receiver = stats.focusWidget() ? stats.focusWidget() : &stats;
        QApplication::sendEvent(receiver, &event);
    }

    static void pressAndRelease(StatForm& stats, int key, Qt::KeyboardModifiers modifiers)
    {
        sendKey(stats, QEvent::KeyPress, key, modifiers);
        sendKey(stats, QEvent::KeyRelease, key, modifiers);
    }

    // The frames shown, by index.
    static std::vector<int> shownFrames(StatForm& stats)
    {
        std::vector<int> shown;
        for (int graph = 1; graph <= StatGraphCount; ++graph) {
            if (!stats.Frame[graph].isHidden()) {
                shown.push_back(graph);
            }
        }
        return shown;
    }

    // The pointer moved to (x, y) of the picture's present scale.
    static void movePointer(PictureBox& picture, double x, double y)
    {
        const QPointF at(picture.toClientX(x) + PictureBox::BorderWidth + 0.5,
            picture.toClientY(y) + PictureBox::BorderWidth + 0.5);
        QMouseEvent move(
            QEvent::MouseMove, at, picture.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&picture, &move);
    }

    // The picture's pixel at (x, y) of the graph's drawing scale.
    static QColor drawnColour(StatForm& stats, int graph, double x, double y)
    {
        PictureBox& picture = stats.graphPicture(graph);
        const GraphScale& scale = stats.Graphs[std::size_t(graph)].drawing;
        const int px = int((x - scale.left) / (scale.right - scale.left) * picture.clientWidth());
        const int py = int((1.0 - y / scale.top) * picture.clientHeight());
        return picture.image().pixelColor(px, py);
    }
};

TEST_F(StatFormTest, OpensOnTheTickedFlightsWithTheFirstGraph)
{
    bool shown = false;
    onModal<StatForm>([&](StatForm& stats) {
        shown = true;
        EXPECT_EQ(stats.windowTitle(), "Spray Statistics");
        QStringList tabs;
        for (int i = 0; i < stats.TabStrip1->count(); ++i) {
            tabs << stats.TabStrip1->tabText(i);
        }
        EXPECT_EQ(tabs,
            (QStringList { "Spray Time", "Turn Time", "Application Rates", "X-Track Error", "Altitude",
                "DGPS Quality" }));
        EXPECT_EQ(stats.CurrentGraph, 1);
        EXPECT_EQ(shownFrames(stats), std::vector<int> { 1 });
        EXPECT_FALSE(stackingState(form()).atBack) << "the main window stays in front of other programs";
        // Only the first log's row is ticked.
        EXPECT_EQ(stats.Statistics.SprayedSampleCount, 30);
        EXPECT_EQ(stats.Statistics.SprayRunCount, 2);
        EXPECT_EQ(stats.Statistics.TurnCount, 1);
        EXPECT_EQ(stats.Statistics.RateCounts[6], 10);
        EXPECT_EQ(stats.Statistics.RateCounts[7], 20);
        EXPECT_EQ(stats.Statistics.MaxAltitude, 130);
        EXPECT_EQ(stats.Statistics.DGPSCounts[0], 30);
        sendKey(stats, QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    });
    form().Tools_Stats_Click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(StatForm::existing(), nullptr) << "released: the next opening computes afresh";
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(StatFormTest, ClosingPutsTheFloatingWindowsBackOnTop)
{
    // A floating window that counts as shown while the zoom toggle is down.
    struct Floating final : FloatingToolWindow
    {
        QPointer<QWidget> widget;
        void show() override
        {
            if (!widget) {
                widget = new QWidget(nullptr, Qt::Tool);
            }
            widget->show();
        }
        void unload() override { delete widget.data(); }
        QWidget* window() const override { return widget; }
    } floating;
    setFloatingToolWindow(FloatingTool::Zoom, &floating);
    floating.show();
    form().Check1[2].setChecked(true);
    onModal<StatForm>([&](StatForm& stats) {
        EXPECT_EQ(stackingState(*floating.window()).behind, &form());
        stats.close();
    });
    form().Tools_Stats_Click();
    EXPECT_TRUE(stackingState(*floating.window()).topmost);
    setFloatingToolWindow(FloatingTool::Zoom, nullptr);
    floating.unload();
}

TEST_F(StatFormTest, BarsAreDrawnInTheirColoursAndEmptyBinsStayBlank)
{
    StatForm& stats = StatForm::instance();
    const QColor background = toQColor(stats.Picture3->BackColor());
    struct Case
    {
        const char* name;
        int graph;
        double x;
        double y;
        QColor colour;
    };
    const Case cases[] = {
        { "rate at the target: green", ApplicationRateGraph, 0.0, 32.0, QColor(0, 255, 0) },
        { "rate at +5 %", ApplicationRateGraph, 5.0, 32.0, QColor(42, 212, 0) },
        { "no sample at +10 %", ApplicationRateGraph, 10.0, 32.0, background },
        { "above the +5 % bar", ApplicationRateGraph, 5.0, 68.0, background },
        { "spray time, the 20 s run", SprayTimeGraph, 19.5, 22.0, QColor(255, 0, 0) },
        { "spray time, no run of 13 s", SprayTimeGraph, 13.5, 22.0, background },
        { "DGPS: every sample \"Good\"", DGPSGraph, 1.5, 50.0, QColor(255, 0, 0) },
        { "DGPS: nothing \"Fair\"", DGPSGraph, 2.5, 52.0, background },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(drawnColour(stats, c.graph, c.x, c.y), c.colour) << c.name;
    }
}

TEST_F(StatFormTest, NoTickedFlightDrawsFramesAndBinLabelsOnly)
{
    form().Check3[1].setChecked(false);
    StatForm& stats = StatForm::instance();
    for (int graph = 1; graph <= StatGraphCount; ++graph) {
        const QImage image = stats.graphPicture(graph).image();
        bool red = false;
        bool black = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                red = red || image.pixelColor(x, y) == QColor(255, 0, 0);
                black = black || image.pixelColor(x, y) == QColor(0, 0, 0);
            }
        }
        EXPECT_FALSE(red) << "graph " << graph << " has no bars";
        EXPECT_FALSE(black) << "graph " << graph << " has no grid";
        EXPECT_TRUE(stats.yLabels(graph)[0].isHidden()) << "graph " << graph << " has no percent label";
        EXPECT_FALSE(stats.xLabels(graph)[graph == DGPSGraph ? 1 : 0].isHidden()) << "graph " << graph;
    }
    stats.Picture1_MouseMove(0, 0, 0.5f, 1.0f);
    EXPECT_EQ(stats.Picture1->toolTip(), "") << "no readout over an empty graph";
}

TEST_F(StatFormTest, AxisLabels)
{
    StatForm& stats = StatForm::instance();
    // Turns from 11 s (the first spray-on) to 41 s in bins of 3 s.
    EXPECT_TRUE(stats.Label2X[0].isHidden()) << "no \"0\" under an axis that starts at 11";
    EXPECT_EQ(stats.Label2X[41].text(), " 41");
    for (const QLabel* marker : { &stats.Label3X[0], stats.Label3X2, &stats.Label4X[0], stats.Label4X2 }) {
        EXPECT_TRUE(marker->font().bold()) << marker->objectName().toStdString();
    }
    EXPECT_EQ(stats.Label5X[0].text(), "120") << "the altitude axis's start";
    EXPECT_FALSE(stats.Label5X.exists(7));
    // Two runs of 20 and 10 s: 50 % each, labels up to 50 %.
    EXPECT_EQ(stats.Label1Y[10].text(), " 50%");
    EXPECT_FALSE(stats.Label1Y.exists(11));
    EXPECT_LT(stats.Label1Y[10].y(), stats.Label1Y[1].y()) << "labels rise with the percentage";
}

TEST_F(StatFormTest, XLabelsStandUnderWhatTheyMark)
{
    StatForm& stats = StatForm::instance();
    struct Case
    {
        int graph;
        int element;
        double at; // drawing scale
    };
    const Case cases[] = {
        { SprayTimeGraph, 21, 21.0 },
        { TurnTimeGraph, 26, 26.0 },
        { ApplicationRateGraph, 6, 0.0 },
        { CrossTrackGraph, 5, -0.125 },
        { AltitudeGraph, 3, 126.0 },
        { DGPSGraph, 1, 1.5 },
        { DGPSGraph, 4, 4.5 },
    };
    for (const Case& c : cases) {
        const QLabel& label = stats.xLabels(c.graph)[c.element];
        const PictureBox& picture = stats.graphPicture(c.graph);
        const GraphScale& scale = stats.Graphs[std::size_t(c.graph)].drawing;
        const double tick = picture.x() + PictureBox::BorderWidth
            + (c.at - scale.left) / (scale.right - scale.left) * picture.clientWidth();
        EXPECT_NEAR(label.x() + label.width() / 2.0, tick, 3.5)
            << "graph " << c.graph << " label " << c.element;
        EXPECT_FALSE(label.isHidden());
    }
}

TEST_F(StatFormTest, CtrlTabAndCtrlShiftTabSwitchOnRelease)
{
    struct Case
    {
        const char* name;
        int start;
        int key;
        Qt::KeyboardModifiers modifiers;
        int shown;
    };
    const Case cases[] = {
        { "Ctrl+Tab", 1, Qt::Key_Tab, Qt::ControlModifier, 2 },
        { "Ctrl+Tab on the last tab wraps", 6, Qt::Key_Tab, Qt::ControlModifier, 1 },
        { "Ctrl+Shift+Tab", 3, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 2 },
        { "Ctrl+Shift+Tab on the first tab wraps", 1, Qt::Key_Backtab,
            Qt::ControlModifier | Qt::ShiftModifier, 6 },
        { "Ctrl+Backtab without Shift reported", 1, Qt::Key_Backtab, Qt::ControlModifier, 6 },
        { "Tab alone", 4, Qt::Key_Tab, Qt::NoModifier, 4 },
        { "Shift+Tab", 4, Qt::Key_Backtab, Qt::ShiftModifier, 4 },
        { "Ctrl+Alt+Tab", 4, Qt::Key_Tab, Qt::ControlModifier | Qt::AltModifier, 4 },
        { "Ctrl+Q is no Tab", 4, Qt::Key_Q, Qt::ControlModifier, 4 },
    };
    StatForm& stats = StatForm::instance();
    for (const Case& c : cases) {
        stats.TabStrip1->setCurrentIndex(c.start - 1); // a tab click; on the tab shown it changes nothing
        ASSERT_EQ(stats.CurrentGraph, c.start) << c.name;
        ASSERT_EQ(shownFrames(stats), std::vector<int> { c.start }) << c.name;
        pressAndRelease(stats, c.key, c.modifiers);
        EXPECT_EQ(stats.CurrentGraph, c.shown) << c.name;
        EXPECT_EQ(stats.TabStrip1->currentIndex(), c.shown - 1) << c.name;
        EXPECT_EQ(shownFrames(stats), std::vector<int> { c.shown }) << c.name;
    }
}

TEST_F(StatFormTest, AHeldKeyMovesOnceWhenLetGo)
{
    StatForm& stats = StatForm::instance();
    sendKey(stats, QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(stats.CurrentGraph, 1) << "nothing on the press";
    for (int repeat = 0; repeat < 3; ++repeat) {
        sendKey(stats, QEvent::KeyRelease, Qt::Key_Tab, Qt::ControlModifier, true);
        sendKey(stats, QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier, true);
    }
    EXPECT_EQ(stats.CurrentGraph, 1) << "auto-repeat releases are no releases";
    sendKey(stats, QEvent::KeyRelease, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(stats.CurrentGraph, 2);
}

TEST_F(StatFormTest, TheReadoutFollowsThePointer)
{
    StatForm& stats = StatForm::instance();
    PictureBox& rates = *stats.Picture3;
    EXPECT_TRUE(rates.hasMouseTracking()) << "read with no button held";
    EXPECT_EQ(rates.toolTip(), "") << "empty until the pointer first moves over the graph";
    struct Case
    {
        const char* name;
        double x;
        double y;
        QString tip;
    };
    const Case cases[] = {
        { "on the +5 % bar", 5.0, 30.0, "66.67 %" },
        { "above it", 5.0, 68.0, "" },
        { "on the bar at the target", 0.0, 10.0, "33.33 %" },
        { "low over an empty bar", -10.0, 4.0, "0.0 %" },
    };
    for (const Case& c : cases) {
        movePointer(rates, c.x, c.y);
        EXPECT_EQ(rates.toolTip(), c.tip) << c.name;
    }
    stats.Picture6_MouseMove(0, 0, 1.5f, 100.0f);
    EXPECT_EQ(stats.Picture6->toolTip(), "100 %") << "DGPS: the top of a full bar";
}

TEST_F(StatFormTest, PrintAsksForTheReportThenPrintsTheseGraphs)
{
    StatForm& stats = StatForm::instance();
    const std::size_t asked = dialogs().size(); // the files loaded
    onModal<ReportForm2>([](ReportForm2& dialog) { dialog.CancelButton->click(); });
    stats.PrintButton->click();
    EXPECT_EQ(dialogs().size(), asked) << "cancelled: no file asked for";

    const QString pdf = workDir() + "report.pdf";
    onModal<ReportForm2>([](ReportForm2& dialog) { dialog.OKButton->click(); });
    queueSaveFile(pdf);
    stats.PrintButton->click();
    EXPECT_TRUE(msgBoxes().empty());
    ASSERT_TRUE(QFileInfo::exists(pdf));
    if (pdfToolsAvailable()) {
        const std::vector<PdfPage> pages = readPdfWords(pdf);
        ASSERT_EQ(pages.size(), 3u);
        // The altitude axis of this window's pass: 120 m to 140 m in 2 m bins.
        for (const QString label : { "Statistics", "120", "122", "140" }) {
            EXPECT_TRUE(pages[2].find(label)) << label.toStdString();
        }
    }
}

} // namespace

#include "korvel/met/met_form.h"

#include "korvel/met/met_panel.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/vb_colors.h"
#include "tests/korvel/met/met_fixture.h"
#include "tests/support/pdf_reading.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

class MetWindow : public MetWindowTest
{
protected:
    MetForm& open(const QString& file = QStringLiteral("three.dat"))
    {
        loadKitoon(writeThreeRecords(file));
        MetPanel::instance().ControlPanel_Click(1);
        MetForm* window = MetForm::existing();
        EXPECT_NE(window, nullptr);
        return *window;
    }

    static int position() { return metData().MetPosition[size_t(MainForm::instance().CurrentMet)]; }

    static void keyUp(MetForm& window, int key, Qt::KeyboardModifiers modifiers)
    {
        QKeyEvent event(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(&window, &event);
    }

    // Labelled ticks under a graph.
    static int tickLabels(const ControlArray<QLabel>& labels) { return labels.Count() - 1; }
};

TEST_F(MetWindow, OpensBesideADisabledMainWindowAtTheRecordShown)
{
    loadKitoon(writeThreeRecords("three.dat"));
    MainForm& main = form();
    main.show(); // a window the desktop knows, to own the graphs
    MetPanel::instance().Timer1_Timer(); // record 2, 10 s in
    MetPanel::instance().ControlPanel_Click(1);
    MetForm* window = MetForm::existing();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->parentWidget(), nullptr) << "a window of its own";
    EXPECT_EQ(window->windowHandle()->transientParent(), main.windowHandle()) << "kept above the main window";
    EXPECT_FALSE(main.isEnabled());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(main.MetPlayback);
    EXPECT_EQ(window->windowTitle(), "Meteorological Data -- three.dat");
    EXPECT_EQ(window->SelectionLine->X1(), 10.0);
    EXPECT_EQ(window->SelectionLine->X2(), 10.0);
    EXPECT_TRUE(window->SelectionLine->Visible());
    EXPECT_EQ(window->CurrentTab, 1);
    EXPECT_EQ(window->frameGeometry().right() + 1, 1024 - 10) << "the screen's top right corner";
    EXPECT_EQ(window->y(), 10);
    EXPECT_FALSE(window->Label4->isHidden()) << "a Kitoon file has the legend";
    EXPECT_EQ(metData().MetStartTime[1], 32400);
}

TEST_F(MetWindow, TimerGoesOnWhileItIsOpenAndMovesTheSelection)
{
    MetForm& window = open();
    MainForm& main = form();
    MetPanel::instance().ControlPanel_Click(2);
    EXPECT_TRUE(main.Timer1->isActive());
    MetPanel::instance().Timer1_Timer();
    EXPECT_EQ(window.SelectionLine->X1(), 10.0);
    MetPanel::instance().Timer1_Timer();
    EXPECT_EQ(window.SelectionLine->X1(), 20.0);
    MetPanel::instance().Timer1_Timer();
    EXPECT_EQ(window.SelectionLine->X1(), 0.0) << "back at record 1, stopped";
    EXPECT_FALSE(main.Timer1->isActive());
}

TEST_F(MetWindow, ReleaseGoesToTheRecordAtTheSelection)
{
    MetForm& window = open();
    MainForm& main = form();
    struct Case
    {
        const char* name;
        int button;
        float x;
        double line;
        int record;
    } cases[] = {
        { "left of the origin", 1, -30.0f, 0.0, 1 },
        { "exactly a record: the line stays", 1, 9.8f, 9.8, 2 },
        { "between records: the later one", 1, 12.0f, 20.0, 3 },
        { "right of the graph: its right edge", 1, 500.0f, 60.0, 1 },
        // Nothing moves the line; Go To Time still runs for where it stands.
        { "right button", 2, 3.0f, 60.0, 1 },
    };
    for (const Case& c : cases) {
        window.setSelection(60.0);
        if (QString(c.name) != "right button") {
            window.Picture_MouseDown(1, c.button, 0, c.x, 100.0f);
        }
        window.Picture_MouseUp(1, c.button, 0, c.x, 100.0f);
        EXPECT_NEAR(window.SelectionLine->X1(), c.line, 1e-4) << c.name;
        if (c.line <= 20.0) {
            EXPECT_EQ(position(), c.record) << c.name;
        }
    }
    // 60 s lies after the last record (20 s): the panel shows the time and dashes.
    metData().MetPosition[1] = 2;
    window.setSelection(60.0);
    window.Command3_Click();
    EXPECT_EQ(position(), 2) << "the position stays";
    EXPECT_EQ(main.TimeLabel->text(), " 9:01:00");
    for (QLabel* value : { main.WindSpeedLabel, main.TetherTempLabel, main.GroundTempLabel }) {
        EXPECT_EQ(value->text(), "--------");
    }
    EXPECT_EQ(main.CompassLine->X2(), main.CompassLine->X1());
    EXPECT_EQ(main.CompassLine->Y2(), main.CompassLine->Y1());
    EXPECT_TRUE(main.WindDirLabel->text().isEmpty());
}

TEST_F(MetWindow, DragMovesTheLineAndTipsShowTheValue)
{
    MetForm& window = open();
    window.Picture_MouseMove(1, 1, 0, 7.0f, 90.4f);
    EXPECT_EQ(window.SelectionLine->X1(), 7.0);
    EXPECT_EQ(window.Picture1->toolTip(), QString(" 90") + QChar(0xB0));
    window.Picture_MouseMove(2, 0, 0, 15.0f, 2.37f);
    EXPECT_EQ(window.SelectionLine->X1(), 7.0) << "no button held: the line stays";
    EXPECT_EQ(window.Picture2->toolTip(), "2.3") << "cut to one decimal";
    window.Picture_MouseMove(3, 0, 0, 15.0f, 5.26f);
    EXPECT_EQ(window.Picture3->toolTip(), QString("05.3") + QChar(0xB0));
}

TEST_F(MetWindow, CtrlTabStepsThroughTheTabsAndTakesTheLineAlong)
{
    MetForm& window = open();
    window.setSelection(10.0);
    struct Step
    {
        Qt::KeyboardModifiers modifiers;
        int tab;
    } steps[] = { { Qt::ControlModifier, 2 }, { Qt::ControlModifier, 3 }, { Qt::ControlModifier, 1 },
        { Qt::NoModifier, 1 }, { Qt::ControlModifier | Qt::ShiftModifier, 3 } };
    for (const Step& step : steps) {
        keyUp(window, step.modifiers & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab, step.modifiers);
        EXPECT_EQ(window.CurrentTab, step.tab);
        EXPECT_EQ(window.TabStrip1->currentIndex(), step.tab - 1);
        for (int frame = 1; frame <= 3; ++frame) {
            EXPECT_EQ(window.Frame[frame].isHidden(), frame != step.tab) << step.tab;
        }
        EXPECT_EQ(&window.SelectionLine->picture(), &window.picture(step.tab));
        EXPECT_EQ(window.SelectionLine->X1(), 10.0);
    }
    window.TabStrip1->setCurrentIndex(1);
    EXPECT_EQ(window.CurrentTab, 2);
    EXPECT_EQ(&window.SelectionLine->picture(), window.Picture2);
    EXPECT_EQ(window.SelectionLine->Y1(), window.Picture2->ScaleTop()) << "from the top of the new graph";
}

TEST_F(MetWindow, ClosingEnablesTheMainWindowAndTheNextOpeningIsFresh)
{
    MetForm& window = open();
    window.Frame[1].hide();
    window.Command1->click();
    settle();
    MainForm& main = form();
    EXPECT_EQ(MetForm::existing(), nullptr);
    EXPECT_TRUE(main.isEnabled());
    EXPECT_FALSE(main.MetPlayback);
    MetPanel::instance().ControlPanel_Click(1);
    ASSERT_NE(MetForm::existing(), nullptr);
    EXPECT_FALSE(MetForm::existing()->Frame[1].isHidden());
}

TEST_F(MetWindow, ClosingTheSourcesClosesTheWindow)
{
    open();
    form().File_CloseAll_Click();
    settle();
    EXPECT_EQ(MetForm::existing(), nullptr);
    EXPECT_TRUE(form().isEnabled());
}

TEST_F(MetWindow, GraphsDrawnAgainMakeTheirLabelsOnce)
{
    // An hour: five ticks from 9:00 to 10:00.
    loadKitoon(writeFile(
        "hour.dat", "71599,9,0,0,90,4,60,50\n71599,9,30,0,180,20,70,55\n71599,10,0,0,270,8,65,52\n"));
    MetPanel::instance().ControlPanel_Click(1);
    MetForm& window = *MetForm::existing();
    for (int drawing = 0; drawing < 2; ++drawing) {
        window.Form_Activate();
        EXPECT_EQ(tickLabels(window.Label1X), 5);
        EXPECT_EQ(tickLabels(window.Label2X), 5);
        EXPECT_EQ(tickLabels(window.Label3X), 5);
        EXPECT_EQ(window.Label1Y.Count(), 5) << "N, E, S, W, N";
        EXPECT_EQ(window.Label2Y.Count(), 5) << "0 and four lines of 6 up to 25";
    }
    EXPECT_EQ(window.Label2X[3].text(), "9:30");
    EXPECT_EQ(window.Label2->text(), "Time Of Day");
    EXPECT_EQ(window.Label2Y[4].text(), " 24kts");
    EXPECT_EQ(window.Picture2->ScaleTop(), 25.0f);
    EXPECT_EQ(window.Picture2->ScaleWidth(), window.Picture1->ScaleWidth());
    EXPECT_EQ(window.Picture1->ScaleWidth(), 3600.0f);
}

TEST_F(MetWindow, EachGraphShowsItsValues)
{
    loadKitoon(writeFile(
        "hour.dat", "71599,9,0,0,90,4,60,50\n71599,9,30,0,180,20,70,55\n71599,10,0,0,270,8,65,52\n"));
    MetPanel::instance().ControlPanel_Click(1);
    MetForm& window = *MetForm::existing();
    // The colour of the picture at a point of its scale, or of the pixels around it.
    const auto colourNear = [](PictureBox& picture, double x, double y, qint32 colour) {
        const QImage& image = picture.image();
        const int px = int(std::lround(picture.toClientX(x)));
        const int py = int(std::lround(picture.toClientY(y)));
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                const QPoint p(
                    std::clamp(px + dx, 0, image.width() - 1), std::clamp(py + dy, 0, image.height() - 1));
                if (image.pixelColor(p) == toQColor(colour)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(colourNear(*window.Picture1, 1800.0, 180.0, QBColor(0))) << "the direction's point";
    EXPECT_TRUE(colourNear(*window.Picture2, 1800.0, 20.0, QBColor(0))) << "the speed's stroke";
    EXPECT_TRUE(colourNear(*window.Picture3, 1800.0, 70.0, QBColor(12))) << "Kitoon air temperature";
    EXPECT_TRUE(colourNear(*window.Picture3, 1800.0, 55.0, QBColor(10))) << "ground temperature";
    EXPECT_TRUE(colourNear(*window.Picture3, 0.0, 50.0, QBColor(10)))
        << "the coldest value is inside the graph";
    EXPECT_TRUE(colourNear(*window.Picture1, 900.0, 270.0, QBColor(8))) << "the grid line of W";
}

TEST_F(MetWindow, TowerGraphHasNoLegendAndNoGroundSeries)
{
    loadTower(writeFile("tower.dat", "1,1999,196,1400,4,0,90,0,70\n1,1999,196,1500,6,0,120,0,72\n"));
    MetPanel::instance().ControlPanel_Click(1);
    MetForm& window = *MetForm::existing();
    EXPECT_TRUE(window.Label4->isHidden());
    EXPECT_TRUE(window.Picture5->isHidden());
    const QImage& image = window.Picture3->image();
    bool green = false;
    bool black = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            green = green || image.pixelColor(x, y) == toQColor(QBColor(10));
            black = black || image.pixelColor(x, y) == toQColor(QBColor(0));
        }
    }
    EXPECT_FALSE(green);
    EXPECT_TRUE(black) << "the tower's air temperature in black";
}

TEST_F(MetWindow, PrintPutsTheThreeGraphsWithTheirLabelsOnOnePage)
{
    loadKitoon(writeFile("hour.dat", "71599,9,0,0,270,3.5,68.2,70.1\n71599,10,0,0,280,4.5,69.2,71.1\n"));
    MetPanel::instance().ControlPanel_Click(1);
    MetForm& window = *MetForm::existing();
    const QString pdf = workDir() + "met.pdf";
    queueSaveFile(pdf);
    window.Command2->click();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_TRUE(msgBoxes().empty());
    if (!pdfToolsAvailable()) {
        return;
    }
    const std::vector<PdfPage> pages = readPdfWords(pdf);
    ASSERT_EQ(pages.size(), 1u);
    const PdfPage& page = pages[0];
    EXPECT_TRUE(page.find("hour.dat")) << "the window's caption as the title";
    const PdfWord* direction = page.find("Direction");
    const PdfWord* speed = page.find("Speed");
    const PdfWord* temperature = page.find("Temperature");
    ASSERT_TRUE(direction && speed && temperature);
    EXPECT_LT(direction->box.top(), speed->box.top());
    EXPECT_LT(speed->box.top(), temperature->box.top());
    const PdfWord* tick = page.find(window.Label1X[1].text());
    ASSERT_TRUE(tick) << "the time labels print under the graphs";
    EXPECT_GT(tick->box.top(), direction->box.top());
    const PdfWord* legend = page.find("Tethersonde");
    ASSERT_TRUE(legend) << "a Kitoon file's legend";
    EXPECT_GT(legend->box.top(), temperature->box.top());

    // Cancelling the file's dialog prints nothing and says nothing.
    queueDialogCancel();
    window.Command2->click();
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(MetWindow, PrintNamesAQueueThatRefusesJobs)
{
    loadKitoon(writeFile("hour.dat", "71599,9,0,0,270,3.5,68.2,70.1\n"));
    MetPanel::instance().ControlPanel_Click(1);
    services().printers.setPrinters({ { "Hangar", QPageSize::A4, {}, true } }, "Hangar");
    queueMsgBoxAnswer(vbOK);
    MetForm::existing()->Command2->click();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "Error printing: The print queue \"Hangar\" does not accept jobs.");
    EXPECT_EQ(currentPrinter().Page(), 0) << "the job is over";
}

} // namespace

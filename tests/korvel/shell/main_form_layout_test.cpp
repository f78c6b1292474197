#include "korvel/app/startup.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"
#include "platform/status_bar.h"
#include "platform/tool_bar.h"
#include "platform/vb_fonts.h"
#include "tests/support/child_process.h"
#include "tests/support/main_form_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>

#include <cstdio>

namespace {

// The controls whose places the layout test checks, by object name.
const char* const kPlacedControls[] = { "Picture1", "Frame1", "Frame2", "Text1", "Text2", "Text3", "Text4",
    "Picture3", "GraphButton", "Check1(1)", "Check1(2)", "StatusBar1", "ProgressBar1", "StatusLabel1",
    "StatusLabel2", "MetFrame", "GuidanceFrame", "MapExtent(1)", "MapExtent(2)", "MapExtent(3)",
    "MapExtent(4)", "GuidanceSave", "GuidanceCancel", "ClientArea" };

QRect placeOf(const QWidget& control)
{
    return control.geometry();
}

} // namespace

// The start-up in a process of its own, on the screen its platform was
// configured with: prints where the layout put the controls and, when asked,
// saves a picture of the window.
KORVEL_CHILD_ACTION(start_and_report_layout)
{
    if (!Main(QString())) {
        std::printf("start-up refused\n");
        return 1;
    }
    MainForm& window = MainForm::instance();
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
    }
    const QRect frame = window.frameGeometry();
    std::printf("geometry Window 0 0 %d %d\n", frame.width(), frame.height());
    std::printf("value StatusIndent %d\n", window.StatusIndent);
    std::printf("value ProgressPanelLeft %d\n", window.StatusBar1->panelLeft(6));
    for (const char* name : kPlacedControls) {
        const auto* control = window.findChild<QWidget*>(QString::fromLatin1(name));
        if (control) {
            const QRect place = placeOf(*control);
            std::printf(
                "geometry %s %d %d %d %d\n", name, place.x(), place.y(), place.width(), place.height());
        }
    }
    if (!arguments.value(0).isEmpty()) {
        window.grab().save(arguments.value(0));
    }
    std::fflush(stdout);
    window.ExitKORVEL();
    return 0;
}

namespace {

class MainFormLayout : public MainFormTest
{
protected:
    struct Report
    {
        QMap<QString, QRect> places;
        QMap<QString, int> values;
    };

    // Starts the program in another process on a screen of this size and
    // reads back where its controls went.
    Report layoutOnScreen(int width, int height, const QString& picture = QString())
    {
        const QString config = workDir() + QStringLiteral("screen-%1x%2.json").arg(width).arg(height);
        QFile file(config);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral(
            "{ \"windowFrameMargins\": false, \"screens\": [ { \"name\": \"Screen\", \"x\": 0, "
            "\"y\": 0, \"width\": %1, \"height\": %2, \"logicalDpi\": 96, "
            "\"logicalBaseDpi\": 96, \"dpr\": 1 } ] }")
                       .arg(width)
                       .arg(height)
                       .toUtf8());
        file.close();
        SaveRegSetting("Settings", "RootDir", programDir());
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toUtf8());
        const ChildResult child = runChildAction("start_and_report_layout", { picture }, 20000);
        qputenv("QT_QPA_PLATFORM", platform);
        EXPECT_TRUE(child.finished && child.exitCode == 0) << child.output.toStdString();

        Report report;
        const QRegularExpression geometry(
            QStringLiteral("^geometry (\\S+) (-?\\d+) (-?\\d+) (\\d+) (\\d+)$"));
        const QRegularExpression value(QStringLiteral("^value (\\S+) (-?\\d+)$"));
        for (const QByteArray& line : child.output.split('\n')) {
            const QString text = QString::fromUtf8(line).trimmed();
            if (const auto match = geometry.match(text); match.hasMatch()) {
                report.places[match.captured(1)] = QRect(match.captured(2).toInt(), match.captured(3).toInt(),
                    match.captured(4).toInt(), match.captured(5).toInt());
            } else if (const auto number = value.match(text); number.hasMatch()) {
                report.values[number.captured(1)] = number.captured(2).toInt();
            }
        }
        return report;
    }

    // What every screen shares: the parts placed from Frame1 and the status bar.
    static void expectLayout(const Report& report, int screenWidth)
    {
        const bool eight = screenWidth == 800;
        const QRect window = report.places["Window"];
        ASSERT_EQ(window.width(), screenWidth) << "the window starts maximised";
        const QRect client = report.places["ClientArea"];
        const QRect frame1 = report.places["Frame1"];
        const int listHeight = eight ? 250 : 334;
        // At the client area's right edge, as the toggles are, whatever the frame.
        EXPECT_EQ(frame1, QRect(client.width() - 284, 0, 280, std::min(frame1.height(), listHeight)));
        const QRect frame2 = report.places["Frame2"];
        EXPECT_EQ(frame2, QRect(frame1.x(), frame1.bottom() + 1 + (eight ? 3 : 8), 280, 82));
        EXPECT_EQ(report.places["Text1"], QRect(33, 18, 63, 20));
        EXPECT_EQ(report.places["Text2"], QRect(129, 18, 63, 20));
        EXPECT_EQ(report.places["Text3"], QRect(33, 48, 63, 20));
        EXPECT_EQ(report.places["Text4"], QRect(129, 48, 63, 20));
        const QRect toolbar = report.places["Picture3"];
        EXPECT_EQ(toolbar, eight ? QRect(215, 25, 38, 36) : QRect(211, 21, 46, 44));
        EXPECT_EQ(report.places["MapExtent(1)"], QRect(eight ? 13 : 11, 20, 16, 16));
        EXPECT_EQ(report.places["MapExtent(4)"], QRect(eight ? 109 : 107, 50, 16, 16));

        const QRect graph = report.places["GraphButton"];
        EXPECT_EQ(graph, QRect(frame2.right() + 1 - 73 - 5, frame2.bottom() + 1 + (eight ? 4 : 5), 73, 25));
        EXPECT_EQ(report.places["Check1(1)"], QRect(client.width() - 41, 6, 37, 68));
        EXPECT_EQ(report.places["Check1(2)"], QRect(client.width() - 41, frame2.y() + 6, 37, 37));

        const QRect status = report.places["StatusBar1"];
        EXPECT_EQ(status.x(), 0);
        EXPECT_EQ(status.bottom(), client.height() - 1) << "the status bar sits at the bottom";
        EXPECT_EQ(status.width(), client.width());
        const QRect picture = report.places["Picture1"];
        EXPECT_EQ(picture, QRect(4, 4, frame1.x() - 8, status.y() - 8)) << "8 pixels left of the panel";

        const QRect met = report.places["MetFrame"];
        EXPECT_EQ(met, QRect(frame1.x(), picture.bottom() + 1 - (eight ? 111 : 121), 280, eight ? 111 : 121))
            << "its bottom is flush with the map's";
        const QRect guidance = report.places["GuidanceFrame"];
        EXPECT_EQ(guidance.topLeft(), QPoint(frame1.x(), graph.bottom() + 1 + (eight ? 0 : 6)));
        EXPECT_EQ(guidance.width(), 280);
        // No two frames of the side panel overlap: on a short screen the list
        // gives up just the height the frames below it need.
        const char* const sidePanel[] = { "Frame1", "Frame2", "GraphButton", "GuidanceFrame", "MetFrame" };
        for (size_t i = 0; i < std::size(sidePanel); ++i) {
            for (size_t j = i + 1; j < std::size(sidePanel); ++j) {
                EXPECT_FALSE(report.places[sidePanel[i]].intersects(report.places[sidePanel[j]]))
                    << sidePanel[i] << " overlaps " << sidePanel[j] << " on " << screenWidth;
            }
        }
        if (frame1.height() < listHeight) {
            EXPECT_EQ(guidance.bottom() + 1 + 3, met.y()) << "3 pixels apart, no more";
        }

        const QRect progress = report.places["ProgressBar1"];
        EXPECT_EQ(progress.x(), report.values["ProgressPanelLeft"] + 3);
        EXPECT_EQ(progress.y(), status.y() + 4);
        EXPECT_EQ(progress.height(), status.height() - 6);
        const QRect readout = report.places["StatusLabel1"];
        EXPECT_EQ(readout.topLeft(),
            QPoint(1, std::min(progress.y() + (eight ? 2 : 1), status.bottom() + 1 - readout.height())))
            << "beside the progress bar, inside the status bar";
        EXPECT_EQ(report.places["StatusLabel1"].width(), 76);
        EXPECT_EQ(report.places["StatusLabel2"].x(), 82 + 2) << "panel 2 starts after panel 1 and its gap";
        EXPECT_EQ(report.places["StatusLabel2"].width(), 77);
        EXPECT_GT(report.values["StatusIndent"], 1);
    }
};

} // namespace

TEST_F(MainFormLayout, On800x600TheSmallSetIsUsed)
{
    expectLayout(layoutOnScreen(800, 600), 800);
}

TEST_F(MainFormLayout, OnTheSmallestScreenTheListMakesRoom)
{
    const Report report = layoutOnScreen(641, 481);
    expectLayout(report, 641);
    EXPECT_LT(report.places["Frame1"].height(), 334);
}

TEST_F(MainFormLayout, On1024x768)
{
    // KORVEL_SCREENSHOT names a file for a picture of the window as laid out.
    const QString picture = qEnvironmentVariable("KORVEL_SCREENSHOT");
    expectLayout(layoutOnScreen(1024, 768, picture), 1024);
}

TEST_F(MainFormLayout, On1280x1024)
{
    expectLayout(layoutOnScreen(1280, 1024), 1280);
}

TEST_F(MainFormLayout, FontsFollowTheScreenClass)
{
    MainForm& window = shownForm();
    window.ArrangeControls();
    EXPECT_EQ(window.LayoutFontName, "MS Sans Serif");
    EXPECT_EQ(window.LayoutFontSize, 8);
    EXPECT_EQ(QFontInfo(window.Text1->font()).pixelSize(), 13) << "10 points at 96 dots per inch";

    globals().ScreenWidth = 800;
    window.ArrangeControls();
    EXPECT_EQ(window.LayoutFontName, "Small Fonts");
    EXPECT_EQ(window.LayoutFontSize, 7);
    EXPECT_EQ(QFontInfo(window.Text1->font()).pixelSize(), 9) << "7 points";
    EXPECT_EQ(QFontInfo(window.GuidanceOption[1].font()).pixelSize(), 9);
    EXPECT_EQ(window.GuidanceText->x(), 100);

    setTwipsPerPixel(12, 12);
    window.ArrangeControls();
    EXPECT_EQ(window.LayoutFontSize, 5) << "120 dots per inch";
    EXPECT_EQ(window.Frame2->height(), 84);
    globals().ScreenWidth = 1024;
    window.ArrangeControls();
    EXPECT_EQ(window.LayoutFontSize, 6);
    EXPECT_EQ(QFontInfo(window.Text1->font()).pixelSize(), 11) << "8 points";
}

TEST_F(MainFormLayout, MapModeWidensTheMapToTheToggles)
{
    MainForm& window = shownForm();
    window.View_MapMode->setChecked(true);
    window.ArrangeControls();
    EXPECT_EQ(window.Picture1->x() + window.Picture1->width(), window.Check1[1].x() - 3);
}

TEST_F(MainFormLayout, StatusTextStartsRightOfTheProgressBar)
{
    MainForm& window = shownForm();
    const QFontMetrics metrics(vbFont(window.LayoutFontName, window.LayoutFontSize));
    EXPECT_GT(metrics.horizontalAdvance(QString(window.StatusIndent - 1, ' ')), window.ProgressBar1->width());
    EXPECT_LE(metrics.horizontalAdvance(QString(window.StatusIndent - 2, ' ')), window.ProgressBar1->width());
    EXPECT_LE(window.StatusIndent, 255);
}

TEST_F(MainFormLayout, GuidanceFrameShowsTheStoredSwathAndCentresItsButtons)
{
    MainForm& window = shownForm();
    EXPECT_EQ(window.SwathText->text(), "30");
    SaveRegSetting("AGNAVDefault", "SwathWidth", "25.6");
    window.SwathText->setText("99");
    window.ArrangeControls();
    EXPECT_EQ(window.SwathText->text(), "26") << "every layout shows the stored default";

    const int middle = 8 + (window.GuidanceFrame->height() - 10) / 2;
    EXPECT_EQ(window.GuidanceSave->y() + window.GuidanceSave->height(), middle - 2);
    EXPECT_EQ(window.GuidanceCancel->y(), middle + 2);
    EXPECT_EQ(window.GuidanceFrame->height(), window.OffsetFrame->y() + window.OffsetFrame->height() + 5);
    EXPECT_EQ(window.SwathText->x() + window.SwathText->width(),
        window.GuidanceText->x() + window.GuidanceText->width());
    EXPECT_EQ(window.DegreeLabel->text(), QString(QChar(176)));
}

TEST_F(MainFormLayout, MinimisingClosesTheFloatingWindowsAndRestoringReopensThem)
{
    MainForm& window = shownForm();
    window.Check1[1].setChecked(true);
    window.Check1[2].setChecked(true);
    window.setWindowState(Qt::WindowMinimized);
    settle();
    EXPECT_EQ(checkList.window(), nullptr);
    EXPECT_EQ(zoomWindow.window(), nullptr);
    EXPECT_EQ(checkList.unloads, 1);

    window.setWindowState(Qt::WindowMaximized);
    settle();
    ASSERT_NE(checkList.window(), nullptr);
    ASSERT_NE(zoomWindow.window(), nullptr);
    EXPECT_TRUE(checkList.window()->isVisible());
    EXPECT_TRUE(window.Check1[1].isChecked());
}

TEST_F(MainFormLayout, AWindowClosedAfterTheRestoreStaysClosed)
{
    MainForm& window = shownForm();
    window.Check1[1].setChecked(true);
    window.setWindowState(Qt::WindowMinimized);
    settle();
    window.setWindowState(Qt::WindowMaximized);
    settle();
    window.Check1[1].setChecked(false);
    window.Form_Resize();
    window.setWindowState(Qt::WindowNoState);
    settle();
    EXPECT_EQ(checkList.window(), nullptr);
    EXPECT_EQ(checkList.shows, 2);
}

TEST_F(MainFormLayout, NormalWindowSnapsBackToItsSize)
{
    globals().ScreenWidth = 1600;
    globals().ScreenHeight = 1200;
    MainForm& window = shownForm();
    window.setWindowState(Qt::WindowNoState);
    settle();
    EXPECT_EQ(window.frameGeometry().size(), QSize(1024, 768));
    window.resize(600, 500);
    settle();
    EXPECT_EQ(window.frameGeometry().size(), QSize(1024, 768));
}

TEST_F(MainFormLayout, RestoringOnASmallScreenMaximisesAgain)
{
    MainForm& window = shownForm();
    window.setWindowState(Qt::WindowNoState);
    settle();
    EXPECT_TRUE(window.isMaximized());
}

TEST_F(MainFormLayout, ExtentLabelsFillTheBoxesOnlyWhileTheyAreOpen)
{
    MainForm& window = shownForm();
    window.Picture1->Scale(1000, 5000, 2000, 4000);
    QLabel& label = window.Label2.load(1);
    label.move(PictureBox::BorderWidth + int(window.Picture1->toClientX(1500)),
        PictureBox::BorderWidth + int(window.Picture1->toClientY(4500)));
    const double left = window.Picture1->toUserX(label.x() - PictureBox::BorderWidth);
    const double top = window.Picture1->toUserY(label.y() - PictureBox::BorderWidth);

    window.Label2_MouseDown(1, 1, 0, 10, 20);
    EXPECT_EQ(window.Text1->text(), "0") << "the boxes are not open";

    mapState().ExtentEntryMode = true;
    window.Label2_MouseDown(1, 1, 0, 10, 20);
    EXPECT_EQ(window.Text1->text(), QString::number(qRound(left + 10)));
    EXPECT_EQ(window.Text2->text(), QString::number(qRound(top - 20)));
    window.Label2_MouseDown(1, 2, 0, 0, 0);
    EXPECT_EQ(window.Text3->text(), QString::number(qRound(left)));
    EXPECT_EQ(window.Text4->text(), QString::number(qRound(top)));
    window.Label2_MouseDown(1, 4, 0, 50, 50);
    EXPECT_EQ(window.Text3->text(), QString::number(qRound(left))) << "the middle button does nothing";
}

TEST_F(MainFormLayout, ReadoutsShowDashesOverExtentLabelsAndClearOverThePanel)
{
    MainForm& window = shownForm();
    window.Label2_MouseMove(1);
    EXPECT_EQ(window.StatusLabel1->text(), "-------------- N");
    EXPECT_EQ(window.StatusLabel2->text(), "------------- E");
    window.StatusBar1->setPanelText(1, "x");
    window.Frame2_MouseMove();
    EXPECT_EQ(window.StatusLabel1->text(), "");
    EXPECT_EQ(window.StatusLabel2->text(), "");
    EXPECT_EQ(window.StatusBar1->panel(1).Text, "");
}

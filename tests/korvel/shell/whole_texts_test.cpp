// Every window of the program as a user meets it, over the sample data:
// the main window in both modes with its panels, the floating windows, every
// dialog and tab, the message and input boxes. No text may be cut by its
// control or covered by another. ctest runs this test a second time at a
// 1.25 desktop scale, where glyphs round differently, and a third on a
// 1920 x 1080 screen at 1.5, a laptop's 1280 x 720, which every window must
// fit whole.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/agnav/agnav_form.h"
#include "korvel/georef/georef_form.h"
#include "korvel/guidance/guidance_form.h"
#include "korvel/guidance/guidance_work.h"
#include "korvel/layers/check_list_form.h"
#include "korvel/layers/layer_list.h"
#include "korvel/layers/layer_properties_form.h"
#include "korvel/map/gis_shift_panel.h"
#include "korvel/map/map_view.h"
#include "korvel/map/zoom_form.h"
#include "korvel/met/manual_form.h"
#include "korvel/met/met_form.h"
#include "korvel/met/met_panel.h"
#include "korvel/prefs/pref_form.h"
#include "korvel/shell/about_form.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/selection_form.h"
#include "korvel/statistics/report_form2.h"
#include "korvel/statistics/stat_form.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/screen_metrics.h"
#include "tests/support/clipped_texts.h"
#include "tests/support/korvel_test.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>
#include <QTimer>

#include <iterator>

namespace {

class WholeTexts : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        // A screen as wide as the normal main window or wider is the one the
        // program measures; on the narrower default one the windows are laid
        // out for 1024 x 768.
        const QScreen& screen = *QGuiApplication::primaryScreen();
        m_fitScreen = screen.availableGeometry().width() >= 1024;
        if (m_fitScreen) {
            resetScreenMetrics();
        }
        m_screen = m_fitScreen ? screen.size() : QSize(1024, 768);
        globals().ScreenWidth = m_screen.width();
        globals().ScreenHeight = m_screen.height();
        setFloatingToolWindow(FloatingTool::CheckList, &checkListFormTool());
        setFloatingToolWindow(FloatingTool::Zoom, &zoomFormTool());
        setFloatingToolWindow(FloatingTool::Guidance, &guidanceFormTool());
    }

    void TearDown() override
    {
        AGNAVForm::release();
        KorvelTest::TearDown();
    }

    static QString sample(const QString& name)
    {
        return QStringLiteral(KORVEL_TEST_SOURCE_DIR "/samples/") + name;
    }

    static void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
    }

    void expectWhole(QWidget& window)
    {
        settle();
        ++m_windows;
        for (const QString& offender : clippedTexts(window)) {
            ADD_FAILURE() << offender.toStdString();
        }
        if (m_fitScreen) {
            EXPECT_TRUE(
                QGuiApplication::primaryScreen()->availableGeometry().contains(window.frameGeometry()))
                << window.objectName().toStdString() << " leaves the screen's free area";
        }
    }

    // The frames of the side panel, each clear of the others.
    static void expectSidePanelApart(MainForm& main)
    {
        QWidget* const frames[]
            = { main.Frame1, main.Frame2, main.GraphButton, main.GuidanceFrame, main.MetFrame };
        for (size_t i = 0; i < std::size(frames); ++i) {
            for (size_t j = i + 1; j < std::size(frames); ++j) {
                EXPECT_FALSE(frames[i]->geometry().intersects(frames[j]->geometry()))
                    << frames[i]->objectName().toStdString() << " overlaps "
                    << frames[j]->objectName().toStdString();
            }
        }
    }

    // The sample layers, a second image, the sample block with its flights
    // and a meteorology file, loaded from the menus.
    void loadSamples(MainForm& main)
    {
        queueOpenFiles({ sample("fields.shp"), sample("roads.shp"), sample("streams.e00") });
        MapView::instance().File_OpenGIS_Click();
        QImage photo(320, 240, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        ASSERT_TRUE(photo.save(workDir() + "survey photo.bmp", "BMP"));
        queueOpenFiles({ sample("farm_photo.bmp"), workDir() + "survey photo.bmp" });
        MapView::instance().File_OpenBMP_Click();
        queueOpenFiles({ sample("agnav/FIELD17.no1") });
        AgnavCommands::instance().File_OpenAGNAV_Click();
        const QString flights = sample("agnav/FIELD17/");
        queueOpenFiles({ flights + "N0612A01.T01", flights + "N0612A02.T01", flights + "N0613A01.T01" });
        queueInputBoxAnswer(QStringLiteral("180"));
        AgnavCommands::instance().File_OpenFlight_Click();
        QFile met(workDir() + "kitoon.dat");
        ASSERT_TRUE(met.open(QIODevice::WriteOnly));
        met.write("71599,9,0,0,270,4,60,55\r\n71599,9,0,10,275,5,61,56\r\n");
        met.close();
        queueOpenFiles({ met.fileName() });
        MetPanel::instance().Met_LoadKitoon_Click();
        main.ZoomToLayers(0, 2);
        settle();
    }

    void expectDialogsWhole(MainForm& main)
    {
        onModal<AboutForm>([this](AboutForm& about) {
            expectWhole(about);
            about.close();
        });
        main.View_About_Click();

        onModal<PrefForm>([this](PrefForm& prefs) {
            expectWhole(prefs);
            // Each optimization module's description in the tab's captions.
            prefs.TabStrip1->setCurrentIndex(2);
            for (int module = 0; module < prefs.List1->count(); ++module) {
                prefs.List1->setCurrentRow(module);
                expectWhole(prefs);
            }
            prefs.CancelButton->click();
        });
        main.View_Prefs_Click();

        onModal<ManualForm>([this](ManualForm& entry) {
            expectWhole(entry);
            entry.CancelButton->click();
        });
        MetPanel::instance().Met_EnterManual_Click();

        onModal<StatForm>([this](StatForm& stats) {
            expectWhole(stats);
            onModal<ReportForm2>([this](ReportForm2& report) {
                expectWhole(report);
                report.CancelButton->click();
            });
            stats.PrintButton->click();
            stats.close();
        });
        main.Tools_Stats_Click();

        onModal<SelectionForm>([this](SelectionForm& chooser) {
            expectWhole(chooser);
            chooser.Selection = 1;
            chooser.close();
        });
        onModal<GeoRefForm>([this](GeoRefForm& georef) {
            expectWhole(georef);
            georef.ExitButton->click();
        });
        main.Tools_GeoRef_Click();

        const char* const properties[] = { "PopUp_ImageProps", "PopUp_SHPProps", "PopUp_AGNAVProps" };
        for (int kind = 0; kind < 3; ++kind) {
            onModal<PropsForm>([this](PropsForm& props) {
                expectWhole(props);
                props.close();
            });
            queuePopupChoice(QLatin1String(properties[kind]));
            if (kind == 0) {
                LayerList::instance().ImageCheckLabel_MouseDown(1, 2, 0, 0, 0);
            } else if (kind == 1) {
                LayerList::instance().GISCheckLabel_MouseDown(1, 2, 0, 0, 0);
            } else {
                LayerList::instance().AGCheckLabel_MouseDown(1, 2, 0, 0, 0);
            }
        }

        AGNAVForm& job = AGNAVForm::instance();
        job.show();
        expectWhole(job);
        AGNAVForm::release();
    }

    // The real boxes, looked at as they show and closed.
    void expectBoxesWhole()
    {
        useRealDialogs();
        const auto whenShown = [this] {
            QTimer::singleShot(0, [this] {
                QWidget* box = QApplication::activeModalWidget();
                ASSERT_NE(box, nullptr);
                expectWhole(*box);
                EXPECT_EQ(clippedTitle(*box), QString());
                QMetaObject::invokeMethod(box, "reject");
            });
        };
        whenShown();
        MsgBox(QStringLiteral("Done."));
        whenShown();
        MsgBox(QStringLiteral("No more than 8 points can be used"), vbYesNo + vbQuestion);
        whenShown();
        InputBox(QStringLiteral("Please enter a name for this custom ellipsoid."));
    }

    int m_windows = 0;
    bool m_fitScreen = false;
    QSize m_screen;
};

TEST_F(WholeTexts, EveryWindowShowsItsTextsWhole)
{
    MainForm& main = MainForm::instance();
    main.showMaximized();
    expectWhole(main);
    // The run at a desktop scale is scaled indeed.
    EXPECT_DOUBLE_EQ(
        main.devicePixelRatioF(), qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
    loadSamples(main);
    ASSERT_TRUE(msgBoxes().empty()) << msgBoxes().front().prompt.toStdString();
    expectWhole(main);

    MetPanel::instance().ControlPanel_Click(1);
    ASSERT_NE(MetForm::existing(), nullptr);
    expectWhole(*MetForm::existing());
    MetForm::unload();

    main.Check1[1].setChecked(true);
    main.Check1[2].setChecked(true);
    ASSERT_NE(CheckListForm::existing(), nullptr);
    ASSERT_NE(ZoomForm::existing(), nullptr);
    expectWhole(*CheckListForm::existing());
    expectWhole(*ZoomForm::existing());

    GuidanceWork::instance().BeginGuidanceCreation(1);
    expectWhole(main);
    main.View_MapMode_Click();
    expectWhole(main);
    ASSERT_NE(GuidanceForm::existing(), nullptr);
    expectWhole(*GuidanceForm::existing());
    main.GuidanceCancel_Click();
    MapView::instance().Tools_GIS_Shift_Click();
    expectWhole(MapView::instance().gisShiftPanel());
    MapView::instance().gisShiftPanel().CloseButton->click();
    main.View_MapMode_Click();
    // An 800 x 600 screen's smaller type and tighter gaps, with the side
    // panel's every frame shown: the meteorology data is loaded, guidance
    // lines are being made. The window takes that screen's whole size.
    main.View_ClutteredMode_Click();
    GuidanceWork::instance().BeginGuidanceCreation(1);
    const QRect wholeScreen = main.geometry();
    globals().ScreenWidth = 800;
    globals().ScreenHeight = 600;
    main.resize(QSize(800, 600) - (main.frameGeometry().size() - main.size()));
    settle();
    main.ArrangeControls();
    main.RefreshChecklist();
    ASSERT_TRUE(main.GuidanceFrame->isVisible() && main.MetFrame->isVisible());
    expectSidePanelApart(main);
    expectWhole(main);
    main.GuidanceCancel_Click();
    main.View_MapMode_Click();
    globals().ScreenWidth = m_screen.width();
    globals().ScreenHeight = m_screen.height();
    main.setGeometry(wholeScreen);
    settle();
    main.ArrangeControls();
    // Latitude and longitude: the extent boxes hold negative degrees.
    LayerList::instance().StatusBar1_PanelClick(3);
    ASSERT_FALSE(globals().UTMMode);
    expectWhole(main);
    LayerList::instance().StatusBar1_PanelClick(3);

    expectDialogsWhole(main);
    expectBoxesWhole();
    EXPECT_GE(m_windows, 20);
}

} // namespace

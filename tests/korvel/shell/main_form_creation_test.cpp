#include "korvel/shell/map_pointer_icons.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"
#include "platform/status_bar.h"
#include "platform/vb_colors.h"
#include "platform/vb_error.h"
#include "tests/support/main_form_fixture.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>

namespace {

using MainFormCreation = MainFormTest;

// The captions of the ellipsoid menu's items 1 and up.
QStringList ellipsoidMenu(const MainForm& window)
{
    QStringList captions;
    for (int i = 1; i <= window.PopUp_EllipsoidList.UBound(); ++i) {
        captions << window.PopUp_EllipsoidList[i].text();
    }
    return captions;
}

// What instance() raises, or "" when it created the window.
QString creationFailure()
{
    try {
        MainForm::instance();
    } catch (const VbError& error) {
        return error.Description();
    }
    return QString();
}

} // namespace

TEST_F(MainFormCreation, WithNothingStoredEverySettingHasItsDefault)
{
    MainForm& window = form();
    const MainSettings& settings = mainSettings();
    EXPECT_EQ(settings.GISgraph, 1);
    EXPECT_EQ(settings.AGNAVspeed, 1);
    EXPECT_FALSE(settings.GraphBoomOff);
    EXPECT_TRUE(settings.ColorCode);
    EXPECT_TRUE(settings.FillPoly);
    EXPECT_EQ(settings.BufferWidth, 100);
    EXPECT_EQ(settings.BufferColour, 16755801);
    EXPECT_EQ(settings.OptColour, 255);
    EXPECT_TRUE(globals().ImmediateGraph);
    EXPECT_TRUE(globals().MetricSystem);
    EXPECT_EQ(mapState().Zone, 17);
    EXPECT_TRUE(mapState().NorthZone);
    EXPECT_TRUE(mapState().MapEmpty);
    EXPECT_FALSE(mapState().ExtentEntryMode);

    EXPECT_EQ(globals().Ellipsoid.Name, "WGS84");
    EXPECT_DOUBLE_EQ(globals().Ellipsoid.Axis, 6378137.0);
    EXPECT_DOUBLE_EQ(globals().Ellipsoid.InverseFlattening, 298.257223563);
    EXPECT_FALSE(window.GraphButton->isVisibleTo(&window)) << "immediate redraw needs no Graph button";
    EXPECT_EQ(window.StatusBar1->panel(3).Text, "UTM");
    EXPECT_EQ(window.StatusBar1->panel(4).Text, "Zone 17 N");
    EXPECT_EQ(window.StatusBar1->panel(5).Text, "WGS84");
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(MainFormCreation, StatusBarShowsModeZoneAndEllipsoid)
{
    storeSetting("Settings", "Zone", "12");
    storeSetting("Settings", "NorthZone", "False");
    storeSetting("Settings", "Ellipsoid.Name", "Clarke 1866");
    const StatusBar& bar = *form().StatusBar1;
    ASSERT_EQ(bar.panelCount(), 6);
    EXPECT_EQ(bar.panel(3).Text, "UTM");
    EXPECT_EQ(bar.panel(3).Key, "coords");
    EXPECT_EQ(bar.panel(3).Bevel, PanelBevel::Raised);
    EXPECT_EQ(bar.panelIndex("coords"), 3);
    EXPECT_EQ(bar.panel(4).Text, "Zone 12 S");
    EXPECT_EQ(bar.panel(5).Text, "Clarke 1866");
    EXPECT_EQ(bar.panel(6).AutoSize, PanelAutoSize::Spring);
    EXPECT_DOUBLE_EQ(globals().Ellipsoid.Axis, 6378206.4);
}

TEST_F(MainFormCreation, StoredZoneZeroMeansZone17)
{
    storeSetting("Settings", "Zone", "0");
    form();
    EXPECT_EQ(mapState().Zone, 17);
}

TEST_F(MainFormCreation, ValuesTheDrawingCannotUseAreTakenIn)
{
    storeSetting("Settings", "AGNAVspeed", "0");
    storeSetting("Settings", "PointerColour", "200");
    storeSetting("Settings", "ImmediateGraph", "False");
    MainForm& window = form();
    EXPECT_EQ(mainSettings().AGNAVspeed, 1) << "it divides the sample number";
    EXPECT_EQ(mainSettings().PointerColour, 14) << "yellow";
    EXPECT_TRUE(window.GraphButton->isVisibleTo(&window));
}

TEST_F(MainFormCreation, SettingThatDoesNotConvertEndsTheStartWithItsName)
{
    storeSetting("Settings", "FillPoly", "yes");
    const QString message = creationFailure();
    EXPECT_TRUE(message.contains("\"FillPoly\"")) << message.toStdString();
    EXPECT_TRUE(message.contains("\"yes\"")) << message.toStdString();
    EXPECT_TRUE(message.contains("Type mismatch")) << message.toStdString();
    EXPECT_EQ(MainForm::existing(), nullptr) << "no window is left behind";

    storeSetting("Settings", "FillPoly", "True");
    storeSetting("Settings", "GISgraph", "300");
    const QString overflow = creationFailure();
    EXPECT_TRUE(overflow.contains("\"GISgraph\"") && overflow.contains("Overflow")) << overflow.toStdString();
}

TEST_F(MainFormCreation, FailedCreationLeavesTheMailboxFree)
{
    storeSetting("Settings", "BufferWidth", "40000");
    EXPECT_FALSE(creationFailure().isEmpty());
    storeSetting("Settings", "BufferWidth", "100");
    EXPECT_TRUE(creationFailure().isEmpty()) << "a second attempt can listen again";
}

TEST_F(MainFormCreation, EllipsoidTableFillsTheMenuAndTicksTheStoredName)
{
    writeEllipsoidTable("\"WGS84\",6378137,298.257223563\r\n\"GRS80\",6378137,298.257222101\r\n"
                        "\"WGS84\",6378140,298.25\r\n");
    MainForm& window = form();
    EXPECT_EQ(ellipsoidMenu(window), QStringList({ "WGS84", "GRS80", "WGS84" }));
    EXPECT_TRUE(window.PopUp_EllipsoidList[1].isChecked());
    EXPECT_FALSE(window.PopUp_EllipsoidList[2].isChecked());
    EXPECT_TRUE(window.PopUp_EllipsoidList[3].isChecked()) << "every row of the name is ticked";
    EXPECT_DOUBLE_EQ(globals().Ellipsoid.Axis, 6378140.0) << "the last row's values stay";
    EXPECT_FALSE(window.PopUp_EllipsoidList[0].isVisible());
    ASSERT_EQ(globals().EllipsoidTable.size(), 4u);
    EXPECT_EQ(globals().EllipsoidTable[2].Name, "GRS80");
}

TEST_F(MainFormCreation, EllipsoidNotInTheTableAsksForOneAndStartsWithAxisZero)
{
    writeEllipsoidTable("\"wgs84\",6378137,298.257223563\r\n");
    queueMsgBoxAnswer(vbOK);
    int shownTab = -1;
    onModalNamed(QStringLiteral("PrefForm"), [&shownTab](QWidget& prefs) {
        shownTab = prefs.findChild<QTabBar*>(QStringLiteral("TabStrip1"))->currentIndex();
        static_cast<QDialog&>(prefs).reject();
    });
    MainForm& window = form();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(shownTab, 0) << "the preferences follow the message, on their first tab";
    EXPECT_EQ(msgBoxes()[0].prompt,
        "Error reading UTM ellipsoid information.\rPlease select an ellipsoid in Preferences");
    EXPECT_EQ(msgBoxes()[0].icon(), 0);
    EXPECT_EQ(msgBoxes()[0].caption, "KORVEL");
    EXPECT_EQ(globals().Ellipsoid.Axis, 0.0) << "names match exactly, letter case included";
    EXPECT_EQ(globals().Ellipsoid.Name, "WGS84");
    EXPECT_FALSE(window.PopUp_EllipsoidList[1].isChecked());
    EXPECT_EQ(window.StatusBar1->panel(5).Text, "WGS84");
}

TEST_F(MainFormCreation, EmptyOrMissingEllipsoidTableEndsTheStartNamingTheFile)
{
    writeEllipsoidTable("");
    const QString empty = creationFailure();
    EXPECT_TRUE(empty.contains(programDir() + "ellipsoid.dat")) << empty.toStdString();
    EXPECT_TRUE(empty.contains("Input past end of file")) << empty.toStdString();
    EXPECT_EQ(MainForm::existing(), nullptr);

    QFile::remove(programDir() + "ellipsoid.dat");
    const QString missing = creationFailure();
    EXPECT_TRUE(missing.contains("ellipsoid.dat") && missing.contains("File not found"))
        << missing.toStdString();
    EXPECT_TRUE(msgBoxes().empty()) << "the start-up shows the message, not the window";
}

TEST_F(MainFormCreation, MissingPointerPictureEndsTheStartNamingTheFile)
{
    QFile::remove(programDir() + "zoom_out.ico");
    const QString message = creationFailure();
    EXPECT_TRUE(message.contains(programDir() + "zoom_out.ico")) << message.toStdString();

    ASSERT_TRUE(writeFileAtomically(programDir() + "zoom_out.ico", "not a picture"));
    EXPECT_TRUE(creationFailure().contains("Invalid picture"));
}

TEST_F(MainFormCreation, PointerColourChoosesTheCrosshair)
{
    const struct
    {
        const char* stored;
        Crosshair crosshair;
    } rows[] = { { "0", Crosshair::Black }, { "12", Crosshair::Red }, { "1", Crosshair::Yellow },
        { "14", Crosshair::Yellow } };
    for (const auto& row : rows) {
        storeSetting("Settings", "PointerColour", row.stored);
        MainForm& window = form();
        EXPECT_EQ(window.Picture1->MousePointer(), vbCustom);
        EXPECT_EQ(window.Picture1->MouseIcon(), mapPointerIcons().CrosshairIcons[int(row.crosshair)])
            << row.stored;
        MainForm::release();
        settle();
    }
    EXPECT_NE(mapPointerIcons().CrosshairIcons[0], mapPointerIcons().CrosshairIcons[1]);
}

TEST_F(MainFormCreation, PictureScaleComesFromTheExtentBoxes)
{
    const PictureBox& picture = *form().Picture1;
    EXPECT_EQ(picture.ScaleLeft(), 0.0);
    EXPECT_EQ(picture.ScaleTop(), 10000.0);
    EXPECT_EQ(picture.ScaleWidth(), 10000.0);
    EXPECT_EQ(picture.ScaleHeight(), -10000.0) << "north is up";
}

TEST_F(MainFormCreation, PaletteMonthNamesHemispheresAndDataExtent)
{
    layerData().DataExtent = { 1, 2, 3, 4 };
    form();
    const MapState& map = mapState();
    EXPECT_EQ(map.LayerPalette[0], RGB(0, 0, 0));
    EXPECT_EQ(map.LayerPalette[1], RGB(0, 0, 128));
    EXPECT_EQ(map.LayerPalette[4], RGB(128, 0, 0));
    EXPECT_EQ(map.LayerPalette[14], RGB(255, 255, 0)) << "white is not part of it";
    EXPECT_EQ(globals().MonthNames[0], "Day");
    EXPECT_EQ(globals().MonthNames[12], "Dec");
    EXPECT_EQ(globals().HemisphereLetters[0], "S");
    EXPECT_EQ(globals().HemisphereLetters[1], "N");
    EXPECT_EQ(layerData().DataExtent.XMin, 1e7);
    EXPECT_EQ(layerData().DataExtent.XMax, -1e7);
}

TEST_F(MainFormCreation, UpdaterItemShowsOnlyWhenTheUpdaterIsInstalled)
{
    QFile::remove(programDir() + "quillet");
    MainForm& without = form();
    EXPECT_FALSE(without.Tools_Quillet->isVisible());
    EXPECT_FALSE(without.blank17->isVisible());
    MainForm::release();
    settle();

    ASSERT_TRUE(writeFileAtomically(programDir() + "quillet", "#!/bin/sh\n"));
    MainForm& with = form();
    EXPECT_TRUE(with.Tools_Quillet->isVisible());
    EXPECT_TRUE(with.blank17->isVisible());
}

TEST_F(MainFormCreation, PoorColourDepthWarnsOnce)
{
    setScreen(1024, 768, 8);
    queueMsgBoxAnswer(vbOK);
    form();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.startsWith(
        "KORVEL has detected that your display is using a 8-bit color depth.\r\r"));
    EXPECT_EQ(msgBoxes()[0].icon(), vbExclamation);
    MainForm::release();
    settle();

    setScreen(1024, 768, 16);
    form();
    EXPECT_EQ(msgBoxes().size(), 1u) << "16 bits need no warning";
}

TEST_F(MainFormCreation, WindowIsTheStatusSinkWhileItExists)
{
    MainForm& window = form();
    EXPECT_EQ(&statusProgress(), &window);
    EXPECT_TRUE(window.ProgressBar1->isHidden());
    statusProgress().showProgress(40);
    statusProgress().setProgress(10);
    EXPECT_FALSE(window.ProgressBar1->isHidden());
    EXPECT_EQ(window.ProgressBar1->value(), 10);
    statusProgress().setStatusText("Loading GIS File");
    EXPECT_EQ(window.StatusBar1->panel(6).Text, QString(window.StatusIndent, ' ') + "Loading GIS File");
    statusProgress().setStatusText("");
    EXPECT_EQ(window.StatusBar1->panel(6).Text, "");
    statusProgress().hideProgress();
    EXPECT_TRUE(window.ProgressBar1->isHidden());

    MainForm::release();
    EXPECT_NE(&statusProgress(), &window) << "the silent sink takes over at once";
}

TEST_F(MainFormCreation, FloatingToggleOpensAndClosesItsWindow)
{
    MainForm& window = form();
    window.Check1[1].setChecked(true);
    ASSERT_NE(checkList.window(), nullptr);
    EXPECT_TRUE(checkList.window()->isVisible());
    window.Check1[1].setChecked(false);
    EXPECT_EQ(checkList.window(), nullptr);
    EXPECT_EQ(checkList.unloads, 1);

    window.Check1[2].setChecked(true);
    EXPECT_EQ(zoomWindow.shows, 1);
    EXPECT_EQ(checkList.shows, 1) << "each toggle has its own window";
    window.Check1_Click(3);
    EXPECT_EQ(zoomWindow.shows + checkList.shows, 2) << "other indices do nothing";
}

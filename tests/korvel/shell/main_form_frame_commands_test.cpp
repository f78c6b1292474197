// The frame's menu commands: the view modes, the Tools menu's enabling on
// the window, Save GIS Image, Geo-referencing's chooser and the updater.
#include "korvel/georef/georef_form.h"
#include "korvel/shell/selection_form.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/common_dialog.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/process_launcher.h"
#include "tests/support/main_form_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <functional>

namespace {

class FrameCommands : public MainFormTest
{
};

// The map's top left corner and its units per pixel across and down.
struct MapGrain
{
    double west = 0.0;
    double north = 0.0;
    double across = 0.0;
    double down = 0.0;
};

MapGrain grainOf(const PictureBox& picture)
{
    return { picture.ScaleLeft(), picture.ScaleTop(), double(picture.ScaleWidth()) / picture.clientWidth(),
        -double(picture.ScaleHeight()) / picture.clientHeight() };
}

} // namespace

TEST_F(FrameCommands, MapModeWidensTheMapAndClutteredModeTakesTheFloatingWindowsAway)
{
    MainForm& window = shownForm();
    window.View_MapMode_Click();
    EXPECT_FALSE(window.Frame1->isVisible());
    EXPECT_FALSE(window.Frame2->isVisible());
    EXPECT_TRUE(window.Check1[1].isVisible());
    EXPECT_EQ(window.Picture1->width(), window.Check1[1].x() - window.Picture1->x() - 3);
    EXPECT_TRUE(window.View_MapMode->isChecked());
    EXPECT_FALSE(window.View_ClutteredMode->isChecked());
    window.View_MapMode_Click(); // again: applies itself once more
    EXPECT_TRUE(window.View_MapMode->isChecked());

    window.Check1[1].setChecked(true);
    ASSERT_EQ(checkList.shows, 1);
    window.View_ClutteredMode_Click();
    EXPECT_EQ(checkList.unloads, 1) << "the floating list closes";
    EXPECT_FALSE(window.Check1[1].isChecked());
    EXPECT_FALSE(window.Check1[1].isVisible());
    EXPECT_TRUE(window.Frame1->isVisible());
    EXPECT_EQ(window.Picture1->width(), window.Frame1->x() - 2 * window.Picture1->x());

    window.Picture1->pixelsForWriting().setPixelColor(3, 3, QColor(255, 0, 0));
    window.View_ClutteredMode_Click();
    EXPECT_EQ(window.Picture1->image().pixelColor(3, 3), QColor(255, 0, 0)) << "no change, no redraw";
}

// A picture box keeps its scale when it changes size; the map must not: a
// view zoomed in and then widened by Map Mode would read 667 m across for
// 838 m down over the same number of pixels.
TEST_F(FrameCommands, EveryResizeOfTheMapKeepsItsUnitsPerPixelAndItsNorthWestCorner)
{
    MainForm& window = shownForm();
    const MapGrain start = grainOf(*window.Picture1);
    EXPECT_NEAR(start.across / start.down, 1.0, 0.01)
        << "the start view is square too, however the layout went";
    layerData().DataExtent = { 0.0, 0.0, 100000.0, 100000.0 }; // wider than the view: no zoom
    window.Text1->setText(QStringLiteral("1000"));
    window.Text2->setText(QStringLiteral("1000"));
    window.Text3->setText(QStringLiteral("3000"));
    window.Text4->setText(QStringLiteral("3000"));
    mapState().ExtentEntryMode = true;
    window.ApplyMapExtent();

    struct Step
    {
        const char* name;
        std::function<void()> resize;
    };
    const Step steps[] = {
        { "Map Mode", [&window] { window.View_MapMode_Click(); } },
        { "Cluttered Mode", [&window] { window.View_ClutteredMode_Click(); } },
        { "Map Mode again", [&window] { window.View_MapMode_Click(); } },
        { "the layout of a smaller client area",
            [&window] {
                window.centralWidget()->resize(window.centralWidget()->size() - QSize(100, 60));
                window.ArrangeControls();
            } },
    };
    for (const Step& step : steps) {
        const MapGrain before = grainOf(*window.Picture1);
        const QSize size = window.Picture1->size();
        step.resize();
        ASSERT_NE(window.Picture1->size(), size) << step.name;
        const MapGrain after = grainOf(*window.Picture1);
        EXPECT_DOUBLE_EQ(after.west, before.west) << step.name;
        EXPECT_DOUBLE_EQ(after.north, before.north) << step.name;
        EXPECT_NEAR(after.across / before.across, 1.0, 1e-6) << step.name;
        EXPECT_NEAR(after.down / before.down, 1.0, 1e-6) << step.name << ": a 200-pixel ruler reads the same";
        const double east = after.west + after.across * window.Picture1->clientWidth();
        EXPECT_NEAR(window.Text3->text().toDouble(), east, 0.5) << step.name << ": the boxes show the view";
        EXPECT_FALSE(mapState().ExtentEdited) << step.name;
    }
}

TEST_F(FrameCommands, ToolsMenuOpeningSetsTheItemsStates)
{
    MainForm& window = form();
    window.Tools_Menu_Click();
    EXPECT_FALSE(window.Tools_SaveImage->isEnabled()) << "nothing loaded";
    EXPECT_FALSE(window.Tools_Ruler->isEnabled());

    globals().GISLoaded = true;
    window.Tools_Ruler->setChecked(true);
    window.Tools_Menu_Click();
    EXPECT_TRUE(window.Tools_SaveImage->isEnabled());
    EXPECT_TRUE(window.Tools_Convert->isEnabled());
    EXPECT_FALSE(window.Tools_Digitize->menuAction()->isEnabled()) << "ruler on";
    EXPECT_FALSE(window.Tools_GIS_Shift->isEnabled()) << "no block";
    EXPECT_TRUE(window.Met_LoadKitoon->isEnabled());
}

TEST_F(FrameCommands, SaveGisImageWritesTheDrawnMapAsABitmap)
{
    MainForm& window = form();
    window.Picture1->pixelsForWriting().fill(QColor(0, 0, 255));
    const QString path = workDir() + "map.bmp";
    queueSaveFile(path);
    window.Tools_SaveImage_Click();
    ASSERT_EQ(dialogs().size(), 1u);
    const CommonDialogRequest& request = dialogs()[0];
    EXPECT_EQ(request.kind, CommonDialogKind::Save);
    EXPECT_EQ(request.title, "Save main GIS image as...");
    EXPECT_EQ(request.filter, "Bitmap File (*.bmp)|*.bmp");
    EXPECT_EQ(request.flags, 6);
    EXPECT_TRUE(request.fileName.isEmpty());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), "BM");
    const QImage saved(path, "BMP");
    EXPECT_EQ(saved.size(), window.Picture1->image().size());
    EXPECT_EQ(saved.pixelColor(1, 1), QColor(0, 0, 255));
    EXPECT_EQ(QDir(workDir()).entryList(QDir::Files), QStringList { "map.bmp" }) << "no temporary file left";
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(FrameCommands, SaveGisImageGivesANameWithoutExtensionTheBitmaps)
{
    MainForm& window = form();
    queueSaveFile(workDir() + "mapshot");
    window.Tools_SaveImage_Click();
    queueSaveFile(workDir() + "field.v2");
    window.Tools_SaveImage_Click();
    const QStringList written = QDir(workDir()).entryList(QDir::Files);
    EXPECT_EQ(written, (QStringList { "field.v2", "mapshot.bmp" })) << "a name with an extension keeps it";
}

TEST_F(FrameCommands, SaveGisImageCancelledSaysNothingAndAFailedWriteIsReported)
{
    MainForm& window = form();
    queueDialogCancel();
    window.Tools_SaveImage_Click();
    EXPECT_TRUE(msgBoxes().empty());
    EXPECT_TRUE(QDir(workDir()).entryList(QDir::Files).isEmpty());

    queueSaveFile(workDir() + "missing folder/map.bmp");
    queueMsgBoxAnswer(vbOK);
    window.Tools_SaveImage_Click();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.startsWith("KORVEL encountered the following error:\r"));
    EXPECT_GT(msgBoxes()[0].prompt.size(), 41) << "with the description";
    EXPECT_EQ(msgBoxes()[0].icon(), 0);
}

TEST_F(FrameCommands, GeoReferencingNeedsUtmAndPicksTheImageShownAtTheChosenPosition)
{
    MainForm& window = form();
    globals().UTMMode = false;
    queueMsgBoxAnswer(vbOK);
    window.Tools_GeoRef_Click();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "You must be in UTM mode\rto georeference any images");
    EXPECT_TRUE(modalForms().empty());

    globals().UTMMode = true;
    LayerData& layers = layerData();
    layers.Images.resize(3);
    layers.ImageCount = 2;
    layers.ImageOrder = { 0, 2, 1 }; // the image loaded second is listed first
    bool disabledDuringChoice = false;
    onModal<SelectionForm>([&](SelectionForm& chooser) {
        disabledDuringChoice = !window.centralWidget()->isEnabled() && chooser.isEnabled();
        chooser.Selection = 2;
        chooser.accept();
    });
    // The window opens on the chosen image; it has no picture file, so the
    // window says so and closes.
    int opened = 0;
    onModal<GeoRefForm>([&](GeoRefForm& georef) { opened = georef.ImageIndex; });
    queueMsgBoxAnswer(vbOK);
    window.Tools_GeoRef_Click();
    EXPECT_TRUE(disabledDuringChoice) << "the main window is out of reach, the chooser is not";
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(window.CurrentImage, 0) << "reset when the window closes";
    EXPECT_TRUE(window.centralWidget()->isEnabled()) << "usable again once the windows closed";
    EXPECT_TRUE(window.menuBar()->isEnabled());
}

TEST_F(FrameCommands, UpdaterStartsFromTheProgramFolderAndAMissingOneIsReported)
{
    MainForm& window = form();
    window.Tools_Quillet_Click();
    ASSERT_EQ(launches().size(), 1u);
    EXPECT_EQ(launches()[0].program, globals().RootDir + "quillet");
    EXPECT_TRUE(launches()[0].arguments.isEmpty());

    queueProgramStartFailure(QStringLiteral("quillet was not found"));
    queueMsgBoxAnswer(vbOK);
    window.Tools_Quillet_Click();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "KORVEL encountered the following error:\rquillet was not found");
    EXPECT_EQ(MainForm::existing(), &window) << "the program goes on";
}

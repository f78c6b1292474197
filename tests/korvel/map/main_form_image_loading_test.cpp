// Loading images through File > "Load Image": the checks, images with and
// without their geo-reference, the first image on an empty map, and images
// that cannot be loaded.
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/status_bar.h"
#include "tests/korvel/map/map_view_fixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>

namespace {

class ImageLoading : public MapViewTest
{
protected:
    void load(const QStringList& paths)
    {
        queueOpenFiles(paths);
        view().File_OpenBMP_Click();
    }
};

TEST_F(ImageLoading, AGeoReferencedImageOnAnEmptyMapSetsTheZoneAndIsZoomedTo)
{
    const QString path = writeImage(QStringLiteral("photo.bmp"), QSize(100, 50), QColor(0, 200, 0));
    writeGeoReference(path, 600000, 4900000, 2000, -1000, 18);
    load({ path });
    ASSERT_EQ(layerData().ImageCount, 1);
    const ImageLayer& image = layerData().Images[1];
    EXPECT_TRUE(image.Georeferenced);
    EXPECT_EQ(image.X, 600000);
    EXPECT_EQ(image.Height, -1000);
    EXPECT_EQ(image.PixelWidth, 100);
    EXPECT_EQ(image.PixelHeight, 50);
    EXPECT_EQ(image.FileName, "photo.bmp");
    EXPECT_EQ(mapState().Zone, 18) << "the first image places the map";
    EXPECT_FALSE(mapState().MapEmpty);
    EXPECT_TRUE(globals().ImageLoaded);
    MainForm& window = form();
    EXPECT_TRUE(window.ImageCheck[1].isChecked());
    EXPECT_TRUE(window.ImageCheck[1].isEnabled());
    EXPECT_EQ(window.StatusBar1->panel(4).Text, "Zone 18 N");
    EXPECT_EQ(window.Picture1->ScaleLeft(), 600000.0f) << "zoomed to the image";
    EXPECT_EQ(mapColourAt(601000, 4899500), QColor(0, 200, 0));
    EXPECT_EQ(mainSettings().ImageDir, workDir());
}

TEST_F(ImageLoading, AnImageWithoutAGeoReferenceIsListedButNotShown)
{
    const QString plain = writeImage(QStringLiteral("scan.jpg"), QSize(30, 20), Qt::blue);
    const QString other = writeImage(QStringLiteral("other.bmp"), QSize(30, 20), Qt::blue);
    writeTestFile(workDir() + "other.ref", "Some Other Program's File\r\n1,2\r\n");
    load({ plain, other });
    ASSERT_EQ(layerData().ImageCount, 2);
    for (int i = 1; i <= 2; ++i) {
        const ImageLayer& image = layerData().Images[size_t(i)];
        EXPECT_FALSE(image.Georeferenced);
        EXPECT_EQ(image.X, 0);
        EXPECT_EQ(image.Width, 0);
        EXPECT_EQ(image.Zone, 0);
        EXPECT_FALSE(form().ImageCheck[i].isChecked());
        EXPECT_FALSE(form().ImageCheck[i].isEnabled());
        EXPECT_EQ(form().ImageCheckLabel[i].palette().color(QPalette::WindowText), QColor(128, 0, 0))
            << "captioned in red";
    }
    EXPECT_TRUE(mapState().MapEmpty);
    EXPECT_EQ(mapState().Zone, 17);
}

TEST_F(ImageLoading, MissingAndAlreadyLoadedImagesAreRefused)
{
    const QString path = writeImage(QStringLiteral("photo.bmp"), QSize(10, 10), Qt::blue);
    const QString missing = workDir() + "a.bmp";
    queueMsgBoxAnswer(vbOK);
    queueMsgBoxAnswer(vbOK);
    load({ missing, path, path });
    ASSERT_EQ(msgBoxes().size(), 2u);
    EXPECT_EQ(msgBoxes()[0].prompt, '"' + missing + "\" does not exist");
    EXPECT_EQ(msgBoxes()[1].prompt, path + "\r\rhas already been opened");
    EXPECT_EQ(layerData().ImageCount, 1);
}

TEST_F(ImageLoading, AnImageThatCannotBeDecodedEndsTheCommandAndIsTakenBack)
{
    const QString bad = workDir() + "bad.bmp";
    writeTestFile(bad, "not a picture at all");
    const QString good = writeImage(QStringLiteral("good.bmp"), QSize(10, 10), Qt::blue);
    writeGeoReference(good, 1000, 2000, 100, -100, 17);
    queueMsgBoxAnswer(vbOK);
    load({ bad, good });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.startsWith("Invalid picture")) << msgBoxes()[0].prompt.toStdString();
    EXPECT_EQ(layerData().ImageCount, 0) << "the images after it are not loaded";
    EXPECT_FALSE(globals().ImageLoaded);
    EXPECT_FALSE(form().ImageCheck.exists(1));
    EXPECT_TRUE(mapState().MapEmpty);
    EXPECT_FALSE(redrawState().Busy);
}

TEST_F(ImageLoading, ADamagedGeoReferenceIsReportedByName)
{
    const QString path = writeImage(QStringLiteral("photo.bmp"), QSize(10, 10), Qt::blue);
    writeTestFile(workDir() + "photo.ref", "KORVEL Graphic Georeferencing File\r\nphoto.bmp\r\n1000,");
    queueMsgBoxAnswer(vbOK);
    load({ path });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("photo.ref")) << msgBoxes()[0].prompt.toStdString();
    EXPECT_EQ(layerData().ImageCount, 0);
}

TEST_F(ImageLoading, AGeoReferenceEndingAtItsCountPlacesTheImage)
{
    const QString path = writeImage(QStringLiteral("photo.bmp"), QSize(10, 10), Qt::blue);
    writeTestFile(workDir() + "photo.ref",
        "KORVEL Graphic Georeferencing File\r\nphoto.bmp\r\n1000,2000\r\n100,-50\r\n18\r\n---\r\n3");
    load({ path });
    EXPECT_TRUE(msgBoxes().empty());
    ASSERT_EQ(layerData().ImageCount, 1);
    const ImageLayer& image = layerData().Images[1];
    EXPECT_TRUE(image.Georeferenced);
    EXPECT_EQ(QList<qint32>({ image.X, image.Y, image.Width, image.Height }),
        QList<qint32>({ 1000, 2000, 100, -50 }));
    EXPECT_EQ(image.Zone, 18);
    EXPECT_EQ(image.ControlPointCount, 3);
}

TEST_F(ImageLoading, ImagesWiderThanSixteenBitsLoad)
{
    const QString path = writeImage(QStringLiteral("strip.bmp"), QSize(40000, 2), Qt::gray);
    writeGeoReference(path, 0, 100, 40000, -2, 17);
    load({ path });
    ASSERT_EQ(layerData().ImageCount, 1);
    EXPECT_EQ(layerData().Images[1].PixelWidth, 39997);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(ImageLoading, CancellingLoadsNothing)
{
    queueDialogCancel();
    view().File_OpenBMP_Click();
    EXPECT_EQ(layerData().ImageCount, 0);
    EXPECT_TRUE(msgBoxes().empty());
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].title, "Open Image File");
    EXPECT_EQ(dialogs()[0].filter, "Graphic Files|*.bmp;*.gif;*.tif;*.jpg|All Files (*.*)|*.*");
}

TEST_F(ImageLoading, TheTwoHundredAndFiftySixthImageIsRefused)
{
    for (int i = 1; i <= 255; ++i) {
        appendImage();
    }
    queueMsgBoxAnswer(vbOK);
    load({ writeImage(QStringLiteral("photo.bmp"), QSize(4, 4), Qt::blue) });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "Cannot load more than 255 images.");
    EXPECT_EQ(layerData().ImageCount, 255);
}

} // namespace

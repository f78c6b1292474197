// The sample data as a newcomer meets it: the fields and roads shapefiles,
// the export file of the streams and the geo-referenced photo, loaded through
// the File menu into a fresh main window, drawn in their colours, zoomed and
// zoomed back. With KORVEL_MAPVIEW_SCREENSHOT set to a file name, the test
// saves a picture of the window there.
#include "korvel/map/map_view.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"
#include "platform/tool_bar.h"
#include "tests/support/korvel_test.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace {

class MapViewSamples : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().ScreenWidth = 1024;
        globals().ScreenHeight = 768;
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
};

TEST_F(MapViewSamples, SamplesLoadDrawZoomAndZoomBack)
{
    MainForm& window = MainForm::instance();
    window.showMaximized();
    settle();

    queueOpenFiles({ sample("fields.shp") });
    MapView::instance().File_OpenGIS_Click();
    queueOpenFiles({ sample("roads.shp"), sample("streams.e00") });
    MapView::instance().File_OpenGIS_Click();
    queueOpenFiles({ sample("farm_photo.bmp") });
    MapView::instance().File_OpenBMP_Click();
    settle();

    ASSERT_TRUE(msgBoxes().empty()) << msgBoxes().front().prompt.toStdString();
    const LayerData& data = layerData();
    ASSERT_EQ(data.GISCount, 3);
    ASSERT_EQ(data.ImageCount, 1);
    EXPECT_TRUE(data.Images[1].Georeferenced);
    EXPECT_TRUE(globals().UTMMode);
    // The first layer's zoom: the fields fill the view across its width.
    PictureBox& picture = *window.Picture1;
    EXPECT_NEAR(picture.ScaleLeft(), 498400.0, 1.0);
    EXPECT_NEAR(picture.ScaleLeft() + picture.ScaleWidth(), 504700.0, 1.0);

    const QImage before = picture.composedImage();
    MapView::instance().Toolbar_ButtonClick(2); // zoom to the photo
    EXPECT_NEAR(picture.ScaleLeft(), 498000.0, 1.0);
    EXPECT_NEAR(picture.ScaleLeft() + picture.ScaleWidth(), 505000.0, 1.0);
    MapView::instance().Toolbar_ButtonClick(4); // and back
    EXPECT_NEAR(picture.ScaleLeft(), 498400.0, 1.0);
    EXPECT_EQ(picture.composedImage(), before) << "the view and the drawing are back as they were";

    if (const QByteArray shot = qgetenv("KORVEL_MAPVIEW_SCREENSHOT"); !shot.isEmpty()) {
        settle();
        window.grab().save(QString::fromLocal8Bit(shot));
    }
}

} // namespace

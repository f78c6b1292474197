// The geo-referencing window's preview, its manual corrections, the zooms
// of its views, its size on the screen, and the whole road from the Tools
// menu to the image drawn in its place on the map.
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"
#include "tests/korvel/georef/georef_form_fixture.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

namespace {

// An 800 x 600 photo (green left half, blue right half) 2 m a pixel from
// (500000, 4800000), under a field layer that covers it and a small block
// of houses inside it. The fields are an outline, so the photo shows
// through them.
class GeoRefPreview : public GeoRefFormTest
{
protected:
    void SetUp() override
    {
        GeoRefFormTest::SetUp();
        loadRectangleLayer("fields.shp", 500000, 4798800, 501600, 4800000, 3);
        m_houses = loadRectangleLayer("houses.shp", 500100, 4799700, 500300, 4799900);
        m_image = loadImage("photo.bmp", QSize(800, 600));
    }

    static void pickThreePoints(GeoRefForm& form)
    {
        const struct
        {
            int column, row;
            double easting, northing;
        } places[]
            = { { 100, 100, 500200, 4799800 }, { 700, 200, 501400, 4799600 }, { 400, 500, 500800, 4799000 } };
        for (const auto& p : places) {
            clickMap(form, p.easting, p.northing);
            clickImage(form, p.column, p.row);
        }
    }

    QColor housesColour() const
    {
        return QColor::fromRgb(toQRgb(layerData().GISLayers[size_t(m_houses)].Colours[0]));
    }
    static QRgb toQRgb(qint32 vb) { return qRgb(vb & 0xFF, (vb >> 8) & 0xFF, (vb >> 16) & 0xFF); }

    int m_houses = 0;
    int m_image = 0;
};

TEST_F(GeoRefPreview, ShowsTheImageWhereTheFitPlacesItUnderTheLayers)
{
    openOn(m_image, [&](GeoRefForm& form) {
        EXPECT_EQ(form.ShiftXLabel->text(), "0 m") << "the first texts until the first preview";
        EXPECT_EQ(form.StretchXLabel->text(), "0 km");
        pickThreePoints(form);
        ASSERT_FALSE(form.PreviewFrame->isHidden());
        PictureBox& preview = *form.PreviewBox;
        EXPECT_FLOAT_EQ(preview.ScaleLeft(), 500000.0f);
        EXPECT_FLOAT_EQ(preview.ScaleTop(), 4800000.0f);
        EXPECT_FLOAT_EQ(preview.ScaleWidth(), 2.0f * preview.clientWidth()) << "2 m a pixel";
        EXPECT_FLOAT_EQ(preview.ScaleHeight(), -2.0f * preview.clientHeight());
        EXPECT_EQ(form.ShiftXLabel->text(), " m") << "an unset shift shows no number";
        EXPECT_EQ(form.ShiftYLabel->text(), "0 m");
        EXPECT_EQ(colourAt(preview, 500200, 4799800), housesColour()) << "the layer drawn in its place";
        EXPECT_EQ(colourAt(preview, 500050, 4799950), QColor(Qt::green)) << "the image under it";

        form.PreviewScrollH->setValue(100);
        EXPECT_FLOAT_EQ(preview.ScaleLeft(), 500200.0f) << "the easting of image column 100";
        EXPECT_EQ(colourAt(preview, 500250, 4799800), housesColour());
        EXPECT_EQ(colourAt(preview, 500250, 4799950), QColor(Qt::green));
        form.ExitButton_Click();
    });
}

TEST_F(GeoRefPreview, ShiftAndStretchStepsMoveTheFitAndAResetTakesThemBack)
{
    openOn(m_image, [&](GeoRefForm& form) {
        pickThreePoints(form);
        const int bareEasting = form.OriginEasting;
        form.FactorSlider->setValue(2);
        EXPECT_EQ(form.FactorLabel->text(), "100 m");
        for (int i = 0; i < 3; ++i) {
            form.ShiftButton[2].click();
        }
        form.FactorSlider->setValue(1);
        form.ShiftButton[0].click();
        EXPECT_EQ(form.ShiftXLabel->text(), "290 m");
        EXPECT_EQ(form.OriginEasting, bareEasting + 290);
        EXPECT_FLOAT_EQ(form.PreviewBox->ScaleLeft(), float(bareEasting + 290)) << "the preview follows";

        form.StretchButton[1].click();
        EXPECT_EQ(form.GroundHeight, -1190) << "a north-up image gets shorter";
        EXPECT_EQ(form.StretchYLabel->text(), "10 m");
        form.StretchButton[3].click();
        form.StretchButton[3].click();
        EXPECT_EQ(form.GroundHeight, -1210);

        form.ShiftReset->click();
        EXPECT_EQ(form.OriginEasting, bareEasting);
        EXPECT_EQ(form.ShiftXLabel->text(), "0 m");
        form.SaveButton->click();
    });
    QFile file(workDir() + "photo.ref");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("\r\n0,0,,-10\r\n"))
        << "the reset shift is 0, the stretch untouched in x";
}

TEST_F(GeoRefPreview, AnImageSmallerThanThePreviewDoesNotScroll)
{
    const int small = loadImage("small.bmp", QSize(60, 40));
    openOn(small, [&](GeoRefForm& form) {
        clickMap(form, 500000, 4800000);
        clickImage(form, 0, 0);
        clickMap(form, 500600, 4799600);
        clickImage(form, 60, 40);
        ASSERT_FALSE(form.PreviewFrame->isHidden());
        EXPECT_FALSE(form.PreviewScrollH->isEnabled());
        EXPECT_FALSE(form.PreviewScrollV->isEnabled());
        EXPECT_EQ(form.PreviewScrollH->maximum(), 0);
        form.ExitButton_Click();
    });
    openOn(m_image, [&](GeoRefForm& form) {
        pickThreePoints(form);
        EXPECT_TRUE(form.PreviewScrollH->isEnabled()) << "800 pixels are more than the box shows";
        EXPECT_EQ(form.PreviewScrollH->maximum(), 800 - form.PreviewBox->clientWidth());
        form.ExitButton_Click();
    });
}

TEST_F(GeoRefPreview, ZoomsChangeTheViewsWithinTheirLimits)
{
    openOn(m_image, [&](GeoRefForm& form) {
        PictureBox& map = *form.Picture1;
        PictureBox& image = *form.Picture2;
        form.Option1->click();
        EXPECT_EQ(map.MouseIcon(), image.MouseIcon());
        clickMap(form, 500800, 4799400);
        EXPECT_FLOAT_EQ(map.ScaleWidth(), 800.0f) << "twice as close";
        EXPECT_EQ(form.ControlPoints.count(), 0) << "no pick while zooming";
        clickImage(form, 400, 300, 2);
        EXPECT_FLOAT_EQ(image.ScaleWidth(), 200.0f) << "Ctrl: four times";
        EXPECT_FLOAT_EQ(image.ScaleLeft(), 300.0f);
        for (int i = 0; i < 7; ++i) {
            clickMap(form, 500800, 4799400);
        }
        EXPECT_FLOAT_EQ(map.ScaleWidth(), 6.25f) << "stops once 10 m wide or less";

        form.Option2->click();
        clickMap(form, 500800, 4799400, 2);
        EXPECT_FLOAT_EQ(map.ScaleWidth(), 1600.0f) << "Ctrl: the full square window";
        EXPECT_FLOAT_EQ(map.ScaleTop(), 4800200.0f);
        for (int i = 0; i < 5; ++i) {
            clickMap(form, 500800, 4799400);
        }
        EXPECT_FLOAT_EQ(map.ScaleWidth(), 12800.0f) << "not wider than five times the data";
        clickImage(form, 0, 0, 2);
        EXPECT_FLOAT_EQ(image.ScaleWidth(), 800.0f);
        form.ExitButton_Click();
    });
}

TEST_F(GeoRefPreview, OnAScreenUpTo1024PixelsWideTheWindowStaysMaximised)
{
    openOn(m_image, [&](GeoRefForm& form) {
        EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
        form.setWindowState(Qt::WindowNoState);
        EXPECT_TRUE(form.windowState() & Qt::WindowMaximized) << "restored, it is maximised again";
        form.ExitButton_Click();
    });
    setScreen(1280, 1024, 32);
    openOn(m_image, [&](GeoRefForm& form) {
        EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
        form.ExitButton_Click();
    });
    setScreen(1280, 720, 32); // a laptop's 1920 x 1080 at 150 %: lower than the normal window
    openOn(m_image, [&](GeoRefForm& form) {
        EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
        form.ExitButton_Click();
    });
}

TEST_F(GeoRefPreview, APhotoGeoReferencedFromTheToolsMenuIsDrawnInItsPlace)
{
    onModal<GeoRefForm>([&](GeoRefForm& form) {
        pickThreePoints(form);
        form.FactorSlider->setValue(2);
        form.ShiftButton[2].click(); // the photo lies 100 m further east
        form.SaveButton->click();
    });
    MainForm& window = main();
    window.Tools_GeoRef_Click();
    const ImageLayer& record = layerData().Images[size_t(m_image)];
    ASSERT_TRUE(record.Georeferenced);
    EXPECT_EQ(record.X, 500100);

    window.Picture1->setGeometry(4, 4, 404, 303);
    window.ImageCheck[1].setChecked(true);
    window.ZoomToImages();
    const QImage map = window.Picture1->composedImage();
    const auto mapColour = [&](double x, double y) {
        return map.pixelColor(int(window.Picture1->toClientX(x)), int(window.Picture1->toClientY(y)));
    };
    EXPECT_EQ(window.Picture1->ScaleLeft(), 500100.0f) << "zoomed to the photo's place";
    EXPECT_EQ(mapColour(500150, 4799000), QColor(Qt::green));
    EXPECT_EQ(mapColour(501650, 4799000), QColor(Qt::blue)) << "its east half 100 m east of the fit";
}

class GeoRefMapView : public GeoRefFormTest
{
protected:
    // A flight of two samples along a northing, across the block from 500100 to 500900.
    void addFlight(int block, double northing)
    {
        FlightFile flight;
        flight.Name = QStringLiteral("N%1.T01").arg(int(northing));
        flight.Position.resize(3);
        flight.Position[1] = { 500100.0, northing };
        flight.Position[2] = { 500900.0, northing };
        flight.SampleCount = 2;
        appendFlight(block, std::move(flight));
        main().AddFlightListEntry(block);
    }
    // A black track crosses the view's middle column within a pixel of the northing.
    static bool trackAt(PictureBox& view, double northing)
    {
        const QImage image = view.composedImage();
        const int x = int(view.toClientX(500500));
        const int y = int(view.toClientY(northing));
        for (int dy = -1; dy <= 1; ++dy) {
            if (image.rect().contains(x, y + dy) && image.pixelColor(x, y + dy) == QColor(Qt::black)) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(GeoRefMapView, DrawsTheTickedFlightsOfEveryBlockByTheirSubRows)
{
    // Block 1: its guidance lines (sub-row 1) and two flights (sub-rows 2
    // and 3); block 2: one flight (sub-row 4).
    const int first = addBlock(500000, 4799000, 1000);
    AGNAVBlock& block = blockAt(first);
    block.GuidanceLoaded = true;
    ++agnavData().GuidanceCount;
    main().AddGuidanceListEntry(first);
    addFlight(first, 4799900);
    addFlight(first, 4799700);
    const int second = addBlock(500000, 4799000, 1000);
    addFlight(second, 4799500);
    main().Check3[3].setChecked(false);
    const int image = loadImage("photo.bmp", QSize(80, 60));
    openOn(image, [&](GeoRefForm& form) {
        EXPECT_TRUE(trackAt(*form.Picture1, 4799900));
        EXPECT_FALSE(trackAt(*form.Picture1, 4799700)) << "its sub-row is not ticked";
        EXPECT_TRUE(trackAt(*form.Picture1, 4799500)) << "the second block's flight is sub-row 4";
        form.ExitButton_Click();
    });
}

} // namespace

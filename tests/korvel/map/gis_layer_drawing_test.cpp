#include "korvel/map/gis_layer_drawing.h"

#include "korvel/map/block_zone_drawing.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/picture_surface.h"
#include "platform/vb_colors.h"
#include "tests/korvel/map/map_view_fixture.h"
#include "tests/support/recording_status_progress.h"

#include <cmath>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const qint32 kRed = RGB(255, 0, 0);
const qint32 kBlue = RGB(0, 0, 255);
const qint32 kGreen = RGB(0, 160, 0);

// A 400 x 300 pixel map of 4 km by 3 km: 10 metres a pixel, north up.
class GISLayerDrawing : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        picture.Scale(0, 3000, 4000, 0);
        globals().Ellipsoid = { QStringLiteral("WGS84"), 6378137.0, 298.257223563 };
    }

    QColor at(double x, double y)
    {
        const PixelTransform transform = picture.pixelTransform();
        return picture.image().pixelColor(int(std::floor(transform.x(x))), int(std::floor(transform.y(y))));
    }

    void drawAll()
    {
        int start = 1;
        DrawSHPData(start, picture, [](int) { return true; });
    }

    PictureSurface picture { 400, 300 };
};

TEST_F(GISLayerDrawing, APolygonWithAnInnerRingIsDrawnWithItsHole)
{
    addTestLayer(5, { { ringOf(500, 500, 2500, 2500), holeOf(1000, 1000, 2000, 2000) } }, kGreen);
    drawAll();
    EXPECT_EQ(at(700, 1500), toQColor(kGreen));
    EXPECT_EQ(at(1500, 1500), kWhite) << "the inner ring is a hole";
    EXPECT_EQ(at(3000, 1500), kWhite);
}

TEST_F(GISLayerDrawing, ATwoPartLineIsDrawnAsTwoLines)
{
    addTestLayer(3, { { { { 500, 1000 }, { 1500, 1000 } }, { { 2500, 1000 }, { 3500, 1000 } } } }, kRed);
    drawAll();
    EXPECT_EQ(at(1000, 1000), toQColor(kRed));
    EXPECT_EQ(at(3000, 1000), toQColor(kRed));
    EXPECT_EQ(at(2000, 1000), kWhite) << "the parts are not joined";
}

TEST_F(GISLayerDrawing, FeaturesTakeTheirClassColourOnlyWhileColourCodingIsOn)
{
    const int index
        = addTestLayer(5, { { ringOf(500, 500, 1500, 2500) }, { ringOf(2500, 500, 3500, 2500) } }, kGreen);
    GISLayer& layer = layerData().GISLayers[size_t(index)];
    layer.Colours = { kGreen, kRed, kBlue };
    drawAll();
    EXPECT_EQ(at(1000, 1500), toQColor(kGreen)) << "coding off: the layer colour";
    EXPECT_EQ(at(3000, 1500), toQColor(kGreen));
    EXPECT_EQ(at(500, 1500), kBlack) << "filled polygons have black outlines";

    layer.ColourCoding = -1;
    drawAll();
    EXPECT_EQ(at(1000, 1500), toQColor(kRed));
    EXPECT_EQ(at(3000, 1500), toQColor(kBlue));
}

TEST_F(GISLayerDrawing, WithoutFillPolygonsShowOutlinesInTheLayerColour)
{
    mainSettings().FillPoly = false;
    const int index = addTestLayer(5, { { ringOf(500, 500, 1500, 2500) } }, kGreen);
    GISLayer& layer = layerData().GISLayers[size_t(index)];
    layer.Colours = { kGreen, kRed };
    layer.ColourCoding = -1;
    drawAll();
    EXPECT_EQ(at(1000, 1500), kWhite);
    EXPECT_EQ(at(500, 1500), toQColor(kGreen)) << "the layer colour, whatever the coding";
}

TEST_F(GISLayerDrawing, BufferBandsLieUnderTheFeatures)
{
    mainSettings().BufferWidth = 100; // 10 pixels on each side
    const qint32 band = mainSettings().BufferColour;
    const int line = addTestLayer(3, { { { { 500, 2500 }, { 3500, 2500 } } } }, kRed);
    const int area = addTestLayer(5, { { ringOf(1000, 500, 2000, 1500) } }, kGreen);
    const int points = addTestLayer(1, { { { { 3000, 1000 } } } }, kBlue);
    for (int index : { line, area, points }) {
        layerData().GISLayers[size_t(index)].Buffer = true;
    }
    drawAll();
    EXPECT_EQ(at(2000, 2500), toQColor(kRed)) << "the line over its band";
    EXPECT_EQ(at(2000, 2550), toQColor(band));
    EXPECT_EQ(at(2000, 2650), kWhite) << "the band reaches BufferWidth on each side";
    EXPECT_EQ(at(1500, 1000), toQColor(kGreen)) << "the polygon over its band";
    EXPECT_EQ(at(950, 1000), toQColor(band)) << "a wide outline around the polygon";
    EXPECT_EQ(at(1200, 1000), toQColor(kGreen)) << "not a fill under it";
    EXPECT_EQ(at(3060, 1000), toQColor(band)) << "a disc around the point";
    EXPECT_EQ(at(3000, 1000), toQColor(kBlue));

    // One pixel of band is not drawn.
    picture.Cls();
    mainSettings().BufferWidth = 3;
    drawAll();
    EXPECT_EQ(at(2000, 2520), kWhite);
}

TEST_F(GISLayerDrawing, TheBandOfAFeatureJustOutsideTheViewReachesIn)
{
    mainSettings().BufferWidth = 100;
    const int index = addTestLayer(3, { { { { 500, 3050 }, { 3500, 3050 } } } }, kRed);
    layerData().GISLayers[size_t(index)].Buffer = true;
    drawAll();
    EXPECT_EQ(at(2000, 2980), toQColor(mainSettings().BufferColour))
        << "the line lies 50 m north of the view";
    EXPECT_EQ(at(2000, 2900), kWhite);
}

TEST_F(GISLayerDrawing, BufferPenIsWorkedOutWideAndCapped)
{
    mainSettings().BufferWidth = 20000; // twice that overflowed 16 bits
    EXPECT_EQ(bufferPenWidth(picture), 2 * (400 + 300) + 2) << "capped at what the view can use";
    mainSettings().BufferWidth = 100;
    EXPECT_EQ(bufferPenWidth(picture), 20);
    mainSettings().BufferWidth = 75;
    EXPECT_EQ(bufferPenWidth(picture), 15);
}

TEST_F(GISLayerDrawing, InLatitudeLongitudeTheBufferIsMeasuredInMetres)
{
    globals().UTMMode = false;
    mapState().Zone = 17;
    // 0.1 degree of longitude at 43.3 degrees north: about 8.1 km over 400 pixels.
    picture.Scale(-81.05, 43.35, -80.95, 43.25);
    mainSettings().BufferWidth = 100;
    const int pen = bufferPenWidth(picture);
    EXPECT_GE(pen, 9);
    EXPECT_LE(pen, 11) << "200 m over about 8100 m of view on 400 pixels, not 200 degrees";
    picture.Scale(32.95, 43.35, 33.05, 43.25);
    EXPECT_EQ(bufferPenWidth(picture), pen) << "the same view at 33 E, beyond zone 17's reach";
}

TEST_F(GISLayerDrawing, PointsAreFilledBoxesInTheirColourAndNullShapesAreSkipped)
{
    const int index = addTestLayer(1, { { { { 1000, 1000 } } }, {}, { { { 2000, 2000 } } } }, kRed);
    layerData().GISLayers[size_t(index)].Thickness = 3; // boxes of 4 pixels each way
    picture.setFillStyle(vbFSTransparent);
    drawAll();
    EXPECT_EQ(at(1000, 1000), toQColor(kRed));
    EXPECT_EQ(at(2000, 2000), toQColor(kRed));
    EXPECT_EQ(at(1040, 1000), kBlack) << "outlined in black";
    EXPECT_EQ(picture.ScaleMode(), vbUser) << "the world scale is back";
    EXPECT_EQ(picture.ScaleTop(), 3000.0f);
    EXPECT_EQ(picture.ScaleHeight(), -3000.0f);
}

TEST_F(GISLayerDrawing, LayersAndFeaturesOutsideTheViewAreSkippedAndTouchingCounts)
{
    addTestLayer(3, { { { { 5000, 1000 }, { 6000, 1000 } } } }, kRed);
    const int touching = addTestLayer(3, { { { { -1000, 1500 }, { 0, 1500 } } } }, kBlue);
    RecordingStatusProgress status;
    drawAll();
    EXPECT_EQ(at(0, 1500), toQColor(kBlue)) << "a layer whose XMax is the view's west edge is drawn";
    EXPECT_EQ(layerData().GISLayers[size_t(touching)].XMax, 0.0);
    EXPECT_TRUE(status.statusText.isEmpty());
    EXPECT_FALSE(status.visible);
}

TEST_F(GISLayerDrawing, AMirroredViewStillDrawsWhatItShows)
{
    picture.Scale(4000, 3000, 0, 0); // typed with west east of east
    addTestLayer(3, { { { { 500, 1000 }, { 1500, 1000 } } } }, kRed);
    drawAll();
    EXPECT_EQ(picture.image().pixelColor(300, 200), toQColor(kRed));
}

TEST_F(GISLayerDrawing, VerticesFarOutsideTheViewAreClippedNotWrapped)
{
    picture.Scale(1000, 1003, 1004, 1000); // 1 cm a pixel
    addTestLayer(5, { { ringOf(-1e9, -1e9, 1e9, 1e9) } }, kGreen);
    addTestLayer(3, { { { { 1002, 1001 }, { 1e12, 1001 } } } }, kRed);
    drawAll();
    EXPECT_EQ(picture.image().pixelColor(10, 10), toQColor(kGreen))
        << "the view lies inside the huge polygon";
    EXPECT_EQ(picture.image().pixelColor(350, 200), toQColor(kRed)) << "the line runs east";
    EXPECT_EQ(picture.image().pixelColor(100, 200), toQColor(kGreen)) << "and nowhere else";
}

TEST_F(GISLayerDrawing, EscapeStopsAPolygonLayerAfterItsFeatureAndTheWalkAfterTheLayer)
{
    addTestLayer(5, { { ringOf(500, 500, 1000, 1000) }, { ringOf(2000, 500, 2500, 1000) } }, kGreen);
    addTestLayer(3, { { { { 500, 2500 }, { 3500, 2500 } } } }, kRed);
    RecordingStatusProgress status;
    redrawState().CancelDrawing = true;
    drawAll();
    EXPECT_EQ(at(750, 750), toQColor(kGreen)) << "the feature under way is finished";
    EXPECT_EQ(at(2250, 750), kWhite) << "the next is not drawn";
    EXPECT_EQ(at(2000, 2500), kWhite) << "nor the next layer";
    EXPECT_TRUE(status.statusText.isEmpty());
    EXPECT_EQ(picture.DrawWidth(), 1);
}

TEST_F(GISLayerDrawing, AStartBelowOneIsRaisedAndWrittenBack)
{
    addTestLayer(3, { { { { 500, 1000 }, { 1500, 1000 } } } }, kRed);
    int start = -3;
    DrawSHPData(start, picture, [](int) { return true; });
    EXPECT_EQ(start, 1);
    EXPECT_EQ(at(1000, 1000), toQColor(kRed));
    picture.Cls();
    start = 2;
    DrawSHPData(start, picture, [](int) { return true; });
    EXPECT_EQ(at(1000, 1000), kWhite);
    start = 1;
    DrawSHPData(start, picture, [](int) { return false; });
    EXPECT_EQ(at(1000, 1000), kWhite) << "an unticked row is not drawn";
}

TEST_F(GISLayerDrawing, FeatureProgressMovesEveryTwentyFeatures)
{
    std::vector<std::vector<TestPart>> features;
    for (int i = 0; i < 45; ++i) {
        features.push_back({ { { 100.0 + i * 50, 100 }, { 100.0 + i * 50, 200 } } });
    }
    addTestLayer(3, features, kRed);
    RecordingStatusProgress status;
    drawAll();
    EXPECT_EQ(status.values, (std::vector<int> { 20, 40 }));
    EXPECT_TRUE(status.texts.contains(QStringLiteral("Drawing GIS Layer")));
}

TEST_F(GISLayerDrawing, ExclusionZonesAreFilledInTheBufferColourAndOutlinedInTheBlockColour)
{
    const int b = appendBlock();
    AGNAVBlock& block = agnavData().Blocks[size_t(b)];
    block.Colour = kRed;
    ShapeRecord zone;
    zone.resize(4);
    const double xs[] = { 1000, 1000, 2000, 2000 };
    const double ys[] = { 1000, 2000, 2000, 1000 };
    for (int k = 0; k < 4; ++k) {
        zone.X[size_t(k) + 1] = xs[k];
        zone.Y[size_t(k) + 1] = ys[k];
    }
    block.ExclusionZones.push_back(zone);
    block.ExclusionZoneCount = 1;
    DrawBoundaryPolygon(picture, b, 1);
    EXPECT_EQ(at(1500, 1500), toQColor(mainSettings().BufferColour));
    EXPECT_EQ(at(1000, 1500), toQColor(kRed));
    DrawBoundaryPolygon(picture, b, 2); // no such zone: nothing, and no fault
}

} // namespace

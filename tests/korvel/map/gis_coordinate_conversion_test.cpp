#include "korvel/map/gis_coordinate_conversion.h"

#include "korvel/shell/utm_conversion.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"
#include "tests/support/recording_status_progress.h"

#include <algorithm>

namespace {

constexpr double Millimetre = 0.001;

class GisCoordinateConversionTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().Ellipsoid = { QStringLiteral("WGS84"), 6378137.0, 298.257223563 };
    }

    // Appends a layer whose feature f has the given vertices, boxes and extent
    // left stale. The reference lasts until the next layer is appended.
    GISLayer& addLayer(int shapeType, const std::vector<std::vector<std::pair<double, double>>>& features)
    {
        const int index = appendGISLayer();
        GISLayer& layer = layerData().GISLayers[static_cast<std::size_t>(index)];
        layer.ShapeType = shapeType;
        layer.Zone = 18;
        std::vector<std::int32_t> counts { 0 };
        for (const auto& f : features) {
            counts.push_back(static_cast<std::int32_t>(f.size()));
        }
        layer.Shapes.layOut(counts);
        for (int s = 1; s <= layer.ShapeCount(); ++s) {
            int p = 1;
            for (const auto& [x, y] : features[static_cast<std::size_t>(s - 1)]) {
                layer.Shapes.X(s, p) = x;
                layer.Shapes.Y(s, p) = y;
                ++p;
            }
        }
        return layer;
    }
};

TEST_F(GisCoordinateConversionTest, ConvertsToUtmAndBoxesEachFeatureExactly)
{
    GISLayer& layer
        = addLayer(5, { { { -75.7, 45.5 }, { -75.6, 45.6 }, { -75.5, 45.5 } }, { { -75.0, 46.0 } } });
    ConvertGISLayerCoords(1, 18, 2);

    EXPECT_NEAR(layer.Shapes.X(1, 1), 445311.26, 0.01);
    EXPECT_NEAR(layer.Shapes.Y(1, 1), 5038734.79, 0.01);
    for (int s = 1; s <= layer.ShapeCount(); ++s) {
        const std::span<const double> xs = std::as_const(layer.Shapes).xs(s);
        const std::span<const double> ys = std::as_const(layer.Shapes).ys(s);
        const ShapeBox& box = layer.Shapes.box(s);
        EXPECT_EQ(box.XMin, *std::min_element(xs.begin(), xs.end()));
        EXPECT_EQ(box.XMax, *std::max_element(xs.begin(), xs.end()));
        EXPECT_EQ(box.YMin, *std::min_element(ys.begin(), ys.end()));
        EXPECT_EQ(box.YMax, *std::max_element(ys.begin(), ys.end()));
    }
    EXPECT_EQ(layer.XMin, layer.Shapes.X(1, 1));
    EXPECT_EQ(layer.XMax, layer.Shapes.X(2, 1));
    EXPECT_EQ(layer.YMax, layer.Shapes.Y(2, 1));
    EXPECT_EQ(layer.CoordType, unsetCoordType()); // the file's system is not the layer's now
}

TEST_F(GisCoordinateConversionTest, ExtentsOfEveryLayerAreRecomputed)
{
    GISLayer& other = addLayer(3, { { { 10.0, 20.0 }, { 30.0, 50.0 } } });
    other.XMin = other.YMin = -1.0;
    other.XMax = other.YMax = 1.0;
    other.Shapes.box(1) = {};
    addLayer(1, { { { -75.7, 45.5 } } });
    layerData().DataExtent = { 1, 2, 3, 4 };

    ConvertGISLayerCoords(2, 18, 2);
    const GISLayer& first = layerData().GISLayers[1];
    EXPECT_EQ(first.XMin, 10.0);
    EXPECT_EQ(first.YMin, 20.0);
    EXPECT_EQ(first.XMax, 30.0);
    EXPECT_EQ(first.YMax, 50.0);
    EXPECT_EQ(first.Shapes.box(1).XMax, 30.0);
    EXPECT_EQ(first.Shapes.box(1).YMin, 20.0);
    EXPECT_EQ(layerData().DataExtent.XMax, 3.0); // left to the opening procedure
}

TEST_F(GisCoordinateConversionTest, PointLayerConvertsOneVertexPerFeature)
{
    GISLayer& layer = addLayer(1, { { { -75.7, 45.5 }, { -75.6, 45.6 } }, { { -75.5, 45.4 } } });
    ConvertGISLayerCoords(1, 18, 2);
    EXPECT_NEAR(layer.Shapes.X(1, 1), 445311.26, 0.01);
    EXPECT_EQ(layer.Shapes.X(1, 2), -75.6);
    EXPECT_GT(layer.Shapes.X(2, 1), 400000.0);
}

TEST_F(GisCoordinateConversionTest, LayersAndFeaturesWithoutVerticesKeepTheStartLimits)
{
    addLayer(5, {});
    addLayer(3, { {}, { { -75.7, 45.5 } } });
    ConvertGISLayerCoords(1, 18, 2);
    const GISLayer& empty = layerData().GISLayers[1];
    const GISLayer& gap = layerData().GISLayers[2];
    EXPECT_EQ(empty.XMin, 1e7);
    EXPECT_EQ(empty.YMin, 1e7);
    EXPECT_EQ(empty.XMax, -1e7);
    EXPECT_EQ(empty.YMax, -1e7);
    EXPECT_EQ(gap.Shapes.box(1).XMin, 1e7);
    EXPECT_EQ(gap.Shapes.box(1).XMax, -1e7);
    EXPECT_EQ(gap.XMin, -75.7);
}

TEST_F(GisCoordinateConversionTest, RoundTripInTheMapsHemisphereRestoresTheGrid)
{
    mapState().NorthZone = false;
    GISLayer& layer
        = addLayer(5, { { { 333568.94, 6247473.34 }, { 334000.0, 6248000.0 }, { 335000.0, 6247000.0 } } });
    layer.Zone = 56;
    ConvertGISLayerCoords(1, 56, 1);
    EXPECT_NEAR(layer.Shapes.X(1, 1), 151.2, 1e-7);
    EXPECT_NEAR(layer.Shapes.Y(1, 1), -33.9, 1e-7);
    EXPECT_EQ(utmRegisters().UTMZone, 56.0);

    ConvertGISLayerCoords(1, 56, 3); // any direction but 1 goes to the grid
    EXPECT_NEAR(layer.Shapes.X(1, 1), 333568.94, Millimetre);
    EXPECT_NEAR(layer.Shapes.Y(1, 1), 6247473.34, Millimetre);
    EXPECT_NEAR(layer.Shapes.X(1, 3), 335000.0, Millimetre);
}

TEST_F(GisCoordinateConversionTest, ProgressAndStatusTellWhatRuns)
{
    RecordingStatusProgress progress;
    addLayer(3, { { { -75.7, 45.5 } }, { { -75.6, 45.5 } }, { { -75.5, 45.5 } } });
    ConvertGISLayerCoords(1, 18, 2);
    EXPECT_EQ(progress.shows, 1);
    EXPECT_EQ(progress.maximum, 3);
    EXPECT_EQ(progress.values.back(), 3) << "the bar ends full";
    EXPECT_FALSE(progress.visible);
    EXPECT_EQ(progress.texts, (QStringList { "Converting Coordinates", "", "Finding Max/Min Points", "" }));
}

// A point layer has a feature per vertex; the bar moves once per percent of
// them, not per vertex, and ends full.
TEST_F(GisCoordinateConversionTest, ALargeLayerMovesTheBarOncePerPercent)
{
    RecordingStatusProgress progress;
    std::vector<std::vector<std::pair<double, double>>> points(25000, { { -75.5, 45.5 } });
    addLayer(1, points);
    ConvertGISLayerCoords(1, 18, 2);
    ASSERT_FALSE(progress.values.empty());
    EXPECT_LE(progress.values.size(), 101u);
    EXPECT_EQ(progress.values.back(), 25000);
    EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end()));
}

TEST_F(GisCoordinateConversionTest, UnknownLayerRaisesSubscriptOutOfRange)
{
    addLayer(3, { { { -75.7, 45.5 } } });
    for (int index : { 0, 2 }) {
        try {
            ConvertGISLayerCoords(index, 18, 2);
            FAIL() << "no error for layer " << index;
        } catch (const VbError& error) {
            EXPECT_EQ(error.Number(), 9);
        }
    }
}

} // namespace

TEST_F(GisCoordinateConversionTest, WithoutAnEllipsoidTheLayerIsRefusedUntouched)
{
    addLayer(3, { { { 500000.0, 4800000.0 }, { 501000.0, 4801000.0 } } });
    RecomputeGISExtents();
    const double x = layerData().GISLayers[1].Shapes.X(1, 1);
    const double xMax = layerData().GISLayers[1].XMax;
    globals().Ellipsoid = { QStringLiteral("Everest 1830"), 0.0, 0.0 };
    try {
        ConvertGISLayerCoords(1, 17, 1);
        FAIL() << "converted without an ellipsoid";
    } catch (const VbError& error) {
        EXPECT_EQ(error.Number(), 5);
        EXPECT_TRUE(error.Description().contains("Everest 1830"));
    }
    EXPECT_EQ(layerData().GISLayers[1].Shapes.X(1, 1), x);
    EXPECT_EQ(layerData().GISLayers[1].XMax, xMax);
}

TEST_F(GisCoordinateConversionTest, AStripAcrossTheEquatorStaysWholeThereAndBack)
{
    for (bool north : { true, false }) {
        SCOPED_TRACE(north ? "northern map" : "southern map");
        layerData() = LayerData();
        mapState().NorthZone = north;
        GISLayer& layer
            = addLayer(5, { { { -75.01, -0.01 }, { -75.01, 0.01 }, { -74.99, 0.01 }, { -74.99, -0.01 } } });
        ConvertGISLayerCoords(1, 18, 2);
        EXPECT_NEAR(layer.YMax - layer.YMin, 2211.0, 1.0) << "one strip, not one torn over 10 000 km";
        ConvertGISLayerCoords(1, 18, 1);
        EXPECT_NEAR(layer.Shapes.Y(1, 1), -0.01, 1e-9);
        EXPECT_NEAR(layer.Shapes.X(1, 3), -74.99, 1e-9);
    }
}

#include "korvel/workspace/layer_records.h"

#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"

namespace {

using LayerRecordsTest = KorvelTest;

TEST_F(LayerRecordsTest, StartStateHasOnlyTheUnusedElements)
{
    const LayerData& data = layerData();
    EXPECT_EQ(data.GISCount, 0);
    EXPECT_EQ(data.ImageCount, 0);
    EXPECT_EQ(data.GISLayers.size(), 1u);
    EXPECT_EQ(data.GISOrder.size(), 1u);
    EXPECT_EQ(data.Images.size(), 1u);
    EXPECT_EQ(data.ImageOrder.size(), 1u);
    EXPECT_EQ(data.DataExtent.XMin, 1e7);
    EXPECT_EQ(data.DataExtent.YMin, 1e7);
    EXPECT_EQ(data.DataExtent.XMax, -1e7);
    EXPECT_EQ(data.DataExtent.YMax, -1e7);
    EXPECT_EQ(data.LastExtent.XMax, 0.0);
    EXPECT_TRUE(mapState().MapEmpty);
    EXPECT_FALSE(mapState().ExtentEntryMode);
}

TEST_F(LayerRecordsTest, AppendedGisLayerIsLastInTheListAndStartsUnset)
{
    EXPECT_EQ(appendGISLayer(), 1);
    EXPECT_EQ(appendGISLayer(), 2);
    const LayerData& data = layerData();
    EXPECT_EQ(data.GISCount, 2);
    EXPECT_EQ(data.GISOrder[2], 2);
    const GISLayer& layer = data.GISLayers[2];
    EXPECT_EQ(layer.CoordType, QString(3, QChar(u'\0')));
    EXPECT_EQ(layer.ShapeCount(), 0);
    EXPECT_TRUE(layer.ShapeParts.empty());
}

TEST_F(LayerRecordsTest, The256thGisLayerIsRefusedBeforeAnythingChanges)
{
    for (int i = 1; i <= 254; ++i) {
        appendGISLayer();
    }
    EXPECT_TRUE(gisLayerLimitRefusal().isEmpty());
    appendGISLayer();
    EXPECT_EQ(gisLayerLimitRefusal(), "Cannot load more than 255 GIS layers.");
    layerData().GISLayers[255].Path = QStringLiteral("/data/last.shp");

    try {
        appendGISLayer();
        FAIL() << "no refusal";
    } catch (const VbError& error) {
        EXPECT_EQ(error.Number(), 6);
        EXPECT_EQ(error.Description(), "Cannot load more than 255 GIS layers.");
    }
    EXPECT_EQ(layerData().GISCount, 255);
    EXPECT_EQ(layerData().GISLayers.size(), 256u);
    EXPECT_EQ(layerData().GISOrder.size(), 256u);
    EXPECT_EQ(layerData().GISLayers[255].Path, "/data/last.shp");
}

TEST_F(LayerRecordsTest, The256thImageIsRefused)
{
    for (int i = 1; i <= 255; ++i) {
        appendImage();
    }
    EXPECT_EQ(imageLimitRefusal(), "Cannot load more than 255 images.");
    EXPECT_THROW(appendImage(), VbError);
    EXPECT_EQ(layerData().ImageCount, 255);
    EXPECT_EQ(
        loadLimitRefusal(255, QStringLiteral("AG-NAV blocks")), "Cannot load more than 255 AG-NAV blocks.");
    EXPECT_TRUE(loadLimitRefusal(0, QStringLiteral("AG-NAV blocks")).isEmpty());
}

TEST_F(LayerRecordsTest, TakingBackTheLastLayerClearsTheLoadedFlagAtZero)
{
    globals().GISLoaded = true;
    appendGISLayer();
    appendGISLayer();
    layerData().GISLayers[1].Path = QStringLiteral("/data/first.shp");
    removeLastGISLayer();
    EXPECT_EQ(layerData().GISCount, 1);
    EXPECT_EQ(layerData().GISOrder.size(), 2u);
    EXPECT_TRUE(globals().GISLoaded);
    EXPECT_EQ(layerData().GISLayers[1].Path, "/data/first.shp");
    removeLastGISLayer();
    EXPECT_FALSE(globals().GISLoaded);
    removeLastGISLayer(); // nothing left: no change, no fault
    EXPECT_EQ(layerData().GISCount, 0);

    globals().ImageLoaded = true;
    appendImage();
    removeLastImage();
    EXPECT_FALSE(globals().ImageLoaded);
    EXPECT_EQ(layerData().Images.size(), 1u);
}

TEST_F(LayerRecordsTest, RemovingAllLayersEmptiesTheMapButKeepsThePreviousView)
{
    appendGISLayer();
    appendImage();
    globals().GISLoaded = true;
    globals().ImageLoaded = true;
    mapState().MapEmpty = false;
    layerData().DataExtent = { 1, 2, 3, 4 };
    layerData().LastExtent = { 5, 6, 7, 8 };

    removeAllLayers();
    EXPECT_EQ(layerData().GISCount, 0);
    EXPECT_EQ(layerData().ImageCount, 0);
    EXPECT_EQ(layerData().GISLayers.size(), 1u);
    EXPECT_EQ(layerData().DataExtent.XMin, 1e7);
    EXPECT_EQ(layerData().DataExtent.YMax, -1e7);
    EXPECT_EQ(layerData().LastExtent.XMin, 5.0);
    EXPECT_FALSE(globals().GISLoaded);
    EXPECT_FALSE(globals().ImageLoaded);
    EXPECT_TRUE(mapState().MapEmpty);
}

} // namespace

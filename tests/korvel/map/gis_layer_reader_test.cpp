#include "korvel/map/gis_layer_reader.h"

#include "korvel/workspace/layer_records.h"
#include "tests/support/arcinfo_export_writer.h"
#include "tests/support/korvel_test.h"
#include "tests/support/shapefile_writer.h"

namespace {

using GISLayerReaderTest = KorvelTest;

GISLayer layerAt(const QString& path)
{
    GISLayer layer;
    layer.Path = path;
    layer.FileName = path.mid(path.lastIndexOf(u'/') + 1);
    layer.Colours = { 0 };
    return layer;
}

TEST_F(GISLayerReaderTest, ReadsByExtensionInAnyLetterCase)
{
    ShapefileWriter shapes(5);
    shapes.addPoly({ { { 0, 0 }, { 0, 1 }, { 1, 1 }, { 0, 0 } } });
    shapes.write(workDir() + "LAKES.SHP");
    ArcInfoExportWriter arcs;
    arcs.addArc(1, { { 1, 2 }, { 3, 4 } });
    arcs.write(workDir() + "roads.E00");

    GISLayer lakes = layerAt(workDir() + "LAKES.SHP");
    ASSERT_TRUE(readGISLayerFile(lakes).ok);
    EXPECT_EQ(lakes.ShapeType, 5);
    EXPECT_TRUE(lakes.IndexPresent);

    GISLayer roads = layerAt(workDir() + "roads.E00");
    ASSERT_TRUE(readGISLayerFile(roads).ok);
    EXPECT_EQ(roads.ShapeType, 3);
}

// "All Files" lets any file through the dialog; it must not open as a
// layer without features.
TEST_F(GISLayerReaderTest, FileOfAnotherKindIsRefusedNamingIt)
{
    writeTestFile(workDir() + "roads.dbf", QByteArray(200, '\x03'));
    for (const QString& name : { QStringLiteral("roads.dbf"), QStringLiteral("notes") }) {
        GISLayer layer = layerAt(workDir() + name);
        const GISReadResult result = readGISLayerFile(layer);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.description,
            "'" + name
                + "' is not a GIS layer file: KORVEL opens shapefiles (*.shp) and ARC/INFO interchange files "
                  "(*.e00).");
        EXPECT_EQ(layer.ShapeCount(), 0);
    }
}

} // namespace

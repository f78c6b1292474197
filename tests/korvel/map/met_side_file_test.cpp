#include "korvel/map/met_side_file.h"

#include "tests/support/korvel_test.h"

namespace {

using MetSideFileTest = KorvelTest;

// The element layout FGDC metadata tools write: indented "Name: value" lines.
QByteArray boundsText(const char* west, const char* east, const char* north, const char* south)
{
    return QByteArray("Identification_Information:\n  Spatial_Domain:\n    Bounding_Coordinates:\n")
        + "      West_Bounding_Coordinate: " + west + "\n      East_Bounding_Coordinate: " + east
        + "\n      North_Bounding_Coordinate: " + north + "\n      South_Bounding_Coordinate: " + south
        + "\n";
}

MetSideFile parsed(const QByteArray& bytes)
{
    QString error;
    const std::optional<MetSideFile> met = parseMetSideFile(bytes, QStringLiteral("roads.met"), &error);
    EXPECT_TRUE(met.has_value()) << error.toStdString();
    return met.value_or(MetSideFile());
}

GISLayer layerWithBox()
{
    GISLayer layer;
    layer.XMin = 1;
    layer.YMin = 2;
    layer.XMax = 3;
    layer.YMax = 4;
    return layer;
}

TEST_F(MetSideFileTest, GeographicFileGivesItsBoundsAsTheExtent)
{
    const MetSideFile met = parsed(boundsText("-96.5", "-94.25", "45.5", "43.75")
        + "Spatial_Reference_Information:\n  Geographic_Coordinate_Units: Decimal Degrees\n");
    ASSERT_TRUE(met.Bounds.has_value());
    GISLayer layer = layerWithBox();
    applyMetSideFile(met, layer);
    EXPECT_EQ(layer.CoordType, "GEO");
    EXPECT_EQ(layer.XMin, -96.5);
    EXPECT_EQ(layer.XMax, -94.25);
    EXPECT_EQ(layer.YMax, 45.5);
    EXPECT_EQ(layer.YMin, 43.75);
}

TEST_F(MetSideFileTest, OtherUnitsMarkAUtmLayer)
{
    GISLayer layer = layerWithBox();
    applyMetSideFile(parsed("Geographic_Coordinate_Units: Degrees, minutes, seconds\n"), layer);
    EXPECT_EQ(layer.CoordType, "UTM");
    EXPECT_EQ(layer.XMin, 1.0); // no bounds: the header's box stays
}

TEST_F(MetSideFileTest, FileWithoutUnitsLeavesTheCoordinateTypeToTheOpening)
{
    GISLayer layer = layerWithBox();
    applyMetSideFile(parsed(boundsText("10", "20", "50", "40")), layer);
    EXPECT_EQ(layer.CoordType, unsetCoordType());
    EXPECT_EQ(layer.XMin, 10.0);
    EXPECT_EQ(layer.YMin, 40.0);
}

TEST_F(MetSideFileTest, BoxAcrossTheDateLineIsWidenedToTheWholeGlobe)
{
    GISLayer layer = layerWithBox();
    applyMetSideFile(parsed(boundsText("170", "-170", "10", "-10")), layer);
    EXPECT_EQ(layer.XMin, -179.9999);
    EXPECT_EQ(layer.XMax, 179.9999);
}

TEST_F(MetSideFileTest, DecimalDegreesBelowMinus180AreBroughtIntoRange)
{
    GISLayer layer = layerWithBox();
    applyMetSideFile(
        parsed(boundsText("-190", "-170", "10", "-10") + "Geographic_Coordinate_Units: decimal degrees\n"),
        layer);
    EXPECT_EQ(layer.XMin, 170.0);
    EXPECT_EQ(layer.XMax, -170.0);

    // Only a geographic file is moved.
    layer = layerWithBox();
    applyMetSideFile(
        parsed(boundsText("-190", "-170", "10", "-10") + "Geographic_Coordinate_Units: feet\n"), layer);
    EXPECT_EQ(layer.XMin, -190.0);
}

// Reading from two characters after the colon would drop the sign of a
// value written straight after it.
TEST_F(MetSideFileTest, ValueRightAfterTheColonKeepsItsSign)
{
    const MetSideFile met = parsed("Bounding_Coordinates:\nWest_Bounding_Coordinate:-96.5\n"
                                   "East_Bounding_Coordinate:-94\nNorth:45\nSouth:\t44\n");
    ASSERT_TRUE(met.Bounds.has_value());
    EXPECT_EQ(met.Bounds->XMin, -96.5);
    EXPECT_EQ(met.Bounds->XMax, -94.0);
    EXPECT_EQ(met.Bounds->YMin, 44.0);
}

TEST_F(MetSideFileTest, ReadingStopsAtTheUnitsLine)
{
    const MetSideFile met = parsed("Geographic_Coordinate_Units: Decimal degrees\r\n"
        + boundsText("1", "2", "3", "4").replace('\n', "\r\n"));
    EXPECT_EQ(met.CoordType, "GEO");
    EXPECT_FALSE(met.Bounds.has_value());
}

TEST_F(MetSideFileTest, BadBoundsAreRefusedNamingTheFileAndLine)
{
    QString error;
    EXPECT_FALSE(
        parseMetSideFile(boundsText("-96.5", "east", "45", "44"), QStringLiteral("roads.met"), &error));
    EXPECT_EQ(error,
        "The side file 'roads.met' gives no number for a bounding coordinate on line 5: "
        "\"East_Bounding_Coordinate: east\".");

    EXPECT_FALSE(parseMetSideFile("Bounding_Coordinates:\nWest 12\nEast: 1\nNorth: 2\nSouth: 3\n",
        QStringLiteral("roads.met"), &error));
    EXPECT_TRUE(error.contains("line 2"));

    EXPECT_FALSE(
        parseMetSideFile("Bounding_Coordinates:\nWest: 1\nEast: 2\n", QStringLiteral("roads.met"), &error));
    EXPECT_EQ(error, "The side file 'roads.met' ends inside its Bounding_Coordinates.");
}

} // namespace

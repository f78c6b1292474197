#include "korvel/agnav/block_creation.h"

#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/map_state.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

namespace {

class BlockCreation : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().Ellipsoid = Wgs84;
        mapState().Zone = 17;
    }
};

// A polygon layer of one feature whose parts are the given rings.
GISLayer polygonLayer(const std::vector<std::vector<std::pair<double, double>>>& parts, int shapeType = 5)
{
    GISLayer layer;
    layer.ShapeType = shapeType;
    layer.Path = QStringLiteral("/data/FIELD.shp");
    std::vector<std::int32_t> counts { 0, 0 };
    for (const auto& part : parts) {
        counts[1] += std::int32_t(part.size());
    }
    layer.Shapes.layOut(counts);
    layer.ShapeParts.resize(2);
    ShapeParts& table = layer.ShapeParts[1];
    table.PartCount = std::int32_t(parts.size());
    if (parts.size() > 1) {
        table.PartStart.assign(parts.size() + 2, 0);
    }
    int p = 1;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (parts.size() > 1) {
            table.PartStart[k + 1] = p;
        }
        for (const auto& [x, y] : parts[k]) {
            layer.Shapes.X(1, p) = x;
            layer.Shapes.Y(1, p) = y;
            ++p;
        }
    }
    if (parts.size() > 1) {
        table.PartStart[parts.size() + 1] = p;
    }
    return layer;
}

// The sample field's corners, north up: clockwise and counter-clockwise.
const std::vector<std::pair<double, double>> kClockwise
    = { { 500000, 4800000 }, { 500000, 4800600 }, { 500800, 4800600 }, { 500800, 4800000 } };
const std::vector<std::pair<double, double>> kCounterClockwise
    = { { 500000, 4800000 }, { 500800, 4800000 }, { 500800, 4800600 }, { 500000, 4800600 } };

TEST_F(BlockCreation, RingsAreStoredClockwiseWithAPositiveArea)
{
    const struct
    {
        const char* name;
        const std::vector<std::pair<double, double>>* corners;
        std::vector<double> x; // as stored: a reversed ring starts on its last corner
        std::vector<double> y;
    } rows[] = {
        { "clockwise", &kClockwise, { 0, 500000, 500000, 500800, 500800 },
            { 0, 4800000, 4800600, 4800600, 4800000 } },
        { "counter-clockwise", &kCounterClockwise, { 0, 500000, 500800, 500800, 500000 },
            { 0, 4800600, 4800600, 4800000, 4800000 } },
    };
    for (const auto& row : rows) {
        resetAgnavData();
        CreatedBlockSource source;
        source.path = workDir() + "FIELD7.no1";
        source.ring.resize(4);
        for (std::size_t i = 1; i <= 4; ++i) {
            source.ring.X[i] = (*row.corners)[i - 1].first;
            source.ring.Y[i] = (*row.corners)[i - 1].second;
        }
        source.colour = 255;
        source.thickness = 3;
        const int b = appendCreatedBlock(source);
        const AGNAVBlock& block = blockAt(b);
        EXPECT_EQ(block.VertexCount, 4);
        EXPECT_NEAR(block.Area, 480000.0, 1e-6) << row.name;
        EXPECT_EQ(block.Boundary.X, row.x) << row.name;
        EXPECT_EQ(block.Boundary.Y, row.y) << row.name;
        EXPECT_EQ(block.Boundary.XMin, 500000.0);
        EXPECT_EQ(block.Boundary.YMax, 4800600.0);
        EXPECT_EQ(block.FileName, "FIELD7.no1");
        EXPECT_EQ(block.DataFolder, workDir() + "FIELD7/");
        EXPECT_EQ(block.Colour, 255);
        EXPECT_EQ(block.Thickness, 3);
        EXPECT_EQ(block.Zone, 17);
        EXPECT_EQ(block.Ellipsoid.Name, "WGS-84");
        EXPECT_TRUE(globals().AGNAVLoaded);
    }
}

TEST_F(BlockCreation, LayersThatCannotBecomeABoundary)
{
    const struct
    {
        const char* name;
        GISLayer layer;
        const char* message;
    } rows[] = {
        { "lines", polygonLayer({ kClockwise }, 3),
            "This GIS file does not contain a polygon and\rcannot be converted to an AGNAV boundary." },
        { "two corners and the closing one", polygonLayer({ { { 1, 1 }, { 2, 2 }, { 1, 1 } } }),
            "The polygon of this GIS file has fewer than three corners and\rcannot be converted to an AGNAV "
            "boundary." },
        { "a polygon", polygonLayer({ kClockwise }), "" },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(polygonConversionRefusal(row.layer), row.message) << row.name;
    }
    GISLayer two = polygonLayer({ kClockwise });
    two.Shapes.resize(2);
    EXPECT_EQ(polygonConversionRefusal(two),
        "This GIS file contains more than one polygon and\rcannot be converted to an AGNAV boundary.");
    EXPECT_EQ(boundaryFileNameForLayer(two), "/data/FIELD.no1");
}

} // namespace

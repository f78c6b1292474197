#include "korvel/shell/polygon_area.h"

#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"

namespace {

const EllipsoidRecord Wgs84 { QStringLiteral("WGS84"), 6378137.0, 298.257223563 };
const EllipsoidRecord Clarke1866 { QStringLiteral("Clarke 1866"), 6378206.4, 294.9786982 };

ShapeRecord ring(std::initializer_list<std::pair<double, double>> points)
{
    ShapeRecord shape;
    shape.resize(static_cast<int>(points.size()));
    int i = 1;
    for (const auto& [x, y] : points) {
        shape.X[static_cast<std::size_t>(i)] = x;
        shape.Y[static_cast<std::size_t>(i)] = y;
        ++i;
    }
    return shape;
}

// The corners of a grid square, clockwise, converted to degrees in the
// given zone; northings are signed distances from the equator.
ShapeRecord geographicSquare(int zone, const EllipsoidRecord& e, double west, double south, double size)
{
    const UtmProjection projection(zone, e.Axis, e.InverseFlattening);
    ShapeRecord shape = ring(
        { { west, south }, { west, south + size }, { west + size, south + size }, { west + size, south } });
    for (std::size_t i = 1; i <= 4; ++i) {
        double lat = 0.0, lon = 0.0;
        projection.inverse(shape.X[i], shape.Y[i], lat, lon);
        shape.X[i] = lon;
        shape.Y[i] = lat;
    }
    return shape;
}

class PolygonAreaTest : public KorvelTest
{
protected:
    double area(const ShapeRecord& shape)
    {
        int zone = 0;
        double axis = 0.0, inverseFlattening = 0.0;
        return PolygonArea(shape, zone, axis, inverseFlattening);
    }

    AGNAVBlock& addBlock(const ShapeRecord& boundary, int zone, const EllipsoidRecord& ellipsoid)
    {
        AgnavData& data = agnavData();
        AGNAVBlock block;
        block.Boundary = boundary;
        block.VertexCount = boundary.upperBound();
        block.Zone = zone;
        block.Ellipsoid = ellipsoid;
        data.Blocks.push_back(block);
        data.BlockCount = static_cast<int>(data.Blocks.size()) - 1;
        return data.Blocks.back();
    }
};

TEST_F(PolygonAreaTest, SignFollowsTheDirectionOfTheRing)
{
    EXPECT_EQ(area(ring({ { 0, 0 }, { 0, 1 }, { 1, 1 }, { 1, 0 } })), 1.0);
    EXPECT_EQ(area(ring({ { 0, 0 }, { 1, 0 }, { 1, 1 }, { 0, 1 } })), -1.0);
    // A repeated first point closes the ring without adding anything.
    EXPECT_EQ(area(ring({ { 0, 0 }, { 0, 1 }, { 1, 1 }, { 1, 0 }, { 0, 0 } })), 1.0);
}

TEST_F(PolygonAreaTest, PointsAndLinesEncloseNothing)
{
    EXPECT_EQ(area(ring({ { 5, 5 } })), 0.0);
    EXPECT_EQ(area(ring({ { 5, 5 }, { 7, 9 } })), 0.0);
    EXPECT_EQ(area(ShapeRecord()), 0.0);
}

TEST_F(PolygonAreaTest, SmallFieldFarFromTheEquatorKeepsItsPrecision)
{
    // 30 m x 20 m at a northing of 5 000 km: the sum must not lose the square metres.
    const ShapeRecord field
        = ring({ { 445000, 5038000 }, { 445000, 5038020 }, { 445030, 5038020 }, { 445030, 5038000 } });
    EXPECT_NEAR(area(field), 600.0, 1e-6);
}

TEST_F(PolygonAreaTest, UtmModeLeavesTheZoneAndEllipsoidArgumentsAlone)
{
    int zone = 0;
    double axis = 1.0, inverseFlattening = 2.0;
    PolygonArea(ring({ { 0, 0 }, { 0, 1 }, { 1, 1 } }), zone, axis, inverseFlattening);
    EXPECT_EQ(zone, 0);
    EXPECT_EQ(axis, 1.0);
    EXPECT_EQ(inverseFlattening, 2.0);
}

TEST_F(PolygonAreaTest, GeographicModeMeasuresSquareMetresOnACopy)
{
    globals().UTMMode = false;
    globals().Ellipsoid = Wgs84;
    mapState().Zone = 18;
    const ShapeRecord square = geographicSquare(18, Wgs84, 440000.0, 5030000.0, 1000.0);
    const ShapeRecord before = square;

    int zone = 0;
    double axis = 0.0, inverseFlattening = 0.0;
    EXPECT_NEAR(PolygonArea(square, zone, axis, inverseFlattening), 1e6, 1e-3);
    // The map's zone and ellipsoid were taken and handed back to the caller.
    EXPECT_EQ(zone, 18);
    EXPECT_EQ(axis, Wgs84.Axis);
    EXPECT_EQ(inverseFlattening, Wgs84.InverseFlattening);
    EXPECT_EQ(square.X, before.X);
    EXPECT_EQ(square.Y, before.Y);
}

TEST_F(PolygonAreaTest, GeographicModeUsesTheZoneAndEllipsoidGiven)
{
    globals().UTMMode = false;
    globals().Ellipsoid = Wgs84;
    mapState().Zone = 18;
    const ShapeRecord square = geographicSquare(56, Clarke1866, 330000.0, -3750000.0, 2000.0);
    int zone = 56;
    double axis = Clarke1866.Axis, inverseFlattening = Clarke1866.InverseFlattening;
    EXPECT_NEAR(PolygonArea(square, zone, axis, inverseFlattening), 4e6, 1e-3);
    EXPECT_EQ(zone, 56);
}

TEST_F(PolygonAreaTest, RingAcrossTheEquatorIsMeasuredInOneNorthingConvention)
{
    // 2 km x 2 km centred on the equator. Measured with the southern false
    // northing on two corners only, it once came out near 2e10 m^2.
    globals().UTMMode = false;
    globals().Ellipsoid = Wgs84;
    mapState().Zone = 31;
    EXPECT_NEAR(area(geographicSquare(31, Wgs84, 499000.0, -1000.0, 2000.0)), 4e6, 1e-3);
}

TEST_F(PolygonAreaTest, OverflowOfTheSumIsRaised)
{
    const ShapeRecord huge = ring({ { -1e300, 0 }, { -1e300, 1e300 }, { 1e300, 1e300 }, { 1e300, 0 } });
    try {
        area(huge);
        FAIL() << "no error raised";
    } catch (const VbError& error) {
        EXPECT_EQ(error.Number(), 6);
    }
}

TEST_F(PolygonAreaTest, BoundaryAreaCountsVertexCountVerticesOnly)
{
    AGNAVBlock& block
        = addBlock(ring({ { 0, 0 }, { 0, 10 }, { 10, 10 }, { 10, 0 }, { 50, -50 } }), 17, Wgs84);
    block.VertexCount = 4;
    EXPECT_EQ(BoundaryArea(agnavData().BlockCount), 100.0);

    // A count beyond the stored vertices reads no further than they go.
    block.VertexCount = 40;
    EXPECT_EQ(
        BoundaryArea(1), 100.0 + (50.0 - 10.0) * (-50.0 + 0.0) / 2.0 + (0.0 - 50.0) * (0.0 - 50.0) / 2.0);
}

TEST_F(PolygonAreaTest, BoundaryAreaInGeographicModeUsesTheBlocksOwnZoneAndEllipsoid)
{
    globals().UTMMode = false;
    globals().Ellipsoid = Wgs84;
    mapState().Zone = 17;
    const ShapeRecord square = geographicSquare(56, Clarke1866, 330000.0, 6247000.0 - 10000000.0, 1000.0);
    addBlock(square, 56, Clarke1866);
    EXPECT_NEAR(BoundaryArea(1), 1e6, 1e-3);
    EXPECT_EQ(agnavData().Blocks[1].Boundary.X, square.X); // the block keeps its degrees
}

TEST_F(PolygonAreaTest, BoundaryAreaOfAMissingBlockRaisesSubscriptOutOfRange)
{
    addBlock(ring({ { 0, 0 }, { 0, 1 }, { 1, 1 } }), 17, Wgs84);
    for (int index : { 0, 2, -1 }) {
        try {
            BoundaryArea(index);
            FAIL() << "no error for block " << index;
        } catch (const VbError& error) {
            EXPECT_EQ(error.Number(), 9);
        }
    }
}

} // namespace

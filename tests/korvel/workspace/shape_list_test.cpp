#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/shape_list.h"
#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"

namespace {

using ShapeListTest = KorvelTest;

int errorNumber(const std::function<void()>& action)
{
    try {
        action();
    } catch (const VbError& error) {
        return static_cast<int>(error.Number());
    }
    return 0;
}

TEST_F(ShapeListTest, LayOutGivesEachFeatureItsVertices)
{
    ShapeList shapes;
    shapes.layOut({ 0, 2, 0, 3 });
    ASSERT_EQ(shapes.count(), 3);
    EXPECT_EQ(shapes.pointCount(1), 2);
    EXPECT_EQ(shapes.pointCount(2), 0);
    EXPECT_EQ(shapes.pointCount(3), 3);
    EXPECT_EQ(shapes.vertexTotal(), 5);

    shapes.X(1, 2) = 12.0;
    shapes.Y(3, 1) = 31.0;
    shapes.X(3, 3) = 33.0;
    EXPECT_EQ(shapes.xs(1)[1], 12.0);
    EXPECT_EQ(shapes.ys(3)[0], 31.0);
    EXPECT_EQ(shapes.X(3, 3), 33.0);
    EXPECT_EQ(shapes.X(3, 1), 0.0);
    EXPECT_TRUE(shapes.xs(2).empty());
}

TEST_F(ShapeListTest, IndicesOutOfRangeRaiseSubscriptOutOfRange)
{
    ShapeList shapes;
    shapes.layOut({ 0, 2 });
    EXPECT_EQ(errorNumber([&] { shapes.X(0, 1); }), 9);
    EXPECT_EQ(errorNumber([&] { shapes.X(2, 1); }), 9);
    EXPECT_EQ(errorNumber([&] { shapes.Y(1, 0); }), 9);
    EXPECT_EQ(errorNumber([&] { shapes.Y(1, 3); }), 9);
    EXPECT_EQ(errorNumber([&] { shapes.box(5); }), 9);
    EXPECT_EQ(errorNumber([&] { shapes.setPointCount(-1, 1); }), 9);
}

TEST_F(ShapeListTest, NegativeCountIsRefusedAndChangesNothing)
{
    ShapeList shapes;
    shapes.layOut({ 0, 1 });
    shapes.X(1, 1) = 5.0;
    EXPECT_EQ(errorNumber([&] { shapes.layOut({ 0, 3, -1 }); }), 5);
    EXPECT_EQ(errorNumber([&] { shapes.setPointCount(1, -2); }), 5);
    ASSERT_EQ(shapes.count(), 1);
    EXPECT_EQ(shapes.X(1, 1), 5.0);
}

// The ARC/INFO reader meets arcs in any order and grows or shrinks the list
// to the arc number it reads.
TEST_F(ShapeListTest, FeaturesReDimensionedInAnyOrderKeepTheOthers)
{
    ShapeList shapes;
    shapes.resize(2);
    shapes.setPointCount(2, 2);
    shapes.X(2, 1) = 21.0;
    shapes.X(2, 2) = 22.0;
    shapes.setPointCount(1, 3);
    shapes.X(1, 3) = 13.0;
    shapes.resize(4);
    shapes.setPointCount(3, 1);
    shapes.Y(3, 1) = 31.0;
    // Growing a feature that is not last moves it; its neighbours stay put.
    shapes.setPointCount(2, 4);
    EXPECT_EQ(shapes.X(2, 1), 0.0);
    shapes.X(2, 4) = 24.0;
    EXPECT_EQ(shapes.X(1, 3), 13.0);
    EXPECT_EQ(shapes.Y(3, 1), 31.0);
    EXPECT_EQ(shapes.pointCount(4), 0);

    shapes.resize(3);
    const std::size_t before = shapes.heapBytes();
    shapes.compact();
    EXPECT_LT(shapes.heapBytes(), before);
    EXPECT_EQ(shapes.vertexTotal(), 8);
    EXPECT_EQ(shapes.X(1, 3), 13.0);
    EXPECT_EQ(shapes.X(2, 4), 24.0);
    EXPECT_EQ(shapes.Y(3, 1), 31.0);
}

TEST_F(ShapeListTest, RecordAndAppendCopyVerticesAndBox)
{
    ShapeList shapes;
    ShapeRecord ring;
    ring.X = { 0.0, 1.0, 2.0, 3.0 };
    ring.Y = { 0.0, 4.0, 5.0, 6.0 };
    ring.XMax = 3.0;
    ring.YMax = 6.0;
    ring.XMin = 1.0;
    ring.YMin = 4.0;
    shapes.append(ring);
    shapes.append(ShapeRecord());

    ASSERT_EQ(shapes.count(), 2);
    EXPECT_EQ(shapes.pointCount(2), 0);
    const ShapeRecord copy = shapes.record(1);
    EXPECT_EQ(copy.X, ring.X);
    EXPECT_EQ(copy.Y, ring.Y);
    EXPECT_EQ(copy.XMax, 3.0);
    EXPECT_EQ(copy.YMin, 4.0);
    EXPECT_EQ(shapes.box(1).XMin, 1.0);
}

TEST_F(ShapeListTest, TwoMillionVertexLayerStaysWithinHalfAgainItsCoordinates)
{
    constexpr int Features = 100000;
    constexpr int VerticesEach = 20;
    GISLayer layer;
    layer.Shapes.layOut(std::vector<std::int32_t>(Features + 1, VerticesEach));
    layer.ShapeParts.resize(Features + 1);
    const std::size_t coordinateBytes = std::size_t(Features) * VerticesEach * 2 * sizeof(double);
    const std::size_t held = layer.Shapes.heapBytes() + layer.ShapeParts.capacity() * sizeof(ShapeParts);
    EXPECT_EQ(layer.Shapes.vertexTotal(), 2000000);
    EXPECT_LE(held, coordinateBytes * 3 / 2);
}

} // namespace

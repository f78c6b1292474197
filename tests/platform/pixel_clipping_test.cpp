#include "platform/pixel_clipping.h"

#include <gtest/gtest.h>

namespace {

const PixelBounds kBox { 0, 0, 100, 100 };

TEST(PixelClipping, SegmentsAreCutAtTheEdges)
{
    QPointF a(50, 50);
    QPointF b(250, 50);
    ASSERT_TRUE(clipSegment(a, b, kBox));
    EXPECT_EQ(a, QPointF(50, 50));
    EXPECT_EQ(b, QPointF(100, 50));

    QPointF c(-100, -100);
    QPointF d(200, 200);
    ASSERT_TRUE(clipSegment(c, d, kBox));
    EXPECT_EQ(c, QPointF(0, 0));
    EXPECT_EQ(d, QPointF(100, 100));

    QPointF e(150, 0);
    QPointF f(150, 100);
    EXPECT_FALSE(clipSegment(e, f, kBox)) << "parallel to an edge and outside it";
    QPointF g(-10, 120);
    QPointF h(120, 200);
    EXPECT_FALSE(clipSegment(g, h, kBox));
}

TEST(PixelClipping, APolylineThatLeavesAndComesBackGivesTwoRuns)
{
    const std::vector<QPointF> line { { 10, 50 }, { 300, 50 }, { 300, 60 }, { 10, 60 } };
    const auto runs = clipPolyline(line, kBox);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (std::vector<QPointF> { { 10, 50 }, { 100, 50 } }));
    EXPECT_EQ(runs[1], (std::vector<QPointF> { { 100, 60 }, { 10, 60 } }));
    EXPECT_TRUE(clipPolyline({ { 200, 200 }, { 300, 300 } }, kBox).empty());
}

TEST(PixelClipping, RingsKeepTheirInsideAndVanishOutside)
{
    const std::vector<QPointF> big { { -1e9, -1e9 }, { 1e9, -1e9 }, { 1e9, 1e9 }, { -1e9, 1e9 } };
    const std::vector<QPointF> clipped = clipRing(big, kBox);
    ASSERT_EQ(clipped.size(), 4u) << "a ring around the box becomes the box";
    for (const QPointF& p : clipped) {
        EXPECT_TRUE(kBox.contains(p.x(), p.y()));
    }
    EXPECT_TRUE(clipRing({ { 200, 200 }, { 300, 200 }, { 300, 300 } }, kBox).empty());
    EXPECT_EQ(farBounds(400, 300).right, 400 + FarMargin);
}

} // namespace

#include "korvel/guidance/guidance_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Metre = 1e-6; // tolerance of positions, metres

struct Ring
{
    std::vector<double> east { 0.0 };
    std::vector<double> north { 0.0 };
    int count() const { return int(east.size()) - 1; }
};

Ring ring(std::initializer_list<std::pair<double, double>> vertices)
{
    Ring r;
    for (const auto& [e, n] : vertices) {
        r.east.push_back(e);
        r.north.push_back(n);
    }
    return r;
}

// Vertex 1 at the origin, then north, east and back south.
const Ring Square = ring({ { 0, 0 }, { 0, 100 }, { 100, 100 }, { 100, 0 } });
// A U open to the north: arms 0..30 and 70..100 above northing 30.
const Ring UShape
    = ring({ { 0, 0 }, { 0, 100 }, { 30, 100 }, { 30, 30 }, { 70, 30 }, { 70, 100 }, { 100, 100 }, { 100, 0 } });

GuidanceLayout lay(const Ring& r, double bearingDeg, float swath, float offset)
{
    return layGuidanceLines(r.east, r.north, r.count(), bearingDeg * Pi / 180.0, swath, offset);
}

TEST(GuidanceLines, SquareLinesRunAlongTheHeadingNumberedFromLeftToRight)
{
    const struct
    {
        const char* name;
        double bearing;
        float offset;
        std::vector<GuidanceSegment> lines;
    } rows[] = {
        { "north, no offset (0.1 m)", 0, 0.1f,
            { { 0.1, 0, 0.1, 100 }, { 30.1, 0, 30.1, 100 }, { 60.1, 0, 60.1, 100 }, { 90.1, 0, 90.1, 100 } } },
        { "north, half a swath", 0, 15.0f, { { 15, 0, 15, 100 }, { 45, 0, 45, 100 }, { 75, 0, 75, 100 } } },
        { "east: first line in the north, flown west to east", 90, 0.1f,
            { { 0, 99.9, 100, 99.9 }, { 0, 69.9, 100, 69.9 }, { 0, 39.9, 100, 39.9 }, { 0, 9.9, 100, 9.9 } } },
        { "south: first line in the east", 180, 15.0f,
            { { 85, 100, 85, 0 }, { 55, 100, 55, 0 }, { 25, 100, 25, 0 } } },
        { "a heading of 450 works as 90", 450, 15.0f,
            { { 0, 85, 100, 85 }, { 0, 55, 100, 55 }, { 0, 25, 100, 25 } } },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const GuidanceLayout layout = lay(Square, row.bearing, 30.0f, row.offset);
        EXPECT_EQ(layout.refusal, GuidanceRefusal::None);
        ASSERT_EQ(layout.lines.size(), row.lines.size());
        for (std::size_t i = 0; i < row.lines.size(); ++i) {
            // The offset 0.1 is a single-precision value.
            const double tolerance = 1e-5;
            EXPECT_NEAR(layout.lines[i].x1, row.lines[i].x1, tolerance) << "line " << i + 1;
            EXPECT_NEAR(layout.lines[i].y1, row.lines[i].y1, tolerance) << "line " << i + 1;
            EXPECT_NEAR(layout.lines[i].x2, row.lines[i].x2, tolerance) << "line " << i + 1;
            EXPECT_NEAR(layout.lines[i].y2, row.lines[i].y2, tolerance) << "line " << i + 1;
        }
    }
}

TEST(GuidanceLines, AConcaveBlockGivesSeveralLinesOnOneSweepRearmostFirst)
{
    const GuidanceLayout layout = lay(UShape, 90, 30.0f, 0.1f);
    ASSERT_EQ(layout.refusal, GuidanceRefusal::None);
    // Northings 99.9, 69.9 and 39.9 cross both arms; 9.9 the whole block.
    const double norths[] = { 99.9, 99.9, 69.9, 69.9, 39.9, 39.9, 9.9 };
    const double starts[] = { 0, 70, 0, 70, 0, 70, 0 };
    const double ends[] = { 30, 100, 30, 100, 30, 100, 100 };
    ASSERT_EQ(layout.lines.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_NEAR(layout.lines[i].y1, norths[i], 1e-5) << "line " << i + 1;
        EXPECT_NEAR(layout.lines[i].x1, starts[i], Metre) << "line " << i + 1;
        EXPECT_NEAR(layout.lines[i].x2, ends[i], Metre) << "line " << i + 1;
    }
}

TEST(GuidanceLines, WhatLaysNoLines)
{
    const Ring narrow = ring({ { 0, 0 }, { 0, 100 }, { 10, 100 }, { 10, 0 } });
    // A vertex in the bottom edge at easting 50, its edges on either side.
    const Ring notched = ring({ { 0, 0 }, { 0, 100 }, { 100, 100 }, { 100, 0 }, { 50, 0 } });
    const struct
    {
        const char* name;
        const Ring& ring;
        double bearing;
        float swath;
        float offset;
        GuidanceRefusal refusal;
        int intercepts;
    } rows[] = {
        { "a sweep line through a vertex meets one edge", notched, 0, 100.0f, 50.0f,
            GuidanceRefusal::OddIntercepts, 1 },
        { "a swath of 0 would never move on", Square, 0, 0.0f, 0.1f, GuidanceRefusal::NoSwath, 0 },
        { "a negative swath", Square, 0, -30.0f, 0.1f, GuidanceRefusal::NoSwath, 0 },
        { "a swath that is no number", Square, 0, std::nanf(""), 0.1f, GuidanceRefusal::NoSwath, 0 },
        { "a bearing that is no number", Square, std::nan(""), 30.0f, 0.1f, GuidanceRefusal::NoDirection, 0 },
        { "10,000 sweep lines are refused before one is laid", Square, 0, 0.01f, 0.1f,
            GuidanceRefusal::TooManyLines, 0 },
        { "half a swath wider than the block", narrow, 0, 30.0f, 15.0f, GuidanceRefusal::None, 0 },
        { "no vertices", Ring(), 0, 30.0f, 0.1f, GuidanceRefusal::None, 0 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const GuidanceLayout layout = lay(row.ring, row.bearing, row.swath, row.offset);
        EXPECT_TRUE(layout.lines.empty());
        EXPECT_EQ(layout.refusal, row.refusal);
        EXPECT_EQ(layout.intercepts, row.intercepts);
    }
}

TEST(GuidanceLines, TheLimitItselfIsLaid)
{
    const Ring wide = ring({ { 0, 0 }, { 0, 100 }, { 5000, 100 }, { 5000, 0 } });
    EXPECT_EQ(lay(wide, 0, 1.0f, 0.5f).lines.size(), std::size_t(MaxGuidanceLines));
    const Ring wider = ring({ { 0, 0 }, { 0, 100 }, { 5001, 100 }, { 5001, 0 } });
    EXPECT_EQ(lay(wider, 0, 1.0f, 0.5f).refusal, GuidanceRefusal::TooManyLines);
}

TEST(GuidanceLines, EdgeBearings)
{
    const Ring r = ring({ { 0, 0 }, { 0, 100 }, { 100, 100 }, { 100, 0 }, { 100, 0 }, { 97, 2 } });
    const struct
    {
        const char* name;
        int edge;
        double degrees;
    } rows[] = {
        { "north", 1, 0 },
        { "east", 2, 90 },
        { "south (dx = 0, dy < 0)", 3, 180 },
        { "no length", 4, 180 },
        { "west-north-west: dx = -3, dy = 2", 5, 270 + std::atan(2.0 / 3.0) * 180 / Pi },
        { "the last edge closes the ring back to vertex 1", 6, 270 - std::atan(2.0 / 97.0) * 180 / Pi },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(edgeBearing(r.east, r.north, r.count(), row.edge) * 180 / Pi, row.degrees, 1e-9);
    }
    const Ring diagonal = ring({ { 0, 0 }, { 3, -2 }, { 0, -5 } });
    EXPECT_NEAR(edgeBearing(diagonal.east, diagonal.north, 3, 1) * 180 / Pi, 123.690067525979, 1e-9);
    for (int outside : { 0, -1, 7 }) {
        EXPECT_TRUE(std::isnan(edgeBearing(r.east, r.north, r.count(), outside))) << outside;
    }
}

TEST(GuidanceLines, LinesParallelToAnEdgeRunFromItsStartToItsEnd)
{
    const double bearing = edgeBearing(UShape.east, UShape.north, UShape.count(), 8); // (100,0) to (0,0)
    const GuidanceLayout layout = layGuidanceLines(UShape.east, UShape.north, UShape.count(), bearing, 30.0f, 15.0f);
    ASSERT_FALSE(layout.lines.empty());
    for (const GuidanceSegment& line : layout.lines) {
        EXPECT_NEAR(line.y1, line.y2, Metre);
        EXPECT_GT(line.x1, line.x2) << "flown westwards";
    }
    EXPECT_NEAR(layout.lines.front().y1, 15.0, Metre) << "numbered from the left of the heading: the south first";
}

} // namespace

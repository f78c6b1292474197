#include "korvel/met/optimization_overlay.h"

#include "tests/support/korvel_test.h"

#include <cmath>

namespace {

constexpr double kMetres = 1e-3; // single precision over tens of metres
const double kPi = 4.0 * std::atan(1.0);

using OptimizationOverlay = KorvelTest;

GridOffset offsetFor(float distance, int wind, const std::vector<GridSegment>& lines, float halfSwath = 0.0f)
{
    return overlayOffset(distance, wind, referenceBearing(lines), halfSwath);
}

const std::vector<GridSegment> kEastward { { 500000, 4800000, 501000, 4800000 } };
const std::vector<GridSegment> kWestward { { 501000, 4800000, 500000, 4800000 } };
const std::vector<GridSegment> kNorthward { { 500000, 4800000, 500000, 4801000 } };
const std::vector<GridSegment> kSouthward { { 500000, 4801000, 500000, 4800000 } };

TEST_F(OptimizationOverlay, WindMovesTheLinesTowardsItsBearing)
{
    struct Case
    {
        int wind;
        double dx;
        double dy;
    } cases[] = { { 0, 0, 10 }, { 90, 10, 0 }, { 180, 0, -10 }, { 270, -10, 0 }, { 360, 0, 10 },
        { 45, 10 / std::sqrt(2.0), 10 / std::sqrt(2.0) } };
    // Whatever the lines' direction: the wind part does not turn with them.
    for (const auto* lines : { &kEastward, &kNorthward, &kWestward }) {
        for (const Case& c : cases) {
            const GridOffset offset = offsetFor(10.0f, c.wind, *lines);
            EXPECT_NEAR(offset.dx, c.dx, kMetres) << c.wind;
            EXPECT_NEAR(offset.dy, c.dy, kMetres) << c.wind;
        }
    }
}

TEST_F(OptimizationOverlay, HalfSwathGoesLeftOfTheReferenceDirection)
{
    struct Case
    {
        const char* name;
        const std::vector<GridSegment>* lines;
        double dx;
        double dy;
    } cases[] = {
        { "east: north of it", &kEastward, 0, 15 },
        { "west: south of it", &kWestward, 0, -15 },
        // Exactly north or south has no turn: west in both cases.
        { "north", &kNorthward, -15, 0 },
        { "south", &kSouthward, -15, 0 },
    };
    for (const Case& c : cases) {
        const GridOffset offset = offsetFor(0.0f, 123, *c.lines, 15.0f);
        EXPECT_NEAR(offset.dx, c.dx, kMetres) << c.name;
        EXPECT_NEAR(offset.dy, c.dy, kMetres) << c.name;
    }
}

TEST_F(OptimizationOverlay, ObliqueLineAddsBothParts)
{
    // Lines running north-east (bearing 45 degrees); left of them is north-west.
    const std::vector<GridSegment> lines { { 0, 0, 300, 300 } };
    EXPECT_NEAR(referenceBearing(lines), kPi / 4, 1e-6);
    const GridOffset offset = offsetFor(10.0f, 90, lines, 15.0f);
    const double h = 15.0 / std::sqrt(2.0);
    EXPECT_NEAR(offset.dx, 10.0 - h, kMetres);
    EXPECT_NEAR(offset.dy, h, kMetres);
}

TEST_F(OptimizationOverlay, FirstOfTheLongestLinesGivesTheDirection)
{
    struct Case
    {
        const char* name;
        std::vector<GridSegment> lines;
        double bearing;
    } cases[] = {
        { "equal lengths: the first", { { 0, 0, 100, 0 }, { 0, 0, 0, 100 } }, kPi / 2 },
        { "a longer later one", { { 0, 0, 100, 0 }, { 0, 0, 0, 200 } }, 0.0 },
        // 9.43 m is kept as 9, which the shorter 9.06 m line exceeds.
        { "longer than the kept whole metres", { { 0, 0, 5, 8 }, { 0, 0, 9, 1 } }, kPi / 2 - std::atan(1.0 / 9.0) },
        { "west-south-west", { { 0, 0, -200, -100 } }, 3 * kPi / 2 - std::atan(0.5) },
        // Whole metres in 64 bits: 40 km lines keep their direction.
        { "longer than 32767 m", { { 0, 0, 40000, 40000 } }, kPi / 4 },
        { "no line longer than 0: no turn", { { 5, 5, 5.4, 5.3 } }, 0.0 },
        { "no lines", {}, 0.0 },
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(referenceBearing(c.lines), c.bearing, 1e-6) << c.name;
    }
}

TEST_F(OptimizationOverlay, DistanceIsQuadraticInTheSpeedsMagnitude)
{
    const OptCoefficients c { 1.0f, 2.0f, 0.5f };
    EXPECT_FLOAT_EQ(optimizationDistance(c, 0.0f), 1.0f) << "c0 even in calm air";
    EXPECT_FLOAT_EQ(optimizationDistance(c, 3.0f), 1.0f + 6.0f + 4.5f);
    EXPECT_FLOAT_EQ(optimizationDistance(c, -3.0f), optimizationDistance(c, 3.0f));
    const OptCoefficients none { 0.0f, 0.0f, 0.0f };
    const GridOffset offset = offsetFor(optimizationDistance(none, 12.0f), 270, kEastward);
    EXPECT_EQ(offset.dx, 0.0f);
    EXPECT_EQ(offset.dy, 0.0f) << "no module distance and no offset leave the line in place";
}

} // namespace

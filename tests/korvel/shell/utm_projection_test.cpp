#include "korvel/shell/utm_projection.h"
#include "tests/korvel/shell/utm_reference.h"
#include "tests/support/korvel_test.h"

#include <cmath>
#include <iostream>

namespace {

constexpr double Millimetre = 0.001;
constexpr double RoundTripDegrees = 1e-8;

// Difference of two longitudes across the antimeridian, in degrees.
double longitudeDifference(double a, double b)
{
    return std::abs(std::remainder(a - b, 360.0));
}

class UtmProjectionTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        m_points = loadUtmReference(programDir() + "ellipsoid.dat");
        ASSERT_GE(m_points.size(), 200u);
    }

    std::vector<UtmReferencePoint> m_points;
};

TEST_F(UtmProjectionTest, ForwardAgreesWithProjToAMillimetreAcrossTheZone)
{
    double worst = 0.0;
    double worstAtEdge = 0.0;
    for (const UtmReferencePoint& p : m_points) {
        const ProjectedMetres grid
            = UtmProjection(p.zone, p.axis, p.inverseFlattening).toUtm({ p.latitude, p.longitude });
        const double error = std::hypot(grid.easting - p.easting, grid.northing - p.northing);
        EXPECT_LE(error, Millimetre) << p.ellipsoid.toStdString() << " zone " << p.zone << " at "
                                     << p.latitude << ", " << p.longitude;
        EXPECT_EQ(grid.north, p.latitude >= 0.0);
        EXPECT_EQ(grid.zone, p.zone);
        worst = std::max(worst, error);
        if (std::abs(std::abs(p.offset()) - 3.0) < 1e-9) {
            worstAtEdge = std::max(worstAtEdge, error);
        }
    }
    std::cout << "[ forward  ] worst difference to PROJ " << worst * 1000.0 << " mm, at the zone edges "
              << worstAtEdge * 1000.0 << " mm" << std::endl;
}

TEST_F(UtmProjectionTest, InverseOfProjGridComesBackWithin1e8Degrees)
{
    double worst = 0.0;
    for (const UtmReferencePoint& p : m_points) {
        const GeographicDeg point = UtmProjection(p.zone, p.axis, p.inverseFlattening)
                                        .toGeographic(p.easting, p.northing, p.latitude >= 0.0);
        const double error = std::max(
            std::abs(point.latitude - p.latitude), longitudeDifference(point.longitude, p.longitude));
        EXPECT_LE(error, RoundTripDegrees)
            << p.ellipsoid.toStdString() << " zone " << p.zone << " at " << p.latitude << ", " << p.longitude;
        EXPECT_GT(point.longitude, -180.0);
        EXPECT_LE(point.longitude, 180.0);
        worst = std::max(worst, error);
    }
    std::cout << "[ inverse  ] worst difference to PROJ " << worst << " degrees" << std::endl;
}

TEST_F(UtmProjectionTest, RoundTripsComeBackWithin1e8Degrees)
{
    for (const UtmReferencePoint& p : m_points) {
        const UtmProjection projection(p.zone, p.axis, p.inverseFlattening);
        const ProjectedMetres grid = projection.toUtm({ p.latitude, p.longitude });
        const GeographicDeg back = projection.toGeographic(grid.easting, grid.northing, grid.north);
        EXPECT_NEAR(back.latitude, p.latitude, RoundTripDegrees);
        EXPECT_LE(longitudeDifference(back.longitude, p.longitude), RoundTripDegrees) << p.longitude;
    }
}

TEST_F(UtmProjectionTest, SignedNorthingStaysOnOneScaleAcrossTheEquator)
{
    const UtmProjection projection(31, 6378137.0, 298.257223563);
    double e1 = 0.0, nNorth = 0.0, e2 = 0.0, nSouth = 0.0;
    projection.forward(0.001, 3.0, e1, nNorth);
    projection.forward(-0.001, 3.0, e2, nSouth);
    EXPECT_NEAR(nNorth, 110.53, 0.01); // 0.001 degrees of meridian at the equator, times k0
    EXPECT_NEAR(nSouth, -nNorth, 1e-9);
    EXPECT_DOUBLE_EQ(e1, 500000.0);

    double lat = 0.0, lon = 0.0;
    projection.inverse(500000.0, nSouth, lat, lon);
    EXPECT_NEAR(lat, -0.001, 1e-12);
}

TEST_F(UtmProjectionTest, TypedFunctionsCarryZoneAndHemisphere)
{
    const EllipsoidRecord wgs84 { QStringLiteral("WGS84"), 6378137.0, 298.257223563 };
    const ProjectedMetres sydney = toUtm({ -33.9, 151.2 }, 56, wgs84);
    EXPECT_EQ(sydney.zone, 56);
    EXPECT_FALSE(sydney.north);
    EXPECT_NEAR(sydney.easting, 333568.9410, Millimetre);
    EXPECT_NEAR(sydney.northing, 6247473.3368, Millimetre);

    const GeographicDeg back = toGeographic(sydney, wgs84);
    EXPECT_NEAR(back.latitude, -33.9, RoundTripDegrees);
    EXPECT_NEAR(back.longitude, 151.2, RoundTripDegrees);
}

TEST_F(UtmProjectionTest, PointsAcrossTheAntimeridianProjectBesideTheirZone)
{
    const UtmProjection zone60(60, 6378137.0, 298.257223563);
    // 179.5 W lies 3.5 degrees east of zone 60's central meridian (177 E).
    const ProjectedMetres west = zone60.toUtm({ 10.0, -179.5 });
    const ProjectedMetres east = zone60.toUtm({ 10.0, 180.5 });
    EXPECT_GT(west.easting, 500000.0 + 3.4 * 109000.0);
    EXPECT_NEAR(west.easting, east.easting, 1e-6);
    EXPECT_NEAR(west.northing, east.northing, 1e-6);

    const GeographicDeg back = zone60.toGeographic(west.easting, west.northing, true);
    EXPECT_NEAR(back.longitude, -179.5, RoundTripDegrees);

    // The zone 1 side of the antimeridian comes back as 180, never -180.
    const UtmProjection zone1(1, 6378137.0, 298.257223563);
    const ProjectedMetres edge = zone1.toUtm({ 0.0, 180.0 });
    const GeographicDeg edgeBack = zone1.toGeographic(edge.easting, edge.northing, true);
    EXPECT_GT(edgeBack.longitude, -180.0);
    EXPECT_LE(edgeBack.longitude, 180.0);
    EXPECT_LE(longitudeDifference(edgeBack.longitude, 180.0), RoundTripDegrees);
}

// Zone 17 (81 W) holds within 12 degrees of its meridian; a grid point is
// checked in the hemisphere the map reads it in.
TEST_F(UtmProjectionTest, TheProjectionReachesTwelveDegreesFromItsMeridian)
{
    const UtmProjection zone17(17, 6378137.0, 298.257223563);
    const struct
    {
        const char* name;
        double latitude;
        double longitude;
        bool reaches;
    } points[] = {
        { "on the meridian at the equator", 0.0, -81.0, true },
        { "11.99 degrees east at 60 N", 60.0, -69.01, true },
        { "12.01 degrees west at 60 S", -60.0, -93.01, false },
        { "the meridian taken modulo 360", 10.0, 279.0, true },
        { "33 E, as a first layer keeps zone 17", 1.0, 33.0, false },
        { "the pole", 90.0, -81.0, false },
        { "no number", std::nan(""), -81.0, false },
    };
    for (const auto& p : points) {
        EXPECT_EQ(zone17.reaches(p.latitude, p.longitude), p.reaches) << p.name;
    }
    // Every point at the limit, in either hemisphere's grid, comes back in
    // reach: none is stranded in metres.
    for (double latitude = -89.5; latitude < 90.0; latitude += 0.5) {
        const bool north = latitude > 30.0; // across the equator too
        const ProjectedMetres east = zone17.toUtm({ latitude, -81.0 + UtmReachDeg }, north);
        EXPECT_TRUE(zone17.reachesGrid(east.easting, east.northing, north)) << latitude;
        // 3 % beyond the limit is refused where UTM is used (80 S to 84 N).
        const ProjectedMetres beyond = zone17.toUtm({ latitude, -81.0 - 1.03 * UtmReachDeg }, true);
        if (std::abs(latitude) <= 84.0) {
            EXPECT_FALSE(zone17.reachesGrid(beyond.easting, beyond.northing, true)) << latitude;
        }
    }
    EXPECT_FALSE(zone17.reachesGrid(39600000.0, 4000000.0, true)) << "a layer at 33 E in zone 17";
    EXPECT_FALSE(zone17.reachesGrid(500000.0, 10002000.0, true)) << "beyond the pole";
    EXPECT_FALSE(zone17.reachesGrid(500000.0, std::nan(""), true));
    // Beyond reach, the nearest point of 250 E (110 W) lies west of 81 W, as reaches() wraps it;
    // a view keeps the part in reach, west of east, also across 180 degrees.
    EXPECT_EQ(zone17.nearestReached({ 10.0, 250.0 }).longitude, -93.0);
    const UtmProjection zone1(1, 6378137.0, 298.257223563);
    EXPECT_EQ(zone1.reachedEdges(160.0, 185.0), std::make_pair(171.0, 185.0)) << "160 E to 185 E";
}

} // namespace

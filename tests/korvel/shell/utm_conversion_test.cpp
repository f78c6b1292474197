#include "korvel/shell/utm_conversion.h"

#include "korvel/workspace/map_state.h"
#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"
#include "tests/support/recording_status_progress.h"

#include <cmath>

namespace {

constexpr double Centimetre = 0.01;
constexpr double Degrees = 1e-8;

class UtmConversionTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        m_r.SemiMajorAxis = 6378137.0;
        m_r.InverseFlattening = 298.257223563;
    }

    void forward(double zone, double latitude, double longitude)
    {
        m_r.UTMZone = zone;
        m_r.Latitude = latitude;
        m_r.Longitude = longitude;
        LatLongToUTM();
    }

    void inverse(double zone, double easting, double northing, bool north)
    {
        mapState().NorthZone = north;
        m_r.UTMZone = zone;
        m_r.Easting = easting;
        m_r.Northing = northing;
        UTMToLatLong();
    }

    UtmRegisters& m_r = utmRegisters();
};

TEST_F(UtmConversionTest, WorkedExampleInTheNorthernHemisphere)
{
    forward(18, 45.5, -75.7);
    EXPECT_NEAR(m_r.Easting, 445311.26, Centimetre);
    EXPECT_NEAR(m_r.Northing, 5038734.79, Centimetre);

    inverse(18, m_r.Easting, m_r.Northing, true);
    EXPECT_NEAR(m_r.Latitude, 45.5, Degrees);
    EXPECT_NEAR(m_r.Longitude, -75.7, Degrees);
}

TEST_F(UtmConversionTest, SouthernNorthingKeepsTheFalseNorthingAndEastLongitudesStayEast)
{
    forward(56, -33.9, 151.2);
    EXPECT_NEAR(m_r.Easting, 333568.94, Centimetre);
    EXPECT_NEAR(m_r.Northing, 6247473.34, Centimetre);

    // Once came back as 151.2 - 360 = -208.8.
    inverse(56, m_r.Easting, m_r.Northing, false);
    EXPECT_NEAR(m_r.Latitude, -33.9, Degrees);
    EXPECT_NEAR(m_r.Longitude, 151.2, Degrees);
}

TEST_F(UtmConversionTest, LongitudesBeyondTheRangeAreTakenModulo360)
{
    forward(56, -33.9, 151.2);
    const double easting = m_r.Easting;
    const double northing = m_r.Northing;
    forward(56, -33.9, -208.8);
    EXPECT_NEAR(m_r.Easting, easting, 1e-6);
    EXPECT_NEAR(m_r.Northing, northing, 1e-6);

    forward(57, 10.0, 160.0);
    const double at160 = m_r.Easting;
    forward(57, 10.0, -200.0);
    EXPECT_NEAR(m_r.Easting, at160, 1e-6);
}

TEST_F(UtmConversionTest, EquatorConvertsBothWaysInBothHemispheres)
{
    forward(31, 0.0, 3.0);
    EXPECT_EQ(m_r.Easting, 500000.0);
    EXPECT_EQ(m_r.Northing, 0.0);

    // A northern northing of exactly 0 is the equator, not the south pole.
    inverse(31, 500000.0, 0.0, true);
    EXPECT_NEAR(m_r.Latitude, 0.0, 1e-12);
    EXPECT_NEAR(m_r.Longitude, 3.0, 1e-12);

    inverse(31, 500000.0, 10000000.0, false);
    EXPECT_NEAR(m_r.Latitude, 0.0, 1e-12);

    // 10 000 km south of the equator in the southern hemisphere: near the pole.
    inverse(31, 500000.0, 0.0, false);
    EXPECT_LT(m_r.Latitude, -89.0);

    // Just south of the equator read in the northern hemisphere stays just south.
    inverse(31, 600000.0, -1000.0, true);
    EXPECT_NEAR(m_r.Latitude, -0.00905, 0.00001);
}

TEST_F(UtmConversionTest, CentralMeridianGivesTheFalseEasting)
{
    forward(17, 44.0, -81.0);
    EXPECT_EQ(m_r.Easting, 500000.0);
    forward(17, 44.0, -81.5);
    EXPECT_LT(m_r.Easting, 500000.0);
    forward(17, 44.0, -80.5);
    EXPECT_GT(m_r.Easting, 500000.0);
}

TEST_F(UtmConversionTest, ZoneEdgesRoundTrip)
{
    struct Edge
    {
        const char* name;
        double zone;
        double latitude;
        double longitude;
        bool north;
    };
    const Edge edges[] = {
        { "zone 1 west edge", 1, 50.0, -180.0, true },
        { "zone 1 east edge", 1, -50.0, -174.0, false },
        { "zone 60 east edge", 60, 20.0, 180.0, true },
        { "zone 31 at 84 N", 31, 84.0, 6.0, true },
        { "zone 31 at 80 S", 31, -80.0, 0.0, false },
    };
    for (const Edge& e : edges) {
        forward(e.zone, e.latitude, e.longitude);
        inverse(e.zone, m_r.Easting, m_r.Northing, e.north);
        EXPECT_NEAR(m_r.Latitude, e.latitude, Degrees) << e.name;
        EXPECT_NEAR(std::remainder(m_r.Longitude - e.longitude, 360.0), 0.0, Degrees) << e.name;
        EXPECT_GT(m_r.Longitude, -180.0) << e.name;
        EXPECT_LE(m_r.Longitude, 180.0) << e.name;
    }
}

TEST_F(UtmConversionTest, RegistersKeepTheirValuesBetweenCalls)
{
    m_r.UTMZone = 18;
    m_r.Latitude = 45.5;
    m_r.Longitude = -75.7;
    LatLongToUTM();
    const double first = m_r.Easting;
    LatLongToUTM();
    EXPECT_EQ(m_r.Easting, first);
    EXPECT_EQ(m_r.UTMZone, 18.0);
    EXPECT_EQ(m_r.Latitude, 45.5);

    // A new ellipsoid or zone takes effect at the next call.
    m_r.SemiMajorAxis = 6378206.4;
    m_r.InverseFlattening = 294.9786982;
    LatLongToUTM();
    EXPECT_GT(std::abs(m_r.Easting - first), 1.0);
    m_r.UTMZone = 17;
    LatLongToUTM();
    EXPECT_GT(m_r.Easting, 900000.0);
    m_r.UTMZone = 18;
    m_r.SemiMajorAxis = 6378137.0;
    m_r.InverseFlattening = 298.257223563;
    LatLongToUTM();
    EXPECT_EQ(m_r.Easting, first);
}

ShapeRecord threePoints(double x0, double y0)
{
    ShapeRecord shape;
    shape.resize(3);
    shape.X = { -999.0, x0, x0 + 0.5, x0 + 1.0 };
    shape.Y = { -999.0, y0, y0 + 0.5, y0 };
    return shape;
}

TEST_F(UtmConversionTest, ConvertPointArraysToGridMovesProgressToTheLastPoint)
{
    RecordingStatusProgress progress;
    ShapeRecord shape = threePoints(-75.7, 45.5);
    ConvertPointArrays(shape, 18, 2, 6378137.0, 298.257223563);

    EXPECT_EQ(shape.X[0], -999.0); // element 0 is never converted
    EXPECT_EQ(shape.Y[0], -999.0);
    EXPECT_NEAR(shape.X[1], 445311.26, Centimetre);
    EXPECT_NEAR(shape.Y[1], 5038734.79, Centimetre);
    EXPECT_EQ(progress.values, (std::vector<int> { 1, 2, 3 }));
    EXPECT_EQ(m_r.UTMZone, 18.0);
    EXPECT_EQ(m_r.SemiMajorAxis, 6378137.0);

    // Direction 1 and any value other than 1 or 2.
    progress.values.clear();
    ConvertPointArrays(shape, 18, 1, 6378137.0, 298.257223563);
    EXPECT_TRUE(progress.values.empty());
    EXPECT_EQ(shape.X[0], -999.0);
    EXPECT_NEAR(shape.X[1], -75.7, Degrees);
    EXPECT_NEAR(shape.Y[2], 46.0, Degrees);

    ConvertPointArrays(shape, 18, 7, 6378137.0, 298.257223563);
    EXPECT_NEAR(shape.X[1], 445311.26, Centimetre);
}

// A set takes the map's hemisphere both ways: a block across the equator
// keeps its shape and comes back, whichever side its points lie.
TEST_F(UtmConversionTest, ConvertPointArraysKeepsTheMapsHemisphereBothWays)
{
    const struct
    {
        const char* name;
        bool north;
        int zone;
        double longitude;
        double latitude;
        double northing; // of the first point
    } rows[] = {
        { "just south of the equator, northern map", true, 31, 3.0, -0.004, -442.1202 },
        { "just north of the equator, southern map", false, 31, 3.0, 0.004, 10000442.1202 },
        { "just south of the equator, southern map", false, 31, 3.0, -0.004, 9999557.8798 },
        { "Sydney, northern map", true, 56, 151.2, -33.9, -3752526.6632 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        mapState().NorthZone = row.north;
        ShapeRecord shape = threePoints(row.longitude, row.latitude);
        ConvertPointArrays(shape, row.zone, 2, 6378137.0, 298.257223563);
        EXPECT_NEAR(shape.Y[1], row.northing, 0.001);
        EXPECT_NEAR(shape.Y[2] - shape.Y[1], 55700.0, 600.0) << "half a degree north, whatever the side";
        ConvertPointArrays(shape, row.zone, 1, 6378137.0, 298.257223563);
        EXPECT_NEAR(shape.Y[1], row.latitude, Degrees);
        EXPECT_NEAR(shape.X[3], row.longitude + 1.0, Degrees);
    }
}

TEST_F(UtmConversionTest, ConvertPointArraysRefusesPointsBeyondTheZonesReachAndLeavesThemAsTheyWere)
{
    for (const auto& [direction, shape] :
        { std::pair { 2, threePoints(-57.0, 45.5) }, std::pair { 1, threePoints(2500000.0, 5000000.0) } }) {
        ShapeRecord converted = shape;
        EXPECT_THROW(ConvertPointArrays(converted, 18, direction, 6378137.0, 298.257223563), VbError);
        EXPECT_EQ(converted.X, shape.X) << direction;
        EXPECT_EQ(converted.Y, shape.Y) << direction;
    }
}

TEST_F(UtmConversionTest, ConvertPointArraysStopsAtTheShorterList)
{
    ShapeRecord shape;
    shape.X = { 0.0, -75.7, -75.6 };
    shape.Y = { 0.0, 45.5 };
    ConvertPointArrays(shape, 18, 2, 6378137.0, 298.257223563);
    EXPECT_NEAR(shape.X[1], 445311.26, Centimetre);
    EXPECT_EQ(shape.X[2], -75.6);

    ShapeRecord empty;
    ConvertPointArrays(empty, 18, 2, 6378137.0, 298.257223563);
    EXPECT_TRUE(empty.X.empty());
}

} // namespace

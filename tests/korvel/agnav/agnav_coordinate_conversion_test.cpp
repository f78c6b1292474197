#include "korvel/agnav/agnav_coordinate_conversion.h"

#include "korvel/shell/utm_conversion.h"
#include "korvel/shell/utm_projection.h"
#include "platform/vb_error.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"
#include "tests/support/recording_status_progress.h"

namespace {

constexpr double Millimetre = 0.001;

class AgnavCoordinateConversionTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().Ellipsoid = Wgs84;
        m_b = appendBlock();
        AGNAVBlock& block = blockAt(m_b);
        block = utmBlock(workDir() + QStringLiteral("FIELD17.no1"));

        GuidancePolyline line;
        line.PointCount = 2;
        line.X = { 0, 500610, 501390 };
        line.Y = { 0, 4800715, 4800715 };
        block.Guidance.Lines.push_back(line);
        block.Guidance.LineCount = 1;
        block.GuidanceLoaded = true;

        ShapeRecord zone;
        zone.X = { 0, 500700, 500700, 500800 };
        zone.Y = { 0, 4800800, 4800900, 4800900 };
        block.ExclusionZones.push_back(zone);
        block.ExclusionAreas.push_back(5000.0);
        block.ExclusionZoneCount = 1;

        FlightFile flight;
        flight.SampleCount = 25;
        flight.Position.resize(26);
        for (int i = 1; i <= 25; ++i) {
            flight.Position[static_cast<std::size_t>(i)] = { 500600.0 + 31.25 * i, 4800700.0 + 17.5 * i };
        }
        appendFlight(m_b, flight);
        m_original = block;
    }

    AGNAVBlock& block() { return blockAt(m_b); }

    int m_b = 0;
    AGNAVBlock m_original;
};

TEST_F(AgnavCoordinateConversionTest, EveryPartOfABlockGoesToDegreesAndBackWithinAMillimetre)
{
    ConvertBlockCoords(m_b, 1);
    const GeographicDeg corner = toGeographic({ 500600.0, 4800700.0, 17, true }, Wgs84);
    EXPECT_NEAR(block().Boundary.X[1], corner.longitude, 1e-9);
    EXPECT_NEAR(block().Boundary.Y[1], corner.latitude, 1e-9);
    EXPECT_LT(block().Guidance.Lines[1].X[1], -80.0);
    EXPECT_LT(block().ExclusionZones[1].X[1], -80.0);
    EXPECT_LT(block().Flights[1].Position[25].X, -80.0);

    ConvertBlockCoords(m_b, 2);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_NEAR(block().Boundary.X[i], m_original.Boundary.X[i], Millimetre);
        EXPECT_NEAR(block().Boundary.Y[i], m_original.Boundary.Y[i], Millimetre);
        EXPECT_NEAR(block().ExclusionZones[1].X[i], m_original.ExclusionZones[1].X[i], Millimetre);
        EXPECT_NEAR(block().ExclusionZones[1].Y[i], m_original.ExclusionZones[1].Y[i], Millimetre);
    }
    for (int p = 1; p <= 2; ++p) {
        EXPECT_NEAR(block().Guidance.Lines[1].X[p], m_original.Guidance.Lines[1].X[p], Millimetre);
        EXPECT_NEAR(block().Guidance.Lines[1].Y[p], m_original.Guidance.Lines[1].Y[p], Millimetre);
    }
    for (int s = 1; s <= 25; ++s) {
        EXPECT_NEAR(block().Flights[1].Position[s].X, m_original.Flights[1].Position[s].X, Millimetre);
        EXPECT_NEAR(block().Flights[1].Position[s].Y, m_original.Flights[1].Position[s].Y, Millimetre);
    }
    // Areas are square metres in either system; the file system stays.
    EXPECT_EQ(block().ExclusionAreas[1], 5000.0);
    EXPECT_EQ(block().CoordType, "UTM");
}

TEST_F(AgnavCoordinateConversionTest, GuidanceNotLoadedIsLeftAlone)
{
    block().GuidanceLoaded = false;
    ConvertBlockCoords(m_b, 1);
    EXPECT_EQ(block().Guidance.Lines[1].X[1], 500610.0);
}

TEST_F(AgnavCoordinateConversionTest, BoundaryExtentEnclosesExactlyTheConvertedPoints)
{
    ConvertBoundaryCoords(m_b, 17, 1, Wgs84.Axis, Wgs84.InverseFlattening);
    const ShapeRecord& b = block().Boundary;
    EXPECT_EQ(b.XMin, std::min({ b.X[1], b.X[2], b.X[3] }));
    EXPECT_EQ(b.XMax, std::max({ b.X[1], b.X[2], b.X[3] }));
    EXPECT_EQ(b.YMin, std::min({ b.Y[1], b.Y[2], b.Y[3] }));
    EXPECT_EQ(b.YMax, std::max({ b.Y[1], b.Y[2], b.Y[3] }));
}

TEST_F(AgnavCoordinateConversionTest, AnyModeOtherThanOneGoesToUtm)
{
    ConvertBoundaryCoords(m_b, 17, 1, Wgs84.Axis, Wgs84.InverseFlattening);
    AGNAVBlock geographic = block();
    ConvertBoundaryCoords(m_b, 17, 3, Wgs84.Axis, Wgs84.InverseFlattening);
    convertBoundary(geographic, 17, 2, Wgs84.Axis, Wgs84.InverseFlattening);
    EXPECT_EQ(block().Boundary.X, geographic.Boundary.X);
    EXPECT_EQ(block().Boundary.Y, geographic.Boundary.Y);
}

TEST_F(AgnavCoordinateConversionTest, ZoneAndEllipsoidStayInTheRegisters)
{
    ConvertExclusionCoords(m_b, 18, 1, Clarke1866.Axis, Clarke1866.InverseFlattening);
    EXPECT_EQ(utmRegisters().UTMZone, 18.0);
    EXPECT_EQ(utmRegisters().SemiMajorAxis, Clarke1866.Axis);
    EXPECT_EQ(utmRegisters().InverseFlattening, Clarke1866.InverseFlattening);
}

TEST_F(AgnavCoordinateConversionTest, FlightProgressMovesEveryTenthSample)
{
    RecordingStatusProgress progress;
    progress.setStatusText(QStringLiteral("Something else"));
    ConvertFlightCoords(m_b, 1, 17, 1, Wgs84.Axis, Wgs84.InverseFlattening);
    EXPECT_EQ(progress.maximum, 25);
    EXPECT_EQ(progress.values, (std::vector<int> { 10, 20 }));
    EXPECT_FALSE(progress.visible);
    EXPECT_EQ(progress.texts.mid(1), (QStringList { "Converting Coordinates", "" }));
}

TEST_F(AgnavCoordinateConversionTest, BoundaryProgressMovesPerVertex)
{
    RecordingStatusProgress progress;
    ConvertBoundaryCoords(m_b, 17, 1, Wgs84.Axis, Wgs84.InverseFlattening);
    EXPECT_EQ(progress.maximum, 3);
    EXPECT_EQ(progress.values, (std::vector<int> { 1, 2, 3 }));
    EXPECT_TRUE(progress.statusText.isEmpty());
}

TEST_F(AgnavCoordinateConversionTest, EmptyPartsArePassedOver)
{
    RecordingStatusProgress progress;
    AGNAVBlock& b = block();
    b.VertexCount = 0;
    b.Boundary = ShapeRecord();
    b.Boundary.XMin = 7.0;
    b.Guidance = GuidanceSet();
    b.Guidance.LineCount = 3; // a count the lists do not hold is never followed
    b.ExclusionZones.assign(1, ShapeRecord());
    b.ExclusionZoneCount = 2;
    ConvertBlockCoords(m_b, 1);
    EXPECT_EQ(b.Boundary.XMin, 7.0);
    EXPECT_EQ(progress.shows, 1); // only the flight showed progress
    ConvertFlightCoords(m_b, 5, 17, 1, Wgs84.Axis, Wgs84.InverseFlattening); // no such flight
    EXPECT_EQ(progress.shows, 1);
}

} // namespace

TEST_F(AgnavCoordinateConversionTest, WithoutAnEllipsoidTheBlockIsRefusedWhole)
{
    for (const double axis : { 0.0, -1.0, std::nan("") }) {
        globals().Ellipsoid = { QStringLiteral("Lost"), axis, 298.257223563 };
        EXPECT_THROW(ConvertBlockCoords(m_b, 1), VbError) << axis;
        EXPECT_EQ(block().Boundary.X, m_original.Boundary.X);
        EXPECT_EQ(block().Guidance.Lines[1].X, m_original.Guidance.Lines[1].X);
        EXPECT_EQ(block().Flights[1].Position[3].X, m_original.Flights[1].Position[3].X);
    }
}

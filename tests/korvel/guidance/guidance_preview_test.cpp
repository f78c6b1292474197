#include "korvel/guidance/guidance_preview.h"

#include "korvel/shell/utm_projection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const EllipsoidRecord Wgs84 { QStringLiteral("WGS-84"), 6378137.0, 298.257223563 };

ShapeRecord square(double east, double north, double size)
{
    ShapeRecord r;
    r.X = { 0, east, east, east + size, east + size };
    r.Y = { 0, north, north + size, north + size, north };
    return r;
}

GuidancePanelValues heading(const char* degrees, const char* swath, bool half = false)
{
    return { true, QString::fromLatin1(degrees), QString::fromLatin1(swath), half };
}

GuidancePanelValues edge(const char* number, const char* swath, bool half = true)
{
    return { false, QString::fromLatin1(number), QString::fromLatin1(swath), half };
}

GuidanceMapFrame utmMap()
{
    return GuidanceMapFrame();
}

// A geographic map in zone 17 whose view's right edge is at `right` degrees.
GuidanceMapFrame geographicMap(double right = -81.0, double top = 44.0, double bottom = 43.0)
{
    GuidanceMapFrame frame;
    frame.utm = false;
    frame.zone = 17;
    frame.ellipsoid = Wgs84;
    frame.viewRight = right;
    frame.viewTop = top;
    frame.viewBottom = bottom;
    return frame;
}

// The boundary of a UTM square in degrees, zone 17, as a geographic map holds it.
ShapeRecord inDegrees(const ShapeRecord& utm, bool north = true)
{
    const UtmProjection projection(17, Wgs84.Axis, Wgs84.InverseFlattening);
    ShapeRecord geo = utm;
    for (std::size_t i = 1; i < utm.X.size(); ++i) {
        const GeographicDeg point = projection.toGeographic(utm.X[i], utm.Y[i], north);
        geo.X[i] = point.longitude;
        geo.Y[i] = point.latitude;
    }
    return geo;
}

TEST(GuidancePreview, PanelTextsBecomeTheLines)
{
    const ShapeRecord block = square(500000, 4800000, 100);
    const struct
    {
        const char* name;
        GuidancePanelValues panel;
        bool metric;
        std::size_t lines;
        double firstEast;
    } rows[] = {
        { "heading 0, 30 m, no offset", heading("0", "30"), true, 4, 500000.1 },
        { "heading 0, 30 m, half a swath", heading("0", "30", true), true, 3, 500015 },
        { "100 ft is 30.4804 m", heading("0", "100", true), false, 3, 500015.2402 },
        { "edge 2 runs east: lines from north to south", edge("2", "30", false), true, 4, 500000 },
        { "edge 4.5 is edge 4 (half to even)", edge("4.5", "50"), true, 2, 500100 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const GuidanceLayout layout = computeGuidancePreview(block, 4, row.panel, row.metric, utmMap());
        ASSERT_EQ(layout.lines.size(), row.lines);
        EXPECT_NEAR(layout.lines[0].x1, row.firstEast, 1e-3);
    }
}

TEST(GuidancePreview, TextsThatNameNoDirectionOrSwathLayNothing)
{
    const ShapeRecord block = square(500000, 4800000, 100);
    const struct
    {
        const char* name;
        GuidancePanelValues panel;
        GuidanceRefusal refusal;
    } rows[] = {
        { "edge 0 (a refused entry)", edge("0", "30"), GuidanceRefusal::NoDirection },
        { "edge 5 of 4", edge("5", "30"), GuidanceRefusal::NoDirection },
        { "a heading being typed", heading("-", "30"), GuidanceRefusal::NoDirection },
        { "a swath being typed", heading("0", ""), GuidanceRefusal::NoSwath },
        { "a swath of 0", heading("0", "0"), GuidanceRefusal::NoSwath },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const GuidanceLayout layout = computeGuidancePreview(block, 4, row.panel, true, utmMap());
        EXPECT_TRUE(layout.lines.empty());
        EXPECT_EQ(layout.refusal, row.refusal);
    }
}

TEST(GuidancePreview, AGeographicMapLaysTheLinesInUtmAndGivesThemBackInDegrees)
{
    const ShapeRecord utm = square(500000, 4800000, 1000);
    // The block lies on the central meridian, where grid north is true
    // north: a view edge there adds no bearing.
    const GuidanceMapFrame frame = geographicMap(-81.0);
    for (const GuidancePanelValues& panel : { heading("0", "100", true), edge("2", "100", true) }) {
        const GuidanceLayout inUtm = computeGuidancePreview(utm, 4, panel, true, utmMap());
        const GuidanceLayout inGeo = computeGuidancePreview(inDegrees(utm), 4, panel, true, frame);
        ASSERT_EQ(inGeo.lines.size(), inUtm.lines.size());
        const UtmProjection projection(17, Wgs84.Axis, Wgs84.InverseFlattening);
        for (std::size_t i = 0; i < inUtm.lines.size(); ++i) {
            const ProjectedMetres p1 = projection.toUtm({ inGeo.lines[i].y1, inGeo.lines[i].x1 });
            EXPECT_NEAR(p1.easting, inUtm.lines[i].x1, 1e-3) << "line " << i + 1;
            EXPECT_NEAR(p1.northing, inUtm.lines[i].y1, 1e-3) << "line " << i + 1;
        }
    }
}

TEST(GuidancePreview, AHeadingOnAGeographicMapIsTrueNorthWhereTheUserLooks)
{
    // East of the central meridian the meridians lean west of grid north:
    // a true heading of 0 becomes that grid bearing, so each line follows a
    // meridian.
    const ShapeRecord utm = square(700000, 4800000, 1000);
    const ShapeRecord geo = inDegrees(utm);
    const GuidanceMapFrame frame = geographicMap(geo.X[3]); // the view's edge over the block
    const GuidanceLayout layout = computeGuidancePreview(geo, 4, heading("0", "300", true), true, frame);
    ASSERT_FALSE(layout.lines.empty());
    for (const GuidanceSegment& line : layout.lines) {
        EXPECT_NEAR(line.x1, line.x2, 2e-5) << "each line follows a meridian";
        EXPECT_LT(line.y1, line.y2) << "flown north";
    }
}

TEST(GuidancePreview, ABlockSouthOfTheEquatorComesBackWhereItWas)
{
    const ShapeRecord utm = square(500000, 6300000, 1000); // about 33.4 degrees south
    const ShapeRecord geo = inDegrees(utm, false);
    const GuidanceLayout layout = computeGuidancePreview(geo, 4, heading("90", "250", true), true, geographicMap(-81.0, -33, -34));
    ASSERT_EQ(layout.lines.size(), 4u);
    for (const GuidanceSegment& line : layout.lines) {
        EXPECT_GT(line.y1, geo.Y[1]);
        EXPECT_LT(line.y1, geo.Y[2]);
        EXPECT_NEAR(line.x1, geo.X[1], 1e-6);
        EXPECT_NEAR(line.x2, geo.X[3], 1e-5);
    }
}

TEST(GuidancePreview, EdgeHeadingsAreGridBearingsOnEveryMap)
{
    const ShapeRecord utm = square(700000, 4800000, 1000);
    const ShapeRecord geo = inDegrees(utm);
    const struct
    {
        int edge;
        double degrees;
    } rows[] = { { 1, 0 }, { 2, 90 }, { 3, 180 }, { 4, 270 } };
    for (const auto& row : rows) {
        EXPECT_NEAR(*edgeHeadingDegrees(utm, 4, row.edge, utmMap()), row.degrees, 1e-9) << row.edge;
        // In degrees the same edge leans by the meridians' convergence; in
        // the grid it is the block's own edge again.
        EXPECT_NEAR(*edgeHeadingDegrees(geo, 4, row.edge, geographicMap()), row.degrees, 1e-6) << row.edge;
    }
    EXPECT_FALSE(edgeHeadingDegrees(utm, 4, 5, utmMap()));
}

} // namespace

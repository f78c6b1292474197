// The geo-reference fit against an independent least-squares computation,
// its fixed roundings, the residual texts and the cases with no fit.
#include "korvel/georef/georef_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

ControlPoint point(double easting, double northing, int column, int row)
{
    ControlPoint p;
    p.Easting = float(easting);
    p.Northing = float(northing);
    p.PixelX = qint16(column);
    p.PixelY = qint16(row);
    return p;
}

// Ordinary least squares in long double with exact sums: what the fit
// approximates with its roundings.
struct Line
{
    long double intercept;
    long double slope;
};

Line referenceLine(const std::vector<ControlPoint>& points, bool easting)
{
    long double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const ControlPoint& p : points) {
        const long double x = easting ? p.PixelX : p.PixelY;
        const long double y = easting ? p.Easting : p.Northing;
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const long double n = points.size();
    const long double d = n * sxx - sx * sx;
    return { (sy * sxx - sx * sxy) / d, (n * sxy - sx * sy) / d };
}

struct FitCase
{
    const char* name;
    std::vector<ControlPoint> points;
    int pixelWidth;
    int pixelHeight;
};

class FitAgainstReference : public ::testing::TestWithParam<FitCase>
{
};

TEST_P(FitAgainstReference, MatchesOrdinaryLeastSquares)
{
    const FitCase& c = GetParam();
    const std::optional<GeoRefFit> fit = fitGeoReference(c.points, c.pixelWidth, c.pixelHeight);
    ASSERT_TRUE(fit);
    // The fixed roundings (a float Sxy term, Sy rounded at every point) move
    // the lines a little from the exact ones; over the image, at the points
    // and at its edges, they stay within a few metres.
    const Line x = referenceLine(c.points, true);
    const Line y = referenceLine(c.points, false);
    const auto expectNear = [&](const Line& exact, qint32 origin, float slope, int pixel, const char* axis) {
        const double fitted = origin + double(slope) * pixel;
        EXPECT_NEAR(fitted, double(exact.intercept + exact.slope * pixel), 3.0)
            << axis << " at pixel " << pixel;
    };
    for (int pixel : { 0, c.pixelWidth / 2, c.pixelWidth }) {
        expectNear(x, fit->OriginEasting, fit->SlopeX, pixel, "easting");
    }
    for (int pixel : { 0, c.pixelHeight / 2, c.pixelHeight }) {
        expectNear(y, fit->OriginNorthing, fit->SlopeY, pixel, "northing");
    }
    EXPECT_EQ(fit->GroundWidth, std::lrint(c.pixelWidth * double(fit->SlopeX)));
    EXPECT_EQ(fit->GroundHeight, std::lrint(c.pixelHeight * double(fit->SlopeY)));
    ASSERT_EQ(fit->ResidualEasting.size(), c.points.size());
    for (size_t i = 0; i < c.points.size(); ++i) {
        const ControlPoint& p = c.points[i];
        EXPECT_NEAR(
            fit->ResidualEasting[i], p.Easting - (double(fit->SlopeX) * p.PixelX + fit->OriginEasting), 0.01);
        EXPECT_NEAR(fit->ResidualNorthing[i],
            p.Northing - (double(fit->SlopeY) * p.PixelY + fit->OriginNorthing), 0.01);
    }
}

std::vector<ControlPoint> wideImagePoints()
{
    // Eight points over a 32,000-pixel image: the sum of squared pixels
    // passes 2^31, where a 32-bit sum would wrap.
    std::vector<ControlPoint> points;
    for (int i = 0; i < 8; ++i) {
        const int column = 1000 + 4200 * i;
        const int row = 31000 - 3900 * i + 500 * (i % 3);
        points.push_back(point(400000.0 + 0.25 * column + (i % 2 ? 0.7 : -0.4),
            5200000.0 - 0.25 * row + 0.3 * (i % 3), column, row));
    }
    return points;
}

INSTANTIATE_TEST_SUITE_P(Cases, FitAgainstReference,
    ::testing::Values(FitCase { "ThreePointsWithNoise",
                          { point(500012.3, 4800007.9, 10, 20), point(501498.6, 4799203.1, 750, 410),
                              point(500740.2, 4798451.4, 380, 790) },
                          800, 800 },
        FitCase { "FourPointsOfAPhoto",
            { point(612000.0, 4901000.0, 0, 0), point(613000.4, 4901001.2, 1000, 0),
                point(612000.9, 4900400.3, 0, 600), point(613001.1, 4900399.0, 1000, 600) },
            1000, 600 },
        FitCase { "EightPointsSouthernHemisphere",
            { point(300100.0, 7100200.0, 5, 9), point(300180.2, 7100150.5, 85, 60),
                point(300250.7, 7100090.1, 150, 118), point(300333.3, 7100041.7, 232, 170),
                point(300402.9, 7099980.0, 300, 229), point(300475.5, 7099931.2, 377, 280),
                point(300550.1, 7099870.8, 450, 338), point(300620.4, 7099822.6, 519, 390) },
            640, 480 },
        FitCase { "ImageWiderThanSixteenThousandPixels", wideImagePoints(), 32000, 32000 }),
    [](const ::testing::TestParamInfo<FitCase>& info) { return info.param.name; });

TEST(GeoRefFit, AnExactNorthUpFitPlacesTheTopLeftPixelAndNegativeHeight)
{
    const std::vector<ControlPoint> points { point(500000, 4800000, 0, 0), point(500100, 4799950, 200, 100),
        point(500200, 4799850, 400, 300) };
    const std::optional<GeoRefFit> fit = fitGeoReference(points, 800, 600);
    ASSERT_TRUE(fit);
    EXPECT_EQ(fit->OriginEasting, 500000);
    EXPECT_EQ(fit->OriginNorthing, 4800000) << "the northing of the top row";
    EXPECT_EQ(fit->SlopeX, 0.5f);
    EXPECT_EQ(fit->SlopeY, -0.5f);
    EXPECT_EQ(fit->GroundWidth, 400);
    EXPECT_EQ(fit->GroundHeight, -300) << "north-up: rows count downwards";
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(fit->ResidualEasting[i], 0.0f);
        EXPECT_EQ(fit->ResidualNorthing[i], 0.0f);
    }
}

TEST(GeoRefFit, TheSumsKeepTheirFixedRoundings)
{
    const std::vector<ControlPoint> halves { point(0.5, 2.5, 1, 2), point(0.5, 2.5, 3, 4),
        point(0.5, 2.5, 5, 6) };
    // Each step rounds a half to even: 0 + 0.5 gives 0 every time; 2.5,
    // 4.5 and 6.5 give 2, 4 and 6 (the exact sum is 7.5).
    EXPECT_EQ(SumUTM(halves, EastingAxis), 0);
    EXPECT_EQ(SumUTM(halves, NorthingAxis), 6);
    EXPECT_EQ(SumPixelSquares(halves, EastingAxis), 1 + 9 + 25);
    EXPECT_EQ(SumPixel(halves, NorthingAxis), 12);
    // 4800001 / 10 as a float is 480000.09375; the product with pixel 3 is not rounded.
    const std::vector<ControlPoint> one { point(0, 4800001, 0, 3) };
    EXPECT_DOUBLE_EQ(SumUTMTimesPixel(one, NorthingAxis), 480000.09375 * 3.0 * 10.0);
}

TEST(GeoRefFit, PointsInOnePixelColumnOrRowOrTooFewGiveNoFit)
{
    const struct
    {
        const char* name;
        std::vector<ControlPoint> points;
    } cases[] = {
        { "no point", {} },
        { "one point", { point(500000, 4800000, 10, 10) } },
        { "one column",
            { point(500000, 4800000, 10, 10), point(500050, 4799000, 10, 500),
                point(500100, 4798000, 10, 900) } },
        { "one row", { point(500000, 4800000, 10, 40), point(501000, 4800000, 600, 40) } },
        { "the same pixel twice", { point(500000, 4800000, 7, 7), point(500000, 4800000, 7, 7) } },
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(fitGeoReference(c.points, 1000, 1000)) << c.name;
    }
}

TEST(GeoRefFit, ResultsBeyondThirtyTwoBitsGiveNoFit)
{
    // A slope of 1e6 metres a pixel on a 10,000-pixel image: 1e10 metres wide.
    const std::vector<ControlPoint> points { point(0, 0, 0, 0), point(1e6, 1e6, 1, 1) };
    EXPECT_FALSE(fitGeoReference(points, 10000, 10000));
    EXPECT_TRUE(fitGeoReference(points, 1000, 1000));
}

TEST(GeoRefFit, CorrectionsAreAddedToTheFit)
{
    GeoRefFit fit;
    fit.OriginEasting = 500000;
    fit.OriginNorthing = 4800000;
    fit.GroundWidth = 400;
    fit.GroundHeight = -300;
    EXPECT_EQ(placeImage(fit, ManualCorrections()).value().OriginEasting, 500000) << "unset counts as 0";
    const ImagePlacement placed = placeImage(fit, { 290.0, -10, -100.0, 10 }).value();
    EXPECT_EQ(placed.OriginEasting, 500290);
    EXPECT_EQ(placed.OriginNorthing, 4799990);
    EXPECT_EQ(placed.GroundWidth, 300);
    EXPECT_EQ(placed.GroundHeight, -290) << "a north-up image gets shorter";
    EXPECT_FALSE(placeImage(fit, { 3e9, 0, std::nullopt, 0 })) << "past the 32-bit range";
}

TEST(GeoRefFit, ResidualTextsDropLeadingZerosAndNegativeZero)
{
    const struct
    {
        float northing;
        float easting;
        const char* text;
    } cases[] = {
        { 0.0f, 0.0f, " 0dY  0dX" },
        { 0.4f, 0.3f, " .4dY  .3dX" },
        { -1.2f, 12.0f, "-1.2dY  12dX" },
        { -0.04f, 0.04f, " 0dY  0dX" },
        { 2.25f, -0.36f, " 2.3dY -.4dX" },
        { -123.96f, 1.06f, "-124dY  1.1dX" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(residualText(c.northing, c.easting), QString::fromLatin1(c.text)) << c.text;
    }
}

} // namespace

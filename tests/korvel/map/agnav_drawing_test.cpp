// The drawing of the AG-NAV blocks, read from the picture's pixels: the
// order of the passes, the tracks' pens and colours, the boom markers and
// the rows that switch parts off.
#include "korvel/map/agnav_drawing.h"

#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/picture_surface.h"
#include "platform/vb_colors.h"
#include "tests/support/korvel_test.h"
#include "tests/support/recording_status_progress.h"

#include <cmath>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const qint32 kBlockBlue = RGB(0, 0, 255);
const qint32 kSprayGreen = RGB(0, 200, 0);
const qint32 kSprayOrange = RGB(255, 160, 0);

struct Sample
{
    double x = 0.0;
    double y = 0.0;
    qint16 flow = 0; // above 0: the sample sprayed
    quint8 spray = 0; // boom state
    qint32 colour = 0;
};

// A 400 x 300 pixel map of 4 km by 3 km: 10 metres a pixel, north up. One
// block, its boundary a rectangle 500..3500 by 500..2500 in blue.
class AgnavDrawing : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        picture.Scale(0, 3000, 4000, 0);
        addBlock();
    }

    void addBlock()
    {
        AGNAVBlock& block = agnavData().Blocks[size_t(appendBlock())];
        block.Colour = kBlockBlue;
        block.Thickness = 1;
        block.Boundary.X = { 0, 500, 500, 3500, 3500 };
        block.Boundary.Y = { 0, 500, 2500, 2500, 500 };
        block.VertexCount = 4;
    }

    AGNAVBlock& block() { return blockAt(1); }

    void addGuidanceLine(double x)
    {
        GuidanceSet& set = block().Guidance;
        GuidancePolyline line;
        line.PointCount = 2;
        line.X = { 0, x, x };
        line.Y = { 0, 600, 2400 };
        set.Lines.push_back(line);
        set.LineCount = int(set.Lines.size()) - 1;
        block().GuidanceLoaded = true;
    }

    void addFlight(const std::vector<Sample>& samples, int swath = 100)
    {
        FlightFile flight;
        flight.Position.push_back({});
        flight.Flow.push_back(0);
        flight.Spray.push_back(0);
        flight.Colour.push_back(RGB(255, 0, 0));
        for (const Sample& s : samples) {
            flight.Position.push_back({ s.x, s.y });
            flight.Flow.push_back(s.flow);
            flight.Spray.push_back(s.spray);
            flight.Colour.push_back(s.colour);
        }
        flight.SampleCount = int(samples.size());
        flight.SwathWidth = swath;
        appendFlight(1, std::move(flight));
    }

    void draw()
    {
        int first = 0;
        DrawAGNAVBlock(first, picture, ticks);
        EXPECT_EQ(first, 1);
    }

    QColor at(double x, double y)
    {
        const PixelTransform transform = picture.pixelTransform();
        return picture.image().pixelColor(int(std::floor(transform.x(x))), int(std::floor(transform.y(y))));
    }

    PictureSurface picture { 400, 300 };
    BlockRowTicks ticks { [](int) { return true; }, [](int) { return true; } };
};

TEST_F(AgnavDrawing, GuidanceGoesAboveOrBelowTheTracksAndBoundariesOnTop)
{
    for (const bool above : { true, false }) {
        SCOPED_TRACE(above ? "guidance above" : "guidance below");
        resetAgnavData();
        addBlock();
        picture.Cls();
        mainSettings().GuidanceAboveBelow = above;
        addGuidanceLine(2000);
        // A track across the guidance line and out over the boundary's west edge.
        addFlight({ { 300, 1500, 100, 1, kSprayGreen }, { 3000, 1500, 100, 1, kSprayGreen } });
        draw();
        EXPECT_EQ(at(2000, 1500), toQColor(above ? kBlockBlue : kSprayGreen));
        EXPECT_EQ(at(2000, 2000), toQColor(kBlockBlue));
        EXPECT_EQ(at(1000, 1520), toQColor(kSprayGreen)) << "the track is a swath wide";
        EXPECT_EQ(at(500, 1500), toQColor(kBlockBlue)) << "the boundary lies on the track";
        EXPECT_TRUE(redrawState().Busy) << "the redraw clears it";
    }
}

TEST_F(AgnavDrawing, EachSegmentTakesTheSampleAtItsEndAndNoneStartsAtSampleZero)
{
    mainSettings().ColorCode = true;
    // The first sample sprays: no segment may come from the start values at
    // (0, 0); the last segment (sample 3 to 4) is drawn.
    addFlight({ { 1000, 1000, 100, 1, kSprayGreen }, { 2000, 1000, 100, 1, kSprayGreen },
        { 3000, 1000, 0, 0, 0 }, { 3000, 2000, 100, 1, kSprayOrange } });
    draw();
    EXPECT_EQ(at(300, 300), kWhite) << "no line from sample 0";
    EXPECT_EQ(at(1500, 1000), toQColor(kSprayGreen));
    EXPECT_EQ(at(2500, 1000), kWhite) << "no flow, and boom-off lines are not drawn";
    EXPECT_EQ(at(3000, 1700), toQColor(kSprayOrange)) << "the last segment";

    mainSettings().ColorCode = false;
    mainSettings().GraphBoomOff = true;
    picture.Cls();
    draw();
    EXPECT_EQ(at(1500, 1000), QColor(255, 0, 0)) << "coding off: the flight's plain red";
    EXPECT_EQ(at(2500, 1000), kBlack) << "the boom-off line";
    EXPECT_EQ(at(2500, 1020), kWhite) << "one pixel wide";
}

TEST_F(AgnavDrawing, BoomMarkersShowWhereTheBoomsSwitch)
{
    addFlight({ { 1000, 1000, 0, 0, 0 }, { 1500, 1000, 0, 0, 0 }, { 2000, 1000, 100, 1, kSprayGreen },
        { 2500, 1000, 100, 1, kSprayGreen }, { 3000, 1000, 0, 0, 0 } });
    draw();
    // The marker stands on the last sample before the switch, a swath across.
    EXPECT_EQ(at(1500, 1000), QColor(0, 255, 0)) << "on";
    EXPECT_EQ(at(2500, 1000), QColor(255, 0, 0)) << "off";
    EXPECT_EQ(at(1500, 1090), kWhite) << "radius half the swath";
    EXPECT_EQ(at(1000, 1000), kWhite);
}

TEST_F(AgnavDrawing, RowsSwitchPartsOff)
{
    block().ExclusionLoaded = true;
    block().ExclusionZoneCount = 1;
    ShapeRecord zone;
    zone.X = { 0, 1000, 1000, 1400, 1400 };
    zone.Y = { 0, 1800, 2200, 2200, 1800 };
    block().ExclusionZones.push_back(zone);
    addGuidanceLine(3000);
    addFlight({ { 1000, 1000, 100, 1, kSprayGreen }, { 2000, 1000, 100, 1, kSprayGreen } });
    addFlight({ { 1000, 1400, 100, 1, kSprayOrange }, { 2000, 1400, 100, 1, kSprayOrange } });
    // Sub-rows: 1 guidance, 2 exclusion zones, 3 and 4 the flights. Only
    // the second flight is ticked, and the block's own row is not.
    ticks.boundary = [](int) { return false; };
    ticks.subRow = [](int row) { return row == 4; };
    draw();
    EXPECT_EQ(at(1500, 1400), toQColor(kSprayOrange));
    EXPECT_EQ(at(1500, 1000), kWhite);
    EXPECT_EQ(at(3000, 1500), kWhite) << "guidance";
    EXPECT_EQ(at(1200, 2000), kWhite) << "exclusion zone";
    EXPECT_EQ(at(500, 1500), kWhite) << "boundary";

    ticks.subRow = [](int row) { return row == 2; };
    draw();
    EXPECT_EQ(at(1200, 2000), toQColor(mainSettings().BufferColour)) << "the zone is filled";
}

TEST_F(AgnavDrawing, OnALatitudeLongitudeMapTracksAreFivePixelsWide)
{
    globals().UTMMode = false;
    picture.Scale(-81.0, 43.3, -80.6, 43.0); // 0.001 degrees a pixel
    block().VertexCount = 0;
    addFlight({ { -80.9, 43.2, 100, 1, kSprayGreen }, { -80.7, 43.2, 100, 1, kSprayGreen } }, 30);
    draw();
    int rows = 0;
    for (int k = -5; k <= 5; ++k) {
        rows += at(-80.8, 43.2 + k * 0.001 + 0.0005) == toQColor(kSprayGreen);
    }
    EXPECT_EQ(rows, 5);
}

TEST_F(AgnavDrawing, FlightsOfOneSampleOrNoneDrawNothingAndProgressIsShown)
{
    RecordingStatusProgress progress;
    addFlight({ { 2000, 1500, 100, 1, kSprayGreen } });
    addFlight({});
    std::vector<Sample> long_;
    for (int i = 0; i < 45; ++i) {
        long_.push_back({ 1000.0 + i * 20, 600, 100, 1, kSprayGreen });
    }
    addFlight(long_);
    draw();
    EXPECT_EQ(at(2000, 1500), kWhite);
    EXPECT_EQ(progress.texts, (QStringList { "Graphing AGNAV Data", "" }));
    EXPECT_EQ(progress.values, (std::vector<int> { 20, 40 }));
    EXPECT_EQ(progress.maximum, 45);
    EXPECT_FALSE(progress.visible);
}

} // namespace

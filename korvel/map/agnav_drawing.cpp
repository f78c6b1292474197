#include "korvel/map/agnav_drawing.h"

#include "korvel/map/block_zone_drawing.h"
#include "korvel/map/track_raster.h"
#include "korvel/shell/status_progress.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/picture_surface.h"
#include "platform/vb_colors.h"
#include "platform/vb_numbers.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kProgressStep = 20; // samples between progress updates
constexpr int kGeographicPen = 5; // pixels: track width and disc size on a latitude/longitude map
constexpr int kMarkerPen = 2;

// The numbers of a block's sub-rows in the layer list; 0 for a row it lacks.
struct SubRows
{
    int guidance = 0;
    int exclusion = 0;
    int firstFlight = 0; // flight j has row firstFlight + j - 1
};

std::vector<SubRows> subRowsOfBlocks(const AgnavData& agnav)
{
    const int blocks = std::min(agnav.BlockCount, int(agnav.Blocks.size()) - 1);
    std::vector<SubRows> rows(std::size_t(std::max(blocks, 0)) + 1);
    int row = 0;
    for (int b = 1; b <= blocks; ++b) {
        const AGNAVBlock& block = agnav.Blocks[std::size_t(b)];
        SubRows& own = rows[std::size_t(b)];
        if (block.GuidanceLoaded) {
            own.guidance = ++row;
        }
        if (block.ExclusionLoaded) {
            own.exclusion = ++row;
        }
        own.firstFlight = row + 1;
        row += block.FlightCount;
    }
    return rows;
}

bool ticked(const std::function<bool(int)>& rowTicked, int row)
{
    return row > 0 && rowTicked && rowTicked(row);
}

void drawGuidanceAndZones(
    PictureSurface& picture, int b, const AGNAVBlock& block, const SubRows& rows, const BlockRowTicks& ticks)
{
    picture.setDrawWidth(block.Thickness);
    if (block.GuidanceLoaded && ticked(ticks.subRow, rows.guidance)) {
        const GuidanceSet& set = block.Guidance;
        const int lines = std::min(set.LineCount, int(set.Lines.size()) - 1);
        for (int i = 1; i <= lines; ++i) {
            const GuidancePolyline& line = set.Lines[std::size_t(i)];
            const int points = std::min({ line.PointCount, int(line.X.size()) - 1, int(line.Y.size()) - 1 });
            for (int v = 2; v <= points; ++v) {
                picture.Line(line.X[std::size_t(v - 1)], line.Y[std::size_t(v - 1)], line.X[std::size_t(v)],
                    line.Y[std::size_t(v)], block.Colour);
            }
        }
    }
    if (block.ExclusionLoaded && ticked(ticks.subRow, rows.exclusion)) {
        for (int z = 1; z <= block.ExclusionZoneCount; ++z) {
            DrawBoundaryPolygon(picture, b, z);
        }
    }
}

// The samples a flight can draw: its count, held to the lists it has.
int drawableSamples(const FlightFile& flight)
{
    const std::size_t lists
        = std::min({ flight.Position.size(), flight.Flow.size(), flight.Colour.size(), flight.Spray.size() });
    return std::clamp(flight.SampleCount, 0, std::max(0, int(lists) - 1));
}

// The track band's width in pixels: the swath at the map's scale.
int trackPenWidth(const PictureSurface& picture, const FlightFile& flight)
{
    if (!globals().UTMMode) {
        return kGeographicPen;
    }
    const double pixels = std::abs(picture.ScaleX(flight.SwathWidth, vbUser, vbPixels));
    // A swath wider than the picture and its margins paints it all anyway;
    // the cap keeps the band's rows within what an integer holds.
    const double cap = 2.0 * (picture.clientWidth() + picture.clientHeight()) + 2.0;
    return int(roundHalfEven(std::clamp(pixels, 1.0, cap)));
}

void drawTrack(PictureSurface& picture, const FlightFile& flight, int n)
{
    const MainSettings& settings = mainSettings();
    const int width = trackPenWidth(picture, flight);
    const bool progressive = settings.AGNAVgraph == 2;
    // A stored speed of 0 would stop the drawing on its division.
    const int speed = std::max<int>(settings.AGNAVspeed, 1);
    const PixelTransform transform = picture.pixelTransform();
    StatusProgress& progress = statusProgress();
    TrackRaster raster(picture);
    double px = transform.x(flight.Position[1].X);
    double py = transform.y(flight.Position[1].Y);
    for (int k = 2; k <= n; ++k) {
        const FlightPosition& at = flight.Position[std::size_t(k)];
        const double x = transform.x(at.X);
        const double y = transform.y(at.Y);
        if (flight.Flow[std::size_t(k)] > 0) {
            const qint32 colour = flight.Colour[settings.ColorCode ? std::size_t(k) : 0];
            raster.segment(px, py, x, y, width, colour);
        } else if (settings.GraphBoomOff) {
            raster.segment(px, py, x, y, 1, QBColor(0));
        }
        px = x;
        py = y;
        if (k % kProgressStep == 0) {
            progress.setProgress(k);
        }
        if (progressive && k % speed == 0) {
            picture.Refresh();
        }
    }
    picture.setDrawWidth(width);
}

// A green disc where the booms switch on, a red one where they switch off,
// at the last sample before the switch.
void drawBoomMarkers(PictureSurface& picture, const FlightFile& flight, int n)
{
    const double radius = globals().UTMMode ? flight.SwathWidth / 2.0
                                            : std::abs(picture.ScaleX(kGeographicPen, vbPixels, vbUser));
    picture.setForeColor(QBColor(0));
    picture.setDrawWidth(kMarkerPen);
    for (int k = 1; k < n; ++k) {
        const bool on = flight.Spray[std::size_t(k)] != 0;
        const bool next = flight.Spray[std::size_t(k + 1)] != 0;
        if (on == next) {
            continue;
        }
        picture.setFillColor(next ? RGB(0, 255, 0) : RGB(255, 0, 0));
        const FlightPosition& at = flight.Position[std::size_t(k)];
        picture.Circle(at.X, at.Y, radius, QBColor(0));
    }
}

void drawFlights(
    PictureSurface& picture, const AGNAVBlock& block, const SubRows& rows, const BlockRowTicks& ticks)
{
    for (int j = 1; j <= block.FlightCount && j < int(block.Flights.size()); ++j) {
        if (!ticked(ticks.subRow, rows.firstFlight + j - 1)) {
            continue;
        }
        const FlightFile& flight = block.Flights[std::size_t(j)];
        const int n = drawableSamples(flight);
        statusProgress().showProgress(n);
        if (n >= 1) {
            drawTrack(picture, flight, n);
            drawBoomMarkers(picture, flight, n);
        }
        if (mainSettings().AGNAVgraph == 2) {
            picture.Refresh();
        }
    }
}

void drawBoundary(PictureSurface& picture, const AGNAVBlock& block)
{
    const ShapeRecord& ring = block.Boundary;
    const int n = std::min({ block.VertexCount, ring.upperBound(), int(ring.Y.size()) - 1 });
    picture.setDrawWidth(block.Thickness + 1);
    for (int v = 2; v <= n; ++v) {
        picture.Line(ring.X[std::size_t(v - 1)], ring.Y[std::size_t(v - 1)], ring.X[std::size_t(v)],
            ring.Y[std::size_t(v)], block.Colour);
    }
    if (n >= 1) {
        picture.Line(ring.X[1], ring.Y[1], ring.X[std::size_t(n)], ring.Y[std::size_t(n)], block.Colour);
    }
    picture.Refresh();
}

} // namespace

void DrawAGNAVBlock(int& firstBlock, PictureSurface& picture, const BlockRowTicks& ticks)
{
    if (firstBlock < 1) {
        firstBlock = 1;
    }
    StatusProgress& progress = statusProgress();
    progress.showProgress(0);
    progress.setStatusText(QStringLiteral("Graphing AGNAV Data"));
    redrawState().Busy = true;

    const AgnavData& agnav = agnavData();
    const int blocks = std::min(agnav.BlockCount, int(agnav.Blocks.size()) - 1);
    const std::vector<SubRows> rows = subRowsOfBlocks(agnav);
    const bool above = mainSettings().GuidanceAboveBelow;
    if (!above) {
        for (int b = 1; b <= blocks; ++b) {
            drawGuidanceAndZones(picture, b, agnav.Blocks[std::size_t(b)], rows[std::size_t(b)], ticks);
        }
    }
    picture.setFillStyle(vbFSSolid);
    for (int b = 1; b <= blocks; ++b) {
        drawFlights(picture, agnav.Blocks[std::size_t(b)], rows[std::size_t(b)], ticks);
    }
    for (int b = 1; b <= blocks; ++b) {
        const AGNAVBlock& block = agnav.Blocks[std::size_t(b)];
        if (above) {
            drawGuidanceAndZones(picture, b, block, rows[std::size_t(b)], ticks);
        }
        if (ticks.boundary && ticks.boundary(b)) {
            drawBoundary(picture, block);
        }
    }
    picture.Refresh();
    progress.hideProgress();
    progress.setStatusText(QString());
}

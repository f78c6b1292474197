// Which tool a map event goes to (exact button codes, the tools' order) and
// the readout texts.
#include "korvel/map/map_pointer_modes.h"

#include <gtest/gtest.h>

namespace {

enum class Event { Press, Move, Release };

struct Route
{
    const char* name;
    PointerModes modes;
    Event event;
    int button;
    MapTool tool;
};

constexpr PointerModes kEntry { true, false, false, false };
constexpr PointerModes kRuler { false, true, false, false };
constexpr PointerModes kEntryAndRuler { true, true, false, false };
constexpr PointerModes kBoundary { false, false, true, false };
constexpr PointerModes kExclusion { false, false, false, true };
constexpr PointerModes kRulerAndBoundary { false, true, true, false };

const Route kRoutes[] = {
    { "zoom box before ruler", kEntryAndRuler, Event::Press, 1, MapTool::ZoomBox },
    { "ruler on left press", kRuler, Event::Press, 1, MapTool::Ruler },
    { "ruler ignores right press", kRuler, Event::Press, 2, MapTool::None },
    { "ruler before digitizing", kRulerAndBoundary, Event::Press, 1, MapTool::Ruler },
    { "right press still digitizes", kRulerAndBoundary, Event::Press, 2, MapTool::Digitize },
    { "digitizing takes any press", kExclusion, Event::Press, 4, MapTool::Digitize },
    { "nothing on", PointerModes {}, Event::Press, 1, MapTool::None },
    { "zoom box drags on left", kEntry, Event::Move, 1, MapTool::ZoomBox },
    { "left and right drag nothing", kEntryAndRuler, Event::Move, 3, MapTool::None },
    { "ruler drags on left", kRuler, Event::Move, 1, MapTool::Ruler },
    { "ruler ignores a free move", kRuler, Event::Move, 0, MapTool::None },
    { "boundary band with buttons", kBoundary, Event::Move, 1, MapTool::Digitize },
    { "exclusion band only free", kExclusion, Event::Move, 1, MapTool::None },
    { "exclusion band when free", kExclusion, Event::Move, 0, MapTool::Digitize },
    { "zoom box ends on left", kEntryAndRuler, Event::Release, 1, MapTool::ZoomBox },
    { "right release ends nothing", kEntry, Event::Release, 2, MapTool::None },
    { "ruler does nothing on release", kRuler, Event::Release, 1, MapTool::None },
};

} // namespace

TEST(MapPointerModes, EachEventGoesToTheFirstToolThatTakesItsExactButton)
{
    for (const Route& route : kRoutes) {
        const MapTool tool = route.event == Event::Press ? pressTool(route.modes, route.button)
            : route.event == Event::Move                 ? moveTool(route.modes, route.button)
                                                         : releaseTool(route.modes, route.button);
        EXPECT_EQ(tool, route.tool) << route.name;
    }
}

TEST(MapPointerModes, ReadoutShowsMetresWithOneDecimalAndDegreesWithThree)
{
    struct Row
    {
        double x;
        double y;
        bool utm;
        const char* northing;
        const char* easting;
    };
    const Row rows[] = {
        { 512345.75, 4478123.5, true, "4478123.5 N", "512345.8 E" },
        { 100.0, -250.04, true, "-250.0 N", "100.0 E" }, // no sign test in metres
        { double(-96.12345f), 0.0, false, "0.000 S", "96.123 W" }, // 0 counts as south
        { 12.3456, 45.6789, false, "45.679 N", "12.346 E" },
        { 0.0, -33.5, false, "33.500 S", "0.000 W" },
    };
    for (const Row& row : rows) {
        const CoordinateReadout readout = coordinateReadout(row.x, row.y, row.utm);
        EXPECT_EQ(readout.northing, row.northing);
        EXPECT_EQ(readout.easting, row.easting);
    }
}

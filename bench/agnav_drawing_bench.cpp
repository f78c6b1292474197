// Draws spray flights of 1,000,000 samples in all into a 1024 x 768 map, as
// the map redraw draws the AG-NAV blocks: 20 flights of 50,000 samples, five
// in each of four fields side by side, every sample in its own colour, the
// boom-off lines drawn too. The target is at most 200 ms.
//
//   day:   the map shows the four fields (about 8 m a pixel, 4-pixel tracks)
//   field: zoomed to one field; the other fields' tracks lie off the map
//   pile:  all twenty flights over the one field shown (8-pixel tracks,
//          every pixel painted hundreds of times)
//
//   scripts/build -DKORVEL_BENCH=ON && build/bench/agnav_drawing_bench
#include "korvel/map/agnav_drawing.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_surface.h"
#include "platform/vb_colors.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int FlightCount = 20;
constexpr int SamplesPerFlight = 50000;
constexpr int SamplesPerPass = 400; // 4 km at 10 m a sample
constexpr double PassSpacing = 30.0; // metres: one swath
constexpr double FieldSize = 4200.0;

// A flight over a field at (x0, y0): passes up and down at 10 m a sample,
// booms on inside the field, flow wandering around the target.
FlightFile makeFlight(double x0, double y0, int seed)
{
    FlightFile flight;
    const int n = SamplesPerFlight;
    flight.Position.reserve(std::size_t(n) + 1);
    flight.Position.push_back({});
    flight.Flow.push_back(0);
    flight.Spray.push_back(0);
    flight.Colour.push_back(RGB(255, 0, 0));
    for (int i = 0; i < n; ++i) {
        const int pass = i / SamplesPerPass;
        const int along = i % SamplesPerPass;
        const bool inField = along > 20 && along < SamplesPerPass - 20;
        const int step = pass % 2 ? SamplesPerPass - along : along;
        flight.Position.push_back({ x0 + pass * PassSpacing + seed * 6.0, y0 + step * 10.0 });
        flight.Flow.push_back(qint16(inField ? 85 + (i * 13 + seed) % 31 : 0));
        flight.Spray.push_back(inField ? 1 : 0);
        const int deviation = (i * 13 + seed) % 31;
        flight.Colour.push_back(RGB(deviation * 8, 255 - deviation * 8, 0));
    }
    flight.SampleCount = n;
    flight.SwathWidth = 30;
    return flight;
}

// Four fields side by side; with `pile` every flight goes over the first.
void loadFlights(bool pile)
{
    resetAgnavData();
    const int block = appendBlock();
    AGNAVBlock& record = blockAt(block);
    record.Thickness = 1;
    for (int f = 0; f < FlightCount; ++f) {
        const int field = pile ? 0 : f / 5;
        appendFlight(
            block, makeFlight((field % 2) * FieldSize, (field / 2) * FieldSize, f % 5 + (pile ? f : 0)));
    }
}

void drawFlights(benchmark::State& state, bool pile, double east, double north)
{
    globals().UTMMode = true;
    mainSettings().ColorCode = true;
    mainSettings().GraphBoomOff = true;
    loadFlights(pile);
    PictureSurface picture(1020, 764);
    picture.Scale(0, north, east, 0);
    const BlockRowTicks ticks { [](int) { return true; }, [](int) { return true; } };
    for (auto _ : state) {
        picture.Cls();
        int first = 1;
        DrawAGNAVBlock(first, picture, ticks);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * FlightCount * SamplesPerFlight);
}

void day(benchmark::State& state)
{
    drawFlights(state, false, 2 * FieldSize, 2 * FieldSize * 764 / 1020);
}

void field(benchmark::State& state)
{
    drawFlights(state, false, FieldSize, FieldSize * 764 / 1020);
}

void pile(benchmark::State& state)
{
    drawFlights(state, true, FieldSize, FieldSize * 764 / 1020);
}

} // namespace

BENCHMARK(day)->Unit(benchmark::kMillisecond);
BENCHMARK(field)->Unit(benchmark::kMillisecond);
BENCHMARK(pile)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // The picture needs the application's fonts and image formats.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

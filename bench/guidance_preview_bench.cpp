// The guidance preview, which follows every key press on the guidance
// panel: 1,000 lines over a block boundary of 5,000 vertices (a ragged ring
// about 1 km across, every vertex a little in or out, so that each sweep line
// meets many short edges near its ends). The target is at most 20 ms.
//
//   utm:        the lines laid in metres (heading mode, 1 m swath)
//   edge:       parallel to an edge of the ring
//   geographic: the boundary in degrees, projected there and back
//   on_map:     as FitGuidanceLines shows them: laid, then moved into the
//               1,000 line objects over the map picture
//
//   scripts/build -DKORVEL_BENCH=ON && build/bench/guidance_preview_bench
#include "korvel/guidance/guidance_preview.h"
#include "korvel/shell/utm_projection.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

constexpr int Vertices = 5000;
constexpr double Radius = 500.0; // metres
const EllipsoidRecord Wgs84 { QStringLiteral("WGS-84"), 6378137.0, 298.257223563 };

// A ring about (500000, 4800000), clockwise, its radius wavering by 2 m.
ShapeRecord raggedRing(bool degrees)
{
    ShapeRecord ring;
    ring.resize(Vertices);
    const UtmProjection projection(17, Wgs84.Axis, Wgs84.InverseFlattening);
    for (int i = 1; i <= Vertices; ++i) {
        const double angle = -2.0 * std::numbers::pi * i / Vertices;
        const double r = Radius + (i % 7) * 0.3;
        const double east = 500000.0 + r * std::cos(angle);
        const double north = 4800000.0 + r * std::sin(angle);
        if (degrees) {
            const GeographicDeg point = projection.toGeographic(east, north, true);
            ring.X[std::size_t(i)] = point.longitude;
            ring.Y[std::size_t(i)] = point.latitude;
        } else {
            ring.X[std::size_t(i)] = east;
            ring.Y[std::size_t(i)] = north;
        }
    }
    return ring;
}

GuidanceMapFrame frame(bool utm)
{
    GuidanceMapFrame map;
    map.utm = utm;
    map.zone = 17;
    map.ellipsoid = Wgs84;
    map.viewRight = -80.99;
    map.viewTop = 43.36;
    map.viewBottom = 43.33;
    return map;
}

void run(benchmark::State& state, const GuidancePanelValues& panel, bool utm)
{
    const ShapeRecord ring = raggedRing(!utm);
    std::size_t lines = 0;
    for (auto _ : state) {
        const GuidanceLayout layout = computeGuidancePreview(ring, Vertices, panel, true, frame(utm));
        lines = layout.lines.size();
        benchmark::DoNotOptimize(layout.lines.data());
    }
    state.counters["lines"] = double(lines);
}

void utm(benchmark::State& state)
{
    run(state, { true, QStringLiteral("30"), QStringLiteral("1"), true }, true);
}

void edge(benchmark::State& state)
{
    run(state, { false, QStringLiteral("1250"), QStringLiteral("1"), true }, true);
}

void geographic(benchmark::State& state)
{
    run(state, { true, QStringLiteral("30"), QStringLiteral("1"), true }, false);
}

void on_map(benchmark::State& state)
{
    PictureBox picture;
    picture.resize(1004, 704);
    picture.Scale(499400, 4800600, 500600, 4799400);
    ControlArray<LineControl> lines { QStringLiteral("GuidanceLine") };
    auto* templateLine = new LineControl(picture);
    templateLine->setVisible(false);
    lines.setElement(0, templateLine);
    lines.setLoader(lineControlLoader(lines));
    const ShapeRecord ring = raggedRing(false);
    const GuidancePanelValues panel { true, QStringLiteral("30"), QStringLiteral("1"), true };
    for (auto _ : state) {
        const GuidanceLayout layout = computeGuidancePreview(ring, Vertices, panel, true, frame(true));
        for (std::size_t i = 0; i < layout.lines.size(); ++i) {
            const int index = int(i) + 1;
            LineControl& line = lines.exists(index) ? lines[index] : lines.load(index);
            const GuidanceSegment& s = layout.lines[i];
            line.setEnds(s.x1, s.y1, s.x2, s.y2);
            line.setVisible(true);
        }
    }
    state.counters["lines"] = double(lines.Count() - 1);
}

} // namespace

BENCHMARK(utm)->Unit(benchmark::kMillisecond);
BENCHMARK(edge)->Unit(benchmark::kMillisecond);
BENCHMARK(geographic)->Unit(benchmark::kMillisecond);
BENCHMARK(on_map)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // The line objects stand on a picture box, a widget.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

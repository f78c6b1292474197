// Converts a GIS layer of 2,000,000 vertices from UTM to latitude/longitude
// and back, two ways side by side:
//
//   BM_ProgramPath<points | lines>   ConvertGISLayerCoords, as the switch of
//                                    the map's coordinate mode runs it, with
//                                    the shown main window as the status sink
//                                    (status text, progress bar, extents)
//   BM_BareConversion<...>           the same vertices through UtmProjection
//                                    alone, nothing shown, no extents
//
// "points" is a point layer of 2,000,000 features, one vertex each (the
// progress advances per feature, so here per vertex); "lines" is the readers'
// layer of 100,000 polylines of 20 vertices. The program's path should stay
// within 1.2 times the bare conversion.
//
//   cmake -S . -B build-bench -G Ninja -DKORVEL_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench --target gis_coordinate_conversion_bench
//   build-bench/bench/gis_coordinate_conversion_bench
//
// It runs on Qt's offscreen platform with a private registry folder and the
// built program folder's data files.
#include "bench/main_window_benchmarks.h"
#include "korvel/map/gis_coordinate_conversion.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"

#include <QCoreApplication>

#include <span>

namespace {

constexpr int Zone = 17;
constexpr int VertexCount = 2000000;

enum class Shape {
    Points,
    Lines,
};

// A layer of VertexCount vertices spread over 200 km by 100 km of the zone.
void buildLayer(Shape shape)
{
    layerData() = LayerData();
    const int index = appendGISLayer();
    GISLayer& layer = layerData().GISLayers[size_t(index)];
    const int perFeature = shape == Shape::Points ? 1 : 20;
    const int features = VertexCount / perFeature;
    std::vector<std::int32_t> counts(size_t(features) + 1, perFeature);
    counts[0] = 0;
    layer.Shapes.layOut(counts);
    for (int s = 1; s <= features; ++s) {
        for (int j = 1; j <= perFeature; ++j) {
            const int i = (s - 1) * perFeature + j;
            layer.Shapes.X(s, j) = 400000.0 + (i % 2000) * 100.0;
            layer.Shapes.Y(s, j) = 4000000.0 + (i / 2000) * 100.0;
        }
    }
    layer.ShapeParts.assign(size_t(features) + 1, ShapeParts { 1, {} });
    layer.ShapeType = shape == Shape::Points ? 1 : 3;
    layer.Zone = Zone;
    layer.CoordType = QStringLiteral("UTM");
    layerData().GISCount = 1;
}

// The main window, shown and laid out, as the sink of every long operation's
// progress.
MainForm& shownMainWindow()
{
    static MainForm* form = [] {
        MainForm& window = MainForm::instance();
        window.showMaximized();
        // The layout follows the window's size as it arrives.
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
        return &window;
    }();
    return *form;
}

void BM_ProgramPath(benchmark::State& state, Shape shape)
{
    shownMainWindow();
    buildLayer(shape);
    for (auto _ : state) {
        ConvertGISLayerCoords(1, Zone, 1);
        ConvertGISLayerCoords(1, Zone, 2);
        benchmark::DoNotOptimize(layerData().GISLayers[1].XMax);
    }
    state.counters["vertices"] = double(layerData().GISLayers[1].Shapes.vertexTotal());
}

void BM_BareConversion(benchmark::State& state, Shape shape)
{
    buildLayer(shape);
    const EllipsoidRecord& ellipsoid = globals().Ellipsoid;
    const UtmProjection projection(Zone, ellipsoid.Axis, ellipsoid.InverseFlattening);
    const bool north = mapState().NorthZone;
    ShapeList& shapes = layerData().GISLayers[1].Shapes;
    for (auto _ : state) {
        for (int s = 1; s <= shapes.count(); ++s) {
            const std::span<double> xs = shapes.xs(s);
            const std::span<double> ys = shapes.ys(s);
            for (std::size_t p = 0; p < xs.size(); ++p) {
                const GeographicDeg point = projection.toGeographic(xs[p], ys[p], north);
                ys[p] = point.latitude;
                xs[p] = point.longitude;
            }
        }
        for (int s = 1; s <= shapes.count(); ++s) {
            const std::span<double> xs = shapes.xs(s);
            const std::span<double> ys = shapes.ys(s);
            for (std::size_t p = 0; p < xs.size(); ++p) {
                const ProjectedMetres grid = projection.toUtm({ ys[p], xs[p] });
                ys[p] = grid.northing;
                xs[p] = grid.easting;
            }
        }
        benchmark::DoNotOptimize(shapes.xs(1).data());
    }
    state.counters["vertices"] = double(shapes.vertexTotal());
}

} // namespace

BENCHMARK_CAPTURE(BM_ProgramPath, points, Shape::Points)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BareConversion, points, Shape::Points)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ProgramPath, lines, Shape::Lines)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BareConversion, lines, Shape::Lines)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // The window reads the ellipsoid table at its creation; the bare
    // conversion uses the same ellipsoid.
    return runMainWindowBenchmarks(argc, argv, [] { shownMainWindow(); });
}

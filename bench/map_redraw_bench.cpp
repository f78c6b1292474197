// Redraws of the readers' benchmark layer (100,000 polylines of 20 vertices,
// 2,000,000 vertices over 200 km by 100 km of one UTM zone) into a map of
// 1024 x 768 pixels:
//
//   BM_FullRedraw        the whole layer in view, the picture cleared first
//   BM_ZoomedRedraw      a view of one hundredth of the layer's area
//   BM_MainFormFull      Graph(True) on the main window (status bar, progress
//                        bar and the look at the keyboard included)
//   BM_NewlyTickedSmall  Graph after a small layer above the large one is
//                        ticked: only the small layer is drawn
//
//   cmake -S . -B build-bench -G Ninja -DKORVEL_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench --target map_redraw_bench && build-bench/bench/map_redraw_bench
//
// The main window's benchmarks run on Qt's offscreen platform with a private
// registry folder and the built program folder's data files.
#include "bench/main_window_benchmarks.h"
#include "korvel/map/gis_layer_drawing.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/picture_box.h"
#include "platform/picture_surface.h"

#include <QCheckBox>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int FeatureCount = 100000;
constexpr int VerticesPerFeature = 20;
constexpr int MapWidth = 1024;
constexpr int MapHeight = 768;

// The readers' benchmark layer, built in memory: lines wandering over a UTM zone.
int addLargeLayer()
{
    const int index = appendGISLayer();
    GISLayer& layer = layerData().GISLayers[size_t(index)];
    std::vector<std::int32_t> counts(FeatureCount + 1, VerticesPerFeature);
    layer.Shapes.layOut(counts);
    layer.ShapeParts.assign(FeatureCount + 1, ShapeParts { 1, {} });
    layer.XMin = layer.YMin = 1e300;
    layer.XMax = layer.YMax = -1e300;
    for (int i = 0; i < FeatureCount; ++i) {
        const int s = i + 1;
        ShapeBox box { -1e300, -1e300, 1e300, 1e300 };
        for (int j = 0; j < VerticesPerFeature; ++j) {
            const double x = 400000.0 + (i % 400) * 500.0 + j * 17.25;
            const double y = 4000000.0 + (i / 400) * 400.0 + (j % 2) * 31.5;
            layer.Shapes.X(s, j + 1) = x;
            layer.Shapes.Y(s, j + 1) = y;
            box = { std::max(box.XMax, x), std::max(box.YMax, y), std::min(box.XMin, x),
                std::min(box.YMin, y) };
        }
        layer.Shapes.box(s) = box;
        layer.XMin = std::min(layer.XMin, box.XMin);
        layer.YMin = std::min(layer.YMin, box.YMin);
        layer.XMax = std::max(layer.XMax, box.XMax);
        layer.YMax = std::max(layer.YMax, box.YMax);
    }
    layer.ShapeType = 3;
    layer.Colours = { 0x000080 };
    layer.Thickness = 1;
    layer.CoordType = QStringLiteral("UTM");
    layer.Zone = 17;
    globals().GISLoaded = true;
    return index;
}

int addSmallLayer()
{
    const int index = appendGISLayer();
    GISLayer& layer = layerData().GISLayers[size_t(index)];
    std::vector<std::int32_t> counts(2, 5);
    layer.Shapes.layOut(counts);
    const double xs[] = { 450000, 450000, 550000, 550000, 450000 };
    const double ys[] = { 4020000, 4080000, 4080000, 4020000, 4020000 };
    for (int k = 0; k < 5; ++k) {
        layer.Shapes.X(1, k + 1) = xs[k];
        layer.Shapes.Y(1, k + 1) = ys[k];
    }
    layer.Shapes.box(1) = { 550000, 4080000, 450000, 4020000 };
    layer.ShapeParts.assign(2, ShapeParts { 1, {} });
    layer.XMin = 450000;
    layer.YMin = 4020000;
    layer.XMax = 550000;
    layer.YMax = 4080000;
    layer.ShapeType = 5;
    layer.Colours = { 0x0000FF };
    layer.Thickness = 1;
    layer.CoordType = QStringLiteral("UTM");
    return index;
}

// The layer's extent widened to the map's shape, as ApplyMapExtent does,
// scaled about its centre by `fraction` of its width and height.
void fitScale(PictureSurface& picture, double fraction)
{
    const GISLayer& layer = layerData().GISLayers[1];
    const double cx = (layer.XMin + layer.XMax) / 2.0;
    const double cy = (layer.YMin + layer.YMax) / 2.0;
    double width = (layer.XMax - layer.XMin) * fraction;
    double height = (layer.YMax - layer.YMin) * fraction;
    const double ratio = double(MapHeight + 4) / double(MapWidth + 4);
    height = std::max(height, width * ratio);
    width = height / ratio;
    picture.Scale(cx - width / 2.0, cy + height / 2.0, cx + width / 2.0, cy - height / 2.0);
}

void ensureLargeLayer()
{
    if (layerData().GISCount == 0) {
        addLargeLayer();
    }
}

void drawLayers(benchmark::State& state, double fraction)
{
    ensureLargeLayer();
    PictureSurface picture(MapWidth, MapHeight);
    fitScale(picture, fraction);
    for (auto _ : state) {
        picture.Cls();
        int start = 1;
        DrawSHPData(start, picture, [](int position) { return position == 1; });
        benchmark::DoNotOptimize(picture.image().constBits());
    }
    state.counters["vertices"] = double(layerData().GISLayers[1].Shapes.vertexTotal());
}

void BM_FullRedraw(benchmark::State& state)
{
    drawLayers(state, 1.0);
}

void BM_ZoomedRedraw(benchmark::State& state)
{
    drawLayers(state, 0.1);
}

// The main window with both layers listed and ticked, the large one drawn.
MainForm& mainWindow()
{
    static MainForm* form = [] {
        MainForm& window = MainForm::instance();
        window.Picture1->setGeometry(4, 4, MapWidth + 4, MapHeight + 4);
        RedrawState& redraw = redrawState();
        redraw.Busy = true;
        layerData() = LayerData();
        addLargeLayer();
        window.AddGISListEntry();
        addSmallLayer();
        window.AddGISListEntry();
        redraw.Busy = false;
        fitScale(*window.Picture1, 1.0);
        window.Graph(true);
        return &window;
    }();
    return *form;
}

void BM_MainFormFull(benchmark::State& state)
{
    MainForm& window = mainWindow();
    for (auto _ : state) {
        window.Graph(true);
    }
}

void BM_NewlyTickedSmall(benchmark::State& state)
{
    MainForm& window = mainWindow();
    QCheckBox& row = window.GISCheck[2];
    for (auto _ : state) {
        state.PauseTiming();
        // As if the small layer had never been drawn: unticked, without a redraw.
        row.blockSignals(true);
        row.setChecked(false);
        row.blockSignals(false);
        layerData().GISLayers[2].Visible = false;
        state.ResumeTiming();
        row.setChecked(true); // the tick's own handler redraws
    }
}

} // namespace

BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomedRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainFormFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NewlyTickedSmall)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runMainWindowBenchmarks(argc, argv);
}

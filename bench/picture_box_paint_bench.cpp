// Repaints of a picture box of 1200 x 800 pixels, the map's size on a large
// screen, on a shown parent: what every redraw of the map, the zoom window
// and the geo-referencing views costs on screen once the picture is drawn.
//
//   BM_PictureBoxRepaint   repaint() of the box, background and frame included
//
//   cmake -S . -B build-bench -G Ninja -DKORVEL_BENCH=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
//   cmake --build build-bench --target picture_box_paint_bench
//   taskset -c 2 build-bench/bench/picture_box_paint_bench
//
// Runs on Qt's offscreen platform, as the main window's benchmarks do.
#include "bench/main_window_benchmarks.h"
#include "platform/picture_box.h"
#include "platform/vb_colors.h"

namespace {

void BM_PictureBoxRepaint(benchmark::State& state)
{
    QWidget parent;
    parent.resize(1240, 840);
    PictureBox picture(&parent);
    picture.setGeometry(20, 20, 1200, 800);
    picture.setBackColor(RGB(255, 255, 255));
    picture.Cls();
    for (int x = 0; x < 1200; x += 40) {
        picture.Line(x, 0, 1200 - x, 800, RGB(0, 0, 160));
    }
    parent.show();
    QApplication::processEvents();
    for (auto _ : state) {
        picture.repaint();
    }
}
BENCHMARK(BM_PictureBoxRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runMainWindowBenchmarks(argc, argv);
}

// A session of 20 GIS layers (5,000 polylines of 20 vertices each, 2,000,000
// vertices in all) and two AG-NAV blocks with two flights of 2,000 samples
// each, on the main window with a map of 1024 x 768 pixels:
//
//   BM_LoadFilesOneByOne  every file through its check and loader as the
//                         File menu opens them, then the zoom to the layers
//                         (one redraw)
//   BM_LoadSession        the same workspace from its session file
//   BM_SaveSession        File > Save Session of the loaded workspace
//
// The session load is to take at most 1.2 times the loading one by one, and
// the save at most 50 ms.
//
//   cmake -S . -B build-bench -G Ninja -DKORVEL_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench --target session_bench && build-bench/bench/session_bench
//
// The shapefiles are written once by shapelib, the blocks and flight logs
// from their formats; every file is read warm from the page cache. A message
// box or a file dialog that is not expected stops the benchmark.
#include "bench/main_window_benchmarks.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "platform/common_dialog.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <shapefil.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int LayerCount = 20;
constexpr int FeaturesPerLayer = 5000;
constexpr int VerticesPerFeature = 20;
constexpr int SamplesPerFlight = 2000;
constexpr int MapWidth = 1024;
constexpr int MapHeight = 768;

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    std::exit(1);
}

// No box is expected but the save dialog's question before it replaces the
// last save, which the user answers Yes; another stops the benchmark.
class NoMessages final : public MsgBoxBackend
{
public:
    int showMsgBox(const MsgBoxRequest& request) override
    {
        if (request.prompt.contains(QStringLiteral("already exists"))) {
            return vbYes;
        }
        fail("Message box: " + request.prompt);
    }
    QString showInputBox(const InputBoxRequest& request) override { fail("Input box: " + request.prompt); }
};

// The save dialog answers with the session's path.
class SaveDialog final : public CommonDialogBackend
{
public:
    QString path;
    CommonDialogAnswer show(const CommonDialogRequest& request, QWidget*) override
    {
        if (request.kind != CommonDialogKind::Save) {
            fail(QStringLiteral("Unexpected dialog ") + request.title);
        }
        return { true, { path }, 1, 0 };
    }
};

struct Files
{
    QTemporaryDir folder;
    QStringList layers;
    QStringList blocks;
    QStringList flights; // two per block
    QString session;
};

// Lines wandering over one tile of a UTM zone, metres.
void writeLayer(const QString& path, int tile)
{
    const QByteArray name = QFile::encodeName(path);
    SHPHandle shp = SHPCreate(name.constData(), SHPT_ARC);
    if (!shp) {
        fail("cannot create " + path);
    }
    double xs[VerticesPerFeature];
    double ys[VerticesPerFeature];
    const double x0 = 400000.0 + (tile % 5) * 40000.0;
    const double y0 = 4000000.0 + (tile / 5) * 25000.0;
    for (int i = 0; i < FeaturesPerLayer; ++i) {
        for (int j = 0; j < VerticesPerFeature; ++j) {
            xs[j] = x0 + (i % 100) * 400.0 + j * 17.25;
            ys[j] = y0 + (i / 100) * 500.0 + (j % 2) * 31.5;
        }
        SHPObject* object = SHPCreateSimpleObject(SHPT_ARC, VerticesPerFeature, xs, ys, nullptr);
        SHPWriteObject(shp, -1, object);
        SHPDestroyObject(object);
    }
    SHPClose(shp);
}

void writeText(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        fail("cannot write " + path);
    }
}

// A UTM boundary file in zone 17 on WGS-84: a rectangle.
void writeBlock(const QString& path, const QByteArray& job, double x0, double y0, double x1, double y1)
{
    QByteArray text = "0  " + job + "\r\n1  U  279\r\n";
    const double corners[][2] = { { x0, y0 }, { x0, y1 }, { x1, y1 }, { x1, y0 } };
    for (const auto& corner : corners) {
        text += QByteArray("2   ") + QByteArray::number(corner[0], 'f', 1) + "   "
            + QByteArray::number(corner[1], 'f', 1) + "        AREA CORNER\r\n";
    }
    text += "20 WGS-84      6378137.0   298.257223563 22      ELLIPSOID\r\n";
    writeText(path, text);
}

// A 51-byte flight log of passes over the block, spraying at the target rate.
void writeFlight(const QString& path, double x0, double y0)
{
    QByteArray bytes;
    for (int k = 0; k < SamplesPerFlight; ++k) {
        QByteArray record(51, '\0');
        record[0] = 0x02;
        record[2] = 3;
        qToLittleEndian<qint32>(k * 50, record.data() + 3);
        qToLittleEndian<qint32>(qint32(x0 + (k % 100) * 10.0), record.data() + 28);
        qToLittleEndian<qint32>(qint32(y0 + (k / 100) * 30.0), record.data() + 32);
        qToLittleEndian<qint16>(300, record.data() + 36);
        record[39] = 1;
        qToLittleEndian<qint16>(100, record.data() + 43);
        qToLittleEndian<qint16>(100, record.data() + 45);
        bytes += record;
    }
    writeText(path, bytes);
}

Files& files()
{
    static Files* made = [] {
        auto* f = new Files;
        const QString root = f->folder.path() + u'/';
        for (int n = 0; n < LayerCount; ++n) {
            f->layers << root + QStringLiteral("layer%1.shp").arg(n, 2, 10, QLatin1Char('0'));
            writeLayer(f->layers.last(), n);
        }
        for (int b = 0; b < 2; ++b) {
            const QByteArray job = "BLOCK" + QByteArray::number(b);
            const double x0 = 420000.0 + b * 20000.0;
            f->blocks << root + QString::fromLatin1(job) + QStringLiteral(".no1");
            writeBlock(f->blocks.last(), job, x0, 4020000.0, x0 + 1000.0, 4021800.0);
            QDir(root).mkpath(QString::fromLatin1(job));
            for (int n = 1; n <= 2; ++n) {
                f->flights << root + QString::fromLatin1(job) + QStringLiteral("/N0101A0%1.T01").arg(n);
                writeFlight(f->flights.last(), x0, 4020000.0 + n * 100.0);
            }
        }
        f->session = root + QStringLiteral("bench.korvel");
        return f;
    }();
    return *made;
}

MainForm& mainWindow()
{
    static MainForm* form = [] {
        MainForm& window = MainForm::instance();
        window.Picture1->setGeometry(4, 4, MapWidth + 4, MapHeight + 4);
        return &window;
    }();
    return *form;
}

void loadOneByOne(MainForm& window)
{
    const Files& f = files();
    for (const QString& layer : f.layers) {
        if (window.CheckGISFile(layer)) {
            window.OpenGISLayer(layer);
        }
    }
    for (int b = 0; b < 2; ++b) {
        if (window.CheckAGNAVFile(f.blocks[b]) && window.LoadAGNAVBlock(f.blocks[b])) {
            for (int n = 0; n < 2; ++n) {
                window.LoadFlightFile(b + 1, f.flights[b * 2 + n]);
            }
        }
    }
    window.ZoomToLayers(0, 0);
}

void checkLoaded(benchmark::State& state)
{
    if (layerData().GISCount != LayerCount || agnavData().BlockCount != 2 || agnavData().FlightCount != 4) {
        state.SkipWithError("the workspace did not load whole");
    }
}

SaveDialog& saveDialog()
{
    static SaveDialog dialog;
    return dialog;
}

// The session file of the whole workspace, saved once.
void ensureSession(MainForm& window)
{
    if (QFile::exists(files().session)) {
        return;
    }
    window.File_CloseAll_Click();
    loadOneByOne(window);
    saveDialog().path = files().session;
    window.File_SaveSession_Click();
}

void BM_LoadFilesOneByOne(benchmark::State& state)
{
    MainForm& window = mainWindow();
    for (auto _ : state) {
        state.PauseTiming();
        window.File_CloseAll_Click();
        state.ResumeTiming();
        loadOneByOne(window);
    }
    checkLoaded(state);
}

void BM_LoadSession(benchmark::State& state)
{
    MainForm& window = mainWindow();
    ensureSession(window);
    for (auto _ : state) {
        state.PauseTiming();
        window.File_CloseAll_Click();
        state.ResumeTiming();
        window.LoadSession(files().session);
    }
    checkLoaded(state);
}

void BM_SaveSession(benchmark::State& state)
{
    MainForm& window = mainWindow();
    ensureSession(window);
    window.File_CloseAll_Click();
    loadOneByOne(window);
    saveDialog().path = files().folder.path() + QStringLiteral("/saved.korvel");
    for (auto _ : state) {
        window.File_SaveSession_Click();
    }
    checkLoaded(state);
}

} // namespace

BENCHMARK(BM_LoadFilesOneByOne)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSession)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSession)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    NoMessages messages;
    const int result = runMainWindowBenchmarks(argc, argv, [&messages] {
        setMsgBoxBackend(&messages);
        setCommonDialogBackend(&saveDialog());
    });
    setCommonDialogBackend(nullptr);
    setMsgBoxBackend(nullptr);
    return result;
}

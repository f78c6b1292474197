// Loads orthophotos too large to decode whole within the picture budget,
// as the image loader does, beside the way it read them before: Qt's
// QImageReader asked for the reduced size, which its TIFF plug-in ignores,
// so the whole picture was decoded and then scaled.
//
//   BM_LoadPicture/<picture>  LoadPicture (TIFF through libtiff, straight
//                             to the reduced size; JPEG through Qt)
//   BM_QtReader/<picture>     the reader as LoadPicture used it before
//
// The pictures: 12000 x 12000 and 20000 x 20000 pixels as tiled LZW TIFFs
// (tiles of 256 and the horizontal predictor, as GDAL writes orthophotos),
// and 12000 x 12000 as a JPEG. They are written once into a temporary
// folder (some tens of seconds) and read warm from the page cache. Besides the time, the counter
// peak_MB is the most memory the load held beyond what the process held
// before it (the peak resident set, reset before every load), and failed
// counts the loads that gave no picture. Loading a 12000 x 12000 picture is
// to be no slower than before, with a lower peak.
//
//   scripts/setup --bench
//   cmake -S . -B build-bench -G Ninja -DKORVEL_BENCH=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
//   cmake --build build-bench --target picture_loader_bench
//   build-bench/bench/picture_loader_bench
#include "platform/picture_loader.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <tiffio.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

QTemporaryDir* g_folder = nullptr;

QString picturePath(const char* name)
{
    return g_folder->path() + u'/' + QLatin1String(name);
}

// Fields of 500 x 500 pixels in their own colours with a fine texture:
// enough detail that LZW packs it about as it packs an aerial photograph.
void fieldRow(int y, int width, std::vector<uint8_t>& rgb)
{
    for (int x = 0; x < width; ++x) {
        const int field = (x / 500) * 7 + (y / 500) * 13;
        const int texture = ((x * 31 + y * 17) >> 3) & 15;
        rgb[size_t(x) * 3] = uint8_t(60 + field * 37 % 120 + texture);
        rgb[size_t(x) * 3 + 1] = uint8_t(80 + field * 53 % 100 + texture);
        rgb[size_t(x) * 3 + 2] = uint8_t(40 + field * 29 % 90 + texture);
    }
}

void writeTiledTiff(const QString& path, int side)
{
    constexpr int tile = 256;
    TIFF* out = TIFFOpen(QFile::encodeName(path).constData(), "w");
    TIFFSetField(out, TIFFTAG_IMAGEWIDTH, side);
    TIFFSetField(out, TIFFTAG_IMAGELENGTH, side);
    TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(out, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(out, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(out, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    TIFFSetField(out, TIFFTAG_TILEWIDTH, tile);
    TIFFSetField(out, TIFFTAG_TILELENGTH, tile);
    const int width = (side + tile - 1) / tile * tile;
    std::vector<uint8_t> band(size_t(width) * tile * 3);
    std::vector<uint8_t> row(size_t(width) * 3);
    std::vector<uint8_t> pixels(size_t(tile) * tile * 3);
    for (int top = 0; top < side; top += tile) {
        for (int y = 0; y < tile; ++y) {
            fieldRow(top + y, width, row);
            std::copy(row.begin(), row.end(), band.begin() + qsizetype(y) * width * 3);
        }
        for (int left = 0; left < width; left += tile) {
            for (int y = 0; y < tile; ++y) {
                const auto from = band.begin() + (qsizetype(y) * width + left) * 3;
                std::copy(from, from + tile * 3, pixels.begin() + qsizetype(y) * tile * 3);
            }
            TIFFWriteTile(out, pixels.data(), uint32_t(left), uint32_t(top), 0, 0);
        }
    }
    TIFFClose(out);
}

void writeJpeg(const QString& path, int side)
{
    QImage image(side, side, QImage::Format_RGB888);
    std::vector<uint8_t> row(size_t(side) * 3);
    for (int y = 0; y < side; ++y) {
        fieldRow(y, side, row);
        std::copy(row.begin(), row.end(), image.scanLine(y));
    }
    QImageWriter writer(path, "jpg");
    writer.setQuality(85);
    writer.write(image);
}

// Kilobytes of a line of /proc/self/status ("VmRSS:", "VmHWM:").
qint64 statusKilobytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(key)) {
            return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return 0;
}

// Sets the peak resident set back to the present one (Linux 4.0 and later).
void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) {
        clear.write("5");
    }
}

// The loader's reader as it was: the reduced size asked for, the whole
// picture decoded where the plug-in cannot reduce, then scaled.
QImage readAsBefore(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    QImageReader::setAllocationLimit(int(2 * MaxDecodedBytes / (1024 * 1024)));
    const QSize size = reader.size();
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (bytes > MaxDecodedBytes) {
        const double factor = std::sqrt(double(MaxDecodedBytes) / double(bytes));
        reader.setScaledSize(QSize(int(size.width() * factor), int(size.height() * factor)));
    }
    return reader.read();
}

template <typename Load> void measure(benchmark::State& state, const char* name, Load load)
{
    const QString path = picturePath(name);
    double peakMegabytes = 0;
    int failed = 0;
    for (auto _ : state) {
        const qint64 before = statusKilobytes("VmRSS:");
        resetPeakMemory();
        const QImage image = load(path);
        peakMegabytes = std::max(peakMegabytes, double(statusKilobytes("VmHWM:") - before) / 1024.0);
        failed += image.isNull() ? 1 : 0;
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["peak_MB"] = peakMegabytes;
    state.counters["failed"] = failed;
}

void BM_LoadPicture(benchmark::State& state, const char* name)
{
    measure(state, name, [](const QString& path) { return LoadPicture(path).image; });
}

void BM_QtReader(benchmark::State& state, const char* name)
{
    measure(state, name, readAsBefore);
}

constexpr const char* kPictures[] = { "ortho12000.tif", "ortho20000.tif", "ortho12000.jpg" };

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTemporaryDir folder;
    g_folder = &folder;
    std::fprintf(stderr, "Writing the pictures into %s ...\n", qPrintable(folder.path()));
    writeTiledTiff(picturePath(kPictures[0]), 12000);
    writeTiledTiff(picturePath(kPictures[1]), 20000);
    writeJpeg(picturePath(kPictures[2]), 12000);
    for (const char* name : kPictures) {
        benchmark::RegisterBenchmark((std::string("BM_LoadPicture/") + name).c_str(), BM_LoadPicture, name)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3)
            ->UseRealTime();
        benchmark::RegisterBenchmark((std::string("BM_QtReader/") + name).c_str(), BM_QtReader, name)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

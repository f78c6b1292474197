// Reads one shapefile of 100,000 polylines of 20 vertices each (2,000,000
// vertices, about 38 MB) three ways, side by side: KORVEL's reader into a GIS
// layer, shapelib's SHPReadObject loop and GDAL's OGR feature loop.
//
//   scripts/build -DKORVEL_BENCH=ON && build/bench/shapefile_reader_bench
//
// Like is compared with like: each reader opens the file, holds every
// feature with its vertices in memory at once, as the layer does, and lets
// it all go at the end of the iteration; none reads the attribute table
// (OGR, which reads a ".dbf" it finds whatever fields it is told to ignore,
// opens the main file and index linked into a folder of their own). The
// file is written once by shapelib, with an attribute table as real layers
// have, and read warm from the page cache. Before timing, KORVEL's vertices
// are compared with shapelib's. The counter "heap_per_coordinate_byte" is
// what the layer holds on the heap (features, vertices and part tables) per
// byte of its coordinates.
#include "korvel/map/shapefile_reader.h"
#include "korvel/workspace/layer_records.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <gdal.h>
#include <ogr_api.h>
#include <shapefil.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int FeatureCount = 100000;
constexpr int VerticesPerFeature = 20;

// Lines wandering over a UTM zone, metres.
void writeFile(const std::string& path)
{
    SHPHandle shp = SHPCreate(path.c_str(), SHPT_ARC);
    DBFHandle dbf = DBFCreate(path.c_str());
    if (!shp || !dbf) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        std::exit(1);
    }
    DBFAddField(dbf, "ID", FTInteger, 9, 0);
    std::vector<double> xs(VerticesPerFeature);
    std::vector<double> ys(VerticesPerFeature);
    for (int i = 0; i < FeatureCount; ++i) {
        for (int j = 0; j < VerticesPerFeature; ++j) {
            xs[std::size_t(j)] = 400000.0 + (i % 400) * 500.0 + j * 17.25;
            ys[std::size_t(j)] = 4000000.0 + (i / 400) * 400.0 + (j % 2) * 31.5;
        }
        SHPObject* object
            = SHPCreateSimpleObject(SHPT_ARC, VerticesPerFeature, xs.data(), ys.data(), nullptr);
        SHPWriteObject(shp, -1, object);
        SHPDestroyObject(object);
        DBFWriteIntegerAttribute(dbf, i, 0, i);
    }
    SHPClose(shp);
    DBFClose(dbf);
}

const std::string& benchFile()
{
    static QTemporaryDir folder;
    static const std::string path = [] {
        const std::string p = folder.path().toStdString() + "/roads.shp";
        writeFile(p);
        return p;
    }();
    return path;
}

// The same main file and index without the attribute table beside them: OGR
// reads every record of a ".dbf" it finds (to skip deleted ones) even with all
// fields ignored, which the other two readers never open.
const std::string& geometryOnlyFile()
{
    static QTemporaryDir folder;
    static const std::string path = [] {
        const QString main = QString::fromStdString(benchFile());
        const QString shp = folder.path() + QStringLiteral("/roads.shp");
        if (!QFile::link(main, shp)
            || !QFile::link(
                main.chopped(3) + QStringLiteral("shx"), shp.chopped(3) + QStringLiteral("shx"))) {
            std::fprintf(stderr, "cannot link the shapefile into %s\n", qPrintable(folder.path()));
            std::exit(1);
        }
        return shp.toStdString();
    }();
    return path;
}

GISLayer readWithKorvel()
{
    GISLayer layer;
    layer.Path = QString::fromStdString(benchFile());
    layer.FileName = QStringLiteral("roads.shp");
    layer.Colours = { 0 };
    const GISReadResult result = ReadShapefile(layer);
    if (!result.ok) {
        std::fprintf(stderr, "KORVEL refused the file: %s\n", qPrintable(result.description));
        std::exit(1);
    }
    return layer;
}

std::size_t layerHeapBytes(const GISLayer& layer)
{
    std::size_t bytes = layer.Shapes.heapBytes() + layer.ShapeParts.capacity() * sizeof(ShapeParts);
    for (const ShapeParts& parts : layer.ShapeParts) {
        bytes += parts.PartStart.capacity() * sizeof(std::int32_t);
    }
    return bytes;
}

// KORVEL and shapelib must agree on every vertex before either is timed.
void compareWithShapelib()
{
    const GISLayer layer = readWithKorvel();
    SHPHandle shp = SHPOpen(benchFile().c_str(), "rb");
    int count = 0;
    SHPGetInfo(shp, &count, nullptr, nullptr, nullptr);
    bool same = count == layer.ShapeCount();
    for (int i = 0; same && i < count; ++i) {
        SHPObject* object = SHPReadObject(shp, i);
        same = object->nVertices == layer.PointCounts(i + 1);
        for (int j = 0; same && j < object->nVertices; ++j) {
            same = object->padfX[j] == layer.Shapes.X(i + 1, j + 1)
                && object->padfY[j] == layer.Shapes.Y(i + 1, j + 1);
        }
        SHPDestroyObject(object);
    }
    SHPClose(shp);
    if (!same) {
        std::fprintf(stderr, "KORVEL and shapelib read different vertices\n");
        std::exit(1);
    }
}

void BM_KorvelReadShapefile(benchmark::State& state)
{
    compareWithShapelib();
    std::size_t heap = 0;
    std::int64_t vertices = 0;
    for (auto _ : state) {
        const GISLayer layer = readWithKorvel();
        heap = layerHeapBytes(layer);
        vertices = layer.Shapes.vertexTotal();
        benchmark::DoNotOptimize(layer.Shapes.xs(layer.ShapeCount()).data());
    }
    state.counters["vertices"] = double(vertices);
    state.counters["heap_MB"] = double(heap) / 1e6;
    state.counters["heap_per_coordinate_byte"] = double(heap) / (double(vertices) * 2.0 * sizeof(double));
}

// Every record read and held, then all of them freed: a layer's lifetime.
void BM_ShapelibReadObject(benchmark::State& state)
{
    benchFile();
    std::int64_t vertices = 0;
    std::vector<SHPObject*> objects;
    for (auto _ : state) {
        vertices = 0;
        SHPHandle shp = SHPOpen(benchFile().c_str(), "rb");
        int count = 0;
        SHPGetInfo(shp, &count, nullptr, nullptr, nullptr);
        objects.reserve(std::size_t(count));
        for (int i = 0; i < count; ++i) {
            SHPObject* object = SHPReadObject(shp, i);
            vertices += object->nVertices;
            objects.push_back(object);
        }
        SHPClose(shp);
        benchmark::DoNotOptimize(objects.back()->padfX[objects.back()->nVertices - 1]);
        for (SHPObject* object : objects) {
            SHPDestroyObject(object);
        }
        objects.clear();
    }
    state.counters["vertices"] = double(vertices);
}

// The same with OGR: every feature held, and only the geometry read (the
// file is opened without its attribute table).
void BM_OgrReadFeatures(benchmark::State& state)
{
    const std::string& path = geometryOnlyFile();
    GDALAllRegister();
    std::int64_t vertices = 0;
    std::vector<OGRFeatureH> features;
    for (auto _ : state) {
        vertices = 0;
        GDALDatasetH dataset
            = GDALOpenEx(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
        OGRLayerH layer = GDALDatasetGetLayer(dataset, 0);
        OGR_L_ResetReading(layer);
        features.reserve(std::size_t(OGR_L_GetFeatureCount(layer, FALSE)));
        while (OGRFeatureH feature = OGR_L_GetNextFeature(layer)) {
            vertices += OGR_G_GetPointCount(OGR_F_GetGeometryRef(feature));
            features.push_back(feature);
        }
        benchmark::DoNotOptimize(OGR_G_GetX(OGR_F_GetGeometryRef(features.back()), 0));
        for (OGRFeatureH feature : features) {
            OGR_F_Destroy(feature);
        }
        features.clear();
        GDALClose(dataset);
    }
    state.counters["vertices"] = double(vertices);
}

} // namespace

BENCHMARK(BM_KorvelReadShapefile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShapelibReadObject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OgrReadFeatures)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// Converts 2,000,000 points each way between latitude/longitude and UTM,
// KORVEL's conversion beside PROJ's C API on the same points.
//
//   scripts/build -DKORVEL_BENCH=ON && build/bench/utm_conversion_bench
//
// Before timing, each side's results are compared: the largest distance
// between KORVEL's and PROJ's grid points (mm) and between their geographic
// points (degrees) show as counters.
#include "korvel/shell/utm_conversion.h"
#include "korvel/shell/utm_projection.h"

#include <benchmark/benchmark.h>
#include <proj.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int Zone = 31; // central meridian 3 E
constexpr double Axis = 6378137.0; // WGS84
constexpr double InverseFlattening = 298.257223563;
constexpr std::size_t PointCount = 2000000;
constexpr double DegToRad = 3.14159265358979323846 / 180.0;

struct Points
{
    std::vector<double> latitude; // degrees
    std::vector<double> longitude;
    std::vector<double> easting; // metres, PROJ's, northern convention as the grid below
    std::vector<double> northing;
};

// Points spread over the whole zone, 80 S to 84 N, 3 degrees either side of
// the central meridian.
const Points& points()
{
    static const Points p = [] {
        Points p;
        std::mt19937_64 random(20240611);
        std::uniform_real_distribution<double> lat(-80.0, 84.0);
        std::uniform_real_distribution<double> off(-3.0, 3.0);
        for (std::size_t i = 0; i < PointCount; ++i) {
            p.latitude.push_back(lat(random));
            p.longitude.push_back(6.0 * Zone - 183.0 + off(random));
        }
        return p;
    }();
    return p;
}

// "+proj=utm" without "+south" keeps northings signed south of the equator,
// the same convention as UtmProjection::forward.
PJ* makeProj(PJ_CONTEXT* context)
{
    char definition[128];
    std::snprintf(
        definition, sizeof definition, "+proj=utm +zone=%d +a=%.3f +rf=%.9f", Zone, Axis, InverseFlattening);
    return proj_create(context, definition);
}

struct Proj
{
    Proj()
        : context(proj_context_create())
        , pj(makeProj(context))
    {
    }
    ~Proj()
    {
        proj_destroy(pj);
        proj_context_destroy(context);
    }
    PJ_CONTEXT* context;
    PJ* pj;
};

void projForward(PJ* pj, const Points& in, std::vector<double>& x, std::vector<double>& y)
{
    for (std::size_t i = 0; i < PointCount; ++i) {
        x[i] = in.longitude[i] * DegToRad;
        y[i] = in.latitude[i] * DegToRad;
    }
    proj_trans_generic(pj, PJ_FWD, x.data(), sizeof(double), PointCount, y.data(), sizeof(double), PointCount,
        nullptr, 0, 0, nullptr, 0, 0);
}

void projInverse(PJ* pj, const std::vector<double>& e, const std::vector<double>& n, std::vector<double>& x,
    std::vector<double>& y)
{
    x = e;
    y = n;
    proj_trans_generic(pj, PJ_INV, x.data(), sizeof(double), PointCount, y.data(), sizeof(double), PointCount,
        nullptr, 0, 0, nullptr, 0, 0);
    for (std::size_t i = 0; i < PointCount; ++i) {
        x[i] /= DegToRad;
        y[i] /= DegToRad;
    }
}

void korvelForward(
    const UtmProjection& projection, const Points& in, std::vector<double>& x, std::vector<double>& y)
{
    for (std::size_t i = 0; i < PointCount; ++i) {
        projection.forward(in.latitude[i], in.longitude[i], x[i], y[i]);
    }
}

void korvelInverse(const UtmProjection& projection, const std::vector<double>& e,
    const std::vector<double>& n, std::vector<double>& x, std::vector<double>& y)
{
    for (std::size_t i = 0; i < PointCount; ++i) {
        projection.inverse(e[i], n[i], y[i], x[i]);
    }
}

// Largest distances between the two sides' results.
struct Agreement
{
    double gridMm = 0.0;
    double geographicDeg = 0.0;
};

const Agreement& agreement()
{
    static const Agreement a = [] {
        Agreement a;
        const Points& p = points();
        Proj proj;
        const UtmProjection projection(Zone, Axis, InverseFlattening);
        std::vector<double> pe(PointCount), pn(PointCount), ke(PointCount), kn(PointCount);
        projForward(proj.pj, p, pe, pn);
        korvelForward(projection, p, ke, kn);
        for (std::size_t i = 0; i < PointCount; ++i) {
            a.gridMm = std::max(a.gridMm, 1000.0 * std::hypot(pe[i] - ke[i], pn[i] - kn[i]));
        }
        std::vector<double> plon(PointCount), plat(PointCount), klon(PointCount), klat(PointCount);
        projInverse(proj.pj, pe, pn, plon, plat);
        korvelInverse(projection, pe, pn, klon, klat);
        for (std::size_t i = 0; i < PointCount; ++i) {
            a.geographicDeg
                = std::max({ a.geographicDeg, std::abs(plon[i] - klon[i]), std::abs(plat[i] - klat[i]) });
        }
        return a;
    }();
    return a;
}

void report(benchmark::State& state)
{
    state.SetItemsProcessed(
        static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(PointCount));
    // Seconds per point, shown with an SI prefix ("45n" is 45 ns).
    state.counters["per_point"] = benchmark::Counter(static_cast<double>(PointCount),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["max_grid_diff_mm"] = agreement().gridMm;
    state.counters["max_geo_diff_deg"] = agreement().geographicDeg;
}

void BM_KorvelForward(benchmark::State& state)
{
    const Points& p = points();
    const UtmProjection projection(Zone, Axis, InverseFlattening);
    std::vector<double> e(PointCount), n(PointCount);
    for (auto _ : state) {
        korvelForward(projection, p, e, n);
        benchmark::DoNotOptimize(e.data());
        benchmark::DoNotOptimize(n.data());
    }
    report(state);
}

void BM_ProjForward(benchmark::State& state)
{
    const Points& p = points();
    Proj proj;
    std::vector<double> x(PointCount), y(PointCount);
    for (auto _ : state) {
        projForward(proj.pj, p, x, y);
        benchmark::DoNotOptimize(x.data());
    }
    report(state);
}

void BM_KorvelInverse(benchmark::State& state)
{
    const Points& p = points();
    const UtmProjection projection(Zone, Axis, InverseFlattening);
    std::vector<double> e(PointCount), n(PointCount), lon(PointCount), lat(PointCount);
    korvelForward(projection, p, e, n);
    for (auto _ : state) {
        korvelInverse(projection, e, n, lon, lat);
        benchmark::DoNotOptimize(lon.data());
        benchmark::DoNotOptimize(lat.data());
    }
    report(state);
}

void BM_ProjInverse(benchmark::State& state)
{
    const Points& p = points();
    Proj proj;
    std::vector<double> e(PointCount), n(PointCount), lon(PointCount), lat(PointCount);
    projForward(proj.pj, p, e, n);
    for (auto _ : state) {
        projInverse(proj.pj, e, n, lon, lat);
        benchmark::DoNotOptimize(lon.data());
    }
    report(state);
}

// The register form callers use point by point.
void BM_KorvelRegistersForward(benchmark::State& state)
{
    const Points& p = points();
    UtmRegisters& r = utmRegisters();
    r.UTMZone = Zone;
    r.SemiMajorAxis = Axis;
    r.InverseFlattening = InverseFlattening;
    double sum = 0.0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < PointCount; ++i) {
            r.Latitude = p.latitude[i];
            r.Longitude = p.longitude[i];
            LatLongToUTM();
            sum += r.Easting;
        }
        benchmark::DoNotOptimize(sum);
    }
    report(state);
}

void BM_KorvelRegistersInverse(benchmark::State& state)
{
    const Points& p = points();
    const UtmProjection projection(Zone, Axis, InverseFlattening);
    std::vector<double> e(PointCount), n(PointCount);
    korvelForward(projection, p, e, n);
    UtmRegisters& r = utmRegisters();
    r.UTMZone = Zone;
    r.SemiMajorAxis = Axis;
    r.InverseFlattening = InverseFlattening;
    double sum = 0.0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < PointCount; ++i) {
            r.Easting = e[i];
            r.Northing = n[i] < 0.0 ? n[i] + UtmFalseNorthing : n[i];
            UTMToLatLong(); // reads the map's hemisphere: northern points come back right
            sum += r.Longitude;
        }
        benchmark::DoNotOptimize(sum);
    }
    report(state);
}

} // namespace

BENCHMARK(BM_KorvelForward)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjForward)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KorvelInverse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjInverse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KorvelRegistersForward)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KorvelRegistersInverse)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

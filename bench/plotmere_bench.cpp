// The control library's speed: XY2BL in memory beside PROJ's transverse Mercator inverse on
// the same points (PROJ gives latitude and longitude only; XY2BL the convergence as well),
// and CalcGeoHt on a geoid table of the full grid's size.
//
//   build/bench/bench_plotmere --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>
#include <proj.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>
#include <vector>

#include "plotmere/geodesy/GeoidGrid.h"
#include "plotmere/geodesy/clsGeoid.h"

namespace {

struct PlanePoint {
    double x, y;
};

// Zone IX, |X| <= 300 km, |Y| <= 200 km.
const std::vector<PlanePoint>& Points() {
    static const std::vector<PlanePoint> points = [] {
        std::mt19937 random(9);
        std::uniform_real_distribution<double> x(-300000, 300000), y(-200000, 200000);
        std::vector<PlanePoint> p(100000);
        for (PlanePoint& q : p) q = {x(random), y(random)};
        return p;
    }();
    return points;
}

void Xy2Bl(benchmark::State& state) {
    plotmere::clsGeoid geoid;
    const std::vector<PlanePoint>& points = Points();
    size_t i = 0;
    double b = 0, l = 0, c = 0;
    for (auto _ : state) {
        const PlanePoint& p = points[i++ % points.size()];
        geoid.XY2BL(9, p.x, p.y, b, l, c);
        benchmark::DoNotOptimize(b + l + c);
    }
    state.counters["points/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(Xy2Bl);

// PROJ's inverse of the same zone (EPSG:6677 to geographic), in batches as proj_trans_generic
// is meant to be used.
void ProjInverse(benchmark::State& state) {
    PJ_CONTEXT* context = proj_context_create();
    PJ* tmerc = proj_create(context,
                            "+proj=tmerc +lat_0=36 +lon_0=139.833333333333333 +k=0.9999 +x_0=0 +y_0=0 +ellps=GRS80 +units=m");
    const std::vector<PlanePoint>& points = Points();
    std::vector<double> east(points.size()), north(points.size());
    for (auto _ : state) {
        state.PauseTiming();
        for (size_t i = 0; i < points.size(); ++i) {
            east[i] = points[i].y;
            north[i] = points[i].x;
        }
        state.ResumeTiming();
        proj_trans_generic(tmerc, PJ_INV, east.data(), sizeof(double), east.size(), north.data(), sizeof(double),
                           north.size(), nullptr, 0, 0, nullptr, 0, 0);
        benchmark::DoNotOptimize(east.data());
    }
    state.counters["points/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * points.size()), benchmark::Counter::kIsRate);
    proj_destroy(tmerc);
    proj_context_destroy(context);
}
BENCHMARK(ProjInverse)->Unit(benchmark::kMillisecond);

// A table of the full grid's 2.16 million nodes, built once.
const QTemporaryDir& GeoidFolder() {
    static QTemporaryDir folder;
    static const bool built = [] {
        QFile file(folder.filePath(QStringLiteral("grid.asc")));
        if (!file.open(QIODevice::WriteOnly)) return false;
        QByteArray text = "  20.00000 120.00000 0.016667 0.025000 1801 1201 1  ver2.2\r\n";
        char field[16];
        for (int row = 0; row <= plotmere::kLastRow; ++row)
            for (int column = 0; column <= plotmere::kLastColumn; ++column) {
                std::snprintf(field, sizeof field, "%9.4f", 30 + 0.001 * row + 0.0001 * column);
                text += field;
                if (column % 28 == 27 || column == plotmere::kLastColumn) text += "\r\n";
            }
        file.write(text);
        file.close();
        return plotmere::ImportGeoidGrid(file.fileName(), folder.filePath(QStringLiteral("GeoidTbl.mdb"))).isEmpty();
    }();
    (void)built;
    return folder;
}

void CalcGeoHt(benchmark::State& state) {
    const QString path = GeoidFolder().path();
    plotmere::clsGeoid geoid;
    std::mt19937 random(15);
    std::uniform_real_distribution<double> minutes(0, 59.9);
    for (auto _ : state) {
        const double lat = 350000 + std::floor(minutes(random)) * 100 + 30.5;
        const double lon = 1390000 + std::floor(minutes(random)) * 100 + 12.25;
        benchmark::DoNotOptimize(geoid.CalcGeoHt(lat, lon, path, path, path));
    }
    state.counters["calls/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(CalcGeoHt);

}  // namespace

BENCHMARK_MAIN();

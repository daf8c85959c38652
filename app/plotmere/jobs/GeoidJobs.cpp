// geoid and geoid-import: the geoid height from the table, and the national grid into it.

#include <cmath>
#include <cstdio>

#include "jobs/Job.h"
#include "jobs/JobParser.h"
#include "plotmere/geodesy/GeoidGrid.h"
#include "plotmere/geodesy/clsGeoid.h"

namespace plotmere_app {
namespace {

const QString kPath = QStringLiteral("path");

int Geoid(const QStringList& arguments) {
    JobParser job(QStringLiteral("geoid"), QStringLiteral("LAT LON [--path DIR]..."),
                  QStringLiteral("緯度・経度（dd·10000 + mm·100 + ss.sss）のジオイド高（m）を書きます。\n"
                                 "表は DIR/GeoidTbl.mdb、DIR/Varnholt/GeoidTbl.mdb、DIR/GeoidTbl.mdb の順に探します"
                                 "（--path は 3 つまで、ないときは現在のフォルダー）。\n"
                                 "値のないところは 999.0000 で、終了状態 1 です。"));
    job.AddOption({kPath, QStringLiteral("表を探すフォルダー。"), QStringLiteral("DIR")});
    if (const auto end = job.Parse(arguments, 2, 2)) return *end;
    QStringList paths = job.Values(kPath);
    if (paths.size() > 3) return job.Usage(QStringLiteral("--path は 3 つまでです。"));
    double lat = 0, lon = 0;
    if (!ToDouble(job.Arguments()[0], lat) || !ToDouble(job.Arguments()[1], lon))
        return job.Usage(QStringLiteral("緯度と経度は数で与えます。"));
    if (paths.isEmpty()) paths << QStringLiteral(".");
    while (paths.size() < 3) paths << paths.constLast();
    plotmere::clsGeoid geoid;
    const float h = geoid.CalcGeoHt(lat, lon, paths[0], paths[1], paths[2]);
    std::printf("%.4f\n", h);
    return h == plotmere::kNoHeight ? kExitProblems : kExitOk;
}

int GeoidImport(const QStringList& arguments) {
    JobParser job(QStringLiteral("geoid-import"), QStringLiteral("FILE.asc GeoidTbl.mdb"),
                  QStringLiteral("ジオイド・モデルの ASCII 格子（20°N 120°E から 1′×1.5′、1801 行 × 1201 列）を\n"
                                 "表 H（ID = 行 × 10000 + 列、南の行・西の列が 0）にします。999 の値は入れません。\n"
                                 "一つのトランザクションで書き、失敗したときは元の表が残ります。"));
    if (const auto end = job.Parse(arguments, 2, 2)) return *end;
    const QString fault = plotmere::ImportGeoidGrid(job.Arguments()[0], job.Arguments()[1]);
    if (fault.isEmpty()) return kExitOk;
    Tell(fault);
    return kExitTrouble;
}

}  // namespace

QList<Job> GeoidJobs() {
    return {
        {QStringLiteral("geoid"), QStringLiteral("LAT LON [--path DIR]..."), QStringLiteral("ジオイド高"), Needs::Core,
         Geoid},
        {QStringLiteral("geoid-import"), QStringLiteral("FILE.asc GeoidTbl.mdb"),
         QStringLiteral("ジオイドの ASCII 格子を表に"), Needs::Core, GeoidImport},
    };
}

}  // namespace plotmere_app

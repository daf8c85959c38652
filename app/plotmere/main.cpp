// plotmere: the control library's geodesy on the command line.
//   plotmere xy2bl ZONE X Y       latitude, longitude and reversed convergence in seconds
//   plotmere xy2bl                 "ZONE X Y" lines from standard input, one result line each
//   plotmere dms2deg VALUE         a packed ddd·10000 + mm·100 + ss.sss value unpacked
//   plotmere geoid LAT LON [--path DIR]...   the geoid height from GeoidTbl.mdb
//   plotmere geoid-import FILE.asc GeoidTbl.mdb   the national ASCII grid into the table

#include <QCoreApplication>
#include <QTextStream>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>
#include <cstdio>
#include <stdexcept>

#include "plotmere/geodesy/clsGeoid.h"
#include "plotmere/geodesy/GeoidGrid.h"
#include "plotmere/geodesy/PlaneLine.h"
#include "plotmere/geodesy/Prompt.h"

namespace {

constexpr int kUsage = 2;

class ErrPrompt : public plotmere::Prompt {
  public:
    void Show(const QString& text) override { std::fprintf(stderr, "plotmere: %s\n", text.toLocal8Bit().constData()); }
};

int Usage() {
    std::fputs("使い方: plotmere xy2bl [ZONE X Y] | plotmere dms2deg VALUE | plotmere geoid LAT LON [--path DIR]... |\n"
               "        plotmere geoid-import FILE.asc GeoidTbl.mdb\n"
               "  xy2bl: 平面直角座標（系 1-19、X 北、Y 東、メートル）を緯度・経度・子午線収差（符号反転）の秒に。\n"
               "         座標がないときは標準入力の「系 X Y」の行を一行ずつ変換します。\n"
               "  dms2deg: ddd·10000 + mm·100 + ss.sss の値を符号・度・分・秒と十進の度に。\n"
               "  geoid: 緯度・経度（dd·10000 + mm·100 + ss.sss）のジオイド高（m）。--path は最大 3 つ、\n"
               "         DIR/GeoidTbl.mdb、DIR/Varnholt/GeoidTbl.mdb、DIR/GeoidTbl.mdb の順に探します。999.0000 は値なし。\n"
               "  geoid-import: 国土地理院の ASCII 格子（20°N 120°E、1801×1201）を表 H にします。\n",
               stderr);
    return kUsage;
}

bool ToDouble(const QString& text, double& value) {
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

bool ToZone(const QString& text, int& zone) {
    bool ok = false;
    zone = text.toInt(&ok);
    return ok && zone >= 1 && zone <= 19;
}

// Appends "vB vL vC" with six decimals, as printf's %.6f writes them.
void AppendBL(std::string& out, double b, double l, double c) {
    char text[96];
    char* at = text;
    for (double v : {b, l, c + 0.0}) {  // + 0.0: no "-0.000000" on the central meridian
        at = std::to_chars(at, text + sizeof text, v, std::chars_format::fixed, 6).ptr;
        *at++ = ' ';
    }
    at[-1] = '\n';
    out.append(text, at);
}

void PrintBL(int zone, double x, double y, plotmere::clsGeoid& geoid) {
    double b = 0, l = 0, c = 0;
    geoid.XY2BL(zone, x, y, b, l, c);
    std::string out;
    AppendBL(out, b, l, c);
    std::fputs(out.c_str(), stdout);
}

// One line in, one line out; a line that is no "ZONE X Y" is told with its number and
// answered with an empty line. Read and written in large blocks: a million lines a second.
int Batch(plotmere::clsGeoid& geoid) {
    constexpr size_t kBlock = 1 << 20;
    std::string pending, out;
    std::vector<char> block(kBlock);
    long number = 0;
    int status = 0;
    const auto line = [&](std::string_view text) {
        ++number;
        int zone = 0;
        double x = 0, y = 0, b = 0, l = 0, c = 0;
        if (!plotmere::ParsePlaneLine(text, zone, x, y)) {
            std::fprintf(stderr, "plotmere: %ld 行目は「系 X Y」ではありません。\n", number);
            out += '\n';
            status = 1;
            return;
        }
        geoid.XY2BL(zone, x, y, b, l, c);
        AppendBL(out, b, l, c);
    };
    size_t got = 0;
    while ((got = std::fread(block.data(), 1, kBlock, stdin)) > 0) {
        pending.append(block.data(), got);
        size_t start = 0;
        for (size_t nl = pending.find('\n'); nl != std::string::npos; nl = pending.find('\n', start)) {
            line(std::string_view(pending).substr(start, nl - start));
            start = nl + 1;
        }
        pending.erase(0, start);
        if (out.size() >= kBlock) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    if (!pending.empty()) line(pending);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return status;
}

int Xy2Bl(const QStringList& args) {
    ErrPrompt prompt;
    plotmere::clsGeoid geoid(&prompt);
    if (args.isEmpty()) return Batch(geoid);
    int zone = 0;
    double x = 0, y = 0;
    if (args.size() != 3 || !ToZone(args[0], zone) || !ToDouble(args[1], x) || !ToDouble(args[2], y)) return Usage();
    PrintBL(zone, x, y, geoid);
    return 0;
}

int Dms2Deg(const QStringList& args) {
    double value = 0;
    if (args.size() != 1 || !ToDouble(args[0], value)) return Usage();
    double deg = 0, s = 0;
    int16_t sign = 0, d = 0, m = 0;
    plotmere::clsGeoid::dms2deg(value, deg, sign, d, m, s);
    std::printf("%d %d %d %.6f %.12f\n", sign, d, m, s, deg);
    return 0;
}

int Geoid(QStringList args) {
    QStringList paths;
    while (args.size() >= 2 && args[args.size() - 2] == u"--path") {
        paths.prepend(args.takeLast());
        args.removeLast();
    }
    double lat = 0, lon = 0;
    if (args.size() != 2 || paths.size() > 3 || !ToDouble(args[0], lat) || !ToDouble(args[1], lon)) return Usage();
    if (paths.isEmpty()) paths << QStringLiteral(".");
    while (paths.size() < 3) paths << paths.constLast();
    plotmere::clsGeoid geoid;
    const float h = geoid.CalcGeoHt(lat, lon, paths[0], paths[1], paths[2]);
    std::printf("%.4f\n", h);
    return h == plotmere::kNoHeight ? 1 : 0;
}

int GeoidImport(const QStringList& args) {
    if (args.size() != 2) return Usage();
    const QString fault = plotmere::ImportGeoidGrid(args[0], args[1]);
    if (fault.isEmpty()) return 0;
    std::fprintf(stderr, "plotmere: %s\n", fault.toLocal8Bit().constData());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) return Usage();
    const QString job = args.takeFirst();
    if (job == u"xy2bl") return Xy2Bl(args);
    if (job == u"dms2deg") return Dms2Deg(args);
    if (job == u"geoid") return Geoid(args);
    if (job == u"geoid-import") return GeoidImport(args);
    return Usage();
}

// xy2bl and dms2deg: plane rectangular coordinates to latitude and longitude, and packed
// angles unpacked.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "jobs/Job.h"
#include "jobs/JobParser.h"
#include "plotmere/geodesy/PlaneLine.h"
#include "plotmere/geodesy/Prompt.h"
#include "plotmere/geodesy/clsGeoid.h"

namespace plotmere_app {
namespace {

class ErrPrompt : public plotmere::Prompt {
  public:
    void Show(const QString& text) override { Tell(text); }
};

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

// One line in, one line out; a line that is no "ZONE X Y" is told with its number and
// answered with an empty line. Read and written in large blocks: a million lines a second.
int Batch(plotmere::clsGeoid& geoid) {
    constexpr size_t kBlock = 1 << 20;
    std::string pending, out;
    std::vector<char> block(kBlock);
    long number = 0;
    int status = kExitOk;
    const auto line = [&](std::string_view text) {
        ++number;
        int zone = 0;
        double x = 0, y = 0, b = 0, l = 0, c = 0;
        if (!plotmere::ParsePlaneLine(text, zone, x, y)) {
            std::fprintf(stderr, "plotmere: %ld 行目は「系 X Y」ではありません。\n", number);
            out += '\n';
            status = kExitProblems;
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

int Xy2Bl(const QStringList& arguments) {
    JobParser job(QStringLiteral("xy2bl"), QStringLiteral("[ZONE X Y]"),
                  QStringLiteral("平面直角座標（系 1-19、X 北、Y 東、メートル）を緯度・経度・子午線収差の秒に変換し、\n"
                                 "「緯度 経度 収差」を書きます。収差は中央子午線の東で負（符号反転）です。\n"
                                 "座標がないときは標準入力の「系 X Y」の行を一行ずつ変換し、一行ずつ答えます。"));
    if (const auto end = job.Parse(arguments, 0, 3)) return *end;
    ErrPrompt prompt;
    plotmere::clsGeoid geoid(&prompt);
    const QStringList a = job.Arguments();
    if (a.isEmpty()) return Batch(geoid);
    int zone = 0;
    double x = 0, y = 0;
    if (a.size() != 3 || !plotmere::ParsePlaneLine((a.join(u' ')).toStdString(), zone, x, y))
        return job.Usage(QStringLiteral("系（1-19）と X、Y の数が要ります。"));
    double b = 0, l = 0, c = 0;
    geoid.XY2BL(zone, x, y, b, l, c);
    std::string out;
    AppendBL(out, b, l, c);
    std::fputs(out.c_str(), stdout);
    return kExitOk;
}

int Dms2Deg(const QStringList& arguments) {
    JobParser job(QStringLiteral("dms2deg"), QStringLiteral("VALUE"),
                  QStringLiteral("ddd·10000 + mm·100 + ss.sss の値を「符号 度 分 秒 十進の度」に分けます。"));
    if (const auto end = job.Parse(arguments, 1, 1)) return *end;
    double value = 0;
    if (!ToDouble(job.Arguments().constFirst(), value)) return job.Usage(QStringLiteral("VALUE が数ではありません。"));
    double deg = 0, s = 0;
    int16_t sign = 0, d = 0, m = 0;
    plotmere::clsGeoid::dms2deg(value, deg, sign, d, m, s);
    std::printf("%d %d %d %.6f %.12f\n", sign, d, m, s, deg);
    return kExitOk;
}

}  // namespace

QList<Job> GeodesyJobs() {
    return {
        {QStringLiteral("xy2bl"), QStringLiteral("[ZONE X Y]"), QStringLiteral("平面直角座標を緯度・経度・子午線収差に"),
         Needs::Core, Xy2Bl},
        {QStringLiteral("dms2deg"), QStringLiteral("VALUE"), QStringLiteral("度分秒の詰めた値を分ける"), Needs::Core,
         Dms2Deg},
    };
}

}  // namespace plotmere_app

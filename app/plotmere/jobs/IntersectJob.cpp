// intersect: the intersection view's answers for two elements given on the command line,
// and its figure as an image on request.

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>

#include "jobs/ImageFile.h"
#include "jobs/Job.h"
#include "jobs/JobParser.h"
#include "plotmere/plotview/Intersections.h"
#include "plotmere/plotview/PlotScene.h"
#include "plotmere/plotview/ui/ScenePainter.h"

namespace plotmere_app {
namespace {

const QString kPng = QStringLiteral("png");
const QString kSize = QStringLiteral("size");

// "NAME,X,Y": the name may be empty (the point is then not given) or hold commas.
bool ReadPoint(const QString& text, QString& name, plotmere::GridPoint& point) {
    const qsizetype second = text.lastIndexOf(u',');
    const qsizetype first = second > 0 ? text.lastIndexOf(u',', second - 1) : -1;
    if (first < 0) return false;
    name = text.left(first);
    return ToDouble(text.mid(first + 1, second - first - 1), point.x) && ToDouble(text.mid(second + 1), point.y);
}

// A text property that must read as a number when given.
bool ReadNumberText(const JobParser& job, const QString& option, QString& text) {
    if (!job.IsSet(option)) return true;
    text = job.Value(option);
    double value = 0;
    return ToDouble(text, value);
}

bool ReadSize(const QString& text, QSize& size) {
    const QStringList f = text.split(u'x');
    bool okW = false, okH = false;
    if (f.size() == 2) size = QSize(f[0].toInt(&okW), f[1].toInt(&okH));
    return okW && okH && size.width() >= 16 && size.height() >= 16 && size.width() <= 8000 && size.height() <= 8000;
}

QString Figure(const plotmere::KoutenInput& input, const plotmere::KoutenFigure& figure, const QString& path,
               QSize size) {
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        plotmere::PaintScene(painter, plotmere::KoutenScene(input, figure), size);
    }
    return SavePng(image, path);
}

int Intersect(const QStringList& arguments) {
    JobParser job(QStringLiteral("intersect"), QStringLiteral("--p1 NAME,X,Y [要素の指定...] [--png FILE]"),
                  QStringLiteral(
                      "交点計算の図の二要素を作り、交点（2 つまで）を「AnsCount 数」「1Ans X Y」「2Ans X Y」と書きます。\n"
                      "X は北、Y は東（メートル）、方向角は秒（324000 が東）。\n"
                      "要素 1: P1 と P2 の直線、または P1 から方向角 --hang1 の直線、または中心 P1・半径 --r1 の円。\n"
                      "要素 2: P3 と P4、--hang2、--r2 で同じように。要素 1 が直線で P3 だけのときは P3 からの垂線の足。\n"
                      "--hanare1/2 は直線を平行に移します（正で進む向きの右、負で左）。\n"
                      "交点がないときは終了状態 1 です。"));
    for (int i = 1; i <= 4; ++i)
        job.AddOption({QStringLiteral("p%1").arg(i), QStringLiteral("点 P%1 の名前、X、Y。").arg(i),
                       QStringLiteral("NAME,X,Y")});
    for (int i = 1; i <= 2; ++i) {
        job.AddOption({QStringLiteral("hang%1").arg(i), QStringLiteral("要素 %1 の方向角（秒）。").arg(i), QStringLiteral("SEC")});
        job.AddOption({QStringLiteral("hanare%1").arg(i), QStringLiteral("要素 %1 の平行移動（m）。").arg(i), QStringLiteral("M")});
        job.AddOption({QStringLiteral("r%1").arg(i), QStringLiteral("要素 %1 の円の半径（m）。").arg(i), QStringLiteral("M")});
    }
    job.AddOption({kPng, QStringLiteral("図を PNG に書きます。"), QStringLiteral("FILE")});
    job.AddOption({kSize, QStringLiteral("図の大きさ（画素、既定 480x360）。"), QStringLiteral("WxH")});
    if (const auto end = job.Parse(arguments, 0, 0)) return *end;
    if (!job.IsSet(QStringLiteral("p1"))) return job.Usage(QStringLiteral("要素 1 の点 --p1 が要ります。"));

    plotmere::KoutenInput input;
    for (int i = 0; i < 4; ++i) {
        const QString option = QStringLiteral("p%1").arg(i + 1);
        if (job.IsSet(option) && !ReadPoint(job.Value(option), input.names[i], input.points[i]))
            return job.Usage(QStringLiteral("--") + option + QStringLiteral(" は NAME,X,Y で与えます。"));
    }
    for (int i = 0; i < 2; ++i) {
        const QString n = QString::number(i + 1);
        if (!ReadNumberText(job, QStringLiteral("hang") + n, input.hang[i]) ||
            !ReadNumberText(job, QStringLiteral("hanare") + n, input.hanare[i]) ||
            !ReadNumberText(job, QStringLiteral("r") + n, input.radius[i]))
            return job.Usage(QStringLiteral("方向角・平行移動・半径は数で与えます。"));
    }
    QSize size(480, 360);
    if (job.IsSet(kSize) && !ReadSize(job.Value(kSize), size))
        return job.Usage(QStringLiteral("--size は 16x16 から 8000x8000 の WxH で与えます。"));

    const plotmere::KoutenFigure figure = plotmere::SolveKouten(input);
    std::printf("AnsCount %d\n", static_cast<int>(figure.answers.size()));
    for (size_t i = 0; i < figure.answers.size(); ++i)
        std::printf("%dAns %.4f %.4f\n", static_cast<int>(i + 1), figure.answers[i].x + 0.0, figure.answers[i].y + 0.0);
    if (job.IsSet(kPng)) {
        if (const QString fault = Figure(input, figure, job.Value(kPng), size); !fault.isEmpty()) {
            Tell(fault);
            return kExitTrouble;
        }
    }
    return figure.answers.empty() ? kExitProblems : kExitOk;
}

}  // namespace

QList<Job> IntersectJobs() {
    return {{QStringLiteral("intersect"), QStringLiteral("--p1 NAME,X,Y ..."), QStringLiteral("二要素の交点（と図）"),
             Needs::Paint, Intersect}};
}

}  // namespace plotmere_app

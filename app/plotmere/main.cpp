// plotmere: the control library's command line. The job's name comes first; each job parses
// its own arguments (plotmere JOB --help).

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "jobs/Job.h"

namespace {

using plotmere_app::Job;

QList<Job> AllJobs() {
    return plotmere_app::GeodesyJobs() + plotmere_app::GeoidJobs() + plotmere_app::IntersectJobs() +
           plotmere_app::ViewJobs();
}

int TopHelp(FILE* to, int status) {
    QString text = QStringLiteral("使い方: plotmere JOB [引数...]\n\nジョブ:\n");
    for (const Job& job : AllJobs())
        text += QStringLiteral("  ") + (job.name + u' ' + job.syntax).leftJustified(44) + job.summary + u'\n';
    text += QStringLiteral("\n各ジョブの説明: plotmere JOB --help\n"
                           "終了状態: 0 問題なし、1 入力に問題が見つかった、2 使い方の誤り・読み書きできないファイル。\n");
    std::fputs(text.toLocal8Bit().constData(), to);
    return status;
}

// The application the job needs: a window, an image without a display, or text only.
std::unique_ptr<QCoreApplication> Application(plotmere_app::Needs needs, int& argc, char** argv) {
    switch (needs) {
        case plotmere_app::Needs::Display:
            return std::make_unique<QApplication>(argc, argv);
        case plotmere_app::Needs::Paint:
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
            return std::make_unique<QGuiApplication>(argc, argv);
        case plotmere_app::Needs::Core:
            break;
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (name == u"--help" || name == u"-h") return TopHelp(stdout, plotmere_app::kExitOk);
    for (const Job& job : AllJobs()) {
        if (job.name != name) continue;
        const auto app = Application(job.needs, argc, argv);
        return job.run(QCoreApplication::arguments().mid(2));
    }
    if (!name.isEmpty()) std::fprintf(stderr, "plotmere: ジョブ %s はありません。\n", argv[1]);
    return TopHelp(stderr, plotmere_app::kExitTrouble);
}

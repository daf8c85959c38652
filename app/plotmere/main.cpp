// plotmere: the control library's command line. The job's name comes first; each job parses
// its own arguments (plotmere JOB --help).

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
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

// A window's job told to write its picture (--png) needs no display.
bool WritesPicture(const QStringList& arguments) {
    for (const QString& a : arguments) {
        if (a == u"--") break;
        if (a == u"--png" || a.startsWith(u"--png=")) return true;
    }
    return false;
}

bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void PaintOffscreen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The application the job needs: a window (drawn offscreen when only its picture is
// wanted), an image without a display, or text only.
std::unique_ptr<QCoreApplication> Application(plotmere_app::Needs needs, bool picture, int& argc, char** argv) {
    switch (needs) {
        case plotmere_app::Needs::Display:
            if (picture) PaintOffscreen();
            return std::make_unique<QApplication>(argc, argv);
        case plotmere_app::Needs::Paint:
            PaintOffscreen();
            return std::make_unique<QGuiApplication>(argc, argv);
        case plotmere_app::Needs::Core:
            break;
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

// Qt's own texts (the help's option heading, the window's standard buttons) in Japanese,
// like the rest of the program; without the translation they stay English.
void TranslateQt(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator))
        return;
    delete translator;
}

}  // namespace

int main(int argc, char** argv) {
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (name == u"--help" || name == u"-h") return TopHelp(stdout, plotmere_app::kExitOk);
    for (const Job& job : AllJobs()) {
        if (job.name != name) continue;
        QStringList arguments;
        for (int i = 2; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
        const bool picture = WritesPicture(arguments);
        const bool help = arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"));
        if (job.needs == plotmere_app::Needs::Display && !picture && !help && !HasDisplay()) {
            std::fprintf(stderr, "plotmere: %s には画面が要ります（--png FILE で図を画像に書けます）。\n", argv[1]);
            return plotmere_app::kExitTrouble;
        }
        const auto app = Application(help ? plotmere_app::Needs::Core : job.needs, picture, argc, argv);
        TranslateQt(*app);
        return job.run(arguments);
    }
    if (!name.isEmpty()) std::fprintf(stderr, "plotmere: ジョブ %s はありません。\n", argv[1]);
    return TopHelp(stderr, plotmere_app::kExitTrouble);
}

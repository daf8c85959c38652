// trevanto: the demo host. Without arguments it opens the main menu on the demo district;
// with a job name it runs that job on the command line.

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

#include "platform/DbError.h"
#include "platform/Folders.h"
#include "trevanto/DemoDistrict.h"
#include "trevanto/DemoHost.h"

namespace {

const char kUsage[] =
    "Usage: trevanto [JOB]\n"
    "\n"
    "Without a job, opens the main menu on the demo district (needs a display).\n"
    "\n"
    "Jobs:\n"
    "  district      create the demo district if needed and print where it is\n"
    "  --help, -h    show this help\n"
    "\n"
    "Files go to $TREVANTO_HOME, else ~/.local/share/Brandel/Trevanto.\n";

int PrintDistrict() {
    const QString path = trevanto_host::EnsureDemoDistrict(platform::WorkFolder());
    QTextStream(stdout) << "demo district " << trevanto_host::kDemoRegName << ": " << path << Qt::endl;
    return 0;
}

int RunMenu(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QString database = trevanto_host::EnsureDemoDistrict(platform::WorkFolder());
    trevanto_host::DemoHost host(database, trevanto_host::kDemoRegID, trevanto_host::kDemoRegName);
    if (!host.Start()) return app.exec();  // another instance runs: ends at once
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    const QString job = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    try {
        if (job == QStringLiteral("--help") || job == QStringLiteral("-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (job == QStringLiteral("district")) {
            QCoreApplication app(argc, argv);
            return PrintDistrict();
        }
        if (!job.isEmpty()) {
            std::fprintf(stderr, "trevanto: unknown job '%s'\n\n%s", argv[1], kUsage);
            return 2;
        }
        return RunMenu(argc, argv);
    } catch (const platform::DbError& e) {
        std::fprintf(stderr, "trevanto: %s\n", e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "trevanto: %s\n", e.what());
        return 1;
    }
}

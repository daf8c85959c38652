// trevanto: the demo host. Without a job it opens the main menu on the demo district (or the
// district database named with --database); with one it runs that job on the command line.

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include "host/KobelinDlg.h"
#include "platform/AutomationError.h"
#include "platform/Prompt.h"
#include "platform/Translations.h"
#include "platform/ui/QtPrompt.h"
#include "trevanto/DemoDistrict.h"
#include "trevanto/DemoHost.h"
#include "trevanto/jobs/CommandLine.h"
#include "trevanto/jobs/Job.h"

namespace {

// Tells the user who started the menu why it cannot open: on stderr, and in a message box
// for one who started it from the desktop.
int CannotOpen(const QString& why, QTextStream& err) {
    err << "trevanto: " << why << Qt::endl;
    platform::InstallQtPromptIfNone();
    platform::ActivePrompt().Show(why, QStringLiteral("確認"), platform::PromptIcon::Critical);
    return trevanto_app::kExitTrouble;
}

// Opens the menu and runs until the user ends the program. A second start while one runs
// brings that one's window forward and ends with status 3.
int RunMenu(QApplication& app, const QString& databaseOption, QTextStream& err) {
    app.setQuitOnLastWindowClosed(false);
    platform::InstallQtTranslations();
    QString database;
    try {
        QTextStream out(stdout);
        trevanto_app::JobContext context{databaseOption, out, err};
        database = trevanto_app::DistrictDatabase(context);
    } catch (...) {
        return CannotOpen(trevanto_app::TroubleText(std::current_exception()), err);
    }
    trevanto_host::DemoHost host(database, trevanto_host::kDemoRegID, trevanto_host::kDemoRegName);
    try {
        host.Start();
    } catch (const platform::AutomationError& e) {
        err << "trevanto: " << e.Description() << Qt::endl;
        return host::kSecondInstanceExit;
    }
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream err(stderr);
    if (trevanto_app::OpensMenu(arguments)) {
        QApplication app(argc, argv);
        return RunMenu(app, trevanto_app::MenuDatabase(arguments), err);
    }
    QTextStream out(stdout);
    if (trevanto_app::PaintsReports(arguments)) {
        // Reports are painted without a window, on any machine.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        platform::InstallQtTranslations();
        return trevanto_app::RunCommandLine(arguments, out, err);
    }
    QCoreApplication app(argc, argv);
    platform::InstallQtTranslations();
    return trevanto_app::RunCommandLine(arguments, out, err);
}

// trevanto: the demo host. Without a job it opens the main menu on the demo district;
// with one it runs that job on the command line.

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

#include "apa/ApaCheck.h"
#include "host/KobelinDlg.h"
#include "host/state/ProcessValues.h"
#include "platform/Folders.h"
#include "trevanto/CalcReport.h"
#include "trevanto/DemoDistrict.h"
#include "trevanto/DemoHost.h"
#include "trevanto/SampleTraverse.h"

namespace {

const char kUsage[] =
    "Usage: trevanto [--database FILE] [JOB ...]\n"
    "\n"
    "Without a job, opens the main menu on the district (needs a display).\n"
    "The district is the demo district unless --database names another calculation database.\n"
    "\n"
    "Jobs:\n"
    "  district                   create the demo district if needed and print where it is\n"
    "  calc list                  print the district's calculation tree\n"
    "  calc show ID               print one stored calculation: points, parameters, elements\n"
    "  calc save-sample [FOLDER]  hand a sample closed traverse to the host through SaveStart,\n"
    "                             as traverse creation does, and print what was stored\n"
    "  apa check [--fix-codes] FILE...\n"
    "                             list the structural problems of APA field books, each with\n"
    "                             its line: records out of order, unknown records, numbers\n"
    "                             that do not read, sighting numbers of the wrong shape and\n"
    "                             observation codes that disagree with the sightings; exits 1\n"
    "                             when it found any. Number fields: C 1-6, D 3-4, F 3 and 5-8;\n"
    "                             an empty one is fine, one that is not wholly a number is not\n"
    "                             (readers take its leading number, or 0). --fix-codes first\n"
    "                             rewrites the observation codes in place.\n"
    "  --help, -h                 show this help\n"
    "\n"
    "Files go to $TREVANTO_HOME, else ~/.local/share/Brandel/Trevanto.\n";

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}

qint32 IdArgument(const QStringList& args, int index, qint32 fallback) {
    if (index >= args.size()) {
        if (fallback >= 0) return fallback;
        throw UsageError("an ID is missing");
    }
    bool ok = false;
    const qint32 id = args[index].toInt(&ok);
    if (!ok || id < 0) throw UsageError("not an ID: " + args[index].toStdString());
    return id;
}

// Fills the hand-off object and saves it: the host stores it while SaveStart runs.
int SaveSample(const QString& database, qint32 folder) {
    trevanto_host::DemoHost host(database, trevanto_host::kDemoRegID, trevanto_host::kDemoRegName);
    host.Dialog().SetDataBaseName(database);
    host.Dialog().SetNumbers();
    calcstore::clsConvert2& handOff = *host::Process().HandOff;
    trevanto_host::FillSampleTraverse(handOff, folder);
    bool saveOk = false;
    const bool saved = handOff.Save(saveOk);
    handOff.Clear();
    if (!saved) {
        std::fprintf(stderr, "trevanto: the host did not store the calculation: %s\n",
                     qPrintable(host.LastError()));
        return 1;
    }
    Out() << trevanto_host::CalcText(database, host.LastStoredCalc());
    host.Dialog().ProgramTerm();
    return 0;
}

// Checks each file, after fixing its codes when asked; 1 when any problem is left.
int CheckApaFiles(QStringList files) {
    const bool fix = files.removeAll(QStringLiteral("--fix-codes")) > 0;
    if (files.isEmpty()) throw UsageError("apa check needs a file");
    int found = 0;
    for (const QString& file : files) {
        QString reason;
        if (fix && !apa::FixObservationCodes(file, reason))
            Out() << file << ": codes not fixed: " << reason << Qt::endl;
        const QList<apa::ApaProblem> problems = apa::CheckApaFile(file);
        for (const apa::ApaProblem& p : problems)
            Out() << file << ':' << p.line << ": " << p.message << Qt::endl;
        if (problems.isEmpty()) Out() << file << ": ok" << Qt::endl;
        found += static_cast<int>(problems.size());
    }
    return found == 0 ? 0 : 1;
}

int RunJob(const QString& database, const QStringList& args) {
    const QString job = args.value(0);
    if (job == QStringLiteral("apa") && args.value(1) == QStringLiteral("check"))
        return CheckApaFiles(args.mid(2));
    if (job == QStringLiteral("district")) {
        Out() << "demo district " << trevanto_host::kDemoRegName << ": " << database << Qt::endl;
        return 0;
    }
    const QString action = args.value(1);
    if (job == QStringLiteral("calc") && action == QStringLiteral("list")) {
        Out() << trevanto_host::CalcTreeText(database);
        return 0;
    }
    if (job == QStringLiteral("calc") && action == QStringLiteral("show")) {
        Out() << trevanto_host::CalcText(database, IdArgument(args, 2, -1));
        return 0;
    }
    if (job == QStringLiteral("calc") && action == QStringLiteral("save-sample"))
        return SaveSample(database, IdArgument(args, 2, 1));
    throw UsageError("unknown job: " + args.join(u' ').toStdString());
}

int RunMenu(QApplication& app, const QString& database) {
    app.setQuitOnLastWindowClosed(false);
    trevanto_host::DemoHost host(database, trevanto_host::kDemoRegID, trevanto_host::kDemoRegName);
    host.Start();  // when another instance runs, the loop ends at once
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    try {
        QString database;
        if (args.value(0) == QStringLiteral("--database")) {
            if (args.size() < 2) throw UsageError("--database needs a file");
            database = args[1];
            args = args.mid(2);
        }
        if (args.isEmpty()) {
            QApplication app(argc, argv);
            return RunMenu(app, database.isEmpty()
                                    ? trevanto_host::EnsureDemoDistrict(platform::WorkFolder())
                                    : database);
        }
        QCoreApplication app(argc, argv);
        if (database.isEmpty() && args.value(0) != QStringLiteral("apa"))
            database = trevanto_host::EnsureDemoDistrict(platform::WorkFolder());
        return RunJob(database, args);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "trevanto: %s\n\n%s", e.what(), kUsage);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "trevanto: %s\n", e.what());
        return 1;
    }
}

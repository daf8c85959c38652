#pragma once
// trevanto's command line: global options, then a job and its own options and arguments.

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace trevanto_app {

// True when the arguments (without the program name) name no job, so that the main menu
// opens: nothing, or only --database with its file.
bool OpensMenu(const QStringList& arguments);
// The --database file of arguments that open the menu; empty when not given.
QString MenuDatabase(const QStringList& arguments);

// True when the arguments may name a job that paints (the reports), which needs a
// QGuiApplication on the offscreen platform rather than a QCoreApplication.
bool PaintsReports(const QStringList& arguments);

// Parses the arguments (without the program name) and runs the job they name; returns the
// exit status. Needs a QCoreApplication.
int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace trevanto_app

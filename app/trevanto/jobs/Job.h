#pragma once
// The command-line jobs of trevanto: each job group (calc, apa, convert, district, notebook,
// report, traverse, the communication jobs) lives in a file of its own and lists its jobs here; CommandLine.cpp parses
// the arguments and runs one.
//
// Exit statuses as diff has them: 0 all well, 1 problems found in the input, 2 trouble (bad
// use, a file that cannot be read or written, a failed job).

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <exception>
#include <functional>
#include <stdexcept>

namespace trevanto_app {

inline constexpr int kExitOk = 0;
inline constexpr int kExitProblems = 1;
inline constexpr int kExitTrouble = 2;

// Trouble that ends a job with status 2; the message goes to stderr as it is.
class JobError : public std::runtime_error {
  public:
    explicit JobError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

  private:
    QString message_;
};

// What every job is given: the district database named with --database (empty when the
// option was not given) and the output stream.
struct JobContext {
    QString database;
    QTextStream& out;
    QTextStream& err;
};

struct Job {
    QStringList words{};       // "calc", "show"
    QString summary{};         // one line, for the job lists
    QString description{};     // the job's own help, after the summary
    QString argumentSyntax{};  // as the usage line shows the arguments, e.g. "ID" or "[FOLDER]"
    int minArguments = 0;
    int maxArguments = 0;  // -1: no limit
    // Declares the job's options and positional arguments on its parser (may be empty).
    std::function<void(QCommandLineParser&)> declare{};
    // Runs the job with its parsed arguments; returns the exit status or throws.
    std::function<int(const QCommandLineParser&, JobContext&)> run{};
};

QList<Job> CalcJobs();
QList<Job> ApaJobs();
QList<Job> ConvertJobs();
QList<Job> DistrictJobs();
QList<Job> NotebookJobs();
QList<Job> ReportJobs();
QList<Job> TraverseJobs();
QList<Job> CommJobs();
QList<Job> ExportJobs();

// The district database the calculation jobs work on: --database as given, else the demo
// district in the work folder, made when missing. Either must be a regular file holding
// the district's tables; throws JobError, platform::FileError or platform::DbError.
QString DistrictDatabase(const JobContext& context);

// The folder a job writes into, checked: throws JobError when it is missing or no folder.
QString OutputFolder(const QString& folder);

// The text of a failure that ends a job or the start of the menu: a JobError's message, a
// database or file fault as the user can act on it. Rethrows any other exception.
QString TroubleText(std::exception_ptr failure);

}  // namespace trevanto_app

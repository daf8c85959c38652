#pragma once
// plotmere's jobs: each has a name, its arguments, a summary for the job list, what kind of
// application it needs, and its run function, which parses the job's own arguments.

#include <QList>
#include <QString>
#include <QStringList>

namespace plotmere_app {

constexpr int kExitOk = 0;
constexpr int kExitProblems = 1;  // the input was read and has faults, or has no answer
constexpr int kExitTrouble = 2;   // bad use, a file that cannot be read or written

enum class Needs {
    Core,     // text in, text out
    Paint,    // draws into an image, without a display
    Display,  // opens a window
};

struct Job {
    QString name;
    QString syntax;
    QString summary;
    Needs needs = Needs::Core;
    int (*run)(const QStringList& arguments) = nullptr;  // the arguments after the job's name
};

QList<Job> GeodesyJobs();
QList<Job> GeoidJobs();
QList<Job> IntersectJobs();
QList<Job> ViewJobs();

}  // namespace plotmere_app

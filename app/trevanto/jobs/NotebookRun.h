#pragma once
// What the notebook and report jobs share: the survey class option and the reduction of a
// field book with the district's names and elevations.

#include <QCommandLineParser>
#include <QString>
#include <optional>

#include "notebook/ObservationNotebook.h"
#include "notebook/SurveyClass.h"
#include "trevanto/jobs/Job.h"

namespace trevanto_app {

inline const QString kClassOption = QStringLiteral("class");

// Declares --class on the parser, with what it does in the job.
void DeclareClassOption(QCommandLineParser& parser, const QString& effect);

// The --class given; nullopt when absent. Throws JobError for a class that is none.
std::optional<notebook::SurveyClass> ClassOption(const QCommandLineParser& parser);

// Reduces the field book into SHUBO1.DAT and SHUBO.MDB of the folder, names by the district's
// numbering rules, elevations from its points. Throws JobError for a file that is no APA
// data or holds no lines, FileError and DbError for files that cannot be read or written.
notebook::NotebookSummary ReduceForJob(const QString& file, const QString& folder, JobContext& context,
                                       const QString& pageNumber = QString());

}  // namespace trevanto_app

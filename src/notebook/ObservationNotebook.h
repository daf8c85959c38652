#pragma once
// The observation notebook (観測手簿) of a field book: its text SHUBO1.DAT and its database
// SHUBO.MDB, made from the field book's lines by the reduction.
//
// Each station gives, in this order: its header block, then either its horizontal table
// and (when it has zenith angles or distances) its vertical/distance table, or, observed
// without sets, its plain list; then its rows of テーブル4 and KYORIHOSEI_. Pages hold 75
// lines; a station ends its page. DATA rows go with the table lines; DATA, HEDDER and
// テーブル4 rows are numbered by one counter of the run.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "notebook/NotebookOutput.h"
#include "notebook/PointNames.h"
#include "notebook/SurveyClass.h"

namespace platform {
class Database;
}

namespace notebook {

inline const QString kNotebookTextName = QStringLiteral("SHUBO1.DAT");

// What the reduction takes besides the field book.
struct NotebookSources {
    PointNames::LookUp pointName;              // the hand-off object's look-up; none keeps names
    platform::Database* district = nullptr;    // stations' elevations; none: every station new
    QString pageNumber;                        // the report's page-number setting, for HEDDER
};

struct NotebookSummary {
    int stations = 0;
    qint64 lines = 0;               // lines of SHUBO1.DAT
    std::vector<Measure> measures;  // the values a survey-class check looks at
    // What the field book holds that the notebook could not reduce, one sentence each:
    // sightings of a set station whose number gives no direction, set stations without the
    // reference direction 001.
    QStringList problems;
};

// Reduces the field book lines (without the slot-0 line of the program's array) into the
// output. Throws platform::DbError when the district cannot be read.
NotebookSummary ReduceFieldBook(const QStringList& lines, const NotebookSources& sources,
                                NotebookOutput& output);

// Makes SHUBO1.DAT and SHUBO.MDB in the folder anew; nullopt, touching nothing, when there
// are no lines. The database's rows are written in one transaction, and both files replace
// the older ones only when the whole run succeeded: a failure leaves them as they were.
// Throws platform::FileError or platform::DbError.
std::optional<NotebookSummary> BuildObservationNotebook(const QStringList& lines,
                                                        const NotebookSources& sources,
                                                        const QString& folder);

}  // namespace notebook

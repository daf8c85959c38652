#include "notebook/report/ReportPreparation.h"

#include "notebook/NotebookTransaction.h"
#include "notebook/ReductionTable.h"
#include "notebook/StationElevations.h"
#include "platform/Database.h"
#include "platform/DbError.h"

namespace notebook::report {

bool WritePageNumber(const QString& path, int firstPage) {
    return InNotebookTransaction(path, [firstPage](platform::Database& db) {
        db.Execute(QStringLiteral("UPDATE HEDDER SET FLD16 = ?"), {QString::number(firstPage)});
    });
}

bool WriteRegisteredHeights(const QString& path, platform::Database* district) {
    std::vector<ReductionRow> table;
    std::vector<StationElevation> elevations;
    try {
        table = ReadReductionTable(path);
        elevations = StationElevations(table, district);
    } catch (const platform::DbError&) {
        return false;
    }
    return WriteHeights(path, HeightEditsOf(table, elevations));
}

}  // namespace notebook::report

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

std::vector<StationElevation> ElevationsToConfirm(const QString& path, platform::Database* district) {
    return StationElevations(ReadReductionTable(path), district);
}

bool WriteConfirmedElevations(const QString& path, const std::vector<StationElevation>& confirmed) {
    return WriteHeights(path, HeightEditsOf(ReadReductionTable(path), confirmed));
}

bool WriteRegisteredHeights(const QString& path, platform::Database* district) {
    try {
        return WriteConfirmedElevations(path, ElevationsToConfirm(path, district));
    } catch (const platform::DbError&) {
        return false;
    }
}

}  // namespace notebook::report

#include "notebook/DistrictPoint.h"

#include "calcstore/clsCoord.h"
#include "platform/Database.h"
#include "platform/Recordset.h"

namespace notebook {

DistrictPoint LookUpDistrictPoint(platform::Database& district, const QString& name) {
    auto points = district.OpenRecordset(
        QStringLiteral("SELECT ID, Z FROM COORD WHERE Name = ? AND IFNULL(DELFLG, FALSE) = FALSE"),
        {name});
    const int found = points->RecordCount();
    if (found == 0) return {kPointNotFound, kNoElevation};
    if (found > 1) return {kPointAmbiguous, kNoElevation};
    const QVariant z = points->Field(QStringLiteral("Z"));
    const bool hasHeight = !z.isNull() && z.toDouble() != calcstore::clsCoord::NoHeight();
    return {-points->Field(QStringLiteral("ID")).toInt(), hasHeight ? z.toDouble() : kNoElevation};
}

}  // namespace notebook

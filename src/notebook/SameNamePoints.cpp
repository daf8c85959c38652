#include "notebook/SameNamePoints.h"

#include <QDateTime>

#include "calcstore/clsCoord.h"
#include "platform/Database.h"
#include "platform/Recordset.h"

namespace notebook {

std::vector<SameNamePoint> SameNamePoints(platform::Database& district, const QString& name) {
    auto rs = district.OpenRecordset(
        QStringLiteral("SELECT ID, X, Y, Z, UpdateDate FROM COORD "
                       "WHERE Name = ? AND IFNULL(DELFLG, FALSE) = FALSE ORDER BY ID"),
        {name});
    std::vector<SameNamePoint> points;
    for (; !rs->Eof(); rs->MoveNext()) {
        SameNamePoint p;
        p.id = rs->Field(QStringLiteral("ID")).toInt();
        const QVariant x = rs->Field(QStringLiteral("X"));
        const QVariant y = rs->Field(QStringLiteral("Y"));
        p.located = !x.isNull() && !y.isNull();
        p.x = x.toDouble();
        p.y = y.toDouble();
        const QVariant z = rs->Field(QStringLiteral("Z"));
        if (!z.isNull() && z.toDouble() != calcstore::clsCoord::NoHeight()) p.z = z.toDouble();
        const QDateTime updated = rs->Field(QStringLiteral("UpdateDate")).toDateTime();
        if (updated.isValid()) p.updated = updated.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
        points.push_back(p);
    }
    return points;
}

}  // namespace notebook

#pragma once
// How the demo host keeps a calculation handed over through SaveStart: a CALC entry, its
// points (the district's own where handed with their IDs, new COORD rows otherwise), and
// its parameters and element table in tables of their own.

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace trevanto_host {

struct HandedPoint {
    qint32 id = 0;  // as handed over
    QString name;
    double z = 0;
    QString memo;
};

struct HandedValue {
    qint32 type = 0;  // value-type code
    QVariant value;
};

// One calculation as the host read it through KobelinDlg's getters.
struct HandedCalculation {
    qint32 calcNo = 0;
    QString name;
    qint32 parentId = 0;
    QList<HandedPoint> points;
    QList<HandedValue> parameters;
    QList<qint32> columnTypes;
    QList<QList<QVariant>> rows;  // cells in column order
};

struct StoredCalculation {
    qint32 calcId = 0;
    QHash<qint32, qint32> newPointIds;  // handed id -> COORD id
};

// Stores the calculation in one transaction, in a present folder of the district's tree (or
// at its top, folder 0); point references in the element table are written with the new
// ids. Throws platform::DbError, leaving the database unchanged, when the database is no
// district's, the folder does not exist or a write fails.
StoredCalculation StoreCalculation(const QString& databasePath, const HandedCalculation& calc);

}  // namespace trevanto_host

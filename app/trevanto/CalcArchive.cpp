#include "trevanto/CalcArchive.h"

#include <QDateTime>

#include "calcstore/Calcurate.h"
#include "calcstore/InputItem.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "trevanto/DistrictSchema.h"

namespace trevanto_host {
namespace {

using platform::FieldType;

platform::TableDef PointTable() {
    platform::TableDef t{QStringLiteral("CALCPOINT"), {}, {}};
    t.AutoIncrement(QStringLiteral("ID"))
        .Field(QStringLiteral("CalcID"), FieldType::Long)
        .Field(QStringLiteral("Seq"), FieldType::Long)
        .Field(QStringLiteral("CoordID"), FieldType::Long)
        .PrimaryIndex(QStringLiteral("ID"), QStringLiteral("ID"))
        .Index(QStringLiteral("CalcID"), QStringLiteral("CalcID"));
    return t;
}

// A typed value: text in TextValue, every other type in NumValue.
platform::TableDef& ValueFields(platform::TableDef& t) {
    return t.Field(QStringLiteral("ValueType"), FieldType::Long)
        .Field(QStringLiteral("TextValue"), FieldType::Memo)
        .AllowZeroLength()
        .Field(QStringLiteral("NumValue"), FieldType::Double);
}

platform::TableDef ParamTable() {
    platform::TableDef t{QStringLiteral("CALCPARAM"), {}, {}};
    t.AutoIncrement(QStringLiteral("ID"))
        .Field(QStringLiteral("CalcID"), FieldType::Long)
        .Field(QStringLiteral("Seq"), FieldType::Long);
    ValueFields(t)
        .PrimaryIndex(QStringLiteral("ID"), QStringLiteral("ID"))
        .Index(QStringLiteral("CalcID"), QStringLiteral("CalcID"));
    return t;
}

platform::TableDef ElementTable() {
    platform::TableDef t{QStringLiteral("CALCELEM"), {}, {}};
    t.AutoIncrement(QStringLiteral("ID"))
        .Field(QStringLiteral("CalcID"), FieldType::Long)
        .Field(QStringLiteral("RowNo"), FieldType::Long)
        .Field(QStringLiteral("ColNo"), FieldType::Long);
    ValueFields(t)
        .PrimaryIndex(QStringLiteral("ID"), QStringLiteral("ID"))
        .Index(QStringLiteral("CalcID"), QStringLiteral("CalcID"));
    return t;
}

void EnsureTables(platform::Database& db) {
    for (const platform::TableDef& t : {PointTable(), ParamTable(), ElementTable()})
        if (!db.HasTable(t.name)) db.CreateTable(t);
}

// Text goes to TextValue, every other type to NumValue (Booleans as -1 and 0).
void SetValue(platform::Recordset& rs, qint32 type, const QVariant& value) {
    rs.SetField(QStringLiteral("ValueType"), type);
    if (type == calcstore::kTypeString)
        rs.SetField(QStringLiteral("TextValue"), value.toString());
    else if (type == calcstore::kTypeBoolean)
        rs.SetField(QStringLiteral("NumValue"), value.toBool() ? -1.0 : 0.0);
    else
        rs.SetField(QStringLiteral("NumValue"), value.toDouble());
}

bool IsPointReference(qint32 type) {
    return type == calcstore::kTypeRefSokuten || type == calcstore::kTypeSokuten;
}

// Point references are kept with the ids the points got in COORD.
QVariant Stored(qint32 type, const QVariant& value, const StoredCalculation& stored) {
    if (!IsPointReference(type)) return value;
    return stored.newPointIds.value(value.toInt(), value.toInt());
}

qint32 AddCalcEntry(platform::Database& db, const HandedCalculation& calc) {
    const QDateTime now = QDateTime::currentDateTime();
    auto rs = db.OpenRecordset(QStringLiteral("CALC"));
    rs->AddNew();
    rs->SetField(QStringLiteral("Name"), calc.name);
    rs->SetField(QStringLiteral("ParentID"), calc.parentId);
    rs->SetField(QStringLiteral("Attributes"), calcstore::kAttrCalculation);
    rs->SetField(QStringLiteral("DelFlg"), calcstore::kDelFlgPresent);
    rs->SetField(QStringLiteral("CreateDate"), now);
    rs->SetField(QStringLiteral("UpdateDate"), now);
    rs->SetField(QStringLiteral("CalcNo"), calc.calcNo);
    rs->SetField(QStringLiteral("Mode"), 0);
    rs->Update();
    rs->MoveToLastModified();
    return rs->Field(QStringLiteral("ID")).toInt();
}

// The live district point a handed identifier names, if it names one.
bool IsDistrictPoint(platform::Database& db, qint32 id) {
    if (id <= 0) return false;
    auto rs = db.OpenRecordset(QStringLiteral("SELECT ID FROM COORD WHERE ID = ? AND DELFLG = ?"), {id, false});
    return !rs->Eof();
}

qint32 AddCoord(platform::Recordset& coord, const HandedPoint& p, const QDateTime& now) {
    coord.AddNew();  // plane coordinates are not handed over: X and Y stay empty
    coord.SetField(QStringLiteral("Name"), p.name);
    coord.SetField(QStringLiteral("Z"), p.z);
    coord.SetField(QStringLiteral("Memo"), p.memo);
    coord.SetField(QStringLiteral("UpdateDate"), now);
    coord.SetField(QStringLiteral("DELFLG"), false);
    coord.Update();
    coord.MoveToLastModified();
    return coord.Field(QStringLiteral("ID")).toInt();
}

// A point handed with the ID of a district point is that point, left as it is; every other
// point becomes a new COORD row. The calculation lists its points in the order handed.
void AddPoints(platform::Database& db, const HandedCalculation& calc, StoredCalculation& stored) {
    const QDateTime now = QDateTime::currentDateTime();
    auto coord = db.OpenRecordset(QStringLiteral("COORD"));
    auto link = db.OpenRecordset(QStringLiteral("CALCPOINT"));
    int seq = 0;
    for (const HandedPoint& p : calc.points) {
        const qint32 id = IsDistrictPoint(db, p.id) ? p.id : AddCoord(*coord, p, now);
        stored.newPointIds.insert(p.id, id);
        link->AddNew();
        link->SetField(QStringLiteral("CalcID"), stored.calcId);
        link->SetField(QStringLiteral("Seq"), ++seq);
        link->SetField(QStringLiteral("CoordID"), id);
        link->Update();
    }
}

void AddInput(platform::Database& db, const HandedCalculation& calc,
              const StoredCalculation& stored) {
    auto params = db.OpenRecordset(QStringLiteral("CALCPARAM"));
    for (int i = 0; i < calc.parameters.size(); ++i) {
        params->AddNew();
        params->SetField(QStringLiteral("CalcID"), stored.calcId);
        params->SetField(QStringLiteral("Seq"), i + 1);
        SetValue(*params, calc.parameters[i].type,
                 Stored(calc.parameters[i].type, calc.parameters[i].value, stored));
        params->Update();
    }
    auto cells = db.OpenRecordset(QStringLiteral("CALCELEM"));
    for (int r = 0; r < calc.rows.size(); ++r) {
        for (int c = 0; c < calc.columnTypes.size() && c < calc.rows[r].size(); ++c) {
            const qint32 type = calc.columnTypes[c];
            cells->AddNew();
            cells->SetField(QStringLiteral("CalcID"), stored.calcId);
            cells->SetField(QStringLiteral("RowNo"), r);
            cells->SetField(QStringLiteral("ColNo"), c);
            SetValue(*cells, type, Stored(type, calc.rows[r][c], stored));
            cells->Update();
        }
    }
}

// A calculation goes into a present folder of the tree, or at its top (0).
void RequireFolder(platform::Database& db, qint32 folderId) {
    if (folderId == 0) return;
    auto rs = db.OpenRecordset(
        QStringLiteral("SELECT ID FROM CALC WHERE ID = ? AND Attributes = ? AND DelFlg = ?"),
        {folderId, calcstore::kAttrFolder, calcstore::kDelFlgPresent});
    if (rs->Eof())
        throw platform::DbError(QStringLiteral("フォルダー %1 はありません。").arg(folderId));
}

}  // namespace

StoredCalculation StoreCalculation(const QString& databasePath, const HandedCalculation& calc) {
    auto db = platform::Database::Open(databasePath);
    RequireDistrictTables(*db);
    RequireFolder(*db, calc.parentId);
    StoredCalculation stored;
    db->BeginTrans();
    try {
        EnsureTables(*db);
        stored.calcId = AddCalcEntry(*db, calc);
        AddPoints(*db, calc, stored);
        AddInput(*db, calc, stored);
        db->CommitTrans();
    } catch (...) {
        db->Rollback();
        throw;
    }
    return stored;
}

}  // namespace trevanto_host

#include "trevanto/DistrictSchema.h"

namespace trevanto_host {

using platform::FieldType;

platform::TableDef CalcTable() {
    platform::TableDef t{QStringLiteral("CALC"), {}, {}};
    t.AutoIncrement(QStringLiteral("ID"))
        .Field(QStringLiteral("Name"), FieldType::Text, 255)
        .AllowZeroLength()
        .Field(QStringLiteral("ParentID"), FieldType::Long)
        .Field(QStringLiteral("Attributes"), FieldType::Long)
        .Field(QStringLiteral("DelFlg"), FieldType::Long)
        .Field(QStringLiteral("CreateDate"), FieldType::Date)
        .Field(QStringLiteral("UpdateDate"), FieldType::Date)
        .Field(QStringLiteral("CalcNo"), FieldType::Long)
        .Field(QStringLiteral("Mode"), FieldType::Long)
        .PrimaryIndex(QStringLiteral("ID"), QStringLiteral("ID"))
        .Index(QStringLiteral("ParentID"), QStringLiteral("ParentID"));
    return t;
}

platform::TableDef CoordTable() {
    platform::TableDef t{QStringLiteral("COORD"), {}, {}};
    t.AutoIncrement(QStringLiteral("ID"))
        .Field(QStringLiteral("Name"), FieldType::Text, 255)
        .AllowZeroLength()
        .Field(QStringLiteral("X"), FieldType::Double)
        .Field(QStringLiteral("Y"), FieldType::Double)
        .Field(QStringLiteral("Z"), FieldType::Double)
        .Field(QStringLiteral("Memo"), FieldType::Memo)
        .AllowZeroLength()
        .Field(QStringLiteral("UpdateDate"), FieldType::Date)
        .Field(QStringLiteral("DELFLG"), FieldType::Boolean)
        .PrimaryIndex(QStringLiteral("ID"), QStringLiteral("ID"))
        .Index(QStringLiteral("Name"), QStringLiteral("Name"));
    return t;
}

platform::TableDef TenbanTable() {
    platform::TableDef t{QStringLiteral("TENBAN"), {}, {}};
    t.Field(QStringLiteral("StartNo"), FieldType::Long)
        .Field(QStringLiteral("SetNo"), FieldType::Long)
        .Field(QStringLiteral("TenName"), FieldType::Text, 50)
        .AllowZeroLength()
        .Field(QStringLiteral("Eda1Name"), FieldType::Text, 50)
        .AllowZeroLength()
        .Field(QStringLiteral("Eda2Name"), FieldType::Text, 50)
        .AllowZeroLength()
        .Field(QStringLiteral("MaxLen"), FieldType::Integer)
        .PrimaryIndex(QStringLiteral("StartNo"), QStringLiteral("StartNo"));
    return t;
}

void CreateDistrictTables(platform::Database& db) {
    db.CreateTable(CalcTable());
    db.CreateTable(CoordTable());
    db.CreateTable(TenbanTable());
}

void RequireDistrictTables(platform::Database& db) {
    QStringList missing;
    for (const platform::TableDef& table : {CalcTable(), CoordTable(), TenbanTable()})
        if (!db.HasTable(table.name)) missing.append(table.name);
    if (!missing.isEmpty())
        throw platform::DbError(
            db.Path() + QStringLiteral(": 地区の計算データベースではありません（表 ") +
            missing.join(QStringLiteral("、")) + QStringLiteral(" がありません）。"));
}

}  // namespace trevanto_host

#pragma once
// A district's point table (COORD) with the columns the notebook reads, for tests that look
// points up by name.

#include <QDateTime>
#include <memory>

#include "platform/Database.h"
#include "platform/DbSchema.h"
#include "support/TestEnvironment.h"

namespace test {

inline std::shared_ptr<platform::Database> NewDistrict() {
    auto db = platform::Database::Create(NewFolder(QStringLiteral("district")) +
                                         QStringLiteral("/District.mdb"));
    platform::TableDef coord{QStringLiteral("COORD"), {}, {}};
    coord.AutoIncrement(QStringLiteral("ID"))
        .Field(QStringLiteral("Name"), platform::FieldType::Text, 255)
        .Field(QStringLiteral("X"), platform::FieldType::Double)
        .Field(QStringLiteral("Y"), platform::FieldType::Double)
        .Field(QStringLiteral("Z"), platform::FieldType::Double)
        .Field(QStringLiteral("UpdateDate"), platform::FieldType::Date)
        .Field(QStringLiteral("DELFLG"), platform::FieldType::Boolean)
        .PrimaryIndex(QStringLiteral("ID"), QStringLiteral("ID"));
    db->CreateTable(coord);
    return db;
}

// Adds a point; its ID counts up from 1 in the order points are added.
inline void AddPoint(platform::Database& db, const QString& name, double x, double y,
                     const QVariant& z, const QVariant& updated = {}, bool deleted = false) {
    db.Execute(QStringLiteral("INSERT INTO COORD (Name, X, Y, Z, UpdateDate, DELFLG) "
                              "VALUES (?, ?, ?, ?, ?, ?)"),
               {name, x, y, z, updated, deleted});
}

}  // namespace test

// Stations looked up among the district's points.

#include <gtest/gtest.h>

#include "calcstore/clsCoord.h"
#include "notebook/DistrictPoint.h"
#include "platform/Database.h"
#include "platform/DbSchema.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

TEST(DistrictPointTest, OnePointGivesItsIdNegatedAndItsHeightWhenSet) {
    const auto db = platform::Database::Create(test::NewFolder(QStringLiteral("district")) +
                                               QStringLiteral("/District.mdb"));
    platform::TableDef coord{QStringLiteral("COORD"), {}, {}};
    coord.AutoIncrement(QStringLiteral("ID"))
        .Field(QStringLiteral("Name"), platform::FieldType::Text, 255)
        .Field(QStringLiteral("Z"), platform::FieldType::Double)
        .Field(QStringLiteral("DELFLG"), platform::FieldType::Boolean)
        .PrimaryIndex(QStringLiteral("ID"), QStringLiteral("ID"));
    db->CreateTable(coord);
    const QString insert = QStringLiteral("INSERT INTO COORD (Name, Z, DELFLG) VALUES (?, ?, ?)");
    db->Execute(insert, {QStringLiteral("T1"), 12.345, false});                                   // 1
    db->Execute(insert, {QStringLiteral("T2"), calcstore::clsCoord::NoHeight(), false});         // 2
    db->Execute(insert, {QStringLiteral("TWICE"), 1.0, false});                                  // 3
    db->Execute(insert, {QStringLiteral("TWICE"), 2.0, QVariant()});                              // 4
    db->Execute(insert, {QStringLiteral("GONE"), 5.0, true});                                    // 5
    db->Execute(insert, {QStringLiteral("GONE"), 6.0, false});                                   // 6

    const struct {
        const char16_t* name;
        qint32 code;
        double elevation;
    } cases[] = {
        {u"T1", -1, 12.345},
        {u"T2", -2, notebook::kNoElevation},  // height not set
        {u"TWICE", notebook::kPointAmbiguous, notebook::kNoElevation},
        {u"GONE", -6, 6.0},  // the deleted one does not count
        {u"NONE", notebook::kPointNotFound, notebook::kNoElevation},
        {u"t1", notebook::kPointNotFound, notebook::kNoElevation},
    };
    for (const auto& c : cases) {
        const notebook::DistrictPoint p = notebook::LookUpDistrictPoint(*db, QString::fromUtf16(c.name));
        EXPECT_EQ(p.code, c.code) << QString::fromUtf16(c.name).toStdString();
        EXPECT_DOUBLE_EQ(p.elevation, c.elevation) << QString::fromUtf16(c.name).toStdString();
    }
}

}  // namespace

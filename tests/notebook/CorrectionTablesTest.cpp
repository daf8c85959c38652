// The distance-correction input read whole, the sheet written row by row, and tables emptied.

#include <gtest/gtest.h>

#include "notebook/CorrectionTables.h"
#include "notebook/NotebookDatabase.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

class CorrectionTablesTest : public testing::Test {
  protected:
    void SetUp() override {
        path_ = notebook::CreateNotebookDatabase(test::NewFolder(QStringLiteral("correction")));
        db_ = platform::Database::Open(path_);
    }
    int Count(const QString& table) { return db_->OpenRecordset(table)->RecordCount(); }
    QString path_;
    std::shared_ptr<platform::Database> db_;
};

TEST_F(CorrectionTablesTest, InputIsReadInIdOrderWithEveryColumn) {
    const QString insert = QStringLiteral(
        "INSERT INTO KYORIHOSEI_ (ID, FLD1, FLD2, FLD3, FLD4, FLD5, FLD6, FLD7, \"FLD-4\", "
        "\"FLD-5\", \"FLD-7\", \"FLD+7\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QStringList texts = {
        QStringLiteral("O'Neil \"1\""), QStringLiteral("視準点"), QStringLiteral("1-02-03"),
        QStringLiteral("1.100"),        QStringLiteral("1.200"),  QStringLiteral("100.000"),
        QStringLiteral("99.900"),       QStringLiteral("-1.100"), QStringLiteral("-1.200"),
        QStringLiteral("99.800"),       QStringLiteral("*")};
    db_->Execute(insert, QVariantList{9} + QVariantList(texts.begin(), texts.end()));
    db_->Execute(insert,
                 {3, QStringLiteral("FIRST"), QVariant(), QVariant(), QVariant(), QVariant(),
                  QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});

    const auto rows = notebook::ReadCorrectionInput(path_);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].station, QStringLiteral("FIRST"));
    EXPECT_EQ(rows[0].horizontalDistanceBoth, QString());
    const notebook::CorrectionInputRow& r = rows[1];
    EXPECT_EQ(
        (QStringList{r.station, r.target, r.verticalAngle, r.verticalComponent, r.heightDifference,
                     r.slopeDistance, r.horizontalDistance, r.verticalComponent2,
                     r.heightDifference2, r.horizontalDistance2, r.horizontalDistanceBoth}),
        texts);
}

TEST_F(CorrectionTablesTest, SheetRowsAreAddedInOrderEachTextCutToItsFieldBytes) {
    notebook::CorrectionSheetRow first;
    first.station = QStringLiteral("観測点観測点観測点観測点X");  // 21 bytes in a field of 20
    first.scaleFactor = QStringLiteral("1.0000000");
    notebook::CorrectionSheetRow second;
    second.station = QStringLiteral("O'Neil \"1\"");
    second.planeDistance = QStringLiteral("999.984");
    ASSERT_TRUE(notebook::WriteCorrectionSheet(path_, {first, second}));

    QStringList rows;
    for (auto r = db_->OpenRecordset(u"SELECT ID, FLD1, FLD12, FLD13 FROM KYORIHOSEI ORDER BY ID"_qs); !r->Eof(); r->MoveNext())
        for (const char* field : {"ID", "FLD1", "FLD12", "FLD13"}) rows << r->Field(QString::fromLatin1(field)).toString();
    EXPECT_EQ(rows, (QStringList{u"1"_qs, u"観測点観測点観測点観"_qs, u"1.000000"_qs, {},  //
                                 u"2"_qs, u"O'Neil \"1\""_qs, {}, u"999.984"_qs}));
}

TEST_F(CorrectionTablesTest, ClearingEmptiesOnlyTheTableNamed) {
    ASSERT_TRUE(notebook::WriteCorrectionSheet(path_, {{}, {}}));
    db_->Execute(QStringLiteral("INSERT INTO DATA (ID) VALUES (1)"));
    EXPECT_TRUE(notebook::ClearTable(path_, QStringLiteral("kyorihosei")));
    EXPECT_EQ(Count(QStringLiteral("KYORIHOSEI")), 0);
    EXPECT_EQ(Count(QStringLiteral("DATA")), 1);

    EXPECT_FALSE(notebook::ClearTable(path_, QStringLiteral("NOSUCH")));
    EXPECT_FALSE(notebook::ClearTable(path_, QStringLiteral("DATA\"; DELETE FROM \"DATA")));
    EXPECT_EQ(Count(QStringLiteral("DATA")), 1);
}

}  // namespace

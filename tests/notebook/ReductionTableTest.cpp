// The reduction table read whole and its station elevations written back.

#include <gtest/gtest.h>

#include "notebook/NotebookDatabase.h"
#include "notebook/ReductionTable.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

class ReductionTableTest : public testing::Test {
  protected:
    void SetUp() override {
        path_ = notebook::CreateNotebookDatabase(test::NewFolder(QStringLiteral("reduction")));
        db_ = platform::Database::Open(path_);
    }
    // A station row with its elevation, height and look-up code; the other fields Null.
    void AddStation(qint32 id, const QString& name, const QVariant& elevation,
                    const QVariant& code) {
        auto rows = db_->OpenRecordset(QStringLiteral("テーブル4"));
        rows->AddNew();
        rows->SetField(QStringLiteral("ID"), id);
        rows->SetField(QStringLiteral("KIKAITEN"), name);
        rows->SetField(QStringLiteral("KIKAIH"), elevation);
        rows->SetField(QStringLiteral("H"), QStringLiteral("2.000"));
        rows->SetField(QStringLiteral("CULCH"), QStringLiteral("3.000"));
        rows->SetField(QStringLiteral("READH"), code);
        rows->Update();
    }
    QVariant Field(qint32 id, const QString& field) {
        return db_->OpenRecordset(QStringLiteral("SELECT * FROM テーブル4 WHERE ID = ?"), {id})
            ->Field(field);
    }
    // KIKAIH, H, CULCH and READH of a row; Null reads as "null", not as "".
    QStringList Heights(qint32 id) {
        QStringList texts;
        for (const char* field : {"KIKAIH", "H", "CULCH", "READH"}) {
            const QVariant value = Field(id, QString::fromLatin1(field));
            texts << (value.isNull() ? u"null"_qs : value.toString());
        }
        return texts;
    }
    QString path_;
    std::shared_ptr<platform::Database> db_;
};

TEST_F(ReductionTableTest, EveryFieldIsReadInIdOrderAndNullReadsAsEmpty) {
    AddStation(5, QStringLiteral("O'Neil \"1\""), QVariant(), QVariant());
    const QStringList texts = {
        QStringLiteral("基準点１"), QStringLiteral("1.500"),    QStringLiteral("12.345"),
        QStringLiteral("h"),        QStringLiteral("T"),        QStringLiteral("1-02-03"),
        QStringLiteral("100.001"),  QStringLiteral("99.999"),   QStringLiteral("1.600"),
        QStringLiteral("-0.100"),   QStringLiteral("12.245"),   QStringLiteral("90-00-00"),
        QStringLiteral("めも"),     QStringLiteral("180-00-00")};
    db_->Execute(
        QStringLiteral("INSERT INTO テーブル4 (ID, TYPE, READH, KIKAITEN, IH, KIKAIH, H, "
                       "SIJUNTEN, VANG, SOKUDIS, CULCDIS, FH, DH, CULCH, HANG, メモ, HANG2) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        QVariantList{2, 7, -3} + QVariantList(texts.begin(), texts.end()));

    const auto rows = notebook::ReadReductionTable(path_);
    ASSERT_EQ(rows.size(), 2u);
    const notebook::ReductionRow& full = rows[0];
    EXPECT_EQ(full.id, 2);
    EXPECT_EQ(full.type, 7);
    EXPECT_EQ(full.lookUpCode, -3);
    EXPECT_EQ((QStringList{full.station, full.instrumentHeight, full.stationElevation,
                           full.elevation, full.target, full.verticalAngle, full.slopeDistance,
                           full.horizontalDistance, full.targetHeight, full.heightDifference,
                           full.computedElevation, full.direction, full.memo, full.direction2}),
              texts);
    const notebook::ReductionRow& sparse = rows[1];
    EXPECT_EQ(sparse.station, QStringLiteral("O'Neil \"1\""));
    EXPECT_FALSE(sparse.type.has_value());
    EXPECT_FALSE(sparse.lookUpCode.has_value());
    EXPECT_EQ(sparse.stationElevation, QString());
    EXPECT_EQ(notebook::ReadTraverseSource(path_).reduction.size(), 2u);
}

TEST_F(ReductionTableTest, HeightsAreClearedThenGivenOnlyWhatTheEditHolds) {
    AddStation(1, QStringLiteral("A"), QStringLiteral("1.000"), -5);
    AddStation(2, QStringLiteral("B"), QStringLiteral("1.000"), -6);
    ASSERT_TRUE(notebook::WriteHeights(
        path_,
        {{1, QStringLiteral("10.000"), QString(), QString(), QString()},
         {2, QString(), QStringLiteral("20.000"), QStringLiteral("21.000"),
          QStringLiteral("-100001")},
         {999, QStringLiteral("9.000"), QString(), QString(), QStringLiteral("1")}}));  // gone

    EXPECT_EQ(Heights(1), (QStringList{u"10.000"_qs, u"null"_qs, u"null"_qs, u"-5"_qs}));  // the code kept
    EXPECT_EQ(Heights(2), (QStringList{u"null"_qs, u"20.000"_qs, u"21.000"_qs, u"-100001"_qs}));
    EXPECT_EQ(db_->OpenRecordset(QStringLiteral("テーブル4"))->RecordCount(), 2);
}

TEST_F(ReductionTableTest, ALookUpCodeThatIsNoNumberUndoesTheWholeWrite) {
    AddStation(1, QStringLiteral("A"), QStringLiteral("1.000"), -5);
    EXPECT_FALSE(notebook::WriteHeights(
        path_, {{1, QStringLiteral("10.000"), QString(), QString(), QString()},
                {1, QString(), QString(), QString(), QStringLiteral("new")}}));
    EXPECT_EQ(Heights(1), (QStringList{u"1.000"_qs, u"2.000"_qs, u"3.000"_qs, u"-5"_qs}));
}

}  // namespace

// The rows each report reads from the notebook database, and a database that is not there.

#include <gtest/gtest.h>

#include <QDir>

#include "notebook/NotebookDatabase.h"
#include "notebook/report/ReportRecords.h"
#include "platform/Database.h"
#include "platform/FileError.h"
#include "support/TestEnvironment.h"

namespace {

using notebook::report::ReadReportSections;
using notebook::report::Report;

class ReportRecordsTest : public testing::Test {
  protected:
    void SetUp() override {
        path_ = notebook::CreateNotebookDatabase(test::NewFolder(QStringLiteral("report-records")));
        db_ = platform::Database::Open(path_);
    }
    void Insert(const QString& sql, const QVariantList& values) { db_->Execute(sql, values); }
    QString path_;
    std::shared_ptr<platform::Database> db_;
};

TEST_F(ReportRecordsTest, NotebookLinesAreReadInIdOrderUnderTheirStations) {
    const QString data = QStringLiteral("INSERT INTO DATA (ID, FLD4, FLD22) VALUES (?, ?, ?)");
    const QString header = QStringLiteral("INSERT INTO HEDDER (ID, FLD1, FLD7) VALUES (?, ?, ?)");
    Insert(data, {5, QStringLiteral("T3"), QVariant()});
    Insert(header, {4, QStringLiteral("観測点2"), QVariant()});
    Insert(data, {2, QStringLiteral("T1"), QStringLiteral("メモ")});
    Insert(data, {3, QStringLiteral("T2"), QVariant()});
    Insert(header, {1, QStringLiteral("観測点1"), QStringLiteral("2026/12/07")});

    const auto sections = ReadReportSections(path_, Report::ObservationNotebook);
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].header.value("FLD1"), "観測点1");
    EXPECT_EQ(sections[0].header.value("FLD7"), "2026/12/07");
    ASSERT_EQ(sections[0].rows.size(), 2u);
    EXPECT_EQ(sections[0].rows[0].value("FLD4"), "T1");
    EXPECT_EQ(sections[0].rows[0].value("FLD22"), "メモ");
    EXPECT_EQ(sections[0].rows[1].value("FLD22"), "");  // Null
    EXPECT_TRUE(sections[1].header.value("FLD7").isEmpty());
    ASSERT_EQ(sections[1].rows.size(), 1u);
    EXPECT_EQ(sections[1].rows[0].value("FLD4"), "T3");
}

TEST_F(ReportRecordsTest, TheDistanceReportsReadTheirTablesAsOneSection) {
    Insert(QStringLiteral("INSERT INTO KYORIHOSEI (FLD1, FLD13) VALUES (?, ?)"),
           {QStringLiteral("A"), QStringLiteral("123.456")});
    Insert(QStringLiteral("INSERT INTO テーブル4 (KIKAITEN, メモ) VALUES (?, ?)"),
           {QStringLiteral("B"), QStringLiteral("杭")});

    const auto sheet = ReadReportSections(path_, Report::DistanceCorrection);
    ASSERT_EQ(sheet.size(), 1u);
    ASSERT_EQ(sheet[0].rows.size(), 1u);
    EXPECT_EQ(sheet[0].rows[0].value("FLD13"), "123.456");
    const auto table = ReadReportSections(path_, Report::DistanceHeight);
    ASSERT_EQ(table.size(), 1u);
    ASSERT_EQ(table[0].rows.size(), 1u);
    EXPECT_EQ(table[0].rows[0].value("KIKAITEN"), "B");
    EXPECT_EQ(table[0].rows[0].value("メモ"), "杭");
}

TEST(ReportRecordsReadTest, AMissingDatabaseIsAFileError) {
    const QString path =
        QDir(test::NewFolder(QStringLiteral("no-notebook"))).filePath(notebook::kNotebookFileName);
    EXPECT_THROW(ReadReportSections(path, Report::DistanceHeight), platform::FileError);
}

}  // namespace

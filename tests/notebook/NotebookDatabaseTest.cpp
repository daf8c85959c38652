// The notebook database: made anew with its five tables, whatever was there before.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "notebook/NotebookDatabase.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

class NotebookDatabaseTest : public testing::Test {
  protected:
    void SetUp() override { folder_ = test::NewFolder(QStringLiteral("notebook")); }
    QString folder_;
};

TEST_F(NotebookDatabaseTest, EveryTableTakesARowWithEmptyAndFullTextFields) {
    const QString path = notebook::CreateNotebookDatabase(folder_);
    ASSERT_EQ(path, folder_ + QStringLiteral("/SHUBO.MDB"));
    const auto db = platform::Database::Open(path);
    for (const platform::TableDef& table : notebook::NotebookTables()) {
        ASSERT_TRUE(db->HasTable(table.name)) << table.name.toStdString();
        auto rows = db->OpenRecordset(table.name);
        for (const bool full : {false, true}) {
            rows->AddNew();
            for (const platform::FieldDef& field : table.fields) {
                if (field.autoIncrement) continue;
                if (field.type == platform::FieldType::Long)
                    rows->SetField(field.name, full ? 2 : 1);
                else  // Japanese text counts by characters
                    rows->SetField(field.name, full ? QString(field.size, u'測') : QString());
            }
            rows->Update();
        }
        EXPECT_EQ(db->OpenRecordset(table.name)->RecordCount(), 2) << table.name.toStdString();
    }
    auto reduction = db->OpenRecordset(QStringLiteral("SELECT ID, メモ FROM テーブル4 ORDER BY ID"));
    EXPECT_EQ(reduction->Field(QStringLiteral("id")).toInt(), 1);  // names match in any case
    EXPECT_EQ(reduction->Field(QStringLiteral("メモ")).toString(), QString());
    // Station headers are keyed by their ID.
    db->Execute(QStringLiteral("INSERT INTO HEDDER (ID, FLD1) VALUES (7, 'ST1')"));
    EXPECT_THROW(db->Execute(QStringLiteral("INSERT INTO HEDDER (ID, FLD1) VALUES (7, 'ST2')")),
                 platform::DbError);
}

TEST_F(NotebookDatabaseTest, OlderFileIsReplacedAndAFolderThatCannotBeWrittenGivesNoPath) {
    QFile old(folder_ + QStringLiteral("/SHUBO.MDB"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older notebook of another run");
    old.close();
    const QString path = notebook::CreateNotebookDatabase(folder_);
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(platform::Database::Open(path)->HasTable(QStringLiteral("KYORIHOSEI_")));

    EXPECT_TRUE(notebook::CreateNotebookDatabase(folder_ + QStringLiteral("/no such folder")).isEmpty());
}

}  // namespace

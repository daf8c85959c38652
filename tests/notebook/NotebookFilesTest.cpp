// The notebook's two files: written together, and an older pair kept whole when a run fails.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "notebook/NotebookDatabase.h"
#include "notebook/NotebookFixture.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/FileError.h"
#include "platform/Recordset.h"
#include "platform/TextFile.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

const QStringList kBook = test::FieldBook({QStringLiteral("D,観測点1,,1.500,0,9911001,,,"), QStringLiteral("E,0,"),
                                           QStringLiteral("F,T1,,1.600,r9001,10.0000,90.0000,10.000,,,,000,")});

class NotebookFilesTest : public testing::Test {
  protected:
    void SetUp() override { folder_ = test::NewFolder(QStringLiteral("notebook-files")); }
    QString Path(const QString& name) const { return QDir(folder_).filePath(name); }
    QString folder_;
};

TEST_F(NotebookFilesTest, TextInCp932AndRowsInTheDatabase) {
    const auto summary = notebook::BuildObservationNotebook(kBook, {}, folder_);
    ASSERT_TRUE(summary);
    const QByteArray bytes = platform::ReadFileBytes(Path(notebook::kNotebookTextName));
    EXPECT_TRUE(bytes.startsWith(QByteArray(30, ' ') + "\x8a\xcf  \x91\xaa  \x8e\xe8  \x95\xeb\r\n"));  // 観  測  手  簿
    EXPECT_EQ(bytes.count("\r\n"), summary->lines);
    const auto db = platform::Database::Open(Path(notebook::kNotebookFileName));
    auto data = db->OpenRecordset(QStringLiteral("SELECT * FROM DATA ORDER BY ID"));
    ASSERT_EQ(data->RecordCount(), 1);
    EXPECT_EQ(data->Field(QStringLiteral("ID")).toInt(), 2);
    EXPECT_EQ(data->Field(QStringLiteral("FLD5")).toString(), u"10-00-00");
    EXPECT_TRUE(data->Field(QStringLiteral("FLD7")).isNull());  // nothing written is Null, not ""
    auto header = db->OpenRecordset(QStringLiteral("SELECT FLD1 FROM HEDDER WHERE ID = 1"));
    EXPECT_EQ(header->Field(QStringLiteral("FLD1")).toString(), u"観測点1");
    EXPECT_EQ(db->OpenRecordset(QStringLiteral("テーブル4"))->RecordCount(), 2);
    EXPECT_EQ(db->OpenRecordset(QStringLiteral("KYORIHOSEI_"))->RecordCount(), 1);
    EXPECT_EQ(QDir(folder_).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);
}

TEST_F(NotebookFilesTest, AFailedRunLeavesTheOlderNotebook) {
    ASSERT_TRUE(notebook::BuildObservationNotebook(kBook, {}, folder_));
    const QByteArray oldText = platform::ReadFileBytes(Path(notebook::kNotebookTextName));
    const QByteArray oldDatabase = platform::ReadFileBytes(Path(notebook::kNotebookFileName));
    // A district database without its point table fails in the middle of the run.
    const auto broken = platform::Database::Create(Path(QStringLiteral("broken.mdb")));
    notebook::NotebookSources sources;
    sources.district = broken.get();
    EXPECT_THROW(notebook::BuildObservationNotebook(kBook, sources, folder_), platform::DbError);
    EXPECT_EQ(platform::ReadFileBytes(Path(notebook::kNotebookTextName)), oldText);
    EXPECT_EQ(platform::ReadFileBytes(Path(notebook::kNotebookFileName)), oldDatabase);
    EXPECT_EQ(QDir(folder_).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3);

    EXPECT_FALSE(notebook::BuildObservationNotebook({}, {}, folder_));  // no lines: nothing touched
    EXPECT_EQ(platform::ReadFileBytes(Path(notebook::kNotebookTextName)), oldText);
}

TEST_F(NotebookFilesTest, AFolderThatIsNoFolderIsAFileError) {
    EXPECT_THROW(notebook::BuildObservationNotebook(kBook, {}, Path(QStringLiteral("missing/deeper"))),
                 platform::FileError);
    // A folder where the database goes is the user's: it is neither moved nor replaced.
    ASSERT_TRUE(QDir(folder_).mkpath(QStringLiteral("SHUBO.MDB/inside")));
    EXPECT_THROW(notebook::BuildObservationNotebook(kBook, {}, folder_), platform::FileError);
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("SHUBO.MDB/inside"))).isDir());
    EXPECT_FALSE(QFile::exists(Path(notebook::kNotebookTextName)));
}

// Names longer than their fields are cut at a character boundary in every table, so the
// run never stops at the database's size limits.
TEST_F(NotebookFilesTest, LongNamesAreCutInEveryTable) {
    const QString name = QStringLiteral("A") + QString(11, u'境');  // 23 bytes
    const QStringList book = test::FieldBook({QStringLiteral("D,") + name + QStringLiteral(",,1.500,0,9911001,,,"),
                                              QStringLiteral("E,0,"),
                                              QStringLiteral("F,") + name + QStringLiteral(",,1.6,r9001,1.0000,90.0000,10.000,,,,000,")});
    ASSERT_TRUE(notebook::BuildObservationNotebook(book, {}, folder_));
    const auto db = platform::Database::Open(Path(notebook::kNotebookFileName));
    const QString cut = QStringLiteral("A") + QString(9, u'境');
    auto rows = db->OpenRecordset(QStringLiteral("SELECT KIKAITEN, SIJUNTEN FROM テーブル4 ORDER BY ID"));
    EXPECT_EQ(rows->Field(QStringLiteral("KIKAITEN")).toString(), cut);
    rows->MoveNext();
    EXPECT_EQ(rows->Field(QStringLiteral("SIJUNTEN")).toString(), cut);
    auto input = db->OpenRecordset(QStringLiteral("SELECT FLD1, FLD2 FROM KYORIHOSEI_"));
    EXPECT_EQ(input->Field(QStringLiteral("FLD1")).toString(), cut);
    EXPECT_EQ(input->Field(QStringLiteral("FLD2")).toString(), cut);
}

}  // namespace

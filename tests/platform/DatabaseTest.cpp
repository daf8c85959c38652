#include <gtest/gtest.h>

#include <QDateTime>

#include "platform/Database.h"
#include "platform/Recordset.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

using platform::Database;
using platform::DbError;
using platform::FieldType;
using platform::TableDef;

namespace {

// A table with the kinds of fields the program's databases use, and Japanese names.
TableDef NotebookTable() {
    TableDef t{QStringLiteral("テーブル4"), {}, {}};
    t.AutoIncrement(QStringLiteral("ID"))
        .Field(QStringLiteral("点名"), FieldType::Text, 8)
        .Field(QStringLiteral("メモ"), FieldType::Memo)
        .AllowZeroLength()
        .Field(QStringLiteral("FLD-4"), FieldType::Double)
        .Field(QStringLiteral("FLD+7"), FieldType::Integer)
        .Field(QStringLiteral("Flag"), FieldType::Boolean)
        .Field(QStringLiteral("When"), FieldType::Date)
        .PrimaryIndex(QStringLiteral("ID"), QStringLiteral("ID"))
        .Index(QStringLiteral("Name"), QStringLiteral("点名"));
    return t;
}

std::shared_ptr<Database> NewDatabase() {
    const QString path = test::NewFolder(QStringLiteral("db")) + QStringLiteral("/SHUBO.MDB");
    auto db = Database::Create(path);
    db->CreateTable(NotebookTable());
    return db;
}

qint32 AddRow(Database& db, const QString& name, double value) {
    auto rs = db.OpenRecordset(QStringLiteral("テーブル4"));
    rs->AddNew();
    rs->SetField(QStringLiteral("点名"), name);
    rs->SetField(QStringLiteral("fld-4"), value);  // names match without regard to case
    rs->Update();
    rs->MoveToLastModified();
    return rs->Field(QStringLiteral("id")).toInt();
}

}  // namespace

TEST(Database, TypedFieldsRoundTrip) {
    auto db = NewDatabase();
    const QDateTime when(QDate(2026, 12, 6), QTime(9, 30, 15));
    auto rs = db->OpenRecordset(QStringLiteral("テーブル4"));
    rs->AddNew();
    rs->SetField(QStringLiteral("点名"), QStringLiteral("三角点1"));
    rs->SetField(QStringLiteral("メモ"), QString());
    rs->SetField(QStringLiteral("FLD-4"), 123.456789012345);
    rs->SetField(QStringLiteral("FLD+7"), -32768);
    rs->SetField(QStringLiteral("Flag"), true);
    rs->SetField(QStringLiteral("When"), when);
    rs->Update();

    auto back = db->OpenRecordset(QStringLiteral("SELECT * FROM テーブル4 WHERE 点名 = ?"),
                                  {QStringLiteral("三角点1")});
    ASSERT_EQ(back->RecordCount(), 1);
    EXPECT_EQ(back->Field(QStringLiteral("メモ")).toString(), QString());
    EXPECT_EQ(back->Field(QStringLiteral("FLD-4")).metaType().id(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(back->Field(QStringLiteral("FLD-4")).toDouble(), 123.456789012345);
    EXPECT_EQ(back->Field(QStringLiteral("FLD+7")).toInt(), -32768);
    EXPECT_EQ(back->Field(QStringLiteral("Flag")).metaType().id(), QMetaType::Bool);
    EXPECT_TRUE(back->Field(QStringLiteral("Flag")).toBool());
    EXPECT_EQ(back->Field(QStringLiteral("When")).toDateTime(), when);
    EXPECT_TRUE(back->Field(QStringLiteral("ID")).isValid());
}

TEST(Database, AutoIncrementIdsAndCursor) {
    auto db = NewDatabase();
    EXPECT_EQ(AddRow(*db, QStringLiteral("T1"), 1.0), 1);
    EXPECT_EQ(AddRow(*db, QStringLiteral("T2"), 2.0), 2);
    EXPECT_EQ(AddRow(*db, QStringLiteral("T3"), 3.0), 3);
    EXPECT_EQ(db->LastInsertId(), 3);

    auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM テーブル4 ORDER BY ID"));
    EXPECT_EQ(rs->RecordCount(), 3);
    QStringList names;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        names << rs->Field(QStringLiteral("点名")).toString();
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("T1"), QStringLiteral("T2"), QStringLiteral("T3")}));
    rs->MoveLast();
    EXPECT_EQ(rs->Field(QStringLiteral("ID")).toInt(), 3);
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_THROW(rs->Field(QStringLiteral("ID")), DbError);  // no current record

    auto empty = db->OpenRecordset(QStringLiteral("SELECT * FROM テーブル4 WHERE ID > ?"), {99});
    EXPECT_TRUE(empty->Eof());
    EXPECT_TRUE(empty->Bof());
    EXPECT_EQ(empty->RecordCount(), 0);
}

TEST(Database, EditAndDeleteThroughASelect) {
    auto db = NewDatabase();
    AddRow(*db, QStringLiteral("T1"), 1.0);
    const qint32 id = AddRow(*db, QStringLiteral("T2"), 2.0);

    auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM テーブル4 WHERE ID = ?"), {id});
    rs->Edit();
    rs->SetField(QStringLiteral("点名"), QStringLiteral("K2"));
    rs->Update();
    EXPECT_EQ(rs->Field(QStringLiteral("点名")).toString(), QStringLiteral("K2"));
    rs->Delete();
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());

    auto all = db->OpenRecordset(QStringLiteral("テーブル4"));
    ASSERT_EQ(all->RecordCount(), 1);
    EXPECT_EQ(all->Field(QStringLiteral("点名")).toString(), QStringLiteral("T1"));

    auto computed = db->OpenRecordset(QStringLiteral("SELECT count(*) AS n FROM テーブル4"));
    EXPECT_FALSE(computed->Updatable());
    EXPECT_THROW(computed->AddNew(), DbError);
    auto renamed = db->OpenRecordset(QStringLiteral("SELECT 点名 AS name FROM テーブル4"));
    EXPECT_FALSE(renamed->Updatable());
    EXPECT_EQ(renamed->Field(QStringLiteral("NAME")).toString(), QStringLiteral("T1"));
}

TEST(Database, SchemaRulesAreEnforced) {
    auto db = NewDatabase();
    auto rs = db->OpenRecordset(QStringLiteral("テーブル4"));
    rs->AddNew();
    rs->SetField(QStringLiteral("点名"), QString());  // zero length not allowed here
    EXPECT_THROW(rs->Update(), DbError);
    rs->CancelUpdate();
    rs->AddNew();
    rs->SetField(QStringLiteral("点名"),
                 QStringLiteral("123456789"));  // 9 characters in a field of 8
    EXPECT_THROW(rs->Update(), DbError);
    rs->CancelUpdate();
    rs->AddNew();
    rs->SetField(QStringLiteral("点名"),
                 QStringLiteral("境界杭ＡＢＣＤＥ"));  // 8 characters, 16 bytes
    EXPECT_NO_THROW(rs->Update());
    EXPECT_THROW(rs->SetField(QStringLiteral("点名"), QStringLiteral("x")),
                 DbError);  // not in add or edit
    EXPECT_THROW(rs->Field(QStringLiteral("NoSuchField")), DbError);
    EXPECT_THROW(db->OpenRecordset(QStringLiteral("NoSuchTable")), DbError);
    EXPECT_THROW(db->Execute(QStringLiteral("SELECT ?"), {}), DbError);  // parameters must match
}

TEST(Database, ParametersAreNeverSql) {
    auto db = NewDatabase();
    const QString hostile = QStringLiteral("x\" OR 1=1; DROP TABLE テーブル4; --");
    AddRow(*db, QStringLiteral("T1"), 1.0);
    auto rs =
        db->OpenRecordset(QStringLiteral("SELECT * FROM テーブル4 WHERE 点名 = ?"), {hostile});
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_TRUE(db->HasTable(QStringLiteral("テーブル4")));
}

TEST(Database, WorkspaceCommitAndRollBack) {
    const QString path = test::NewFolder(QStringLiteral("db")) + QStringLiteral("/calc.mdb");
    Database::Create(path)->CreateTable(NotebookTable());

    platform::Workspace ws(QStringLiteral("WSP0000000001"));
    auto db = ws.OpenDatabase(path);
    ws.BeginTrans();
    AddRow(*db, QStringLiteral("kept"), 1.0);
    ws.CommitTrans();
    ws.BeginTrans();
    AddRow(*db, QStringLiteral("dropped"), 2.0);
    ws.BeginTrans();  // nested
    AddRow(*db, QStringLiteral("inner"), 3.0);
    ws.CommitTrans();
    ws.Rollback();  // the outer roll back takes the inner commit with it

    auto other = Database::Open(path);  // a second connection sees what is durable
    auto rs = other->OpenRecordset(QStringLiteral("SELECT 点名 FROM テーブル4"));
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Field(QStringLiteral("点名")).toString(), QStringLiteral("kept"));
    EXPECT_THROW(ws.CommitTrans(), DbError);

    ws.BeginTrans();  // a database opened inside a transaction joins it
    auto late = ws.OpenDatabase(path);
    AddRow(*late, QStringLiteral("late"), 4.0);
    ws.Close();  // closing rolls back what was not committed
    EXPECT_EQ(Database::Open(path)->OpenRecordset(QStringLiteral("テーブル4"))->RecordCount(), 1);
}

TEST(Database, IndexSeek) {
    auto db = NewDatabase();
    AddRow(*db, QStringLiteral("T1"), 1.0);
    AddRow(*db, QStringLiteral("T2"), 2.0);
    auto rs = db->OpenRecordset(QStringLiteral("テーブル4"));
    rs->SetIndex(QStringLiteral("ID"));
    rs->Seek(2);
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Field(QStringLiteral("点名")).toString(), QStringLiteral("T2"));
    rs->Seek(7);
    EXPECT_TRUE(rs->NoMatch());
    rs->SetIndex(QStringLiteral("Name"));
    rs->Seek(QStringLiteral("T1"));
    EXPECT_DOUBLE_EQ(rs->Field(QStringLiteral("FLD-4")).toDouble(), 1.0);
    EXPECT_THROW(rs->SetIndex(QStringLiteral("Nope")), DbError);
}

TEST(Database, OpenFailures) {
    const QString folder = test::NewFolder(QStringLiteral("db"));
    try {
        Database::Open(folder + QStringLiteral("/missing.mdb"));
        FAIL() << "opened a missing file";
    } catch (const DbError& e) {
        EXPECT_EQ(e.Code(), 53);
    }
    test::WriteBytes(folder + QStringLiteral("/text.mdb"), "A,01,\r\nthis is no database\r\n");
    EXPECT_THROW(Database::Open(folder + QStringLiteral("/text.mdb")), DbError);
    Database::Create(folder + QStringLiteral("/new.mdb"));
    EXPECT_THROW(Database::Create(folder + QStringLiteral("/new.mdb")), DbError);
}

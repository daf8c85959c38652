#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDateTime>
#include <algorithm>

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
}

TEST(Database, OnlyRowsOfOneTableCanBeWrittenBack) {
    auto db = NewDatabase();
    AddRow(*db, QStringLiteral("T1"), 1.0);
    AddRow(*db, QStringLiteral("T1"), 2.0);
    db->Execute(QStringLiteral("CREATE VIEW 一覧 AS SELECT * FROM テーブル4"));
    db->Execute(QStringLiteral("CREATE TABLE 別表 (K INTEGER PRIMARY KEY, V) WITHOUT ROWID"));
    const struct {
        const char16_t* sql;
        bool updatable;
    } cases[] = {
        {u"SELECT * FROM テーブル4", true},
        {u"select ID, \"FLD+7\", 点名 from \"テーブル4\" t where t.ID > 0 order by 1", true},
        {u"SELECT * FROM テーブル4 WHERE メモ IS NULL OR メモ <> 'x GROUP BY y' LIMIT 5", true},
        {u"SELECT /* DISTINCT */ * FROM テーブル4 -- GROUP BY\n", true},
        {u"SELECT * FROM テーブル4 WHERE ID IN (SELECT max(ID) FROM テーブル4 GROUP BY 点名)",
         true},
        {u"SELECT ALL 点名 FROM テーブル4 WHERE ifnull(Flag, 0) = 0", true},
        {u"SELECT 点名 FROM テーブル4 WHERE ID > 0 GROUP BY 点名", false},
        {u"SELECT DISTINCT 点名 FROM テーブル4", false},
        {u"SELECT 点名, ID + 1 FROM テーブル4", false},
        {u"SELECT 点名 AS name FROM テーブル4", false},
        {u"SELECT count(*) AS n FROM テーブル4", false},
        {u"SELECT ID, row_number() OVER (ORDER BY ID) FROM テーブル4", false},
        {u"SELECT a.* FROM テーブル4 a JOIN テーブル4 b ON a.ID = b.ID", false},
        {u"SELECT a.* FROM テーブル4 a, テーブル4 b WHERE a.ID = b.ID", false},
        {u"SELECT 点名 FROM テーブル4 UNION SELECT 点名 FROM テーブル4", false},
        {u"SELECT * FROM (SELECT * FROM テーブル4)", false},
        {u"SELECT * FROM 一覧", false},
        {u"SELECT * FROM 別表", false},
    };
    for (const auto& c : cases) {
        const QString sql = QString::fromUtf16(c.sql);
        auto rs = db->OpenRecordset(sql);
        EXPECT_EQ(rs->Updatable(), c.updatable) << sql.toStdString();
        if (!c.updatable) {
            EXPECT_THROW(rs->AddNew(), DbError) << sql.toStdString();
        }
    }

    auto renamed = db->OpenRecordset(QStringLiteral("SELECT 点名 AS name FROM テーブル4"));
    EXPECT_EQ(renamed->Field(QStringLiteral("NAME")).toString(), QStringLiteral("T1"));
    auto aliased = db->OpenRecordset(
        QStringLiteral("SELECT ID, \"FLD+7\" FROM テーブル4 t WHERE t.\"FLD-4\" = ?"), {2.0});
    aliased->Edit();
    aliased->SetField(QStringLiteral("FLD+7"), 7);
    aliased->Update();
    auto back = db->OpenRecordset(QStringLiteral("SELECT \"FLD+7\" FROM テーブル4 ORDER BY ID"));
    EXPECT_TRUE(back->Field(QStringLiteral("FLD+7")).isNull());  // the other row is untouched
    back->MoveNext();
    EXPECT_EQ(back->Field(QStringLiteral("FLD+7")).toInt(), 7);
}

TEST(Database, AnEmptyYesNoFieldReadsAsNo) {
    auto db = NewDatabase();
    db->Execute(QStringLiteral("INSERT INTO テーブル4 (点名, Flag, \"FLD-4\") VALUES (?, ?, ?)"),
                {QStringLiteral("T1"), QVariant(), QVariant()});
    auto rs = db->OpenRecordset(QStringLiteral("テーブル4"));
    EXPECT_EQ(rs->Field(QStringLiteral("Flag")), QVariant(false));
    EXPECT_TRUE(rs->Field(QStringLiteral("FLD-4")).isNull());  // other kinds stay empty
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
    // A file of another kind says so in the user's language, with its name.
    const QString text = folder + QStringLiteral("/text.mdb");
    test::WriteBytes(text, "A,01,\r\nthis is no database at all, but a field book\r\n");
    try {
        Database::Open(text);
        FAIL() << "opened a text file";
    } catch (const DbError& e) {
        EXPECT_EQ(e.Description(),
                  text + QStringLiteral(": データベースのファイルではありません。"));
    }
    Database::Create(folder + QStringLiteral("/new.mdb"));
    EXPECT_THROW(Database::Create(folder + QStringLiteral("/new.mdb")), DbError);
}

TEST(Database, LastModifiedRecordAfterSeekAndClose) {
    auto db = NewDatabase();
    AddRow(*db, QStringLiteral("T1"), 1.0);
    auto rs = db->OpenRecordset(QStringLiteral("テーブル4"));
    rs->MoveFirst();
    for (const char* name : {"T2", "T3"}) {
        rs->AddNew();
        rs->SetField(QStringLiteral("点名"), QString::fromLatin1(name));
        rs->Update();
    }
    rs->SetIndex(QStringLiteral("ID"));
    rs->Seek(1);  // the recordset now holds one record
    rs->MoveToLastModified();
    EXPECT_EQ(rs->Field(QStringLiteral("点名")).toString(), QStringLiteral("T3"));
    EXPECT_EQ(rs->Field(QStringLiteral("ID")).toInt(), 3);

    rs->Close();
    EXPECT_THROW(rs->MoveToLastModified(), DbError);
}

namespace {

// What the engine ran while a test watched: the SELECTs, and how often the most used INSERT
// statement had been run before.
struct Watch {
    int selects = 0;
    int insertRuns = 0;
};

int OnStatement(unsigned, void* context, void* p, void*) {
    auto* watch = static_cast<Watch*>(context);
    auto* stmt = static_cast<sqlite3_stmt*>(p);
    const QString sql = QString::fromUtf8(sqlite3_sql(stmt));
    if (sql.startsWith(QStringLiteral("SELECT"))) ++watch->selects;
    if (sql.startsWith(QStringLiteral("INSERT")))
        watch->insertRuns =
            std::max(watch->insertRuns, sqlite3_stmt_status(stmt, SQLITE_STMTSTATUS_RUN, 0));
    return 0;
}

}  // namespace

TEST(Database, AddingRowsReadsNoneAndCompilesTheInsertOnce) {
    auto db = NewDatabase();
    for (int i = 0; i < 50; ++i) AddRow(*db, QStringLiteral("T%1").arg(i), i);
    Watch watch;
    sqlite3_trace_v2(db->Handle(), SQLITE_TRACE_STMT, OnStatement, &watch);
    db->BeginTrans();
    auto rs = db->OpenRecordset(QStringLiteral("テーブル4"));
    const int opened = watch.selects;
    for (int i = 0; i < 100; ++i) {
        rs->AddNew();
        rs->SetField(QStringLiteral("点名"), QStringLiteral("K%1").arg(i));
        rs->SetField(QStringLiteral("FLD-4"), i * 0.5);
        rs->Update();
    }
    db->CommitTrans();
    sqlite3_trace_v2(db->Handle(), 0, nullptr, nullptr);
    EXPECT_EQ(watch.selects, opened);
    EXPECT_GE(watch.insertRuns, 99);
    EXPECT_EQ(rs->RecordCount(), 150);  // the count is still exact
    rs->MoveLast();
    EXPECT_DOUBLE_EQ(rs->Field(QStringLiteral("FLD-4")).toDouble(), 49.5);
}

TEST(Database, KeptStatementsFollowTheSchema) {
    auto db = NewDatabase();
    // Two recordsets adding rows in turn, each with the insert of the same text.
    auto first = db->OpenRecordset(QStringLiteral("テーブル4"));
    auto second = db->OpenRecordset(QStringLiteral("テーブル4"));
    for (int i = 0; i < 3; ++i) {
        for (auto* rs : {first.get(), second.get()}) {
            rs->AddNew();
            rs->SetField(QStringLiteral("点名"), QStringLiteral("T%1").arg(i));
            rs->Update();
        }
    }
    EXPECT_EQ(db->OpenRecordset(QStringLiteral("テーブル4"))->RecordCount(), 6);

    // More statement texts than are kept, then the first again.
    for (int i = 0; i < 100; ++i) {
        auto rs = db->OpenRecordset(QStringLiteral("SELECT ID + %1 AS v FROM テーブル4").arg(i));
        ASSERT_EQ(rs->Field(QStringLiteral("v")).toInt(), 1 + i);
    }
    EXPECT_EQ(db->OpenRecordset(QStringLiteral("SELECT ID + 0 AS v FROM テーブル4"))
                  ->Field(QStringLiteral("v"))
                  .toInt(),
              1);

    // A table made again with other fields is read with its new fields.
    db->Execute(QStringLiteral("CREATE TABLE 臨時 (A INTEGER)"));
    db->OpenRecordset(QStringLiteral("臨時"))->RecordCount();
    db->Execute(QStringLiteral("DROP TABLE 臨時"));
    db->Execute(QStringLiteral("CREATE TABLE 臨時 (A INTEGER, B TEXT)"));
    auto remade = db->OpenRecordset(QStringLiteral("臨時"));
    remade->AddNew();
    remade->SetField(QStringLiteral("B"), QStringLiteral("新"));
    remade->Update();
    EXPECT_EQ(db->OpenRecordset(QStringLiteral("臨時"))->Field(QStringLiteral("B")).toString(),
              QStringLiteral("新"));
}

TEST(Database, ATransactionTheEngineEndedIsForgotten) {
    auto db = NewDatabase();
    db->Execute(
        QStringLiteral("CREATE TRIGGER 拒否 BEFORE INSERT ON テーブル4 WHEN NEW.点名 = 'NG' "
                       "BEGIN SELECT RAISE(ROLLBACK, '登録できません'); END"));
    for (bool commit : {false, true}) {
        db->BeginTrans();
        AddRow(*db, QStringLiteral("T1"), 1.0);
        EXPECT_THROW(AddRow(*db, QStringLiteral("NG"), 2.0), DbError);
        if (commit) {
            EXPECT_THROW(db->CommitTrans(), DbError);  // what was written is gone
        } else {
            EXPECT_NO_THROW(db->Rollback());
        }
        EXPECT_EQ(db->TransactionDepth(), 0);
    }
    db->BeginTrans();
    AddRow(*db, QStringLiteral("T2"), 1.0);
    db->CommitTrans();
    EXPECT_EQ(db->OpenRecordset(QStringLiteral("テーブル4"))->RecordCount(), 1);
}

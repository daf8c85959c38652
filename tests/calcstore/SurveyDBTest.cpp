// The district database behind the calculations: points by name, calculation rows written
// and refused, workspaces and their transactions, and the numbering rules read from it.

#include <gtest/gtest.h>

#include <QFile>

#include "calcstore/Numberings.h"
#include "calcstore/SurveyDB.h"
#include "platform/AutomationError.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/ScriptedPrompt.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"
#include "trevanto/DemoDistrict.h"

using calcstore::Calcurate;
using calcstore::SurveyDB;

namespace {

class SurveyDBTest : public testing::Test {
  protected:
    void SetUp() override {
        platform::SetActivePrompt(&prompt_);
        path_ = test::NewFolder(QStringLiteral("district")) + QStringLiteral("/district.mdb");
        platform::Database::Create(path_);
        trevanto_host::FillDemoDistrict(path_);
        db_.SetDataBaseName(path_);
    }
    void TearDown() override { platform::SetActivePrompt(nullptr); }

    void AddPoint(const QString& name, const QVariant& deleted = false) {
        platform::Database::Open(path_)->Execute(
            QStringLiteral(
                "INSERT INTO COORD (Name, X, Y, Z, Memo, DELFLG) VALUES (?, 1.5, 2.5, 3.5, '', ?)"),
            {name, deleted});
    }

    platform::ScriptedPrompt prompt_;
    QString path_;
    SurveyDB db_{prompt_};
};

}  // namespace

TEST_F(SurveyDBTest, PresentPointsAreFoundByTheirExactName) {
    const QStringList names = {
        QStringLiteral("a\"b"), QStringLiteral("O'Brien"), QStringLiteral("x\" OR \"1\"=\"1"),
        QStringLiteral("T1; DROP TABLE COORD; --"), QStringLiteral("境界杭Ａ")};
    for (const QString& name : names) AddPoint(name);
    AddPoint(QStringLiteral("O'Brien"), true);  // deleted points are not loaded
    for (const QString& name : names) {
        db_.SetTenName(name);
        ASSERT_EQ(db_.Count(), name == QStringLiteral("境界杭Ａ") ? 2 : 1)
            << name.toStdString();  // the demo has one too
        EXPECT_EQ(db_.Item(db_.Count()).TenName(), name);
        EXPECT_EQ(db_.Item(db_.Count()).X(), 1.5);
    }
    db_.SetTenName(QStringLiteral("境界杭"));  // no partial matches
    EXPECT_EQ(db_.Count(), 0);
    EXPECT_EQ(
        platform::Database::Open(path_)->OpenRecordset(QStringLiteral("COORD"))->RecordCount(),
        30 + 6);

    db_.SetTenName(QStringLiteral("境界杭Ａ"));
    EXPECT_FALSE(db_.Item(1).AssertZ());  // stored without a height
    try {
        db_.Item(3);
        FAIL();
    } catch (const platform::AutomationError& e) {
        EXPECT_EQ(e.Number(), calcstore::kCoordNotFound);
    }

    // An empty deleted flag, as another program may have left it, means present.
    const struct {
        const char16_t* name;
        QVariant deleted;
        int found;
    } cases[] = {
        {u"空欄", QVariant(), 1},
        {u"現存", QVariant(false), 1},
        {u"削除", QVariant(true), 0},
        {u"削除-1", QVariant(-1), 0},
    };
    for (const auto& c : cases) AddPoint(QString::fromUtf16(c.name), c.deleted);
    for (const auto& c : cases) {
        db_.SetTenName(QString::fromUtf16(c.name));
        EXPECT_EQ(db_.Count(), c.found) << QString::fromUtf16(c.name).toStdString();
    }
}

TEST_F(SurveyDBTest, MissingDatabaseFile) {
    SurveyDB missing(prompt_);
    missing.SetDataBaseName(path_ + QStringLiteral(".gone"));
    try {
        missing.SetTenName(QStringLiteral("T1"));
        FAIL();
    } catch (const platform::AutomationError& e) {
        EXPECT_EQ(e.Number(), calcstore::kFileNotFound);
    }
    EXPECT_EQ(missing.Count(), 0);
}

TEST_F(SurveyDBTest, EveryWorkspaceOfTheRunHasItsOwnName) {
    QStringList names;
    for (int i = 0; i < 12; ++i) {
        db_.SetWorkSpace();
        EXPECT_TRUE(db_.SenceTrans());
        names << db_.WorkSpaceName();
    }
    db_.UnSetWorkSpace();
    EXPECT_FALSE(db_.SenceTrans());
    EXPECT_EQ(db_.WorkSpaceName(), QString());
    EXPECT_TRUE(names.constFirst().startsWith(QStringLiteral("WSP")));
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(sorted, names);  // names sort in the order the workspaces were made
    sorted.removeDuplicates();
    EXPECT_EQ(sorted.size(), names.size());
}

TEST_F(SurveyDBTest, SetCalcInsertsEditsAndRefusesAMissingRow) {
    Calcurate folder;
    folder.SetName(QStringLiteral("新しいフォルダ"));
    folder.SetAttributes(calcstore::kAttrFolder);
    const qint32 id = db_.SetCalc(folder);
    EXPECT_EQ(id, 5);                      // after the demo's four folders
    EXPECT_EQ(db_.SetCalc(folder, 0), 6);  // id 0 always inserts

    Calcurate read;
    ASSERT_TRUE(db_.GetCalc(id, read));
    EXPECT_EQ(read.Name(), QStringLiteral("新しいフォルダ"));
    EXPECT_EQ(read.DelFlg(), calcstore::kDelFlgPresent);
    read.SetName(QStringLiteral("改名"));
    EXPECT_EQ(db_.SetCalc(read, id), id);
    Calcurate again;
    db_.GetCalc(id, again);
    EXPECT_EQ(again.Name(), QStringLiteral("改名"));

    Calcurate untouched;
    ASSERT_TRUE(db_.GetCalc(999, untouched));  // no row: the record stays as it was
    EXPECT_EQ(untouched.ID(), 0);

    EXPECT_EQ(db_.SetCalc(read, 999), 0);
    EXPECT_EQ(prompt_.Records().size(), 1);
    EXPECT_EQ(platform::Workspace::Default().TransactionDepth(), 0);
}

TEST_F(SurveyDBTest, SetCalcReportsARollBackByTheDatabase) {
    platform::Database::Open(path_)->Execute(QStringLiteral(
        "CREATE TRIGGER 保護 BEFORE INSERT ON CALC BEGIN SELECT RAISE(ROLLBACK, '保護中です'); "
        "END"));
    Calcurate folder;
    folder.SetName(QStringLiteral("新しいフォルダ"));
    EXPECT_EQ(db_.SetCalc(folder), 0);
    ASSERT_EQ(prompt_.Records().size(), 1);
    EXPECT_TRUE(prompt_.Records()[0].text.contains(QStringLiteral("保護中です")));  // the database's reason
    EXPECT_EQ(platform::Workspace::Default().TransactionDepth(), 0);

    platform::Database::Open(path_)->Execute(QStringLiteral("DROP TRIGGER 保護"));
    EXPECT_EQ(db_.SetCalc(folder), 5);  // the next write starts afresh
}

TEST_F(SurveyDBTest, PrivateWorkspaceLeavesTheTransactionToTheCaller) {
    db_.SetWorkSpace();
    db_.StartTrans();
    Calcurate folder;
    folder.SetName(QStringLiteral("取り消すフォルダ"));
    folder.SetAttributes(calcstore::kAttrFolder);
    EXPECT_GT(db_.SetCalc(folder), 0);
    db_.RollBackTrans();
    db_.UnSetWorkSpace();
    auto rs = platform::Database::Open(path_)->OpenRecordset(
        QStringLiteral("SELECT * FROM CALC WHERE Name = ?"), {QStringLiteral("取り消すフォルダ")});
    EXPECT_EQ(rs->RecordCount(), 0);
}

TEST_F(SurveyDBTest, ReadAllDBAddsTheDistrictsRules) {
    calcstore::Numberings rules;
    ASSERT_TRUE(rules.ReadAllDB(path_));
    EXPECT_EQ(rules.Count(), 2);
    EXPECT_EQ(rules.GetTenMei(QStringLiteral("100.2")), QStringLiteral("K1-2"));
    EXPECT_TRUE(rules.ReadAllDB(path_));  // not cleared first: every rule is refused once
    EXPECT_EQ(prompt_.Records().size(), 2);
    EXPECT_FALSE(rules.ReadAllDB(path_ + QStringLiteral(".gone")));
}

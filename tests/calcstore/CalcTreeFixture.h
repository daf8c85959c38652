#pragma once
// A demo district of its own for each test, whose calculation tree the test adds to:
//   root ─ 基準点測量 (1) ─ 令和8年度 (2)
//        └ 細部測量 (3) ─ 境界確認 (4)
// and the scripted prompt installed.

#include <gtest/gtest.h>

#include <QDateTime>

#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/ScriptedPrompt.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"
#include "trevanto/DemoDistrict.h"

namespace test {

inline constexpr qint32 kKijunten = 1;  // 基準点測量
inline constexpr qint32 kReiwa8 = 2;    // 令和8年度, inside 基準点測量
inline constexpr qint32 kSaibu = 3;     // 細部測量

class CalcTreeFixture : public testing::Test {
  protected:
    void SetUp() override {
        platform::SetActivePrompt(&prompt_);
        path_ = NewFolder(QStringLiteral("calctree")) + QStringLiteral("/district.mdb");
        platform::Database::Create(path_);
        trevanto_host::FillDemoDistrict(path_);
    }
    void TearDown() override {
        EXPECT_EQ(prompt_.Unanswered(), 0) << "a prompt was not scripted";
        platform::SetActivePrompt(nullptr);
    }

    // A row of the tree: a calculation unless told otherwise; returns its id.
    qint32 Add(const QString& name, qint32 parent, qint32 attributes = 256, qint32 delFlg = 2) {
        auto db = platform::Database::Open(path_);
        db->Execute(QStringLiteral("INSERT INTO CALC (Name, ParentID, Attributes, DelFlg, "
                                   "CreateDate, UpdateDate, CalcNo, Mode) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, 0)"),
                    {name, parent, attributes, delFlg, QDateTime::currentDateTime(),
                     QDateTime::currentDateTime(), attributes == 1 ? 0 : 7});
        return static_cast<qint32>(db->LastInsertId());
    }
    qint32 AddFolder(const QString& name, qint32 parent) { return Add(name, parent, 1); }

    QString NameOf(qint32 id) const {
        auto rs = platform::Database::Open(path_)->OpenRecordset(
            QStringLiteral("SELECT * FROM CALC WHERE ID = ?"), {id});
        return rs->Eof() ? QStringLiteral("(none)") : rs->Field(QStringLiteral("Name")).toString();
    }

    // The texts of the message boxes shown so far, and forgets them.
    QStringList TakeMessages() {
        QStringList texts;
        for (const auto& r : prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Message))
            texts << r.text;
        prompt_.ClearRecords();
        return texts;
    }

    platform::ScriptedPrompt prompt_;
    QString path_;
};

}  // namespace test

// trevanto notebook as a user runs it: where the notebook goes, what it says, the survey
// class check, and the older notebook kept through every failure.

#include <QDir>
#include <QFile>

#include "app/TrevantoProcess.h"
#include "notebook/ReductionTable.h"
#include "platform/Database.h"
#include "support/FieldBook.h"
#include "support/QtPrinters.h"

namespace {

using test::Args;
using test::Outcome;

class NotebookJobTest : public test::TrevantoProcessTest {
  protected:
    Outcome Notebook(QStringList arguments) {
        arguments.prepend(QStringLiteral("notebook"));
        return Trevanto(arguments);
    }
    // The station row's elevation (KIKAIH) in the folder's notebook database.
    static QString StationElevation(const QString& folder) {
        const auto rows = notebook::ReadReductionTable(folder + QStringLiteral("/SHUBO.MDB"));
        return rows.empty() ? QStringLiteral("no rows") : rows.front().stationElevation;
    }
};

TEST_F(NotebookJobTest, WritesBothFilesAndCountsTheTextLines) {
    const QString out = test::NewFolder(QStringLiteral("出力 先"));
    File(QStringLiteral("現場 第1回.APA"), test::TwoSetFieldBook("ST1"));
    const Outcome o = Notebook({QStringLiteral("-o"), out, QStringLiteral("現場 第1回.APA")});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QByteArray text = test::ReadBytes(out + QStringLiteral("/SHUBO1.DAT"));
    EXPECT_EQ(o.out, out + QStringLiteral("/SHUBO1.DAT, ") + out +
                         QStringLiteral("/SHUBO.MDB: 観測点 1、手簿 ") +
                         QString::number(text.count("\r\n")) + QStringLiteral(" 行\n"));
    EXPECT_TRUE(text.contains("ST1")) << text.left(400).toStdString();
    const auto rows = notebook::ReadReductionTable(out + QStringLiteral("/SHUBO.MDB"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].station, QStringLiteral("ST1"));
}

// A sighting the notebook cannot place is a problem of the input: status 1, told on stderr.
TEST_F(NotebookJobTest, UnreducibleSightingsGiveStatusOne) {
    File(QStringLiteral("w.APA"), "A,01,\r\nD,W1,,1.5,0,1121001,,,\r\nE,0,\r\n"
                                  "F,T1,,1.6,r1001,0.0000,,,,,,000,\r\nF,T9,,1.6,r1x,1.0000,,,,,,000,\r\nZ,\r\n");
    const Outcome o = Notebook({QStringLiteral("-o"), test::NewFolder(QStringLiteral("w")), QStringLiteral("w.APA")});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, QStringLiteral("w.APA: W1: 番号 \"r1x\" の視準 T9 は方向番号がないため整約していません。\n"));
}

// Without -o the notebook goes into the work folder; station elevations come from the demo
// district unless --database names another.
TEST_F(NotebookJobTest, WorkFolderAndDistrictByDefault) {
    File(QStringLiteral("book.APA"), test::TwoSetFieldBook("T1"));
    ASSERT_EQ(Notebook(Args("book.APA")).status, 0);
    EXPECT_TRUE(QFile::exists(home_ + QStringLiteral("/SHUBO1.DAT")));
    EXPECT_EQ(StationElevation(home_), QStringLiteral("45.210"));

    const QString other = home_ + QStringLiteral("/別の地区.mdb");
    ASSERT_TRUE(QFile::copy(home_ + QStringLiteral("/DemoDistrict.mdb"), other));
    platform::Database::Open(other)->Execute(
        QStringLiteral("UPDATE COORD SET Z = 12.345 WHERE Name = 'T1'"));
    const QString out = test::NewFolder(QStringLiteral("other"));
    const Outcome o = Trevanto({QStringLiteral("--database"), other, QStringLiteral("notebook"),
                                QStringLiteral("-o"), out, QStringLiteral("book.APA")});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(StationElevation(out), QStringLiteral("12.345"));
}

// An equal value passes: the 30″ double-angle spread is within class 3.
TEST_F(NotebookJobTest, SurveyClassListsTheValuesOverItsLimits) {
    File(QStringLiteral("book.APA"), test::TwoSetFieldBook("ST1"));
    const Outcome o = Notebook(Args("--class 3 book.APA"));
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.out.endsWith(
        QStringLiteral("行\nST1  T2  観測差 30″（制限 20″）\n3級の制限を超える値: 1 件\n")))
        << o.out.toStdString();
}

TEST_F(NotebookJobTest, TroubleLeavesTheOlderNotebook) {
    const QString out = test::NewFolder(QStringLiteral("older"));
    test::WriteBytes(out + QStringLiteral("/SHUBO1.DAT"), "older text\r\n");
    test::WriteBytes(out + QStringLiteral("/SHUBO.MDB"), "older database");
    File(QStringLiteral("book.APA"), test::TwoSetFieldBook("ST1"));
    File(QStringLiteral("hello.APA"), "hello\r\n");
    const QString missing = out + QStringLiteral("/no such folder");
    const struct {
        QString folder;
        QStringList arguments;
        const char16_t* said;
    } cases[] = {
        {out, Args("hello.APA"), u"hello.APA: APA データではありません。"},
        {out, Args("missing.APA"), u"missing.APA"},
        {out, Args("--class 9 book.APA"), u"知らない測量の級です: 9"},
        {missing, Args("book.APA"), u"出力フォルダーがありません"},
    };
    for (const auto& c : cases) {
        const Outcome o = Notebook(QStringList{QStringLiteral("-o"), c.folder} + c.arguments);
        EXPECT_EQ(o.status, 2) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(o.err.contains(QString::fromUtf16(c.said))) << o.err.toStdString();
        EXPECT_EQ(test::ReadBytes(out + QStringLiteral("/SHUBO1.DAT")),
                  QByteArray("older text\r\n"));
        EXPECT_EQ(test::ReadBytes(out + QStringLiteral("/SHUBO.MDB")),
                  QByteArray("older database"));
        EXPECT_EQ(
            QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 2);
    }
}

}  // namespace

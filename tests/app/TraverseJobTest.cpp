// trevanto traverse as a surveyor runs it: a closed traverse from the field book to a
// calculation the demo host stores, read back with calc show; and every refusal leaving the
// district as it was.

#include "app/TrevantoProcess.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "support/TraverseFieldBook.h"
#include "trevanto/DemoDistrict.h"

namespace {

using test::Args;
using test::Outcome;

class TraverseJobTest : public test::TrevantoProcessTest {
  protected:
    void SetUp() override {
        TrevantoProcessTest::SetUp();
        File(QStringLiteral("loop.APA"), test::ClosedTraverseFieldBook());
        database_ = trevanto_host::EnsureDemoDistrict(home_);
    }
    Outcome Traverse(const QStringList& arguments) {
        return Trevanto(QStringList{QStringLiteral("--database"), database_, QStringLiteral("traverse")} + arguments);
    }
    // Every COORD and CALC row, for comparing the district before and after.
    QStringList District() const {
        auto db = platform::Database::Open(database_);
        QStringList rows;
        const QStringList coord = Args("ID Name X Y Z Memo DELFLG");
        const QStringList calc = Args("ID Name ParentID Attributes");
        for (const auto& [table, fields] : {std::pair{QStringLiteral("COORD"), coord}, std::pair{QStringLiteral("CALC"), calc}}) {
            for (auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY ID"));
                 !rs->Eof(); rs->MoveNext()) {
                QStringList values;
                for (const QString& field : fields) values << rs->Field(field).toString();
                rows << values.join(u'|');
            }
        }
        return rows;
    }

    QString database_;
};

// The grid rows of the loop: T1: T4 T2 | T2: T1 N1 杭1 | N1: T2 T4 | T4: N1 T1.
const QString kForesightsAndSideShot = QStringLiteral("2,4-5,7,9");

TEST_F(TraverseJobTest, ClosedTraverseReachesTheHostAndReadsBack) {
    const QStringList before = District();
    const Outcome o = Traverse(Args("loop.APA --type 4 --folder 2 --rows")
                               << kForesightsAndSideShot << QStringLiteral("--name")
                               << QStringLiteral("外周 \"A\" 路線"));
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, QStringLiteral("計算 5: 外周 \"A\" 路線\n"));

    // Only the calculation and the two new points were added.
    const QStringList after = District();
    QStringList added;
    for (const QString& row : after)
        if (!before.contains(row)) added << row.section(u'|', 0, 1);
    EXPECT_EQ(added, (QStringList{QStringLiteral("31|N1"), QStringLiteral("32|杭1"), QStringLiteral("5|外周 \"A\" 路線")}));
    for (const QString& row : before) EXPECT_TRUE(after.contains(row)) << row.toStdString();

    const Outcome show = Trevanto({QStringLiteral("--database"), database_, QStringLiteral("calc"), QStringLiteral("show"),
                                   QStringLiteral("5")});
    ASSERT_EQ(show.status, 0) << show.err.toStdString();
    for (const QString& line : {
             QStringLiteral("種別 7 閉合トラバー, フォルダー 2"),
             QStringLiteral("点 (5)"),
             QStringLiteral("   1  出発点  T1 (1)"),
             QStringLiteral("   9  観測点数  4"),
             QStringLiteral("  10  路線の視準数  4"),
             QStringLiteral("  11  放射の視準数  1"),
             QStringLiteral("  13  路線の水平角の和  360-20-40"),
             QStringLiteral("   1  T1 (1) → T2 (2)  水平角 91-23-15  水平距離 110.063 m  高低差 -0.084 m  "
                            "天頂角 89-59-30  斜距離 110.063 m"),
             QStringLiteral("   2  T2 (2) → N1 (31)  水平角 88-47-02"),
             QStringLiteral("   3  N1 (31) → T4 (4)  水平角 90-12-54"),
             QStringLiteral("   4  T4 (4) → T1 (1)  水平角 89-57-29"),
             QStringLiteral("  放射"),
             QStringLiteral("   5  T2 (2) → 杭1 (32)  水平角 300-10-20"),
         })
        EXPECT_TRUE(show.out.contains(line)) << line.toStdString() << '\n' << show.out.toStdString();
}

// Refused before anything is written: the district stays byte for byte as it was.
TEST_F(TraverseJobTest, RefusalsWriteNothing) {
    const QStringList before = District();
    struct Case {
        QStringList arguments;
        int status;
        QString message;
    };
    const Case cases[] = {
        {Args("loop.APA --type 4 --rows 2,4"), 1,
         QStringLiteral("3点以上の測点を選択してください。")},
        {Args("loop.APA --type 4 --folder 99"), 2, QStringLiteral("フォルダー 99 はありません。")},
        {Args("loop.APA --type 7"), 2, QStringLiteral("--type は 1 から 6 です")},
        {Args("loop.APA --rows 5-3 --type 1"), 2, QStringLiteral("--rows")},
        {Args("loop.APA --rows 1-10 --type 1"), 2, QStringLiteral("--rows は 1 から 9 まで")},
        {Args("loop.APA --rows 2,2,2 --type 1"), 1,
         QStringLiteral("trevanto: 3点以上の測点を選択してください。")},
        // One of the names the folder refuses: the rules themselves are the folders' tests'.
        {Args("loop.APA --type 4 --folder 1 --name 令和8年度"), 2,
         QStringLiteral("同一名称が存在します。")},
        {Args("loop.APA"), 2, QStringLiteral("--type")},
        {Args("loop.APA --options TRAV1x21"), 2, QStringLiteral("--options")},
        {Args("missing.APA --type 1"), 2, QStringLiteral("missing.APA")},
    };
    for (const Case& c : cases) {
        const Outcome o = Traverse(c.arguments);
        EXPECT_EQ(o.status, c.status) << c.arguments.join(u' ').toStdString() << '\n' << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(c.message)) << c.message.toStdString() << '\n' << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty()) << o.out.toStdString();
    }
    EXPECT_EQ(District(), before);
}

// The rows as the grid shows them, to choose --rows from; nothing is registered.
TEST_F(TraverseJobTest, ListShowsTheGridRows) {
    const QStringList before = District();
    const Outcome o = Traverse(Args("--list loop.APA"));
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QStringList lines = o.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[5], QStringLiteral("   5  T2  杭1  23.456"));
    EXPECT_EQ(District(), before);
}

// A sighting without a name is a row of its own, and checking it stops the registration.
TEST_F(TraverseJobTest, BlankTargetNameIsRefused) {
    QByteArray book = test::ClosedTraverseFieldBook();
    book.replace("F,\x8d\x59\x31,", "F,,");  // 杭1 loses its name
    File(QStringLiteral("blank.APA"), book);
    const QStringList before = District();
    const Outcome o = Traverse(Args("blank.APA --type 1"));
    EXPECT_EQ(o.status, 1) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QStringLiteral("点名が空白のデータがあります。"))) << o.err.toStdString();
    EXPECT_EQ(District(), before);
}

// A name the district holds twice cannot be settled without a person: it is told, and the
// point handed as new. The options' type digit counts when --type is not given.
TEST_F(TraverseJobTest, AmbiguousNameIsToldAndMadeNew) {
    platform::Database::Open(database_)->Execute(
        QStringLiteral("INSERT INTO COORD (Name, X, Y, Z, Memo, DELFLG) VALUES ('T2', 1, 2, 3, '', 0)"));
    const Outcome o =
        Traverse(Args("loop.APA --options TRAV1421 --rows") << kForesightsAndSideShot);
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QStringLiteral("T2 は、複数点あります（2 点）。"))) << o.err.toStdString();
    const Outcome show = Trevanto({QStringLiteral("--database"), database_, QStringLiteral("calc"), QStringLiteral("show"),
                                   QStringLiteral("5")});
    EXPECT_TRUE(show.out.contains(QStringLiteral("種別 7 閉合トラバー, フォルダー 0"))) << show.out.toStdString();
    EXPECT_TRUE(show.out.contains(QStringLiteral("T1 (1) → T2 (32)"))) << show.out.toStdString();
}

}  // namespace

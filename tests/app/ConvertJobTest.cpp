// trevanto convert as a user runs it: batches, output names, the overwrite rule, statuses.

#include <QDir>
#include <QFile>

#include "app/TrevantoProcess.h"
#include "convert/GsiText.h"
#include "support/QtPrinters.h"

namespace {

using test::Args;
using test::Outcome;

class ConvertJobTest : public test::TrevantoProcessTest {
  protected:
    static QByteArray Gsi(const QByteArray& station) {
        return test::JoinLines({test::GsiCode(false, 50, {station}),
                                test::GsiPoint(false, "P1", "1000000", "9000000", "12345"),
                                test::GsiCode(false, 59)});
    }
    Outcome Convert(QStringList arguments) {
        arguments.prepend(QStringLiteral("convert"));
        return Trevanto(arguments);
    }
    QString At(const QString& name) const { return home_ + u'/' + name; }
};

TEST_F(ConvertJobTest, BatchGoesOnAfterAFileItCannotConvert) {
    File(QStringLiteral("one.GSI"), Gsi("ST1"));
    File(QStringLiteral("notes.txt"), "hello\r\nworld\r\n");
    File(QStringLiteral("three.gsi"), Gsi("ST3"));
    const Outcome o = Convert(Args("one.GSI notes.txt missing.GSI three.gsi"));
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out.count(QStringLiteral(" -> ")), 2) << o.out.toStdString();
    EXPECT_TRUE(o.err.contains(QStringLiteral("notes.txt: 変換できません: データ形式を判別できません")))
        << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QStringLiteral("missing.GSI"))) << o.err.toStdString();
    EXPECT_TRUE(test::ReadBytes(At(QStringLiteral("one.APA"))).contains("D,ST1"));
    EXPECT_TRUE(test::ReadBytes(At(QStringLiteral("three.APA"))).contains("D,ST3"));
    EXPECT_FALSE(QFile::exists(At(QStringLiteral("notes.APA"))));
}

TEST_F(ConvertJobTest, NonEmptyFieldBookIsReplacedOnlyWhenAsked) {
    File(QStringLiteral("job.gsi"), Gsi("NEW"));
    File(QStringLiteral("job.APA"), "A,01,\r\nZ,\r\n");
    Outcome o = Convert(Args("job.gsi"));
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains(QStringLiteral("--overwrite"))) << o.err.toStdString();
    EXPECT_EQ(test::ReadBytes(At(QStringLiteral("job.APA"))), QByteArray("A,01,\r\nZ,\r\n"));

    o = Convert(Args("--overwrite job.gsi"));
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(test::ReadBytes(At(QStringLiteral("job.APA"))).contains("D,NEW"));

    File(QStringLiteral("job.APA"), "");  // an empty one is no field book to keep
    EXPECT_EQ(Convert(Args("job.gsi")).status, 0);
}

TEST_F(ConvertJobTest, OutputFolderFormatAndNames) {
    const QString out = test::NewFolder(QStringLiteral("out folder"));
    File(QStringLiteral("現場 A.dat"), Gsi("ST1"));
    const Outcome o = Convert(Args("-f gsi -o") << out << QStringLiteral("現場 A.dat"));
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.out.contains(QStringLiteral("GSI、観測点 1、視準 1"))) << o.out.toStdString();
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/現場 A.APA")));
}

TEST_F(ConvertJobTest, BadUseIsTroubleBeforeAnyFile) {
    File(QStringLiteral("one.GSI"), Gsi("ST1"));
    for (const QStringList& arguments :
         {Args("-f XYZ one.GSI"), Args("-f APA one.GSI"),
          QStringList{QStringLiteral("-o"), QStringLiteral("no such folder"),
                      QStringLiteral("one.GSI")},
          Args("-o one.GSI one.GSI"), QStringList{}}) {
        const Outcome o = Convert(arguments);
        EXPECT_EQ(o.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(o.err.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(At(QStringLiteral("one.APA"))));
}

TEST_F(ConvertJobTest, RawFileAndEarlierOutputsOfTheRunAreNeverReplaced) {
    // A raw file named like its own output, and two raw files with one output name.
    File(QStringLiteral("self.APA"), Gsi("RAW"));
    Outcome o = Convert(Args("--overwrite -f GSI self.APA"));
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(test::ReadBytes(At(QStringLiteral("self.APA"))), Gsi("RAW"));

    File(QStringLiteral("dup.GS8"), Gsi("FIRST"));
    File(QStringLiteral("dup.gsi"), Gsi("SECOND"));
    o = Convert(Args("--overwrite dup.GS8 dup.gsi"));
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains(QStringLiteral("dup.gsi: "))) << o.err.toStdString();
    EXPECT_TRUE(test::ReadBytes(At(QStringLiteral("dup.APA"))).contains("D,FIRST"));
}

TEST_F(ConvertJobTest, MissingInputIsSaidBeforeAnyOverwriteQuestion) {
    File(QStringLiteral("gone.APA"), "A,01,\r\nZ,\r\n");
    const Outcome o = Convert(Args("gone.gsi"));
    EXPECT_EQ(o.status, 2);
    EXPECT_FALSE(o.err.contains(QStringLiteral("--overwrite"))) << o.err.toStdString();
    EXPECT_EQ(o.err.count(QStringLiteral("gone.gsi")), 1) << o.err.toStdString();
}

// Status 1 names what the user must look at; a field book is copied as it is, and a file
// of one line is no input at all.
TEST_F(ConvertJobTest, ProblemsOfTheInputAreNamed) {
    File(QStringLiteral("headers.gsi"),
         test::JoinLines({test::GsiCode(false, 100, {"HEAD"}), test::GsiCode(false, 200, {"1"})}));
    File(QStringLiteral("odd.txt"), "A,01,\r\nhello world\r\n");
    File(QStringLiteral("raw.GSI"), Gsi("ST1") + "garbage\r\n" + test::GsiCode(false, 59) + "\r\n");
    File(QStringLiteral("book.txt"), "A,01,\nZ,\n");
    File(QStringLiteral("one.GSI"), test::GsiCode(false, 50, {"ST1"}));
    const struct {
        const char* file;
        int status;
        QStringList said;
    } cases[] = {
        {"headers.gsi", 1, {u"観測点がありません"_qs}},
        {"odd.txt", 1, {u"構造の問題"_qs}},
        {"raw.GSI",
         1,
         {u"raw.GSI:4: 読み飛ばしました: GSI の行として読めません"_qs,
          u"raw.GSI:5: 読み飛ばしました"_qs}},
        {"book.txt", 0, {}},
        {"one.GSI", 2, {u"1 行しかなく"_qs}},
    };
    for (const auto& c : cases) {
        const Outcome o = Convert(Args(c.file));
        EXPECT_EQ(o.status, c.status) << c.file;
        for (const QString& said : c.said) EXPECT_TRUE(o.err.contains(said)) << o.err.toStdString();
    }
    EXPECT_EQ(test::ReadBytes(At(QStringLiteral("book.APA"))), QByteArray("A,01,\nZ,\n"));
}

}  // namespace

// trevanto convert as a user runs it: batches, output names, the overwrite rule, statuses.

#include <QDir>
#include <QFile>

#include "app/TrevantoProcess.h"
#include "convert/GsiText.h"
#include "support/QtPrinters.h"

namespace {

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
    const Outcome o = Convert({QStringLiteral("one.GSI"), QStringLiteral("notes.txt"),
                               QStringLiteral("missing.GSI"), QStringLiteral("three.gsi")});
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
    Outcome o = Convert({QStringLiteral("job.gsi")});
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains(QStringLiteral("--overwrite"))) << o.err.toStdString();
    EXPECT_EQ(test::ReadBytes(At(QStringLiteral("job.APA"))), QByteArray("A,01,\r\nZ,\r\n"));

    o = Convert({QStringLiteral("--overwrite"), QStringLiteral("job.gsi")});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(test::ReadBytes(At(QStringLiteral("job.APA"))).contains("D,NEW"));

    File(QStringLiteral("job.APA"), "");  // an empty one is no field book to keep
    EXPECT_EQ(Convert({QStringLiteral("job.gsi")}).status, 0);
}

TEST_F(ConvertJobTest, OutputFolderFormatAndNames) {
    const QString out = test::NewFolder(QStringLiteral("out folder"));
    File(QStringLiteral("現場 A.dat"), Gsi("ST1"));
    const Outcome o = Convert({QStringLiteral("-f"), QStringLiteral("gsi"), QStringLiteral("-o"), out,
                               QStringLiteral("現場 A.dat")});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.out.contains(QStringLiteral("GSI、観測点 1、視準 1"))) << o.out.toStdString();
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/現場 A.APA")));
}

TEST_F(ConvertJobTest, BadUseIsTroubleBeforeAnyFile) {
    File(QStringLiteral("one.GSI"), Gsi("ST1"));
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("-f"), QStringLiteral("XYZ"), QStringLiteral("one.GSI")},
          QStringList{QStringLiteral("-f"), QStringLiteral("APA"), QStringLiteral("one.GSI")},
          QStringList{QStringLiteral("-o"), QStringLiteral("no such folder"), QStringLiteral("one.GSI")},
          QStringList{QStringLiteral("-o"), QStringLiteral("one.GSI"), QStringLiteral("one.GSI")},
          QStringList{}}) {
        const Outcome o = Convert(arguments);
        EXPECT_EQ(o.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(o.err.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(At(QStringLiteral("one.APA"))));
    EXPECT_EQ(Convert({QStringLiteral("--help")}).status, 0);
}

TEST_F(ConvertJobTest, RawFileAndEarlierOutputsOfTheRunAreNeverReplaced) {
    // A raw file named like its own output, and two raw files with one output name.
    File(QStringLiteral("self.APA"), Gsi("RAW"));
    Outcome o = Convert({QStringLiteral("--overwrite"), QStringLiteral("-f"), QStringLiteral("GSI"),
                         QStringLiteral("self.APA")});
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(test::ReadBytes(At(QStringLiteral("self.APA"))), Gsi("RAW"));

    File(QStringLiteral("dup.GS8"), Gsi("FIRST"));
    File(QStringLiteral("dup.gsi"), Gsi("SECOND"));
    o = Convert({QStringLiteral("--overwrite"), QStringLiteral("dup.GS8"), QStringLiteral("dup.gsi")});
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains(QStringLiteral("dup.gsi: "))) << o.err.toStdString();
    EXPECT_TRUE(test::ReadBytes(At(QStringLiteral("dup.APA"))).contains("D,FIRST"));
}

TEST_F(ConvertJobTest, MissingInputIsSaidBeforeAnyOverwriteQuestion) {
    File(QStringLiteral("gone.APA"), "A,01,\r\nZ,\r\n");
    const Outcome o = Convert({QStringLiteral("gone.gsi")});
    EXPECT_EQ(o.status, 2);
    EXPECT_FALSE(o.err.contains(QStringLiteral("--overwrite"))) << o.err.toStdString();
    EXPECT_EQ(o.err.count(QStringLiteral("gone.gsi")), 1) << o.err.toStdString();
}

TEST_F(ConvertJobTest, BooksWithoutStationsAndFaultyCopiesAreProblems) {
    File(QStringLiteral("headers.gsi"),
         test::JoinLines({test::GsiCode(false, 100, {"HEAD"}), test::GsiCode(false, 200, {"1"})}));
    Outcome o = Convert({QStringLiteral("headers.gsi")});
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.err.contains(QStringLiteral("観測点がありません"))) << o.err.toStdString();

    File(QStringLiteral("odd.txt"), "A,01,\r\nhello world\r\n");
    o = Convert({QStringLiteral("odd.txt")});
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.err.contains(QStringLiteral("構造の問題"))) << o.err.toStdString();
}

TEST_F(ConvertJobTest, SkippedLinesAreProblemsNamedByLine) {
    File(QStringLiteral("raw.GSI"), Gsi("ST1") + "garbage\r\n" + test::GsiCode(false, 59) + "\r\n");
    const Outcome o = Convert({QStringLiteral("raw.GSI")});
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.err.contains(QStringLiteral("raw.GSI:4: 読み飛ばしました: GSI の行として読めません")))
        << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QStringLiteral("raw.GSI:5: 読み飛ばしました")));
}

TEST_F(ConvertJobTest, FieldBookIsCopiedAndFileOfOneLineIsRefused) {
    File(QStringLiteral("book.txt"), "A,01,\nZ,\n");
    File(QStringLiteral("one.GSI"), test::GsiCode(false, 50, {"ST1"}));
    Outcome o = Convert({QStringLiteral("book.txt")});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(test::ReadBytes(At(QStringLiteral("book.APA"))), QByteArray("A,01,\nZ,\n"));
    o = Convert({QStringLiteral("one.GSI")});
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains(QStringLiteral("1 行しかなく"))) << o.err.toStdString();
}

}  // namespace

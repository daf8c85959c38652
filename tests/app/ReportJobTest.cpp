// trevanto report as a user runs it: a PDF of each report, the text notebook copied, and no
// file at all when the request or its input is wrong.

#include <QDir>

#include "app/TrevantoProcess.h"
#include "support/FieldBook.h"
#include "support/QtPrinters.h"

namespace {

using test::Args;
using test::Outcome;

class ReportJobTest : public test::TrevantoProcessTest {
  protected:
    void SetUp() override {
        TrevantoProcessTest::SetUp();
        File(QStringLiteral("book.APA"), test::TwoSetFieldBook("ST1"));
    }
    Outcome Report(QStringList arguments) {
        arguments.prepend(QStringLiteral("report"));
        return Trevanto(arguments);
    }
    // The report files in the work folder.
    QStringList Outputs() const {
        return QDir(home_).entryList(Args("*.pdf *.rtf *.txt *.DAT"), QDir::Files | QDir::Hidden);
    }
};

TEST_F(ReportJobTest, EachReportIsWrittenAsAPdf) {
    for (const char* report : {"1", "2", "3"}) {
        const QString out =
            home_ + QStringLiteral("/帳票 ") + QString::fromLatin1(report) + QStringLiteral(".pdf");
        const Outcome o = Report({QStringLiteral("--report"), QString::fromLatin1(report),
                                  QStringLiteral("--pdf"), out, QStringLiteral("book.APA")});
        ASSERT_EQ(o.status, 0) << report << ' ' << o.err.toStdString();
        EXPECT_TRUE(test::ReadBytes(out).startsWith("%PDF")) << report;
        EXPECT_TRUE(o.out.startsWith(out + QStringLiteral(": "))) << o.out.toStdString();
    }
}

// The text notebook goes out as the reduction wrote it, under whatever name it is given.
TEST_F(ReportJobTest, TextCopiesTheNotebookByteForByte) {
    const QString notebookFolder = test::NewFolder(QStringLiteral("notebook"));
    ASSERT_EQ(Trevanto(Args("notebook -o") << notebookFolder << QStringLiteral("book.APA")).status,
              0);
    const QByteArray reduced = test::ReadBytes(notebookFolder + QStringLiteral("/SHUBO1.DAT"));
    ASSERT_FALSE(reduced.isEmpty());
    const QString out = home_ + QStringLiteral("/手簿.pdf");
    const Outcome o = Report(Args("--report 3 --text") << out << QStringLiteral("book.APA"));
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(test::ReadBytes(out), reduced);
}

TEST_F(ReportJobTest, AWrongRequestOrInputWritesNothing) {
    File(QStringLiteral("hello.APA"), "hello\r\n");
    const QString pdf = home_ + QStringLiteral("/out.pdf");
    const QString rtf = home_ + QStringLiteral("/out.rtf");
    const QStringList report3 = Args("--report 3");
    const struct {
        QStringList arguments;
        const char16_t* said;
    } cases[] = {
        {report3 + Args("book.APA"), u"--pdf、--rtf、--text"},
        {report3 + QStringList{QStringLiteral("--pdf"), pdf, QStringLiteral("--rtf"), rtf,
                               QStringLiteral("book.APA")},
         u"--pdf、--rtf、--text"},
        {QStringList{QStringLiteral("--report"), QStringLiteral("4"), QStringLiteral("--pdf"), pdf,
                     QStringLiteral("book.APA")},
         u"--report には"},
        {report3 + QStringList{QStringLiteral("--pdf"), pdf, QStringLiteral("hello.APA")},
         u"APA データではありません"},
        {report3 + QStringList{QStringLiteral("--text"), pdf, QStringLiteral("hello.APA")},
         u"APA データではありません"},
    };
    for (const auto& c : cases) {
        const Outcome o = Report(c.arguments);
        EXPECT_EQ(o.status, 2) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(o.err.contains(QString::fromUtf16(c.said))) << o.err.toStdString();
        EXPECT_EQ(Outputs(), QStringList()) << c.arguments.join(u' ').toStdString();
    }
}

TEST_F(ReportJobTest, AMissingLayoutIsToldAndNothingIsWritten) {
    const QString empty = test::NewFolder(QStringLiteral("no layouts"));
    qputenv("TREVANTO_REPORT_DIR", empty.toUtf8());
    const Outcome o = Report(Args("--report 2 --pdf")
                             << home_ + QStringLiteral("/out.pdf") << QStringLiteral("book.APA"));
    qunsetenv("TREVANTO_REPORT_DIR");
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains(QStringLiteral("レポートファイル (") + empty +
                               QStringLiteral("/s10p2.rpt) が見つかりません")))
        << o.err.toStdString();
    EXPECT_EQ(Outputs(), QStringList());
}

}  // namespace

// Layout files: their names, their parsing, and what a bad or missing file tells the user.

#include <gtest/gtest.h>

#include <QDir>

#include "notebook/report/LayoutFiles.h"
#include "notebook/report/ReportLayout.h"
#include "platform/FileError.h"
#include "support/TestEnvironment.h"

namespace {

using notebook::report::Align;
using notebook::report::LayoutFileName;
using notebook::report::ParseReportLayout;
using notebook::report::Report;

// A size under 10 takes a zero, a half size the whole one below; every shipped report has
// its layouts at the default size.
TEST(LayoutFileNameTest, NamesAndTheShippedLayouts) {
    EXPECT_EQ(LayoutFileName(9, Report::DistanceCorrection, false), "s09p1.rpt");
    EXPECT_EQ(LayoutFileName(10.5, Report::ObservationNotebook, true), "s10p3b.rpt");
    for (const Report report :
         {Report::DistanceCorrection, Report::DistanceHeight, Report::ObservationNotebook})
        for (const bool open : {false, true}) {
            const QString path = notebook::report::LayoutPath(10, report, open);
            EXPECT_NO_THROW(notebook::report::ReadReportLayout(path)) << path.toStdString();
        }
}

const QStringList kGood = {
    QStringLiteral("# a comment, then a blank line"),
    QString(),
    QStringLiteral("title 観 測 手 簿"),
    QStringLiteral("  page 52 13.5  "),
    QStringLiteral("header 観測点 {FLD1}   {page} / {pages}"),
    QStringLiteral("header"),
    QStringLiteral("table FLD19 0 2"),
    QStringLiteral("column fld4 20 left 視準点 名"),
    QStringLiteral("column FLD+7 9 right"),
    QStringLiteral("column FLD-5 4 center 較差"),
    QStringLiteral("rule frame columns"),
    QStringLiteral("table fld19 1"),
    QStringLiteral("column FLD21 10 right 鉛直角"),
};

TEST(ReportLayoutParseTest, EveryDirectiveIsRead) {
    const auto layout = ParseReportLayout(kGood, QStringLiteral("x.rpt"));
    EXPECT_EQ(layout.title, "観 測 手 簿");
    EXPECT_EQ(layout.linesPerPage, 52);
    EXPECT_DOUBLE_EQ(layout.lineHeight, 13.5);
    EXPECT_EQ(layout.header,
              QStringList({QStringLiteral("観測点 {FLD1}   {page} / {pages}"), QString()}));
    ASSERT_EQ(layout.tables.size(), 2u);
    const auto& columns = layout.tables[0].columns;
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].field, "FLD4");
    EXPECT_EQ(columns[0].width, 20);
    EXPECT_EQ(columns[0].heading, "視準点 名");
    EXPECT_EQ(columns[1].field, "FLD+7");
    EXPECT_EQ(columns[1].align, Align::Right);
    EXPECT_TRUE(columns[1].heading.isEmpty());
    EXPECT_EQ(columns[2].align, Align::Center);
    EXPECT_TRUE(layout.tables[0].Takes(QStringLiteral("2")) && !layout.tables[0].Takes(QStringLiteral("1")));
    EXPECT_EQ(layout.tables[1].field, "FLD19");
    EXPECT_EQ(layout.tables[1].columns.size(), 1u);
    EXPECT_TRUE(layout.rules.frame && layout.rules.columns);
    EXPECT_FALSE(layout.rules.heading || layout.rules.header);
}

// Replaces one line of the good layout and returns the line the parser blames.
int FaultLine(int index, const QString& text) {
    QStringList lines = kGood;
    lines[index] = text;
    try {
        ParseReportLayout(lines, QStringLiteral("bad.rpt"));
    } catch (const platform::FileError& e) {
        EXPECT_EQ(e.Path(), "bad.rpt");
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("%1 行目: ").arg(e.Line())));
        return e.Line();
    }
    return -1;
}

TEST(ReportLayoutParseTest, ABadLineIsNamedByItsNumber) {
    EXPECT_EQ(FaultLine(1, QStringLiteral("paper A4")), 2);
    EXPECT_EQ(FaultLine(3, QStringLiteral("page 52")), 4);
    EXPECT_EQ(FaultLine(3, QStringLiteral("page 501 12")), 4);
    EXPECT_EQ(FaultLine(3, QStringLiteral("page 50 0")), 4);
    EXPECT_EQ(FaultLine(4, QStringLiteral("header {FLD1")), 5);
    EXPECT_EQ(FaultLine(4, QStringLiteral("header {観測点}")), 5);
    EXPECT_EQ(FaultLine(3, QStringLiteral("page 1 12")), 4);  // no room for a heading and a row
    EXPECT_EQ(FaultLine(6, QStringLiteral("table FLD19")), 7);
    EXPECT_EQ(FaultLine(7, QStringLiteral("column FLD4 20")), 8);
    EXPECT_EQ(FaultLine(7, QStringLiteral("column FLD4 20 middle")), 8);
    EXPECT_EQ(FaultLine(7, QStringLiteral("column FLD{4} 20 left")), 8);
    EXPECT_EQ(FaultLine(9, QStringLiteral("column FLD-5 4 center 較差計")), 10);  // 6 wide in 4
    EXPECT_EQ(FaultLine(10, QStringLiteral("rule frame dotted")), 11);
    EXPECT_EQ(FaultLine(10, QStringLiteral("page 40 12")), 11);  // a second page
    EXPECT_EQ(FaultLine(12, QStringLiteral("table FLD19 2")), 13);  // the table before has no column
    EXPECT_EQ(FaultLine(6, QStringLiteral("column FLD1 4 left")), 12);  // columns of every row, then a table
}

TEST(ReportLayoutParseTest, ALayoutWithoutPageOrColumnsIsRefusedAsAWhole) {
    for (const QString& missing : {QStringLiteral("page"), QStringLiteral("column")}) {
        QStringList lines;
        for (const QString& line : kGood)
            if (!line.trimmed().startsWith(missing) && !line.startsWith(QStringLiteral("table")))
                lines.append(line);
        try {
            ParseReportLayout(lines, QStringLiteral("x.rpt"));
            ADD_FAILURE() << missing.toStdString();
        } catch (const platform::FileError& e) {
            EXPECT_EQ(e.Line(), 0);
            EXPECT_TRUE(e.Message().contains(missing));
        }
    }
}

TEST(ReportLayoutReadTest, AMissingFileTellsItsPathAndBytesThatAreNotUtf8AreRefused) {
    const QString path =
        QDir(test::NewFolder(QStringLiteral("layouts"))).filePath(QStringLiteral("s10p3.rpt"));
    try {
        notebook::report::ReadReportLayout(path);
        FAIL();
    } catch (const platform::FileError& e) {
        EXPECT_EQ(e.Explanation(), QStringLiteral("レポートファイル (") + path +
                                       QStringLiteral(") が見つかりません"));
    }
    test::WriteBytes(path, QByteArray("page 50 12\ncolumn FLD1 20 left \x8a\xcf\x91\xaa\n"));
    EXPECT_THROW(notebook::report::ReadReportLayout(path), platform::FileError);
}

}  // namespace

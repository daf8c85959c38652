// Report lines as fixed-pitch text: widths counted as the printed characters take them,
// cells cut at their column and aligned in it.

#include <gtest/gtest.h>

#include "notebook/report/ReportText.h"
#include "platform/CodePage.h"
#include "support/QtPrinters.h"

namespace {

using notebook::report::Align;
using notebook::report::HeadingText;
using notebook::report::LayoutTable;
using notebook::report::RowText;

LayoutTable Table() {
    return {QString(),
            {},
            {{QStringLiteral("A"), 6, Align::Left, QStringLiteral("視準点")},
             {QStringLiteral("B"), 6, Align::Right, QStringLiteral("番")},
             {QStringLiteral("C"), 5, Align::Center, QString()}}};
}

// Every line of the table is as wide as its columns, whatever its cells hold.
int Units(const QString& line) {
    return platform::cp932::ByteLength(line);
}

TEST(ReportTextTest, FullWidthCharactersTakeTwoUnits) {
    const LayoutTable table = Table();
    const int width = notebook::report::ColumnStarts(table).back();
    const QString ascii =
        RowText(table, {QStringLiteral("ab"), QStringLiteral("12"), QStringLiteral("x")});
    EXPECT_EQ(ascii, QStringLiteral(" ab         12   x   "));
    const QString wide =
        RowText(table, {QStringLiteral("観測"), QStringLiteral("観測"), QStringLiteral("観")});
    EXPECT_EQ(wide, QStringLiteral(" 観測     観測  観   "));
    for (const QString& line : {ascii, wide})
        EXPECT_EQ(Units(line), width) << line.toStdString();
}

TEST(ReportTextTest, ACellTooLongIsCutAtItsWidthNeverInsideAFullWidthCharacter) {
    const LayoutTable table = Table();
    const QString ascii = RowText(
        table, {QStringLiteral("ABCDEFGH"), QStringLiteral("1234567"), QStringLiteral("xyzxyz")});
    EXPECT_EQ(ascii, QStringLiteral(" ABCDEF 123456 xyzxy "));
    // Five units hold two full-width characters and a blank.
    const QString wide = RowText(
        table, {QStringLiteral("観測点名"), QStringLiteral("観測点名"), QStringLiteral("観測点")});
    EXPECT_EQ(wide, QStringLiteral(" 観測点 観測点 観測  "));
    EXPECT_EQ(Units(wide), notebook::report::ColumnStarts(table).back());
}

TEST(ReportTextTest, MissingCellsAreBlankAndHeadingsAreCentred) {
    const LayoutTable table = Table();
    EXPECT_EQ(RowText(table, {QStringLiteral("ab")}), QStringLiteral(" ab                  "));
    EXPECT_EQ(HeadingText(table), QStringLiteral(" 視準点   番         "));
    notebook::report::ReportLayout layout;
    layout.tables = {{QString(), {}, {Table().columns[0]}}, Table()};
    EXPECT_EQ(notebook::report::LayoutWidth(layout), 21);  // the widest table's, wherever it is
}

}  // namespace

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

// Full-width characters take two units; a cell too long is cut at its width, never inside
// a full-width character: five units hold two of them and a blank.
TEST(ReportTextTest, CellsFillTheirWidthInUnitsAndAreCutAtIt) {
    const LayoutTable table = Table();
    const struct {
        QStringList cells;
        QString line;
    } cases[] = {
        {{u"ab"_qs, u"12"_qs, u"x"_qs}, u" ab         12   x   "_qs},
        {{u"観測"_qs, u"観測"_qs, u"観"_qs}, u" 観測     観測  観   "_qs},
        {{u"ABCDEFGH"_qs, u"1234567"_qs, u"xyzxyz"_qs}, u" ABCDEF 123456 xyzxy "_qs},
        {{u"観測点名"_qs, u"観測点名"_qs, u"観測点"_qs}, u" 観測点 観測点 観測  "_qs},
    };
    for (const auto& c : cases) {
        const QString line = RowText(table, c.cells);
        EXPECT_EQ(line, c.line);
        EXPECT_EQ(Units(line), notebook::report::ColumnStarts(table).back()) << line.toStdString();
    }
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

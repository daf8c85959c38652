// Pages of a report: where they break, how they are numbered and what their headers say.

#include <gtest/gtest.h>

#include "notebook/report/ReportPages.h"

namespace {

using notebook::report::LayOutPages;
using notebook::report::Record;
using notebook::report::ReportLayout;
using notebook::report::ReportSection;
using notebook::report::SplitByStation;

Record Row(qint64 id, const QString& name = QString()) {
    return {{QStringLiteral("ID"), QString::number(id)}, {QStringLiteral("FLD1"), name}};
}

ReportLayout Layout(int linesPerPage) {
    ReportLayout layout;
    layout.linesPerPage = linesPerPage;
    layout.lineHeight = 12;
    layout.header = {QStringLiteral("{district} 観測点 {fld1} {page} / {pages}")};
    layout.tables = {{QString(), {}, {{QStringLiteral("ID"), 5, notebook::report::Align::Right, QString()},
                                      {QStringLiteral("FLD1"), 20, notebook::report::Align::Left, QString()}}}};
    return layout;
}

ReportSection Section(const QString& station, int rows) {
    ReportSection section{Row(0, station), {}};
    for (int i = 1; i <= rows; ++i) section.rows.push_back(Row(i, station));
    return section;
}

// Each page's lines: "H" for a heading and the table's number, "r" for a row.
std::vector<std::string> Shapes(const std::vector<notebook::report::ReportPage>& pages) {
    std::vector<std::string> shapes;
    for (const auto& page : pages) {
        std::string shape;
        for (const auto& line : page.lines) shape += line.heading ? "H" + std::to_string(line.table) : "r";
        shapes.push_back(shape);
    }
    return shapes;
}

TEST(ReportPagesTest, APageHoldsTheLayoutsLinesHeadingIncludedAndAStationStartsANewOne) {
    const auto pages =
        LayOutPages(Layout(3), {Section("A", 3), Section("B", 4), Section("C", 1)}, 1, {});
    EXPECT_EQ(Shapes(pages), (std::vector<std::string>{"H0rr", "H0r", "H0rr", "H0rr", "H0r"}));
    EXPECT_EQ(pages[3].lines[1].cells, QStringList({QStringLiteral("3"), QStringLiteral("B")}));
    // A station without lines still has its page.
    EXPECT_EQ(Shapes(LayOutPages(Layout(3), {Section("A", 0), Section("B", 2)}, 1, {})),
              (std::vector<std::string>{"", "H0rr"}));
    EXPECT_TRUE(LayOutPages(Layout(3), {}, 1, {}).empty());
}

TEST(ReportPagesTest, EachTableHeadsItsRowsAndNoHeadingIsLeftAtTheFootOfAPage) {
    ReportLayout layout = Layout(4);
    layout.tables[0].field = QStringLiteral("FLD19");
    layout.tables[0].values = {QStringLiteral("0")};
    layout.tables.push_back({QStringLiteral("FLD19"), {QStringLiteral("1")}, layout.tables[0].columns});
    ReportSection section{Row(0, "A"), {}};
    for (const char* kind : {"0", "0", "1", "1", "0", "9"}) {
        Record row = Row(1, "A");
        row.insert(QStringLiteral("FLD19"), QString::fromLatin1(kind));
        section.rows.push_back(row);
    }
    // The third line would be a heading with its row beyond the page; a row of no table
    // prints in the first.
    EXPECT_EQ(Shapes(LayOutPages(layout, {section}, 1, {})), (std::vector<std::string>{"H0rr", "H1rr", "H0rr"}));
    layout.linesPerPage = 20;
    EXPECT_EQ(Shapes(LayOutPages(layout, {section}, 1, {})), (std::vector<std::string>{"H0rrH1rrH0rr"}));
}

TEST(ReportPagesTest, PagesAreNumberedFromTheFirstPageNumber) {
    const auto pages = LayOutPages(Layout(3), {Section("A", 3), Section("B", 1)}, 11,
                                   {{QStringLiteral("District"), QStringLiteral("地区1")}});
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].number, 11);
    EXPECT_EQ(pages[2].number, 13);
    EXPECT_EQ(pages[0].header, QStringList(QStringLiteral("地区1 観測点 A 11 / 13")));
    EXPECT_EQ(pages[1].header, QStringList(QStringLiteral("地区1 観測点 A 12 / 13")));
    EXPECT_EQ(pages[2].header, QStringList(QStringLiteral("地区1 観測点 B 13 / 13")));
}

// Data rows go to the station numbered before them; rows before any station get an empty header.
TEST(SplitByStationTest, DataRowsGoToTheStationNumberedBeforeThem) {
    const auto sections = SplitByStation({Row(1, "A"), Row(5, "B"), Row(9, "C")},
                                         {Row(2), Row(3), Row(4), Row(6), Row(7)});
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].header.value("FLD1"), "A");
    EXPECT_EQ(sections[0].rows.size(), 3u);
    EXPECT_EQ(sections[1].rows.size(), 2u);
    EXPECT_EQ(sections[1].rows[0].value("ID"), "6");
    EXPECT_TRUE(sections[2].rows.empty());

    const auto orphans = SplitByStation({Row(3, "A")}, {Row(1), Row(2), Row(4)});
    ASSERT_EQ(orphans.size(), 2u);
    EXPECT_TRUE(orphans[0].header.isEmpty());
    EXPECT_EQ(orphans[0].rows.size(), 2u);
    EXPECT_TRUE(SplitByStation({}, {}).empty());
}

TEST(ReportPagesTest, ASightingsFacesAndSumStayOnOnePage) {
    ReportLayout layout = Layout(5);
    layout.keep = QStringLiteral("FLD1");
    ReportSection section{Row(0, "A"), {}};
    for (const char* name : {"T1", "", "", "T2", "", ""}) section.rows.push_back(Row(1, name));
    // The heading and T1's three rows fill four lines: T2's group starts the next page.
    EXPECT_EQ(Shapes(LayOutPages(layout, {section}, 1, {})), (std::vector<std::string>{"H0rrr", "H0rrr"}));
    // A group longer than a page is split where the page ends.
    layout.linesPerPage = 3;
    EXPECT_EQ(Shapes(LayOutPages(layout, {section}, 1, {})), (std::vector<std::string>{"H0rr", "H0r", "H0rr", "H0r"}));
}

}  // namespace

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
    layout.columns = {{QStringLiteral("ID"), 5, notebook::report::Align::Right, QString()},
                      {QStringLiteral("FLD1"), 20, notebook::report::Align::Left, QString()}};
    return layout;
}

ReportSection Section(const QString& station, int rows) {
    ReportSection section{Row(0, station), {}};
    for (int i = 1; i <= rows; ++i) section.rows.push_back(Row(i, station));
    return section;
}

std::vector<size_t> LineCounts(const std::vector<notebook::report::ReportPage>& pages) {
    std::vector<size_t> counts;
    for (const auto& page : pages) counts.push_back(page.lines.size());
    return counts;
}

TEST(ReportPagesTest, APageHoldsTheLayoutsLinesAndAStationStartsANewOne) {
    const auto pages =
        LayOutPages(Layout(3), {Section("A", 3), Section("B", 4), Section("C", 1)}, 1, {});
    EXPECT_EQ(LineCounts(pages), (std::vector<size_t>{3, 3, 1, 1}));
    EXPECT_EQ(pages[2].lines[0], QStringList({QStringLiteral("4"), QStringLiteral("B")}));
}

TEST(ReportPagesTest, AStationWithoutLinesStillHasItsPage) {
    const auto pages = LayOutPages(Layout(3), {Section("A", 0), Section("B", 2)}, 1, {});
    EXPECT_EQ(LineCounts(pages), (std::vector<size_t>{0, 2}));
    EXPECT_TRUE(LayOutPages(Layout(3), {}, 1, {}).empty());
}

TEST(ReportPagesTest, PagesAreNumberedFromTheFirstPageNumber) {
    const auto pages = LayOutPages(Layout(2), {Section("A", 3), Section("B", 1)}, 11,
                                   {{QStringLiteral("District"), QStringLiteral("地区1")}});
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].number, 11);
    EXPECT_EQ(pages[2].number, 13);
    EXPECT_EQ(pages[0].header, QStringList(QStringLiteral("地区1 観測点 A 11 / 13")));
    EXPECT_EQ(pages[1].header, QStringList(QStringLiteral("地区1 観測点 A 12 / 13")));
    EXPECT_EQ(pages[2].header, QStringList(QStringLiteral("地区1 観測点 B 13 / 13")));
}

TEST(SplitByStationTest, DataRowsGoToTheStationNumberedBeforeThem) {
    const auto sections = SplitByStation({Row(1, "A"), Row(5, "B"), Row(9, "C")},
                                         {Row(2), Row(3), Row(4), Row(6), Row(7)});
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].header.value("FLD1"), "A");
    EXPECT_EQ(sections[0].rows.size(), 3u);
    EXPECT_EQ(sections[1].rows.size(), 2u);
    EXPECT_EQ(sections[1].rows[0].value("ID"), "6");
    EXPECT_TRUE(sections[2].rows.empty());
}

TEST(SplitByStationTest, RowsBeforeAnyStationGetAnEmptyHeader) {
    const auto sections = SplitByStation({Row(3, "A")}, {Row(1), Row(2), Row(4)});
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_TRUE(sections[0].header.isEmpty());
    EXPECT_EQ(sections[0].rows.size(), 2u);
    EXPECT_EQ(sections[1].rows.size(), 1u);
    EXPECT_TRUE(SplitByStation({}, {}).empty());
}

}  // namespace

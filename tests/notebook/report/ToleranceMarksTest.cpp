// The survey class on report 3: which printed values get the over-limit mark, and the
// limits the header states.

#include <gtest/gtest.h>

#include "notebook/report/ToleranceMarks.h"
#include "support/QtPrinters.h"

namespace {

using notebook::SurveyClass;
using notebook::report::MarkOverLimits;
using notebook::report::Record;
using notebook::report::ReportSection;

// A horizontal (0), vertical (1) or plain-list (2) row with every checked field at the value.
Record Row(const char* kind, const QString& value) {
    Record row{{QStringLiteral("FLD19"), QString::fromLatin1(kind)}};
    for (const char* field : {"FLD9", "FLD10", "FLD13", "FLD16"})
        row.insert(QString::fromLatin1(field), value);
    return row;
}

// The fields of the row that carry the mark, in field order.
QString Marked(const Record& row) {
    QString marked;
    for (const char* field : {"FLD9", "FLD10", "FLD13", "FLD16"})
        if (row.value(QString::fromLatin1(field)).endsWith(notebook::report::kOverLimitMark))
            marked += QString::fromLatin1(field) + u' ';
    return marked.trimmed();
}

std::vector<QString> MarkedRows(std::vector<Record> rows, SurveyClass surveyClass) {
    std::vector<ReportSection> sections{{{}, std::move(rows)}};
    MarkOverLimits(sections, surveyClass);
    std::vector<QString> marked;
    for (const Record& row : sections[0].rows) marked.push_back(Marked(row));
    return marked;
}

// 3級: 倍角差 30″, 観測差 20″, 高度定数の較差 30″, distances 20 mm. A value at its limit
// passes; only the horizontal table's spreads and the vertical table's are judged.
TEST(ToleranceMarksTest, OnlyValuesStrictlyOverTheirLimitAreMarked) {
    const auto marked =
        MarkedRows({Row("0", QStringLiteral("19")), Row("0", QStringLiteral("20")),
                    Row("0", QStringLiteral("21")), Row("0", QStringLiteral("30")),
                    Row("0", QStringLiteral("31")), Row("0", QStringLiteral(" -31")),
                    Row("1", QStringLiteral("20")), Row("1", QStringLiteral("21")),
                    Row("1", QStringLiteral("31")), Row("2", QStringLiteral("99"))},
                   SurveyClass::Third);
    EXPECT_EQ(marked, (std::vector<QString>{"", "", "FLD10", "FLD10", "FLD9 FLD10", "FLD9 FLD10",
                                            "", "FLD16", "FLD13 FLD16", ""}));
}

TEST(ToleranceMarksTest, TheClassSetsTheLimitsAndBlankOrTextCellsStayAsTheyAre) {
    // 1級: 倍角差 15″, 観測差 8″, 高度定数の較差 10″.
    EXPECT_EQ(MarkedRows({Row("0", QStringLiteral("15")), Row("0", QStringLiteral("16")),
                          Row("1", QStringLiteral("11"))},
                         SurveyClass::First),
              (std::vector<QString>{"FLD10", "FLD9 FLD10", "FLD13"}));
    std::vector<ReportSection> sections{
        {{}, {Row("0", QString()), Row("1", QStringLiteral("セット間"))}}};
    MarkOverLimits(sections, SurveyClass::First);
    EXPECT_EQ(sections[0].rows[0], Row("0", QString()));
    EXPECT_EQ(sections[0].rows[1], Row("1", QStringLiteral("セット間")));
}

TEST(ToleranceMarksTest, TheHeaderStatesTheClassAndItsLimits) {
    EXPECT_EQ(notebook::report::ClassLimitsText(SurveyClass::Third),
              QStringLiteral("3級: 倍角差 30″ 観測差 20″ 高度定数の較差 30″ 距離の較差 20mm"));
}

}  // namespace

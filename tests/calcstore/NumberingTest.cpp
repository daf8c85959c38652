// Point numbering rules: numbers to names and back, sort keys, the ranges the rules link
// and the values they refuse.

#include <gtest/gtest.h>

#include "calcstore/Numberings.h"
#include "platform/AutomationError.h"
#include "platform/ScriptedPrompt.h"
#include "support/QtPrinters.h"

using calcstore::kOpenEnd;
using calcstore::Numbering;
using calcstore::Numberings;

namespace {

Numbering Rule(qint32 start, qint32 setNo, const QString& prefix, const QString& eda1 = {},
               const QString& eda2 = {}) {
    Numbering rule;
    rule.SetStartNo(start);
    rule.SetSetNo(setNo);
    rule.SetTenName(prefix);
    rule.SetEda1Name(eda1);
    rule.SetEda2Name(eda2);
    return rule;
}

// T for 1..99 (branches "-" and "_"), K from 100 with numbers counted from 1.
Numberings District() {
    Numberings rules;
    rules.Add(Rule(100, 1, QStringLiteral("K")));
    rules.Add(Rule(1, 1, QStringLiteral("T"), QStringLiteral("-"), QStringLiteral("_")));
    return rules;
}

class NumberingsTest : public testing::Test {
  protected:
    void SetUp() override { platform::SetActivePrompt(&prompt_); }
    void TearDown() override { platform::SetActivePrompt(nullptr); }
    QStringList Messages() const {
        QStringList texts;
        for (const auto& r : prompt_.Records()) texts << r.text;
        return texts;
    }
    platform::ScriptedPrompt prompt_;
};

}  // namespace

TEST_F(NumberingsTest, NumberToName) {
    const Numberings rules = District();
    const struct {
        const char* number;
        const char16_t* name;
    } cases[] = {
        {"50", u"T50"},       {"1", u"T1"},       {"99", u"T99"},
        {"100", u"K1"},       {"1234", u"K1135"}, {"5.2", u"T5-2"},
        {"5.2.3", u"T5-2_3"}, {"100.4", u"K1"},  // K has no branch separator
        {"0", u"0"},                             // below every rule
        {"1E3", u"1E3"},      {"1d2", u"1d2"},    {"5.2.3.4", u"5.2.3.4"},
        {"T5", u"T5"},        {"", u""},          {"5.", u"5."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rules.GetTenMei(QString::fromLatin1(c.number)), QString::fromUtf16(c.name))
            << c.number;
}

TEST_F(NumberingsTest, NameToNumberAndSortKey) {
    const Numberings rules = District();
    const struct {
        const char16_t* name;
        const char* number;
        const char16_t* sortKey;
    } cases[] = {
        {u"T50", "50", u"0000050"},
        {u"T5-2", "5.2", u"0000005.00002"},
        {u"T5-02_3", "5.2.3", u"0000005.00002.00003"},
        {u"K1", "100", u"0000100"},
        {u"K1135", "1234", u"0001234"},
        {u"T100", "", u"9999999T100"},  // past the end of the T range
        {u"K0", "", u"9999999K0"},      // before the start of the K range
        {u"K1-2", "", u"9999999K1-2"},  // K has no branches
        {u"T5-", "5", u"0000005"},
        {u"T5x", "", u"9999999T5x"},
        {u"境界杭Ａ", "", u"9999999境界杭Ａ"},
        {u"T", "", u"9999999T"},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf16(c.name);
        EXPECT_EQ(rules.GetTenNo(name), QString::fromLatin1(c.number)) << name.toStdString();
        EXPECT_EQ(rules.GetSortTenNo(name), QString::fromUtf16(c.sortKey)) << name.toStdString();
    }
}

TEST_F(NumberingsTest, AlwaysFormWritesTheSeparatorWithoutABranch) {
    Numberings rules;
    rules.Add(Rule(0, 0, QStringLiteral("No."),
                   QString(calcstore::kAlwaysMarker) + QStringLiteral("-"), QStringLiteral("/")));
    EXPECT_EQ(rules.GetTenMei(QStringLiteral("12")), QStringLiteral("No.12-"));
    EXPECT_EQ(rules.GetTenMei(QStringLiteral("12.3")), QStringLiteral("No.12-3"));
    EXPECT_EQ(rules.GetTenMei(QStringLiteral("12.3.4")), QStringLiteral("No.12-3/4"));
    EXPECT_EQ(rules.GetTenNo(QStringLiteral("No.12-3/4")), QStringLiteral("12.3.4"));
    EXPECT_EQ(rules.GetTenNo(QStringLiteral("No.12-")), QStringLiteral("12"));
    EXPECT_EQ(rules.Item(1)->Sample(), QStringLiteral("No.0-0/0"));
}

TEST_F(NumberingsTest, NumbersTooLongForARuleArePassedThrough) {
    Numberings rules;
    rules.Add(Rule(0, 1, QStringLiteral("P")));
    const char* const cases[] = {
        "12345678901234567890",  // beyond 64 bits
        "99999999999",           // beyond the last range
        "12345678901234567890.1",
    };
    for (const char* number : cases)
        EXPECT_EQ(rules.GetTenMei(QString::fromLatin1(number)), QString::fromLatin1(number))
            << number;
    EXPECT_EQ(rules.GetTenMei(QStringLiteral("999999999")), QStringLiteral("P1000000000"));
}

TEST_F(NumberingsTest, LastRulesWithLargeStartsGetADigitCount) {
    const struct {
        qint32 previousStart;
        qint32 start;
        qint16 maxLen;  // of the last rule, from a range as long as the previous one
    } cases[] = {
        {100, 500, 3},                // K1..K400
        {1000000000, 1100000000, 9},  // K1..K100000000
        {1000000000, 2000000000, 9},  // cut at the largest point number: K1..K147483647
    };
    for (const auto& c : cases) {
        Numberings rules;
        rules.Add(Rule(c.previousStart, 1, QStringLiteral("T")));
        rules.Add(Rule(c.start, 1, QStringLiteral("K")));
        EXPECT_EQ(rules.Item(2)->MaxLen(), c.maxLen) << c.start;
        EXPECT_EQ(rules.Item(2)->EndNo(), kOpenEnd);
    }
}

TEST_F(NumberingsTest, AddKeepsOrderAndLinksTheEnds) {
    Numberings rules;
    rules.Add(Rule(100, 1, QStringLiteral("K")));
    rules.Add(Rule(1, 1, QStringLiteral("T")));
    rules.Add(Rule(500, 1, QStringLiteral("H")));
    ASSERT_EQ(rules.Count(), 3);
    EXPECT_EQ(rules.Item(1)->StartNo(), 1);
    EXPECT_EQ(rules.Item(1)->EndNo(), 100);
    EXPECT_EQ(rules.Item(1)->MaxLen(), 2);  // T1..T99
    EXPECT_EQ(rules.Item(2)->EndNo(), 500);
    EXPECT_EQ(rules.Item(2)->MaxLen(), 3);  // K1..K400
    EXPECT_EQ(rules.Item(3)->EndNo(), kOpenEnd);
    EXPECT_EQ(rules.Item(QStringLiteral("NUM0000000100"))->TenName(), QStringLiteral("K"));
    EXPECT_THROW(rules.Item(QStringLiteral("NUM0000000101")), platform::AutomationError);

    EXPECT_EQ(rules.Add(Rule(100, 7, QStringLiteral("X"))), nullptr);
    EXPECT_EQ(Messages().size(), 1);
    EXPECT_EQ(rules.Count(), 3);

    rules.Remove(2);  // the middle one: T now reaches H
    EXPECT_EQ(rules.Item(1)->EndNo(), 500);
    rules.Remove(2);  // the last one: T is open-ended
    EXPECT_EQ(rules.Item(1)->EndNo(), kOpenEnd);
    EXPECT_THROW(rules.Remove(2), platform::AutomationError);

    Numberings copy;
    copy.Add(Rule(7, 1, QStringLiteral("Z")));
    Numberings::Copy(copy, District());
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.GetTenMei(QStringLiteral("7")), QStringLiteral("T7"));
}

TEST_F(NumberingsTest, RuleFieldsSampleAndRefusals) {
    Numbering rule = Rule(1, 1, QStringLiteral(" T "), QStringLiteral("-"));
    EXPECT_EQ(rule.TenName(), QStringLiteral("T"));
    EXPECT_EQ(rule.Sample(), QStringLiteral("T1-0"));
    rule.SetEndNo(100);
    EXPECT_EQ(rule.MaxLen(), 2);
    rule.SetTenName(QStringLiteral("A_B"));
    EXPECT_EQ(rule.Sample(), QStringLiteral("A B1-0"));

    rule.SetEda2Name(QStringLiteral("."));
    rule.SetEda1Name(QString());  // no first branch: no second either
    EXPECT_EQ(rule.Eda2Name(), QString());

    rule.SetStartNo(-1);
    EXPECT_EQ(rule.StartNo(), 1);
    EXPECT_EQ(Messages().size(), 1);
    rule.SetSetNo(-5);
    rule.SetEndNo(-5);
    EXPECT_EQ(rule.SetNo(), 1);
    EXPECT_EQ(rule.EndNo(), 100);
    EXPECT_EQ(Messages().size(), 1);  // the others are ignored silently
}

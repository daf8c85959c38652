// The survey-class check: limits by class, values at the limit pass, and the values a
// station gives the check.

#include <gtest/gtest.h>

#include "notebook/NotebookFixture.h"
#include "notebook/SurveyClass.h"
#include "support/QtPrinters.h"

namespace {

using notebook::Quantity;
using notebook::SurveyClass;

// The limits of the public-survey rules, class by class (1級, 2級 with a 1級 and with a 2級
// instrument, 3級, 4級): just under passes, at passes, just over is reported.
TEST(SurveyClassTest, EachLimitIsStrictlyExceeded) {
    const SurveyClass classes[] = {SurveyClass::First, SurveyClass::SecondWithFirstClassInstrument,
                                   SurveyClass::SecondWithSecondClassInstrument, SurveyClass::Third,
                                   SurveyClass::Fourth};
    const struct {
        Quantity quantity;
        double limits[5];
    } table[] = {
        {Quantity::DoubleAngleSpread, {15, 20, 30, 30, 60}},
        {Quantity::DifferenceSpread, {8, 10, 20, 20, 40}},
        {Quantity::IndexSpread, {10, 15, 30, 30, 60}},
        {Quantity::ReadingDifference, {20, 20, 20, 20, 20}},
        {Quantity::SetDifference, {20, 20, 20, 20, 20}},
    };
    for (const auto& row : table)
        for (size_t c = 0; c < 5; ++c) {
            const double limit = row.limits[c];
            // A computed value at the limit carries a binary remainder; it is no excess.
            const std::vector<notebook::Measure> measures = {
                {u"S"_qs, u"under"_qs, 0, row.quantity, limit - 0.4},
                {u"S"_qs, u"at"_qs, 0, row.quantity, limit + 1e-9},
                {u"S"_qs, u"over"_qs, 0, row.quantity, limit + 0.4}};
            const std::vector<notebook::Measure> over = notebook::OverLimit(measures, classes[c]);
            ASSERT_EQ(over.size(), 1u) << notebook::QuantityName(row.quantity).toStdString() << ' ' << c;
            EXPECT_EQ(over[0].target, u"over");
        }
}

TEST(SurveyClassTest, ClassNamesAndTheLineASurveyorReads) {
    EXPECT_EQ(notebook::ParseSurveyClass(u" 2A "_qs), SurveyClass::SecondWithFirstClassInstrument);
    EXPECT_EQ(notebook::ParseSurveyClass(u"2b"_qs), SurveyClass::SecondWithSecondClassInstrument);
    EXPECT_FALSE(notebook::ParseSurveyClass(u"2"_qs));
    EXPECT_FALSE(notebook::ParseSurveyClass(QString()));
    EXPECT_EQ(notebook::DescribeExcess({u"ST1"_qs, u"T3"_qs, 0, Quantity::DifferenceSpread, 21.4}, SurveyClass::Third),
              u"ST1  T3  観測差 21.4″（制限 20″）");
    EXPECT_EQ(notebook::DescribeExcess({u"ST1"_qs, {}, 2, Quantity::IndexSpread, 31}, SurveyClass::Third),
              u"ST1  第2対回  高度定数の較差 31″（制限 30″）");
    EXPECT_EQ(notebook::DescribeExcess({u"ST1"_qs, u"T1"_qs, 1, Quantity::ReadingDifference, 25}, SurveyClass::First),
              u"ST1  T1  第1対回  距離の較差 25 mm（制限 20 mm）");
}

// Two sets of two targets: the differences between the sets, the index constants of each
// set, each sighting's two readings and the set means of a target.
TEST(SurveyClassTest, WhatAStationGivesTheCheck) {
    const test::KeptNotebook nb = test::Reduce(test::FieldBook({
        QStringLiteral("D,ST1,,1.500,0,2121002,,,"),
        QStringLiteral("E,0,"),
        QStringLiteral("F,T1,,1.6,r1001,0.0000,90.0000,100.000,100.021,,,000,"),
        QStringLiteral("F,T2,,1.6,r1002,30.0000,80.0000,,,,,000,"),
        QStringLiteral("F,T1,,1.6,l1001,180.0000,270.0010,,,,,000,"),
        QStringLiteral("F,T2,,1.6,l1002,210.0010,280.0041,,,,,000,"),
        QStringLiteral("F,T1,,1.6,l2001,270.0000,270.0000,,,,,000,"),
        QStringLiteral("F,T2,,1.6,l2002,300.0030,280.0000,,,,,000,"),
        QStringLiteral("F,T1,,1.6,r2001,90.0000,90.0000,100.050,100.050,,,000,"),
        QStringLiteral("F,T2,,1.6,r2002,120.0000,80.0000,,,,,000,"),
    }));
    const std::vector<notebook::Measure> over = notebook::OverLimit(nb.summary.measures, SurveyClass::First);
    QStringList lines;
    for (const notebook::Measure& m : over) lines << notebook::DescribeExcess(m, SurveyClass::First);
    // T2: double angles 10″ and 30″ apart by 20″; differences −10″ and −30″ by 20″. Index
    // constants in set 1: 10″ and 41″. T1's first reading pair is 21 mm apart; its set means
    // are 100.011 (set 1 has its r face only) and 100.050: 39 mm.
    EXPECT_EQ(lines, (QStringList{u"ST1  T2  倍角差 20″（制限 15″）"_qs, u"ST1  T2  観測差 20″（制限 8″）"_qs,
                                  u"ST1  第1対回  高度定数の較差 31″（制限 10″）"_qs,
                                  u"ST1  T1  第1対回  距離の較差 21 mm（制限 20 mm）"_qs,
                                  u"ST1  T1  セット間の較差 39 mm（制限 20 mm）"_qs}));
}

}  // namespace

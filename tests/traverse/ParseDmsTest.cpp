#include <gtest/gtest.h>

#include "traverse/ParseDms.h"

using traverse::ParseDms;

TEST(ParseDms, AnglesOfTheReductionTable) {
    const struct {
        const char* text;
        int seconds;
    } cases[] = {
        {"90-00-00", 324000},
        {"0-00-00", 0},
        {"  123-45-06 ", 123 * 3600 + 45 * 60 + 6},
        {"1234-56-07", 1234 * 3600 + 56 * 60 + 7},
        {"359-59-59", 1295999},
        {"-1-30-00", -5400},
        {"-12-00-01", -43201},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDms(QString::fromUtf8(c.text)), c.seconds) << c.text;
}

// A negative angle under one degree has "-0" degrees; the sign must come from the text.
TEST(ParseDms, NegativeUnderOneDegreeKeepsItsSign) {
    EXPECT_EQ(ParseDms(QStringLiteral("-0-30-00")), -1800);
    EXPECT_EQ(ParseDms(QStringLiteral(" -0-00-01")), -1);
}

TEST(ParseDms, OtherShapesGiveZero) {
    for (const char* text : {"", "90", "90.0000", "90-0-00", "90-00-0", "90:00:00", "12345-00-00",
                             "9a-00-00", "90-0x-00", "90-00-0x", "- 1-00-00", "+1-00-00", "---"})
        EXPECT_EQ(ParseDms(QString::fromUtf8(text)), 0) << text;
}

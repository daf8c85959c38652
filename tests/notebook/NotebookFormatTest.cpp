// The notebook's formatting rules and the degree text it prints angles in.

#include <gtest/gtest.h>

#include <cmath>

#include "apa/AngleText.h"
#include "notebook/NotebookFormat.h"
#include "support/QtPrinters.h"

namespace {

TEST(NotebookFormatTest, DegreeTextRoundsToWholeSecondsAndKeepsTheSign) {
    const struct {
        double seconds;
        const char* text;
    } cases[] = {
        {3723, "1-02-03"},
        {-1800, "-0-30-00"},         // under one degree, still negative
        {-0.4, "-0-00-00"},
        {45296.5, "12-34-56"},       // half a second rounds to even: Z = (r − l) / 2 often ends so
        {45297.5, "12-34-58"},
        {1295999.6, "360-00-00"},    // rounds into the full circle, as the notebook prints it
        {-12345.0 * 3600, ""},       // beyond 9999 degrees either way
        {10000.0 * 3600, ""},
        {-1234.0 * 3600, "1234-00-00"},  // four rightmost characters of the degrees
    };
    for (const auto& c : cases)
        EXPECT_EQ(apa::FormatDms(c.seconds), QString::fromUtf8(c.text)) << c.seconds;
}

// Field-book angles are read by their digits: 90.3000 is 90°30′ exactly.
TEST(NotebookFormatTest, PackedAnglesReadAsWritten) {
    const struct {
        const char* text;
        double seconds;
    } cases[] = {
        {"90.3000", 325800},    {" 359.5959 ", 1295999},  {"45.30205", 163820.5},  // a fifth digit: tenths
        {"-0.3000", -1800},     {"12.3", 45000},          {"+1.0001", 3601},
        {"7", 25200},           {"abc", 0},               {"1e2", 360000},  // 100°, however written
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(apa::PackedDmsSeconds(QString::fromUtf8(c.text)), c.seconds) << c.text;
}

TEST(NotebookFormatTest, DigitsRoundOnTheirDecimalsAndOverflowAsStars) {
    const struct {
        double value;
        int n, m, maxLength;
        const char* text;
    } cases[] = {
        {2.675, 5, 2, 0, "2.68"},       // 2.67499999… as a double
        {1.0005, 5, 3, 9, "1.001"},
        {-1.5, 5, 3, 9, "-1.500"},
        {-0.0004, 5, 3, 9, "0.000"},    // a zero carries no sign
        {0.4, 1, 0, 0, "0"},
        {12.5, 4, 0, 4, "13"},          // half away from zero
        {12345.0, 4, 0, 4, "****"},     // longer than allowed
        {123456.789, 5, 3, 9, "*****.***"},
        {123456.789, 0, 0, 3, "*"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(notebook::FormatDigits(c.value, c.n, c.m, c.maxLength), QString::fromLatin1(c.text))
            << c.value << " " << c.n << " " << c.m << " " << c.maxLength;
}

TEST(NotebookFormatTest, NormalizeSecondsBringsDirectionsIntoTheCircle) {
    EXPECT_EQ(notebook::NormalizeSeconds(-1), 1295999);
    EXPECT_EQ(notebook::NormalizeSeconds(-1296000), 0);
    EXPECT_EQ(notebook::NormalizeSeconds(-3 * 1296000.0 - 5), 1295995);
    EXPECT_EQ(notebook::NormalizeSeconds(1296000), 1296000);  // exactly the circle stays
    EXPECT_EQ(notebook::NormalizeSeconds(2592000), 1296000);
    EXPECT_EQ(notebook::NormalizeSeconds(2592001), 1);
    EXPECT_EQ(notebook::NormalizeSeconds(5), 5);
    EXPECT_TRUE(std::isnan(notebook::NormalizeSeconds(std::nan(""))));  // no endless loop
}

TEST(NotebookFormatTest, HorizontalDistanceIsRoundedToMillimetres) {
    EXPECT_DOUBLE_EQ(notebook::HorizontalDistance(90, 123.456), 123.456);
    EXPECT_DOUBLE_EQ(notebook::HorizontalDistance(270, 100), 100);  // face l: still positive
    EXPECT_DOUBLE_EQ(notebook::HorizontalDistance(45, 100), 70.711);
    EXPECT_DOUBLE_EQ(notebook::HorizontalDistance(30, 2), 1);  // 0.99999999… before rounding
    EXPECT_DOUBLE_EQ(notebook::HorizontalDistance(0, 50), 0);
}

}  // namespace

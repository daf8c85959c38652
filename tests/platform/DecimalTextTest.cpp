#include <gtest/gtest.h>

#include "platform/DecimalText.h"
#include "support/QtPrinters.h"

// Typed numbers rounded on their decimal digits, half away from zero. Through a binary
// double 1.0005 became 1.000 (it is 1.000499...) while 2.0005 became 2.001.
TEST(DecimalText, RoundsHalfAwayFromZeroOnTheTypedDigits) {
    const struct {
        const char16_t* typed;
        int decimals;
        const char16_t* expected;
    } cases[] = {
        {u"1.0005", 3, u"1.001"},
        {u"2.0005", 3, u"2.001"},
        {u"12.34565", 4, u"12.3457"},
        {u"359.59595", 4, u"359.5960"},
        {u"-1.0005", 3, u"-1.001"},
        {u"1.00049999", 3, u"1.000"},
        {u"9.9995", 3, u"10.000"},
        {u"-99.99999", 4, u"-100.0000"},
        {u"2.5", 0, u"3"},
        {u"-2.5", 0, u"-3"},
        {u"123456789012345678901234.5", 0, u"123456789012345678901235"},
        {u"0.1", 7, u"0.1000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::RoundDecimalText(QString::fromUtf16(c.typed), c.decimals),
                  QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.typed).toStdString();
}

// The leading number is read as the editor reads numbers; what is no number is 0, and
// zero carries no sign.
TEST(DecimalText, ReadsTheLeadingNumberLeniently) {
    const struct {
        const char16_t* typed;
        const char16_t* expected;
    } cases[] = {
        {u"  7", u"7.000"},     {u"007.25", u"7.250"}, {u".5", u"0.500"},    {u"-.5x", u"-0.500"},
        {u"+3", u"3.000"},      {u"1.5m", u"1.500"},   {u"1.2.3", u"1.200"}, {u"1e3", u"1.000"},
        {u"5.", u"5.000"},      {u"abc", u"0.000"},    {u"", u"0.000"},      {u"-", u"0.000"},
        {u"-0.0004", u"0.000"}, {u"-0", u"0.000"},     {u"x12", u"0.000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::RoundDecimalText(QString::fromUtf16(c.typed), 3),
                  QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.typed).toStdString();
}

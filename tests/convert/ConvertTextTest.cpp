// The routines every converter shares, detection and the raw line reader.

#include <gtest/gtest.h>

#include "convert/ConvertText.h"
#include "convert/FormatDetection.h"
#include "convert/RawLines.h"
#include "support/QtPrinters.h"

namespace {

TEST(ConvertTextTest, TakeFieldLeavesTheRest) {
    const struct {
        const char* text;
        const char* field;
        const char* rest;
    } cases[] = {
        {"12,AB,", "12", "AB,"},
        {",AB,", "", "AB,"},     // a leading comma: an empty field
        {"NOCOMMA", "", "NOCOMMA"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(convert::TakeField(text), QLatin1StringView(c.field)) << c.text;
        EXPECT_EQ(text, QLatin1StringView(c.rest)) << c.text;
        QByteArray bytes = c.text;
        EXPECT_EQ(convert::TakeField(bytes), QByteArray(c.field)) << c.text;
        EXPECT_EQ(bytes, QByteArray(c.rest)) << c.text;
    }
}

TEST(ConvertTextTest, ZerosNamesAndNumbers) {
    const struct {
        const char* in;
        const char* stripped;
        const char* name;
        const char* number;
    } cases[] = {
        {"00012", "12", "00012   ", "   00012"},
        {"000", "", "000     ", "     000"},
        {"0.5", ".5", "0.5     ", "     0.5"},
        {".5", ".5", ".5      ", "     0.5"},
        {"123.456", "123.456", "123.456 ", " 123.456"},
        {"", "", "        ", ""},
        {"ABCDEFGHIJ", "ABCDEFGHIJ", "ABCDEFGHIJ", "ABCDEFGHIJ"},
    };
    for (const auto& c : cases) {
        QString text = QString::fromLatin1(c.in);
        EXPECT_EQ(convert::StripLeadingZeros(text), QLatin1StringView(c.stripped)) << c.in;
        text = QString::fromLatin1(c.in);
        EXPECT_EQ(convert::PadName(text), QLatin1StringView(c.name)) << c.in;
        QByteArray bytes = c.in;
        EXPECT_EQ(convert::PadNumber(bytes), QByteArray(c.number)) << c.in;
    }
    QString japanese = QStringLiteral("基準点");  // padded by characters, not bytes
    EXPECT_EQ(convert::PadName(japanese), QStringLiteral("基準点     "));
}

TEST(ConvertTextTest, SecondsBecomeTenCharactersOfDegreeText) {
    const struct {
        double seconds;
        const char* text;
    } cases[] = {
        {3723, "   1-02-03"},
        {-1800, "  -0-30-00"},
        {-0.3, "  -0-00-00"},
        {45296.5, "  12-34-56"},  // rounded to whole seconds, half to even
        {123 * 3600 + 45 * 60 + 6, " 123-45-06"},
        {-12.0 * 3600, " -12-00-00"},
        {9999.0 * 3600, "9999-00-00"},
        {10000.0 * 3600, "           "},
        {-10000.0 * 3600, "           "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(convert::SecondsToDegreeText(c.seconds), QLatin1StringView(c.text)) << c.seconds;
}

TEST(FormatDetectionTest, EveryFirstLineKeyFindsItsConverterAndFieldBooksAreKnown) {
    const struct {
        const char* line;
        const char* format;
    } cases[] = {
        {"H01   SDR3P", "3PD"},
        {"00NMSDR33 V04-04.02", "3GD"},
        {"410001+00000100 42....+0000HEAD ", "GSI"},
        {"110001+00000001 21.324+12345060 ", "GSI"},
        {"*410001+0000000000000100 ", "GSI"},
        {"*110002+00000000GDEM5415 ", "GSI"},
        {"_!JOB_'A", "FC5"},
        {"_!JOB_,with a comma", "FC5"},
        {"SKR1 card", "SCR"},
        {"A00NM,SDF", "SDF"},
        {"CO123456789ABA,Nikon", "DR2"},
        {"123456789012A,", "DR2"},  // a first field of 13 characters
        // Near misses.
        {"12345678901A,", ""},     // 12 characters
        {"1234567890123C,", ""},   // not A, B or E
        {"410001-00000100 ", ""},  // the sign must be "+"
        {"41", ""},
        {"_!", ""},
        {"A,SET4C,", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(convert::DetectFormat(QByteArrayView(c.line)), QLatin1StringView(c.format)) << c.line;
    // Field books, with or without check characters, but not a SOKKIA memory dump.
    EXPECT_TRUE(convert::IsApaData("A,01,"));
    EXPECT_TRUE(convert::IsApaData("A,01,X,"));
    EXPECT_FALSE(convert::IsApaData("A,SET4C,123,"));
    EXPECT_FALSE(convert::IsApaData("A,01"));
    EXPECT_FALSE(convert::IsApaData("B,01,"));
}

TEST(RawLinesTest, AnyLineEndEndsALineAndBlanksAreNoContent) {
    const QByteArray bytes = "a\r\nb\nc\rd\r\r\n\ne";
    convert::RawLineReader reader(bytes);
    convert::RawLine line;
    QList<QByteArray> texts;
    QList<qsizetype> numbers;
    while (reader.Next(line)) {
        texts.append(line.text.toByteArray());
        numbers.append(line.number);
    }
    EXPECT_EQ(texts, (QList<QByteArray>{"a", "b", "c", "d", "", "", "e"}));
    EXPECT_EQ(numbers.last(), 7);
    // The first content line skips blank lines and control characters.
    EXPECT_EQ(convert::FirstContentLine("\r\n  \r\n\x02" "110001+ \x03\r\nnext").toByteArray(),
              QByteArray("110001+"));
    EXPECT_TRUE(convert::FirstContentLine("\r\r\n \t").isEmpty());
    EXPECT_TRUE(convert::FirstContentLine("").isEmpty());
}

}  // namespace

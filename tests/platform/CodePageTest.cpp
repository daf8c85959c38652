#include <gtest/gtest.h>

#include <random>

#include "platform/CodePage.h"
#include "support/QtPrinters.h"

namespace cp = platform::cp932;

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out.append(static_cast<char>(v));
    return out;
}

}  // namespace

// Every character the code page holds comes back from its bytes, and ByteLength counts
// what Encode writes.
TEST(CodePage, EveryCharacterRoundTrips) {
    int characters = 0;
    for (int u = 0; u < 0x10000; ++u) {
        if (QChar::isSurrogate(static_cast<char32_t>(u))) continue;
        const QString text(QChar(static_cast<char16_t>(u)));
        const QByteArray bytes = cp::Encode(text);
        EXPECT_EQ(cp::ByteLength(text), bytes.size()) << std::hex << u;
        if (bytes == "?" && u != u'?') continue;
        ++characters;
        EXPECT_EQ(cp::Decode(bytes), text) << std::hex << u;
        EXPECT_FALSE(cp::HasEscapedBytes(cp::Decode(bytes))) << std::hex << u;
    }
    EXPECT_GT(characters, 7000);  // JIS X 0208 with the NEC and IBM extensions
}

// Any bytes at all come back from their text: a UTF-8 file, stray bytes, a lead byte cut
// off at the end. Lines nobody edited are written back as they were read.
TEST(CodePage, EveryByteSequenceRoundTrips) {
    for (int a = 0; a < 0x100; ++a) {
        for (int b = 0; b < 0x100; ++b) {
            const QByteArray bytes = Bytes({a, b});
            ASSERT_EQ(cp::Encode(cp::Decode(bytes)), bytes) << a << ' ' << b;
        }
    }
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        QByteArray bytes;
        for (int n = static_cast<int>(random() % 40); n > 0; --n)
            bytes.append(static_cast<char>(random()));
        const QString text = cp::Decode(bytes);
        ASSERT_EQ(cp::Encode(text), bytes);
        EXPECT_EQ(cp::ByteLength(text), bytes.size());
    }

    const QByteArray utf8 = QStringLiteral("測点 ✓").toUtf8();
    EXPECT_EQ(cp::Encode(cp::Decode(utf8)), utf8);
    EXPECT_TRUE(cp::HasEscapedBytes(cp::Decode(utf8)));
    EXPECT_TRUE(cp::HasEscapedBytes(cp::Decode(Bytes({'A', 0x82}))));  // lead byte at the end
    EXPECT_TRUE(cp::HasEscapedBytes(cp::Decode(Bytes({0xFF}))));
    EXPECT_FALSE(cp::HasEscapedBytes(cp::Decode(Bytes({0x92, 0x6E, 0xB1, 'A'}))));
    EXPECT_FALSE(cp::HasEscapedBytes(QStringLiteral("a😀")));  // a pair is no escape
}

TEST(CodePage, ByteValuesOfTheFilesCodePage) {
    struct Case {
        const char16_t* text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {u"A,01,", "A,01,"}, {u"～", "\x81\x60"},  // FULLWIDTH TILDE, not WAVE DASH
        {u"－", "\x81\x7C"},                       // FULLWIDTH HYPHEN-MINUS
        {u"ｱ", "\xB1"},                            // half-width katakana: one byte
        {u"ﾃﾞ", "\xC3\xDE"}, {u"地区", "\x92\x6E\x8B\xE6"},
        {u"①", "\x87\x40"},  // NEC special character
        {u"\\", "\\"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp::Encode(QString::fromUtf16(c.text)), c.bytes);
        EXPECT_EQ(cp::Decode(c.bytes), QString::fromUtf16(c.text));
    }
}

// A character with two codes is written with the code Windows writes: NEC row 13 before
// the IBM extensions, the IBM extensions before NEC's copies of them. The other code
// still comes back as it was.
TEST(CodePage, DuplicateCodesWriteTheWindowsCode) {
    const struct {
        char16_t character;
        QByteArray written;
        QByteArray other;
    } cases[] = {
        {u'Ⅰ', "\x87\x54", "\xFA\x4A"},  {u'\uFFE2', "\x81\xCA", "\xFA\x54"},
        {u'∵', "\x81\xE6", "\xFA\x5B"},  {u'≒', "\x81\xE0", "\x87\x90"},
        {u'纊', "\xFA\x5C", "\xED\x40"}, {u'ⅰ', "\xFA\x40", "\xEE\xEF"},
    };
    for (const auto& c : cases) {
        const QString text(QChar(c.character));
        EXPECT_EQ(cp::Encode(text), c.written) << c.written.toHex().toStdString();
        EXPECT_EQ(cp::Decode(c.written), text);
        EXPECT_EQ(cp::Encode(cp::Decode(c.other)), c.other) << c.other.toHex().toStdString();
    }
}

TEST(CodePage, UnmappableAndInvalid) {
    EXPECT_EQ(cp::Encode(QStringLiteral("a😀b€")), QByteArray("a?b?"));  // one "?" per character
    EXPECT_EQ(cp::ByteLength(QStringLiteral("😀")), 1);
    EXPECT_EQ(cp::Decode(QByteArray("a\0b", 3)), QString(QStringLiteral("a") + QChar(0) + u'b'));
    EXPECT_EQ(cp::Encode(QString(QChar(0xD800))), QByteArray("?"));  // a lone high surrogate
}

TEST(CodePage, CutToBytesNeverSplitsADoubleByteCharacter) {
    const QString text = QStringLiteral("ｱ漢字AB");  // bytes: 1 + 2 + 2 + 1 + 1
    const struct {
        int maxBytes;
        const char16_t* expected;
    } cases[] = {{-1, u""},   {0, u""},      {1, u"ｱ"},      {2, u"ｱ"},       {3, u"ｱ漢"},
                 {4, u"ｱ漢"}, {5, u"ｱ漢字"}, {6, u"ｱ漢字A"}, {7, u"ｱ漢字AB"}, {100, u"ｱ漢字AB"}};
    for (const auto& c : cases) {
        const QString cut = cp::CutToBytes(text, c.maxBytes);
        EXPECT_EQ(cut, QString::fromUtf16(c.expected)) << c.maxBytes;
        EXPECT_LE(cp::ByteLength(cut), std::max(c.maxBytes, 0));
    }
    EXPECT_EQ(cp::CutToBytes(QStringLiteral("a😀"), 1), QStringLiteral("a"));  // pairs stay whole
    EXPECT_EQ(cp::CutToBytes(QStringLiteral("a😀"), 2), QStringLiteral("a😀"));
    const QString escaped = cp::Decode(Bytes({0xFF, 0xFE, 'x'}));  // an escaped byte is a byte
    EXPECT_EQ(cp::CutToBytes(escaped, 2), escaped.left(2));
}

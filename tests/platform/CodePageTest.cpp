#include <gtest/gtest.h>

#include "platform/CodePage.h"

namespace cp = platform::cp932;

namespace {

// The menu's own texts: every one must survive a trip through the files' code page.
const char16_t* const kMenuTexts[] = {
    u"ﾄｰﾀﾙｽﾃｰｼｮﾝﾃﾞｰﾀ処理ｼｽﾃﾑﾒﾆｭ-",
    u" -地区名(",
    u" すべて ",
    u" データを新規作成しますか ？",
    u"APA (ACK/NAKなし)",
    u"APAデータではありません。",
    u"APA標準フォーマット",
    u"LEICA･APA",
    u"LEICA･GSI",
    u"NIKON･APA",
    u"NIKON･DR-2",
    u"PENTAX･APA",
    u"SOKKIA･APA",
    u"SOKKIA･SCR1",
    u"SOKKIA･SCR2",
    u"SOKKIA･SD",
    u"SOKKIA･SDR3G",
    u"SOKKIA･SDR3P",
    u"TOPCON･APA",
    u"TOPCON･FC5",
    u"TSﾃﾞｰﾀﾌｧｲﾙ (*.",
    u"|すべてのﾌｧｲﾙ (*.*)|*.*|",
    u"すべて",
    u"すべての形式",
    u"エラーです。",
    u"キャンセル",
    u"テキストファイルを編集するためのエディターが見つかりません。",
    u"データファイル読込みエラーです。",
    u"データ新規作成",
    u"データ登録ドライブとディレクトリを選択してください",
    u"データ登録ドライブの設定",
    u"データ読み込みを中止します。",
    u"ファイル･APA",
    u"・データ形式の設定  ",
    u"・登録ドライブの設定",
    u"・通信条件の設定 ",
    u"何かキーを押してください。",
    u"作業用ﾌｧｲﾙ。",
    u"地区内に座標値が登録されていません。",
    u"登録に何らかのエラーが発生しました",
    u"登録エラー",
    u"確　定",
    u"確認",
    u"編集データ形式",
    u"観測データの受信",
    u"設定各社フォーマット",
    u"警告",
    u"送信する デ－タ形式を 指定して下さい。",
    u"１．観測デ－タの受信及びファイル登録 ",
    u"２．観測デ－タファイルの確認・編集   ",
    u"３．ＡＰＡフォ－マットへファイル出力 ",
    u"４．観測手簿の編集（ＡＰＡ野帳形式） ",
    u"５．観測手簿の印字出力（ＡＰＡより） ",
    u"６．座標デ－タの送信（SIMAﾌｫｰﾏｯﾄ）  ",
    u"７．座標デ－タの送信（地区より）     ",
    u"８．      終    了                 ",
    u"･ACK/ANKなし",
    u"ﾜｰﾄﾞﾊﾟｯﾄﾞ又は、ﾃｷｽﾄ編集可能なｿﾌﾄをｲﾝｽﾄｰﾙしてください。",
    u"～",
};

}  // namespace

TEST(CodePage, MenuTextsRoundTrip) {
    for (const char16_t* raw : kMenuTexts) {
        const QString text = QString::fromUtf16(raw);
        const QByteArray bytes = cp::Encode(text);
        EXPECT_FALSE(bytes.contains('?')) << text.toStdString();
        EXPECT_EQ(cp::Decode(bytes), text) << text.toStdString();
        EXPECT_EQ(cp::ByteLength(text), bytes.size()) << text.toStdString();
    }
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

TEST(CodePage, UnmappableAndInvalid) {
    EXPECT_EQ(cp::Encode(QStringLiteral("a😀b€")), QByteArray("a?b?"));  // one "?" per character
    EXPECT_EQ(cp::ByteLength(QStringLiteral("😀")), 1);
    EXPECT_EQ(cp::Decode(QByteArray("\x82", 1)), QString(QChar(0xFFFD)));  // lead byte at the end
    EXPECT_EQ(cp::Decode(QByteArray("\xFF"
                                    "A",
                                    2)),
              QString(QChar(0xFFFD)) + u'A');  // not CP932
    EXPECT_EQ(cp::Decode(QByteArray("a\0b", 3)), QString(QStringLiteral("a") + QChar(0) + u'b'));
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
}

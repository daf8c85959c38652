// Frame checks, reply reading, status and directory reading and the error texts by code.
// Reply layouts beyond the published frame follow the simulator's convention.

#include <gtest/gtest.h>

#include "CardTestSupport.h"
#include "comm/card/CardFrame.h"
#include "comm/card/CardMessages.h"
#include "comm/card/CardStatus.h"

using namespace comm::card;

TEST(CardFrame, FramesCarryTheLowByteOfTheirSumInHexAndAnyChangeFailsIt) {
    struct Case {
        const char* command;
        const char* check;
    };
    // Worked by hand from the byte sums of STX, "0100M", the command and ETX.
    for (const Case& c : {Case{"R,STA,00000000", "25"}, Case{"R,WHO,00000000", "2B"}, Case{"C,FIL,00000000", "09"}}) {
        const QByteArray frame = CommandFrame(c.command);
        EXPECT_EQ(frame, QByteArray("\x02" "0100M") + c.command + '\x03' + c.check) << c.command;
        EXPECT_TRUE(ReplyCheckHolds(frame)) << c.command;
    }
    // A reply's check fails on any changed byte or a missing ETX.
    const QByteArray reply = cardtest::Reply("R,WHO,00000000", "Y,00", "V1");
    ASSERT_TRUE(ReplyCheckHolds(reply));
    for (qsizetype i = 1; i < reply.size(); ++i) {
        QByteArray spoilt = reply;
        spoilt[i] = static_cast<char>(spoilt[i] + 1);
        EXPECT_FALSE(ReplyCheckHolds(spoilt)) << "byte " << i;
    }
    EXPECT_FALSE(ReplyCheckHolds(reply.chopped(1)));
    EXPECT_FALSE(ReplyCheckHolds(""));
}

TEST(CardFrame, ReplyFieldsByPosition) {
    const QByteArray accepted = cardtest::Reply("R,FIL,00000,00", "Y,00", "ABC");
    EXPECT_TRUE(Accepted(accepted));
    EXPECT_TRUE(HasMoreData(accepted));
    EXPECT_EQ(ReplyData(accepted), "ABC");

    const QByteArray last = cardtest::Reply("R,FIL,00000,00", "Y,01", "ABC");
    EXPECT_TRUE(Accepted(last));
    EXPECT_FALSE(HasMoreData(last));

    const QByteArray refused = cardtest::Reply("R,STA,00000000", "N,11", "");
    EXPECT_FALSE(Accepted(refused));
    EXPECT_EQ(ErrorCode(refused), "11");
    EXPECT_EQ(ReplyData(refused), "") << "a reply shorter than 30 bytes has no data";

    // Cut short: no acknowledgement, and at most what is there of the code.
    EXPECT_FALSE(Accepted(refused.left(21)));
    EXPECT_EQ(ErrorCode(refused.left(24)), "1");
    EXPECT_EQ(ErrorCode(refused.left(10)), "");
    EXPECT_EQ(ReplyData(refused.left(10)), "");
}

TEST(CardFrame, RecordChecksBringTheSumToZero) {
    // The published card line of a SET memory card.
    EXPECT_EQ(CardRecord("00003,Fd,0000,,,,1234.500,10.000,2.000,"), "00003,Fd,0000,,,,1234.500,10.000,2.000,7B");
    EXPECT_EQ(CardRecord(""), "00");
    EXPECT_EQ(CardRecord("\x01"), "\x01" "FF");
    EXPECT_EQ(HexValue("07E"), 0x7E);
    EXPECT_EQ(HexValue("7g"), 0) << "unreadable digits count as none";
    EXPECT_EQ(HexValue(""), 0);
}

TEST(CardStatus, TypeFreeBytesAndFlags) {
    const CardStatus plain = ParseStatus("00FE000001F400");
    EXPECT_EQ(plain.cardType, "SDC4 (64,000bytes)");
    EXPECT_EQ(plain.freeBytes, 0x01 * 65536 + 0xF4 * 256);
    EXPECT_EQ(plain.idState, "OK");
    EXPECT_EQ(plain.writeProtect, "Off");
    EXPECT_EQ(plain.battery, "OK");

    const CardStatus flagged = ParseStatus("07FE29000000FF");
    EXPECT_EQ(flagged.cardType, "SDCX(512,000bytes)");
    EXPECT_EQ(flagged.idState, "NO");
    EXPECT_EQ(flagged.writeProtect, "On");
    EXPECT_EQ(flagged.battery, "Low");
    EXPECT_EQ(flagged.freeBytes, 255);

    EXPECT_EQ(ParseStatus("ABCD").cardType, "?????              ");
    EXPECT_EQ(ParseStatus("").freeBytes, 0);
}

TEST(CardStatus, DirectoryEntriesAndTheShortLastOne) {
    const QList<CardFile> files = ParseDirectory("AB*****A00000010" "SITE1**A000003E8" "XYZ");
    ASSERT_EQ(files.size(), 2) << "a last entry under 4 bytes is no file";
    EXPECT_EQ(files[0].name, "AB*****A");
    EXPECT_EQ(files[0].size, 16);
    EXPECT_EQ(files[1].size, 1000);
    EXPECT_EQ(ParseDirectory("AB*****A00000010WXYZ").size(), 2) << "4 bytes still count";

    QByteArray many;
    for (int i = 0; i < 130; ++i) many += "F******A00000001";
    EXPECT_EQ(ParseDirectory(many).size(), 120);
}

TEST(CardStatus, LogShowsStatusAndThreeFilesToALine) {
    const QList<CardFile> files = {{"AB*****A", 16}, {"SITE1**A", 1000}, {"LONGNAMA", 0}, {"X******A", 5}};
    const QString report = StatusReport("V1", ParseStatus("007E000000AF00"), files);
    EXPECT_EQ(report,
              "     Version: V1        IC Card: SDC3 (32,000bytes)\n"
              "     ID: OK    Free: 44,800Bytes    Battery: OK    Write protect: Off\n"
              "   1. AB     16Byte       2. SITE1  1000Byte       3. LONGNAM0Byte    \n"
              "   4. X      5Byte    \n");
    EXPECT_EQ(GroupedBytes(0), "");
    EXPECT_EQ(GroupedBytes(999), "999");
    EXPECT_EQ(GroupedBytes(1234567), "1,234,567");
}

// The code goes into the text; a code without a text of its own, none and one that sorts
// after "1" are told apart.
TEST(CardMessages, ErrorTextsByCode) {
    const QString tail = "\n設定またはカードを確認変更し、何かキーを押して下さい";
    EXPECT_EQ(CardErrorText("11"), "  メモリ－カ－ド エラ－ ( ｴﾗ-ｺ-ﾄﾞ 11 )  \nカ－ドが挿入されていません." + tail);
    EXPECT_EQ(CardErrorText("14"), "  メモリ－カ－ド エラ－ ( ｴﾗ-ｺ-ﾄﾞ 14 )  \n" + tail) << "a code without a text of its own";
    EXPECT_TRUE(CardErrorText("").contains("リ－ダライタとの通信エラ－"));
    EXPECT_FALSE(CardErrorText("\xB1\xB2").contains("リ－ダライタとの通信エラ－")) << "bytes above 0x7F sort after \"1\"";
}

// The card routines against the simulated reader (convention: the simulator's reply
// layout, CardReaderSimulator.h), and against scripted replies where the simulator would
// not misbehave.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "CardTestSupport.h"
#include "support/TestEnvironment.h"
#include "comm/card/CardFrame.h"
#include "comm/card/CardMessages.h"
#include "comm/card/CardReaderSimulator.h"
#include "comm/card/CardStatus.h"
#include "comm/card/CardTransfer.h"
#include "platform/ScriptedPrompt.h"

using namespace comm::card;
using platform::PromptAnswer;
using platform::ScriptedPrompt;

namespace {

const QString kNoFiles = "実行するファイルは有りません.\n何かキーを押して下さい。";

// Lines as the coordinate export prepares them for a card: each ends with a comma.
QList<QByteArray> Lines(int count, int width = 20) {
    QList<QByteArray> lines;
    for (int i = 0; i < count; ++i) {
        lines.append(("00" + QByteArray::number(i) + ",KI,P" + QByteArray::number(i) + ",").leftJustified(width - 1, '0') + ',');
    }
    return lines;
}

// What reading gives back: the lines without their final comma.
QList<QByteArray> AsRead(const QList<QByteArray>& lines) {
    QList<QByteArray> read;
    for (const QByteArray& line : lines) read.append(line.chopped(1));
    return read;
}

QStringList MessageTexts(const ScriptedPrompt& prompt) {
    QStringList texts;
    for (const auto& record : prompt.RecordsOf(ScriptedPrompt::Kind::Message)) texts.append(record.text);
    return texts;
}

class CardTransfer : public ::testing::Test {
  protected:
    // A card folder holding the named files given, for a fresh simulator.
    QString Card(const QList<std::pair<QByteArray, QByteArray>>& files = {}) {
        folder_ = test::NewFolder("card");
        for (const auto& [name, content] : files) test::WriteBytes(folder_ + "/FILES/" + QString::fromLatin1(name), content);
        return folder_;
    }
    void Insert() {
        reader_ = std::make_unique<CardReaderSimulator>(folder_);
        link_ = std::make_unique<cardtest::WatchingLink>(*reader_);
        session_ = std::make_unique<CardSession>(*link_, sink_, prompt_);
    }
    QList<QByteArray> Records() const {  // the saved lines after the monitor's two status lines
        return sink_.saved.mid(2);
    }

    QString folder_;
    cardtest::RecordingSink sink_;
    ScriptedPrompt prompt_;
    std::unique_ptr<CardReaderSimulator> reader_;
    std::unique_ptr<cardtest::WatchingLink> link_;
    std::unique_ptr<CardSession> session_;
};

TEST_F(CardTransfer, Sc1WriteThenReadGivesTheLinesBack) {
    Card();
    test::WriteBytes(folder_ + "/SEQUENCE.DAT", "OLD,00 ");
    Insert();
    const QList<QByteArray> lines = Lines(30);  // 600 bytes: four full blocks and a rest
    ASSERT_EQ(WriteSc1Card(*session_, lines), WriteResult::Done);
    EXPECT_TRUE(sink_.marks.contains("送信終了"));
    const QByteArray area = test::ReadBytes(folder_ + "/SEQUENCE.DAT");
    EXPECT_TRUE(area.startsWith(CardRecord(lines[0]) + ' ' + CardRecord(lines[1]) + ' ')) << "the old area was cleared";
    EXPECT_FALSE(area.contains("OLD"));

    Insert();  // the card read again from its folder
    ReadSc1Card(*session_);
    EXPECT_EQ(sink_.saved, AsRead(lines));
    EXPECT_TRUE(sink_.marks.contains("受信終了"));
    EXPECT_EQ(link_->directOn, 1);
    EXPECT_EQ(link_->directOff, 1);
    EXPECT_EQ(prompt_.RecordsOf(ScriptedPrompt::Kind::Message).size(), 0);
}

TEST_F(CardTransfer, Sc1AreaOfExactlyWholeBlocksAndAnEmptyArea) {
    Card();
    Insert();
    ASSERT_EQ(WriteSc1Card(*session_, Lines(0)), WriteResult::Done);
    Insert();
    ReadSc1Card(*session_);
    EXPECT_TRUE(sink_.saved.isEmpty());

    test::WriteBytes(folder_ + "/SEQUENCE.DAT", QByteArray(127, 'A') + ' ');  // one full block, no rest
    Insert();
    ReadSc1Card(*session_);
    EXPECT_EQ(sink_.saved, QList<QByteArray>{QByteArray(124, 'A')});
}

TEST_F(CardTransfer, ScrWriteThenReadThroughTheMonitor) {
    Card({{"OLD****A", CardRecord("X,") + ' '}});
    Insert();
    prompt_.AnswerInput("SITE.1");  // refused: a dot
    prompt_.AnswerInput("AB");
    const QList<QByteArray> lines = Lines(12);
    ASSERT_EQ(WriteScrCard(*session_, lines), WriteResult::Done);
    EXPECT_EQ(prompt_.RecordsOf(ScriptedPrompt::Kind::Input).size(), 2);
    ASSERT_TRUE(QFile::exists(folder_ + "/FILES/AB*****A"));
    EXPECT_EQ(sink_.clears, 1);
    EXPECT_TRUE(sink_.log.startsWith(QString::fromLatin1(lines[0]) + '\n')) << "the log was cleared after the monitor";

    for (int chunk : {1, 2, 3, 4, 5, 7, 13, 22, 23, 24, 128}) {
        // Chunks that end inside a record, on its comma, in its check and on the space.
        SCOPED_TRACE(chunk);
        sink_ = {};
        Insert();
        reader_->SetReadChunk(chunk);
        prompt_.AnswerInput("1");
        ReadScrCard(*session_);
        EXPECT_EQ(Records(), AsRead(lines));
        EXPECT_EQ(sink_.saved.value(0), "SCR3-SIM 1.00") << "read mode keeps the status data too";
    }
    EXPECT_EQ(prompt_.RecordsOf(ScriptedPrompt::Kind::Message).size(), 0);
    EXPECT_EQ(link_->commands.last(), "C,FIL,00000000");
}

TEST_F(CardTransfer, MonitorAsksAgainForNumbersOutOfRangeOrEmptyFiles) {
    Card({{"AB*****A", CardRecord("A,") + ' '}, {"EMPTY**A", ""}});
    Insert();
    for (const char* answer : {"0", "3", "x", "2", "-9999"}) prompt_.AnswerInput(answer);
    prompt_.AnswerMessage(PromptAnswer::No);  // keep the card
    prompt_.AnswerInput("1");
    ReadScrCard(*session_);
    EXPECT_EQ(Records(), QList<QByteArray>{"A"});
    const auto inputs = prompt_.RecordsOf(ScriptedPrompt::Kind::Input);
    ASSERT_EQ(inputs.size(), 6);
    EXPECT_TRUE(inputs[0].text.contains(" No ( 1 -2) ?")) << "the range offered is the card's files";
    EXPECT_FALSE(link_->commands.contains("M,CLR,SKMINIP."));
    EXPECT_TRUE(sink_.log.contains("   1. AB     "));
}

TEST_F(CardTransfer, DeleteAndInitialiseStartTheMonitorOver) {
    Card({{"AB*****A", "A,00 "}, {"CD*****A", "C,00 "}});
    Insert();
    prompt_.AnswerInput("-2");
    prompt_.AnswerMessage(PromptAnswer::No);
    prompt_.AnswerInput("-2");
    prompt_.AnswerMessage(PromptAnswer::Yes);
    prompt_.AnswerInput("-9999");
    prompt_.AnswerMessage(PromptAnswer::Yes);
    ReadScrCard(*session_);

    const auto messages = prompt_.RecordsOf(ScriptedPrompt::Kind::Message);
    ASSERT_EQ(messages.size(), 4);
    EXPECT_EQ(messages[0].text, "ﾃﾞ-ﾀ ﾌｧｲﾙ No2 <CD*****> を削除してよろしいですか？");
    EXPECT_EQ(messages[3].text, kNoFiles) << "after initialising, the card has no files";
    EXPECT_FALSE(QFile::exists(folder_ + "/FILES/CD*****A"));
    EXPECT_FALSE(QFile::exists(folder_ + "/FILES/AB*****A"));
    EXPECT_EQ(sink_.log.count("SCR2ﾓﾆﾀ-ﾓ-ﾄﾞ - 状態受信 -"), 3) << "status read afresh after each change";
    EXPECT_TRUE(link_->commands.contains("D,FIL,CD*****A"));
    EXPECT_TRUE(link_->commands.contains("F,FIL,00000,03"));
}

TEST_F(CardTransfer, CardWithoutFilesStopsReadAndWrite) {
    Card();
    Insert();
    ReadScrCard(*session_);
    prompt_.AnswerInput("AB");  // never asked
    EXPECT_EQ(WriteScrCard(*session_, Lines(1)), WriteResult::Refused);
    EXPECT_EQ(MessageTexts(prompt_), QStringList({kNoFiles, kNoFiles}));
    EXPECT_EQ(prompt_.RecordsOf(ScriptedPrompt::Kind::Input).size(), 0);
    EXPECT_FALSE(QDir(folder_ + "/FILES").exists());
    EXPECT_FALSE(sink_.marks.contains("受信終了"));
    EXPECT_EQ(link_->directOn, 2);
    EXPECT_EQ(link_->directOff, 2);
}

TEST_F(CardTransfer, WriteProtectedCardRefusesEveryChange) {
    Card({{"AB*****A", "A,00 "}});
    test::WriteBytes(folder_ + "/SEQUENCE.DAT", "KEEP,00 ");
    test::WriteBytes(folder_ + "/PROTECT", "");
    Insert();
    EXPECT_EQ(WriteSc1Card(*session_, Lines(2)), WriteResult::Refused);
    prompt_.AnswerInput("NEW");
    EXPECT_EQ(WriteScrCard(*session_, Lines(2)), WriteResult::Refused);
    const QString refusal = CardErrorText("14");
    EXPECT_EQ(MessageTexts(prompt_), QStringList({refusal, refusal}));
    EXPECT_EQ(test::ReadBytes(folder_ + "/SEQUENCE.DAT"), "KEEP,00 ");
    EXPECT_FALSE(QFile::exists(folder_ + "/FILES/NEW****A"));
    EXPECT_FALSE(link_->commands.contains("W,CWP,00000000,R")) << "stops at the first refusal";
    sink_.saved.clear();
    ReadScrCard(*session_);  // no file chosen
    EXPECT_EQ(ParseStatus(sink_.saved.value(1)).writeProtect, "On");
    EXPECT_EQ(ParseStatus(sink_.saved.value(1)).freeBytes, 32000 - 5 - 8);
}

TEST_F(CardTransfer, FullCardStopsAtTheLineThatDoesNotFit) {
    Card({{"BIG****A", QByteArray(32000 - 100, 'x')}});
    Insert();
    prompt_.AnswerInput("AB");
    const QList<QByteArray> lines = {QByteArray(59, 'a') + ',', QByteArray(49, 'b') + ','};
    EXPECT_EQ(WriteScrCard(*session_, lines), WriteResult::CardFull);
    EXPECT_EQ(MessageTexts(prompt_), QStringList({"カードの空き容量が足りません。\n何かキーを押してください。"}));
    EXPECT_EQ(test::ReadBytes(folder_ + "/FILES/AB*****A"), CardRecord(lines[0]) + ' ');
    EXPECT_FALSE(sink_.marks.contains("送信終了"));
    EXPECT_EQ(link_->commands.last(), "C,FIL,00000000") << "the file is closed all the same";
}

TEST_F(CardTransfer, ReplyWithABadCheckIsALineFault) {
    Card();
    test::WriteBytes(folder_ + "/SEQUENCE.DAT", "A,00 ");
    Insert();
    link_->spoilReply = 2;  // R,WHO
    ReadSc1Card(*session_);
    EXPECT_EQ(MessageTexts(prompt_), QStringList({CardErrorText("00")}));
    EXPECT_TRUE(sink_.saved.isEmpty());
    EXPECT_EQ(link_->directOff, 1);
}

TEST_F(CardTransfer, NoCardInTheReader) {
    folder_ = test::Root() + "/no-such-card";
    Insert();
    ReadSc1Card(*session_);
    EXPECT_EQ(MessageTexts(prompt_), QStringList({CardErrorText("11")}));
    EXPECT_EQ(link_->commands, QList<QByteArray>{"R,STA,00000000"});
}

TEST_F(CardTransfer, SimulatorRefusesMalformedCommands) {
    Card({{"AB*****A", "A,00 "}});
    Insert();
    struct Case {
        QByteArray frame;
        const char* ackAndCode;
    };
    const QByteArray spoilt = CommandFrame("R,WHO,00000000").replace("2B", "2C");
    for (const Case& c : {Case{spoilt, "N,01"}, Case{"\x02" "0100M", "N,01"}, Case{CommandFrame("X,YYY,0"), "N,02"},
                          Case{CommandFrame("W,SRC,00000,05,A,00"), "N,01"},  // length is the record's less 6
                          Case{CommandFrame("W,FIL,00000,02,A "), "N,16"},    // no file open
                          Case{CommandFrame("O,FRD,NONE***A"), "N,16"}, Case{CommandFrame("O,FRD,../x"), "N,01"},
                          Case{CommandFrame("D,FIL,AB*****A"), "Y,01"}}) {
        const QByteArray reply = reader_->Answer(c.frame);
        EXPECT_TRUE(ReplyCheckHolds(reply));
        EXPECT_EQ(reply.mid(21, 4), c.ackAndCode) << c.frame.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder_ + "/FILES/AB*****A"));
}

// A session over scripted replies.
struct Scripted {
    cardtest::ScriptedReader reader;
    cardtest::WatchingLink link{reader};
    cardtest::RecordingSink sink;
    ScriptedPrompt prompt;
    CardSession session{link, sink, prompt};
};

TEST(CardSession, RefusedSwitchQueryShowsTheInterfaceHint) {
    Scripted s;
    s.reader.replies = {cardtest::Reply("R,STA,00000000", "Y,00", ""), cardtest::Reply("R,WHO,00000000", "Y,00", "V1"),
                        cardtest::Reply("R,SWP,00000000", "N,01", "")};
    ReadSc1Card(s.session);
    ASSERT_EQ(MessageTexts(s.prompt).size(), 1);
    EXPECT_TRUE(MessageTexts(s.prompt)[0].contains("<ﾂｳｼﾝ><SCR2><ﾌｧｲﾙ><ｾﾝﾀｸ>"));
}

TEST(CardSession, RecordEndingWithItsCheckInTheNextReply) {
    Scripted s;
    // "ABC,7F" split after its comma: the next reply begins with the rest of the check;
    // "G,12" split inside its check.
    s.reader.replies = {cardtest::Reply("R,FIL,00000,00", "Y,00", "ABC,"),
                      cardtest::Reply("R,FIL,00000,00", "Y,00", "7F DE,00 G,1"),
                      cardtest::Reply("R,FIL,00000,00", "Y,00", "2 H,00 ")};
    QByteArray carry;
    ASSERT_TRUE(s.session.Transact("R,FIL,00000,00", carry));
    EXPECT_EQ(carry, "ABC,");
    ASSERT_TRUE(s.session.Transact("R,FIL,00000,00", carry));
    EXPECT_EQ(carry, "G,1");
    ASSERT_TRUE(s.session.Transact("R,FIL,00000,00", carry));
    EXPECT_EQ(s.sink.saved, QList<QByteArray>({"ABC", "DE", "G", "H"}));
    EXPECT_TRUE(carry.isEmpty());
    EXPECT_EQ(s.sink.log, "ABC\nDE\nG\nH\n");
}

TEST(CardSession, CarryTooShortForItsCheckIsBrokenData) {
    Scripted s;
    s.reader.replies = {cardtest::Reply("R,FIL,00000,00", "Y,00", "0 A,00 ")};
    QByteArray carry = "X";
    ASSERT_TRUE(s.session.Transact("R,FIL,00000,00", carry));
    EXPECT_EQ(MessageTexts(s.prompt), QStringList({"\nカードデータ異常！！  何かキーを押して下さい"}));
    EXPECT_TRUE(s.sink.saved.isEmpty());
}

TEST(CardSession, LinkFaultLeavesDirectModeOff) {
    Scripted s;  // no replies: the line is silent
    EXPECT_THROW(ReadScrCard(s.session), CardLinkError);
    EXPECT_EQ(s.link.directOn, 1);
    EXPECT_EQ(s.link.directOff, 1);
}

}  // namespace

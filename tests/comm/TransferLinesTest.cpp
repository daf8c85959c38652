// Received blocks to raw lines and lines to sent bytes per format, the format's extension on
// a received file, and the choice of that file.

#include <gtest/gtest.h>

#include "comm/protocol/ControlBytes.h"
#include "comm/transfer/TransferLines.h"

using namespace comm;
using protocol::ctl::kEot;
using protocol::ctl::kEtx;
using protocol::ctl::kStx;

namespace {

const QByteArray kStxLine(1, kStx);

TEST(TransferLines, ReceivedBlocksBecomeRawLines) {
    EXPECT_EQ(ReceivedLine(QStringLiteral("DR2"), "ABCD123456XYZ", false), QByteArray("123456"));
    EXPECT_EQ(ReceivedLine(QStringLiteral("DR2"), "ABC", false), QByteArray());
    EXPECT_EQ(ReceivedLine(QStringLiteral("3GD"), kStxLine + "00NM", false), QByteArray());
    EXPECT_EQ(ReceivedLine(QStringLiteral("GSI"), kStxLine + "x", false), kStxLine + "x");
    const QByteArray fc5 = "X" + QByteArray(130, 'a');
    EXPECT_EQ(ReceivedLine(QStringLiteral("FC5"), fc5, false), QByteArray(128, 'a'));
    // CP932 bytes pass as they came.
    EXPECT_EQ(ReceivedLine(QStringLiteral("APA"), "F,\x8d\x59\x31,", false), QByteArray("F,\x8d\x59\x31,"));
    // The last block is kept unless it is a lone end mark; the SDR end record with its sum stays.
    EXPECT_FALSE(ReceivedLine(QStringLiteral("3GD"), QByteArray(1, kEtx), true));
    EXPECT_FALSE(ReceivedLine(QStringLiteral("FC5"), QByteArray(1, kEot), true));
    EXPECT_EQ(ReceivedLine(QStringLiteral("3GD"), QByteArray(1, kEtx) + "00000", true), QByteArray(1, kEtx) + "00000");
    EXPECT_EQ(ReceivedLine(QStringLiteral("DR2"), "ABCD123456XYZ", true), QByteArray("ABCD123456XYZ"));
}

TEST(TransferLines, Fc5FramesCarryTheirXor) {
    EXPECT_EQ(SendBytes(QStringLiteral("FC5"), "X12345"), kStx + QByteArray("12345") + "049" + kEtx);
    EXPECT_EQ(SendBytes(QStringLiteral("FC5"), "XF00F000"), kStx + QByteArray("F00F000") + kEtx);
    EXPECT_EQ(SendBytes(QStringLiteral("FC5"), QByteArray("X") + kEot), kStx + QByteArray(1, kEot) + kEtx);
    EXPECT_EQ(SendBytes(QStringLiteral("FC5"), "X5"), kStx + QByteArray("5053") + kEtx);
    EXPECT_EQ(SendBytes(QStringLiteral("GSI"), "*110001+0000000000000T1 "), QByteArray("*110001+0000000000000T1 "));
}

TEST(TransferLines, FormatExtensions) {
    EXPECT_EQ(WithFormatExtension(QStringLiteral("/d/DATA"), QStringLiteral("3GD")), QStringLiteral("/d/DATA.3GD"));
    EXPECT_EQ(WithFormatExtension(QStringLiteral("/d/DATA.TXT"), QStringLiteral("3GD")), QStringLiteral("/d/DATA.3GD"));
    EXPECT_EQ(WithFormatExtension(QStringLiteral("/d/a.b.c"), QStringLiteral("GSI")), QStringLiteral("/d/a.GSI"));
    // A dot in a folder is no extension.
    EXPECT_EQ(WithFormatExtension(QStringLiteral("/現場.2026/DATA"), QStringLiteral("FC5")),
              QStringLiteral("/現場.2026/DATA.FC5"));
}

}  // namespace

#include "comm/transfer/ReceiveFile.h"
#include "platform/ScriptedPrompt.h"

namespace {

// The dialog offers the format's files first; the name takes the format; cancel is silent
// and a failure is told.
TEST(ReceiveFile, FilterExtensionCancelAndFailure) {
    platform::ScriptedPrompt prompt;
    prompt.ChooseFile(QStringLiteral("/data/現場1.TXT"));
    EXPECT_EQ(comm::ChooseReceiveFile(prompt, QStringLiteral("/data/"), QStringLiteral("3GD")),
              QStringLiteral("/data/現場1.3GD"));
    EXPECT_TRUE(prompt.Records().front().request.filter.startsWith(QStringLiteral("TSﾃﾞｰﾀﾌｧｲﾙ (*.3GD)")));
    EXPECT_EQ(prompt.Records().front().request.initialFolder, QStringLiteral("/data/"));
    prompt.ChooseFile(QStringLiteral("/data/RAW"));  // any format: the name as chosen
    EXPECT_EQ(comm::ChooseReceiveFile(prompt, QStringLiteral("/data/"), QStringLiteral("*")), QStringLiteral("/data/RAW"));

    prompt.ClearRecords();
    prompt.CancelFile();
    EXPECT_TRUE(comm::ChooseReceiveFile(prompt, QStringLiteral("/data/"), QStringLiteral("GSI")).isEmpty());
    EXPECT_EQ(prompt.RecordsOf(platform::ScriptedPrompt::Kind::Message).size(), 0);
    prompt.AnswerFile({platform::DialogStatus::Failed, {}, QStringLiteral("x")});
    prompt.AnswerMessage(platform::PromptAnswer::Ok);
    EXPECT_TRUE(comm::ChooseReceiveFile(prompt, QStringLiteral("/data/"), QStringLiteral("GSI")).isEmpty());
    EXPECT_EQ(prompt.RecordsOf(platform::ScriptedPrompt::Kind::Message).size(), 1);
}

}  // namespace

// TOPCON downloads against a real capture, and the block digit's bookkeeping.

#include <gtest/gtest.h>

#include <QFile>

#include "WireLoop.h"
#include "comm/protocol/Checks.h"
#include "comm/protocol/Fc5.h"

namespace comm::protocol {
namespace {

using test::Collected;

QByteArray Capture() {
    QFile f(QStringLiteral(TREVANTO_SHARED_SAMPLES "/topcon-gts/tops_gts229_serial_framed.gts"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Block(char fill, char digit) {
    QByteArray b = QByteArray(128, fill) + digit;
    return "\x02" + b + Xor3(b) + "\x03\r\n";
}

TEST(Topcon, TheCapturedTransferSplitAnywhereGivesTheSameBlocks) {
    const QByteArray capture = Capture();
    if (capture.isEmpty()) GTEST_SKIP() << "samples folder absent";
    LinkOptions oneWay;
    oneWay.handshaking = false;
    Fc5BlockReceiver whole(oneWay);
    Collected expected;
    whole.Feed(capture, expected);
    ASSERT_EQ(expected.blocks.size(), 28u) << "27 blocks and the EOT";
    EXPECT_TRUE(expected.faults.empty());
    EXPECT_EQ(expected.blocks.back(), std::make_pair(QByteArray("\x04"), true));
    for (qsizetype cut = 1; cut < capture.size(); cut += 3) {
        Fc5BlockReceiver split(oneWay);
        Collected got;
        split.Feed(QByteArrayView(capture).first(cut), got);
        split.Feed(QByteArrayView(capture).sliced(cut), got);
        ASSERT_EQ(got.blocks, expected.blocks) << "cut at " << cut;
    }
}

TEST(Topcon, AResentBlockIsAcknowledgedOnceAndALostOneFails) {
    Fc5BlockReceiver receiver({});
    Collected got;
    receiver.Feed(Block('a', '8') + Block('b', '9') + Block('b', '9') + Block('c', '0'), got);
    EXPECT_EQ(got.blocks.size(), 3u) << "the repeated digit 9 is the same block again";
    EXPECT_EQ(got.replies, Fc5Ack().repeated(4));
    receiver.Feed(Block('d', '2'), got);
    EXPECT_EQ(got.faults, std::vector<int>{kPacketData}) << "block 1 went missing";
}

TEST(Topcon, WhatFollowsEtxAndBareAcknowledgements) {
    for (const QByteArray& tail : {QByteArray(), QByteArray("\n"), QByteArray("\r\n")}) {
        QByteArray b = QByteArray(128, 'x') + '0';
        Fc5BlockReceiver receiver({});
        Collected got;
        receiver.Feed("\x02" + b + Xor3(b) + "\x03" + tail + "\x04" + tail, got);
        EXPECT_EQ(got.blocks.size(), 2u);
        EXPECT_TRUE(got.EndedWithLast());
    }
    // The instrument takes a bare ACK as well as the ACK frame.
    Fc5BlockSender sender({});
    test::FileLines file({QByteArray(128, 'x'), QByteArray(128, 'y')});
    sender.Start(file);
    sender.Feed("\x06", file);
    EXPECT_EQ(file.writes.size(), 2u);
    sender.Feed(Fc5Nak(), file);
    EXPECT_EQ(file.writes.size(), 3u);
    EXPECT_EQ(file.writes[2], file.writes[1]);
    EXPECT_EQ(file.writes[1].at(129), '1');
}

TEST(Topcon, AFrameThatLostItsEtxIsReplacedByTheResend) {
    const QByteArray good = Block('a', '0');
    Fc5BlockReceiver receiver({});
    Collected got;
    receiver.Feed(good.left(60) + good + "\x04", got);
    EXPECT_EQ(got.blocks.size(), 2u);
    EXPECT_TRUE(got.faults.empty());
}

}  // namespace
}  // namespace comm::protocol

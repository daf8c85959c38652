// Whole transfers between the two ends of each recorder type, wired in memory: the instrument
// playing a file to the computer, and the computer uploading to the instrument.

#include <gtest/gtest.h>

#include "WireLoop.h"
#include "comm/protocol/Checks.h"
#include "comm/protocol/Fc5.h"
#include "comm/protocol/Recorders.h"

namespace comm::protocol {
namespace {

using test::WireLoop;

const QList<QByteArray> kSdrLines = {
    "00NMSDR33 V04-04.02     06-Dec-25 09:30 113111",
    "10NMJOB1            121111",
    "08KI            P1    1000.000        2000.000          50.000    CTRL",
};
const QList<QByteArray> kApaLines = {
    "A,01,Z,",
    "B,,SET2110,123456,YAMADA,25/12/06,J,",
    "C,1,1,15,1013,0,1,E,",
    "D,ST1,,1.500,0,9911001,09:30,09:45,7,",
    "E,0,-,",
    "F,BS,,1.600,r1001,0.0000,90.0000,123.456,,,,000,\\,",
    "Z,&,",
};
const QList<QByteArray> kGsiLines = {
    "110001+00000PT1 81..10-00007890 82..10+00123456 83..10+00010000 ",
    "110002+00000PT2 81..10-00001111 82..10+00002222 83..10+00000333 ",
    "! ----+",
    "110003+00000PT3 81..10-00004444 82..10+00005555 83..10+00000666 ",
};
const QList<QByteArray> kNikonLines = {
    "SS,3,1.600,123.456,45.6789,98.7654,09:31:02,TREE",
    "SS,4,1.600,223.456,45.6789,98.7654,09:32:02,",
    "CO,Temp:20C Press:1013hPa",
};

// Twelve lines of 128 characters, so the block digit wraps after 9.
QList<QByteArray> TopconLines() {
    QList<QByteArray> lines;
    for (int i = 0; i < 12; ++i)
        lines.append(QByteArray("_'ST") + QByteArray::number(i) + "_(K1_)1.520_+P" +
                     QByteArray::number(i) + QByteArray(100, ' ').replace(50, 5, "12345"));
    for (QByteArray& line : lines) line = line.leftJustified(kFc5BlockData, ' ', true);
    return lines;
}

struct Played {
    std::unique_ptr<Sender> sender;
    std::unique_ptr<Receiver> receiver;
    WireLoop loop;
    Played(const QString& format, bool download, const LinkOptions& options,
           QList<QByteArray> lines, qsizetype chunk)
        : sender(MakeSender(format, download ? Side::Instrument : Side::Computer, options)),
          receiver(MakeReceiver(format, download ? Side::Computer : Side::Instrument, options)),
          loop(*sender, *receiver, std::move(lines)) {
        loop.chunk = chunk;
        loop.Run();
    }
};

void ExpectCleanEnd(const WireLoop& loop) {
    EXPECT_TRUE(loop.got.EndedWithLast());
    EXPECT_TRUE(loop.got.faults.empty()) << loop.got.faults.front();
    EXPECT_TRUE(loop.file.faults.empty());
    EXPECT_FALSE(loop.got.blockAfterLast);
    EXPECT_TRUE(loop.receiver.Finished());
    EXPECT_TRUE(loop.sender.Finished());
}

// Each piece size cuts the stream differently: one byte at a time, odd pieces, whole writes.
const qsizetype kChunks[] = {1, 7, 1 << 20};

TEST(Transfer, SdrDownloadGivesTheRecordsBetweenStxAndTheEndRecord) {
    for (const QString& format : QStringList{"3GD", "3PD", "SDF"})
        for (qsizetype chunk : kChunks) {
            Played run(format, true, {}, kSdrLines, chunk);
            ExpectCleanEnd(run.loop);
            EXPECT_EQ(run.loop.got.Texts(), QList<QByteArray>{"\x02"} + kSdrLines + QList<QByteArray>{"\x03" "06601"});
            EXPECT_TRUE(run.loop.got.replies.isEmpty()) << "the SDR is never answered";
            EXPECT_TRUE(run.loop.wire.startsWith("\x02\r\n00NM"));
            EXPECT_TRUE(run.loop.wire.endsWith("\x03" "06601\r\n"));
        }
}

TEST(Transfer, SdrReplayOfAReceivedFileKeepsItsEndRecord) {
    // A raw file as the form writes it: an empty line for STX, the records, the end record.
    Played run(QStringLiteral("3GD"), true, {}, QList<QByteArray>{""} + kSdrLines + QList<QByteArray>{"\x03" "12345"}, 5);
    EXPECT_EQ(run.loop.got.blocks.back().first, "\x03" "12345");
    EXPECT_EQ(run.loop.got.faults, std::vector<int>{kPacketData})
        << "the wrong sum is reported after the data";
}

TEST(Transfer, ApaWithAndWithoutHandshaking) {
    for (bool handshaking : {true, false})
        for (bool download : {true, false})
            for (qsizetype chunk : kChunks) {
                LinkOptions options;
                options.handshaking = handshaking;
                Played run(QStringLiteral("APA"), download, options, kApaLines, chunk);
                ExpectCleanEnd(run.loop);
                EXPECT_EQ(run.loop.got.Texts(), kApaLines);
                EXPECT_EQ(run.loop.got.replies,
                          handshaking ? QByteArray(kApaLines.size(), '\x06') : QByteArray());
            }
}

TEST(Transfer, GsiEndsOnSilenceWithTheLastLineFlagged) {
    for (bool request : {false, true})
        for (bool download : {true, false}) {
            LinkOptions options;
            options.request = request;
            // The "!" line is data: only silence ends a GSI transfer.
            Played run(QStringLiteral("GSI"), download, options, kGsiLines, 3);
            EXPECT_EQ(run.loop.got.Texts(), kGsiLines) << request << download;
            EXPECT_TRUE(run.loop.got.EndedWithLast());
            EXPECT_TRUE(run.loop.got.faults.empty());
        }
}

TEST(Transfer, GsiRequestDialogue) {
    LinkOptions options;
    options.request = true;
    Played run(QStringLiteral("GSI"), true, options, kGsiLines.mid(0, 2), 1 << 20);
    // Asked at the start and after each status line; the status lines are not data.
    EXPECT_EQ(run.loop.got.replies, "?\r\n?\r\n?\r\n");
    EXPECT_EQ(run.loop.wire, kGsiLines[0] + "\r\nw\r\n" + kGsiLines[1] + "\r\nw\r\n");
    EXPECT_EQ(run.loop.got.Texts(), kGsiLines.mid(0, 2));

    // Uploading, the computer is done with the last line: it does not wait for another "?".
    auto upload = MakeSender(QStringLiteral("GSI"), Side::Computer, options);
    test::FileLines file(kGsiLines.mid(0, 2));
    upload->Start(file);
    EXPECT_TRUE(file.writes.empty()) << "nothing before the first request";
    upload->Feed("?\r\n", file);
    upload->Feed("?\r\n", file);
    EXPECT_EQ(file.writes.size(), 2u);
    EXPECT_TRUE(file.done);
}

TEST(Transfer, TopconDownloadBlocksWithDigitWrapAndEot) {
    const QList<QByteArray> lines = TopconLines();
    for (bool handshaking : {true, false})
        for (qsizetype chunk : kChunks) {
            LinkOptions options;
            options.handshaking = handshaking;
            Played run(QStringLiteral("FC5"), true, options, lines, chunk);
            ExpectCleanEnd(run.loop);
            const auto& blocks = run.loop.got.blocks;
            ASSERT_EQ(blocks.size(), size_t(lines.size() + 1));
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const QByteArray& b = blocks[size_t(i)].first;
                EXPECT_EQ(b.mid(1, 128), lines[i]);  // what the form keeps of a block
                EXPECT_EQ(b[129], char('0' + i % 10));
                EXPECT_EQ(b.size(), 134);
            }
            EXPECT_EQ(blocks.back().first, "\x04");
            EXPECT_EQ(run.loop.got.replies.count(Fc5Ack()), handshaking ? lines.size() + 1 : 0);
        }
}

TEST(Transfer, TopconUploadFramesAsTheFormBuildsThem) {
    const QList<QByteArray> frames = {
        "\x02" "F00F000\x03",
        "\x02" "SURVEY-DAT+00001.000000100000-000001S040\x03",
        "\x02_0.P1        _ x+000123456_ y-000007890_ z+000010000_" + QByteArray(75, ' ') +
            "0118\x03",
        "\x02\x04\x03",
    };
    for (qsizetype chunk : kChunks) {
        Played run(QStringLiteral("FC5"), false, {}, frames, chunk);
        ExpectCleanEnd(run.loop);
        EXPECT_EQ(run.loop.got.Texts(), frames);
        EXPECT_EQ(run.loop.wire, frames.join());
        EXPECT_EQ(run.loop.got.replies, Fc5Ack().repeated(frames.size()));
    }
}

TEST(Transfer, NikonBlocksBothWays) {
    for (bool download : {true, false})
        for (qsizetype chunk : kChunks) {
            Played run(QStringLiteral("DR2"), download, {}, kNikonLines, chunk);
            ExpectCleanEnd(run.loop);
            const auto& blocks = run.loop.got.blocks;
            ASSERT_EQ(blocks.size(), size_t(kNikonLines.size() + 1));
            for (qsizetype i = 0; i < kNikonLines.size(); ++i) {
                const QByteArray& b = blocks[size_t(i)].first;
                EXPECT_EQ(b.mid(4, b.size() - 7), kNikonLines[i]);  // the form's cut
                EXPECT_EQ(b.left(3), download ? "\x01RC" : "\x01" "CR");
            }
            EXPECT_EQ(blocks.back().first, "\x04");
            EXPECT_EQ(run.loop.got.replies.count('\x06'), kNikonLines.size());
        }
}

TEST(Transfer, SdrUploadIsHeldOffWhileTheRecorderWrites) {
    QList<QByteArray> lines;
    for (int i = 0; i < 20; ++i)
        lines.append("08KI  P" + QByteArray::number(i) + "  1000.000  2000.000");
    QList<QByteArray> file = {QByteArray("\x02") + lines.front()};  // our export puts STX in front
    file += lines.mid(1);
    file += "\x03";
    Played run(QStringLiteral("3GD"), false, {}, file, 1 << 20);
    ExpectCleanEnd(run.loop);
    EXPECT_EQ(run.loop.got.replies, "\x13\x11\x13\x11") << "held off after records 8 and 16";
    EXPECT_EQ(run.loop.got.blocks.front().first, "\x02");
    EXPECT_EQ(run.loop.got.Texts().mid(1, 20), lines);
    QByteArray records;
    for (const QByteArray& l : lines) records += l;
    EXPECT_EQ(run.loop.got.blocks.back().first, "\x03" + Sum5(Sum5Value(records)));
}

}  // namespace
}  // namespace comm::protocol

namespace comm::protocol {
namespace {

TEST(Recorders, NamesInMenuOrderAndMachinesForAllButTheCardReaders) {
    EXPECT_EQ(RecorderNames(),
              QStringList({"APA", "3GD", "3PD", "SDF", "SC1", "SCR", "FC5", "GSI", "DR2"}));
    for (const QString& name : RecorderNames()) {
        const bool card = IsCardReader(name);
        EXPECT_EQ(card, name == u"SC1" || name == u"SCR");
        for (Side side : {Side::Computer, Side::Instrument}) {
            EXPECT_EQ(MakeReceiver(name, side, {}) == nullptr, card) << name.toStdString();
            EXPECT_EQ(MakeSender(name, side, {}) == nullptr, card) << name.toStdString();
        }
    }
    for (const char* unknown : {"*", "", "apa", "FC6"}) {
        EXPECT_EQ(MakeReceiver(QString::fromLatin1(unknown), Side::Computer, {}), nullptr);
        EXPECT_EQ(MakeSender(QString::fromLatin1(unknown), Side::Computer, {}), nullptr);
    }
}

}  // namespace
}  // namespace comm::protocol

// Every recorder type through the communication control over a real serial port: the
// simulated instrument plays a file into the control's receive and takes an upload from its
// send, through a pseudo-terminal. Then what the control adds around the protocols: the
// recorder list, the wait for the first byte, the end of a send and a cancel.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>

#include "comm/link/InstrumentService.h"
#include "comm/link/CommControl.h"
#include "comm/protocol/Checks.h"
#include "comm/protocol/Recorders.h"
#include "comm/transfer/TransferLines.h"

namespace {

using namespace comm;

// A few records of each recorder type, as its raw file holds them.
QList<QByteArray> Records(const QString& format) {
    if (format == u"GSI") return {"110001+0000000T1 21.324+09000000 ", "110002+0000000T2 21.324+18000000 "};
    if (format == u"APA") {
        // Each record carries its check character, and Z ends the transfer.
        QList<QByteArray> lines;
        for (const QByteArray& r : {QByteArray("A,01,"), QByteArray("D,T1,,1.500,0,1122002,09:00,09:30,"),
                                   QByteArray("F,T2,,1.600,r1001,0.0000,90.0000,100.000,,,,000,"), QByteArray("Z,")})
            lines.append(r + protocol::Mod64(r) + ',');
        return lines;
    }
    if (format == u"FC5") return {"X" + QByteArray("000ST01,0001,,1.500,"), "X" + QByteArray("001SS02,,0.000,") };
    if (format == u"DR2") return {"CO,Trevanto test", "ST,T1,,T2,,1.500,", "SS,T2,1.600,100.000,0.0000,90.0000"};
    return {"00NMSDR33 V04-04.02     07-Dec-26 09:00 111111", "02TP0001    1.500 T1", "09F1T1  T2  100.000 90.0000 0.0000"};
}

// What a receive through the control gave: its blocks and how it ended.
struct Download {
    QList<QByteArray> raw;  // the raw file's lines
    int fault = -1;         // -1 still running, 0 the last block came, else the error code
};

class InstrumentOverSerialTest : public testing::Test {
  protected:
    void SetUp() override {
        control_.SetDevice(terminal_.DevicePath());
        control_.SetFlowControl(0);
        control_.SetLimit(3);
    }
    void TearDown() override {
        stop_ = true;
        Join();
    }
    void UseFormat(const QString& format) {
        control_.SetRecorderIndex(static_cast<int>(protocol::RecorderNames().indexOf(format)) + 1);
        ASSERT_EQ(control_.RecorderName(control_.RecorderIndex()), format);
    }
    void Play(const QString& format, const QList<QByteArray>& records, int delayMs = 0, SimulatorFaults faults = {}) {
        play_ = protocol::MakeSender(format, protocol::Side::Instrument, {});
        instrument_.reset(QThread::create([=, this] {
            QThread::msleep(delayMs);
            instrumentResult_ = PlayToReceiver(terminal_, *play_, records, faults, TimingFor(format), [&] { return stop_.load(); });
        }));
        instrument_->start();
    }
    void Take(const QString& format) {
        take_ = protocol::MakeReceiver(format, protocol::Side::Instrument, {});
        instrument_.reset(QThread::create([=, this] {
            instrumentResult_ = TakeFromSender(terminal_, *take_, [&](const QByteArray& block, bool) { taken_.append(block); },
                                               TimingFor(format), [&] { return stop_.load(); });
        }));
        instrument_->start();
    }
    void Join() {
        if (instrument_) instrument_->wait();
    }
    Download Receive(const QString& format, int waitMs = 15000) {
        Download got;
        QObject context;
        QObject::connect(&control_, &CommControl::DataReceived, &context, [&](const QByteArray& block, bool last) {
            if (const auto l = ReceivedLine(format, block, last)) got.raw.append(*l);
            if (last) got.fault = 0;
        });
        QObject::connect(&control_, &CommControl::CommError, &context, [&](int code) { got.fault = code; });
        EXPECT_TRUE(control_.ResetLink()) << control_.OpenError().toStdString();
        EXPECT_TRUE(control_.StartReceive()) << control_.OpenError().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return got.fault >= 0; }, waitMs));
        return got;
    }
    // Sends the lines as the transfer form does; the control's result and its error code.
    std::pair<bool, int> Send(const QString& format, QList<QByteArray> lines) {
        QObject context;
        QObject::connect(&control_, &CommControl::DataRequest, &context, [&](QByteArray& data) {
            if (lines.isEmpty())
                control_.StopLink();
            else
                data = SendBytes(format, lines.takeFirst());
        }, Qt::DirectConnection);
        int fault = 0;
        QObject::connect(&control_, &CommControl::CommError, &context, [&](int code) { fault = code; });
        EXPECT_TRUE(control_.ResetLink()) << control_.OpenError().toStdString();
        const bool ended = control_.StartSend();
        return {ended, fault};
    }

    PseudoTerminal terminal_;
    CommControl control_{[](int) { return QString(); }};
    std::unique_ptr<protocol::Sender> play_;
    std::unique_ptr<protocol::Receiver> take_;
    QList<QByteArray> taken_;  // the instrument's own until it is joined
    std::unique_ptr<QThread> instrument_;
    std::atomic<bool> stop_ = false;
    std::atomic<int> instrumentResult_ = -9;
};

class EveryRecorder : public InstrumentOverSerialTest, public testing::WithParamInterface<const char*> {};

TEST_P(EveryRecorder, DownloadAndUpload) {
    const QString format = QString::fromLatin1(GetParam());
    const QList<QByteArray> records = Records(format);
    UseFormat(format);
    Play(format, records);
    const Download got = Receive(format);
    Join();
    EXPECT_EQ(got.fault, 0);
    EXPECT_EQ(instrumentResult_.load(), 0);
    for (const QByteArray& record : records) {
        const QByteArray expected = format == u"FC5" ? record.mid(1) : record;
        EXPECT_TRUE(std::any_of(got.raw.begin(), got.raw.end(), [&](const QByteArray& l) { return l.contains(expected.left(12)); }))
            << expected.toStdString() << " in " << got.raw.join('|').toStdString();
    }

    Take(format);
    const auto [ended, fault] = Send(format, records);
    QThread::msleep(300);
    stop_ = true;
    Join();
    EXPECT_TRUE(ended);
    EXPECT_EQ(fault, 0);
    EXPECT_GE(taken_.size(), records.size() - 1) << taken_.join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(OverThePort, EveryRecorder, testing::Values("APA", "3GD", "SDF", "FC5", "GSI", "DR2"));

// The recorder list is the protocol's (its order is checked there); indices outside it name
// nothing and are not taken. Text passes as CP932 bytes both ways.
TEST_F(InstrumentOverSerialTest, RecorderIndexAndTextBytes) {
    ASSERT_EQ(control_.RecorderCount(), protocol::RecorderNames().size());
    EXPECT_EQ(control_.RecorderName(9), QStringLiteral("DR2"));
    EXPECT_TRUE(control_.RecorderName(0).isEmpty());
    EXPECT_TRUE(control_.RecorderName(10).isEmpty());
    control_.SetRecorderIndex(10);  // not a recorder: the choice stays
    EXPECT_EQ(control_.RecorderIndex(), 1);
    const QString text = QStringLiteral("ST,測点１,");
    EXPECT_EQ(CommControl::BytesToText(CommControl::TextToBytes(text)), text);
    EXPECT_EQ(CommControl::TextToBytes(QStringLiteral("ｱ")), QByteArray("\xB1"));
}

// The user starts the instrument after the limit has passed: the receive still waits; a
// first wait that runs out is a time-out, and so is a silence after the first block.
TEST_F(InstrumentOverSerialTest, FirstByteAwaitedBeyondTheLimit) {
    control_.SetLimit(1);
    UseFormat(QStringLiteral("3GD"));
    Play(QStringLiteral("3GD"), Records(QStringLiteral("3GD")), 1600);
    EXPECT_EQ(Receive(QStringLiteral("3GD")).fault, 0);
    Join();

    control_.SetFirstWait(1);
    EXPECT_EQ(Receive(QStringLiteral("3GD"), 5000).fault, protocol::kTimeOut);

    UseFormat(QStringLiteral("FC5"));
    Play(QStringLiteral("FC5"), Records(QStringLiteral("FC5")), 0, {1, 0, 0});
    const Download cut = Receive(QStringLiteral("FC5"), 8000);
    EXPECT_EQ(cut.fault, protocol::kTimeOut);
    EXPECT_EQ(cut.raw.size(), 1);
}

// A cancel while the send waits for an acknowledgement ends it at once, without an error.
TEST_F(InstrumentOverSerialTest, CancelEndsASendThatWaits) {
    control_.SetLimit(30);
    UseFormat(QStringLiteral("FC5"));
    QTimer::singleShot(300, &control_, [this] { control_.StopLink(); });
    QElapsedTimer clock;
    clock.start();
    const auto [ended, fault] = Send(QStringLiteral("FC5"), Records(QStringLiteral("FC5")));
    EXPECT_FALSE(ended);
    EXPECT_EQ(fault, 0);
    EXPECT_TRUE(control_.Stopped());
    EXPECT_LT(clock.elapsed(), 5000);
}

// A block spoilt where the recorder type has no resend is kept and reported after the last
// block; GSI's newest line, held until the transfer ends, is kept when the user stops it.
TEST_F(InstrumentOverSerialTest, SpoiltAndHeldBlocksAreKept) {
    UseFormat(QStringLiteral("3GD"));
    Play(QStringLiteral("3GD"), Records(QStringLiteral("3GD")), 0, {0, 2, 0});
    const Download spoilt = Receive(QStringLiteral("3GD"));
    Join();
    EXPECT_EQ(spoilt.fault, protocol::kPacketData);
    EXPECT_EQ(spoilt.raw.size(), 5) << spoilt.raw.join('|').toStdString();

    control_.SetLimit(30);
    UseFormat(QStringLiteral("GSI"));
    Play(QStringLiteral("GSI"), Records(QStringLiteral("GSI")));
    Download got;
    QObject::connect(&control_, &CommControl::DataReceived, &control_,
                     [&](const QByteArray& block, bool) { got.raw.append(block); });
    ASSERT_TRUE(control_.ResetLink());
    ASSERT_TRUE(control_.StartReceive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !got.raw.isEmpty(); }, 5000));
    QTest::qWait(300);
    control_.StopLink();
    EXPECT_EQ(got.raw, Records(QStringLiteral("GSI")));
}

// An instrument that takes nothing (not in receive mode, flow control held) times the send
// out instead of holding it for ever.
TEST_F(InstrumentOverSerialTest, SendNobodyTakesTimesOut) {
    control_.SetLimit(1);
    UseFormat(QStringLiteral("3GD"));
    QList<QByteArray> lines;
    for (int i = 0; i < 4000; ++i) lines.append("08NMP" + QByteArray::number(i).rightJustified(7, '0') + QByteArray(60, '1'));
    QElapsedTimer clock;
    clock.start();
    const auto [ended, fault] = Send(QStringLiteral("3GD"), lines);
    EXPECT_FALSE(ended);
    EXPECT_EQ(fault, protocol::kTimeOut);
    EXPECT_LT(clock.elapsed(), 10000);
}

}  // namespace

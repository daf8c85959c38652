// Every recorder type over a real serial port: the simulated instrument plays a file into
// the computer's receiver and takes an upload from its sender, through a pseudo-terminal.

#include <gtest/gtest.h>

#include <QThread>
#include <atomic>

#include "comm/link/InstrumentService.h"
#include "comm/link/LineTransfer.h"
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

class InstrumentOverSerialTest : public testing::TestWithParam<const char*> {
  protected:
    QString Format() const { return QString::fromLatin1(GetParam()); }
    void Open() {
        QString error;
        ASSERT_TRUE(line_.Open({terminal_.DevicePath(), QStringLiteral("9600,n,8,1"), 0, 3}, error)) << error.toStdString();
    }
    void Join() {
        if (instrument_) instrument_->wait();
    }

    PseudoTerminal terminal_;
    SerialLine line_;
    std::unique_ptr<QThread> instrument_;
    std::atomic<bool> stop_ = false;
    std::atomic<int> instrumentResult_ = -9;
};

TEST_P(InstrumentOverSerialTest, DownloadAndUpload) {
    const QString format = Format();
    const QList<QByteArray> records = Records(format);
    const protocol::LinkOptions options;

    auto play = protocol::MakeSender(format, protocol::Side::Instrument, options);
    ASSERT_NE(play, nullptr);
    instrument_.reset(QThread::create([&] {
        instrumentResult_ = PlayToReceiver(terminal_, *play, records, {}, TimingFor(format), [&] { return stop_.load(); });
    }));
    instrument_->start();
    Open();
    auto receiver = protocol::MakeReceiver(format, protocol::Side::Computer, options);
    QList<QByteArray> raw;
    const int received = ReceiveOverLine(line_, *receiver, [&](const QByteArray& block, bool last) {
        if (const auto l = ReceivedLine(format, block, last)) raw.append(*l);
    });
    Join();
    EXPECT_EQ(received, 0);
    EXPECT_EQ(instrumentResult_.load(), 0);
    for (const QByteArray& record : records) {
        const QByteArray expected = format == u"FC5" ? record.mid(1) : record;
        EXPECT_TRUE(std::any_of(raw.begin(), raw.end(), [&](const QByteArray& l) { return l.contains(expected.left(12)); }))
            << expected.toStdString() << " in " << raw.join('|').toStdString();
    }

    // The upload: the computer sends, the instrument takes.
    auto take = protocol::MakeReceiver(format, protocol::Side::Instrument, options);
    QList<QByteArray> taken;
    instrument_.reset(QThread::create([&] {
        instrumentResult_ = TakeFromSender(terminal_, *take, [&](const QByteArray& block, bool) { taken.append(block); },
                                           TimingFor(format), [&] { return stop_.load(); });
    }));
    instrument_->start();
    QList<QByteArray> pending = records;
    auto sender = protocol::MakeSender(format, protocol::Side::Computer, options);
    const int sent = SendOverLine(line_, *sender, [&](QByteArray& l) {
        if (pending.isEmpty()) return false;
        l = SendBytes(format, pending.takeFirst());
        return true;
    });
    QThread::msleep(300);
    stop_ = true;
    Join();
    EXPECT_EQ(sent, 0);
    EXPECT_GE(taken.size(), records.size() - 1) << taken.join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryRecorder, InstrumentOverSerialTest,
                         testing::Values("APA", "3GD", "SDF", "FC5", "GSI", "DR2"));

}  // namespace

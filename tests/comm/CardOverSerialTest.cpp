// The card routines over a real serial port, the simulated reader at the other end of a
// pseudo-terminal, with the line faults the simulator can make.

#include <gtest/gtest.h>

#include <QThread>
#include <atomic>

#include "comm/card/CardMessages.h"
#include "comm/card/CardTransfer.h"
#include "comm/link/CardReaderService.h"
#include "comm/link/CommControl.h"
#include "comm/link/SerialCardExchange.h"
#include "comm/card/CardTestSupport.h"
#include "platform/ScriptedPrompt.h"
#include "support/TestEnvironment.h"

namespace {

using namespace comm;

class CardOverSerialTest : public testing::Test {
  protected:
    void SetUp() override { folder_ = test::NewFolder(QStringLiteral("card")); }
    void TearDown() override { Stop(); }

    // The reader serves in a thread of its own; the port stays with the test.
    void Serve(SimulatorFaults faults = {}) {
        reader_ = std::make_unique<card::CardReaderSimulator>(folder_);
        stop_ = false;
        server_.reset(QThread::create([this, faults] { ServeCardReader(terminal_, *reader_, faults, [this] { return stop_.load(); }); }));
        server_->start();
        control_.SetDevice(terminal_.DevicePath());
        control_.SetFlowControl(0);
        control_.SetLimit(1);
        ASSERT_TRUE(control_.ResetLink()) << control_.OpenError().toStdString();
    }
    void Stop() {
        stop_ = true;
        if (server_) server_->wait();
        server_.reset();
        control_.StopLink();
    }
    QList<QByteArray> Lines(int count) {
        QList<QByteArray> lines;
        for (int i = 0; i < count; ++i) lines.append("00" + QByteArray::number(i) + ",KI,P" + QByteArray::number(i) + ",1.000,");
        return lines;
    }

    QString folder_;
    PseudoTerminal terminal_;
    CommControl control_{[](int) { return QString(); }};
    std::unique_ptr<card::CardReaderSimulator> reader_;
    std::unique_ptr<QThread> server_;
    std::atomic<bool> stop_ = false;
    cardtest::RecordingSink sink_;
    platform::ScriptedPrompt prompt_;
};

TEST_F(CardOverSerialTest, Sc1WrittenAndReadBackThroughThePort) {
    const QList<QByteArray> lines = Lines(12);
    Serve();
    SerialCardExchange link(control_);
    card::CardSession session(link, sink_, prompt_);
    ASSERT_EQ(card::WriteSc1Card(session, lines), card::WriteResult::Done);
    Stop();
    Serve();  // the card taken out and read again
    card::CardSession again(link, sink_, prompt_);
    card::ReadSc1Card(again);
    QList<QByteArray> expected;
    for (const QByteArray& l : lines) expected.append(l.chopped(1));
    EXPECT_EQ(sink_.saved, expected);
    EXPECT_EQ(prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Message).size(), 0);
}

// A spoilt check is the reader's line fault; silence and a vanished device end the
// routine with the link error the transfer form reports.
TEST_F(CardOverSerialTest, FaultsOnDemand) {
    test::WriteBytes(folder_ + QStringLiteral("/SEQUENCE.DAT"), card::CardRecord("001,A,") + ' ');
    Serve({0, 2, 0});
    SerialCardExchange link(control_);
    {
        card::CardSession session(link, sink_, prompt_);
        prompt_.AnswerMessage(platform::PromptAnswer::Ok);
        card::ReadSc1Card(session);
        ASSERT_EQ(prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Message).size(), 1);
        EXPECT_EQ(prompt_.Records().back().text, card::CardErrorText("00"));
    }
    Stop();
    for (const SimulatorFaults faults : {SimulatorFaults{1, 0, 0}, SimulatorFaults{0, 0, 1}}) {
        Serve(faults);
        card::CardSession session(link, sink_, prompt_);
        EXPECT_THROW(card::ReadSc1Card(session), card::CardLinkError);
        Stop();
    }
}

TEST(CardFrames, TakenWholeFromTheStream) {
    QByteArray stream = QByteArray("noise\x02" "0100MR,STA\x03" "2", 18);
    EXPECT_TRUE(TakeCardFrames(stream).isEmpty());
    stream += "5\x02" "0100M";
    const QList<QByteArray> frames = TakeCardFrames(stream);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames.front(), QByteArray("\x02" "0100MR,STA\x03" "25"));
    EXPECT_EQ(stream, QByteArray("\x02" "0100M"));
}

}  // namespace

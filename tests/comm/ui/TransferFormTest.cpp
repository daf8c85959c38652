// The transfer form by its control names, with a simulated instrument on a pseudo-terminal
// that the user's port setting points at: a download kept or only shown, a silent
// instrument, and an upload.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QThread>
#include <atomic>

#include "comm/link/InstrumentService.h"
#include "comm/protocol/Recorders.h"
#include "comm/ui/frmRSSEND.h"
#include "notebook/ui/DialogDriver.h"
#include "platform/ScriptedPrompt.h"
#include "platform/Settings.h"
#include "support/TestEnvironment.h"

namespace {

using platform::PromptAnswer;

const QList<QByteArray> kSdr = {"00NMSDR33 V04-04.02     07-Dec-26 09:00 111111", "02TP0001    1.500 T1"};

class TransferFormTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = test::NewFolder(QStringLiteral("transfer"));
        store_ = std::make_unique<platform::SettingsStore>(folder_ + QStringLiteral("/Brandel.ini"));
        store_->Save(QStringLiteral("Trevanto\\Ports"), QStringLiteral("COM1"), terminal_.DevicePath());
    }
    void TearDown() override {
        stop_ = true;
        if (instrument_) instrument_->wait();
    }
    void Play(const QString& format, QList<QByteArray> lines, comm::SimulatorFaults faults = {}) {
        sender_ = comm::protocol::MakeSender(format, comm::protocol::Side::Instrument, {});
        instrument_.reset(QThread::create([this, format, lines, faults] {
            comm::PlayToReceiver(terminal_, *sender_, lines, faults, comm::TimingFor(format), [this] { return stop_.load(); });
        }));
        instrument_->start();
    }
    std::unique_ptr<comm_ui::frmRSSEND> Form(comm_ui::TransferMode mode, const QString& format, int limit = 20,
                                             const QString& file = {}) {
        return std::make_unique<comm_ui::frmRSSEND>(
            comm_ui::TransferContext{mode, format, QStringLiteral("SOKKIA"), QStringLiteral("9600,n,8,1,1"),
                                     QStringLiteral("0"), folder_ + u'/', file, limit},
            prompt_, *store_);
    }
    static bool Idle(QWidget* form, const char* button, const char* caption) {
        return QTest::qWaitFor([&] { return test::Child<QPushButton>(form, button)->text() == QString::fromUtf8(caption); },
                               10000);
    }

    QString folder_;
    comm::PseudoTerminal terminal_;
    std::unique_ptr<platform::SettingsStore> store_;
    platform::ScriptedPrompt prompt_;
    std::unique_ptr<comm::protocol::Sender> sender_;
    std::unique_ptr<QThread> instrument_;
    std::atomic<bool> stop_ = false;
};

TEST_F(TransferFormTest, DownloadKeptUnderTheFormatsExtension) {
    Play(QStringLiteral("3GD"), kSdr);
    auto form = Form(comm_ui::TransferMode::Receive, QStringLiteral("3GD"));
    EXPECT_FALSE(test::Child<QPushButton>(form.get(), "RSSend")->isVisibleTo(form.get()));
    EXPECT_EQ(test::Child<QLabel>(form.get(), "Text2")->text(), QStringLiteral("9600,n,8,1,1"));
    prompt_.AnswerMessage(PromptAnswer::Yes);
    prompt_.ChooseFile(folder_ + QStringLiteral("/JOB1.TXT"));
    test::Click(form.get(), "RSStart");
    EXPECT_EQ(test::Child<QPushButton>(form.get(), "RSStart")->text(), QStringLiteral("受信中"));
    ASSERT_TRUE(Idle(form.get(), "RSStart", "受信開始"));
    EXPECT_EQ(form->ReceivedFile(), folder_ + QStringLiteral("/JOB1.3GD"));
    const QByteArray file = test::ReadBytes(form->ReceivedFile());
    EXPECT_TRUE(file.startsWith("\r\n" + kSdr[0] + "\r\n" + kSdr[1] + "\r\n")) << file.toStdString();
    const QString log = test::Child<QTextEdit>(form.get(), "Text1")->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("02TP0001"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("受信終了"))) << log.toStdString();
}

// "No" shows the data without a file; a silent instrument is a time-out, told as the
// transfer form tells it.
TEST_F(TransferFormTest, ShownOnlyAndSilence) {
    Play(QStringLiteral("FC5"), {"X000ST01,0001,,1.500,", "X001SS02,,0.000,"}, {1, 0, 0});
    auto form = Form(comm_ui::TransferMode::Receive, QStringLiteral("FC5"), 1);
    prompt_.AnswerMessage(PromptAnswer::No);
    prompt_.AnswerMessage(PromptAnswer::Ok);
    test::Click(form.get(), "RSStart");
    ASSERT_TRUE(Idle(form.get(), "RSStart", "受信開始"));
    EXPECT_TRUE(form->ReceivedFile().isEmpty());
    ASSERT_EQ(prompt_.Records().size(), 2);
    EXPECT_TRUE(prompt_.Records().back().text.startsWith(QStringLiteral("TimeOutError\n")));
    EXPECT_TRUE(test::Child<QTextEdit>(form.get(), "Text1")->toPlainText().contains(QStringLiteral("ST01")));
}

TEST_F(TransferFormTest, UploadAndCancel) {
    const QString file = folder_ + QStringLiteral("/COORD.FC5");
    test::WriteBytes(file, "X000ST01,0001,,1.500,\r\nX001SS02,,0.000,\r\n");
    auto take = comm::protocol::MakeReceiver(QStringLiteral("FC5"), comm::protocol::Side::Instrument, {});
    QList<QByteArray> taken;  // the instrument's own until it is joined
    std::atomic<int> count = 0;
    instrument_.reset(QThread::create([&] {
        comm::TakeFromSender(
            terminal_, *take,
            [&](const QByteArray& b, bool) {
                taken.append(b);
                ++count;
            },
            comm::TimingFor(QStringLiteral("FC5")), [this] { return stop_.load(); });
    }));
    instrument_->start();
    auto form = Form(comm_ui::TransferMode::Send, QStringLiteral("FC5"), 20, file);
    test::Click(form.get(), "RSSend");
    EXPECT_EQ(test::Child<QPushButton>(form.get(), "RSSend")->text(), QStringLiteral("送信開始"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return count >= 2; }, 5000));
    EXPECT_TRUE(test::Child<QTextEdit>(form.get(), "Text1")->toPlainText().contains(QStringLiteral("SS02")));
    form->show();
    test::Click(form.get(), "RSCancel");
    EXPECT_FALSE(form->isVisible());
    stop_ = true;
    instrument_->wait();  // before the machine and the list it fills go
    EXPECT_TRUE(taken.join('|').contains("SS02")) << taken.join('|').toStdString();
}

// The user may take longer than the limit to start the instrument: the form waits until
// cancel. The GSI request protocol is a choice of the GSI receive only, and it is kept.
TEST_F(TransferFormTest, WaitsForTheInstrumentUntilCancel) {
    auto form = Form(comm_ui::TransferMode::Receive, QStringLiteral("GSI"), 1);
    auto* request = test::Child<QCheckBox>(form.get(), "chkRequest");
    EXPECT_TRUE(request->isVisibleTo(form.get()));
    request->setChecked(true);
    EXPECT_EQ(store_->Peek(QStringLiteral("Trevanto"), QStringLiteral("GSIRequest")), QStringLiteral("1"));
    test::Child<QComboBox>(form.get(), "ComboRecoderSelect")->setCurrentText(QStringLiteral("3GD"));
    EXPECT_FALSE(request->isVisibleTo(form.get()));

    prompt_.AnswerMessage(PromptAnswer::No);
    test::Click(form.get(), "RSStart");
    QTest::qWait(1800);
    EXPECT_EQ(test::Child<QPushButton>(form.get(), "RSStart")->text(), QStringLiteral("受信中"));
    EXPECT_EQ(prompt_.Records().size(), 1);  // the question only: no time-out
    form->show();
    test::Click(form.get(), "RSCancel");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(prompt_.Records().size(), 1);
}

}  // namespace

#include "comm/ui/frmRSSEND.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "comm/card/CardTransfer.h"
#include "comm/link/AsyncReceive.h"
#include "comm/link/LineTransfer.h"
#include "comm/link/SerialCardExchange.h"
#include "comm/protocol/Recorders.h"
#include "comm/settings/PortNames.h"
#include "comm/transfer/ReceiveFile.h"
#include "comm/transfer/TransferLines.h"
#include "comm/ui/frmRSSET.h"
#include "platform/CodePage.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/TextFile.h"
#include "platform/ui/ClickLabel.h"

namespace comm_ui {
namespace {

const QString kConfirm = QStringLiteral("確認");
const QString kPressAKey = QStringLiteral("何かキーを押してください。");
const QString kReceiveEnd = QStringLiteral("  ･･･････ 受信終了 ･･･････");
const QColor kMarkColour(0, 0, 255);  // light blue of the basic palette

}  // namespace

frmRSSEND::frmRSSEND(TransferContext context, platform::Prompt& prompt, platform::SettingsStore& store, QWidget* parent)
    : QDialog(parent), context_(std::move(context)), prompt_(prompt), store_(store) {
    setObjectName(QStringLiteral("frmRSSEND"));
    setWindowTitle(context_.mode == TransferMode::Receive ? QStringLiteral("観測データの受信")
                                                          : QStringLiteral("座標データの送信"));
    BuildControls();
    ShowSettings();
}

frmRSSEND::~frmRSSEND() = default;

void frmRSSEND::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    auto* formatLabel = new QLabel(QStringLiteral("ﾃﾞｰﾀ形式 ："), this);
    formatLabel->setObjectName(QStringLiteral("Label1"));
    recorders_ = new QComboBox(this);
    recorders_->setObjectName(QStringLiteral("ComboRecoderSelect"));
    recorders_->addItems(comm::protocol::RecorderNames());
    recorders_->setCurrentIndex(qMax(0, comm::protocol::RecorderNames().indexOf(context_.format)));
    auto* settingsLabel = new QLabel(QStringLiteral("通信条件 ："), this);
    settingsLabel->setObjectName(QStringLiteral("Label2"));
    // A click on the settings opens the settings form.
    settings_ = new platform::ClickLabel(this);
    settings_->setObjectName(QStringLiteral("Text2"));
    settings_->setFrameShape(QFrame::Panel);
    settings_->setFrameShadow(QFrame::Sunken);
    connect(settings_, &platform::ClickLabel::clicked, this, &frmRSSEND::EditSettings);
    top->addWidget(formatLabel, 0, 0);
    top->addWidget(recorders_, 0, 1);
    top->addWidget(settingsLabel, 1, 0);
    top->addWidget(settings_, 1, 1);
    layout->addLayout(top);
    if (context_.format == u"SDF") {
        auto* hint = new QLabel(QStringLiteral("SCR3 ﾒﾆｭｰ → ﾂｳｼﾝ → SCR2 → DOSﾌｧｲﾙ → ﾆｭｳﾘｮｸ → ﾄｳﾛｸ or ｼｭﾂﾘｮｸ → ﾌｧｲﾙｾﾝﾀｸ\n"
                                               "Ｔ．Ｓ． SDR → ﾂｳｼﾝ → ﾃﾞｰﾀｿｳｼﾝ(SD) or ｻﾞﾋｮｳｼﾞｭｼﾝ(SD)"),
                                this);
        hint->setObjectName(QStringLiteral("Label3"));
        layout->addWidget(hint);
    }
    log_ = new QTextEdit(this);
    log_->setObjectName(QStringLiteral("Text1"));
    log_->setReadOnly(true);
    layout->addWidget(log_, 1);
    auto* buttons = new QHBoxLayout;
    start_ = new QPushButton(QStringLiteral("受信開始"), this);
    start_->setObjectName(QStringLiteral("RSStart"));
    send_ = new QPushButton(QStringLiteral("送信開始"), this);
    send_->setObjectName(QStringLiteral("RSSend"));
    send_->setVisible(context_.mode == TransferMode::Send);
    start_->setVisible(context_.mode == TransferMode::Receive);
    auto* cancel = new QPushButton(QStringLiteral("通信ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("RSCancel"));
    for (QPushButton* b : {start_, send_, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(start_, &QPushButton::clicked, this, &frmRSSEND::Receive);
    connect(send_, &QPushButton::clicked, this, &frmRSSEND::Send);
    connect(cancel, &QPushButton::clicked, this, &frmRSSEND::Cancel);
    resize(560, 420);
}

void frmRSSEND::ShowSettings() { settings_->setText(context_.rsset); }

void frmRSSEND::EditSettings() {
    if (const auto kept = EditCommSettings(this, {context_.rsset, context_.rsfuro, Format(), context_.maker})) {
        context_.rsset = kept->Text();
        context_.rsfuro = kept->FlowText();
    }
    ShowSettings();
}

QString frmRSSEND::Format() const { return recorders_->currentText(); }

QString frmRSSEND::Decode(const QByteArray& bytes) const { return platform::cp932::Decode(bytes); }

// The port is the settings' last character, its device the user's mapping or the system's.
bool frmRSSEND::OpenLine() {
    comm::LinkSettings settings;
    settings.device = comm::PortDevice(context_.rsset.right(1).toInt(), store_);
    settings.line = context_.rsset.chopped(qMin<qsizetype>(2, context_.rsset.size()));
    settings.flowControl = context_.rsfuro == u"2" ? 2 : 0;
    settings.limitSeconds = context_.limitSeconds;
    QString error;
    if (line_.Open(settings, error)) {
        for (const QString& refused : line_.Refused()) LogLine(QStringLiteral("（設定を受けません: ") + refused + u'）');
        return true;
    }
    prompt_.Show(error, kConfirm, platform::PromptIcon::Critical);
    return false;
}

void frmRSSEND::SetBusy(bool busy) {
    recorders_->setEnabled(!busy);
    settings_->setEnabled(!busy);
    start_->setEnabled(!busy);
    send_->setEnabled(!busy);
    start_->setText(busy && context_.mode == TransferMode::Receive ? QStringLiteral("受信中") : QStringLiteral("受信開始"));
    send_->setText(busy && context_.mode == TransferMode::Send ? QStringLiteral("送信中") : QStringLiteral("送信開始"));
}

void frmRSSEND::Receive() {
    log_->clear();
    const platform::PromptAnswer keep =
        prompt_.Message(QStringLiteral("観測データを登録しますか？"), QString(), platform::PromptIcon::Question,
                        platform::PromptButtons::YesNoCancel);
    if (keep == platform::PromptAnswer::Cancel) return;
    receiveFile_.clear();
    received_.clear();
    if (keep == platform::PromptAnswer::Yes) {
        receiveFile_ = comm::ChooseReceiveFile(prompt_, context_.dataFolder, Format());
        if (receiveFile_.isEmpty()) return;
    }
    saving_ = keep == platform::PromptAnswer::Yes;
    if (!OpenLine()) return;
    SetBusy(true);
    const QString format = Format();
    if (comm::protocol::IsCardReader(format)) {
        comm::SerialCardExchange link(line_);
        comm::card::CardSession session(link, *this, prompt_);
        try {
            format == u"SC1" ? comm::card::ReadSc1Card(session) : comm::card::ReadScrCard(session);
            FinishReceive();
        } catch (const comm::card::CardLinkError&) {
            OnError(0);
        }
        return;
    }
    receive_ = std::make_unique<comm::AsyncReceive>(
        line_, comm::protocol::MakeReceiver(format, comm::protocol::Side::Computer,
                                            {context_.maker != u"APA" || format != u"APA", false, 3}));
    connect(receive_.get(), &comm::AsyncReceive::DataReceived, this, &frmRSSEND::OnBlock);
    connect(receive_.get(), &comm::AsyncReceive::CommError, this, &frmRSSEND::OnError);
    receive_->Start();
}

void frmRSSEND::OnBlock(const QByteArray& block, bool last) {
    LogLine(Decode(block));
    if (saving_)
        if (const auto raw = comm::ReceivedLine(Format(), block, last)) received_ += *raw + "\r\n";
    if (last) FinishReceive();
}

void frmRSSEND::FinishReceive() {
    KeepReceived();
    LogMark(u'\n' + kReceiveEnd + u'\n');
    line_.Close();
    SetBusy(false);
}

// The records received so far, written at once: a failed write leaves any older file.
void frmRSSEND::KeepReceived() {
    if (!saving_) return;
    saving_ = false;
    try {
        platform::WriteFileBytes(receiveFile_, received_);
    } catch (const platform::FileError& e) {
        prompt_.Show(e.Told(), kConfirm, platform::PromptIcon::Critical);
    }
}

void frmRSSEND::OnError(int code) {
    KeepReceived();
    line_.Close();
    SetBusy(false);
    prompt_.Show(comm::CommErrorText(code) + u'\n' + kPressAKey, kConfirm, platform::PromptIcon::Critical);
}

void frmRSSEND::Send() {
    log_->clear();
    QList<QByteArray> lines;
    try {
        lines = comm::SendFileLines(context_.dataFile);
    } catch (const platform::FileError& e) {
        prompt_.Show(e.Told(), kConfirm, platform::PromptIcon::Critical);
        return;
    }
    if (lines.isEmpty() || !OpenLine()) return;
    SetBusy(true);
    const QString format = Format();
    if (comm::protocol::IsCardReader(format)) {
        comm::SerialCardExchange link(line_);
        comm::card::CardSession session(link, *this, prompt_);
        try {
            format == u"SC1" ? comm::card::WriteSc1Card(session, lines) : comm::card::WriteScrCard(session, lines);
        } catch (const comm::card::CardLinkError&) {
            OnError(0);
            return;
        }
    } else {
        auto sender = comm::protocol::MakeSender(format, comm::protocol::Side::Computer, {});
        const int fault = comm::SendOverLine(line_, *sender, [&](QByteArray& next) {
            if (lines.isEmpty()) return false;
            LogLine(Decode(lines.constFirst()));
            next = comm::SendBytes(format, lines.takeFirst());
            return true;
        });
        if (fault != 0) {
            OnError(fault);
            return;
        }
    }
    line_.Close();
    SetBusy(false);
}

void frmRSSEND::Cancel() {
    if (receive_) receive_->Stop();
    KeepReceived();
    line_.Close();
    reject();
}

void frmRSSEND::LogLine(const QString& text) { log_->append(text); }

void frmRSSEND::SaveLine(const QByteArray& raw) {
    if (saving_) received_ += raw + "\r\n";
}

void frmRSSEND::Log(const QString& text) { log_->insertPlainText(text); }

void frmRSSEND::LogMark(const QString& text) {
    const QColor normal = log_->textColor();
    log_->setTextColor(kMarkColour);
    log_->insertPlainText(text);
    log_->setTextColor(normal);
}

void frmRSSEND::ClearLog() { log_->clear(); }

}  // namespace comm_ui

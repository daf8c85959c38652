#include "comm/ui/frmRSSEND.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <utility>

#include "comm/card/CardTransfer.h"
#include "comm/link/CommControl.h"
#include "comm/link/SerialCardExchange.h"
#include "comm/protocol/Recorders.h"
#include "comm/settings/PortNames.h"
#include "comm/transfer/ReceiveFile.h"
#include "comm/transfer/TransferLines.h"
#include "comm/ui/frmRSSET.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/Settings.h"
#include "platform/TextFile.h"
#include "platform/ui/ClickLabel.h"

namespace comm_ui {
namespace {

const QString kConfirm = QStringLiteral("確認");
const QString kPressAKey = QStringLiteral("何かキーを押してください。");
const QString kReceiveEnd = QStringLiteral("  ･･･････ 受信終了 ･･･････");
const QColor kMarkColour(0, 0, 255);  // light blue of the basic palette
const QString kSection = QStringLiteral("Trevanto");
const QString kRequestKey = QStringLiteral("GSIRequest");

}  // namespace

frmRSSEND::frmRSSEND(TransferContext context, platform::Prompt& prompt, platform::SettingsStore& store, QWidget* parent)
    : QDialog(parent), context_(std::move(context)), prompt_(prompt), store_(store) {
    setObjectName(QStringLiteral("frmRSSEND"));
    setWindowTitle(context_.mode == TransferMode::Receive ? QStringLiteral("観測データの受信")
                                                          : QStringLiteral("座標データの送信"));
    BuildControl();
    BuildControls();
    ShowSettings();
}

frmRSSEND::~frmRSSEND() = default;

// The control takes the line's properties from the menu's values; the common format chosen
// without acknowledgements (maker APA) runs without handshaking.
void frmRSSEND::BuildControl() {
    control_ = new comm::CommControl([this](int port) { return comm::PortDevice(port, store_); }, this);
    control_->setObjectName(QStringLiteral("QuorrelControl1"));
    control_->SetLimit(context_.limitSeconds);
    if (context_.maker == u"APA" && context_.format == u"APA") control_->SetHandshaking(false);
    control_->SetRequest(store_.Peek(kSection, kRequestKey) == u"1");
    connect(control_, &comm::CommControl::DataReceived, this, &frmRSSEND::OnBlock);
    connect(control_, &comm::CommControl::DataRequest, this, &frmRSSEND::OnRequest, Qt::DirectConnection);
    connect(control_, &comm::CommControl::CommError, this, &frmRSSEND::OnError);
}

void frmRSSEND::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    auto* formatLabel = new QLabel(QStringLiteral("ﾃﾞｰﾀ形式 ："), this);
    formatLabel->setObjectName(QStringLiteral("Label1"));
    recorders_ = new QComboBox(this);
    recorders_->setObjectName(QStringLiteral("ComboRecoderSelect"));
    for (int i = 1; i <= control_->RecorderCount(); ++i) recorders_->addItem(control_->RecorderName(i));
    // The GSI instruments that wait for a "?" before each block.
    request_ = new QCheckBox(QStringLiteral("要求（?）手順"), this);
    request_->setObjectName(QStringLiteral("chkRequest"));
    request_->setChecked(control_->Request());
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
    top->addWidget(request_, 0, 2);
    top->addWidget(settingsLabel, 1, 0);
    top->addWidget(settings_, 1, 1, 1, 2);
    top->setColumnStretch(1, 1);
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
    connect(recorders_, &QComboBox::currentIndexChanged, this, &frmRSSEND::ChooseRecorder);
    connect(request_, &QCheckBox::toggled, this, &frmRSSEND::KeepRequest);
    connect(start_, &QPushButton::clicked, this, &frmRSSEND::Receive);
    connect(send_, &QPushButton::clicked, this, &frmRSSEND::Send);
    connect(cancel, &QPushButton::clicked, this, &frmRSSEND::reject);
    const int current = recorders_->findText(context_.format);
    recorders_->setCurrentIndex(current);
    ChooseRecorder(current);
    resize(560, 420);
}

void frmRSSEND::ChooseRecorder(int row) {
    control_->SetRecorderIndex(row + 1);
    request_->setVisible(context_.mode == TransferMode::Receive && recorders_->currentText() == u"GSI");
}

void frmRSSEND::KeepRequest(bool on) {
    control_->SetRequest(on);
    try {
        store_.Save(kSection, kRequestKey, on ? QStringLiteral("1") : QStringLiteral("0"));
    } catch (const platform::FileError& e) {
        prompt_.Show(e.Told(), kConfirm, platform::PromptIcon::Critical);
    }
}

// The settings' last character is the port; the rest are the line settings.
void frmRSSEND::ShowSettings() {
    settings_->setText(context_.rsset);
    control_->SetSettings(context_.rsset.chopped(qMin<qsizetype>(2, context_.rsset.size())));
    control_->SetCommPort(context_.rsset.right(1).toInt());
    control_->SetFlowControl(context_.rsfuro == u"2" ? 2 : 0);
}

void frmRSSEND::EditSettings() {
    if (const auto kept = EditCommSettings(this, {context_.rsset, context_.rsfuro, Format(), context_.maker})) {
        context_.rsset = kept->Text();
        context_.rsfuro = kept->FlowText();
    }
    ShowSettings();
}

QString frmRSSEND::Format() const { return recorders_->currentText(); }

QString frmRSSEND::Decode(const QByteArray& bytes) const { return comm::CommControl::BytesToText(bytes); }

bool frmRSSEND::ResetLink() {
    if (!control_->ResetLink()) {
        prompt_.Show(control_->OpenError(), kConfirm, platform::PromptIcon::Critical);
        return false;
    }
    for (const QString& refused : control_->Refused()) LogLine(QStringLiteral("（設定を受けません: ") + refused + u'）');
    return true;
}

void frmRSSEND::SetBusy(bool busy) {
    recorders_->setEnabled(!busy);
    request_->setEnabled(!busy);
    settings_->setEnabled(!busy);
    start_->setEnabled(!busy);
    send_->setEnabled(!busy);
    start_->setText(busy && context_.mode == TransferMode::Receive ? QStringLiteral("受信中") : QStringLiteral("受信開始"));
    send_->setText(busy && context_.mode == TransferMode::Send ? QStringLiteral("送信中") : QStringLiteral("送信開始"));
}

void frmRSSEND::Receive() {
    cancelled_ = false;
    log_->clear();
    const platform::PromptAnswer keep =
        prompt_.Message(QStringLiteral("観測データを登録しますか？"), QString(), platform::PromptIcon::Question,
                        platform::PromptButtons::YesNoCancel);
    if (keep == platform::PromptAnswer::Cancel) return;
    receiveFile_.clear();
    if (keep == platform::PromptAnswer::Yes) {
        receiveFile_ = comm::ChooseReceiveFile(prompt_, context_.dataFolder, Format());
        if (receiveFile_.isEmpty() || !OpenReceiveFile()) return;
    }
    if (!ResetLink()) {
        receiving_.reset();  // nothing came: the old file stays
        saving_ = false;
        return;
    }
    SetBusy(true);
    const QString format = Format();
    if (comm::protocol::IsCardReader(format)) {
        const bool done = RunCardRoutine([&](comm::card::CardSession& session) {
            format == u"SC1" ? comm::card::ReadSc1Card(session) : comm::card::ReadScrCard(session);
        });
        if (done) FinishReceive();
        return;
    }
    if (!control_->StartReceive()) {
        SetBusy(false);
        prompt_.Show(control_->OpenError(), kConfirm, platform::PromptIcon::Critical);
    }
}

// A card routine over the control in direct mode. False when the line failed under it (told
// to the user) or the user cancelled.
bool frmRSSEND::RunCardRoutine(const std::function<void(comm::card::CardSession&)>& routine) {
    comm::SerialCardExchange link(*control_);
    comm::card::CardSession session(link, *this, prompt_);
    try {
        routine(session);
    } catch (const comm::card::CardLinkError&) {
        if (!cancelled_) OnError(link.LastFault());
        return false;
    }
    control_->StopLink();
    return !cancelled_;
}

void frmRSSEND::OnBlock(const QByteArray& block, bool last) {
    LogLine(Decode(block));
    if (saving_)
        if (const auto raw = comm::ReceivedLine(Format(), block, last)) WriteReceived(*raw);
    if (last) FinishReceive();
}

// The receive file is opened before the line, so that a folder that cannot take it is told
// before the instrument sends; it replaces the old file when the transfer ends.
bool frmRSSEND::OpenReceiveFile() {
    writeFault_.clear();
    try {
        receiving_ = std::make_unique<platform::TextFileWriter>(receiveFile_);
    } catch (const platform::FileError& e) {
        prompt_.Show(e.Told(), kConfirm, platform::PromptIcon::Critical);
        return false;
    }
    saving_ = true;
    return true;
}

// A write that fails (a full disk) is told when the transfer ends; the old file then stays.
void frmRSSEND::WriteReceived(const QByteArray& raw) {
    if (!receiving_) return;
    try {
        receiving_->WriteBytes(raw + "\r\n");
    } catch (const platform::FileError& e) {
        writeFault_ = e.Told();
        receiving_.reset();
    }
}

void frmRSSEND::FinishReceive() {
    KeepReceived();
    LogMark(u'\n' + kReceiveEnd + u'\n');
    SetBusy(false);
}

// The records received so far replace the old file; a failed write leaves it.
void frmRSSEND::KeepReceived() {
    if (!saving_) return;
    saving_ = false;
    try {
        if (receiving_) receiving_->Commit();
    } catch (const platform::FileError& e) {
        writeFault_ = e.Told();
    }
    receiving_.reset();
    if (!writeFault_.isEmpty()) prompt_.Show(writeFault_, kConfirm, platform::PromptIcon::Critical);
}

void frmRSSEND::OnError(int code) {
    control_->StopLink();
    KeepReceived();
    SetBusy(false);
    prompt_.Show(comm::CommErrorText(code) + u'\n' + kPressAKey, kConfirm, platform::PromptIcon::Critical);
}

void frmRSSEND::Send() {
    cancelled_ = false;
    log_->clear();
    try {
        pending_ = comm::SendFileLines(context_.dataFile);
    } catch (const platform::FileError& e) {
        prompt_.Show(e.Told(), kConfirm, platform::PromptIcon::Critical);
        return;
    }
    if (pending_.isEmpty() || !ResetLink()) return;
    SetBusy(true);
    const QString format = Format();
    if (comm::protocol::IsCardReader(format)) {
        const QList<QByteArray> lines = std::exchange(pending_, {});
        if (!RunCardRoutine([&](comm::card::CardSession& session) {
                format == u"SC1" ? comm::card::WriteSc1Card(session, lines) : comm::card::WriteScrCard(session, lines);
            }))
            return;
    } else if (!control_->StartSend()) {
        return;  // a fault has been told, or the user cancelled
    }
    SetBusy(false);
}

// The next line of the send file, as the recorder type sends it; StopLink at the end.
void frmRSSEND::OnRequest(QByteArray& next) {
    if (pending_.isEmpty()) {
        control_->StopLink();
        return;
    }
    const QByteArray line = pending_.takeFirst();
    LogLine(Decode(line));
    next = comm::SendBytes(Format(), line);
}

void frmRSSEND::reject() {
    cancelled_ = true;
    control_->StopLink();
    KeepReceived();
    QDialog::reject();
}

void frmRSSEND::LogLine(const QString& text) { log_->append(text); }

void frmRSSEND::SaveLine(const QByteArray& raw) {
    if (saving_) WriteReceived(raw);
}

void frmRSSEND::Log(const QString& text) {
    log_->moveCursor(QTextCursor::End);
    log_->insertPlainText(text);
    log_->ensureCursorVisible();
}

// The end mark shows at the log's end, where the user looks for it.
void frmRSSEND::LogMark(const QString& text) {
    log_->moveCursor(QTextCursor::End);
    const QColor normal = log_->textColor();
    log_->setTextColor(kMarkColour);
    log_->insertPlainText(text);
    log_->setTextColor(normal);
    log_->ensureCursorVisible();
}

void frmRSSEND::ClearLog() { log_->clear(); }

}  // namespace comm_ui

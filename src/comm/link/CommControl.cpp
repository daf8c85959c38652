#include "comm/link/CommControl.h"

#include <QCoreApplication>

#include "comm/link/AsyncReceive.h"
#include "comm/link/SerialCardExchange.h"
#include "comm/protocol/Recorders.h"
#include "platform/CodePage.h"

namespace comm {
namespace {

constexpr int kDrainStepMs = 100;
constexpr int kDrainSteps = 10;

}  // namespace

CommControl::CommControl(std::function<QString(int)> portDevice, QObject* parent)
    : QObject(parent), portDevice_(std::move(portDevice)), receive_(std::make_unique<AsyncReceive>(line_)) {
    connect(receive_.get(), &AsyncReceive::DataReceived, this, [this](const QByteArray& block, bool last) {
        if (last) CloseLine();
        emit DataReceived(block, last);
    });
    connect(receive_.get(), &AsyncReceive::CommError, this, [this](int code) {
        CloseLine();
        emit CommError(code);
    });
}

CommControl::~CommControl() { StopLink(); }

int CommControl::RecorderCount() const { return static_cast<int>(protocol::RecorderNames().size()); }

QString CommControl::RecorderName(int index) const {
    const QStringList names = protocol::RecorderNames();
    return index >= 1 && index <= names.size() ? names[index - 1] : QString();
}

void CommControl::SetRecorderIndex(int index) {
    if (index >= 1 && index <= RecorderCount()) recorderIndex_ = index;
}

QString CommControl::Device() const { return device_.isEmpty() ? portDevice_(commPort_) : device_; }

protocol::LinkOptions CommControl::Options() const { return {handshaking_, request_, 3}; }

bool CommControl::ResetLink() {
    StopLink();
    stopped_ = false;
    return EnsureOpen();
}

bool CommControl::EnsureOpen() {
    if (line_.IsOpen()) return true;
    openError_.clear();
    return line_.Open({Device(), settings_, flowControl_, limit_}, openError_);
}

bool CommControl::StartReceive() {
    stopped_ = false;
    auto receiver = protocol::MakeReceiver(RecorderName(recorderIndex_), protocol::Side::Computer, Options());
    if (!receiver) {
        openError_ = QStringLiteral("カードリーダの形式は受信の手順を持ちません: ") + RecorderName(recorderIndex_);
        return false;
    }
    if (!EnsureOpen()) return false;
    direct_ = false;
    receive_->Start(std::move(receiver), firstWait_ * 1000);
    return true;
}

bool CommControl::StartSend() {
    stopped_ = false;
    endOfData_ = false;
    auto sender = protocol::MakeSender(RecorderName(recorderIndex_), protocol::Side::Computer, Options());
    if (!sender) {
        openError_ = QStringLiteral("カードリーダの形式は送信の手順を持ちません: ") + RecorderName(recorderIndex_);
        return false;
    }
    if (!EnsureOpen()) return false;
    receive_->Stop();
    ++blocking_;
    const int fault = SendOverLine(
        line_, *sender,
        [this](QByteArray& data) {
            data.clear();
            requesting_ = true;
            emit DataRequest(data);
            requesting_ = false;
            return !endOfData_ && !stopped_;
        },
        [this] { return Pump(); });
    --blocking_;
    CloseLine();
    if (fault > 0) emit CommError(fault);
    return fault == 0;
}

void CommControl::StopLink() {
    if (requesting_) {
        endOfData_ = true;
        return;
    }
    stopped_ = true;
    receive_->StopKeeping();
    if (blocking_ == 0) line_.Close();
}

void CommControl::DirectMode(bool on) {
    direct_ = on;
    if (!on) return;
    receive_->Stop();
    EnsureOpen();
}

int CommControl::Exchange(const QByteArray& frame, QByteArray& reply) {
    reply.clear();
    if (stopped_) return kStopped;
    if (!EnsureOpen()) return kLineGone;
    ++blocking_;
    const int code = line_.Exchange(frame, CardFrameComplete, [this] { return Pump(); }, reply);
    --blocking_;
    if (stopped_) line_.Close();
    return code;
}

QString CommControl::BytesToText(const QByteArray& bytes) { return platform::cp932::Decode(bytes); }

QByteArray CommControl::TextToBytes(const QString& text) { return platform::cp932::Encode(text); }

bool CommControl::Pump() {
    QCoreApplication::processEvents();
    return stopped_;
}

void CommControl::CloseLine() {
    // The last acknowledgement is a few bytes; a line that takes none of them in a moment
    // will not take them at all.
    for (int step = 0; step < kDrainSteps && line_.IsOpen() && line_.Port().bytesToWrite() > 0; ++step)
        if (!line_.Port().waitForBytesWritten(kDrainStepMs) && line_.Gone()) break;
    line_.Close();
}

}  // namespace comm

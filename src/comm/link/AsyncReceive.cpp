#include "comm/link/AsyncReceive.h"

namespace comm {

AsyncReceive::AsyncReceive(SerialLine& line, QObject* parent) : QObject(parent), line_(line) {
    silence_.setSingleShot(true);
    connect(&silence_, &QTimer::timeout, this, &AsyncReceive::OnSilence);
}

AsyncReceive::~AsyncReceive() { Stop(); }

void AsyncReceive::Start(std::unique_ptr<protocol::Receiver> receiver, int firstWaitMs) {
    Stop();
    receiver_ = std::move(receiver);
    firstWaitMs_ = firstWaitMs;
    heard_ = false;
    afterLast_ = false;
    running_ = true;
    connections_ << connect(&line_.Port(), &QSerialPort::readyRead, this, &AsyncReceive::OnReadyRead)
                 << connect(&line_.Port(), &QSerialPort::errorOccurred, this, &AsyncReceive::OnError);
    receiver_->Start(*this);
    if (firstWaitMs_ > 0) silence_.start(firstWaitMs_);
    if (line_.Port().bytesAvailable() > 0) OnReadyRead();
}

void AsyncReceive::Stop() {
    running_ = false;
    silence_.stop();
    for (const QMetaObject::Connection& c : connections_) disconnect(c);
    connections_.clear();
}

void AsyncReceive::StopKeeping() {
    if (running_) receiver_->Abort(*this);
    Stop();
}

void AsyncReceive::Block(const QByteArray& block, bool last) {
    if (!running_) return;
    if (last) {
        Stop();
        afterLast_ = true;
    }
    emit DataReceived(block, last);
}

void AsyncReceive::Reply(const QByteArray& bytes) { line_.Port().write(bytes); }

void AsyncReceive::Fault(int code) {
    if (!running_ && !afterLast_) return;
    Stop();
    afterLast_ = false;
    emit CommError(code);
}

void AsyncReceive::OnReadyRead() {
    if (!running_) return;
    const QByteArray bytes = line_.Port().readAll();
    if (bytes.isEmpty()) return;
    heard_ = true;
    silence_.start(line_.LimitMs());
    receiver_->Feed(bytes, *this);
}

void AsyncReceive::OnSilence() {
    if (!running_) return;
    receiver_->Idle(*this);
    if (running_) silence_.start(heard_ ? line_.LimitMs() : firstWaitMs_);
}

void AsyncReceive::OnError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !running_) return;
    receiver_->Abort(*this);
    Fault(kLineGone);
}

}  // namespace comm

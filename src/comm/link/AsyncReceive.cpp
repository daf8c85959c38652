#include "comm/link/AsyncReceive.h"

#include "comm/link/LineTransfer.h"

namespace comm {

AsyncReceive::AsyncReceive(SerialLine& line, std::unique_ptr<protocol::Receiver> receiver, QObject* parent)
    : QObject(parent), line_(line), receiver_(std::move(receiver)) {
    silence_.setSingleShot(true);
    silence_.setInterval(line_.LimitMs());
    connect(&silence_, &QTimer::timeout, this, &AsyncReceive::OnSilence);
}

AsyncReceive::~AsyncReceive() { Stop(); }

void AsyncReceive::Start() {
    running_ = true;
    connections_ << connect(&line_.Port(), &QSerialPort::readyRead, this, &AsyncReceive::OnReadyRead)
                 << connect(&line_.Port(), &QSerialPort::errorOccurred, this, &AsyncReceive::OnError);
    receiver_->Start(*this);
    silence_.start();
    if (line_.Port().bytesAvailable() > 0) OnReadyRead();
}

void AsyncReceive::Stop() {
    running_ = false;
    silence_.stop();
    for (const QMetaObject::Connection& c : connections_) disconnect(c);
    connections_.clear();
}

void AsyncReceive::Block(const QByteArray& block, bool last) {
    if (!running_) return;
    if (last) Stop();
    emit DataReceived(block, last);
}

void AsyncReceive::Reply(const QByteArray& bytes) { line_.Port().write(bytes); }

void AsyncReceive::Fault(int code) {
    if (!running_) return;
    Stop();
    emit CommError(code);
}

void AsyncReceive::OnReadyRead() {
    if (!running_) return;
    silence_.start();
    receiver_->Feed(line_.Port().readAll(), *this);
}

void AsyncReceive::OnSilence() {
    if (!running_) return;
    receiver_->Idle(*this);
    if (running_) silence_.start();
}

void AsyncReceive::OnError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError) Fault(kLineGone);
}

}  // namespace comm

#pragma once
// A receive that runs from the event loop, for the transfer form: blocks and faults arrive
// as signals on the user-interface thread while the form stays usable (its cancel button
// above all).

#include <QObject>
#include <QTimer>
#include <memory>

#include "comm/link/SerialLine.h"
#include "comm/protocol/Protocol.h"

namespace comm {

class AsyncReceive : public QObject, private protocol::ReceiverOutput {
    Q_OBJECT
  public:
    // The line must stay open for as long as the receive runs.
    AsyncReceive(SerialLine& line, std::unique_ptr<protocol::Receiver> receiver, QObject* parent = nullptr);
    ~AsyncReceive() override;

    void Start();
    // Stops listening; nothing more is signalled.
    void Stop();
    bool Running() const { return running_; }

  signals:
    void DataReceived(const QByteArray& block, bool last);
    void CommError(int code);

  private:
    void Block(const QByteArray& block, bool last) override;
    void Reply(const QByteArray& bytes) override;
    void Fault(int code) override;
    void OnReadyRead();
    void OnSilence();
    void OnError(QSerialPort::SerialPortError error);

    SerialLine& line_;
    std::unique_ptr<protocol::Receiver> receiver_;
    QTimer silence_;
    bool running_ = false;
    QList<QMetaObject::Connection> connections_;
};

}  // namespace comm

#pragma once
// A receive that runs from the event loop, for the communication control: blocks and faults
// arrive as signals on the owner's thread while the form stays usable (its cancel button
// above all). The first byte is awaited as long as the user needs to start the instrument;
// after it, the line's limit of silence is told to the recorder's machine.

#include <QObject>
#include <QTimer>
#include <memory>

#include "comm/link/SerialLine.h"
#include "comm/protocol/Protocol.h"

namespace comm {

class AsyncReceive : public QObject, private protocol::ReceiverOutput {
    Q_OBJECT
  public:
    // The line must stay open while a receive runs.
    explicit AsyncReceive(SerialLine& line, QObject* parent = nullptr);
    ~AsyncReceive() override;

    // Listens with the machine. `firstWaitMs` 0 waits for the first byte until Stop.
    void Start(std::unique_ptr<protocol::Receiver> receiver, int firstWaitMs);
    // Stops listening; nothing more is signalled. Safe from a handler of its signals.
    void Stop();
    // Stops as the user or the line ends a transfer: a complete block the machine still held
    // comes first.
    void StopKeeping();
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
    int firstWaitMs_ = 0;
    bool heard_ = false;
    bool running_ = false;
    bool afterLast_ = false;  // the last block went: only a fault of its check may follow
    QList<QMetaObject::Connection> connections_;
};

}  // namespace comm

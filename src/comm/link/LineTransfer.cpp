#include "comm/link/LineTransfer.h"

#include <QElapsedTimer>

namespace comm {
namespace {

constexpr int kStepMs = 50;

// The sender's outputs, kept until the loop acts on them.
struct Outputs : protocol::SenderOutput {
    QSerialPort& port;
    const std::function<bool(QByteArray&)>& next;
    int fault = -1;  // -1 running, 0 done, else the code
    bool written = false;

    Outputs(QSerialPort& p, const std::function<bool(QByteArray&)>& n) : port(p), next(n) {}
    bool Request(QByteArray& line) override { return next(line); }
    void Write(const QByteArray& bytes) override {
        port.write(bytes);
        written = true;
    }
    void Fault(int code) override { fault = code; }
    void Done() override {
        if (fault < 0) fault = 0;
    }
};

// Lets what was written leave the port: 0, or kStopped, kLineGone, or a time-out when the
// other side takes nothing for the limit (hardware flow control held, nobody reading).
int Drain(SerialLine& line, const std::function<bool()>& stop) {
    QElapsedTimer stuck;
    stuck.start();
    qint64 left = line.Port().bytesToWrite();
    while (left > 0) {
        if (stop()) return kStopped;
        if (!line.Port().waitForBytesWritten(kStepMs) && line.Gone()) return kLineGone;
        const qint64 now = line.Port().bytesToWrite();
        if (now < left) stuck.restart();
        else if (stuck.elapsed() >= line.LimitMs()) return protocol::kTimeOut;
        left = now;
    }
    return 0;
}

// Reads what arrives within one step; false when the line has gone. The event loop may have
// read bytes into the port's buffer already, and waiting would not see them.
bool Step(SerialLine& line, QByteArray& bytes) {
    bytes.clear();
    if (line.Port().bytesAvailable() > 0 || line.Port().waitForReadyRead(kStepMs)) bytes = line.Port().readAll();
    return !line.Gone();
}

}  // namespace

int SendOverLine(SerialLine& line, protocol::Sender& sender, const std::function<bool(QByteArray& line)>& next,
                 const std::function<bool()>& stop) {
    Outputs out(line.Port(), next);
    sender.Start(out);
    QElapsedTimer quiet;
    quiet.start();
    QByteArray bytes;
    while (out.fault < 0) {
        if (stop()) return kStopped;
        if (const int drained = Drain(line, stop); drained != 0) return drained;
        if (out.written) {
            out.written = false;
            sender.Ready(out);
            continue;
        }
        if (!Step(line, bytes)) return kLineGone;
        // Bytes go to the machine; a silence as long as the limit is told to it instead.
        if (!bytes.isEmpty()) {
            quiet.restart();
            sender.Feed(bytes, out);
        } else if (quiet.elapsed() >= line.LimitMs()) {
            quiet.restart();
            sender.Idle(out);
        }
    }
    if (out.fault == 0) return Drain(line, stop);  // the last bytes leave before the line closes
    return out.fault;
}

}  // namespace comm

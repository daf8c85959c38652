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

bool Drain(SerialLine& line) {
    while (line.Port().bytesToWrite() > 0)
        if (!line.Port().waitForBytesWritten(kStepMs) && line.Gone()) return false;
    return true;
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
        if (!Drain(line)) return kLineGone;
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
    Drain(line);
    return out.fault;
}

}  // namespace comm

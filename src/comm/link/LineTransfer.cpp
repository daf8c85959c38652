#include "comm/link/LineTransfer.h"

#include <QElapsedTimer>

namespace comm {
namespace {

constexpr int kStepMs = 50;

// The machines' outputs, kept until the loop acts on them.
struct Outputs : protocol::ReceiverOutput, protocol::SenderOutput {
    QSerialPort& port;
    std::function<void(const QByteArray&, bool)> block;
    std::function<bool(QByteArray&)> next;
    int fault = -1;  // -1 running, 0 done, else the code
    bool written = false;

    explicit Outputs(QSerialPort& p) : port(p) {}
    void Block(const QByteArray& b, bool last) override {
        block(b, last);
        if (last && fault < 0) fault = 0;
    }
    void Reply(const QByteArray& bytes) override { port.write(bytes); }
    void Fault(int code) override { fault = code; }
    bool Request(QByteArray& line) override { return next(line); }
    void Write(const QByteArray& bytes) override {
        port.write(bytes);
        written = true;
    }
    void Done() override {
        if (fault < 0) fault = 0;
    }
};

bool Drain(SerialLine& line) {
    while (line.Port().bytesToWrite() > 0)
        if (!line.Port().waitForBytesWritten(kStepMs) && line.Gone()) return false;
    return true;
}

// Reads what arrives within one step; false when the line has gone.
bool Step(SerialLine& line, QByteArray& bytes) {
    bytes.clear();
    if (line.Port().waitForReadyRead(kStepMs)) bytes = line.Port().readAll();
    return !line.Gone();
}

// Bytes go to the machine; a silence as long as the limit is told to it instead.
template <typename Machine, typename Output>
void FeedOrIdle(Machine& machine, Output& out, const QByteArray& bytes, QElapsedTimer& quiet, int limitMs) {
    if (!bytes.isEmpty()) {
        quiet.restart();
        machine.Feed(bytes, out);
    } else if (quiet.elapsed() >= limitMs) {
        quiet.restart();
        machine.Idle(out);
    }
}

}  // namespace

int ReceiveOverLine(SerialLine& line, protocol::Receiver& receiver,
                    const std::function<void(const QByteArray& block, bool last)>& block) {
    Outputs out(line.Port());
    out.block = block;
    receiver.Start(out);
    QElapsedTimer quiet;
    quiet.start();
    QByteArray bytes;
    while (out.fault < 0) {
        if (!Drain(line) || !Step(line, bytes)) return kLineGone;
        FeedOrIdle(receiver, static_cast<protocol::ReceiverOutput&>(out), bytes, quiet, line.LimitMs());
        if (receiver.Finished() && out.fault < 0) out.fault = 0;
    }
    Drain(line);  // the last acknowledgement goes out
    return out.fault;
}

int SendOverLine(SerialLine& line, protocol::Sender& sender, const std::function<bool(QByteArray& line)>& next) {
    Outputs out(line.Port());
    out.next = next;
    sender.Start(out);
    QElapsedTimer quiet;
    quiet.start();
    QByteArray bytes;
    while (out.fault < 0) {
        if (!Drain(line)) return kLineGone;
        if (out.written) {
            out.written = false;
            sender.Ready(out);
            continue;
        }
        if (!Step(line, bytes)) return kLineGone;
        FeedOrIdle(sender, static_cast<protocol::SenderOutput&>(out), bytes, quiet, line.LimitMs());
    }
    Drain(line);
    return out.fault;
}

}  // namespace comm

#include "comm/link/InstrumentService.h"

#include <QElapsedTimer>
#include <QThread>

namespace comm {
namespace {

constexpr int kStepMs = 20;
constexpr int kMemoryPauseMs = 200;
constexpr int kQuietMs = 300;

// A data byte of the block changed, so that its check fails at the receiver.
QByteArray Corrupted(QByteArray bytes) {
    const qsizetype at = bytes.size() > 2 ? 1 : 0;
    if (!bytes.isEmpty()) bytes[at] = bytes[at] == 'X' ? 'Y' : 'X';
    return bytes;
}

// Blocks until a receiver has the device open, or `stop`.
bool AwaitOtherSide(PseudoTerminal& terminal, QByteArray& early, const std::function<bool()>& stop) {
    while (!stop()) {
        const std::optional<QByteArray> bytes = terminal.Read(kStepMs);
        if (bytes) {
            early = *bytes;
            return true;
        }
        QThread::msleep(kStepMs);
    }
    return false;
}

struct PlayOutputs : protocol::SenderOutput, protocol::ReceiverOutput {
    PseudoTerminal& terminal;
    const SimulatorFaults* faults = nullptr;
    QList<QByteArray> lines;
    std::function<void(const QByteArray&, bool)> block;
    int writes = 0;
    int result = -2;  // running
    bool written = false;
    bool silent = false;

    explicit PlayOutputs(PseudoTerminal& t) : terminal(t) {}
    bool Request(QByteArray& line) override {
        if (lines.isEmpty()) return false;
        line = lines.takeFirst();
        return true;
    }
    void Write(const QByteArray& bytes) override {
        ++writes;
        written = true;
        if (faults && faults->dropAfter > 0 && writes > faults->dropAfter) silent = true;
        if (silent) return;
        terminal.Write(faults && writes == faults->corrupt ? Corrupted(bytes) : bytes);
        if (faults && faults->hangupAfter > 0 && writes >= faults->hangupAfter) {
            terminal.HangupAfterDelivery();
            result = -1;
        }
    }
    void Reply(const QByteArray& bytes) override { terminal.Write(bytes); }
    void Block(const QByteArray& b, bool last) override {
        block(b, last);
        if (last && result == -2) result = 0;
    }
    void Fault(int code) override {
        if (result == -2) result = code;
    }
    void Done() override {
        if (result == -2) result = 0;
    }
};

}  // namespace

InstrumentTiming TimingFor(const QString& format) {
    if (format == u"3GD" || format == u"3PD" || format == u"SDF") return {kMemoryPauseMs};
    return {};
}

int PlayToReceiver(PseudoTerminal& terminal, protocol::Sender& sender, QList<QByteArray> lines,
                   const SimulatorFaults& faults, const InstrumentTiming& timing, const std::function<bool()>& stop) {
    QByteArray bytes;
    if (!AwaitOtherSide(terminal, bytes, stop)) return -1;
    PlayOutputs out(terminal);
    out.faults = &faults;
    out.lines = std::move(lines);
    sender.Start(out);
    QElapsedTimer quiet;
    quiet.start();
    while (out.result == -2 && !stop()) {
        if (!bytes.isEmpty()) {
            quiet.restart();
            sender.Feed(bytes, out);
        }
        if (out.written) {
            out.written = false;
            sender.Ready(out);
        } else if (quiet.elapsed() >= timing.idleMs && !out.silent) {
            quiet.restart();
            sender.Idle(out);
        }
        bytes = terminal.Read(kStepMs).value_or(QByteArray());
    }
    return out.result == -2 ? -1 : out.result;
}

int TakeFromSender(PseudoTerminal& terminal, protocol::Receiver& receiver,
                   const std::function<void(const QByteArray& block, bool last)>& block,
                   const InstrumentTiming& timing, const std::function<bool()>& stop) {
    QByteArray bytes;
    if (!AwaitOtherSide(terminal, bytes, stop)) return -1;
    PlayOutputs out(terminal);
    out.block = block;
    receiver.Start(out);
    QElapsedTimer quiet;
    quiet.start();
    while (out.result == -2 && !stop()) {
        if (!bytes.isEmpty()) {
            quiet.restart();
            receiver.Feed(bytes, out);
        } else if (quiet.elapsed() >= timing.idleMs) {
            quiet.restart();
            receiver.Idle(out);
        }
        if (receiver.Finished() && out.result == -2) out.result = 0;
        bytes = terminal.Read(kStepMs).value_or(QByteArray());
    }
    if (out.result == -2) receiver.Abort(out);  // stopped: a line still held is kept
    // The instrument stays on the line until the sender has let go of its last bytes (the
    // end record's line end): hanging up at once would cut them off under the sender.
    while (!stop() && !terminal.Read(kQuietMs).value_or(QByteArray()).isEmpty()) {
    }
    return out.result == -2 ? -1 : out.result;
}

}  // namespace comm

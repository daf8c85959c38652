#include "comm/link/CardReaderService.h"

#include <QThread>

#include "comm/card/CardFrame.h"

namespace comm {
namespace {

constexpr int kPollMs = 50;

// The check's last digit changed, so that the receiver's check fails.
QByteArray Corrupted(QByteArray reply) {
    if (!reply.isEmpty()) reply.back() = reply.back() == '0' ? '1' : '0';
    return reply;
}

}  // namespace

QList<QByteArray> TakeCardFrames(QByteArray& bytes) {
    QList<QByteArray> frames;
    for (;;) {
        const qsizetype stx = bytes.indexOf(card::kStx);
        if (stx < 0) {
            bytes.clear();
            return frames;
        }
        bytes.remove(0, stx);
        const qsizetype etx = bytes.indexOf(card::kEtx);
        if (etx < 0 || bytes.size() < etx + 3) return frames;
        frames.append(bytes.left(etx + 3));
        bytes.remove(0, etx + 3);
    }
}

int ServeCardReader(PseudoTerminal& terminal, card::CardReaderSimulator& reader, const SimulatorFaults& faults,
                    const std::function<bool()>& stop) {
    QByteArray pending;
    int replies = 0;
    while (!stop()) {
        const std::optional<QByteArray> bytes = terminal.Read(kPollMs);
        if (!bytes) {
            QThread::msleep(kPollMs);  // no receiver has the device open now
            continue;
        }
        pending += *bytes;
        for (const QByteArray& frame : TakeCardFrames(pending)) {
            if (faults.dropAfter > 0 && replies >= faults.dropAfter) continue;
            ++replies;
            const QByteArray reply = reader.Answer(frame);
            terminal.Write(replies == faults.corrupt ? Corrupted(reply) : reply);
            if (faults.hangupAfter > 0 && replies >= faults.hangupAfter) {
                terminal.HangupAfterDelivery();
                return replies;
            }
        }
    }
    return replies;
}

}  // namespace comm

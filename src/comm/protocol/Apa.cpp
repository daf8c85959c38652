#include "comm/protocol/Apa.h"

#include "comm/protocol/Checks.h"
#include "comm/protocol/ControlBytes.h"

// Choices for APA, whose serial procedure is known only in outline:
//   - A record goes as its text and CR LF, with no STX/ETX around it.
//   - With handshaking the receiver answers each line with a bare ACK (06h) when its check
//     agrees and NAK (15h) when not; the sender resends the same line on NAK. The Z record is
//     acknowledged too. After nakLimit resends of one line the transfer fails.
//   - Without handshaking a failed check cannot be asked for again: the line is delivered as
//     it came and the packet data error is reported after the last block.
//   - Records other than A and Z are data: A followed by Z is "no text".
//   - Empty lines are neither answered nor sent.

namespace comm::protocol {

namespace {

bool IsEndRecord(const QByteArray& line) {
    return line.startsWith("Z,");
}

}  // namespace

bool ApaCheckAgrees(QByteArrayView line) {
    const qsizetype n = line.size();
    if (n < 3 || line[n - 1] != ',' || line[n - 3] != ',') return false;
    return Mod64(line.first(n - 2)) == line[n - 2];
}

void ApaReceiver::Feed(QByteArrayView bytes, ReceiverOutput& out) {
    if (Finished()) return;
    const bool fits = lines_.Feed(bytes, [&](const QByteArray& line) {
        OnLine(line, out);
        return !Finished();
    });
    if (!fits) Fail(out, kPacketData);
}

void ApaReceiver::OnLine(const QByteArray& line, ReceiverOutput& out) {
    if (line.isEmpty()) return;
    if (!ApaCheckAgrees(line)) {
        if (options_.handshaking) {
            if (naks_ >= options_.nakLimit) {
                Fail(out, kPacketData);
            } else {
                ++naks_;
                out.Reply(QByteArray(1, ctl::kNak));
            }
            return;
        }
        badCheck_ = true;
    }
    naks_ = 0;
    if (options_.handshaking) out.Reply(QByteArray(1, ctl::kAck));
    if (IsEndRecord(line)) {
        EndTransfer(out, dataRecords_ > 0, line, badCheck_);
        return;
    }
    if (!line.startsWith("A,")) ++dataRecords_;
    Deliver(out, line, false);
}

std::optional<UnitSender::Unit> ApaSender::NextUnit(SenderOutput& out) {
    if (ended_) return std::nullopt;
    QByteArray line;
    do {
        if (!out.Request(line)) return std::nullopt;
    } while (line.isEmpty());
    ended_ = IsEndRecord(line);
    return Unit{line + "\r\n", handshaking_, ended_};
}

}  // namespace comm::protocol

#include "comm/protocol/Sdr.h"

#include "comm/protocol/Checks.h"
#include "comm/protocol/ControlBytes.h"

// Choices for the SDR recorders, where the recorder's documents leave them open:
//   - No acknowledgement either way; the recorder is paced by XON/XOFF only.
//   - A line feed alone ends a record too (captures with LF-only ends exist); empty lines are
//     skipped.
//   - An STX in front of a record on the same line (as our own export writes it) counts as
//     the STX record followed by that record.
//   - The end record's digits: none, or zeros only ("00000", and the "0000" some recorders
//     send) mean "not checked"; five digits are compared with the sum of the records; anything
//     else fails. A failed sum never loses data: the end record is delivered as it came and
//     the packet data error is reported after it.
//   - An end record with no record before it is "no text".
//   - Sending, the file's own STX line and empty lines are replaced by the STX record, and a
//     bare ETX line gets the sum of the records sent; an ETX line with digits goes as it is,
//     and a file without one gets "ETX sum" at its end.

namespace comm::protocol {

namespace {

const QByteArray kCrLf("\r\n");

bool SumAgrees(const QByteArray& digits, int sum) {
    if (digits.isEmpty() || digits.count('0') == digits.size()) return true;
    if (digits.size() != 5) return false;
    bool ok = false;
    const int stated = digits.toInt(&ok);
    return ok && stated == sum;
}

}  // namespace

void SdrReceiver::Feed(QByteArrayView bytes, ReceiverOutput& out) {
    if (Finished()) return;
    const bool fits = lines_.Feed(bytes, [&](const QByteArray& line) {
        OnLine(line, out);
        return !Finished();
    });
    if (!fits) Fail(out, kPacketData);
}

void SdrReceiver::Idle(ReceiverOutput& out) {
    if (Finished()) return;  // a recorder that has failed lets nothing go on
    if (holding_) {
        holding_ = false;
        out.Reply(QByteArray(1, ctl::kXon));
        return;
    }
    Receiver::Idle(out);
}

void SdrReceiver::OnLine(const QByteArray& line, ReceiverOutput& out) {
    if (line.isEmpty()) return;
    if (line.front() == ctl::kEtx) {
        OnEnd(line, out);
        return;
    }
    QByteArray record = line;
    if (record.front() == ctl::kStx) {
        Deliver(out, QByteArray(1, ctl::kStx), false);
        record.remove(0, 1);
        if (record.isEmpty()) return;
    }
    sum_ = (sum_ + Sum5Value(record)) % 65536;
    ++records_;
    Deliver(out, record, false);
    if (xoffEvery_ > 0 && records_ % xoffEvery_ == 0 && !holding_) {
        holding_ = true;
        out.Reply(QByteArray(1, ctl::kXoff));
    }
}

void SdrReceiver::OnEnd(const QByteArray& line, ReceiverOutput& out) {
    if (records_ == 0) {
        Fail(out, kNoText);
        return;
    }
    Deliver(out, line, true);
    if (!SumAgrees(line.mid(1), sum_)) Fail(out, kPacketData);
}

bool SdrSender::NextRecord(SenderOutput& out, QByteArray& line) {
    do {
        if (!out.Request(line)) return false;
        if (line.startsWith(ctl::kStx)) line.remove(0, 1);
    } while (line.isEmpty());
    return true;
}

std::optional<UnitSender::Unit> SdrSender::NextUnit(SenderOutput& out) {
    if (ended_) return std::nullopt;
    if (!started_) {
        started_ = true;
        return Unit{QByteArray(1, ctl::kStx) + kCrLf};
    }
    QByteArray line;
    if (!NextRecord(out, line)) line = QByteArray(1, ctl::kEtx);
    if (line.front() == ctl::kEtx) {
        ended_ = true;
        if (line.size() == 1) line += Sum5(sum_);
        return Unit{line + kCrLf, false, true};
    }
    sum_ = (sum_ + Sum5Value(line)) % 65536;
    return Unit{line + kCrLf};
}

}  // namespace comm::protocol

#include "comm/protocol/Gsi.h"

// Choices for GSI:
//   - There is no end record: the newest line is held back, and when the owner reports the
//     line silent (Idle) it is delivered as the last block. Silence before any byte is a
//     time-out; bytes but no line are "no text". Lines beginning "!", which some programs
//     take for an end of file, are data like any other.
//   - With requests the computer sends "?" CR LF at the start and after each status line "w",
//     which is not data; silence after a request ends the transfer as above.
//   - No checks exist, so nothing is ever NAKed.
//   - Sending, each line goes with CR LF; in the request protocol the computer waits for the
//     instrument's "?" before each line, and the instrument side answers each "?" with one
//     line and "w" CR LF. The instrument side taking an upload asks with "?" CR LF at the
//     start and after each line. The sender reads one line ahead and is done with the last
//     line's write: an instrument need not ask for a line that does not exist.

namespace comm::protocol {

namespace {

const QByteArray kAsk("?\r\n");

}  // namespace

void GsiReceiver::Start(ReceiverOutput& out) {
    if (request_) out.Reply(kAsk);
}

void GsiReceiver::Feed(QByteArrayView bytes, ReceiverOutput& out) {
    if (Finished()) return;
    if (!bytes.isEmpty()) anyBytes_ = true;
    const bool fits = lines_.Feed(bytes, [&](const QByteArray& line) {
        OnLine(line, out);
        return !Finished();
    });
    if (fits) return;
    Flush(out);  // the lines before the one too long for a line stay
    Fail(out, kPacketData);
}

void GsiReceiver::Idle(ReceiverOutput& out) {
    if (Finished()) return;
    if (!pending_.isEmpty())
        Deliver(out, pending_, true);
    else
        Fail(out, anyBytes_ ? kNoText : kTimeOut);
}

void GsiReceiver::OnLine(const QByteArray& line, ReceiverOutput& out) {
    if (line.isEmpty()) return;
    if (request_ && line == "w") {
        if (!askAfterEachLine_) out.Reply(kAsk);
        return;
    }
    Flush(out);
    pending_ = line;
    if (request_ && askAfterEachLine_) out.Reply(kAsk);
}

void GsiReceiver::Flush(ReceiverOutput& out) {
    if (pending_.isEmpty()) return;
    Deliver(out, pending_, false);
    pending_.clear();
}

GsiSender::GsiSender(bool request, bool instrument)
    : UnitSender(0), instrument_(instrument), request_(request) {
    if (request_) WaitForGoBeforeEachUnit();
}

std::optional<UnitSender::Unit> GsiSender::NextUnit(SenderOutput& out) {
    if (!started_) {
        started_ = true;
        haveNext_ = NextLine(out, next_);
    }
    if (!haveNext_) return std::nullopt;
    QByteArray line = next_ + "\r\n";
    if (request_ && instrument_) line += "w\r\n";
    // Known last at once, so that nobody waits for a request that will not come.
    haveNext_ = NextLine(out, next_);
    return Unit{line, false, !haveNext_};
}

bool GsiSender::NextLine(SenderOutput& out, QByteArray& line) {
    do {
        if (!out.Request(line)) return false;
    } while (line.isEmpty());
    return true;
}

UnitSender::ReplyKind GsiSender::Classify(char byte) const {
    return byte == '?' ? ReplyKind::Go : ReplyKind::None;
}

}  // namespace comm::protocol

#include "comm/protocol/Protocol.h"

namespace comm::protocol {

void Receiver::Idle(ReceiverOutput& out) {
    if (!finished_) Fail(out, kTimeOut);
}

void Receiver::Deliver(ReceiverOutput& out, const QByteArray& block, bool last) {
    if (finished_) return;
    if (last) finished_ = true;
    out.Block(block, last);
}

void Receiver::EndTransfer(ReceiverOutput& out, bool anyData, const QByteArray& endMark, bool badCheck) {
    if (!anyData) {
        Fail(out, kNoText);
        return;
    }
    Deliver(out, endMark, true);
    if (badCheck) Fail(out, kPacketData);
}

void Receiver::Fail(ReceiverOutput& out, int code) {
    // A fault may follow the last block (a check that failed on data already delivered);
    // it is the one thing that may.
    finished_ = true;
    if (reported_) return;
    reported_ = true;
    out.Fault(code);
}

}  // namespace comm::protocol

#include "comm/protocol/UnitSender.h"

#include "comm/protocol/ControlBytes.h"

namespace comm::protocol {

void UnitSender::Start(SenderOutput& out) {
    state_ = goEachUnit_ ? State::AwaitGo : State::Flowing;
    TryAdvance(out);
}

void UnitSender::Feed(QByteArrayView bytes, SenderOutput& out) {
    for (char c : bytes) {
        if (state_ == State::Finished) return;
        if (c == ctl::kXoff) {
            paused_ = true;
        } else if (c == ctl::kXon) {
            paused_ = false;
            TryAdvance(out);
        } else {
            OnReply(Classify(c), out);
        }
    }
}

void UnitSender::Ready(SenderOutput& out) {
    writePending_ = false;
    TryAdvance(out);
}

void UnitSender::Idle(SenderOutput& out) {
    // Waiting for an answer, or held off by XOFF that never cleared: the other side has stopped.
    if (state_ == State::AwaitReply || state_ == State::AwaitGo ||
        (state_ == State::Flowing && paused_))
        Fail(out, kTimeOut);
}

UnitSender::ReplyKind UnitSender::Classify(char byte) const {
    if (byte == ctl::kAck) return ReplyKind::Ack;
    if (byte == ctl::kNak) return ReplyKind::Nak;
    return ReplyKind::None;
}

void UnitSender::TryAdvance(SenderOutput& out) {
    if (state_ != State::Flowing || paused_ || writePending_) return;
    if (resend_) {
        resend_ = false;
        Put(out);
        return;
    }
    std::optional<Unit> next = NextUnit(out);
    if (!next) {
        Finish(out);
        return;
    }
    unit_ = std::move(*next);
    naks_ = 0;
    Put(out);
}

void UnitSender::Put(SenderOutput& out) {
    writePending_ = true;
    out.Write(unit_.bytes);
    if (unit_.awaitReply)
        state_ = State::AwaitReply;
    else if (unit_.last)
        Finish(out);
    else if (goEachUnit_)
        state_ = State::AwaitGo;
}

void UnitSender::OnReply(ReplyKind kind, SenderOutput& out) {
    if (kind == ReplyKind::Go && state_ == State::AwaitGo) {
        writePending_ = false;  // an answer means the last write has left
        state_ = State::Flowing;
        TryAdvance(out);
        return;
    }
    if (state_ != State::AwaitReply) return;  // stray acknowledgements are no one's business
    if (kind == ReplyKind::Ack) {
        writePending_ = false;
        if (unit_.last) {
            Finish(out);
            return;
        }
        state_ = goEachUnit_ ? State::AwaitGo : State::Flowing;
        TryAdvance(out);
    } else if (kind == ReplyKind::Nak) {
        if (naks_ >= nakLimit_) {
            Fail(out, kPacketData);
            return;
        }
        ++naks_;
        writePending_ = false;
        resend_ = true;
        state_ = State::Flowing;
        TryAdvance(out);
    }
}

void UnitSender::Finish(SenderOutput& out) {
    state_ = State::Finished;
    out.Done();
}

void UnitSender::Fail(SenderOutput& out, int code) {
    state_ = State::Finished;
    out.Fault(code);
}

}  // namespace comm::protocol

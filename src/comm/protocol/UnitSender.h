#pragma once

// The common course of every recorder's sender: write one unit (a line or a frame), then
// either wait for the other side's acknowledgement or for the port to take the next; resend
// on NAK up to the limit; pause on XOFF until XON, whatever flow control the port has (the
// recorders hold the sender off this way even on three-wire cables).

#include <optional>

#include "comm/protocol/Protocol.h"

namespace comm::protocol {

class UnitSender : public Sender {
  public:
    void Start(SenderOutput& out) override;
    void Feed(QByteArrayView bytes, SenderOutput& out) override;
    void Ready(SenderOutput& out) override;
    void Idle(SenderOutput& out) override;
    bool Finished() const override { return state_ == State::Finished; }

  protected:
    struct Unit {
        QByteArray bytes;
        bool awaitReply = false;  // wait for ACK/NAK before the next unit
        bool last = false;        // the transfer ends once this unit is out (and acknowledged)
    };
    enum class ReplyKind { None, Ack, Nak, Go };

    explicit UnitSender(int nakLimit) : nakLimit_(nakLimit) {}
    // The next unit, built from the lines the output hands out; nullopt when nothing is left.
    virtual std::optional<Unit> NextUnit(SenderOutput& out) = 0;
    // What one byte from the other side means to this recorder type.
    virtual ReplyKind Classify(char byte) const;
    // Makes the sender wait for a go-ahead (a request) before each unit.
    void WaitForGoBeforeEachUnit() { goEachUnit_ = true; }

  private:
    enum class State { Idle, Flowing, AwaitReply, AwaitGo, Finished };
    void TryAdvance(SenderOutput& out);
    void Put(SenderOutput& out);
    void OnReply(ReplyKind kind, SenderOutput& out);
    void Finish(SenderOutput& out);
    void Fail(SenderOutput& out, int code);

    int nakLimit_;
    bool goEachUnit_ = false;
    State state_ = State::Idle;
    Unit unit_;
    bool resend_ = false;        // the unit goes again at the next chance (after a NAK)
    bool paused_ = false;        // held off by XOFF
    bool writePending_ = false;  // the last write has not left yet
    int naks_ = 0;
};

}  // namespace comm::protocol

#pragma once

// LEICA GSI lines, one block per line. Newer instruments send without being asked and have
// no end record; older ones answer each "?" CR LF with one block and a status line "w".

#include "comm/protocol/LineBuffer.h"
#include "comm/protocol/UnitSender.h"

namespace comm::protocol {

class GsiReceiver : public Receiver {
  public:
    // askAfterEachLine: the instrument side taking an upload, which asks for every line
    // itself; the computer asks after each status line instead.
    GsiReceiver(bool request, bool askAfterEachLine)
        : request_(request), askAfterEachLine_(askAfterEachLine) {}
    void Start(ReceiverOutput& out) override;
    void Feed(QByteArrayView bytes, ReceiverOutput& out) override;
    void Idle(ReceiverOutput& out) override;
    void Abort(ReceiverOutput& out) override { Flush(out); }

  private:
    void OnLine(const QByteArray& line, ReceiverOutput& out);
    void Flush(ReceiverOutput& out);

    bool request_;
    bool askAfterEachLine_;
    LineBuffer lines_;
    QByteArray pending_;  // the newest line, held until it is known whether it is the last
    bool anyBytes_ = false;
};

class GsiSender : public UnitSender {
  public:
    // instrument: the instrument side playing a file, which adds the status line after each
    // block in the request protocol.
    GsiSender(bool request, bool instrument);

  protected:
    std::optional<Unit> NextUnit(SenderOutput& out) override;
    ReplyKind Classify(char byte) const override;

  private:
    static bool NextLine(SenderOutput& out, QByteArray& line);

    bool instrument_;
    bool request_;
    bool started_ = false;
    bool haveNext_ = false;
    QByteArray next_;  // read ahead: the line after the one going out
};

}  // namespace comm::protocol

#pragma once

// APA common-format lines: each record ends with its Mod-64 check character and a comma; the
// Z record ends the transfer. With handshaking every line is answered ACK or NAK.

#include "comm/protocol/LineBuffer.h"
#include "comm/protocol/UnitSender.h"

namespace comm::protocol {

// True when the line ends "<check>," and the check matches the bytes before it.
bool ApaCheckAgrees(QByteArrayView line);

class ApaReceiver : public Receiver {
  public:
    explicit ApaReceiver(const LinkOptions& options) : options_(options) {}
    void Feed(QByteArrayView bytes, ReceiverOutput& out) override;

  private:
    void OnLine(const QByteArray& line, ReceiverOutput& out);

    LinkOptions options_;
    LineBuffer lines_;
    int naks_ = 0;
    int dataRecords_ = 0;
    bool badCheck_ = false;
};

class ApaSender : public UnitSender {
  public:
    explicit ApaSender(const LinkOptions& options)
        : UnitSender(options.nakLimit), handshaking_(options.handshaking) {}

  protected:
    std::optional<Unit> NextUnit(SenderOutput& out) override;

  private:
    bool handshaking_;
    bool ended_ = false;
};

}  // namespace comm::protocol

#pragma once

// NIKON blocks: SOH, sender code, receiver code, STX, text, ETX, BCC, EOT, CR LF, where BCC
// is the Mod-64 check of the codes through ETX. Every block is answered by a control block
// SOH, codes, ACK or NAK, BCC, EOT, CR LF; on NAK the same block comes again.

#include "comm/protocol/UnitSender.h"

namespace comm::protocol {

// Party codes of the blocks.
constexpr char kNikonRecorder = 'R';
constexpr char kNikonComputer = 'C';

// A data block from one party to another.
QByteArray Dr2Block(char from, char to, QByteArrayView text);
// An ACK or NAK control block.
QByteArray Dr2Control(char from, char to, char ackOrNak);

class Dr2Receiver : public Receiver {
  public:
    // self and peer: the codes its answers carry (from, to).
    Dr2Receiver(const LinkOptions& options, char self, char peer)
        : options_(options), self_(self), peer_(peer) {}
    void Feed(QByteArrayView bytes, ReceiverOutput& out) override;

  private:
    enum class State { Hunt, Body, Check, Tail };
    void OnByte(char c, ReceiverOutput& out);
    void OnFrame(ReceiverOutput& out);
    void OnEnd(ReceiverOutput& out);

    LinkOptions options_;
    char self_;
    char peer_;
    State state_ = State::Hunt;
    QByteArray frame_;
    int naks_ = 0;
    int blocks_ = 0;
    bool badCheck_ = false;
};

class Dr2Sender : public UnitSender {
  public:
    Dr2Sender(const LinkOptions& options, char self, char peer)
        : UnitSender(options.nakLimit),
          handshaking_(options.handshaking),
          self_(self),
          peer_(peer) {}

  protected:
    std::optional<Unit> NextUnit(SenderOutput& out) override;

  private:
    bool handshaking_;
    char self_;
    char peer_;
    bool ended_ = false;
};

}  // namespace comm::protocol

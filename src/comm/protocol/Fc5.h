#pragma once

// TOPCON transfers. Downloads come in fixed blocks: STX, 128 data characters, a block digit
// 0-9 cycling, the XOR-3 check of those 129 characters, ETX; then EOT. Uploads are frames
// STX body XOR-3 ETX built by the transfer form, ending with STX EOT ETX.

#include "comm/protocol/UnitSender.h"

namespace comm::protocol {

// Data characters of one download block.
constexpr qsizetype kFc5BlockData = 128;

// The computer taking a download.
class Fc5BlockReceiver : public Receiver {
  public:
    explicit Fc5BlockReceiver(const LinkOptions& options) : options_(options) {}
    void Feed(QByteArrayView bytes, ReceiverOutput& out) override;

  private:
    void OnByte(char c, ReceiverOutput& out);
    void OnFrame(ReceiverOutput& out);
    void OnEot(ReceiverOutput& out);
    void Reject(ReceiverOutput& out);

    LinkOptions options_;
    bool inFrame_ = false;
    QByteArray frame_;
    int naks_ = 0;
    int blocks_ = 0;
    char lastDigit_ = 0;
    bool badCheck_ = false;
};

// The instrument playing a file: each line is one block's data.
class Fc5BlockSender : public UnitSender {
  public:
    explicit Fc5BlockSender(const LinkOptions& options)
        : UnitSender(options.nakLimit), handshaking_(options.handshaking) {}

  protected:
    std::optional<Unit> NextUnit(SenderOutput& out) override;

  private:
    bool handshaking_;
    bool ended_ = false;
    int digit_ = 0;
};

// The computer uploading: the lines are whole frames already.
class Fc5FrameSender : public UnitSender {
  public:
    explicit Fc5FrameSender(const LinkOptions& options)
        : UnitSender(options.nakLimit), handshaking_(options.handshaking) {}

  protected:
    std::optional<Unit> NextUnit(SenderOutput& out) override;

  private:
    bool handshaking_;
};

// The instrument taking an upload.
class Fc5FrameReceiver : public Receiver {
  public:
    explicit Fc5FrameReceiver(const LinkOptions& options) : options_(options) {}
    void Feed(QByteArrayView bytes, ReceiverOutput& out) override;

  private:
    void OnFrame(ReceiverOutput& out);

    LinkOptions options_;
    bool inFrame_ = false;
    QByteArray frame_;
    int naks_ = 0;
    int frames_ = 0;
    bool badCheck_ = false;
};

// The acknowledgement frames, ACK "006" ETX and NAK "021" ETX.
QByteArray Fc5Ack();
QByteArray Fc5Nak();

}  // namespace comm::protocol

#pragma once

// SOKKIA SDR framing (formats 3GD, 3PD, SDF): STX CR LF, one record per line, ETX with the
// five-digit sum. The same framing goes both ways.

#include "comm/protocol/LineBuffer.h"
#include "comm/protocol/UnitSender.h"

namespace comm::protocol {

class SdrReceiver : public Receiver {
  public:
    // xoffEvery > 0 makes it the recorder taking an upload: it holds the sender off with
    // XOFF after that many records, as while writing them to memory, and lets it go on with
    // XON when the owner calls Idle. The computer never holds the recorder off (0).
    explicit SdrReceiver(int xoffEvery = 0) : xoffEvery_(xoffEvery) {}
    void Feed(QByteArrayView bytes, ReceiverOutput& out) override;
    void Idle(ReceiverOutput& out) override;

  private:
    void OnLine(const QByteArray& line, ReceiverOutput& out);
    void OnEnd(const QByteArray& line, ReceiverOutput& out);

    LineBuffer lines_;
    int xoffEvery_;
    bool holding_ = false;
    int records_ = 0;
    int sum_ = 0;
};

// Plays the lines of an SDR file as the recorder sends them, and uploads them the same way.
class SdrSender : public UnitSender {
  public:
    SdrSender() : UnitSender(0) {}

  protected:
    std::optional<Unit> NextUnit(SenderOutput& out) override;

  private:
    bool NextRecord(SenderOutput& out, QByteArray& line);

    bool started_ = false;
    bool ended_ = false;
    int sum_ = 0;
};

}  // namespace comm::protocol

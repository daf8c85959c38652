#pragma once
// The card routines' exchange through the communication control: a command frame out, the
// reader's reply frame back, whole once its ETX and the two check digits have come.

#include "comm/card/CardLink.h"

namespace comm {

class CommControl;

// The frame in `bytes` is whole: it holds an ETX and the two check digits after it.
bool CardFrameComplete(const QByteArray& bytes);

class SerialCardExchange : public card::CardExchange {
  public:
    explicit SerialCardExchange(CommControl& control) : control_(control) {}
    // Throws card::CardLinkError when the line times out, goes away or is stopped.
    QByteArray Exchange(const QByteArray& frame) override;
    void DirectMode(bool on) override;
    // Why the last exchange failed: 1 time-out, kLineGone, kStopped; 0 when none did.
    int LastFault() const { return lastFault_; }

  private:
    CommControl& control_;
    int lastFault_ = 0;
};

}  // namespace comm

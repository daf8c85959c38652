#pragma once
// The card routines' exchange over a serial line: a command frame out, the reader's reply
// frame back, whole once its ETX and the two check digits have come.

#include "comm/card/CardLink.h"
#include "comm/link/SerialLine.h"

namespace comm {

// The frame in `bytes` is whole: it holds an ETX and the two check digits after it.
bool CardFrameComplete(const QByteArray& bytes);

class SerialCardExchange : public card::CardExchange {
  public:
    explicit SerialCardExchange(SerialLine& line) : line_(line) {}
    // Throws card::CardLinkError when the line times out or goes away.
    QByteArray Exchange(const QByteArray& frame) override;

  private:
    SerialLine& line_;
};

}  // namespace comm

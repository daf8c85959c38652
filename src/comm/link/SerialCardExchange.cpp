#include "comm/link/SerialCardExchange.h"

#include "comm/card/CardFrame.h"
#include "comm/link/CommControl.h"

namespace comm {

bool CardFrameComplete(const QByteArray& bytes) {
    const qsizetype etx = bytes.indexOf(card::kEtx);
    return etx >= 0 && bytes.size() >= etx + 3;
}

QByteArray SerialCardExchange::Exchange(const QByteArray& frame) {
    QByteArray reply;
    lastFault_ = control_.Exchange(frame, reply);
    switch (lastFault_) {
        case 0: return reply;
        case 1: throw card::CardLinkError("time-out");
        case kStopped: throw card::CardLinkError("stopped");
        default: throw card::CardLinkError("line gone");
    }
}

void SerialCardExchange::DirectMode(bool on) { control_.DirectMode(on); }

}  // namespace comm

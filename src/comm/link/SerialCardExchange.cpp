#include "comm/link/SerialCardExchange.h"

#include "comm/card/CardFrame.h"

namespace comm {

bool CardFrameComplete(const QByteArray& bytes) {
    const qsizetype etx = bytes.indexOf(card::kEtx);
    return etx >= 0 && bytes.size() >= etx + 3;
}

QByteArray SerialCardExchange::Exchange(const QByteArray& frame) {
    try {
        return line_.Exchange(frame, CardFrameComplete);
    } catch (const LinkFault& fault) {
        throw card::CardLinkError(fault.what());
    }
}

}  // namespace comm

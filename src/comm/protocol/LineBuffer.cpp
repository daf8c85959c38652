#include "comm/protocol/LineBuffer.h"

#include "comm/protocol/ControlBytes.h"

namespace comm::protocol {

bool LineBuffer::Feed(QByteArrayView bytes, const std::function<bool(const QByteArray&)>& line) {
    for (char c : bytes) {
        if (c != ctl::kLf) {
            pending_.append(c);
            if (pending_.size() > kMaxLine) return false;
            continue;
        }
        QByteArray done = std::move(pending_);
        pending_.clear();
        if (done.endsWith(ctl::kCr)) done.chop(1);
        if (!line(done)) return true;
    }
    return true;
}

}  // namespace comm::protocol

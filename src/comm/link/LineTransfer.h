#pragma once
// A whole transfer with one recorder type's protocol machine over an open serial line,
// blocking until it ends, for the command line. The machine is told of every silence as
// long as the line's limit, and of every write once it has left the port.

#include <QByteArray>
#include <functional>

#include "comm/link/SerialLine.h"
#include "comm/protocol/Protocol.h"

namespace comm {

// Receives until the last block or a fault; each block goes to `block`. Returns 0 when the
// transfer ended normally, else the fault code (1 time-out, 2 packet data, 3 no text, 0 is
// never a fault: a line that went away gives 4).
int ReceiveOverLine(SerialLine& line, protocol::Receiver& receiver,
                    const std::function<void(const QByteArray& block, bool last)>& block);

// Sends the lines `next` hands out (false at the end) until the machine is done or fails;
// returns 0 or the fault code as above.
int SendOverLine(SerialLine& line, protocol::Sender& sender, const std::function<bool(QByteArray& line)>& next);

inline constexpr int kLineGone = 4;

}  // namespace comm
